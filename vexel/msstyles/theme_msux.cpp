// TVxThemeMsStyles: life cycle, loading a style file or the stream form, building the objects
// from the ini text, and the colour, system-colour and font tables taken from [SysMetrics].
//
// Every load and build works on temporaries and only then swaps them in, so a file or stream that
// fails part-way (a missing resource, a malformed number) leaves the theme as it was.
#include "vexel/msstyles/theme_msux.h"

#include <algorithm>

#include "framework/core/inifiles.h"
#include "framework/core/scoped_value.h"
#include "framework/core/sysutils.h"
#include "vexel/graphics/vx_pixel.h"
#include "vexel/msstyles/msux_module.h"
#include "vexel/msstyles/msux_parse.h"

namespace {

constexpr const char* SysMetrics = "SysMetrics";

std::string Metric(const TMemIniFile& Ini, const char* Key, const char* Default) {
  return Trim(Ini.ReadString(SysMetrics, Key, Default));
}

// Frame metrics are kept within 0..1024: the frame is painted in bands of these sizes, and a
// file's huge value would mean painting billions of pixels (or overflowing the rectangles).
constexpr Integer msuxMaxFrameMetric = 1024;

Integer FrameMetric(const TMemIniFile& Ini, const char* Key, const char* Default) {
  return std::clamp(StrToInt(Metric(Ini, Key, Default)), 0, msuxMaxFrameMetric);
}

TColor MetricColor(const TMemIniFile& Ini, const char* Key, const char* Default) {
  return ParseColor(Metric(Ini, Key, Default));
}

// A zero shift leaves a colour exactly as it is (the hue's round trip through 255 steps would not).
TColor Shifted(TColor Color, Integer Hue, Integer Brightness) {
  if (Hue != 0) Color = ColorHueShifted(Color, Hue);
  if (Brightness != 0) Color = ColorBrightnessShifted(Color, Brightness);
  return Color;
}

}  // namespace

// What a build makes before it is swapped into the theme.
struct TVxThemeMsStyles::TBuilt {
  std::unique_ptr<TMemIniFile> Ini = std::make_unique<TMemIniFile>();
  std::array<std::unique_ptr<TmsuxThemeObject>, msuxObjectSlots> Objects;
  Integer CaptionBarHeight = 0, SMCaptionBarHeight = 0, BorderWidth = 0, SMBorderWidth = 0;
  TSysValues Values;
};

const TvxThemeClass& TVxThemeMsStyles::StaticThemeClass() {
  return MakeThemeClass<TVxThemeMsStyles>("TVxThemeMsStyles");
}

// The base constructor has already put the base defaults in the tables; there are no objects
// until a style is loaded.
TVxThemeMsStyles::TVxThemeMsStyles()
    : FIni(std::make_unique<TMemIniFile>()),
      FStyleImages(std::make_unique<TvxBitmapList>()),
      FCache(std::make_unique<TMemoryStream>()),
      FMenuFont(std::make_unique<TFont>()),
      FStatusFont(std::make_unique<TFont>()),
      FMsgBoxFont(std::make_unique<TFont>()) {}

// Objects link into the image list, so they go first.
TVxThemeMsStyles::~TVxThemeMsStyles() { FreeObjects(); }

void TVxThemeMsStyles::FreeObjects() {
  for (auto& Object : FObjects) Object.reset();
}

TvxThemeConfig TVxThemeMsStyles::GetFileInfo() {
  TvxThemeConfig Config;
  Config.Builtin = false;
  Config.Streamable = true;
  Config.FileBased = true;
  Config.Filter = GetThemeName() + " (*.msstyles)|*.msstyles";
  Config.Extension = "msstyles";
  return Config;
}

bool TVxThemeMsStyles::IsValidStream(TStream& Stream) {
  try {
    return HasMsuxStreamMark(Stream);
  } catch (const std::exception&) {
    return false;
  }
}

// [Loading] --------------------------------------------------------------------------------------

void TVxThemeMsStyles::Assign(const TPersistent* Source) {
  const auto* Style = dynamic_cast<const TVxThemeMsStyles*>(Source);
  if (Style == this) return;
  if (!Style) return TvxTheme::Assign(Source);
  // The style first: if it cannot be built, nothing has been copied. The source's pristine
  // content when it has one: its images as they are carry its own shifts, and this theme applies
  // its own.
  TmsuxStreamContent Content;
  if (Style->FCache->Size() > 0) {
    Style->FCache->SetPosition(0);
    ReadMsuxStream(*Style->FCache, Content);
  } else {
    Content = CopyMsuxContent(Style->FStyleName, Style->FIni->Text(), *Style->FStyleImages);
  }
  BuildFrom(std::move(Content), true);
  TvxTheme::Assign(Source);
  TvxTheme::ResetDefaults();
}

bool TVxThemeMsStyles::ReadStream(TStream& Stream) {
  TmsuxStreamContent Content;
  if (!ReadMsuxStream(Stream, Content)) return false;
  FreeObjects();
  FStyleName = Content.Name;
  SetName(Content.Name);
  FIni->SetText(Content.IniText);
  FStyleImages = std::move(Content.Images);
  // What was read is the pristine content now: a later build must not restore the previous one.
  FCache = std::make_unique<TMemoryStream>();
  return true;
}

bool TVxThemeMsStyles::LoadFromStream(TStream& Stream) {
  TmsuxStreamContent Content;
  if (!ReadMsuxStream(Stream, Content)) return false;
  BuildFrom(std::move(Content), true);
  TvxTheme::ResetDefaults();
  return true;
}

bool TVxThemeMsStyles::SaveToStream(TStream& Stream) {
  WriteMsuxStream(Stream, FStyleName, FIni->Text(), *FStyleImages);
  return true;
}

bool TVxThemeMsStyles::SaveToFile(const std::string&) { return false; }

bool TVxThemeMsStyles::LoadFromFile(const std::string& FileName) {
  const TmsuxModule Module(FileName);
  std::vector<std::string> ColorNames = MsuxListResource(Module, "COLORNAMES");
  std::vector<std::string> SizeNames = MsuxListResource(Module, "SIZENAMES");
  std::vector<std::string> FileResNames = MsuxListResource(Module, "FILERESNAMES");
  // One ini text per colour scheme and size, colour-major; the theme takes the first scheme at
  // the first size.
  const size_t Entry = size_t(FColorScheme) * SizeNames.size() + size_t(FSizeIndex);
  if (ColorNames.empty() || SizeNames.empty() || Entry >= FileResNames.size()) return false;
  TmsuxStreamContent Content;
  Content.Name = MsuxStyleName(FileName);
  Content.IniText = MsuxIniText(Module, FileResNames[Entry]);
  {
    const TScopedValue<const TmsuxModule*> Open(FModule, &Module);
    FDecodedPixels = 0;
    BuildFrom(std::move(Content), true);
  }
  FStylesFile = FileName;
  FColorNames = std::move(ColorNames);
  FSizeNames = std::move(SizeNames);
  FFileResNames = std::move(FileResNames);
  TvxTheme::ResetDefaults();
  return true;
}

void TVxThemeMsStyles::LoadStyleImage(const std::string& Name) {
  TvxBitmapList& Images = FLoadingImages ? *FLoadingImages : *FStyleImages;
  const std::string Upper = UpperCase(Name);
  for (Integer I = 0; I < Images.Count(); ++I)
    if (Images.Items(I)->Name() == Upper) return;
  auto Image = std::make_unique<TvxBitmap>();
  if (FModule)
    if (const auto Data = FModule->Find(TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Named(Upper))) try {
        // A small file can declare many huge images: past the budget they stay empty.
        const int64_t Pixels = PackedDibPixels(*Data);
        if (Pixels <= vxMaxBitmapPixels - FDecodedPixels) {
          FDecodedPixels += Pixels;
          LoadPackedDib(*Image, *Data);
        }
      } catch (const Exception&) {
        // A damaged image stays empty: what needs it paints nothing.
      }
  Image->SetName(Upper);
  Images.Add(std::move(Image));
}

std::string TVxThemeMsStyles::NormalizeImageName(const std::string& Value) { return ::NormalizeImageName(Value); }

// [Building] -------------------------------------------------------------------------------------

void TVxThemeMsStyles::ResetDefaults() {
  Build();
  TvxTheme::ResetDefaults();
}

void TVxThemeMsStyles::Build() {
  if (FCache->Size() == 0) return BuildFrom(CopyMsuxContent(FStyleName, FIni->Text(), *FStyleImages), true);
  TmsuxStreamContent Content;
  FCache->SetPosition(0);
  ReadMsuxStream(*FCache, Content);
  BuildFrom(std::move(Content), false);
}

void TVxThemeMsStyles::BuildFrom(TmsuxStreamContent Content, bool Pristine) {
  TBuilt Built;
  Built.Ini->SetText(Content.IniText);
  const TMemIniFile& Ini = *Built.Ini;
  {
    const TScopedValue<TvxBitmapList*> Loading(FLoadingImages, Content.Images.get());
    for (Integer Slot = 0; Slot < moSlotCount; ++Slot)
      Built.Objects[size_t(Slot)] =
          std::make_unique<TmsuxThemeObject>(Ini, MsuxObjectSections[size_t(Slot)], *Content.Images, *this);
  }
  Built.CaptionBarHeight = FrameMetric(Ini, "CaptionBarHeight", "25");
  Built.SMCaptionBarHeight = FrameMetric(Ini, "SMCaptionBarHeight", "17");
  Built.BorderWidth = FrameMetric(Ini, "BorderWidth", "4");
  Built.SMBorderWidth = FrameMetric(Ini, "SMBorderWidth", "3");

  TSysValues& V = Built.Values;
  V.Window = MetricColor(Ini, "Window", "100 100 100");
  V.BtnFace = MetricColor(Ini, "BtnFace", "100 100 100");
  V.Highlight = MetricColor(Ini, "Highlight", "100 100 100");
  V.BtnShadow = MetricColor(Ini, "BtnShadow", "100 100 100");
  V.HighlightText = MetricColor(Ini, "HighlightText", "100 100 100");
  V.Menu = MetricColor(Ini, "Menu", "100 100 100");
  V.MenuHilight = MetricColor(Ini, "MenuHilight", "100 100 100");
  V.CaptionText = MetricColor(Ini, "CaptionText", "255 255 255");
  V.InactiveCaptionText = MetricColor(Ini, "InactiveCaptionText", "255 255 255");
  const std::string Caption = Metric(Ini, "CaptionFont", "Tahoma,10");
  V.CaptionFontName = ParseFontName(Caption);
  V.CaptionFontSize = ParseFontSize(Caption);
  for (auto [Font, Key] :
       {std::pair{&V.MenuFont, "MenuFont"}, {&V.StatusFont, "StatusFont"}, {&V.MsgBoxFont, "MsgBoxFont"}}) {
    const std::string Text = Metric(Ini, Key, "Tahoma, 8");
    *Font = {ParseFontName(Text), ParseFontSize(Text), ParseFontStyle(Text)};
  }

  // Nothing below raises: the build is complete and replaces what the theme had.
  if (Pristine) {
    auto Cache = std::make_unique<TMemoryStream>();
    WriteMsuxStream(*Cache, Content.Name, Built.Ini->Text(), *Content.Images);
    FCache = std::move(Cache);
  }
  // Each shift only when it is not zero: a zero hue shift would still move colours by rounding.
  for (Integer I = 0; I < Content.Images->Count(); ++I) {
    if (DeltaHue() != 0) Content.Images->Items(I)->ChangeHue(DeltaHue());
    if (DeltaBrightness() != 0) Content.Images->Items(I)->ChangeBrightness(DeltaBrightness());
  }
  for (auto& Object : Built.Objects)
    if (TmsuxThemeObject::HasProperties(Object.get())) {
      if (DeltaHue() != 0) Object->ApplyHueShift(DeltaHue());
      if (DeltaBrightness() != 0) Object->ApplyBrightnessShift(DeltaBrightness());
    }
  FreeObjects();
  FObjects = std::move(Built.Objects);
  FStyleImages = std::move(Content.Images);
  FIni = std::move(Built.Ini);
  FStyleName = Content.Name;
  SetName(Content.Name);
  FCaptionBarHeight = Built.CaptionBarHeight;
  FSMCaptionBarHeight = Built.SMCaptionBarHeight;
  FBorderWidth = Built.BorderWidth;
  FSMBorderWidth = Built.SMBorderWidth;
  FSysValues = std::move(Built.Values);
}

bool TVxThemeMsStyles::IsEmpty() const {
  return FStyleImages->Count() == 0 || !TmsuxThemeObject::HasProperties(Object(moButtonPushbutton));
}

// [Tables] ---------------------------------------------------------------------------------------

void TVxThemeMsStyles::SetDefaultColors() {
  TvxTheme::SetDefaultColors();
  if (IsEmpty()) return;
  Colors().SetColor(7, Object(moButtonPushbutton)->FillColorHint);
  // A list view without a fill colour keeps the base colours rather than painting "none".
  const TColor ListFill = Object(moListview)->FillColor;
  if (ListFill != clNone)
    for (Integer Index : {19, 18, 20, 21}) Colors().SetColor(Index, ListFill);
}

// The base operation has shifted every entry once; the values from the file are shifted here
// one by one, so that no entry is shifted twice.
void TVxThemeMsStyles::SetDefaultSysColors() {
  TvxTheme::SetDefaultSysColors();
  if (IsEmpty()) return;
  const TSysValues& V = FSysValues;
  const Integer Hue = DeltaHue(), Brightness = DeltaBrightness();
  for (auto [Key, Value] : {std::pair{clWindow, V.Window},
                            {clBtnFace, V.BtnFace},
                            {clHighlight, V.Highlight},
                            {clBtnShadow, V.BtnShadow},
                            {clHighlightText, V.HighlightText}})
    SysColors().SetSysColor(Key, Shifted(Value, Hue, Brightness));
  FMenuColor = Shifted(V.Menu, Hue, Brightness);
  FMenuHilightColor = Shifted(V.MenuHilight, Hue, Brightness);
}

void TVxThemeMsStyles::SetDefaultFonts() {
  TvxTheme::SetDefaultFonts();
  if (IsEmpty()) return;
  const TSysValues& V = FSysValues;
  for (Integer Index : {0, 1}) {
    Fonts().Font(Index).SetName(V.CaptionFontName);
    Fonts().Font(Index).SetSize(V.CaptionFontSize);
  }
  Fonts().Font(0).SetColor(V.CaptionText);
  Fonts().Font(1).SetColor(V.InactiveCaptionText);
  for (auto [Font, Values] : {std::pair{FMenuFont.get(), &V.MenuFont},
                              {FStatusFont.get(), &V.StatusFont},
                              {FMsgBoxFont.get(), &V.MsgBoxFont}}) {
    Font->SetName(Values->Name);
    Font->SetSize(Values->Size);
    Font->SetStyle(Values->Style);
  }
  for (Integer Index : {35, 36, 63, 64}) Fonts().Font(Index).SetColor(V.HighlightText);
  for (Integer Index : {10, 12, 11, 13, 14}) {
    TFont& Font = Fonts().Font(Index);
    Font.SetName(FMsgBoxFont->Name());
    Font.SetSize(FMsgBoxFont->Size());
    Font.SetStyle(FMsgBoxFont->Style());
    Font.SetColor(Object(moButtonPushbutton)->TextColor);
  }
  Fonts().Font(14).SetColor(Object(moButtonPushbuttonDisabled)->TextColor);
}
