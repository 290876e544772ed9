#include "editor/preview/skin_controls_window.h"

#include <string>
#include <vector>

#include "framework/ui/stdctrls.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_combobox.h"
#include "vexel/controls/vx_controlbar.h"
#include "vexel/controls/vx_edit.h"
#include "vexel/controls/vx_edit_buttons.h"
#include "vexel/controls/vx_listbox.h"
#include "vexel/controls/vx_progress.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_spinbutton.h"
#include "vexel/controls/vx_tabs.h"
#include "vexel/controls/vx_toolbar.h"
#include "vexel/controls/vx_trackbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_resource.h"
#include "vexel/menus/vx_menubar.h"

namespace {

template <typename T>
T* Place(TWinControl* Parent, const TRect& Bounds) {
  auto* C = new T(Parent->Owner() ? Parent->Owner() : Parent);
  C->SetBoundsRect(Bounds);
  C->SetParent(Parent);
  return C;
}

TVxItem* AddItem(TVxItem* Parent, const wchar_t* Caption) {
  auto* Item = new TVxItem(Parent->Owner());
  Item->SetCaption(Caption);
  Parent->Add(Item);
  return Item;
}

void FillMenuBar(TVxMenuBar& Bar) {
  TVxItem* File = AddItem(Bar.Items(), L"&File");
  for (const wchar_t* Caption : {L"&New", L"&Open...", L"&Save", L"-", L"E&xit"}) AddItem(File, Caption);
  TVxItem* Edit = AddItem(Bar.Items(), L"&Edit");
  AddItem(Edit, L"&Undo")->SetEnabled(false);
  AddItem(Edit, L"-");
  for (const wchar_t* Caption : {L"Cu&t", L"&Copy", L"&Paste"}) AddItem(Edit, Caption);
  TVxItem* View = AddItem(Bar.Items(), L"&View");
  AddItem(View, L"&Tool Bar")->SetChecked(true);
  AddItem(View, L"&Status Bar");
  AddItem(Bar.Items(), L"&Help");
  Bar.ItemsChanged();
}

// A speed button with the glyph of a push-button kind (the first of its two images).
TVxSpeedButton* AddSpeedButton(TVxToolBar* Bar, const char* Resource, Integer Left) {
  auto* B = Place<TVxSpeedButton>(Bar, Bounds(Left, 0, 25, 25));
  TBitmap Strip;
  if (LoadBitmapResource(Resource, Strip)) {
    TBitmap First;
    First.SetSize(Strip.Height(), Strip.Height());
    First.Canvas().CopyRect(Rect(0, 0, Strip.Height(), Strip.Height()), Strip.Canvas(),
                            Rect(0, 0, Strip.Height(), Strip.Height()));
    B->SetGlyph(&First);
  }
  B->SetShowCaption(false);
  return B;
}

}  // namespace

TfrmTestControls::TfrmTestControls(TComponent* Owner) : TfrmSkinTest(Owner) {
  SetName("frmTestControls");
  SetCaption("Controls");
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(770);
  SetClientHeight(330);
  ThemeForm1->SetCaption(L"Controls");
  ThemeForm1->SetBorderStyle(TVxBorderStyle::kbsStandard);
  ThemeForm1->SetBorderIcons({TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu, TVxBorderIcon::kbiMinimize,
                              TVxBorderIcon::kbiMaximize});

  auto* Menu = new TVxMenuBar(this);
  Menu->SetAlign(TAlign::alTop);
  Menu->SetParent(this);
  FillMenuBar(*Menu);
  ThemeForm1->SetMenuBar(Menu);

  auto* Bands = new TVxControlBar(this);
  Bands->SetAlign(TAlign::alTop);
  Bands->SetAutoSize(true);
  Bands->SetParent(this);
  // Buttons keep their own widths: glyph buttons are square, the others fit their captions.
  auto* Tools = Place<TVxToolBar>(Bands, Bounds(11, 2, 230, 25));
  Tools->SetButtonAutoSize(false);
  Integer X = 0;
  for (const char* Resource : {"VX_BTN_OK", "VX_BTN_CANCEL", "VX_BTN_HELP"}) {
    AddSpeedButton(Tools, Resource, X);
    X += 25;
  }
  Place<TVxSpeedDivider>(Tools, Bounds(X, 0, 8, 25));
  X += 8;
  for (const char* Resource : {"VX_BTN_YES", "VX_BTN_NO"}) {
    TVxSpeedButton* B = AddSpeedButton(Tools, Resource, X);
    B->SetGroupIndex(1);
    B->SetDown(Resource[7] == 'Y');
    X += 25;
  }
  auto* Chevron = Place<TVxSpeedButton>(Tools, Bounds(X + 8, 0, 60, 25));
  Chevron->SetCaption("More");
  Chevron->SetShowChevron(true);
  auto* More = new TVxPopupMenu(this);
  for (const wchar_t* Caption : {L"&Align Left", L"&Centre", L"Align &Right"}) AddItem(More->Items(), Caption);
  Chevron->SetChevronMenu(More);
  auto* Second = Place<TVxToolBar>(Bands, Bounds(260, 2, 120, 25));
  Second->SetButtonAutoSize(false);
  auto* Bold = Place<TVxSpeedButton>(Second, Bounds(0, 0, 50, 25));
  Bold->SetCaption("Bold");
  Bold->SetGroupIndex(2);
  Bold->SetAllowAllUp(true);

  const Integer Top = 70;
  const struct {
    const char* Caption;
    TBitBtnKind Kind;
    bool Enabled;
  } Buttons[] = {{"&Button", TBitBtnKind::bkCustom, true},
                 {"OK", TBitBtnKind::bkOK, true},
                 {"Cancel", TBitBtnKind::bkCancel, true},
                 {"Disabled", TBitBtnKind::bkCustom, false}};
  Integer Y = Top;
  for (const auto& Look : Buttons) {
    auto* B = Place<TVxButton>(this, Bounds(12, Y, 100, 27));
    B->SetKind(Look.Kind);
    B->SetCaption(Look.Caption);
    B->SetEnabled(Look.Enabled);
    Y += 34;
  }

  const struct {
    const char* Caption;
    TVxCheckBoxState State;
    bool Enabled;
  } Checks[] = {{"&Unchecked", TVxCheckBoxState::kcbsUnChecked, true},
                {"C&hecked", TVxCheckBoxState::kcbsChecked, true},
                {"&Mixed", TVxCheckBoxState::kcbsMixed, true},
                {"Disabled", TVxCheckBoxState::kcbsChecked, false}};
  Y = Top;
  for (const auto& Look : Checks) {
    auto* C = Place<TVxCheckBox>(this, Bounds(130, Y, 120, 20));
    C->SetCaption(Look.Caption);
    C->SetAllowGrayed(true);
    C->SetState(Look.State);
    C->SetEnabled(Look.Enabled);
    Y += 26;
  }
  const char* Radios[] = {"&First", "&Second", "Thir&d"};
  for (const char* Caption : Radios) {
    auto* R = Place<TVxRadioButton>(this, Bounds(130, Y, 120, 20));
    R->SetCaption(Caption);
    R->SetChecked(Caption == Radios[1]);
    Y += 26;
  }

  Place<TVxTrackBar>(this, Bounds(262, Top, 150, 45))->SetPosition(6);
  auto* Ticks = Place<TVxTrackBar>(this, Bounds(262, Top + 50, 150, 45));
  Ticks->SetTickMarks(TVxTickMark::ktbmBoth);
  Ticks->SetPosition(3);
  auto* Smooth = Place<TVxProgressBar>(this, Bounds(262, Top + 105, 150, 16));
  Smooth->SetSmooth(true);
  Smooth->SetPosition(65);
  Place<TVxProgressBar>(this, Bounds(262, Top + 130, 150, 16))->SetPosition(40);
  auto* Bar = Place<TVxScrollBar>(this, Bounds(262, Top + 160, 150, 17));
  Bar->SetPageSize(20);
  Bar->SetPosition(30);

  auto* Edit = Place<TEdit>(this, Bounds(262, Top + 190, 60, 21));
  auto* Spin = Place<TVxSpinButton>(this, Bounds(322, Top + 190, 15, 21));
  Spin->SetAssociate(Edit);
  Spin->SetPosition(12);

  // Text and lists on two pages.
  auto* Tabs = Place<TVxTabControl>(this, Bounds(515, Top, 240, 240));
  Tabs->SetUsePages(true);
  auto AddPage = [&](const char* Caption) {
    auto* Page = new TVxTabSheet(this);
    Page->SetCaption(Caption);
    Page->SetTabControl(Tabs);
    return Page;
  };
  TVxTabSheet* TextPage = AddPage("Text");
  TVxTabSheet* ListPage = AddPage("List");
  AddPage("Empty");
  auto* Text = Place<TVxEdit>(TextPage, Bounds(10, 12, 200, 21));
  Text->SetText("Edit me");
  auto* Password = Place<TVxEdit>(TextPage, Bounds(10, 44, 200, 21));
  Password->SetPasswordKind(TPasswordKind::pkCircle);
  Password->SetText("secret");
  auto* Browse = Place<TVxEditButton>(TextPage, Bounds(10, 76, 200, 21));
  Browse->SetGlyphKind(TGlyphKind::gkEllipsis);
  Browse->SetText("C:\\Skins");
  Place<TVxSpinEdit>(TextPage, Bounds(10, 108, 100, 21))->SetValue(42);
  auto* Disabled = Place<TVxEdit>(TextPage, Bounds(10, 140, 200, 21));
  Disabled->SetText("Disabled");
  Disabled->SetEnabled(false);
  const std::vector<std::string> Fruit{"Apples", "Pears", "Plums", "Cherries", "Grapes"};
  auto* Combo = Place<TVxComboBox>(TextPage, Bounds(10, 172, 97, 21));
  Combo->SetItems(Fruit);
  Combo->SetAutoComplete(true);
  Combo->SetItemIndex(1);
  auto* DropList = Place<TVxComboBox>(TextPage, Bounds(113, 172, 97, 21));
  DropList->SetItems(Fruit);
  DropList->SetComboStyle(TVxComboStyle::kcsDropDownList);
  DropList->SetItemIndex(3);
  auto* List = Place<TVxListBox>(ListPage, Bounds(10, 10, 200, 180));
  List->SetShowCheckBoxes(true);
  List->SetAllowGrayed(true);
  for (const char* Caption : {"Apples", "Pears", "Plums", "-", "Cherries", "Grapes", "Lemons", "Oranges", "Limes",
                              "Melons", "Peaches", "Figs"})
    List->Items().Add(Caption);
  List->SetCheckState(0, 1);
  List->SetCheckState(2, 2);
  List->SetItemIndex(1);
  Tabs->SetActivePage(TextPage);

  auto* Vertical = Place<TVxProgressBar>(this, Bounds(430, Top, 16, 150));
  Vertical->SetOrientation(TVxProgressOrientation::kpoVertical);
  Vertical->SetPosition(70);
  auto* Upright = Place<TVxTrackBar>(this, Bounds(455, Top, 45, 150));
  Upright->SetOrientation(TVxTrackOrientation::ktoVertical);
  Upright->SetPosition(4);
}
