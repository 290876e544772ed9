// The inspector's in-place editors. They only report to the inspector (keys that end editing,
// losing the focus, a new choice in the list, the "..." button); the inspector decides.
#pragma once

#include "editor/inspector/property_inspector.h"
#include "framework/ui/stdctrls.h"

class TInspectorEdit : public TEdit {
 public:
  explicit TInspectorEdit(TPropertyInspector* Inspector);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Dispatch(TMessage& Message) override;

 private:
  TPropertyInspector* FInspector;
};

// csDropDownList for fixed choices; csDropDown (typed text or a choice) for colours and charsets,
// whose inner edit window is subclassed so that Enter, Escape and focus loss reach the inspector.
class TInspectorCombo : public TComboBox {
 public:
  TInspectorCombo(TPropertyInspector* Inspector, TComboBoxStyle Style);
  bool DroppedDown();
  // The edit window inside a csDropDown box, or nil.
  HWND InnerEdit();
  // From the inner edit's window procedure.
  void InnerKey(uint16_t& Key);
  void InnerFocusLost(HWND NewFocus);

 protected:
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Dispatch(TMessage& Message) override;

 private:
  TPropertyInspector* FInspector;
};

class TInspectorButton : public TButton {
 public:
  explicit TInspectorButton(TPropertyInspector* Inspector);
  void Click() override;

 protected:
  void Dispatch(TMessage& Message) override;

 private:
  TPropertyInspector* FInspector;
};
