// Open, save, colour and font dialogs through the dialog seam.
#include "framework/ui/common_dialogs.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <commdlg.h>

#include <cstring>

#include "framework/ui/dialogs.h"

namespace {

// Large enough for a multiple selection of a few hundred files.
constexpr size_t FileBufferSize = 64 * 1024;

HWND DialogOwner() { return GetActiveWindow(); }

// "A|*.a|B|*.b" in the platform's form: parts separated by zeros, two zeros at the end.
std::string PlatformFilter(const std::string& Filter) {
  if (Filter.empty()) return {};
  std::string Result = Filter;
  for (char& C : Result)
    if (C == '|') C = '\0';
  Result.push_back('\0');
  Result.push_back('\0');
  return Result;
}

// The answer of a file dialog: one full path, or a folder followed by the names in it.
std::vector<std::string> SplitFiles(const char* Buffer) {
  std::vector<std::string> Parts;
  for (const char* P = Buffer; *P; P += std::strlen(P) + 1) Parts.emplace_back(P);
  if (Parts.size() <= 1) return Parts;
  std::string Folder = Parts.front();
  if (!Folder.empty() && Folder.back() != '\\') Folder += '\\';
  std::vector<std::string> Files;
  for (size_t I = 1; I < Parts.size(); ++I) Files.push_back(Folder + Parts[I]);
  return Files;
}

DWORD OpenFlags(TOpenOptions Options) {
  struct TFlag {
    TOpenOption Option;
    DWORD Flag;
  };
  static constexpr TFlag Flags[] = {
      {TOpenOption::ofReadOnly, OFN_READONLY},
      {TOpenOption::ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {TOpenOption::ofHideReadOnly, OFN_HIDEREADONLY},
      {TOpenOption::ofNoChangeDir, OFN_NOCHANGEDIR},
      {TOpenOption::ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {TOpenOption::ofPathMustExist, OFN_PATHMUSTEXIST},
      {TOpenOption::ofFileMustExist, OFN_FILEMUSTEXIST},
      {TOpenOption::ofCreatePrompt, OFN_CREATEPROMPT},
      {TOpenOption::ofNoValidate, OFN_NOVALIDATE},
      {TOpenOption::ofEnableSizing, OFN_ENABLESIZING},
  };
  DWORD Result = OFN_EXPLORER;
  for (const TFlag& F : Flags)
    if (Options.Contains(F.Option)) Result |= F.Flag;
  return Result;
}

// Runs Dialog through the seam; a dialog that is not accepted gets Saved back.
template <typename TState>
bool RunThroughSeam(TCommonDialog& Dialog, const std::string& Caption, TState Saved, void (*Restore)(TState&),
                    const std::function<bool()>& Platform) {
  TDialogRequest Request;
  Request.Kind = Dialog.Kind();
  Request.Caption = Caption;
  Request.Data = &Dialog;
  const TModalResult Result = ExecuteDialog(Request, [&] { return Platform() ? mrOk : mrCancel; });
  if (Result == mrOk) return true;
  Restore(Saved);
  return false;
}

}  // namespace

// [TOpenDialog] ---------------------------------------------------------------------------------

const TClassInfo& TOpenDialog::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt>("DefaultExt"),
      StringProperty<&TOpenDialog::FileName, &TOpenDialog::SetFileName>("FileName"),
      StringProperty<&TOpenDialog::Filter, &TOpenDialog::SetFilter>("Filter"),
      IntegerProperty<&TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex>("FilterIndex", 1),
      StringProperty<&TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir>("InitialDir"),
      StringProperty<&TOpenDialog::Title, &TOpenDialog::SetTitle>("Title"),
  };
  static const TClassInfo Info{
      "TOpenDialog", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TOpenDialog>};
  return Info;
}

TOpenDialog::TOpenDialog(TComponent* Owner) : TCommonDialog(Owner) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetDefaultExt(const std::string& Value) {
  FDefaultExt = !Value.empty() && Value.front() == '.' ? Value.substr(1) : Value;
}

bool TOpenDialog::Execute() {
  struct TState {
    TOpenDialog* Dialog;
    std::string FileName;
    std::vector<std::string> Files;
    Integer FilterIndex;
    TOpenOptions Options;
  };
  const bool Accepted = RunThroughSeam<TState>(
      *this, FTitle, {this, FFileName, FFiles, FFilterIndex, FOptions},
      [](TState& S) {
        S.Dialog->FFileName = S.FileName;
        S.Dialog->FFiles = S.Files;
        S.Dialog->FFilterIndex = S.FilterIndex;
        S.Dialog->FOptions = S.Options;
      },
      [this] { return RunPlatform(); });
  if (!Accepted) return false;
  // A handler may have answered with only one of the two.
  if (FFileName.empty() && !FFiles.empty())
    FFileName = FFiles.front();
  else if (FFiles.empty() || FFiles.front() != FFileName)
    FFiles = {FFileName};
  return true;
}

bool TOpenDialog::RunPlatform() { return RunFileDialog(false); }

bool TOpenDialog::RunFileDialog(bool Save) {
  std::vector<char> Buffer(FileBufferSize, '\0');
  // A name longer than the buffer is cut rather than overrunning it.
  std::memcpy(Buffer.data(), FFileName.data(), std::min(FFileName.size(), Buffer.size() - 2));
  const std::string Filter = PlatformFilter(FFilter);
  OPENFILENAMEA Data{};
  Data.lStructSize = sizeof(Data);
  Data.hwndOwner = DialogOwner();
  Data.lpstrFilter = Filter.empty() ? nullptr : Filter.c_str();
  Data.nFilterIndex = DWORD(std::max<Integer>(FFilterIndex, 0));
  Data.lpstrFile = Buffer.data();
  Data.nMaxFile = DWORD(Buffer.size());
  Data.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  Data.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  Data.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
  Data.Flags = OpenFlags(FOptions);
  if (Save) Data.Flags &= ~DWORD(OFN_ALLOWMULTISELECT);
  const BOOL Accepted = Save ? GetSaveFileNameA(&Data) : GetOpenFileNameA(&Data);
  if (!Accepted) return false;
  FFiles = SplitFiles(Buffer.data());
  FFileName = FFiles.empty() ? std::string() : FFiles.front();
  FFilterIndex = Integer(Data.nFilterIndex);
  if (Data.Flags & OFN_READONLY)
    FOptions.Include(TOpenOption::ofReadOnly);
  else
    FOptions.Exclude(TOpenOption::ofReadOnly);
  return true;
}

// [TSaveDialog] ---------------------------------------------------------------------------------

const TClassInfo& TSaveDialog::StaticClassInfo() {
  static const TClassInfo Info{"TSaveDialog", &TOpenDialog::StaticClassInfo(), {}, {}, &CreateComponent<TSaveDialog>};
  return Info;
}

bool TSaveDialog::RunPlatform() { return RunFileDialog(true); }

// [TColorDialog] --------------------------------------------------------------------------------

const TClassInfo& TColorDialog::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      ColorProperty<&TColorDialog::Color, &TColorDialog::SetColor>("Color", clBlack),
  };
  static const TClassInfo Info{
      "TColorDialog", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TColorDialog>};
  return Info;
}

bool TColorDialog::Execute() {
  struct TState {
    TColorDialog* Dialog;
    TColor Color;
  };
  return RunThroughSeam<TState>(
      *this, "", {this, FColor}, [](TState& S) { S.Dialog->FColor = S.Color; },
      [this] {
        CHOOSECOLORA Data{};
        Data.lStructSize = sizeof(Data);
        Data.hwndOwner = DialogOwner();
        Data.rgbResult = COLORREF(ColorToRGB(FColor));
        Data.lpCustColors = reinterpret_cast<COLORREF*>(FCustomColors.data());
        Data.Flags = CC_RGBINIT | CC_ANYCOLOR;
        if (!ChooseColorA(&Data)) return false;
        FColor = TColor(Data.rgbResult & 0xFFFFFF);
        return true;
      });
}

// [TFontDialog] ---------------------------------------------------------------------------------

const TClassInfo& TFontDialog::StaticClassInfo() {
  static const TClassInfo Info{"TFontDialog", &TComponent::StaticClassInfo(), {}, {}, &CreateComponent<TFontDialog>};
  return Info;
}

TFontDialog::TFontDialog(TComponent* Owner) : TCommonDialog(Owner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute() {
  struct TState {
    TFontDialog* Dialog;
    std::shared_ptr<TFont> Font;
  };
  auto Saved = std::make_shared<TFont>();
  Saved->Assign(FFont.get());
  return RunThroughSeam<TState>(
      *this, "", {this, Saved}, [](TState& S) { S.Dialog->FFont->Assign(S.Font.get()); },
      [this] {
        LOGFONTA Log{};
        Log.lfHeight = FFont->Height();
        Log.lfWeight = FFont->Style().Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
        Log.lfItalic = FFont->Style().Contains(TFontStyle::fsItalic);
        Log.lfUnderline = FFont->Style().Contains(TFontStyle::fsUnderline);
        Log.lfStrikeOut = FFont->Style().Contains(TFontStyle::fsStrikeOut);
        Log.lfCharSet = FFont->Charset();
        std::strncpy(Log.lfFaceName, FFont->Name().c_str(), LF_FACESIZE - 1);
        CHOOSEFONTA Data{};
        Data.lStructSize = sizeof(Data);
        Data.hwndOwner = DialogOwner();
        Data.lpLogFont = &Log;
        Data.rgbColors = COLORREF(ColorToRGB(FFont->Color()));
        Data.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
        if (!ChooseFontA(&Data)) return false;
        TFontStyles Style;
        if (Log.lfWeight >= FW_BOLD) Style.Include(TFontStyle::fsBold);
        if (Log.lfItalic) Style.Include(TFontStyle::fsItalic);
        if (Log.lfUnderline) Style.Include(TFontStyle::fsUnderline);
        if (Log.lfStrikeOut) Style.Include(TFontStyle::fsStrikeOut);
        FFont->SetName(Log.lfFaceName);
        FFont->SetHeight(Log.lfHeight);
        FFont->SetStyle(Style);
        FFont->SetCharset(Log.lfCharSet);
        FFont->SetColor(TColor(Data.rgbColors & 0xFFFFFF));
        return true;
      });
}
