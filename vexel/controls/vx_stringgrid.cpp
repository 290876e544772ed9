#include "vexel/controls/vx_stringgrid.h"

#include <windows.h>

#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {
// The square between the two platform bars that the classic frame fills.
constexpr Integer SizeBoxSide = 20;

std::wstring Wide(const std::string& S) { return AnsiToWideCP(CP_ACP, S); }

}  // namespace

const TClassInfo& TVxStringGrid::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TVxStringGrid::ThemeObject, &TVxStringGrid::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxStringGrid", &TStringGrid::StaticClassInfo(), Properties, {}, &CreateComponent<TVxStringGrid>};
  return Info;
}

TVxStringGrid::TVxStringGrid(TComponent* Owner) : TStringGrid(Owner) {
  FScrollBars = new TVxSubScrollBar(this, nullptr, [this](TComponent* BarOwner) { return CreateScrollBar(BarOwner); });
  FScrollBars->SetHost(this);
  ApplyThemeSettings();
  RegisterThemeClient(this);
}

TVxStringGrid::~TVxStringGrid() {
  UnregisterThemeClient(this);
  // The bars go first: they must not follow a grid that is half gone.
  if (TVxSubScrollBar* Bars = FScrollBars) {
    FScrollBars = nullptr;
    Bars->SetHost(nullptr);
    delete Bars;
  }
}

TVxScrollBar* TVxStringGrid::CreateScrollBar(TComponent* Owner) { return new TVxScrollBar(Owner); }

void TVxStringGrid::SetThemeObject(const std::string& Value) {
  if (Value == FThemeObject) return;
  FThemeObject = Value;
  Invalidate();
}

void TVxStringGrid::SetParent(TWinControl* Value) {
  TStringGrid::SetParent(Value);
  if (FScrollBars) FScrollBars->UpdateParent();
}

void TVxStringGrid::Loaded() {
  TStringGrid::Loaded();
  if (CurrentTheme()) ApplyThemeSettings();
}

bool TVxStringGrid::Themed() const { return IsGridThemed(0, FThemeObject, nullptr); }

void TVxStringGrid::ApplyThemeSettings() {
  TvxTheme* Theme = CurrentTheme();
  if (!Theme) {
    FDefaultDrawing = true;
    SetColor(clWindow);
    return;
  }
  SetColor(Theme->Colors().Color(vxcGrid));
  FDefaultDrawing = !IsGridThemed(0, "default", nullptr);
}

int TVxStringGrid::StyleState() const {
  if (!Enabled()) return 4;
  if (Focused()) return 3;
  if (FMouseInControl) return 2;
  return 1;
}

void TVxStringGrid::RedrawFrame() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void TVxStringGrid::WndProc(TMessage& Message) {
  if (FScrollBars) FScrollBars->HostMessage(Message);
  TStringGrid::WndProc(Message);
  if (Message.Msg == WM_MOUSEWHEEL && FScrollBars) FScrollBars->Sync();
}

void TVxStringGrid::Resize() {
  TStringGrid::Resize();
  if (FScrollBars) FScrollBars->Sync();
}

void TVxStringGrid::MouseEnter() {
  FMouseInControl = true;
  RedrawFrame();
}

void TVxStringGrid::MouseLeave() {
  FMouseInControl = false;
  RedrawFrame();
}

void TVxStringGrid::PaintBackground(TCanvas& Canvas, const TRect& R) {
  HDC DC = Canvas.Handle();
  if (!Themed()) {
    TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Edit");
    if (Style) return Style.DrawBackground(DC, 1, StyleState(), R);
  }
  FillRectColor(DC, R, Color());
}

void TVxStringGrid::PaintFrame(TCanvas& Canvas, const TRect& R) {
  HDC DC = Canvas.Handle();
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) Theme->DrawGrid(0, Canvas, "default", R);
    return;
  }
  TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Edit");
  if (Style) return Style.DrawBackground(DC, 1, StyleState(), R);
  DrawBevel(DC, R, clBtnShadow, clBtnHighlight);
  DrawBevel(DC, Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), cl3DDkShadow, clBtnFace);
  const LONG_PTR Style2 = HandleAllocated() ? GetWindowLongPtrA(Handle(), GWL_STYLE) : 0;
  if ((Style2 & WS_HSCROLL) && (Style2 & WS_VSCROLL))
    FillRectColor(DC, Rect(R.Right - SizeBoxSide, R.Bottom - SizeBoxSide, R.Right, R.Bottom), clBtnFace);
}

void TVxStringGrid::NcPaint() {
  if (!HandleAllocated()) return;
  PaintNonClientFrame(Handle(), [this](HDC DC, const TRect& R) {
    TCanvas Canvas(DC);
    PaintFrame(Canvas, R);
  });
}

void TVxStringGrid::DrawCell(Integer ACol, Integer ARow, const TRect& R, TGridDrawState State) {
  TvxTheme* Theme = FDefaultDrawing ? nullptr : CurrentTheme();
  if (!Theme) return TStringGrid::DrawCell(ACol, ARow, R, State);
  TCanvas& C = *Canvas();
  Byte CellState = 0;
  if (!Enabled())
    CellState = 4;
  else if (State.Contains(TGridDrawStateFlag::gdFocused))
    CellState = 3;
  else if (State.Contains(TGridDrawStateFlag::gdSelected))
    CellState = Options().Contains(TGridOption::goRowSelect) ? 3 : 1;
  TvxStateInfo Info;
  Info.Rect = R;
  Info.State = CellState;
  Info.Part = State.Contains(TGridDrawStateFlag::gdFixed) ? 1 : 0;
  Theme->DrawGridCell(0, C, FThemeObject, Info);
  C.Font().Assign(Font());
  C.RequireObjects();
  TvxTextInfo Text;
  Text.Rect = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
  Text.Text = Wide(Cells(ACol, ARow));
  Text.Alignment = 0;
  Text.Flags = vxtfSingleLine;
  Theme->DrawGridCellText(0, C, FThemeObject, Text, CellState);
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, R, State);
}

void TVxStringGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (Message.WParam) {
        TCanvas Canvas(reinterpret_cast<HDC>(Message.WParam));
        PaintBackground(Canvas, Rect(-2, -2, Width() + 2, Height() + 2));
      }
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      TStringGrid::Dispatch(Message);
      NcPaint();
      return;
    case TM_THEMECHANGE: {
      const uintptr_t Code = Message.WParam;
      if ((Code == 0 || Code == 3) && HandleAllocated()) ApplyThemeSettings();
      if (Code == 4) {
        FDefaultDrawing = true;
        SetColor(clWindow);
      }
      if (Code == 0 || Code == 3 || Code == 4)
        RedrawFrame();
      else if (Code == 5)
        Invalidate();
      return;
    }
  }
  TStringGrid::Dispatch(Message);
}
