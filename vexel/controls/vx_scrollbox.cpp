#include "vexel/controls/vx_scrollbox.h"

#include <windows.h>

#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {
// The square between the two bars that the classic frame fills.
constexpr Integer SizeBoxSide = 25;
}  // namespace

const TClassInfo& TVxScrollBox::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TVxScrollBox::ThemeObject, &TVxScrollBox::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxScrollBox", &TScrollBox::StaticClassInfo(), Properties, {}, &CreateComponent<TVxScrollBox>};
  return Info;
}

TVxScrollBox::TVxScrollBox(TComponent* Owner) : TScrollBox(Owner) {
  FScrollBars = new TVxSubScrollBar(this, nullptr, [this](TComponent* BarOwner) { return CreateScrollBar(BarOwner); });
  FScrollBars->SetHost(this);
  RegisterThemeClient(this);
}

TVxScrollBox::~TVxScrollBox() {
  UnregisterThemeClient(this);
  if (FScrollBars) FScrollBars->SetHost(nullptr);
}

TVxScrollBar* TVxScrollBox::CreateScrollBar(TComponent* Owner) { return new TVxScrollBar(Owner); }

void TVxScrollBox::SetThemeObject(const std::string& Value) {
  if (Value == FThemeObject) return;
  FThemeObject = Value;
  Invalidate();
}

void TVxScrollBox::SetParent(TWinControl* Value) {
  TScrollBox::SetParent(Value);
  if (FScrollBars) FScrollBars->UpdateParent();
}

bool TVxScrollBox::Themed() const { return IsScrollBoxThemed(0, FThemeObject, nullptr); }

int TVxScrollBox::StyleState() const {
  if (!Enabled()) return 4;
  if (Focused()) return 3;
  if (FMouseInControl) return 2;
  return 1;
}

void TVxScrollBox::WndProc(TMessage& Message) {
  if (FScrollBars) FScrollBars->HostMessage(Message);
  TScrollBox::WndProc(Message);
  if (Message.Msg == WM_MOUSEWHEEL && FScrollBars) FScrollBars->Sync();
}

void TVxScrollBox::Resize() {
  TScrollBox::Resize();
  if (FScrollBars) FScrollBars->Sync();
}

void TVxScrollBox::MouseEnter() {
  FMouseInControl = true;
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TVxScrollBox::MouseLeave() {
  FMouseInControl = false;
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TVxScrollBox::PaintBackground(HDC DC) {
  RECT Client;
  GetClientRect(Handle(), &Client);
  const TRect R(Client.left - 2, Client.top - 2, Client.right + 2, Client.bottom + 2);
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) return FillRectColor(DC, R, Theme->SysColors().SysColor(clBtnFace));
  }
  TVisualStyle Style(Handle(), L"Edit");
  if (Style) return Style.DrawBackground(DC, 1, StyleState(), R);
  FillRectColor(DC, R, Color());
}

void TVxScrollBox::PaintFrame() {
  if (!HandleAllocated()) return;
  PaintNonClientFrame(Handle(), [this](HDC DC, const TRect& R) {
    if (Themed()) {
      if (TvxTheme* Theme = CurrentTheme()) {
        TCanvas Canvas(DC);
        Theme->DrawScrollBox(0, Canvas, "default", R);
      }
      return;
    }
    TVisualStyle Style(Handle(), L"Edit");
    if (Style) return Style.DrawBackground(DC, 1, StyleState(), R);
    FillRectColor(DC, Rect(R.Right - SizeBoxSide, R.Bottom - SizeBoxSide, R.Right, R.Bottom), clBtnFace);
    DrawBevel(DC, R, clBtnShadow, clBtnHighlight);
    DrawBevel(DC, Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), cl3DDkShadow, clBtnFace);
  });
}

void TVxScrollBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (Message.WParam) PaintBackground(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      TScrollBox::Dispatch(Message);
      PaintFrame();
      return;
    case TM_THEMECHANGE:
      if (ThemeChangeRepaints(Message.WParam) && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
      return;
  }
  TScrollBox::Dispatch(Message);
}
