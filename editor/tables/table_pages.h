// The centre pages of the skin's tables: theme colours, system colours and fonts. Each is a panel
// the main window hosts (it owns it), with a header, an owner-drawn list of the entries and the
// buttons that edit the selected one. The lists hold names only; every item reads its value
// from the open skin when it is drawn, so a new or opened skin needs just a repaint.
#pragma once

#include <memory>
#include <string>

#include "editor/core/theme_tables_model.h"
#include "framework/ui/panel.h"

class TButton;
class TLabel;
class TListBox;
class TSkinDocument;
class TfrmPickColor;

// Header, label, list and the buttons "Pick..." and "Select...".
class TColorTablePage : public TPanel {
 public:
  static constexpr Integer ItemHeight = 28;

  TColorTablePage(TComponent* Owner, TSkinDocument& Document, TfrmPickColor& Picker, TColorTable Table);

  TColorTable Table() const { return FTable; }
  TPanel* Header() const { return FHeader; }
  TListBox* List() const { return FList; }
  TButton* PickButton() const { return FPick; }
  TButton* SelectButton() const { return FSelect; }

  // The picker, modally; with OK the clipboard's text becomes the selected entry (text that is no
  // colour raises EConvertError and changes nothing).
  void Pick();
  // The colour dialog on the selected entry's colour; the chosen colour becomes the entry.
  void Select();

 private:
  void SetEntry(TColor Value);

  TfrmPickColor& FPicker;
  TThemeTablesModel FModel;
  TColorTable FTable;
  TPanel* FHeader = nullptr;
  TLabel* FLabel = nullptr;
  TListBox* FList = nullptr;
  TButton* FPick = nullptr;
  TButton* FSelect = nullptr;
};

// PanelColors: "Colors", the 22 theme colours in ThemeColors.
class TColorsPage : public TColorTablePage {
 public:
  TColorsPage(TComponent* Owner, TSkinDocument& Document, TfrmPickColor& Picker)
      : TColorTablePage(Owner, Document, Picker, TColorTable::ctThemeColors) {}
};

// PanelSysColors: "System Colors", the 26 system colours in ThemeSysColors.
class TSysColorsPage : public TColorTablePage {
 public:
  TSysColorsPage(TComponent* Owner, TSkinDocument& Document, TfrmPickColor& Picker)
      : TColorTablePage(Owner, Document, Picker, TColorTable::ctSysColors) {}
};

// PanelFonts: "Fonts", the 66 fonts in ThemeFonts, and "Change...".
class TFontsPage : public TPanel {
 public:
  static constexpr Integer ItemHeight = 24;

  TFontsPage(TComponent* Owner, TSkinDocument& Document);

  TPanel* Header() const { return FHeader; }
  TListBox* List() const { return FList; }
  TButton* ChangeButton() const { return FChange; }

  // The font dialog on the selected entry's font; the chosen font becomes the entry.
  void Change();

 private:
  TThemeTablesModel FModel;
  TPanel* FHeader = nullptr;
  TListBox* FList = nullptr;
  TButton* FChange = nullptr;
};

// A page header: a strip in the button-shadow colour with Caption in white bold Tahoma 8.
TPanel* CreatePageHeader(TWinControl* Page, const std::string& Caption);
