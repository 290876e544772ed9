// vexel_demo: a window showing engine bitmap operations on procedurally drawn images, painted
// double-buffered through one TvxBitmap. Stands in for the editor in ./run until it exists.
//
//   vexel_demo [--screenshot FILE.bmp] [--exit-after MS]
//
// --screenshot saves the client area after the first paint and exits (0, or 1 if the file cannot
// be written); --exit-after closes the window after MS milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/graphics/gdi_handles.h"
#include "tools/demo/demo_images.h"
#include "tools/demo/demo_scene.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

constexpr char WindowClassName[] = "VexelDemoWindow";
constexpr char WindowTitle[] = "Vexel engine bitmap demo";
constexpr char Usage[] = "usage: vexel_demo [--screenshot FILE.bmp] [--exit-after MS]";
constexpr int ClientWidth = 760;
constexpr int ClientHeight = 520;
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT WM_SAVE_SCREENSHOT = WM_APP + 1;
constexpr UINT_PTR ExitTimer = 1;

struct TDemoOptions {
  std::string ScreenshotFile;
  UINT ExitAfter = 0;  // milliseconds; 0 keeps the window open
};

TDemoOptions ParseOptions(int Argc, char** Argv) {
  TDemoOptions Options;
  for (int I = 1; I < Argc; ++I) {
    const std::string Arg = Argv[I];
    if (I + 1 >= Argc || (Arg != "--screenshot" && Arg != "--exit-after"))
      throw Exception(Format("unexpected argument \"%s\"; %s", Arg.c_str(), Usage));
    const char* Value = Argv[++I];
    if (Arg == "--screenshot") {
      Options.ScreenshotFile = Value;
      continue;
    }
    char* End = nullptr;
    const long Ms = std::strtol(Value, &End, 10);
    if (End == Value || *End != '\0' || Ms <= 0 || Ms > 0x7FFFFFFF)
      throw Exception(Format("--exit-after needs a positive number of milliseconds, not \"%s\"", Value));
    Options.ExitAfter = UINT(Ms);
  }
  return Options;
}

// The demo's top-level window: owns its HWND (destroyed with the object, if still alive) and the
// off-screen buffer every paint goes through.
class TDemoWindow {
 public:
  TDemoWindow(HINSTANCE Instance, TDemoOptions Options);
  ~TDemoWindow() {
    if (FHandle) DestroyWindow(FHandle);
  }
  TDemoWindow(const TDemoWindow&) = delete;
  TDemoWindow& operator=(const TDemoWindow&) = delete;

  // Shows the window and runs the message loop; returns the exit code.
  int Run(int Show);

 private:
  static LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
  LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam);
  void Paint();
  void Fail(const char* Message);

  HWND FHandle = nullptr;
  TDemoOptions FOptions;
  TDemoImages FImages;
  TDemoScene FScene{FImages};
  TvxBitmap FBuffer;
  bool FScreenshotQueued = false;
  int FExitCode = 0;
};

TDemoWindow::TDemoWindow(HINSTANCE Instance, TDemoOptions Options) : FOptions(std::move(Options)) {
  WNDCLASSEXA Class{};
  Class.cbSize = sizeof Class;
  Class.lpfnWndProc = WindowProc;
  Class.hInstance = Instance;
  Class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  Class.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */);
  Class.lpszClassName = WindowClassName;
  if (!RegisterClassExA(&Class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw Exception("Cannot register the window class");

  RECT Frame{0, 0, ClientWidth, ClientHeight};
  AdjustWindowRectEx(&Frame, WindowStyle, FALSE, 0);
  const int W = Frame.right - Frame.left, H = Frame.bottom - Frame.top;
  RECT Work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &Work, 0);
  const int X = Work.left + std::max(0, int(Work.right - Work.left - W) / 2);
  const int Y = Work.top + std::max(0, int(Work.bottom - Work.top - H) / 2);
  // WM_NCCREATE stores this object in the window, and FHandle with it.
  if (!CreateWindowExA(0, WindowClassName, WindowTitle, WindowStyle, X, Y, W, H, nullptr, nullptr, Instance, this))
    throw Exception("Cannot create the demo window");
}

int TDemoWindow::Run(int Show) {
  ShowWindow(FHandle, Show);
  UpdateWindow(FHandle);
  if (FOptions.ExitAfter) SetTimer(FHandle, ExitTimer, FOptions.ExitAfter, nullptr);
  MSG Message;
  while (GetMessageA(&Message, nullptr, 0, 0) > 0) {
    TranslateMessage(&Message);
    DispatchMessageA(&Message);
  }
  return FExitCode;
}

LRESULT CALLBACK TDemoWindow::WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_NCCREATE) {
    auto* Self = static_cast<TDemoWindow*>(reinterpret_cast<CREATESTRUCTA*>(LParam)->lpCreateParams);
    Self->FHandle = Window;
    SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Self));
  }
  auto* Self = reinterpret_cast<TDemoWindow*>(GetWindowLongPtrA(Window, GWLP_USERDATA));
  if (!Self) return DefWindowProcA(Window, Message, WParam, LParam);
  if (Message == WM_NCDESTROY) {
    SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
    Self->FHandle = nullptr;
    return DefWindowProcA(Window, Message, WParam, LParam);
  }
  // Exceptions must not unwind through the system's frames.
  try {
    return Self->HandleMessage(Message, WParam, LParam);
  } catch (const std::exception& E) {
    Self->Fail(E.what());
    return 0;
  }
}

LRESULT TDemoWindow::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_PAINT: Paint(); return 0;
    case WM_TIMER:
      if (WParam != ExitTimer) break;
      KillTimer(FHandle, ExitTimer);
      DestroyWindow(FHandle);
      return 0;
    case WM_SAVE_SCREENSHOT:
      SaveOpaqueBmpFile(FBuffer, FOptions.ScreenshotFile);
      DestroyWindow(FHandle);
      return 0;
    case WM_DESTROY: PostQuitMessage(FExitCode); return 0;
  }
  return DefWindowProcA(FHandle, Message, WParam, LParam);
}

void TDemoWindow::Paint() {
  TPaintDC DC(FHandle);
  RECT Client{};
  GetClientRect(FHandle, &Client);
  if (Client.right <= 0 || Client.bottom <= 0) return;
  FBuffer.SetSize(Client.right, Client.bottom);
  FScene.Paint(FBuffer);
  FBuffer.Draw(DC.Get(), 0, 0);
  if (!FOptions.ScreenshotFile.empty() && !FScreenshotQueued) {
    FScreenshotQueued = true;
    PostMessageA(FHandle, WM_SAVE_SCREENSHOT, 0, 0);
  }
}

void TDemoWindow::Fail(const char* Message) {
  std::fprintf(stderr, "vexel_demo: %s\n", Message);
  FExitCode = 1;
  if (FHandle) PostMessageA(FHandle, WM_CLOSE, 0, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int Show) {
  try {
    TDemoWindow Window(Instance, ParseOptions(__argc, __argv));
    return Window.Run(Show);
  } catch (const std::exception& E) {
    std::fprintf(stderr, "vexel_demo: %s\n", E.what());
    return 1;
  }
}
