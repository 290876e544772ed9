// The portable module reader against modules from our own writer: what goes in comes out, and
// every kind of damage is refused with EmsuxModuleError instead of a crash (the native build runs
// with sanitizers).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "framework/core/byte_order.h"
#include "framework/core/sysutils.h"
#include "tools/msstylegen/msstylegen_pe.h"
#include "tools/msstylegen/msstylegen_sheet.h"
#include "tools/msstylegen/msstylegen_style.h"
#include "vexel/msstyles/msux_module.h"
#include "vexel/msstyles/msux_parse.h"
#include "vexel/msstyles/theme_msuxobjects.h"

using namespace msstylegen;

namespace {

std::vector<uint8_t> Bytes(const std::string& S) { return {S.begin(), S.end()}; }

std::vector<uint8_t> SampleModule() {
  std::vector<TPeResource> R;
  R.push_back({TPeId::Named("TEXTFILE"), TPeId::Named("Normal_Ini"), Bytes("ini text")});
  R.push_back({TPeId::Id(2), TPeId::Named("slate_button_bmp"), Bytes("button pixels")});
  R.push_back({TPeId::Id(2), TPeId::Id(7), Bytes("seven")});
  R.push_back({TPeId::Named("COLORNAMES"), TPeId::Id(1), Bytes("colours")});
  // Two languages: the first in the directory (the lower number) is the one read.
  R.push_back({TPeId::Named("SIZENAMES"), TPeId::Id(1), Bytes("english"), 0x0409});
  R.push_back({TPeId::Named("SIZENAMES"), TPeId::Id(1), Bytes("german"), 0x0407});
  R.push_back({TPeId::Id(2), TPeId::Named("EMPTY"), {}});
  return BuildResourceModule(R);
}

void Put32At(std::vector<uint8_t>& B, size_t At, uint32_t V) {
  for (int I = 0; I < 4; ++I) B[At + I] = uint8_t(V >> (8 * I));
}
void Put16At(std::vector<uint8_t>& B, size_t At, uint16_t V) {
  B[At] = uint8_t(V);
  B[At + 1] = uint8_t(V >> 8);
}

// File offsets of the directory tables along the first entry of each level.
constexpr size_t Root = PeResourceFileOffset;
size_t Target(const std::vector<uint8_t>& B, size_t Directory, size_t Entry = 0) {
  return Root + (U32(B.data() + Directory + 16 + 8 * Entry + 4) & 0x7FFFFFFFu);
}
size_t FirstTypeDirectory(const std::vector<uint8_t>& B) { return Target(B, Root); }
size_t FirstLanguageDirectory(const std::vector<uint8_t>& B) { return Target(B, FirstTypeDirectory(B)); }
size_t FirstDataEntry(const std::vector<uint8_t>& B) { return Target(B, FirstLanguageDirectory(B)); }
constexpr size_t OptionalHeader = 0x40 + 24;
uint32_t SectionVirtualSize(const std::vector<uint8_t>& B) { return U32(B.data() + OptionalHeader + 240 + 8); }

std::string Text(std::span<const uint8_t> Data) { return {Data.begin(), Data.end()}; }

}  // namespace

TEST(MsuxModule, RoundTripFindsByNumberAndByNameIgnoringCase) {
  const TmsuxModule M(SampleModule(), "sample");
  struct Case {
    TmsuxResId Type, Name;
    const char* Expected;
  } Cases[] = {
      {TmsuxResId::Named("textfile"), TmsuxResId::Named("NORMAL_INI"), "ini text"},
      {TmsuxResId::Named("TextFile"), TmsuxResId::Named("normal_ini"), "ini text"},
      {TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Named("Slate_Button_BMP"), "button pixels"},
      {TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Id(7), "seven"},
      {TmsuxResId::Named("#2"), TmsuxResId::Named("#7"), "seven"},
      {TmsuxResId::Named("colornames"), TmsuxResId::Id(1), "colours"},
      {TmsuxResId::Named("SIZENAMES"), TmsuxResId::Id(1), "german"},
      {TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Named("empty"), ""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Expected);
    const auto Data = M.Find(C.Type, C.Name);
    ASSERT_TRUE(Data.has_value());
    EXPECT_EQ(Text(*Data), C.Expected);
  }
  // Absent, or a number where a name is stored (and the reverse).
  EXPECT_FALSE(M.Find(TmsuxResId::Named("TEXTFILE"), TmsuxResId::Named("NORMAL")));
  EXPECT_FALSE(M.Find(TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Id(8)));
  EXPECT_FALSE(M.Find(TmsuxResId::Named("COLORNAMES"), TmsuxResId::Named("1")));
  EXPECT_FALSE(M.Find(TmsuxResId::Named("BITMAP"), TmsuxResId::Id(7)));
  EXPECT_EQ(M.Names(TmsuxResId::Id(msuxRtBitmap)), (std::vector<std::string>{"EMPTY", "SLATE_BUTTON_BMP", "#7"}));
  EXPECT_EQ(M.Names(TmsuxResId::Named("TEXTFILE")), (std::vector<std::string>{"NORMAL_INI"}));
  EXPECT_TRUE(M.Names(TmsuxResId::Id(3)).empty());
  // The writer's own locator finds a resource's data entry (tests damage resources through it).
  const std::vector<uint8_t> B = SampleModule();
  const auto Entry = DataEntryOffset(B, TPeId::Named("textfile"), TPeId::Named("normal_ini"));
  ASSERT_TRUE(Entry);
  const size_t Data = U32(B.data() + *Entry) - PeResourceRva + Root;
  EXPECT_EQ(std::string(B.begin() + Data, B.begin() + Data + U32(B.data() + *Entry + 4)), "ini text");
  EXPECT_FALSE(DataEntryOffset(B, TPeId::Named("TEXTFILE"), TPeId::Id(1)));
  EXPECT_FALSE(DataEntryOffset(B, TPeId::Id(3), TPeId::Id(1)));
  // A module without resources: its root directory ends the section.
  const TmsuxModule Empty(BuildResourceModule({}), "empty");
  EXPECT_TRUE(Empty.Names(TmsuxResId::Id(msuxRtBitmap)).empty());
  EXPECT_FALSE(Empty.Find(TmsuxResId::Named("TEXTFILE"), TmsuxResId::Named("NORMAL_INI")));
}

TEST(MsuxModule, ReadsThe32BitHeaderAndFromAFile) {
  std::vector<uint8_t> B = SampleModule();
  // The 32-bit optional header keeps its data directories 16 bytes earlier.
  Put16At(B, OptionalHeader, 0x10B);
  Put32At(B, OptionalHeader + 92, 16);
  Put32At(B, OptionalHeader + 96 + 16, U32(B.data() + OptionalHeader + 112 + 16));
  Put32At(B, OptionalHeader + 96 + 20, U32(B.data() + OptionalHeader + 112 + 20));
  const std::string File = testing::TempDir() + "msux_module_pe32.msstyles";
  std::ofstream(File, std::ios::binary).write(reinterpret_cast<const char*>(B.data()), std::streamsize(B.size()));
  const TmsuxModule M(File);
  EXPECT_EQ(M.Origin(), File);
  EXPECT_EQ(Text(*M.Find(TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Id(7))), "seven");
  // The same file above a lower limit, and a file that is not there.
  EXPECT_THROW(TmsuxModule(File, B.size() - 1), EmsuxModuleError);
  EXPECT_NO_THROW(TmsuxModule(File, B.size()));
  std::remove(File.c_str());
  try {
    TmsuxModule Missing(File);
    FAIL() << "a missing file loaded";
  } catch (const EmsuxModuleError& E) {
    EXPECT_EQ(E.Message().rfind("Cannot load module " + File + ": ", 0), 0u) << E.Message();
  }
}

TEST(MsuxModule, DamagedModulesAreRefused) {
  struct Case {
    const char* Name;
    std::function<void(std::vector<uint8_t>&)> Damage;
    const char* Why;
  } Cases[] = {
      {"not MZ", [](auto& B) { B[1] = 'X'; }, "no MZ header"},
      {"shorter than a DOS header", [](auto& B) { B.resize(40); }, "no MZ header"},
      {"empty", [](auto& B) { B.clear(); }, "no MZ header"},
      {"no PE signature", [](auto& B) { B[0x41] = 'F'; }, "no PE signature"},
      {"PE header offset past the end", [](auto& B) { Put32At(B, 0x3C, 0xFFFFFFF0u); }, "truncated headers"},
      {"optional header cut", [](auto& B) { B.resize(OptionalHeader + 100); }, "truncated headers"},
      {"optional header claims too much", [](auto& B) { Put16At(B, 0x40 + 20, 0xFFFF); }, "truncated headers"},
      {"optional header without the count", [](auto& B) { Put16At(B, 0x40 + 20, 40); }, "truncated headers"},
      {"unknown optional header", [](auto& B) { Put16At(B, OptionalHeader, 0x107); }, "unknown optional header"},
      {"two data directories", [](auto& B) { Put32At(B, OptionalHeader + 108, 2); }, "no resource directory"},
      {"resource RVA zero", [](auto& B) { Put32At(B, OptionalHeader + 128, 0); }, "no resource directory"},
      {"section table past the end", [](auto& B) { Put16At(B, 0x40 + 6, 0xFFFF); }, "truncated section table"},
      {"resource RVA outside every section", [](auto& B) { Put32At(B, OptionalHeader + 128, 0x9000); },
       "outside every section"},
      {"no sections", [](auto& B) { Put16At(B, 0x40 + 6, 0); }, "outside every section"},
      {"section data cut off", [](auto& B) { B.resize(Root + 8); }, "past the end of the file"},
      {"data entry past the end",
       [](auto& B) { Put32At(B, FirstDataEntry(B) + 4, 0x7FFFFFF0u); }, "outside every section"},
      {"data entry one byte past the section",
       [](auto& B) {
         const uint32_t Left = SectionVirtualSize(B) - (U32(B.data() + FirstDataEntry(B)) - PeResourceRva);
         Put32At(B, FirstDataEntry(B) + 4, Left + 1);
       },
       "outside every section"},
      {"text's declared size runs past the file",
       [](auto& B) { Put32At(B, *DataEntryOffset(B, TPeId::Named("TEXTFILE"), TPeId::Named("NORMAL_INI")) + 4, 1 << 20); },
       "outside every section"},
      {"data RVA below the section", [](auto& B) { Put32At(B, FirstDataEntry(B), 0x10); }, "outside every section"},
      {"type directory loops to the root", [](auto& B) { Put32At(B, Root + 16 + 4, 0x80000000u); }, "loops"},
      {"name directory loops to its type",
       [](auto& B) {
         Put32At(B, FirstTypeDirectory(B) + 16 + 4, 0x80000000u | uint32_t(FirstTypeDirectory(B) - Root));
       },
       "loops"},
      {"two types share one directory",
       [](auto& B) { Put32At(B, Root + 16 + 8 + 4, U32(B.data() + Root + 16 + 4)); }, "loops"},
      {"entry count beyond the file", [](auto& B) { Put16At(B, Root + 14, 0xFFFF); }, "more entries than the file"},
      {"entry count beyond the section",
       [](auto& B) { Put16At(B, FirstLanguageDirectory(B) + 14, uint16_t(SectionVirtualSize(B) / 8)); },
       "outside every section"},
      {"type entry points at data", [](auto& B) { Put32At(B, Root + 16 + 4, 0x40); }, "points at data"},
      {"language entry points at a directory",
       [](auto& B) { Put32At(B, FirstLanguageDirectory(B) + 16 + 4, 0x80000000u); }, "points at a directory"},
      {"name string past the end", [](auto& B) { Put32At(B, Root + 16, 0xFFFFFFF0u); }, "outside every section"},
      {"name longer than any style's",
       [](auto& B) { Put16At(B, Root + (U32(B.data() + Root + 16) & 0x7FFFFFFFu), 0xFFFF); },
       "longer than 256 characters"},

      {"resource number too large", [](auto& B) { Put32At(B, Root + 16 + 8 * 3, 0x10002); }, "out of range"},
  };
  const std::vector<uint8_t> Good = SampleModule();
  // The named types come first: COLORNAMES, SIZENAMES, TEXTFILE, then the bitmaps (#2).
  ASSERT_EQ(U16(Good.data() + Root + 12), 3);
  ASSERT_EQ(U16(Good.data() + Root + 14), 1);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    std::vector<uint8_t> B = Good;
    C.Damage(B);
    try {
      TmsuxModule M(B, "damaged.msstyles");
      ADD_FAILURE() << "loaded";
    } catch (const EmsuxModuleError& E) {
      EXPECT_EQ(E.Message().rfind("Cannot load module damaged.msstyles: ", 0), 0u) << E.Message();
      EXPECT_NE(E.Message().find(C.Why), std::string::npos) << E.Message();
    }
  }
}

TEST(MsuxModule, SizeLimitCountsEveryByte) {
  const std::vector<uint8_t> B = SampleModule();
  EXPECT_NO_THROW(TmsuxModule(B, "exact", B.size()));
  try {
    TmsuxModule M(B, "big", B.size() - 1);
    FAIL() << "loaded";
  } catch (const EmsuxModuleError& E) {
    EXPECT_NE(E.Message().find("larger than"), std::string::npos) << E.Message();
  }
}

// ---- The generator's pieces and the generated sample ----

namespace {

std::vector<std::string> StringList(std::span<const uint8_t> Data) {
  std::vector<std::string> Result;
  std::string Current;
  for (size_t I = 0; I + 1 < Data.size(); I += 2) {
    const uint16_t Unit = U16(Data.data() + I);
    if (Unit == 0) {
      if (Current.empty()) return Result;
      Result.push_back(Current);
      Current.clear();
    } else {
      Current += char(Unit);
    }
  }
  ADD_FAILURE() << "the list has no closing empty string";
  return Result;
}

// The ini text of a TEXTFILE resource without its last four units.
std::string TextOf(std::span<const uint8_t> Data) {
  std::string Text;
  const size_t Units = Data.size() / 2;
  EXPECT_GE(Units, 4u);
  for (size_t I = 0; I + 4 < Units; ++I) Text += char(U16(Data.data() + 2 * I));
  return Text;
}

// Section name (lower case) -> its lines "key=value" with the key in lower case and " = " read as
// "=", in file order.
std::map<std::string, std::vector<std::pair<std::string, std::string>>> Sections(const std::string& Text) {
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> Result;
  std::string Current;
  size_t Start = 0;
  while (Start < Text.size()) {
    size_t End = Text.find("\r\n", Start);
    if (End == std::string::npos) End = Text.size();
    const std::string Line = Text.substr(Start, End - Start);
    Start = End + 2;
    if (Line.empty()) continue;
    if (Line.front() == '[') {
      EXPECT_EQ(Line.back(), ']') << Line;
      Current = LowerCase(Line.substr(1, Line.size() - 2));
      Result[Current];
      continue;
    }
    const size_t Eq = Line.find('=');
    EXPECT_NE(Eq, std::string::npos) << Line;
    auto Trim = [](std::string S) {
      while (!S.empty() && S.back() == ' ') S.pop_back();
      while (!S.empty() && S.front() == ' ') S.erase(0, 1);
      return S;
    };
    Result[Current].push_back({LowerCase(Trim(Line.substr(0, Eq))), Trim(Line.substr(Eq + 1))});
  }
  return Result;
}

std::string SampleFile(const char* Name) { return std::string(VX_SAMPLE_STYLE_DIR) + "/" + Name; }

}  // namespace

TEST(MsuxStyleGenerator, ImageResourceNames) {
  const std::pair<const char*, const char*> Cases[] = {
      {"Blue\\Button.bmp", "BLUE_BUTTON_BMP"},
      {"  Pellan\\Radio.Bmp ", "PELLAN_RADIO_BMP"},
      {"a.b", "A.B"},              // one character after the dot is not enough
      {"x.bm", "X_BM"},
      {"file.txt", "FILE.TXT"},    // only a dot before "b" changes
      {"a.Bb.b", "A_BB.B"},
      {"Deep\\Er\\Name.BMP", "DEEP_ER_NAME_BMP"},
  };
  for (const auto& [Value, Expected] : Cases) {
    EXPECT_EQ(ImageResourceName(Value), Expected) << Value;
    // The name the theme looks the image up by, upper-cased as it loads it.
    EXPECT_EQ(UpperCase(NormalizeImageName(Value)), Expected) << Value;
  }
}

TEST(MsuxStyleGenerator, PackedDibsDecodeToTheirPixels) {
  // Three pixels wide, so 24-bit rows need a byte of padding.
  TvxBitmap Image;
  Image.SetSize(3, 2);
  Image.SetPixel(0, 0, 0x00000000);  // empty
  Image.SetPixel(1, 0, 0xFF102030);
  Image.SetPixel(2, 0, 0x80FFFFFF);  // half white
  Image.SetPixel(0, 1, 0xFF405060);
  Image.SetPixel(1, 1, 0xFFFFFFFF);
  Image.SetPixel(2, 1, 0x01000000);
  struct Case {
    const char* Name;
    std::vector<uint8_t> Dib;
    TvxColor Expected[6];
  } Cases[] = {
      {"24 bits over black",
       PackedDib24(Image, 0xFF000000),
       {0xFFFF00FF, 0xFF102030, 0xFF808080, 0xFF405060, 0xFFFFFFFF, 0xFF000000}},
      {"24 bits, another key", PackedDib24(Image, 0xFF000000, 0xFF00FF00),
       {0xFF00FF00, 0xFF102030, 0xFF808080, 0xFF405060, 0xFFFFFFFF, 0xFF000000}},
      {"32 bits", PackedDib32(Image), {0x00000000, 0xFF102030, 0x80FFFFFF, 0xFF405060, 0xFFFFFFFF, 0x01000000}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TvxBitmap Decoded;
    DecodeStyleImage({"X", C.Dib}, Decoded);
    ASSERT_EQ(Decoded.Width(), 3);
    ASSERT_EQ(Decoded.Height(), 2);
    for (int I = 0; I < 6; ++I) EXPECT_EQ(Decoded.GetPixel(I % 3, I / 3), C.Expected[I]) << I;
  }
  EXPECT_EQ(PackedDib24(Image, 0).size(), 40u + 2 * 12);
}

TEST(MsuxStyleGenerator, TextAndListResources) {
  TStyleContent C;
  C.Ini = {{"A", {{"ImageFile", "X\\Y.bmp", true}, {"k", "v", false}}}, {"B", {}}};
  const std::string Text = IniText(C);
  EXPECT_EQ(Text, "[A]\r\nImageFile = X\\Y.bmp\r\nk=v\r\n\r\n[B]\r\n\r\n");
  EXPECT_EQ(TextOf(TextFileResource(Text)), Text);
  EXPECT_EQ(StringList(StringListResource({"One", "Two"})), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(StringListResource({}), (std::vector<uint8_t>{0, 0}));
}

TEST(MsuxStyleGenerator, SampleFilesHoldListsTextAndEveryNamedImage) {
  for (const char* Name : {"PellanSample.msstyles", "PellanSample100.msstyles"}) {
    SCOPED_TRACE(Name);
    const TmsuxModule M(SampleFile(Name));
    std::vector<std::string> Lists[3];
    const char* ListTypes[] = {"COLORNAMES", "SIZENAMES", "FILERESNAMES"};
    for (int I = 0; I < 3; ++I) {
      const auto Data = M.Find(TmsuxResId::Named(ListTypes[I]), TmsuxResId::Id(1));
      ASSERT_TRUE(Data) << ListTypes[I];
      Lists[I] = StringList(*Data);
      EXPECT_FALSE(Lists[I].empty()) << ListTypes[I];
    }
    ASSERT_FALSE(Lists[2].empty());
    const auto TextData = M.Find(TmsuxResId::Named("TEXTFILE"), TmsuxResId::Named(Lists[2][0]));
    ASSERT_TRUE(TextData);
    const std::string Text = TextOf(*TextData);
    EXPECT_NE(Text.find(" = "), std::string::npos);
    EXPECT_EQ(Text.substr(Text.size() - 2), "\r\n");
    const auto Ini = Sections(Text);
    for (const char* Section : MsuxObjectSections)
      EXPECT_TRUE(Ini.count(LowerCase(Section))) << "no section " << Section;
    ASSERT_TRUE(Ini.count("sysmetrics"));
    std::set<std::string> Metrics;
    for (const auto& [Key, Value] : Ini.at("sysmetrics")) Metrics.insert(Key);
    for (const char* Key : {"captionbarheight", "smcaptionbarheight", "borderwidth", "smborderwidth", "window",
                            "btnface", "highlight", "btnshadow", "highlighttext", "menu", "menuhilight",
                            "captionfont", "captiontext", "inactivecaptiontext", "menufont", "statusfont",
                            "msgboxfont"})
      EXPECT_TRUE(Metrics.count(Key)) << "no [SysMetrics] " << Key;
    // Every image key names a bitmap that decodes.
    std::set<std::string> Named;
    for (const auto& [Section, Keys] : Ini)
      for (const auto& [Key, Value] : Keys)
        if (Key == "imagefile" || Key == "imagefile1" || Key == "imagefile2" || Key == "imagefile3" ||
            Key == "glyphimagefile")
          Named.insert(UpperCase(NormalizeImageName(Value)));
    const std::vector<std::string> Bitmaps = M.Names(TmsuxResId::Id(msuxRtBitmap));
    EXPECT_EQ(std::set<std::string>(Bitmaps.begin(), Bitmaps.end()), Named);
    for (const std::string& Image : Named) {
      const auto Data = M.Find(TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Named(Image));
      ASSERT_TRUE(Data) << Image;
      TvxBitmap Decoded;
      EXPECT_NO_THROW(DecodeStyleImage({Image, {Data->begin(), Data->end()}}, Decoded)) << Image;
      EXPECT_FALSE(Decoded.Empty()) << Image;
    }
    if (std::string(Name) == "PellanSample100.msstyles") {
      EXPECT_GE(Named.size(), 100u);
    }
  }
}
