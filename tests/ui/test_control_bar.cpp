// The control bar: band insets and rows, AutoSize, snapped rows, moving bands with real mouse
// messages, the band events, bands following their controls, the classic look and streaming.
#include <map>
#include <tuple>

#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/ui/control_bar.h"
#include "framework/ui/panel.h"
#include "ui_fixture.h"

// Readable failures for the framework's geometry.
static void PrintTo(const TPoint& P, std::ostream* Os) { *Os << "(" << P.X << ", " << P.Y << ")"; }
static void PrintTo(const TRect& R, std::ostream* Os) {
  *Os << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}

namespace {

class ControlBarTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Bar = new TControlBar(Form.get());
    Bar->SetBounds(0, 0, 300, 50);
    Bar->SetParent(Form.get());
    Bar->HandleNeeded();
  }
  TPanel* AddControl(const TRect& R) {
    auto* P = new TPanel(Form.get());
    P->SetBoundsRect(R);
    P->SetParent(Bar);
    return P;
  }
  static TPoint Pos(const TControl* C) { return {C->Left(), C->Top()}; }
  // Presses at the first point, moves through the others and releases at the last.
  void Drag(const std::vector<TPoint>& Path) {
    const HWND Wnd = Bar->Handle();
    const TPoint First = Path.front();
    SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(First.X, First.Y));
    TPoint Last = First;
    for (const TPoint& P : Path) {
      SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, Point(P.X, P.Y));
      Last = P;
    }
    SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(Last.X, Last.Y));
  }
  TControlBar* Bar = nullptr;
};

// Insets (11, 2, 2, 2): a control sits 11 right of and 2 below its band's corner; a band is 13
// wider and 4 taller than its control; rows are as tall as their tallest band.
struct TPlacementCase {
  const char* Name;
  std::vector<TRect> Controls;  // bounds given, in the order the controls join the bar
  std::vector<TPoint> Placed;   // where the bar puts them
  Integer Height;               // the bar's, from AutoSize
};

const TPlacementCase PlacementCases[] = {
    {"one row: the tallest band sets its height",
     {Bounds(0, 0, 50, 22), Bounds(100, 0, 60, 30), Bounds(200, 0, 40, 16)},
     {{11, 2}, {100, 2}, {200, 2}},
     34},
    {"a top inside the first row joins it", {Bounds(0, 0, 50, 22), Bounds(100, 10, 50, 22)}, {{11, 2}, {100, 2}}, 26},
    {"a top below the first row opens a second",
     {Bounds(0, 0, 50, 22), Bounds(0, 30, 60, 30), Bounds(80, 30, 40, 16)},
     {{11, 2}, {11, 28}, {84, 28}},
     60},
    {"two rows of 26-high controls", {Bounds(0, 0, 50, 26), Bounds(0, 40, 50, 26)}, {{11, 2}, {11, 32}}, 60},
    {"an overlapping band is pushed right", {Bounds(0, 0, 100, 22), Bounds(50, 0, 40, 22)}, {{11, 2}, {124, 2}}, 26},
    {"a band joining left of another goes before it",
     {Bounds(200, 0, 40, 22), Bounds(0, 0, 50, 22)},
     {{200, 2}, {11, 2}},
     26},
    {"rows start at the top", {Bounds(0, 100, 50, 22)}, {{11, 2}}, 26},
};

TEST_F(ControlBarTest, PlacesControlsInsideTheirBandsRowByRow) {
  for (const TPlacementCase& Case : PlacementCases) {
    SCOPED_TRACE(Case.Name);
    std::vector<TControl*> Controls;
    for (const TRect& R : Case.Controls) Controls.push_back(AddControl(R));
    ASSERT_EQ(Bar->BandCount(), Integer(Controls.size()));
    for (size_t I = 0; I < Controls.size(); ++I) {
      EXPECT_EQ(Pos(Controls[I]), Case.Placed[I]) << "control " << I;
      EXPECT_EQ(Controls[I]->Width(), Case.Controls[I].Width());
      EXPECT_EQ(Controls[I]->Height(), Case.Controls[I].Height());
      const TControlBand* Band = Bar->FindBand(Controls[I]);
      ASSERT_NE(Band, nullptr);
      EXPECT_EQ(Band->Insets, Rect(11, 2, 2, 2));
      EXPECT_EQ(Band->BandRect(),
                Rect(Case.Placed[I].X - 11, Case.Placed[I].Y - 2, Case.Placed[I].X + Case.Controls[I].Width() + 2,
                     Case.Placed[I].Y + Case.Controls[I].Height() + 2));
    }
    EXPECT_EQ(Bar->Height(), Case.Height);
    for (TControl* C : Controls) delete C;
    EXPECT_EQ(Bar->BandCount(), 0);
  }
}

TEST_F(ControlBarTest, AutoSizeFollowsTheBandsAlongTheBarsAlignment) {
  // Without bands the bar keeps its size instead of vanishing.
  EXPECT_EQ(Bar->BoundsRect(), Bounds(0, 0, 300, 50));
  EXPECT_TRUE(Bar->AutoSize());
  AddControl(Bounds(0, 0, 50, 22));
  TControl* B = AddControl(Bounds(100, 0, 60, 22));
  EXPECT_EQ(Bar->Height(), 26);
  // Aligned left, the width follows the rightmost band: 89 + 60 + 13.
  Bar->SetAlign(TAlign::alLeft);
  EXPECT_EQ(Bar->Width(), 162);
  B->SetWidth(100);
  EXPECT_EQ(Bar->Width(), 202);
  Bar->SetAlign(TAlign::alNone);
  Bar->SetAutoSize(false);
  Bar->SetHeight(80);
  AddControl(Bounds(0, 40, 50, 22));
  EXPECT_EQ(Bar->Height(), 80);
  Bar->SetAutoSize(true);
  EXPECT_EQ(Bar->Height(), 52);
}

TEST_F(ControlBarTest, SnappedRowsAreMultiplesOfRowSize) {
  // Band heights 26 and 44; a snapped band spans as many rows as it needs to show its control.
  struct {
    bool Snap;
    Integer RowSize;
    Integer SecondTop;
    Integer Height;
  } const Cases[] = {
      {false, 26, 28, 70}, {true, 26, 28, 78}, {true, 30, 32, 90}, {true, 20, 42, 100}, {true, 100, 102, 200},
  };
  TControl* A = AddControl(Bounds(0, 0, 50, 22));
  TControl* B = AddControl(Bounds(0, 40, 50, 40));
  for (const auto& Case : Cases) {
    SCOPED_TRACE(testing::Message() << "RowSnap " << Case.Snap << ", RowSize " << Case.RowSize);
    Bar->SetRowSize(Case.RowSize);
    Bar->SetRowSnap(Case.Snap);
    EXPECT_EQ(Pos(A), TPoint(11, 2));
    EXPECT_EQ(Pos(B), TPoint(11, Case.SecondTop));
    EXPECT_EQ(Bar->Height(), Case.Height);
  }
  Bar->SetRowSize(0);
  EXPECT_EQ(Bar->RowSize(), 1);
}

// Band A starts at (0, 0) and is 63 wide; band B at (89, 0) and 73 wide; rows are 26 high.
// Each step presses on a band's grabber, moves along the path and releases.
struct TMoveStep {
  const char* Name;
  std::vector<TPoint> Path;
  TPoint A, B;
  Integer Height;
};

const TMoveStep MoveSteps[] = {
    {"along the row, pushing the neighbour", {{5, 10}, {20, 10}, {35, 10}}, {41, 2}, {104, 2}, 26},
    {"below the last row: a new row", {{35, 10}, {5, 40}}, {11, 28}, {104, 2}, 52},
    {"into the first row, past the band there", {{5, 36}, {205, 10}}, {211, 2}, {104, 2}, 26},
    {"above the first row: a new first row", {{205, 10}, {5, -5}}, {11, 2}, {104, 28}, 52},
    // The rows are those seen at the press: the band left its own row, yet the pointer stays in
    // the row it joined while it keeps within that row's old span.
    {"a band alone in its row joins the next", {{5, 10}, {5, 30}, {5, 45}}, {11, 2}, {104, 2}, 26},
    {"pressing outside every band moves nothing", {{180, 10}, {250, 40}}, {11, 2}, {104, 2}, 26},
};

TEST_F(ControlBarTest, DraggingABandMovesItWithinAndAcrossRows) {
  TControl* A = AddControl(Bounds(0, 0, 50, 22));
  TControl* B = AddControl(Bounds(100, 0, 60, 22));
  std::map<TControl*, TRect> Moved;
  Bar->OnBandMove = [&](TObject* Sender, TControl* Control, TRect& R) {
    EXPECT_EQ(Sender, Bar);
    Moved[Control] = R;
  };
  for (const TMoveStep& Step : MoveSteps) {
    SCOPED_TRACE(Step.Name);
    Moved.clear();
    Drag(Step.Path);
    EXPECT_EQ(Bar->MovingControl(), nullptr);
    EXPECT_EQ(Pos(A), Step.A);
    EXPECT_EQ(Pos(B), Step.B);
    EXPECT_EQ(Bar->Height(), Step.Height);
    // OnBandMove heard every control that moved, with the bounds it got.
    for (TControl* C : {A, B}) {
      if (Moved.count(C)) {
        EXPECT_EQ(Moved[C], C->BoundsRect());
      }
    }
  }
}

TEST_F(ControlBarTest, OnBandMoveHearsTheNewBoundsAndMayChangeThem) {
  TControl* A = AddControl(Bounds(0, 0, 50, 22));
  TControl* B = AddControl(Bounds(100, 0, 60, 22));
  std::map<TControl*, std::vector<TRect>> Heard;
  Bar->OnBandMove = [&](TObject*, TControl* Control, TRect& R) {
    Heard[Control].push_back(R);
    if (Control == B) R = R.Offset(0, 3);
  };
  Drag({{5, 10}, {35, 10}});
  ASSERT_EQ(Heard[A].size(), 1u);  // the release saves it where it already is
  EXPECT_EQ(Heard[A].front(), Bounds(41, 2, 50, 22));
  ASSERT_FALSE(Heard[B].empty());
  EXPECT_EQ(Heard[B].front(), Bounds(104, 2, 60, 22));
  EXPECT_EQ(B->BoundsRect(), Bounds(104, 5, 60, 22));
  // Bounds the handler chose are not a move by someone else: the band keeps its row.
  EXPECT_FALSE(Bar->FindBand(B)->Break);
}

TEST_F(ControlBarTest, AnOnBandMoveHandlerMayFreeAControl) {
  TControl* A = AddControl(Bounds(0, 0, 50, 22));
  TControl* B = AddControl(Bounds(100, 0, 60, 22));
  Bar->OnBandMove = [&](TObject*, TControl* Control, TRect&) {
    if (Control == A && B) {
      delete B;
      B = nullptr;
    }
  };
  Drag({{5, 10}, {35, 10}});
  EXPECT_EQ(B, nullptr);
  ASSERT_EQ(Bar->BandCount(), 1);
  EXPECT_EQ(Pos(A), TPoint(41, 2));
  EXPECT_EQ(Bar->FindBand(A)->X, 30);  // the move went on and was saved
}

TEST_F(ControlBarTest, AHiddenBandComesBackToItsRowAfterAMove) {
  TControl* A = AddControl(Bounds(0, 0, 50, 22));
  TControl* B = AddControl(Bounds(0, 30, 50, 22));
  TControl* C = AddControl(Bounds(100, 30, 40, 22));
  B->Hide();
  Drag({{5, 10}, {15, 10}});
  EXPECT_EQ(Pos(A), TPoint(21, 2));
  EXPECT_EQ(Pos(C), TPoint(100, 28));
  B->Show();
  EXPECT_EQ(Pos(B), TPoint(11, 28));
  EXPECT_EQ(Pos(C), TPoint(100, 28));
  EXPECT_EQ(Bar->Height(), 52);
}

TEST_F(ControlBarTest, SavedPlacesAreTheLayoutAtTheRelease) {
  TControl* A = AddControl(Bounds(0, 0, 50, 22));
  TControl* B = AddControl(Bounds(100, 0, 60, 22));
  Drag({{5, 10}, {35, 10}, {5, 40}});
  ASSERT_EQ(Bar->BandCount(), 2);
  // Row order: B (pushed to 93 while A passed, back at 89 once A left the row), then A opening
  // the second row.
  EXPECT_EQ(Bar->Bands(0).Control, B);
  EXPECT_EQ(Bar->Bands(0).X, 89);
  EXPECT_EQ(Bar->Bands(0).Width, 73);
  EXPECT_FALSE(Bar->Bands(0).Break);
  EXPECT_EQ(Bar->Bands(1).Control, A);
  EXPECT_EQ(Bar->Bands(1).X, 0);
  EXPECT_EQ(Bar->Bands(1).Y, 26);
  EXPECT_TRUE(Bar->Bands(1).Break);
}

TEST_F(ControlBarTest, LosingTheCaptureEndsTheMove) {
  TControl* A = AddControl(Bounds(0, 0, 50, 22));
  const HWND Wnd = Bar->Handle();
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 10));
  SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, Point(35, 10));
  EXPECT_EQ(Bar->MovingControl(), A);
  SetCapture(Form->Handle());
  EXPECT_EQ(Bar->MovingControl(), nullptr);
  SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, Point(100, 10));
  ReleaseCapture();
  EXPECT_EQ(Pos(A), TPoint(41, 2));
}

TEST_F(ControlBarTest, DoubleClickAsksOnBandDragOutsideDesignMode) {
  TControl* A = AddControl(Bounds(0, 0, 50, 22));
  std::vector<TControl*> Asked;
  Bar->OnBandDrag = [&](TObject* Sender, TControl* Control, bool& Drag) {
    EXPECT_EQ(Sender, Bar);
    EXPECT_TRUE(Drag);
    Drag = false;
    Asked.push_back(Control);
  };
  const HWND Wnd = Bar->Handle();
  SendMessageA(Wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(5, 10));
  EXPECT_EQ(Bar->MovingControl(), nullptr);  // a double click starts no move
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(5, 10));
  EXPECT_EQ(Asked, std::vector<TControl*>{A});
  SendMessageA(Wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(200, 10));  // no band there
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(200, 10));
  Bar->SetDesigning(true);
  SendMessageA(Wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(5, 10));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(5, 10));
  EXPECT_EQ(Asked.size(), 1u);
}

TEST_F(ControlBarTest, OnBandInfoSeesTheDefaultsAndDecidesInsetsWidthAndRows) {
  std::map<TControl*, std::tuple<TRect, Integer, Integer>> Entry;
  TControl* A = nullptr;
  Bar->OnBandInfo = [&](TObject* Sender, TControl* Control, TRect& Insets, Integer& Preferred, Integer& Rows) {
    EXPECT_EQ(Sender, Bar);
    Entry[Control] = {Insets, Preferred, Rows};
    if (Control == A) {
      Insets = Rect(20, 5, 3, 4);
      Preferred = 70;
    } else {
      Rows = 3;
    }
  };
  A = new TPanel(Form.get());
  A->SetBounds(0, 0, 50, 22);
  A->SetParent(Bar);
  TControl* B = AddControl(Bounds(100, 0, 60, 40));
  ASSERT_EQ(Entry.count(B), 1u);
  EXPECT_EQ(Entry[B], std::make_tuple(Rect(11, 2, 2, 2), Integer(60), Integer(2)));  // 44 high: two rows of 26
  EXPECT_EQ(std::get<0>(Entry[A]), Rect(11, 2, 2, 2));
  EXPECT_EQ(std::get<2>(Entry[A]), 1);
  // A: 70 wide at (20, 5), its band 93 wide; B (asking for 89) is pushed to 93.
  EXPECT_EQ(A->BoundsRect(), Bounds(20, 5, 70, 22));
  EXPECT_EQ(Pos(B), TPoint(104, 2));
  EXPECT_EQ(Bar->FindBand(A)->BandRect(), Rect(0, 0, 93, 31));
  EXPECT_EQ(Bar->Height(), 44);
  // Snapped, B spans the three rows it asked for.
  Bar->SetRowSnap(true);
  EXPECT_EQ(Bar->Height(), 78);
}

TEST_F(ControlBarTest, ChildrenLeavingOrHidingTakeTheirBandsAlong) {
  // Rows: [A, pushed P] and [B, C].
  TControl* A = AddControl(Bounds(0, 0, 100, 22));
  TControl* P = AddControl(Bounds(50, 0, 40, 22));
  TControl* B = AddControl(Bounds(0, 30, 50, 22));
  TControl* C = AddControl(Bounds(100, 30, 40, 22));
  EXPECT_EQ(Pos(P), TPoint(124, 2));
  EXPECT_EQ(Pos(C), TPoint(100, 28));
  // Hidden or freed, a band makes room; the rest of a row keeps its row.
  A->Hide();
  EXPECT_EQ(Pos(P), TPoint(50, 2));
  A->Show();
  EXPECT_EQ(Pos(P), TPoint(124, 2));
  B->Hide();
  EXPECT_EQ(Pos(C), TPoint(100, 28));
  B->Show();
  EXPECT_EQ(Pos(B), TPoint(11, 28));
  delete B;
  EXPECT_EQ(Bar->BandCount(), 3);
  EXPECT_EQ(Pos(C), TPoint(100, 28));
  EXPECT_EQ(Bar->Height(), 52);
  delete A;
  EXPECT_EQ(Pos(P), TPoint(50, 2));
  C->SetParent(Form.get());
  EXPECT_EQ(Bar->BandCount(), 1);
  EXPECT_EQ(Bar->FindBand(C), nullptr);
  EXPECT_EQ(Bar->Height(), 26);
}

TEST_F(ControlBarTest, AControlMovedInCodeTakesItsBandAlong) {
  AddControl(Bounds(0, 0, 50, 22));
  TControl* B = AddControl(Bounds(100, 0, 60, 22));
  B->SetTop(40);  // below the only row: a new one
  EXPECT_EQ(Pos(B), TPoint(100, 28));
  EXPECT_EQ(Bar->Height(), 52);
  B->SetLeft(0);  // still in its row
  EXPECT_EQ(Pos(B), TPoint(11, 28));
  B->SetTop(0);  // back into the first row, after the band at its left
  EXPECT_EQ(Pos(B), TPoint(74, 2));
  EXPECT_EQ(Bar->Height(), 26);
}

// A bar whose grabber width a test chooses.
class TWideGrabberBar : public TControlBar {
 public:
  using TControlBar::RebuildBands;
  using TControlBar::TControlBar;
  Integer Grabber = 11;

 protected:
  Integer GetGrabberWidth() const override { return Grabber; }
};

TEST_F(ControlBarTest, RebuiltBandsKeepTheirControlsWhereTheyAre) {
  auto* Wide = new TWideGrabberBar(Form.get());
  Wide->SetBounds(0, 0, 300, 50);
  Wide->SetParent(Form.get());
  const auto Add = [&](const TRect& R) {
    auto* P = new TPanel(Form.get());
    P->SetBoundsRect(R);
    P->SetParent(Wide);
    return P;
  };
  TControl* A = Add(Bounds(0, 0, 50, 22));
  TControl* B = Add(Bounds(100, 0, 60, 22));
  TControl* C = Add(Bounds(0, 30, 40, 22));
  ASSERT_EQ(Pos(B), TPoint(100, 2));
  ASSERT_EQ(Pos(C), TPoint(11, 28));
  Wide->Grabber = 20;
  Wide->RebuildBands();
  ASSERT_EQ(Wide->BandCount(), 3);
  // Rows and order from the controls' places; every band grew to the left, and those that would
  // start left of the bar are pushed right.
  EXPECT_EQ(Wide->Bands(0).Control, A);
  EXPECT_EQ(Wide->Bands(1).Control, B);
  EXPECT_EQ(Wide->Bands(2).Control, C);
  EXPECT_TRUE(Wide->Bands(2).Break);
  EXPECT_EQ(Pos(A), TPoint(20, 2));
  EXPECT_EQ(Pos(B), TPoint(100, 2));
  EXPECT_EQ(Pos(C), TPoint(20, 28));
  for (Integer I = 0; I < 3; ++I) EXPECT_EQ(Wide->Bands(I).Insets, Rect(20, 2, 2, 2));
  // A move in progress ends first.
  const HWND Wnd = Wide->Handle();
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 10));
  SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, Point(25, 10));
  ASSERT_EQ(Wide->MovingControl(), A);
  Wide->RebuildBands();
  EXPECT_EQ(Wide->MovingControl(), nullptr);
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(25, 10));
  EXPECT_EQ(Wide->BandCount(), 3);
  EXPECT_EQ(Pos(A), TPoint(40, 2));
}

class ControlBarPaintTest : public ControlBarTest {
 protected:
  static constexpr TColor Back = 0x00406080;
  void SetUp() override {
    ControlBarTest::SetUp();
    Bar->SetColor(Back);
    A = AddControl(Bounds(0, 0, 50, 22));    // band (0, 0, 63, 26)
    B = AddControl(Bounds(100, 0, 60, 22));  // band (89, 0, 162, 26)
  }
  void Print(Capture& Into) { ASSERT_TRUE(PrintWindow(Bar->Handle(), Into.DC(), PW_CLIENTONLY)); }
  // The classic grabber of a band at Left: two raised lines from x Left + 3 and Left + 6, rows
  // 2 to 22 (the band is 26 high).
  static void ExpectGrabber(const Capture& Shot, int Left, bool Shown) {
    const uint32_t Light = DibColor(clBtnHighlight), Dark = DibColor(clBtnShadow), Fill = DibColor(Back);
    for (int Line : {Left + 3, Left + 6}) {
      SCOPED_TRACE(testing::Message() << "grip line at x " << Line);
      EXPECT_EQ(Shot.At(Line, 1), Fill);
      EXPECT_EQ(Shot.At(Line, 2), Shown ? Light : Fill);
      EXPECT_EQ(Shot.At(Line, 12), Shown ? Light : Fill);
      EXPECT_EQ(Shot.At(Line, 22), Shown ? Dark : Fill);  // the line's bottom edge
      EXPECT_EQ(Shot.At(Line + 1, 2), Shown ? Dark : Fill);
      EXPECT_EQ(Shot.At(Line + 1, 12), Shown ? Dark : Fill);
      EXPECT_EQ(Shot.At(Line, 23), Fill);
    }
    EXPECT_EQ(Shot.At(Left + 5, 12), Fill);
    EXPECT_EQ(Shot.At(Left + 8, 12), Fill);
  }
  TControl* A = nullptr;
  TControl* B = nullptr;
};

TEST_F(ControlBarPaintTest, ClassicBandsHaveARaisedFrameAndTwoGripLines) {
  Capture Shot(300, 26);
  Print(Shot);
  const uint32_t Light = DibColor(clBtnHighlight), Dark = DibColor(clBtnShadow), Fill = DibColor(Back);
  ExpectGrabber(Shot, 0, true);
  ExpectGrabber(Shot, 89, true);
  for (int Left : {0, 89}) {
    const int Right = Left + (Left == 0 ? 63 : 73);
    SCOPED_TRACE(testing::Message() << "band at x " << Left);
    EXPECT_EQ(Shot.At(Left, 12), Light);
    EXPECT_EQ(Shot.At(Left + 20, 0), Light);
    EXPECT_EQ(Shot.At(Right - 1, 12), Dark);
    EXPECT_EQ(Shot.At(Left + 20, 25), Dark);
    EXPECT_EQ(Shot.At(Left + 1, 12), Fill);
  }
  EXPECT_EQ(Shot.At(75, 12), Fill);   // between the bands
  EXPECT_EQ(Shot.At(250, 12), Fill);  // right of the last
}

TEST_F(ControlBarPaintTest, OnBandPaintMayMoveTheBandAndDropItsParts) {
  std::map<TControl*, TRect> Rects;
  int Entries = 0;
  Bar->OnBandPaint = [&](TObject* Sender, TControl* Control, TCanvas& Canvas, TRect& R, TBandPaintOptions& Options) {
    EXPECT_EQ(Sender, Bar);
    EXPECT_EQ(&Canvas, Bar->Canvas());
    if (Options == TBandPaintOptions{TBandPaintOption::bpoGrabber, TBandPaintOption::bpoFrame}) ++Entries;
    Rects[Control] = R;
    if (Control == B) Options.Exclude(TBandPaintOption::bpoGrabber);
    if (Control == A) Options.Exclude(TBandPaintOption::bpoFrame);
  };
  bool Painted = false;
  Bar->OnPaint = [&](TObject*) { Painted = Entries == 0; };  // after the background, before the bands
  Capture Shot(300, 26);
  Print(Shot);
  EXPECT_TRUE(Painted);
  EXPECT_EQ(Entries, 2);
  EXPECT_EQ(Rects[A], Rect(0, 0, 63, 26));
  EXPECT_EQ(Rects[B], Rect(89, 0, 162, 26));
  ExpectGrabber(Shot, 0, true);
  ExpectGrabber(Shot, 89, false);
  EXPECT_EQ(Shot.At(0, 12), DibColor(Back));             // A without its frame
  EXPECT_EQ(Shot.At(89, 12), DibColor(clBtnHighlight));  // B keeps its frame
}

TEST_F(ControlBarTest, StoredPropertiesReadBackAsWritten) {
  TControlBar Source;
  EXPECT_EQ(Source.BoundsRect(), Bounds(0, 0, 100, 50));
  EXPECT_TRUE(Source.AutoSize() && Source.AutoDrag() && Source.AutoDock() && !Source.RowSnap());
  EXPECT_EQ(Source.RowSize(), 26);
  Source.SetRowSize(30);
  Source.SetRowSnap(true);
  Source.SetAutoSize(false);
  Source.SetAutoDrag(false);
  Source.SetAutoDock(false);
  TMemoryStream Stream;
  WriteComponent(Stream, Source);
  Stream.SetPosition(0);
  TControlBar Read;
  ReadComponent(Stream, Read);
  EXPECT_EQ(Read.RowSize(), 30);
  EXPECT_TRUE(Read.RowSnap());
  // Switched off, AutoSize must not come back on from the constructor.
  EXPECT_FALSE(Read.AutoSize());
  EXPECT_FALSE(Read.AutoDrag());
  EXPECT_FALSE(Read.AutoDock());
  RegisterUiClasses();
  EXPECT_EQ(FindClass("TControlBar"), &TControlBar::StaticClassInfo());
}

}  // namespace
