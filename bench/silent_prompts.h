// The editor's prompts with no person at the screen: every question is cancelled, no file is
// chosen, messages go nowhere.
#pragma once

#include "editor/core/editor_prompts.h"

class TSilentPrompts : public TEditorPrompts {
 public:
  TPromptAnswer Confirm(const std::string&) override { return TPromptAnswer::paCancel; }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override { return {}; }
  void ShowMessage(const std::string&) override {}
};
