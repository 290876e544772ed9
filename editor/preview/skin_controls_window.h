// "Controls Test": at least one of every skinned control of the library on one skinned window, so
// that a skin can be judged on everything it styles. Pellan's "Control" shows it modally;
// skintool preview --controls shows it on any skin file. Besides the controls' own behaviour only
// two things are wired: "E&xit" of the top menu bar closes the window, and the scroll bars of
// "Page1" move the progress bars.
#pragma once

#include "editor/preview/skin_test_window.h"

class TVxButton;
class TVxCheckBox;
class TVxComboBox;
class TVxControlBar;
class TVxEdit;
class TVxEditButton;
class TVxGroupBox;
class TVxHeaderControl;
class TVxHeaderPanel;
class TVxItem;
class TVxLabel;
class TVxListBox;
class TVxMenuBar;
class TVxPanel;
class TVxPopupMenu;
class TVxProgressBar;
class TVxRadioButton;
class TVxScrollBar;
class TVxScrollBox;
class TVxSpeedButton;
class TVxSpeedDivider;
class TVxSpinButton;
class TVxSpinEdit;
class TVxStatusBar;
class TVxStringGrid;
class TVxTabControl;
class TVxTabSheet;
class TVxToolBar;
class TVxTrackBar;

class TfrmTest : public TfrmSkinTest {
 public:
  explicit TfrmTest(TComponent* Owner);

  // Top of the window.
  TVxMenuBar* DvSkinMenuBar1 = nullptr;
  TVxItem* ExitItem = nullptr;
  TVxControlBar* ControlBar1 = nullptr;
  TVxToolBar* ToolBar1 = nullptr;
  // Left to right: two plain, one, three flat, two in group 22, two flat in group 44.
  TVxSpeedButton* ToolButtons[10] = {};
  TVxSpeedDivider* ZqSpeedDivider1 = nullptr;
  TVxSpeedDivider* ZqSpeedDivider2 = nullptr;
  TVxSpeedDivider* ZqSpeedDivider3 = nullptr;
  TVxSpeedDivider* ZqSpeedDivider4 = nullptr;
  // The menu bar of ThemeForm1.
  TVxMenuBar* DvSkinMenuBar2 = nullptr;
  TVxHeaderControl* HeaderControl1 = nullptr;
  TVxTabControl* DvSkinTabControl1 = nullptr;
  TVxPopupMenu* PopupMenu1 = nullptr;
  TVxStatusBar* StatusBar1 = nullptr;

  // The pages, in tab order.
  TVxTabSheet* Pages[7] = {};

  // "Page1". Bars 2 and 3 are the vertical ones, 1 and 4 the horizontal ones.
  TVxScrollBar* DvSkinScrollBar1 = nullptr;
  TVxScrollBar* DvSkinScrollBar2 = nullptr;
  TVxScrollBar* DvSkinScrollBar3 = nullptr;
  TVxScrollBar* DvSkinScrollBar4 = nullptr;
  TVxProgressBar* VerticalProgress = nullptr;
  TVxProgressBar* HorizontalProgress = nullptr;
  TVxTrackBar* HorizontalTracks[3] = {};
  TVxTrackBar* VerticalTracks[3] = {};

  // "Page2".
  TVxLabel* StaticText = nullptr;
  TVxPanel* RadioPanel = nullptr;
  TVxRadioButton* RadioButton1 = nullptr;
  TVxRadioButton* RadioButton2 = nullptr;
  TVxPanel* Panel1 = nullptr;
  TVxGroupBox* DvSkinGroupBox1 = nullptr;
  TVxCheckBox* CheckBoxes[3] = {};
  TVxSpinEdit* SpinEdit1 = nullptr;
  TVxEditButton* EditButton1 = nullptr;
  TVxHeaderPanel* VxHeaderPanel1 = nullptr;
  TVxHeaderPanel* VxHeaderPanel2 = nullptr;

  // "Page3".
  TVxListBox* ColorList = nullptr;
  TVxListBox* FontList = nullptr;
  TVxComboBox* ComboBox1 = nullptr;
  TVxComboBox* ColorCombo = nullptr;
  TVxEdit* SpinTarget = nullptr;
  TVxSpinButton* EditSpin = nullptr;
  TVxEdit* SampleEdit = nullptr;
  TVxEdit* Passwords[3] = {};

  // "Page4".
  TVxTabControl* TabsOnly = nullptr;

  // "Page5".
  TVxSpeedButton* PageButtons[4] = {};
  TVxButton* CloseButton = nullptr;
  TVxButton* HelpButton = nullptr;
  TVxButton* CustomButton = nullptr;
  TVxSpinButton* PageSpin = nullptr;
  TVxScrollBox* ScrollBox1 = nullptr;
  TVxGroupBox* BoxedGroup = nullptr;

  // "Page6".
  TVxStringGrid* StringGrid1 = nullptr;

 private:
  void CreateBars();
  void CreatePage1(TVxTabSheet* Page);
  void CreatePage2(TVxTabSheet* Page);
  void CreatePage3(TVxTabSheet* Page);
  void CreatePage5(TVxTabSheet* Page);
  void CreatePage6(TVxTabSheet* Page);
};
