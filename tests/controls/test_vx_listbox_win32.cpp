// The skinned list box on a real window: the item list and its per-item flags, selection by mouse
// and keys (anchor, Shift ranges, Ctrl toggles), three-state check boxes, scrolling by wheel and
// keys, the scroll bar's visibility, height snapping, owner drawing that touches only the shown
// items, the separator, classic and skinned painting, and form files.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "vexel/controls/vx_listbox.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_engine.h"

namespace {

constexpr Integer Row = 16, Frame = 2;

// Holds Shift and Ctrl down, as the keyboard state the list reads, for a scope.
class THeldKeys {
 public:
  THeldKeys(bool Shift, bool Ctrl) {
    GetKeyboardState(FSaved);
    BYTE Keys[256];
    GetKeyboardState(Keys);
    Keys[VK_SHIFT] = Shift ? 0x80 : 0;
    Keys[VK_CONTROL] = Ctrl ? 0x80 : 0;
    SetKeyboardState(Keys);
  }
  ~THeldKeys() { SetKeyboardState(FSaved); }
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;

 private:
  BYTE FSaved[256];
};

class ListBoxTest : public ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    List = Add<TVxListBox>(Shown, Bounds(10, 10, 200, 2 * Frame + 10 * Row));
    List->HandleNeeded();
  }
  void Fill(Integer N) {
    List->Items().BeginUpdate();
    for (Integer I = 0; I < N; ++I) List->Items().Add("Item " + std::to_string(I));
    List->Items().EndUpdate();
  }
  // The middle of shown item I's row (one list, not scrolled unless Top says so).
  TPoint RowPoint(Integer I, Integer Top = 0) { return TPoint{40, Frame + (I - Top) * Row + Row / 2}; }
  void Mouse(UINT Msg, TPoint P, WPARAM Keys = 0) { SendMessageA(List->Handle(), Msg, Keys, MAKELPARAM(P.X, P.Y)); }
  void Click(Integer I, WPARAM Keys = 0) {
    Mouse(WM_LBUTTONDOWN, RowPoint(I, List->TopIndex()), Keys | MK_LBUTTON);
    Mouse(WM_LBUTTONUP, RowPoint(I, List->TopIndex()), Keys);
  }
  void Key(WPARAM K, bool Shift = false, bool Ctrl = false) {
    THeldKeys Held(Shift, Ctrl);
    SendMessageA(List->Handle(), WM_KEYDOWN, K, 0);
  }
  std::vector<Integer> SelectedItems() {
    std::vector<Integer> Result;
    for (Integer I = 0; I < List->Items().Count(); ++I)
      if (List->Selected(I)) Result.push_back(I);
    return Result;
  }
  TVxListBox* List = nullptr;
};

TEST_F(ListBoxTest, TheItemsKeepTheirFlagsThroughDeleteInsertAndExchange) {
  EXPECT_EQ(List->ItemIndex(), -1) << "an empty list";
  List->Items().Add("a");
  EXPECT_EQ(List->ItemIndex(), 0) << "the first item";
  List->Items().Add("b");
  List->Items().Add("c");
  List->SetCheckState(1, 1);
  List->SetCheckState(2, 2);
  List->SetItemEnabled(2, false);
  List->Items().Delete(0);
  EXPECT_EQ(List->CheckState(0), 1) << "checks shift down with the strings";
  EXPECT_EQ(List->CheckState(1), 2);
  EXPECT_FALSE(List->ItemEnabled(1));
  List->Items().Insert(0, "z");
  EXPECT_EQ(List->CheckState(0), 0) << "an inserted item is unchecked and enabled";
  EXPECT_TRUE(List->ItemEnabled(0));
  EXPECT_EQ(List->CheckState(1), 1);
  List->Items().Exchange(0, 2);
  EXPECT_EQ(List->Items().Strings(0), "c");
  EXPECT_EQ(List->CheckState(0), 2);
  EXPECT_EQ(List->CheckState(2), 0);
  EXPECT_EQ(List->Items().Strings(7), "") << "reading outside the list";
  EXPECT_EQ(List->Items().Strings(-1), "");
  List->Items().Delete(9);  // ignored
  EXPECT_EQ(List->Items().Count(), 3);
  List->Items().Clear();
  EXPECT_EQ(List->ItemIndex(), -1);
  // A sorted list keeps the flags with their strings.
  for (const char* S : {"pear", "Apple", "fig"}) List->Items().Add(S);
  List->SetCheckState(0, 1);
  List->SetSorted(true);
  EXPECT_EQ(List->ItemList(), (std::vector<std::string>{"Apple", "fig", "pear"}));
  EXPECT_EQ(List->CheckState(2), 1);
  EXPECT_EQ(List->Items().Add("banana"), 1);
}

TEST_F(ListBoxTest, AnIndexSetFromCodeIsClampedAndScrolledIntoView) {
  List->SetItemIndex(5);
  EXPECT_EQ(List->ItemIndex(), -1) << "nothing to focus in an empty list";
  Fill(40);
  const struct {
    Integer Set, Index, Top;
  } Cases[] = {{25, 25, 16}, {1000, 39, 30}, {-7, 0, 0}, {12, 12, 3}, {5, 5, 3}};
  for (const auto& C : Cases) {
    List->SetItemIndex(C.Set);
    EXPECT_EQ(List->ItemIndex(), C.Index) << C.Set;
    EXPECT_EQ(List->TopIndex(), C.Top) << C.Set;
    EXPECT_EQ(SelectedItems(), std::vector<Integer>{C.Index}) << "a single-select list selects the focused item";
  }
}

TEST_F(ListBoxTest, SelectionFollowsClicksAndKeysWithTheAnchor) {
  Fill(20);
  struct TStep {
    const char* What;
    std::function<void()> Act;
    Integer Index;
    std::vector<Integer> Selected;
  };
  const auto Run = [&](bool Multi, const std::vector<TStep>& Steps) {
    List->SetMultiSelect(Multi);
    for (const TStep& S : Steps) {
      S.Act();
      EXPECT_EQ(List->ItemIndex(), S.Index) << S.What;
      EXPECT_EQ(SelectedItems(), S.Selected) << S.What;
      EXPECT_EQ(List->SelCount(), Integer(S.Selected.size())) << S.What;
    }
  };
  Run(false, {
                 {"click", [&] { Click(3); }, 3, {3}},
                 {"Shift+Down is a plain step in a single list", [&] { Key(VK_DOWN, true); }, 4, {4}},
                 {"Ctrl+click only moves", [&] { Click(7, MK_CONTROL); }, 7, {7}},
                 {"Up", [&] { Key(VK_UP); }, 6, {6}},
             });
  Run(true, {
                {"click sets the anchor", [&] { Click(2); }, 2, {2}},
                {"Shift+Down extends", [&] { Key(VK_DOWN, true); }, 3, {2, 3}},
                {"and again", [&] { Key(VK_DOWN, true); }, 4, {2, 3, 4}},
                {"Shift+Up shrinks back", [&] { Key(VK_UP, true); }, 3, {2, 3}},
                {"Ctrl+click adds", [&] { Click(8, MK_CONTROL); }, 8, {2, 3, 8}},
                {"Ctrl+click removes", [&] { Click(2, MK_CONTROL); }, 2, {3, 8}},
                {"Shift+Down after Ctrl ranges from the focus", [&] { Key(VK_DOWN, true); }, 3, {2, 3}},
                {"Shift+click ranges from the anchor", [&] { Click(6, MK_SHIFT); }, 6, {2, 3, 4, 5, 6}},
                {"a plain key starts over", [&] { Key(VK_DOWN); }, 7, {7}},
                {"Shift+End", [&] { Key(VK_END, true); }, 19, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
                {"Home", [&] { Key(VK_HOME); }, 0, {0}},
            });
}

TEST_F(ListBoxTest, CheckBoxesCycleThroughTheirStates) {
  Fill(3);
  List->SetShowCheckBoxes(true);
  // The 13 x 13 box is centred in the 15-pixel strip at the left of the row.
  const auto ClickCheck = [&](Integer I) {
    const TPoint P{Frame + 7, Frame + I * Row + Row / 2};
    Mouse(WM_LBUTTONDOWN, P, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, P);
  };
  const struct {
    bool Grayed;
    std::vector<Byte> Cycle;
  } Cases[] = {{false, {1, 0, 1}}, {true, {1, 2, 0, 1, 2}}};
  for (const auto& C : Cases) {
    List->SetCheckState(0, 0);
    List->SetAllowGrayed(C.Grayed);
    for (size_t K = 0; K < C.Cycle.size(); ++K) {
      ClickCheck(0);
      EXPECT_EQ(List->CheckState(0), C.Cycle[K]) << "AllowGrayed " << C.Grayed << ", click " << K + 1;
    }
  }
  EXPECT_EQ(List->ItemIndex(), 0) << "a click on a check box focuses its item";
  // The keys toggle the focused item; a disabled item keeps its state.
  List->SetItemIndex(1);
  Key(VK_SPACE);
  EXPECT_EQ(List->CheckState(1), 1);
  Key(VK_RETURN);
  EXPECT_EQ(List->CheckState(1), 2);
  List->SetItemEnabled(2, false);
  ClickCheck(2);
  EXPECT_EQ(List->CheckState(2), 0);
  // Turning AllowGrayed off makes every grayed item checked.
  List->SetCheckState(2, 2);
  List->SetAllowGrayed(false);
  EXPECT_EQ(List->CheckState(0), 1);
  EXPECT_EQ(List->CheckState(1), 1);
  EXPECT_EQ(List->CheckState(2), 1);
  // A click on the item beside the box does not toggle.
  Click(1);
  EXPECT_EQ(List->CheckState(1), 1);
}

TEST_F(ListBoxTest, WheelAndKeysScrollWithinTheRange) {
  Fill(100);
  UINT Lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  ASSERT_GT(Lines, 0u);
  ASSERT_LT(Lines, 10u);
  const auto Wheel = [&](int Delta) {
    POINT P{40, 40};
    ClientToScreen(List->Handle(), &P);
    SendMessageA(List->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, Delta), MAKELPARAM(P.x, P.y));
  };
  Wheel(-120);
  EXPECT_EQ(List->TopIndex(), Integer(Lines));
  Wheel(120);
  Wheel(120);
  EXPECT_EQ(List->TopIndex(), 0) << "not above the first item";
  for (int I = 0; I < 50; ++I) Wheel(-120);
  EXPECT_EQ(List->TopIndex(), 90) << "the last page stays full";
  EXPECT_EQ(List->ItemIndex(), 0) << "the wheel does not move the focus";
  const struct {
    WPARAM Key;
    Integer Index, Top;
  } Steps[] = {{VK_HOME, 0, 0},    {VK_NEXT, 9, 0},  {VK_NEXT, 18, 9},   {VK_DOWN, 19, 10},
               {VK_PRIOR, 10, 10}, {VK_END, 99, 90}, {VK_PRIOR, 90, 90}, {VK_UP, 89, 89}};
  int Clicks = 0;
  List->OnClick = [&](TObject*) { ++Clicks; };
  for (const auto& S : Steps) {
    Key(S.Key);
    EXPECT_EQ(List->ItemIndex(), S.Index) << S.Key;
    EXPECT_EQ(List->TopIndex(), S.Top) << S.Key;
    EXPECT_EQ(List->FirstShown(), S.Top);
    EXPECT_EQ(List->LastShown(), S.Top + 9);
  }
  EXPECT_EQ(Clicks, 7) << "every key that moved the focus clicks; Home on the first item does not";
  List->SetClickOnKey(false);
  Key(VK_DOWN);
  EXPECT_EQ(Clicks, 7);
}

TEST_F(ListBoxTest, TheScrollBarShowsOnlyWhenTheItemsDoNotFit) {
  TVxScrollBar* Bar = List->ScrollBar();
  const struct {
    Integer Items;
    bool Always, Visible, Enabled;
  } Cases[] = {{0, false, false, false},
               {10, false, false, false},
               {11, false, true, true},
               {10, true, true, false},
               {200, true, true, true}};
  for (const auto& C : Cases) {
    List->Items().Clear();
    Fill(C.Items);
    List->SetAlwaysShowScrlBar(C.Always);
    EXPECT_EQ(Bar->Visible(), C.Visible) << C.Items << " items, always " << C.Always;
    EXPECT_EQ(Bar->Enabled(), C.Enabled) << C.Items << " items, always " << C.Always;
    // The items give way to a shown bar.
    EXPECT_EQ(List->ItemWidth(), 200 - 2 * Frame - (C.Visible ? Bar->Width() : 0)) << C.Items;
  }
  // Inside an update the layout waits for its end.
  List->SetAlwaysShowScrlBar(false);
  List->Items().Clear();
  List->Items().BeginUpdate();
  for (int I = 0; I < 30; ++I) List->Items().Add("x");
  EXPECT_FALSE(Bar->Visible());
  List->Items().EndUpdate();
  EXPECT_TRUE(Bar->Visible());
  EXPECT_EQ(Bar->Max(), 29);
  EXPECT_EQ(Bar->PageSize(), 10);
}

TEST_F(ListBoxTest, TheHeightSnapsToWholeItems) {
  const struct { Integer Asked, Got; } Cases[] = {{97, 84}, {84, 84}, {99, 84}, {100, 100}, {10, 4}};
  for (const auto& C : Cases) {
    List->SetBounds(10, 10, 121, C.Asked);
    EXPECT_EQ(List->Height(), C.Got) << C.Asked;
  }
  // Not with variable heights or word wrap.
  List->SetWordWrap(true);
  List->SetBounds(10, 10, 121, 97);
  EXPECT_EQ(List->Height(), 97);
}

TEST_F(ListBoxTest, OwnerDrawingPaintsOnlyTheShownItems) {
  List->SetListStyle(TVxListBoxStyle::lbOwnerDrawFixed);
  Fill(10000);
  std::vector<std::pair<Integer, uint32_t>> Drawn;
  std::vector<TRect> Rects;
  List->OnDrawItem = [&](TWinControl*, Integer I, const TRect& R, uint32_t State) {
    Drawn.emplace_back(I, State);
    Rects.push_back(R);
  };
  List->SetItemIndex(5000);
  Drawn.clear();
  Rects.clear();
  List->Repaint();
  ASSERT_EQ(Drawn.size(), 10u) << "ten rows show";
  EXPECT_EQ(Drawn.front().first, 4991);
  EXPECT_EQ(Drawn.back().first, 5000);
  EXPECT_EQ(Drawn.back().second, vxodSelected);
  EXPECT_EQ(Rects.back(), Rect(Frame + 2, Frame + 9 * Row, 200 - Frame - List->ScrollBar()->Width(), Frame + 10 * Row));
  // Variable heights: each item measured, the walk stops below the list.
  List->SetListStyle(TVxListBoxStyle::lbOwnerDrawVariable);
  List->OnMeasureItem = [](TWinControl*, Integer I, Integer& H) { H = I % 2 ? 40 : 20; };
  List->SetItemIndex(0);
  Drawn.clear();
  List->Repaint();
  ASSERT_EQ(Drawn.size(), 6u) << "20 + 40 + 20 + 40 + 20 fit 160; the sixth shows in part";
  EXPECT_EQ(List->LastShown(), 4);
  EXPECT_EQ(List->GetItemTop(3), Frame + 80);
  EXPECT_EQ(List->ScrollBar()->Max(), 9995) << "the last items 9995..9999 fill 160 pixels";
  Key(VK_END);
  EXPECT_EQ(List->TopIndex(), 9995);
  // The hot item under the pointer is flagged.
  List->SetItemIndex(9996);
  Mouse(WM_MOUSEMOVE, TPoint{40, Frame + 25});
  EXPECT_EQ(List->HotItem(), 9995);
  Drawn.clear();
  List->Repaint();
  ASSERT_FALSE(Drawn.empty());
  EXPECT_EQ(Drawn.front(), (std::pair<Integer, uint32_t>{9995, vxodHot}));
}

TEST_F(ListBoxTest, ClassicPaintingShowsTheSelectionAndTheSeparator) {
  List->SetItems({"alpha", "-", "beta"});
  List->SetItemIndex(2);
  Settle();
  Capture Shot(200, 164);
  PrintClient(List, Shot);
  const Integer Mid = Frame + Row + Row / 2;
  EXPECT_EQ(Shot.At(100, Mid), PixelOf(clWindowText)) << "the separator line";
  EXPECT_EQ(Shot.At(100, Mid - 2), PixelOf(clWindow));
  EXPECT_EQ(Shot.At(Frame + 2 + 1, Mid), PixelOf(clWindow)) << "three pixels in from the item's left";
  EXPECT_EQ(Shot.At(150, Frame + 2 * Row + 4), PixelOf(clHighlight)) << "the selected item";
  EXPECT_EQ(Shot.At(150, Frame + 4), PixelOf(clWindow)) << "an unselected item";
  EXPECT_EQ(Shot.At(150, Frame + 5 * Row), PixelOf(clWindow)) << "below the items";
}

TEST_F(ListBoxTest, ThroughTheSkinTheItemsAreTheThemes) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsListBoxDefined(0, "default"));
  List->SetItems({"", "", ""});
  List->SetItemIndex(1);
  Settle();
  Capture Shot(200, 164), Reference(200, 164);
  PrintClient(List, Shot);
  TCanvas Canvas(Reference.DC());
  Theme->DrawListBox(0, Canvas, "default", Rect(0, 0, 200, 164));
  TvxStateInfo Info;
  Info.Rect = Rect(Frame, Frame + Row, 200 - Frame, Frame + 2 * Row);
  Info.State = 2;
  Theme->DrawListBoxItem(0, Canvas, "default", Info);
  int Different = 0;
  for (Integer Y = Frame; Y < Frame + 3 * Row; ++Y)
    for (Integer X = Frame; X < 200 - Frame; ++X) Different += Shot.At(X, Y) != Reference.At(X, Y);
  EXPECT_EQ(Different, 0);
  // The selected row differs from the normal ones: the theme draws the state.
  EXPECT_NE(Shot.At(100, Frame + Row + Row / 2), Shot.At(100, Frame + Row / 2));
}

TEST_F(ListBoxTest, ThroughTheSkinTheCheckBoxesAreTheThemesInTheirStates) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  List->SetItems({"", "", ""});
  List->SetShowCheckBoxes(true);
  List->SetAllowGrayed(true);
  // Ours 0 unchecked, 1 checked, 2 grayed; the theme's 1, 0 and 2.
  List->SetCheckState(0, 1);
  List->SetCheckState(1, 2);
  Settle();
  Capture Shot(200, 164);
  PrintClient(List, Shot);
  const Byte ThemeValue[] = {0, 2, 1};
  std::vector<uint32_t> Looks;
  for (Integer I = 0; I < 3; ++I) {
    const TRect Box = Rect(Frame + 1, Frame + I * Row + 1, Frame + 14, Frame + I * Row + 14);
    Capture Reference(200, 164);
    TCanvas Canvas(Reference.DC());
    Theme->DrawListBox(0, Canvas, "default", Rect(0, 0, 200, 164));
    TvxCheckGlyphInfo Glyph;
    Glyph.Rect = Box;
    Glyph.CheckState = ThemeValue[I];
    Theme->DrawListBoxCheck(0, Canvas, "default", Glyph, TvxStateInfo{});
    int Different = 0;
    for (Integer Y = Box.Top; Y < Box.Bottom; ++Y)
      for (Integer X = Box.Left; X < Box.Right; ++X) Different += Shot.At(X, Y) != Reference.At(X, Y);
    EXPECT_EQ(Different, 0) << "item " << I;
    uint32_t Sum = 0;
    for (Integer Y = Box.Top; Y < Box.Bottom; ++Y)
      for (Integer X = Box.Left; X < Box.Right; ++X) Sum = Sum * 31 + Shot.At(X, Y);
    Looks.push_back(Sum);
  }
  EXPECT_NE(Looks[0], Looks[1]) << "checked and grayed differ";
  EXPECT_NE(Looks[0], Looks[2]) << "checked and unchecked differ";
}

TEST_F(ListBoxTest, ColumnsFlowTheItemsAndScrollSideways) {
  List->SetColumns(2);
  Fill(45);
  // 160 pixels less the bar's height hold 9 rows: 5 columns, 2 shown.
  const Integer Rows = (10 * Row - List->ScrollBar()->Height()) / Row;
  TVxScrollBar* Bar = List->ScrollBar();
  EXPECT_EQ(Bar->Orientation(), TVxScrollOrientation::ksoHorizontal);
  EXPECT_TRUE(Bar->Visible());
  EXPECT_EQ(Bar->Max(), (45 + Rows - 1) / Rows - 1);
  EXPECT_EQ(List->ItemAtPos(Frame + 98 + 10, Frame + 3), Rows) << "the second column starts with item Rows";
  List->SetItemIndex(44);
  EXPECT_EQ(List->TopIndex(), Bar->Max() - 1) << "the last column shows at the right";
}

TEST_F(ListBoxTest, FormFilesKeepTheItemsAndSettings) {
  EXPECT_NE(FindClass("TVxListBox"), nullptr) << "registered when the program starts";
  TVxListBox Source;
  Source.SetItems({"one", "two", "three"});
  Source.SetMultiSelect(true);
  Source.SetShowCheckBoxes(true);
  Source.SetColumns(2);
  Source.SetItemHeight(20);
  Source.SetListStyle(TVxListBoxStyle::lbOwnerDrawFixed);
  RoundTrip<TVxListBox>(Source, {"'two'", "MultiSelect = True", "ItemHeight = 20", "ListStyle = lbOwnerDrawFixed"},
                        [](TVxListBox& Read) {
                          EXPECT_EQ(Read.ItemList(), (std::vector<std::string>{"one", "two", "three"}));
                          EXPECT_EQ(Read.ItemIndex(), 0);
                          EXPECT_TRUE(Read.MultiSelect());
                          EXPECT_TRUE(Read.ShowCheckBoxes());
                          EXPECT_EQ(Read.Columns(), 2);
                          EXPECT_EQ(Read.ItemHeight(), 20);
                          EXPECT_EQ(Read.ListStyle(), TVxListBoxStyle::lbOwnerDrawFixed);
                          EXPECT_EQ(Read.BevelKind(), TVxBevelKind::kbkSingle);
                        });
  // A colour list is filled again when read: the file holds the names only.
  TVxListBox Colors;
  Colors.SetListStyle(TVxListBoxStyle::lbColorNames);
  ASSERT_GT(Colors.Items().Count(), 20);
  EXPECT_EQ(Colors.ItemHeight(), 18);
  RoundTrip<TVxListBox>(Colors, {"lbColorNames"}, [&](TVxListBox& Read) {
    EXPECT_EQ(Read.ItemList(), Colors.ItemList());
    EXPECT_EQ(Read.Items().Objects(0), Colors.Items().Objects(0));
  });
}

TEST_F(ListBoxTest, FontListsCarryTheFamilyTypeAndFilter) {
  List->SetListStyle(TVxListBoxStyle::lbFonts);
  const Integer All = List->Items().Count();
  ASSERT_GT(All, 0);
  EXPECT_EQ(List->ItemHeight(), 18);
  for (Integer I = 1; I < All; ++I)
    EXPECT_LE(_stricmp(List->Items().Strings(I - 1).c_str(), List->Items().Strings(I).c_str()), 0) << "sorted";
  List->SetFontType(TVxFontType::ftTrueType);
  for (Integer I = 0; I < List->Items().Count(); ++I)
    EXPECT_TRUE(List->Items().Objects(I) & TRUETYPE_FONTTYPE) << List->Items().Strings(I);
  EXPECT_LE(List->Items().Count(), All);
  // A TrueType family shows the mark: some pixel of the 18-pixel box is not the window colour.
  List->SetItemIndex(0);
  List->SetColor(clWhite);
  Settle();
  Capture Shot(200, 164);
  PrintClient(List, Shot);
  int Marked = 0, Key = 0;
  for (Integer Y = Frame + 18 + 3; Y < Frame + 18 + 15; ++Y)
    for (Integer X = Frame + 2 + 3; X < Frame + 2 + 15; ++X) {
      Marked += Shot.At(X, Y) != PixelOf(clWhite);
      Key += Shot.At(X, Y) == 0xFF00FF;
    }
  EXPECT_GT(Marked, 10);
  EXPECT_EQ(Key, 0) << "the key colour shows the background";
}

TEST_F(ListBoxTest, DraggingSelectsAndScrollsPastTheEdge) {
  Fill(100);
  List->SetMultiSelect(true);
  Mouse(WM_LBUTTONDOWN, RowPoint(2), MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, RowPoint(5), MK_LBUTTON);
  EXPECT_EQ(List->ItemIndex(), 5);
  EXPECT_EQ(SelectedItems(), (std::vector<Integer>{2, 3, 4, 5})) << "a range from the pressed item";
  // Below the list the bar repeats and the focus follows the last shown item.
  Mouse(WM_MOUSEMOVE, TPoint{40, 200}, MK_LBUTTON);
  ASSERT_TRUE(PumpUntil([&] { return List->TopIndex() >= 3; }, 3000));
  EXPECT_EQ(List->ItemIndex(), List->LastShown()) << List->TopIndex();
  const Integer Top = List->TopIndex();
  Mouse(WM_MOUSEMOVE, RowPoint(Top + 4, Top), MK_LBUTTON);
  EXPECT_EQ(List->TopIndex(), Top);
  EXPECT_EQ(List->ItemIndex(), Top + 4);
  EXPECT_EQ(SelectedItems().front(), 2);
  EXPECT_EQ(SelectedItems().back(), Top + 4);
  EXPECT_EQ(List->SelCount(), Top + 3);
  // Back inside the repeat stops.
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(List->TopIndex(), Top);
  Mouse(WM_LBUTTONUP, RowPoint(Top + 4, Top));
}

TEST_F(ListBoxTest, WordWrapGivesEachItemTheHeightOfItsLines) {
  List->SetWordWrap(true);
  List->SetItems({"short", "a long text that wraps over several lines in a narrow list", "short"});
  const Integer One = List->MeasureItem(0), Long = List->MeasureItem(1);
  EXPECT_GT(One, 0);
  EXPECT_GE(Long, 2 * One) << "the long text takes several lines";
  EXPECT_EQ(List->GetItemTop(1), Frame + One);
  EXPECT_EQ(List->GetItemTop(2), Frame + One + Long);
  EXPECT_EQ(List->ScrollBar()->PageSize(), 0) << "variable heights scroll by item";
}

}  // namespace
