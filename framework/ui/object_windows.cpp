#include "framework/ui/object_windows.h"

#include <windows.h>

#include "framework/ui/application.h"

namespace {

constexpr char UtilWindowClass[] = "TPUtilWindow";

LRESULT CALLBACK UtilWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* Handler = reinterpret_cast<TUtilityHandler*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
  if (!Handler || !*Handler) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  TMessage Message{Msg, WParam, LParam, 0};
  try {
    (*Handler)(Wnd, Message);
  } catch (...) {
    HandleCallbackException(nullptr);
  }
  return Message.Result;
}

void RegisterUtilClass() {
  WNDCLASSA Existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), UtilWindowClass, &Existing)) return;
  WNDCLASSA Class{};
  Class.lpfnWndProc = UtilWindowProc;
  Class.hInstance = GetModuleHandleA(nullptr);
  Class.lpszClassName = UtilWindowClass;
  RegisterClassA(&Class);
}

}  // namespace

HWND AllocateHWnd(TUtilityHandler Handler) {
  RegisterUtilClass();
  HWND Wnd = CreateWindowExA(WS_EX_TOOLWINDOW, UtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (!Wnd) throw EOutOfResources("Cannot create a utility window");
  SetWindowLongPtrA(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TUtilityHandler(std::move(Handler))));
  return Wnd;
}

void DeallocateHWnd(HWND Wnd) {
  if (!Wnd) return;
  auto* Handler = reinterpret_cast<TUtilityHandler*>(SetWindowLongPtrA(Wnd, GWLP_USERDATA, 0));
  DestroyWindow(Wnd);
  delete Handler;
}

void DefaultUtilityMessage(HWND Wnd, TMessage& Message) {
  Message.Result = DefWindowProcA(Wnd, Message.Msg, Message.WParam, Message.LParam);
}

void HandleCallbackException(TObject* Sender) {
  if (Application) Application->HandleException(Sender);
}
