// TfrmAbout: the About box, a fixed tool window kept on top; created once at start and shown
// modally from the Help menu.
#pragma once

#include "framework/ui/forms.h"

class TLabel;

class TfrmAbout : public TForm {
 public:
  explicit TfrmAbout(TComponent* Owner = nullptr);
  // The line with the library's version.
  TLabel* VersionLabel() const { return FVersion; }

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  TLabel* FVersion = nullptr;
};

// The program's About box (created by the program at start), or nil.
extern TfrmAbout* frmAbout;
