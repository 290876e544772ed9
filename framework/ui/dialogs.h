// Message boxes and, later, the common dialogs: every modal dialog of the framework goes through
// one replaceable handler, so that tests (and scripted runs) answer dialogs without a person.
// Without a handler the platform's dialog is shown.
#pragma once

#include <functional>
#include <string>

#include "framework/core/set.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7;

// What a dialog asks. Kind names the dialog ("MessageBox" here; the common dialogs add theirs);
// the open/save/colour/font dialogs carry their own fields in Data.
struct TDialogRequest {
  std::string Kind;
  std::string Text;
  std::string Caption;
  TMsgDlgType DlgType = TMsgDlgType::mtCustom;
  TMsgDlgButtons Buttons;
  void* Data = nullptr;
};

// Answers a request with a modal result (mrNone counts as cancelled).
using TDialogHandler = std::function<TModalResult(const TDialogRequest& Request)>;

// Installs Handler for every later dialog and answers the one it replaces; nil restores the
// platform's dialogs.
TDialogHandler SetDialogHandler(TDialogHandler Handler);
// Runs Request through the installed handler, or the platform's dialog when there is none.
// Platform is what shows the real dialog.
TModalResult ExecuteDialog(const TDialogRequest& Request, const std::function<TModalResult()>& Platform);

// A message box with Text, Caption (the application's title when empty) and Buttons (OK when
// empty); the result is the button chosen. Button sets the platform cannot show as one message
// box fall back to OK, OK/Cancel or Yes/No/Cancel by what they contain.
TModalResult ShowMessageBox(const std::string& Text, const std::string& Caption, TMsgDlgType DlgType,
                            TMsgDlgButtons Buttons);
TModalResult MessageDlg(const std::string& Text, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
void ShowMessage(const std::string& Text);
