// TCustomImageList / TImageList: a row of same-sized images over a Win32 image list, which the
// component owns. Masked lists keep a mask per image; Draw paints an image normally or in the
// embossed disabled look. Windows only.
#pragma once

#include <functional>
#include <memory>

#include "framework/core/component.h"
#include "framework/graphics/colors.h"

struct _IMAGELIST;
typedef _IMAGELIST* HIMAGELIST;

class TBitmap;
class TCanvas;

enum class TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* Owner = nullptr);
  ~TCustomImageList() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Changing the size or Masked starts a new, empty list.
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value);
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value);
  // The colour under unmasked parts when drawing; clNone draws masked images transparently.
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);

  Integer Count() const;
  // Image is cut into as many images as its width holds; Mask (white = transparent) may be nil.
  // Returns the index of the first one. An image smaller than the list's size raises
  // EInvalidGraphicOperation "Invalid image size".
  Integer Add(const TBitmap* Image, const TBitmap* Mask);
  // The mask comes from Image: pixels of MaskColor become transparent.
  Integer AddMasked(const TBitmap& Image, TColor MaskColor);
  void Delete(Integer Index);
  void Clear();
  // Disabled images are drawn embossed in the button highlight and shadow colours. An index
  // outside the list draws nothing.
  void Draw(TCanvas& Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true) const;
  // Image Index on a bitmap of the list's size, drawn over black.
  void GetBitmap(Integer Index, TBitmap& Image) const;
  HIMAGELIST Handle() const { return FHandle.get(); }

  std::function<void()> OnChange;

 private:
  struct TListDeleter {
    void operator()(HIMAGELIST List) const;
  };
  void Recreate();
  void Changed();

  std::unique_ptr<_IMAGELIST, TListDeleter> FHandle;
  Integer FWidth = 16;
  Integer FHeight = 16;
  bool FMasked = true;
  TDrawingStyle FDrawingStyle = TDrawingStyle::dsNormal;
  TColor FBkColor = clNone;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
