#include "editor/main/window_prompts.h"

#include "framework/ui/common_dialogs.h"
#include "framework/ui/dialogs.h"
#include "vexel/skin/theme_dv3filters.h"
#include "vexel/theme/vx_theme_manager.h"

TWindowPrompts::TWindowPrompts(TOpenDialog& OpenDialog, TSaveDialog& SaveDialog)
    : FOpenDialog(OpenDialog), FSaveDialog(SaveDialog) {
  const std::string Extension = DefaultSkinFilter()()->GetExtension();
  std::string Filter;
  GetThemeFilter(Filter);
  for (TOpenDialog* Dialog : {&FOpenDialog, static_cast<TOpenDialog*>(&FSaveDialog)}) {
    Dialog->SetDefaultExt(Extension);
    Dialog->SetFilter(Filter);
  }
  FSaveDialog.SetOptions({TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing});
}

TPromptAnswer TWindowPrompts::Confirm(const std::string& Text) {
  switch (MessageDlg(Text, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel})) {
    case mrYes: return TPromptAnswer::paYes;
    case mrNo: return TPromptAnswer::paNo;
    default: return TPromptAnswer::paCancel;
  }
}

std::optional<std::string> TWindowPrompts::ChooseOpenFile(const std::string& Title, const std::string& InitialName) {
  FOpenDialog.SetTitle(Title);
  FOpenDialog.SetFileName(InitialName);
  if (!FOpenDialog.Execute()) return std::nullopt;
  return FOpenDialog.FileName();
}

std::optional<std::string> TWindowPrompts::ChooseSaveFile(const std::string& Title, const std::string& InitialName) {
  FSaveDialog.SetTitle(Title);
  FSaveDialog.SetFileName(InitialName);
  // The first entry matches every variant; the second is the first variant of its own.
  FSaveDialog.SetFilterIndex(2);
  if (!FSaveDialog.Execute()) return std::nullopt;
  return FSaveDialog.FileName();
}

void TWindowPrompts::ShowMessage(const std::string& Text) { ::ShowMessage(Text); }
