// The visual-style theme reading style files our own module writer makes: the resources it takes,
// the images it decodes, the tables it fills from [SysMetrics], the stream form, shifts applied
// once to the pristine content, registration, and files that must not load (the theme is left
// as it was).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>

#include "framework/core/inifiles.h"
#include "framework/core/sysutils.h"
#include "tools/msstylegen/msstylegen_pe.h"
#include "vexel/graphics/vx_pixel.h"
#include "vexel/msstyles/msux_module.h"
#include "vexel/msstyles/theme_msux.h"
#include "vexel/theme/vx_theme_manager.h"

using namespace msstylegen;

namespace {

constexpr TvxColor Magenta = 0xFFFF00FF;

std::vector<uint8_t> Utf16(const std::string& S) {
  std::vector<uint8_t> B;
  for (char C : S) {
    B.push_back(uint8_t(C));
    B.push_back(0);
  }
  return B;
}

// A list resource: each string with its terminator, then the empty string.
std::vector<uint8_t> List(const std::vector<std::string>& Items) {
  std::string Joined;
  for (const std::string& Item : Items) Joined += Item + '\0';
  return Utf16(Joined + '\0');
}

void Put(std::vector<uint8_t>& B, uint32_t V, int Bytes) {
  for (int I = 0; I < Bytes; ++I) B.push_back(uint8_t(V >> (8 * I)));
}

std::vector<uint8_t> InfoHeader(Integer W, Integer H, uint16_t Bits, uint32_t Colors) {
  std::vector<uint8_t> B;
  Put(B, 40, 4);
  Put(B, uint32_t(W), 4);
  Put(B, uint32_t(H), 4);
  Put(B, 1, 2);
  Put(B, Bits, 2);
  for (uint32_t V : {0u, 0u, 0u, 0u, Colors, 0u}) Put(B, V, 4);
  return B;
}

// A 24-bit packed DIB of rows given top to bottom (stored bottom-up, rows padded to 4 bytes).
std::vector<uint8_t> Dib24(const std::vector<std::vector<TvxColor>>& Rows) {
  const Integer W = Integer(Rows[0].size()), H = Integer(Rows.size());
  std::vector<uint8_t> B = InfoHeader(W, H, 24, 0);
  for (Integer Y = H - 1; Y >= 0; --Y) {
    for (TvxColor P : Rows[size_t(Y)]) Put(B, P & 0xFFFFFF, 3);
    while (B.size() % 4) B.push_back(0);
  }
  return B;
}

// An 8-bit packed DIB, one row, two palette entries.
std::vector<uint8_t> Dib8(TvxColor First, TvxColor Second, const std::vector<uint8_t>& Indices) {
  std::vector<uint8_t> B = InfoHeader(Integer(Indices.size()), 1, 8, 2);
  Put(B, First & 0xFFFFFF, 4);
  Put(B, Second & 0xFFFFFF, 4);
  B.insert(B.end(), Indices.begin(), Indices.end());
  while (B.size() % 4) B.push_back(0);
  return B;
}

const char* const GoodIni =
    "[Button.Pushbutton]\r\n"
    "ImageFile = Blue\\Button.bmp\r\n"
    "TextColor=1 2 3\r\n"
    "FillColorHint=10 20 30\r\n"
    "[Button.Pushbutton(Disabled)]\r\n"
    "TextColor=9 9 9\r\n"
    "ImageFile=Blue\\Button.bmp\r\n"
    "[Window.Caption]\r\n"
    "ImageFile=Blue\\Caption.bmp\r\n"
    "ImageFile1=Blue\\Damaged.bmp\r\n"
    "ImageFile2=Blue\\Huge.bmp\r\n"
    "ImageFile3=Blue\\Missing.bmp\r\n"
    "FillColor=40 50 60\r\n"
    "[listview]\r\n"
    "FillColor=200 201 202\r\n"
    "[SysMetrics]\r\n"
    "CaptionBarHeight=30\r\n"
    "SMCaptionBarHeight= 20\r\n"
    "BorderWidth=5\r\n"
    "Window=11 12 13\r\n"
    "BtnFace=21 22 23\r\n"
    "Highlight=31 32 33\r\n"
    "BtnShadow=41 42 43\r\n"
    "HighlightText=51 52 53\r\n"
    "Menu=61 62 63\r\n"
    "MenuHilight=71 72 73\r\n"
    "CaptionFont=Verdana, 12\r\n"
    "CaptionText=81 82 83\r\n"
    "MenuFont=Arial, 9, bold\r\n"
    "MsgBoxFont=Courier New, 11, , italic\r\n";

// The resources of a small style; a test changes what it needs before the module is written.
struct TStyleFile {
  std::string Ini = GoodIni;
  std::vector<uint8_t> ColorNames = List({"NormalColor"});
  std::vector<uint8_t> SizeNames = List({"NormalSize", "Large"});
  std::vector<uint8_t> FileResNames = List({"NORMALBLUE_INI", "LARGE_INI"});
  bool WithColorNames = true;
  bool WithText = true;
  std::vector<TPeResource> Extra;

  std::vector<uint8_t> Module() const {
    std::vector<TPeResource> R;
    if (WithColorNames) R.push_back({TPeId::Named("COLORNAMES"), TPeId::Id(1), ColorNames});
    R.push_back({TPeId::Named("SIZENAMES"), TPeId::Id(1), SizeNames});
    R.push_back({TPeId::Named("FILERESNAMES"), TPeId::Id(1), FileResNames});
    // The last four units of a text resource are not part of the text.
    if (WithText) R.push_back({TPeId::Named("TEXTFILE"), TPeId::Named("NORMALBLUE_INI"), Utf16(Ini + "\r\n\r\n")});
    R.push_back({TPeId::Id(2), TPeId::Named("BLUE_BUTTON_BMP"),
                 Dib24({{Magenta, 0xFF102030, 0xFF405060}, {0xFF000000, 0xFFFFFFFF, 0xFF0000FF}})});
    R.push_back({TPeId::Id(2), TPeId::Named("BLUE_CAPTION_BMP"), Dib8(0xFF112233, 0xFF445566, {1, 0, 1})});
    std::vector<uint8_t> Damaged = Dib24({{0xFF102030, 0xFF102030}});
    Damaged.resize(Damaged.size() - 4);
    R.push_back({TPeId::Id(2), TPeId::Named("BLUE_DAMAGED_BMP"), Damaged});
    std::vector<uint8_t> Huge = InfoHeader(40000, 40000, 24, 0);
    Huge.resize(Huge.size() + 64);
    R.push_back({TPeId::Id(2), TPeId::Named("BLUE_HUGE_BMP"), Huge});
    R.insert(R.end(), Extra.begin(), Extra.end());
    return BuildResourceModule(R);
  }
};

std::string TempFolder() {
  char Path[MAX_PATH];
  GetTempPathA(MAX_PATH, Path);
  return Path;
}

std::string WriteFile(const std::string& Name, const std::vector<uint8_t>& Bytes) {
  const std::string Path = TempFolder() + Name;
  std::ofstream(Path, std::ios::binary)
      .write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
  return Path;
}

std::string WriteStyle(const TStyleFile& Style, const std::string& Name = "Test.msstyles") {
  return WriteFile(Name, Style.Module());
}

std::vector<uint8_t> Saved(TVxThemeMsStyles& Theme) {
  TMemoryStream S;
  EXPECT_TRUE(Theme.SaveToStream(S));
  return S.Data();
}

std::vector<TvxColor> Pixels(const TvxBitmap& B) {
  std::vector<TvxColor> P;
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X) P.push_back(B.GetPixel(X, Y));
  return P;
}

// What must stay when a load fails.
struct TSnapshot {
  std::string Name, Ini;
  Integer Images;
  TmsuxThemeObject* Button;
  TColor Colour7, Window;
  Integer CaptionBarHeight;
  explicit TSnapshot(TVxThemeMsStyles& T)
      : Name(T.Name()),
        Ini(T.Ini().Text()),
        Images(T.StyleImages().Count()),
        Button(T.Object(moButtonPushbutton)),
        Colour7(T.Colors().Color(7)),
        Window(T.SysColors().SysColor(clWindow)),
        CaptionBarHeight(T.CaptionBarHeight()) {}
  bool operator==(const TSnapshot&) const = default;
};

class MsuxTheme : public ::testing::Test {
 protected:
  TVxThemeMsStyles Theme;
  std::string File = WriteStyle(TStyleFile{});
  void SetUp() override { ASSERT_TRUE(Theme.LoadFromFile(File)); }
};

}  // namespace

TEST_F(MsuxTheme, TakesTheFirstIniTextAndNamesTheStyleAfterTheFile) {
  EXPECT_EQ(Theme.Name(), "Test");
  EXPECT_EQ(Theme.StyleName(), "Test");
  EXPECT_EQ(Theme.StylesFile(), File);
  EXPECT_EQ(Theme.ColorNames(), std::vector<std::string>{"NormalColor"});
  EXPECT_EQ(Theme.SizeNames(), (std::vector<std::string>{"NormalSize", "Large"}));
  EXPECT_EQ(Theme.FileResNames(), (std::vector<std::string>{"NORMALBLUE_INI", "LARGE_INI"}));
  EXPECT_EQ(Theme.Ini().ReadString("Button.Pushbutton", "ImageFile", ""), "Blue\\Button.bmp");
  EXPECT_EQ(Theme.Ini().ReadString("SysMetrics", "MsgBoxFont", ""), "Courier New, 11, , italic");
  EXPECT_FALSE(Theme.IsEmpty());
  for (Integer Slot = 0; Slot < moSlotCount; ++Slot) EXPECT_NE(Theme.Object(TmsuxObjectSlot(Slot)), nullptr);
  EXPECT_EQ(Theme.Object(TmsuxObjectSlot(moSlotCount)), nullptr);
  EXPECT_EQ(
      std::make_tuple(Theme.CaptionBarHeight(), Theme.SMCaptionBarHeight(), Theme.BorderWidth(), Theme.SMBorderWidth()),
      std::make_tuple(30, 20, 5, 3));
  // Loading again replaces the lists rather than adding to them.
  ASSERT_TRUE(Theme.LoadFromFile(File));
  EXPECT_EQ(Theme.FileResNames().size(), 2u);
}

TEST_F(MsuxTheme, DecodesBitmapResourcesOnceAndLeavesBadOnesEmpty) {
  const TvxBitmapList& Images = Theme.StyleImages();
  // Two sections name the button: it is read once.
  ASSERT_EQ(Images.Count(), 5);
  const TvxBitmap* Button = Images.Find("BLUE_BUTTON_BMP");
  ASSERT_TRUE(Button && !Button->Empty());
  EXPECT_EQ(Pixels(*Button),
            (std::vector<TvxColor>{0x007F007F, 0xFF102030, 0xFF405060, 0xFF000000, 0xFFFFFFFF, 0xFF0000FF}));
  EXPECT_TRUE(Button->Transparent());
  EXPECT_EQ(Theme.Object(moButtonPushbutton)->DrawMode, 3);
  EXPECT_EQ(Theme.Object(moButtonPushbutton)->ImageFile->Bitmap(), Button);
  EXPECT_EQ(Pixels(*Images.Find("BLUE_CAPTION_BMP")), (std::vector<TvxColor>{0xFF445566, 0xFF112233, 0xFF445566}));
  for (const char* Bad : {"BLUE_DAMAGED_BMP", "BLUE_HUGE_BMP", "BLUE_MISSING_BMP"}) {
    ASSERT_NE(Images.Find(Bad), nullptr) << Bad;
    EXPECT_TRUE(Images.Find(Bad)->Empty()) << Bad;
  }
  EXPECT_FALSE(Theme.Object(moWindowCaption)->ImageFile1->Valid());
}

TEST_F(MsuxTheme, ColoursSystemColoursAndFontsFromTheStyle) {
  EXPECT_EQ(Theme.Colors().Color(7), TColor(0x1E140A));
  for (Integer Index : {18, 19, 20, 21}) EXPECT_EQ(Theme.Colors().Color(Index), TColor(0xCAC9C8)) << Index;
  const std::pair<TColor, TColor> Sys[] = {{clWindow, 0x0D0C0B},
                                           {clBtnFace, 0x171615},
                                           {clHighlight, 0x21201F},
                                           {clBtnShadow, 0x2B2A29},
                                           {clHighlightText, 0x353433}};
  for (const auto& [Key, Value] : Sys) EXPECT_EQ(Theme.SysColors().SysColor(Key), Value) << Key;
  EXPECT_EQ(Theme.MenuColor(), TColor(0x3F3E3D));
  EXPECT_EQ(Theme.MenuHilightColor(), TColor(0x494847));

  struct TFontCase {
    Integer Index;
    const char* Name;
    Integer Size;
    TColor Colour;
  };
  const TFontCase Fonts[] = {{0, "Verdana", 12, 0x535251},      {1, "Verdana", 12, 0xFFFFFF},
                             {10, "Courier New", 11, 0x030201}, {11, "Courier New", 11, 0x030201},
                             {12, "Courier New", 11, 0x030201}, {13, "Courier New", 11, 0x030201},
                             {14, "Courier New", 11, 0x090909}};
  for (const TFontCase& F : Fonts) {
    const TFont& Font = Theme.Fonts().Font(F.Index);
    EXPECT_EQ(std::make_tuple(Font.Name(), Font.Size(), Font.Color()), std::make_tuple(F.Name, F.Size, F.Colour))
        << F.Index;
  }
  EXPECT_EQ(Theme.Fonts().Font(12).Style(), TFontStyles{TFontStyle::fsItalic});
  for (Integer Index : {35, 36, 63, 64}) EXPECT_EQ(Theme.Fonts().Font(Index).Color(), TColor(0x353433)) << Index;
  EXPECT_EQ(std::make_tuple(Theme.MenuFont().Name(), Theme.MenuFont().Size(), Theme.MenuFont().Style()),
            std::make_tuple(std::string("Arial"), 9, TFontStyles{TFontStyle::fsBold}));
  // Not in the file: the defaults.
  EXPECT_EQ(std::make_tuple(Theme.StatusFont().Name(), Theme.StatusFont().Size(), Theme.StatusFont().Style()),
            std::make_tuple(std::string("Tahoma"), 8, TFontStyles{}));
}

TEST_F(MsuxTheme, StreamFormRoundTripsIntoANewTheme) {
  const std::vector<uint8_t> First = Saved(Theme);
  TMemoryStream In(First);
  EXPECT_TRUE(TVxThemeMsStyles::IsValidStream(In));
  EXPECT_EQ(In.Position(), 7);
  In.SetPosition(0);
  TVxThemeMsStyles Copy;
  ASSERT_TRUE(Copy.LoadFromStream(In));
  EXPECT_EQ(Copy.Name(), "Test");
  EXPECT_EQ(Copy.Ini().Text(), Theme.Ini().Text());
  ASSERT_EQ(Copy.StyleImages().Count(), Theme.StyleImages().Count());
  for (Integer I = 0; I < Copy.StyleImages().Count(); ++I)
    EXPECT_EQ(Pixels(*Copy.StyleImages().Items(I)), Pixels(*Theme.StyleImages().Items(I)));
  EXPECT_FALSE(Copy.IsEmpty());
  EXPECT_EQ(Copy.Colors().Color(7), Theme.Colors().Color(7));
  EXPECT_EQ(Saved(Copy), First);

  std::vector<uint8_t> Other = First;
  Other[0] = 'X';
  TMemoryStream Rejected(Other);
  EXPECT_FALSE(TVxThemeMsStyles::IsValidStream(Rejected));
  // Without the mark nothing is loaded and the theme stays as it was.
  Rejected.SetPosition(0);
  const TSnapshot Before(Copy);
  EXPECT_FALSE(Copy.LoadFromStream(Rejected));
  EXPECT_TRUE(TSnapshot(Copy) == Before);
}

TEST_F(MsuxTheme, AssignCopiesTheStyleAndOnlyTheBasePartFromOtherThemes) {
  TVxThemeMsStyles Copy;
  Copy.Assign(&Theme);
  EXPECT_EQ(Copy.Name(), "Test");
  EXPECT_EQ(Copy.Ini().Text(), Theme.Ini().Text());
  EXPECT_EQ(Copy.StyleImages().Count(), Theme.StyleImages().Count());
  EXPECT_EQ(Copy.Fonts().Font(0).Name(), "Verdana");
  EXPECT_EQ(Saved(Copy), Saved(Theme));

  TvxTheme Plain;
  Copy.Assign(&Plain);
  EXPECT_EQ(Copy.Name(), Plain.Name());
  EXPECT_EQ(Copy.StyleImages().Count(), Theme.StyleImages().Count());
  Theme.Assign(&Theme);
  EXPECT_EQ(Theme.Name(), "Test");
}

TEST_F(MsuxTheme, ShiftsApplyOnceToThePristineContent) {
  TVxThemeMsStyles Pristine;
  ASSERT_TRUE(Pristine.LoadFromFile(File));
  Theme.SetDeltaHue(40);
  Theme.SetDeltaHue(80);
  Theme.SetDeltaBrightness(-10);
  const TvxBitmapList& Images = Theme.StyleImages();
  ASSERT_EQ(Images.Count(), Pristine.StyleImages().Count());
  for (Integer I = 0; I < Images.Count(); ++I) {
    TvxBitmap Expected;
    Expected.Assign(Pristine.StyleImages().Items(I));
    Expected.ChangeHue(80);
    Expected.ChangeBrightness(-10);
    EXPECT_EQ(Pixels(*Images.Items(I)), Pixels(Expected)) << Images.Items(I)->Name();
  }
  const TColor Fill = Pristine.Object(moWindowCaption)->FillColor;
  EXPECT_EQ(Theme.Object(moWindowCaption)->FillColor, ColorBrightnessShifted(ColorHueShifted(Fill, 80), -10));
  EXPECT_EQ(Theme.MenuColor(), ColorBrightnessShifted(ColorHueShifted(Pristine.MenuColor(), 80), -10));
  EXPECT_EQ(Theme.SysColors().SysColor(clWindow),
            ColorBrightnessShifted(ColorHueShifted(Pristine.SysColors().SysColor(clWindow), 80), -10));
  // An entry the style does not set is shifted once from the platform's value too.
  EXPECT_EQ(Theme.SysColors().SysColor(clMenuText),
            ColorBrightnessShifted(ColorHueShifted(Pristine.SysColors().SysColor(clMenuText), 80), -10));
  // A copy of the shifted theme takes the pristine content and applies its own (no) shift.
  TVxThemeMsStyles Copy;
  Copy.Assign(&Theme);
  EXPECT_EQ(Saved(Copy), Saved(Pristine));
  EXPECT_EQ(Copy.Object(moWindowCaption)->FillColor, Fill);
  // The stream form of a shifted theme holds the shifted images; the pristine ones stay cached.
  Theme.SetDeltas(0, 0);
  EXPECT_EQ(Saved(Theme), Saved(Pristine));
}

TEST(MsuxThemeClass, DescribesItselfAndIsRegisteredForItsFiles) {
  EXPECT_EQ(TVxThemeMsStyles::GetThemeName(), "Microsoft msstyles");
  const TvxThemeConfig Config = TVxThemeMsStyles::GetFileInfo();
  EXPECT_EQ(std::make_tuple(Config.Builtin, Config.Streamable, Config.FileBased, Config.Filter, Config.Extension),
            std::make_tuple(false, true, true, std::string("Microsoft msstyles (*.msstyles)|*.msstyles"),
                            std::string("msstyles")));
  TVxThemeMsStyles Empty;
  EXPECT_TRUE(Empty.IsEmpty());
  EXPECT_EQ(Empty.Object(moButtonPushbutton), nullptr);
  EXPECT_FALSE(Empty.SaveToFile(TempFolder() + "never.msstyles"));

  EXPECT_EQ(FindThemeClassForFile("C:\\x\\Luna.msstyles"), &TVxThemeMsStyles::StaticThemeClass());
  std::string Filter;
  GetThemeFilter(Filter);
  EXPECT_NE(Filter.find("Microsoft msstyles (*.msstyles)|*.msstyles"), std::string::npos);
  const std::string File = WriteStyle(TStyleFile{}, "Registered.msstyles");
  std::unique_ptr<TvxTheme> Loaded = LoadThemeFromFile(File);
  ASSERT_NE(Loaded, nullptr);
  EXPECT_EQ(&Loaded->ThemeClass(), &TVxThemeMsStyles::StaticThemeClass());
  EXPECT_EQ(Loaded->Name(), "Registered");
  TMemoryStream Stream;
  SaveThemeToStream(Loaded.get(), Stream);
  Stream.SetPosition(0);
  std::unique_ptr<TvxTheme> FromStream = LoadThemeFromStream(Stream);
  ASSERT_NE(FromStream, nullptr);
  EXPECT_EQ(FromStream->Name(), "Registered");
}

TEST(MsuxThemeClass, StyleWithoutImagesIsEmptyAndImagesMissingFromAStreamStayEmpty) {
  TvxBitmapList None;
  TMemoryStream S;
  WriteMsuxStream(S, "Bare", "[Button.Pushbutton]\r\nImageFile=Blue\\Extra.bmp\r\nImageCount=0\r\n", None);
  S.SetPosition(0);
  TVxThemeMsStyles Theme;
  ASSERT_TRUE(Theme.LoadFromStream(S));
  ASSERT_NE(Theme.StyleImages().Find("BLUE_EXTRA_BMP"), nullptr);
  EXPECT_TRUE(Theme.StyleImages().Find("BLUE_EXTRA_BMP")->Empty());
  EXPECT_EQ(Theme.Object(moButtonPushbutton)->ImageCount, 0);
  // One (empty) image and a button with keys: not empty by the rule, though nothing can paint.
  EXPECT_FALSE(Theme.IsEmpty());

  TMemoryStream NoButton;
  WriteMsuxStream(NoButton, "Bare", "[Window]\r\nFillColor=1 2 3\r\n", None);
  NoButton.SetPosition(0);
  ASSERT_TRUE(Theme.LoadFromStream(NoButton));
  EXPECT_TRUE(Theme.IsEmpty());
}

TEST_F(MsuxTheme, FilesThatDoNotLoadLeaveTheThemeAsItWas) {
  enum TOutcome { ReturnsFalse, ResourceMissing, NotANumber };
  // A section put first wins over the good text's own section of that name.
  const auto First = [](const char* Section, const char* Line) {
    return [=](TStyleFile& S) { S.Ini.insert(0, std::string("[") + Section + "]\r\n" + Line + "\r\n"); };
  };
  const struct {
    const char* What;
    std::function<void(TStyleFile&)> Damage;
    TOutcome Outcome;
  } Cases[] = {
      {"no colour names", [](TStyleFile& S) { S.WithColorNames = false; }, ResourceMissing},
      {"no ini text", [](TStyleFile& S) { S.WithText = false; }, ResourceMissing},
      {"empty colour list", [](TStyleFile& S) { S.ColorNames = List({}); }, ReturnsFalse},
      {"empty size list", [](TStyleFile& S) { S.SizeNames = List({}); }, ReturnsFalse},
      {"empty ini list", [](TStyleFile& S) { S.FileResNames = List({}); }, ReturnsFalse},
      {"malformed metric", First("SysMetrics", "CaptionBarHeight=tall"), NotANumber},
      {"malformed system colour", First("SysMetrics", "Window=1 x 3"), NotANumber},
      {"malformed font size", First("SysMetrics", "MenuFont=Arial, big"), NotANumber},
      {"malformed border size", First("listview", "BorderSize=thin"), NotANumber},
      {"malformed image count", First("edit", "ImageCount=many"), NotANumber},
      {"malformed colour of an object", First("Window", "TextColor=0 0 blue"), NotANumber},
  };
  for (const auto& C : Cases) {
    TStyleFile Style;
    C.Damage(Style);
    const std::string Path = WriteStyle(Style, "Damaged.msstyles");
    const TSnapshot Before(Theme);
    switch (C.Outcome) {
      case ReturnsFalse: EXPECT_FALSE(Theme.LoadFromFile(Path)) << C.What; break;
      case ResourceMissing: EXPECT_THROW(Theme.LoadFromFile(Path), EResNotFound) << C.What; break;
      case NotANumber: EXPECT_THROW(Theme.LoadFromFile(Path), EConvertError) << C.What; break;
    }
    EXPECT_TRUE(TSnapshot(Theme) == Before) << C.What;
    EXPECT_EQ(Theme.StylesFile(), File) << C.What;
    EXPECT_EQ(Theme.FileResNames().size(), 2u) << C.What;
  }
  for (const std::string& Path :
       {WriteFile("NotAModule.msstyles", Utf16("[Button.Pushbutton]\r\n")), TempFolder() + "Absent.msstyles"}) {
    const TSnapshot Before(Theme);
    EXPECT_THROW(Theme.LoadFromFile(Path), EmsuxModuleError) << Path;
    EXPECT_TRUE(TSnapshot(Theme) == Before) << Path;
  }
}

// A small file can declare many large images: one load decodes at most vxMaxBitmapPixels in all,
// and frame metrics stay within what can be painted.
TEST_F(MsuxTheme, LargeImagesShareOneBudgetAndMetricsAreBounded) {
  TStyleFile Style;
  Style.Ini += "[Window.FrameLeft]\r\nImageFile=Big\\First.bmp\r\n[Window.FrameRight]\r\nImageFile=Big\\Second.bmp\r\n";
  Style.Ini.replace(Style.Ini.find("CaptionBarHeight=30"), 19, "CaptionBarHeight=2000000000");
  Style.Ini.replace(Style.Ini.find("BorderWidth=5"), 13, "BorderWidth=-7");
  // 1 bit per pixel, each more than half the budget.
  constexpr Integer Side = 6000;
  static_assert(int64_t(Side) * Side * 2 > vxMaxBitmapPixels && int64_t(Side) * Side <= vxMaxBitmapPixels);
  std::vector<uint8_t> Big = InfoHeader(Side, Side, 1, 2);
  Put(Big, 0x000000, 4);
  Put(Big, 0xFFFFFF, 4);
  Big.resize(Big.size() + size_t((Side + 31) / 32 * 4) * Side, 0xFF);
  Style.Extra = {{TPeId::Id(2), TPeId::Named("BIG_FIRST_BMP"), Big}, {TPeId::Id(2), TPeId::Named("BIG_SECOND_BMP"), Big}};
  const std::string Path = WriteStyle(Style, "Budget.msstyles");
  ASSERT_TRUE(Theme.LoadFromFile(Path));
  const TvxBitmap* First = Theme.StyleImages().Find("BIG_FIRST_BMP");
  const TvxBitmap* Second = Theme.StyleImages().Find("BIG_SECOND_BMP");
  ASSERT_TRUE(First && Second);
  EXPECT_EQ(First->Width(), Side);
  EXPECT_TRUE(Second->Empty());
  EXPECT_EQ(Theme.CaptionBarHeight(), 1024);
  EXPECT_EQ(Theme.BorderWidth(), 0);
}

TEST(MsuxSampleStyle, TheGeneratedSamplesLoad) {
  for (const char* Name : {"PellanSample", "PellanSample100"}) {
    TVxThemeMsStyles Theme;
    ASSERT_TRUE(Theme.LoadFromFile(VX_SAMPLE_STYLE_DIR "/" + std::string(Name) + ".msstyles")) << Name;
    EXPECT_EQ(Theme.Name(), Name);
    EXPECT_FALSE(Theme.IsEmpty());
    if (std::string(Name) == "PellanSample100") EXPECT_GE(Theme.StyleImages().Count(), 100);
    for (Integer I = 0; I < Theme.StyleImages().Count(); ++I)
      EXPECT_FALSE(Theme.StyleImages().Items(I)->Empty()) << Theme.StyleImages().Items(I)->Name();
    TMemoryStream S;
    ASSERT_TRUE(Theme.SaveToStream(S));
    S.SetPosition(0);
    TVxThemeMsStyles Copy;
    ASSERT_TRUE(Copy.LoadFromStream(S));
    EXPECT_EQ(Copy.Ini().Text(), Theme.Ini().Text());
    EXPECT_EQ(Copy.StyleImages().Count(), Theme.StyleImages().Count());
  }
}
