#include "examples/notepad/notepad_options_form.h"

#include <string>

#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_panels.h"
#include "vexel/controls/vx_trackbar.h"
#include "vexel/forms/vx_form.h"

namespace {

template <typename T>
T* Place(TComponent* Owner, TWinControl* Parent, const TRect& Bounds, const std::string& Caption = "") {
  auto* C = new T(Owner);
  C->SetBoundsRect(Bounds);
  C->SetParent(Parent);
  if (!Caption.empty()) C->SetCaption(Caption);
  return C;
}

}  // namespace

TfrmOptions::TfrmOptions(TComponent* Owner) : TForm(Owner) {
  SetCaption("Options");
  SetPosition(TPosition::poMainFormCenter);
  SetBorderIcons({});
  SetClientWidth(330);
  SetClientHeight(232);
  // The theme is the main window's; this dialog only needs its frame skinned.
  ThemeForm = new TVxForm(this);
  ThemeForm->SetCaption(L"Options");
  ThemeForm->SetBorderIcons({TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu});

  auto* Text = Place<TVxGroupBox>(this, this, Bounds(10, 8, 150, 110), "Editor");
  WordWrapBox = Place<TVxCheckBox>(this, Text, Bounds(12, 22, 130, 20), "&Word wrap");
  StatusBarBox = Place<TVxCheckBox>(this, Text, Bounds(12, 50, 130, 20), "&Status bar");

  auto* Sizes = Place<TVxGroupBox>(this, this, Bounds(170, 8, 150, 110), "Font size");
  for (int I = 0; I < 3; ++I) {
    FontSizeButtons[I] =
        Place<TVxRadioButton>(this, Sizes, Bounds(12, 22 + I * 28, 120, 20), std::to_string(FontSizes[I]) + " points");
    FontSizeButtons[I]->SetGroupIndex(1);
  }

  MarginLabel = Place<TVxLabel>(this, this, Bounds(12, 128, 300, 16));
  MarginBar = Place<TVxTrackBar>(this, this, Bounds(10, 146, 310, 36));
  MarginBar->SetMin(0);
  MarginBar->SetMax(20);
  MarginBar->SetFrequency(2);
  MarginBar->OnChange = [this](TObject*) { ShowMargin(); };

  OkButton = Place<TVxButton>(this, this, Bounds(150, 194, 80, 27), "OK");
  OkButton->SetDefault(true);
  OkButton->SetModalResult(mrOk);
  CancelButton = Place<TVxButton>(this, this, Bounds(240, 194, 80, 27), "Cancel");
  CancelButton->SetCancel(true);
  CancelButton->SetModalResult(mrCancel);

  SetOptions(TNotepadOptions{});
}

void TfrmOptions::SetOptions(const TNotepadOptions& Options) {
  WordWrapBox->SetChecked(Options.WordWrap);
  StatusBarBox->SetChecked(Options.StatusBarVisible);
  for (int I = 0; I < 3; ++I) FontSizeButtons[I]->SetChecked(FontSizes[I] == Options.FontSize);
  MarginBar->SetPosition(Options.Margin);
  ShowMargin();
}

TNotepadOptions TfrmOptions::Options() const {
  TNotepadOptions Result;
  Result.WordWrap = WordWrapBox->Checked();
  Result.StatusBarVisible = StatusBarBox->Checked();
  for (int I = 0; I < 3; ++I)
    if (FontSizeButtons[I]->Checked()) Result.FontSize = FontSizes[I];
  Result.Margin = MarginBar->Position();
  return Result;
}

void TfrmOptions::ShowMargin() {
  MarginLabel->SetCaption("&Margin: " + std::to_string(MarginBar->Position()) + " pixels");
}
