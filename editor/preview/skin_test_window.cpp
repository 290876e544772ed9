#include "editor/preview/skin_test_window.h"

#include <windows.h>

#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_effect.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3objects.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_manager.h"

TfrmSkinTest::TfrmSkinTest(TComponent* Owner) : TForm(Owner) {
  VX = new TVxVexel(this);
  VX->SetName("VX");
  VX->SetDeltaHue(0);
  VX->SetDeltaBrightness(0);
  ThemeForm1 = new TVxForm(this);
  ThemeForm1->SetName("ThemeForm1");
  FIdentifier = std::make_unique<TSkinIdentifier>(*this, ThemeForm1);
}

void TfrmSkinTest::LoadSkin(const std::string& FileName, const TDvSkinSource& Skin) {
  VX->SetThemeFile(FileName);
  // A file that does not load leaves no current theme rather than raising.
  const TvxTheme* Theme = CurrentTheme();
  if (!Theme && Skin.ObjectCount() > 0) throw ESkinTestError("The skin in " + FileName + " could not be loaded");
  ThemeForm1->SetCaption(AnsiToWideCP(CP_ACP, (Theme ? Theme->Name() : Skin.SkinName()) + " - test"));
}

TfrmTestEmpty::TfrmTestEmpty(TComponent* Owner) : TfrmSkinTest(Owner) {
  SetName("frmTestEmpty");
  SetCaption("Empty Form");
  SetPosition(TPosition::poScreenCenter);
  SetBorderIcons({TBorderIcon::biMinimize, TBorderIcon::biMaximize});
  SetClientWidth(440);
  SetClientHeight(240);

  ThemeForm1->SetCaption(L"Empty Form");
  ThemeForm1->SetBorderStyle(TVxBorderStyle::kbsStandard);
  ThemeForm1->SetBorderIcons({TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu, TVxBorderIcon::kbiMinimize,
                              TVxBorderIcon::kbiMaximize, TVxBorderIcon::kbiRollup, TVxBorderIcon::kbiTray});
  ThemeForm1->SetStayOnTop(false);
  ThemeForm1->SetStretchBackground(false);
  ThemeForm1->SetPerformance(TVxFormPerformance::zqfpNoBuffer);
  for (TVxAnimation* Animation : {ThemeForm1->Animation(), ThemeForm1->SystemMenuOptions()->Animation(),
                                  ThemeForm1->TrayMenuOptions()->Animation()}) {
    Animation->SetEffectKind(SRandomEffect);
    Animation->SetEnabled(true);
  }
}

TDesignModeOff::TDesignModeOff() : FSaved(DesignMode()) { SetDesignMode(false); }
TDesignModeOff::~TDesignModeOff() { SetDesignMode(FSaved); }

std::vector<std::string> RunSkinTest(const TDvSkinSource& Source, const std::string& TempFileName,
                                     const std::function<std::unique_ptr<TfrmSkinTest>()>& MakeWindow) {
  Source.SaveToFile(TempFileName);
  // Declared before the window, so that the window is freed before design mode comes back.
  TDesignModeOff Off;
  std::unique_ptr<TfrmSkinTest> Window = MakeWindow();
  Window->LoadSkin(TempFileName, Source);
  Window->ShowModal();
  return Window->Identifier().LastIdentified();
}
