// The skinned header control and status bar on real windows: hit testing on section edges,
// resizing, clicking and reordering sections by mouse with their events in order, the status
// bar's priority layout, hosted controls, panel clicks and the size grip sizing the form, the
// skinned and classic looks, bad input and form files.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/exceptions.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/comctrls.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_header.h"
#include "vexel/controls/vx_statusbar.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/skin/theme_dv3objects.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme.h"

namespace {

using TTrack = TVxSectionTrackState;

class HeaderTest : public ShownFormTest {
 protected:
  // A frameless header: its sections start at x = 0 and fill its height.
  TVxHeaderControl* Header(const std::vector<Integer>& Widths, const TRect& Bounds = Rect(0, 0, 300, 20)) {
    auto* H = Add<TVxHeaderControl>(Shown, Bounds);
    for (size_t I = 0; I < Widths.size(); ++I) {
      TVxHeaderSection* S = H->Sections()->Add();
      S->SetWidth(Widths[I]);
      S->SetAnsiText(std::string(1, char('A' + I)));
    }
    H->OnSectionClick = [this](TVxHeaderControl*, TVxHeaderSection* S) { Log("click " + S->AnsiText()); };
    H->OnSectionResize = [this](TVxHeaderControl*, TVxHeaderSection* S) {
      Log("resize " + S->AnsiText() + " " + std::to_string(S->Width()));
    };
    H->OnSectionTrack = [this](TVxHeaderControl*, TVxHeaderSection* S, Integer W, TTrack State) {
      const char* Names[] = {"begin", "move", "end"};
      Log(std::string("track ") + Names[int(State)] + " " + S->AnsiText() + " " + std::to_string(W));
    };
    H->OnSectionDrag = [this](TObject*, TVxHeaderSection* From, TVxHeaderSection* To, bool& Allow) {
      Log("drag " + From->AnsiText() + " " + To->AnsiText());
      Allow = AllowDrag;
    };
    H->OnSectionEndDrag = [this](TObject*) { Log("end drag"); };
    return H;
  }
  static void Mouse(TWinControl* C, UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
    SendMessageA(C->Handle(), Msg, Keys, MAKELPARAM(X, Y));
  }
  // Press at From, move through the points, release at the last one.
  static void Drag(TWinControl* C, std::vector<TPoint> Path) {
    Mouse(C, WM_LBUTTONDOWN, Path.front().X, Path.front().Y, MK_LBUTTON);
    for (size_t I = 1; I < Path.size(); ++I) Mouse(C, WM_MOUSEMOVE, Path[I].X, Path[I].Y, MK_LBUTTON);
    Mouse(C, WM_LBUTTONUP, Path.back().X, Path.back().Y);
  }
  static std::string Order(TVxHeaderControl* H) {
    std::string Result;
    for (Integer I = 0; I < H->Sections()->Count(); ++I) Result += H->Sections()->Items(I)->AnsiText();
    return Result;
  }
  void Log(const std::string& Event) { Events.push_back(Event); }
  // A bar placed by hand at the top left instead of aligned to the form's bottom.
  TVxStatusBar* PlacedBar(Integer Width) {
    auto* Bar = Add<TVxStatusBar>(Shown, Rect(0, 0, Width, 22));
    Bar->SetAlign(TAlign::alNone);
    Bar->SetBounds(0, 0, Width, 22);
    return Bar;
  }
  // With VX_HEADER_HOLD_MS set, a captioned header joins the form and the form stays up that long,
  // so that a person can take a screenshot of it.
  void HoldForScreenshot(TVxStatusBar* Bar) {
    const char* Ms = std::getenv("VX_HEADER_HOLD_MS");
    if (!Ms) return;
    const wchar_t* Texts[] = {L"Ready", L"12 items selected"};
    for (Integer I = 0; I < Bar->Panels()->Count() && I < 2; ++I) Bar->Panels()->Items(I)->SetText(Texts[I]);
    auto* H = Add<TVxHeaderControl>(Shown, Rect(0, 0, 300, 21));
    H->SetAlign(TAlign::alTop);
    for (const wchar_t* Text : {L"Name", L"Size", L"Modified"}) {
      TVxHeaderSection* S = H->Sections()->Add();
      S->SetText(Text);
      S->SetWidth(110);
    }
    Mouse(H, WM_MOUSEMOVE, 150, 10);
    PumpUntil([] { return false; }, std::atoi(Ms));
  }

  std::vector<std::string> Events;
  bool AllowDrag = true;
};

using StatusBarTest = HeaderTest;

int Differences(const Capture& A, const Capture& B, const TRect& R) {
  int N = 0;
  for (Integer Y = R.Top; Y < R.Bottom; ++Y)
    for (Integer X = R.Left; X < R.Right; ++X) N += A.At(X, Y) != B.At(X, Y);
  return N;
}

// [Header geometry] ------------------------------------------------------------------------------

TEST_F(HeaderTest, EdgesGrabAZoneOnBothSidesOfEachRightEdge) {
  EXPECT_EQ(TVxHeaderControl::EdgeZone(24), 8);
  EXPECT_EQ(TVxHeaderControl::EdgeZone(60), 10);
  EXPECT_EQ(TVxHeaderControl::EdgeZone(2), 0);
  // Right edges at 24, 84 and 108; zones 8, 10 and 8.
  auto* H = Header({24, 60, 24});
  const struct {
    Integer X, Section;
    bool Edge;
  } Cases[] = {
      {0, 0, false},   {15, 0, false},  {16, 0, true},    {33, 0, true},    {34, 1, false}, {73, 1, false},
      {74, 1, true},   {91, 1, true},   {92, 2, false},   {99, 2, false},   {100, 2, true}, {115, 2, true},
      {116, -1, true}, {117, -1, true}, {118, -1, false}, {299, -1, false},
  };
  for (const auto& C : Cases) {
    bool Edge = false;
    EXPECT_EQ(H->HitTest(C.X, 10, Edge), C.Section) << "x " << C.X;
    EXPECT_EQ(Edge, C.Edge) << "x " << C.X;
  }
  bool Edge = true;
  EXPECT_EQ(H->HitTest(10, -1, Edge), -1);
  EXPECT_EQ(H->HitTest(10, 20, Edge), -1) << "below the inner rectangle";
  EXPECT_FALSE(Edge);
  // A frame moves the sections inside it.
  H->SetBorderWidth(3);
  TRect R;
  H->GetSectionRect(1, R);
  EXPECT_EQ(R, Rect(27, 3, 87, 17));
  EXPECT_EQ(H->HitTest(2, 10, Edge), -1) << "on the frame";
}

TEST_F(HeaderTest, SectionWidthsStayInTheirLimits) {
  auto* H = Header({50});
  TVxHeaderSection* S = H->Sections()->Items(0);
  S->SetMinWidth(-5);
  EXPECT_EQ(S->MinWidth(), 0);
  S->SetWidth(20000);
  EXPECT_EQ(S->Width(), 10000);
  S->SetMaxWidth(30);
  EXPECT_EQ(S->Width(), 30) << "a lower maximum pulls the width down";
  S->SetMinWidth(40);
  EXPECT_EQ(S->Width(), 40);
  EXPECT_EQ(S->MaxWidth(), 40);

  // Auto size: the text and both margins; switching it off keeps that width.
  S->SetMaxWidth(10000);
  S->SetText(L"A wider caption");
  S->SetAutoSize(true);
  const Integer Text = ItemTextSize(*H->Font(), L"A wider caption").cx;
  ASSERT_GT(Text, 0);
  EXPECT_EQ(S->ShownWidth(), Text + 14);
  S->SetAutoSize(false);
  EXPECT_EQ(S->Width(), Text + 14);
}

TEST_F(HeaderTest, ItemBoxesFollowAlignmentAndLayout) {
  // A 100 x 20 item, a 16 x 16 image, text 30 x 12, margin 7, spacing 4.
  TVxItemMetrics M;
  M.Width = 100, M.Height = 20, M.Image = {16, 16}, M.ImageShown = true, M.Text = {30, 12};
  M.Margin = 7, M.Spacing = 4;
  const struct {
    TAlignment Alignment;
    bool GlyphRight, Shown;
    Integer Extra;
    TRect Image, Text;
  } Cases[] = {
      {TAlignment::taLeftJustify, false, true, 0, Rect(7, 2, 23, 18), Rect(27, 4, 93, 16)},
      {TAlignment::taRightJustify, false, true, 0, Rect(7, 2, 23, 18), Rect(27, 4, 93, 16)},
      {TAlignment::taCenter, false, true, 0, Rect(25, 2, 41, 18), Rect(45, 4, 75, 16)},
      {TAlignment::taCenter, false, true, 10, Rect(25, 2, 41, 18), Rect(45, 4, 85, 16)},
      {TAlignment::taCenter, false, false, 0, Rect(25, 2, 41, 18), Rect(35, 4, 65, 16)},
      {TAlignment::taLeftJustify, true, true, 0, Rect(77, 2, 93, 18), Rect(7, 4, 73, 16)},
      {TAlignment::taLeftJustify, true, false, 0, Rect(77, 2, 93, 18), Rect(7, 4, 93, 16)},
      {TAlignment::taCenter, true, true, 0, Rect(59, 2, 75, 18), Rect(25, 4, 55, 16)},
  };
  for (const auto& C : Cases) {
    M.Alignment = C.Alignment, M.GlyphRight = C.GlyphRight, M.ImageShown = C.Shown, M.CentreExtra = C.Extra;
    SCOPED_TRACE(int(C.Alignment) * 100 + C.GlyphRight * 10 + C.Shown);
    EXPECT_EQ(ItemImageBox(M), C.Image);
    EXPECT_EQ(ItemTextBox(M), C.Text);
  }
  M.ImageShown = true;
  EXPECT_EQ(ItemTextLimit(M), 100 - 16 - 4 - 14);
  M.Width = 10;
  EXPECT_EQ(ItemTextLimit(M), 0) << "never negative";
}

// [Header input] ---------------------------------------------------------------------------------

TEST_F(HeaderTest, DraggingAnEdgeResizesLiveOrOnRelease) {
  for (bool Full : {true, false}) {
    SCOPED_TRACE(Full ? "full drag" : "tracking line");
    Events.clear();
    auto* H = Header({60, 60, 60});
    H->SetFullDrag(Full);
    H->Sections()->Items(0)->SetMinWidth(20);
    // Grab A's edge 2 pixels left of it; the offset keeps the edge 2 pixels right of the pointer.
    Mouse(H, WM_MOUSEMOVE, 58, 10);
    EXPECT_TRUE(H->OnEdge());
    EXPECT_EQ(H->Cursor(), crHSplit);
    Mouse(H, WM_LBUTTONDOWN, 58, 10, MK_LBUTTON);
    EXPECT_EQ(H->ResizingSection(), 0);
    Mouse(H, WM_MOUSEMOVE, 80, 10, MK_LBUTTON);
    if (!Full) {
      EXPECT_EQ(H->Sections()->Items(0)->Width(), 60) << "not applied before the release";
      Settle();
      Capture Shot(300, 20);
      PrintClient(H, Shot);
      EXPECT_EQ(Shot.At(82, 10), PixelOf(clBtnText)) << "the tracking line";
    }
    Mouse(H, WM_MOUSEMOVE, 0, 10, MK_LBUTTON);
    Mouse(H, WM_LBUTTONUP, 0, 10);
    EXPECT_EQ(H->ResizingSection(), -1);
    EXPECT_EQ(H->Sections()->Items(0)->Width(), 20) << "not below MinWidth";
    const std::vector<std::string> Live = {"track begin A 60", "resize A 82",     "track move A 82",
                                           "resize A 20",      "track move A 20", "track end A 20"};
    const std::vector<std::string> OnRelease = {"track begin A 60", "track move A 82", "track move A 20", "resize A 20",
                                                "track end A 20"};
    EXPECT_EQ(Events, Full ? Live : OnRelease);
    TRect R;
    H->GetSectionRect(1, R);
    EXPECT_EQ(R.Left, 20) << "the following sections move up";
  }
}

TEST_F(HeaderTest, AClickNeedsPressAndReleaseOnTheSameClickableSection) {
  auto* H = Header({60, 60, 60});
  H->Sections()->Items(2)->SetAllowClick(false);
  const struct {
    const char* Name;
    Integer Press, Release;
    std::vector<std::string> Events;
  } Cases[] = {
      {"on B", 90, 95, {"click B"}},
      {"from B to C", 90, 150, {}},
      {"from B out of the sections", 90, 250, {}},
      {"C allows no clicks", 150, 150, {}},
      {"on an edge", 118, 118, {"track begin B 60", "track move B 60", "track end B 60"}},
  };
  for (const auto& C : Cases) {
    Events.clear();
    Drag(H, {{C.Press, 10}, {C.Release, 10}});
    EXPECT_EQ(Events, C.Events) << C.Name;
    EXPECT_EQ(H->PressedSection(), -1) << C.Name;
  }
  // Pressed and hot: the pressed state; hot alone: the hot state.
  Mouse(H, WM_LBUTTONDOWN, 30, 10, MK_LBUTTON);
  EXPECT_EQ(H->SectionState(0), hssPressed);
  Mouse(H, WM_MOUSEMOVE, 90, 10, MK_LBUTTON);
  EXPECT_EQ(H->SectionState(0), hssNormal);
  EXPECT_EQ(H->SectionState(1), hssHot);
  Mouse(H, WM_LBUTTONUP, 90, 10);
  // Leaving the control: nothing is hot any more.
  Mouse(H, WM_MOUSEMOVE, 118, 10);
  ASSERT_TRUE(H->OnEdge());
  H->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(H->HotSection(), -1);
  EXPECT_FALSE(H->OnEdge());
}

TEST_F(HeaderTest, SectionsAreOfTheClassTheApplicationChooses) {
  struct TTaggedSection : TVxHeaderSection {
    using TVxHeaderSection::TVxHeaderSection;
  };
  auto* H = Header({});
  H->OnCreateSectionClass = [](TObject*, TVxHeaderSectionClass& Class) {
    Class = [](TCollection& C) -> std::unique_ptr<TVxHeaderSection> { return std::make_unique<TTaggedSection>(&C); };
  };
  EXPECT_NE(dynamic_cast<TTaggedSection*>(H->CreateSection()), nullptr);
  EXPECT_NE(dynamic_cast<TTaggedSection*>(H->Sections()->Add()), nullptr);
  H->OnCreateSectionClass = nullptr;
  EXPECT_EQ(dynamic_cast<TTaggedSection*>(H->CreateSection()), nullptr);
  auto* Bar = PlacedBar(200);
  Bar->OnCreatePanelClass = [](TObject*, TVxStatusPanelClass& Class) { Class = nullptr; };
  EXPECT_NE(Bar->CreatePanel(), nullptr) << "no class chosen: the default one";
}

TEST_F(HeaderTest, DraggingASectionMovesItWhereItsImageIsDropped) {
  // Sections ABCD, 60 wide. Pressing at 30 gives a drag offset of -30: the image's left edge is
  // 30 left of the pointer.
  const struct {
    const char* Name;
    bool Reorder, Allow;
    Integer To;
    const char* Order;
    std::vector<std::string> Events;
  } Cases[] = {
      // Image at 160: the right half of C (120..180), target 3, less 1 as A lies before it.
      {"onto C's right half", true, true, 190, "BCAD", {"drag A C", "end drag"}},
      // Image at 130: C's left half, target 2, less 1.
      {"onto C's left half", true, true, 160, "BACD", {"drag A B", "end drag"}},
      // Image at 250: past the last section, target 4, less 1.
      {"past the end", true, true, 280, "BCDA", {"drag A D", "end drag"}},
      {"refused", true, false, 190, "ABCD", {"drag A C", "end drag"}},
      {"back onto itself", true, true, 40, "ABCD", {"drag A A", "end drag"}},
      {"without DragReorder", false, true, 190, "ABCD", {}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Events.clear();
    AllowDrag = C.Allow;
    auto* H = Header({60, 60, 60, 60});
    H->SetDragReorder(C.Reorder);
    Mouse(H, WM_LBUTTONDOWN, 30, 10, MK_LBUTTON);
    Mouse(H, WM_MOUSEMOVE, 35, 10, MK_LBUTTON);
    EXPECT_EQ(H->DraggedSection(), -1) << "5 pixels do not start a drag";
    Mouse(H, WM_MOUSEMOVE, C.To, 10, MK_LBUTTON);
    if (C.Reorder) {
      EXPECT_EQ(H->DraggedSection(), 0);
      EXPECT_EQ(H->SectionState(0), hssDraggedOut);
    }
    Mouse(H, WM_LBUTTONUP, C.To, 10);
    EXPECT_EQ(Order(H), C.Order);
    EXPECT_EQ(Events, C.Events);
    EXPECT_EQ(H->DraggedSection(), -1);
    EXPECT_EQ(H->DropTarget(), -1);
  }
}

TEST_F(HeaderTest, WhileDraggingTheSlotIsDarkAndTheTargetIsUnderDrag) {
  auto* H = Header({60, 60, 60, 60});
  H->SetDragReorder(true);
  for (Integer I = 0; I < 4; ++I) H->Sections()->Items(I)->SetText(L"");
  Mouse(H, WM_LBUTTONDOWN, 30, 10, MK_LBUTTON);
  Mouse(H, WM_MOUSEMOVE, 190, 10, MK_LBUTTON);
  EXPECT_EQ(H->DropTarget(), 3);
  EXPECT_EQ(H->SectionState(3), hssUnderDrag);
  Settle();
  Capture Shot(300, 20), Reference(300, 20);
  PrintClient(H, Shot);
  EXPECT_EQ(Shot.At(30, 10), PixelOf(cl3DDkShadow)) << "the dragged section's own slot";
  // The floating image (160..220) is the platform's push button over everything.
  RECT Image{160, 0, 220, 20};
  DrawFrameControl(Reference.DC(), &Image, DFC_BUTTON, DFCS_BUTTONPUSH);
  EXPECT_EQ(Differences(Shot, Reference, Rect(160, 0, 220, 20)), 0);
  Mouse(H, WM_LBUTTONUP, 190, 10);
}

// [Header painting] ------------------------------------------------------------------------------

TEST_F(HeaderTest, ThroughTheSampleSkinSectionsAreTheThemesSectionsInTheirStates) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsHeaderDefined(0, "default"));
  auto* H = Header({70, 70, 70});
  for (Integer I = 0; I < 3; ++I) H->Sections()->Items(I)->SetText(L"");
  Mouse(H, WM_MOUSEMOVE, 100, 10);
  ASSERT_EQ(H->HotSection(), 1);
  Settle();
  Capture Shot(300, 20), Reference(300, 20), Normal(300, 20);
  PrintClient(H, Shot);
  TCanvas Canvas(Reference.DC()), NormalCanvas(Normal.DC());
  for (Integer I = 0; I < 3; ++I) {
    TRect R;
    H->GetSectionRect(I, R);
    Theme->DrawHeaderSection(0, Canvas, "default", TvxStateInfo{R, 1, Byte(I == 1 ? hssHot : hssNormal)});
    Theme->DrawHeaderSection(0, NormalCanvas, "default", TvxStateInfo{R, 1, hssNormal});
  }
  Theme->DrawHeaderSection(0, Canvas, "default", TvxStateInfo{Rect(210, 0, 300, 20), 1, hssNormal});
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 300, 20)), 0);
  EXPECT_GT(Differences(Shot, Normal, Rect(70, 0, 140, 20)), 0) << "the hot section looks hot";

  // Without sections: the theme's header background.
  H->Sections()->Clear();
  Settle();
  Capture Empty(300, 20), EmptyReference(300, 20);
  PrintClient(H, Empty);
  TCanvas EmptyCanvas(EmptyReference.DC());
  Theme->DrawHeader(0, EmptyCanvas, "default", Rect(0, 0, 300, 20));
  EXPECT_EQ(Differences(Empty, EmptyReference, Rect(0, 0, 300, 20)), 0);
}

TEST_F(HeaderTest, WithoutASkinSectionsArePlatformPushButtonsWithTheirText) {
  auto* H = Header({70, 70});
  H->Sections()->Items(1)->SetStyle(TVxHeaderSectionStyle::hsOwnerDraw);
  std::vector<std::pair<TRect, int>> Drawn;
  H->OnDrawSection = [&](TVxHeaderControl*, TVxHeaderSection* S, const TRect& R, Byte State) {
    EXPECT_EQ(S, H->Sections()->Items(1));
    Drawn.push_back({R, State});
  };
  H->SetHotTrack(true);
  Settle();
  // The owner-drawn section keeps its frame and draws nothing else.
  ASSERT_FALSE(Drawn.empty());
  EXPECT_EQ(Drawn.back(), std::make_pair(Rect(70, 0, 140, 20), 0));
  Capture Shot(300, 20), Reference(300, 20);
  PrintClient(H, Shot);
  RECT Second{70, 0, 140, 20}, Trailing{140, 0, 300, 20};
  DrawFrameControl(Reference.DC(), &Second, DFC_BUTTON, DFCS_BUTTONPUSH);
  DrawFrameControl(Reference.DC(), &Trailing, DFC_BUTTON, DFCS_BUTTONPUSH);
  EXPECT_EQ(Differences(Shot, Reference, Rect(70, 0, 300, 20)), 0);
  int Text = 0, Blue = 0;
  for (Integer Y = 3; Y < 17; ++Y)
    for (Integer X = 3; X < 67; ++X) Text += Shot.At(X, Y) == PixelOf(H->Font()->Color());
  EXPECT_GT(Text, 0) << "A's caption";
  // Hot tracking paints the hot caption blue.
  Mouse(H, WM_MOUSEMOVE, 30, 10);
  Settle();
  PrintClient(H, Shot);
  for (Integer Y = 3; Y < 17; ++Y)
    for (Integer X = 3; X < 67; ++X) Blue += Shot.At(X, Y) == PixelOf(TColor(0xFF0000));
  EXPECT_GT(Blue, 0);
  // Pressed: a flat frame.
  H->Sections()->Items(0)->SetText(L"");
  Mouse(H, WM_LBUTTONDOWN, 30, 10, MK_LBUTTON);
  Settle();
  PrintClient(H, Shot);
  RECT First{0, 0, 70, 20};
  DrawFrameControl(Reference.DC(), &First, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT);
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 70, 20)), 0);
  Mouse(H, WM_LBUTTONUP, 30, 10);
  // A theme that defines no header leaves the classic look.
  SetCurrentTheme(std::make_unique<TvxTheme>());
  H->Invalidate();
  Settle();
  PrintClient(H, Shot);
  EXPECT_EQ(Differences(Shot, Reference, Rect(70, 0, 300, 20)), 0);
}

TEST_F(HeaderTest, WithVisualStylesSectionsAreThePlatformsHeaderItems) {
  AllowVisualStyles();
  if (!StyleAvailable(Shown->Handle(), L"Header")) GTEST_SKIP() << "the platform shows no visual styles here";
  auto* H = Header({70, 70});
  for (Integer I = 0; I < 2; ++I) H->Sections()->Items(I)->SetText(L"");
  Settle();
  Capture Shot(300, 20), Reference(300, 20);
  PrintClient(H, Shot);
  HTHEME Theme = ThemeFunctions().OpenThemeData(H->Handle(), L"Header");
  ASSERT_NE(Theme, nullptr);
  const RECT Area{70, 0, 140, 20};
  ThemeFunctions().DrawThemeBackground(Theme, Reference.DC(), 1, 1, &Area, nullptr);
  ThemeFunctions().CloseThemeData(Theme);
  EXPECT_EQ(Differences(Shot, Reference, Rect(70, 0, 140, 20)), 0);
}

// [Header bad input] -----------------------------------------------------------------------------

TEST_F(HeaderTest, NoSectionsAndSectionsVanishingMidGestureAreHarmless) {
  auto* H = Header({});
  bool Edge = true;
  EXPECT_EQ(H->HitTest(10, 10, Edge), -1);
  EXPECT_FALSE(Edge);
  H->SetDragReorder(true);
  Drag(H, {{10, 10}, {100, 10}, {200, 10}});
  Settle();
  Capture Shot(300, 20);
  PrintClient(H, Shot);
  EXPECT_EQ(Shot.At(150, 10), PixelOf(clBtnFace));
  EXPECT_TRUE(Events.empty());

  // The sections go while one is being resized, and while one is dragged.
  H->Sections()->Add()->SetWidth(60);
  H->Sections()->Add()->SetWidth(60);
  Mouse(H, WM_LBUTTONDOWN, 58, 10, MK_LBUTTON);
  ASSERT_EQ(H->ResizingSection(), 0);
  H->Sections()->Clear();
  Mouse(H, WM_MOUSEMOVE, 90, 10, MK_LBUTTON);
  Mouse(H, WM_LBUTTONUP, 90, 10);
  EXPECT_EQ(H->ResizingSection(), -1);
  H->Sections()->Add()->SetWidth(60);
  H->Sections()->Add()->SetWidth(60);
  Mouse(H, WM_LBUTTONDOWN, 30, 10, MK_LBUTTON);
  Mouse(H, WM_MOUSEMOVE, 100, 10, MK_LBUTTON);
  ASSERT_EQ(H->DraggedSection(), 0);
  H->Sections()->Delete(0);
  Mouse(H, WM_MOUSEMOVE, 120, 10, MK_LBUTTON);
  Settle();
  Mouse(H, WM_LBUTTONUP, 120, 10);
  EXPECT_EQ(H->Sections()->Count(), 1);
  EXPECT_EQ(H->DraggedSection(), -1);
  // An image list freed under the control, and an image index beyond it.
  auto* Images = new TImageList(Owner.get());
  H->SetImages(Images);
  H->Sections()->Items(0)->SetImageIndex(5);
  delete Images;
  EXPECT_EQ(H->Images(), nullptr);
  Settle();
}

// [Status bar layout] ----------------------------------------------------------------------------

TEST_F(StatusBarTest, PanelWidthsAreNegotiatedByPriorities) {
  struct TPanel {
    Integer Width, View, Stretch, Max;
  };
  struct TPlace {
    bool Shown;
    Integer Left, Right;
    bool operator==(const TPlace&) const = default;
  };
  const struct {
    const char* Name;
    Integer Room;
    std::vector<TPanel> Panels;
    std::vector<TPlace> Places;
  } Cases[] = {
      {"the low priority gives way",
       250,
       {{100, 100, 0, 10000}, {100, 50, 0, 10000}, {100, 100, 0, 10000}},
       {{true, 0, 100}, {false, 100, 100}, {true, 100, 200}}},
      {"the stretching panel takes the rest",
       250,
       {{100, 100, 0, 10000}, {100, 50, 0, 10000}, {100, 100, 33, 10000}},
       {{true, 0, 100}, {false, 100, 100}, {true, 100, 250}}},
      // C stops at 120; the 30 it cannot take go to A.
      {"up to MaxWidth, the rest carried on",
       250,
       {{100, 100, 10, 10000}, {100, 50, 0, 10000}, {100, 100, 33, 120}},
       {{true, 0, 130}, {false, 130, 130}, {true, 130, 250}}},
      {"priority 0 is never shown", 500, {{100, 0, 50, 10000}, {100, 100, 0, 10000}}, {{false, 0, 0}, {true, 0, 100}}},
      // All at 100: none gives way; the last one is cut at the edge.
      {"too wide at full priority",
       250,
       {{100, 100, 0, 10000}, {100, 100, 0, 10000}, {100, 100, 0, 10000}},
       {{true, 0, 100}, {true, 100, 200}, {true, 200, 250}}},
      {"starting beyond the room hides",
       250,
       {{150, 100, 0, 10000}, {150, 100, 0, 10000}, {150, 100, 0, 10000}},
       {{true, 0, 150}, {true, 150, 250}, {false, 300, 300}}},
      {"one low panel alone stays", 50, {{100, 10, 0, 10000}}, {{true, 0, 50}}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* Bar = PlacedBar(C.Room);
    Bar->SetBorderWidth(0);
    ASSERT_EQ(Bar->ContentRect(), Rect(0, 0, C.Room, 22));
    Bar->Panels()->BeginUpdate();
    for (const TPanel& P : C.Panels) {
      TVxStatusPanel* Panel = Bar->Panels()->Add();
      Panel->SetMaxWidth(P.Max);
      Panel->SetWidth(P.Width);
      Panel->SetViewPriority(P.View);
      Panel->SetStretchPriority(P.Stretch);
    }
    Bar->Panels()->EndUpdate();
    std::vector<TPlace> Places;
    for (Integer I = 0; I < Bar->Panels()->Count(); ++I) {
      const TVxStatusPanel* P = Bar->Panels()->Items(I);
      Places.push_back({P->Shown(), P->LeftEdge(), P->RightEdge()});
    }
    EXPECT_EQ(Places, C.Places);
  }
}

// [Status bar input] -----------------------------------------------------------------------------

TEST_F(StatusBarTest, PanelClicksAndDoubleClicks) {
  auto* Bar = PlacedBar(300);
  Bar->SetBorderWidth(0);
  Bar->SetSizeGrip(false);
  for (const wchar_t* Text : {L"one", L"two"}) {
    TVxStatusPanel* P = Bar->Panels()->Add();
    P->SetWidth(100);
    P->SetText(Text);
  }
  Bar->OnPanelClick = [this](TVxStatusBar*, TVxStatusPanel* P) { Log("click " + P->AnsiText()); };
  Bar->OnPanelDblClick = [this](TVxStatusBar*, TVxStatusPanel* P) { Log("double " + P->AnsiText()); };
  Drag(Bar, {{150, 10}, {160, 10}});
  Drag(Bar, {{50, 10}, {150, 10}});
  Drag(Bar, {{250, 10}, {250, 10}});
  Mouse(Bar, WM_LBUTTONDBLCLK, 20, 10, MK_LBUTTON);
  Mouse(Bar, WM_LBUTTONUP, 20, 10);
  EXPECT_EQ(Events, (std::vector<std::string>{"click two", "double one", "click one"}));
}

TEST_F(StatusBarTest, TheSizeGripSizesTheFormOnlyFromTheFormsCorner) {
  const TRect Saved = Shown->BoundsRect();
  auto* Bar = Add<TVxStatusBar>(Shown, Rect(0, 0, 100, 22));
  Bar->Panels()->Add()->SetWidth(80);
  Bar->Panels()->Items(0)->SetStretchPriority(1);
  Settle();
  ASSERT_EQ(Bar->Top() + Bar->Height(), Shown->ClientHeight()) << "aligned to the bottom";
  EXPECT_TRUE(Bar->GripApplies());
  TRect Grip;
  Bar->GetGripRect(Grip);
  EXPECT_EQ(Grip.Width(), Grip.Height());
  EXPECT_EQ(Grip.Right, Bar->Width() - 2);

  // Classic: the platform's size grip, one pixel in.
  Capture Shot(Bar->Width(), Bar->Height()), Reference(Bar->Width(), Bar->Height());
  PrintClient(Bar, Shot);
  RECT Area{Grip.Left + 1, Grip.Top + 1, Grip.Right - 1, Grip.Bottom - 1};
  DrawFrameControl(Reference.DC(), &Area, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  EXPECT_EQ(Differences(Shot, Reference, Rect(Area.left, Area.top, Area.right, Area.bottom)), 0);

  // Pressing in the grip and moving sizes the form by the pointer's travel.
  const Integer W = Shown->Width(), H = Shown->Height();
  const auto Travel = [&](Integer DX, Integer DY) {
    TRect G;
    Bar->GetGripRect(G);
    const TPoint At{(G.Left + G.Right) / 2, (G.Top + G.Bottom) / 2};
    Mouse(Bar, WM_LBUTTONDOWN, At.X, At.Y, MK_LBUTTON);
    const TPoint Start = Bar->ClientToScreen(At);
    // The bar moves with the form: each point is taken against where the bar is now.
    const TPoint Mid = Bar->ScreenToClient({Start.X + DX / 2, Start.Y + DY / 2});
    Mouse(Bar, WM_MOUSEMOVE, Mid.X, Mid.Y, MK_LBUTTON);
    const TPoint End = Bar->ScreenToClient({Start.X + DX, Start.Y + DY});
    Mouse(Bar, WM_LBUTTONUP, End.X, End.Y);
  };
  Mouse(Bar, WM_MOUSEMOVE, Grip.Left + 2, Grip.Top + 2);
  EXPECT_EQ(Bar->Cursor(), crSizeNWSE);
  Mouse(Bar, WM_MOUSEMOVE, 10, 10);
  EXPECT_EQ(Bar->Cursor(), crDefault);
  Travel(30, 20);
  EXPECT_EQ(Shown->Width(), W + 30);
  EXPECT_EQ(Shown->Height(), H + 20);
  EXPECT_FALSE(Bar->GripSizing());
  EXPECT_EQ(Bar->Top() + Bar->Height(), Shown->ClientHeight()) << "the bar followed the form";
  EXPECT_EQ(Bar->Panels()->Items(0)->RightEdge(), Bar->Width() - 2) << "and laid its panels out again";

  // Away from the corner, or with SizeGrip off, the grip neither applies nor sizes.
  for (int Step = 0; Step < 2; ++Step) {
    if (Step == 0) {
      Bar->SetAlign(TAlign::alNone);
      Bar->SetBounds(0, 0, 200, 22);
    } else {
      Bar->SetAlign(TAlign::alBottom);
      Bar->SetSizeGrip(false);
    }
    Settle();
    EXPECT_FALSE(Bar->GripApplies()) << Step;
    const Integer Before = Shown->Width();
    Travel(30, 20);
    EXPECT_EQ(Shown->Width(), Before) << Step;
  }
  Shown->SetBoundsRect(Saved);
}

// [Hosted controls] ------------------------------------------------------------------------------

TEST_F(StatusBarTest, AHostedControlKeepsToItsPanelAndGoesWithIt) {
  auto* Bar = PlacedBar(300);
  Bar->SetBorderWidth(0);
  Bar->SetSizeGrip(false);
  TVxStatusPanel* First = Bar->Panels()->Add();
  First->SetWidth(100);
  First->SetStretchPriority(10);
  // A control placed on the bar at run time gets a panel of its own.
  auto* Button = Add<TVxButton>(Bar, Rect(0, 0, 10, 10));
  ASSERT_EQ(Bar->Panels()->Count(), 2);
  TVxStatusPanel* Hosting = Bar->Panels()->Items(1);
  EXPECT_EQ(Hosting->Control(), Button);
  EXPECT_EQ(Hosting->DisplayName(), "[ " + Button->Name() + " ]");
  // The stretching first panel takes the room the new 50-wide panel leaves: 0..250. Framed, the
  // control sits on its panel (250..300, 0..22) less 1, and 2 more on the right.
  EXPECT_EQ(Button->BoundsRect(), Rect(251, 1, 297, 21));
  // Widening the bar widens the first panel; the control moves along.
  Bar->SetBounds(0, 0, 400, 22);
  EXPECT_EQ(Button->BoundsRect(), Rect(351, 1, 397, 21));
  Hosting->SetFramed(false);
  EXPECT_EQ(Button->BoundsRect(), Rect(350, 0, 400, 22));
  Hosting->SetViewPriority(0);
  EXPECT_FALSE(Button->Visible()) << "hidden with its panel";
  Hosting->SetViewPriority(100);
  EXPECT_TRUE(Button->Visible());
  Settle();

  // The bar or its parents cannot be hosted.
  for (TControl* Bad : std::vector<TControl*>{Bar, Shown}) {
    try {
      Hosting->SetControl(Bad);
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidOperation& E) {
      EXPECT_STREQ(E.what(), "Can't insert own parent");
    }
    EXPECT_EQ(Hosting->Control(), Button);
  }
  // Handing the control to another panel takes it from the first.
  First->SetControl(Button);
  EXPECT_EQ(Hosting->Control(), nullptr);
  EXPECT_EQ(Button->BoundsRect().Left, 1);

  // Freeing the control frees the panel holding it; painting goes on.
  delete Button;
  ASSERT_EQ(Bar->Panels()->Count(), 1);
  EXPECT_EQ(Bar->Panels()->Items(0), Hosting);
  auto* Other = Add<TVxButton>(Bar, Rect(0, 0, 10, 10));
  ASSERT_EQ(Bar->Panels()->Count(), 2);
  delete Other;
  ASSERT_EQ(Bar->Panels()->Count(), 1);
  EXPECT_EQ(Hosting->Control(), nullptr);
  Bar->Invalidate();
  Settle();
}

// [Status bar painting] --------------------------------------------------------------------------

TEST_F(StatusBarTest, ThroughTheSampleSkinTheBarPanelsAndGripAreTheThemes) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsStatusBarDefined(0, "default"));
  auto* Bar = Add<TVxStatusBar>(Shown, Rect(0, 0, 100, 22));
  for (Integer W : {90, 120}) Bar->Panels()->Add()->SetWidth(W);
  Settle();
  ASSERT_TRUE(Bar->GripApplies());
  const TRect Whole = Rect(0, 0, Bar->Width(), Bar->Height());
  TRect Client;
  Theme->GetStatusBarClientRect(0, Whole, Client, "default");
  EXPECT_EQ(Bar->ContentRect(), Client);
  EXPECT_EQ(Bar->Panels()->Items(1)->LeftEdge(), Client.Left + 90);
  Capture Shot(Whole.Right, Whole.Bottom), Reference(Whole.Right, Whole.Bottom);
  PrintClient(Bar, Shot);
  TCanvas Canvas(Reference.DC());
  Theme->DrawStatusBar(0, Canvas, "default", Whole);
  for (Integer I = 0; I < 2; ++I) {
    TRect R;
    Bar->GetPanelRect(I, R);
    const int Saved = Canvas.SaveState();
    Canvas.IntersectClip(R);
    Theme->DrawStatusPanel(0, Canvas, "default", TvxStateInfo{R, 0, 0});
    Canvas.RestoreState(Saved);
  }
  TRect Grip;
  Bar->GetGripRect(Grip);
  Theme->DrawStatusPanel(0, Canvas, "default", TvxStateInfo{Grip, 3, 0});
  EXPECT_EQ(Differences(Shot, Reference, Whole), 0);
  HoldForScreenshot(Bar);
  // Without the theme the panels start at the inner rectangle again.
  RemoveCurrentTheme();
  EXPECT_EQ(Bar->ContentRect(), Rect(2, 2, Bar->Width() - 2, Bar->Height() - 2));
  EXPECT_EQ(Bar->Panels()->Items(1)->LeftEdge(), 2 + 90);
}

TEST_F(StatusBarTest, ASkinWithoutHeaderAndStatusBarObjectsLeavesTheClassicLook) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  auto* Skin = dynamic_cast<TVxSkinFile*>(CurrentTheme());
  ASSERT_NE(Skin, nullptr);
  for (const char* Name : {"Header", "StatusBar"}) {
    TDvSkinObject* Object = Skin->WorkSkin().FindObject(Name);
    ASSERT_NE(Object, nullptr) << Name;
    Skin->WorkSkin().RemoveObject(Object);
  }
  Skin->UpdateObjects();
  ASSERT_FALSE(Skin->IsHeaderDefined(0, "default"));
  ASSERT_FALSE(Skin->IsStatusBarDefined(0, "default"));
  auto* H = Header({70, 70}, Rect(0, 30, 300, 50));
  for (Integer I = 0; I < 2; ++I) H->Sections()->Items(I)->SetText(L"");
  auto* Bar = PlacedBar(300);
  Bar->Panels()->Add()->SetWidth(100);
  H->Invalidate();
  Bar->Invalidate();
  Settle();
  Capture Shot(300, 22), Reference(300, 22);
  PrintClient(H, Shot);
  RECT Area{0, 0, 70, 20};
  DrawFrameControl(Reference.DC(), &Area, DFC_BUTTON, DFCS_BUTTONPUSH);
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 70, 20)), 0);
  PrintClient(Bar, Shot);
  EXPECT_EQ(Shot.At(2, 10), PixelOf(clBtnShadow)) << "the classic panel frame";
  EXPECT_EQ(Bar->ContentRect(), Rect(2, 2, 298, 20));
}

TEST_F(StatusBarTest, WithoutASkinPanelsAreFramedInTheBarsColour) {
  auto* Bar = PlacedBar(300);
  Bar->SetColor(clYellow);
  Bar->Panels()->Add()->SetWidth(100);
  Bar->Panels()->Add()->SetWidth(100);
  Bar->Panels()->Add()->SetWidth(40);
  Bar->Panels()->Items(0)->SetText(L"Ready");
  Bar->Panels()->Items(1)->SetFramed(false);
  Bar->Panels()->Items(2)->SetStyle(TVxStatusPanelstyle::psOwnerDraw);
  std::vector<TRect> Drawn;
  Bar->OnDrawPanel = [&](TVxStatusBar*, TVxStatusPanel* P, const TRect& R) {
    EXPECT_EQ(P, Bar->Panels()->Items(2));
    Drawn.push_back(R);
  };
  Settle();
  Capture Shot(300, 22);
  PrintClient(Bar, Shot);
  ASSERT_FALSE(Drawn.empty());
  EXPECT_EQ(Drawn.back(), Rect(202, 2, 242, 20));
  int Text = 0;
  for (Integer Y = 3; Y < 19; ++Y)
    for (Integer X = 3; X < 101; ++X) Text += Shot.At(X, Y) == PixelOf(Bar->Font()->Color());
  EXPECT_GT(Text, 0) << "the first panel's text";
  // Inner rectangle (2, 2, 298, 20): panel 0 on 2..102 framed, panel 1 on 102..202 plain.
  EXPECT_EQ(Shot.At(2, 10), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(101, 10), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(90, 10), PixelOf(clYellow));
  EXPECT_EQ(Shot.At(102, 10), PixelOf(clYellow)) << "no frame";
  EXPECT_EQ(Shot.At(250, 10), PixelOf(clYellow)) << "the bar's own fill";
  // The raised outer bevel needs a bevel width.
  Bar->SetBevelWidth(1);
  Settle();
  PrintClient(Bar, Shot);
  EXPECT_EQ(Shot.At(0, 10), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(299, 10), PixelOf(cl3DDkShadow));
}

TEST_F(StatusBarTest, WithVisualStylesPanelsAreThePlatformsStatusPanes) {
  AllowVisualStyles();
  if (!StyleAvailable(Shown->Handle(), L"Status")) GTEST_SKIP() << "the platform shows no visual styles here";
  auto* Bar = PlacedBar(300);
  Bar->Panels()->Add()->SetWidth(100);
  Bar->Panels()->Add()->SetWidth(100);
  Settle();
  Capture Shot(300, 22), Reference(300, 22);
  PrintClient(Bar, Shot);
  HTHEME Theme = ThemeFunctions().OpenThemeData(Bar->Handle(), L"Status");
  ASSERT_NE(Theme, nullptr);
  const RECT Whole{0, 0, 300, 22}, First{2, 2, 102, 20}, Last{102, 2, 202, 20};
  ThemeFunctions().DrawThemeBackground(Theme, Reference.DC(), 0, 0, &Whole, nullptr);
  ThemeFunctions().DrawThemeBackground(Theme, Reference.DC(), 1, 0, &First, nullptr);
  ThemeFunctions().DrawThemeBackground(Theme, Reference.DC(), 2, 0, &Last, nullptr);
  ThemeFunctions().CloseThemeData(Theme);
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 300, 22)), 0);
}

TEST_F(StatusBarTest, NoPanelsAndATightBarAreHarmless) {
  auto* Bar = PlacedBar(300);
  Drag(Bar, {{50, 10}, {60, 10}});
  Mouse(Bar, WM_LBUTTONDBLCLK, 20, 10, MK_LBUTTON);
  EXPECT_EQ(Bar->PanelAt(50, 10), nullptr);
  // Narrower than its frame: no room at all.
  Bar->Panels()->Add()->SetWidth(100);
  Bar->SetBounds(0, 0, 3, 22);
  EXPECT_FALSE(Bar->Panels()->Items(0)->Shown());
  TRect Grip;
  Bar->GetGripRect(Grip);
  Settle();
  // A framework panel's text and width, and a width beyond the maximum.
  TStatusPanel Plain;
  Plain.Text = "plain";
  Plain.Width = 70;
  Bar->Panels()->Items(0)->AssignPanel(Plain);
  EXPECT_EQ(Bar->Panels()->Items(0)->Text(), L"plain");
  Bar->Panels()->Items(0)->SetWidth(20000);
  EXPECT_EQ(Bar->Panels()->Items(0)->Width(), 10000);
  Bar->Panels()->Items(0)->SetWidth(-4);
  EXPECT_EQ(Bar->Panels()->Items(0)->Width(), 0);
}

// [Form files] -----------------------------------------------------------------------------------

TEST_F(HeaderTest, FormFilesHoldSectionsPanelsAndHostedControls) {
  for (const char* Name : {"TVxHeaderControl", "TVxStatusBar"})
    EXPECT_NE(FindClass(Name), nullptr) << Name << " registered when the program starts";
  TVxHeaderControl Source;
  Source.SetDragReorder(true);
  Source.SetFullDrag(false);
  Source.SetHotTrack(true);
  TVxHeaderSection* S = Source.Sections()->Add();
  S->SetText(L"Name");
  S->SetWidth(120);
  S->SetAlignment(TAlignment::taCenter);
  S->SetMinWidth(30);
  S->SetLayout(TVxHeaderGliphLayout::hglGlyphRight);
  Source.Sections()->Add()->SetText(L"Size");
  RoundTrip<TVxHeaderControl>(
      Source,
      {"DragReorder = True", "FullDrag = False", "HotTrack = True", "Text = 'Name'", "Width = 120",
       "Alignment = taCenter", "MinWidth = 30", "Layout = hglGlyphRight", "Text = 'Size'"},
      [](TVxHeaderControl& Read) {
        ASSERT_EQ(Read.Sections()->Count(), 2);
        const TVxHeaderSection* R = Read.Sections()->Items(0);
        EXPECT_EQ(R->Text(), L"Name");
        EXPECT_EQ(R->Width(), 120);
        EXPECT_EQ(R->Alignment(), TAlignment::taCenter);
        EXPECT_EQ(R->MinWidth(), 30);
        EXPECT_EQ(R->Layout(), TVxHeaderGliphLayout::hglGlyphRight);
        EXPECT_EQ(Read.Sections()->Items(1)->Width(), 50);
        EXPECT_TRUE(Read.DragReorder());
        EXPECT_FALSE(Read.FullDrag());
        EXPECT_TRUE(Read.HotTrack());
      });

  // Assigning sections copies them.
  TVxHeaderControl Copy;
  Copy.Sections()->Assign(Source.Sections());
  ASSERT_EQ(Copy.Sections()->Count(), 2);
  const TVxHeaderSection* C = Copy.Sections()->Items(0);
  EXPECT_EQ(C->Text(), L"Name");
  EXPECT_EQ(C->Width(), 120);
  EXPECT_EQ(C->Alignment(), TAlignment::taCenter);
  EXPECT_EQ(C->MinWidth(), 30);
  EXPECT_EQ(C->Layout(), TVxHeaderGliphLayout::hglGlyphRight);

  // A status bar on a form, one panel hosting a button.
  TForm Form;
  auto* Bar = new TVxStatusBar(&Form);
  Bar->SetName("Status");
  Bar->SetParent(&Form);
  Bar->SetSizeGrip(false);
  TVxStatusPanel* P = Bar->Panels()->Add();
  P->SetText(L"Ready");
  P->SetViewPriority(40);
  P->SetStretchPriority(20);
  P->SetFramed(false);
  auto* Button = new TVxButton(&Form);
  Button->SetName("Go");
  Button->SetParent(Bar);
  ASSERT_EQ(Bar->Panels()->Count(), 2);
  TMemoryStream Stream;
  WriteComponent(Stream, Form);
  Stream.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(Stream, Text);
  const std::string Written(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
  for (const char* Line : {"object Status: TVxStatusBar", "SizeGrip = False", "Text = 'Ready'", "ViewPriority = 40",
                           "StretchPriority = 20", "Framed = False", "Control = Go", "object Go: TVxButton"})
    EXPECT_NE(Written.find(Line), std::string::npos) << Line << "\n" << Written;
  Stream.SetPosition(0);
  TForm Read;
  ReadComponent(Stream, Read);
  auto* ReadBar = dynamic_cast<TVxStatusBar*>(Read.FindComponent("Status"));
  ASSERT_NE(ReadBar, nullptr);
  ASSERT_EQ(ReadBar->Panels()->Count(), 2) << "reading the hosted control adds no panel";
  EXPECT_EQ(ReadBar->Panels()->Items(0)->Text(), L"Ready");
  EXPECT_EQ(ReadBar->Panels()->Items(0)->ViewPriority(), 40);
  EXPECT_FALSE(ReadBar->Panels()->Items(0)->Framed());
  EXPECT_FALSE(ReadBar->SizeGrip());
  EXPECT_EQ(ReadBar->Panels()->Items(1)->Control(), Read.FindComponent("Go"));
}

}  // namespace
