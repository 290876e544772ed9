#include "editor/preview/skin_controls_window.h"

#include <string>
#include <windows.h>

#include "framework/ui/actions.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_combobox.h"
#include "vexel/controls/vx_controlbar.h"
#include "vexel/controls/vx_edit.h"
#include "vexel/controls/vx_edit_buttons.h"
#include "vexel/controls/vx_header.h"
#include "vexel/controls/vx_headerpanel.h"
#include "vexel/controls/vx_listbox.h"
#include "vexel/controls/vx_panels.h"
#include "vexel/controls/vx_progress.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/controls/vx_scrollbox.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_spinbutton.h"
#include "vexel/controls/vx_statusbar.h"
#include "vexel/controls/vx_stringgrid.h"
#include "vexel/controls/vx_tabs.h"
#include "vexel/controls/vx_toolbar.h"
#include "vexel/controls/vx_trackbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_resource.h"
#include "vexel/menus/vx_menubar.h"

namespace {

template <typename T>
T* Place(TComponent* Owner, TWinControl* Parent, const TRect& Bounds) {
  auto* C = new T(Owner);
  C->SetBoundsRect(Bounds);
  C->SetParent(Parent);
  return C;
}

TVxItem* AddItem(TVxItem* Parent, const wchar_t* Caption, TShortCut Key = scNone) {
  auto* Item = new TVxItem(Parent->Owner());
  Item->SetCaption(Caption);
  Item->SetShortCut(Key);
  Parent->Add(Item);
  return Item;
}

struct TItemLook {
  const wchar_t* Caption;
  TShortCut Key;
};

TVxItem* AddMenu(TVxItem* Parent, const wchar_t* Caption, std::initializer_list<TItemLook> Items) {
  TVxItem* Menu = AddItem(Parent, Caption);
  for (const TItemLook& Look : Items) AddItem(Menu, Look.Caption, Look.Key);
  return Menu;
}

// The first square of a push-button kind's glyph strip, so that tool buttons show pictures.
void SetStripGlyph(TVxSpeedButton* Button, const char* Resource) {
  TBitmap Strip;
  if (!LoadBitmapResource(Resource, Strip)) return;
  TBitmap First;
  First.SetSize(Strip.Height(), Strip.Height());
  First.Canvas().CopyRect(Rect(0, 0, Strip.Height(), Strip.Height()), Strip.Canvas(),
                          Rect(0, 0, Strip.Height(), Strip.Height()));
  Button->SetGlyph(&First);
  Button->SetShowCaption(false);
}

}  // namespace

TfrmTest::TfrmTest(TComponent* Owner) : TfrmSkinTest(Owner) {
  SetName("frmTest");
  SetCaption("Controls Test");
  SetPosition(TPosition::poScreenCenter);
  SetBorderIcons({TBorderIcon::biMinimize, TBorderIcon::biMaximize});
  SetClientWidth(561);
  SetClientHeight(516);
  ThemeForm1->SetCaption(L"Controls Test");

  CreateBars();

  DvSkinTabControl1 = Place<TVxTabControl>(this, this, Bounds(0, 0, 561, 380));
  DvSkinTabControl1->SetName("DvSkinTabControl1");
  DvSkinTabControl1->SetAlign(TAlign::alClient);
  DvSkinTabControl1->SetUsePages(true);
  const char* Captions[] = {"Page1", "Page2", "Page3", "Page4", "Page5", "Page6", "New Tab 6"};
  for (int I = 0; I < 7; ++I) {
    Pages[I] = new TVxTabSheet(this);
    Pages[I]->SetCaption(Captions[I]);
    Pages[I]->SetTabControl(DvSkinTabControl1);
  }
  CreatePage1(Pages[0]);
  CreatePage2(Pages[1]);
  CreatePage3(Pages[2]);
  TabsOnly = Place<TVxTabControl>(this, Pages[3], Bounds(16, 16, 420, 200));
  TabsOnly->SetTabs({"Tab1", "Tab2", "Tab3", "Tab4", "Tab5", "Tab6", "Tab7"});
  TabsOnly->SetHotTrack(true);
  CreatePage5(Pages[4]);
  CreatePage6(Pages[5]);
  DvSkinTabControl1->SetActivePage(Pages[1]);

  PopupMenu1 = new TVxPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  for (const wchar_t* Caption : {L"&New", L"&Open", L"&Save", L"-"}) AddItem(PopupMenu1->Items(), Caption);
  AddItem(PopupMenu1->Items(), L"E&xit", scCtrl | 'Q');
  DvSkinTabControl1->SetPopupMenu(PopupMenu1);
}

void TfrmTest::CreateBars() {
  DvSkinMenuBar1 = new TVxMenuBar(this);
  DvSkinMenuBar1->SetName("DvSkinMenuBar1");
  DvSkinMenuBar1->SetAlign(TAlign::alTop);
  DvSkinMenuBar1->SetParent(this);
  TVxItem* File = AddMenu(DvSkinMenuBar1->Items(), L"&File", {{L"&New", scNone}, {L"-", scNone}});
  ExitItem = AddItem(File, L"E&xit", scCtrl | 'Q');
  ExitItem->OnClick = [this](TObject*) { Close(); };
  AddMenu(DvSkinMenuBar1->Items(), L"&Edit", {{L"Cu&t", scCtrl | 'X'}, {L"&Copy", scCtrl | 'C'}, {L"&Paste", scCtrl | 'V'}});
  AddMenu(DvSkinMenuBar1->Items(), L"&Help", {{L"&Index", VK_F1}, {L"-", scNone}, {L"&About...", scNone}});
  DvSkinMenuBar1->ItemsChanged();

  ControlBar1 = new TVxControlBar(this);
  ControlBar1->SetName("ControlBar1");
  ControlBar1->SetAlign(TAlign::alTop);
  ControlBar1->SetAutoSize(true);
  ControlBar1->SetTop(40);
  ControlBar1->SetParent(this);

  ToolBar1 = Place<TVxToolBar>(this, ControlBar1, Bounds(11, 2, 290, 25));
  ToolBar1->SetName("ToolBar1");
  ToolBar1->SetButtonAutoSize(false);
  TVxSpeedDivider** Dividers[] = {&ZqSpeedDivider1, &ZqSpeedDivider2, &ZqSpeedDivider3, &ZqSpeedDivider4};
  // Button count before each divider: 2, 1, 3, 2, then 2 after the last.
  const int Runs[] = {2, 1, 3, 2, 2};
  const char* Glyphs[] = {"VX_BTN_OK",   "VX_BTN_CANCEL", "VX_BTN_HELP",  "VX_BTN_YES",    "VX_BTN_NO",
                          "VX_BTN_CLOSE", "VX_BTN_ABORT",  "VX_BTN_RETRY", "VX_BTN_IGNORE", "VX_BTN_ALL"};
  Integer X = 0;
  int Button = 0;
  for (int Run = 0; Run < 5; ++Run) {
    for (int I = 0; I < Runs[Run]; ++I, ++Button) {
      auto* B = Place<TVxSpeedButton>(this, ToolBar1, Bounds(X, 0, 25, 25));
      SetStripGlyph(B, Glyphs[Button]);
      ToolButtons[Button] = B;
      X += 25;
    }
    if (Run < 4) {
      *Dividers[Run] = Place<TVxSpeedDivider>(this, ToolBar1, Bounds(X, 0, 8, 25));
      (*Dividers[Run])->SetName("ZqSpeedDivider" + std::to_string(Run + 1));
      X += 8;
    }
  }
  for (int I = 0; I < 10; ++I) ToolButtons[I]->SetFlat((I >= 3 && I < 6) || I >= 8);
  for (int I = 6; I < 8; ++I) ToolButtons[I]->SetGroupIndex(22);
  ToolButtons[6]->SetDown(true);
  for (int I = 8; I < 10; ++I) ToolButtons[I]->SetGroupIndex(44);
  ToolButtons[9]->SetDown(true);

  DvSkinMenuBar2 = Place<TVxMenuBar>(this, ControlBar1, Bounds(11, 31, 300, 20));
  DvSkinMenuBar2->SetName("DvSkinMenuBar2");
  AddMenu(DvSkinMenuBar2->Items(), L"&File",
          {{L"&New", scNone},
           {L"&Open...", scNone},
           {L"&Save", scNone},
           {L"Save &As...", scNone},
           {L"-", scNone},
           {L"&Print...", scNone},
           {L"P&rint Setup...", scNone},
           {L"-", scNone},
           {L"E&xit", scNone}});
  AddMenu(DvSkinMenuBar2->Items(), L"&Edit",
          {{L"&Undo", scCtrl | 'Z'},
           {L"&Repeat", scNone},
           {L"-", scNone},
           {L"Cu&t", scCtrl | 'X'},
           {L"&Copy", scCtrl | 'C'},
           {L"&Paste", scCtrl | 'V'},
           {L"Paste &Special...", scNone},
           {L"-", scNone},
           {L"&Find...", scNone},
           {L"R&eplace...", scNone},
           {L"&Go To...", scNone},
           {L"-", scNone},
           {L"Lin&ks...", scNone},
           {L"&Object", scNone}});
  AddMenu(DvSkinMenuBar2->Items(), L"&Help",
          {{L"&Contents", scNone},
           {L"&Search for Help On...", scNone},
           {L"&How to Use Help", scNone},
           {L"-", scNone},
           {L"&About...", scNone}});
  DvSkinMenuBar2->ItemsChanged();
  ThemeForm1->SetMenuBar(DvSkinMenuBar2);

  HeaderControl1 = Place<TVxHeaderControl>(this, this, Bounds(0, 200, 561, 20));
  HeaderControl1->SetName("HeaderControl1");
  HeaderControl1->SetAlign(TAlign::alTop);
  for (Integer Width : {50, 100, 80}) {
    TVxHeaderSection* Section = HeaderControl1->Sections()->Add();
    Section->SetAnsiText("test");
    Section->SetWidth(Width);
  }
  HeaderControl1->SetDragReorder(true);

  StatusBar1 = Place<TVxStatusBar>(this, this, Bounds(0, 496, 561, 20));
  StatusBar1->SetName("StatusBar1");
  StatusBar1->SetAlign(TAlign::alBottom);
  const struct {
    const char* Text;
    Integer Width, Stretch;
  } Panels[] = {{"test", 50, 0}, {"test test", 100, 0}, {"stretch", 50, 33}};
  for (const auto& Look : Panels) {
    TVxStatusPanel* Panel = StatusBar1->Panels()->Add();
    Panel->SetAnsiText(Look.Text);
    Panel->SetWidth(Look.Width);
    if (Look.Stretch) Panel->SetStretchPriority(Look.Stretch);
  }
}

void TfrmTest::CreatePage1(TVxTabSheet* Page) {
  auto Bar = [&](const char* Name, TVxScrollOrientation Orientation, const TRect& R, Integer PageSize) {
    auto* B = Place<TVxScrollBar>(this, Page, R);
    B->SetName(Name);
    B->SetOrientation(Orientation);
    B->SetPageSize(PageSize);
    B->SetPosition(3);
    return B;
  };
  const auto Vertical = TVxScrollOrientation::ksoVertical, Horizontal = TVxScrollOrientation::ksoHorizontal;
  DvSkinScrollBar2 = Bar("DvSkinScrollBar2", Vertical, Bounds(16, 16, 17, 180), 0);
  DvSkinScrollBar3 = Bar("DvSkinScrollBar3", Vertical, Bounds(44, 16, 17, 180), 33);
  DvSkinScrollBar1 = Bar("DvSkinScrollBar1", Horizontal, Bounds(104, 16, 200, 17), 11);
  DvSkinScrollBar4 = Bar("DvSkinScrollBar4", Horizontal, Bounds(104, 44, 200, 17), 0);

  VerticalProgress = Place<TVxProgressBar>(this, Page, Bounds(72, 16, 18, 180));
  VerticalProgress->SetName("VerticalProgress");
  VerticalProgress->SetOrientation(TVxProgressOrientation::kpoVertical);
  VerticalProgress->SetSmooth(true);
  HorizontalProgress = Place<TVxProgressBar>(this, Page, Bounds(104, 72, 200, 18));
  HorizontalProgress->SetName("HorizontalProgress");
  HorizontalProgress->SetSmooth(false);
  for (TVxProgressBar* P : {VerticalProgress, HorizontalProgress}) {
    P->SetShowBorder(true);
    P->SetPosition(23);
  }
  // The progress bars follow the first bar of each direction, whichever of the pair moved.
  DvSkinScrollBar2->OnChange = DvSkinScrollBar3->OnChange = [this](TObject*) {
    VerticalProgress->SetPosition(DvSkinScrollBar2->Position());
  };
  DvSkinScrollBar1->OnChange = DvSkinScrollBar4->OnChange = [this](TObject*) {
    HorizontalProgress->SetPosition(DvSkinScrollBar1->Position());
  };

  // One of each tick-mark placement, so that every thumb shape shows.
  const TVxTickMark Marks[] = {TVxTickMark::ktbmBottomRight, TVxTickMark::ktbmTopLeft, TVxTickMark::ktbmBoth};
  for (int I = 0; I < 3; ++I) {
    auto* H = Place<TVxTrackBar>(this, Page, Bounds(104, 104 + I * 50, 200, 45));
    auto* V = Place<TVxTrackBar>(this, Page, Bounds(320 + I * 55, 16, 45, 200));
    V->SetOrientation(TVxTrackOrientation::ktoVertical);
    for (TVxTrackBar* T : {H, V}) {
      T->SetTickMarks(Marks[I]);
      T->SetTransparent(true);
    }
    HorizontalTracks[I] = H;
    VerticalTracks[I] = V;
  }
}

void TfrmTest::CreatePage2(TVxTabSheet* Page) {
  StaticText = Place<TVxLabel>(this, Page, Bounds(16, 16, 80, 16));
  StaticText->SetCaption("Static Text");

  RadioPanel = Place<TVxPanel>(this, Page, Bounds(16, 40, 160, 70));
  RadioPanel->SetCaption("");
  RadioButton1 = Place<TVxRadioButton>(this, RadioPanel, Bounds(10, 12, 130, 20));
  RadioButton1->SetCaption("RadioButton1");
  RadioButton2 = Place<TVxRadioButton>(this, RadioPanel, Bounds(10, 38, 130, 20));
  RadioButton2->SetCaption("RadioButton2");
  for (TVxRadioButton* R : {RadioButton1, RadioButton2}) R->SetGroupIndex(1);
  RadioButton1->SetChecked(true);

  Panel1 = Place<TVxPanel>(this, Page, Bounds(16, 120, 160, 50));
  Panel1->SetCaption("Panel");

  DvSkinGroupBox1 = Place<TVxGroupBox>(this, Page, Bounds(192, 16, 160, 110));
  DvSkinGroupBox1->SetName("DvSkinGroupBox1");
  DvSkinGroupBox1->SetCaption("DvSkinGroupBox1");
  for (int I = 0; I < 3; ++I) {
    CheckBoxes[I] = Place<TVxCheckBox>(this, DvSkinGroupBox1, Bounds(12, 24 + I * 26, 130, 20));
    CheckBoxes[I]->SetCaption("CheckBox");
  }
  CheckBoxes[0]->SetChecked(true);

  SpinEdit1 = Place<TVxSpinEdit>(this, Page, Bounds(192, 140, 100, 21));
  SpinEdit1->SetValue(0);
  EditButton1 = Place<TVxEditButton>(this, Page, Bounds(192, 172, 160, 21));

  VxHeaderPanel1 = Place<TVxHeaderPanel>(this, Page, Bounds(368, 16, 170, 120));
  VxHeaderPanel1->SetName("VxHeaderPanel1");
  VxHeaderPanel1->SetCaption("VxHeaderPanel1");
  VxHeaderPanel1->SetButtonKind(TVxPanelButtonKind::kpbkRollUp);
  VxHeaderPanel2 = Place<TVxHeaderPanel>(this, Page, Bounds(368, 148, 170, 120));
  VxHeaderPanel2->SetName("VxHeaderPanel2");
  VxHeaderPanel2->SetCaption("VxHeaderPanel2");
  VxHeaderPanel2->SetButtonKind(TVxPanelButtonKind::kpbkClose);
  for (TVxHeaderPanel* P : {VxHeaderPanel1, VxHeaderPanel2}) P->SetShowButton(true);
}

void TfrmTest::CreatePage3(TVxTabSheet* Page) {
  ColorList = Place<TVxListBox>(this, Page, Bounds(16, 16, 150, 160));
  ColorList->SetListStyle(TVxListBoxStyle::lbColorNames);
  FontList = Place<TVxListBox>(this, Page, Bounds(176, 16, 170, 160));
  FontList->SetListStyle(TVxListBoxStyle::lbFonts);
  FontList->SetSorted(true);
  FontList->SetShowCheckBoxes(true);

  ComboBox1 = Place<TVxComboBox>(this, Page, Bounds(16, 188, 150, 21));
  ComboBox1->SetItems({"Item1", "Item2", "Item3", "Item4", "Item5"});
  ColorCombo = Place<TVxComboBox>(this, Page, Bounds(176, 188, 170, 21));
  ColorCombo->SetComboStyle(TVxComboStyle::kcsDropDownList);
  ColorCombo->SetListStyle(TVxListBoxStyle::lbColorNames);

  SpinTarget = Place<TVxEdit>(this, Page, Bounds(360, 16, 80, 21));
  SpinTarget->SetText("0");
  EditSpin = Place<TVxSpinButton>(this, Page, Bounds(440, 16, 15, 21));
  EditSpin->SetMin(0);
  EditSpin->SetMax(100);
  EditSpin->SetIncrement(1);
  EditSpin->SetAssociate(SpinTarget);
  SampleEdit = Place<TVxEdit>(this, Page, Bounds(360, 48, 170, 21));
  SampleEdit->SetText("Sample text");
  const TPasswordKind Masks[] = {TPasswordKind::pkCircle, TPasswordKind::pkRect, TPasswordKind::pkTriangle};
  for (int I = 0; I < 3; ++I) {
    Passwords[I] = Place<TVxEdit>(this, Page, Bounds(360, 80 + I * 32, 170, 21));
    Passwords[I]->SetText("test");
    Passwords[I]->SetPasswordKind(Masks[I]);
  }
}

void TfrmTest::CreatePage5(TVxTabSheet* Page) {
  const struct {
    const char* Caption;
    bool Chevron, Flat;
  } Looks[] = {{"Speed", false, false}, {"Chevron", true, false}, {"Flat", false, true}, {"Flat chevron", true, true}};
  for (int I = 0; I < 4; ++I) {
    auto* B = Place<TVxSpeedButton>(this, Page, Bounds(16, 16 + I * 34, 110, 27));
    B->SetCaption(Looks[I].Caption);
    B->SetShowChevron(Looks[I].Chevron);
    B->SetFlat(Looks[I].Flat);
    PageButtons[I] = B;
  }
  CloseButton = Place<TVxButton>(this, Page, Bounds(144, 16, 90, 27));
  CloseButton->SetKind(TBitBtnKind::bkClose);
  CloseButton->SetCaption("&Close");
  HelpButton = Place<TVxButton>(this, Page, Bounds(144, 50, 90, 27));
  HelpButton->SetKind(TBitBtnKind::bkHelp);
  HelpButton->SetCaption("&Help");
  CustomButton = Place<TVxButton>(this, Page, Bounds(144, 84, 90, 27));
  CustomButton->SetCaption("Custom");
  PageSpin = Place<TVxSpinButton>(this, Page, Bounds(250, 16, 17, 40));

  ScrollBox1 = Place<TVxScrollBox>(this, Page, Bounds(290, 16, 220, 180));
  BoxedGroup = Place<TVxGroupBox>(this, ScrollBox1, Bounds(8, 8, 260, 240));
  BoxedGroup->SetCaption("test");
}

void TfrmTest::CreatePage6(TVxTabSheet* Page) {
  StringGrid1 = Place<TVxStringGrid>(this, Page, Bounds(8, 8, 520, 300));
  StringGrid1->SetAlign(TAlign::alClient);
  StringGrid1->SetColCount(20);
  StringGrid1->SetRowCount(100);
  StringGrid1->SetDefaultRowHeight(21);
  StringGrid1->SetColor(clBlue);
}
