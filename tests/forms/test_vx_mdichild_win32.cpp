// Skinned MDI children under Wine: an MDI parent with a skinned frame and menu bar holding three
// skinned children. The children's frames against the theme's drawing, hit codes, title buttons
// acting through the form's window state, a maximized child's buttons in the parent's menu bar,
// the system menu's entries, and the bad inputs (a child closed while maximized, a parent without
// a menu bar, a child made before the skin is loaded).
#include <windows.h>

#include "../controls/controls_fixture.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_form_frame.h"
#include "vexel/forms/vx_mdichild.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

const std::string SampleSkin = std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";

TRect WindowRectOf(HWND Wnd) {
  RECT R;
  GetWindowRect(Wnd, &R);
  return Rect(R.left, R.top, R.right, R.bottom);
}

class MDIChildTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Watchdog.SetEnabled(true);
    auto Theme = ThemeManager().LoadThemeFromFile(SampleSkin);
    ASSERT_TRUE(Theme) << SampleSkin;
    SetCurrentTheme(std::move(Theme));
    Form->SetFormStyle(TFormStyle::fsMDIForm);
    Form->SetBounds(30, 30, 700, 520);
    Form->SetText("Parent");
    Skin = new TVxForm(Form.get());
    Bar = new TVxMenuBar(Form.get());
    Bar->SetParent(Form.get());
    Bar->SetAlign(TAlign::alTop);
    auto* File = new TVxItem(Bar);
    File->SetCaption(L"&File");
    Bar->Items()->Add(File);
    Skin->SetMenuBar(Bar);
    Application->SetMainForm(Form.get());
    Form->Show();
    for (const char* Caption : {"One", "Two", "Three"}) Children.push_back(AddChild(Caption));
    Application->ProcessMessages();
  }
  void TearDown() override {
    Application->SetMainForm(nullptr);
    Form.reset();
    RemoveCurrentTheme();
    UiTest::TearDown();
  }

  TForm* AddChild(const std::string& Caption) {
    auto* Child = new TForm(Form.get());
    Child->SetFormStyle(TFormStyle::fsMDIChild);
    Child->SetText(Caption);
    Child->SetBounds(10 + 30 * Integer(Children.size()), 10 + 30 * Integer(Children.size()), 260, 180);
    new TVxMDIChild(Child);
    Child->Show();
    return Child;
  }

  static TVxMDIChild* SkinOf(TForm* Child) { return static_cast<TVxMDIChild*>(FindSkinnedMDIChild(Child)); }

  // The hit code the window answers for a point in window coordinates.
  static LRESULT HitAt(TForm* Child, Integer X, Integer Y) {
    const TRect W = WindowRectOf(Child->Handle());
    return SendMessageA(Child->Handle(), WM_NCHITTEST, 0, MAKELPARAM(W.Left + X, W.Top + Y));
  }

  // A left click on the frame at a point in window coordinates, as the platform sends it.
  static void ClickFrame(TForm* Child, TPoint P) {
    const TRect W = WindowRectOf(Child->Handle());
    const LPARAM At = MAKELPARAM(W.Left + P.X, W.Top + P.Y);
    const WPARAM Code = WPARAM(SendMessageA(Child->Handle(), WM_NCHITTEST, 0, At));
    SendMessageA(Child->Handle(), WM_NCLBUTTONDOWN, Code, At);
    SendMessageA(Child->Handle(), WM_NCLBUTTONUP, Code, At);
    Application->ProcessMessages();
  }

  static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

  bool MDIButtonsShown() {
    if (!Bar->MDIItemsShown()) return false;
    for (TVxItem* Item : Bar->MDIItems())
      if (Item && Item->ItemKind() != ikNormal && !Item->Visible()) return false;
    return true;
  }

  TVxForm* Skin = nullptr;
  TVxMenuBar* Bar = nullptr;
  std::vector<TForm*> Children;
};

TEST_F(MDIChildTest, TheFrameIsTheThemesAndAnswersItsHitCodes) {
  TForm* Child = Children.back();
  TVxMDIChild* S = SkinOf(Child);
  ASSERT_NE(S, nullptr);
  ASSERT_TRUE(S->Themed());
  // The client area is what the theme leaves inside its frame.
  TRect Expected{0, 0, S->WindowWidth(), S->WindowHeight()};
  S->Theme()->GetFormClientRect(0, S->WindowInfo(), Expected, "default");
  RECT Client;
  GetClientRect(Child->Handle(), &Client);
  EXPECT_EQ(Client.right, Expected.Width());
  EXPECT_EQ(Client.bottom, Expected.Height());

  // The painted caption band equals the theme's own drawing of the same frame.
  Application->ProcessMessages();
  const TRect W = WindowRectOf(Child->Handle());
  Capture Screen(W.Width(), Expected.Top);
  {
    HDC DC = GetDC(nullptr);
    BitBlt(Screen.DC(), 0, 0, W.Width(), Expected.Top, DC, W.Left, W.Top, SRCCOPY);
    ReleaseDC(nullptr, DC);
  }
  Capture Own(W.Width(), Expected.Top);
  SendMessageA(Child->Handle(), FM_PAINTTO, 0, reinterpret_cast<LPARAM>(Own.DC()));
  int Differ = 0;
  for (int Y = 0; Y < Expected.Top; ++Y)
    for (int X = 0; X < W.Width(); ++X) Differ += Screen.At(X, Y) != Own.At(X, Y);
  EXPECT_LT(Differ, W.Width() * Expected.Top / 50) << "the screen shows another caption";
  // The skin's caption is not the platform's grey.
  EXPECT_NE(Own.At(W.Width() / 2, Expected.Top / 2), 0x00C0C0C0u);

  struct Case {
    TPoint At;
    LRESULT Code;
  };
  const TRect Close = S->GetButtonRect(TVxBorderIcon::kbiClose);
  const TRect Max = S->GetButtonRect(TVxBorderIcon::kbiMaximize);
  ASSERT_FALSE(Close.IsEmpty());
  ASSERT_FALSE(Max.IsEmpty());
  EXPECT_TRUE(S->GetButtonRect(TVxBorderIcon::kbiRollup).IsEmpty());
  EXPECT_TRUE(S->GetButtonRect(TVxBorderIcon::kbiTray).IsEmpty());
  const Case Cases[] = {
      {{W.Width() / 3, Expected.Top / 2}, HTCAPTION},
      {Centre(Close), HTCLOSE},
      {Centre(Max), HTMAXBUTTON},
      {{1, Expected.Top + 40}, HTLEFT},
      {{W.Width() - 1, W.Height() - 1}, HTBOTTOMRIGHT},
      {{W.Width() / 2, Expected.Top + 20}, HTCLIENT},
  };
  for (const Case& C : Cases) EXPECT_EQ(HitAt(Child, C.At.X, C.At.Y), C.Code) << C.At.X << "," << C.At.Y;
}

// Tiling sizes every child: each gets a region and a frame of its new size, on screen too.
TEST_F(MDIChildTest, TiledChildrenGetFramesAndRegionsOfTheirNewSize) {
  Form->Cascade();
  Form->SetTileMode(TTileMode::tbVertical);
  Form->Tile();
  Application->ProcessMessages();
  for (TForm* Child : Children) {
    SCOPED_TRACE(Child->Caption());
    TVxMDIChild* S = SkinOf(Child);
    const TRect W = WindowRectOf(Child->Handle());
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Child->Handle(), Region), ERROR);
    RECT Box;
    GetRgnBox(Region, &Box);
    DeleteObject(Region);
    EXPECT_EQ(Box.right - Box.left, W.Width());
    EXPECT_EQ(Box.bottom - Box.top, W.Height());
    TRect Expected{0, 0, W.Width(), W.Height()};
    S->Theme()->GetFormClientRect(0, S->WindowInfo(), Expected, "default");
    RECT Client;
    GetClientRect(Child->Handle(), &Client);
    EXPECT_EQ(Client.right, Expected.Width());
    EXPECT_EQ(Client.bottom, Expected.Height());
    // Side by side nothing covers a child: the screen shows its frame as the theme paints it.
    Capture Screen(W.Width(), Expected.Top), Own(W.Width(), Expected.Top);
    HDC DC = GetDC(nullptr);
    BitBlt(Screen.DC(), 0, 0, W.Width(), Expected.Top, DC, W.Left, W.Top, SRCCOPY);
    ReleaseDC(nullptr, DC);
    SendMessageA(Child->Handle(), FM_PAINTTO, 0, reinterpret_cast<LPARAM>(Own.DC()));
    int Differ = 0;
    for (int Y = 2; Y < Expected.Top; ++Y)
      for (int X = 2; X < W.Width() - 2; ++X) Differ += Screen.At(X, Y) != Own.At(X, Y);
    EXPECT_LT(Differ, W.Width() * Expected.Top / 50);
  }
}

// The frame is kept between paints: whatever it shows that changes must reach the screen.
TEST_F(MDIChildTest, ARenamedOrHoveredFrameIsPaintedAnew) {
  TForm* Child = Children.back();
  TVxMDIChild* S = SkinOf(Child);
  const TRect W = WindowRectOf(Child->Handle());
  const Integer Band = S->GetClientBounds().Top;
  auto Shot = [&] {
    Application->ProcessMessages();
    Capture Screen(W.Width(), Band);
    HDC DC = GetDC(nullptr);
    BitBlt(Screen.DC(), 0, 0, W.Width(), Band, DC, W.Left, W.Top, SRCCOPY);
    ReleaseDC(nullptr, DC);
    std::vector<uint32_t> Pixels;
    for (int Y = 0; Y < Band; ++Y)
      for (int X = 0; X < W.Width(); ++X) Pixels.push_back(Screen.At(X, Y));
    return Pixels;
  };
  const auto Before = Shot();
  Child->SetText("A much longer caption than before");
  const auto Renamed = Shot();
  EXPECT_NE(Renamed, Before);
  const TRect Close = S->GetButtonRect(TVxBorderIcon::kbiClose);
  SendMessageA(Child->Handle(), WM_NCMOUSEMOVE, HTCLOSE,
               MAKELPARAM(W.Left + Centre(Close).X, W.Top + Centre(Close).Y));
  EXPECT_EQ(S->HotPart(), vxhtClose);
  const auto Hovered = Shot();
  EXPECT_NE(Hovered, Renamed);
  // Invalidating the frame without a change paints the same picture again.
  RedrawWindow(Child->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  EXPECT_EQ(Shot(), Hovered);
}

TEST_F(MDIChildTest, MaximizingPutsTheChildsButtonsInTheParentsMenuBar) {
  TForm* Child = Children.back();
  TVxMDIChild* S = SkinOf(Child);
  ClickFrame(Child, Centre(S->GetButtonRect(TVxBorderIcon::kbiMaximize)));
  EXPECT_EQ(Child->WindowState(), TWindowState::wsMaximized);
  EXPECT_TRUE(MDIButtonsShown());
  EXPECT_EQ(Bar->ActiveMDIChild(), Child);
  // Maximized: no region, no skinned frame, the client fills the MDI client.
  HRGN Region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(Child->Handle(), Region), ERROR);
  DeleteObject(Region);
  RECT Area, Client;
  GetClientRect(Form->ClientHandle(), &Area);
  GetClientRect(Child->Handle(), &Client);
  EXPECT_EQ(Client.right, Area.right);
  EXPECT_EQ(Client.bottom, Area.bottom);

  // The bar's restore command gives the child its frame back and hides the buttons.
  Bar->RestoreMDIChild();
  Application->ProcessMessages();
  EXPECT_EQ(Child->WindowState(), TWindowState::wsNormal);
  EXPECT_FALSE(MDIButtonsShown());

  // Minimize from the title button, and back.
  ClickFrame(Child, Centre(S->GetButtonRect(TVxBorderIcon::kbiMinimize)));
  EXPECT_EQ(Child->WindowState(), TWindowState::wsMinimized);
  EXPECT_FALSE(MDIButtonsShown());
  Child->SetWindowState(TWindowState::wsNormal);

  // A maximized child that closes takes its buttons away, or hands them to the next maximized one.
  Child->SetWindowState(TWindowState::wsMaximized);
  Application->ProcessMessages();
  EXPECT_TRUE(MDIButtonsShown());
  ClickFrame(Child, {0, 0});  // not a button: nothing happens
  EXPECT_EQ(Form->MDIChildCount(), 3);
  Bar->CloseMDIChild();
  PumpUntil([&] { return Form->MDIChildCount() == 2; });
  ASSERT_EQ(Form->MDIChildCount(), 2);
  TForm* Next = Form->ActiveMDIChild();
  ASSERT_NE(Next, nullptr);
  // The client maximizes the child it activates next, which takes the buttons over.
  EXPECT_EQ(Next->WindowState(), TWindowState::wsMaximized);
  EXPECT_TRUE(MDIButtonsShown());
  EXPECT_EQ(Bar->ActiveMDIChild(), Next);
}

TEST_F(MDIChildTest, AMaximizedChildThatLosesItsSkinTakesItsButtonsAway) {
  TForm* Child = Children.back();
  Child->SetWindowState(TWindowState::wsMaximized);
  Application->ProcessMessages();
  ASSERT_TRUE(MDIButtonsShown());
  // Another child's skin going changes nothing.
  delete SkinOf(Children.front());
  EXPECT_TRUE(MDIButtonsShown());
  delete SkinOf(Child);
  EXPECT_FALSE(MDIButtonsShown());
  EXPECT_EQ(Child->WindowState(), TWindowState::wsMaximized);
}

TEST_F(MDIChildTest, TheCloseButtonClosesAndTheSystemMenuFollowsTheState) {
  TForm* Child = Children.front();
  TVxMDIChild* S = SkinOf(Child);
  struct Entry {
    std::string Caption;
    bool Enabled;
  };
  auto Entries = [&] {
    std::vector<Entry> Out;
    for (const auto& E : S->SystemMenuEntries()) Out.push_back({E.Caption, E.Enabled});
    return Out;
  };
  std::vector<Entry> Normal = Entries();
  ASSERT_EQ(Normal.size(), 7u);
  const Entry Expected[] = {{"&Restore", false}, {"Mi&nimize", true}, {"Ma&ximize", true}, {"-", true},
                            {"&Close", true},    {"-", true},         {"&Next", true}};
  for (size_t I = 0; I < Normal.size(); ++I) {
    EXPECT_EQ(Normal[I].Caption, Expected[I].Caption);
    EXPECT_EQ(Normal[I].Enabled, Expected[I].Enabled) << Normal[I].Caption;
  }
  Child->SetWindowState(TWindowState::wsMaximized);
  std::vector<Entry> Maximized = Entries();
  EXPECT_TRUE(Maximized[0].Enabled);
  EXPECT_FALSE(Maximized[2].Enabled);
  Child->SetWindowState(TWindowState::wsNormal);
  Application->ProcessMessages();

  ClickFrame(Child, Centre(S->GetButtonRect(TVxBorderIcon::kbiClose)));
  PumpUntil([&] { return Form->MDIChildCount() == 2; });
  EXPECT_EQ(Form->MDIChildCount(), 2);
}

TEST_F(MDIChildTest, AChildMadeBeforeTheSkinAndAParentWithoutAMenuBar) {
  // Without a skin the child keeps the default frame; loading the skin gives it the skin's.
  RemoveCurrentTheme();
  TForm* Late = AddChild("Late");
  TVxMDIChild* S = SkinOf(Late);
  EXPECT_FALSE(S->Themed());
  const TRect Plain = S->GetClientBounds();
  SetCurrentTheme(ThemeManager().LoadThemeFromFile(SampleSkin));
  Application->ProcessMessages();
  ASSERT_TRUE(S->Themed());
  EXPECT_NE(S->GetClientBounds(), Plain);
  RECT Client;
  GetClientRect(Late->Handle(), &Client);
  EXPECT_EQ(Client.bottom, S->GetClientBounds().Height());

  // No menu bar: maximizing and closing still work, nobody is told.
  Skin->SetMenuBar(nullptr);
  delete Bar;
  Bar = nullptr;
  Late->SetWindowState(TWindowState::wsMaximized);
  Application->ProcessMessages();
  EXPECT_EQ(Late->WindowState(), TWindowState::wsMaximized);
  Late->Close();
  PumpUntil([&] { return Form->MDIChildCount() == 3; });
  EXPECT_EQ(Form->MDIChildCount(), 3);
}

}  // namespace
