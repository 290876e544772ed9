#include <windows.h>

#include <memory>

#include "editor/preview/skin_controls_window.h"
#include "editor/preview/skin_test_window.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_save.h"
#include "framework/ui/application.h"
#include "skintool_images.h"
#include "skintool_preview.h"
#include "skintool_skin.h"
#include "skintool_style.h"
#include "skintool_themes.h"
#include "tools/window_capture/window_capture.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_effect.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

EConvertError Bad(const std::string& Message) { return EConvertError("preview: " + Message); }

// The shared capture with skintool's own prefix on its errors.
void WaitAndCapture(TForm& Window, TvxBitmap& Picture) {
  try {
    WaitUntilPainted(Window);
    CaptureWindow(Window.Handle(), Picture);
  } catch (const EWriteError& E) {
    throw EWriteError("preview: " + E.Message());
  }
}

// The window in a built-in theme chosen by name through its theme engine, as a program would.
void ShowBuiltinTheme(TfrmSkinTest& Window, const TvxThemeClass& Theme) {
  Window.VX->SetThemeBuilding(Theme.GetThemeName());
  if (!CurrentTheme()) throw EConvertError("preview: the theme " + Theme.GetThemeName() + " could not be made");
  Window.ThemeForm1->SetCaption(AnsiToWideCP(CP_ACP, Theme.GetThemeName() + " - test"));
}

// The window through a visual style, loaded by its theme engine as a program would. The style
// was read once before for the clear refusal LoadStyleTheme gives.
void ShowStyle(TfrmSkinTest& Window, const std::string& FileName) {
  Window.VX->SetThemeFile(FileName);
  const TvxTheme* Theme = CurrentTheme();
  if (!Theme) throw Bad("the visual style in " + FileName + " could not be loaded");
  Window.ThemeForm1->SetCaption(AnsiToWideCP(CP_ACP, Theme->Name() + " - test"));
}

}  // namespace

void SkinPreview(const std::vector<std::string>& Args, std::ostream& Out) {
  // FILE, or --theme NAME for a built-in theme.
  const bool Builtin = Args.at(0) == "--theme";
  if (Builtin && (Args.size() < 2 || Args[1].empty())) throw Bad("--theme needs a theme name (flat, officexp)");
  const std::string& File = Args.at(Builtin ? 1 : 0);
  bool Controls = false;
  std::string Shot;
  for (size_t I = Builtin ? 2 : 1; I < Args.size(); ++I) {
    if (Args[I] == "--controls" && !Controls)
      Controls = true;
    else if (Args[I] == "--screenshot" && Shot.empty() && I + 1 < Args.size() && !Args[I + 1].empty())
      Shot = Args[++I];
    else
      throw Bad("FILE may only be followed by --controls and --screenshot OUT.png");
  }

  // Read once here for the clear errors the other commands give about a file that is no skin.
  const TvxThemeClass* Theme = Builtin ? &BuiltinThemeClass(File) : nullptr;
  const bool Style = !Builtin && IsStyleFile(File);
  if (Style) LoadStyleTheme(File);
  const std::unique_ptr<TDvSkinSource> Skin = Builtin || Style ? nullptr : LoadSkinFile(File);
  std::unique_ptr<TfrmSkinTest> Window;
  if (Controls)
    Window = std::make_unique<TfrmTest>(nullptr);
  else
    Window = std::make_unique<TfrmTestEmpty>(nullptr);
  if (Theme)
    ShowBuiltinTheme(*Window, *Theme);
  else if (Style)
    ShowStyle(*Window, File);
  else
    Window->LoadSkin(File, *Skin);
  if (Shot.empty()) {
    Window->ShowModal();
    return;
  }
  Window->Show();
  TvxBitmap Picture;
  WaitAndCapture(*Window, Picture);
  Window.reset();
  TMemoryStream Png;
  EncodePng(Picture, Png);
  SaveFileReplacing(Shot, Png);
  Out << "written: " << Shot << " (" << Picture.Width() << "x" << Picture.Height() << ")\n";
}
