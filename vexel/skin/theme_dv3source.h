// TDvSkinSource: one skin in memory: five metadata strings, the named images, the top-level
// object trees and the three theme tables. The editor edits it, the filters read and write it,
// the skin theme paints from a copy of it. It owns its images, objects and tables.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vexel/skin/theme_dv3filters.h"
#include "vexel/skin/theme_dv3objects.h"
#include "vexel/theme/vx_theme_tables.h"

class TDvSkinSource : public TComponent {
 public:
  explicit TDvSkinSource(TComponent* Owner = nullptr);
  ~TDvSkinSource() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  // From another source: metadata, copies of the images, clones of the objects bound to the
  // copies, then the font, colour and system-colour tables.
  void Assign(const TPersistent* Source) override;

  const std::string& SkinName() const { return FSkinName; }
  void SetSkinName(const std::string& Value) { FSkinName = Value; }
  const std::string& SkinVersion() const { return FSkinVersion; }
  void SetSkinVersion(const std::string& Value) { FSkinVersion = Value; }
  const std::string& Author() const { return FAuthor; }
  void SetAuthor(const std::string& Value) { FAuthor = Value; }
  const std::string& AuthorEMail() const { return FAuthorEMail; }
  void SetAuthorEMail(const std::string& Value) { FAuthorEMail = Value; }
  const std::string& AuthorURL() const { return FAuthorURL; }
  void SetAuthorURL(const std::string& Value) { FAuthorURL = Value; }

  TvxBitmapList& Images() { return FImages; }
  const TvxBitmapList& Images() const { return FImages; }
  TvxThemeColors& Colors() { return FColors; }
  const TvxThemeColors& Colors() const { return FColors; }
  TvxThemeSysColors& SysColors() { return FSysColors; }
  const TvxThemeSysColors& SysColors() const { return FSysColors; }
  TvxThemeFonts& Fonts() { return FFonts; }
  const TvxThemeFonts& Fonts() const { return FFonts; }

  // Frees every object and image; the tables keep their values.
  void Clear();
  Integer ObjectCount() const { return Integer(FObjects.size()); }
  // Nil outside 0..ObjectCount-1.
  TDvSkinObject* Objects(Integer Index) const;
  // The source frees it from now on.
  void AddObject(std::unique_ptr<TDvSkinObject> Object);
  // Hands the object back without freeing it.
  std::unique_ptr<TDvSkinObject> RemoveObject(TDvSkinObject* Object);
  // Top level only, letter case ignored.
  TDvSkinObject* FindObject(const std::string& Name) const;
  TDvSkinObject* FindObjectByKind(TDvKind Kind) const;
  // The object named "Form", else the first of kind skForm.
  TDvSkinObject* GetFormObject() const;

  // Puts NewImage in OldImage's place under its name, re-binds every link, frees OldImage.
  // Nothing at all without images or objects, or when OldImage is not in the list.
  void ReplaceImage(TvxBitmap* OldImage, std::unique_ptr<TvxBitmap> NewImage);
  void ChangeHue(Integer Delta);
  void ChangeBrightness(Integer Delta);
  // Fills colours and fonts from objects with well-known names (for files without tables).
  void UpdateThemeTables();
  // The first skClient object of each tree is not part of the window's shape.
  void ResetClientMasks();

  // Clears the source, reads Stream through a filter of Class, then ResetClientMasks; answers
  // which tables the content carried.
  TDvSkinTables LoadWithFilter(TStream& Stream, TDvSkinFilterClass Class);
  void SaveWithFilter(TStream& Stream, TDvSkinFilterClass Class) const;
  // Variant chosen by the stream's tag, else the default filter.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;
  // Variant chosen by extension; see the filters for names without one.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;

 private:
  std::string FSkinName = "Vexel Theme";
  std::string FSkinVersion = "3.5";
  std::string FAuthor = "The Vexel developers";
  std::string FAuthorEMail = "support@vexel.invalid";
  std::string FAuthorURL = "https://vexel.invalid";
  std::vector<std::unique_ptr<TDvSkinObject>> FObjects;
  TvxBitmapList FImages;
  TvxThemeColors FColors;
  TvxThemeSysColors FSysColors;
  TvxThemeFonts FFonts;
};
