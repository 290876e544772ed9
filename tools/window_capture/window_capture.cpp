#include "tools/window_capture/window_capture.h"

#include <chrono>

#include "framework/core/exceptions.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_effect.h"

void WaitUntilPainted(TForm& Window) {
  using Clock = std::chrono::steady_clock;
  constexpr auto Settle = std::chrono::milliseconds(300);
  const auto GiveUp = Clock::now() + std::chrono::seconds(20);
  auto QuietSince = Clock::now();
  while (Clock::now() - QuietSince < Settle) {
    if (Clock::now() > GiveUp) throw EWriteError("the window did not finish painting in 20 s");
    Application->ProcessMessages();
    if (AnyAnimating() || GetUpdateRect(Window.Handle(), nullptr, FALSE)) QuietSince = Clock::now();
    Sleep(10);
  }
}

void CaptureWindow(HWND Window, TvxBitmap& Into) {
  RECT R;
  GetWindowRect(Window, &R);
  Into.SetSize(R.right - R.left, R.bottom - R.top);
  if (Into.Empty()) throw EWriteError("the window has no pixels to capture");
  HDC Screen = GetDC(nullptr);
  const bool Copied = BitBlt(Into.DC(), 0, 0, Into.Width(), Into.Height(), Screen, R.left, R.top, SRCCOPY);
  ReleaseDC(nullptr, Screen);
  if (!Copied) throw EWriteError("the screen could not be read");
  Into.SetAlpha(255);
}
