// Every skinned control follows a theme switch by itself: with the sample skin it looks as the
// skin says, with the theme switched off it is back to the look it had before, and with the skin
// set again it is the skinned look once more. What the screen shows is compared, so a control
// that only repaints when asked would fail.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_controlbar.h"
#include "vexel/controls/vx_progress.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_spinbutton.h"
#include "vexel/controls/vx_toolbar.h"
#include "vexel/controls/vx_trackbar.h"
#include "vexel/theme/vx_engine.h"

namespace {

class ThemeSwitchTest : public ShownFormTest {
 protected:
  // The control's pixels as the screen shows them now.
  static std::vector<uint32_t> OnScreen(TControl* C) {
    Settle();
    const TPoint Origin = C->ClientToScreen(TPoint{0, 0});
    Capture Shot(C->Width(), C->Height());
    HDC Screen = GetDC(nullptr);
    BitBlt(Shot.DC(), 0, 0, C->Width(), C->Height(), Screen, Origin.X, Origin.Y, SRCCOPY);
    ReleaseDC(nullptr, Screen);
    std::vector<uint32_t> Pixels;
    for (Integer Y = 0; Y < C->Height(); ++Y)
      for (Integer X = 0; X < C->Width(); ++X) Pixels.push_back(Shot.At(X, Y));
    return Pixels;
  }
};

struct TSwitchCase {
  const char* Name;
  std::function<TControl*(TComponent* Owner, TWinControl* Parent)> Make;
};

template <typename T>
TSwitchCase Case(const char* Name, TRect Bounds, std::function<void(T&)> Setup = {}) {
  return {Name, [=](TComponent* Owner, TWinControl* Parent) -> TControl* {
            auto* C = new T(Owner);
            C->SetBoundsRect(Bounds);
            if (Setup) Setup(*C);
            C->SetParent(Parent);
            return C;
          }};
}

TEST_F(ThemeSwitchTest, EachControlRepaintsItselfWhenTheThemeGoesAndComesBack) {
  const TSwitchCase Cases[] = {
      Case<TVxButton>("button", Bounds(10, 10, 90, 30), [](TVxButton& B) { B.SetCaption("Button"); }),
      Case<TVxCheckBox>("check box", Bounds(10, 10, 110, 22),
                        [](TVxCheckBox& B) {
                          B.SetCaption("Check");
                          B.SetChecked(true);
                        }),
      Case<TVxRadioButton>("radio button", Bounds(10, 10, 110, 22),
                           [](TVxRadioButton& B) {
                             B.SetCaption("Radio");
                             B.SetChecked(true);
                           }),
      Case<TVxTrackBar>("track bar", Bounds(10, 10, 150, 45)),
      Case<TVxProgressBar>("progress bar", Bounds(10, 10, 140, 16), [](TVxProgressBar& B) { B.SetPosition(40); }),
      Case<TVxSpeedButton>("speed button", Bounds(10, 10, 60, 25),
                           [](TVxSpeedButton& B) {
                             B.SetCaption("Speed");
                             B.SetGroupIndex(1);
                             B.SetDown(true);
                           }),
      Case<TVxSpinButton>("spin button", Bounds(10, 10, 15, 21)),
      Case<TVxToolBar>("tool bar", Bounds(10, 10, 200, 29)),
      Case<TVxControlBar>("control bar", Bounds(10, 10, 200, 40),
                          [](TVxControlBar& B) {
                            auto* Band = new TVxToolBar(B.Owner());
                            Band->SetBounds(11, 2, 120, 25);
                            Band->SetParent(&B);
                          }),
  };
  TVxVexel Engine;
  for (const TSwitchCase& C : Cases) {
    TControl* Control = C.Make(Owner.get(), Shown);
    const std::vector<uint32_t> Plain = OnScreen(Control);
    Engine.SetThemeFile(SampleSkin);
    ASSERT_NE(CurrentTheme(), nullptr);
    const std::vector<uint32_t> Skinned = OnScreen(Control);
    EXPECT_NE(Skinned, Plain) << C.Name << ": the skin changes the look";
    Engine.SetThemeFile("");
    ASSERT_EQ(CurrentTheme(), nullptr);
    EXPECT_EQ(OnScreen(Control), Plain) << C.Name << ": switched off";
    Engine.SetThemeFile(SampleSkin);
    EXPECT_EQ(OnScreen(Control), Skinned) << C.Name << ": switched on again";
    Engine.SetThemeFile("");
    delete Control;
  }
}

}  // namespace
