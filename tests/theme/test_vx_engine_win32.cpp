#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "stream_theme.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

// A theme drawn by code, chosen by its name.
class TCodeTheme : public TvxTheme {
 public:
  TCodeTheme() { SetName("Code"); }
  static const TvxThemeClass& StaticThemeClass() { return MakeThemeClass<TCodeTheme>("TCodeTheme"); }
  const TvxThemeClass& ThemeClass() const override { return StaticThemeClass(); }
  static std::string GetThemeName() { return "Code Drawn"; }
  static TvxThemeConfig GetFileInfo() { return {true, false, false, "", ""}; }
};

std::unique_ptr<TvxTheme> Stored(const std::string& Name) {
  auto Theme = std::make_unique<TStreamTheme>();
  Theme->SetName(Name);
  return Theme;
}

std::string StoredBytes(const std::string& Name) {
  TMemoryStream S;
  Stored(Name)->SaveToStream(S);
  return std::string(S.Data().begin(), S.Data().end());
}

// Records the change codes it hears.
class TRecorder : public TObject {
 public:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == TM_THEMECHANGE) Codes.push_back(Message.WParam);
  }
  std::vector<uintptr_t> Codes;
};

// Writes the components it owns as its child objects, as a form does.
class TTestForm : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info{"TTestForm",
                                 &TComponent::StaticClassInfo(),
                                 {},
                                 {},
                                 &CreateComponent<TTestForm>,
                                 [](const TComponent& C, const TComponent&, std::vector<TComponent*>& Children) {
                                   Children = C.ComponentList();
                                 }};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CurrentTheme(), nullptr);
    RegisterThemeClass(TStreamTheme::StaticThemeClass());
    RegisterThemeClass(TCodeTheme::StaticThemeClass());
  }
  void TearDown() override {
    UnregisterThemeClass(TStreamTheme::StaticThemeClass());
    UnregisterThemeClass(TCodeTheme::StaticThemeClass());
    if (CurrentTheme()) RemoveCurrentTheme();
    for (const std::string& F : Files) DeleteFileA(F.c_str());
  }
  // A list of stored themes of these names.
  TVxThemeList* List(TComponent* Owner, std::initializer_list<const char*> Names) {
    auto* L = new TVxThemeList(Owner);
    if (!Owner) Owned.emplace_back(L);
    for (const char* Name : Names) L->Themes()->Add()->StoreTheme(Stored(Name).get());
    return L;
  }
  std::string ThemeFile(const std::string& Name) {
    char Path[MAX_PATH];
    GetTempPathA(MAX_PATH, Path);
    Files.push_back(std::string(Path) + Name + ".vxt");
    const std::string Bytes = StoredBytes(Name);
    TFileStream F(Files.back(), TFileMode::fmCreate);
    F.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
    return Files.back();
  }
  std::string CurrentName() const { return CurrentTheme() ? CurrentTheme()->Name() : "(none)"; }

  std::vector<std::unique_ptr<TComponent>> Owned;
  std::vector<std::string> Files;
};

}  // namespace

TEST_F(EngineTest, StartsWithNothingChosen) {
  TVxVexel Vexel;
  EXPECT_EQ(Vexel.ThemeIndex(), -1);
  EXPECT_EQ(Vexel.ThemeBuilding(), "No theme");
  EXPECT_EQ(Vexel.ThemeFile(), "");
  EXPECT_EQ(Vexel.Version(), "4.03");
  Vexel.SetVersion("1.0");
  EXPECT_EQ(Vexel.Version(), "4.03");
}

TEST_F(EngineTest, ThemeIndexBeyondTheListSelectsTheLastItem) {
  TVxVexel Vexel;
  Vexel.SetThemeList(List(nullptr, {"Alpha", "Beta", "Gamma"}));
  Vexel.SetThemeIndex(5);
  EXPECT_EQ(Vexel.ThemeIndex(), 2);
  EXPECT_EQ(CurrentName(), "Gamma");
  EXPECT_EQ(Vexel.ThemeFile(), "");
  EXPECT_EQ(Vexel.ThemeBuilding(), "No theme");
  Vexel.SetThemeIndex(0);
  EXPECT_EQ(CurrentName(), "Alpha");
}

TEST_F(EngineTest, ANegativeIndexRemovesTheThemeUnlessAFileChoseIt) {
  TVxVexel Vexel;
  Vexel.SetThemeList(List(nullptr, {"Alpha"}));
  Vexel.SetThemeFile(ThemeFile("vx_engine_file"));
  TvxTheme* FromFile = CurrentTheme();
  ASSERT_NE(FromFile, nullptr);
  EXPECT_EQ(FromFile->Name(), "vx_engine_file");
  Vexel.SetThemeIndex(-1);
  EXPECT_EQ(CurrentTheme(), FromFile);

  Vexel.SetThemeIndex(0);  // the list's theme clears ThemeFile
  EXPECT_EQ(Vexel.ThemeFile(), "");
  Vexel.SetThemeIndex(-1);
  EXPECT_EQ(CurrentTheme(), nullptr);
}

TEST_F(EngineTest, AnEmptyListItemSelectsNothing) {
  TVxVexel Vexel;
  TVxThemeList* L = List(nullptr, {"Alpha"});
  TCodeTheme NotStreamable;
  L->Themes()->Add()->StoreTheme(&NotStreamable);
  EXPECT_EQ(L->Themes()->Items(1)->ThemeStore(), "(empty)");
  EXPECT_EQ(L->Themes()->Items(1)->Data().Size(), 0);
  Vexel.SetThemeList(L);
  Vexel.SetThemeIndex(0);
  TvxTheme* Alpha = CurrentTheme();
  Vexel.SetThemeIndex(1);
  EXPECT_EQ(CurrentTheme(), Alpha);
  EXPECT_EQ(Vexel.ThemeIndex(), 1);
}

TEST_F(EngineTest, ThemeBuildingFindsCodeDrawnThemesIgnoringLetterCase) {
  TVxVexel Vexel;
  Vexel.SetThemeList(List(nullptr, {"Alpha"}));
  Vexel.SetThemeIndex(0);
  Vexel.SetThemeBuilding("code DRAWN");
  ASSERT_NE(CurrentTheme(), nullptr);
  EXPECT_EQ(&CurrentTheme()->ThemeClass(), &TCodeTheme::StaticThemeClass());
  EXPECT_EQ(Vexel.ThemeBuilding(), "Code Drawn");
  EXPECT_EQ(Vexel.ThemeIndex(), -1);
  EXPECT_EQ(Vexel.ThemeFile(), "");

  TvxTheme* Code = CurrentTheme();
  Vexel.SetThemeBuilding("Stream test");  // a class that is not drawn by code
  EXPECT_EQ(Vexel.ThemeBuilding(), "No theme");
  Vexel.SetThemeBuilding("Nothing like it");
  EXPECT_EQ(Vexel.ThemeBuilding(), "No theme");
  Vexel.SetThemeBuilding("No theme");
  EXPECT_EQ(CurrentTheme(), Code);  // none of these touched the current theme
}

TEST_F(EngineTest, AThemeFileClearsTheOtherTwoChoices) {
  TVxVexel Vexel;
  Vexel.SetThemeBuilding("Code Drawn");
  Vexel.SetThemeFile(ThemeFile("vx_engine_skin"));
  EXPECT_EQ(CurrentName(), "vx_engine_skin");
  EXPECT_EQ(Vexel.ThemeBuilding(), "No theme");
  EXPECT_EQ(Vexel.ThemeIndex(), -1);

  Vexel.SetThemeFile("vx_engine_missing.vxt");  // fails with no index: the theme goes
  EXPECT_EQ(CurrentTheme(), nullptr);
  EXPECT_EQ(Vexel.ThemeFile(), "");  // the removal cleared it
}

TEST_F(EngineTest, AnUnreadableFileKeepsAThemeChosenFromTheList) {
  TVxVexel Vexel;
  Vexel.SetThemeList(List(nullptr, {"Alpha"}));
  Vexel.SetThemeIndex(0);
  TvxTheme* Alpha = CurrentTheme();
  Vexel.SetThemeFile("vx_engine_missing.vxt");
  EXPECT_EQ(CurrentTheme(), Alpha);
}

TEST_F(EngineTest, ShiftsAreKeptWithoutAThemeAndAppliedToTheNextOne) {
  TVxVexel Vexel;
  Vexel.SetDeltaHue(20);
  Vexel.SetDeltaBrightness(-10);
  EXPECT_EQ(Vexel.DeltaHue(), 20);
  EXPECT_EQ(CurrentTheme(), nullptr);
  Vexel.SetThemeBuilding("Code Drawn");
  ASSERT_NE(CurrentTheme(), nullptr);
  EXPECT_EQ(CurrentTheme()->DeltaHue(), 20);
  EXPECT_EQ(CurrentTheme()->DeltaBrightness(), -10);
  Vexel.SetDeltaHue(7);  // with a theme: both at once
  EXPECT_EQ(CurrentTheme()->DeltaHue(), 7);
  EXPECT_EQ(CurrentTheme()->DeltaBrightness(), -10);
}

TEST_F(EngineTest, FollowsThemesMadeCurrentElsewhere) {
  TVxVexel Vexel;
  int Changed = 0;
  Vexel.OnThemeChanged = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &Vexel);
    ++Changed;
  };
  Vexel.SetThemeList(List(nullptr, {"Alpha", "Beta"}));

  SetCurrentTheme(Stored("Beta"));  // by code
  EXPECT_EQ(Changed, 1);
  EXPECT_EQ(Vexel.ThemeIndex(), 1);
  EXPECT_EQ(Vexel.ThemeBuilding(), "No theme");

  TVxVexel Other;
  Other.SetThemeBuilding("Code Drawn");  // by another engine
  EXPECT_EQ(Changed, 2);
  EXPECT_EQ(Vexel.ThemeBuilding(), "Code Drawn");
  EXPECT_EQ(Vexel.ThemeIndex(), 1);  // no item of that name: unchanged

  SetCurrentDeltaHue(3);  // other codes: nothing
  EXPECT_EQ(Changed, 2);

  RemoveCurrentTheme();
  EXPECT_EQ(Changed, 3);
  EXPECT_EQ(Vexel.ThemeIndex(), -1);
  EXPECT_EQ(Vexel.ThemeBuilding(), "No theme");
}

TEST_F(EngineTest, ADesignedEngineOnlyReportsChanges) {
  TVxVexel Vexel;
  Vexel.SetDesigning(true);
  int Changed = 0;
  Vexel.OnThemeChanged = [&](TObject*) { ++Changed; };
  SetCurrentTheme(std::make_unique<TCodeTheme>());
  EXPECT_EQ(Vexel.ThemeBuilding(), "No theme");
  EXPECT_EQ(Changed, 1);
}

TEST_F(EngineTest, FreeingTheListDropsItAndItsTheme) {
  TVxVexel Vexel;
  auto* L = new TVxThemeList;
  L->Themes()->Add()->StoreTheme(Stored("Alpha").get());
  Vexel.SetThemeList(L);
  Vexel.SetThemeIndex(0);
  ASSERT_NE(CurrentTheme(), nullptr);
  delete L;
  EXPECT_EQ(Vexel.ThemeList(), nullptr);
  EXPECT_EQ(Vexel.ThemeIndex(), -1);
  EXPECT_EQ(CurrentTheme(), nullptr);

  Vexel.SetThemeList(List(nullptr, {"Beta"}));  // cleared through the property: the same
  Vexel.SetThemeIndex(0);
  ASSERT_EQ(CurrentName(), "Beta");
  Vexel.SetThemeList(nullptr);
  EXPECT_EQ(Vexel.ThemeIndex(), -1);
  EXPECT_EQ(CurrentTheme(), nullptr);
}

TEST_F(EngineTest, ClosingAFormKeepsTheCurrentTheme) {
  auto Form = std::make_unique<TTestForm>();
  auto* Vexel = new TVxVexel(Form.get());
  Vexel->SetThemeList(List(Form.get(), {"Alpha"}));  // freed before the engine
  Vexel->SetThemeIndex(0);
  Form.reset();
  EXPECT_EQ(CurrentName(), "Alpha");
}

// "ThemeStream": marker 0 alone for an empty item; else 2, the name and the data, each with a
// 32-bit length in front.
TEST_F(EngineTest, ThemeStreamPropertyBytes) {
  TVxThemeList L;
  L.Themes()->Add()->StoreTheme(Stored("Ab").get());
  L.Themes()->Add();
  TMemoryStream S;
  WriteComponent(S, L);
  const std::string Bytes(S.Data().begin(), S.Data().end());
  static const char Item0[] = "\x0bThemeStream\x0a\x15\0\0\0\x02\x02\0\0\0Ab\x0a\0\0\0VXT1\x02\0\0\0Ab";
  static const char Item1[] = "\x0bThemeStream\x0a\x01\0\0\0\x00";
  EXPECT_NE(Bytes.find(std::string(Item0, sizeof Item0 - 1)), std::string::npos);
  EXPECT_NE(Bytes.find(std::string(Item1, sizeof Item1 - 1)), std::string::npos);
  EXPECT_NE(Bytes.find("\x07Version\x06\x04"
                       "4.03"),
            std::string::npos);
}

TEST_F(EngineTest, ThemeListRoundTripsThroughAComponentStream) {
  TVxThemeList Source;
  Source.Themes()->Add()->StoreTheme(Stored("Alpha").get());
  Source.Themes()->Add()->SetTag(9);
  TMemoryStream S;
  WriteComponent(S, Source);
  TVxThemeList Copy;
  Copy.Themes()->Add();
  Copy.Themes()->Add();
  Copy.Themes()->Add();
  S.SetPosition(0);
  ReadComponent(S, Copy);
  ASSERT_EQ(Copy.Themes()->Count(), 2);
  EXPECT_EQ(Copy.Themes()->Items(0)->ThemeStore(), "Alpha");
  EXPECT_EQ(Copy.Themes()->Items(0)->Data().Data(), Source.Themes()->Items(0)->Data().Data());
  EXPECT_EQ(Copy.Themes()->Items(1)->ThemeStore(), "(empty)");
  EXPECT_EQ(Copy.Themes()->Items(1)->Data().Size(), 0);
  EXPECT_EQ(Copy.Themes()->Items(1)->Tag(), 9);
  EXPECT_EQ(Copy.Themes()->Items(1)->DisplayName(), "(empty)");
  std::unique_ptr<TvxTheme> Theme = Copy.Themes()->Items(0)->CreateTheme();
  ASSERT_NE(Theme, nullptr);
  EXPECT_EQ(Theme->Name(), "Alpha");
  EXPECT_EQ(Copy.Themes()->Items(1)->CreateTheme(), nullptr);

  // Its text form converts back to the same bytes.
  TMemoryStream In(S.Data()), Text, Back;
  ObjectBinaryToText(In, Text);
  Text.SetPosition(0);
  ObjectTextToBinary(Text, Back);
  EXPECT_EQ(Back.Data(), S.Data());
}

// Older forms hold the theme itself (marker 1): it is read through the theme classes, stored
// again as data under its own name, and freed when the list has loaded.
TEST_F(EngineTest, OlderThemeStreamsAreConvertedOnReading) {
  const auto ListBytes = [](const std::string& Value) {
    static const char Head[] = "TPF0\x0cTVxThemeList\x00\x06Themes\x0e\x0bThemeStream\x0a";
    std::string B(Head, sizeof Head - 1);
    const int32_t Size = int32_t(Value.size());
    B.append(reinterpret_cast<const char*>(&Size), 4);
    B += Value;
    B += std::string("\x00\x00\x00\x00", 4);  // item, collection, properties, children
    return std::vector<uint8_t>(B.begin(), B.end());
  };
  const struct {
    const char* What;
    std::string Value;
    const char* Store;
    std::string Data;
  } Cases[] = {
      {"marker 1", "\x01" + StoredBytes("Old"), "Old", StoredBytes("Old")},
      {"marker 1, unreadable", std::string("\x01zzzz", 5), "(empty)", ""},
      {"unknown marker", std::string("\x07", 1), "(empty)", ""},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    TVxThemeList L;
    TMemoryStream S(ListBytes(C.Value));
    ReadComponent(S, L);
    ASSERT_EQ(L.Themes()->Count(), 1);
    TVxThemeStream* Item = L.Themes()->Items(0);
    EXPECT_EQ(Item->ThemeStore(), C.Store);
    EXPECT_EQ(std::string(Item->Data().Data().begin(), Item->Data().Data().end()), C.Data);
    EXPECT_EQ(Item->Theme(), nullptr);
  }
}

TEST_F(EngineTest, ATruncatedThemeStreamIsAReadError) {
  static const char Raw[] =
      "TPF0\x0cTVxThemeList\x00\x06Themes\x0e\x0bThemeStream\x0a\x09\0\0\0\x02\x7f\0\0\0abcd\0\0\0\0";
  const std::string B(Raw, sizeof Raw - 1);
  TVxThemeList L;
  TMemoryStream S(std::vector<uint8_t>(B.begin(), B.end()));
  EXPECT_THROW(ReadComponent(S, L), EReadError);
}

// A form holding an engine and, created after it, the list it refers to: the reference is
// resolved once the form is read, and Loaded selects the stored index again.
TEST_F(EngineTest, AFormWithAnEngineAndAListReadsBack) {
  std::vector<uint8_t> Bytes;
  {
    TTestForm Form;
    Form.SetName("Form1");
    auto* Vexel = new TVxVexel(&Form);
    Vexel->SetName("Vexel1");
    TVxThemeList* L = List(&Form, {"Alpha", "Beta", "Gamma"});
    L->SetName("ThemeList1");
    Vexel->SetThemeList(L);
    Vexel->SetThemeIndex(1);
    TMemoryStream S;
    WriteComponent(S, Form);
    Bytes = S.Data();
  }
  // While the form is read, the index waits for its list instead of removing the current theme.
  SetCurrentTheme(Stored("Before"));
  TRecorder Recorder;
  RegisterThemeClient(&Recorder);
  Recorder.Codes.clear();  // the code 3 a late client hears

  TTestForm Form;
  TMemoryStream S(Bytes);
  ReadComponent(S, Form);
  UnregisterThemeClient(&Recorder);
  EXPECT_EQ(Recorder.Codes, (std::vector<uintptr_t>{TMC_BEGINCHANGE, TMC_THEMECHANGED, TMC_ENDCHANGE}));
  auto* Vexel = dynamic_cast<TVxVexel*>(Form.FindComponent("Vexel1"));
  auto* L = dynamic_cast<TVxThemeList*>(Form.FindComponent("ThemeList1"));
  ASSERT_NE(Vexel, nullptr);
  ASSERT_NE(L, nullptr);
  EXPECT_EQ(Vexel->ThemeList(), L);
  EXPECT_EQ(L->Themes()->Count(), 3);
  EXPECT_EQ(Vexel->ThemeIndex(), 1);
  EXPECT_EQ(CurrentName(), "Beta");

  TMemoryStream Again;
  WriteComponent(Again, Form);
  EXPECT_EQ(Again.Data(), Bytes);
}
