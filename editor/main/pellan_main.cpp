// pellan [skin-file]: the skin editor. Opens the file when one is given, else a new skin.
#include <windows.h>

#include <exception>

#include "editor/main/about_form.h"
#include "editor/main/main_form.h"
#include "framework/ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Application->Initialize();
    Application->SetTitle("Pellan");
    Application->CreateForm<TfrmMain>();
    frmAbout = Application->CreateForm<TfrmAbout>();
    Application->Run();
  } catch (const std::exception& E) {
    // Only a start that failed gets here; later errors are shown by the message loop.
    Application->ShowException(E);
    return 1;
  }
  return 0;
}
