#include "editor/preview/skin_identify.h"

#include <algorithm>

#include "framework/graphics/canvas.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/theme/vx_theme_manager.h"

// [Identify] -----------------------------------------------------------------------------------

TvxPaintProbe IdentifyAt(TvxTheme& Theme, HWND Wnd, TPoint ScreenPoint, bool NonClient, TVxDefaultForm* FormSkin) {
  TvxPaintProbe Probe;
  if (!IsWindow(Wnd)) return Probe;
  const bool Frame = NonClient && FormSkin && FormSkin->Form() && FormSkin->Form()->HandleAllocated() &&
                     FormSkin->Form()->Handle() == Wnd;
  POINT Origin{0, 0};
  Integer Width = 0, Height = 0;
  if (NonClient) {
    RECT W;
    GetWindowRect(Wnd, &W);
    Origin = {W.left, W.top};
    Width = W.right - W.left;
    Height = W.bottom - W.top;
    // A shadow lies outside the window's own rectangle.
    if (Frame) Width = std::max(Width, FormSkin->FullWidth()), Height = std::max(Height, FormSkin->FullHeight());
  } else {
    ClientToScreen(Wnd, &Origin);
    RECT C;
    GetClientRect(Wnd, &C);
    Width = C.right;
    Height = C.bottom;
  }
  Probe.Point = {ScreenPoint.X - Origin.x, ScreenPoint.Y - Origin.y};
  if (Probe.Point.X < 0 || Probe.Point.Y < 0 || Probe.Point.X >= Width || Probe.Point.Y >= Height) return Probe;

  TvxBitmap Image;
  try {
    Image.SetSize(Width, Height);
  } catch (const Exception&) {
    return Probe;
  }
  const HDC DC = Image.DC();
  TvxProbeScope Scope(Theme, Probe);
  if (Frame) {
    TCanvas Canvas(DC);
    try {
      FormSkin->PaintFrame(Canvas);
    } catch (...) {
      // What answered before the failure stands.
    }
    Canvas.SetHandle(nullptr);
  } else if (NonClient) {
    SendMessageW(Wnd, WM_PRINT, WPARAM(DC), PRF_NONCLIENT);
  } else {
    // Sent, not performed: a window whose background a hook paints gets it painted so too.
    SendMessageW(Wnd, WM_ERASEBKGND, WPARAM(DC), 0);
    SendMessageW(Wnd, WM_PRINTCLIENT, WPARAM(DC), PRF_CLIENT);
  }
  return Probe;
}

// [Tip] ----------------------------------------------------------------------------------------

namespace {

const wchar_t TipClassName[] = L"PellanIdentifyTip";
constexpr int TipPadding = 4;

HFONT TipFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

std::wstring WindowText(HWND Wnd) {
  std::wstring Text(size_t(GetWindowTextLengthW(Wnd)) + 1, L'\0');
  Text.resize(size_t(GetWindowTextW(Wnd, Text.data(), int(Text.size()))));
  return Text;
}

LRESULT CALLBACK TipProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_PAINT: {
      TPaintDC Paint(Wnd);
      const HDC DC = Paint.Get();
      RECT R;
      GetClientRect(Wnd, &R);
      FillRect(DC, &R, GetSysColorBrush(COLOR_INFOBK));
      InflateRect(&R, -TipPadding, -TipPadding);
      TSelectGuard Font(DC, TipFont());
      TBkModeGuard Mode(DC, TRANSPARENT);
      SetTextColor(DC, GetSysColor(COLOR_INFOTEXT));
      const std::wstring Text = WindowText(Wnd);
      DrawTextW(DC, Text.c_str(), int(Text.size()), &R, DT_NOPREFIX | DT_LEFT | DT_TOP);
      return 0;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
  }
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

void RegisterTipClass() {
  static const bool Registered = [] {
    WNDCLASSEXW Class{};
    Class.cbSize = sizeof Class;
    Class.lpfnWndProc = TipProc;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    Class.lpszClassName = TipClassName;
    return RegisterClassExW(&Class) != 0;
  }();
  (void)Registered;
}

}  // namespace

TIdentifyTip::~TIdentifyTip() {
  if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
}

void TIdentifyTip::Show(HWND Owner, const std::wstring& Text, TPoint ScreenPoint) {
  if (FHandle && (!IsWindow(FHandle) || GetWindow(FHandle, GW_OWNER) != Owner)) {
    if (IsWindow(FHandle)) DestroyWindow(FHandle);
    FHandle = nullptr;
  }
  if (!FHandle) {
    RegisterTipClass();
    FHandle = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, TipClassName, L"",
                              WS_POPUP | WS_BORDER, 0, 0, 0, 0, Owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!FHandle) return;
  }
  SetWindowTextW(FHandle, Text.c_str());
  RECT Size{0, 0, 0, 0};
  {
    TWindowDC DC(FHandle);
    TSelectGuard Font(DC.Get(), TipFont());
    DrawTextW(DC.Get(), Text.c_str(), int(Text.size()), &Size, DT_NOPREFIX | DT_CALCRECT);
  }
  RECT Frame{0, 0, Size.right + 2 * TipPadding, Size.bottom + 2 * TipPadding};
  AdjustWindowRectEx(&Frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  const int W = Frame.right - Frame.left, H = Frame.bottom - Frame.top;
  // Below and right of the pointer, kept on the screen.
  RECT Work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &Work, 0);
  const int X = std::max(int(Work.left), std::min(int(ScreenPoint.X) + 12, int(Work.right) - W));
  const int Y = std::max(int(Work.top), std::min(int(ScreenPoint.Y) + 18, int(Work.bottom) - H));
  SetWindowPos(FHandle, HWND_TOPMOST, X, Y, W, H, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(FHandle, nullptr, TRUE);
  UpdateWindow(FHandle);
}

void TIdentifyTip::Hide() {
  if (Visible()) ShowWindow(FHandle, SW_HIDE);
}

bool TIdentifyTip::Visible() const { return FHandle && IsWindow(FHandle) && IsWindowVisible(FHandle); }

// [Identifier] -----------------------------------------------------------------------------------

namespace {

// One hook for the thread, while any identifier lives.
std::vector<TSkinIdentifier*> GIdentifiers;
HHOOK GHook = nullptr;

LRESULT CALLBACK GetMessageHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && WParam == PM_REMOVE) {
    MSG& Message = *reinterpret_cast<MSG*>(LParam);
    // A copy: an identifier's window can close while a message is filtered.
    const std::vector<TSkinIdentifier*> Identifiers = GIdentifiers;
    for (TSkinIdentifier* Identifier : Identifiers)
      if (std::find(GIdentifiers.begin(), GIdentifiers.end(), Identifier) != GIdentifiers.end() &&
          Identifier->Filter(Message))
        break;
  }
  return CallNextHookEx(GHook, Code, WParam, LParam);
}

bool Held(int Key) { return (GetKeyState(Key) & 0x8000) != 0; }

bool IsModifierKey(WPARAM Key) {
  switch (Key) {
    case VK_CONTROL:
    case VK_MENU:
    case VK_SHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LWIN:
    case VK_RWIN: return true;
    default: return false;
  }
}

bool IsPress(UINT Msg) {
  switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK: return true;
    default: return false;
  }
}

}  // namespace

TSkinIdentifier::TSkinIdentifier(TForm& Window, TVxDefaultForm* FormSkin) : FWindow(Window), FFormSkin(FormSkin) {
  if (GIdentifiers.empty()) GHook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
  GIdentifiers.push_back(this);
}

TSkinIdentifier::~TSkinIdentifier() {
  GIdentifiers.erase(std::remove(GIdentifiers.begin(), GIdentifiers.end(), this), GIdentifiers.end());
  if (GIdentifiers.empty() && GHook) {
    UnhookWindowsHookEx(GHook);
    GHook = nullptr;
  }
}

bool TSkinIdentifier::Filter(MSG& Message) {
  const UINT Msg = Message.message;
  if (FSwallowRelease && (Msg == WM_LBUTTONUP || Msg == WM_NCLBUTTONUP)) {
    FSwallowRelease = false;
    Message.message = WM_NULL;
    return true;
  }
  const bool Key = (Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN) && !IsModifierKey(Message.wParam);
  if (Key || IsPress(Msg)) FTip.Hide();
  const bool LeftPress =
      Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK || Msg == WM_NCLBUTTONDOWN || Msg == WM_NCLBUTTONDBLCLK;
  if (!LeftPress || !Held(VK_CONTROL) || !Held(VK_MENU)) return false;
  if (!FWindow.HandleAllocated() || !Message.hwnd || GetAncestor(Message.hwnd, GA_ROOT) != FWindow.Handle())
    return false;
  Identify(Message, Msg == WM_NCLBUTTONDOWN || Msg == WM_NCLBUTTONDBLCLK);
  Message.message = WM_NULL;
  FSwallowRelease = true;
  return true;
}

void TSkinIdentifier::Identify(const MSG& Message, bool NonClient) {
  // Client clicks carry client coordinates, frame clicks screen ones.
  POINT P{short(LOWORD(Message.lParam)), short(HIWORD(Message.lParam))};
  if (!NonClient) ClientToScreen(Message.hwnd, &P);
  TvxPaintProbe Probe;
  auto* FormSkin = dynamic_cast<TVxForm*>(FFormSkin);
  TvxTheme* Theme = FormSkin && FormSkin->Themed() ? FormSkin->Theme() : CurrentTheme();
  if (Theme) Probe = IdentifyAt(*Theme, Message.hwnd, {P.x, P.y}, NonClient, FFormSkin);
  if (Probe.Found) FLast = Probe.Path;
  FTip.Show(FWindow.Handle(), Probe.Describe(), {P.x, P.y});
}
