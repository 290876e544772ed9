// Named rectangles of images (TvxBitmapLink) and the owning list of a skin's images
// (TvxBitmapList). Links never own their bitmap; the list owns every bitmap in it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vexel/graphics/vx_bitmap.h"

class TvxBitmapLink : public TPersistent {
 public:
  // Stored: Name, Left, Top, Right, Bottom. The bitmap and the flags are recomputed after loading.
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  // From another link: bitmap reference, rectangle, Name and the three flags.
  void Assign(const TPersistent* Source) override;

  // True when linked to a bitmap and the rectangle has an area.
  bool Valid() const;
  // Recomputes the three flags for a nine-piece layout with these margins (Left, Top, Right,
  // Bottom); with no margins only ClientTransparent can be set.
  void CheckTransparency(const TRect& Margins);
  void CheckTransparency() { CheckTransparency(TRect{}); }

  TvxBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TvxBitmap* Value) { FBitmap = Value; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  Integer Left() const { return FRect.Left; }
  Integer Top() const { return FRect.Top; }
  Integer Right() const { return FRect.Right; }
  Integer Bottom() const { return FRect.Bottom; }
  void SetLeft(Integer Value) { FRect.Left = Value; }
  void SetTop(Integer Value) { FRect.Top = Value; }
  void SetRight(Integer Value) { FRect.Right = Value; }
  void SetBottom(Integer Value) { FRect.Bottom = Value; }
  const TRect& Rect() const { return FRect; }
  void SetRect(const TRect& Value) { FRect = Value; }
  bool EdgesTransparent() const { return FEdgesTransparent; }
  bool CornersTransparent() const { return FCornersTransparent; }
  bool ClientTransparent() const { return FClientTransparent; }

 private:
  TvxBitmap* FBitmap = nullptr;
  TRect FRect;
  std::string FName;
  bool FEdgesTransparent = false;
  bool FCornersTransparent = false;
  bool FClientTransparent = false;
};

// The images of a skin, in insertion order, looked up by name with letter case ignored (first
// match wins). Delete and Remove hand the bitmap back to the caller instead of freeing it.
class TvxBitmapList {
 public:
  TvxBitmapList() = default;
  ~TvxBitmapList() { Clear(); }
  TvxBitmapList(const TvxBitmapList&) = delete;
  TvxBitmapList& operator=(const TvxBitmapList&) = delete;

  Integer Add(std::unique_ptr<TvxBitmap> Bitmap);
  void Insert(Integer Index, std::unique_ptr<TvxBitmap> Bitmap);
  std::unique_ptr<TvxBitmap> Delete(Integer Index);
  std::unique_ptr<TvxBitmap> Remove(TvxBitmap* Bitmap);
  void Clear();

  Integer Count() const { return Integer(FItems.size()); }
  TvxBitmap* Items(Integer Index) const { return FItems.at(size_t(Index)).get(); }
  Integer IndexOf(const TvxBitmap* Bitmap) const;
  // Nil outside 0..Count-1.
  TvxBitmap* Bitmaps(Integer Index) const;
  TvxBitmap* Find(const std::string& Name) const;
  // A new link to Rect of the named image; nil when no image has that name.
  std::unique_ptr<TvxBitmapLink> GetLink(const std::string& Name, const TRect& R) const;

 private:
  std::vector<std::unique_ptr<TvxBitmap>> FItems;
};
