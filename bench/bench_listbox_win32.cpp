// A list of 100,000 items: TVxListBox beside the platform's "LISTBOX" (Windows; under Wine on
// Linux), both 240 x 404 on a shown form, with the sample skin current and then without a theme.
//
// Measured, as the median of rounds that alternate between the two lists:
// - fill: adding the items (TVxListBox inside Items.BeginUpdate / EndUpdate; the platform's list
//   by LB_ADDSTRING with WM_SETREDRAW off) and painting the result once (UpdateWindow); emptying
//   the list before a round is not timed;
// - page: one Page Down (WM_KEYDOWN VK_NEXT) and the repaint it causes (UpdateWindow), averaged
//   over 40 pages from the top.
// The goal: within 2x of the platform's list.
//
// bench_listbox_win32 [SKIN] [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/controls/vx_listbox.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr int ItemCount = 100000, Pages = 40;

std::vector<std::string> Texts() {
  std::vector<std::string> Result;
  Result.reserve(ItemCount);
  for (int I = 0; I < ItemCount; ++I) Result.push_back("Item number " + std::to_string(I));
  return Result;
}

double Pump() {
  return Milliseconds([] { Application->ProcessMessages(); });
}

double PageDowns(HWND List) {
  SetFocus(List);
  SendMessageA(List, WM_KEYDOWN, VK_HOME, 0);
  UpdateWindow(List);
  Pump();
  return Milliseconds([&] {
           for (int I = 0; I < Pages; ++I) {
             SendMessageA(List, WM_KEYDOWN, VK_NEXT, 0);
             UpdateWindow(List);
           }
         }) /
         Pages;
}

void Run(const char* Title, int Rounds) {
  const std::vector<std::string> Items = Texts();
  TForm Form;
  Form.SetBounds(0, 0, 540, 480);
  Form.Show();
  auto* Skinned = new TVxListBox(&Form);
  Skinned->SetBounds(10, 10, 240, 404);
  Skinned->SetParent(&Form);
  HWND Platform = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT,
                                270, 10, 240, 404, Form.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(Platform, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  SendMessageA(Platform, LB_SETITEMHEIGHT, 0, 16);
  Pump();
  std::vector<double> OurFill, TheirFill, OurPage, TheirPage;
  for (int R = 0; R < Rounds; ++R) {
    Skinned->Items().Clear();
    Pump();
    OurFill.push_back(Milliseconds([&] {
      Skinned->Items().BeginUpdate();
      for (const std::string& S : Items) Skinned->Items().Add(S);
      Skinned->Items().EndUpdate();
      UpdateWindow(Skinned->Handle());
    }));
    SendMessageA(Platform, LB_RESETCONTENT, 0, 0);
    Pump();
    TheirFill.push_back(Milliseconds([&] {
      SendMessageA(Platform, WM_SETREDRAW, FALSE, 0);
      for (const std::string& S : Items) SendMessageA(Platform, LB_ADDSTRING, 0, LPARAM(S.c_str()));
      SendMessageA(Platform, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(Platform, nullptr, TRUE);
      UpdateWindow(Platform);
    }));
    OurPage.push_back(PageDowns(Skinned->Handle()));
    TheirPage.push_back(PageDowns(Platform));
  }
  const auto Line = [](const char* What, double Ours, double Theirs) {
    std::printf("  %-34s %10.3f ms %10.3f ms %7.2fx\n", What, Ours, Theirs, Theirs > 0 ? Ours / Theirs : 0);
  };
  std::printf("%s (%d items, median of %d rounds)      TVxListBox    LISTBOX    ratio\n", Title, ItemCount, Rounds);
  Line("fill and first paint", Median(OurFill), Median(TheirFill));
  Line("one page down and repaint", Median(OurPage), Median(TheirPage));
  std::printf("  shown after the pages: item %d of the skinned list, %d of the platform's\n", Skinned->ItemIndex(),
              int(SendMessageA(Platform, LB_GETCARETINDEX, 0, 0)));
  DestroyWindow(Platform);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string Skin = argc > 1 ? argv[1] : std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  std::unique_ptr<TvxTheme> Theme = LoadThemeFromFile(Skin);
  if (!Theme) {
    std::fprintf(stderr, "bench_listbox_win32: cannot load %s\n", Skin.c_str());
    return 1;
  }
  SetCurrentTheme(std::move(Theme));
  Run("Sample skin", Rounds);
  RemoveCurrentTheme();
  Run("No theme", Rounds);
  return 0;
}
