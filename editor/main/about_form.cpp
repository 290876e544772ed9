#include "editor/main/about_form.h"

#include <windows.h>

#include "framework/ui/panel.h"
#include "framework/ui/stdctrls.h"

TfrmAbout* frmAbout = nullptr;

namespace {

TLabel* CenteredLine(TPanel* Panel, Integer Top, const std::string& Text, Integer Size, bool Bold) {
  auto* Line = new TLabel(Panel->Owner());
  Line->SetAutoSize(false);
  Line->SetAlignment(TAlignment::taCenter);
  Line->SetTransparent(true);
  Line->SetParentFont(false);
  Line->Font()->SetName("Tahoma");
  Line->Font()->SetSize(Size);
  if (Bold) Line->Font()->SetStyle({TFontStyle::fsBold});
  Line->SetBounds(4, Top, Panel->Width() - 8, Size * 2 + 4);
  Line->SetCaption(Text);
  Line->SetParent(Panel);
  return Line;
}

}  // namespace

TfrmAbout::TfrmAbout(TComponent* Owner) : TForm(Owner) {
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetPosition(TPosition::poScreenCenter);
  SetCaption("About Pellan");
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  SetClientWidth(358);
  SetClientHeight(190);

  auto* Panel = new TPanel(this);
  Panel->SetBevelOuter(TPanelBevel::bvLowered);
  Panel->SetColor(clWindow);
  Panel->SetCaption("");
  Panel->SetBounds(8, 8, 342, 136);
  Panel->SetParent(this);
  CenteredLine(Panel, 14, "Vamsel", 16, true);
  FVersion = CenteredLine(Panel, 54, "", 8, false);
  FVersion->SetCaption("Vexel version 4.03");
  CenteredLine(Panel, 82, "Pellan, the skin editor", 8, false);
  CenteredLine(Panel, 102, "Skins for every window of a Win32 program", 8, false);

  auto* Ok = new TButton(this);
  Ok->SetCaption("OK");
  Ok->SetModalResult(mrOk);
  Ok->SetDefault(true);
  Ok->SetCancel(true);
  Ok->SetBounds(142, 154, 75, 25);
  Ok->SetParent(this);
}

void TfrmAbout::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= WS_EX_TOPMOST;
}
