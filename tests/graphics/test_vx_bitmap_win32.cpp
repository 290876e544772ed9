// Drawing onto real device contexts, read back through GDI and memory.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <optional>

#include "bitmap_helpers.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_screen.h"
#include "vexel/graphics/vx_winapi.h"

namespace {

// A GDI DIB section with the given bit depth and height sign, selected into its own DC.
class TDibDC {
 public:
  TDibDC(Integer W, Integer H, WORD Bits) : FWidth(W) {
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = H;  // positive: bottom-up; negative: top-down
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = Bits;
    FSection.Reset(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &FBits, nullptr, 0));
    FSelect.emplace(FDC.Get(), FSection.Get());
  }
  HDC DC() const { return FDC.Get(); }
  // Only for 32-bit sections: memory row 0 is the bottom row of a bottom-up section.
  TvxColor Memory(Integer X, Integer MemoryRow) const { return static_cast<TvxColor*>(FBits)[MemoryRow * FWidth + X]; }
  COLORREF Pixel(Integer X, Integer Y) const {
    GdiFlush();
    return ::GetPixel(FDC.Get(), X, Y);
  }
  void Clear(COLORREF Colour) {
    TBrushHandle Brush(CreateSolidBrush(Colour));
    RECT R{0, 0, 1000, 1000};
    ::FillRect(FDC.Get(), &R, Brush.Get());
  }

 private:
  Integer FWidth;
  void* FBits = nullptr;
  TMemoryDC FDC;
  TBitmapHandle FSection;
  std::optional<TSelectGuard> FSelect;
};

}  // namespace

TEST(BitmapDeviceContext, TheBufferIsATopDownDibThatGdiCanDrawOn) {
  TvxBitmap B;
  B.SetSize(4, 3);
  ASSERT_NE(B.DC(), nullptr);
  EXPECT_EQ(AllPixels(B), std::vector<TvxColor>(12, 0u));
  TBrushHandle Red(CreateSolidBrush(RGB(255, 0, 0)));
  RECT R{1, 2, 3, 3};
  ::FillRect(B.DC(), &R, Red.Get());
  GdiFlush();
  EXPECT_EQ(B.GetPixel(1, 2) & 0xFFFFFF, 0xFF0000u) << "row 2 of GDI is row 2 of the pixels";
  EXPECT_EQ(B.GetPixel(1, 1), 0u);
}

TEST(BitmapDeviceContext, DrawingOnARegisteredBitmapDCIsABitmapDrawInDeviceUnits) {
  TvxBitmap Source, Target;
  Paint(Source, 2, 1, 0x80C80000);
  Source.SetAlphaBlend(true);
  Paint(Target, 4, 1, 0xFF640000);
  POINT Old;
  SetWindowOrgEx(Target.DC(), 1, 0, &Old);
  Source.Draw(Target.DC(), 2, 0);  // logical 2 is device 1
  // Exact engine arithmetic, alpha included: GDI could not have produced this.
  EXPECT_EQ(Row(Target, 0), (std::vector<TvxColor>{0xFF640000, 0xBF960000, 0xBF960000, 0xFF640000}));
  SetWindowOrgEx(Target.DC(), 0, 0, &Old);
  Target.Fill(0);
  PaintNumbered(Source, 3, 3);
  Source.StretchDraw(Target.DC(), Rect(0, 0, 4, 1), Rect(0, 0, 3, 1));
  EXPECT_EQ(Row(Target, 0), (std::vector<TvxColor>{Numbered(0, 0), Numbered(1, 0), Numbered(1, 0), Numbered(2, 0)}));
}

// A control paints its parent into its own buffer by moving the viewport, and a frame is drawn
// with the client excluded from the clip: the direct paths must see both.
TEST(BitmapDeviceContext, DrawingOnABitmapDCHonoursItsViewportAndClipRegion) {
  TvxBitmap Source, Target;
  Paint(Source, 2, 1, 0xFF0000FF);
  Paint(Target, 6, 1, 0xFF000000);
  SetViewportOrgEx(Target.DC(), -1, 0, nullptr);
  SetWindowOrgEx(Target.DC(), -2, 0, nullptr);
  Source.Draw(Target.DC(), 0, 0);  // logical 0 is device 1
  EXPECT_EQ(Row(Target, 0),
            (std::vector<TvxColor>{0xFF000000, 0xFF0000FF, 0xFF0000FF, 0xFF000000, 0xFF000000, 0xFF000000}));
  SetViewportOrgEx(Target.DC(), 0, 0, nullptr);
  SetWindowOrgEx(Target.DC(), 0, 0, nullptr);
  Target.Fill(0xFF000000);
  const int Saved = SaveDC(Target.DC());
  ExcludeClipRect(Target.DC(), 3, 0, 4, 1);
  PaintNumbered(Source, 6, 1);
  Source.Draw(Target.DC(), 0, 0);
  RestoreDC(Target.DC(), Saved);
  GdiFlush();
  for (Integer X = 0; X < 6; ++X)
    EXPECT_EQ(Target.GetPixel(X, 0) & 0xFFFFFF, X == 3 ? 0u : Numbered(X, 0) & 0xFFFFFF) << X;
}

// A list clips its items to its inner rectangle: a rectangular clip keeps the direct paths, which
// must then leave everything outside it alone and sample inside it as if unclipped.
TEST(BitmapDeviceContext, ARectangularClipLimitsTheDirectPathsWithoutShiftingTheImage) {
  TvxBitmap Source;
  PaintNumbered(Source, 3, 2);
  TvxBitmap Engine;
  Engine.SetSize(6, 4);
  TBitmap Framework;
  Framework.SetPixelFormat(TPixelFormat::pf32bit);
  Framework.SetSize(6, 4);
  for (HDC DC : {Engine.DC(), Framework.Canvas().Handle()}) {
    SCOPED_TRACE(DC == Engine.DC() ? "engine bitmap" : "framework section");
    const auto Pixels = [DC] {
      GdiFlush();
      std::vector<COLORREF> All;
      for (Integer Y = 0; Y < 4; ++Y)
        for (Integer X = 0; X < 6; ++X) All.push_back(::GetPixel(DC, X, Y));
      return All;
    };
    const auto Clear = [DC] {
      TBrushHandle Black(CreateSolidBrush(RGB(0, 0, 0)));
      RECT All{0, 0, 6, 4};
      ::FillRect(DC, &All, Black.Get());
    };
    Clear();
    Source.StretchDraw(DC, Rect(0, 0, 6, 4), Rect(0, 0, 3, 2));
    const std::vector<COLORREF> Whole = Pixels();
    struct TCase {
      const char* Name;
      TRect Clip;  // device units
    } Cases[] = {{"inside", Rect(2, 1, 5, 3)}, {"empty", Rect(0, 0, 0, 0)}};
    for (const TCase& Case : Cases) {
      SCOPED_TRACE(Case.Name);
      Clear();
      const int Saved = SaveDC(DC);
      SetWindowOrgEx(DC, 1, 1, nullptr);
      IntersectClipRect(DC, Case.Clip.Left + 1, Case.Clip.Top + 1, Case.Clip.Right + 1, Case.Clip.Bottom + 1);
      Source.StretchDraw(DC, Rect(1, 1, 7, 5), Rect(0, 0, 3, 2));
      RestoreDC(DC, Saved);
      const std::vector<COLORREF> Got = Pixels();
      for (Integer Y = 0; Y < 4; ++Y)
        for (Integer X = 0; X < 6; ++X) {
          const bool In = X >= Case.Clip.Left && X < Case.Clip.Right && Y >= Case.Clip.Top && Y < Case.Clip.Bottom;
          EXPECT_EQ(Got[size_t(Y * 6 + X)], In ? Whole[size_t(Y * 6 + X)] : RGB(0, 0, 0)) << X << "," << Y;
        }
    }
  }
}

// A section's header does not tell its row order, so only framework bitmaps (bottom-up) are
// written directly; other sections go through GDI. Either way the rows land where they belong.
TEST(BitmapDeviceContext, ThirtyTwoBitTargetsOfEitherRowOrderGetTheirRowsRight) {
  TvxBitmap Source;
  Paint(Source, 1, 1, 0x80C80000);
  Source.SetAlphaBlend(true);
  for (const Integer Height : {2, -2}) {
    SCOPED_TRACE(Height);
    TDibDC Buffer(3, Height, 32);
    for (Integer X = 0; X < 3; ++X)
      for (Integer Y = 0; Y < 2; ++Y) SetPixelV(Buffer.DC(), X, Y, RGB(100, 0, 0));
    GdiFlush();
    Source.Draw(Buffer.DC(), 1, 0);
    const Integer Top = Height > 0 ? 1 : 0, Bottom = 1 - Top;  // memory rows
    EXPECT_EQ(Buffer.Memory(1, Top) & 0xFFFFFF, 0x960000u);
    EXPECT_EQ(Buffer.Memory(1, Bottom) & 0xFFFFFF, 0x640000u);
    EXPECT_EQ(Buffer.Memory(0, Top) & 0xFFFFFF, 0x640000u);
  }
  TBitmap Framework;
  Framework.SetPixelFormat(TPixelFormat::pf32bit);
  Framework.SetSize(3, 2);
  for (Integer X = 0; X < 3; ++X)
    for (Integer Y = 0; Y < 2; ++Y) Framework.Canvas().SetPixel(X, Y, TColor(RGB(100, 0, 0)));
  ASSERT_TRUE(IsBottomUpBitmapSection(static_cast<HBITMAP>(GetCurrentObject(Framework.Canvas().Handle(), OBJ_BITMAP))));
  Source.Draw(Framework.Canvas().Handle(), 1, 0);
  GdiFlush();
  EXPECT_EQ(Framework.Canvas().Pixel(1, 0), TColor(RGB(150, 0, 0)));
  EXPECT_EQ(Framework.Canvas().Pixel(1, 1), TColor(RGB(100, 0, 0)));
}

TEST(BitmapDeviceContext, OtherTargetsGoThroughGdiInEachMode) {
  TDibDC Screenlike(4, 1, 24);
  TvxBitmap Source;
  Paint(Source, 2, 1, 0xFFC80000);
  Source.SetPixel(1, 0, vxKeyColor);

  Screenlike.Clear(RGB(100, 0, 0));
  Source.Draw(Screenlike.DC(), 0, 0);  // copy: the key pixel arrives as magenta-ish purple
  EXPECT_EQ(Screenlike.Pixel(0, 0), RGB(200, 0, 0));
  EXPECT_EQ(Screenlike.Pixel(1, 0), RGB(127, 0, 127));

  Screenlike.Clear(RGB(100, 0, 0));
  Source.SetTransparent(true);
  Source.StretchDraw(Screenlike.DC(), Rect(0, 0, 4, 1), Rect(0, 0, 2, 1));
  EXPECT_EQ(Screenlike.Pixel(0, 0), RGB(200, 0, 0));
  EXPECT_EQ(Screenlike.Pixel(3, 0), RGB(100, 0, 0)) << "key pixels leave the target alone";
  EXPECT_TRUE(TransparentBltAvailable());

  Screenlike.Clear(RGB(100, 0, 0));
  Source.SetPixel(0, 0, 0x80C80000);
  Source.SetAlphaBlend(true);
  Source.Draw(Screenlike.DC(), 1, 0);
  EXPECT_EQ(Screenlike.Pixel(0, 0), RGB(100, 0, 0));
  EXPECT_EQ(Screenlike.Pixel(1, 0), RGB(150, 0, 0));
  EXPECT_EQ(Screenlike.Pixel(2, 0), RGB(100, 0, 0));
}

// GDI stretches by a rule of its own; a scaled draw onto a plain DC samples the same source
// pixels as a draw into a bitmap: Round(x * 2 / 4 + offset), halves to even after the offset.
TEST(BitmapDeviceContext, AScaledDrawOntoAnyTargetSamplesTheEngineSourcePixels) {
  TvxBitmap Source;
  PaintNumbered(Source, 8, 8);  // blue is the column, green the row
  const Integer Columns[] = {1, 2, 2, 2, 3}, Rows[] = {2, 2, 3, 4, 4};
  const auto Expect = [&](auto Pixel) {
    for (Integer Y = 0; Y < 5; ++Y)
      for (Integer X = 0; X < 5; ++X) ASSERT_EQ(Pixel(X, Y), RGB(0, Rows[Y], Columns[X])) << X << "," << Y;
  };
  TDibDC Screenlike(5, 5, 24);
  for (const bool Keyed : {false, true}) {
    SCOPED_TRACE(Keyed ? "key" : "copy");
    Source.SetTransparent(Keyed);
    Screenlike.Clear(RGB(100, 0, 0));
    Source.StretchDraw(Screenlike.DC(), Rect(0, 0, 5, 5), Rect(1, 2, 4, 5));
    Expect([&](Integer X, Integer Y) { return Screenlike.Pixel(X, Y); });
  }
  // Wider than one composing piece of 2048: 2x/2099 never ends in a half (2099 is odd).
  TDibDC Wide(2100, 1, 24);
  Source.SetTransparent(false);
  Source.StretchDraw(Wide.DC(), Rect(0, 0, 2100, 1), Rect(1, 2, 4, 3));
  for (Integer X = 0; X < 2100; ++X) ASSERT_EQ(Wide.Pixel(X, 0), RGB(0, 2, 1 + (4 * X + 2099) / 4198)) << X;
  TvxBitmap Registered;
  Paint(Registered, 5, 5, 0);
  Source.StretchDraw(Registered.DC(), Rect(0, 0, 5, 5), Rect(1, 2, 4, 5));
  Expect([&](Integer X, Integer Y) { return COLORREF(PixelToColor(Registered.GetPixel(X, Y))); });
}

TEST(BitmapDeviceContext, TileAndTileClipOntoADeviceContext) {
  TvxBitmap Source, ByDC, ByBitmap;
  PaintNumbered(Source, 10, 10);
  Paint(ByDC, 30, 12, 0);
  Paint(ByBitmap, 30, 12, 0);
  Source.Tile(ByDC.DC(), Rect(0, 0, 25, 10), Rect(0, 0, 10, 10));
  Source.TileTo(ByBitmap, Rect(0, 0, 25, 10), Rect(0, 0, 10, 10));
  EXPECT_EQ(AllPixels(ByDC), AllPixels(ByBitmap));
  EXPECT_EQ(ByDC.GetPixel(24, 3), Numbered(4, 3));
  ByDC.Fill(0);
  Source.TileClip(ByDC.DC(), Rect(0, 0, 25, 10), Rect(0, 0, 10, 10), Rect(11, 0, 12, 1));
  EXPECT_EQ(ByDC.GetPixel(0, 0), 0u);
  EXPECT_EQ(ByDC.GetPixel(15, 5), Numbered(5, 5));
  EXPECT_EQ(ByDC.GetPixel(20, 0), 0u);
}

TEST(BitmapDeviceContext, AVisibleWindowReceivesTheDrawing) {
  WNDCLASSA Class{};
  Class.lpfnWndProc = DefWindowProcA;
  Class.hInstance = GetModuleHandleA(nullptr);
  Class.lpszClassName = "VexelBitmapTestWindow";
  Class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterClassA(&Class);
  HWND Window = CreateWindowExA(WS_EX_TOPMOST, Class.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 20, nullptr,
                                nullptr, Class.hInstance, nullptr);
  ASSERT_NE(Window, nullptr);
  UpdateWindow(Window);
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&Msg);

  TvxBitmap Source;
  Paint(Source, 10, 10, 0xFF00C800);
  Source.SetPixel(0, 0, vxKeyColor);
  Source.SetTransparent(true);
  {
    TWindowDC DC(Window);
    Source.Draw(DC.Get(), 5, 5);
    GdiFlush();
    EXPECT_EQ(::GetPixel(DC.Get(), 6, 6), RGB(0, 200, 0));
    EXPECT_EQ(::GetPixel(DC.Get(), 5, 5), RGB(0, 0, 0)) << "the key pixel shows the window behind";
    EXPECT_EQ(::GetPixel(DC.Get(), 16, 6), RGB(0, 0, 0));
  }
  DestroyWindow(Window);
}

TEST(BitmapRegion, CreateRegionMakesAGdiRegionOfTheNonKeyPixels) {
  TvxBitmap B;
  EXPECT_EQ(B.CreateRegion(0, 0), nullptr);
  Paint(B, 6, 6, vxKeyColor);
  TRegionHandle Empty(B.CreateRegion(0, 0));
  ASSERT_TRUE(Empty);
  RECT Box;
  EXPECT_EQ(GetRgnBox(Empty.Get(), &Box), NULLREGION);

  B.SetPixel(3, 4, 0xFF000000);
  B.SetPixel(0, 0, 0xFF000000);
  B.SetPixel(1, 0, 0xFF000000);
  TRegionHandle Region(B.CreateRegion(10, 10));
  ASSERT_TRUE(Region);
  EXPECT_TRUE(PtInRegion(Region.Get(), 13, 14));
  EXPECT_TRUE(PtInRegion(Region.Get(), 11, 10));
  EXPECT_FALSE(PtInRegion(Region.Get(), 12, 10));
  EXPECT_FALSE(PtInRegion(Region.Get(), 3, 4));
  EXPECT_EQ(GetRgnBox(Region.Get(), &Box), COMPLEXREGION);
  EXPECT_EQ(Box.left, 10);
  EXPECT_EQ(Box.bottom, 15);
}

namespace {

// A packed DIB: header then pixels, as a bitmap resource stores it.
std::vector<uint8_t> PackedDib(Integer W, Integer H, WORD Bits, const std::vector<uint8_t>& Pixels) {
  BITMAPINFOHEADER Header{};
  Header.biSize = sizeof Header;
  Header.biWidth = W;
  Header.biHeight = H;
  Header.biPlanes = 1;
  Header.biBitCount = Bits;
  std::vector<uint8_t> Data(sizeof Header + Pixels.size());
  std::memcpy(Data.data(), &Header, sizeof Header);
  std::copy(Pixels.begin(), Pixels.end(), Data.begin() + sizeof Header);
  return Data;
}

// A copy of this test program with bitmap resources added, so that the real module loader is used.
std::string ModuleWithBitmaps() {
  char Self[MAX_PATH], Temp[MAX_PATH];
  GetModuleFileNameA(nullptr, Self, MAX_PATH);
  GetTempPathA(MAX_PATH, Temp);
  const std::string Path = std::string(Temp) + "vexel_bitmaps.dll";
  if (!CopyFileA(Self, Path.c_str(), FALSE)) return {};
  HANDLE Update = BeginUpdateResourceA(Path.c_str(), FALSE);
  if (!Update) return {};
  // 2 x 2, 32-bit bottom-up: the first stored row is the bottom one.
  const auto Alpha = PackedDib(2, 2, 32, {1, 2, 3, 0x80, 4, 5, 6, 0xFF, 7, 8, 9, 0xFF, 10, 11, 12, 0});
  // 2 x 1, 24-bit, rows padded to four bytes.
  const auto Plain = PackedDib(2, 1, 24, {0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0});
  // Declares 100 x 100 pixels but stores 4 bytes of them.
  const auto Short = PackedDib(100, 100, 32, {1, 2, 3, 4});
  const auto Add = [&](const char* Name, const std::vector<uint8_t>& Data) {
    return UpdateResourceA(Update, MAKEINTRESOURCEA(2), Name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                           const_cast<uint8_t*>(Data.data()), DWORD(Data.size()));
  };
  const bool Added = Add("ALPHA", Alpha) && Add("PLAIN", Plain) && Add("SHORT", Short);
  return EndUpdateResourceA(Update, !Added) && Added ? Path : std::string();
}

}  // namespace

TEST(BitmapResource, LoadsThirtyTwoBitWithAlphaAndOtherDepthsOpaque) {
  const std::string Module = ModuleWithBitmaps();
  ASSERT_FALSE(Module.empty()) << "could not add resources to a module copy";
  TvxBitmap B;
  B.LoadFromResource(Module, "ALPHA");
  EXPECT_EQ(B.Name(), "ALPHA");
  EXPECT_EQ(Row(B, 0), (std::vector<TvxColor>{0xFF090807, 0x000C0B0A}));
  EXPECT_EQ(Row(B, 1), (std::vector<TvxColor>{0x80030201, 0xFF060504}));
  EXPECT_TRUE(B.AlphaBlend());

  B.LoadFromResource(Module, "PLAIN");
  EXPECT_EQ(Row(B, 0), (std::vector<TvxColor>{0xFF102030, 0xFF405060}));
  EXPECT_FALSE(B.AlphaBlend()) << "an opaque image does not keep the flag of the one before";

  TvxBitmap Kept;
  Paint(Kept, 1, 1, 0xFF000001);
  EXPECT_THROW(Kept.LoadFromResource(Module, "SHORT"), EReadError);
  try {
    Kept.LoadFromResource(Module, "MISSING");
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Resource MISSING not found");
  }
  EXPECT_THROW(Kept.LoadFromResource("no_such_module.dll", "ALPHA"), Exception);
  EXPECT_EQ(AllPixels(Kept), std::vector<TvxColor>{0xFF000001});
  DeleteFileA(Module.c_str());
}

TEST(ScreenProbe, MapsGdiBitDepthsAndReportsTheScreen) {
  const std::pair<int, TPixelFormat> Cases[] = {
      {1, TPixelFormat::pf1bit},   {4, TPixelFormat::pf4bit},   {8, TPixelFormat::pf8bit},
      {15, TPixelFormat::pf15bit}, {16, TPixelFormat::pf16bit}, {24, TPixelFormat::pf24bit},
      {32, TPixelFormat::pf32bit}, {2, TPixelFormat::pfCustom}, {0, TPixelFormat::pfCustom},
  };
  for (auto [Bits, Format] : Cases) EXPECT_EQ(PixelFormatFromBits(Bits), Format) << Bits;
  TWindowDC Screen(nullptr);
  EXPECT_EQ(ScreenPixelFormat(), PixelFormatFromBits(GetDeviceCaps(Screen.Get(), BITSPIXEL)));
}
