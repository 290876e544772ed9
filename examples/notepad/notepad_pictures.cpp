// notepad_pictures FOLDER: the notepad's main window with some text, written as the screen shows
// it on each theme: notepad-skin.png, notepad-flat.png, notepad-officexp.png, notepad-none.png;
// and its options dialog on the sample skin: notepad-options.png.
#include <windows.h>

#include <exception>
#include <iostream>
#include <memory>

#include "examples/notepad/notepad_main_form.h"
#include "framework/core/classes.h"
#include "framework/core/file_save.h"
#include "framework/graphics/png_image.h"
#include "framework/ui/application.h"
#include "tools/window_capture/window_capture.h"
#include "vexel/graphics/vx_bitmap.h"

namespace {

void WritePicture(TForm& Window, const std::string& FileName) {
  WaitUntilPainted(Window);
  TvxBitmap Picture;
  CaptureWindow(Window.Handle(), Picture);
  TMemoryStream Png;
  WritePng(Png, Picture.Bits(), Picture.Width(), Picture.Height(), false);
  SaveFileReplacing(FileName, Png);
  std::cout << "written: " << FileName << " (" << Picture.Width() << "x" << Picture.Height() << ")\n";
}

const char* const SampleText =
    "Vexel notepad\r\n"
    "\r\n"
    "A small text editor skinned by three lines in its main form:\r\n"
    "a theme engine, the skin file it loads, and a form-skinning component.\r\n"
    "\r\n"
    "The Theme menu switches between the sample skin, Flat, Office XP and none.\r\n"
    "Tools > Options sets word wrap, the status bar, the font size and the margins.\r\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: notepad_pictures FOLDER\n";
    return 1;
  }
  try {
    std::string Folder = argv[1];
    if (!Folder.empty() && Folder.back() != '\\' && Folder.back() != '/') Folder += '\\';
    auto Window = std::make_unique<TfrmNotepad>(nullptr);
    Window->SetDocument(SampleText, "readme.txt");
    Window->Show();
    const struct {
      TNotepadTheme Theme;
      const char* File;
    } Pictures[] = {{TNotepadTheme::ntSkin, "notepad-skin.png"},
                    {TNotepadTheme::ntFlat, "notepad-flat.png"},
                    {TNotepadTheme::ntOfficeXP, "notepad-officexp.png"},
                    {TNotepadTheme::ntNone, "notepad-none.png"}};
    for (const auto& P : Pictures) {
      Window->SelectTheme(P.Theme);
      WritePicture(*Window, Folder + P.File);
    }
    Window->SelectTheme(TNotepadTheme::ntSkin);
    TfrmOptions Options(nullptr);
    Options.SetOptions(Window->Options());
    Options.Show();
    WritePicture(Options, Folder + "notepad-options.png");
  } catch (const std::exception& E) {
    std::cerr << "notepad_pictures: " << E.what() << "\n";
    return 1;
  }
  return 0;
}
