// The charset box under the objects tree and its "Change" button. BuildTree refills the box at
// every refresh, so a choice is applied with "Change" or lost.
#pragma once

#include "framework/ui/panel.h"

class TButton;
class TComboBox;
class TSkinDocument;

// Clears Box, adds the platform's character-set identifiers and selects "DEFAULT_CHARSET".
void FillCharsetBox(TComboBox& Box);
// Every font of every object of the open skin takes the charset Box shows, one step of the
// history. Nothing without a skin or for text that names no charset; no view is refreshed.
bool ChangeCharset(TSkinDocument& Document, const TComboBox& Box);

// The box cbCharset and its button "Change" on one strip, for the bottom of the left panel.
class TCharsetPanel : public TPanel {
 public:
  TCharsetPanel(TComponent* Owner, TSkinDocument& Document);

  TComboBox* Box() const { return FBox; }
  TButton* ChangeButton() const { return FChange; }
  // What BuildTree does to the box.
  void Refill() { FillCharsetBox(*FBox); }

 protected:
  void Resize() override;

 private:
  TSkinDocument& FDocument;
  TComboBox* FBox = nullptr;
  TButton* FChange = nullptr;
};
