// The editor's questions asked with the framework's message boxes and file dialogs (so they go
// through the dialog seam like every modal dialog).
#pragma once

#include "editor/core/editor_prompts.h"

class TOpenDialog;
class TSaveDialog;

class TWindowPrompts : public TEditorPrompts {
 public:
  // The dialogs belong to the window; they are set up here once: the default extension of the
  // default skin filter and the filter of every registered theme file.
  TWindowPrompts(TOpenDialog& OpenDialog, TSaveDialog& SaveDialog);

  TPromptAnswer Confirm(const std::string& Text) override;
  std::optional<std::string> ChooseOpenFile(const std::string& Title, const std::string& InitialName) override;
  std::optional<std::string> ChooseSaveFile(const std::string& Title, const std::string& InitialName) override;
  void ShowMessage(const std::string& Text) override;

 private:
  TOpenDialog& FOpenDialog;
  TSaveDialog& FSaveDialog;
};
