// A program built against the installed package alone: a form with a theme engine whose
// ThemeFile is the skin named on the command line and a form-skinning component. Exits 0 when the
// skin theme is current, the frame on the screen is the one the skin draws and the library's glyph
// resources are in the program; otherwise prints why and exits 1.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_resource.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

int Fail(const std::string& Why) {
  std::fprintf(stderr, "consumer: %s\n", Why.c_str());
  return 1;
}

void Settle(int Ms) {
  const auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
  while (std::chrono::steady_clock::now() < End) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

// Empty when the screen shows the frame the skin draws, at the middle of each border and of the
// title bar; else what differs.
std::string FrameMismatch(TForm& Form, const TVxForm& Skin) {
  if (!Skin.Themed()) return "the form is not skinned";

  RECT Window;
  GetWindowRect(Form.Handle(), &Window);
  const Integer W = Window.right - Window.left, H = Window.bottom - Window.top;
  TBitmap Shot, Drawn;
  Shot.SetSize(W, H);
  Drawn.SetSize(W, H);
  HDC Screen = GetDC(nullptr);
  BitBlt(Shot.Canvas().Handle(), 0, 0, W, H, Screen, Window.left, Window.top, SRCCOPY);
  ReleaseDC(nullptr, Screen);
  // The skin's own picture of the frame, over a colour it does not use.
  const TColor Untouched = 0xFD01FE;
  Drawn.Canvas().Brush().SetColor(Untouched);
  Drawn.Canvas().FillRect(Rect(0, 0, W, H));
  TvxWindowInfo Info;
  Info.Rect = Rect(0, 0, W, H);
  Info.Active = Skin.CaptionActive();
  CurrentTheme()->DrawFormBorder(0, Drawn.Canvas(), "default", Info);

  // The middle of each border and of the title bar.
  const TPoint Probes[] = {{2, H / 2}, {W - 3, H / 2}, {W / 2, H - 3}, {W / 2, 3}};
  for (const TPoint& P : Probes) {
    const TColor Expected = Drawn.Canvas().Pixel(P.X, P.Y), Seen = Shot.Canvas().Pixel(P.X, P.Y);
    const std::string At = std::to_string(P.X) + ", " + std::to_string(P.Y);
    if (Expected == Untouched) return "the skin draws no frame at " + At;
    if (Seen != Expected) {
      char Text[96];
      std::snprintf(Text, sizeof(Text), "the screen shows %06X at %s where the skin draws %06X", unsigned(Seen),
                    At.c_str(), unsigned(Expected));
      return Text;
    }
  }
  return "";
}

int Run(const std::string& SkinFile) {
  // The glyphs of the push button kinds and of the system menu come with the start objects.
  for (const char* Name : {"VX_BTN_OK", "VX_FORM_CLOSE"}) {
    TBitmap Glyph;
    if (!LoadBitmapResource(Name, Glyph) || Glyph.Width() <= 0) return Fail(std::string("no glyph resource ") + Name);
  }
  TForm Form;
  Form.SetBounds(100, 100, 400, 300);
  Form.SetCaption("");
  auto* Engine = new TVxVexel(&Form);
  Engine->SetThemeFile(SkinFile);
  auto* Skin = new TVxForm(&Form);
  // A skin file loads only through the skin theme's class, announced by its start object.
  if (!dynamic_cast<TVxSkinFile*>(CurrentTheme())) return Fail("the skin theme is not current after loading " + SkinFile);
  Form.Show();
  // Under a busy machine the first paint can take a while: the frame gets 10 s to show.
  const auto GiveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::string Mismatch;
  do {
    Settle(100);
    Mismatch = FrameMismatch(Form, *Skin);
  } while (!Mismatch.empty() && std::chrono::steady_clock::now() < GiveUp);
  return Mismatch.empty() ? 0 : Fail(Mismatch);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return Fail("usage: consumer SKIN-FILE");
  Application->Initialize();
  try {
    return Run(argv[1]);
  } catch (const std::exception& E) {
    return Fail(E.what());
  }
}
