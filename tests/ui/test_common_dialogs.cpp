// Open, save, colour and font dialogs: answered through the dialog seam, cancelled answers that
// leave the dialog as it was, and one real open dialog driven by a timer.
#include <cstdio>

#include "framework/core/sysutils.h"
#include "framework/ui/common_dialogs.h"
#include "ui_fixture.h"
// After <windows.h>, which it needs.
#include <dlgs.h>

namespace {

class CommonDialogsTest : public UiTest {
 protected:
  // Answers every dialog with Result after letting Fill write into it; records the requests.
  void Answer(TModalResult Result, std::function<void(const TDialogRequest&)> Fill) {
    SetDialogHandler([this, Result, Fill](const TDialogRequest& R) {
      Requests.push_back(R);
      Fill(R);
      return Result;
    });
  }
  std::vector<TDialogRequest> Requests;
};

TEST_F(CommonDialogsTest, OpenDialogTakesTheHandlersFileName) {
  TOpenDialog Dialog;
  Dialog.SetTitle("Open a Skin");
  Dialog.SetFileName("skin");
  Answer(mrOk, [](const TDialogRequest& R) {
    static_cast<TOpenDialog*>(R.Data)->SetFileName("C:\\skins\\slate.kskn");
    static_cast<TOpenDialog*>(R.Data)->SetFilterIndex(3);
  });
  ASSERT_TRUE(Dialog.Execute());
  ASSERT_EQ(Requests.size(), 1u);
  EXPECT_EQ(Requests[0].Kind, "OpenDialog");
  EXPECT_EQ(Requests[0].Caption, "Open a Skin");
  EXPECT_EQ(Requests[0].Data, &Dialog);
  EXPECT_EQ(Dialog.FileName(), "C:\\skins\\slate.kskn");
  EXPECT_EQ(Dialog.Files(), std::vector<std::string>{"C:\\skins\\slate.kskn"});
  EXPECT_EQ(Dialog.FilterIndex(), 3);
}

TEST_F(CommonDialogsTest, MultipleFilesFromTheHandlerGiveTheFirstAsFileName) {
  TOpenDialog Dialog;
  Dialog.SetOptions({TOpenOption::ofAllowMultiSelect});
  Answer(mrOk, [](const TDialogRequest& R) { static_cast<TOpenDialog*>(R.Data)->SetFiles({"a.png", "b.png"}); });
  ASSERT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.FileName(), "a.png");
  EXPECT_EQ(Dialog.Files(), (std::vector<std::string>{"a.png", "b.png"}));
}

TEST_F(CommonDialogsTest, CancelledDialogsKeepTheirValuesWhateverTheHandlerWrote) {
  TOpenDialog Open;
  TSaveDialog Save;
  TColorDialog Color;
  TFontDialog Font;
  Open.SetFileName("skin");
  Save.SetFileName("myskin");
  Save.SetFilterIndex(2);
  Color.SetColor(clNavy);
  Font.Font()->SetName("Tahoma");
  struct Case {
    TCommonDialog* Dialog;
    const char* Kind;
    std::function<void(void*)> Scribble;
    std::function<void()> Check;
  } const Cases[] = {
      {&Open, "OpenDialog",
       [](void* D) {
         static_cast<TOpenDialog*>(D)->SetFileName("junk");
         static_cast<TOpenDialog*>(D)->SetFiles({"junk"});
       },
       [&] {
         EXPECT_EQ(Open.FileName(), "skin");
         EXPECT_TRUE(Open.Files().empty());
       }},
      {&Save, "SaveDialog",
       [](void* D) {
         static_cast<TSaveDialog*>(D)->SetFileName("junk");
         static_cast<TSaveDialog*>(D)->SetFilterIndex(5);
       },
       [&] {
         EXPECT_EQ(Save.FileName(), "myskin");
         EXPECT_EQ(Save.FilterIndex(), 2);
       }},
      {&Color, "ColorDialog", [](void* D) { static_cast<TColorDialog*>(D)->SetColor(clRed); },
       [&] { EXPECT_EQ(Color.Color(), clNavy); }},
      {&Font, "FontDialog", [](void* D) { static_cast<TFontDialog*>(D)->Font()->SetName("Arial"); },
       [&] { EXPECT_EQ(Font.Font()->Name(), "Tahoma"); }},
  };
  for (const Case& C : Cases) {
    for (TModalResult Result : {mrCancel, mrNone, mrNo}) {
      SCOPED_TRACE(std::string(C.Kind) + " " + std::to_string(Result));
      Requests.clear();
      Answer(Result, [&](const TDialogRequest& R) { C.Scribble(R.Data); });
      EXPECT_FALSE(C.Dialog->Execute());
      ASSERT_EQ(Requests.size(), 1u);
      EXPECT_EQ(Requests[0].Kind, C.Kind);
      EXPECT_EQ(Requests[0].Data, C.Dialog);
      C.Check();
    }
  }
}

TEST_F(CommonDialogsTest, ColorAndFontDialogsTakeTheHandlersChoice) {
  TColorDialog Color;
  TFontDialog Font;
  Answer(mrOk, [](const TDialogRequest& R) {
    if (R.Kind == "ColorDialog") static_cast<TColorDialog*>(R.Data)->SetColor(0x0000FF);
    if (R.Kind == "FontDialog") {
      TFont* F = static_cast<TFontDialog*>(R.Data)->Font();
      F->SetName("Tahoma");
      F->SetStyle({TFontStyle::fsBold});
    }
  });
  ASSERT_TRUE(Color.Execute());
  ASSERT_TRUE(Font.Execute());
  EXPECT_EQ(Color.Color(), clRed);
  EXPECT_EQ(Font.Font()->Name(), "Tahoma");
  EXPECT_EQ(Font.Font()->Style(), TFontStyles{TFontStyle::fsBold});
}

BOOL CALLBACK FindOpenDialog(HWND Wnd, LPARAM Found) {
  char Class[32] = {}, Title[64] = {};
  GetClassNameA(Wnd, Class, sizeof(Class));
  GetWindowTextA(Wnd, Title, sizeof(Title));
  if (std::string(Class) == "#32770" && std::string(Title) == "Open a Skin" && IsWindowVisible(Wnd))
    *reinterpret_cast<HWND*>(Found) = Wnd;
  return TRUE;
}

// Cancels every dialog box of the thread (the test's way out when the dialog refuses the name).
BOOL CALLBACK CancelDialogs(HWND Wnd, LPARAM) {
  char Class[32] = {};
  GetClassNameA(Wnd, Class, sizeof(Class));
  if (std::string(Class) == "#32770" && IsWindowVisible(Wnd)) PostMessageA(Wnd, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

// The real dialog: a timer types a file name into it and presses OK.
TEST_F(CommonDialogsTest, PlatformOpenDialogRunsWithoutAHandler) {
  SetDialogHandler(nullptr);
  char Folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, Folder);
  const std::string Path = std::string(Folder) + "vx_open_dialog.kskn";
  if (FILE* F = std::fopen(Path.c_str(), "wb")) std::fclose(F);

  TOpenDialog Dialog;
  Dialog.SetFilter("Skins|*.kskn;*.mskn|All files|*.*");
  Dialog.SetFilterIndex(2);
  Dialog.SetInitialDir(Folder);
  Dialog.SetTitle("Open a Skin");
  Dialog.SetOptions({TOpenOption::ofFileMustExist, TOpenOption::ofHideReadOnly});
  bool Typed = false;
  int Ticks = 0;
  TTimer Timer;
  Timer.SetInterval(100);
  Timer.SetOnTimer([&](TObject*) {
    if (++Ticks > 50) {
      ADD_FAILURE() << "the open dialog did not close";
      EnumThreadWindows(GetCurrentThreadId(), CancelDialogs, 0);
      return;
    }
    HWND Shown = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOpenDialog, reinterpret_cast<LPARAM>(&Shown));
    if (!Shown || Typed) return;
    Typed = true;
    // The file name box: a combo box on some systems, an edit on others.
    for (int Id : {cmb13, edt1})
      if (HWND Box = GetDlgItem(Shown, Id)) SetWindowTextA(Box, Path.c_str());
    PostMessageA(Shown, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(Dialog.Execute());
  EXPECT_TRUE(Typed);
  EXPECT_TRUE(SameText(Dialog.FileName(), Path)) << Dialog.FileName();
  EXPECT_EQ(Dialog.FilterIndex(), 2);
  DeleteFileA(Path.c_str());
}

}  // namespace
