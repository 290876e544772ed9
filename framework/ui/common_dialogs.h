// The platform's common dialogs: open, save, colour and font. Execute goes through the dialog
// seam (ExecuteDialog) with the dialog's Kind and the dialog object as Data, so a handler can
// fill in the answer fields (FileName, Files, FilterIndex, Color, Font) and answer mrOk or
// mrCancel; without a handler the platform's dialog runs. A cancelled dialog keeps the values
// it had before Execute, whatever the handler wrote.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/set.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/font.h"

class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* Owner = nullptr) : TComponent(Owner) {}
  // True when the user accepted the dialog.
  virtual bool Execute() = 0;
  // The dialog kind the seam sees.
  virtual const char* Kind() const = 0;
};

enum class TOpenOption {
  ofReadOnly,          // the read-only box is (or was) ticked
  ofOverwritePrompt,   // save: asks before replacing an existing file
  ofHideReadOnly,      // no read-only box
  ofNoChangeDir,       // the current folder stays as it was
  ofAllowMultiSelect,  // open: Files holds every chosen file
  ofPathMustExist,
  ofFileMustExist,  // open: only existing files
  ofCreatePrompt,   // open: asks before naming a file that does not exist
  ofNoValidate,
  ofEnableSizing,  // the dialog can be resized
};
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* Owner = nullptr);
  ~TOpenDialog() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  // Every chosen file (with ofAllowMultiSelect); FileName is the first.
  const std::vector<std::string>& Files() const { return FFiles; }
  void SetFiles(std::vector<std::string> Value) { FFiles = std::move(Value); }
  // Pairs of description and patterns: "Skins|*.kskn;*.mskn|All files|*.*".
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  // 1-based: the filter entry selected when the dialog opens, and the one chosen.
  Integer FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
  // Appended (without its dot) to a file name typed without an extension.
  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& Value);
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }

  bool Execute() override;
  const char* Kind() const override { return "OpenDialog"; }

 protected:
  // Runs the platform's dialog and reads its answer into the fields.
  virtual bool RunPlatform();
  bool RunFileDialog(bool Save);

 private:
  std::string FFileName;
  std::vector<std::string> FFiles;
  std::string FFilter;
  Integer FFilterIndex = 1;
  std::string FDefaultExt;
  std::string FInitialDir;
  std::string FTitle;
  TOpenOptions FOptions{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* Owner = nullptr) : TOpenDialog(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  const char* Kind() const override { return "SaveDialog"; }

 protected:
  bool RunPlatform() override;
};

class TColorDialog : public TCommonDialog {
 public:
  explicit TColorDialog(TComponent* Owner = nullptr) : TCommonDialog(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Shown when the dialog opens (system colours as what they stand for now); the choice after.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }

  bool Execute() override;
  const char* Kind() const override { return "ColorDialog"; }

 private:
  TColor FColor = clBlack;
  std::array<uint32_t, 16> FCustomColors{};
};

class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* Owner = nullptr);
  ~TFontDialog() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Shown when the dialog opens; the choice after.
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }

  bool Execute() override;
  const char* Kind() const override { return "FontDialog"; }

 private:
  std::unique_ptr<TFont> FFont;
};
