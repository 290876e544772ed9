// Reading a visual style: the in-memory ini file, the value parsers, the text and list resources,
// the objects built from sections (keys, masking of images, the key cap) and the stream form.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "framework/core/exceptions.h"
#include "framework/core/inifiles.h"
#include "framework/core/sysutils.h"
#include "framework/core/zstream.h"
#include "vexel/msstyles/msux_parse.h"
#include "vexel/msstyles/msux_stream.h"
#include "vexel/msstyles/theme_msuxobjects.h"

namespace {

constexpr TvxColor Magenta = 0xFFFF00FF, Green = 0xFF00FF00, Grey = 0xFF808080, White = 0xFFFFFFFF;

// Every unit of a literal, embedded zeros too, but not its terminator.
template <size_t N>
std::u16string Units(const char16_t (&Literal)[N]) {
  return std::u16string(Literal, N - 1);
}

std::vector<uint8_t> Utf16(const std::u16string& S) {
  std::vector<uint8_t> Bytes;
  for (char16_t C : S) {
    Bytes.push_back(uint8_t(C & 0xFF));
    Bytes.push_back(uint8_t(C >> 8));
  }
  return Bytes;
}

// An image of the given pixels, one row.
std::unique_ptr<TvxBitmap> Row(const std::string& Name, std::vector<TvxColor> Pixels) {
  auto B = std::make_unique<TvxBitmap>();
  B->SetSize(Integer(Pixels.size()), 1);
  for (size_t X = 0; X < Pixels.size(); ++X) B->SetPixel(Integer(X), 0, Pixels[X]);
  B->SetName(Name);
  return B;
}

// Stands in for the style file: images it knows are made from their pixels, others come out
// empty; every name asked for is recorded.
class TTestSource : public TmsuxImageSource {
 public:
  explicit TTestSource(TvxBitmapList& Images) : FImages(Images) {}
  void LoadStyleImage(const std::string& Name) override {
    const std::string Upper = UpperCase(Name);
    Asked.push_back(Upper);
    for (Integer I = 0; I < FImages.Count(); ++I)
      if (FImages.Items(I)->Name() == Upper) return;
    auto Known = Pixels.find(Upper);
    auto Image = Known != Pixels.end() ? Row(Upper, Known->second) : std::make_unique<TvxBitmap>();
    Image->SetName(Upper);
    if (AlphaBlended.count(Upper)) Image->SetAlphaBlend(true);
    FImages.Add(std::move(Image));
  }
  std::map<std::string, std::vector<TvxColor>> Pixels;
  std::set<std::string> AlphaBlended;
  std::vector<std::string> Asked;

 private:
  TvxBitmapList& FImages;
};

struct TObjectFixture : ::testing::Test {
  TvxBitmapList Images;
  TTestSource Source{Images};
  TMemIniFile Ini;
  std::unique_ptr<TmsuxThemeObject> Build(const std::string& Text, const std::string& Section = "S") {
    Ini.SetText(Text);
    return std::make_unique<TmsuxThemeObject>(Ini, Section, Images, Source);
  }
};

}  // namespace

// [TMemIniFile] ---------------------------------------------------------------------------------

TEST(MemIniFile, TextGivesBackTheLinesLoadedWithCrLfAndIsStable) {
  const std::string Loaded = "[A]\r\nx = 1 \nmixed\r\r\n\r\n; note\r\nlast";
  TMemIniFile Ini;
  Ini.SetText(Loaded);
  EXPECT_EQ(Ini.Text(), "[A]\r\nx = 1 \r\nmixed\r\r\n\r\n; note\r\nlast\r\n");
  TMemIniFile Again;
  Again.SetText(Ini.Text());
  EXPECT_EQ(Again.Text(), Ini.Text());
  Ini.SetText("");
  EXPECT_EQ(Ini.Text(), "");
  Ini.SetText("\r\n");
  EXPECT_EQ(Ini.Text(), "\r\n");
}

TEST(MemIniFile, LooksUpIgnoringCaseTheFirstOfDuplicateKeysWinsAndRepeatedSectionsContinue) {
  TMemIniFile Ini;
  Ini.SetText(
      "orphan=0\n"
      "[Button.Pushbutton]\n"
      "  ImageFile = Blue_Button_bmp\n"
      "; comment=no\n"
      "Count=1\n"
      "count=2\n"
      "=nokey\n"
      "no equals sign\n"
      "[other]\n"
      "a=b=c\n"
      "[BUTTON.pushbutton]\n"
      "Late=1\n"
      "COUNT=3\n");
  EXPECT_TRUE(Ini.SectionExists("button.PUSHBUTTON"));
  EXPECT_FALSE(Ini.SectionExists("missing"));
  EXPECT_EQ(Ini.ReadSection("button.pushbutton"), (std::vector<std::string>{"ImageFile", "Count", "Late"}));
  EXPECT_EQ(Ini.ReadString("Button.Pushbutton", "IMAGEFILE", "?"), " Blue_Button_bmp");
  EXPECT_EQ(Ini.ReadString("Button.Pushbutton", "count", "?"), "1");
  EXPECT_EQ(Ini.ReadString("Button.Pushbutton", "late", "?"), "1");
  EXPECT_EQ(Ini.ReadString("other", "a", "?"), "b=c");
  EXPECT_EQ(Ini.ReadString("missing", "a", "dflt"), "dflt");
  EXPECT_TRUE(Ini.ReadSection("").empty());
  Ini.Clear();
  EXPECT_FALSE(Ini.SectionExists("other"));
  EXPECT_EQ(Ini.Text(), "");
}

// [Values] --------------------------------------------------------------------------------------

TEST(MsuxValues, StrToIntTakesNumbersOnly) {
  const std::pair<const char*, int32_t> Good[] = {{"0", 0},
                                                  {"-12", -12},
                                                  {"+7", 7},
                                                  {"$1F", 31},
                                                  {"0x10", 16},
                                                  {"2147483647", INT32_MAX},
                                                  {"-2147483648", INT32_MIN},
                                                  {"$FFFFFFFF", -1}};
  for (const auto& [Text, Value] : Good) EXPECT_EQ(StrToInt(Text), Value) << Text;
  for (const char* Bad : {"", "-", "abc", "12a", " 1", "1 ", "2147483648", "$", "0x", "$100000000", "1.5"})
    EXPECT_THROW(StrToInt(Bad), EConvertError) << Bad;
}

TEST(MsuxValues, KeywordParsersIgnoreCaseAndFallBack) {
  struct TCase {
    Byte (*Parse)(const std::string&);
    const char* Text;
    Byte Expected;
  };
  const TCase Cases[] = {
      {ParseBgType, "None", 3},
      {ParseBgType, "IMAGEFILE", 2},
      {ParseBgType, "borderfill", 1},
      {ParseBgType, "image file", 0},
      {ParseSizingType, "BorderStretchClientTile", 6},
      {ParseSizingType, "bordertileclientstretch", 5},
      {ParseSizingType, "TileHorizontal", 3},
      {ParseSizingType, "tilevertical", 2},
      {ParseSizingType, "TrueSize", 4},
      {ParseSizingType, "stretch", 1},
      {ParseSizingType, "tile", 0},
      {ParseSizingType, "", 0},
      {ParseImageSelectType, "size other", 2},
      {ParseImageSelectType, "DPI", 1},
      {ParseImageSelectType, "(size)", 0},
      {ParseImageSelectType, "sizes", 0},
      {ParseImageLayout, "Horizontal", 1},
      {ParseImageLayout, "vertical", 0},
      {ParseGlyphType, "ImageGlyph", 1},
      {ParseGlyphType, "fontglyph", 0},
      {ParseHAlign, "Right", 2},
      {ParseHAlign, "center", 1},
      {ParseHAlign, "centre", 0},
      {ParseTextShadowType, "Continuous", 2},
      {ParseTextShadowType, "single", 1},
      {ParseTextShadowType, "double", 0},
  };
  for (const TCase& C : Cases) EXPECT_EQ(C.Parse(C.Text), C.Expected) << C.Text;
  for (const char* Yes : {"true", "TRUE", "1", "Yes"}) EXPECT_TRUE(ParseBool(Yes)) << Yes;
  for (const char* No : {"false", "0", "2", "y", " true", ""}) EXPECT_FALSE(ParseBool(No)) << No;
}

TEST(MsuxValues, ColoursPointsAndMargins) {
  const std::pair<const char*, TColor> Colours[] = {
      {"255 0", 0x0000FF}, {"1 2 3", 0x030201}, {"10,20,30", 0x1E140A}, {"", 0}, {"0 0 255 99", 0xFF0000}};
  for (const auto& [Text, Colour] : Colours) EXPECT_EQ(ParseColor(Text), Colour) << Text;
  EXPECT_THROW(ParseColor("255 x 0"), EConvertError);

  EXPECT_EQ(ParsePoint("3, -4"), (TPoint{3, -4}));
  EXPECT_EQ(ParsePoint("7"), (TPoint{7, 0}));
  EXPECT_THROW(ParsePoint("a b"), EConvertError);

  struct TCase {
    const char* Text;
    TRect Expected;  // Left, Top, Right, Bottom
  };
  const TCase Margins[] = {
      {"3, 4, 5, 6", {3, 5, 4, 6}}, {"  1 2 3 4  ", {1, 3, 2, 4}}, {"3, x, 5, 6", {}}, {"3, 4, 5", {}}, {"", {}}};
  for (const TCase& C : Margins) {
    const TRect R = ParseMargins(C.Text);
    EXPECT_EQ(std::make_tuple(R.Left, R.Top, R.Right, R.Bottom),
              std::make_tuple(C.Expected.Left, C.Expected.Top, C.Expected.Right, C.Expected.Bottom))
        << C.Text;
  }
}

TEST(MsuxValues, FontsTakeNameSizeAndStylesByPosition) {
  EXPECT_EQ(ParseFontName("Tahoma, 8, italic"), "Tahoma");
  EXPECT_EQ(ParseFontSize("Tahoma, 8, italic"), 8);
  EXPECT_EQ(ParseFontStyle("Tahoma, 8, italic"), TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(ParseFontStyle("Tahoma, 8"), TFontStyles{});
  EXPECT_EQ(ParseFontStyle("Tahoma, 8, , x, , y"), (TFontStyles{TFontStyle::fsItalic, TFontStyle::fsStrikeOut}));
  EXPECT_EQ(ParseFontStyle("Tahoma, 8, a, b, c, d"),
            (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline, TFontStyle::fsStrikeOut}));
  EXPECT_EQ(ParseFontName("  Franklin Gothic  "), "Franklin Gothic");
  EXPECT_THROW(ParseFontSize("Tahoma"), EConvertError);
  EXPECT_THROW(ParseFontSize("Tahoma, big"), EConvertError);
}

TEST(MsuxValues, ImageNamesAsTheResourcesAreNamed) {
  const std::pair<const char*, const char*> Cases[] = {{"Blue\\Button.bmp", "Blue_Button_bmp"},
                                                       {" a.Bm ", "a_Bm"},
                                                       {"a.b", "a.b"},
                                                       {"a.png", "a.png"},
                                                       {"x.bmp.bak", "x_bmp_bak"},
                                                       {"dir\\\\f", "dir__f"},
                                                       {"a.", "a."},
                                                       {"", ""}};
  for (const auto& [Value, Name] : Cases) EXPECT_EQ(NormalizeImageName(Value), Name) << Value;
}

// [Resources] -----------------------------------------------------------------------------------

TEST(MsuxResources, IniTextJoinsEqualsAndDropsTheLastFourUnits) {
  EXPECT_EQ(MsuxIniTextFromUtf16(Utf16(u"[A]\r\nImageFile = Blue\\Button.bmp\r\nSize=abc\r\n")),
            "[A]\r\nImageFile=Blue\\Button.bmp\r\nSize=a");
  // An odd byte at the end is not a unit; fewer than five units leave nothing.
  std::vector<uint8_t> Odd = Utf16(u"k = v1234");
  Odd.push_back('z');
  EXPECT_EQ(MsuxIniTextFromUtf16(Odd), "k=v");
  EXPECT_EQ(MsuxIniTextFromUtf16(Utf16(u"abcd")), "");
  EXPECT_EQ(MsuxIniTextFromUtf16(Utf16(u"ab")), "");
  EXPECT_EQ(MsuxIniTextFromUtf16({}), "");
  // " = " reaching into the dropped units is not joined; units above one byte become "?".
  EXPECT_EQ(MsuxIniTextFromUtf16(Utf16(u"a = 234")), "a =");
  EXPECT_EQ(MsuxIniTextFromUtf16(Utf16(u"\u00e9\u20ac1234")), "\xe9?");
}

TEST(MsuxResources, StringListsEndAtTheEmptyStringOrTheData) {
  EXPECT_EQ(MsuxStringListFromUtf16(Utf16(Units(u"NormalColor\0Metallic\0\0Ignored\0"))),
            (std::vector<std::string>{"NormalColor", "Metallic"}));
  EXPECT_EQ(MsuxStringListFromUtf16(Utf16(Units(u"One\0Two"))), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(MsuxStringListFromUtf16(Utf16(Units(u"\0One\0"))), std::vector<std::string>{});
  std::vector<uint8_t> Odd = Utf16(Units(u"A\0"));
  Odd.push_back('B');
  EXPECT_EQ(MsuxStringListFromUtf16(Odd), std::vector<std::string>{"A"});
  EXPECT_TRUE(MsuxStringListFromUtf16({}).empty());
}

// [Objects] -------------------------------------------------------------------------------------

TEST_F(TObjectFixture, EveryKeyOfTheTable) {
  Source.Pixels["IMG"] = {Grey, Grey};
  struct TCase {
    const char* Line;
    std::function<bool(const TmsuxThemeObject&)> Holds;
  };
  const TCase Cases[] = {
      {"BgType = BorderFill", [](auto& O) { return O.BgType == mbgBorderFill; }},
      {"FillColorHint=1 2 3", [](auto& O) { return O.FillColorHint == 0x030201 && O.FillColor == clNone; }},
      {"fillcolor=1 2 3", [](auto& O) { return O.FillColor == 0x030201 && O.FillColorHint == 0; }},
      {"TextColor=4 5 6", [](auto& O) { return O.TextColor == 0x060504; }},
      {"BorderColor=7 8 9", [](auto& O) { return O.BorderColor == 0x090807; }},
      {"TransparentColor=0 255 0", [](auto& O) { return O.TransparentColor == 0x00FF00; }},
      {"Transparent=yes", [](auto& O) { return O.Transparent; }},
      {"BorderSize=3", [](auto& O) { return O.BorderSize == 3; }},
      {"ImageSelectType=dpi", [](auto& O) { return O.ImageSelectType == misDpi; }},
      {"ImageFile=img", [](auto& O) { return O.ImageFile->Valid() && O.BgType == mbgImageFile; }},
      {"ImageFile1=img", [](auto& O) { return O.ImageFile1->Valid() && O.BgType == mbgImageFile; }},
      {"ImageFile2=img", [](auto& O) { return O.ImageFile2->Valid() && O.BgType == mbgImageFile; }},
      {"ImageFile3=img", [](auto& O) { return O.ImageFile3->Valid() && O.BgType == mbgImageFile; }},
      {"ImageCount=0", [](auto& O) { return O.ImageCount == 0; }},
      {"ImageLayout=vertical", [](auto& O) { return O.ImageLayout == milVertical; }},
      {"SizingType=TrueSize", [](auto& O) { return O.SizingType == mstTrueSize; }},
      {"SizingMargins=1,2,3,4", [](auto& O) { return O.SizingMargins.Right == 2 && O.SizingMargins.Top == 3; }},
      {"GlyphTransparent=true", [](auto& O) { return O.GlyphTransparent; }},
      {"GlyphType=imageglyph", [](auto& O) { return O.GlyphType == mgtImageGlyph; }},
      {"GlyphImageFile=img",
       [](auto& O) { return O.GlyphImageFile->Valid() && O.BgType == mbgNotGiven && !O.ImageFile->Valid(); }},
      {"ContentAlignment=right", [](auto& O) { return O.ContentAlignment == mcaRight; }},
      {"ContentMargins=5 6 7 8", [](auto& O) { return O.ContentMargins.Left == 5 && O.ContentMargins.Bottom == 8; }},
      {"CaptionMargins=1 1 1 9", [](auto& O) { return O.CaptionMargins.Bottom == 9; }},
      {"TextShadowType=single", [](auto& O) { return O.TextShadowType == mtsSingle; }},
      {"TextShadowColor=1 1 1", [](auto& O) { return O.TextShadowColor == 0x010101; }},
      {"TextShadowOffset=2 3",
       [](auto& O) {
         return O.TextShadowOffset == TPoint{2, 3};
       }},
      {"Unknown=some thing", [](auto& O) { return O.FindProperty("UNKNOWN")->Value == "some thing"; }},
  };
  for (const TCase& C : Cases) {
    const auto O = Build(std::string("[S]\n") + C.Line + "\n");
    EXPECT_TRUE(C.Holds(*O)) << C.Line;
    ASSERT_EQ(O->Props.size(), 1u) << C.Line;
    EXPECT_EQ(O->Props[0].Key, LowerCase(Trim(std::string(C.Line).substr(0, std::string(C.Line).find('=')))));
  }
}

TEST_F(TObjectFixture, DefaultsWithoutTheSectionAndNumbersThatAreNot) {
  const auto O = Build("[Other]\nx=1\n", "Missing");
  EXPECT_FALSE(TmsuxThemeObject::HasProperties(O.get()));
  EXPECT_FALSE(TmsuxThemeObject::HasProperties(nullptr));
  EXPECT_EQ(O->Section, "Missing");
  EXPECT_EQ(std::make_tuple(O->FillColor, O->SizingType, O->ImageLayout, O->ImageCount, O->TransparentColor,
                            O->TextShadowColor, O->DrawMode),
            std::make_tuple(clNone, mstStretch, milHorizontal, 1, TColor(0xFF00FF), TColor(0x282828), Byte(0)));
  EXPECT_FALSE(O->ImageFile->Valid());
  for (const char* Bad : {"[S]\nBorderSize=thick\n", "[S]\nImageCount=\n", "[S]\nFillColor=red\n"})
    EXPECT_THROW(Build(Bad), EConvertError) << Bad;
  EXPECT_EQ(Build("[S]\nSizingMargins=1, x\n")->SizingMargins.Left, 0);
}

TEST_F(TObjectFixture, ImageKeysNormaliseLoadOnceAndLink) {
  Source.Pixels["BLUE_BUTTON_BMP"] = {Grey, Grey, Grey};
  const auto O = Build("[S]\nImageFile = Blue\\Button.bmp\nImageFile1=blue_button_BMP\nImageFile2=absent\n");
  EXPECT_EQ(Source.Asked, (std::vector<std::string>{"BLUE_BUTTON_BMP", "BLUE_BUTTON_BMP", "ABSENT"}));
  ASSERT_EQ(Images.Count(), 2);
  EXPECT_EQ(O->ImageFile->Bitmap(), Images.Items(0));
  EXPECT_EQ(O->ImageFile1->Bitmap(), Images.Items(0));
  EXPECT_EQ(O->ImageFile->Rect(), (TRect{0, 0, 3, 1}));
  // The image that is not there leaves an empty entry and a link that is not valid.
  EXPECT_TRUE(Images.Items(1)->Empty());
  EXPECT_FALSE(O->ImageFile2->Valid());
  EXPECT_EQ(O->FindProperty("imagefile")->Value, "Blue\\Button.bmp");
}

TEST_F(TObjectFixture, MainImageIsKeyedAfterAllKeysWithTheFinalTransparentColour) {
  Source.Pixels["MAIN"] = {Magenta, Green, Grey};
  const auto O = Build("[S]\nImageFile=main\nTransparentColor=0 255 0\n");
  EXPECT_EQ(O->ImageFile->Bitmap()->GetPixel(1, 0) & 0xFFFFFF, vxKeyColor);
  EXPECT_EQ(O->ImageFile->Bitmap()->GetPixel(0, 0), Magenta);
  EXPECT_TRUE(O->Transparent);
  EXPECT_EQ(O->DrawMode, 3);

  Source.Pixels["PLAIN"] = {Grey};
  const auto Plain = Build("[S]\nImageFile=plain\n");
  EXPECT_FALSE(Plain->Transparent);
  EXPECT_EQ(Plain->DrawMode, 0);

  Source.Pixels["BLEND"] = {Grey};
  Source.AlphaBlended.insert("BLEND");
  const auto Blend = Build("[S]\nImageFile=blend\n");
  EXPECT_EQ(Blend->DrawMode, 3);
  EXPECT_TRUE(Blend->Transparent);
}

TEST_F(TObjectFixture, GlyphTransparencyDecidesWhichImagesAreKeyedAndWhetherTheObjectIs) {
  Source.Pixels["GLYPH"] = {Magenta, Grey};
  Source.Pixels["ONE"] = {Magenta, Grey};
  const auto Plain = Build("[S]\nGlyphImageFile=glyph\nImageFile1=one\n");
  EXPECT_EQ(Images.Find("GLYPH")->GetPixel(0, 0), Magenta);
  EXPECT_TRUE(Images.Find("ONE")->Transparent());
  EXPECT_TRUE(Plain->Transparent);
  EXPECT_EQ(Plain->DrawMode, 3);

  Images.Clear();
  const auto Glyphs = Build("[S]\nGlyphTransparent=true\nGlyphImageFile=glyph\nImageFile1=one\n");
  EXPECT_TRUE(Images.Find("GLYPH")->Transparent());
  EXPECT_TRUE(Images.Find("ONE")->Transparent());
  // Keying under GlyphTransparent leaves the object's flags alone.
  EXPECT_FALSE(Glyphs->Transparent);
  EXPECT_EQ(Glyphs->DrawMode, 0);
}

TEST_F(TObjectFixture, SharedImageIsMaskedOnlyByTheFirstSection) {
  Source.Pixels["SHARED"] = {Magenta, Green, Grey};
  Ini.SetText("[First]\nImageFile=shared\nTransparentColor=0 255 0\n[Second]\nImageFile=shared\n");
  const TmsuxThemeObject First(Ini, "First", Images, Source);
  const TmsuxThemeObject Second(Ini, "Second", Images, Source);
  const TvxBitmap& Image = *Images.Find("SHARED");
  EXPECT_EQ(Images.Count(), 1);
  EXPECT_EQ(Image.GetPixel(1, 0) & 0xFFFFFF, vxKeyColor);
  EXPECT_EQ(Image.GetPixel(0, 0), Magenta);
  EXPECT_TRUE(Second.Transparent);
  EXPECT_EQ(Second.DrawMode, 3);
}

TEST_F(TObjectFixture, AtMost51KeysAreRecordedButEveryKeyTakesEffect) {
  std::string Text = "[S]\n";
  for (int I = 0; I < 55; ++I) Text += "Key" + std::to_string(I) + "=" + std::to_string(I) + "\n";
  Text += "BorderSize=7\n";
  const auto O = Build(Text);
  ASSERT_EQ(O->Props.size(), size_t(msuxMaxObjectProps));
  EXPECT_EQ(O->Props.back().Key, "key50");
  EXPECT_EQ(O->FindProperty("KEY51"), nullptr);
  EXPECT_EQ(O->FindProperty("bordersize"), nullptr);
  EXPECT_EQ(O->BorderSize, 7);
  // A recorded key set again keeps its place and takes the new value.
  O->SetProperty("Key3", "new");
  EXPECT_EQ(O->Props[3].Value, "new");
  EXPECT_EQ(O->Props.size(), size_t(msuxMaxObjectProps));
}

TEST_F(TObjectFixture, ShiftsMoveTheThreeColoursButLeaveNoneAlone) {
  const auto O = Build("[S]\nTextColor=10 20 250\nBorderColor=0 0 0\nTextShadowColor=1 1 1\n");
  O->ApplyBrightnessShift(10);
  EXPECT_EQ(O->TextColor, 0xFF1E14);  // blue clamps at 255
  EXPECT_EQ(O->BorderColor, 0x0A0A0A);
  EXPECT_EQ(O->FillColor, clNone);
  EXPECT_EQ(O->TextShadowColor, 0x010101);
  O->ApplyHueShift(0);
  EXPECT_EQ(O->FillColor, clNone);
  O->SetProperty("FillColor", "255 0 0");
  O->ApplyHueShift(85);  // a third of the way round: red becomes green
  EXPECT_EQ(O->FillColor, 0x00FF00);
}

TEST_F(TObjectFixture, LoadedRelinksToTheListsImageOfTheSameName) {
  const auto O = Build("[S]\n");
  O->ImageFile->SetName("late");
  O->ImageFile->SetRect({0, 0, 1, 1});
  O->Loaded();
  EXPECT_FALSE(O->ImageFile->Valid());
  EXPECT_EQ(O->ImageFile->Name(), "late");
  Images.Add(Row("LATE", {Grey, Grey}));
  O->Loaded();
  EXPECT_EQ(O->ImageFile->Bitmap(), Images.Find("late"));
  EXPECT_EQ(O->ImageFile->Rect(), (TRect{0, 0, 1, 1}));
}

// [Stream form] ---------------------------------------------------------------------------------

namespace {

std::vector<uint8_t> Written(const std::string& Name, const std::string& Ini, const TvxBitmapList& Images) {
  TMemoryStream S;
  WriteMsuxStream(S, Name, Ini, Images);
  return S.Data();
}

void FillSample(TvxBitmapList& Images) {
  auto A = Row("A_BMP", {Magenta, White, Grey});
  A->SetTransparent(true);
  Images.Add(std::move(A));
  auto B = Row("B_BMP", {0x80102030});
  B->SetAlphaBlend(true);
  Images.Add(std::move(B));
  Images.Add(std::make_unique<TvxBitmap>());
}

// The inflated content of a stream with its mark.
std::vector<uint8_t> Inflated(const std::vector<uint8_t>& Stream) {
  TMemoryStream Source(std::vector<uint8_t>(Stream.begin() + 7, Stream.end()));
  TDecompressionStream D(Source);
  std::vector<uint8_t> Out(1 << 16);
  Out.resize(size_t(D.Read(Out.data(), int64_t(Out.size()))));
  return Out;
}

std::vector<uint8_t> Deflated(const std::vector<uint8_t>& Content) {
  TMemoryStream S;
  S.WriteBuffer(msuxStreamMark, 7);
  TCompressionStream C(S, 1);
  C.WriteBuffer(Content.data(), int64_t(Content.size()));
  C.Finish();
  return S.Data();
}

void PutInt32(std::vector<uint8_t>& Bytes, size_t At, uint32_t V) {
  for (int I = 0; I < 4; ++I) Bytes[At + size_t(I)] = uint8_t(V >> (8 * I));
}

}  // namespace

TEST(MsuxStream, WriteReadWriteIsByteExactAndACopyEqualsARoundTrip) {
  TvxBitmapList Images;
  FillSample(Images);
  const std::string Ini = "[Button.Pushbutton]\r\nImageFile=a.bmp\r\n";
  const std::vector<uint8_t> First = Written("Luna", Ini, Images);
  ASSERT_EQ(std::string(First.begin(), First.begin() + 7), "ZQMSSTL");
  // zlib level 1 announces itself as the fastest level in the header's second byte.
  EXPECT_EQ(First[7], 0x78);
  EXPECT_EQ(First[8], 0x01);

  TMemoryStream In(First);
  TmsuxStreamContent Read;
  ASSERT_TRUE(ReadMsuxStream(In, Read));
  EXPECT_EQ(Read.Name, "Luna");
  EXPECT_EQ(Read.IniText, Ini);
  ASSERT_EQ(Read.Images->Count(), 3);
  EXPECT_EQ(Read.Images->Items(0)->GetPixel(0, 0), Magenta);
  EXPECT_TRUE(Read.Images->Items(0)->Transparent());
  EXPECT_FALSE(Read.Images->Items(0)->AlphaBlend());
  EXPECT_TRUE(Read.Images->Items(1)->AlphaBlend());
  EXPECT_EQ(Read.Images->Items(1)->Name(), "B_BMP");
  EXPECT_TRUE(Read.Images->Items(2)->Empty());
  EXPECT_EQ(Written(Read.Name, Read.IniText, *Read.Images), First);
  // A build without a cache copies the content instead of compressing it twice: the same content.
  const TmsuxStreamContent Copy = CopyMsuxContent("Luna", Ini, Images);
  EXPECT_EQ(Written(Copy.Name, Copy.IniText, *Copy.Images), First);
}

TEST(MsuxStream, NoMarkReadsSevenBytesAndChangesNothing) {
  TvxBitmapList Images;
  std::vector<uint8_t> Bytes = Written("x", "", Images);
  Bytes[6] = 'X';
  TMemoryStream In(Bytes);
  TmsuxStreamContent Content;
  Content.Name = "kept";
  EXPECT_FALSE(ReadMsuxStream(In, Content));
  EXPECT_EQ(In.Position(), 7);
  EXPECT_EQ(Content.Name, "kept");
  TMemoryStream Short(std::vector<uint8_t>{'Z', 'Q'});
  EXPECT_FALSE(HasMsuxStreamMark(Short));
}

TEST(MsuxStream, DamagedStreamsRaiseAndLeaveTheContentAsItWas) {
  TvxBitmapList Images;
  FillSample(Images);
  const std::vector<uint8_t> Good = Written("Name", "[A]\r\nk=v\r\n", Images);
  const std::vector<uint8_t> Plain = Inflated(Good);
  const size_t CountAt = 4 + 4 + 4 + 10;  // after "Name" and the ini text
  const size_t FirstImage = CountAt + 4;
  const auto Patched = [&](size_t At, uint32_t V) {
    std::vector<uint8_t> P = Plain;
    PutInt32(P, At, V);
    return Deflated(P);
  };
  std::vector<uint8_t> BadZlib = Good;
  BadZlib[12] ^= 0xFF;
  const std::pair<const char*, std::vector<uint8_t>> Cases[] = {
      {"mark only", std::vector<uint8_t>(Good.begin(), Good.begin() + 7)},
      {"cut in the zlib data", std::vector<uint8_t>(Good.begin(), Good.begin() + long(Good.size() / 2))},
      {"corrupt zlib data", BadZlib},
      {"image count far beyond the data", Patched(CountAt, 0x7FFFFFFF)},
      {"negative image count", Patched(CountAt, 0xFFFFFFFF)},
      {"negative name length", Patched(0, 0x80000000)},
      {"image claims a huge size", Patched(FirstImage + 4 + 5, 30000)},
      {"content ends inside an image", Deflated(std::vector<uint8_t>(Plain.begin(), Plain.end() - 3))},
  };
  for (const auto& [What, Bytes] : Cases) {
    TMemoryStream In(Bytes);
    TmsuxStreamContent Content;
    Content.Name = "kept";
    Content.Images->Add(Row("OLD", {Grey}));
    EXPECT_THROW(ReadMsuxStream(In, Content), EStreamError) << What;
    EXPECT_EQ(Content.Name, "kept") << What;
    EXPECT_EQ(Content.Images->Count(), 1) << What;
  }
}

// [Style files] ---------------------------------------------------------------------------------

TEST(MsuxStyleFile, StyleNameIsTheFileNameWithoutFolderAndExtension) {
  const std::pair<const char*, const char*> Cases[] = {{"Luna.msstyles", "Luna"},
                                                       {"C:\\Windows\\Resources\\Luna.msstyles", "Luna"},
                                                       {"/styles/Royale.MSSTYLES", "Royale"},
                                                       {"a.b.msstyles", "a.b"},
                                                       {"Plain", "Plain"},
                                                       {"Z:dir.x\\Plain", "Plain"}};
  for (const auto& [File, Name] : Cases) EXPECT_EQ(MsuxStyleName(File), Name) << File;
}

namespace {

void Put(std::vector<uint8_t>& B, uint32_t V, int Bytes) {
  for (int I = 0; I < Bytes; ++I) B.push_back(uint8_t(V >> (8 * I)));
}

std::vector<uint8_t> InfoHeader(int32_t W, int32_t H, uint16_t Bits, uint32_t Compression, uint32_t Colors) {
  std::vector<uint8_t> B;
  Put(B, 40, 4);
  Put(B, uint32_t(W), 4);
  Put(B, uint32_t(H), 4);
  Put(B, 1, 2);
  Put(B, Bits, 2);
  for (uint32_t V : {Compression, 0u, 0u, 0u, Colors, 0u}) Put(B, V, 4);
  return B;
}

}  // namespace

TEST(MsuxStyleFile, BitmapResourcesDecodeWhateverFollowsTheirHeader) {
  // 24 bits with an optional colour table of two entries before the pixels: 2 x 1, bottom-up.
  std::vector<uint8_t> Rgb = InfoHeader(2, 1, 24, 0, 2);
  Put(Rgb, 0xDEADBE, 4);
  Put(Rgb, 0xDEADBE, 4);
  Put(Rgb, 0x102030, 3);
  Put(Rgb, 0x405060, 3);
  Put(Rgb, 0, 2);
  // 32 bits with three masks after the header (alpha 0 everywhere: opaque), top-down 1 x 2.
  std::vector<uint8_t> Fields = InfoHeader(1, -2, 32, 3, 0);
  for (uint32_t Mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu}) Put(Fields, Mask, 4);
  Put(Fields, 0x00112233, 4);
  Put(Fields, 0x00445566, 4);
  // 8 bits, two palette entries, 3 x 1.
  std::vector<uint8_t> Indexed = InfoHeader(3, 1, 8, 0, 2);
  Put(Indexed, 0x0000FF, 4);
  Put(Indexed, 0x00FF00, 4);
  for (uint8_t I : {1, 0, 1, 0}) Indexed.push_back(I);

  const std::pair<std::vector<uint8_t>, std::vector<TvxColor>> Cases[] = {
      {Rgb, {0xFF102030, 0xFF405060}},
      {Fields, {0xFF112233, 0xFF445566}},
      {Indexed, {0xFF00FF00, 0xFF0000FF, 0xFF00FF00}},
  };
  for (const auto& [Dib, Expected] : Cases) {
    TvxBitmap B;
    LoadPackedDib(B, Dib);
    std::vector<TvxColor> Got;
    for (Integer Y = 0; Y < B.Height(); ++Y)
      for (Integer X = 0; X < B.Width(); ++X) Got.push_back(B.GetPixel(X, Y) | (B.AlphaBlend() ? 0 : 0xFF000000));
    EXPECT_EQ(Got, Expected);
  }

  std::vector<uint8_t> Short = Rgb;
  Short.resize(Short.size() - 4);
  std::vector<uint8_t> Huge = InfoHeader(40000, 40000, 24, 0, 0);
  Huge.resize(Huge.size() + 16);
  std::vector<uint8_t> LyingTable = InfoHeader(1, 1, 24, 0, 0x40000000);
  Put(LyingTable, 0, 4);
  for (const std::vector<uint8_t>& Bad : {Short, Huge, LyingTable, std::vector<uint8_t>(8, 0)}) {
    TvxBitmap B;
    B.SetSize(1, 1);
    EXPECT_THROW(LoadPackedDib(B, Bad), EReadError);
    EXPECT_EQ(B.Width(), 1);
  }
}
