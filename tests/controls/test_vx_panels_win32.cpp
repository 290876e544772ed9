// The skinned group box, panel, label, string grid and header panel: the group box's check-box
// caption enabling its children, accelerators, the label's sizing, the grid's skinned bars and
// cells, rolling and closing the header panel, painting through the sample skin and without a
// theme, bad input, and form files.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/ui/application.h"
#include "framework/ui/hint_window.h"
#include "framework/ui/panel.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_headerpanel.h"
#include "vexel/controls/vx_panels.h"
#include "vexel/controls/vx_stringgrid.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme.h"

namespace {

// Defines labels and notes what it is asked to draw and which fonts it hands out.
class TLabelTheme : public TvxTheme {
 public:
  std::vector<TvxTextInfo> Texts;
  std::vector<Integer> Fonts;
  bool IsLabelDefined(Byte, const std::string&) override { return true; }
  bool IsLabelTransparent(Byte, const std::string&) override { return false; }
  void DrawLabelText(Byte, TCanvas&, const std::string&, const TvxTextInfo& Info) override { Texts.push_back(Info); }
  void GetFont(TFont& Font, Integer Index, const std::string& Name) override {
    Fonts.push_back(Index);
    TvxTheme::GetFont(Font, Index, Name);
  }
};

class PanelsTest : public ShownFormTest {
 protected:
  static void Mouse(HWND Wnd, UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
    SendMessageA(Wnd, Msg, Keys, MAKELPARAM(X, Y));
  }
  static void Click(HWND Wnd, Integer X, Integer Y) {
    Mouse(Wnd, WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
    Mouse(Wnd, WM_LBUTTONUP, X, Y);
  }
  static TPoint Middle(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
  // Alt and Key typed while Focus has the focus.
  static void AltKey(TWinControl* Focus, char Key) {
    SendMessageA(Focus->Handle(), WM_SYSCHAR, WPARAM(Key), LPARAM(1) << 29);
  }
  // The height of one line of Font's text.
  static Integer LineHeight(const TFont& Font) {
    TWindowDC Screen(nullptr);
    TSelectGuard Select(Screen.Get(), Font.Handle());
    return TextHeightWide(Screen.Get(), L"W");
  }
  // Pixels of R that differ between two captures.
  static int Differences(const Capture& A, const Capture& B, const TRect& R) {
    int N = 0;
    for (Integer Y = R.Top; Y < R.Bottom; ++Y)
      for (Integer X = R.Left; X < R.Right; ++X) N += A.At(X, Y) != B.At(X, Y);
    return N;
  }
  // A plain coloured parent for the tests that look through a control.
  TPanel* Backdrop(TColor Color) {
    auto* P = Add<TPanel>(Shown, Bounds(0, 0, 300, 250));
    P->SetBevelOuter(TPanelBevel::bvNone);
    P->SetColor(Color);
    return P;
  }
};

// [Group box] ------------------------------------------------------------------------------------

TEST_F(PanelsTest, AGroupBoxCheckBoxEnablesAndDisablesTheOtherChildren) {
  auto* G = Add<TVxGroupBox>(Shown, Bounds(10, 10, 200, 150));
  G->SetCaption("Options");
  auto* A = Add<TVxButton>(G, Bounds(10, 10, 60, 25));
  auto* B = Add<TVxLabel>(G, Bounds(10, 50, 60, 20));
  int Clicks = 0, BoxClicks = 0;
  G->OnClick = [&](TObject*) { ++Clicks; };
  G->OnCheckBoxClick = [&](TObject*) { ++BoxClicks; };
  EXPECT_EQ(G->CheckBox(), nullptr) << "made on demand";
  G->SetUseCheckBox(true);
  TVxCheckBox* Box = G->CheckBox();
  ASSERT_NE(Box, nullptr);
  EXPECT_EQ(Box->Parent(), G);
  EXPECT_EQ(Box->Caption(), "Options");
  EXPECT_TRUE(Box->Checked());
  EXPECT_EQ(Box->BoundsRect(), G->CaptionRect());
  EXPECT_EQ(G->CaptionRect().Left, 12) << "the caption margin";
  EXPECT_EQ(G->ClientRect().Top, Box->Height());

  // By property: the box and the group box stay usable, the rest follows.
  G->SetChecked(false);
  EXPECT_FALSE(Box->Checked());
  EXPECT_TRUE(G->Enabled());
  EXPECT_TRUE(Box->Enabled());
  EXPECT_TRUE(IsWindowEnabled(G->Handle()));
  EXPECT_FALSE(A->Enabled());
  EXPECT_FALSE(B->Enabled());
  EXPECT_EQ(BoxClicks, 0) << "set from code, not clicked";
  G->SetEnabled(false);
  EXPECT_TRUE(G->Enabled()) << "a group box with a check box stays enabled";
  EXPECT_FALSE(A->Enabled());

  // A click on the box with the mouse.
  const TPoint P = Middle(Rect(0, 0, Box->Width(), Box->Height()));
  Click(Box->Handle(), 6, P.Y);
  EXPECT_TRUE(G->Checked());
  EXPECT_TRUE(A->Enabled());
  EXPECT_TRUE(B->Enabled());
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(BoxClicks, 1);
  Click(Box->Handle(), 6, P.Y);
  EXPECT_FALSE(G->Checked());
  EXPECT_FALSE(A->Enabled());
  EXPECT_EQ(BoxClicks, 2);
  EXPECT_FALSE(Add<TVxButton>(G, Bounds(10, 80, 60, 25))->Enabled()) << "a child added to an unchecked box";

  // The caption follows the group box; a moved margin moves the box.
  G->SetCaption("More");
  EXPECT_EQ(Box->Caption(), "More");
  G->SetCaptionMargin(30);
  EXPECT_EQ(Box->Left(), 30);
  G->SetCheckBoxAlignment(TVxLeftRight::kalRightJustify);
  EXPECT_EQ(Box->Alignment(), TVxLeftRight::kalRightJustify);

  // Without the box the children follow the group box's own Enabled.
  G->SetUseCheckBox(false);
  EXPECT_EQ(G->CheckBox(), nullptr);
  EXPECT_TRUE(A->Enabled());
  G->SetEnabled(false);
  EXPECT_FALSE(G->Enabled());
  EXPECT_FALSE(A->Enabled());
  EXPECT_FALSE(B->Enabled());
  EXPECT_FALSE(IsWindowEnabled(G->Handle()));
  G->SetEnabled(true);
  EXPECT_TRUE(A->Enabled());
}

TEST_F(PanelsTest, AGroupBoxAcceleratorFocusesItsFirstChild) {
  auto* G = Add<TVxGroupBox>(Shown, Bounds(10, 10, 200, 150));
  G->SetCaption("&Options");
  auto* First = Add<TVxButton>(G, Bounds(10, 10, 60, 25));
  Add<TVxButton>(G, Bounds(10, 50, 60, 25));
  auto* Elsewhere = Add<TVxButton>(Shown, Bounds(250, 10, 60, 25));
  Settle();
  Elsewhere->SetFocus();
  ASSERT_TRUE(Elsewhere->Focused());
  AltKey(Elsewhere, 'x');
  EXPECT_TRUE(Elsewhere->Focused()) << "not its accelerator";
  AltKey(Elsewhere, 'O');
  EXPECT_TRUE(First->Focused());
  EXPECT_NE(Shown->Perform(CM_DIALOGCHAR, 'o', 0), 0) << "consumed";
  // A disabled group box cannot take the focus: the character passes on.
  Elsewhere->SetFocus();
  G->SetEnabled(false);
  EXPECT_EQ(Shown->Perform(CM_DIALOGCHAR, 'o', 0), 0);
  EXPECT_TRUE(Elsewhere->Focused());
}

TEST_F(PanelsTest, WithoutAThemeAGroupBoxIsAnEtchedFrameOverItsParentOrItsColor) {
  TPanel* Back = Backdrop(clAqua);
  auto* G = Add<TVxGroupBox>(Back, Bounds(10, 10, 120, 100));
  // Spaces: a caption gap with nothing drawn in it.
  G->SetCaption("      ");
  G->SetColor(clYellow);
  ASSERT_TRUE(G->Transparent());
  Settle();
  TRect Frame;
  G->GetFrameRect(Frame);
  const TRect Cap = G->CaptionRect();
  EXPECT_EQ(Frame, Rect(3, LineHeight(*G->Font()) / 2 + 1, 118, 98));
  EXPECT_EQ(G->ClientRect(), Rect(12, LineHeight(*G->Font()), 108, 92));
  Capture Shot(120, 100);
  PrintClient(G, Shot);
  EXPECT_EQ(Shot.At(60, 60), PixelOf(clAqua)) << "transparent: the parent shows";
  // Highlight on the frame, shadow one pixel up and left of it.
  EXPECT_EQ(Shot.At(Frame.Left, 60), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(Frame.Left - 1, 60), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(60, Frame.Bottom - 1), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(60, Frame.Bottom - 2), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(Frame.Right - 2, 60), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(Frame.Left + 2, Frame.Top), PixelOf(clBtnHighlight)) << "the top line before the caption";
  EXPECT_EQ(Shot.At(Cap.Right + 2, Frame.Top), PixelOf(clBtnHighlight)) << "and after it";
  EXPECT_EQ(Shot.At((Cap.Left + Cap.Right) / 2, Frame.Top), PixelOf(clAqua)) << "a gap under the caption";

  G->SetTransparent(false);
  Settle();
  Capture Opaque(120, 100);
  PrintClient(G, Opaque);
  EXPECT_EQ(Opaque.At(60, 60), PixelOf(clYellow));
  EXPECT_EQ(Opaque.At(Frame.Left, 60), PixelOf(clBtnHighlight));
}

TEST_F(PanelsTest, ThroughTheSampleSkinAGroupBoxIsTheThemesGroupBox) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsGroupBoxDefined(0, "default"));
  auto* G = Add<TVxGroupBox>(Shown, Bounds(10, 10, 160, 110));
  G->SetCaption("Skinned");
  G->SetColor(clYellow);
  Settle();
  Capture Shot(160, 110), Reference(160, 110);
  PrintClient(G, Shot);
  // By hand: what shows under the box, then the theme's frame and caption.
  TRect Frame;
  G->GetFrameRect(Frame);
  const TColor Under = Theme->IsGroupBoxTransparent(0, "default") ? Shown->Color() : clYellow;
  FillRectColor(Reference.DC(), Rect(0, 0, 160, 110), Under);
  TCanvas Canvas(Reference.DC());
  TvxGroupBoxInfo Info;
  Info.Rect = Frame;
  Info.CaptionRect = G->CaptionRect();
  Theme->DrawGroupBox(0, Canvas, "default", Info);
  Canvas.Font().Assign(G->Font());
  Theme->GetFont(Canvas.Font(), vxfGroupBoxTextNormal, "default");
  TvxTextInfo Text;
  Text.Rect = Info.CaptionRect;
  Text.Text = L"Skinned";
  Text.Alignment = 4;
  Text.Flags = vxtfSingleLine;
  Theme->DrawGroupBoxText(0, Canvas, "default", Text, 0);
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 160, 110)), 0);
  int Painted = 0;
  for (Integer X = 0; X < 160; ++X) Painted += Shot.At(X, 60) != PixelOf(Under);
  EXPECT_GT(Painted, 0) << "the skin's frame shows";
}

TEST_F(PanelsTest, WithVisualStylesAGroupBoxIsThePlatformsGroupFrame) {
  AllowVisualStyles();
  if (!StyleAvailable(Shown->Handle(), L"Button")) GTEST_SKIP() << "the platform shows no visual styles here";
  auto* G = Add<TVxGroupBox>(Shown, Bounds(10, 10, 160, 110));
  G->SetCaption("");
  Settle();
  Capture Shot(160, 110), Reference(160, 110);
  PrintClient(G, Shot);
  TRect Frame;
  G->GetFrameRect(Frame);
  FillRectColor(Reference.DC(), Rect(0, 0, 160, 110), Shown->Color());
  HTHEME Style = ThemeFunctions().OpenThemeData(G->Handle(), L"Button");
  ASSERT_NE(Style, nullptr);
  const RECT Area{Frame.Left, Frame.Top, Frame.Right, Frame.Bottom};
  ThemeFunctions().DrawThemeBackground(Style, Reference.DC(), 4, 1, &Area, nullptr);
  ThemeFunctions().CloseThemeData(Style);
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 160, 110)), 0);
}

// [Label] ----------------------------------------------------------------------------------------

TEST_F(PanelsTest, ALabelSizesItselfToItsCaption) {
  auto* L = Add<TVxLabel>(Shown, Bounds(100, 10, 65, 17));
  const Integer Line = LineHeight(*L->Font());
  // Empty and lone-ampersand captions still measure one line with some width.
  for (const char* Caption : {"", "&"}) {
    L->SetCaption(Caption);
    SCOPED_TRACE(Caption);
    EXPECT_EQ(L->Height(), Line);
    EXPECT_GT(L->Width(), 0);
  }
  // A right-aligned label grows to the left.
  L->SetAlignment(TAlignment::taRightJustify);
  L->SetCaption("Short");
  const Integer Right = L->Left() + L->Width();
  L->SetCaption("A considerably longer caption");
  EXPECT_EQ(L->Left() + L->Width(), Right);
  EXPECT_GT(L->Width(), 100);
  EXPECT_EQ(L->Height(), Line);
  // Word wrap keeps the width and takes the lines it needs.
  L->SetAlignment(TAlignment::taLeftJustify);
  L->SetAutoSize(false);
  L->SetCaption("aa bb cc dd ee ff gg hh");
  L->SetBounds(10, 10, 60, 17);
  L->SetWordWrap(true);
  L->SetAutoSize(true);
  EXPECT_LE(L->Width(), 60);
  EXPECT_GE(L->Height(), 3 * Line);
  // Without AutoSize the bounds stay.
  L->SetAutoSize(false);
  L->SetBounds(10, 10, 50, 30);
  L->SetCaption("x");
  EXPECT_EQ(L->BoundsRect(), Bounds(10, 10, 50, 30));
}

TEST_F(PanelsTest, ALabelAcceleratorFocusesItsFocusControlUntilThatIsFreed) {
  auto* L = Add<TVxLabel>(Shown, Bounds(10, 10, 65, 17));
  L->SetCaption("&Name");
  auto* Target = Add<TVxButton>(Shown, Bounds(100, 10, 60, 25));
  auto* Elsewhere = Add<TVxButton>(Shown, Bounds(200, 10, 60, 25));
  Settle();
  Elsewhere->SetFocus();
  EXPECT_EQ(Shown->Perform(CM_DIALOGCHAR, 'n', 0), 0) << "no focus control yet";
  L->SetFocusControl(Target);
  AltKey(Elsewhere, 'N');
  EXPECT_TRUE(Target->Focused());
  EXPECT_NE(Shown->Perform(CM_DIALOGCHAR, 'n', 0), 0) << "consumed";
  // Neither a disabled label nor one that shows no accelerators answers.
  Elsewhere->SetFocus();
  L->SetEnabled(false);
  EXPECT_EQ(Shown->Perform(CM_DIALOGCHAR, 'n', 0), 0);
  L->SetEnabled(true);
  L->SetShowAccelChar(false);
  EXPECT_EQ(Shown->Perform(CM_DIALOGCHAR, 'n', 0), 0);
  EXPECT_TRUE(Elsewhere->Focused());
  L->SetShowAccelChar(true);
  // A freed focus control is forgotten.
  delete Target;
  EXPECT_EQ(L->FocusControl(), nullptr);
  EXPECT_EQ(Shown->Perform(CM_DIALOGCHAR, 'n', 0), 0);
  EXPECT_TRUE(Elsewhere->Focused());
}

TEST_F(PanelsTest, ALabelShowsItsParentUnlessMadeOpaque) {
  TPanel* Back = Backdrop(clAqua);
  auto* L = Add<TVxLabel>(Back, Bounds(20, 20, 60, 30));
  // Taking the parent's font sized it already; fixed from here.
  L->SetAutoSize(false);
  L->SetBounds(20, 20, 60, 30);
  L->SetCaption("");
  L->SetColor(clYellow);
  ASSERT_TRUE(L->Transparent());
  L->SetTransparent(true);
  EXPECT_FALSE(L->ControlStyle().Contains(TControlStyleFlag::csOpaque));
  Settle();
  Capture Shot(300, 250);
  PrintClient(Back, Shot);
  EXPECT_EQ(Shot.At(50, 35), PixelOf(clAqua));
  L->SetTransparent(false);
  EXPECT_TRUE(L->ControlStyle().Contains(TControlStyleFlag::csOpaque));
  Settle();
  Capture Opaque(300, 250);
  PrintClient(Back, Opaque);
  EXPECT_EQ(Opaque.At(50, 35), PixelOf(clYellow));
  // Disabled text without a theme is embossed: a highlight copy, then a shadow one. On yellow
  // (no blue) only those grey and white strokes bring blue in, black text none.
  L->SetCaption("|||");
  const auto Strokes = [&](bool Enabled) {
    L->SetEnabled(Enabled);
    Settle();
    Capture Shot(300, 250);
    PrintClient(Back, Shot);
    int Shadow = 0, Highlight = 0, Dark = 0;
    for (Integer Y = 20; Y < 50; ++Y)
      for (Integer X = 20; X < 80; ++X) {
        const uint32_t P = Shot.At(X, Y);
        if (P == PixelOf(clYellow)) continue;
        const bool Blue = (P & 0xFF) != 0, FullRed = (P >> 16) == 0xFF;
        Shadow += Blue && !FullRed;
        Highlight += Blue && FullRed;
        Dark += !Blue;
      }
    return std::vector<int>{Shadow, Highlight, Dark};
  };
  const std::vector<int> Enabled = Strokes(true), Disabled = Strokes(false);
  EXPECT_EQ(Enabled[0] + Enabled[1], 0);
  EXPECT_GT(Enabled[2], 0) << "the text in the font's black";
  EXPECT_GT(Disabled[0], 0);
  EXPECT_GT(Disabled[1], 0);
}

TEST_F(PanelsTest, AThemedLabelHandsItsTextAndFlagsToTheTheme) {
  auto Owned = std::make_unique<TLabelTheme>();
  TLabelTheme* Theme = Owned.get();
  SetCurrentTheme(std::move(Owned));
  auto* L = Add<TVxLabel>(Shown, Bounds(10, 10, 120, 40));
  L->SetAutoSize(false);
  L->SetBounds(10, 10, 120, 40);
  L->SetCaption("Themed");
  L->SetAlignment(TAlignment::taRightJustify);
  L->SetLayout(TTextLayout::tlCenter);
  Theme->Texts.clear();
  Theme->Fonts.clear();
  Settle();
  ASSERT_FALSE(Theme->Texts.empty());
  const TvxTextInfo& Drawn = Theme->Texts.back();
  EXPECT_EQ(Drawn.Text, L"Themed");
  EXPECT_EQ(Drawn.Rect, Rect(0, 0, 120, 40));
  EXPECT_EQ(Drawn.Alignment, 2 * 3 + 1) << "right column, middle row";
  EXPECT_EQ(Drawn.Flags & vxtfNoPrefix, 0);
  EXPECT_NE(std::find(Theme->Fonts.begin(), Theme->Fonts.end(), vxfStaticTextNormal), Theme->Fonts.end());
  L->SetEnabled(false);
  L->SetShowAccelChar(false);
  Theme->Fonts.clear();
  Settle();
  EXPECT_NE(Theme->Texts.back().Flags & vxtfNoPrefix, 0);
  EXPECT_NE(std::find(Theme->Fonts.begin(), Theme->Fonts.end(), vxfStaticTextDisabled), Theme->Fonts.end());
}

// [Panel] ----------------------------------------------------------------------------------------

TEST_F(PanelsTest, ThroughTheSampleSkinAPanelIsTheThemesPanelWithItsClientArea) {
  auto* P = Add<TVxPanel>(Shown, Bounds(10, 10, 150, 100));
  P->SetCaption("Panel");
  P->SetAlignment(TAlignment::taRightJustify);
  auto* Child = Add<TVxButton>(P, Bounds(0, 0, 10, 10));
  Child->SetAlign(TAlign::alClient);
  Settle();
  EXPECT_EQ(Child->BoundsRect(), Rect(1, 1, 149, 99)) << "inside the framework's bevel";
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsPanelDefined(0, "default"));
  Settle();
  TRect Client;
  Theme->GetPanelClientRect(0, Rect(0, 0, 150, 100), Client, "default");
  EXPECT_EQ(Child->BoundsRect(), Client) << "the theme's client area";
  Child->SetVisible(false);
  Settle();
  Capture Shot(150, 100), Reference(150, 100);
  PrintClient(P, Shot);
  FillRectColor(Reference.DC(), Rect(0, 0, 150, 100), Shown->Color());
  TCanvas Canvas(Reference.DC());
  Theme->DrawPanel(0, Canvas, "default", Rect(0, 0, 150, 100));
  // The caption on a line of the theme font's height, centred vertically, at the right.
  Canvas.Font().Assign(P->Font());
  Theme->GetFont(Canvas.Font(), vxfPanelTextNormal, "default");
  const Integer Line = LineHeight(Canvas.Font());
  TvxTextInfo Text;
  Text.Rect = Rect(0, (100 - Line) / 2, 150, (100 - Line) / 2 + Line);
  Text.Text = L"Panel";
  Text.Alignment = 2 * 3 + 1;
  TvxStateInfo State;
  State.Rect = Client;
  Theme->DrawPanelText(0, Canvas, "default", Text, State);
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 150, 100)), 0);
  // Without the theme the framework's panel paints itself again.
  RemoveCurrentTheme();
  Child->SetVisible(true);
  Settle();
  EXPECT_EQ(Child->BoundsRect(), Rect(1, 1, 149, 99));
  Capture Plain(150, 100);
  PrintClient(P, Plain);
  EXPECT_EQ(Plain.At(0, 50), PixelOf(clBtnHighlight)) << "the raised bevel";
}

// [String grid] ----------------------------------------------------------------------------------

class GridTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    Grid = Add<TVxStringGrid>(Shown, Bounds(10, 10, 220, 150));
    Grid->SetColCount(3);
    Grid->SetDefaultColWidth(60);
    Grid->SetRowCount(30);
    for (Integer R = 0; R < 30; ++R) Grid->SetCells(1, R, "r" + std::to_string(R));
    Settle();
  }
  TRect PlatformBar(LONG Object) {
    SCROLLBARINFO Info{};
    Info.cbSize = sizeof Info;
    GetScrollBarInfoSafe(Grid->Handle(), Object, Info);
    const TPoint TopLeft = Shown->ScreenToClient({Info.rcScrollBar.left, Info.rcScrollBar.top});
    return Bounds(TopLeft.X, TopLeft.Y, Info.rcScrollBar.right - Info.rcScrollBar.left,
                  Info.rcScrollBar.bottom - Info.rcScrollBar.top);
  }
  TVxStringGrid* Grid = nullptr;
};

TEST_F(GridTest, SkinnedBarsLieOverTheGridsOwnAndScrollIt) {
  TVxInplaceScrollBar* Vertical = Grid->SubScrollBar()->Vertical();
  ASSERT_TRUE(Vertical->Visible());
  EXPECT_EQ(Vertical->Parent(), Shown);
  EXPECT_EQ(Vertical->BoundsRect(), PlatformBar(OBJID_VSCROLL));
  EXPECT_FALSE(Grid->SubScrollBar()->Horizontal()->Visible()) << "the three columns fit";
  const TRect Down = Vertical->ScrollBar()->GetSecondButtonRect();
  Click(Vertical->Handle(), Down.Left + 2, Down.Top + 2);
  EXPECT_EQ(Grid->TopRow(), 2);
  EXPECT_EQ(Vertical->ScrollBar()->Position(), 2);
  // The bars move with the grid to another parent.
  TPanel* Other = Backdrop(clAqua);
  Grid->SetParent(Other);
  Settle();
  EXPECT_EQ(Vertical->Parent(), Other);
  // Freed with the grid, before it.
  delete Grid;
  Grid = nullptr;
  Settle();
  EXPECT_EQ(Other->ControlCount(), 0);
}

TEST_F(GridTest, ThroughTheSampleSkinCellsAreTheThemesAndRemovingItRestoresTheFrameworks) {
  EXPECT_TRUE(Grid->DefaultDrawing());
  EXPECT_EQ(Grid->Color(), clWindow);
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsGridDefined(0, "default"));
  Settle();
  EXPECT_FALSE(Grid->DefaultDrawing());
  EXPECT_EQ(Grid->Color(), Theme->Colors().Color(vxcGrid));
  // A plain cell and a fixed one, drawn by hand into a copy.
  Capture Shot(220, 150), Reference(220, 150);
  PrintClient(Grid, Shot);
  PrintClient(Grid, Reference);
  TCanvas Canvas(Reference.DC());
  const struct {
    Integer Col, Row;
    Byte Fixed;
  } Cells[] = {{1, 3, 0}, {1, 0, 1}};
  for (const auto& C : Cells) {
    const TRect R = Grid->CellRect(C.Col, C.Row);
    ASSERT_FALSE(R.IsEmpty());
    TvxStateInfo Info;
    Info.Rect = R;
    Info.Part = C.Fixed;
    Theme->DrawGridCell(0, Canvas, "default", Info);
    Canvas.Font().Assign(Grid->Font());
    TvxTextInfo Text;
    Text.Rect = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    Text.Text = std::wstring(L"r") + std::to_wstring(C.Row);
    Text.Flags = vxtfSingleLine;
    Theme->DrawGridCellText(0, Canvas, "default", Text, 0);
    SCOPED_TRACE(C.Row);
    EXPECT_EQ(Differences(Shot, Reference, R), 0);
  }
  // The frame is the theme's grid, drawn around the client area.
  RECT Window;
  GetWindowRect(Grid->Handle(), &Window);
  const Integer W = Window.right - Window.left, H = Window.bottom - Window.top;
  Capture Frame(W, H), FrameReference(W, H);
  ScreenShot(Grid->Handle(), Frame);
  TCanvas FrameCanvas(FrameReference.DC());
  Theme->DrawGrid(0, FrameCanvas, "default", Rect(0, 0, W, H));
  // The corners may let the parent show through; the edges between them are the skin's.
  EXPECT_EQ(Differences(Frame, FrameReference, Rect(4, 0, W - 4, 2)), 0) << "the top edge";
  EXPECT_EQ(Differences(Frame, FrameReference, Rect(0, 4, 2, H - 4)), 0) << "the left edge";
  const TRect Plain = Grid->CellRect(1, 3);

  RemoveCurrentTheme();
  Settle();
  EXPECT_TRUE(Grid->DefaultDrawing());
  EXPECT_EQ(Grid->Color(), clWindow);
  Capture Framework(220, 150);
  PrintClient(Grid, Framework);
  EXPECT_EQ(Framework.At(Plain.Right - 3, Plain.Top + 3), PixelOf(clWindow));
  EXPECT_GT(Differences(Shot, Framework, Plain), 0) << "the skin's cell was not the framework's";
}

TEST_F(GridTest, WithoutAThemeTheFrameIsTheClassicSunkenEdge) {
  RECT Window;
  GetWindowRect(Grid->Handle(), &Window);
  Capture Shot(Window.right - Window.left, Window.bottom - Window.top);
  ScreenShot(Grid->Handle(), Shot);
  EXPECT_EQ(Shot.At(50, 0), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(50, 1), PixelOf(cl3DDkShadow));
  EXPECT_EQ(Shot.At(0, 50), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(1, 50), PixelOf(cl3DDkShadow));
  const Integer W = Window.right - Window.left, H = Window.bottom - Window.top;
  EXPECT_EQ(Shot.At(W - 1, 50), PixelOf(clBtnHighlight));
  // With both bars the corner between them is filled, the frame's corner with it.
  Grid->SetColCount(8);
  Settle();
  ASSERT_TRUE(Grid->SubScrollBar()->Horizontal()->Visible());
  Capture Both(W, H);
  ScreenShot(Grid->Handle(), Both);
  EXPECT_EQ(Both.At(W - 1, H - 1), PixelOf(clBtnFace));
  EXPECT_EQ(Both.At(W - 1, H - 25), PixelOf(clBtnHighlight));
  // The hot flag follows the pointer into and out of the grid.
  Mouse(Grid->Handle(), WM_MOUSEMOVE, 50, 50);
  EXPECT_TRUE(Grid->MouseInControl());
  Mouse(Grid->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Grid->MouseInControl());
}

TEST_F(GridTest, WithVisualStylesTheFrameIsNormalAgainAfterThePointerLeft) {
  AllowVisualStyles();
  if (!StyleAvailable(Shown->Handle(), L"Edit")) GTEST_SKIP() << "the platform shows no visual styles here";
  Mouse(Grid->Handle(), WM_MOUSEMOVE, 50, 50);
  Settle();
  ASSERT_TRUE(Grid->MouseInControl());
  Mouse(Grid->Handle(), WM_MOUSELEAVE, 0, 0);
  Settle();
  ASSERT_FALSE(Grid->MouseInControl());
  RECT Window;
  GetWindowRect(Grid->Handle(), &Window);
  const Integer W = Window.right - Window.left, H = Window.bottom - Window.top;
  Capture Shot(W, H), Reference(W, H);
  ScreenShot(Grid->Handle(), Shot);
  HTHEME Style = ThemeFunctions().OpenThemeData(Grid->Handle(), L"Edit");
  ASSERT_NE(Style, nullptr);
  const RECT Area{0, 0, W, H};
  ThemeFunctions().DrawThemeBackground(Style, Reference.DC(), 1, 1, &Area, nullptr);
  ThemeFunctions().CloseThemeData(Style);
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, W, 2)), 0) << "the top edge in the normal state";
}

// [Header panel] ---------------------------------------------------------------------------------

class HeaderPanelTest : public PanelsTest {
 protected:
  TVxHeaderPanel* Panel(TWinControl* Parent, const TRect& R) {
    auto* P = Add<TVxHeaderPanel>(Parent, R);
    P->OnBeforeRoll = [this, P](TObject*) { Events.push_back("before " + std::to_string(P->Height())); };
    P->OnRollup = [this, P](TObject*) { Events.push_back("after " + std::to_string(P->Height())); };
    P->OnButtonClick = [this](TObject*) { Events.push_back("button"); };
    P->OnHide = [this, P](TObject*) { Events.push_back(P->Visible() ? "hide shown" : "hide hidden"); };
    return P;
  }
  void ClickButton(TVxHeaderPanel* P) {
    const TPoint M = Middle(P->ButtonRect());
    Click(P->Handle(), M.X, M.Y);
  }
  std::vector<std::string> Events;
};

TEST_F(HeaderPanelTest, CaptionBarButtonAndClientArea) {
  auto* P = Panel(Shown, Bounds(10, 10, 90, 100));
  TRect Caption;
  P->GetCaptionRect(Caption);
  EXPECT_EQ(Caption, Rect(1, 1, 89, 21)) << "inside the bevel, 20 high";
  EXPECT_EQ(P->ButtonRect(), Rect(71, 3, 87, 19));
  EXPECT_EQ(P->ClientRect(), Rect(4, 24, 86, 96)) << "border 3 and bevel 1, below the caption bar";
  P->SetShowCaption(false);
  EXPECT_TRUE(P->ButtonRect().IsEmpty()) << "no button without the caption bar";
  EXPECT_EQ(P->ClientRect(), Rect(4, 4, 86, 96));
  P->SetShowCaption(true);
  P->SetShowButton(false);
  EXPECT_TRUE(P->ButtonRect().IsEmpty());
  P->SetShowBevel(false);
  P->SetShowButton(true);
  EXPECT_EQ(P->ClientRect(), Rect(3, 23, 87, 97));
  // Hints and cursors over the caption bar and its button.
  P->SetHint("body");
  P->SetCaptionHint("caption");
  P->SetButtonHint("button");
  P->SetCaptionCursor(crHandPoint);
  P->SetButtonCursor(crUpArrow);
  const TPoint B = Middle(P->ButtonRect());
  EXPECT_EQ(P->CursorAt(B), crUpArrow);
  EXPECT_EQ(P->CursorAt({10, 10}), crHandPoint);
  EXPECT_EQ(P->CursorAt({10, 60}), crDefault);
  EXPECT_EQ(P->HintAt({10, 10}), "caption");
  EXPECT_EQ(P->HintAt({10, 60}), "body");
  Mouse(P->Handle(), WM_MOUSEMOVE, B.X, B.Y);
  EXPECT_TRUE(P->ButtonHot());
  EXPECT_EQ(P->HintAt(B), "button");
  EXPECT_EQ(P->Cursor(), crDefault) << "the panel's own cursor is left alone";
  // The platform asks for the pointer's shape over the caption bar.
  const TPoint OnCaption = P->ClientToScreen({10, 10});
  ASSERT_TRUE(SetCursorPos(OnCaption.X, OnCaption.Y));
  EXPECT_EQ(SendMessageA(P->Handle(), WM_SETCURSOR, WPARAM(P->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  // The application's hint shows the part's hint, and moving to another part starts it over.
  P->SetShowHint(true);
  Application->SetHintPause(20);
  Application->SetHintHidePause(0);
  const auto Shows = [&](const TPoint& At, const std::string& Text) {
    const TPoint OnScreen = P->ClientToScreen(At);
    SetCursorPos(OnScreen.X, OnScreen.Y);
    Mouse(P->Handle(), WM_MOUSEMOVE, At.X, At.Y);
    return PumpUntil(
        [&] {
          THintWindow* W = Application->HintWindow();
          return W && W->Active() && W->Caption() == Text;
        },
        1000);
  };
  EXPECT_TRUE(Shows({10, 10}, "caption"));
  EXPECT_TRUE(Shows(B, "button"));
  EXPECT_TRUE(Shows({10, 60}, "body"));
  Application->CancelHint();
  Application->SetHintPause(500);
  Application->SetHintHidePause(2500);
}

TEST_F(HeaderPanelTest, TheButtonRollsThePanelAndItsParentUpAndDown) {
  TPanel* Back = Backdrop(clAqua);
  Back->SetHeight(200);
  auto* P = Panel(Back, Bounds(10, 10, 90, 100));
  P->SetParentRoll(true);
  Settle();
  ClickButton(P);
  EXPECT_TRUE(P->Rolled());
  EXPECT_EQ(P->Height(), 22) << "20 + 2 x 1";
  EXPECT_EQ(Back->Height(), 122);
  EXPECT_EQ(P->NormalHeight(), 100);
  // While rolled the height stays, the rest moves.
  P->SetBounds(20, 15, 120, 300);
  EXPECT_EQ(P->BoundsRect(), Bounds(20, 15, 120, 22));
  ClickButton(P);
  EXPECT_FALSE(P->Rolled());
  EXPECT_EQ(P->Height(), 100);
  EXPECT_EQ(Back->Height(), 200);
  EXPECT_EQ(Events, (std::vector<std::string>{"before 100", "after 22", "button", "before 22", "after 100", "button"}));

  // Pressing on the button and releasing elsewhere does nothing.
  Events.clear();
  const TPoint B = Middle(P->ButtonRect());
  Mouse(P->Handle(), WM_LBUTTONDOWN, B.X, B.Y, MK_LBUTTON);
  EXPECT_TRUE(P->ButtonPressed());
  Mouse(P->Handle(), WM_MOUSEMOVE, 10, 60, MK_LBUTTON);
  EXPECT_FALSE(P->ButtonPressed()) << "pressed follows the pointer";
  EXPECT_FALSE(P->ButtonHot());
  Mouse(P->Handle(), WM_LBUTTONUP, 10, 60);
  EXPECT_FALSE(P->Rolled());
  EXPECT_TRUE(Events.empty());
  // Nor does a press that starts off the button and ends on it.
  Mouse(P->Handle(), WM_LBUTTONDOWN, 10, 60, MK_LBUTTON);
  Mouse(P->Handle(), WM_LBUTTONUP, B.X, B.Y);
  EXPECT_FALSE(P->Rolled());
}

TEST_F(HeaderPanelTest, AnAnimatedRollStepsEveryFourPixelsAndIgnoresRequestsMeanwhile) {
  auto* P = Panel(Shown, Bounds(10, 10, 90, 100));
  P->SetAnimateRoll(true);
  std::vector<Integer> Heights;
  P->OnResize = [&](TObject*) {
    Heights.push_back(P->Height());
    // A second request in the middle of the roll, from code and from the button.
    if (Heights.size() == 3) {
      P->SetRolled(!P->Rolled());
      ClickButton(P);
    }
  };
  P->SetRolled(true);
  std::vector<Integer> Expected;
  for (Integer H = 96; H >= 24; H -= 4) Expected.push_back(H);
  Expected.push_back(22);
  EXPECT_EQ(Heights, Expected);
  EXPECT_TRUE(P->Rolled());
  EXPECT_FALSE(P->Animating());
  EXPECT_EQ(Events, (std::vector<std::string>{"before 100", "after 22"})) << "the requests were ignored";
  Heights.clear();
  P->SetRolled(false);
  ASSERT_FALSE(Heights.empty());
  EXPECT_EQ(Heights.front(), 24);
  EXPECT_EQ(Heights.back(), 100);
  EXPECT_EQ(P->Height(), 100);
  EXPECT_FALSE(P->Rolled());

  // A panel freed by what runs between two steps stops rolling at once.
  auto* Doomed = Panel(Shown, Bounds(150, 10, 90, 100));
  Doomed->SetAnimateRoll(true);
  Doomed->OnResize = [Doomed](TObject*) { Application->ReleaseComponent(Doomed); };
  Events.clear();
  Doomed->SetRolled(true);
  EXPECT_FALSE(Shown->ContainsControl(Doomed));
  EXPECT_EQ(Events, (std::vector<std::string>{"before 100"}));
}

TEST_F(HeaderPanelTest, TheCloseButtonHidesThePanelWhichCanBeShownAgain) {
  auto* P = Panel(Shown, Bounds(10, 10, 90, 100));
  P->SetButtonKind(TVxPanelButtonKind::kpbkClose);
  Settle();
  ClickButton(P);
  EXPECT_FALSE(P->Visible());
  EXPECT_EQ(Events, (std::vector<std::string>{"hide shown", "button"}));
  EXPECT_FALSE(P->Rolled());
  P->Show();
  Settle();
  EXPECT_TRUE(IsWindowVisible(P->Handle()));
}

TEST_F(HeaderPanelTest, WithoutAThemeThePanelIsClassic) {
  auto* P = Panel(Shown, Bounds(10, 10, 90, 100));
  P->SetCaption("");
  P->SetColor(clYellow);
  Settle();
  Capture Shot(90, 100);
  PrintClient(P, Shot);
  EXPECT_EQ(Shot.At(0, 50), PixelOf(clBtnShadow)) << "the outer ring";
  EXPECT_EQ(Shot.At(1, 50), PixelOf(clBtnHighlight)) << "the inner ring";
  EXPECT_EQ(Shot.At(89, 50), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(45, 60), PixelOf(clYellow)) << "the body";
  EXPECT_EQ(Shot.At(1, 5), PixelOf(clBtnHighlight)) << "the raised caption bar";
  EXPECT_EQ(Shot.At(30, 10), PixelOf(clBtnFace));
  EXPECT_EQ(Shot.At(71, 10), PixelOf(clBtnFace)) << "the flat button's outer ring";
}

TEST_F(HeaderPanelTest, WithVisualStylesTheBodyIsTheExplorerBarWhereThereIsOne) {
  AllowVisualStyles();
  if (!VisualStylesActive()) GTEST_SKIP() << "the platform shows no visual styles here";
  auto* P = Panel(Shown, Bounds(10, 10, 120, 100));
  P->SetColor(clYellow);
  Settle();
  Capture Shot(120, 100);
  PrintClient(P, Shot);
  TRect Caption;
  P->GetCaptionRect(Caption);
  if (!StyleAvailable(Shown->Handle(), L"ExplorerBar")) {
    // Without the class the classic look stays whole: the caption bar inside the bevel.
    EXPECT_EQ(Caption, Rect(1, 1, 119, 21));
    EXPECT_EQ(Shot.At(50, 0), PixelOf(clBtnShadow));
    EXPECT_EQ(Shot.At(60, 60), PixelOf(clYellow));
    return;
  }
  EXPECT_EQ(Caption, Rect(0, 0, 120, 20)) << "no bevel inset";
  Capture Reference(120, 100);
  HTHEME Style = ThemeFunctions().OpenThemeData(P->Handle(), L"ExplorerBar");
  ASSERT_NE(Style, nullptr);
  const RECT Body{0, 20, 120, 100};
  ThemeFunctions().DrawThemeBackground(Style, Reference.DC(), 5, 0, &Body, nullptr);
  ThemeFunctions().CloseThemeData(Style);
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 20, 120, 100)), 0);
}

TEST_F(HeaderPanelTest, ThroughTheSampleSkinThePanelIsTheThemesPanel) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsHeaderPanelDefined(1, "default"));
  for (bool Rolled : {false, true}) {
    auto* P = Panel(Shown, Bounds(10, 10, 120, 100));
    P->SetCaption("Header");
    P->SetRolled(Rolled);
    Settle();
    const Integer H = P->Height();
    Capture Shot(120, 100), Reference(120, 100);
    PrintClient(P, Shot);
    FillRectColor(Reference.DC(), Rect(0, 0, 120, 100), Shown->Color());
    TCanvas Canvas(Reference.DC());
    TRect Caption;
    P->GetCaptionRect(Caption);
    const int Saved = Canvas.SaveState();
    ExcludeClipRect(Reference.DC(), Caption.Left, Caption.Top, Caption.Right, Caption.Bottom);
    Theme->DrawHeaderPanel(1, Canvas, "default", Rect(0, 0, 120, H));
    Canvas.RestoreState(Saved);
    Theme->DrawHeaderPanelCaption(1, Canvas, "default", Caption);
    Canvas.Font().Assign(P->Font());
    Theme->GetFont(Canvas.Font(), vxfPanelTextNormal, "default");
    TvxTextInfo Text;
    Text.Rect = Rect(Caption.Left + 5, Caption.Top, Caption.Right - 5, Caption.Bottom);
    Text.Text = L"Header";
    Text.Alignment = 1;
    Text.Flags = vxtfSingleLine;
    Theme->DrawHeaderPanelText(1, Canvas, "default", Text);
    TvxStateInfo Button;
    Button.Rect = P->ButtonRect();
    Button.State = Rolled ? 2 : 1;
    Theme->DrawHeaderPanelButton(1, Canvas, "default", Button);
    SCOPED_TRACE(Rolled);
    EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 120, H)), 0);
    delete P;
  }
}

// [Bad input] ------------------------------------------------------------------------------------

TEST_F(PanelsTest, AThemeWithoutTheseObjectsLeavesEveryControlItsOwnLook) {
  // The base theme defines none of them.
  SetCurrentTheme(std::make_unique<TvxTheme>());
  TPanel* Back = Backdrop(clAqua);
  auto* G = Add<TVxGroupBox>(Back, Bounds(5, 5, 100, 80));
  G->SetTransparent(false);
  G->SetColor(clYellow);
  auto* L = Add<TVxLabel>(Back, Bounds(110, 5, 60, 20));
  L->SetCaption("Label");
  Add<TVxPanel>(Back, Bounds(5, 100, 80, 60));
  auto* Grid = Add<TVxStringGrid>(Back, Bounds(90, 100, 150, 100));
  auto* H = Add<TVxHeaderPanel>(Back, Bounds(245, 5, 50, 100));
  H->SetColor(clLime);
  Settle();
  Capture Shot(300, 250);
  PrintClient(Back, Shot);
  EXPECT_EQ(Shot.At(55, 50), PixelOf(clYellow)) << "the group box's classic face";
  EXPECT_EQ(Shot.At(5, 130), PixelOf(clBtnHighlight)) << "the framework panel's bevel";
  int Ink = 0;
  for (Integer Y = L->Top(); Y < L->Top() + L->Height(); ++Y)
    for (Integer X = L->Left(); X < L->Left() + L->Width(); ++X) Ink += Shot.At(X, Y) != PixelOf(clAqua);
  EXPECT_GT(Ink, 0) << "the label's own text on its parent";
  EXPECT_TRUE(Grid->DefaultDrawing());
  Capture Header(50, 100);
  PrintClient(H, Header);
  EXPECT_EQ(Header.At(25, 60), PixelOf(clLime));
}

TEST_F(HeaderPanelTest, ANormalHeightRecordTooShortIsIgnored) {
  auto* P = Panel(Shown, Bounds(10, 10, 90, 100));
  for (const std::vector<uint8_t>& Bytes : {std::vector<uint8_t>{}, std::vector<uint8_t>{1, 2}}) {
    TMemoryStream Data;
    if (!Bytes.empty()) Data.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
    Data.SetPosition(0);
    P->ReadNormalHeight(Data);
    EXPECT_EQ(P->NormalHeight(), 100);
  }
  TMemoryStream Negative;
  Negative.WriteInt32(-5);
  Negative.SetPosition(0);
  P->ReadNormalHeight(Negative);
  EXPECT_EQ(P->NormalHeight(), 100);
}

// [Form files] -----------------------------------------------------------------------------------

// A named control of Owner's on Parent.
template <typename T>
T* Placed(TForm& Owner, const char* Name, TWinControl* Parent) {
  auto* C = new T(&Owner);
  C->SetName(Name);
  C->SetParent(Parent);
  return C;
}

TEST_F(PanelsTest, FormFilesHoldEveryClassAndRestoreItsState) {
  for (const char* Name : {"TVxGroupBox", "TVxPanel", "TVxLabel", "TVxStringGrid", "TVxHeaderPanel"})
    EXPECT_NE(FindClass(Name), nullptr) << Name << " registered when the program starts";
  TForm Source;
  auto* G = Placed<TVxGroupBox>(Source, "Group", &Source);
  G->SetBounds(0, 0, 150, 120);
  G->SetUseCheckBox(true);
  G->SetChecked(false);
  G->SetCaptionMargin(20);
  G->SetCheckBoxAlignment(TVxLeftRight::kalRightJustify);
  G->SetThemeObject("group");
  auto* Inside = Placed<TVxButton>(Source, "Inside", G);
  auto* L = Placed<TVxLabel>(Source, "Caption", &Source);
  L->SetCaption("&Find");
  L->SetFocusControl(Inside);
  L->SetAlignment(TAlignment::taCenter);
  L->SetLayout(TTextLayout::tlBottom);
  L->SetWordWrap(true);
  L->SetShowAccelChar(false);
  L->SetTransparent(false);
  auto* P = Placed<TVxPanel>(Source, "Plain", &Source);
  P->SetThemeObject("panel");
  auto* Grid = Placed<TVxStringGrid>(Source, "Cells", &Source);
  Grid->SetThemeObject("cells");
  auto* H = Placed<TVxHeaderPanel>(Source, "Header", &Source);
  H->SetBounds(200, 0, 90, 140);
  H->SetButtonKind(TVxPanelButtonKind::kpbkClose);
  H->SetButtonKind(TVxPanelButtonKind::kpbkRollUp);
  H->SetAnimateRoll(true);
  H->SetAnimateRoll(false);
  H->SetShowBevel(false);
  H->SetBorderWidth(5);
  H->SetCaptionHint("Roll");
  H->SetCaptionCursor(crHandPoint);
  H->SetRolled(true);
  ASSERT_EQ(H->Height(), 22);

  TMemoryStream Stream;
  WriteComponent(Stream, Source);
  Stream.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(Stream, Text);
  const std::string Written(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
  for (const char* Line : {"object Group: TVxGroupBox",
                           "UseCheckBox = True",
                           "Checked = False",
                           "CaptionMargin = 20",
                           "CheckBoxAlignment = kalRightJustify",
                           "Transparent = True",
                           "ThemeObject = 'group'",
                           "object Inside: TVxButton",
                           "object Caption: TVxLabel",
                           "FocusControl = Inside",
                           "Layout = tlBottom",
                           "WordWrap = True",
                           "ShowAccelChar = False",
                           "Transparent = False",
                           "object Plain: TVxPanel",
                           "ThemeObject = 'panel'",
                           "object Cells: TVxStringGrid",
                           "ThemeObject = 'cells'",
                           "object Header: TVxHeaderPanel",
                           "Rolled = True",
                           "ShowBevel = False",
                           "BorderWidth = 5",
                           "CaptionHint = 'Roll'",
                           "NormalHeight = {"})
    EXPECT_NE(Written.find(Line), std::string::npos) << Line << "\n" << Written;
  EXPECT_EQ(Written.find("TVxCheckBox"), std::string::npos) << "the caption's check box is the group box's own";

  Stream.SetPosition(0);
  TForm Read;
  ReadComponent(Stream, Read);
  auto* RG = dynamic_cast<TVxGroupBox*>(Read.FindComponent("Group"));
  ASSERT_NE(RG, nullptr);
  ASSERT_NE(RG->CheckBox(), nullptr) << "made after loading";
  EXPECT_FALSE(RG->CheckBox()->Checked());
  EXPECT_EQ(RG->CheckBox()->Alignment(), TVxLeftRight::kalRightJustify);
  EXPECT_EQ(RG->CaptionMargin(), 20);
  EXPECT_EQ(RG->ThemeObject(), "group");
  auto* RInside = dynamic_cast<TVxButton*>(Read.FindComponent("Inside"));
  ASSERT_NE(RInside, nullptr);
  EXPECT_FALSE(RInside->Enabled()) << "the box is unchecked";
  auto* RL = dynamic_cast<TVxLabel*>(Read.FindComponent("Caption"));
  ASSERT_NE(RL, nullptr);
  EXPECT_EQ(RL->FocusControl(), RInside);
  EXPECT_EQ(RL->Alignment(), TAlignment::taCenter);
  EXPECT_EQ(RL->Layout(), TTextLayout::tlBottom);
  EXPECT_TRUE(RL->WordWrap());
  EXPECT_FALSE(RL->ShowAccelChar());
  EXPECT_FALSE(RL->Transparent());
  auto* RP = dynamic_cast<TVxPanel*>(Read.FindComponent("Plain"));
  ASSERT_NE(RP, nullptr);
  EXPECT_EQ(RP->ThemeObject(), "panel");
  auto* RGrid = dynamic_cast<TVxStringGrid*>(Read.FindComponent("Cells"));
  ASSERT_NE(RGrid, nullptr);
  EXPECT_EQ(RGrid->ThemeObject(), "cells");
  auto* RH = dynamic_cast<TVxHeaderPanel*>(Read.FindComponent("Header"));
  ASSERT_NE(RH, nullptr);
  EXPECT_TRUE(RH->Rolled());
  EXPECT_EQ(RH->Height(), 22);
  EXPECT_FALSE(RH->ShowBevel());
  EXPECT_EQ(RH->BorderWidth(), 5);
  EXPECT_EQ(RH->CaptionHint(), "Roll");
  EXPECT_EQ(RH->CaptionCursor(), crHandPoint);
  RH->SetRolled(false);
  EXPECT_EQ(RH->Height(), 140) << "the saved normal height";
}

// [Look] -----------------------------------------------------------------------------------------

// All five on the sample skin. VX_PANELS_PAUSE (milliseconds) keeps them on the screen for a look.
TEST_F(PanelsTest, AllFiveShowOnTheSampleSkin) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  ASSERT_NE(CurrentTheme(), nullptr);
  auto* G = Add<TVxGroupBox>(Shown, Bounds(8, 8, 180, 110));
  G->SetCaption("Group box");
  G->SetUseCheckBox(true);
  Add<TVxButton>(G, Bounds(14, 30, 80, 25))->SetCaption("Inside");
  auto* L = Add<TVxLabel>(G, Bounds(14, 65, 60, 17));
  L->SetCaption("A label");
  auto* P = Add<TVxPanel>(Shown, Bounds(8, 125, 180, 50));
  P->SetCaption("Panel");
  auto* Grid = Add<TVxStringGrid>(Shown, Bounds(8, 182, 230, 110));
  Grid->SetRowCount(12);
  Grid->SetCells(1, 1, "cell");
  auto* H = Add<TVxHeaderPanel>(Shown, Bounds(250, 8, 130, 160));
  H->SetCaption("Header panel");
  Add<TVxLabel>(H, Bounds(10, 30, 60, 17))->SetCaption("Content");
  Settle();
  if (const char* Pause = std::getenv("VX_PANELS_PAUSE")) PumpUntil([] { return false; }, std::atoi(Pause));
  EXPECT_FALSE(Grid->DefaultDrawing());
  EXPECT_TRUE(Grid->SubScrollBar()->Vertical()->Visible());
  EXPECT_EQ(G->CheckBox()->Caption(), "Group box");
}

}  // namespace
