// The notepad example driven as a user would: its menu items clicked, its dialogs answered
// through the framework's dialog seam, its pixels read back from the screen.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "../ui/live_gdi_objects.h"
#include "../ui/ui_fixture.h"
#include "examples/notepad/notepad_main_form.h"
#include "examples/notepad/notepad_text_file.h"
#include "framework/core/sysutils.h"
#include "framework/graphics/bitmap.h"
#include "framework/ui/common_dialogs.h"
#include "tools/window_capture/window_capture.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_statusbar.h"
#include "vexel/controls/vx_toolbar.h"
#include "vexel/controls/vx_trackbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

// One shown main window for the suite; every test starts on the sample skin with an empty,
// unmodified document.
class NotepadTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    Window = new TfrmNotepad(nullptr);
    Window->Show();
  }
  static void TearDownTestSuite() {
    delete Window;
    Window = nullptr;
  }
  void SetUp() override {
    UiTest::SetUp();
    Window->SelectTheme(TNotepadTheme::ntSkin);
    Window->NewCommand();
    Window->ApplyOptions(TNotepadOptions{});
  }
  void TearDown() override {
    Window->SetDocument("", "");
    UiTest::TearDown();
  }

  // Clicks the Theme menu's item as the menu does, then lets the window repaint.
  static void ClickTheme(TNotepadTheme Theme) {
    Window->ThemeItems[int(Theme)]->Click();
    WaitUntilPainted(*Window);
  }
  static void Shot(TvxBitmap& Into, TCaptureArea Area = TCaptureArea::caWindow) {
    WaitUntilPainted(*Window);
    CaptureWindow(Window->Handle(), Into, Area);
  }
  // The share of the caption band (the frame above the client area) whose screen pixels equal
  // what Skin's frame painting under the current theme gives for Form.
  static double CaptionMatchingTheTheme(TForm& Form, TVxForm& Skin) {
    WaitUntilPainted(Form);
    TvxBitmap Screen;
    CaptureWindow(Form.Handle(), Screen);
    TBitmap Painted;
    Painted.SetSize(Screen.Width(), Screen.Height());
    Skin.PaintFrame(Painted.Canvas());
    const Integer Band = Skin.GetClientBounds().Top;
    int Equal = 0, All = 0;
    for (Integer Y = 0; Y < Band; ++Y)
      for (Integer X = 0; X < Screen.Width(); ++X, ++All)
        if ((Screen.GetPixel(X, Y) & 0xFFFFFF) == DibColor(Painted.Canvas().Pixel(X, Y))) ++Equal;
    return All ? double(Equal) / All : 0;
  }
  static double CaptionMatchingTheTheme() { return CaptionMatchingTheTheme(*Window, *Window->ThemeForm); }
  // The share of the tool bar outside its buttons (the grabber before them, the empty end after
  // them) whose pixels in Client, a capture of the client area, equal what the bar paints under
  // the current theme.
  static double ToolBarMatchingTheTheme(const TvxBitmap& Client) {
    TVxToolBar& Bar = *Window->ToolBar;
    TBitmap Painted;
    Painted.SetSize(Bar.Width(), Bar.Height());
    Bar.PaintForChild(Painted.Canvas(), nullptr);
    const Integer ButtonsFrom = Window->ToolButtons[0]->Left();
    const Integer ButtonsTo = Window->ToolButtons[5]->Left() + Window->ToolButtons[5]->Width();
    int Equal = 0, All = 0;
    for (Integer Y = 0; Y < Bar.Height(); ++Y)
      for (Integer X = 0; X < Bar.Width(); ++X) {
        if (X >= ButtonsFrom && X < ButtonsTo) continue;
        ++All;
        if ((Client.GetPixel(Bar.Left() + X, Bar.Top() + Y) & 0xFFFFFF) == DibColor(Painted.Canvas().Pixel(X, Y)))
          ++Equal;
      }
    return All ? double(Equal) / All : 0;
  }

  static inline TfrmNotepad* Window = nullptr;
};

BOOL CALLBACK CountChild(HWND, LPARAM Count) {
  ++*reinterpret_cast<int*>(Count);
  return TRUE;
}
BOOL CALLBACK CountWindowAndChildren(HWND Wnd, LPARAM Count) {
  ++*reinterpret_cast<int*>(Count);
  EnumChildWindows(Wnd, CountChild, Count);
  return TRUE;
}

// Windows of this thread, children included: the USER objects a theme switch could leak, where
// the platform does not count them.
int ThreadWindows() {
  int Count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, LPARAM(&Count));
  return Count;
}

struct THandles {
  int Gdi;
  DWORD User;
  int Windows;
};
THandles Handles() {
  return {LiveGdiObjects(), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), ThreadWindows()};
}

const TNotepadTheme AllThemes[] = {TNotepadTheme::ntSkin, TNotepadTheme::ntFlat, TNotepadTheme::ntOfficeXP,
                                   TNotepadTheme::ntNone};

// Share of equal pixels in rows From..To of two captures of the same size.
double SameShare(const TvxBitmap& A, const TvxBitmap& B, Integer From, Integer To) {
  if (A.Width() != B.Width()) return 0;
  int Equal = 0, All = 0;
  for (Integer Y = From; Y < To; ++Y)
    for (Integer X = 0; X < A.Width(); ++X, ++All) Equal += (A.GetPixel(X, Y) == B.GetPixel(X, Y));
  return All ? double(Equal) / All : 1;
}

TEST_F(NotepadTest, OpensWithTheSampleSkinFromBesideTheProgram) {
  ASSERT_NE(CurrentTheme(), nullptr);
  EXPECT_EQ(Window->VX->ThemeFile(), ExecutableFolder() + "PellanSlate.kskn");
  EXPECT_EQ(CurrentTheme()->FileName(), Window->VX->ThemeFile());
  EXPECT_TRUE(Window->ThemeForm->Themed());
  EXPECT_TRUE(Window->ThemeItems[int(TNotepadTheme::ntSkin)]->Checked());
  // The skin's frame, not the platform's: the caption band is what the skin paints, and it is
  // taller than the platform's.
  EXPECT_GT(CaptionMatchingTheTheme(), 0.98);
  ClickTheme(TNotepadTheme::ntNone);
  const Integer PlatformTop = Window->ThemeForm->GetClientBounds().Top;
  ClickTheme(TNotepadTheme::ntSkin);
  EXPECT_NE(Window->ThemeForm->GetClientBounds().Top, PlatformTop);
}

TEST_F(NotepadTest, ThemeMenuItemsSwitchThePixels) {
  // Office XP leaves the frame to the platform and paints the bars.
  const struct {
    TNotepadTheme Theme;
    bool FramePainted;
    const char* Status;
  } Cases[] = {{TNotepadTheme::ntFlat, true, "Theme: Flat"},
               {TNotepadTheme::ntOfficeXP, false, "Theme: Office XP"},
               {TNotepadTheme::ntNone, false, "Theme: none"},
               {TNotepadTheme::ntSkin, true, "Theme: Pellan Slate"}};
  TvxBitmap Before;
  Shot(Before, TCaptureArea::caClient);
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Status);
    ClickTheme(Case.Theme);
    EXPECT_EQ(Window->ShownTheme(), Case.Theme);
    EXPECT_EQ(CurrentTheme() != nullptr, Case.Theme != TNotepadTheme::ntNone);
    for (TNotepadTheme T : AllThemes) EXPECT_EQ(Window->ThemeItems[int(T)]->Checked(), T == Case.Theme);
    EXPECT_EQ(Window->StatusBar->Panels()->Items(2)->AnsiText(), Case.Status);
    EXPECT_EQ(Window->ThemeForm->Themed(), Case.FramePainted);
    // The frame is the theme's where it paints one and the platform's default otherwise.
    EXPECT_GT(CaptionMatchingTheTheme(), 0.98);
    // The menu and tool bars at the top of the client area change, and the tool bar shows what
    // this theme paints for it. Flat and Office XP paint the bars nearly alike (their grabbers
    // and dividers differ), so the first asks only for a change and the second is strict enough
    // to see the grabber, a small part of the bar, wrong.
    TvxBitmap After;
    Shot(After, TCaptureArea::caClient);
    EXPECT_LT(SameShare(Before, After, 0, 40), 0.999);
    EXPECT_GT(ToolBarMatchingTheTheme(After), 0.995);
    Before.Assign(&After);
  }
}

TEST_F(NotepadTest, TwentyRoundsOfThemesLeaveNoHandlesBehind) {
  // Eighty switches take longer than the watchdog allows one loop; none of them is modal.
  Watchdog.SetEnabled(false);
  auto Round = [] {
    for (TNotepadTheme T : AllThemes) {
      Window->ThemeItems[int(T)]->Click();
      UpdateWindow(Window->Handle());
      PumpUntil([] { return false; }, 20);
    }
  };
  Round();
  WaitUntilPainted(*Window);
  const THandles First = Handles();
  ASSERT_GT(First.Windows, 0);
  ASSERT_GT(First.Gdi, 0);
  for (int I = 1; I < 20; ++I) Round();
  WaitUntilPainted(*Window);
  const THandles Last = Handles();
  EXPECT_LE(Last.Gdi, First.Gdi);
  EXPECT_LE(Last.User, First.User);
  EXPECT_LE(Last.Windows, First.Windows);
  // Wine answers 0 for the USER objects; the windows are counted either way.
  RecordProperty("GdiObjects", First.Gdi);
  RecordProperty("Windows", First.Windows);
}

TEST_F(NotepadTest, OptionsDialogIsSkinnedAndItsSettingsTakeEffect) {
  TfrmOptions Dialog(nullptr);
  Dialog.SetOptions(Window->Options());
  Dialog.Show();
  WaitUntilPainted(Dialog);
  EXPECT_TRUE(Dialog.ThemeForm->Themed());
  EXPECT_GT(CaptionMatchingTheTheme(Dialog, *Dialog.ThemeForm), 0.98);

  // As a user would: untick both boxes, pick the smallest size (the first button, so the
  // default one must let go), drag the margin along.
  Dialog.WordWrapBox->Toggle();
  Dialog.StatusBarBox->Toggle();
  Dialog.FontSizeButtons[0]->SetChecked(true);
  Dialog.MarginBar->SetPosition(12);
  const TNotepadOptions Chosen = Dialog.Options();
  EXPECT_EQ(Chosen, (TNotepadOptions{false, false, 8, 12}));
  Window->ApplyOptions(Chosen);
  WaitUntilPainted(*Window);

  HWND Memo = Window->Memo->Handle();
  EXPECT_TRUE(GetWindowLongW(Memo, GWL_STYLE) & WS_HSCROLL) << "no horizontal scrolling without word wrap";
  EXPECT_FALSE(IsWindowVisible(Window->StatusBar->Handle()));
  EXPECT_EQ(SendMessageW(Memo, EM_GETMARGINS, 0, 0), MAKELONG(12, 12));
  LOGFONTW Font{};
  GetObjectW(HFONT(SendMessageW(Memo, WM_GETFONT, 0, 0)), sizeof(Font), &Font);
  HDC Screen0 = GetDC(nullptr);
  EXPECT_EQ(std::abs(Font.lfHeight), MulDiv(8, GetDeviceCaps(Screen0, LOGPIXELSY), 72));
  ReleaseDC(nullptr, Screen0);

  Window->ApplyOptions(TNotepadOptions{});
  EXPECT_FALSE(GetWindowLongW(Memo = Window->Memo->Handle(), GWL_STYLE) & WS_HSCROLL);
  EXPECT_TRUE(IsWindowVisible(Window->StatusBar->Handle()));
  EXPECT_EQ(SendMessageW(Memo, EM_GETMARGINS, 0, 0), MAKELONG(4, 4));
}

BOOL CALLBACK FindOptions(HWND Wnd, LPARAM Found) {
  auto* Dialog = dynamic_cast<TfrmOptions*>(TWinControl::FindControl(Wnd));
  if (Dialog && IsWindowVisible(Wnd)) *reinterpret_cast<TfrmOptions**>(Found) = Dialog;
  return TRUE;
}

TEST_F(NotepadTest, ToolsOptionsRunsTheDialogAndAppliesWhatOkAnswers) {
  // Played by the user once the dialog is up: a wider margin, then OK.
  bool SeenSkinned = false;
  TTimer User;
  User.SetInterval(200);
  User.SetOnTimer([&](TObject*) {
    TfrmOptions* Dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOptions, LPARAM(&Dialog));
    if (!Dialog) return;
    User.SetEnabled(false);
    SeenSkinned = Dialog->ThemeForm->Themed();
    Dialog->MarginBar->SetPosition(7);
    Dialog->OkButton->Click();
  });
  User.SetEnabled(true);
  Window->OptionsItem->Click();
  EXPECT_TRUE(PumpUntil([] { return Window->Options().Margin == 7; }, 5000));
  EXPECT_TRUE(SeenSkinned);
  EXPECT_EQ(SendMessageW(Window->Memo->Handle(), EM_GETMARGINS, 0, 0), MAKELONG(7, 7));
}

std::string TempName(const char* Name) {
  char Folder[MAX_PATH];
  GetTempPathA(MAX_PATH, Folder);
  return std::string(Folder) + Name;
}

// Answers the open and save dialogs with FileName and counts the message boxes.
struct TScriptedDialogs {
  std::string FileName;
  TModalResult Answer = mrOk;
  std::vector<TDialogRequest> Messages = {};
  TDialogHandler Handler() {
    return [this](const TDialogRequest& R) -> TModalResult {
      if (R.Kind == "OpenDialog" || R.Kind == "SaveDialog") {
        static_cast<TOpenDialog*>(R.Data)->SetFileName(FileName);
        return mrOk;
      }
      Messages.push_back(R);
      return Answer;
    };
  }
};

TEST_F(NotepadTest, SaveAsAndOpenRoundTripTheText) {
  const std::string File = TempName("notepad-round-trip.txt");
  DeleteFileA(File.c_str());
  const std::string Text = "first line\r\n\tsecond line \xE9\r\n\r\nlast, no line break";
  TScriptedDialogs Dialogs{File};
  SetDialogHandler(Dialogs.Handler());
  Window->Memo->SetText(Text);
  ASSERT_TRUE(Window->Modified());
  ASSERT_TRUE(Window->SaveAsCommand());
  EXPECT_FALSE(Window->Modified());
  EXPECT_EQ(LoadTextFile(File), Text);

  Window->NewCommand();  // nothing unsaved: no question
  EXPECT_EQ(Window->Memo->Text(), "");
  Window->OpenCommand();
  EXPECT_EQ(Window->Memo->Text(), Text);
  EXPECT_EQ(Window->FileName(), File);
  EXPECT_FALSE(Window->Modified());
  EXPECT_TRUE(Dialogs.Messages.empty());
  DeleteFileA(File.c_str());
}

TEST_F(NotepadTest, BadPathsGiveAMessageAndKeepTheDocument) {
  const std::string Missing = TempName("notepad-no-such-file.txt");
  DeleteFileA(Missing.c_str());
  char Folder[MAX_PATH];
  GetTempPathA(MAX_PATH, Folder);
  const std::string NoFolder = TempName("notepad-no-such-folder\\file.txt");
  // One byte more than an edit area is given.
  const std::string Large = TempName("notepad-too-large.txt");
  {
    HANDLE File = CreateFileA(Large.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(File, INVALID_HANDLE_VALUE);
    LARGE_INTEGER Size;
    Size.QuadPart = MaxTextFileSize + 1;
    SetFilePointerEx(File, Size, nullptr, FILE_BEGIN);
    SetEndOfFile(File);
    CloseHandle(File);
  }
  // The edit area would show these cut at the first zero byte, and saving would write them so.
  const std::string Binary = TempName("notepad-zero-byte.bin");
  SaveTextFile(Binary, std::string("text\0more text", 14));
  const std::string Utf16 = TempName("notepad-utf16.txt");
  SaveTextFile(Utf16, std::string("\xFF\xFEh\0i\0\r\0\n\0", 10));
  TScriptedDialogs Dialogs;
  SetDialogHandler(Dialogs.Handler());
  Window->Memo->SetText("kept");
  const struct {
    const char* What;
    std::function<bool()> Act;
    std::string Named;
  } Cases[] = {{"open a missing file", [&] { return Window->OpenFile(Missing); }, Missing},
               {"open a folder", [&] { return Window->OpenFile(Folder); }, Folder},
               {"open a file too large to edit", [&] { return Window->OpenFile(Large); }, Large},
               {"open a file with a zero byte inside", [&] { return Window->OpenFile(Binary); }, Binary},
               {"open a UTF-16 file with its mark", [&] { return Window->OpenFile(Utf16); }, Utf16},
               {"save into a missing folder", [&] { return Window->SaveFile(NoFolder); }, NoFolder}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.What);
    Dialogs.Messages.clear();
    EXPECT_FALSE(Case.Act());
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].DlgType, TMsgDlgType::mtError);
    EXPECT_NE(Dialogs.Messages[0].Text.find(Case.Named), std::string::npos) << Dialogs.Messages[0].Text;
    EXPECT_EQ(Window->Memo->Text(), "kept");
    EXPECT_TRUE(Window->Modified());
    EXPECT_EQ(Window->FileName(), "");
  }
  EXPECT_EQ(GetFileAttributesA(NoFolder.c_str()), INVALID_FILE_ATTRIBUTES);
  for (const std::string& File : {Large, Binary, Utf16}) DeleteFileA(File.c_str());
}

TEST_F(NotepadTest, UnsavedChangesAreAskedAboutOnNewOpenAndClose) {
  const struct {
    const char* What;
    TModalResult Answer;
    bool Dropped;
  } Cases[] = {{"No drops them", mrNo, true}, {"Cancel keeps them", mrCancel, false}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.What);
    TScriptedDialogs Dialogs{TempName("notepad-not-opened.txt"), Case.Answer};
    SetDialogHandler(Dialogs.Handler());
    Window->SetDocument("", "");
    Window->Memo->SetText("changed");
    Window->NewCommand();
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].Text, "Save changes to Untitled?");
    EXPECT_EQ(Window->Memo->Text(), Case.Dropped ? "" : "changed");
    Window->Memo->SetText("changed again");
    EXPECT_EQ(Window->CloseQuery(), Case.Dropped);
    EXPECT_EQ(Dialogs.Messages.size(), 2u);
  }
  // Yes saves first, and a save that fails keeps the changes.
  TScriptedDialogs Dialogs{TempName("notepad-no-such-folder\\file.txt"), mrYes};
  SetDialogHandler(Dialogs.Handler());
  Window->Memo->SetText("unsaved");
  Window->OpenCommand();
  EXPECT_EQ(Window->Memo->Text(), "unsaved");
  EXPECT_TRUE(Window->Modified());
  ASSERT_EQ(Dialogs.Messages.size(), 2u);
  EXPECT_EQ(Dialogs.Messages[1].DlgType, TMsgDlgType::mtError);
}

}  // namespace
