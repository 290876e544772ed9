// THintWindow: the small pop-up that shows a control's hint near the pointer. It never takes
// the focus or the mouse. The application owns the one it uses (Application->HintWindow()).
#pragma once

#include <string>

#include "framework/ui/controls.h"

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The bounds (at 0, 0) Text needs with the margins, lines wrapped at MaxWidth.
  TRect CalcHintRect(Integer MaxWidth, const std::string& Text);
  // Shows Text in Rect (screen coordinates) without activating the window.
  void ActivateHint(const TRect& Rect, const std::string& Text);
  void ReleaseHint() { Hide(); }
  // Shown now.
  bool Active();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};
