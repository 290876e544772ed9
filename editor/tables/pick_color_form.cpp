#include "editor/tables/pick_color_form.h"

#include <windows.h>

#include <string>

#include "framework/ui/application.h"
#include "framework/ui/clipboard.h"
#include "framework/ui/panel.h"
#include "framework/ui/stdctrls.h"

namespace {

TButton* MakeButton(TfrmPickColor* Form, const std::string& Caption, TRect Bounds) {
  auto* Button = new TButton(Form);
  Button->SetCaption(Caption);
  Button->SetBoundsRect(Bounds);
  Button->SetParent(Form);
  return Button;
}

TColor ScreenPixel(TPoint P) {
  HDC DC = GetDC(nullptr);
  const COLORREF Pixel = GetPixel(DC, P.X, P.Y);
  ReleaseDC(nullptr, DC);
  return Pixel == CLR_INVALID ? clBlack : TColor(Pixel);
}

}  // namespace

TfrmPickColor::TfrmPickColor(TComponent* Owner) : TForm(Owner) {
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetPosition(TPosition::poScreenCenter);
  SetCaption("Pick color");
  Font()->SetName("MS Shell Dlg 2");
  Font()->SetSize(8);
  SetClientWidth(249);
  SetClientHeight(147);

  FSwatch = new TPanel(this);
  FSwatch->SetBevelOuter(TPanelBevel::bvLowered);
  FSwatch->SetCaption("");
  FSwatch->SetColor(FColor);
  FSwatch->SetBounds(8, 8, 89, 89);
  FSwatch->SetParent(this);

  FStart = MakeButton(this, "&Start", Bounds(8, 108, 89, 25));
  FStart->OnClick = [this](TObject*) { StartPicking(); };

  FLabel = new TLabel(this);
  FLabel->SetCaption("Color:");
  FLabel->SetBounds(112, 12, 40, 13);
  FLabel->SetParent(this);
  FEdit = new TEdit(this);
  FEdit->SetBounds(112, 30, 129, 21);
  FEdit->SetParent(this);

  FOk = MakeButton(this, "OK", Bounds(112, 108, 61, 25));
  FOk->SetModalResult(mrOk);
  FOk->SetDefault(true);
  FCancel = MakeButton(this, "Cancel", Bounds(180, 108, 61, 25));
  FCancel->SetModalResult(mrCancel);
  FCancel->SetCancel(true);
}

void TfrmPickColor::StartPicking() {
  FPicking = true;
  Screen->SetCursor(crHandPoint);
  SetMouseCapture(true);
}

void TfrmPickColor::StopPicking() {
  FPicking = false;
  Screen->SetCursor(crDefault);
}

void TfrmPickColor::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (FPicking) FSwatch->SetColor(ScreenPixel(ClientToScreen({X, Y})));
  TForm::MouseMove(Shift, X, Y);
}

void TfrmPickColor::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FColor = FSwatch->Color();
  FEdit->SetText(std::to_string(FColor));
  Clipboard().SetAsText(FEdit->Text());
  StopPicking();
  TForm::MouseDown(Button, Shift, X, Y);
}

void TfrmPickColor::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  // The left button's release ends the capture by itself; the others must be told.
  if (Button != TMouseButton::mbLeft && MouseCapture()) SetMouseCapture(false);
  TForm::MouseUp(Button, Shift, X, Y);
}

void TfrmPickColor::DoHide() {
  // Closed from the keyboard while picking: the screen and the mouse go back to the others.
  if (FPicking) {
    StopPicking();
    if (MouseCapture()) SetMouseCapture(false);
  }
  TForm::DoHide();
}
