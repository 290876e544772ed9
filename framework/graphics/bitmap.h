// TBitmap: the framework's bitmap, a DIB section it owns, with a canvas of its own for GDI
// drawing and scan lines for direct pixel work. Rows are stored bottom-up, as in a BMP file,
// but ScanLine(0) is always the top row. Windows only.
//
// Pixel formats: pf1bit (black and white), pf24bit (the default), pf32bit (blue, green, red,
// alpha). Files of other depths load as pf24bit.
#pragma once

#include <memory>

#include "framework/graphics/canvas.h"
#include "framework/graphics/graphic.h"
#include "framework/graphics/pixel_format.h"

enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// The canvas of a TBitmap: owns a memory DC with the bitmap selected, made on first use and let
// go whenever the bitmap changes its handle or hands it out.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(const TBitmap& Bitmap) : FBitmap(Bitmap) {}
  ~TBitmapCanvas() override;
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  const TBitmap& FBitmap;
  HDC FDC = nullptr;
  void* FOldBitmap = nullptr;
};

// Whether Bitmap is a DIB section of a TBitmap (stored bottom-up); false for every other bitmap,
// whose row order a caller cannot learn from the bitmap itself.
bool IsBottomUpBitmapSection(HBITMAP Bitmap);

class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer Width() const override { return FWidth; }
  Integer Height() const override { return FHeight; }
  // The overlapping part of the old pixels is kept, the rest starts black. Negative sides count
  // as 0; a size beyond MaxGraphicSide / MaxGraphicPixels raises EInvalidGraphicOperation.
  void SetSize(Integer W, Integer H);
  void SetWidth(Integer W) { SetSize(W, FHeight); }
  void SetHeight(Integer H) { SetSize(FWidth, H); }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Converts the pixels through GDI; formats other than pf1bit, pf24bit and pf32bit raise
  // EInvalidGraphicOperation.
  void SetPixelFormat(TPixelFormat Value);

  // The DC is made on first use; drawing through it and through ScanLine reaches the same pixels.
  TCanvas& Canvas() const;
  // Row Y, top row 0, after pending GDI drawing has landed. Out of range: EInvalidGraphicOperation.
  void* ScanLine(Integer Y) const;
  // The DIB section, nil while empty. The bitmap's own canvas lets go of it first, so that the
  // caller can select it into another DC.
  HBITMAP Handle() const;

  // Transparent drawing leaves out the pixels of TransparentColor: with tmAuto the colour of the
  // bottom-left pixel, with tmFixed the colour set (setting one switches to tmFixed).
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // From another TBitmap (format, size, pixels, transparency); other graphics that know how to
  // fill a bitmap do so.
  void Assign(const TPersistent* Source) override;
  void Draw(TCanvas& Canvas, const TRect& Rect) const override;

  // A BMP file: 1, 4, 8, 16 (5-5-5 or bit fields), 24 and 32 bits, rows either way up; 32-bit
  // files keep their fourth byte as alpha. Compressed files, damaged headers, data shorter than
  // the headers claim and sizes beyond the bounds raise EInvalidGraphic, and the bitmap stays as
  // it was. Saving writes the bitmap's own format.
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) const override;
  // A bitmap resource of a loaded module (nil: the program), read as LoadFromStream reads its
  // file. A missing or damaged resource raises EInvalidGraphic, and the bitmap stays as it was.
  void LoadFromResourceName(HMODULE Instance, const std::string& Name);
  // The pixels as a device-independent bitmap (CF_DIB).
  void CopyToClipboard() const;

 private:
  friend class TBitmapCanvas;
  // The stored form of a bitmap property: a BMP file, nothing for an empty bitmap.
  void ReadData(TStream& Stream);
  void WriteData(TStream& Stream) const;
  struct TSectionDeleter {
    void operator()(HBITMAP Section) const;
  };
  struct TStorage {
    std::unique_ptr<HBITMAP__, TSectionDeleter> Section;
    uint8_t* Bits = nullptr;
  };
  static TStorage CreateStorage(Integer W, Integer H, TPixelFormat Kind);
  // Takes Storage as the bitmap's pixels after the canvas has let go of the old ones.
  void Adopt(TStorage&& Storage, Integer W, Integer H, TPixelFormat Kind);
  size_t Stride() const;
  void FreeCanvasContext() const;

  TStorage FStorage;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TPixelFormat FPixelFormat = TPixelFormat::pf24bit;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
  mutable std::unique_ptr<TBitmapCanvas> FCanvas;
};
