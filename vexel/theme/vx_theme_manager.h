// The theme manager: the one owner of the current theme, the registry of theme classes and the
// list of clients told (TM_THEMECHANGE) when the current theme is set, replaced, removed or
// shifted in colour, or when the platform's colours or display settings change. It also picks the
// theme class for a file or a stream, builds the open-dialog filter of every theme file, and
// keeps copies of fonts that controls temporarily give up to theme fonts.
//
// There is one manager (ThemeManager()), made on first use with TvxTheme registered; the free
// functions below act on it. Windows only.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/component.h"
#include "framework/graphics/font.h"
#include "vexel/theme/vx_theme.h"

// WParam: one of the change codes below; LParam 1 for a colour shift of the current theme, else 0.
constexpr TMsgNum TM_THEMECHANGE = 0x800;

// A new theme became current and the previous one was freed.
constexpr uintptr_t TMC_THEMECHANGED = 0;
// A change of the current theme begins / has ended: clients may defer work to the end.
constexpr uintptr_t TMC_BEGINCHANGE = 1;
constexpr uintptr_t TMC_ENDCHANGE = 2;
// A theme became current where there was none (also sent to a client registering meanwhile).
constexpr uintptr_t TMC_THEMESET = 3;
// The current theme was removed; there is none now.
constexpr uintptr_t TMC_THEMEREMOVED = 4;
// Colours changed: the current theme's shifts (LParam 1), or the platform's colours or display
// settings (LParam 0). Only visible controls hear it.
constexpr uintptr_t TMC_COLORSCHANGED = 5;

class TvxThemeManager : public TComponent {
 public:
  TvxThemeManager();
  ~TvxThemeManager() override;

  // [Theme classes] In registration order; a class registered twice is listed twice.
  void RegisterThemeClass(const TvxThemeClass& ThemeClass);
  // Removes every listing of the class; an absent class is ignored.
  void UnregisterThemeClass(const TvxThemeClass& ThemeClass);
  Integer ThemeClassCount() const { return Integer(FClasses.size()); }
  // Nil outside the range.
  const TvxThemeClass* ThemeClasses(Integer Index) const;

  // [Clients] In registration order, no duplicates. A client registering while a theme is
  // current hears TMC_THEMESET at once.
  void RegisterThemeClient(TObject* Client);
  void UnregisterThemeClient(TObject* Client);
  bool IsThemeClient(const TObject* Client) const;

  // [Current theme] The manager owns it.
  TvxTheme* CurrentTheme() const { return FCurrentTheme.get(); }
  bool IsCurrentTheme(const TvxTheme* Theme) const { return Theme && Theme == FCurrentTheme.get(); }
  // Codes 1, then 0 (a theme was current and is freed) or 3, then 2. Nil removes the current
  // theme instead (codes 1, 4, 2): a theme-set code must mean a theme is there.
  void SetCurrentTheme(std::unique_ptr<TvxTheme> Theme);
  // Codes 1, 4, 2.
  void RemoveCurrentTheme();
  // With a current theme: shift it (which resets its tables) and send code 5 with LParam 1.
  // Without one: nothing.
  void SetCurrentDeltaHue(Integer Value);
  void SetCurrentDeltaBrightness(Integer Value);
  void SetCurrentDeltas(Integer Hue, Integer Brightness);

  // [Files and streams]
  // "All (patterns)|patterns|" and then every file-based class's own filter.
  std::string GetThemeFilter() const;
  // The first file-based class whose filter names the file's extension; nil when none does.
  const TvxThemeClass* FindThemeClassForFile(const std::string& FileName) const;
  // A relative name that is not found is looked for beside the executable. Nil when nothing
  // loads it; the caller owns the result.
  std::unique_ptr<TvxTheme> LoadThemeFromFile(const std::string& FileName) const;
  // The first class whose IsValidStream accepts the data loads it; the position is restored
  // between tries. Nil when none accepts or loading fails.
  std::unique_ptr<TvxTheme> LoadThemeFromStream(TStream& Stream) const;
  // Only for a streamable theme class; otherwise nothing is written.
  void SaveThemeToStream(TvxTheme* Theme, TStream& Stream) const;

  // [Fonts] A copy per font object, replaced when stored again.
  void StoreFont(const TFont* Font);
  void RestoreFont(TFont* Font) const;
  void ForgetFont(const TFont* Font);

  // A control in design state hears code 3 or 4, when a theme is current.
  void NotifyThemeSet(TComponent* Control) const;
  void NotifyThemeRemoved(TComponent* Control) const;

  // Tells every client, in registration order: a control through its message handler
  // (Perform), anything else through Dispatch. Hidden controls miss code 5; a client
  // unregistered meanwhile is skipped.
  void Notify(uintptr_t Code, intptr_t LParam);

  // The hidden window that hears the platform's colour and display broadcasts.
  HWND Handle() const { return FHandle; }

 private:
  static void Send(TObject* Client, uintptr_t Code, intptr_t LParam);

  std::vector<const TvxThemeClass*> FClasses;
  std::vector<TObject*> FClients;
  HWND FHandle = nullptr;
  std::unique_ptr<TvxTheme> FCurrentTheme;
  std::vector<std::pair<const TFont*, std::unique_ptr<TFont>>> FFonts;
};

TvxThemeManager& ThemeManager();

// For the library's own theme classes, announced while the program starts: listed by the
// manager when it is made (or at once, when it exists), once however often announced.
void RegisterBuiltinThemeClass(const TvxThemeClass& ThemeClass);

void RegisterThemeClass(const TvxThemeClass& ThemeClass);
void UnregisterThemeClass(const TvxThemeClass& ThemeClass);
Integer ThemeClassCount();
const TvxThemeClass* ThemeClasses(Integer Index);
void RegisterThemeClient(TObject* Client);
void UnregisterThemeClient(TObject* Client);
TvxTheme* CurrentTheme();
bool IsCurrentTheme(const TvxTheme* Theme);
void SetCurrentTheme(std::unique_ptr<TvxTheme> Theme);
void RemoveCurrentTheme();
void SetCurrentDeltaHue(Integer Value);
void SetCurrentDeltaBrightness(Integer Value);
void SetCurrentDeltas(Integer Hue, Integer Brightness);
void GetThemeFilter(std::string& Filter);
const TvxThemeClass* FindThemeClassForFile(const std::string& FileName);
std::unique_ptr<TvxTheme> LoadThemeFromFile(const std::string& FileName);
std::unique_ptr<TvxTheme> LoadThemeFromStream(TStream& Stream);
void SaveThemeToStream(TvxTheme* Theme, TStream& Stream);
void StoreFont(const TFont* Font);
void RestoreFont(TFont* Font);
void ForgetFont(const TFont* Font);
void NotifyThemeSet(TComponent* Control);
void NotifyThemeRemoved(TComponent* Control);
