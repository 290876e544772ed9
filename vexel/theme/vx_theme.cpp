#include "vexel/theme/vx_theme.h"

#include "vexel/graphics/vx_utils_win32.h"

const TvxThemeClass& TvxTheme::StaticThemeClass() { return MakeThemeClass<TvxTheme>("TvxTheme"); }

TvxTheme::TvxTheme()
    : FColors(std::make_unique<TvxThemeColors>(this)),
      FFonts(std::make_unique<TvxThemeFonts>(this)),
      FName("Default theme"),
      FSysColors(std::make_unique<TvxThemeSysColors>(this)),
      FDrawing(std::make_unique<TvxThemeDrawing>(this)),
      FMetrics(std::make_unique<TvxThemeMetrics>(this)),
      FOptions(std::make_unique<TvxThemeOptions>(this)),
      FUnshiftedSysColors(std::make_unique<TvxThemeSysColors>()),
      FUnshiftedFonts(std::make_unique<TvxThemeFonts>()) {
  ResetDefaults();
}

TvxTheme::~TvxTheme() = default;

void TvxTheme::Assign(const TPersistent* Source) {
  if (auto* Theme = dynamic_cast<const TvxTheme*>(Source)) {
    FName = Theme->FName;
    FColors->Assign(Theme->FColors.get());
    FSysColors->Assign(Theme->FSysColors.get());
    FUnshiftedSysColors->Assign(Theme->FSysColors.get());
    FFonts->Assign(Theme->FFonts.get());
    FUnshiftedFonts->Assign(Theme->FFonts.get());
    FOptions->Assign(Theme->FOptions.get());
    return;
  }
  TPersistent::Assign(Source);
}

void TvxTheme::SetDefaultColors() {
  SetBaseThemeColors(*FColors);
  FColors->ApplyHue(FDeltaHue);
  FColors->ApplyBrightness(FDeltaBrightness);
}

void TvxTheme::SetDefaultSysColors() {
  FSysColors->Assign(FUnshiftedSysColors.get());
  FSysColors->ApplyHue(FDeltaHue);
  FSysColors->ApplyBrightness(FDeltaBrightness);
}

void TvxTheme::SetDefaultFonts() {
  SetBaseThemeFonts(*FUnshiftedFonts);
  FFonts->Assign(FUnshiftedFonts.get());
  FFonts->ApplyHue(FDeltaHue);
  FFonts->ApplyBrightness(FDeltaBrightness);
}

void TvxTheme::GetFont(TFont& Font, Integer Index, const std::string&) { Font.Assign(&FFonts->Font(Index)); }

bool TvxTheme::LoadFromStream(TStream&) { return false; }
bool TvxTheme::SaveToStream(TStream&) { return false; }
bool TvxTheme::LoadFromFile(const std::string&) { return false; }
bool TvxTheme::SaveToFile(const std::string&) { return false; }

void TvxTheme::ResetDefaults() {
  SetDefaultColors();
  SetDefaultSysColors();
  SetDefaultFonts();
}

void TvxTheme::SetDeltaHue(Integer Value) {
  FDeltaHue = Value;
  ResetDefaults();
}

void TvxTheme::SetDeltaBrightness(Integer Value) {
  FDeltaBrightness = Value;
  ResetDefaults();
}

void TvxTheme::SetDeltas(Integer Hue, Integer Brightness) {
  FDeltaHue = Hue;
  FDeltaBrightness = Brightness;
  ResetDefaults();
}

std::wstring TvxPaintProbe::Describe() const {
  if (!Found) return L"Not painted by the skin";
  std::string Text;
  for (const std::string& Name : Path) Text += (Text.empty() ? "" : ".") + Name;
  if (!Image.empty())
    Text += "\n" + Image + " (" + std::to_string(Link.Left) + ", " + std::to_string(Link.Top) + ", " +
            std::to_string(Link.Right) + ", " + std::to_string(Link.Bottom) + ")";
  return AnsiToWideCP(CP_ACP, Text);
}

TvxProbeShift::TvxProbeShift(TvxTheme* Theme, HDC Target) {
  TvxPaintProbe* Probe = Theme ? Theme->PaintProbe() : nullptr;
  if (!Probe || !Target) return;
  POINT Origin{0, 0};
  LPtoDP(Target, &Origin, 1);
  FTheme = Theme;
  FSaved = Probe->Point;
  Probe->Point = {Probe->Point.X - Origin.x, Probe->Point.Y - Origin.y};
  Theme->SetPaintProbe(Probe);
}

TvxProbeShift::~TvxProbeShift() {
  if (!FTheme) return;
  TvxPaintProbe* Probe = FTheme->PaintProbe();
  if (!Probe) return;
  Probe->Point = FSaved;
  FTheme->SetPaintProbe(Probe);
}
