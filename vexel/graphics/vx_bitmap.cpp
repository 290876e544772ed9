#include "vexel/graphics/vx_bitmap.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "vexel/graphics/vx_bitmap_platform.h"
#include "vexel/graphics/vx_bitmaplist.h"
#include "vexel/graphics/vx_utils.h"

namespace {
bool WithinBounds(int64_t W, int64_t H) {
  return W <= vxMaxBitmapSide && H <= vxMaxBitmapSide && W * H <= vxMaxBitmapPixels;
}

int64_t Magnitude(Integer V) { return V < 0 ? -int64_t(V) : int64_t(V); }

template <typename TPixelOp>
void ForEachPixel(const TvxBitmap& B, TPixelOp Op) {
  TvxColor* P = B.Bits();
  if (!P) return;
  for (int64_t I = 0, N = int64_t(B.Width()) * B.Height(); I < N; ++I) Op(P[I]);
}
}  // namespace

// [Storage] ------------------------------------------------------------------------------------

const TClassInfo& TvxBitmap::StaticClassInfo() {
  static const TClassInfo Info{"TvxBitmap", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

TvxBitmap::TvxBitmap() = default;

TvxBitmap::~TvxBitmap() { ReleaseBuffer(); }

void TvxBitmap::ReleaseBuffer() {
  TvxSurface Surface{FBits, FDIBHandle, FDC};
  if (Surface.Bits) DestroySurface(Surface);
  FBits = nullptr;
  FDIBHandle = nullptr;
  FDC = nullptr;
}

void TvxBitmap::SetSize(Integer W, Integer H) {
  const int64_t NewW = Magnitude(W), NewH = Magnitude(H);
  if (NewW == 0 || NewH == 0) return;
  if (!Empty() && NewW == FWidth && NewH == FHeight) return;
  // Without a buffer the bitmap is 0 x 0, also after a failure below: every loop over Width and
  // Height, here or in a caller, then has nothing to walk.
  ReleaseBuffer();
  FWidth = FHeight = 0;
  if (!WithinBounds(NewW, NewH)) throw Exception("Can't allocate the DIB handle");
  const TvxSurface Surface = CreateSurface(Integer(NewW), Integer(NewH), this);
  FBits = Surface.Bits;
  FDIBHandle = Surface.Section;
  FDC = Surface.DC;
  FWidth = Integer(NewW);
  FHeight = Integer(NewH);
}

void TvxBitmap::SwapStorage(TvxBitmap& Other) {
  std::swap(FBits, Other.FBits);
  std::swap(FWidth, Other.FWidth);
  std::swap(FHeight, Other.FHeight);
  std::swap(FDIBHandle, Other.FDIBHandle);
  std::swap(FDC, Other.FDC);
  if (FBits) RebindSurface({FBits, FDIBHandle, FDC}, this);
  if (Other.FBits) RebindSurface({Other.FBits, Other.FDIBHandle, Other.FDC}, &Other);
}

void TvxBitmap::Assign(const TPersistent* Source) {
  const auto* Bitmap = dynamic_cast<const TvxBitmap*>(Source);
  if (!Bitmap) {
    if (!AssignFromPlatform(Source)) TPersistent::Assign(Source);
    return;
  }
  if (Bitmap == this) return;
  if (Bitmap->Empty()) {
    // A copy of an empty image is empty, not the pixels this bitmap had before.
    ReleaseBuffer();
    FWidth = FHeight = 0;
  } else {
    SetSize(Bitmap->FWidth, Bitmap->FHeight);
    std::memcpy(FBits, Bitmap->FBits, size_t(FWidth) * size_t(FHeight) * sizeof(TvxColor));
  }
  FName = Bitmap->FName;
  FTransparent = Bitmap->FTransparent;
  FAlphaBlend = Bitmap->FAlphaBlend;
}

// [Stream form] --------------------------------------------------------------------------------

void TvxBitmap::LoadFromStream(TStream& Stream) {
  std::string NewName = ReadStreamString(Stream);
  const Integer W = Stream.ReadInt32();
  const Integer StoredH = Stream.ReadInt32();
  const int64_t H = Magnitude(StoredH);
  if (W < 0 || !WithinBounds(W, H))
    throw EReadError(Format("Image \"%s\" has an invalid size (%d x %d)", NewName.c_str(), W, StoredH));
  if (W == 0 || H == 0) {
    FName = std::move(NewName);
    return;
  }

  const int64_t Bytes = int64_t(W) * H * int64_t(sizeof(TvxColor));
  const int64_t Remaining = Stream.Remaining();
  if (Remaining >= 0 && Remaining < Bytes)
    throw EReadError(Format("Image \"%s\" is truncated: %lld of %lld pixel bytes present", NewName.c_str(),
                            static_cast<long long>(Remaining), static_cast<long long>(Bytes)));
  // Read into a separate bitmap, so a failure leaves this one as it was.
  TvxBitmap Loaded;
  Loaded.SetSize(W, Integer(H));
  Stream.ReadBuffer(Loaded.FBits, Bytes);
  if (StoredH <= 0) Loaded.FlipVertical();
  SwapStorage(Loaded);
  FName = std::move(NewName);
}

void TvxBitmap::SaveToStream(TStream& Stream) const {
  WriteStreamString(Stream, FName);
  Stream.WriteInt32(Empty() ? 0 : FWidth);
  Stream.WriteInt32(Empty() ? 0 : FHeight);
  if (!Empty()) Stream.WriteBuffer(FBits, int64_t(FWidth) * FHeight * int64_t(sizeof(TvxColor)));
}

// [Pixel access] -------------------------------------------------------------------------------

TvxColor TvxBitmap::GetPixel(Integer X, Integer Y) const {
  if (Empty() || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
  return *PixelPtr(X, Y);
}

void TvxBitmap::SetPixel(Integer X, Integer Y, TvxColor Value) {
  if (Empty() || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  *PixelPtr(X, Y) = Value;
}

void TvxBitmap::Fill(TvxColor Value) {
  ForEachPixel(*this, [Value](TvxColor& P) { P = Value; });
}

void TvxBitmap::FillRect(const TRect& R, TvxColor Value) {
  const TRect Area = Intersect(R, BoundsRect());
  if (Empty() || Area.IsEmpty()) return;
  if (FAlphaBlend) {
    const std::vector<TvxColor> Row(size_t(Area.Width()), Value);
    for (Integer Y = Area.Top; Y < Area.Bottom; ++Y) LineRoutines().Blend(Row.data(), PixelPtr(Area.Left, Y), Area.Width());
    return;
  }
  for (Integer Y = Area.Top; Y < Area.Bottom; ++Y) std::fill_n(PixelPtr(Area.Left, Y), Area.Width(), Value);
}

void TvxBitmap::SetAlpha(Byte A) {
  const TvxColor Alpha = TvxColor(A) << 24;
  ForEachPixel(*this, [Alpha](TvxColor& P) { P = (P & 0x00FFFFFF) | Alpha; });
}

void TvxBitmap::SetAlphaRect(Byte A, const TRect& R) {
  const TRect Area = Intersect(R, BoundsRect());
  if (Empty() || Area.IsEmpty()) return;
  const TvxColor Alpha = TvxColor(A) << 24;
  for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
    for (TvxColor *P = PixelPtr(Area.Left, Y), *End = P + Area.Width(); P != End; ++P) *P = (*P & 0x00FFFFFF) | Alpha;
}

// [Colour work] --------------------------------------------------------------------------------

void TvxBitmap::CheckAlpha() {
  if (Empty()) return;
  // Blocks of branch-free tests vectorise; stopping after the first block with a partial alpha
  // spares the rest of the image.
  constexpr int64_t Block = 4096;
  const TvxColor* P = FBits;
  uint32_t Partial = 0;
  for (int64_t Start = 0, N = int64_t(FWidth) * FHeight; Start < N && !Partial; Start += Block) {
    const int64_t End = std::min(N, Start + Block);
    // Alpha - 1 in a byte: 0 and 255 become 255 and 254, every partial alpha less.
    for (int64_t I = Start; I < End; ++I) Partial |= uint32_t(((P[I] >> 24) - 1) & 0xFF) < 254u;
  }
  FAlphaBlend = Partial != 0;
}

void TvxBitmap::MakeTransparent(TvxColor Value) {
  if (Empty()) return;
  // |C - V| < 6 as one unsigned compare, a local flag and a masked store: the loop vectorises
  // (it runs twice per image on every skin load).
  auto Near = [](uint32_t C, uint32_t V) { return uint32_t(uint32_t(C - V + 5) <= 10u); };
  const uint32_t R = PixelRed(Value), G = PixelGreen(Value), B = PixelBlue(Value);
  TvxColor* P = FBits;
  uint32_t Found = 0;
  for (int64_t I = 0, N = int64_t(FWidth) * FHeight; I < N; ++I) {
    const TvxColor C = P[I];
    const uint32_t Hit = Near((C >> 16) & 0xFF, R) & Near((C >> 8) & 0xFF, G) & Near(C & 0xFF, B);
    const uint32_t Mask = 0u - Hit;
    P[I] = (C & ~Mask) | (vxKeyColor & Mask);
    Found |= Hit;
  }
  FTransparent = Found != 0;
}

void TvxBitmap::FlipVertical() {
  if (Empty()) return;
  for (Integer Y = 0; Y < FHeight / 2; ++Y)
    std::swap_ranges(Scanline(Y), Scanline(Y) + FWidth, Scanline(FHeight - 1 - Y));
}

void TvxBitmap::ChangeBrightness(Integer Delta) {
  ForEachPixel(*this, [Delta](TvxColor& P) {
    if (PixelAlpha(P) > 0) P = (ShiftBrightness(P, Delta) & 0x00FFFFFF) | (P & 0xFF000000);
  });
}

void TvxBitmap::ChangeHue(Integer Delta) {
  ForEachPixel(*this, [Delta](TvxColor& P) {
    if (PixelAlpha(P) > 0) P = (ShiftHue(P, Delta) & 0x00FFFFFF) | (P & 0xFF000000);
  });
}

std::unique_ptr<TvxBitmapLink> TvxBitmap::CreateLink(const TRect& R) const {
  auto Link = std::make_unique<TvxBitmapLink>();
  Link->SetBitmap(const_cast<TvxBitmap*>(this));
  Link->SetName(FName);
  Link->SetRect(R);
  return Link;
}

TvxDrawMode TvxBitmap::DrawMode() const {
  if (FAlphaBlend) return TvxDrawMode::dmBlend;
  if (FTransparent) return TvxDrawMode::dmKey;
  return TvxDrawMode::dmCopy;
}

// [Drawing onto another bitmap] ----------------------------------------------------------------

void TvxBitmap::DrawTo(TvxBitmap& Target, Integer X, Integer Y) const {
  StretchDrawTo(Target, Bounds(X, Y, FWidth, FHeight), BoundsRect());
}

void TvxBitmap::DrawTo(TvxBitmap& Target, Integer X, Integer Y, const TRect& SrcRect) const {
  StretchDrawTo(Target, Bounds(X, Y, SrcRect.Width(), SrcRect.Height()), SrcRect);
}

void TvxBitmap::StretchDrawTo(TvxBitmap& Target, const TRect& DestRect, const TRect& SrcRect) const {
  ScaledDraw(*this, {Target.FBits, Target.FWidth, Target.FWidth, Target.FHeight}, DestRect, SrcRect);
}

void TvxBitmap::TileTo(TvxBitmap& Target, const TRect& DestRect, const TRect& SrcRect, const TRect& ClipRect) const {
  ForEachTile(DestRect, SrcRect, ClipRect,
              [&](const TRect& Piece, const TRect& Src) { StretchDrawTo(Target, Piece, Src); });
}

void TvxBitmap::Underlay(const TvxBitmap& Source, Integer X, Integer Y, const TRect& SourceRect) {
  const TRect Src = Intersect(SourceRect, Source.BoundsRect());
  if (Empty() || Source.Empty() || Src.IsEmpty()) return;
  for (Integer SY = Src.Top; SY < Src.Bottom; ++SY) {
    const int64_t TY = int64_t(Y) + SY - SourceRect.Top;
    if (TY < 0 || TY >= FHeight) continue;
    for (Integer SX = Src.Left; SX < Src.Right; ++SX) {
      const int64_t TX = int64_t(X) + SX - SourceRect.Left;
      if (TX < 0 || TX >= FWidth) continue;
      TvxColor& Own = *PixelPtr(Integer(TX), Integer(TY));
      const Byte A = PixelAlpha(Own);
      if (A == 0)
        Own = *Source.PixelPtr(SX, SY);
      else if (A < 255)
        Own = BlendPixel(Own, *Source.PixelPtr(SX, SY));
    }
  }
}

// [Regions] ------------------------------------------------------------------------------------

std::vector<TRect> TvxBitmap::RegionRects(Integer X, Integer Y) const {
  std::vector<TRect> Runs;
  for (Integer Row = 0; Row < FHeight && !Empty(); ++Row) {
    const TvxColor* Line = Scanline(Row);
    for (Integer First = 0; First < FWidth;) {
      if (IsKeyPixel(Line[First])) {
        ++First;
        continue;
      }
      Integer Last = First;
      while (Last + 1 < FWidth && !IsKeyPixel(Line[Last + 1])) ++Last;
      Runs.push_back({X + First, Y + Row, X + Last + 1, Y + Row + 1});
      First = Last + 1;
    }
  }
  return Runs;
}

void MakeSilhouette(const TvxBitmap& Glyph, TColor Color, TvxBitmap& Result) {
  Result.Assign(&Glyph);
  Result.MakeTransparent(vxKeyColor);
  const TvxColor Shadow = ColorToPixel(Color, 100);
  for (Integer Y = 0; Y < Result.Height(); ++Y)
    for (TvxColor *P = Result.Scanline(Y), *End = P + Result.Width(); P != End; ++P)
      if (!IsKeyPixel(*P) && PixelAlpha(*P) > 0) *P = Shadow;
  Result.SetAlphaBlend(true);
}
