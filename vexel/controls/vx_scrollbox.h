// TVxScrollBox: the framework's scroll box with skinned bars over its own scroll bars and a
// skinned frame and background. Windows only.
#pragma once

#include <string>

#include "framework/ui/scrollbox.h"
#include "vexel/controls/vx_scrollbar.h"

class TVxScrollBox : public TScrollBox {
 public:
  explicit TVxScrollBox(TComponent* Owner = nullptr);
  ~TVxScrollBox() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& Value);
  TVxSubScrollBar* SubScrollBar() const { return FScrollBars; }
  // The bars lie on the box's parent: they move with it.
  void SetParent(TWinControl* Value) override;
  bool MouseInControl() const { return FMouseInControl; }

 protected:
  // Makes each of the two bars; descendants may return their own kind.
  virtual TVxScrollBar* CreateScrollBar(TComponent* Owner);
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The whole window (enlarged by 2) in the theme's button face, the platform's edit style or
  // Color.
  virtual void PaintBackground(HDC DC);
  // The frame around the client area, drawn into the window's context.
  virtual void PaintFrame();

 private:
  bool Themed() const;
  int StyleState() const;

  std::string FThemeObject = "default";
  TVxSubScrollBar* FScrollBars = nullptr;
  bool FMouseInControl = false;
};
