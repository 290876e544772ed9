#include <gtest/gtest.h>

#include "vexel/graphics/vx_pixel.h"
#include "vexel/graphics/vx_utils.h"
#include "vexel/theme/vx_theme_tables.h"

namespace {

// A theme with named objects: the object "Big" gets its fonts two points larger.
class TNamedObjectsTheme : public TvxTableTheme {
 public:
  void GetFont(TFont& Font, Integer Index, const std::string& Name) override {
    if (Name == "Big") Font.SetSize(Font.Size() + 2);
  }
};

std::vector<std::string> ReadStrings(TStream& S, int Count) {
  std::vector<std::string> Result;
  for (int I = 0; I < Count; ++I) Result.push_back(ReadStreamString(S));
  return Result;
}

}  // namespace

TEST(ThemeSysColors, LookupByKeyFindsTheFirstEntryAndUnknownKeysGiveNone) {
  TvxThemeSysColors Table;
  EXPECT_EQ(Table.SysColor(clWindowText), clNone) << "the 27th key is not in the table";
  EXPECT_EQ(Table.SysColor(clBtnFace), ColorToRGB(clBtnFace));
  Table.SetEntry(10, 0x123456);
  EXPECT_EQ(Table.SysColor(clActiveCaption), Table.Entry(1)) << "entry 10 is reached only by position";
  Table.SetSysColor(clActiveCaption, 0x654321);
  EXPECT_EQ(Table.Entry(1), 0x654321);
  EXPECT_EQ(Table.Entry(10), 0x123456);
  Table.SetSysColor(clWindowText, 0x111111);  // ignored
  EXPECT_EQ(Table.SysColor(clDefault), clDefault) << "clDefault is not a system colour and stays as it is";
}

TEST(ThemeColors, ShiftsResolveSystemColoursThroughPixels) {
  TvxThemeColors Colors;
  SetBaseThemeColors(Colors);
  EXPECT_EQ(Colors.Color(0), 0xFF0000);
  EXPECT_EQ(Colors.Color(5), clBtnFace);
  EXPECT_EQ(Colors.Color(16), clHighlight);
  Colors.ApplyHue(0);
  const TColor Face = ColorToRGB(clBtnFace);
  EXPECT_GE(Colors.Color(5), 0) << "no longer a system colour";
  for (int Shift = 0; Shift < 24; Shift += 8)
    EXPECT_LE(std::abs(((Colors.Color(5) >> Shift) & 0xFF) - ((Face >> Shift) & 0xFF)), 1) << "at most one step";
  Colors.SetColor(3, 0x0000FF);  // red
  Colors.ApplyHue(85);
  EXPECT_EQ(Colors.Color(3), 0x00FF00) << "red moves a third of the way round to green";
  Colors.ApplyBrightness(-300);
  EXPECT_EQ(Colors.Color(3), 0);
}

TEST(ThemeColors, StoredFormIsNamedEntriesReadByPosition) {
  TvxThemeColors Colors;
  SetBaseThemeColors(Colors);
  Colors.SetColor(1, 0x00ABCDEF);
  TMemoryStream S;
  Colors.SaveToStream(S);
  S.SetPosition(0);
  EXPECT_EQ(S.ReadByte(), 21);
  EXPECT_EQ(ReadStrings(S, 3), (std::vector<std::string>{"CaptionNormal", ":", "clBlue"}));
  EXPECT_EQ(ReadStrings(S, 3), (std::vector<std::string>{"CaptionInactive", ":", "$00ABCDEF"}));
  S.SetPosition(0);
  TvxThemeColors Back;
  Back.LoadFromStream(S);
  for (int I = 0; I < vxThemeColorCount; ++I) EXPECT_EQ(Back.Color(I), Colors.Color(I)) << I;
  EXPECT_EQ(S.Position(), S.Size());
}

TEST(ThemeColors, ReadingTakesPositionsAndRefusesColoursThatAreNot) {
  const auto Entries = [](int CountByte, const std::vector<std::string>& Values) {
    TMemoryStream S;
    S.WriteByte(uint8_t(CountByte));
    for (const auto& V : Values) {
      WriteStreamString(S, "AnyName");
      WriteStreamString(S, ":");
      WriteStreamString(S, V);
    }
    S.SetPosition(0);
    return S;
  };
  TvxThemeColors Colors;
  auto Two = Entries(1, {"CLRED", "255"});
  Colors.LoadFromStream(Two);
  EXPECT_EQ(Colors.Color(0), clRed);
  EXPECT_EQ(Colors.Color(1), 255);
  EXPECT_EQ(Colors.Color(2), 0) << "entries not in the stream stay";
  auto Bad = Entries(0, {"reddish"});
  EXPECT_THROW(Colors.LoadFromStream(Bad), EReadError);
  auto Short = Entries(5, {"clRed"});
  EXPECT_THROW(Colors.LoadFromStream(Short), EReadError);
}

// Entries past a table's end carry nothing this version knows: they are read over unparsed, so
// a value no parser takes there cannot fail the load, and the next table starts where it should.
TEST(ThemeTables, EntriesPastTheTableAreReadOverUnparsed) {
  const auto Entries = [](TStream& S, Integer Count, const std::string& Value) {
    for (Integer I = 0; I < Count; ++I) {
      WriteStreamString(S, "AnyName");
      WriteStreamString(S, ":");
      WriteStreamString(S, Value);
    }
  };
  TMemoryStream S;
  S.WriteByte(uint8_t(vxThemeColorCount));  // one entry more than the table
  Entries(S, vxThemeColorCount, "clRed");
  Entries(S, 1, "not a colour");
  S.WriteInt32(vxThemeSysColorCount + 2);
  Entries(S, vxThemeSysColorCount, "clLime");
  Entries(S, 2, "");
  S.WriteByte(uint8_t(vxThemeFontCount + 1));
  Entries(S, vxThemeFontCount, "Arial,9,0,1,2,3");
  Entries(S, 2, "no numbers here");
  S.WriteByte(0xEE);
  S.SetPosition(0);

  TvxThemeColors Colors;
  TvxThemeSysColors SysColors;
  TvxThemeFonts Fonts;
  Colors.LoadFromStream(S);
  SysColors.LoadFromStream(S);
  Fonts.LoadFromStream(S);
  EXPECT_EQ(S.ReadByte(), 0xEE) << "every entry was consumed";
  EXPECT_EQ(Colors.Color(vxThemeColorCount - 1), clRed);
  EXPECT_EQ(SysColors.Entry(vxThemeSysColorCount - 1), clLime);
  EXPECT_EQ(FontToText(Fonts.Font(vxThemeFontCount - 1)), "Arial,9,1,1,2,3");
}

TEST(ThemeSysColors, StoredFormHasA32BitCount) {
  TvxThemeSysColors Table;
  Table.SetEntry(0, clRed);
  TMemoryStream S;
  Table.SaveToStream(S);
  S.SetPosition(0);
  EXPECT_EQ(S.ReadInt32(), 26);
  EXPECT_EQ(ReadStrings(S, 3), (std::vector<std::string>{"clActiveBorder", ":", "clRed"}));
  S.SetPosition(0);
  TvxThemeSysColors Back;
  Back.SetEntry(0, 0);
  Back.LoadFromStream(S);
  EXPECT_EQ(Back.Entry(0), clRed);
}

TEST(ThemeFonts, DefaultsFontForAndTheBaseTheme) {
  TvxThemeFonts Plain;
  EXPECT_EQ(Plain.Font(65).Name(), "Tahoma");
  EXPECT_EQ(Plain.Font(65).Size(), 8);
  EXPECT_EQ(Plain.Font(65).Color(), clWindowText);
  EXPECT_EQ(&Plain.FontFor(3, "Big"), &Plain.Font(3)) << "no theme: the table's own font";

  TNamedObjectsTheme Theme;
  TvxThemeFonts Fonts(&Theme);
  SetBaseThemeFonts(Fonts);
  EXPECT_EQ(&Fonts.FontFor(3, "default"), &Fonts.Font(3));
  TFont& Scratch = Fonts.FontFor(3, "Big");
  EXPECT_NE(&Scratch, &Fonts.Font(3));
  EXPECT_EQ(Scratch.Size(), 10);
  EXPECT_EQ(Fonts.Font(3).Size(), 8) << "the table's font is left alone";

  const struct {
    Integer Index, Size;
    TColor Color;
    bool Bold;
  } Base[] = {{0, 10, clWhite, true},  {1, 10, clSilver, true}, {3, 8, clSilver, true},   {46, 8, clBlack, false},
              {65, 8, clBtnShadow, false}, {33, 8, clWhite, false}, {8, 8, clWindowText, false}, {64, 8, clWindowText, false}};
  for (const auto& B : Base) {
    EXPECT_EQ(Fonts.Font(B.Index).Size(), B.Size) << B.Index;
    EXPECT_EQ(Fonts.Font(B.Index).Color(), B.Color) << B.Index;
    EXPECT_EQ(Fonts.Font(B.Index).Style().Contains(TFontStyle::fsBold), B.Bold) << B.Index;
  }
}

TEST(ThemeFonts, TextFormKeepsStoredColourBytesAndStyleOrder) {
  TFont F;
  F.SetName("Tahoma");
  F.SetSize(8);
  F.SetStyle({TFontStyle::fsStrikeOut, TFontStyle::fsBold});
  F.SetColor(0x00302010);
  EXPECT_EQ(FontToText(F), "Tahoma,8,1,16,32,48,bold,strikeout");
  F.SetColor(clWindowText);
  EXPECT_EQ(FontToText(F), "Tahoma,8,1,8,0,0,bold,strikeout") << "a system colour's index lands in R";

  TFont Read;
  Read.SetCharset(RUSSIAN_CHARSET);
  FontFromText(Read, "Verdana,-12,0,1,2,3,ITALIC,underline");
  EXPECT_EQ(Read.Name(), "Verdana");
  EXPECT_EQ(Read.Size(), -12);
  EXPECT_EQ(Read.Color(), 0x030201);
  EXPECT_EQ(Read.Style(), (TFontStyles{TFontStyle::fsItalic, TFontStyle::fsUnderline}));
  EXPECT_EQ(Read.Charset(), RUSSIAN_CHARSET) << "the character set is left alone";
  FontFromText(Read, " Arial ; 9,0,4,5,6,heavy,bold");
  EXPECT_EQ(Read.Name(), "Arial") << "name up to the first , or ; trimmed";
  EXPECT_EQ(Read.Size(), 9);
  EXPECT_EQ(Read.Color(), 0x060504);
  EXPECT_EQ(Read.Style(), TFontStyles{TFontStyle::fsBold}) << "unknown words are passed over";
  for (const char* Bad : {"Tahoma,8,1,0,0", "Tahoma,x,1,0,0,0", ""}) {
    try {
      FontFromText(Read, Bad);
      ADD_FAILURE() << Bad;
    } catch (const EConvertError& E) {
      EXPECT_NE(E.Message().find("is not a valid integer value"), std::string::npos) << E.Message();
    }
  }
}

TEST(ThemeFonts, StoredFormRoundTrips) {
  TvxThemeFonts Fonts;
  SetBaseThemeFonts(Fonts);
  TMemoryStream S;
  Fonts.SaveToStream(S);
  S.SetPosition(0);
  EXPECT_EQ(S.ReadByte(), 65);
  EXPECT_EQ(ReadStrings(S, 3), (std::vector<std::string>{"CaptionTextNormal", ":", "Tahoma,10,1,255,255,255,bold"}));
  S.SetPosition(0);
  TvxThemeFonts Back;
  Back.LoadFromStream(S);
  for (int I = 0; I < vxThemeFontCount; I += 13) EXPECT_EQ(FontToText(Back.Font(I)), FontToText(Fonts.Font(I))) << I;
}

TEST(ThemeOptions, CountByteZeroReadsOneOption) {
  TvxThemeOptions Options;
  Options.SetOption(1, true);
  TMemoryStream S(std::vector<uint8_t>{0, 1});
  Options.LoadFromStream(S);
  EXPECT_TRUE(Options.Option(0));
  EXPECT_TRUE(Options.Option(1)) << "left unchanged";
  TMemoryStream Out;
  Options.SaveToStream(Out);
  EXPECT_EQ(Out.Data(), (std::vector<uint8_t>{1, 1, 1}));
  TMemoryStream Extra(std::vector<uint8_t>{3, 0, 0, 1, 1});
  Options.LoadFromStream(Extra);
  EXPECT_FALSE(Options.Option(1));
  EXPECT_EQ(Extra.Position(), 5) << "unknown options are read and dropped";
}
