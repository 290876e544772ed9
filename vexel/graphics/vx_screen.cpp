#include "vexel/graphics/vx_screen.h"

#include <windows.h>

#include "framework/graphics/gdi_handles.h"

namespace {
TPixelFormat ProbeScreen() {
  TWindowDC Screen(nullptr);
  if (!Screen.Get()) return TPixelFormat::pfCustom;
  TBitmapHandle Probe(CreateCompatibleBitmap(Screen.Get(), 4, 4));
  BITMAP Info{};
  if (!Probe || !GetObject(Probe.Get(), sizeof Info, &Info)) return TPixelFormat::pfCustom;
  return PixelFormatFromBits(Info.bmBitsPixel);
}

TPixelFormat Override = TPixelFormat::pfDevice;
}  // namespace

TPixelFormat ScreenPixelFormat() {
  static const TPixelFormat Format = ProbeScreen();
  return Override != TPixelFormat::pfDevice ? Override : Format;
}

void OverrideScreenPixelFormat(TPixelFormat Format) { Override = Format; }
