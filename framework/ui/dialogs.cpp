#include "framework/ui/dialogs.h"

#include <windows.h>

#include "framework/ui/application.h"

namespace {

TDialogHandler& InstalledHandler() {
  static TDialogHandler Handler;
  return Handler;
}

bool Has(TMsgDlgButtons Buttons, TMsgDlgBtn B) { return Buttons.Contains(B); }

// The button set the platform's message box shows for Buttons.
TMsgDlgButtons BoxButtons(TMsgDlgButtons Buttons, UINT& Flags) {
  using enum TMsgDlgBtn;
  if (Buttons == TMsgDlgButtons{mbOK} || Buttons.Empty()) {
    Flags = MB_OK;
    return {mbOK};
  }
  if (Buttons == TMsgDlgButtons{mbAbort, mbRetry, mbIgnore}) {
    Flags = MB_ABORTRETRYIGNORE;
    return Buttons;
  }
  if (Buttons == TMsgDlgButtons{mbRetry, mbCancel}) {
    Flags = MB_RETRYCANCEL;
    return Buttons;
  }
  if (Has(Buttons, mbYes) || Has(Buttons, mbNo)) {
    if (Has(Buttons, mbCancel)) {
      Flags = MB_YESNOCANCEL;
      return {mbYes, mbNo, mbCancel};
    }
    Flags = MB_YESNO;
    return {mbYes, mbNo};
  }
  if (Has(Buttons, mbCancel)) {
    Flags = MB_OKCANCEL;
    return {mbOK, mbCancel};
  }
  Flags = MB_OK;
  return {mbOK};
}

UINT IconFlag(TMsgDlgType Type) {
  switch (Type) {
    case TMsgDlgType::mtWarning: return MB_ICONWARNING;
    case TMsgDlgType::mtError: return MB_ICONERROR;
    case TMsgDlgType::mtInformation: return MB_ICONINFORMATION;
    case TMsgDlgType::mtConfirmation: return MB_ICONQUESTION;
    case TMsgDlgType::mtCustom: return 0;
  }
  return 0;
}

}  // namespace

TDialogHandler SetDialogHandler(TDialogHandler Handler) {
  TDialogHandler Old = std::move(InstalledHandler());
  InstalledHandler() = std::move(Handler);
  return Old;
}

TModalResult ExecuteDialog(const TDialogRequest& Request, const std::function<TModalResult()>& Platform) {
  if (TDialogHandler& Handler = InstalledHandler()) return Handler(Request);
  return Platform();
}

TModalResult ShowMessageBox(const std::string& Text, const std::string& Caption, TMsgDlgType DlgType,
                            TMsgDlgButtons Buttons) {
  TDialogRequest Request;
  Request.Kind = "MessageBox";
  Request.Text = Text;
  Request.Caption = Caption.empty() && Application ? Application->Title() : Caption;
  Request.DlgType = DlgType;
  UINT Flags = 0;
  Request.Buttons = BoxButtons(Buttons, Flags);
  return ExecuteDialog(Request, [&] {
    // The platform's answers (IDOK ... IDNO) have the modal results' values.
    return TModalResult(MessageBoxA(GetActiveWindow(), Request.Text.c_str(), Request.Caption.c_str(),
                                    Flags | IconFlag(DlgType) | MB_TASKMODAL));
  });
}

TModalResult MessageDlg(const std::string& Text, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  const char* Caption = "";
  switch (DlgType) {
    case TMsgDlgType::mtWarning: Caption = "Warning"; break;
    case TMsgDlgType::mtError: Caption = "Error"; break;
    case TMsgDlgType::mtInformation: Caption = "Information"; break;
    case TMsgDlgType::mtConfirmation: Caption = "Confirm"; break;
    case TMsgDlgType::mtCustom: break;
  }
  return ShowMessageBox(Text, Caption, DlgType, Buttons);
}

void ShowMessage(const std::string& Text) { ShowMessageBox(Text, "", TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK}); }
