// TvxBitmap: the engine's 32-bit top-down image. On Windows its pixels are a DIB section selected
// into a memory DC, so code and GDI draw on the same memory; in the native build the same pixels
// live in a plain buffer and there is no DC. The bitmap owns its buffer (and DC).
//
// Sections: storage, stream form, pixel access, colour work, drawing onto device contexts
// (Windows), drawing onto other bitmaps, regions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/core/platform_handles.h"
#include "vexel/graphics/vx_lines.h"
#include "vexel/graphics/vx_pixel.h"

class TCanvas;
class TGraphic;
class TvxBitmapLink;

// Images beyond these bounds are refused rather than allocated: a stored image can claim any size.
constexpr Integer vxMaxBitmapSide = 32768;
constexpr int64_t vxMaxBitmapPixels = int64_t(1) << 26;

class TvxBitmap : public TPersistent {
 public:
  TvxBitmap();
  ~TvxBitmap() override;
  TvxBitmap(const TvxBitmap&) = delete;
  TvxBitmap& operator=(const TvxBitmap&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Storage]
  // Negative sizes count by their absolute value; a zero side or an unchanged size does nothing.
  // A new buffer starts all zero. Raises "Can't allocate the DIB handle" (also for sizes beyond
  // the bounds above), "Can't create compatible DC" or "Can't select an object into DC"; the
  // bitmap is then empty, 0 x 0.
  void SetSize(Integer W, Integer H);
  bool Empty() const { return FBits == nullptr; }
  // From another TvxBitmap: size, pixels, Name and both flags. On Windows also from a framework
  // TBitmap (a 32-bit one pixel for pixel with its alpha, then CheckAlpha; any other through GDI,
  // opaque), a TPicture (what it holds) and any other TGraphic (through AssignFromGraphic,
  // opaque). An empty source empties this bitmap.
  void Assign(const TPersistent* Source) override;
  // Windows: Graphic stretched into R; the pixels it leaves uncovered keep their value.
  void AssignFromGraphic(const TGraphic& Graphic, const TRect& R);
  // Windows: the pixels, composed as AssignTo composes them, as a bitmap on the clipboard.
  void CopyToClipboard() const;

  // [Stream form] Name, Width, Height, then the pixels top-down. A stored height of zero or less
  // means bottom-up rows. Reading validates before it changes anything: a bad size or a short
  // stream raises EReadError and leaves the bitmap as it was.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;
  // Windows: a bitmap resource of a module opened as a data file.
  void LoadFromResource(const std::string& ModuleFile, const std::string& ResourceName);

  // [Pixel access] Scanline and PixelPtr do not check; GetPixel/SetPixel ignore points outside.
  TvxColor* Scanline(Integer Y) const { return FBits + ptrdiff_t(Y) * FWidth; }
  TvxColor* PixelPtr(Integer X, Integer Y) const { return Scanline(Y) + X; }
  TvxColor GetPixel(Integer X, Integer Y) const;
  void SetPixel(Integer X, Integer Y, TvxColor Value);
  void Fill(TvxColor Value);
  // Blends Value by its alpha when AlphaBlend is set, else writes it.
  void FillRect(const TRect& R, TvxColor Value);
  void SetAlpha(Byte A);
  void SetAlphaRect(Byte A, const TRect& R);

  // [Colour work]
  void CheckAlpha();
  // Pixels within 5 per channel of Value's red, green and blue become the key colour.
  void MakeTransparent(TvxColor Value);
  void FlipVertical();
  void ChangeBrightness(Integer Delta);
  void ChangeHue(Integer Delta);
  // A new link to Rect of this bitmap; the caller owns it.
  std::unique_ptr<TvxBitmapLink> CreateLink(const TRect& R) const;

  // [Drawing onto a device context] Windows only. A DC of another TvxBitmap becomes a
  // bitmap-to-bitmap draw; a bottom-up 32-bit DIB selected in the DC is written directly;
  // anything else goes through GDI.
  void Draw(HDC DC, Integer X, Integer Y) const;
  void Draw(HDC DC, Integer X, Integer Y, const TRect& SrcRect) const;
  void StretchDraw(HDC DC, const TRect& DestRect, const TRect& SrcRect) const;
  void Tile(HDC DC, const TRect& DestRect, const TRect& SrcRect) const;
  // An empty ClipRect draws every tile.
  void TileClip(HDC DC, const TRect& DestRect, const TRect& SrcRect, const TRect& ClipRect) const;
  // The same onto a framework canvas, through its handle; without SrcRect the whole bitmap.
  void Draw(TCanvas& Canvas, Integer X, Integer Y) const { Draw(Canvas, X, Y, BoundsRect()); }
  void Draw(TCanvas& Canvas, Integer X, Integer Y, const TRect& SrcRect) const;
  void StretchDraw(TCanvas& Canvas, const TRect& DestRect) const { StretchDraw(Canvas, DestRect, BoundsRect()); }
  void StretchDraw(TCanvas& Canvas, const TRect& DestRect, const TRect& SrcRect) const;
  void Tile(TCanvas& Canvas, const TRect& DestRect, const TRect& SrcRect) const;
  void TileClip(TCanvas& Canvas, const TRect& DestRect, const TRect& SrcRect, const TRect& ClipRect) const;

  // [Drawing onto another bitmap] SrcRect must lie inside this bitmap, else nothing is drawn.
  void DrawTo(TvxBitmap& Target, Integer X, Integer Y) const;
  void DrawTo(TvxBitmap& Target, Integer X, Integer Y, const TRect& SrcRect) const;
  void StretchDrawTo(TvxBitmap& Target, const TRect& DestRect, const TRect& SrcRect) const;
  void TileTo(TvxBitmap& Target, const TRect& DestRect, const TRect& SrcRect, const TRect& ClipRect = {}) const;
  // Composes SourceRect of Source beneath this bitmap's pixels at (X, Y).
  void Underlay(const TvxBitmap& Source, Integer X, Integer Y, const TRect& SourceRect);

  // [Regions] One rectangle per run of non-key pixels in each row, offset by (X, Y).
  std::vector<TRect> RegionRects(Integer X, Integer Y) const;
  // Windows: a GDI region of those rectangles, owned by the caller; nil for an empty bitmap.
  HRGN CreateRegion(Integer X, Integer Y) const;

  // [Properties]
  TvxColor* Bits() const { return FBits; }
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  TRect BoundsRect() const { return {0, 0, FWidth, FHeight}; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  HDC DC() const { return FDC; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  TvxDrawMode DrawMode() const;

 protected:
  // Windows: to a framework TBitmap, or a TPicture's bitmap: it becomes 32-bit and this size,
  // and this bitmap is drawn at (0, 0) over the pixels it had.
  void AssignTo(TPersistent* Dest) const override;

 private:
  // The platform half of Assign: false when Source is nothing the platform knows.
  bool AssignFromPlatform(const TPersistent* Source);
  void ReleaseBuffer();
  // Exchanges pixel storage (and registry entries) with Other; names and flags stay.
  void SwapStorage(TvxBitmap& Other);

  TvxColor* FBits = nullptr;
  Integer FWidth = 0;
  Integer FHeight = 0;
  std::string FName;
  HBITMAP FDIBHandle = nullptr;
  HDC FDC = nullptr;
  bool FAlphaBlend = false;
  bool FTransparent = false;
};

// A target of the scaled draw: Row0 is the top row; Stride (in pixels) is negative for
// bottom-up memory.
struct TvxPixelTarget {
  TvxColor* Row0;
  ptrdiff_t Stride;
  Integer Width;
  Integer Height;
};

// The engine's one scaled draw: clip, then same-size rows or nearest-neighbour sampling with a
// column map computed once.
void ScaledDraw(const TvxBitmap& Source, const TvxPixelTarget& Target, const TRect& DestRect, const TRect& SrcRect);

// Where Tile puts each tile: OnTile(destination rectangle, source rectangle).
template <typename TOnTile>
void ForEachTile(const TRect& DestRect, const TRect& SrcRect, const TRect& ClipRect, TOnTile OnTile) {
  const Integer W = SrcRect.Width(), H = SrcRect.Height();
  if (W <= 0 || H <= 0) return;
  for (int64_t X = DestRect.Left; X < DestRect.Right; X += W) {
    for (int64_t Y = DestRect.Top;; Y += H) {
      const TRect Piece = Intersect(Bounds(Integer(X), Integer(Y), W, H), DestRect);
      if (Piece.IsEmpty()) break;
      if (ClipRect.IsEmpty() || !Intersect(Piece, ClipRect).IsEmpty())
        OnTile(Piece, Bounds(SrcRect.Left, SrcRect.Top, Piece.Width(), Piece.Height()));
    }
  }
}

// A one-colour shadow of Glyph: near-key pixels become key, every other visible pixel
// ColorToPixel(Color, 100), AlphaBlend set.
void MakeSilhouette(const TvxBitmap& Glyph, TColor Color, TvxBitmap& Result);

// Windows: MakeSilhouette of Glyph drawn at (X, Y).
void DrawSilhouette(HDC DC, Integer X, Integer Y, TColor Color, const TvxBitmap& Glyph);
void DrawSilhouette(TCanvas& Canvas, Integer X, Integer Y, TColor Color, const TvxBitmap& Glyph);
