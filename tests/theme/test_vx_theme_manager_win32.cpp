#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

#include "framework/core/sysutils.h"
#include "framework/ui/controls.h"
#include "stream_theme.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

using TCodes = std::vector<std::pair<uintptr_t, intptr_t>>;

// A client that records the theme changes it hears.
class TRecorder : public TComponent {
 public:
  using TComponent::TComponent;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == TM_THEMECHANGE) {
      Codes.emplace_back(Message.WParam, Message.LParam);
      if (OnChange) OnChange();
    }
  }
  TCodes Codes;
  std::function<void()> OnChange;
};

// A control that records what reaches its message handler (WindowProc).
class TRecordingControl : public TControl {
 public:
  TRecordingControl() {
    WindowProc = [this, Inherited = WindowProc](TMessage& Message) {
      if (Message.Msg == TM_THEMECHANGE) Codes.emplace_back(Message.WParam, Message.LParam);
      Inherited(Message);
    };
  }
  TCodes Codes;
};

// Reads four bytes of any stream and refuses it: a test that moves the position.
class TGreedyTheme : public TvxTheme {
 public:
  static const TvxThemeClass& StaticThemeClass() { return MakeThemeClass<TGreedyTheme>("TGreedyTheme"); }
  const TvxThemeClass& ThemeClass() const override { return StaticThemeClass(); }
  static bool IsValidStream(TStream& Stream) {
    char Skip[4];
    Stream.Read(Skip, 4);
    return false;
  }
};

// Accepts every stream and then fails to load it.
class TFailingTheme : public TvxTheme {
 public:
  static const TvxThemeClass& StaticThemeClass() { return MakeThemeClass<TFailingTheme>("TFailingTheme"); }
  const TvxThemeClass& ThemeClass() const override { return StaticThemeClass(); }
  static bool IsValidStream(TStream&) { return true; }
};

// File-based classes with fixed filters, for the filter and the extension lookup.
class TSkinFilesTheme : public TvxTheme {
 public:
  static const TvxThemeClass& StaticThemeClass() { return MakeThemeClass<TSkinFilesTheme>("TSkinFilesTheme"); }
  static TvxThemeConfig GetFileInfo() { return {false, true, true, "Skins (*.a)|*.a|Packed (*.b)|*.b", "a"}; }
};

class TKsknTheme : public TvxTheme {
 public:
  static const TvxThemeClass& StaticThemeClass() { return MakeThemeClass<TKsknTheme>("TKsknTheme"); }
  static TvxThemeConfig GetFileInfo() {
    return {false, true, true, "Skin files (*.uskn;*.kskn)|*.uskn;*.kskn", "kskn"};
  }
};

// Same filter, but it reads no files.
class TNotFileTheme : public TvxTheme {
 public:
  static const TvxThemeClass& StaticThemeClass() { return MakeThemeClass<TNotFileTheme>("TNotFileTheme"); }
  static TvxThemeConfig GetFileInfo() { return {true, false, false, "Skin files (*.kskn)|*.kskn", "kskn"}; }
};

// Paints buttons of its "default" object only; counts the themes alive.
class TDefaultOnlyTheme : public TvxTheme {
 public:
  TDefaultOnlyTheme() { ++Alive; }
  ~TDefaultOnlyTheme() override { --Alive; }
  bool IsButtonDefined(Byte, const std::string& Name) override { return Name == "default"; }
  static inline int Alive = 0;
};

class TLink : public TvxCustomThemeLink {
 public:
  using TvxCustomThemeLink::TvxCustomThemeLink;
  TvxTheme* GetTheme() override { return Theme.get(); }
  std::unique_ptr<TvxTheme> Theme;
};

// Every test leaves the manager as it found it: no current theme, no extra class or client.
class ThemeManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CurrentTheme(), nullptr); }
  void TearDown() override {
    for (TObject* C : Clients) UnregisterThemeClient(C);
    for (const TvxThemeClass* C : Classes) UnregisterThemeClass(*C);
    if (CurrentTheme()) RemoveCurrentTheme();
  }
  TRecorder& Client() {
    Recorders.push_back(std::make_unique<TRecorder>());
    Clients.push_back(Recorders.back().get());
    RegisterThemeClient(Recorders.back().get());
    return *Recorders.back();
  }
  void Register(const TvxThemeClass& C) {
    Classes.push_back(&C);
    RegisterThemeClass(C);
  }

  std::vector<std::unique_ptr<TRecorder>> Recorders;
  std::vector<TObject*> Clients;
  std::vector<const TvxThemeClass*> Classes;
};

std::string TempFolder() {
  char Path[MAX_PATH];
  GetTempPathA(MAX_PATH, Path);
  return Path;
}

void WriteFile(const std::string& Name, const std::string& Bytes) {
  TFileStream F(Name, TFileMode::fmCreate);
  F.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
}

std::string StoredTheme(const std::string& Name) {
  TStreamTheme Theme;
  Theme.SetName(Name);
  TMemoryStream S;
  Theme.SaveToStream(S);
  return std::string(S.Data().begin(), S.Data().end());
}

}  // namespace

TEST_F(ThemeManagerTest, SettingReplacingAndRemovingAreBracketedAndFreeTheOldTheme) {
  TRecorder& R = Client();
  SetCurrentTheme(std::make_unique<TDefaultOnlyTheme>());
  TvxTheme* A = CurrentTheme();
  EXPECT_EQ(R.Codes, (TCodes{{1, 0}, {3, 0}, {2, 0}}));
  R.Codes.clear();
  SetCurrentTheme(std::make_unique<TDefaultOnlyTheme>());
  EXPECT_EQ(TDefaultOnlyTheme::Alive, 1);  // A was freed
  EXPECT_NE(CurrentTheme(), A);
  EXPECT_TRUE(IsCurrentTheme(CurrentTheme()));
  EXPECT_EQ(R.Codes, (TCodes{{1, 0}, {0, 0}, {2, 0}}));
  R.Codes.clear();
  RemoveCurrentTheme();
  EXPECT_EQ(TDefaultOnlyTheme::Alive, 0);
  EXPECT_EQ(CurrentTheme(), nullptr);
  EXPECT_FALSE(IsCurrentTheme(nullptr));
  EXPECT_EQ(R.Codes, (TCodes{{1, 0}, {4, 0}, {2, 0}}));
}

TEST_F(ThemeManagerTest, ClientsAreToldInRegistrationOrderOnceEach) {
  std::vector<int> Order;
  TRecorder& First = Client();
  TRecorder& Second = Client();
  First.OnChange = [&] { Order.push_back(1); };
  Second.OnChange = [&] { Order.push_back(2); };
  RegisterThemeClient(&First);  // again: no duplicate
  SetCurrentTheme(std::make_unique<TvxTheme>());
  EXPECT_EQ(Order, (std::vector<int>{1, 2, 1, 2, 1, 2}));
}

TEST_F(ThemeManagerTest, ALateClientHearsThemeSetOnceAndDoubleRegistrationSendsNothing) {
  SetCurrentTheme(std::make_unique<TvxTheme>());
  TRecorder& R = Client();
  EXPECT_EQ(R.Codes, (TCodes{{3, 0}}));
  RegisterThemeClient(&R);
  EXPECT_EQ(R.Codes, (TCodes{{3, 0}}));
  UnregisterThemeClient(&R);
  UnregisterThemeClient(&R);  // not registered any more: nothing
  RemoveCurrentTheme();
  EXPECT_EQ(R.Codes, (TCodes{{3, 0}}));
}

TEST_F(ThemeManagerTest, AClientUnregisteredWhileOthersAreToldIsSkipped) {
  TRecorder& First = Client();
  TRecorder& Second = Client();
  First.OnChange = [&] { UnregisterThemeClient(&Second); };
  SetCurrentTheme(std::make_unique<TvxTheme>());
  EXPECT_EQ(First.Codes.size(), 3u);
  EXPECT_TRUE(Second.Codes.empty());
}

TEST_F(ThemeManagerTest, ShiftsOfTheCurrentThemeSendCodeFiveWithLParamOne) {
  TRecorder& R = Client();
  SetCurrentDeltaHue(10);
  SetCurrentDeltaBrightness(10);
  SetCurrentDeltas(10, 10);
  EXPECT_TRUE(R.Codes.empty());  // no current theme: nothing

  SetCurrentTheme(std::make_unique<TvxTheme>());
  R.Codes.clear();
  SetCurrentDeltaHue(30);
  EXPECT_EQ(CurrentTheme()->DeltaHue(), 30);
  SetCurrentDeltaBrightness(-20);
  EXPECT_EQ(CurrentTheme()->DeltaBrightness(), -20);
  SetCurrentDeltas(5, 6);
  EXPECT_EQ(CurrentTheme()->DeltaHue(), 5);
  EXPECT_EQ(CurrentTheme()->DeltaBrightness(), 6);
  EXPECT_EQ(R.Codes, (TCodes{{5, 1}, {5, 1}, {5, 1}}));
}

// Controls hear the manager through their message handler; only visible ones hear code 5.
TEST_F(ThemeManagerTest, ControlsAreToldThroughTheirHandlerAndHiddenOnesMissColourChanges) {
  TRecorder& Other = Client();
  TRecordingControl Shown, Hidden;
  Hidden.Hide();
  RegisterThemeClient(&Shown);
  RegisterThemeClient(&Hidden);
  Clients.push_back(&Shown);
  Clients.push_back(&Hidden);
  SetCurrentTheme(std::make_unique<TvxTheme>());
  SetCurrentDeltaHue(8);
  const TCodes Everything{{1, 0}, {3, 0}, {2, 0}, {5, 1}};
  EXPECT_EQ(Other.Codes, Everything);
  EXPECT_EQ(Shown.Codes, Everything);
  EXPECT_EQ(Hidden.Codes, (TCodes{{1, 0}, {3, 0}, {2, 0}}));
}

// The hidden window hears the platform's colour and display changes: code 5 with LParam 0.
TEST_F(ThemeManagerTest, PlatformBroadcastsToTheHiddenWindowSendCodeFiveWithLParamZero) {
  ASSERT_NE(ThemeManager().Handle(), nullptr);
  TRecorder& R = Client();
  TRecordingControl Shown, Hidden;
  Hidden.Hide();
  RegisterThemeClient(&Shown);
  RegisterThemeClient(&Hidden);
  Clients.push_back(&Shown);
  Clients.push_back(&Hidden);
  for (UINT Msg : {UINT(WM_SYSCOLORCHANGE), UINT(WM_DISPLAYCHANGE), UINT(WM_SETTINGCHANGE)})
    SendMessageA(ThemeManager().Handle(), Msg, 0, 0);
  EXPECT_EQ(R.Codes, (TCodes{{5, 0}, {5, 0}}));
  EXPECT_EQ(Shown.Codes, (TCodes{{5, 0}, {5, 0}}));
  EXPECT_TRUE(Hidden.Codes.empty());
}

TEST_F(ThemeManagerTest, ClassRegistryKeepsOrderAndDuplicates) {
  const Integer Base = ThemeClassCount();
  EXPECT_EQ(ThemeClasses(0), &TvxTheme::StaticThemeClass());
  Register(TStreamTheme::StaticThemeClass());
  Register(TStreamTheme::StaticThemeClass());
  EXPECT_EQ(ThemeClassCount(), Base + 2);
  EXPECT_EQ(ThemeClasses(Base + 1), &TStreamTheme::StaticThemeClass());
  EXPECT_EQ(ThemeClasses(Base + 2), nullptr);
  EXPECT_EQ(ThemeClasses(-1), nullptr);
  UnregisterThemeClass(TStreamTheme::StaticThemeClass());
  UnregisterThemeClass(TGreedyTheme::StaticThemeClass());  // never registered: nothing
  EXPECT_EQ(ThemeClassCount(), Base);
}

TEST_F(ThemeManagerTest, ThemeFilterListsEveryFileBasedClassBehindAnAllEntry) {
  std::string Filter = "stale";
  GetThemeFilter(Filter);
  EXPECT_EQ(Filter, "");  // only classes that read no files
  Register(TNotFileTheme::StaticThemeClass());
  Register(TSkinFilesTheme::StaticThemeClass());
  GetThemeFilter(Filter);
  EXPECT_EQ(Filter, "All (*.a;*.b)|*.a;*.b|Skins (*.a)|*.a|Packed (*.b)|*.b");
  Register(TStreamTheme::StaticThemeClass());
  GetThemeFilter(Filter);
  EXPECT_EQ(Filter, "All (*.a;*.b;*.vxt)|*.a;*.b;*.vxt|Skins (*.a)|*.a|Packed (*.b)|*.b|Test themes (*.vxt)|*.vxt");
}

TEST_F(ThemeManagerTest, FindThemeClassForFileMatchesTheExtensionInFileBasedFilters) {
  Register(TNotFileTheme::StaticThemeClass());
  Register(TSkinFilesTheme::StaticThemeClass());
  Register(TKsknTheme::StaticThemeClass());
  const struct {
    const char* Name;
    const TvxThemeClass* Class;
  } Cases[] = {
      {"C:\\skins\\Blue.KSKN", &TKsknTheme::StaticThemeClass()},
      {"blue.uskn", &TKsknTheme::StaticThemeClass()},
      {"x.b", &TSkinFilesTheme::StaticThemeClass()},
      {"blue.ksk", nullptr},  // the start of an extension is not the extension
      {"blue.xskn", nullptr},
      {"C:\\skins.kskn\\blue", nullptr},  // no extension
      {"blue.", nullptr},
  };
  for (const auto& C : Cases) EXPECT_EQ(FindThemeClassForFile(C.Name), C.Class) << C.Name;
}

TEST_F(ThemeManagerTest, LoadThemeFromStreamRestoresThePositionBetweenTries) {
  Register(TGreedyTheme::StaticThemeClass());
  Register(TStreamTheme::StaticThemeClass());
  TMemoryStream S;
  S.WriteBuffer("xyz", 3);  // the theme starts at 3, not at 0
  const std::string Bytes = StoredTheme("Blue");
  S.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
  S.SetPosition(3);
  std::unique_ptr<TvxTheme> Theme = LoadThemeFromStream(S);
  ASSERT_NE(Theme, nullptr);
  EXPECT_EQ(&Theme->ThemeClass(), &TStreamTheme::StaticThemeClass());
  EXPECT_EQ(Theme->Name(), "Blue");

  TMemoryStream Garbage(std::vector<uint8_t>{'n', 'o', 'p', 'e', '!'});
  EXPECT_EQ(LoadThemeFromStream(Garbage), nullptr);
  TMemoryStream Empty;
  EXPECT_EQ(LoadThemeFromStream(Empty), nullptr);
}

TEST_F(ThemeManagerTest, AThemeThatFailsToLoadIsFreedAndNilReturned) {
  Register(TFailingTheme::StaticThemeClass());
  Register(TStreamTheme::StaticThemeClass());
  const std::string Bytes = StoredTheme("Blue");
  TMemoryStream S(std::vector<uint8_t>(Bytes.begin(), Bytes.end()));
  EXPECT_EQ(LoadThemeFromStream(S), nullptr);  // the first class that accepts decides
}

TEST_F(ThemeManagerTest, SaveThemeToStreamWritesOnlyStreamableThemes) {
  TStreamTheme Streamable;
  Streamable.SetName("N");
  TvxTheme Plain;
  TMemoryStream S;
  SaveThemeToStream(&Plain, S);
  SaveThemeToStream(nullptr, S);
  EXPECT_EQ(S.Size(), 0);
  SaveThemeToStream(&Streamable, S);
  EXPECT_EQ(S.Data(), (std::vector<uint8_t>{'V', 'X', 'T', '1', 1, 0, 0, 0, 'N'}));
}

// A relative name missing from the current folder is looked for beside the executable; a file
// with a known extension loads through its class's LoadFromFile, any other through the streams.
TEST_F(ThemeManagerTest, LoadThemeFromFileFindsRelativeNamesBesideTheExecutable) {
  Register(TStreamTheme::StaticThemeClass());
  char Saved[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, Saved);
  ASSERT_TRUE(SetCurrentDirectoryA(TempFolder().c_str()));
  const struct {
    const char* Name;
    std::string Folder;
    const char* FileName;  // what the theme says it was loaded from; empty: through the stream
  } Cases[] = {
      {"vx_manager_beside.vxt", ExecutableFolder(), "beside"},
      {"vx_manager_beside.bin", ExecutableFolder(), ""},
      {"vx_manager_here.vxt", TempFolder(), "here"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    DeleteFileA(C.Name);  // nothing of that name in the current folder but the case's own
    WriteFile(C.Folder + C.Name, StoredTheme(C.Name));
    std::unique_ptr<TvxTheme> Theme = LoadThemeFromFile(C.Name);
    ASSERT_NE(Theme, nullptr);
    EXPECT_EQ(Theme->Name(), C.Name);
    if (*C.FileName)
      EXPECT_NE(Theme->FileName().find(C.Name), std::string::npos);
    else
      EXPECT_EQ(Theme->FileName(), "");
    DeleteFileA((C.Folder + C.Name).c_str());
  }
  EXPECT_EQ(LoadThemeFromFile(""), nullptr);
  EXPECT_EQ(LoadThemeFromFile("vx_manager_nowhere.vxt"), nullptr);
  WriteFile(TempFolder() + "vx_manager_bad.vxt", std::string("VXT1\x0a\0\0\0ab", 10));  // cut short
  EXPECT_EQ(LoadThemeFromFile(TempFolder() + "vx_manager_bad.vxt"), nullptr);
  DeleteFileA((TempFolder() + "vx_manager_bad.vxt").c_str());
  SetCurrentDirectoryA(Saved);
}

TEST_F(ThemeManagerTest, StoredFontsComeBackUntilForgotten) {
  TFont Font;
  Font.SetName("Tahoma");
  Font.SetHeight(-11);
  StoreFont(&Font);
  Font.SetName("Arial");
  RestoreFont(&Font);
  EXPECT_EQ(Font.Name(), "Tahoma");
  EXPECT_EQ(Font.Height(), -11);
  Font.SetHeight(-20);
  StoreFont(&Font);  // replaces the copy
  Font.SetHeight(-5);
  RestoreFont(&Font);
  EXPECT_EQ(Font.Height(), -20);
  ForgetFont(&Font);
  Font.SetHeight(-5);
  RestoreFont(&Font);
  EXPECT_EQ(Font.Height(), -5);
  TFont Other;
  Other.SetName("Courier New");
  RestoreFont(&Other);  // never stored: untouched
  EXPECT_EQ(Other.Name(), "Courier New");
}

TEST_F(ThemeManagerTest, NotifyThemeSetAndRemovedReachOnlyDesignedControlsWhileAThemeIsCurrent) {
  TRecorder Designed, Running;
  Designed.SetDesigning(true);
  NotifyThemeSet(&Designed);
  EXPECT_TRUE(Designed.Codes.empty());  // no theme
  SetCurrentTheme(std::make_unique<TvxTheme>());
  NotifyThemeSet(&Designed);
  NotifyThemeRemoved(&Designed);
  NotifyThemeSet(&Running);
  NotifyThemeSet(nullptr);
  EXPECT_EQ(Designed.Codes, (TCodes{{3, 0}, {4, 0}}));
  EXPECT_TRUE(Running.Codes.empty());
}

// [Links and the Is...Themed queries] -----------------------------------------------------------

TEST_F(ThemeManagerTest, LinkThemeWinsOverTheCurrentTheme) {
  TLink Link;
  EXPECT_EQ(GetLinkTheme(nullptr), nullptr);
  EXPECT_EQ(GetLinkTheme(&Link), nullptr);
  SetCurrentTheme(std::make_unique<TvxTheme>());
  EXPECT_EQ(GetLinkTheme(&Link), CurrentTheme());  // a link without a theme
  Link.Theme = std::make_unique<TvxTheme>();
  EXPECT_EQ(GetLinkTheme(&Link), Link.Theme.get());
  EXPECT_EQ(GetLinkTheme(nullptr), CurrentTheme());
}

TEST_F(ThemeManagerTest, ThemedQueriesRetryDefaultOnlyForTheCurrentTheme) {
  TLink Link;
  EXPECT_FALSE(IsButtonThemed(0, "default", nullptr));  // no theme at all
  SetCurrentTheme(std::make_unique<TDefaultOnlyTheme>());
  EXPECT_TRUE(IsButtonThemed(0, "NoSuchObject", nullptr));
  EXPECT_TRUE(IsButtonThemed(0, "NoSuchObject", &Link));  // a link without a theme: the current one
  EXPECT_FALSE(IsEditThemed(0, "default", nullptr));      // the base class paints no edits
  Link.Theme = std::make_unique<TDefaultOnlyTheme>();
  EXPECT_FALSE(IsButtonThemed(0, "NoSuchObject", &Link));
  EXPECT_TRUE(IsButtonThemed(0, "default", &Link));
}

TEST(MakeTextInfo, AlignmentAndFlagsFromTextFormat) {
  const struct {
    UINT Format;
    Byte Alignment;
    Byte Flags;
  } Cases[] = {
      {DT_LEFT | DT_TOP, 0, 0},
      {DT_VCENTER, 1, 0},
      {DT_BOTTOM, 2, 0},
      {DT_CENTER, 3, 0},
      {DT_CENTER | DT_VCENTER | DT_SINGLELINE, 4, 16},
      {DT_CENTER | DT_BOTTOM, 5, 0},
      {DT_RIGHT | DT_NOPREFIX, 6, 4},
      {DT_RIGHT | DT_VCENTER | DT_WORDBREAK, 7, 8},
      {DT_RIGHT | DT_BOTTOM | DT_RTLREADING, 8, 2},
      {DT_VCENTER | DT_BOTTOM | DT_CENTER | DT_RIGHT, 4, 0},  // middle and centre come first
      {DT_RTLREADING | DT_NOPREFIX | DT_WORDBREAK | DT_SINGLELINE | DT_CALCRECT, 0, 30},
  };
  for (const auto& C : Cases) {
    TvxTextInfo Info;
    Info.Effect = 2;
    MakeTextInfo(Rect(1, 2, 3, 4), L"Text", C.Format, Info);
    EXPECT_EQ(Info.Alignment, C.Alignment) << C.Format;
    EXPECT_EQ(Info.Flags, C.Flags) << C.Format;
    EXPECT_EQ(Info.Effect, 0);
    EXPECT_EQ(Info.Rect, Rect(1, 2, 3, 4));
    EXPECT_EQ(Info.Text, L"Text");
  }
}
