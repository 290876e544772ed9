// Menu items, popup views and the tracking loop on real windows. Loops are driven by messages
// posted before they start: keys go to the form (the loop reads every key of the thread), and
// "probes" posted to a helper window run test code inside the loop, in order with the keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

#include "../controls/controls_fixture.h"
#include "menu_probe.h"
#include "framework/core/class_registry.h"
#include "framework/core/classes.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/imagelist.h"
#include "framework/graphics/png_image.h"
#include "framework/ui/object_windows.h"
#include "framework/ui/panel.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_toolbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_effect.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/menus/vx_menus_internal.h"
#include "vexel/menus/vx_popup.h"
#include "vexel/theme/vx_engine.h"

namespace {

const std::string SampleSkin = std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";

TVxItem* AddItem(TVxItem& Parent, const wchar_t* Caption, TShortCut ShortCut = scNone, TComponent* Owner = nullptr) {
  auto* Item = new TVxItem(Owner ? Owner : &Parent);
  Item->SetCaption(Caption);
  Item->SetShortCut(ShortCut);
  Parent.Add(Item);
  return Item;
}

// A list of Count images of Size pixels, each filled with one colour.
std::unique_ptr<TImageList> MakeImages(Integer Size, Integer Count) {
  auto List = std::make_unique<TImageList>();
  List->SetWidth(Size);
  List->SetHeight(Size);
  TBitmap Strip;
  Strip.SetSize(Size * Count, Size);
  for (Integer I = 0; I < Count; ++I) {
    Strip.Canvas().Brush().SetColor(I % 2 ? clBlue : clGreen);
    Strip.Canvas().FillRect(Bounds(I * Size, 0, Size, Size));
  }
  List->Add(&Strip, nullptr);
  return List;
}

Integer MenuTextWidth(const std::wstring& Text) {
  HDC DC = CreateCompatibleDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, MenuFont().Handle());
  SIZE S{};
  GetTextExtentPoint32W(DC, Text.c_str(), int(Text.size()), &S);
  SelectObject(DC, Old);
  DeleteDC(DC);
  return S.cx;
}

// The window's own picture, frame included.
void Shot(HWND Wnd, Capture& Into) { ASSERT_TRUE(PrintWindow(Wnd, Into.DC(), 0)); }

class MenuTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    Shown = new TForm();
    Shown->SetBounds(20, 20, 300, 200);
    Shown->Show();
  }
  static void TearDownTestSuite() {
    delete Shown;
    Shown = nullptr;
  }
  void SetUp() override {
    UiTest::SetUp();
    RemoveCurrentTheme();
    Classic = std::make_unique<TClassicLook>();
    Root = std::make_unique<TVxItem>();
    Watchdog.SetEnabled(true);
    // A pointer left over a popup by an earlier program would make the item under it hot.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  void TearDown() override {
    Root.reset();
    Application->ProcessMessages();
    Classic.reset();
    RemoveCurrentTheme();
    UiTest::TearDown();
  }

  // A key posted while a popup plays its show animation would be handled by the animation's own
  // loop, not the menu's: keys wait for the animation to end, as typed keys stay queued until then.
  void Key(uint16_t Code) {
    Probe.Wait([] { return !AnyAnimating(); });
    Probe.Post([Code] { PostMessageA(Shown->Handle(), WM_KEYDOWN, Code, 0); });
  }
  void Char(char C) {
    Probe.Wait([] { return !AnyAnimating(); });
    Probe.Post([C] { PostMessageA(Shown->Handle(), WM_CHAR, WPARAM(uint8_t(C)), 0); });
  }
  // A mouse message at the centre of Item, to the innermost popup (the capture window).
  void MouseAt(UINT Msg, TVxItem* Item) {
    Probe.Post([this, Msg, Item] {
      TVxPopupView* View = Innermost();
      ASSERT_NE(View, nullptr);
      const TRect R = Item->ItemRect();
      const TPoint S = Item->Parent() == View->RootItem()
                           ? View->ViewToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2})
                           : OuterScreenCentre(Item);
      POINT P{S.X, S.Y};
      ScreenToClient(View->MessageWindow(), &P);
      PostMessageA(View->MessageWindow(), Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(P.x, P.y));
    });
  }
  static TPoint OuterScreenCentre(TVxItem* Item) {
    for (TVxPopupWindow* W : ShownPopups())
      if (W->View()->RootItem() == Item->Parent()) {
        const TRect R = Item->ItemRect();
        return W->View()->ViewToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
      }
    return {-1000, -1000};
  }
  // Runs Check inside the loop, against the innermost view.
  void Expect(std::function<void(TVxPopupView&)> Check, int Line = __builtin_LINE()) {
    Probe.Post([Check, Line] {
      SCOPED_TRACE(testing::Message() << "step at line " << Line);
      TVxPopupView* View = Innermost();
      ASSERT_NE(View, nullptr) << "no popup is open";
      Check(*View);
    });
  }
  bool Open(Integer X = 60, Integer Y = 60) { return Root->Popup(nullptr, X, Y, {}); }

  static TForm* Shown;
  std::unique_ptr<TClassicLook> Classic;
  std::unique_ptr<TVxItem> Root;
  TProbe Probe;
};

TForm* MenuTest::Shown = nullptr;

// [Items] ----------------------------------------------------------------------------------------

TEST_F(MenuTest, InsertingAnItemThatHasAParentIsRefusedAndChangesReachItemAndRoot) {
  TVxItem* File = AddItem(*Root, L"&File");
  TVxItem* Open = AddItem(*File, L"&Open");
  TVxItem Other;
  try {
    Other.Add(Open);
    FAIL() << "no error";
  } catch (const EZqItemError& E) {
    EXPECT_STREQ(E.what(), "Toolbar item already inserted");
  }
  EXPECT_EQ(Open->Parent(), File);
  EXPECT_THROW(Open->Add(Root.get()), EZqItemError);

  std::vector<std::string> Heard;
  File->OnChange = [&](TObject*) { Heard.push_back("item"); };
  Root->OnChange = [&](TObject*) { Heard.push_back("root"); };
  File->SetCaption(L"F&ile");
  EXPECT_EQ(Heard, (std::vector<std::string>{"item", "root"}));
  Heard.clear();
  File->Remove(Open);
  EXPECT_EQ(Heard, (std::vector<std::string>{"item", "root"}));
  EXPECT_EQ(Open->Parent(), nullptr);
  EXPECT_EQ(Open->MenuIndex(), -1);
  delete Open;
  // Freeing an item takes it out of its parent.
  TVxItem* Save = AddItem(*File, L"&Save");
  delete Save;
  EXPECT_EQ(File->Count(), 0);
}

TEST_F(MenuTest, AcceleratorsAndShortcutsAreFound) {
  TVxItem* File = AddItem(*Root, L"&File");
  TVxItem* Edit = AddItem(*Root, L"Ed&it");
  AddItem(*Root, L"Fish && chips");
  TVxItem* Paste = AddItem(*Edit, L"&Paste", scCtrl | 'V');
  const struct {
    wchar_t Key;
    TVxItem* Expected;
  } Cases[] = {{L'f', File}, {L'F', File}, {L'I', Edit}, {L'c', nullptr}, {L'x', nullptr}};
  for (const auto& C : Cases) EXPECT_EQ(Root->FindAccelerator(C.Key), C.Expected) << char(C.Key);
  EXPECT_EQ(Root->FindShortCut(scCtrl | 'V'), Paste);
  EXPECT_EQ(Root->FindShortCut('V'), nullptr);
  EXPECT_EQ(StripAccelerator(L"Fish && &chips"), L"Fish & chips");
}

// [Measuring and layout] -------------------------------------------------------------------------

TEST_F(MenuTest, PopupItemsMeasureByTheirCaptionImagesAndShortcut) {
  const Integer H0 = MenuItemHeight();
  auto Small = MakeImages(16, 2);
  auto Large = MakeImages(H0 + 10, 2);
  const std::wstring ShortCut = ShortCutText(scCtrl | 'O');
  const struct {
    const char* Name;
    const wchar_t* Caption;
    TCustomImageList* Images;
    TShortCut Key;
    Integer Width, Height;
  } Cases[] = {
      {"separator", L"-", nullptr, scNone, MenuTextWidth(L"-") + 22 + 42, 15},
      {"plain", L"&Open", nullptr, scNone, MenuTextWidth(L"Open") + 22 + 42, H0},
      {"with shortcut", L"&Open", nullptr, scCtrl | 'O', MenuTextWidth(L"Open") + 22 + 42 + MenuTextWidth(ShortCut),
       H0},
      {"small images", L"Open", Small.get(), scNone, MenuTextWidth(L"Open") + 22 + 42, std::max(H0, 16 + 4)},
      {"images wider than the row", L"Open", Large.get(), scNone, MenuTextWidth(L"Open") + H0 + 10 + 6 + 42,
       H0 + 10 + 4},
  };
  for (const auto& C : Cases) {
    TVxItem R;
    R.SetImages(C.Images);
    TVxItem* Item = AddItem(R, C.Caption, C.Key);
    Item->SetImageIndex(C.Images ? 0 : -1);
    TVxPopupWindow Window(nullptr, &R, nullptr);
    const TSize S = Item->Measure(*Window.View()->Canvas(), *Window.View());
    EXPECT_EQ(S.cx, C.Width) << C.Name;
    EXPECT_EQ(S.cy, C.Height) << C.Name;
  }
}

TEST_F(MenuTest, AVerticalViewStacksItemsAtTheWidestWidth) {
  TVxItem* A = AddItem(*Root, L"A");
  TVxItem* Wide = AddItem(*Root, L"A much longer caption");
  TVxItem* Hidden = AddItem(*Root, L"Hidden");
  Hidden->SetVisible(false);
  TVxItem* Line = AddItem(*Root, L"-");
  TVxItem* B = AddItem(*Root, L"B");
  TVxPopupWindow Window(nullptr, Root.get(), nullptr);
  TVxPopupView& View = *Window.View();
  View.Layout();
  const TPoint O = View.Origin();
  EXPECT_EQ(O, (TPoint{3, 3}));
  const Integer H0 = MenuItemHeight();
  const Integer W = Wide->Measure(*View.Canvas(), View).cx;
  EXPECT_EQ(A->ItemRect(), Bounds(O.X, O.Y, W, H0));
  EXPECT_EQ(Wide->ItemRect(), Bounds(O.X, O.Y + H0, W, H0));
  EXPECT_TRUE(Hidden->ItemRect().IsEmpty());
  EXPECT_EQ(Line->ItemRect(), Bounds(O.X, O.Y + 2 * H0, W, 15));
  EXPECT_EQ(B->ItemRect(), Bounds(O.X, O.Y + 2 * H0 + 15, W, H0));
  EXPECT_EQ(View.ContentSize(), (TSize{W, 3 * H0 + 15}));
  // The window is the content plus 3 pixels of frame on each side.
  EXPECT_EQ(Window.SizeForContent(), (TSize{W + 6, 3 * H0 + 15 + 6}));
}

TEST_F(MenuTest, AScrolledPopupShowsScrollCountItemsBetweenItsButtons) {
  for (int I = 1; I <= 12; ++I) AddItem(*Root, (L"Item " + std::to_wstring(I)).c_str());
  Root->SetScrolled(true);
  Root->SetScrollCount(5);
  TVxPopupWindow Window(nullptr, Root.get(), nullptr);
  TVxPopupView& View = *Window.View();
  View.Layout();
  const Integer H0 = MenuItemHeight(), W = View.ContentSize().cx;
  EXPECT_EQ(View.ContentSize().cy, 5 * H0 + 20);
  EXPECT_EQ(Root->Items(0)->ItemRect(), Bounds(3, 3 + 10, W, H0));
  EXPECT_EQ(Root->Items(4)->ItemRect(), Bounds(3, 3 + 10 + 4 * H0, W, H0));
  for (int I = 5; I < 12; ++I) EXPECT_TRUE(Root->Items(I)->ItemRect().IsEmpty()) << I;
  EXPECT_EQ(View.ScrollButtonRect(true), Bounds(3, 3, W, 10));
  EXPECT_EQ(View.ScrollButtonRect(false), Bounds(3, 3 + 5 * H0 + 10, W, 10));
}

// [Placement] ------------------------------------------------------------------------------------

TEST(PopupPlacement, PopupsStayOnTheMonitor) {
  const TRect M{0, 0, 1280, 1024};
  const TPoint Off{3, 3};
  const TSize S{100, 200};
  const struct {
    const char* Name;
    TPoint At;
    TRect Anchor;
    TVxPopupAnchor Kind;
    TRect Expected;
  } Cases[] = {
      {"at a point", {50, 60}, {}, TVxPopupAnchor::paPoint, Bounds(47, 57, 100, 200)},
      {"bottom-right corner opens up and left", {1270, 1000}, {}, TVxPopupAnchor::paPoint, Bounds(1170, 800, 100, 200)},
      {"submenu to the right", {400, 300}, {300, 300, 400, 320}, TVxPopupAnchor::paBeside, Bounds(397, 297, 100, 200)},
      {"submenu without room on the right opens left",
       {1250, 300},
       {1100, 300, 1250, 320},
       TVxPopupAnchor::paBeside,
       Bounds(1000, 297, 100, 200)},
      {"submenu without room below ends at the item's bottom",
       {400, 900},
       {300, 900, 400, 920},
       TVxPopupAnchor::paBeside,
       Bounds(397, 720, 100, 200)},
      {"below a bar item", {10, 20}, {10, 0, 50, 20}, TVxPopupAnchor::paBelow, Bounds(7, 17, 100, 200)},
      {"bar item without room below opens above",
       {10, 1000},
       {10, 980, 50, 1000},
       TVxPopupAnchor::paBelow,
       Bounds(7, 780, 100, 200)},
      {"never off the top-left", {20, 30}, {}, TVxPopupAnchor::paPoint, Bounds(17, 27, 100, 200)},
  };
  for (const auto& C : Cases) EXPECT_EQ(PlacePopup(M, C.At, Off, S, C.Anchor, C.Kind), C.Expected) << C.Name;
  // Taller than the screen: the top stays visible.
  EXPECT_EQ(PlacePopup(M, {5, 5}, Off, {100, 2000}, {}, TVxPopupAnchor::paPoint).Top, 0);
}

// [Keyboard] -------------------------------------------------------------------------------------

TEST_F(MenuTest, ArrowsWrapAndSkipSeparators) {
  TVxItem* Line = AddItem(*Root, L"-");
  TVxItem* A = AddItem(*Root, L"A");
  AddItem(*Root, L"-");
  TVxItem* B = AddItem(*Root, L"B");
  AddItem(*Root, L"-");
  // The first item hot is the first that is not a separator.
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.HotItem(), A); });
  const struct {
    uint16_t Key;
    TVxItem* Hot;
  } Steps[] = {{VK_DOWN, B}, {VK_DOWN, A}, {VK_UP, B}, {VK_UP, A}, {VK_DOWN, B}};
  for (const auto& S : Steps) {
    Key(S.Key);
    Expect([&, Hot = S.Hot](TVxPopupView& V) {
      EXPECT_EQ(V.HotItem(), Hot);
      EXPECT_NE(V.HotItem(), Line);
    });
  }
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
  EXPECT_TRUE(Probe.Empty());
  EXPECT_TRUE(ShownPopups().empty());
}

TEST_F(MenuTest, UpOnTheFirstItemOfAScrolledPopupShowsTheLastItems) {
  std::vector<TVxItem*> Items;
  for (int I = 1; I <= 12; ++I) Items.push_back(AddItem(*Root, (L"Item " + std::to_wstring(I)).c_str()));
  Root->SetScrolled(true);
  Root->SetScrollCount(5);
  Key(VK_UP);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.HotItem(), Items[11]);
    EXPECT_EQ(Root->FirstVisible(), 7);
    // Items 8 to 12 are shown, the first right below the up button.
    EXPECT_EQ(Items[7]->ItemRect().Top, V.Origin().Y + 10);
    for (int I = 0; I < 7; ++I) EXPECT_TRUE(Items[size_t(I)]->ItemRect().IsEmpty()) << I;
    for (int I = 7; I < 12; ++I) EXPECT_FALSE(Items[size_t(I)]->ItemRect().IsEmpty()) << I;
  });
  // Down wraps to the first item and scrolls back to the top.
  Key(VK_DOWN);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.HotItem(), Items[0]);
    EXPECT_EQ(Root->FirstVisible(), 0);
  });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
  EXPECT_TRUE(Probe.Empty());
}

TEST_F(MenuTest, HoveringAScrollButtonScrollsEveryTickUntilTheEnd) {
  std::vector<TVxItem*> Items;
  for (int I = 1; I <= 8; ++I) Items.push_back(AddItem(*Root, (L"Item " + std::to_wstring(I)).c_str()));
  Root->SetScrolled(true);
  Root->SetScrollCount(5);
  auto MoveTo = [this](bool Up) {
    Probe.Post([Up] {
      TVxPopupView* V = Innermost();
      ASSERT_NE(V, nullptr);
      const TRect R = V->ScrollButtonRect(Up);
      PostMessageA(V->MessageWindow(), WM_MOUSEMOVE, 0, MAKELPARAM((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    });
  };
  MoveTo(false);
  // Three items lie below the window: the hot item walks down until the last one shows.
  Probe.Wait([] { return Innermost() && Innermost()->ScrollButton() == 2 && Innermost()->HotItem(); });
  Probe.Wait([&] { return Root->FirstVisible() == 3; });
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.HotItem(), Items[7]);
    EXPECT_FALSE(Items[7]->ItemRect().IsEmpty());
    EXPECT_TRUE(Items[2]->ItemRect().IsEmpty());
  });
  // Off the buttons, over an item: scrolling stops.
  MouseAt(WM_MOUSEMOVE, Items[5]);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.ScrollButton(), 0);
    EXPECT_EQ(V.HotItem(), Items[5]);
  });
  MoveTo(true);
  Probe.Wait([&] { return Root->FirstVisible() == 0; });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
  EXPECT_TRUE(Probe.Empty());
}

TEST_F(MenuTest, AnItemFollowsItsActionAndAClickRunsIt) {
  TAction Save;
  Save.SetCaption("&Save");
  Save.SetShortCut(scCtrl | 'S');
  Save.SetHint("Saves");
  int Runs = 0;
  Save.OnExecute = [&](TAction*) { ++Runs; };
  TVxItem* Item = AddItem(*Root, L"");
  Item->SetAction(&Save);
  EXPECT_EQ(Item->Caption(), L"&Save");
  EXPECT_EQ(Item->ShortCut(), scCtrl | 'S');
  EXPECT_EQ(Item->Hint(), "Saves");
  Save.SetEnabled(false);
  EXPECT_FALSE(Item->Enabled());
  Save.SetEnabled(true);
  Key(VK_RETURN);
  EXPECT_TRUE(Open());
  Application->ProcessMessages();
  EXPECT_EQ(Runs, 1);
  // A handler of the item's own runs instead of the action.
  int Own = 0;
  Item->OnClick = [&](TObject*) { ++Own; };
  Key(VK_RETURN);
  EXPECT_TRUE(Open());
  Application->ProcessMessages();
  EXPECT_EQ(Runs, 1);
  EXPECT_EQ(Own, 1);
}

TEST_F(MenuTest, EnterAndAcceleratorsClickAfterTheMenuHasClosed) {
  int Clicks = 0;
  bool ClosedFirst = false;
  bool Returned = false;
  TVxItem* Open_ = AddItem(*Root, L"&Open");
  TVxItem* Save = AddItem(*Root, L"&Save");
  for (TVxItem* I : {Open_, Save})
    I->OnClick = [&, I](TObject* Sender) {
      ++Clicks;
      EXPECT_EQ(Sender, I);
      ClosedFirst = Returned && ShownPopups().empty();
    };
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_TRUE(Open());
  Returned = true;
  EXPECT_EQ(Clicks, 0) << "the click ran inside the menu";
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(ClosedFirst);

  // An accelerator character chooses its item.
  Returned = false;
  Char('o');
  EXPECT_TRUE(Open());
  Returned = true;
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 2);
}

TEST_F(MenuTest, SeparatorsAndDisabledItemsKeepTheMenuOpenOnEnter) {
  AddItem(*Root, L"A");
  TVxItem* Off = AddItem(*Root, L"Off");
  Off->SetEnabled(false);
  int Clicks = 0;
  Off->OnClick = [&](TObject*) { ++Clicks; };
  Key(VK_DOWN);
  Key(VK_RETURN);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.HotItem(), Off);
    EXPECT_TRUE(V.Tracking());
  });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 0);
}

TEST_F(MenuTest, SubmenusOpenWithEnterAndRightAndCloseOneLevelWithEscapeAndLeft) {
  TVxItem* Top = AddItem(*Root, L"Top");
  TVxItem* More = AddItem(*Root, L"&More");
  TVxItem* Inner = AddItem(*More, L"Inner");
  TVxItem* Deeper = AddItem(*More, L"Deeper");
  TVxItem* Deepest = AddItem(*Deeper, L"Deepest");
  int Clicks = 0;
  Deepest->OnClick = [&](TObject*) { ++Clicks; };

  Key(VK_DOWN);
  Key(VK_RETURN);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), More);
    EXPECT_EQ(V.HotItem(), Inner);
    EXPECT_EQ(ShownPopups().size(), 2u);
  });
  Key(VK_ESCAPE);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), Root.get());
    EXPECT_EQ(V.HotItem(), More);
    EXPECT_FALSE(V.SubmenuOpen());
  });
  Key(VK_RIGHT);
  Key(VK_DOWN);
  Key(VK_RIGHT);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), Deeper);
    EXPECT_EQ(ShownPopups().size(), 3u);
  });
  Key(VK_LEFT);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), More);
    EXPECT_EQ(V.HotItem(), Deeper);
  });
  // Left in the menu of its own does not close it; Right on a plain item does nothing.
  Key(VK_LEFT);
  Key(VK_UP);
  Key(VK_RIGHT);
  Key(VK_LEFT);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), Root.get());
    EXPECT_EQ(V.HotItem(), Top);
  });
  Key(VK_DOWN);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  Key(VK_RIGHT);
  Key(VK_RETURN);
  EXPECT_TRUE(Open());
  EXPECT_TRUE(ShownPopups().empty());
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(Probe.Empty());
}

// [Mouse] ----------------------------------------------------------------------------------------

TEST_F(MenuTest, HoverMakesItemsHotAndAClickChooses) {
  AddItem(*Root, L"A");
  TVxItem* B = AddItem(*Root, L"B");
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  MouseAt(WM_MOUSEMOVE, B);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.HotItem(), B); });
  MouseAt(WM_LBUTTONDOWN, B);
  EXPECT_TRUE(Open());
  EXPECT_TRUE(ShownPopups().empty());
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 1);
}

TEST_F(MenuTest, ClickingAnItemWithChildrenOpensItsSubmenu) {
  AddItem(*Root, L"A");
  TVxItem* More = AddItem(*Root, L"More");
  TVxItem* Inner = AddItem(*More, L"Inner");
  int Clicks = 0;
  Inner->OnClick = [&](TObject*) { ++Clicks; };
  MouseAt(WM_MOUSEMOVE, More);
  MouseAt(WM_LBUTTONDOWN, More);
  MouseAt(WM_LBUTTONUP, More);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), More);
    EXPECT_TRUE(V.Tracking());
  });
  MouseAt(WM_MOUSEMOVE, Inner);
  MouseAt(WM_LBUTTONDOWN, Inner);
  EXPECT_TRUE(Open());
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 1);
}

TEST_F(MenuTest, MovingBackToTheParentOpensTheSubmenuOfTheItemUnderThePointer) {
  TVxItem* First = AddItem(*Root, L"First");
  AddItem(*First, L"One");
  TVxItem* Plain = AddItem(*Root, L"Plain");
  TVxItem* Second = AddItem(*Root, L"Second");
  TVxItem* Two = AddItem(*Second, L"Two");
  Key(VK_RIGHT);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), First); });
  MouseAt(WM_MOUSEMOVE, Second);
  Probe.Post([] {});
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), Second);
    EXPECT_EQ(ShownPopups().size(), 2u);
  });
  // Over an item without children only that submenu closes.
  MouseAt(WM_MOUSEMOVE, Plain);
  Probe.Post([] {});
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), Root.get());
    EXPECT_EQ(V.HotItem(), Plain);
    EXPECT_FALSE(V.SubmenuOpen());
  });
  // Down moves on without dropping anything down.
  Key(VK_DOWN);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.HotItem(), Second);
    EXPECT_EQ(ShownPopups().size(), 1u);
  });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
  EXPECT_NE(Two, nullptr);
}

TEST_F(MenuTest, PopupsNearTheScreenEdgesOpenTowardsTheScreenAndLeaveTheFormActive) {
  Shown->Show();
  HWND Active = GetActiveWindow();
  TVxItem* More = AddItem(*Root, L"More");
  for (const wchar_t* C : {L"Inner item with a long caption", L"Second", L"Third"}) AddItem(*More, C);
  const TRect Screen = GetMonitorAreaFromPoint({0, 0}, false);
  const TPoint At{Screen.Right - 5, Screen.Bottom - 5};
  Key(VK_RIGHT);
  Probe.Post([&] {
    const auto Chain = ShownPopups();
    ASSERT_EQ(Chain.size(), 2u);
    RECT Outer, Inner;
    GetWindowRect(Chain[0]->Handle(), &Outer);
    GetWindowRect(Chain[1]->Handle(), &Inner);
    // Up and to the left of the point.
    EXPECT_EQ(Outer.right, At.X);
    EXPECT_EQ(Outer.bottom, At.Y);
    // No room on the right: the submenu sits left of its item, its bottom on the item's bottom.
    const TRect Item = More->ItemRect();
    const TPoint ItemTopLeft = Chain[0]->View()->ViewToScreen({Item.Left, Item.Top});
    EXPECT_EQ(Inner.right, ItemTopLeft.X);
    EXPECT_EQ(Inner.bottom, ItemTopLeft.Y + Item.Height());
    EXPECT_EQ(GetActiveWindow(), Active);
  });
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open(At.X, At.Y));
  EXPECT_TRUE(Probe.Empty());

  // A menu the form owns keeps the form's caption active.
  auto* Owned = new TVxItem(Shown);
  AddItem(*Owned, L"Item");
  Probe.Post([] {
    const auto Chain = ShownPopups();
    ASSERT_EQ(Chain.size(), 1u);
    EXPECT_EQ(Chain[0]->CaptionControl(), Shown);
  });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Owned->Popup(nullptr, 40, 40, {}));
  delete Owned;
}

TEST_F(MenuTest, AClickOutsideClosesTheWholeChain) {
  TVxItem* More = AddItem(*Root, L"More");
  TVxItem* Inner = AddItem(*More, L"Inner");
  int Clicks = 0;
  Inner->OnClick = [&](TObject*) { ++Clicks; };
  Key(VK_RIGHT);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), More); });
  Probe.Post([] {
    TVxPopupView* V = Innermost();
    ASSERT_NE(V, nullptr);
    // Far below and right of both popups, in the capture window's coordinates.
    PostMessageA(V->MessageWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(900, 900));
  });
  EXPECT_TRUE(Open());
  EXPECT_TRUE(ShownPopups().empty());
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTest, AMenuWithOnlyInvisibleChildrenDoesNotOpen) {
  AddItem(*Root, L"A")->SetVisible(false);
  AddItem(*Root, L"B")->SetVisible(false);
  bool Dropped = false;
  Root->OnBeforeDropDown = [&](TObject*) { Dropped = true; };
  EXPECT_FALSE(Open());
  EXPECT_FALSE(Dropped);
  TVxItem Empty;
  EXPECT_FALSE(Empty.Popup(nullptr, 10, 10, {}));
}

// [Shortcuts] ------------------------------------------------------------------------------------

class TKeyDown {
 public:
  explicit TKeyDown(int Key) : FKey(Key) {
    GetKeyboardState(FSaved);
    BYTE State[256];
    GetKeyboardState(State);
    State[Key] = 0x80;
    SetKeyboardState(State);
  }
  ~TKeyDown() { SetKeyboardState(FSaved); }

 private:
  int FKey;
  BYTE FSaved[256];
};

TEST_F(MenuTest, ShortcutsRunTheParentsHandlersFirstAndReportRaisingHandlers) {
  TVxItem* File = AddItem(*Root, L"&File");
  TVxItem* Save = AddItem(*File, L"&Save", scCtrl | 'S');
  std::vector<std::string> Order;
  File->OnBeforeDropDown = [&](TObject*) { Order.push_back("File"); };
  Save->OnClick = [&](TObject*) { Order.push_back("Save"); };
  std::vector<std::string> Errors;
  Application->OnException = [&](TObject*, std::exception_ptr E) {
    try {
      std::rethrow_exception(E);
    } catch (const std::exception& X) {
      Errors.push_back(X.what());
    }
  };
  {
    TKeyDown Ctrl(VK_CONTROL);
    EXPECT_TRUE(Root->HandleShortCut('S', 0));
    EXPECT_FALSE(Root->HandleShortCut('Q', 0));
  }
  // Without Ctrl the key is another shortcut.
  EXPECT_FALSE(Root->HandleShortCut('S', 0));
  Application->ProcessMessages();
  EXPECT_EQ(Order, (std::vector<std::string>{"File", "Save"}));

  // A raising handler, before and after the menu: handled, and the application hears of it.
  const struct {
    const char* Name;
    bool InParent;
  } Cases[] = {{"parent's handler", true}, {"item's click", false}};
  for (const auto& C : Cases) {
    Errors.clear();
    File->OnBeforeDropDown = [&](TObject*) {
      if (C.InParent) throw Exception("parent failed");
    };
    Save->OnClick = [&](TObject*) { throw Exception("click failed"); };
    {
      TKeyDown Ctrl(VK_CONTROL);
      EXPECT_TRUE(Root->HandleShortCut('S', 0)) << C.Name;
    }
    Application->ProcessMessages();
    EXPECT_EQ(Errors, (std::vector<std::string>{C.InParent ? "parent failed" : "click failed"})) << C.Name;
  }
  Application->OnException = nullptr;
}

TEST_F(MenuTest, AltComesFromTheKeyDataAndADisabledParentStopsTheShortcut) {
  TVxItem* File = AddItem(*Root, L"&File");
  TVxItem* Quit = AddItem(*File, L"&Quit", scAlt | VK_F4);
  int Clicks = 0;
  Quit->OnClick = [&](TObject*) { ++Clicks; };
  EXPECT_TRUE(Root->HandleShortCut(VK_F4, 0x20000000));
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 1);
  File->SetEnabled(false);
  EXPECT_TRUE(Root->HandleShortCut(VK_F4, 0x20000000));
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 1);
}

// [Drawing] --------------------------------------------------------------------------------------

TEST_F(MenuTest, TheClassicLookUsesTheSystemMenuColours) {
  ASSERT_FALSE(VisualStylesActive());
  TVxItem* A = AddItem(*Root, L"A");
  TVxItem* Line = AddItem(*Root, L"-");
  TVxItem* B = AddItem(*Root, L"B");
  Expect([&](TVxPopupView& V) {
    HWND Wnd = V.MessageWindow();
    RECT W;
    GetWindowRect(Wnd, &W);
    Capture Pic(W.right - W.left, W.bottom - W.top);
    Shot(Wnd, Pic);
    const TRect RA = A->ItemRect(), RB = B->ItemRect(), RL = Line->ItemRect();
    // A is hot: highlight; B plain menu colour; both at their right end, away from the text.
    EXPECT_EQ(Pic.At(RA.Right - 3, RA.Top + 2), PixelOf(clHighlight));
    EXPECT_EQ(Pic.At(RB.Right - 3, RB.Top + 2), PixelOf(clMenu));
    // The separator: a shadow line over a highlight line in its middle.
    const Integer Y = RL.Top + RL.Height() / 2 - 1;
    EXPECT_EQ(Pic.At(RL.Left + 5, Y), PixelOf(clBtnShadow));
    EXPECT_EQ(Pic.At(RL.Left + 5, Y + 1), PixelOf(clBtnHighlight));
    EXPECT_EQ(Pic.At(RL.Left + 5, RL.Top + 1), PixelOf(clMenu));
    // The 3D frame: face and black outside.
    EXPECT_EQ(Pic.At(0, 0), PixelOf(clBtnFace));
    EXPECT_EQ(Pic.At(W.right - W.left - 1, W.bottom - W.top - 1), PixelOf(clBlack));
    EXPECT_EQ(Pic.At(1, 1), PixelOf(clBtnHighlight));
  });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
}

TEST_F(MenuTest, AThemeThatDefinesMenusPaintsItemsAndFrame) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsMenuDefined(1, "default"));
  TVxItem* A = AddItem(*Root, L"A");
  TVxItem* B = AddItem(*Root, L"B");
  TVxItem* Line = AddItem(*Root, L"-");
  Expect([&](TVxPopupView& V) {
    HWND Wnd = V.MessageWindow();
    RECT W;
    GetWindowRect(Wnd, &W);
    const Integer Width = W.right - W.left, Height = W.bottom - W.top;
    Capture Pic(Width, Height);
    Shot(Wnd, Pic);
    // The items start where the theme's client rectangle does.
    TRect Client;
    Theme->GetMenuClientRect(1, Bounds(0, 0, Width, Height), Client, "default");
    EXPECT_EQ(A->ItemRect().Left, Client.Left);
    EXPECT_EQ(A->ItemRect().Top, Client.Top);
    // The frame: the theme's DrawMenu over the whole window.
    Capture Frame(Width, Height);
    {
      TCanvas C(Frame.DC());
      Theme->DrawMenu(1, C, "default", Bounds(0, 0, Width, Height));
    }
    for (const TPoint P : {TPoint{0, 0}, TPoint{Width - 1, Height - 1}, TPoint{1, Height / 2}})
      EXPECT_EQ(Pic.At(P.X, P.Y), Frame.At(P.X, P.Y)) << P.X << "," << P.Y;
    // Each item against the theme's own item in its state (hot A is "selected" while tracking)
    // over the theme's frame, as the popup paints them; away from the captions.
    const struct {
      TVxItem* Item;
      Byte Part, State;
    } Items[] = {{A, 0, 2}, {B, 0, 0}, {Line, 1, 0}};
    TCanvas C(Frame.DC());
    for (const auto& I : Items)
      Theme->DrawMenuItem(1, C, "default", TvxMenuItemInfo{I.Item->ItemRect(), I.Part, I.State});
    for (const auto& I : Items) {
      const TRect R = I.Item->ItemRect();
      for (const TPoint P : {TPoint{R.Right - 2, R.Top + 1}, TPoint{R.Right - 5, R.Top + R.Height() / 2},
                             TPoint{R.Right - 2, R.Bottom - 2}, TPoint{R.Left + 1, R.Top + 1}})
        EXPECT_EQ(Pic.At(P.X, P.Y), Frame.At(P.X, P.Y))
            << "part " << int(I.Part) << " state " << int(I.State) << " at " << P.X << "," << P.Y;
    }
    // The hot item's state shows.
    const TRect RA = A->ItemRect(), RB = B->ItemRect();
    EXPECT_NE(Pic.At(RA.Right - 5, RA.Top + RA.Height() / 2), Pic.At(RB.Right - 5, RB.Top + RB.Height() / 2));
  });
  // The theme goes while the popup is open: the classic frame and margins come back.
  Probe.Post([] { RemoveCurrentTheme(); });
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.Origin(), (TPoint{3, 3}));
    EXPECT_EQ(A->ItemRect().Left, 3);
    RECT W;
    GetWindowRect(V.MessageWindow(), &W);
    EXPECT_EQ(W.right - W.left, V.ContentSize().cx + 6);
  });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
}

// [Bad input] ------------------------------------------------------------------------------------

TEST_F(MenuTest, ItemsFreedWhileTheMenuIsOpen) {
  AddItem(*Root, L"A");
  TVxItem* B = AddItem(*Root, L"B");
  Key(VK_DOWN);
  Probe.Post([&] { delete B; });
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.HotItem(), nullptr);
    EXPECT_EQ(Root->Count(), 1);
    EXPECT_TRUE(V.Tracking());
  });
  Key(VK_DOWN);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.HotItem(), Root->Items(0)); });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());

  // The whole tree goes while its submenu tracks: both loops end.
  auto* Doomed = new TVxItem;
  TVxItem* More = AddItem(*Doomed, L"More");
  AddItem(*More, L"Inner");
  Key(VK_RIGHT);
  Probe.Post([&] { delete Doomed; });
  EXPECT_TRUE(Doomed->Popup(nullptr, 60, 60, {}));
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(GetCapture(), nullptr);

  // A chosen item freed before its deferred click runs is not clicked.
  TVxItem* C = AddItem(*Root, L"C");
  int Clicks = 0;
  C->OnClick = [&](TObject*) { ++Clicks; };
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_TRUE(Open());
  delete C;
  Application->ProcessMessages();
  EXPECT_EQ(Clicks, 0);
}

TEST_F(MenuTest, ItemsChangingWhileTheMenuTracksRelayTheWindow) {
  AddItem(*Root, L"A");
  TVxItem* B = AddItem(*Root, L"B");
  Integer Before = 0;
  Expect([&](TVxPopupView& V) {
    RECT R;
    GetWindowRect(V.MessageWindow(), &R);
    Before = R.bottom - R.top;
  });
  TVxItem* Added = nullptr;
  Probe.Post([&] {
    Added = AddItem(*Root, L"Added later");
    Root->Remove(B);
  });
  Expect([&](TVxPopupView& V) {
    RECT R;
    GetWindowRect(V.MessageWindow(), &R);
    EXPECT_EQ(R.bottom - R.top, Before);
    EXPECT_FALSE(Added->ItemRect().IsEmpty());
    EXPECT_EQ(Added->ItemRect().Top, V.Origin().Y + MenuItemHeight());
    EXPECT_GE(R.right - R.left, MenuTextWidth(L"Added later"));
  });
  Key(VK_DOWN);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.HotItem(), Added); });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
  delete B;
}

TEST_F(MenuTest, ACaptureTakenAwayEndsEveryLoopAndLeavesTheCaptureAlone) {
  TVxItem* More = AddItem(*Root, L"More");
  AddItem(*More, L"Inner");
  Key(VK_RIGHT);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), More); });
  Probe.Post([] { SetCapture(MenuTest::Shown->Handle()); });
  EXPECT_TRUE(Open());
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(GetCapture(), Shown->Handle());
  ReleaseCapture();
}

TEST_F(MenuTest, AViewWhoseWindowIsMovedStopsTrackingAndItsParentGoesOn) {
  TVxItem* More = AddItem(*Root, L"More");
  AddItem(*More, L"Inner");
  AddItem(*Root, L"Last");
  Key(VK_RIGHT);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), More); });
  // Someone else moves the submenu's window.
  Probe.Post([] {
    HWND Wnd = Innermost()->MessageWindow();
    RECT R{};
    GetWindowRect(Wnd, &R);
    SetWindowPos(Wnd, nullptr, R.left + 30, R.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  });
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), Root.get());
    EXPECT_FALSE(V.SubmenuOpen());
    EXPECT_EQ(ShownPopups().size(), 1u);
  });
  // The outer menu still answers the keyboard; then its own window moves too.
  Key(VK_DOWN);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.HotItem()->Caption(), L"Last"); });
  Probe.Post([] {
    HWND Wnd = Innermost()->MessageWindow();
    SetWindowPos(Wnd, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  });
  EXPECT_TRUE(Open());
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(Probe.Empty());
}

TEST_F(MenuTest, AHandlerRaisingInsideTheMenuReachesTheApplicationAndClosesTheMenu) {
  TVxItem* More = AddItem(*Root, L"More");
  AddItem(*More, L"Inner");
  More->OnBeforeDropDown = [](TObject*) { throw Exception("cannot drop down"); };
  std::vector<std::string> Errors;
  Application->OnException = [&](TObject*, std::exception_ptr E) {
    try {
      std::rethrow_exception(E);
    } catch (const std::exception& X) {
      Errors.push_back(X.what());
    }
  };
  Key(VK_RIGHT);
  EXPECT_TRUE(Open());
  Application->OnException = nullptr;
  EXPECT_EQ(Errors, (std::vector<std::string>{"cannot drop down"}));
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTest, AQuitMessageEndsTheMenuAndStaysForTheOuterLoop) {
  AddItem(*Root, L"A");
  Probe.Post([] { PostQuitMessage(3); });
  EXPECT_TRUE(Open());
  MSG Msg;
  ASSERT_TRUE(PeekMessageA(&Msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(Msg.wParam, 3u);
}

}  // namespace

namespace {

// [Form files] -----------------------------------------------------------------------------------

TEST_F(MenuTest, ItemTreesReadBackFromAStream) {
  Root->SetName("Root");
  TVxItem* File = AddItem(*Root, L"&File");
  File->SetName("File");
  File->SetHint("File commands");
  File->SetScrolled(true);
  File->SetScrollCount(7);
  // Form files hold the items the stream's root owns.
  TVxItem* Save = AddItem(*File, L"&Save", scCtrl | 'S', Root.get());
  Save->SetName("Save");
  Save->SetChecked(true);
  Save->SetEnabled(false);
  Save->SetImageIndex(3);
  Save->SetHelpContext(42);
  TVxItem* Gone = AddItem(*File, L"Gone", scNone, Root.get());
  Gone->SetName("Gone");
  Gone->SetVisible(false);
  TMemoryStream Stream;
  WriteComponent(Stream, *Root);
  Stream.SetPosition(0);

  TVxItem Read;
  ReadComponent(Stream, Read);
  ASSERT_EQ(Read.Count(), 1);
  TVxItem* F = Read.Items(0);
  EXPECT_EQ(F->Name(), "File");
  EXPECT_EQ(F->Owner(), &Read);
  EXPECT_EQ(F->Caption(), L"&File");
  EXPECT_EQ(F->Hint(), "File commands");
  EXPECT_TRUE(F->Scrolled());
  EXPECT_EQ(F->ScrollCount(), 7);
  ASSERT_EQ(F->Count(), 2);
  TVxItem* S = F->Items(0);
  EXPECT_EQ(S->Caption(), L"&Save");
  EXPECT_EQ(S->ShortCut(), scCtrl | 'S');
  EXPECT_TRUE(S->Checked());
  EXPECT_FALSE(S->Enabled());
  EXPECT_EQ(S->ImageIndex(), 3);
  EXPECT_EQ(S->HelpContext(), 42);
  EXPECT_FALSE(F->Items(1)->Visible());
  EXPECT_NE(FindClass("TVxItem"), nullptr);
}

TEST_F(MenuTest, WhatALinkedActionSuppliesIsNotStoredWithTheItem) {
  Root->SetName("Root");
  TAction Print;
  Print.SetName("ActionPrint");
  Print.SetCaption("&Print");
  Print.SetShortCut(scCtrl | 'P');
  Print.SetHint("Prints");
  TVxItem* Linked = AddItem(*Root, L"");
  Linked->SetName("Linked");
  Linked->SetAction(&Print);
  // Its own hint is no longer the action's: that one is stored.
  Linked->SetHint("Mine");
  TMemoryStream Binary, Text;
  WriteComponent(Binary, *Root);
  Binary.SetPosition(0);
  ObjectBinaryToText(Binary, Text);
  const std::string Form(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
  EXPECT_EQ(Form.find("Caption"), std::string::npos) << Form;
  EXPECT_EQ(Form.find("ShortCut"), std::string::npos) << Form;
  EXPECT_NE(Form.find("Hint = 'Mine'"), std::string::npos) << Form;
  EXPECT_NE(Form.find("Action = ActionPrint"), std::string::npos) << Form;
}

// [Horizontal views] -----------------------------------------------------------------------------

// A bar on the shown form that paints a horizontal view, as a menu bar does.
class TTestBar : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  TVxItemView* View = nullptr;

 protected:
  void Paint() override {
    if (View) View->Paint(*Canvas());
  }
};

class TTestBarView : public TVxItemView {
 public:
  TTestBarView(TTestBar* Bar, TVxItem* Root) : TVxItemView(nullptr, Root, TVxViewOrientation::voHorizontal), FBar(Bar) {
    Bar->View = this;
  }
  ~TTestBarView() override { FBar->View = nullptr; }
  TCanvas* Canvas() override { return FBar->Canvas(); }
  HWND MessageWindow() override { return FBar->Handle(); }
  Integer LayoutWidth() const override { return FBar->Width(); }
  void RepaintAll() override { FBar->Repaint(); }
  void RepaintItem(TVxItem*) override { FBar->Repaint(); }
  void RepaintScrollButton(bool) override {}

 private:
  TTestBar* FBar;
};

class BarTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    Bar = std::make_unique<TTestBar>();
    Bar->SetBounds(0, 0, 280, 24);
    Bar->SetParent(Shown);
    View = std::make_unique<TTestBarView>(Bar.get(), Root.get());
  }
  void TearDown() override {
    View.reset();
    Bar.reset();
    MenuTest::TearDown();
  }
  std::unique_ptr<TTestBar> Bar;
  std::unique_ptr<TTestBarView> View;
};

TEST_F(BarTest, ABarLaysItemsSideBySideWithTheCaptionButtonsAtItsEnds) {
  TVxItem* File = AddItem(*Root, L"&File");
  TVxItem* Edit = AddItem(*Root, L"&Edit");
  const Byte Kinds[] = {ikMinimize, ikRestore, ikClose};
  std::vector<TVxItem*> Buttons;
  for (Byte K : Kinds) {
    Buttons.push_back(AddItem(*Root, L""));
    Buttons.back()->SetItemKind(K);
  }
  TVxItem* Icon = new TVxItem(Root.get());
  Icon->SetItemKind(ikWindowIcon);
  Root->Insert(0, Icon);
  View->Layout();
  const Integer H = MenuItemHeight();
  const Integer WFile = MenuTextWidth(L"File") + 12, WEdit = MenuTextWidth(L"Edit") + 12;
  EXPECT_EQ(Icon->ItemRect(), Bounds(0, 0, H, H));
  EXPECT_EQ(File->ItemRect(), Bounds(H, 0, WFile, H));
  EXPECT_EQ(Edit->ItemRect(), Bounds(H + WFile, 0, WEdit, H));
  for (size_t I = 0; I < 3; ++I)
    EXPECT_EQ(Buttons[I]->ItemRect(), Bounds(280 - Integer(Kinds[I]) * H, 0, H, H)) << int(Kinds[I]);
  EXPECT_EQ(View->ContentSize(), (TSize{WFile + WEdit, H}));
}

TEST_F(BarTest, PopupsOfABarOpenBelowAndLeftAndRightMoveAlongTheBar) {
  TVxItem* File = AddItem(*Root, L"&File");
  TVxItem* Open_ = AddItem(*File, L"&Open");
  TVxItem* Recent = AddItem(*File, L"&Recent");
  AddItem(*Recent, L"one");
  TVxItem* Edit = AddItem(*Root, L"&Edit");
  AddItem(*Edit, L"&Copy");
  View->Layout();
  Key(VK_DOWN);
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), File);
    EXPECT_EQ(V.ParentView(), View.get());
    EXPECT_EQ(V.HotItem(), Open_);
    // The items start right below the bar item.
    const TPoint Item = View->ViewToScreen({File->ItemRect().Left, File->ItemRect().Bottom});
    EXPECT_EQ(V.ViewToScreen(V.Origin()), Item);
  });
  // The popup hands these keys on to the bar: one step later the bar has them.
  Key(VK_RIGHT);
  Probe.Post([] {});
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), Edit); });
  Key(VK_LEFT);
  Probe.Post([] {});
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), File); });
  // Inside a submenu of the popup, Left closes only that level.
  Key(VK_DOWN);
  Key(VK_RIGHT);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), Recent); });
  Key(VK_LEFT);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), File); });
  Key(VK_ESCAPE);
  Probe.Post([&] {
    EXPECT_TRUE(ShownPopups().empty());
    EXPECT_TRUE(View->Tracking());
    EXPECT_EQ(View->HotItem(), File);
  });
  Key(VK_ESCAPE);
  View->Track();
  EXPECT_FALSE(View->Tracking());
  EXPECT_TRUE(Probe.Empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

// [The menu bar and the popup menu] -------------------------------------------------------------

// A real menu bar on the shown form: File (Open, Save Ctrl+S, a disabled Print), Edit (Copy).
class MenuBarTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    Bar = std::make_unique<TVxMenuBar>();
    Bar->SetParent(Shown);
    Bar->SetAlign(TAlign::alTop);
    File = AddItem(*Bar->Items(), L"&File");
    Open_ = AddItem(*File, L"&Open");
    Save = AddItem(*File, L"&Save", scCtrl | 'S');
    Print = AddItem(*File, L"&Print");
    Print->SetEnabled(false);
    Edit = AddItem(*Bar->Items(), L"&Edit");
    Copy = AddItem(*Edit, L"&Copy");
    for (TVxItem* Item : {Open_, Save, Print, Copy})
      Item->OnClick = [this](TObject* Sender) { Clicked.push_back(static_cast<TVxItem*>(Sender)); };
    Application->ProcessMessages();
  }
  void TearDown() override {
    Bar.reset();
    MenuTest::TearDown();
  }
  // The bar posts itself the key's character (or the click) as it opens: the popup follows.
  void WaitForPopup() {
    Probe.Wait([] { return Innermost() != nullptr; });
  }
  void Finish() {
    EXPECT_TRUE(Probe.Empty());
    EXPECT_FALSE(Bar->View()->Tracking());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(ShownPopups().empty());
    Application->ProcessMessages();
  }
  std::unique_ptr<TVxMenuBar> Bar;
  TVxItem *File, *Open_, *Save, *Print, *Edit, *Copy;
  std::vector<TVxItem*> Clicked;
};

TEST_F(MenuBarTest, TheBarSitsOnTopAtItsItemsHeight) {
  EXPECT_EQ(Bar->Top(), 0);
  EXPECT_EQ(Bar->Width(), Shown->ClientRect().Width());
  // Classic look: the items' height plus the two pixels of the bevel.
  EXPECT_EQ(Bar->Height(), MenuItemHeight() + 2);
  EXPECT_EQ(File->ItemRect(), Bounds(0, 0, MenuTextWidth(L"File") + 12, MenuItemHeight()));
}

TEST_F(MenuBarTest, AltFOpensFileArrowsMoveAlongTheBarAndEscapeClosesOneLevelAtATime) {
  WaitForPopup();
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), File);
    EXPECT_EQ(V.HotItem(), Open_);
    EXPECT_EQ(Bar->View()->HotItem(), File);
  });
  Key(VK_RIGHT);
  Probe.Post([] {});
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), Edit); });
  Key(VK_LEFT);
  Probe.Post([] {});
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), File); });
  Key(VK_ESCAPE);
  Probe.Post([&] {
    EXPECT_TRUE(ShownPopups().empty());
    EXPECT_TRUE(Bar->View()->Tracking());
  });
  Key(VK_ESCAPE);
  TKeyDown Alt(VK_MENU);
  SendMessageA(Shown->Handle(), WM_SYSKEYDOWN, 'F', LPARAM(1) << 29);
  Finish();
  EXPECT_TRUE(Clicked.empty());
}

TEST_F(MenuBarTest, EnterRunsTheHotItemAfterTheMenuClosesAndADisabledItemDoesNotRun) {
  Key(VK_DOWN);
  Key(VK_DOWN);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.HotItem(), Print); });
  Key(VK_RETURN);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), File); });
  Key(VK_UP);
  Key(VK_RETURN);
  {
    TKeyDown Alt(VK_MENU);
    SendMessageA(Shown->Handle(), WM_SYSKEYDOWN, 'F', LPARAM(1) << 29);
  }
  EXPECT_TRUE(Clicked.empty()) << "the click waits for the menu to close";
  Finish();
  EXPECT_EQ(Clicked, std::vector<TVxItem*>{Save});
}

TEST_F(MenuBarTest, AShortcutTypedOnTheFormRunsItsItemAndADisabledOneDoesNot) {
  {
    TKeyDown Ctrl(VK_CONTROL);
    SendMessageA(Shown->Handle(), WM_KEYDOWN, 'S', 0);
    Print->SetShortCut(scCtrl | 'P');
    SendMessageA(Shown->Handle(), WM_KEYDOWN, 'P', 0);
  }
  Application->ProcessMessages();
  EXPECT_EQ(Clicked, std::vector<TVxItem*>{Save});
  EXPECT_FALSE(Bar->View()->Tracking());
}

TEST_F(MenuBarTest, AClickOnABarItemOpensItsPopupBelowIt) {
  const TRect R = Edit->ItemRect();
  WaitForPopup();
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), Edit);
    EXPECT_EQ(V.HotItem(), Copy);
    const TPoint Below = Bar->View()->ViewToScreen({R.Left, R.Bottom});
    EXPECT_EQ(V.ViewToScreen(V.Origin()), Below);
  });
  Key(VK_RETURN);
  const TPoint At = Bar->View()->ViewToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
  SetCursorPos(At.X, At.Y);
  SendMessageA(Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
  Finish();
  EXPECT_EQ(Clicked, std::vector<TVxItem*>{Copy});
}

TEST_F(MenuBarTest, AnEmptyBarAndAnAltKeyWithoutAcceleratorLeaveTheFormAlone) {
  // A menu that opened here would wait for keys that never come (the watchdog ends it).
  EXPECT_FALSE(Bar->FormShortCut('Q', TShiftState{TShiftStateFlag::ssAlt}));
  Bar->Items()->Clear();
  EXPECT_FALSE(Bar->FormShortCut('F', TShiftState{TShiftStateFlag::ssAlt}));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(Probe.Empty());
}

TEST_F(MenuBarTest, AMenuFreedWhileItIsOpenClosesWithoutHoldingTheCapture) {
  WaitForPopup();
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), File); });
  Probe.Post([&] { delete File; });
  Probe.Wait([] { return ShownPopups().empty(); });
  Probe.Post([&] { EXPECT_EQ(Bar->Items()->Count(), 1); });
  Key(VK_ESCAPE);
  {
    TKeyDown Alt(VK_MENU);
    SendMessageA(Shown->Handle(), WM_SYSKEYDOWN, 'F', LPARAM(1) << 29);
  }
  Finish();
}

TEST_F(MenuBarTest, APopupMenuOpensAtThePointWithSubmenusAndOnlyOneShowsAtATime) {
  TVxPopupMenu Menu(Shown);
  TVxItem* Tools = AddItem(*Menu.Items(), L"&Tools", scNone, &Menu);
  TVxItem* Zoom = AddItem(*Tools, L"&Zoom", scNone, &Menu);
  TVxItem* Off = AddItem(*Menu.Items(), L"&Off", scNone, &Menu);
  Off->SetEnabled(false);
  bool Ran = false;
  Zoom->OnClick = [&](TObject*) { Ran = true; };
  Off->OnClick = [&](TObject*) { ADD_FAILURE() << "a disabled item ran"; };
  int Popups = 0;
  Menu.OnPopup = [&](TObject*) { ++Popups; };
  // The application asks every popup menu to take the global popup settings.
  const Integer SavedSize = GlobalShadow().Size();
  GlobalShadow().SetSize(SavedSize + 3);
  UseGlobalPopupOptions = true;
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.Window()->Shadow()->Size(), SavedSize + 3);
    EXPECT_EQ(V.RootItem(), Menu.Items());
    EXPECT_EQ(TVxPopupMenu::Showing(), &Menu);
    // The items' area starts at the point.
    EXPECT_EQ(V.ViewToScreen(V.Origin()), (TPoint{150, 120}));
  });
  Key(VK_DOWN);
  Key(VK_RETURN);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.HotItem(), Off); });
  Key(VK_UP);
  Key(VK_RIGHT);
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), Tools); });
  Key(VK_RETURN);
  Menu.Popup(150, 120);
  UseGlobalPopupOptions = false;
  GlobalShadow().SetSize(SavedSize);
  EXPECT_EQ(Menu.PopupMenuOptions()->Shadow()->Size(), SavedSize + 3);
  EXPECT_EQ(Popups, 1);
  EXPECT_EQ(TVxPopupMenu::Showing(), nullptr);
  Application->ProcessMessages();
  EXPECT_TRUE(Ran);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(Probe.Empty());
}

// A skinned popup menu honours its Alignment as the framework's does: the point takes the menu's
// left edge, its right edge or its middle.
TEST_F(MenuTest, APopupMenusAlignmentDecidesWhichEdgeMeetsThePoint) {
  TVxPopupMenu Menu(Shown);
  AddItem(*Menu.Items(), L"&Left", scNone, &Menu);
  AddItem(*Menu.Items(), L"A longer &item", scNone, &Menu);
  const struct {
    TPopupAlignment Alignment;
    const char* Name;
  } Cases[] = {{TPopupAlignment::paLeft, "left"}, {TPopupAlignment::paRight, "right"}, {TPopupAlignment::paCenter, "centre"}};
  for (const auto& C : Cases) {
    Menu.SetAlignment(C.Alignment);
    Expect([&](TVxPopupView& V) {
      const TRect R = V.Window()->BoundsRect();
      const TPoint Items = V.ViewToScreen(V.Origin());
      switch (C.Alignment) {
        case TPopupAlignment::paLeft: EXPECT_EQ(Items, (TPoint{300, 120})) << C.Name; break;
        case TPopupAlignment::paRight: EXPECT_EQ(R.Right, 300) << C.Name; break;
        case TPopupAlignment::paCenter: EXPECT_NEAR((R.Left + R.Right) / 2, 300, 1) << C.Name; break;
      }
      EXPECT_EQ(Items.Y, 120) << C.Name;
    });
    Key(VK_ESCAPE);
    Menu.Popup(300, 120);
  }
  EXPECT_TRUE(Probe.Empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

// Whatever takes a framework popup menu takes a skinned one: a speed button's chevron menu opens
// it on the release over the chevron, its drop-down menu after the click, and a control's context
// menu on the right button.
TEST_F(MenuTest, ASkinnedPopupMenuServesWhereAFrameworkPopupMenuIsAsked) {
  TVxPopupMenu Menu(Shown);
  TVxItem* Go = AddItem(*Menu.Items(), L"&Go", scNone, &Menu);
  int Runs = 0;
  Go->OnClick = [&](TObject*) { ++Runs; };
  auto Button = std::make_unique<TVxSpeedButton>();
  Button->SetBounds(10, 120, 60, 25);
  Button->SetShowChevron(true);
  Button->SetParent(Shown);
  ASSERT_EQ(Button->Width(), 74);
  const auto Release = [&](Integer X) {
    SendMessageA(Shown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10 + X, 130));
    SendMessageA(Shown->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10 + X, 130));
  };
  const auto ShowsMenu = [&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), Menu.Items());
    EXPECT_EQ(TVxPopupMenu::Showing(), &Menu);
  };
  Button->SetChevronMenu(&Menu);
  Expect(ShowsMenu);
  Key(VK_RETURN);
  Release(74 - 5);
  Application->ProcessMessages();
  EXPECT_EQ(Runs, 1) << "chevron menu";
  Button->SetChevronMenu(nullptr);
  Button->SetDropDownMenu(&Menu);
  Expect(ShowsMenu);
  Key(VK_RETURN);
  Release(20);
  Application->ProcessMessages();
  EXPECT_EQ(Runs, 2) << "drop-down menu";
  Button->SetDropDownMenu(nullptr);
  Button.reset();
  // The same through a tool bar's window, as the pointer reaches a button on a tool bar.
  auto Tools = std::make_unique<TVxToolBar>();
  Tools->SetBounds(10, 120, 200, 29);
  Tools->SetParent(Shown);
  auto* OnBar = new TVxSpeedButton(Tools.get());
  OnBar->SetShowChevron(true);
  OnBar->SetParent(Tools.get());
  OnBar->SetChevronMenu(&Menu);
  const TRect Chevron = OnBar->BoundsRect();
  Expect(ShowsMenu);
  Key(VK_RETURN);
  SendMessageA(Tools->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Chevron.Right - 5, Chevron.Top + 10));
  SendMessageA(Tools->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(Chevron.Right - 5, Chevron.Top + 10));
  Application->ProcessMessages();
  EXPECT_EQ(Runs, 3) << "chevron menu on a tool bar";
  Tools.reset();
  auto Panel = std::make_unique<TPanel>();
  Panel->SetBounds(10, 120, 80, 40);
  Panel->SetParent(Shown);
  Panel->SetPopupMenu(&Menu);
  Expect(ShowsMenu);
  Key(VK_RETURN);
  SendMessageA(Panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageA(Panel->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  Application->ProcessMessages();
  EXPECT_EQ(Runs, 4) << "context menu";
  EXPECT_TRUE(Probe.Empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(ShownPopups().empty());
}

// A skinned form with a bar and File open, on the sample skin. VX_MENU_SHOT=FILE.png keeps a
// picture of the screen for a look.
TEST_F(MenuBarTest, OnASkinTheBarAndItsPopupPaintThroughTheTheme) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsMenuDefined(0, "default"));
  TForm Window;
  Window.SetBounds(40, 40, 420, 260);
  Window.SetColor(clWhite);
  new TVxForm(&Window);
  TVxMenuBar WindowBar(&Window);
  WindowBar.SetParent(&Window);
  WindowBar.SetAlign(TAlign::alTop);
  TVxItem* WFile = AddItem(*WindowBar.Items(), L"&File", scNone, &Window);
  for (const wchar_t* C : {L"&New", L"&Open...", L"-", L"E&xit"}) AddItem(*WFile, C, scNone, &Window);
  WFile->Items(0)->SetShortCut(scCtrl | 'N');
  WFile->Items(3)->SetEnabled(false);
  TVxItem* WEdit = AddItem(*WindowBar.Items(), L"&Edit", scNone, &Window);
  AddItem(*WEdit, L"&Copy", scNone, &Window);
  Window.Show();
  Application->ProcessMessages();

  // Height: the items' height inside the theme's frame of the bar.
  const Integer W = WindowBar.Width(), H = WindowBar.Height();
  TRect Client;
  Theme->GetMenuClientRect(0, Bounds(0, 0, W, H), Client, "default");
  EXPECT_EQ(H, MenuItemHeight() + Client.Top + (H - Client.Bottom));
  EXPECT_EQ(WFile->ItemRect().Left, Client.Left);
  EXPECT_EQ(WFile->ItemRect().Top, Client.Top);

  Probe.Wait([] { return Innermost() != nullptr; });
  Probe.Post([&] {
    Application->ProcessMessages();
    RECT F;
    GetWindowRect(Window.Handle(), &F);
    Capture Screen(F.right - F.left, F.bottom - F.top);
    HDC DC = GetDC(nullptr);
    BitBlt(Screen.DC(), 0, 0, F.right - F.left, F.bottom - F.top, DC, F.left, F.top, SRCCOPY);
    ReleaseDC(nullptr, DC);
    // Past the last item the bar shows the theme's bar.
    Capture Expected(W, H);
    {
      TCanvas C(Expected.DC());
      Theme->DrawMenu(0, C, "default", Bounds(0, 0, W, H));
    }
    POINT Origin{0, 0};
    ClientToScreen(WindowBar.Handle(), &Origin);
    const Integer Bx = Origin.x - F.left, By = Origin.y - F.top;
    for (const TPoint P : {TPoint{W - 3, H / 2}, TPoint{W - 40, 1}, TPoint{W - 40, H - 1}})
      EXPECT_EQ(Screen.At(Bx + P.X, By + P.Y), Expected.At(P.X, P.Y)) << P.X << "," << P.Y;
    // The open item is drawn selected: it differs from the closed one beside it.
    const TRect RF = WFile->ItemRect(), RE = WEdit->ItemRect();
    EXPECT_NE(Screen.At(Bx + RF.Left + 2, By + RF.Top + 2), Screen.At(Bx + RE.Right - 2, By + RE.Top + 2));
    if (const char* Path = getenv("VX_MENU_SHOT")) {
      const Integer Sw = 520, Sh = 340;
      Capture Whole(Sw, Sh);
      HDC S = GetDC(nullptr);
      BitBlt(Whole.DC(), 0, 0, Sw, Sh, S, 0, 0, SRCCOPY);
      ReleaseDC(nullptr, S);
      std::vector<uint32_t> Pixels;
      for (Integer Y = 0; Y < Sh; ++Y)
        for (Integer X = 0; X < Sw; ++X) Pixels.push_back(Whole.At(X, Y) | 0xFF000000u);
      TFileStream Out(Path, TFileMode::fmCreate);
      WritePng(Out, Pixels.data(), Sw, Sh, false);
    }
  });
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  TKeyDown Alt(VK_MENU);
  SendMessageA(Window.Handle(), WM_SYSKEYDOWN, 'F', LPARAM(1) << 29);
  Finish();
}

TEST_F(MenuTest, ABarAndAPopupMenuReadBackFromAFormFileWithTheirItems) {
  TForm Window;
  Window.SetName("Window");
  auto* WindowBar = new TVxMenuBar(&Window);
  WindowBar->SetName("Bar");
  WindowBar->SetParent(&Window);
  WindowBar->SetShowBevel(true);
  TVxItem* WFile = AddItem(*WindowBar->Items(), L"&File", scNone, &Window);
  WFile->SetName("File");
  AddItem(*WFile, L"&Save", scCtrl | 'S', &Window)->SetName("Save");
  auto* Menu = new TVxPopupMenu(&Window);
  Menu->SetName("Menu");
  AddItem(*Menu->Items(), L"&Zoom", scNone, &Window)->SetName("Zoom");
  TMemoryStream Stream;
  WriteComponent(Stream, Window);
  Stream.SetPosition(0);

  TForm Read;
  ReadComponent(Stream, Read);
  auto* B = dynamic_cast<TVxMenuBar*>(Read.FindComponent("Bar"));
  auto* M = dynamic_cast<TVxPopupMenu*>(Read.FindComponent("Menu"));
  ASSERT_NE(B, nullptr);
  ASSERT_NE(M, nullptr);
  EXPECT_TRUE(B->ShowBevel());
  ASSERT_EQ(B->Items()->Count(), 1);
  EXPECT_EQ(B->Items()->Items(0)->Caption(), L"&File");
  ASSERT_EQ(B->Items()->Items(0)->Count(), 1);
  EXPECT_EQ(B->Items()->Items(0)->Items(0)->ShortCut(), scCtrl | 'S');
  ASSERT_EQ(M->Items()->Count(), 1);
  EXPECT_EQ(M->Items()->Items(0)->Caption(), L"&Zoom");
  EXPECT_NE(FindClass("TVxMenuBar"), nullptr);
  EXPECT_NE(FindClass("TVxPopupMenu"), nullptr);
}

// [Popup effects] --------------------------------------------------------------------------------

// What the screen shows of a popup: its window rectangle, its frame rectangle, two pixels (the
// frame's inner ring and the second item, which is hot), and two of the shadow's strip.
struct TPopupLook {
  TRect Window;
  TRect Frame;
  uint32_t Ring = 0, Hot = 0, ShadowRight = 0, AboveShadow = 0;
};

class PopupEffectsTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    // The pointer stays off the popup: only the keys choose the hot item.
    SetCursorPos(5, 1000);
    Shown->SetColor(Back);
    Shown->Invalidate();
    Application->ProcessMessages();
    AddItem(*Root, L"&One");
    Two = AddItem(*Root, L"&Two");
    AddItem(*Root, L"T&hree");
    Root->SetPopupOptions(&Options);
  }
  void TearDown() override {
    Shown->SetColor(clBtnFace);
    MenuTest::TearDown();
  }
  // Opens the popup over the backdrop, makes Two hot and reads the screen.
  TPopupLook Look() {
    // The screen behind shows the backdrop again, not the popup opened before.
    Shown->Invalidate();
    PumpUntil([] { return false; }, 120);
    TPopupLook L;
    Key(VK_DOWN);
    // The platform shows what was painted a moment later: the loop runs meanwhile.
    auto Since = std::make_shared<DWORD>(0);
    Probe.Wait([Since] {
      if (!*Since) *Since = GetTickCount();
      return GetTickCount() - *Since > 120;
    });
    Expect([&](TVxPopupView& V) {
      ASSERT_EQ(V.HotItem(), Two);
      TVxPopupWindow* W = V.Window();
      RECT R;
      GetWindowRect(W->Handle(), &R);
      L.Window = Rect(R.left, R.top, R.right, R.bottom);
      L.Frame = W->FrameRect();
      Capture Screen(L.Window.Width(), L.Window.Height());
      HDC DC = GetDC(nullptr);
      BitBlt(Screen.DC(), 0, 0, L.Window.Width(), L.Window.Height(), DC, R.left, R.top, SRCCOPY);
      ReleaseDC(nullptr, DC);
      L.Ring = Screen.At(2, L.Frame.Height() / 2);
      const TRect Item = Two->ItemRect();
      L.Hot = Screen.At(Item.Left + 2, (Item.Top + Item.Bottom) / 2);
      L.ShadowRight = Screen.At(L.Window.Width() - 2, L.Window.Height() / 2);
      L.AboveShadow = Screen.At(L.Window.Width() - 2, 1);
    });
    Key(VK_ESCAPE);
    EXPECT_TRUE(Open());
    EXPECT_TRUE(Probe.Empty());
    return L;
  }

  const TColor Back = TColor(RGB(240, 200, 160));
  TVxPopupMenuOptions Options;
  TVxItem* Two = nullptr;
};

TEST_F(PopupEffectsTest, BlendingComposesThePopupOverTheScreenAndAShadowWidensAndDarkensIt) {
  const uint32_t B = DibColor(Back);
  const TPopupLook Plain = Look();
  EXPECT_NE(Plain.Ring, B);
  EXPECT_NE(Plain.Hot, Plain.Ring) << "the hot item is drawn hot";

  // Translucent: the frame and the repainted hot item both over the screen behind.
  Options.Blending()->SetEnabled(true);
  Options.Blending()->SetValue(100);
  Root->SetPopupOptions(&Options);
  const TPopupLook Blended = Look();
  EXPECT_EQ(Blended.Window, Plain.Window);
  EXPECT_EQ(Blended.Ring, Over(Plain.Ring, B, 100));
  EXPECT_EQ(Blended.Hot, Over(Plain.Hot, B, 100));

  // A shadow of 6 pixels: the window grows by 6 to the right and below, the popup itself keeps
  // its size and look, the strip right of it is darker than the screen and the corner above the
  // strip shows the screen.
  Options.Blending()->SetEnabled(false);
  Options.Shadow()->SetEnabled(true);
  Options.Shadow()->SetSize(6);
  Root->SetPopupOptions(&Options);
  const TPopupLook Shadowed = Look();
  EXPECT_EQ(Shadowed.Window.Width(), Plain.Window.Width() + 6);
  EXPECT_EQ(Shadowed.Window.Height(), Plain.Window.Height() + 6);
  EXPECT_EQ(Shadowed.Frame, Plain.Frame);
  EXPECT_EQ(Shadowed.Ring, Plain.Ring);
  EXPECT_EQ(Shadowed.Hot, Plain.Hot);
  for (int Shift = 0; Shift < 24; Shift += 8)
    EXPECT_LT((Shadowed.ShadowRight >> Shift) & 0xFF, (B >> Shift) & 0xFF) << std::hex << Shadowed.ShadowRight;
  EXPECT_EQ(Shadowed.AboveShadow, B);
}

TEST_F(PopupEffectsTest, AComposedPopupFollowsAThemeSwitchAndClosesWhenItsTreeGoes) {
  Options.Blending()->SetEnabled(true);
  Options.Shadow()->SetEnabled(true);
  Root->SetPopupOptions(&Options);
  TVxVexel Engine;
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(TSize({V.Window()->Width(), V.Window()->Height()}), V.Window()->SizeForContent());
    Engine.SetThemeFile(SampleSkin);
    ASSERT_NE(CurrentTheme(), nullptr);
    Application->ProcessMessages();
    // Laid out again in the skin's fonts and frame, still sized to the content with its shadow.
    EXPECT_EQ(TSize({V.Window()->Width(), V.Window()->Height()}), V.Window()->SizeForContent());
    EXPECT_EQ(V.Window()->Form()->WindowWidth(), V.Window()->Width() - Options.Shadow()->Size());
    EXPECT_TRUE(V.Tracking());
  });
  Probe.Post([&] { Root.reset(); });
  auto* Tree = Root.get();
  EXPECT_TRUE(Tree->Popup(nullptr, 60, 60, {}));
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(Probe.Empty());

  // A menu without items shows nothing and leaves nothing behind.
  TVxItem Empty;
  Empty.SetPopupOptions(&Options);
  EXPECT_FALSE(Empty.Popup(nullptr, 60, 60, {}));
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

// A closed popup's window is hidden and kept for the next popup with the same effects; nothing of
// the menu it showed (messages posted to it, its items, its effects) reaches the next one.
TEST_F(PopupEffectsTest, AClosedPopupsWindowServesTheNextOneWithNothingOfTheOldMenuLeft) {
  TVxItem Other;
  for (const wchar_t* Caption : {L"Alpha", L"A much longer caption than before", L"Gamma", L"Delta", L"Epsilon"})
    AddItem(Other, Caption);
  auto ExpectSizedTo = [&](HWND Expected, Integer ShadowSize) {
    Expect([=, &Other](TVxPopupView& V) {
      EXPECT_EQ(V.RootItem(), &Other);
      EXPECT_TRUE(V.Tracking()) << "the queued close request went with the old menu";
      if (Expected) EXPECT_EQ(V.MessageWindow(), Expected) << "the kept window serves again";
      TVxPopupWindow* W = V.Window();
      EXPECT_EQ(TSize({W->Width(), W->Height()}), W->SizeForContent());
      EXPECT_EQ(W->Form()->WindowWidth(), W->Width() - ShadowSize);
      EXPECT_EQ(W->Form()->Shadow()->Enabled(), ShadowSize > 0);
    });
    Key(VK_ESCAPE);
    EXPECT_TRUE(Other.Popup(nullptr, 60, 60, {}));
    EXPECT_TRUE(Probe.Empty());
  };

  HWND First = nullptr;
  Expect([&](TVxPopupView& V) { First = V.MessageWindow(); });
  // Escape ends the loop; the close request behind it stays queued for the window.
  Probe.Post([&] {
    PostMessageA(Shown->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(First, VXM_CLOSEVIEW, 0, 0);
  });
  ASSERT_TRUE(Open());
  ASSERT_NE(First, nullptr);
  EXPECT_TRUE(IsWindow(First)) << "kept";
  EXPECT_FALSE(IsWindowVisible(First));
  // A longer, wider menu at once, before anything handles the queue.
  ExpectSizedTo(First, 0);

  // The theme changes while the window waits.
  Root.reset();
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  ASSERT_NE(CurrentTheme(), nullptr);
  Application->ProcessMessages();
  ExpectSizedTo(First, 0);

  // A shadow: a window of its own, kept beside the plain one; each serves its own kind again.
  Options.Shadow()->SetEnabled(true);
  Options.Shadow()->SetSize(6);
  Other.SetPopupOptions(&Options);
  HWND Shadowed = nullptr;
  Expect([&](TVxPopupView& V) { Shadowed = V.MessageWindow(); });
  ExpectSizedTo(nullptr, 6);
  EXPECT_NE(Shadowed, First);
  ExpectSizedTo(Shadowed, 6);
  Other.SetPopupOptions(nullptr);
  ExpectSizedTo(First, 0);
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTest, KeysTypedWhileAPopupAnimatesItsShowReachTheMenu) {
  AddItem(*Root, L"&One");
  TVxItem* Two = AddItem(*Root, L"&Two");
  AddItem(*Root, L"T&hree");
  TVxPopupMenuOptions Options;
  Options.Animation()->SetEnabled(true);
  Options.Animation()->SetEffectKind("[ FADE ] - Plasma");
  Options.Animation()->SetTime(200);
  Root->SetPopupOptions(&Options);
  SetCursorPos(5, 1000);
  SetForegroundWindow(Shown->Handle());
  // A real key stroke, queued as input before the popup opens: the animation plays first.
  INPUT Keys[2] = {};
  Keys[0].type = Keys[1].type = INPUT_KEYBOARD;
  Keys[0].ki.wVk = Keys[1].ki.wVk = VK_DOWN;
  Keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, Keys, sizeof(INPUT)), 2u);
  bool Animated = false;
  Probe.Wait([&] { return Animated = AnyAnimating(); });
  Probe.Wait([&] { return Innermost() && Innermost()->HotItem() == Two; });
  Key(VK_ESCAPE);
  EXPECT_TRUE(Open());
  EXPECT_TRUE(Animated);
  EXPECT_TRUE(Probe.Empty());
}

TEST_F(MenuBarTest, OnlyTheFirstPopupOpenedFromTheBarAnimates) {
  TVxPopupMenuOptions Options;
  Options.Animation()->SetEnabled(true);
  Options.Animation()->SetEffectKind("[ FADE ] - Plasma");
  Options.Animation()->SetTime(300);
  Bar->SetPopupMenuOptions(&Options);
  // The first popup's transition plays before the popup shows.
  Probe.Wait([] { return AnyAnimating(); });
  WaitForPopup();
  Expect([&](TVxPopupView& V) {
    EXPECT_EQ(V.RootItem(), File);
    EXPECT_NE(V.Window()->Animation(), nullptr);
    EXPECT_TRUE(V.Window()->Form()->Animation()->Enabled());
  });
  Key(VK_RIGHT);
  Probe.Wait([&] { return Innermost() && Innermost()->RootItem() == Edit; });
  Expect([&](TVxPopupView& V) {
    EXPECT_FALSE(AnyAnimating());
    EXPECT_EQ(V.Window()->Animation(), nullptr);
    EXPECT_FALSE(V.Window()->Form()->Animation()->Enabled());
  });
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  {
    TKeyDown Alt(VK_MENU);
    SendMessageA(Shown->Handle(), WM_SYSKEYDOWN, 'F', LPARAM(1) << 29);
  }
  Finish();
}

// [MDI items] ------------------------------------------------------------------------------------

TEST_F(MenuBarTest, AMaximisedChildShowsItsIconAndButtonsAndTheCommandsActOnIt) {
  EXPECT_TRUE(Bar->MDIItems().empty());
  const Integer Items = Bar->Items()->Count();
  // A plain form stands in for the MDI child: the framework has no MDI forms. It stays when
  // asked to close (under Wine a window that hides waits for a window manager).
  auto Child = std::make_unique<TForm>();
  Child->SetBounds(400, 300, 200, 150);
  Child->Show();
  int Closed = 0;
  Child->OnClose = [&](TObject*, TCloseAction& Action) {
    ++Closed;
    Action = TCloseAction::caNone;
  };
  Bar->ShowMDIItems(Child.get());
  const auto& MDI = Bar->MDIItems();
  ASSERT_EQ(MDI.size(), 11u);
  EXPECT_EQ(Bar->Items()->Count(), Items + 4);
  TVxItem* Icon = MDI[0];
  EXPECT_EQ(Bar->Items()->Items(0), Icon);
  EXPECT_EQ(Icon->ItemKind(), ikWindowIcon);
  struct TRow {
    const wchar_t* Caption;
    TShortCut ShortCut;
    Integer Image;
    bool Enabled;
  };
  const TRow Rows[] = {{L"&Restore", scNone, 3, true}, {L"Mi&nimize", scNone, 1, true},
                       {L"Ma&ximize", scNone, 2, false}, {L"-", scNone, -1, true},
                       {L"&Close", scCtrl | VK_F4, 0, true}, {L"-", scNone, -1, true},
                       {L"&Next", scCtrl | VK_F6, -1, true}};
  ASSERT_EQ(Icon->Count(), 7);
  for (Integer I = 0; I < 7; ++I) {
    TVxItem* Item = Icon->Items(I);
    EXPECT_EQ(Item->Caption(), Rows[I].Caption) << I;
    EXPECT_EQ(Item->ShortCut(), Rows[I].ShortCut) << I;
    EXPECT_EQ(Item->ImageIndex(), Rows[I].Image) << I;
    EXPECT_EQ(Item->Enabled(), Rows[I].Enabled) << I;
    EXPECT_EQ(Item->GetImages(), &MDIItemImages());
  }
  EXPECT_EQ(MDIItemImages().Count(), 4);
  // The buttons at the right end, close last, the icon at the left; every item knows the child.
  const Byte Kinds[] = {ikMinimize, ikRestore, ikClose};
  for (int I = 0; I < 3; ++I) {
    TVxItem* Button = Bar->Items()->Items(Bar->Items()->Count() - 3 + I);
    EXPECT_EQ(Button->ItemKind(), Kinds[I]);
    EXPECT_TRUE(Button->Visible());
    EXPECT_EQ(Button->MDIForm(), Child.get());
  }
  const TRect Content = Bar->ContentRect();
  EXPECT_EQ(Bar->Items()->Items(Bar->Items()->Count() - 1)->ItemRect().Right, Content.Right);
  EXPECT_EQ(Icon->ItemRect().Left, Content.Left);
  EXPECT_EQ(File->ItemRect().Left, Icon->ItemRect().Right);
  EXPECT_TRUE(Icon->Visible());

  // Ctrl+F4 on the main form closes the child.
  {
    TKeyDown Ctrl(VK_CONTROL);
    SendMessageA(Shown->Handle(), WM_KEYDOWN, VK_F4, 0);
  }
  Application->ProcessMessages();
  EXPECT_EQ(Closed, 1);

  // Restored, the items hide and forget the child; a command then does nothing.
  Bar->HideMDIItems();
  EXPECT_EQ(Bar->ActiveMDIChild(), nullptr);
  EXPECT_FALSE(Icon->Visible());
  EXPECT_EQ(Icon->MDIForm(), nullptr);
  EXPECT_EQ(File->ItemRect().Left, Content.Left);
  for (TVxItem* Item : {Icon->Items(0), Icon->Items(1), Icon->Items(4), Icon->Items(6), MDI[8], MDI[9], MDI[10]})
    Item->ClickNow();
  EXPECT_EQ(Closed, 1);

  // The buttons minimise and restore the child; a child that goes takes the items away.
  Bar->ShowMDIItems(Child.get());
  MDI[8]->ClickNow();
  EXPECT_TRUE(IsIconic(Child->Handle()));
  EXPECT_FALSE(Bar->MDIItemsShown());
  Bar->ShowMDIItems(Child.get());
  MDI[9]->ClickNow();
  EXPECT_FALSE(IsIconic(Child->Handle()));
  Bar->ShowMDIItems(Child.get());
  Child.reset();
  EXPECT_FALSE(Bar->MDIItemsShown());
  EXPECT_FALSE(Icon->Visible());
  EXPECT_EQ(Icon->MDIForm(), nullptr);
  // A bar freed while it shows a child's items lets go of the child (which lives on here).
  Bar->ShowMDIItems(Shown);
  Bar.reset();
  Shown->Invalidate();
  Application->ProcessMessages();
}

// [Alt on a skinned form] ------------------------------------------------------------------------

TEST_F(MenuBarTest, AltAloneAndTheSystemMenuKeyWithACharacterOpenTheBarOfASkinnedForm) {
  TForm Window;
  Window.SetBounds(40, 40, 360, 220);
  auto* Skin = new TVxForm(&Window);
  TVxMenuBar WindowBar(&Window);
  WindowBar.SetParent(&Window);
  WindowBar.SetAlign(TAlign::alTop);
  TVxItem* WFile = AddItem(*WindowBar.Items(), L"&File", scNone, &Window);
  AddItem(*WFile, L"&New", scNone, &Window);
  TVxItem* WView = AddItem(*WindowBar.Items(), L"&View", scNone, &Window);
  AddItem(*WView, L"&Zoom", scNone, &Window);
  Skin->SetMenuBar(&WindowBar);
  Window.Show();
  Application->ProcessMessages();

  // Alt pressed and released alone: the bar tracks with its first item hot and no popup open.
  Probe.Post([&] {
    EXPECT_TRUE(WindowBar.View()->Tracking());
    EXPECT_EQ(WindowBar.View()->HotItem(), WFile);
    EXPECT_TRUE(ShownPopups().empty());
  });
  Key(VK_ESCAPE);
  SendMessageA(Window.Handle(), WM_SYSKEYDOWN, VK_MENU, LPARAM(1) << 29);
  SendMessageA(Window.Handle(), WM_SYSKEYUP, VK_MENU, LPARAM(DWORD(0xE0000001)));
  EXPECT_TRUE(Probe.Empty());
  EXPECT_FALSE(WindowBar.View()->Tracking());
  EXPECT_EQ(GetCapture(), nullptr);

  // The system-menu key with a character opens the item it belongs to (letter case ignored).
  WaitForPopup();
  Expect([&](TVxPopupView& V) { EXPECT_EQ(V.RootItem(), WView); });
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  EXPECT_EQ(SendMessageA(Window.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v'), 1);
  EXPECT_FALSE(WindowBar.View()->Tracking());
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(GetCapture(), nullptr);
  Application->ProcessMessages();
  EXPECT_TRUE(Probe.Empty());

  // A bar that cannot be used (hidden, disabled, without a visible item) never takes the
  // keyboard: the key goes on to the platform and no character is left behind.
  const std::function<void(bool)> Usable[] = {
      [&](bool On) { WindowBar.SetVisible(On); },
      [&](bool On) { WindowBar.SetEnabled(On); },
      [&](bool On) {
        WFile->SetVisible(On);
        WView->SetVisible(On);
      },
  };
  for (const auto& Set : Usable) {
    Set(false);
    Application->ProcessMessages();
    EXPECT_FALSE(WindowBar.CanTrack());
    SendMessageA(Window.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v');
    EXPECT_FALSE(WindowBar.View()->Tracking());
    MSG Left;
    EXPECT_FALSE(PeekMessageA(&Left, Window.Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) << "a character left behind";
    EXPECT_EQ(GetCapture(), nullptr);
    Set(true);
  }
  EXPECT_TRUE(WindowBar.CanTrack());
}

}  // namespace
