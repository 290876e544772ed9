// The theme engine component and the theme list.
//
// An application drops a TVxVexel on a form and chooses the current theme in one of three ways:
// a theme file (ThemeFile), an item of a theme list stored in the form (ThemeList and
// ThemeIndex), or the name of a theme drawn by code (ThemeBuilding). The engine makes it current
// through the theme manager (which owns it), applies its hue and brightness shifts, and keeps the
// three properties in step with the current theme, also when someone else changes it.
//
// TVxThemeList stores whole themes inside the form file, one TVxThemeStream item each.
// Windows only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/collection.h"
#include "framework/core/component.h"
#include "vexel/theme/vx_theme.h"

class TVxThemeList;

// Translatable: ThemeBuilding when no theme drawn by code is chosen.
extern const char* const SNoTheme;

// One stored theme: its bytes (Data) and its name (ThemeStore), written as the binary property
// "ThemeStream".
class TVxThemeStream : public TCollectionItem {
 public:
  explicit TVxThemeStream(TCollection* Collection);
  ~TVxThemeStream() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  std::string DisplayName() const override { return FThemeStore; }

  // A new theme from Data, which the caller owns; nil when Data is empty or does not load.
  std::unique_ptr<TvxTheme> CreateTheme();

  TMemoryStream& Data() const { return *FData; }
  // The stored theme's name, "(empty)" until a theme is stored. Read-only as a property.
  const std::string& ThemeStore() const { return FThemeStore; }
  void SetThemeStore(const std::string&) {}
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  // Only while a form of the old layout is read: the theme read from it, freed when the list
  // finishes loading.
  TvxTheme* Theme() const { return FTheme.get(); }
  void FreeTheme() { FTheme.reset(); }

  // Stores Theme (through the manager's SaveThemeToStream) under the theme's name; a theme whose
  // class cannot be streamed leaves the item empty.
  void StoreTheme(TvxTheme* Theme);

 private:
  void ReadThemeStream(TStream& Stream);
  void WriteThemeStream(TStream& Stream) const;

  std::unique_ptr<TvxTheme> FTheme;
  std::unique_ptr<TMemoryStream> FData;
  std::string FThemeStore;
  Integer FTag = 0;
};

class TVxThemeCollection : public TCollection {
 public:
  explicit TVxThemeCollection(TVxThemeList* Owner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TVxThemeStream* Items(Integer Index) const { return static_cast<TVxThemeStream*>(TCollection::Items(Index)); }
  TVxThemeStream* Add() { return static_cast<TVxThemeStream*>(TCollection::Add()); }
};

class TVxThemeList : public TComponent {
 public:
  explicit TVxThemeList(TComponent* Owner = nullptr);
  ~TVxThemeList() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Loaded() override;

  TVxThemeCollection* Themes() const { return FThemes.get(); }
  std::string Version() const { return "4.03"; }
  void SetVersion(const std::string&) {}

 private:
  std::unique_ptr<TVxThemeCollection> FThemes;
};

class TVxVexel : public TComponent {
 public:
  explicit TVxVexel(TComponent* Owner = nullptr);
  ~TVxVexel() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Loaded() override;
  // Hears TM_THEMECHANGE.
  void Dispatch(TMessage& Message) override;

  // Shifts act on whatever theme is current, and on every theme chosen through the engine.
  Integer DeltaHue() const { return FDeltaHue; }
  void SetDeltaHue(Integer Value);
  Integer DeltaBrightness() const { return FDeltaBrightness; }
  void SetDeltaBrightness(Integer Value);
  const std::string& ThemeFile() const { return FThemeFile; }
  void SetThemeFile(const std::string& Value);
  TVxThemeList* ThemeList() const { return FThemeList; }
  void SetThemeList(TVxThemeList* Value);
  Integer ThemeIndex() const { return FThemeIndex; }
  void SetThemeIndex(Integer Value);
  const std::string& ThemeBuilding() const { return FThemeBuilding; }
  void SetThemeBuilding(const std::string& Value);
  std::string Version() const { return "4.03"; }
  void SetVersion(const std::string&) {}

  // After the current theme was set, replaced or removed, by this engine or anyone else.
  std::function<void(TObject* Sender)> OnThemeChanged;

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  void ApplyShifts();
  void ThemeChanged(uintptr_t Code);
  bool Busy() const;

  Integer FDeltaHue = 0;
  Integer FDeltaBrightness = 0;
  std::string FThemeFile;
  TVxThemeList* FThemeList = nullptr;
  Integer FThemeIndex = -1;
  std::string FThemeBuilding;
};
