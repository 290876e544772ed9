#include "editor/inspector/inspector_editors.h"

#include <windows.h>

namespace {

constexpr const char* ComboProp = "VxInspectorCombo";
constexpr const char* ProcProp = "VxInspectorProc";

LRESULT CALLBACK InnerEditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* Combo = static_cast<TInspectorCombo*>(GetPropA(Wnd, ComboProp));
  auto Old = reinterpret_cast<WNDPROC>(GetPropA(Wnd, ProcProp));
  if (!Old) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  switch (Msg) {
    case WM_KEYDOWN:
      if (Combo && (WParam == VK_RETURN || WParam == VK_ESCAPE)) {
        uint16_t Key = uint16_t(WParam);
        Combo->InnerKey(Key);
        if (Key == 0) return 0;
      }
      break;
    case WM_CHAR:
      if (WParam == '\r' || WParam == 27) return 0;  // handled as keys; the edit would only beep
      break;
    case WM_KILLFOCUS: {
      const LRESULT Result = CallWindowProcA(Old, Wnd, Msg, WParam, LParam);
      if (Combo) Combo->InnerFocusLost(reinterpret_cast<HWND>(WParam));
      return Result;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Old));
      RemovePropA(Wnd, ComboProp);
      RemovePropA(Wnd, ProcProp);
      break;
  }
  return CallWindowProcA(Old, Wnd, Msg, WParam, LParam);
}

}  // namespace

// [TInspectorEdit]

TInspectorEdit::TInspectorEdit(TPropertyInspector* Inspector) : TEdit(Inspector), FInspector(Inspector) {
  SetTabStop(false);
  SetVisible(false);
}

void TInspectorEdit::CreateParams(TCreateParams& Params) {
  TEdit::CreateParams(Params);
  Params.ExStyle &= ~uint32_t(WS_EX_CLIENTEDGE);
}

void TInspectorEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  if (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_UP || Key == VK_DOWN) FInspector->EditorKey(Key);
}

void TInspectorEdit::KeyPress(char& Key) {
  TEdit::KeyPress(Key);
  if (Key == '\r' || Key == 27) Key = 0;
}

void TInspectorEdit::Dispatch(TMessage& Message) {
  TEdit::Dispatch(Message);
  if (Message.Msg == WM_KILLFOCUS) FInspector->EditorFocusLost(reinterpret_cast<HWND>(Message.WParam));
}

// [TInspectorCombo]

TInspectorCombo::TInspectorCombo(TPropertyInspector* Inspector, TComboBoxStyle Style)
    : TComboBox(Inspector), FInspector(Inspector) {
  SetTabStop(false);
  SetVisible(false);
  SetStyle(Style);
  SetDropDownHeight(200);
}

bool TInspectorCombo::DroppedDown() {
  return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

HWND TInspectorCombo::InnerEdit() {
  if (!HandleAllocated() || Style() != TComboBoxStyle::csDropDown) return nullptr;
  COMBOBOXINFO Info{};
  Info.cbSize = sizeof(Info);
  return GetComboBoxInfo(Handle(), &Info) ? Info.hwndItem : nullptr;
}

void TInspectorCombo::CreateWnd() {
  TComboBox::CreateWnd();
  HWND Edit = InnerEdit();
  if (!Edit || Edit == Handle() || GetPropA(Edit, ProcProp)) return;
  SetPropA(Edit, ComboProp, this);
  SetPropA(Edit, ProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtrA(Edit, GWLP_WNDPROC)));
  SetWindowLongPtrA(Edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InnerEditProc));
}

void TInspectorCombo::InnerKey(uint16_t& Key) {
  if (!DroppedDown()) FInspector->EditorKey(Key);
}

void TInspectorCombo::InnerFocusLost(HWND NewFocus) { FInspector->EditorFocusLost(NewFocus); }

// The window class sees a press before Dispatch does: the second press of a double click must
// be taken away before the box drops its list.
void TInspectorCombo::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && FInspector->EditorPressed()) {
    Message.Result = 0;
    return;
  }
  TComboBox::WndProc(Message);
}

void TInspectorCombo::KeyDown(uint16_t& Key, TShiftState Shift) {
  TComboBox::KeyDown(Key, Shift);
  if ((Key == VK_RETURN || Key == VK_ESCAPE) && !DroppedDown()) FInspector->EditorKey(Key);
}

void TInspectorCombo::KeyPress(char& Key) {
  TComboBox::KeyPress(Key);
  if ((Key == '\r' || Key == 27) && !DroppedDown()) Key = 0;
}

void TInspectorCombo::Dispatch(TMessage& Message) {
  const bool Command = Message.Msg == CN_COMMAND;
  const unsigned Code = HIWORD(Message.WParam);
  TComboBox::Dispatch(Message);
  if (Command && Code == CBN_SELCHANGE)
    FInspector->EditorListChanged(DroppedDown());
  else if (Command && Code == CBN_CLOSEUP)
    FInspector->EditorListChanged(false);
  else if (Message.Msg == WM_KILLFOCUS)
    FInspector->EditorFocusLost(reinterpret_cast<HWND>(Message.WParam));
}

// [TInspectorButton]

TInspectorButton::TInspectorButton(TPropertyInspector* Inspector) : TButton(Inspector), FInspector(Inspector) {
  SetTabStop(false);
  SetVisible(false);
  SetCaption("...");
}

void TInspectorButton::Click() { FInspector->EditorButtonClicked(); }

void TInspectorButton::Dispatch(TMessage& Message) {
  TButton::Dispatch(Message);
  if (Message.Msg == WM_KILLFOCUS) FInspector->EditorFocusLost(reinterpret_cast<HWND>(Message.WParam));
}
