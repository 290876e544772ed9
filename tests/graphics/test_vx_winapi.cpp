// What the platform offers, as found under the running system (Wine here), and the helpers
// built on it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "vexel/graphics/vx_utils.h"
#include "vexel/graphics/vx_winapi.h"

namespace {

// A plain top-level window, destroyed on scope exit.
class TTestWindow {
 public:
  explicit TTestWindow(DWORD Style = WS_OVERLAPPEDWINDOW)
      : FHandle(CreateWindowExA(0, "STATIC", "", Style, 10, 10, 200, 150, nullptr, nullptr, nullptr, nullptr)) {}
  ~TTestWindow() {
    if (FHandle) DestroyWindow(FHandle);
  }
  TTestWindow(const TTestWindow&) = delete;
  TTestWindow& operator=(const TTestWindow&) = delete;
  HWND Get() const { return FHandle; }

 private:
  HWND FHandle;
};

bool AllThemeEntries(bool Resolved) {
  const TThemeFunctions& F = ThemeFunctions();
  bool All = true;
#define VX_CHECK(Name) \
  if ((F.Name != nullptr) != Resolved) ADD_FAILURE() << #Name << (Resolved ? " missing" : " left behind"), All = false;
  VX_THEME_FUNCTIONS(VX_CHECK)
#undef VX_CHECK
  return All;
}

}  // namespace

// [Platform]

TEST(Platform, AnNTSystemOfVersion5OrLaterOffersEverything) {
  EXPECT_TRUE(PlatformIsNT());
  EXPECT_FALSE(PlatformIsVersion4());
  EXPECT_TRUE(LayeredWindowsAvailable());
  EXPECT_NE(User32Functions().UpdateLayeredWindow, nullptr);
  EXPECT_NE(User32Functions().GetScrollBarInfo, nullptr);
  // Not version 4 and NT: TransparentBlt is trusted.
  EXPECT_TRUE(TransparentBltAvailable());
  EXPECT_TRUE(ThemeFunctionsLoaded());
}

// [Visual styles]

TEST(ThemeLibrary, IsCountedLoadedByTheFirstReferenceAndUnloadedByTheLast) {
  const Integer Held = ThemeLibraryReferences();
  ASSERT_GE(Held, 1) << "the unit holds one reference for the process";
  EXPECT_TRUE(AllThemeEntries(true));

  EXPECT_TRUE(AcquireThemeLibrary());
  EXPECT_EQ(ThemeLibraryReferences(), Held + 1);
  ReleaseThemeLibrary();
  EXPECT_EQ(ThemeLibraryReferences(), Held);
  EXPECT_NE(ThemeFunctions().OpenThemeData, nullptr);

  for (Integer I = 0; I < Held; ++I) ReleaseThemeLibrary();
  EXPECT_EQ(ThemeLibraryReferences(), 0);
  EXPECT_TRUE(AllThemeEntries(false));
  EXPECT_FALSE(VisualStylesActive());
  ReleaseThemeLibrary();  // one too many: stays at zero
  EXPECT_EQ(ThemeLibraryReferences(), 0);

  EXPECT_TRUE(AcquireThemeLibrary());
  EXPECT_EQ(ThemeLibraryReferences(), 1);
  EXPECT_TRUE(AllThemeEntries(true));
  for (Integer I = 1; I < Held; ++I) AcquireThemeLibrary();
  EXPECT_EQ(ThemeLibraryReferences(), Held);
}

TEST(ThemeLibrary, CountingHoldsUnderConcurrentUse) {
  const Integer Held = ThemeLibraryReferences();
  // From zero, so that the threads also race to load and unload the library.
  for (Integer I = 0; I < Held; ++I) ReleaseThemeLibrary();
  ASSERT_EQ(ThemeLibraryReferences(), 0);
  std::atomic<int> Failures{0};
  std::vector<std::thread> Threads;
  for (int T = 0; T < 6; ++T)
    Threads.emplace_back([&Failures] {
      for (int I = 0; I < 300; ++I) {
        if (!AcquireThemeLibrary()) ++Failures;
        ReleaseThemeLibrary();
      }
    });
  for (std::thread& T : Threads) T.join();
  EXPECT_EQ(Failures, 0);
  EXPECT_EQ(ThemeLibraryReferences(), 0);
  EXPECT_EQ(ThemeFunctions().OpenThemeData, nullptr);
  for (Integer I = 0; I < Held; ++I) AcquireThemeLibrary();
  EXPECT_EQ(ThemeLibraryReferences(), Held);
}

// [Monitors]

TEST(Monitors, OnASingleMonitorEveryAreaIsTheScreens) {
  if (GetSystemMetrics(SM_CMONITORS) != 1) GTEST_SKIP() << "needs exactly one monitor";
  EXPECT_FALSE(MultiMonitorAvailable());
  const TRect Screen = GetScreenArea(false), Work = GetScreenArea(true);
  EXPECT_EQ(Screen.Left, 0);
  EXPECT_EQ(Screen.Top, 0);
  EXPECT_FALSE(RectIsEmpty(Screen));
  EXPECT_TRUE(RectContains(Work, Screen));
  EXPECT_FALSE(RectIsEmpty(Work));
  // The platform's own record of its one monitor.
  MONITORINFO Info{};
  Info.cbSize = sizeof Info;
  ASSERT_TRUE(GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &Info));
  EXPECT_EQ(Screen, TRect({Info.rcMonitor.left, Info.rcMonitor.top, Info.rcMonitor.right, Info.rcMonitor.bottom}));

  TTestWindow Window;
  for (const bool WorkArea : {false, true}) {
    const TRect Expected = WorkArea ? Work : Screen;
    for (const TPoint& P : {TPoint{0, 0}, TPoint{100, 100}, TPoint{-5000, -5000}, TPoint{99999, 5}})
      EXPECT_EQ(GetMonitorAreaFromPoint(P, WorkArea), Expected) << P.X << "," << P.Y << " " << WorkArea;
    EXPECT_EQ(GetMonitorAreaFromWindow(Window.Get(), WorkArea), Expected) << WorkArea;
    EXPECT_EQ(GetMonitorAreaFromWindow(nullptr, WorkArea), Expected) << WorkArea;
  }
}

TEST(Monitors, TheWorkAreaIsThePlatformsWhenAskedFor) {
  if (GetSystemMetrics(SM_CMONITORS) != 1) GTEST_SKIP() << "needs exactly one monitor";
  RECT Old{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &Old, 0));
  const TRect Screen = GetScreenArea(false);
  RECT Smaller{Screen.Left + 3, Screen.Top + 5, Screen.Right - 7, Screen.Bottom - 40};
  if (!SystemParametersInfoA(SPI_SETWORKAREA, 0, &Smaller, 0)) GTEST_SKIP() << "the work area cannot be set";
  const TRect Work{Smaller.left, Smaller.top, Smaller.right, Smaller.bottom};
  EXPECT_EQ(GetScreenArea(true), Work);
  EXPECT_EQ(GetScreenArea(false), Screen);
  EXPECT_EQ(GetMonitorAreaFromPoint({50, 50}, true), Work);
  EXPECT_EQ(GetMonitorAreaFromPoint({50, 50}, false), Screen);
  SystemParametersInfoA(SPI_SETWORKAREA, 0, &Old, 0);
}

// [Scroll bars]

TEST(ScrollBars, InformationForShownAndMissingBars) {
  TTestWindow Window(WS_OVERLAPPEDWINDOW | WS_VSCROLL);
  SCROLLBARINFO Vertical{}, Horizontal{};
  EXPECT_NE(GetScrollBarInfoSafe(Window.Get(), OBJID_VSCROLL, Vertical), 0);
  EXPECT_EQ(Vertical.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
  EXPECT_GT(Vertical.rcScrollBar.bottom, Vertical.rcScrollBar.top);
  GetScrollBarInfoSafe(Window.Get(), OBJID_HSCROLL, Horizontal);
  EXPECT_NE(Horizontal.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
}

// [Mouse capture]

TEST(MouseCapture, NestsForTheFirstWindowAndLeavesACaptureTakenMeanwhile) {
  TTestWindow A, B;
  ASSERT_EQ(GetCapture(), nullptr);
  BeginMouseCapture(A.Get());
  EXPECT_EQ(GetCapture(), A.Get());
  BeginMouseCapture(B.Get());  // nested: the first window keeps it
  EXPECT_EQ(GetCapture(), A.Get());
  EndMouseCapture();
  EXPECT_EQ(GetCapture(), A.Get());
  EndMouseCapture();
  EXPECT_EQ(GetCapture(), nullptr);

  EndMouseCapture();  // unmatched: must not leave the count below zero
  BeginMouseCapture(A.Get());
  EXPECT_EQ(GetCapture(), A.Get());
  SetCapture(B.Get());  // someone else takes it
  EndMouseCapture();
  EXPECT_EQ(GetCapture(), B.Get()) << "a capture the helper does not own is left alone";
  ReleaseCapture();

  BeginMouseCapture(B.Get());
  EXPECT_EQ(GetCapture(), B.Get()) << "the outermost End forgot the old window";
  EndMouseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
}
