// Shared by the skinned-control tests: a form shown once per suite (showing a window under Wine
// takes seconds) with an owner for each test's controls, the classic look on demand, printing a
// control's window into a capture, and test controls that publish what the bases keep protected.
#pragma once

#include <string>

#include "../ui/ui_fixture.h"
// After <windows.h>, which it needs.
#include <uxtheme.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/graphics/bitmap.h"
#include "vexel/controls/vx_controls.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme_manager.h"

// The sample skin the themed cases paint through.
inline const std::string SampleSkin = std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";

// Readable failures for the framework's geometry. Inline, so that every file of a test program
// prints them alike.
inline void PrintTo(const TRect& R, std::ostream* Os) {
  *Os << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}
inline void PrintTo(const TPoint& P, std::ostream* Os) { *Os << "(" << P.X << ", " << P.Y << ")"; }

// Prints the control's client area (background, own painting, windowless children).
inline void PrintClient(TWinControl* Control, Capture& Into) {
  ASSERT_TRUE(PrintWindow(Control->Handle(), Into.DC(), PW_CLIENTONLY));
}

// The pixel a framework colour shows as in a capture.
inline uint32_t PixelOf(TColor Color) { return DibColor(Color); }

// F at opacity A (0..255) over B, per channel, as the engine composes a translucent window:
// (256 * B + A * (F - B)) >> 8.
inline uint32_t Over(uint32_t F, uint32_t B, uint32_t A) {
  uint32_t Result = 0;
  for (int Shift = 0; Shift < 24; Shift += 8) {
    const int Fc = int((F >> Shift) & 0xFF), Bc = int((B >> Shift) & 0xFF);
    Result |= uint32_t((256 * Bc + int(A) * (Fc - Bc)) >> 8) << Shift;
  }
  return Result;
}

// What the screen shows of a window (frame included), read back after it painted.
inline void ScreenShot(HWND Wnd, Capture& Into) {
  RECT Window;
  GetWindowRect(Wnd, &Window);
  HDC Screen = GetDC(nullptr);
  BitBlt(Into.DC(), 0, 0, Window.right - Window.left, Window.bottom - Window.top, Screen, Window.left, Window.top,
         SRCCOPY);
  ReleaseDC(nullptr, Screen);
}

// A strip of Side x Side images, image I filled with Colors[I] except its bottom-left pixel,
// which holds the key colour (lime) in every image.
inline std::unique_ptr<TBitmap> Strip(Integer Width, const std::vector<TColor>& Colors, Integer Side = 16) {
  auto B = std::make_unique<TBitmap>();
  B->SetSize(Width, Side);
  for (size_t I = 0; I < Colors.size(); ++I) {
    B->Canvas().Brush().SetColor(Colors[I]);
    B->Canvas().FillRect(Rect(Integer(I) * Side, 0, Integer(I) * Side + Side, Side));
  }
  for (Integer X = 0; X < Width; X += Side) B->Canvas().SetPixel(X, Side - 1, clLime);
  return B;
}

// Written to a form file and read back into a fresh control; Check looks at the text and the copy.
template <typename T>
void RoundTrip(T& Original, const std::vector<std::string>& Lines, const std::function<void(T&)>& Check) {
  TMemoryStream Stream;
  WriteComponent(Stream, Original);
  Stream.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(Stream, Text);
  const std::string Written(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
  for (const std::string& Line : Lines) EXPECT_NE(Written.find(Line), std::string::npos) << Line << "\n" << Written;
  Stream.SetPosition(0);
  T Read;
  ReadComponent(Stream, Read);
  Check(Read);
}

// The application opts out of the platform's visual styles for a scope, as a program can: the
// controls fall back to the classic look.
class TClassicLook {
 public:
  TClassicLook() {
    const TThemeFunctions& F = ThemeFunctions();
    if (!F.SetThemeAppProperties || !F.GetThemeAppProperties) return;
    FSaved = F.GetThemeAppProperties();
    F.SetThemeAppProperties(0);
    FChanged = true;
  }
  ~TClassicLook() {
    if (FChanged) ThemeFunctions().SetThemeAppProperties(FSaved);
  }
  TClassicLook(const TClassicLook&) = delete;
  TClassicLook& operator=(const TClassicLook&) = delete;

 private:
  DWORD FSaved = 0;
  bool FChanged = false;
};

// Whether the platform would draw the class in its visual style now.
inline bool StyleAvailable(HWND Wnd, const wchar_t* ClassList) {
  if (!VisualStylesActive()) return false;
  HTHEME Theme = ThemeFunctions().OpenThemeData(Wnd, ClassList);
  if (Theme) ThemeFunctions().CloseThemeData(Theme);
  return Theme != nullptr;
}

// One shown form for a suite; every test's controls belong to Owner, freed after the test. The
// classic look holds unless a test asks for the visual styles. No theme is current at the start
// of a test.
class ShownFormTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    Shown = new TForm();
    Shown->SetBounds(50, 50, 400, 320);
    Shown->Show();
  }
  static void TearDownTestSuite() {
    delete Shown;
    Shown = nullptr;
  }
  void SetUp() override {
    UiTest::SetUp();
    RemoveCurrentTheme();
    Owner = std::make_unique<TComponent>();
    Classic = std::make_unique<TClassicLook>();
  }
  void TearDown() override {
    Owner.reset();
    RemoveCurrentTheme();
    Classic.reset();
    Settle();
    UiTest::TearDown();
  }
  template <typename T>
  T* Add(TWinControl* Parent, const TRect& R) {
    auto* C = new T(Owner.get());
    C->SetBoundsRect(R);
    C->SetParent(Parent);
    return C;
  }
  static void Settle() {
    UpdateWindow(Shown->Handle());
    PumpUntil([] { return false; }, 30);
  }
  // Back to the platform's look for the rest of the test.
  void AllowVisualStyles() { Classic.reset(); }

  static inline TForm* Shown = nullptr;
  std::unique_ptr<TComponent> Owner;
  std::unique_ptr<TClassicLook> Classic;
};

// A windowed skinned control with its frame published and its content in one colour.
class TFramedControl : public TVxControl {
 public:
  using TVxControl::BevelInner;
  using TVxControl::BevelKind;
  using TVxControl::BevelOuter;
  using TVxControl::BevelSides;
  using TVxControl::BevelWidth;
  using TVxControl::BorderWidth;
  using TVxControl::CachedHeight;
  using TVxControl::CachedWidth;
  using TVxControl::GetInnerRect;
  using TVxControl::SetBevelInner;
  using TVxControl::SetBevelKind;
  using TVxControl::SetBevelOuter;
  using TVxControl::SetBevelSides;
  using TVxControl::SetBevelWidth;
  using TVxControl::SetBorderWidth;
  using TVxControl::TVxControl;

  TColor Face = clBlue;
  int Paints = 0;

 protected:
  void PaintClient() override {
    ++Paints;
    HDC DC = Canvas()->Handle();
    const TRect R = GetInnerRect();
    HBRUSH Brush = CreateSolidBrush(COLORREF(ColorToRGB(Face)));
    RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    FillRect(DC, &Area, Brush);
    DeleteObject(Brush);
  }
};
