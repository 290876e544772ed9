// The editor's painting beside the skin objects' own painting (Windows; under Wine on Linux).
//
// The large generated skin of the skin-file benchmark is saved once and opened the way the
// editor opens a file. Measured, as medians of alternating rounds:
// - open to first paint: the document opens the file, selects an object three levels deep and
//   the work area paints once; beside it the file loaded into a skin source and its root drawn
//   into an engine bitmap;
// - repaint at 100 % and 800 %: the work area repainted (WM_PAINT, stretched, with the selection
//   and its handles) beside the same root drawn into an engine bitmap alone;
// - the same repaints of the sample skin's form (a root of realistic size);
// - dragging handle 4 of the sample skin's deepest object: one mouse move with the left button
//   held, from the message to the repainted work area (goal: one 60 Hz frame, 16.7 ms).
// Beside each repaint: a control of the same size that paints nothing, the window system's share.
//
// bench_pellan_win32 [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "bench/silent_prompts.h"
#include "bench/skin_generator.h"
#include "editor/core/skin_document.h"
#include "editor/main/work_area.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "framework/ui/scrollbox.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/skin/theme_dv3draw.h"

namespace {

int Depth(const TDvSkinObject* O) {
  int D = 0;
  for (auto* P = dynamic_cast<const TDvSkinObject*>(O->Owner()); P; P = dynamic_cast<const TDvSkinObject*>(P->Owner()))
    ++D;
  return D;
}

// The first object Wanted levels below Root, depth first; else the deepest one.
TDvSkinObject* ObjectAtDepth(TDvSkinObject* Root, int Wanted) {
  TDvSkinObject* Deepest = Root;
  std::function<TDvSkinObject*(TDvSkinObject*)> Walk = [&](TDvSkinObject* O) -> TDvSkinObject* {
    if (Depth(O) == Wanted) return O;
    if (Depth(O) > Depth(Deepest)) Deepest = O;
    for (Integer I = 0; I < O->ChildCount(); ++I)
      if (TDvSkinObject* Found = Walk(O->Child(I))) return Found;
    return nullptr;
  };
  TDvSkinObject* Found = Walk(Root);
  return Found ? Found : Deepest;
}

// The engine-only paint: the root drawn into an engine bitmap of its size, a new one (as a
// single paint needs) or one kept between paints and cleared (as the work area keeps its own).
void DrawRootAlone(TDvSkinObject& Root, bool Keep) {
  static TvxBitmap Kept;
  TvxBitmap Fresh;
  TvxBitmap& Bitmap = Keep ? Kept : Fresh;
  const TRect B = Root.BoundsRect();
  if (Bitmap.Width() != B.Right - B.Left || Bitmap.Height() != B.Bottom - B.Top)
    Bitmap.SetSize(B.Right - B.Left, B.Bottom - B.Top);
  else
    Bitmap.Fill(0);
  TCanvas Canvas(Bitmap.DC());
  DrawObject(Root, Canvas, Rect(-1, -1, -1, -1));
  GdiFlush();
}

// The window system's own share of a repaint: a control of the same size that paints nothing.
class TBlankArea : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {}
};

struct TEditorView {
  TSilentPrompts Prompts;
  TSkinDocument Document{Prompts};
  TForm Form;
  TScrollBox* Box = nullptr;
  TWorkArea* Area = nullptr;
  TBlankArea* Blank = nullptr;

  TEditorView() {
    Form.SetBounds(0, 0, 850, 557);
    Box = new TScrollBox(&Form);
    Box->SetAlign(TAlign::alClient);
    Box->SetParent(&Form);
    Area = new TWorkArea(&Form);
    Area->SetParent(Box);
    Area->SetDocument(&Document);
    Blank = new TBlankArea(&Form);
    Blank->SetParent(Box);
    Document.OnRefresh = [this] {
      if (auto Size = Document.WorkAreaSize()) {
        Area->SetBounds(0, 0, Size->cx, Size->cy);
        Blank->SetBounds(0, 0, Size->cx, Size->cy);
      }
    };
    Form.Show();
  }
  ~TEditorView() { Area->SetDocument(nullptr); }

  void Repaint() { Repaint(Area); }
  void PaintNow() { Area->PaintNow(); }
  static void Repaint(TWinControl* Control) {
    Control->Invalidate();
    UpdateWindow(Control->Handle());
    GdiFlush();
  }
};

void Report(const char* What, double Editor, double Engine, double Kept) {
  std::printf("%-26s %9.2f ms %9.2f ms %7.2f", What, Editor, Engine, Editor / Engine);
  if (Kept > 0)
    std::printf(" %9.2f ms %7.2f\n", Kept, Editor / Kept);
  else
    std::printf(" %12s %7s\n", "-", "-");
}

}  // namespace

int main(int argc, char** argv) {
  const int Rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  Application->Initialize();

  // The large skin, saved once as the editor's default variant.
  char Temp[MAX_PATH];
  GetTempPathA(MAX_PATH, Temp);
  const std::string File = std::string(Temp) + "bench_pellan.mskn";
  {
    auto Skin = skinbench::GenerateSkin();
    const auto Bytes = skinbench::Save(*Skin, &MakeSkinFilter<TDvSkinFilterMaxCompression>);
    FILE* F = std::fopen(File.c_str(), "wb");
    if (!F || std::fwrite(Bytes.data(), 1, Bytes.size(), F) != Bytes.size()) {
      std::fprintf(stderr, "cannot write %s\n", File.c_str());
      return 1;
    }
    std::fclose(F);
  }
  SetDesignMode(true);

  std::vector<double> OpenEditor, OpenEngine;
  std::vector<double> Paint100, Paint800, Engine, Kept, Floor100, Floor800, Direct100, Direct800;
  std::string Selection;
  for (int R = 0; R < Rounds; ++R) {
    {
      TEditorView View;
      OpenEditor.push_back(Milliseconds([&] {
        View.Document.OpenSkinFile(File);
        TDvSkinObject* Deep = ObjectAtDepth(View.Document.Source()->Objects(0), 3);
        View.Document.SelectObject(Deep);
        View.Repaint();
      }));
      TDvSkinObject* Root = View.Document.RootObject();
      if (R == 0)
        Selection = View.Document.Selected()->Name() + " at depth " + std::to_string(Depth(View.Document.Selected())) +
                    " in a root of " + std::to_string(Root->Width()) + " x " + std::to_string(Root->Height());
      View.Document.SetZoomIndex(0);
      Paint100.push_back(Milliseconds([&] { View.Repaint(); }));
      Floor100.push_back(Milliseconds([&] { TEditorView::Repaint(View.Blank); }));
      Direct100.push_back(Milliseconds([&] { View.PaintNow(); }));
      Engine.push_back(Milliseconds([&] { DrawRootAlone(*Root, false); }));
      Kept.push_back(Milliseconds([&] { DrawRootAlone(*Root, true); }));
      View.Document.SetZoomIndex(3);
      Paint800.push_back(Milliseconds([&] { View.Repaint(); }));
      Floor800.push_back(Milliseconds([&] { TEditorView::Repaint(View.Blank); }));
      Direct800.push_back(Milliseconds([&] { View.PaintNow(); }));
    }
    OpenEngine.push_back(Milliseconds([&] {
      TDvSkinSource Source;
      Source.LoadFromFile(File);
      DrawRootAlone(*Source.Objects(0), false);
    }));
  }
  DeleteFileA(File.c_str());

  // Dragging handle 4 of the sample skin's deepest object at 100 %: press on the handle, then
  // moves of one pixel right and down, each timed from the message to the repainted area.
  std::vector<double> Drag, Sample100, Sample800, SampleEngine, SampleKept, SampleDirect100, SampleDirect800,
      SampleFloor100, SampleFloor800;
  std::string DragObject;
  {
    TEditorView View;
    View.Document.OpenSkinFile(std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn");
    TDvSkinObject* Root = View.Document.Source()->Objects(0);
    TDvSkinObject* Deep = ObjectAtDepth(Root, 64);
    View.Document.SelectObject(Deep);
    View.Repaint();
    DragObject = Deep->Name() + " at depth " + std::to_string(Depth(Deep)) + " in a root of " +
                 std::to_string(Root->Width()) + " x " + std::to_string(Root->Height());
    for (int R = 0; R < Rounds; ++R) {
      View.Document.SetZoomIndex(0);
      Sample100.push_back(Milliseconds([&] { View.Repaint(); }));
      SampleFloor100.push_back(Milliseconds([&] { TEditorView::Repaint(View.Blank); }));
      SampleDirect100.push_back(Milliseconds([&] { View.PaintNow(); }));
      SampleEngine.push_back(Milliseconds([&] { DrawRootAlone(*Root, false); }));
      SampleKept.push_back(Milliseconds([&] { DrawRootAlone(*Root, true); }));
      View.Document.SetZoomIndex(3);
      Sample800.push_back(Milliseconds([&] { View.Repaint(); }));
      SampleFloor800.push_back(Milliseconds([&] { TEditorView::Repaint(View.Blank); }));
      SampleDirect800.push_back(Milliseconds([&] { View.PaintNow(); }));
    }
    View.Document.SetZoomIndex(0);
    const TRect Handle = View.Document.HandleRect(4);
    int X = (Handle.Left + Handle.Right) / 2, Y = (Handle.Top + Handle.Bottom) / 2;
    HWND Wnd = View.Area->Handle();
    SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    for (int I = 0; I < 10 * Rounds; ++I) {
      X += 1;
      Y += 1;
      Drag.push_back(Milliseconds([&] {
        SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X, Y));
        GdiFlush();
      }));
    }
    SendMessageA(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
  }

  std::printf("Pellan work area against the skin objects painted alone; %d rounds, medians\n", Rounds);
  std::printf("selection: %s\n", Selection.c_str());
  std::printf("%-26s %12s %12s %7s %12s %7s\n", "", "editor", "engine new", "ratio", "engine kept", "ratio");
  Report("open to first paint", Median(OpenEditor), Median(OpenEngine), 0);
  Report("repaint at 100 %", Median(Paint100), Median(Engine), Median(Kept));
  Report("repaint at 800 %", Median(Paint800), Median(Engine), Median(Kept));
  Report("direct paint at 100 %", Median(Direct100), Median(Engine), Median(Kept));
  Report("direct paint at 800 %", Median(Direct800), Median(Engine), Median(Kept));
  std::printf("%-26s %9.2f ms at 100 %%, %.2f ms at 800 %%\n", "  an empty repaint", Median(Floor100),
              Median(Floor800));
  std::printf("sample skin (%s):\n", DragObject.c_str());
  Report("repaint at 100 %", Median(Sample100), Median(SampleEngine), Median(SampleKept));
  Report("repaint at 800 %", Median(Sample800), Median(SampleEngine), Median(SampleKept));
  Report("direct paint at 100 %", Median(SampleDirect100), Median(SampleEngine), Median(SampleKept));
  Report("direct paint at 800 %", Median(SampleDirect800), Median(SampleEngine), Median(SampleKept));
  std::printf("%-26s %9.2f ms at 100 %%, %.2f ms at 800 %%\n", "  an empty repaint", Median(SampleFloor100),
              Median(SampleFloor800));
  std::printf("drag of handle 4: median %.2f ms, slowest %.2f ms per move; one 60 Hz frame is 16.7 ms\n", Median(Drag),
              Drag.empty() ? 0.0 : *std::max_element(Drag.begin(), Drag.end()));
  return 0;
}
