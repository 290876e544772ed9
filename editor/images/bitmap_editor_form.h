// TfrmBitmapEditor: the bitmap-link editor "Bitmap Property", opened from the inspector's
// "(Bitmap)" rows. Modeless: the user picks an image and clicks two corners on the zoomed view
// (left button top-left, right button bottom-right), then "Apply" points the link at them. The
// state and Apply are TLinkEditorModel's, so a skin changed meanwhile is never followed through
// stale pointers. Created on first use, hidden (not freed) when closed.
#pragma once

#include <string>

#include "editor/core/link_editor_model.h"
#include "framework/ui/forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TListBox;
class TPaintBox;
class TPropertyInspector;
class TScrollBox;
class TSkinDocument;

class TfrmBitmapEditor : public TForm {
 public:
  TfrmBitmapEditor(TComponent* Owner, TSkinDocument& Document);

  TLinkEditorModel& Model() { return FModel; }

  // The edit operation: Object's property holding Link. Shows the window (not modally); false
  // when Link is not Object's.
  bool Edit(TDvSkinObject* Object, TvxBitmapLink* Link);
  void ApplyClick();

  TListBox* BmpList() const { return FBmpList; }
  TComboBox* CbZoom() const { return FZoom; }
  TCheckBox* AllBitmap() const { return FAllBitmap; }
  TPaintBox* BmpView() const { return FBmpView; }
  TEdit* EdRect() const { return FEdRect; }
  TLabel* PosLabel() const { return FPosLabel; }
  TLabel* SizeLabel() const { return FSizeLabel; }
  TButton* ApplyButton() const { return FApplyButton; }
  TButton* CancelButton() const { return FCancelButton; }

  // After Apply changed a link (the main window may repaint its work area).
  TNotifyEvent OnApply;

 private:
  void UpdateView();
  void ShowCorners();
  void PaintView();

  TLinkEditorModel FModel;
  TListBox* FBmpList = nullptr;
  TComboBox* FZoom = nullptr;
  TCheckBox* FAllBitmap = nullptr;
  TScrollBox* FViewBox = nullptr;
  TPaintBox* FBmpView = nullptr;
  TEdit* FEdRect = nullptr;
  TLabel* FPosLabel = nullptr;
  TLabel* FSizeLabel = nullptr;
  TButton* FApplyButton = nullptr;
  TButton* FCancelButton = nullptr;
  bool FFilling = false;  // Edit sets the controls: their change events must not echo back
};

// Registers TBitmapPropertyEditor with Inspector: every bitmap-link row shows "(Bitmap)" and a
// button that opens the window on the inspected skin object. The window belongs to Inspector
// and is made on the first use. The edit counts as a change (the inspector's callbacks run
// around it) whether or not Apply follows.
void RegisterBitmapLinkEditor(TPropertyInspector& Inspector, TSkinDocument& Document);
