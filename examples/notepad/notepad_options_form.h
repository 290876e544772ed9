// The notepad's "Options" dialog: check boxes, radio buttons and a track bar for the settings
// the main window applies. Skinned by its own form-skinning component under whatever theme is
// current.
#pragma once

#include "framework/ui/forms.h"

class TVxButton;
class TVxCheckBox;
class TVxForm;
class TVxLabel;
class TVxRadioButton;
class TVxTrackBar;

struct TNotepadOptions {
  bool WordWrap = true;
  bool StatusBarVisible = true;
  // Points.
  int FontSize = 10;
  // Pixels left and right of the text.
  int Margin = 4;

  bool operator==(const TNotepadOptions&) const = default;
};

class TfrmOptions : public TForm {
 public:
  explicit TfrmOptions(TComponent* Owner);

  // The controls show Options.
  void SetOptions(const TNotepadOptions& Options);
  // What the controls show.
  TNotepadOptions Options() const;

  static constexpr int FontSizes[] = {8, 10, 12};

  TVxForm* ThemeForm = nullptr;
  TVxCheckBox* WordWrapBox = nullptr;
  TVxCheckBox* StatusBarBox = nullptr;
  TVxRadioButton* FontSizeButtons[3] = {};
  TVxTrackBar* MarginBar = nullptr;
  TVxLabel* MarginLabel = nullptr;
  TVxButton* OkButton = nullptr;
  TVxButton* CancelButton = nullptr;

 private:
  void ShowMargin();
};
