// TfrmPickColor: picks a colour off the screen. "&Start" captures the mouse, so the window hears
// it anywhere on the screen; moving shows the pixel under the pointer in the swatch, and the next
// press takes the swatch's colour: into the edit as a decimal number and onto the clipboard as
// that text, where the colour pages read it. Created once at start and reused, always modal.
#pragma once

#include "framework/graphics/colors.h"
#include "framework/ui/forms.h"

class TButton;
class TEdit;
class TLabel;
class TPanel;

class TfrmPickColor : public TForm {
 public:
  explicit TfrmPickColor(TComponent* Owner = nullptr);

  // The colour of the last press.
  TColor Color() const { return FColor; }
  bool Picking() const { return FPicking; }
  // What "&Start" does.
  void StartPicking();

  TPanel* Swatch() const { return FSwatch; }
  TButton* StartButton() const { return FStart; }
  TEdit* ColorEdit() const { return FEdit; }
  TButton* OkButton() const { return FOk; }
  TButton* CancelButton() const { return FCancel; }

 protected:
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DoHide() override;

 private:
  void StopPicking();

  TColor FColor = clBtnFace;
  bool FPicking = false;
  TPanel* FSwatch = nullptr;
  TButton* FStart = nullptr;
  TLabel* FLabel = nullptr;
  TEdit* FEdit = nullptr;
  TButton* FOk = nullptr;
  TButton* FCancel = nullptr;
};
