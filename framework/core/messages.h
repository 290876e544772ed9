// Messages as objects receive them: the window message numbers of the platform, the framework's
// own control messages, and the record a handler reads and answers through.
//
// A class handles messages by overriding TObject::Dispatch with a switch over the numbers it
// knows and passing every other message to its parent class's Dispatch; what no class handles
// reaches DefaultHandler.
#pragma once

#include <cstdint>

using TMsgNum = uint32_t;

struct TMessage {
  TMsgNum Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// Framework control messages, above the platform's WM_USER range so they meet no window class's own.
constexpr TMsgNum CM_BASE = 0xB000;
// The framework's own numbers never reach a window class's procedure.
constexpr bool IsControlMessage(TMsgNum Msg) { return Msg >= CM_BASE && Msg < CM_BASE + 0x1000; }
constexpr TMsgNum CM_ACTIVATE = CM_BASE + 0;
constexpr TMsgNum CM_DEACTIVATE = CM_BASE + 1;
// Sent to a windowless control that held the mouse capture when its window lost the capture: a
// press it was tracking has ended without a release.
constexpr TMsgNum CM_CANCELMODE = CM_BASE + 2;
constexpr TMsgNum CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr TMsgNum CM_COLORCHANGED = CM_BASE + 4;
constexpr TMsgNum CM_FONTCHANGED = CM_BASE + 5;
constexpr TMsgNum CM_CURSORCHANGED = CM_BASE + 6;
constexpr TMsgNum CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr TMsgNum CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr TMsgNum CM_TEXTCHANGED = CM_BASE + 12;
// The pointer came over (left) the control: LParam 0; its parents hear it with the child in LParam.
constexpr TMsgNum CM_MOUSEENTER = CM_BASE + 19;
constexpr TMsgNum CM_MOUSELEAVE = CM_BASE + 20;
constexpr TMsgNum CM_BUTTONPRESSED = CM_BASE + 24;
constexpr TMsgNum CM_VISIBLECHANGED = CM_BASE + 27;
constexpr TMsgNum CM_ENTER = CM_BASE + 28;
constexpr TMsgNum CM_EXIT = CM_BASE + 29;
constexpr TMsgNum CM_DIALOGCHAR = CM_BASE + 31;
constexpr TMsgNum CM_DIALOGKEY = CM_BASE + 32;
// Posted to free a form (or other component) once the message that asked for it has ended.
constexpr TMsgNum CM_RELEASE = CM_BASE + 33;
constexpr TMsgNum CM_FOCUSCHANGED = CM_BASE + 35;
constexpr TMsgNum CM_PARENTSHOWHINTCHANGED = CM_BASE + 38;
// Sent to a control whose hint is about to show, with a THintInfo (framework/ui/application.h)
// in LParam: the control may give the text of the part under the pointer, or none.
constexpr TMsgNum CM_HINTSHOW = CM_BASE + 48;
constexpr TMsgNum CM_RECREATEWND = CM_BASE + 51;
constexpr TMsgNum CM_CONTROLCHANGE = CM_BASE + 54;
constexpr TMsgNum CM_CHILDKEY = CM_BASE + 56;
constexpr TMsgNum CM_SHOWINGCHANGED = CM_BASE + 25;
// A typed character the code page cannot give as one byte: WParam is its UTF-16 unit (a pair
// arrives as two). A control that takes such characters answers 1; otherwise the character is
// dispatched in the code page's form.
constexpr TMsgNum CM_WIDECHAR = CM_BASE + 60;
// A child window's notification (WM_COMMAND, WM_NOTIFY) handed back to the child's own control:
// CN_BASE + the platform message. Inside the control-message range, so no window class sees it.
constexpr TMsgNum CN_BASE = 0xBC00;
constexpr TMsgNum CN_COMMAND = CN_BASE + 0x0111;
constexpr TMsgNum CN_NOTIFY = CN_BASE + 0x004E;
