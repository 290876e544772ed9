// Switching among the sample skin, the two built-in themes and no theme on a shown window of
// skinned controls: every control repaints in what the new theme paints, and a switch while a
// skinned popup menu is open neither crashes nor leaves the menu in the old look.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../controls/controls_fixture.h"
#include "../menus/menu_probe.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_edit.h"
#include "vexel/controls/vx_listbox.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/graphics/vx_effect.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/theme/theme_flat.h"
#include "vexel/theme/theme_officexp.h"
#include "vexel/theme/vx_engine.h"

namespace {

class FlatSwitchTest : public ShownFormTest {
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
  static long Count(const std::vector<uint32_t>& Pixels, TColor Color) {
    return std::count(Pixels.begin(), Pixels.end(), PixelOf(Color));
  }
};

constexpr TColor FlatBorder = 0x8396A0;

TEST_F(FlatSwitchTest, EveryControlRepaintsInEachTheme) {
  auto* Button = Add<TVxButton>(Shown, Bounds(10, 40, 90, 28));
  Button->SetCaption("Button");
  auto* Check = Add<TVxCheckBox>(Shown, Bounds(110, 40, 110, 22));
  Check->SetCaption("Check");
  Check->SetChecked(true);
  auto* Edit = Add<TVxEdit>(Shown, Bounds(10, 80, 120, 22));
  Edit->SetText("Edit");
  auto* List = Add<TVxListBox>(Shown, Bounds(10, 110, 120, 80));
  List->SetItems({"One", "Two", "Three"});
  auto* Scroll = Add<TVxScrollBar>(Shown, Bounds(150, 110, 150, 17));
  auto* Bar = Add<TVxMenuBar>(Shown, Bounds(0, 0, 300, 22));
  Bar->SetAlign(TAlign::alTop);
  auto* File = new TVxItem(Bar);
  File->SetCaption(L"&File");
  Bar->Items()->Add(File);
  const std::vector<std::pair<const char*, TControl*>> Controls = {{"button", Button},     {"check box", Check},
                                                                   {"edit", Edit},         {"list box", List},
                                                                   {"scroll bar", Scroll}, {"menu bar", Bar}};
  // The controls whose frames are drawn in Border by the built-in themes.
  const auto Framed = [](const char* Name) { return std::string(Name) != "menu bar"; };

  TVxVexel Engine;
  using TLooks = std::map<std::string, std::vector<std::vector<uint32_t>>>;
  TLooks Looks;
  const auto Take = [&](const std::string& Theme) {
    for (const auto& [Name, C] : Controls) Looks[Theme].push_back(OnScreen(C));
  };
  Take("none");
  Engine.SetThemeFile(SampleSkin);
  ASSERT_NE(CurrentTheme(), nullptr);
  Take("skin");
  Engine.SetThemeBuilding("Flat");
  ASSERT_NE(dynamic_cast<TVxFlatTheme*>(CurrentTheme()), nullptr);
  Take("flat");
  Engine.SetThemeBuilding("OfficeXP");
  ASSERT_NE(dynamic_cast<TVxOfficeXPTheme*>(CurrentTheme()), nullptr);
  const TColor Highlight = ColorToRGB(clHighlight);
  Take("officexp");
  Engine.SetThemeFile("");
  ASSERT_EQ(CurrentTheme(), nullptr);
  Take("none again");
  Engine.SetThemeBuilding("flat");
  Take("flat again");
  Engine.SetThemeFile(SampleSkin);
  Take("skin again");

  for (size_t I = 0; I < Controls.size(); ++I) {
    const char* Name = Controls[I].first;
    const auto& Flat = Looks["flat"][I];
    const auto& OfficeXP = Looks["officexp"][I];
    EXPECT_NE(Flat, Looks["skin"][I]) << Name;
    EXPECT_EQ(Looks["none again"][I], Looks["none"][I]) << Name << ": back to the platform's look";
    EXPECT_EQ(Looks["flat again"][I], Flat) << Name;
    EXPECT_EQ(Looks["skin again"][I], Looks["skin"][I]) << Name;
    if (!Framed(Name)) continue;
    EXPECT_NE(Flat, OfficeXP) << Name;
    EXPECT_GT(Count(Flat, FlatBorder), 10) << Name << ": the flat frame";
    EXPECT_GT(Count(OfficeXP, Highlight), 10) << Name << ": the Office XP frame";
    EXPECT_EQ(Count(OfficeXP, FlatBorder), 0) << Name;
    EXPECT_EQ(Count(Looks["skin"][I], FlatBorder), 0) << Name;
    EXPECT_EQ(Count(Looks["none"][I], FlatBorder), 0) << Name;
  }
}

// The switch happens inside the open popup's tracking loop; the loop goes on, the popup follows
// the new theme, and Escape still closes it.
TEST_F(FlatSwitchTest, SwitchingWhileAPopupMenuIsOpen) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  ASSERT_NE(CurrentTheme(), nullptr);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  TVxPopupMenu Menu(Shown);
  for (const wchar_t* Caption : {L"&Open", L"&Save", L"&Close"}) {
    auto* Item = new TVxItem(&Menu);
    Item->SetCaption(Caption);
    Menu.Items()->Add(Item);
  }
  TProbe Probe;
  Watchdog.SetEnabled(true);
  const auto Settled = [] { return Innermost() != nullptr && !AnyAnimating(); };
  // What the open popup shows.
  TPoint OfficeSize;
  const auto Shown_ = [&OfficeSize](std::vector<uint32_t>& Into) {
    TVxPopupWindow* W = ShownPopups().back();
    // The step runs inside the loop's message handling: the popup's pending paint first.
    UpdateWindow(W->Handle());
    const TRect R = W->ClientRect();
    Capture Shot(R.Width(), R.Height());
    const TPoint Origin = W->ClientToScreen(TPoint{0, 0});
    HDC Screen = GetDC(nullptr);
    BitBlt(Shot.DC(), 0, 0, R.Width(), R.Height(), Screen, Origin.X, Origin.Y, SRCCOPY);
    ReleaseDC(nullptr, Screen);
    Into.clear();
    OfficeSize = {R.Width(), R.Height()};
    for (Integer Y = 0; Y < R.Height(); ++Y)
      for (Integer X = 0; X < R.Width(); ++X) Into.push_back(Shot.At(X, Y));
  };
  std::vector<uint32_t> Skinned, Office;
  Probe.Wait(Settled);
  Probe.Wait([] {
    PumpUntil([] { return false; }, 200);
    return true;
  });
  Probe.Post([&] { Shown_(Skinned); });
  Probe.Post([&] { Engine.SetThemeBuilding("OfficeXP"); });
  Probe.Wait([] {
    // Let the popup repaint (or close) after the switch.
    PumpUntil([] { return false; }, 200);
    return true;
  });
  Probe.Post([&] {
    if (!ShownPopups().empty()) Shown_(Office);
  });
  Probe.Post([&] { PostMessageA(Shown->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); });
  Menu.Popup(120, 120);
  Watchdog.SetEnabled(false);
  EXPECT_TRUE(Probe.Empty());
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(TVxPopupMenu::Showing(), nullptr);
  ASSERT_FALSE(Skinned.empty());
  std::vector<uint32_t> Colours = Skinned;
  std::sort(Colours.begin(), Colours.end());
  EXPECT_GT(std::unique(Colours.begin(), Colours.end()) - Colours.begin(), 2) << "the skinned popup was painted";
  ASSERT_FALSE(Office.empty()) << "the popup stayed open through the switch";
  EXPECT_NE(Office, Skinned) << "the open popup repainted in the new theme";
  // The Office XP popup: a grey frame, the 23-pixel image column, white beside it.
  const Integer Row = OfficeSize.Y / 2;
  const auto At = [&](Integer X) { return Office[size_t(Row * OfficeSize.X + X)]; };
  EXPECT_EQ(At(0), PixelOf(clGray));
  EXPECT_EQ(At(1), PixelOf(clBtnFace));
  EXPECT_EQ(At(22), PixelOf(clBtnFace));
  EXPECT_EQ(At(OfficeSize.X - 1), PixelOf(clGray));
  EXPECT_GT(std::count(Office.begin(), Office.end(), PixelOf(clWhite)), 100);
  // The theme stays usable: a popup opened now shows the Office XP look.
  ASSERT_NE(dynamic_cast<TVxOfficeXPTheme*>(CurrentTheme()), nullptr);
}

}  // namespace
