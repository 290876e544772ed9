// The bitmap-link editor's state apart from its window: the images to choose from, the zoom,
// the two corners clicked on the zoomed view, the texts the window shows, the guide lines it
// draws, and Apply. TfrmBitmapEditor owns one for the program's life and mirrors it.
//
// The window is modeless: while it is open the skin can change under it (the object deleted, an
// undo restoring another source, links re-bound to new link objects). So the model keeps no
// pointer into the skin that it would follow later: it finds the object again among the live
// objects of the document's source, the link through the object's property, and the image by
// its name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/core/types.h"
#include "framework/graphics/colors.h"

class TSkinDocument;
class TDvSkinObject;
class TvxBitmap;
class TvxBitmapLink;
struct TPropInfo;

// The zoom box: "100", "200", "400", "800".
constexpr Integer LinkZoomCount = 4;

enum class TLinkMouseButton { lbLeft, lbRight };

// A dotted exclusive-or line in image pixels, from From to To; the view stretches it with the
// image.
struct TGuideLine {
  TPoint From;
  TPoint To;
  TColor Color;
  friend bool operator==(const TGuideLine&, const TGuideLine&) = default;
};

class TLinkEditorModel {
 public:
  explicit TLinkEditorModel(TSkinDocument& Document) : FDocument(Document) {}

  // The inspector's edit: Link is the value of one of Object's bitmap-link properties. Fills the
  // names and, when the link names an image it resolves to, takes its rectangle as the corners.
  // False (and nothing to show) when Link belongs to no property of Object.
  bool Open(TDvSkinObject* Object, TvxBitmapLink* Link);

  const std::vector<std::string>& ImageNames() const { return FImageNames; }
  // The name chosen in the list, -1 for none.
  Integer ImageIndex() const { return FImageIndex; }
  void SelectImage(Integer Index);
  // The chosen image as the skin holds it now; nil when none is chosen or it is gone.
  TvxBitmap* Image() const;

  Integer ZoomIndex() const { return FZoomIndex; }
  Integer Zoom() const { return 1 << FZoomIndex; }
  // Indexes outside the box are ignored.
  void SetZoomIndex(Integer Index);
  bool AllBitmap() const { return FAllBitmap; }
  void SetAllBitmap(bool Value) { FAllBitmap = Value; }
  // The view: the image size times the zoom; 10 x 10 without an image.
  TSize ViewSize() const;

  TPoint TopLeft() const { return FTopLeft; }
  TPoint BottomRight() const { return FBottomRight; }
  // A press on the view: the left button sets the top-left corner, the right one the
  // bottom-right (x divided by the zoom truncated, y rounded, halves to even), kept inside the
  // chosen image. Ignored with "All bitmap"; answers whether a corner moved.
  bool MouseDown(TPoint ViewPoint, TLinkMouseButton Button);
  // "Position: (x:y)" for a point of the view.
  std::string PositionText(TPoint ViewPoint) const;
  // "(L:T)-(R:B)" and "Size: (w:h)".
  std::string RectText() const;
  std::string SizeText() const;
  // Lime from the top-left corner, yellow to the bottom-right; none with "All bitmap".
  std::vector<TGuideLine> GuideLines() const;

  // Points the link at the chosen image: its rectangle, or the whole image with "All bitmap"; one
  // step of the history. False, changing nothing, when the object, its link or the image is gone.
  bool Apply();

 private:
  TDvSkinObject* LiveObject() const;
  TvxBitmapLink* LiveLink() const;

  TSkinDocument& FDocument;
  TDvSkinObject* FObject = nullptr;  // compared with live objects, never followed unchecked
  std::string FObjectName;
  const TPropInfo* FProperty = nullptr;
  std::vector<std::string> FImageNames;
  Integer FImageIndex = -1;
  Integer FZoomIndex = 0;
  bool FAllBitmap = false;
  TPoint FTopLeft;
  TPoint FBottomRight;
};
