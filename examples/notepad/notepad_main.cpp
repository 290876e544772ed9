// notepad [file]: a small text editor skinned by Vexel; opens the file when one is given.
#include <windows.h>

#include <exception>

#include "examples/notepad/notepad_main_form.h"
#include "framework/ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Application->Initialize();
    Application->SetTitle("Notepad");
    auto* Main = Application->CreateForm<TfrmNotepad>();
    if (__argc > 1) Main->OpenFile(__argv[1]);
    Application->Run();
  } catch (const std::exception& E) {
    Application->ShowException(E);
    return 1;
  }
  return 0;
}
