// THintWindow: the pop-up that shows hints.
#include "framework/ui/hint_window.h"

#include <windows.h>

#include "framework/graphics/gdi_handles.h"

namespace {
constexpr Integer HintMarginX = 4, HintMarginY = 2;
constexpr UINT HintTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
}  // namespace

const TClassInfo& THintWindow::StaticClassInfo() {
  static const TClassInfo Info{"THintWindow", &TCustomControl::StaticClassInfo(), {}};
  return Info;
}

THintWindow::THintWindow(TComponent* Owner) : TCustomControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetVisible(false);
  SetColor(clInfoBk);
  Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  Params.WndParent = nullptr;
  Params.ClassStyle |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const std::string& Text) {
  TWindowDC Screen(nullptr);
  TSelectGuard Select(Screen.Get(), Font()->Handle());
  RECT R{0, 0, MaxWidth, 0};
  DrawTextA(Screen.Get(), Text.c_str(), int(Text.size()), &R, HintTextFlags | DT_CALCRECT);
  // Room for the border on each side besides the margins.
  const Integer Border = 2 * GetSystemMetrics(SM_CXBORDER), BorderY = 2 * GetSystemMetrics(SM_CYBORDER);
  return Rect(0, 0, R.right + 2 * HintMarginX + Border, R.bottom + 2 * HintMarginY + BorderY);
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& Text) {
  SetCaption(Text);
  SetBoundsRect(Rect);
  HWND Wnd = Handle();
  SetWindowPos(Wnd, HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  TControl::SetVisible(true);
  Invalidate();
}

bool THintWindow::Active() { return HandleAllocated() && IsWindowVisible(Handle()); }

void THintWindow::Paint() {
  TCanvas& C = *Canvas();
  C.Brush().SetStyle(TBrushStyle::bsClear);
  C.RequireObjects();
  RECT R{HintMarginX, HintMarginY, ClientWidth() - HintMarginX, ClientHeight() - HintMarginY};
  DrawTextA(C.Handle(), Caption().c_str(), int(Caption().size()), &R, HintTextFlags);
}

void THintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST: Message.Result = HTTRANSPARENT; return;
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
  }
  TCustomControl::Dispatch(Message);
}
