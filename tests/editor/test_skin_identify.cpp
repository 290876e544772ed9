// Ctrl+Alt+click on a test window: real windows with the sample skin, real posted clicks. One
// window of the test-window base for the suite: the frame, a skinned button, a windowless control
// painted through an off-screen image, and a panel the skin does not paint.
#include "../controls/controls_fixture.h"
// After the fixture, which brings <windows.h>.
#include <memory>
#include <string>

#include "editor/preview/skin_test_window.h"
#include "framework/ui/panel.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/forms/vx_form.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_theme_links.h"

namespace {

// Windowless: its parent paints it, here through the shared off-screen image.
class TFaceControl : public TVxGraphicControl {
 public:
  using TVxGraphicControl::TVxGraphicControl;

 protected:
  void PaintClient() override {
    TvxStateInfo Info;
    Info.Rect = Rect(0, 0, Width(), Height());
    if (TvxTheme* T = Theme()) T->DrawButton(0, *Canvas(), "default", Info);
  }
};

class TIdentifyWindow : public TfrmSkinTest {
 public:
  explicit TIdentifyWindow(TComponent* Owner) : TfrmSkinTest(Owner) {
    SetBounds(100, 100, 360, 240);
    ThemeForm1->SetBorderStyle(TVxBorderStyle::kbsStandard);
    ThemeForm1->SetBorderIcons({TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu, TVxBorderIcon::kbiMinimize});
    Button = new TVxButton(this);
    Button->SetParent(this);
    Button->SetBounds(20, 20, 90, 26);
    Button->SetCaption("Press");
    Button->OnClick = [this](TObject*) { ++Clicks; };
    Face = new TFaceControl(this);
    Face->SetParent(this);
    Face->SetBounds(20, 70, 90, 26);
    Face->SetPerformance(TVxPerformance::zqpSharedBuffer);
    Plain = new TPanel(this);
    Plain->SetParent(this);
    Plain->SetBounds(150, 20, 80, 60);
  }
  TVxButton* Button = nullptr;
  TFaceControl* Face = nullptr;
  TPanel* Plain = nullptr;
  int Clicks = 0;
};

// Ctrl and Alt as the thread's keyboard state shows them, for a scope.
class THeldCtrlAlt {
 public:
  THeldCtrlAlt() {
    GetKeyboardState(FSaved);
    BYTE Keys[256];
    GetKeyboardState(Keys);
    Keys[VK_CONTROL] = Keys[VK_MENU] = 0x80;
    SetKeyboardState(Keys);
  }
  ~THeldCtrlAlt() { SetKeyboardState(FSaved); }
  THeldCtrlAlt(const THeldCtrlAlt&) = delete;
  THeldCtrlAlt& operator=(const THeldCtrlAlt&) = delete;

 private:
  BYTE FSaved[256];
};

std::wstring TextOf(HWND Wnd) {
  wchar_t Text[512] = {};
  GetWindowTextW(Wnd, Text, 512);
  return Text;
}

}  // namespace

class SkinIdentifyTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    Skin.LoadFromFile(SampleSkin);
    Window = new TIdentifyWindow(nullptr);
    Window->LoadSkin(SampleSkin, Skin);
    Window->Show();
  }
  static void TearDownTestSuite() {
    delete Window;
    Window = nullptr;
    RemoveCurrentTheme();
  }
  void SetUp() override {
    UiTest::SetUp();
    Settle();
    PressKey(VK_ESCAPE);  // no tip left from the test before
  }

  static void Settle() {
    PumpUntil([] { return false; }, 150);
  }
  static void PressKey(WPARAM Key) {
    PostMessageW(Window->Handle(), WM_KEYDOWN, Key, 1);
    PostMessageW(Window->Handle(), WM_KEYUP, Key, LPARAM(0xC0000001));
    Settle();
  }
  // A left click on a control at a client point.
  static void Click(HWND Wnd, int X, int Y) {
    PostMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PostMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    Settle();
  }
  // A left click on the frame at a point in window coordinates.
  static void ClickFrame(int X, int Y, WPARAM Hit) {
    RECT W;
    GetWindowRect(Window->Handle(), &W);
    const LPARAM At = MAKELPARAM(W.left + X, W.top + Y);
    PostMessageW(Window->Handle(), WM_NCLBUTTONDOWN, Hit, At);
    PostMessageW(Window->Handle(), WM_NCLBUTTONUP, Hit, At);
    Settle();
  }
  static const TIdentifyTip& Tip() { return Window->Identifier().Tip(); }

  static TDvSkinSource Skin;
  static TIdentifyWindow* Window;
};

TDvSkinSource SkinIdentifyTest::Skin;
TIdentifyWindow* SkinIdentifyTest::Window = nullptr;

TEST_F(SkinIdentifyTest, CtrlAltClickNamesTheObjectThatPaintedThePointAndHidesOnTheNextKey) {
  ASSERT_TRUE(IsFormThemed(0, "default", nullptr));
  const TRect Close = Window->ThemeForm1->GetButtonRect(TVxBorderIcon::kbiClose);
  ASSERT_FALSE(Close.IsEmpty());
  const struct {
    const char* What;
    std::function<void()> Click;
    std::wstring Starts;  // the tip's text starts so
    std::vector<std::string> Last;
  } Cases[] = {
      {"close button",
       [&] { ClickFrame((Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2, HTCLOSE); },
       L"Form.TitleBar.CloseButton\nSlateTitleButtons (",
       {"Form", "TitleBar", "CloseButton"}},
      {"title bar", [&] { ClickFrame(Close.Left - 60, 15, HTCAPTION); }, L"Form.TitleBar\n", {"Form", "TitleBar"}},
      {"button face",
       [&] { Click(Window->Button->Handle(), 10, 13); },
       L"Button.Face\nSlateControls (",
       {"Button", "Face"}},
      {"windowless face",
       [&] { Click(Window->Handle(), 30, 83); },
       L"Button.Face\nSlateControls (",
       {"Button", "Face"}},
      {"window client", [&] { Click(Window->Handle(), 300, 150); }, L"Form.Client", {"Form", "Client"}},
      // What the skin does not paint changes nothing.
      {"plain panel", [&] { Click(Window->Plain->Handle(), 40, 30); }, L"Not painted by the skin", {"Form", "Client"}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    {
      THeldCtrlAlt Held;
      C.Click();
    }
    ASSERT_TRUE(Tip().Visible());
    const std::wstring Text = TextOf(Tip().Handle());
    EXPECT_EQ(Text.substr(0, C.Starts.size()), C.Starts) << std::string(Text.begin(), Text.end());
    EXPECT_EQ(Window->Identifier().LastIdentified(), C.Last);
    // The click went no further: the window is open and the button was not pressed.
    EXPECT_TRUE(IsWindowVisible(Window->Handle()));
    EXPECT_EQ(Window->Clicks, 0);
    PressKey('A');
    EXPECT_FALSE(Tip().Visible());
  }
}

TEST_F(SkinIdentifyTest, APlainClickPressesTheButtonAndShowsNoTip) {
  {
    THeldCtrlAlt Held;
    ClickFrame(30, 15, HTCAPTION);
  }
  ASSERT_TRUE(Tip().Visible());
  Window->Clicks = 0;
  Click(Window->Button->Handle(), 10, 13);
  EXPECT_EQ(Window->Clicks, 1);
  // The plain click hid the tip and showed none.
  EXPECT_FALSE(Tip().Visible());
  // Ctrl alone is no identify either.
  BYTE Keys[256];
  GetKeyboardState(Keys);
  Keys[VK_CONTROL] = 0x80;
  SetKeyboardState(Keys);
  Click(Window->Button->Handle(), 10, 13);
  Keys[VK_CONTROL] = 0;
  SetKeyboardState(Keys);
  EXPECT_EQ(Window->Clicks, 2);
  EXPECT_FALSE(Tip().Visible());
  Window->Clicks = 0;
}
