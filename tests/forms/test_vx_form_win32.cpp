// Skinned windows under Wine: the frame's geometry and hit codes against the sample skin's Form
// object, the title buttons and the window states they lead to, moving, snapping and sizing with
// real non-client and capture messages, the painted frame read back from the screen, the shadow
// and blending over a known backdrop, and the platform's frame where the skin has no Form.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "../controls/controls_fixture.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/graphics/imagelist.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/controls/vx_statusbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/skin/theme_dv3objects.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

const std::string SampleSkin = std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";

// The sample skin's frame: a 30-pixel title bar, borders of 6 on the other sides.
constexpr Integer SkinTitle = 30, SkinBorder = 6;

// Title buttons of a normal window with the default border icons: system menu, close, minimize,
// maximize, roll up, tray and the three hit-test-only bits.
constexpr uint16_t NormalButtons = 0x1EAB;

TRect WindowRectOf(HWND Wnd) {
  RECT R;
  GetWindowRect(Wnd, &R);
  return Rect(R.left, R.top, R.right, R.bottom);
}

// The client area in window coordinates, as the platform reports it.
TRect ClientInWindow(HWND Wnd) {
  RECT C;
  GetClientRect(Wnd, &C);
  POINT P{0, 0};
  ClientToScreen(Wnd, &P);
  const TRect W = WindowRectOf(Wnd);
  return Bounds(P.x - W.Left, P.y - W.Top, C.right, C.bottom);
}

// What the screen shows of a rectangle.
void ScreenShot(const TRect& R, Capture& Into) {
  HDC Screen = GetDC(nullptr);
  BitBlt(Into.DC(), 0, 0, R.Width(), R.Height(), Screen, R.Left, R.Top, SRCCOPY);
  ReleaseDC(nullptr, Screen);
}

TSize SizeOf(const TRect& R) { return {R.Width(), R.Height()}; }

// A pixel of the theme's drawing no part of the skin covered.
constexpr uint32_t Untouched = 0x00FE01FD;

class SkinnedFormTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    RemoveCurrentTheme();
    Watchdog.SetEnabled(true);
  }
  void TearDown() override {
    Window.reset();
    Backdrop.reset();
    RemoveCurrentTheme();
    UiTest::TearDown();
  }
  static void UseSampleSkin() {
    auto Theme = ThemeManager().LoadThemeFromFile(SampleSkin);
    ASSERT_TRUE(Theme) << SampleSkin;
    SetCurrentTheme(std::move(Theme));
  }
  // A skinned window at (100, 100) of 400 x 300; Prepare runs before it is shown.
  template <typename TSkin = TVxForm>
  TSkin* Open(const std::function<void(TSkin&)>& Prepare = nullptr) {
    Window = std::make_unique<TForm>();
    Window->SetBounds(100, 100, 400, 300);
    Window->SetColor(clWhite);
    auto* S = new TSkin(Window.get());
    if (Prepare) Prepare(*S);
    Window->Show();
    // The first frame keeps the client size the platform's frame gave: the outer size is set
    // again for the tests to count from.
    Window->SetBounds(100, 100, 400, 300);
    Settle();
    return S;
  }
  // A plain window of one colour under where the skinned one goes.
  void OpenBackdrop(TColor Color) {
    Backdrop = std::make_unique<TForm>();
    Backdrop->SetBorderStyle(TFormBorderStyle::bsNone);
    Backdrop->SetBounds(60, 60, 500, 400);
    Backdrop->SetColor(Color);
    Backdrop->Show();
    Settle();
  }
  static void Settle() {
    PumpUntil([] { return false; }, 60);
  }
  HWND Wnd() const { return Window->Handle(); }
  TRect Bounds() const { return WindowRectOf(Window->Handle()); }
  LPARAM ScreenAt(Integer X, Integer Y) const {
    const TRect W = Bounds();
    return MAKELPARAM(W.Left + X, W.Top + Y);
  }
  intptr_t HitAt(Integer X, Integer Y) const { return SendMessageA(Wnd(), WM_NCHITTEST, 0, ScreenAt(X, Y)); }
  // A press and release on the frame at a point in window coordinates.
  void Click(Integer X, Integer Y) {
    const LPARAM P = ScreenAt(X, Y);
    const WPARAM Hit = WPARAM(SendMessageA(Wnd(), WM_NCHITTEST, 0, P));
    SendMessageA(Wnd(), WM_NCLBUTTONDOWN, Hit, P);
    SendMessageA(Wnd(), WM_NCLBUTTONUP, Hit, P);
    Settle();
  }
  void Click(const TRect& Button) { Click((Button.Left + Button.Right) / 2, (Button.Top + Button.Bottom) / 2); }
  // Presses at a window point, moves the pointer by (DX, DY) in steps and releases: after the press
  // the window has the capture and hears client-coordinate messages, as from a real mouse.
  void Drag(Integer X, Integer Y, Integer DX, Integer DY, int Steps = 4) {
    const TRect Start = Bounds();
    const POINT From{Start.Left + X, Start.Top + Y};
    SendMessageA(Wnd(), WM_NCLBUTTONDOWN, WPARAM(HitAt(X, Y)), MAKELPARAM(From.x, From.y));
    for (int I = 1; I <= Steps; ++I) {
      POINT P{From.x + DX * I / Steps, From.y + DY * I / Steps};
      ScreenToClient(Wnd(), &P);
      SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(P.x, P.y));
    }
    POINT P{From.x + DX, From.y + DY};
    ScreenToClient(Wnd(), &P);
    SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(P.x, P.y));
    Settle();
  }
  // The theme's own picture of the Form object at W x H.
  static void ThemeFrame(Integer W, Integer H, bool Active, Capture& Into) {
    HBRUSH Fill = CreateSolidBrush(RGB(0xFE, 0x01, 0xFD));
    const RECT All{0, 0, W, H};
    FillRect(Into.DC(), &All, Fill);
    DeleteObject(Fill);
    TCanvas Canvas(Into.DC());
    TvxWindowInfo Info;
    Info.Rect = Rect(0, 0, W, H);
    Info.Active = Active;
    Info.Buttons = NormalButtons;
    CurrentTheme()->DrawFormBorder(0, Canvas, "default", Info);
    Canvas.SetHandle(nullptr);
  }

  // A pixel of the theme's client background.
  static uint32_t ThemeClientPixel() {
    Capture Drawn(1, 1);
    TCanvas Canvas(Drawn.DC());
    CurrentTheme()->DrawFormBackground(0, Canvas, "default", Rect(0, 0, 1, 1));
    Canvas.SetHandle(nullptr);
    return Drawn.At(0, 0);
  }

  std::unique_ptr<TForm> Window;
  std::unique_ptr<TForm> Backdrop;
};

// [Geometry and hit testing] --------------------------------------------------------------------

TEST_F(SkinnedFormTest, FrameGeometryFollowsTheSkinsFormObject) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  ASSERT_TRUE(Skin->Themed());
  // The skin objects laid out at the window's size say where the client and the close button go.
  TDvSkinSource Source;
  Source.LoadFromFile(SampleSkin);
  TDvSkinObject* Form = Source.FindObject("Form");
  ASSERT_NE(Form, nullptr);
  Form->SetBounds(Rect(0, 0, 400, 300));
  Form->RealignAll();
  const TRect Client = Form->FindByKind(TDvKind::skClient)->BoundsRect();
  EXPECT_EQ(Client, Rect(SkinBorder, SkinTitle, 400 - SkinBorder, 300 - SkinBorder));
  EXPECT_EQ(Bounds().Width(), 400);
  EXPECT_EQ(Bounds().Height(), 300);
  EXPECT_EQ(ClientInWindow(Wnd()), Client);
  EXPECT_EQ(Window->ClientWidth(), Client.Width());
  const TRect Close = Form->FindByAction(TDvAction::sbaClose)->BoundsRect();
  EXPECT_EQ(Skin->GetButtonRect(TVxBorderIcon::kbiClose), Close);
  // Without the icon there is no button.
  Skin->SetBorderIcons({TVxBorderIcon::kbiClose});
  EXPECT_TRUE(Skin->GetButtonRect(TVxBorderIcon::kbiMaximize).IsEmpty());
  EXPECT_EQ(SizeOf(ClientInWindow(Wnd())), SizeOf(Client)) << "the client size survives the frame update";
}

TEST_F(SkinnedFormTest, HitCodesAtBordersCornersCaptionAndButtons) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  const TRect Close = Skin->GetButtonRect(TVxBorderIcon::kbiClose);
  const TRect Max = Skin->GetButtonRect(TVxBorderIcon::kbiMaximize);
  const TRect Min = Skin->GetButtonRect(TVxBorderIcon::kbiMinimize);
  const struct {
    Integer X, Y;
    intptr_t Code;
  } Cases[] = {
      {2, 150, HTLEFT},
      {397, 150, HTRIGHT},
      {200, 297, HTBOTTOM},
      {200, 1, HTTOP},
      // The skin's top edge runs the whole width above its corner grips.
      {2, 2, HTTOP},
      {2, 8, HTTOPLEFT},
      {397, 8, HTTOPRIGHT},
      {2, 297, HTBOTTOMLEFT},
      {397, 297, HTBOTTOMRIGHT},
      {150, 18, HTCAPTION},
      {(Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2, HTCLOSE},
      {(Max.Left + Max.Right) / 2, (Max.Top + Max.Bottom) / 2, HTMAXBUTTON},
      {(Min.Left + Min.Right) / 2, (Min.Top + Min.Bottom) / 2, HTMINBUTTON},
      {200, 150, HTCLIENT},
  };
  for (const auto& C : Cases) EXPECT_EQ(HitAt(C.X, C.Y), C.Code) << C.X << ", " << C.Y;

  // The gates: no sizing leaves edges and corners to the client; no moving, the caption.
  Skin->Dragging()->SetSizeable(false);
  EXPECT_EQ(HitAt(2, 150), HTCLIENT);
  EXPECT_EQ(HitAt(397, 297), HTCLIENT);
  Skin->Dragging()->SetMoveable(false);
  EXPECT_EQ(HitAt(150, 18), HTCLIENT);
  Drag(150, 18, 60, 60);
  EXPECT_EQ(Bounds().Left, 100) << "an unmovable window stays";
  EXPECT_EQ(Bounds().Top, 100);
  Drag(2, 150, -50, 0);
  EXPECT_EQ(Bounds().Width(), 400) << "an unsizeable window keeps its size";
}

// A status bar in the skinned form's corner sizes the form by its grip: the press goes on to the
// frame, which sizes itself. A form that may not be sized shows no grip there.
TEST_F(SkinnedFormTest, AStatusBarsGripSizesTheSkinnedForm) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  auto* Bar = new TVxStatusBar(Window.get());
  Bar->SetAlign(TAlign::alBottom);
  Bar->SetParent(Window.get());
  Settle();
  ASSERT_TRUE(Bar->GripApplies());
  TRect Grip;
  Bar->GetGripRect(Grip);
  const TPoint Centre{(Grip.Left + Grip.Right) / 2, (Grip.Top + Grip.Bottom) / 2};
  const TPoint OnScreen = Bar->ClientToScreen(Centre);
  EXPECT_EQ(HitAt(OnScreen.X - Bounds().Left, OnScreen.Y - Bounds().Top), HTBOTTOMRIGHT);
  SendMessageA(Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre.X, Centre.Y));
  EXPECT_EQ(GetCapture(), Wnd()) << "the frame took the press";
  POINT To{OnScreen.X + 40, OnScreen.Y + 30};
  ScreenToClient(Wnd(), &To);
  SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(To.x, To.y));
  SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(To.x, To.y));
  Settle();
  EXPECT_EQ(Bounds(), ::Bounds(100, 100, 440, 330));
  Skin->Dragging()->SetSizeable(false);
  EXPECT_FALSE(Bar->GripApplies());
  EXPECT_EQ(HitAt(OnScreen.X - Bounds().Left, OnScreen.Y - Bounds().Top), HTCLIENT);
}

// [Window states] -------------------------------------------------------------------------------

TEST_F(SkinnedFormTest, TitleButtonsMaximizeRestoreRollUpAndMinimize) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  const TRect Normal = Bounds();

  Click(Skin->GetButtonRect(TVxBorderIcon::kbiMaximize));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized);
  EXPECT_EQ(Bounds(), GetMonitorAreaFromWindow(Wnd(), true)) << "a themed window fills the work area exactly";
  EXPECT_EQ(HitAt(2, 150), HTCLIENT) << "a maximized window has no sizing edges";
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiMaximize));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_EQ(Bounds(), Normal);

  // Rolled up, only the frame is left: the title bar and the bottom border.
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiRollup));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsRollup);
  EXPECT_EQ(Bounds(), ::Bounds(100, 100, 400, SkinTitle + SkinBorder));
  // Rolled down at the current place with the old height.
  Drag(150, 18, 40, 30);
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiRollup));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_EQ(Bounds(), ::Bounds(140, 130, 400, 300));

  Click(Skin->GetButtonRect(TVxBorderIcon::kbiMinimize));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMinimized);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(Wnd()) != FALSE; }));
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_FALSE(IsIconic(Wnd()));
  EXPECT_EQ(Bounds(), ::Bounds(140, 130, 400, 300));
}

TEST_F(SkinnedFormTest, ATitleButtonActsOnlyWhenReleasedOverItself) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  const TRect Max = Skin->GetButtonRect(TVxBorderIcon::kbiMaximize);
  const LPARAM Down = ScreenAt(Max.Left + 2, Max.Top + 2);
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, Down);
  EXPECT_EQ(GetCapture(), Wnd());
  SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(200 - SkinBorder, 150 - SkinTitle));
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SkinnedFormTest, DoubleClicksOnTheCaptionAndTheSystemMenuButton) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  SendMessageA(Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenAt(150, 18));
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized);
  SendMessageA(Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenAt(150, 18));
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_EQ(Bounds(), ::Bounds(100, 100, 400, 300));
  EXPECT_EQ(GetCapture(), nullptr);
  // Without the maximize icon a double click does nothing to the state.
  Skin->SetBorderIcons({TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu});
  SendMessageA(Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenAt(150, 18));
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  // A double click on the system-menu button closes the window.
  const TRect SysMenu = Skin->GetButtonRect(TVxBorderIcon::kbiSystemMenu);
  ASSERT_FALSE(SysMenu.IsEmpty());
  SendMessageA(Wnd(), WM_NCLBUTTONDBLCLK, HTSYSMENU,
               ScreenAt((SysMenu.Left + SysMenu.Right) / 2, (SysMenu.Top + SysMenu.Bottom) / 2));
  Settle();
  EXPECT_FALSE(IsWindowVisible(Wnd()));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SkinnedFormTest, TrayAndBackToThePreviousState) {
  // Hiding and showing a window takes Wine about two seconds each.
  Watchdog.SetInterval(20000);
  // The classic default frame has a tray button (visual styles offer none).
  TClassicLook Classic;
  TVxDefaultForm* Skin = Open<TVxDefaultForm>();
  // From maximized to the tray by its button, and back by a double click on the icon: maximized.
  Skin->Maximize();
  const TRect Tray = Skin->GetButtonRect(TVxBorderIcon::kbiTray);
  ASSERT_FALSE(Tray.IsEmpty());
  Click(Tray);
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsTray);
  EXPECT_FALSE(IsWindowVisible(Wnd()));
  SendMessageA(Skin->UtilityWindow(), FM_TRAYICON, 0, WM_LBUTTONDBLCLK);
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized);
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_FALSE(Skin->TrayIconShown());
  Skin->Restore();
  EXPECT_EQ(Bounds(), ::Bounds(100, 100, 400, 300)) << "the normal bounds survive the round";

  // Rolled up, to the tray and back: rolled up.
  Skin->Rollup();
  SendMessageA(Wnd(), FM_ACTION, 4, 0);
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsTray);
  Skin->Restore();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsRollup);
  EXPECT_EQ(Bounds().Width(), 400);
  EXPECT_LT(Bounds().Height(), 100);
}

// A handler the application's events had before a skinned form took them over.
struct TPreviousHandler {
  std::vector<std::string>* Calls;
  const char* Name;
  std::function<void()> Then;
  void operator()(TObject*) const {
    Calls->push_back(Name);
    if (Then) Then();
  }
};

TEST_F(SkinnedFormTest, WithMinimizeApplicationTheFormMinimizesAndRestoresThroughTheApplication) {
  // Hiding and showing windows takes Wine about two seconds each.
  Watchdog.SetInterval(60000);
  struct TApplicationGuard {
    std::string Title = Application->Title();
    ~TApplicationGuard() {
      Application->Restore();
      Application->OnMinimize = nullptr;
      Application->OnRestore = nullptr;
      Application->SetMainForm(nullptr);
      Application->SetTitle(Title);
    }
  } Guard;
  std::vector<std::string> Calls;
  std::function<void()> AfterMinimize;
  Application->OnMinimize = TPreviousHandler{&Calls, "minimize", [&] {
                                               if (AfterMinimize) AfterMinimize();
                                             }};
  Application->OnRestore = TPreviousHandler{&Calls, "restore", nullptr};
  // The main form is a plain window; the skinned one is owned by it.
  OpenBackdrop(clBlue);
  Application->SetMainForm(Backdrop.get());
  UseSampleSkin();
  TVxForm* Skin = Open();
  const HWND Main = Backdrop->Handle();
  ASSERT_EQ(GetWindow(Wnd(), GW_OWNER), Main);
  EXPECT_TRUE(Skin->ApplicationTakenOver()) << "taken over when the form was first activated";
  const TRect Normal = Bounds();

  // Its minimize button minimizes the application; the previous handler still runs, once.
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiMinimize));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMinimized);
  EXPECT_TRUE(Application->Minimized());
  EXPECT_TRUE(IsIconic(Main));
  EXPECT_FALSE(IsWindowVisible(Wnd()));
  EXPECT_EQ(Calls, (std::vector<std::string>{"minimize"}));
  // The main form restored from the taskbar brings the skinned form back to its bounds.
  SendMessageA(Main, WM_SYSCOMMAND, SC_RESTORE, 0);
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_EQ(Bounds(), Normal);
  EXPECT_EQ(Calls, (std::vector<std::string>{"minimize", "restore"}));

  // Minimized from elsewhere, the application takes the skinned form along; its own restore
  // brings the application back.
  SendMessageA(Main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMinimized);
  EXPECT_FALSE(IsWindowVisible(Wnd()));
  Skin->Restore();
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_FALSE(Application->Minimized());
  EXPECT_FALSE(IsIconic(Main));
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_EQ(Calls, (std::vector<std::string>{"minimize", "restore", "minimize", "restore"}));

  // To the tray: the tip is the application's title (cut to 63 characters), the application
  // leaves the taskbar; a double click on the icon brings all of it back.
  const std::string Title(70, 'T');
  Application->SetTitle(Title);
  Skin->MinimizeToTray();
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsTray);
  EXPECT_EQ(Skin->TrayTip(), Title.substr(0, 63));
  EXPECT_TRUE(Application->Minimized());
  EXPECT_FALSE(IsWindowVisible(Wnd()));
  EXPECT_FALSE(IsWindowVisible(Main));
  SendMessageA(Skin->UtilityWindow(), FM_TRAYICON, 0, WM_LBUTTONDBLCLK);
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(IsWindowVisible(Main));
  EXPECT_FALSE(IsIconic(Main));
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_EQ(Bounds(), Normal);
  EXPECT_EQ(Calls.size(), 6u) << "one minimize and one restore more";

  // Maximized while the application is minimized, its restore brings the application back and
  // the form shows maximized; the next restore gives the normal bounds.
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiMinimize));
  Skin->Maximize();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized);
  EXPECT_EQ(Skin->PrevState(), TVxWindowState::kwsMinimized);
  Skin->Restore();
  Settle();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized);
  EXPECT_EQ(Bounds(), GetMonitorAreaFromWindow(Wnd(), true));
  Skin->Restore();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_EQ(Bounds(), Normal);
  EXPECT_EQ(Calls.size(), 8u);

  // Freed by the previous handler while its own handler runs: nothing of it is called later and
  // both events hold the previous handlers again.
  AfterMinimize = [&] {
    AfterMinimize = nullptr;
    delete Skin;
  };
  SendMessageA(Main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_NE(Application->OnMinimize.target<TPreviousHandler>(), nullptr);
  EXPECT_NE(Application->OnRestore.target<TPreviousHandler>(), nullptr);
  SendMessageA(Main, WM_SYSCOMMAND, SC_RESTORE, 0);
  Settle();
  EXPECT_EQ(Calls.size(), 10u);
  EXPECT_TRUE(IsWindowVisible(Wnd()));
}

TEST_F(SkinnedFormTest, ActionEventsCanRefuse) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  Skin->OnMaximize = [](TObject*, bool& Allow) { Allow = false; };
  Skin->OnRollup = [](TObject*, bool& Allow) { Allow = false; };
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiMaximize));
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiRollup));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal);
  EXPECT_EQ(Bounds(), ::Bounds(100, 100, 400, 300));
  bool Closed = false;
  Window->OnClose = [&](TObject*, TCloseAction& Action) {
    Closed = true;
    Action = TCloseAction::caHide;
  };
  Skin->OnClose = [](TObject*, bool& Allow) { Allow = false; };
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiClose));
  EXPECT_FALSE(Closed);
  Skin->OnClose = nullptr;
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiClose));
  EXPECT_TRUE(Closed);
  EXPECT_FALSE(IsWindowVisible(Wnd()));
}

TEST_F(SkinnedFormTest, SystemMenuEntriesPerStateAndWhereItOpens) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  std::vector<std::string> Shown;
  TPoint At{};
  Skin->OnShowSystemMenu = [&](const std::vector<TVxDefaultForm::TSystemMenuEntry>& Entries, TPoint P) {
    Shown.clear();
    for (const auto& E : Entries) Shown.push_back(E.Caption);
    At = P;
  };
  // A right click on the caption opens it at the pointer.
  const LPARAM P = ScreenAt(150, 18);
  SendMessageA(Wnd(), WM_NCRBUTTONDOWN, HTCAPTION, P);
  SendMessageA(Wnd(), WM_NCRBUTTONUP, HTCAPTION, P);
  EXPECT_EQ(At, TPoint(100 + 150, 100 + 18));
  EXPECT_EQ(Shown, (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "Ro&llup", "Minimize to &Tray", "-", "&Close"}));
  Skin->Maximize();
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  EXPECT_EQ(Shown, (std::vector<std::string>{"&Restore", "Mi&nimize", "Ro&llup", "Minimize to &Tray", "-", "&Close"}));
  Skin->SetBorderIcons({TVxBorderIcon::kbiClose});
  Skin->ShowSystemMenu();
  EXPECT_EQ(Shown, (std::vector<std::string>{"&Restore", "-", "&Close"}));
}

TEST_F(SkinnedFormTest, AltSpaceOpensTheSkinnedSystemMenuDrivenByKeys) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  // Keys wait in the queue for the menu's own loop: the accelerator of "Ma&ximize".
  PostMessageA(Wnd(), WM_CHAR, 'x', 0);
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized);
  ASSERT_NE(Skin->SystemMenu(), nullptr) << "the skinned items showed the menu";
  // Up from the top comes round to the last entry, "&Close".
  PostMessageA(Wnd(), WM_KEYDOWN, VK_UP, 0);
  PostMessageA(Wnd(), WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  // The chosen entry runs from the queue once the menu has closed; a loaded machine takes longer.
  PumpUntil([&] { return !IsWindowVisible(Wnd()); }, 3000);
  EXPECT_FALSE(IsWindowVisible(Wnd()));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(SystemMenuImages, SixMaskedGlyphsFromTheProgramsResources) {
  TImageList& Images = SystemMenuImages();
  ASSERT_EQ(Images.Count(), 6);
  // On white: the mask shows the white, the figure is black. The close glyph's cross starts at
  // (4, 4); the maximize glyph's window has its caption edge at the top.
  const struct {
    Integer Index, X, Y;
    uint32_t Pixel;
  } Cases[] = {{0, 0, 0, 0xFFFFFF}, {0, 4, 4, 0x000000}, {0, 8, 1, 0xFFFFFF},
               {2, 5, 3, 0x000000}, {2, 5, 6, 0xFFFFFF}, {3, 3, 12, 0x000000}};
  for (const auto& C : Cases) {
    Capture Glyph(16, 16);
    const RECT All{0, 0, 16, 16};
    FillRect(Glyph.DC(), &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TCanvas Canvas(Glyph.DC());
    Images.Draw(Canvas, 0, 0, C.Index);
    Canvas.SetHandle(nullptr);
    EXPECT_EQ(Glyph.At(C.X, C.Y), C.Pixel) << C.Index << " at " << C.X << ", " << C.Y;
  }
}

// [Moving and sizing] ---------------------------------------------------------------------------

TEST_F(SkinnedFormTest, MovingByTheCaptionSnapsToAWorkAreaEdgeCloserThanTheGravitation) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  const TRect Area = GetMonitorAreaFromWindow(Wnd(), true);
  ASSERT_EQ(Skin->Gravitation()->Size(), 20);
  // Dropped 19 pixels from the left edge: snaps; 20 pixels: stays.
  Drag(150, 18, Area.Left + 19 - 100, 0);
  EXPECT_EQ(Bounds().Left, Area.Left);
  EXPECT_EQ(Bounds().Top, 100);
  Drag(150, 18, 20 + 40, 0);
  Drag(150, 18, -40, 0);
  EXPECT_EQ(Bounds().Left, Area.Left + 20);
  // The same at the bottom edge, counted from the window's bottom.
  const Integer Down = Area.Bottom - 19 - Bounds().Bottom;
  Drag(150, 18, 0, Down);
  EXPECT_EQ(Bounds().Bottom, Area.Bottom);
  Skin->Gravitation()->SetEnabled(false);
  Drag(150, 18, 0, -40);
  Drag(150, 18, 0, 21);
  EXPECT_EQ(Bounds().Bottom, Area.Bottom - 19) << "without gravitation nothing snaps";
}

TEST_F(SkinnedFormTest, SizingFromACornerHoldsTheMinimumSize) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  Drag(397, 297, 50, 30);
  EXPECT_EQ(Bounds(), ::Bounds(100, 100, 450, 330));
  EXPECT_EQ(ClientInWindow(Wnd()), Rect(SkinBorder, SkinTitle, 450 - SkinBorder, 330 - SkinBorder));
  // A themed window goes down to 100 wide and to its frame's height.
  Drag(447, 327, -1000, -1000);
  EXPECT_EQ(Bounds(), ::Bounds(100, 100, 100, SkinTitle + SkinBorder));
  // The left edge pushed right stops at the minimum width; the right edge stays.
  Window->SetBounds(100, 100, 400, 300);
  Settle();
  Drag(2, 150, 1000, 0);
  EXPECT_EQ(Bounds(), ::Bounds(400, 100, 100, 300));
  // A constraint wins over the theme's minimum.
  Window->SetBounds(100, 100, 400, 300);
  Skin->Constraints()->SetMinWidth(250);
  Settle();
  Drag(397, 150, -1000, 0);
  EXPECT_EQ(Bounds().Width(), 250);
}

TEST_F(SkinnedFormTest, OutlineDraggingMovesTheWindowOnlyAtRelease) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  Skin->Dragging()->SetDragMode(TVxFormDragMode::kfdmBorder);
  const TRect Start = Bounds();
  const POINT From{Start.Left + 150, Start.Top + 18};
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(From.x, From.y));
  EXPECT_FALSE(Skin->PaintEnabled()) << "frame painting rests while the outline moves";
  POINT P{From.x + 70, From.y + 50};
  ScreenToClient(Wnd(), &P);
  SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(P.x, P.y));
  EXPECT_EQ(Bounds(), Start) << "only the outline follows the pointer";
  SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(P.x, P.y));
  Settle();
  EXPECT_EQ(Bounds(), Start.Offset(70, 50));
  EXPECT_TRUE(Skin->PaintEnabled());
  EXPECT_EQ(Skin->Dragging()->DragMode(), TVxFormDragMode::kfdmBorder);
  EXPECT_EQ(GetCapture(), nullptr);
}

// [Painting] ------------------------------------------------------------------------------------

TEST_F(SkinnedFormTest, FramePixelsAreTheSkinsDrawingInBothActivationStates) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  Window->SetCaption("");
  Settle();
  // Title buttons are drawn on their own, with the state of each; the rest is the border.
  std::vector<TRect> Buttons;
  for (TVxBorderIcon I : {TVxBorderIcon::kbiSystemMenu, TVxBorderIcon::kbiClose, TVxBorderIcon::kbiMinimize,
                          TVxBorderIcon::kbiMaximize, TVxBorderIcon::kbiRollup, TVxBorderIcon::kbiTray})
    Buttons.push_back(Skin->GetButtonRect(I));
  auto OnButton = [&](Integer X, Integer Y) {
    return std::any_of(Buttons.begin(), Buttons.end(), [&](const TRect& R) { return R.Contains(X, Y); });
  };
  const TRect Client = ClientInWindow(Wnd());
  Capture Drawn[2] = {Capture(400, 300), Capture(400, 300)};
  Capture Shot[2] = {Capture(400, 300), Capture(400, 300)};
  for (int Active = 0; Active < 2; ++Active) {
    SendMessageA(Wnd(), WM_NCACTIVATE, Active, 0);
    Settle();
    ASSERT_EQ(Skin->CaptionActive(), Active == 1);
    ScreenShot(Bounds(), Shot[Active]);
    ThemeFrame(400, 300, Active == 1, Drawn[Active]);
  }
  int Compared = 0, Differ = 0;
  for (Integer Y = 0; Y < 300; ++Y)
    for (Integer X = 0; X < 400; ++X) {
      if (Client.Contains(X, Y) || OnButton(X, Y)) continue;
      for (int Active = 0; Active < 2; ++Active) {
        if (Drawn[Active].At(X, Y) == Untouched) continue;
        ++Compared;
        ASSERT_EQ(Shot[Active].At(X, Y), Drawn[Active].At(X, Y)) << X << ", " << Y << " active " << Active;
      }
      if (Drawn[0].At(X, Y) != Drawn[1].At(X, Y)) ++Differ;
    }
  EXPECT_GT(Compared, 2 * (2 * 300 + 400) * SkinBorder) << "most of the frame was compared";
  EXPECT_GT(Differ, 400) << "the skin draws active and inactive frames differently";
}

TEST_F(SkinnedFormTest, TitleButtonsShowHotAndPressedAsTheSkinDrawsThem) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  Window->SetCaption("");
  SendMessageA(Wnd(), WM_NCACTIVATE, 1, 0);
  Settle();
  const TRect Close = Skin->GetButtonRect(TVxBorderIcon::kbiClose);
  const LPARAM Over = ScreenAt((Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2);
  // The skin's picture of the close button in a state, over its frame.
  auto Expected = [&](Byte State, Capture& Into) {
    ThemeFrame(400, 300, true, Into);
    TCanvas Canvas(Into.DC());
    TvxTitleButtonInfo Info;
    Info.Rect = Close;
    Info.Button = 1;
    Info.State = State;
    CurrentTheme()->DrawFormButton(0, Canvas, "default", Info);
    Canvas.SetHandle(nullptr);
  };
  auto Differences = [&](const Capture& A, const Capture& B) {
    int N = 0;
    for (Integer Y = Close.Top; Y < Close.Bottom; ++Y)
      for (Integer X = Close.Left; X < Close.Right; ++X) N += A.At(X, Y) != B.At(X, Y);
    return N;
  };
  Capture Normal(400, 300), Hot(400, 300), Pressed(400, 300);
  Expected(0, Normal);
  Expected(1, Hot);
  Expected(2, Pressed);
  ASSERT_GT(Differences(Normal, Hot), 0) << "the skin draws a hot close button differently";
  ASSERT_GT(Differences(Hot, Pressed), 0);
  const struct {
    UINT Msg;
    const Capture& Want;
    const char* Name;
  } Steps[] = {{WM_NCMOUSEMOVE, Hot, "hot"}, {WM_NCLBUTTONDOWN, Pressed, "pressed"}};
  for (const auto& Step : Steps) {
    SendMessageA(Wnd(), Step.Msg, HTCLOSE, Over);
    Settle();
    Capture Shot(400, 300);
    ScreenShot(Bounds(), Shot);
    EXPECT_EQ(Differences(Shot, Step.Want), 0) << Step.Name;
  }
  // Released elsewhere: nothing happens, and the button is normal again.
  SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
  Settle();
  Capture Shot(400, 300);
  ScreenShot(Bounds(), Shot);
  EXPECT_EQ(Differences(Shot, Normal), 0) << "normal";
  EXPECT_TRUE(IsWindowVisible(Wnd()));
}

TEST_F(SkinnedFormTest, ShadowRingsComposeOverTheScreenBehind) {
  UseSampleSkin();
  const TColor Back = TColor(RGB(200, 40, 90));
  const uint32_t B = DibColor(Back);
  OpenBackdrop(Back);
  TVxForm* Skin = Open<TVxForm>([](TVxForm& S) { S.Shadow()->SetEnabled(true); });
  const Integer S = Skin->Shadow()->Size();
  ASSERT_EQ(S, 4);
  EXPECT_EQ(Skin->FullWidth(), 400);
  EXPECT_EQ(Skin->WindowWidth(), 400 - S);
  EXPECT_EQ(Skin->WindowHeight(), 300 - S);
  Capture Shot(400, 300);
  ScreenShot(Bounds(), Shot);
  const uint32_t Grey = 0x3F3F3F;
  // From the outside in: 8, 58, 108, 128.
  const uint32_t Alphas[] = {8, 58, 108, 128};
  for (int Ring = 0; Ring < 4; ++Ring) {
    EXPECT_EQ(Shot.At(399 - Ring, 150), Over(Grey, B, Alphas[Ring])) << "right ring " << Ring;
    EXPECT_EQ(Shot.At(200, 299 - Ring), Over(Grey, B, Alphas[Ring])) << "bottom ring " << Ring;
  }
  // Above the right strip and left of the bottom strip the screen shows through.
  EXPECT_EQ(Shot.At(398, 1), B);
  EXPECT_EQ(Shot.At(1, 298), B);

  // Maximized, the window has no shadow: its full size is its frame size.
  Skin->Maximize();
  EXPECT_EQ(Skin->FullWidth(), Skin->WindowWidth());
  Skin->Restore();
  EXPECT_EQ(Skin->WindowWidth(), 400 - S);
}

TEST_F(SkinnedFormTest, BlendingComposesFrameAndClientOverTheScreenBehind) {
  UseSampleSkin();
  const TColor Back = TColor(RGB(30, 160, 220));
  const uint32_t B = DibColor(Back);
  OpenBackdrop(Back);
  TVxForm* Skin = Open<TVxForm>([](TVxForm& S) {
    S.Blending()->SetEnabled(true);
    S.Blending()->SetValue(128);
  });
  Window->SetCaption("");
  Settle();
  Capture Drawn(400, 300), Shot(400, 300);
  ThemeFrame(400, 300, Skin->CaptionActive(), Drawn);
  ScreenShot(Bounds(), Shot);
  for (const TPoint P : {TPoint{2, 150}, TPoint{397, 150}, TPoint{200, 297}, TPoint{200, 28}})
    EXPECT_EQ(Shot.At(P.X, P.Y), Over(Drawn.At(P.X, P.Y), B, 128)) << P.X << ", " << P.Y;
  // The client background blends the same way.
  EXPECT_EQ(Shot.At(200, 150), Over(ThemeClientPixel(), B, 128));

  // Moved, the capture follows: the part the window covered already comes from the old capture
  // (the screen shows the window there), the rest from the screen.
  Drag(150, 18, 30, 20);
  ASSERT_EQ(Bounds().Left, 130);
  Capture Moved(400, 300);
  ScreenShot(Bounds(), Moved);
  for (const TPoint P : {TPoint{2, 150}, TPoint{397, 150}, TPoint{200, 297}})
    EXPECT_EQ(Moved.At(P.X, P.Y), Over(Drawn.At(P.X, P.Y), B, 128)) << "moved, " << P.X << ", " << P.Y;
  EXPECT_EQ(Moved.At(200, 150), Over(ThemeClientPixel(), B, 128));

  // Opaque at 255, only the screen at 0.
  for (const auto& [Value, Expected] : {std::pair{255, Drawn.At(2, 150)}, std::pair{0, B}}) {
    Skin->Blending()->SetValue(Value);
    Settle();
    Capture Again(400, 300);
    ScreenShot(Bounds(), Again);
    EXPECT_EQ(Again.At(2, 150), Expected) << "blending " << Value;
  }
}

TEST_F(SkinnedFormTest, EveryBufferKindPaintsTheSameFrameAndClient) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  Window->SetCaption("");
  SendMessageA(Wnd(), WM_NCACTIVATE, 1, 0);
  Settle();
  Capture Drawn(400, 300);
  ThemeFrame(400, 300, true, Drawn);
  const uint32_t Client = ThemeClientPixel();
  for (TVxFormPerformance Mode : {TVxFormPerformance::zqfpSharedBuffer, TVxFormPerformance::zqfpPersistentBuffer,
                                  TVxFormPerformance::zqfpDoubleBuffer, TVxFormPerformance::zqfpNoBuffer}) {
    Skin->SetPerformance(Mode);
    // The frame and client painted over something else first, so that stale pixels would show.
    HDC DC = GetWindowDC(Wnd());
    const RECT All{0, 0, 400, 300};
    FillRect(DC, &All, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(Wnd(), DC);
    RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Settle();
    Capture Shot(400, 300);
    ScreenShot(Bounds(), Shot);
    for (const TPoint P : {TPoint{2, 150}, TPoint{397, 150}, TPoint{200, 297}, TPoint{200, 10}})
      EXPECT_EQ(Shot.At(P.X, P.Y), Drawn.At(P.X, P.Y)) << "mode " << int(Mode) << " at " << P.X << ", " << P.Y;
    EXPECT_EQ(Shot.At(200, 150), Client) << "mode " << int(Mode);
  }
}

TEST_F(SkinnedFormTest, TheShowAnimationEndsWithThePaintedWindow) {
  UseSampleSkin();
  TVxForm* Skin = Open<TVxForm>([](TVxForm& S) {
    S.Animation()->SetEnabled(true);
    S.Animation()->SetTime(100);
    S.Shadow()->SetEnabled(true);
  });
  Window->SetCaption("");
  Settle();
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  Capture Drawn(396, 296), Shot(400, 300);
  ThemeFrame(396, 296, Skin->CaptionActive(), Drawn);
  ScreenShot(Bounds(), Shot);
  EXPECT_EQ(Shot.At(2, 150), Drawn.At(2, 150));
  EXPECT_EQ(Shot.At(200, 150), ThemeClientPixel());
}

TEST_F(SkinnedFormTest, AChildOverTheSkinnedClientGetsTheSkinsBackgroundBeneathIt) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  auto* Child = new TCustomControl(Window.get());
  Child->SetBounds(50, 40, 60, 30);
  Child->SetParent(Window.get());
  Capture Beneath(60, 30);
  DrawParentImage(Child, Beneath.DC());
  EXPECT_EQ(Beneath.At(10, 10), ThemeClientPixel());
  EXPECT_EQ(Beneath.At(59, 29), ThemeClientPixel());
  EXPECT_FALSE(Skin->ChildPaint());
  // A form without skinning shows its colour.
  OpenBackdrop(clRed);
  auto* Other = new TCustomControl(Backdrop.get());
  Other->SetBounds(5, 5, 20, 20);
  Other->SetParent(Backdrop.get());
  Capture Plain(20, 20);
  DrawParentImage(Other, Plain.DC());
  EXPECT_EQ(Plain.At(5, 5), DibColor(clRed));
}

TEST_F(SkinnedFormTest, AnActionMessageArrivingDuringAnActionIsIgnored) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  int Asked = 0;
  Skin->OnRollup = [&](TObject*, bool&) {
    ++Asked;
    SendMessageA(Wnd(), FM_ACTION, 1, 0);
  };
  SendMessageA(Wnd(), FM_ACTION, 3, 0);
  EXPECT_EQ(Asked, 1);
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsRollup);
  SendMessageA(Wnd(), FM_ACTION, 1, 0);
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized) << "once the action is over";
}

TEST_F(SkinnedFormTest, AFormFileStoresThePropertiesAndItsWindowStateIsAppliedOnShowing) {
  UseSampleSkin();
  RegisterUiClasses();
  const std::string Text =
      "object Host: TForm\r\n"
      "  Left = 100\r\n"
      "  Top = 100\r\n"
      "  Width = 400\r\n"
      "  Height = 300\r\n"
      "  object Skin: TVxForm\r\n"
      "    BorderIcons = [kbiClose, kbiSystemMenu, kbiRollup]\r\n"
      "    Dragging.DragMode = kfdmBorder\r\n"
      "    Performance = zqfpDoubleBuffer\r\n"
      "    Shadow.Enabled = True\r\n"
      "    Shadow.Size = 6\r\n"
      "    WindowState = kwsRollup\r\n"
      "    ThemeObject = 'Form'\r\n"
      "  end\r\n"
      "end\r\n";
  TMemoryStream In(std::vector<uint8_t>(Text.begin(), Text.end())), Binary;
  ObjectTextToBinary(In, Binary);
  Binary.SetPosition(0);
  Window = std::make_unique<TForm>();
  ReadComponent(Binary, *Window);
  auto* Skin = dynamic_cast<TVxForm*>(Window->FindComponent("Skin"));
  ASSERT_NE(Skin, nullptr);
  EXPECT_EQ(Skin->BorderIcons(),
            (TVxBorderIcons{TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu, TVxBorderIcon::kbiRollup}));
  EXPECT_EQ(Skin->Dragging()->DragMode(), TVxFormDragMode::kfdmBorder);
  EXPECT_EQ(Skin->Shadow()->Size(), 6);
  EXPECT_EQ(Skin->ThemeObject(), "Form");
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsNormal) << "pending until the window shows";
  Window->Show();
  Settle();
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsRollup);
  EXPECT_LT(Bounds().Height(), 100);
  Skin->Restore();
  EXPECT_GT(Bounds().Height(), 250) << "rolled down to the height read";

  // Written back: the values that differ from the defaults, the defaults left out.
  TMemoryStream Written, Back;
  WriteComponent(Written, *Window);
  Written.SetPosition(0);
  ObjectBinaryToText(Written, Back);
  const std::string BackText(Back.Data().begin(), Back.Data().end());
  for (const char* Line : {"BorderIcons = [kbiClose, kbiSystemMenu, kbiRollup]", "Performance = zqfpDoubleBuffer",
                           "Size = 6", "ThemeObject = 'Form'"})
    EXPECT_NE(BackText.find(Line), std::string::npos) << Line << "\n" << BackText;
  for (const char* Default : {"BorderStyle", "WindowState", "MinimizeApplication", "StayOnTop"})
    EXPECT_EQ(BackText.find(Default), std::string::npos) << Default << "\n" << BackText;
}

// [Without a skinned frame] ---------------------------------------------------------------------

TEST_F(SkinnedFormTest, ASkinWithoutAFormObjectGivesThePlatformsFrameAndAWorkingWindow) {
  // A skin with a button only.
  TDvSkinSource Source;
  Source.LoadFromFile(SampleSkin);
  while (TDvSkinObject* Form = Source.GetFormObject()) Source.RemoveObject(Form);
  const std::string File = (std::filesystem::temp_directory_path() / "vx_noform.mskn").string();
  Source.SaveToFile(File);
  auto Theme = ThemeManager().LoadThemeFromFile(File);
  std::remove(File.c_str());
  ASSERT_TRUE(Theme);
  SetCurrentTheme(std::move(Theme));
  TVxForm* Skin = Open();
  EXPECT_FALSE(Skin->Themed());
  const TVxFrameMetrics& M = FrameMetrics();
  EXPECT_EQ(ClientInWindow(Wnd()),
            Rect(M.FrameWidth, M.FrameWidth + M.CaptionHeight, 400 - M.FrameWidth, 300 - M.FrameWidth));
  EXPECT_EQ(HitAt(150, M.FrameWidth + 4), HTCAPTION);
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiMaximize));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized);
  // The default frame hides its border outside the work area.
  const TRect Area = GetMonitorAreaFromWindow(Wnd(), true);
  EXPECT_EQ(Bounds(), Rect(Area.Left - M.FrameWidth, Area.Top - M.FrameWidth, Area.Right + M.FrameWidth,
                           Area.Bottom + M.FrameWidth));
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiClose));
  EXPECT_FALSE(IsWindowVisible(Wnd()));
}

TEST_F(SkinnedFormTest, WithoutAThemeTheClassicFrameHasThePlatformsColours) {
  TClassicLook Classic;
  TVxForm* Skin = Open();
  ASSERT_FALSE(Skin->Themed());
  Skin->SetBorderIcons({TVxBorderIcon::kbiClose});
  Window->SetCaption("");
  Settle();
  const TRect C = ClientInWindow(Wnd());
  const Integer F = FrameMetrics().FrameWidth;
  ASSERT_EQ(C.Left, F);
  auto Sys = [](int Index) { return DibColor(TColor(0x80000000 | Index)); };
  for (int Active = 1; Active >= 0; --Active) {
    SendMessageA(Wnd(), WM_NCACTIVATE, Active, 0);
    Settle();
    Capture Shot(400, 300);
    ScreenShot(Bounds(), Shot);
    // The caption's gradient starts at the caption colour of the activation state.
    EXPECT_EQ(Shot.At(C.Left, F + 1), Sys(Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)) << Active;
    // Inside the raised edge the frame strips are button face.
    EXPECT_EQ(Shot.At(2, 150), Sys(COLOR_BTNFACE));
    EXPECT_EQ(Shot.At(397, 150), Sys(COLOR_BTNFACE));
    EXPECT_EQ(Shot.At(200, 297), Sys(COLOR_BTNFACE));
    EXPECT_EQ(Shot.At(200, 150), DibColor(clWhite)) << "the form's colour in the client";
  }
}

// [Bad input] -----------------------------------------------------------------------------------

TEST_F(SkinnedFormTest, ZeroSizedAndHugeWindowsAreHeldToTheTrackingSizes) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  Window->SetBounds(100, 100, 0, 0);
  Settle();
  EXPECT_EQ(SizeOf(Bounds()), TSize(100, SkinTitle + SkinBorder));
  Window->SetBounds(100, 100, 100000, 100000);
  Settle();
  const TRect Max = Skin->GetMaximizedBounds();
  EXPECT_EQ(SizeOf(Bounds()), TSize(Max.Width(), Max.Height()));
  EXPECT_TRUE(IsWindowVisible(Wnd()));
}

TEST_F(SkinnedFormTest, ThemeRemovedOrReplacedWhileOpenFallsBackWithoutLeakingTheCapture) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  ASSERT_EQ(ClientInWindow(Wnd()).Top, SkinTitle);
  // In the middle of a drag.
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, HTCAPTION, ScreenAt(150, 18));
  ASSERT_EQ(GetCapture(), Wnd());
  RemoveCurrentTheme();
  Settle();
  EXPECT_FALSE(Skin->Themed());
  const TVxFrameMetrics& M = FrameMetrics();
  EXPECT_EQ(ClientInWindow(Wnd()).Top, M.FrameWidth + M.CaptionHeight) << "the platform-like frame";
  SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Settle();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(Skin->Tracking());
  UseSampleSkin();
  Settle();
  EXPECT_EQ(ClientInWindow(Wnd()).Top, SkinTitle);
  EXPECT_EQ(SizeOf(Bounds()), TSize(400, 300));
}

TEST_F(SkinnedFormTest, ASkinWhoseImagesAreMissingStillGivesAWorkingWindow) {
  TDvSkinSource Source;
  Source.LoadFromFile(SampleSkin);
  Source.Images().Clear();
  const std::string File = (std::filesystem::temp_directory_path() / "vx_noimages.mskn").string();
  Source.SaveToFile(File);
  auto Theme = ThemeManager().LoadThemeFromFile(File);
  std::remove(File.c_str());
  ASSERT_TRUE(Theme);
  SetCurrentTheme(std::move(Theme));
  TVxForm* Skin = Open<TVxForm>([](TVxForm& S) { S.Shadow()->SetEnabled(true); });
  EXPECT_TRUE(Skin->Themed());
  EXPECT_EQ(ClientInWindow(Wnd()), Rect(SkinBorder, SkinTitle, 396 - SkinBorder, 296 - SkinBorder));
  Click(Skin->GetButtonRect(TVxBorderIcon::kbiMaximize));
  EXPECT_EQ(Skin->WindowState(), TVxWindowState::kwsMaximized);
}

TEST_F(SkinnedFormTest, CaptionChangeTakesTheCaptionStyleAwayUntilThePostedMessage) {
  UseSampleSkin();
  Open();
  // The platform would paint its caption for the text: it sees the window without the caption
  // style, and the frame stays the skin's, also when the same text is set again.
  Capture Before(400, 300);
  ScreenShot(Bounds(), Before);
  LONG_PTR StyleSeen = -1;
  Window->WindowProc = [&, Saved = Window->WindowProc](TMessage& M) {
    if (M.Msg == WM_SETTEXT) StyleSeen = GetWindowLongPtrA(Wnd(), GWL_STYLE);
    Saved(M);
  };
  for (const char* Text : {"Another title", "Another title"}) {
    EXPECT_TRUE(SetWindowTextA(Wnd(), Text)) << "a text that was set is reported as set";
    EXPECT_EQ(StyleSeen & WS_CAPTION, 0);
    Settle();
    EXPECT_EQ(GetWindowLongPtrA(Wnd(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    Capture After(400, 300);
    ScreenShot(Bounds(), After);
    EXPECT_EQ(After.At(2, 150), Before.At(2, 150)) << Text;
    EXPECT_EQ(After.At(200, 1), Before.At(200, 1)) << Text;
  }
  EXPECT_EQ(ClientInWindow(Wnd()).Top, SkinTitle);
}

TEST_F(SkinnedFormTest, PaintToDrawsTheWholeWindowIntoAContext) {
  UseSampleSkin();
  TVxForm* Skin = Open();
  Window->SetCaption("");
  Settle();
  Capture Into(420, 320), Drawn(400, 300);
  EXPECT_EQ(SendMessageA(Wnd(), FM_PAINTTO, MAKEWPARAM(10, 20), LPARAM(Into.DC())), 1);
  EXPECT_EQ(SendMessageA(Wnd(), FM_PAINTTO, 0, 0), 0) << "nothing without a context";
  ThemeFrame(400, 300, true, Drawn);
  const TRect SysMenu = Skin->GetButtonRect(TVxBorderIcon::kbiSystemMenu);
  for (const TPoint P : {TPoint{2, 150}, TPoint{397, 150}, TPoint{200, 297}, TPoint{300, 10}})
    if (!SysMenu.Contains(P.X, P.Y)) {
      EXPECT_EQ(Into.At(P.X + 10, P.Y + 20), Drawn.At(P.X, P.Y)) << P.X << ", " << P.Y;
    }
  EXPECT_EQ(Into.At(10 + 200, 20 + 150), ThemeClientPixel()) << "the client background";
}

}  // namespace
