#include "vexel/graphics/vx_bitmaplist.h"

#include "framework/core/sysutils.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Engine-written key pixels and translucent pixels are transparent; $33333333 is the one
// translucent value that counts as opaque.
bool IsTransparentPixel(TvxColor P) { return P != 0x33333333 && (P == vxKeyColor || PixelAlpha(P) < 255); }

struct TSpan {
  int64_t Left, Top, Right, Bottom;
};

// Whether any position of Area (relative to the link's top-left, already inside the link)
// holds a transparent pixel. Positions outside the image read as 0, so they count without
// being visited; this keeps the scan bounded by the image's own size.
bool AreaHasTransparency(const TvxBitmap& Image, const TRect& Link, const TSpan& Area) {
  if (Area.Right <= Area.Left || Area.Bottom <= Area.Top) return false;
  const TSpan Abs{Area.Left + Link.Left, Area.Top + Link.Top, Area.Right + Link.Left, Area.Bottom + Link.Top};
  if (Abs.Left < 0 || Abs.Top < 0 || Abs.Right > Image.Width() || Abs.Bottom > Image.Height() || Image.Empty())
    return true;
  for (int64_t Y = Abs.Top; Y < Abs.Bottom; ++Y)
    for (int64_t X = Abs.Left; X < Abs.Right; ++X)
      if (IsTransparentPixel(*Image.PixelPtr(Integer(X), Integer(Y)))) return true;
  return false;
}

TSpan Clip(const TSpan& A, int64_t W, int64_t H) {
  return {std::max<int64_t>(A.Left, 0), std::max<int64_t>(A.Top, 0), std::min(A.Right, W), std::min(A.Bottom, H)};
}

}  // namespace

const TClassInfo& TvxBitmapLink::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TvxBitmapLink::Name, &TvxBitmapLink::SetName>("Name"),
      IntegerProperty<&TvxBitmapLink::Left, &TvxBitmapLink::SetLeft>("Left"),
      IntegerProperty<&TvxBitmapLink::Top, &TvxBitmapLink::SetTop>("Top"),
      IntegerProperty<&TvxBitmapLink::Right, &TvxBitmapLink::SetRight>("Right"),
      IntegerProperty<&TvxBitmapLink::Bottom, &TvxBitmapLink::SetBottom>("Bottom"),
  };
  static const TClassInfo Info{"TvxBitmapLink", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TvxBitmapLink::Assign(const TPersistent* Source) {
  const auto* Link = dynamic_cast<const TvxBitmapLink*>(Source);
  if (!Link) return TPersistent::Assign(Source);
  FBitmap = Link->FBitmap;
  FRect = Link->FRect;
  FName = Link->FName;
  FEdgesTransparent = Link->FEdgesTransparent;
  FCornersTransparent = Link->FCornersTransparent;
  FClientTransparent = Link->FClientTransparent;
}

bool TvxBitmapLink::Valid() const {
  return FBitmap && int64_t(FRect.Right - int64_t(FRect.Left)) * (int64_t(FRect.Bottom) - FRect.Top) > 0;
}

void TvxBitmapLink::CheckTransparency(const TRect& Margins) {
  FEdgesTransparent = FCornersTransparent = FClientTransparent = false;
  if (!FBitmap) return;
  const int64_t W = int64_t(FRect.Right) - FRect.Left, H = int64_t(FRect.Bottom) - FRect.Top;
  if (W <= 0 || H <= 0) return;
  const int64_t ML = Margins.Left, MT = Margins.Top, MR = Margins.Right, MB = Margins.Bottom;
  auto Any = [&](std::initializer_list<TSpan> Areas) {
    return std::any_of(Areas.begin(), Areas.end(),
                       [&](const TSpan& A) { return AreaHasTransparency(*FBitmap, FRect, Clip(A, W, H)); });
  };
  if (ML == 0 && MT == 0 && MR == 0 && MB == 0) {
    FClientTransparent = Any({{0, 0, W, H}});
    return;
  }
  FCornersTransparent = Any({{0, 0, ML, MT}, {W - MR, 0, W, MT}, {W - MR, H - MB, W, H}, {0, H - MB, ML, H}});
  FEdgesTransparent = Any({{ML, 0, W - MR, MT}, {ML, H - MB, W - MR, H}, {0, MT, ML, H - MB}, {W - MR, MT, W, H - MB}});
  FClientTransparent = Any({{ML, MT, W - MR, H - MB}});
}

Integer TvxBitmapList::Add(std::unique_ptr<TvxBitmap> Bitmap) {
  FItems.push_back(std::move(Bitmap));
  return Count() - 1;
}

void TvxBitmapList::Insert(Integer Index, std::unique_ptr<TvxBitmap> Bitmap) {
  if (Index < 0 || Index > Count()) throw std::out_of_range(Format("List index out of bounds (%d)", Index));
  FItems.insert(FItems.begin() + Index, std::move(Bitmap));
}

std::unique_ptr<TvxBitmap> TvxBitmapList::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) throw std::out_of_range(Format("List index out of bounds (%d)", Index));
  std::unique_ptr<TvxBitmap> Result = std::move(FItems[size_t(Index)]);
  FItems.erase(FItems.begin() + Index);
  return Result;
}

std::unique_ptr<TvxBitmap> TvxBitmapList::Remove(TvxBitmap* Bitmap) {
  const Integer Index = IndexOf(Bitmap);
  return Index < 0 ? nullptr : Delete(Index);
}

void TvxBitmapList::Clear() { FItems.clear(); }

Integer TvxBitmapList::IndexOf(const TvxBitmap* Bitmap) const {
  for (Integer I = 0; I < Count(); ++I)
    if (FItems[size_t(I)].get() == Bitmap) return I;
  return -1;
}

TvxBitmap* TvxBitmapList::Bitmaps(Integer Index) const {
  return Index < 0 || Index >= Count() ? nullptr : FItems[size_t(Index)].get();
}

TvxBitmap* TvxBitmapList::Find(const std::string& Name) const {
  for (const auto& Bitmap : FItems)
    if (SameText(Bitmap->Name(), Name)) return Bitmap.get();
  return nullptr;
}

std::unique_ptr<TvxBitmapLink> TvxBitmapList::GetLink(const std::string& Name, const TRect& R) const {
  const TvxBitmap* Bitmap = Find(Name);
  return Bitmap ? Bitmap->CreateLink(R) : nullptr;
}
