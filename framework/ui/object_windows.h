// Window procedures bound to objects, and hidden utility windows.
//
// Every framework window runs ObjectWindowProc: it finds its control through a window property
// and hands the message to the control's WindowProc. The procedure is a real window procedure
// installed with SetWindowLongPtr(GWLP_WNDPROC), so code that subclasses a control's window the
// same way chains to it with CallWindowProc.
//
// A utility window (AllocateHWnd) is a hidden top-level window whose messages all go to one
// handler; the handler passes the ones it does not answer to DefWindowProc (DefaultUtilityMessage).
#pragma once

#include <cstdint>
#include <functional>

#include "framework/core/messages.h"
#include "framework/core/platform_handles.h"

class TObject;

using TUtilityHandler = std::function<void(HWND Wnd, TMessage& Message)>;

HWND AllocateHWnd(TUtilityHandler Handler);
// Destroys the window; nil is ignored. The handler hears no message after this.
void DeallocateHWnd(HWND Wnd);
// The platform's default answer to Message for a utility window.
void DefaultUtilityMessage(HWND Wnd, TMessage& Message);

// The window procedure of every framework window, as the address SetWindowLongPtr stores.
intptr_t ObjectWindowProcAddress();

// Runs the last exception through the application's handler (a window procedure must not let
// one escape into the platform).
void HandleCallbackException(TObject* Sender);
