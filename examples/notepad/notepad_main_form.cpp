#include "examples/notepad/notepad_main_form.h"

#include <windows.h>

#include <exception>
#include <functional>

#include "examples/notepad/notepad_text_file.h"
#include "framework/core/sysutils.h"
#include "framework/ui/application.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/dialogs.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_statusbar.h"
#include "vexel/controls/vx_toolbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

const char* const TextFilter = "Text files (*.txt)|*.txt|All files (*.*)|*.*";

TVxItem* AddItem(TVxItem* Parent, const wchar_t* Caption, TShortCut Key = scNone,
                 std::function<void()> Click = nullptr) {
  auto* Item = new TVxItem(Parent->Owner());
  Item->SetCaption(Caption);
  Item->SetShortCut(Key);
  if (Click) Item->OnClick = [Click](TObject*) { Click(); };
  Parent->Add(Item);
  return Item;
}

std::string BaseName(const std::string& Path) {
  const size_t Slash = Path.find_last_of("\\/:");
  return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

}  // namespace

void TNotepadMemo::SetMargin(int Value) {
  FMargin = Value;
  ApplyMargin();
}

void TNotepadMemo::CreateWnd() {
  TMemo::CreateWnd();
  ApplyMargin();
}

void TNotepadMemo::ApplyMargin() {
  if (HandleAllocated())
    SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(FMargin, FMargin));
}

TfrmNotepad::TfrmNotepad(TComponent* Owner) : TForm(Owner) {
  // Skinned by three lines: a theme engine, the skin it loads, a form-skinning component.
  VX = new TVxVexel(this);
  VX->SetThemeFile(SampleSkinFileName());
  ThemeForm = new TVxForm(this);

  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(632);
  SetClientHeight(400);
  ThemeForm->SetBorderIcons(
      {TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu, TVxBorderIcon::kbiMinimize, TVxBorderIcon::kbiMaximize});

  CreateMenu();
  CreateToolBar();
  CreateStatusBar();
  Memo = new TNotepadMemo(this);
  Memo->SetAlign(TAlign::alClient);
  Memo->SetScrollBars(TScrollStyle::ssVertical);
  Memo->SetParent(this);
  Memo->OnChange = [this](TObject*) {
    if (!FLoading && !FModified) {
      FModified = true;
      ShowCaption();
    }
    ShowPosition();
  };
  Memo->OnKeyUp = [this](TObject*, uint16_t&, TShiftState) { ShowPosition(); };
  Memo->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { ShowPosition(); };

  OnCloseQuery = [this](TObject*, bool& CanClose) { CanClose = ConfirmDiscard(); };
  VX->OnThemeChanged = [this](TObject*) { ThemeChanged(); };
  ApplyOptions(FOptions);
  SetDocument("", "");
  ThemeChanged();
}

std::string TfrmNotepad::SampleSkinFileName() { return ExecutableFolder() + "PellanSlate.kskn"; }

void TfrmNotepad::CreateMenu() {
  MenuBar = new TVxMenuBar(this);
  MenuBar->SetAlign(TAlign::alTop);
  MenuBar->SetParent(this);
  TVxItem* Root = MenuBar->Items();

  FileMenu = AddItem(Root, L"&File");
  AddItem(FileMenu, L"&New", scCtrl | 'N', [this] { NewCommand(); });
  AddItem(FileMenu, L"&Open...", scCtrl | 'O', [this] { OpenCommand(); });
  AddItem(FileMenu, L"&Save", scCtrl | 'S', [this] { SaveCommand(); });
  AddItem(FileMenu, L"Save &As...", scNone, [this] { SaveAsCommand(); });
  AddItem(FileMenu, L"-");
  ExitItem = AddItem(FileMenu, L"E&xit", scNone, [this] { Close(); });

  // The edit area does the work.
  TVxItem* Edit = AddItem(Root, L"&Edit");
  AddItem(Edit, L"Cu&t", scCtrl | 'X', [this] { SendMessageW(Memo->Handle(), WM_CUT, 0, 0); });
  AddItem(Edit, L"&Copy", scCtrl | 'C', [this] { SendMessageW(Memo->Handle(), WM_COPY, 0, 0); });
  AddItem(Edit, L"&Paste", scCtrl | 'V', [this] { SendMessageW(Memo->Handle(), WM_PASTE, 0, 0); });
  AddItem(Edit, L"-");
  AddItem(Edit, L"Select &All", scCtrl | 'A', [this] { Memo->SelectAll(); });

  TVxItem* Theme = AddItem(Root, L"&Theme");
  const struct {
    const wchar_t* Caption;
    TNotepadTheme Kind;
  } Themes[] = {{L"&Sample skin", TNotepadTheme::ntSkin},
                {L"&Flat", TNotepadTheme::ntFlat},
                {L"&Office XP", TNotepadTheme::ntOfficeXP},
                {L"&None", TNotepadTheme::ntNone}};
  for (const auto& T : Themes)
    ThemeItems[int(T.Kind)] = AddItem(Theme, T.Caption, scNone, [this, Kind = T.Kind] { SelectTheme(Kind); });

  TVxItem* Tools = AddItem(Root, L"T&ools");
  OptionsItem = AddItem(Tools, L"&Options...", scNone, [this] { OptionsCommand(); });
  TVxItem* Help = AddItem(Root, L"&Help");
  AddItem(Help, L"&About", scNone, [] {
    ShowMessageBox("Notepad\n\nA small text editor skinned by Vexel.", "About Notepad", TMsgDlgType::mtInformation,
                   {TMsgDlgBtn::mbOK});
  });
  MenuBar->ItemsChanged();
  ThemeForm->SetMenuBar(MenuBar);
}

void TfrmNotepad::CreateToolBar() {
  ToolBar = new TVxToolBar(this);
  ToolBar->SetAlign(TAlign::alTop);
  ToolBar->SetHeight(29);
  ToolBar->SetButtonAutoSize(false);
  ToolBar->SetParent(this);
  const struct {
    const char* Caption;
    const char* Hint;
    std::function<void()> Click;
  } Buttons[] = {
      {"New", "Start a new document", [this] { NewCommand(); }},
      {"Open", "Open a text file", [this] { OpenCommand(); }},
      {"Save", "Save the document", [this] { SaveCommand(); }},
      {"Cut", "Cut the selection", [this] { SendMessageW(Memo->Handle(), WM_CUT, 0, 0); }},
      {"Copy", "Copy the selection", [this] { SendMessageW(Memo->Handle(), WM_COPY, 0, 0); }},
      {"Paste", "Paste", [this] { SendMessageW(Memo->Handle(), WM_PASTE, 0, 0); }},
  };
  // The bar lines its children up by position: each one placed past the last goes at the end.
  const Integer End = 10000;
  for (int I = 0; I < 6; ++I) {
    if (I == 3) {
      auto* Divider = new TVxSpeedDivider(this);
      Divider->SetBounds(End, 0, 8, 25);
      Divider->SetParent(ToolBar);
    }
    auto* B = new TVxSpeedButton(this);
    B->SetBounds(End, 0, 52, 25);
    B->SetCaption(Buttons[I].Caption);
    B->SetHint(Buttons[I].Hint);
    B->SetShowHint(true);
    B->SetFlat(true);
    B->OnClick = [Click = Buttons[I].Click](TObject*) { Click(); };
    B->SetParent(ToolBar);
    ToolButtons[I] = B;
  }
}

void TfrmNotepad::CreateStatusBar() {
  StatusBar = new TVxStatusBar(this);
  StatusBar->SetAlign(TAlign::alBottom);
  StatusBar->SetHeight(22);
  StatusBar->SetParent(this);
  for (Integer Width : {120, 130, 150}) StatusBar->Panels()->Add()->SetWidth(Width);
  StatusBar->Panels()->Items(2)->SetStretchPriority(1);
}

void TfrmNotepad::SelectTheme(TNotepadTheme Theme) {
  switch (Theme) {
    case TNotepadTheme::ntSkin:
      VX->SetThemeFile(SampleSkinFileName());
      if (!CurrentTheme())
        ShowMessageBox("The sample skin " + SampleSkinFileName() + " could not be loaded.", "Notepad",
                       TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
      break;
    case TNotepadTheme::ntFlat: VX->SetThemeBuilding("Flat"); break;
    case TNotepadTheme::ntOfficeXP: VX->SetThemeBuilding("OfficeXP"); break;
    case TNotepadTheme::ntNone: VX->SetThemeFile(""); break;
  }
  // Every switch, a failed one too, reaches ThemeChanged through the engine's OnThemeChanged.
}

// Told while the engine is still switching, so the theme itself says what it is, not the
// engine's properties.
void TfrmNotepad::ThemeChanged() {
  const TvxTheme* Theme = CurrentTheme();
  const std::string Builtin =
      Theme && Theme->ThemeClass().GetFileInfo().Builtin ? Theme->ThemeClass().GetThemeName() : "";
  if (!Theme)
    FShownTheme = TNotepadTheme::ntNone;
  else if (SameText(Builtin, "Flat"))
    FShownTheme = TNotepadTheme::ntFlat;
  else if (SameText(Builtin, "OfficeXP"))
    FShownTheme = TNotepadTheme::ntOfficeXP;
  else
    FShownTheme = TNotepadTheme::ntSkin;
  for (int I = 0; I < 4; ++I)
    if (ThemeItems[I]) ThemeItems[I]->SetChecked(I == int(FShownTheme));
  // The built-in themes carry no name of their own.
  const char* Names[] = {"", "Flat", "Office XP", "none"};
  const std::string Name = FShownTheme == TNotepadTheme::ntSkin ? Theme->Name() : Names[int(FShownTheme)];
  if (StatusBar) StatusBar->Panels()->Items(2)->SetAnsiText("Theme: " + Name);
}

bool TfrmNotepad::OpenFile(const std::string& FileName) {
  std::string Text;
  try {
    Text = LoadTextFile(FileName);
  } catch (const std::exception& E) {
    ShowMessageBox(std::string("Cannot open the file.\n\n") + E.what(), "Notepad", TMsgDlgType::mtError,
                   {TMsgDlgBtn::mbOK});
    return false;
  }
  SetDocument(Text, FileName);
  return true;
}

bool TfrmNotepad::SaveFile(const std::string& FileName) {
  try {
    SaveTextFile(FileName, Memo->Text());
  } catch (const std::exception& E) {
    ShowMessageBox(std::string("Cannot save the file.\n\n") + E.what(), "Notepad", TMsgDlgType::mtError,
                   {TMsgDlgBtn::mbOK});
    return false;
  }
  FFileName = FileName;
  FModified = false;
  ShowCaption();
  return true;
}

void TfrmNotepad::NewCommand() {
  if (ConfirmDiscard()) SetDocument("", "");
}

void TfrmNotepad::OpenCommand() {
  if (!ConfirmDiscard()) return;
  TOpenDialog Dialog;
  Dialog.SetFilter(TextFilter);
  Dialog.SetOptions({TOpenOption::ofHideReadOnly, TOpenOption::ofFileMustExist, TOpenOption::ofEnableSizing});
  if (Dialog.Execute()) OpenFile(Dialog.FileName());
}

bool TfrmNotepad::SaveCommand() { return FFileName.empty() ? SaveAsCommand() : SaveFile(FFileName); }

bool TfrmNotepad::SaveAsCommand() {
  TSaveDialog Dialog;
  Dialog.SetFilter(TextFilter);
  Dialog.SetDefaultExt("txt");
  Dialog.SetFileName(FFileName);
  Dialog.SetOptions({TOpenOption::ofHideReadOnly, TOpenOption::ofOverwritePrompt, TOpenOption::ofEnableSizing});
  return Dialog.Execute() && SaveFile(Dialog.FileName());
}

bool TfrmNotepad::ConfirmDiscard() {
  if (!FModified) return true;
  const std::string Name = FFileName.empty() ? "Untitled" : BaseName(FFileName);
  switch (ShowMessageBox("Save changes to " + Name + "?", "Notepad", TMsgDlgType::mtConfirmation,
                         {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel})) {
    case mrYes: return SaveCommand();
    case mrNo: return true;
    default: return false;
  }
}

void TfrmNotepad::OptionsCommand() {
  TfrmOptions Dialog(nullptr);
  Dialog.SetOptions(FOptions);
  if (Dialog.ShowModal() == mrOk) ApplyOptions(Dialog.Options());
}

void TfrmNotepad::ApplyOptions(const TNotepadOptions& Options) {
  FOptions = Options;
  Memo->SetWordWrap(Options.WordWrap);
  Memo->SetScrollBars(Options.WordWrap ? TScrollStyle::ssVertical : TScrollStyle::ssBoth);
  Memo->Font()->SetSize(Options.FontSize);
  // A new font resets the edit control's margins.
  Memo->SetMargin(Options.Margin);
  StatusBar->SetVisible(Options.StatusBarVisible);
}

void TfrmNotepad::SetDocument(const std::string& Text, const std::string& FileName) {
  FLoading = true;
  Memo->SetText(Text);
  FLoading = false;
  FFileName = FileName;
  FModified = false;
  ShowCaption();
  ShowPosition();
}

void TfrmNotepad::ShowCaption() {
  const std::string Caption =
      (FModified ? "*" : "") + (FFileName.empty() ? std::string("Untitled") : BaseName(FFileName)) + " - Notepad";
  SetCaption(Caption);
  ThemeForm->SetCaption(AnsiToWideCP(CP_ACP, Caption));
}

void TfrmNotepad::ShowPosition() {
  if (!StatusBar || !Memo->HandleAllocated()) return;
  DWORD Start = 0;
  SendMessageW(Memo->Handle(), EM_GETSEL, WPARAM(&Start), 0);
  const LRESULT Line = SendMessageW(Memo->Handle(), EM_LINEFROMCHAR, Start, 0);
  const LRESULT Column = LRESULT(Start) - SendMessageW(Memo->Handle(), EM_LINEINDEX, Line, 0);
  StatusBar->Panels()->Items(0)->SetAnsiText("Ln " + std::to_string(Line + 1) + ", Col " + std::to_string(Column + 1));
  StatusBar->Panels()->Items(1)->SetAnsiText(std::to_string(GetWindowTextLengthW(Memo->Handle())) + " characters");
}
