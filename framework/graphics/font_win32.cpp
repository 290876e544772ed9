#include <windows.h>

#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handles.h"

int ScreenPixelsPerInch() {
  static const int PixelsPerInch = [] {
    TWindowDC Screen(nullptr);
    const int Value = Screen.Get() ? GetDeviceCaps(Screen.Get(), LOGPIXELSY) : 0;
    return Value > 0 ? Value : 96;
  }();
  return PixelsPerInch;
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTA Log{};
    Log.lfHeight = FHeight;
    Log.lfWeight = FStyle.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    Log.lfItalic = FStyle.Contains(TFontStyle::fsItalic);
    Log.lfUnderline = FStyle.Contains(TFontStyle::fsUnderline);
    Log.lfStrikeOut = FStyle.Contains(TFontStyle::fsStrikeOut);
    Log.lfCharSet = FCharset;
    Log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    Log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    Log.lfQuality = DEFAULT_QUALITY;
    Log.lfPitchAndFamily = FPitch == TFontPitch::fpFixed      ? FIXED_PITCH
                           : FPitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                              : DEFAULT_PITCH;
    lstrcpynA(Log.lfFaceName, FName.c_str(), LF_FACESIZE);
    FHandle = CreateFontIndirectA(&Log);
  }
  return FHandle;
}

void TFont::DeleteHandle(HFONT Handle) {
  if (Handle) DeleteObject(Handle);
}
