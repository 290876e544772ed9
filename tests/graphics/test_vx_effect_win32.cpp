// The scheduler: transitions played onto a canvas (here a framework bitmap's, read back through
// its scan lines) by ticks of the shared timer.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>

#include "bitmap_helpers.h"
#include "framework/core/component_stream.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "vexel/graphics/vx_effect.h"

namespace {

constexpr Integer IW = 12, IH = 9;
constexpr TvxColor Untouched = 0x11223344;

struct TScene {
  TvxBitmap Old, New;
  TBitmap Target;
  TScene() {
    Old.SetSize(IW, IH);
    New.SetSize(IW, IH);
    for (Integer Y = 0; Y < IH; ++Y)
      for (Integer X = 0; X < IW; ++X) {
        Old.SetPixel(X, Y, 0xFF102030 + TvxColor(X + 3 * Y));
        New.SetPixel(X, Y, 0xFF0000C0 | TvxColor(0xF0 - X) << 16 | TvxColor(0xE0 - Y) << 8);
      }
    Target.SetPixelFormat(TPixelFormat::pf32bit);
    Target.SetSize(IW + 6, IH + 6);
    for (Integer Y = 0; Y < Target.Height(); ++Y)
      for (Integer X = 0; X < Target.Width(); ++X) Pixel(X, Y) = Untouched;
  }
  TvxColor& Pixel(Integer X, Integer Y) { return static_cast<TvxColor*>(Target.ScanLine(Y))[X]; }
  // The transition is drawn at (3, 2); pixels outside it must stay untouched.
  template <typename TExpected>
  void ExpectShown(TExpected Expected, const std::string& Context) {
    for (Integer Y = 0; Y < Target.Height(); ++Y)
      for (Integer X = 0; X < Target.Width(); ++X) {
        const bool Inside = X >= 3 && X < 3 + IW && Y >= 2 && Y < 2 + IH;
        ASSERT_EQ(Pixel(X, Y), Inside ? Expected(X - 3, Y - 2) : Untouched)
            << Context << " at (" << X << ", " << Y << ")";
      }
  }
  bool Unchanged() {
    for (Integer Y = 0; Y < Target.Height(); ++Y)
      for (Integer X = 0; X < Target.Width(); ++X)
        if (Pixel(X, Y) != Untouched) return false;
    return true;
  }
};

std::unique_ptr<TvxAnimationRec> Settings(const std::string& Effect, Integer Time = 400) {
  auto R = std::make_unique<TvxAnimationRec>();
  R->SetEffect(Effect);
  R->SetTime(Time);
  return R;
}

void StopAll() {
  for (Integer I = 0; I < vxAnimationSlots; ++I) StopAnimation(I, false);
}

}  // namespace

TEST(EffectScheduler, FourHundredMillisecondsAreTwentyTicksOfFivePercent) {
  TScene S;
  auto R = Settings("Fade");
  const Integer Slot = AnimateAsync(S.Target.Canvas(), 3, 2, -1, *R, S.New, S.Old);
  ASSERT_GE(Slot, 0);
  for (Integer Tick = 1; Tick <= 20; ++Tick) {
    ASSERT_TRUE(IsAnimating(Slot)) << "tick " << Tick;
    AnimationTick();
    const Integer P = 5 * Tick;
    S.ExpectShown(
        [&](Integer X, Integer Y) {
          return Blended(S.New.GetPixel(X, Y), S.Old.GetPixel(X, Y), P < 100 ? P * 255 / 100 : 255);
        },
        "tick " + std::to_string(Tick));
  }
  EXPECT_FALSE(IsAnimating(Slot));
  S.Pixel(3, 2) = Untouched;
  AnimationTick();
  EXPECT_EQ(S.Pixel(3, 2), Untouched) << "an ended transition draws no more";
}

TEST(EffectScheduler, TwoHundredAndOneTransitionsRunAtOnceAndTheNextIsRefused) {
  TScene S;
  auto R = Settings("SlideDown");
  for (Integer I = 0; I < vxAnimationSlots; ++I)
    ASSERT_EQ(AnimateAsync(S.Target.Canvas(), 3, 2, -1, *R, S.New, S.Old), I);
  EXPECT_EQ(AnimateAsync(S.Target.Canvas(), 3, 2, -1, *R, S.New, S.Old), -1);
  for (Integer I = 0; I < vxAnimationSlots; ++I) EXPECT_TRUE(IsAnimating(I));
  StopAnimation(57, false);
  EXPECT_FALSE(IsAnimating(57));
  EXPECT_EQ(AnimateAsync(S.Target.Canvas(), 3, 2, -1, *R, S.New, S.Old), 57) << "the first free slot";
  for (Integer Bad : {-2, vxAnimationSlots}) {
    EXPECT_EQ(AnimateAsync(S.Target.Canvas(), 3, 2, Bad, *R, S.New, S.Old), -1) << Bad;
    EXPECT_FALSE(IsAnimating(Bad));
  }
  // All of them advance on the same tick.
  AnimationTick();
  EXPECT_TRUE(IsAnimating(0) && IsAnimating(200));
  StopAll();
  for (Integer I = 0; I < vxAnimationSlots; ++I) ASSERT_FALSE(IsAnimating(I));
}

TEST(EffectScheduler, NothingStartsOrDrawsWithoutImagesOrAKnownEffect) {
  TScene S;
  TvxBitmap Empty;
  auto Fade = Settings("Fade");
  auto Unknown = Settings("[ FADE ] - NoSuchEffect");
  auto Bitmap = Settings("[ BITMAP ] - Bitmap Animation");  // with an empty Bitmap
  struct TCase {
    const char* Name;
    const TvxAnimationRec& R;
    const TvxBitmap &New, &Old;
  };
  const TCase Cases[] = {{"empty old image", *Fade, S.New, Empty},
                         {"empty new image", *Fade, Empty, S.Old},
                         {"unknown effect", *Unknown, S.New, S.Old},
                         {"bitmap animation without a bitmap", *Bitmap, S.New, S.Old}};
  for (const TCase& C : Cases) {
    EXPECT_EQ(AnimateAsync(S.Target.Canvas(), 3, 2, -1, C.R, C.New, C.Old), -1) << C.Name;
    const auto Start = std::chrono::steady_clock::now();
    Animate(S.Target.Canvas(), 3, 2, C.R, C.New, C.Old);
    EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(20)) << C.Name;
    AnimationTick();
    EXPECT_TRUE(S.Unchanged()) << C.Name;
  }
}

TEST(EffectScheduler, AnimatePlaysOnTheSharedTimerUntilTheEnd) {
  TScene S;
  auto R = Settings("CircleSlideOut", 100);
  const auto Start = std::chrono::steady_clock::now();
  Animate(S.Target.Canvas(), 3, 2, *R, S.New, S.Old);
  // Five ticks of 20 ms at the least.
  EXPECT_GE(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(80));
  S.ExpectShown([&](Integer X, Integer Y) { return S.New.GetPixel(X, Y); }, "after Animate");
  for (Integer I = 0; I < vxAnimationSlots; ++I) ASSERT_FALSE(IsAnimating(I));
}

// A transition keeps copies of its images and settings; the canvas is borrowed, so whoever frees
// it stops the transition first.
TEST(EffectScheduler, CallersMayFreeImagesAtOnceAndStopBeforeFreeingTheCanvas) {
  TScene S;
  auto Old = std::make_unique<TvxBitmap>(), New = std::make_unique<TvxBitmap>();
  Old->Assign(&S.Old);
  New->Assign(&S.New);
  auto R = Settings("Fade");
  const Integer Slot = AnimateAsync(S.Target.Canvas(), 3, 2, -1, *R, *New, *Old);
  ASSERT_GE(Slot, 0);
  Old.reset();
  New.reset();
  R.reset();
  for (int Tick = 0; Tick < 20; ++Tick) AnimationTick();
  EXPECT_FALSE(IsAnimating(Slot));
  S.ExpectShown([&](Integer X, Integer Y) { return S.New.GetPixel(X, Y); }, "after the freed images");

  auto Canvas = std::make_unique<TBitmap>();
  Canvas->SetPixelFormat(TPixelFormat::pf32bit);
  Canvas->SetSize(IW, IH);
  auto Again = Settings("Fade");
  const Integer Second = AnimateAsync(Canvas->Canvas(), 0, 0, -1, *Again, S.New, S.Old);
  ASSERT_GE(Second, 0);
  AnimationTick();
  StopAnimation(Second, false);
  Canvas.reset();
  AnimationTick();
  EXPECT_FALSE(IsAnimating(Second));
}

TEST(EffectScheduler, StoppingWithTheFinalFrameShowsTheNewImage) {
  TScene S;
  S.New.SetPixel(4, 4, 0x007F007F);
  auto R = Settings("SmoothRectOut");
  const Integer Slot = AnimateAsync(S.Target.Canvas(), 3, 2, -1, *R, S.New, S.Old);
  AnimationTick();
  AnimationTick();
  StopAnimation(Slot, true);
  EXPECT_FALSE(IsAnimating(Slot));
  S.ExpectShown([&](Integer X, Integer Y) { return X == 4 && Y == 4 ? S.Old.GetPixel(X, Y) : S.New.GetPixel(X, Y); },
                "final frame");
}

// The mask bitmap is stretched to the mask's cells (here exactly their size); at 50 % its blue
// channel is the opacity of the new image.
TEST(EffectScheduler, BitmapAnimationHalfWayShowsTheBlueChannelAsOpacity) {
  TScene S;
  const Integer W = IW + 1, H = IH + 1;
  TBitmap Mask;
  Mask.SetPixelFormat(TPixelFormat::pf32bit);
  Mask.SetSize(W, H);
  auto Blue = [](Integer X, Integer Y) { return Byte(X * 19 + Y * 7); };
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) static_cast<TvxColor*>(Mask.ScanLine(Y))[X] = 0xFF405000 | Blue(X, Y);
  auto R = Settings("[ BITMAP ] - Bitmap Animation");
  R->SetBitmap(&Mask);
  ASSERT_EQ(R->Bitmap()->Width(), W);
  const Integer Slot = AnimateAsync(S.Target.Canvas(), 3, 2, -1, *R, S.New, S.Old);
  ASSERT_GE(Slot, 0);
  for (int Tick = 0; Tick < 10; ++Tick) AnimationTick();
  S.ExpectShown([&](Integer X, Integer Y) { return Blended(S.New.GetPixel(X, Y), S.Old.GetPixel(X, Y), Blue(X, Y)); },
                "50 %");
  StopAll();

  TvxAnimationRec Copy;
  Copy.Assign(R.get());
  ASSERT_EQ(Copy.Bitmap()->Width(), W);
  EXPECT_EQ(static_cast<TvxColor*>(Copy.Bitmap()->ScanLine(2))[5] & 0xFF, Blue(5, 2));
  Copy.SetBitmap(nullptr);
  EXPECT_TRUE(Copy.Bitmap()->Empty());
}

TEST(EffectStopwatch, MeasuresTheHighResolutionCounter) {
  TvxTimer T;
  T.Start();
  Sleep(30);
  T.Stop();
  const double Measured = T.Elapsed();
  EXPECT_GE(Measured, 25.0);
  EXPECT_LT(Measured, 1000.0);
  Sleep(10);
  EXPECT_EQ(T.Elapsed(), Measured) << "a stopped stopwatch keeps its time";
}

// The mask bitmap is stored in form files with the record.
TEST(EffectSettings, TheMaskBitmapRoundTripsThroughAFormFile) {
  TvxAnimationRec Source;
  Source.SetEffect("[ BITMAP ] - Bitmap Animation");
  TBitmap Mask;
  Mask.SetPixelFormat(TPixelFormat::pf32bit);
  Mask.SetSize(5, 3);
  for (Integer Y = 0; Y < 3; ++Y)
    for (Integer X = 0; X < 5; ++X) static_cast<TvxColor*>(Mask.ScanLine(Y))[X] = 0xFF000000 | TvxColor(X * 40 + Y);
  Source.SetBitmap(&Mask);
  TMemoryStream S;
  WriteComponent(S, Source);
  S.SetPosition(0);
  TvxAnimationRec Read;
  ReadComponent(S, Read);
  ASSERT_EQ(Read.Bitmap()->Width(), 5);
  ASSERT_EQ(Read.Bitmap()->Height(), 3);
  for (Integer Y = 0; Y < 3; ++Y)
    for (Integer X = 0; X < 5; ++X)
      EXPECT_EQ(static_cast<TvxColor*>(Read.Bitmap()->ScanLine(Y))[X] & 0xFF, TvxColor(X * 40 + Y)) << X << "," << Y;

  // An empty bitmap stores nothing and reads back empty.
  TvxAnimationRec Plain;
  TMemoryStream Empty;
  WriteComponent(Empty, Plain);
  Empty.SetPosition(0);
  ReadComponent(Empty, Read);
  EXPECT_TRUE(Read.Bitmap()->Empty());
}

namespace {
// A visible top-level window of IW x IH client pixels with a borrowed DC for a canvas.
class TTestWindow {
 public:
  TTestWindow() {
    WNDCLASSEXW Class{};
    Class.cbSize = sizeof(Class);
    Class.lpfnWndProc = DefWindowProcW;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.lpszClassName = L"EffectTestWindow";
    RegisterClassExW(&Class);
    FWindow = CreateWindowExW(WS_EX_TOPMOST, L"EffectTestWindow", L"", WS_POPUP | WS_VISIBLE, 120, 90, IW, IH, nullptr,
                              nullptr, Class.hInstance, nullptr);
    UpdateWindow(FWindow);
    Pump();
    FDC = GetDC(FWindow);
  }
  ~TTestWindow() {
    ReleaseDC(FWindow, FDC);
    DestroyWindow(FWindow);
  }
  HDC DC() const { return FDC; }
  static void Pump() {
    MSG M;
    while (PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&M);
  }
  // The colour on screen as a pixel value (alpha 255).
  TvxColor Read(Integer X, Integer Y) const {
    const COLORREF C = GetPixel(FDC, X, Y);
    return 0xFF000000 | TvxColor(GetRValue(C)) << 16 | TvxColor(GetGValue(C)) << 8 | GetBValue(C);
  }

 private:
  HWND FWindow = nullptr;
  HDC FDC = nullptr;
};
}  // namespace

// On a real window: ticks of the shared timer through a message loop draw the frames on screen.
TEST(EffectScheduler, PlaysOnAWindowThroughItsMessageLoop) {
  TScene S;
  TTestWindow Window;
  TCanvas Canvas(Window.DC());
  auto R = Settings("Fade");
  const Integer Slot = AnimateAsync(Canvas, 0, 0, -1, *R, S.New, S.Old);
  ASSERT_GE(Slot, 0);
  for (int Tick = 0; Tick < 10; ++Tick) AnimationTick();
  for (Integer Y = 0; Y < IH; Y += 4)
    for (Integer X = 0; X < IW; X += 3)
      ASSERT_EQ(Window.Read(X, Y), 0xFF000000 | Blended(S.New.GetPixel(X, Y), S.Old.GetPixel(X, Y), 50 * 255 / 100))
          << X << "," << Y;
  // The rest runs on the timer: its WM_TIMER messages come through this loop.
  const auto Start = std::chrono::steady_clock::now();
  while (IsAnimating(Slot) && std::chrono::steady_clock::now() - Start < std::chrono::seconds(5)) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    TTestWindow::Pump();
  }
  ASSERT_FALSE(IsAnimating(Slot));
  for (Integer Y = 0; Y < IH; Y += 4)
    for (Integer X = 0; X < IW; X += 3) ASSERT_EQ(Window.Read(X, Y), S.New.GetPixel(X, Y)) << X << "," << Y;
}

namespace {
Integer SelfStoppingSlot = -1;
// A manual effect that ends its own transition while drawing a frame.
void StopsItself(TvxBitmap& Work, TvxBitmap& NewImage, const TvxAnimationRec&, Integer) {
  NewImage.DrawTo(Work, 0, 0);
  StopAnimation(SelfStoppingSlot, false);
}
}  // namespace

// Stopping a slot from inside its own frame ends it once the frame is drawn, not beneath it.
TEST(EffectScheduler, AnEffectMayStopItsOwnTransition) {
  TScene S;
  RegisterEffect("Stops itself", ekManual, TvxManualProc(&StopsItself));
  auto R = Settings("Stops itself");
  SelfStoppingSlot = AnimateAsync(S.Target.Canvas(), 3, 2, -1, *R, S.New, S.Old);
  ASSERT_GE(SelfStoppingSlot, 0);
  AnimationTick();
  EXPECT_FALSE(IsAnimating(SelfStoppingSlot));
  S.ExpectShown([&](Integer X, Integer Y) { return S.New.GetPixel(X, Y); }, "the frame drawn before the stop");
  EXPECT_EQ(AnimateAsync(S.Target.Canvas(), 3, 2, SelfStoppingSlot, *R, S.New, S.Old), SelfStoppingSlot)
      << "the slot is free again";
  AnimationTick();
  EXPECT_FALSE(IsAnimating(SelfStoppingSlot));
}
