// TPngImage: the framework graphic over the PNG codec.
#include <windows.h>

#include <cstring>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/png_image.h"

const TClassInfo& TPngImage::StaticClassInfo() {
  static const TClassInfo Info{"TPngImage", &TGraphic::StaticClassInfo(), {}};
  return Info;
}

void TPngImage::SetHasAlpha(bool Value) {
  if (Value == FImage.HasAlpha) return;
  FImage.HasAlpha = Value;
  Changed();
}

void TPngImage::SetSize(Integer W, Integer H) {
  if (W <= 0 || H <= 0) {
    FImage.Width = FImage.Height = 0;
    FImage.Pixels.clear();
  } else {
    if (!GraphicSizeAllowed(W, H)) throw EInvalidGraphicOperation(Format("A %d x %d image is too large", W, H));
    FImage.Width = W;
    FImage.Height = H;
    FImage.Pixels.assign(size_t(W) * size_t(H), 0xFF000000);
  }
  Changed();
}

void TPngImage::Assign(const TPersistent* Source) {
  if (const auto* Png = dynamic_cast<const TPngImage*>(Source)) {
    if (Png != this) {
      FImage = Png->FImage;
      Changed();
    }
    return;
  }
  if (const auto* Bitmap = dynamic_cast<const TBitmap*>(Source)) {
    // Through a 32-bit copy, whatever the bitmap's own format.
    TBitmap Wide;
    Wide.Assign(Bitmap);
    Wide.SetPixelFormat(TPixelFormat::pf32bit);
    TPngPixels Image;
    Image.Width = Wide.Width();
    Image.Height = Wide.Height();
    Image.Pixels.resize(size_t(Image.Width) * size_t(Image.Height));
    for (Integer Y = 0; Y < Image.Height; ++Y) {
      const auto* Row = static_cast<const uint32_t*>(Wide.ScanLine(Y));
      for (Integer X = 0; X < Image.Width; ++X) Image.Pixels[size_t(Y) * Image.Width + X] = Row[X] | 0xFF000000;
    }
    FImage = std::move(Image);
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TPngImage::AssignTo(TPersistent* Dest) const {
  auto* Bitmap = dynamic_cast<TBitmap*>(Dest);
  if (!Bitmap) return TGraphic::AssignTo(Dest);
  TBitmap Result;
  Result.SetPixelFormat(TPixelFormat::pf32bit);
  Result.SetSize(FImage.Width, FImage.Height);
  for (Integer Y = 0; Y < FImage.Height; ++Y) std::memcpy(Result.ScanLine(Y), Scanline(Y), size_t(FImage.Width) * 4);
  Bitmap->Assign(&Result);
}

void TPngImage::Draw(TCanvas& Canvas, const TRect& Rect) const {
  if (Empty() || Rect.IsEmpty()) return;
  HDC Target = Canvas.Handle();
  if (!Target) return;
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = FImage.Width;
  Info.bmiHeader.biHeight = -FImage.Height;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  if (!FImage.HasAlpha) {
    const int OldMode = SetStretchBltMode(Target, COLORONCOLOR);
    StretchDIBits(Target, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), 0, 0, FImage.Width, FImage.Height,
                  FImage.Pixels.data(), &Info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(Target, OldMode);
    return;
  }
  // GDI blends premultiplied pixels.
  TBitmap Premultiplied;
  Premultiplied.SetPixelFormat(TPixelFormat::pf32bit);
  Premultiplied.SetSize(FImage.Width, FImage.Height);
  for (Integer Y = 0; Y < FImage.Height; ++Y) {
    auto* Out = static_cast<uint32_t*>(Premultiplied.ScanLine(Y));
    const uint32_t* In = Scanline(Y);
    for (Integer X = 0; X < FImage.Width; ++X) {
      const uint32_t P = In[X], A = P >> 24;
      const auto Scale = [A](uint32_t C) { return (C * A + 127) / 255; };
      Out[X] = A << 24 | Scale(P >> 16 & 0xFF) << 16 | Scale(P >> 8 & 0xFF) << 8 | Scale(P & 0xFF);
    }
  }
  const BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(Target, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), Premultiplied.Canvas().Handle(), 0, 0,
                FImage.Width, FImage.Height, Blend);
}

void TPngImage::LoadFromStream(TStream& Stream) {
  FImage = ReadPng(Stream);
  Changed();
}

void TPngImage::SaveToStream(TStream& Stream) const {
  WritePng(Stream, FImage.Pixels.data(), FImage.Width, FImage.Height, FImage.HasAlpha);
}
