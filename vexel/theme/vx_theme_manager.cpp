#include "vexel/theme/vx_theme_manager.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "framework/core/sysutils.h"
#include "framework/ui/controls.h"
#include "framework/ui/object_windows.h"

namespace {

// Translatable: the first entry of the open-dialog filter.
constexpr const char* SAllThemes = "All";

bool FileExists(const std::string& FileName) {
  const DWORD Attributes = GetFileAttributesA(FileName.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The extension with its dot, or empty when the last path part has none.
std::string ExtractFileExt(const std::string& FileName) {
  const size_t Dot = FileName.find_last_of(".\\/:");
  return Dot != std::string::npos && FileName[Dot] == '.' ? FileName.substr(Dot) : std::string();
}

// Ext (".kskn") appears in Filter as a whole extension, not as the start of a longer one (".k").
bool FilterNamesExtension(const std::string& Filter, const std::string& Ext) {
  const std::string F = LowerCase(Filter), E = LowerCase(Ext);
  for (size_t At = F.find(E); At != std::string::npos; At = F.find(E, At + 1)) {
    const size_t After = At + E.size();
    if (After == F.size() || !(std::isalnum(static_cast<unsigned char>(F[After])) || F[After] == '_')) return true;
  }
  return false;
}

// The class's stream test, which must leave no exception behind: data it cannot read is not its.
bool Accepts(const TvxThemeClass& Class, TStream& Stream) {
  try {
    return Class.IsValidStream && Class.IsValidStream(Stream);
  } catch (const std::exception&) {
    return false;
  }
}

// Classes the library's modules announce while the program starts, before the manager exists;
// the manager lists them when it is made.
std::vector<const TvxThemeClass*>& BuiltinClasses() {
  static std::vector<const TvxThemeClass*> Classes;
  return Classes;
}

// Components freed after the manager (at process exit) must not reach it.
bool ManagerAlive = false;

}  // namespace

TvxThemeManager::TvxThemeManager() : TComponent(nullptr) {
  ManagerAlive = true;
  FClasses.push_back(&TvxTheme::StaticThemeClass());
  for (const TvxThemeClass* Class : BuiltinClasses())
    if (std::find(FClasses.begin(), FClasses.end(), Class) == FClasses.end()) FClasses.push_back(Class);
  // Broadcasts reach top-level windows only: a utility window, not a message-only one. Without
  // it the manager works on, only deaf to the platform's changes.
  try {
    FHandle = AllocateHWnd([this](HWND Wnd, TMessage& Message) {
      if (Message.Msg == WM_SYSCOLORCHANGE || Message.Msg == WM_DISPLAYCHANGE) Notify(TMC_COLORSCHANGED, 0);
      DefaultUtilityMessage(Wnd, Message);
    });
  } catch (const EOutOfResources&) {
    FHandle = nullptr;
  }
}

TvxThemeManager::~TvxThemeManager() {
  ManagerAlive = false;
  DeallocateHWnd(FHandle);
  FCurrentTheme.reset();
}

void TvxThemeManager::RegisterThemeClass(const TvxThemeClass& ThemeClass) { FClasses.push_back(&ThemeClass); }

void TvxThemeManager::UnregisterThemeClass(const TvxThemeClass& ThemeClass) { std::erase(FClasses, &ThemeClass); }

const TvxThemeClass* TvxThemeManager::ThemeClasses(Integer Index) const {
  return Index >= 0 && Index < ThemeClassCount() ? FClasses[size_t(Index)] : nullptr;
}

void TvxThemeManager::RegisterThemeClient(TObject* Client) {
  if (!Client || IsThemeClient(Client)) return;
  FClients.push_back(Client);
  if (FCurrentTheme) Send(Client, TMC_THEMESET, 0);
}

void TvxThemeManager::UnregisterThemeClient(TObject* Client) { std::erase(FClients, Client); }

bool TvxThemeManager::IsThemeClient(const TObject* Client) const {
  return std::find(FClients.begin(), FClients.end(), Client) != FClients.end();
}

void TvxThemeManager::SetCurrentTheme(std::unique_ptr<TvxTheme> Theme) {
  if (!Theme) return RemoveCurrentTheme();
  Notify(TMC_BEGINCHANGE, 0);
  const uintptr_t Code = FCurrentTheme ? TMC_THEMECHANGED : TMC_THEMESET;
  std::unique_ptr<TvxTheme> Previous = std::exchange(FCurrentTheme, std::move(Theme));
  Previous.reset();
  Notify(Code, 0);
  Notify(TMC_ENDCHANGE, 0);
}

void TvxThemeManager::RemoveCurrentTheme() {
  Notify(TMC_BEGINCHANGE, 0);
  FCurrentTheme.reset();
  Notify(TMC_THEMEREMOVED, 0);
  Notify(TMC_ENDCHANGE, 0);
}

void TvxThemeManager::SetCurrentDeltaHue(Integer Value) {
  if (!FCurrentTheme) return;
  FCurrentTheme->SetDeltaHue(Value);
  Notify(TMC_COLORSCHANGED, 1);
}

void TvxThemeManager::SetCurrentDeltaBrightness(Integer Value) {
  if (!FCurrentTheme) return;
  FCurrentTheme->SetDeltaBrightness(Value);
  Notify(TMC_COLORSCHANGED, 1);
}

void TvxThemeManager::SetCurrentDeltas(Integer Hue, Integer Brightness) {
  if (!FCurrentTheme) return;
  FCurrentTheme->SetDeltas(Hue, Brightness);
  Notify(TMC_COLORSCHANGED, 1);
}

std::string TvxThemeManager::GetThemeFilter() const {
  std::string Result, Patterns;
  for (const TvxThemeClass* Class : FClasses) {
    const TvxThemeConfig Config = Class->GetFileInfo();
    if (!Config.FileBased || Config.Filter.empty()) continue;
    if (!Result.empty()) Result += '|';
    Result += Config.Filter;
    // Description and pattern alternate; the patterns are every second token.
    std::vector<std::string> Tokens;
    for (size_t Start = 0;;) {
      const size_t Bar = Config.Filter.find('|', Start);
      Tokens.push_back(Config.Filter.substr(Start, Bar == std::string::npos ? Bar : Bar - Start));
      if (Bar == std::string::npos) break;
      Start = Bar + 1;
    }
    for (size_t I = 0; I + 1 < Tokens.size() && !Tokens[I].empty(); I += 2) Patterns += Tokens[I + 1] + ";";
  }
  if (Patterns.empty()) return Result;
  Patterns.pop_back();
  return std::string(SAllThemes) + " (" + Patterns + ")|" + Patterns + "|" + Result;
}

const TvxThemeClass* TvxThemeManager::FindThemeClassForFile(const std::string& FileName) const {
  const std::string Ext = ExtractFileExt(FileName);
  if (Ext.size() < 2) return nullptr;  // no extension names no class
  for (const TvxThemeClass* Class : FClasses) {
    const TvxThemeConfig Config = Class->GetFileInfo();
    if (Config.FileBased && FilterNamesExtension(Config.Filter, Ext)) return Class;
  }
  return nullptr;
}

std::unique_ptr<TvxTheme> TvxThemeManager::LoadThemeFromFile(const std::string& FileName) const {
  if (FileName.empty()) return nullptr;
  std::string Name = FileName;
  if (!FileExists(Name) && Name.size() > 1 && Name[1] != ':') {
    Name = ExecutableFolder() + Name;
    if (!FileExists(Name)) return nullptr;
  }
  try {
    if (const TvxThemeClass* Class = FindThemeClassForFile(Name)) {
      std::unique_ptr<TvxTheme> Theme = Class->Create();
      return Theme && Theme->LoadFromFile(Name) ? std::move(Theme) : nullptr;
    }
    TFileStream Stream(Name, TFileMode::fmOpenRead);
    return LoadThemeFromStream(Stream);
  } catch (const std::exception&) {
    return nullptr;  // loading never throws: a file that does not load gives no theme
  }
}

std::unique_ptr<TvxTheme> TvxThemeManager::LoadThemeFromStream(TStream& Stream) const {
  try {
    const int64_t Start = Stream.Position();
    for (const TvxThemeClass* Class : FClasses) {
      const bool Accepted = Accepts(*Class, Stream);
      Stream.SetPosition(Start);
      if (!Accepted) continue;
      std::unique_ptr<TvxTheme> Theme = Class->Create();
      return Theme && Theme->LoadFromStream(Stream) ? std::move(Theme) : nullptr;
    }
  } catch (const std::exception&) {
  }
  return nullptr;
}

void TvxThemeManager::SaveThemeToStream(TvxTheme* Theme, TStream& Stream) const {
  if (Theme && Theme->ThemeClass().GetFileInfo().Streamable) Theme->SaveToStream(Stream);
}

void TvxThemeManager::StoreFont(const TFont* Font) {
  if (!Font) return;
  auto Copy = std::make_unique<TFont>();
  Copy->Assign(Font);
  for (auto& Entry : FFonts)
    if (Entry.first == Font) {
      Entry.second = std::move(Copy);
      return;
    }
  FFonts.emplace_back(Font, std::move(Copy));
}

void TvxThemeManager::RestoreFont(TFont* Font) const {
  for (const auto& Entry : FFonts)
    if (Entry.first == Font) return Font->Assign(Entry.second.get());
}

void TvxThemeManager::ForgetFont(const TFont* Font) {
  std::erase_if(FFonts, [&](const auto& Entry) { return Entry.first == Font; });
}

void TvxThemeManager::NotifyThemeSet(TComponent* Control) const {
  if (Control && FCurrentTheme && Control->ComponentState().Contains(TComponentStateFlag::csDesigning))
    Send(Control, TMC_THEMESET, 0);
}

void TvxThemeManager::NotifyThemeRemoved(TComponent* Control) const {
  if (Control && FCurrentTheme && Control->ComponentState().Contains(TComponentStateFlag::csDesigning))
    Send(Control, TMC_THEMEREMOVED, 0);
}

void TvxThemeManager::Notify(uintptr_t Code, intptr_t LParam) {
  // A client may unregister itself or others while it is told.
  for (TObject* Client : std::vector<TObject*>(FClients)) {
    if (!IsThemeClient(Client)) continue;
    if (auto* Control = dynamic_cast<TControl*>(Client); Control && Code == TMC_COLORSCHANGED && !Control->Visible())
      continue;
    Send(Client, Code, LParam);
  }
}

// A control hears it through its message handler (WindowProc), anything else through Dispatch.
void TvxThemeManager::Send(TObject* Client, uintptr_t Code, intptr_t LParam) {
  if (auto* Control = dynamic_cast<TControl*>(Client)) {
    Control->Perform(TM_THEMECHANGE, Code, LParam);
    return;
  }
  TMessage Message{TM_THEMECHANGE, Code, LParam, 0};
  Client->Dispatch(Message);
}

// [Free functions] -------------------------------------------------------------------------------

TvxThemeManager& ThemeManager() {
  static TvxThemeManager Manager;
  return Manager;
}

void RegisterBuiltinThemeClass(const TvxThemeClass& ThemeClass) {
  if (ManagerAlive) {
    TvxThemeManager& Manager = ThemeManager();
    for (Integer I = 0; I < Manager.ThemeClassCount(); ++I)
      if (Manager.ThemeClasses(I) == &ThemeClass) return;
    Manager.RegisterThemeClass(ThemeClass);
    return;
  }
  if (std::find(BuiltinClasses().begin(), BuiltinClasses().end(), &ThemeClass) == BuiltinClasses().end())
    BuiltinClasses().push_back(&ThemeClass);
}

void RegisterThemeClass(const TvxThemeClass& ThemeClass) { ThemeManager().RegisterThemeClass(ThemeClass); }
void UnregisterThemeClass(const TvxThemeClass& ThemeClass) { ThemeManager().UnregisterThemeClass(ThemeClass); }
Integer ThemeClassCount() { return ThemeManager().ThemeClassCount(); }
const TvxThemeClass* ThemeClasses(Integer Index) { return ThemeManager().ThemeClasses(Index); }
void RegisterThemeClient(TObject* Client) { ThemeManager().RegisterThemeClient(Client); }
void UnregisterThemeClient(TObject* Client) {
  if (ManagerAlive) ThemeManager().UnregisterThemeClient(Client);
}
TvxTheme* CurrentTheme() { return ThemeManager().CurrentTheme(); }
bool IsCurrentTheme(const TvxTheme* Theme) { return ThemeManager().IsCurrentTheme(Theme); }
void SetCurrentTheme(std::unique_ptr<TvxTheme> Theme) { ThemeManager().SetCurrentTheme(std::move(Theme)); }
void RemoveCurrentTheme() { ThemeManager().RemoveCurrentTheme(); }
void SetCurrentDeltaHue(Integer Value) { ThemeManager().SetCurrentDeltaHue(Value); }
void SetCurrentDeltaBrightness(Integer Value) { ThemeManager().SetCurrentDeltaBrightness(Value); }
void SetCurrentDeltas(Integer Hue, Integer Brightness) { ThemeManager().SetCurrentDeltas(Hue, Brightness); }
void GetThemeFilter(std::string& Filter) { Filter = ThemeManager().GetThemeFilter(); }
const TvxThemeClass* FindThemeClassForFile(const std::string& FileName) {
  return ThemeManager().FindThemeClassForFile(FileName);
}
std::unique_ptr<TvxTheme> LoadThemeFromFile(const std::string& FileName) {
  return ThemeManager().LoadThemeFromFile(FileName);
}
std::unique_ptr<TvxTheme> LoadThemeFromStream(TStream& Stream) { return ThemeManager().LoadThemeFromStream(Stream); }
void SaveThemeToStream(TvxTheme* Theme, TStream& Stream) { ThemeManager().SaveThemeToStream(Theme, Stream); }
void StoreFont(const TFont* Font) { ThemeManager().StoreFont(Font); }
void RestoreFont(TFont* Font) { ThemeManager().RestoreFont(Font); }
void ForgetFont(const TFont* Font) { ThemeManager().ForgetFont(Font); }
void NotifyThemeSet(TComponent* Control) { ThemeManager().NotifyThemeSet(Control); }
void NotifyThemeRemoved(TComponent* Control) { ThemeManager().NotifyThemeRemoved(Control); }
