// Painting through the skin theme beside plain GDI, in one run (Windows; under Wine on Linux).
// One frame: an 800 x 600 window (border, client, caption text, title buttons) and 100 push
// buttons with their captions in mixed states, into an engine bitmap. The skinned frame goes
// through TVxSkinFile with the sample skin; the GDI frame paints the same rectangles with
// DrawEdge, DrawFrameControl, FillRect and DrawTextW. Frames alternate between the two so that
// a change of machine load hits both alike; the medians are compared.
//
// bench_skin_theme_win32 [SKIN] [ROUNDS] [PICTURE.bmp] (the last: both paints side by side)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/graphics/gdi_handles.h"
#include "vexel/skin/theme_dv3.h"

namespace {

constexpr Integer Width = 800, Height = 600, ButtonCount = 100;

struct TScene {
  TvxWindowInfo Window;
  TRect Client, Caption;
  std::vector<TvxTitleButtonInfo> TitleButtons;
  std::vector<TvxStateInfo> Buttons;
};

// Button states cycle through normal, hot, pressed, disabled, focused.
TScene MakeScene(TVxSkinFile& Theme) {
  TScene S;
  S.Window.Rect = Rect(0, 0, Width, Height);
  S.Window.Active = true;
  S.Window.Buttons = (1 << 0) | (1 << 1) | (1 << 3) | (1 << 5);
  S.Window.Caption = L"Skinned window with a hundred buttons";
  Theme.GetFormClientRect(0, S.Window, S.Client, "default");
  Theme.GetFormCaptionRect(0, S.Window, S.Caption, "default");
  for (TvxTitleButton B : {TvxTitleButton(1), TvxTitleButton(3), TvxTitleButton(5)}) {
    TvxTitleButtonInfo Info;
    Theme.GetFormButtonRect(0, S.Window, Info.Rect, "default", B);
    Info.Button = B;
    S.TitleButtons.push_back(Info);
  }
  const Byte States[] = {0, 1, 2, 3, 4};
  for (Integer I = 0; I < ButtonCount; ++I) {
    TvxStateInfo Info;
    Info.Rect = Bounds(S.Client.Left + 8 + (I % 10) * 76, S.Client.Top + 8 + (I / 10) * 30, 72, 25);
    Info.State = States[I % 5];
    S.Buttons.push_back(Info);
  }
  return S;
}

void PaintSkinnedFrame(TVxSkinFile& Theme, TCanvas& Canvas, const TScene& S) {
  Theme.DrawFormBorder(0, Canvas, "default", S.Window);
  Theme.DrawFormBackground(0, Canvas, "default", S.Client);
  Canvas.Font().Assign(&Theme.Fonts().Font(0));
  Theme.DrawFormCaptionText(0, Canvas, "default", S.Caption, S.Window);
  for (const TvxTitleButtonInfo& B : S.TitleButtons) Theme.DrawFormButton(0, Canvas, "default", B);
}

void PaintSkinnedButtons(TVxSkinFile& Theme, TCanvas& Canvas, const TScene& S) {
  TvxTextInfo Text;
  Text.Text = L"Button";
  Text.Alignment = 4;
  Text.Flags = vxtfSingleLine | vxtfNoPrefix;
  Canvas.Font().Assign(&Theme.Fonts().Font(10));
  for (const TvxStateInfo& B : S.Buttons) {
    Theme.DrawButton(0, Canvas, "default", B);
    Text.Rect = B.Rect;
    Theme.DrawButtonText(0, Canvas, "default", Text, B.State);
  }
}

void PaintGdiFrame(HDC DC, HFONT Font, const TScene& S) {
  // Border and client in the face colour, a raised edge, the caption bar.
  RECT R{0, 0, Width, Height};
  FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(DC, &R, EDGE_RAISED, BF_RECT);
  RECT Caption{S.Client.Left, 4, S.Client.Right, S.Client.Top};
  FillRect(DC, &Caption, GetSysColorBrush(COLOR_ACTIVECAPTION));
  const TSelectGuard Select(DC, Font);
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, GetSysColor(COLOR_CAPTIONTEXT));
  RECT CaptionText{S.Caption.Left, S.Caption.Top, S.Caption.Right, S.Caption.Bottom};
  DrawTextW(DC, S.Window.Caption.c_str(), -1, &CaptionText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  const UINT Glyphs[] = {0, DFCS_CAPTIONCLOSE, 0, DFCS_CAPTIONMIN, 0, DFCS_CAPTIONMAX};
  for (const TvxTitleButtonInfo& B : S.TitleButtons) {
    RECT BR{B.Rect.Left, B.Rect.Top, B.Rect.Right, B.Rect.Bottom};
    DrawFrameControl(DC, &BR, DFC_CAPTION, Glyphs[B.Button]);
  }
}

void PaintGdiButtons(HDC DC, HFONT Font, const TScene& S) {
  const TSelectGuard Select(DC, Font);
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
  for (const TvxStateInfo& B : S.Buttons) {
    RECT BR{B.Rect.Left, B.Rect.Top, B.Rect.Right, B.Rect.Bottom};
    UINT State = DFCS_BUTTONPUSH;
    if (B.State == 2) State |= DFCS_PUSHED;
    if (B.State == 3) State |= DFCS_INACTIVE;
    DrawFrameControl(DC, &BR, DFC_BUTTON, State);
    DrawTextW(DC, L"Button", -1, &BR, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  }
}

double Seconds() {
  static LARGE_INTEGER Frequency = [] {
    LARGE_INTEGER F;
    QueryPerformanceFrequency(&F);
    return F;
  }();
  LARGE_INTEGER Now;
  QueryPerformanceCounter(&Now);
  return double(Now.QuadPart) / double(Frequency.QuadPart);
}

// Milliseconds per call of Paint, one round of Frames calls.
template <typename TPaint>
double Round(int Frames, TPaint Paint) {
  const double Start = Seconds();
  for (int F = 0; F < Frames; ++F) Paint();
  GdiFlush();
  return (Seconds() - Start) / Frames * 1e3;
}

// Both pictures side by side as a 32-bit top-down BMP, to see what was timed.
bool SaveSideBySide(const TvxBitmap& Left, const TvxBitmap& Right, const char* FileName) {
  TvxBitmap Both;
  Both.SetSize(Left.Width() + Right.Width(), std::max(Left.Height(), Right.Height()));
  Left.DrawTo(Both, 0, 0);
  Right.DrawTo(Both, Left.Width(), 0);
  BITMAPINFOHEADER Info{};
  Info.biSize = sizeof(Info);
  Info.biWidth = Both.Width();
  Info.biHeight = -Both.Height();
  Info.biPlanes = 1;
  Info.biBitCount = 32;
  const DWORD Bytes = DWORD(Both.Width()) * DWORD(Both.Height()) * 4;
  BITMAPFILEHEADER File{};
  File.bfType = 0x4D42;
  File.bfOffBits = sizeof(File) + sizeof(Info);
  File.bfSize = File.bfOffBits + Bytes;
  FILE* Out = std::fopen(FileName, "wb");
  if (!Out) return false;
  const bool Written = std::fwrite(&File, sizeof(File), 1, Out) == 1 && std::fwrite(&Info, sizeof(Info), 1, Out) == 1 &&
                       std::fwrite(Both.Bits(), Bytes, 1, Out) == 1;
  return std::fclose(Out) == 0 && Written;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string Skin = argc > 1 ? argv[1] : std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
  constexpr int FramesPerRound = 20;

  TVxSkinFile Theme;
  if (!Theme.LoadFromFile(Skin) || !Theme.IsFormDefined(0, "default") || !Theme.IsButtonDefined(0, "default")) {
    std::fprintf(stderr, "bench_skin_theme_win32: cannot load a skin with a form and buttons from %s\n", Skin.c_str());
    return 1;
  }
  TvxBitmap Target, GdiTarget;
  Target.SetSize(Width, Height);
  GdiTarget.SetSize(Width, Height);
  TCanvas Canvas(Target.DC());
  const HDC DC = GdiTarget.DC();
  const TScene Scene = MakeScene(Theme);
  const TFontHandle Font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  auto SkinnedFrame = [&] { PaintSkinnedFrame(Theme, Canvas, Scene); };
  auto SkinnedButtons = [&] { PaintSkinnedButtons(Theme, Canvas, Scene); };
  auto GdiFrame = [&] { PaintGdiFrame(DC, Font.Get(), Scene); };
  auto GdiButtons = [&] { PaintGdiButtons(DC, Font.Get(), Scene); };

  // Warm-up: caches, fonts, the first layout of every object.
  for (int I = 0; I < 3; ++I) {
    SkinnedFrame();
    SkinnedButtons();
    GdiFrame();
    GdiButtons();
  }
  if (argc > 3 && !SaveSideBySide(Target, GdiTarget, argv[3]))
    std::fprintf(stderr, "bench_skin_theme_win32: cannot write %s\n", argv[3]);

  std::vector<double> Skinned, Gdi, SkinnedFrames, SkinnedButtonRuns, GdiFrames, GdiButtonRuns;
  for (int R = 0; R < Rounds; ++R) {
    Skinned.push_back(Round(FramesPerRound, [&] {
      SkinnedFrame();
      SkinnedButtons();
    }));
    Gdi.push_back(Round(FramesPerRound, [&] {
      GdiFrame();
      GdiButtons();
    }));
    SkinnedFrames.push_back(Round(FramesPerRound, SkinnedFrame));
    GdiFrames.push_back(Round(FramesPerRound, GdiFrame));
    SkinnedButtonRuns.push_back(Round(FramesPerRound, SkinnedButtons));
    GdiButtonRuns.push_back(Round(FramesPerRound, GdiButtons));
  }
  const double S = Median(Skinned), G = Median(Gdi);
  std::printf("frame: %d x %d window, %d buttons; median of %d rounds of %d frames\n", Width, Height, ButtonCount,
              Rounds, FramesPerRound);
  std::printf("%-14s %14s %14s %8s\n", "", "skinned ms", "plain GDI ms", "ratio");
  std::printf("%-14s %14.3f %14.3f %8.2f\n", "window frame", Median(SkinnedFrames), Median(GdiFrames),
              Median(SkinnedFrames) / Median(GdiFrames));
  std::printf("%-14s %14.3f %14.3f %8.2f\n", "100 buttons", Median(SkinnedButtonRuns), Median(GdiButtonRuns),
              Median(SkinnedButtonRuns) / Median(GdiButtonRuns));
  std::printf("%-14s %14.3f %14.3f %8.2f   (goal: <= 2.00)\n", "whole frame", S, G, S / G);
  return 0;
}
