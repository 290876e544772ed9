// The Windows half of the effects: the record's mask bitmap, the stopwatch, and the scheduler that
// plays transitions onto canvases from one shared 20 ms timer.
#include <windows.h>

#include <array>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "vexel/graphics/vx_effect_internal.h"
#include "vexel/graphics/vx_effect_transition.h"

// [Mask bitmap] ---------------------------------------------------------------------------------

std::unique_ptr<TPersistent> CreateAnimationBitmap() { return std::make_unique<TBitmap>(); }

TBitmap* TvxAnimationRec::Bitmap() const { return static_cast<TBitmap*>(FBitmap.get()); }

void TvxAnimationRec::SetBitmap(const TBitmap* Value) {
  if (Value)
    Bitmap()->Assign(Value);
  else
    Bitmap()->SetSize(0, 0);
}

bool MakeBitmapMask(const TvxAnimationRec& Settings, Integer W, Integer H, std::vector<Byte>& Mask) {
  const TBitmap* Source = Settings.Bitmap();
  if (!Source || Source->Empty() || W <= 0 || H <= 0) return false;
  TBitmap Cells;
  Cells.SetPixelFormat(TPixelFormat::pf32bit);
  Cells.SetSize(W, H);
  HDC DC = Cells.Canvas().Handle();
  const int OldMode = SetStretchBltMode(DC, COLORONCOLOR);
  Cells.Canvas().StretchDraw(Rect(0, 0, W, H), *Source);
  SetStretchBltMode(DC, OldMode);
  TvxBitmap Engine;
  Engine.Assign(&Cells);
  if (Engine.Width() != W || Engine.Height() != H) return false;
  Mask.resize(size_t(W) * size_t(H));
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) Mask[size_t(Y) * size_t(W) + size_t(X)] = PixelBlue(*Engine.PixelPtr(X, Y));
  return true;
}

// [Stopwatch] -----------------------------------------------------------------------------------

namespace {
int64_t Counter() {
  LARGE_INTEGER Value;
  QueryPerformanceCounter(&Value);
  return Value.QuadPart;
}

double CounterFrequency() {
  static const double Frequency = [] {
    LARGE_INTEGER Value;
    QueryPerformanceFrequency(&Value);
    return double(Value.QuadPart);
  }();
  return Frequency;
}
}  // namespace

void TvxTimer::Start() {
  FStart = Counter();
  FRunning = true;
}

void TvxTimer::Stop() {
  FStop = Counter();
  FRunning = false;
}

double TvxTimer::Elapsed() const {
  return double((FRunning ? Counter() : FStop) - FStart) * 1000.0 / CounterFrequency();
}

// [Scheduler] -----------------------------------------------------------------------------------

namespace {

struct TSlot {
  TvxTransition Transition;
  TCanvas* Canvas = nullptr;  // borrowed
  Integer X = 0, Y = 0;
  // StopAnimation asked for while the slot renders a frame (from inside an effect): done after it.
  bool StopRequested = false;
  bool StopDrawFinal = false;
};

// Owns the shared timer: a message-only window whose WM_TIMER runs AnimationTick, so the ticks
// come from whatever message loop is running.
class TvxMultiObject {
 public:
  TvxMultiObject() {
    WNDCLASSEXW Class{};
    Class.cbSize = sizeof(Class);
    Class.lpfnWndProc = &WindowProc;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.lpszClassName = L"TvxMultiObject";
    RegisterClassExW(&Class);  // a second registration fails harmlessly
    FWindow =
        CreateWindowExW(0, L"TvxMultiObject", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Class.hInstance, nullptr);
  }
  ~TvxMultiObject() {
    if (FWindow) DestroyWindow(FWindow);
  }
  TvxMultiObject(const TvxMultiObject&) = delete;
  TvxMultiObject& operator=(const TvxMultiObject&) = delete;

  void SetEnabled(bool Value) {
    if (Value == FEnabled || !FWindow) return;
    FEnabled = Value;
    if (Value)
      SetTimer(FWindow, 1, UINT(vxAnimationTick), nullptr);
    else
      KillTimer(FWindow, 1);
  }
  bool Enabled() const { return FEnabled; }

 private:
  static LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM W, LPARAM L) {
    if (Message == WM_TIMER) {
      AnimationTick();
      return 0;
    }
    return DefWindowProcW(Window, Message, W, L);
  }

  HWND FWindow = nullptr;
  bool FEnabled = false;
};

struct TScheduler {
  std::array<TSlot, vxAnimationSlots> Slots;
  TvxMultiObject Timer;

  bool AnyActive() const {
    for (const TSlot& S : Slots)
      if (S.Transition.Active()) return true;
    return false;
  }
  void UpdateTimer() { Timer.SetEnabled(AnyActive()); }
};

TScheduler& Scheduler() {
  static TScheduler Instance;
  return Instance;
}

bool ValidSlot(Integer Slot) { return Slot >= 0 && Slot < vxAnimationSlots; }

void DrawSlot(TSlot& S) {
  if (S.Canvas) S.Transition.Work().Draw(*S.Canvas, S.X, S.Y);
}

}  // namespace

Integer AnimateAsync(TCanvas& Canvas, Integer X, Integer Y, Integer Slot, const TvxAnimationRec& Settings,
                     const TvxBitmap& NewImage, const TvxBitmap& OldImage) {
  TScheduler& Sch = Scheduler();
  if (Slot == -1) {
    for (Integer I = 0; I < vxAnimationSlots && Slot == -1; ++I)
      if (!Sch.Slots[size_t(I)].Transition.Active()) Slot = I;
    if (Slot == -1) return -1;
  }
  if (!ValidSlot(Slot)) return -1;
  TSlot& S = Sch.Slots[size_t(Slot)];
  // A slot asked for by number may still be playing: that transition ends where it stands,
  // unless it is rendering a frame right now.
  if (S.Transition.Busy()) return -1;
  if (S.Transition.Active()) StopAnimation(Slot, false);
  if (!S.Transition.Start(Settings, NewImage, OldImage)) return -1;
  S.Canvas = &Canvas;
  S.X = X;
  S.Y = Y;
  Sch.UpdateTimer();
  return Slot;
}

void Animate(TCanvas& Canvas, Integer X, Integer Y, const TvxAnimationRec& Settings, const TvxBitmap& NewImage,
             const TvxBitmap& OldImage, bool LeaveInput) {
  const Integer Slot = AnimateAsync(Canvas, X, Y, -1, Settings, NewImage, OldImage);
  const UINT Remove = LeaveInput ? PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE : PM_REMOVE;
  while (IsAnimating(Slot)) {
    MSG Message;
    if (!PeekMessageW(&Message, nullptr, 0, 0, Remove)) {
      WaitMessage();
      continue;
    }
    if (Message.message == WM_QUIT) {
      // The program is closing: end on the new image and leave the quit for the main loop.
      StopAnimation(Slot, true);
      PostQuitMessage(int(Message.wParam));
      break;
    }
    TranslateMessage(&Message);
    DispatchMessageW(&Message);
  }
}

bool IsAnimating(Integer Slot) { return ValidSlot(Slot) && Scheduler().Slots[size_t(Slot)].Transition.Active(); }

bool AnyAnimating() {
  for (const TSlot& S : Scheduler().Slots)
    if (S.Transition.Active()) return true;
  return false;
}

void StopAnimation(Integer Slot, bool DrawFinal) {
  if (!IsAnimating(Slot)) return;
  TScheduler& Sch = Scheduler();
  TSlot& S = Sch.Slots[size_t(Slot)];
  if (S.Transition.Busy()) {
    S.StopRequested = true;
    S.StopDrawFinal = S.StopDrawFinal || DrawFinal;
    return;
  }
  S.StopRequested = S.StopDrawFinal = false;
  if (DrawFinal) {
    S.Transition.RenderFinal();
    DrawSlot(S);
  }
  S.Transition.Stop();
  S.Canvas = nullptr;
  Sch.UpdateTimer();
}

void AnimationTick() {
  TScheduler& Sch = Scheduler();
  for (Integer I = 0; I < vxAnimationSlots; ++I) {
    TSlot& S = Sch.Slots[size_t(I)];
    if (!S.Transition.Active() || S.Transition.Busy()) continue;
    S.Transition.SetBusy(true);
    const Integer Percent = S.Transition.Step();
    DrawSlot(S);
    S.Transition.SetBusy(false);
    if (S.StopRequested || Percent >= 100) StopAnimation(I, S.StopDrawFinal);
  }
  Sch.UpdateTimer();
}
