// Pixel formats of framework bitmaps, in the framework's ordinal order.
#pragma once

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// The format for a bit depth as GDI reports it; anything unusual is pfCustom.
constexpr TPixelFormat PixelFormatFromBits(int BitsPerPixel) {
  switch (BitsPerPixel) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 15: return TPixelFormat::pf15bit;
    case 16: return TPixelFormat::pf16bit;
    case 24: return TPixelFormat::pf24bit;
    case 32: return TPixelFormat::pf32bit;
    default: return TPixelFormat::pfCustom;
  }
}
