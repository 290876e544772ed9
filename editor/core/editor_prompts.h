// What the editor asks of the person at the screen. The window implements it with message
// boxes and the file dialogs; tests answer from a script. The core never shows anything itself.
#pragma once

#include <optional>
#include <string>

enum class TPromptAnswer { paYes, paNo, paCancel };

class TEditorPrompts {
 public:
  virtual ~TEditorPrompts() = default;
  // A question with the buttons Yes, No and Cancel.
  virtual TPromptAnswer Confirm(const std::string& Text) = 0;
  // The file chosen, or nothing when the dialog was cancelled. The window sets up the filters
  // and the default extension once at start.
  virtual std::optional<std::string> ChooseOpenFile(const std::string& Title, const std::string& InitialName) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const std::string& Title, const std::string& InitialName) = 0;
  // A message with an OK button.
  virtual void ShowMessage(const std::string& Text) = 0;
};
