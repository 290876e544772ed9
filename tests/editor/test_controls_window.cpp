// The "Controls Test" window on the sample skin, and Pellan's "Control" command that shows it.
// One window is made and shown for the whole first suite: each showing costs seconds under Wine.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "../ui/ui_fixture.h"
#include "editor/core/skin_document.h"
#include "editor/main/main_form.h"
#include "editor/preview/skin_controls_window.h"
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
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/skin/theme_dv3objects.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

const std::string SampleSkin = std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.kskn";

// A menu as one line: captions with their shortcuts, submenus in brackets.
std::string Outline(const TVxItem* Item) {
  std::string Line;
  for (Integer I = 0; I < Item->Count(); ++I) {
    const TVxItem* Child = Item->Items(I);
    if (I) Line += ", ";
    for (wchar_t Ch : Child->Caption()) Line += char(Ch);  // the captions are ASCII
    if (Child->ShortCut() != scNone) Line += " " + ShortCutToText(Child->ShortCut());
    if (Child->Count()) Line += " [" + Outline(Child) + "]";
  }
  return Line;
}

// Ctrl + Key pressed and released on Wnd, the framework reading Ctrl from the keyboard state.
void PressCtrlKey(HWND Wnd, uint16_t Key) {
  BYTE Keys[256];
  GetKeyboardState(Keys);
  Keys[VK_CONTROL] = 0x80;
  SetKeyboardState(Keys);
  SendMessageA(Wnd, WM_KEYDOWN, Key, 1);
  SendMessageA(Wnd, WM_KEYUP, Key, LPARAM(0xC0000001));
  Keys[VK_CONTROL] = 0;
  SetKeyboardState(Keys);
}

}  // namespace

class ControlsWindowTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    RegisterSkinTheme();
    Skin = std::make_unique<TDvSkinSource>();
    Skin->LoadFromFile(SampleSkin);
    Window = std::make_unique<TfrmTest>(nullptr);
    Window->LoadSkin(SampleSkin, *Skin);
    Window->Show();
  }
  static void TearDownTestSuite() {
    Window.reset();
    Skin.reset();
    RemoveCurrentTheme();
  }
  void SetUp() override {
    UiTest::SetUp();
    PumpUntil([] { return false; }, 50);
  }

  static std::unique_ptr<TDvSkinSource> Skin;
  static std::unique_ptr<TfrmTest> Window;
};

std::unique_ptr<TDvSkinSource> ControlsWindowTest::Skin;
std::unique_ptr<TfrmTest> ControlsWindowTest::Window;

TEST_F(ControlsWindowTest, TheWindowItsBarsAndItsPages) {
  {
    // Before a skin is loaded, which puts the skin's name in both captions.
    TfrmTest Fresh(nullptr);
    EXPECT_EQ(Fresh.Caption(), "Controls Test");
    EXPECT_EQ(Fresh.ThemeForm1->Caption(), L"Controls Test");
    // Blue until a theme change hands the grid the theme's colour.
    EXPECT_EQ(Fresh.StringGrid1->Color(), clBlue);
  }
  TfrmTest& W = *Window;
  EXPECT_EQ(W.ClientWidth(), 561);
  EXPECT_EQ(W.ClientHeight(), 516);
  EXPECT_EQ(W.Position(), TPosition::poScreenCenter);
  EXPECT_EQ(W.BorderIcons(), (TBorderIcons{TBorderIcon::biMinimize, TBorderIcon::biMaximize}));
  EXPECT_EQ(W.VX->Name(), "VX");
  EXPECT_EQ(W.ThemeForm1->Name(), "ThemeForm1");
  // Loaded as Pellan loads it: the skin is the current theme and frames the window.
  ASSERT_NE(CurrentTheme(), nullptr);
  EXPECT_EQ(CurrentTheme()->Name(), Skin->SkinName());
  EXPECT_EQ(W.ThemeForm1->Caption(), AnsiToWideCP(CP_ACP, Skin->SkinName() + " - test"));
  EXPECT_TRUE(IsFormThemed(0, "default", nullptr));

  // From top to bottom.
  EXPECT_EQ(W.DvSkinMenuBar1->Parent(), &W);
  EXPECT_EQ(W.DvSkinMenuBar1->Align(), TAlign::alTop);
  EXPECT_EQ(W.DvSkinMenuBar1->Top(), 0);
  EXPECT_EQ(W.ControlBar1->Top(), W.DvSkinMenuBar1->Height());
  EXPECT_TRUE(W.ControlBar1->AutoSize());
  EXPECT_EQ(W.HeaderControl1->Top(), W.ControlBar1->Top() + W.ControlBar1->Height());
  EXPECT_EQ(W.DvSkinTabControl1->Top(), W.HeaderControl1->Top() + W.HeaderControl1->Height());
  EXPECT_EQ(W.StatusBar1->Align(), TAlign::alBottom);
  EXPECT_EQ(W.StatusBar1->Top() + W.StatusBar1->Height(), 516);
  EXPECT_EQ(W.DvSkinTabControl1->Top() + W.DvSkinTabControl1->Height(), W.StatusBar1->Top());

  EXPECT_EQ(Outline(W.DvSkinMenuBar1->Items()),
            "&File [&New, -, E&xit Ctrl+Q], &Edit [Cu&t Ctrl+X, &Copy Ctrl+C, &Paste Ctrl+V], "
            "&Help [&Index F1, -, &About...]");
  EXPECT_EQ(Outline(W.DvSkinMenuBar2->Items()),
            "&File [&New, &Open..., &Save, Save &As..., -, &Print..., P&rint Setup..., -, E&xit], "
            "&Edit [&Undo Ctrl+Z, &Repeat, -, Cu&t Ctrl+X, &Copy Ctrl+C, &Paste Ctrl+V, Paste &Special..., -, "
            "&Find..., R&eplace..., &Go To..., -, Lin&ks..., &Object], "
            "&Help [&Contents, &Search for Help On..., &How to Use Help, -, &About...]");
  EXPECT_EQ(W.ThemeForm1->MenuBar(), W.DvSkinMenuBar2);
  EXPECT_EQ(W.DvSkinMenuBar2->Parent(), W.ControlBar1);
  EXPECT_EQ(Outline(W.PopupMenu1->Items()), "&New, &Open, &Save, -, E&xit Ctrl+Q");
  EXPECT_EQ(W.DvSkinTabControl1->PopupMenu(), W.PopupMenu1);
  EXPECT_FALSE(W.PopupMenu1->Items()->Items(4)->OnClick);

  // The tool bar, left to right: the kind of each piece, and for buttons flat, group and down.
  struct TPiece {
    bool Divider;
    bool Flat;
    Integer Group;
    bool Down;
  };
  const TPiece Pieces[] = {{false, false, 0, false}, {false, false, 0, false},  {true},
                           {false, false, 0, false}, {true},                    {false, true, 0, false},
                           {false, true, 0, false},  {false, true, 0, false},   {true},
                           {false, false, 22, true}, {false, false, 22, false}, {true},
                           {false, true, 44, false}, {false, true, 44, true}};
  EXPECT_EQ(W.ToolBar1->Parent(), W.ControlBar1);
  EXPECT_LT(W.ToolBar1->Top(), W.DvSkinMenuBar2->Top());
  ASSERT_EQ(W.ToolBar1->ControlCount(), Integer(std::size(Pieces)));
  std::vector<TControl*> Row;
  for (Integer I = 0; I < W.ToolBar1->ControlCount(); ++I) Row.push_back(W.ToolBar1->Controls(I));
  std::sort(Row.begin(), Row.end(), [](TControl* A, TControl* B) { return A->Left() < B->Left(); });
  int Dividers = 0;
  for (size_t I = 0; I < Row.size(); ++I) {
    SCOPED_TRACE(I);
    if (Pieces[I].Divider) {
      auto* D = dynamic_cast<TVxSpeedDivider*>(Row[I]);
      ASSERT_NE(D, nullptr);
      EXPECT_EQ(D->Name(), "ZqSpeedDivider" + std::to_string(++Dividers));
      continue;
    }
    auto* B = dynamic_cast<TVxSpeedButton*>(Row[I]);
    ASSERT_NE(B, nullptr);
    EXPECT_EQ(B->Flat(), Pieces[I].Flat);
    EXPECT_EQ(B->GroupIndex(), Pieces[I].Group);
    EXPECT_EQ(B->Down(), Pieces[I].Down);
  }

  ASSERT_EQ(W.HeaderControl1->Sections()->Count(), 3);
  const Integer SectionWidths[] = {50, 100, 80};
  for (Integer I = 0; I < 3; ++I) {
    EXPECT_EQ(W.HeaderControl1->Sections()->Items(I)->Text(), L"test");
    EXPECT_EQ(W.HeaderControl1->Sections()->Items(I)->Width(), SectionWidths[I]);
  }
  EXPECT_TRUE(W.HeaderControl1->DragReorder());

  const struct {
    const wchar_t* Text;
    Integer Width, Stretch;
  } Panels[] = {{L"test", 50, 0}, {L"test test", 100, 0}, {L"stretch", 50, 33}};
  ASSERT_EQ(W.StatusBar1->Panels()->Count(), 3);
  for (Integer I = 0; I < 3; ++I) {
    const TVxStatusPanel* P = W.StatusBar1->Panels()->Items(I);
    EXPECT_EQ(P->Text(), Panels[I].Text);
    EXPECT_EQ(P->Width(), Panels[I].Width);
    EXPECT_EQ(P->StretchPriority(), Panels[I].Stretch);
  }

  ASSERT_EQ(W.DvSkinTabControl1->PageCount(), 7);
  const char* Captions[] = {"Page1", "Page2", "Page3", "Page4", "Page5", "Page6", "New Tab 6"};
  for (Integer I = 0; I < 7; ++I) EXPECT_EQ(W.DvSkinTabControl1->Pages(I)->Caption(), Captions[I]);
  EXPECT_EQ(W.DvSkinTabControl1->ActivePage(), W.Pages[1]);
  EXPECT_TRUE(IsWindowVisible(W.Pages[1]->Handle()));
  EXPECT_EQ(W.Pages[6]->ControlCount(), 0);
}

TEST_F(ControlsWindowTest, EachPageHoldsItsControlsInTheirStates) {
  TfrmTest& W = *Window;
  // Where each control lies: a page, or (inside a page) a panel, group box or scroll box.
  const struct {
    TControl* Control;
    TWinControl* Parent;
  } Places[] = {
      {W.DvSkinScrollBar1, W.Pages[0]}, {W.DvSkinScrollBar2, W.Pages[0]}, {W.DvSkinScrollBar3, W.Pages[0]},
      {W.DvSkinScrollBar4, W.Pages[0]}, {W.VerticalProgress, W.Pages[0]}, {W.HorizontalProgress, W.Pages[0]},
      {W.StaticText, W.Pages[1]},       {W.RadioPanel, W.Pages[1]},       {W.RadioButton1, W.RadioPanel},
      {W.RadioButton2, W.RadioPanel},   {W.Panel1, W.Pages[1]},           {W.DvSkinGroupBox1, W.Pages[1]},
      {W.SpinEdit1, W.Pages[1]},        {W.EditButton1, W.Pages[1]},      {W.VxHeaderPanel1, W.Pages[1]},
      {W.VxHeaderPanel2, W.Pages[1]},   {W.ColorList, W.Pages[2]},        {W.FontList, W.Pages[2]},
      {W.ComboBox1, W.Pages[2]},        {W.ColorCombo, W.Pages[2]},       {W.SpinTarget, W.Pages[2]},
      {W.EditSpin, W.Pages[2]},         {W.SampleEdit, W.Pages[2]},       {W.TabsOnly, W.Pages[3]},
      {W.CloseButton, W.Pages[4]},      {W.HelpButton, W.Pages[4]},       {W.CustomButton, W.Pages[4]},
      {W.PageSpin, W.Pages[4]},         {W.ScrollBox1, W.Pages[4]},       {W.BoxedGroup, W.ScrollBox1},
      {W.StringGrid1, W.Pages[5]}};
  for (const auto& P : Places) {
    ASSERT_NE(P.Control, nullptr);
    EXPECT_EQ(P.Control->Parent(), P.Parent) << P.Control->ClassName();
  }
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(W.HorizontalTracks[I]->Parent(), W.Pages[0]);
    EXPECT_EQ(W.VerticalTracks[I]->Parent(), W.Pages[0]);
    EXPECT_EQ(W.CheckBoxes[I]->Parent(), W.DvSkinGroupBox1);
    EXPECT_EQ(W.Passwords[I]->Parent(), W.Pages[2]);
  }
  for (int I = 0; I < 4; ++I) EXPECT_EQ(W.PageButtons[I]->Parent(), W.Pages[4]);

  // "Page1".
  const struct {
    TVxScrollBar* Bar;
    TVxScrollOrientation Orientation;
    Integer PageSize;
  } Bars[] = {{W.DvSkinScrollBar2, TVxScrollOrientation::ksoVertical, 0},
              {W.DvSkinScrollBar3, TVxScrollOrientation::ksoVertical, 33},
              {W.DvSkinScrollBar1, TVxScrollOrientation::ksoHorizontal, 11},
              {W.DvSkinScrollBar4, TVxScrollOrientation::ksoHorizontal, 0}};
  for (const auto& B : Bars) {
    SCOPED_TRACE(B.Bar->Name());
    EXPECT_EQ(B.Bar->Orientation(), B.Orientation);
    EXPECT_EQ(B.Bar->Position(), 3);
    EXPECT_EQ(B.Bar->PageSize(), B.PageSize);
  }
  EXPECT_EQ(W.VerticalProgress->Orientation(), TVxProgressOrientation::kpoVertical);
  EXPECT_TRUE(W.VerticalProgress->Smooth());
  EXPECT_EQ(W.HorizontalProgress->Orientation(), TVxProgressOrientation::kpoHorizontal);
  EXPECT_FALSE(W.HorizontalProgress->Smooth());
  for (TVxProgressBar* P : {W.VerticalProgress, W.HorizontalProgress}) {
    EXPECT_EQ(P->Position(), 23);
    EXPECT_TRUE(P->ShowBorder());
  }
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(W.HorizontalTracks[I]->Orientation(), TVxTrackOrientation::ktoHorizontal);
    EXPECT_EQ(W.VerticalTracks[I]->Orientation(), TVxTrackOrientation::ktoVertical);
    EXPECT_TRUE(W.HorizontalTracks[I]->Transparent());
    EXPECT_TRUE(W.VerticalTracks[I]->Transparent());
  }

  // "Page2".
  EXPECT_EQ(W.StaticText->Caption(), "Static Text");
  EXPECT_EQ(W.RadioButton1->Caption(), "RadioButton1");
  EXPECT_EQ(W.RadioButton2->Caption(), "RadioButton2");
  EXPECT_TRUE(W.RadioButton1->Checked());
  EXPECT_FALSE(W.RadioButton2->Checked());
  EXPECT_EQ(W.RadioButton1->GroupIndex(), 1);
  EXPECT_EQ(W.RadioButton2->GroupIndex(), 1);
  EXPECT_EQ(W.Panel1->Caption(), "Panel");
  EXPECT_EQ(W.DvSkinGroupBox1->Caption(), "DvSkinGroupBox1");
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(W.CheckBoxes[I]->Caption(), "CheckBox");
    EXPECT_EQ(W.CheckBoxes[I]->Checked(), I == 0);
  }
  EXPECT_EQ(W.SpinEdit1->WideText(), L"0");
  EXPECT_EQ(W.VxHeaderPanel1->Caption(), "VxHeaderPanel1");
  EXPECT_EQ(W.VxHeaderPanel1->ButtonKind(), TVxPanelButtonKind::kpbkRollUp);
  EXPECT_EQ(W.VxHeaderPanel2->Caption(), "VxHeaderPanel2");
  EXPECT_EQ(W.VxHeaderPanel2->ButtonKind(), TVxPanelButtonKind::kpbkClose);
  EXPECT_TRUE(W.VxHeaderPanel1->ShowButton());
  EXPECT_TRUE(W.VxHeaderPanel2->ShowButton());

  // "Page3".
  EXPECT_EQ(W.ColorList->ListStyle(), TVxListBoxStyle::lbColorNames);
  EXPECT_GT(W.ColorList->Items().Count(), 0);
  EXPECT_EQ(W.FontList->ListStyle(), TVxListBoxStyle::lbFonts);
  EXPECT_TRUE(W.FontList->Sorted());
  EXPECT_TRUE(W.FontList->ShowCheckBoxes());
  EXPECT_GT(W.FontList->Items().Count(), 0);
  EXPECT_EQ(W.ComboBox1->ComboStyle(), TVxComboStyle::kcsDropDown);
  EXPECT_EQ(W.ComboBox1->Items().Count(), 5);
  EXPECT_EQ(W.ColorCombo->ComboStyle(), TVxComboStyle::kcsDropDownList);
  EXPECT_EQ(W.ColorCombo->ListStyle(), TVxListBoxStyle::lbColorNames);
  EXPECT_EQ(W.ColorCombo->Items().Count(), W.ColorList->Items().Count());
  EXPECT_EQ(W.SpinTarget->WideText(), L"0");
  EXPECT_EQ(W.EditSpin->Associate(), W.SpinTarget);
  EXPECT_EQ(W.EditSpin->Min(), 0);
  EXPECT_EQ(W.EditSpin->Max(), 100);
  EXPECT_EQ(W.EditSpin->Increment(), 1);
  EXPECT_EQ(W.SampleEdit->WideText(), L"Sample text");
  const TPasswordKind Masks[] = {TPasswordKind::pkCircle, TPasswordKind::pkRect, TPasswordKind::pkTriangle};
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(W.Passwords[I]->WideText().size(), 4u);
    EXPECT_EQ(W.Passwords[I]->PasswordKind(), Masks[I]);
  }

  // "Page4".
  EXPECT_EQ(W.TabsOnly->Tabs().Items(),
            (std::vector<std::string>{"Tab1", "Tab2", "Tab3", "Tab4", "Tab5", "Tab6", "Tab7"}));
  EXPECT_EQ(W.TabsOnly->PageCount(), 0);
  EXPECT_TRUE(W.TabsOnly->HotTrack());

  // "Page5": plain, chevron, flat, flat with chevron.
  for (int I = 0; I < 4; ++I) {
    EXPECT_EQ(W.PageButtons[I]->ShowChevron(), I % 2 == 1) << I;
    EXPECT_EQ(W.PageButtons[I]->Flat(), I >= 2) << I;
  }
  EXPECT_EQ(W.CloseButton->Caption(), "&Close");
  EXPECT_EQ(W.CloseButton->Kind(), TBitBtnKind::bkClose);
  EXPECT_EQ(W.HelpButton->Caption(), "&Help");
  EXPECT_EQ(W.HelpButton->Kind(), TBitBtnKind::bkHelp);
  EXPECT_EQ(W.CustomButton->Caption(), "Custom");
  EXPECT_EQ(W.BoxedGroup->Caption(), "test");

  // "Page6".
  EXPECT_EQ(W.StringGrid1->ColCount(), 20);
  EXPECT_EQ(W.StringGrid1->RowCount(), 100);
  EXPECT_EQ(W.StringGrid1->DefaultRowHeight(), 21);
  EXPECT_FALSE(W.StringGrid1->DefaultDrawing());
}

// Each progress bar shows the first bar of its direction, whichever of the two moved.
TEST_F(ControlsWindowTest, TheScrollBarsOfPage1MoveTheProgressBars) {
  TfrmTest& W = *Window;
  struct TMove {
    TVxScrollBar* Bar;
    Integer To;
    Integer Vertical, Horizontal;  // the progress bars afterwards
  };
  const TMove Moves[] = {{W.DvSkinScrollBar2, 40, 40, 23},
                         {W.DvSkinScrollBar3, 70, 40, 23},
                         {W.DvSkinScrollBar1, 55, 40, 55},
                         {W.DvSkinScrollBar4, 90, 40, 55},
                         {W.DvSkinScrollBar2, 5, 5, 55},
                         {W.DvSkinScrollBar1, 0, 5, 0}};
  for (const TMove& M : Moves) {
    SCOPED_TRACE(M.Bar->Name() + " to " + std::to_string(M.To));
    M.Bar->SetPosition(M.To);
    EXPECT_EQ(W.VerticalProgress->Position(), M.Vertical);
    EXPECT_EQ(W.HorizontalProgress->Position(), M.Horizontal);
  }

  // By the mouse: a press on the down arrow of the second vertical bar moves it, and the
  // vertical progress bar stays at the first bar's position.
  W.DvSkinTabControl1->SetActivePage(W.Pages[0]);
  PumpUntil([] { return false; }, 50);
  TVxScrollBar* Second = W.DvSkinScrollBar3;
  const Integer Before = Second->Position();
  const LPARAM At = Point(Second->Left() + Second->Width() / 2, Second->Top() + Second->Height() - 5);
  SendMessageA(W.Pages[0]->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
  SendMessageA(W.Pages[0]->Handle(), WM_LBUTTONUP, 0, At);
  EXPECT_GT(Second->Position(), Before);
  EXPECT_EQ(W.VerticalProgress->Position(), W.DvSkinScrollBar2->Position());
  W.DvSkinTabControl1->SetActivePage(W.Pages[1]);
}

// [Pellan's "Control"] ---------------------------------------------------------------------------

class PellanControlTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterSkinTheme();
    SetCursorPos(0, 0);
  }
  void TearDown() override {
    Main.reset();
    RemoveCurrentTheme();
    UiTest::TearDown();
  }

  TfrmTest* OpenWindow() {
    for (Integer I = 0; I < Main->ComponentCount(); ++I)
      if (auto* Window = dynamic_cast<TfrmTest*>(Main->Components(I))) return Window;
    return nullptr;
  }

  std::unique_ptr<TfrmMain> Main;
};

// However the window is closed, the command's modal loop ends, the window goes and design mode
// comes back; while it was open the window wore the skin and its name.
TEST_F(PellanControlTest, ControlShowsTheSkinnedControlsWindowUntilExitOrTheCloseButton) {
  struct TCase {
    const char* Name;
    void (*CloseIt)(TfrmTest& Window);
  } Cases[] = {
      {"Ctrl+Q on the top menu bar", [](TfrmTest& W) { PressCtrlKey(W.DvSkinTabControl1->Handle(), 'Q'); }},
      {"the close button", [](TfrmTest& W) { SendMessageA(W.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    Watchdog.SetEnabled(false);
    Watchdog.SetEnabled(true);
    Main = std::make_unique<TfrmMain>(nullptr, std::vector<std::string>{SampleSkin});
    Main->Show();
    PumpUntil([] { return false; }, 50);
    const std::string Name = Main->Document().Source()->SkinName();
    const bool Modified = Main->Document().Modified();
    ASSERT_TRUE(Main->actnTest->Enabled());
    SetDesignMode(true);

    bool Shown = false, DesignModeWhileOpen = true, Skinned = false, ClosedByUs = false;
    std::string WindowCaption;
    TTimer Look;
    Look.SetInterval(100);
    Look.SetOnTimer([&](TObject*) {
      TfrmTest* Window = OpenWindow();
      // The window is made visible when its show animation has played.
      if (!Window || !Window->HandleAllocated() || !IsWindowVisible(Window->Handle())) return;
      Look.SetEnabled(false);
      Shown = true;
      DesignModeWhileOpen = DesignMode();
      Skinned = IsFormThemed(0, "default", nullptr);
      char Text[256] = {};
      GetWindowTextA(Window->Handle(), Text, sizeof Text);
      WindowCaption = Text;
      C.CloseIt(*Window);
      ClosedByUs = true;
    });
    Main->actnTest->Execute();
    Look.SetEnabled(false);

    EXPECT_TRUE(Shown);
    EXPECT_TRUE(ClosedByUs);
    EXPECT_FALSE(DesignModeWhileOpen);
    EXPECT_TRUE(Skinned);
    EXPECT_EQ(WindowCaption, Name + " - test");
    EXPECT_EQ(OpenWindow(), nullptr);
    EXPECT_TRUE(DesignMode());
    EXPECT_EQ(Main->Document().Modified(), Modified);
    Main.reset();
    RemoveCurrentTheme();
  }
}
