// The notepad's main window: a text editor with a menu bar, a tool bar, an edit area and a
// status bar, skinned by a theme engine and a form-skinning component. Opens with the sample
// skin found beside the program; the Theme menu switches to the built-in themes or to none.
#pragma once

#include <string>

#include "examples/notepad/notepad_options_form.h"
#include "framework/ui/forms.h"
#include "framework/ui/memo.h"

class TVxForm;
class TVxItem;
class TVxMenuBar;
class TVxSpeedButton;
class TVxStatusBar;
class TVxToolBar;
class TVxVexel;

enum class TNotepadTheme { ntSkin, ntFlat, ntOfficeXP, ntNone };

// The edit area: a memo that keeps its text margins when its window is made again.
class TNotepadMemo : public TMemo {
 public:
  using TMemo::TMemo;
  // Pixels left and right of the text.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);

 protected:
  void CreateWnd() override;

 private:
  void ApplyMargin();
  int FMargin = 0;
};

class TfrmNotepad : public TForm {
 public:
  explicit TfrmNotepad(TComponent* Owner);

  // "PellanSlate.kskn" beside the program.
  static std::string SampleSkinFileName();

  // [Themes] What the Theme menu's items do; the checked item and the status bar follow.
  void SelectTheme(TNotepadTheme Theme);
  TNotepadTheme ShownTheme() const { return FShownTheme; }

  // [Files] Each answers whether it did its work; a file that cannot be read or written gives
  // a message naming it and the reason, and the document stays as it was.
  bool OpenFile(const std::string& FileName);
  bool SaveFile(const std::string& FileName);
  // The commands of the File menu; each that would drop changes asks first.
  void NewCommand();
  void OpenCommand();
  bool SaveCommand();
  bool SaveAsCommand();
  // Unsaved changes: asks whether to save them; false when the user cancels or saving failed.
  bool ConfirmDiscard();
  // Text as an unmodified document named FileName (empty: untitled).
  void SetDocument(const std::string& Text, const std::string& FileName);
  const std::string& FileName() const { return FFileName; }
  bool Modified() const { return FModified; }

  // [Options] Shows the options dialog and applies what it answers with OK.
  void OptionsCommand();
  void ApplyOptions(const TNotepadOptions& Options);
  const TNotepadOptions& Options() const { return FOptions; }

  // [Parts]
  // Skinned by these two and the sample skin.
  TVxVexel* VX = nullptr;
  TVxForm* ThemeForm = nullptr;
  TVxMenuBar* MenuBar = nullptr;
  TVxItem* FileMenu = nullptr;
  TVxItem* ExitItem = nullptr;
  TVxItem* ThemeItems[4] = {};  // by TNotepadTheme
  TVxItem* OptionsItem = nullptr;
  TVxToolBar* ToolBar = nullptr;
  // New, Open, Save, Cut, Copy, Paste.
  TVxSpeedButton* ToolButtons[6] = {};
  TNotepadMemo* Memo = nullptr;
  TVxStatusBar* StatusBar = nullptr;

 private:
  void CreateMenu();
  void CreateToolBar();
  void CreateStatusBar();
  void ThemeChanged();
  void ShowCaption();
  void ShowPosition();

  TNotepadOptions FOptions;
  TNotepadTheme FShownTheme = TNotepadTheme::ntNone;
  std::string FFileName;
  bool FModified = false;
  bool FLoading = false;
};
