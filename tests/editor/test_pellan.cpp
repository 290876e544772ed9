// Pellan's main window end to end: real windows, real messages, dialogs answered through the
// framework's dialog seam. The tree view is driven through its window (this unit sees the editor
// core's tree model, so not the framework's tree classes).
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

#include "../ui/ui_fixture.h"
#include "editor/core/skin_document.h"
#include "editor/images/images_page.h"
#include "editor/inspector/property_inspector.h"
#include "editor/main/about_form.h"
#include "editor/main/main_form.h"
#include "editor/main/work_area.h"
#include "editor/preview/skin_test_window.h"
#include "editor/tables/charset_box.h"
#include "editor/tables/pick_color_form.h"
#include "editor/tables/table_pages.h"
#include "editor_test_support.h"
#include "framework/core/classes.h"
#include "framework/graphics/bitmap.h"
#include "framework/ui/actions.h"
#include "framework/ui/clipboard.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/image.h"
#include "framework/ui/shell.h"
#include "framework/ui/stdctrls.h"
#include "images_ui_support.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/skin/theme_dv3draw.h"
#include "vexel/skin/theme_dv3filters.h"
#include "vexel/skin/theme_dv3objects.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

// How the test answers the next dialog of a kind.
struct TAnswer {
  TAnswer(std::string AKind, TModalResult AResult, std::string AFileName = {}, Integer AFilterIndex = 1)
      : Kind(std::move(AKind)), Result(AResult), FileName(std::move(AFileName)), FilterIndex(AFilterIndex) {}
  std::string Kind;
  TModalResult Result;
  std::string FileName;
  Integer FilterIndex;
};

// What a dialog asked, copied while it was open.
struct TAsked {
  std::string Kind, Text;
  TMsgDlgType DlgType = TMsgDlgType::mtCustom;
  TMsgDlgButtons Buttons;
  std::string Title, InitialName, DefaultExt, Filter;
  Integer FilterIndex = 0;
  std::string FontName;  // what the font dialog showed when it opened
  Integer FontSize = 0;
  TColor FontColor = clNone;
};

class PellanTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterSkinTheme();
    // The pointer stays off the windows: a window that loses it keeps hearing WM_MOUSELEAVE.
    SetCursorPos(0, 0);
    SetDialogHandler([this](const TDialogRequest& R) { return Answer(R); });
  }
  void TearDown() override {
    Main.reset();
    EXPECT_TRUE(Answers.empty()) << "a dialog the test expected did not come";
    UiTest::TearDown();
  }

  TModalResult Answer(const TDialogRequest& R) {
    TAsked A;
    A.Kind = R.Kind;
    A.Text = R.Text;
    A.DlgType = R.DlgType;
    A.Buttons = R.Buttons;
    auto* File = R.Kind == "OpenDialog" || R.Kind == "SaveDialog" ? static_cast<TOpenDialog*>(R.Data) : nullptr;
    if (File) {
      A.Title = File->Title();
      A.InitialName = File->FileName();
      A.DefaultExt = File->DefaultExt();
      A.Filter = File->Filter();
      A.FilterIndex = File->FilterIndex();
    }
    // The font dialog is answered with the face named as the file name.
    auto* Fonts = R.Kind == "FontDialog" ? static_cast<TFontDialog*>(R.Data) : nullptr;
    if (Fonts) {
      A.FontName = Fonts->Font()->Name();
      A.FontSize = Fonts->Font()->Size();
      A.FontColor = Fonts->Font()->Color();
    }
    Asked.push_back(A);
    if (Answers.empty() || Answers.front().Kind != R.Kind) {
      ADD_FAILURE() << "unexpected dialog " << R.Kind << ": " << R.Text;
      return mrCancel;
    }
    const TAnswer Next = Answers.front();
    Answers.pop_front();
    if (File && Next.Result == mrOk) {
      File->SetFileName(Next.FileName);
      File->SetFilterIndex(Next.FilterIndex);
    }
    if (Fonts && Next.Result == mrOk) Fonts->Font()->SetName(Next.FileName);
    return Next.Result;
  }

  // A skin on disk: Form (300 x 250) holding Title (with a child Close) and Body, and an image.
  // Parts more children of Form follow, "Part0" ..., each holding a "Knob".
  std::string WriteSkin(const std::string& Name = "editor.kskn", int Parts = 0) {
    TDvSkinSource Skin;
    AddImage(Skin, "frame", 0xFF204060);
    TDvSkinObject* F = AddTopLevel(Skin, "Form", TDvKind::skForm, Rect(0, 0, 300, 250));
    TDvSkinObject* Title = AddChild(F, "Title", Rect(10, 10, 110, 30));
    Title->SetKind(TDvKind::skTitle);
    AddChild(Title, "Close", Rect(90, 12, 106, 28));
    AddChild(F, "Body", Rect(10, 40, 290, 240));
    for (int I = 0; I < Parts; ++I)
      AddChild(AddChild(F, "Part" + std::to_string(I), Rect(20, 50, 60, 70)), "Knob", Rect(22, 52, 30, 60));
    const std::string File = Folder.File(Name);
    Skin.SaveToFile(File);
    return File;
  }

  void Start(const std::vector<std::string>& Arguments) {
    // Showing and freeing a window costs about 2 s under Wine: the watchdog guards each window's
    // run, not a whole test that starts several.
    Watchdog.SetEnabled(false);
    Watchdog.SetEnabled(true);
    Main = std::make_unique<TfrmMain>(nullptr, Arguments);
    Main->Show();
    PumpUntil([] { return false; }, 50);
  }

  TSkinDocument& Doc() { return Main->Document(); }
  TDvSkinObject* Find(const std::string& Name) {
    TDvSkinObject* Form = Doc().Source()->FindObject("Form");
    return Form && Name != "Form" ? Form->FindByName(Name) : Form;
  }

  // [Windows of the main window]
  // The first window below the main window, depth first, that Match accepts.
  using TWindowMatch = std::function<bool(HWND Wnd, const std::string& Class)>;
  HWND FindChildWindow(const TWindowMatch& Match) {
    std::pair<const TWindowMatch*, HWND> Search{&Match, nullptr};
    EnumChildWindows(Main->Handle(), &EnumChild, reinterpret_cast<LPARAM>(&Search));
    return Search.second;
  }
  static BOOL CALLBACK EnumChild(HWND Wnd, LPARAM Param) {
    auto* Search = reinterpret_cast<std::pair<const TWindowMatch*, HWND>*>(Param);
    char Class[64] = {};
    GetClassNameA(Wnd, Class, sizeof Class);
    if (!(*Search->first)(Wnd, Class)) return TRUE;
    Search->second = Wnd;
    return FALSE;
  }

  HWND TreeWindow() {
    // The framework's window class over the system's tree view.
    return FindChildWindow([](HWND, const std::string& Class) { return Class == "TTreeView"; });
  }
  std::string ItemText(HTREEITEM Item) {
    char Text[256] = {};
    TVITEMA I{};
    I.mask = TVIF_TEXT;
    I.hItem = Item;
    I.pszText = Text;
    I.cchTextMax = sizeof Text;
    SendMessageA(TreeWindow(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&I));
    return Text;
  }
  HTREEITEM FindItem(const std::string& Text, HTREEITEM From = nullptr) {
    HWND Tree = TreeWindow();
    HTREEITEM Item = From ? TreeView_GetChild(Tree, From) : TreeView_GetRoot(Tree);
    for (; Item; Item = TreeView_GetNextSibling(Tree, Item)) {
      if (ItemText(Item) == Text) return Item;
      if (HTREEITEM Below = FindItem(Text, Item)) return Below;
    }
    return nullptr;
  }
  // As a click on the item does: the tree view selects it and tells its parent.
  void SelectInTree(const std::string& Text) {
    HTREEITEM Item = FindItem(Text);
    ASSERT_NE(Item, nullptr) << Text;
    SendMessageA(TreeWindow(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Item));
  }
  std::string SelectedItemText() { return ItemText(TreeView_GetSelection(TreeWindow())); }

  // The tool bars' windows, by their number of buttons.
  HWND ToolBarWithButtons(int Count) {
    return FindChildWindow([Count](HWND Wnd, const std::string& Class) {
      return Class == "TToolBar" && SendMessageA(Wnd, TB_BUTTONCOUNT, 0, 0) == Count;
    });
  }
  // A press and release on button Index, as the mouse makes them.
  static void ClickToolButton(HWND Bar, int Index) {
    RECT R{};
    SendMessageA(Bar, TB_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&R));
    const LPARAM At = MAKELPARAM((R.left + R.right) / 2, (R.top + R.bottom) / 2);
    SendMessageA(Bar, WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageA(Bar, WM_LBUTTONUP, 0, At);
  }

  // A key pressed on Wnd Repeat times (held down: the system repeats it) and released, with Ctrl
  // and Shift as given; the framework reads them from the keyboard state.
  static void PressKey(HWND Wnd, uint16_t Key, bool Ctrl = false, bool Shift = false, int Repeat = 1) {
    BYTE Keys[256];
    GetKeyboardState(Keys);
    Keys[VK_CONTROL] = Ctrl ? 0x80 : 0;
    Keys[VK_SHIFT] = Shift ? 0x80 : 0;
    SetKeyboardState(Keys);
    for (int I = 0; I < Repeat; ++I) SendMessageA(Wnd, WM_KEYDOWN, Key, I == 0 ? 1 : 0x40000001);
    SendMessageA(Wnd, WM_KEYUP, Key, LPARAM(0xC0000001));
    Keys[VK_CONTROL] = Keys[VK_SHIFT] = 0;
    SetKeyboardState(Keys);
  }
  std::vector<std::string> ChildNames(const std::string& Owner) {
    std::vector<std::string> Names;
    for (Integer I = 0; I < Find(Owner)->ChildCount(); ++I) Names.push_back(Find(Owner)->Child(I)->Name());
    return Names;
  }
  std::vector<std::string> TreeChildren(const std::string& Owner) {
    std::vector<std::string> Names;
    HWND Tree = TreeWindow();
    for (HTREEITEM I = TreeView_GetChild(Tree, FindItem(Owner)); I; I = TreeView_GetNextSibling(Tree, I))
      Names.push_back(ItemText(I));
    return Names;
  }

  void ChooseZoom(Integer Index) {
    HWND Box = Main->ScaleBox()->Handle();
    SendMessageA(Box, CB_SETCURSEL, WPARAM(Index), 0);
    SendMessageA(GetParent(Box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Box), CBN_SELCHANGE), LPARAM(Box));
  }

  // The work area as it paints itself into a bottom-up DIB, as the paint buffers of the
  // framework are; 0x00RRGGBB.
  uint32_t WorkAreaPixel(int X, int Y) {
    const int W = Main->WorkArea()->Width(), H = Main->WorkArea()->Height();
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = H;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    uint32_t* Bits = nullptr;
    HDC DC = CreateCompatibleDC(nullptr);
    HBITMAP Bitmap = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0);
    HGDIOBJ Old = SelectObject(DC, Bitmap);
    Main->WorkArea()->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
    GdiFlush();
    const uint32_t Pixel = Bits[(H - 1 - Y) * W + X] & 0xFFFFFF;
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
    return Pixel;
  }

  static std::string FileTag(const std::string& File) {
    std::ifstream In(File, std::ios::binary);
    std::string Tag(4, '\0');
    In.read(Tag.data(), 4);
    return Tag;
  }

  TTempFolder Folder;
  std::unique_ptr<TfrmMain> Main;
  std::deque<TAnswer> Answers;
  std::vector<TAsked> Asked;
};

constexpr uint32_t Red = 0xFF0000, Yellow = 0xFFFF00;

// [Start] --------------------------------------------------------------------------------------

TEST_F(PellanTest, TheCommandLineOpensItsFileAndTheCaptionNamesIt) {
  const std::string File = WriteSkin();
  struct TCase {
    std::vector<std::string> Arguments;
    std::string Shown;        // in the caption
    Integer TopLevelObjects;  // of the skin the window holds
  };
  const TCase Cases[] = {
      {{File}, File, 1},
      {{}, "theme.mskn", 1},
      {{"/plum", "/quartz", "/fjord", File}, "theme.mskn", 1},  // the maintenance switches open nothing
      {{"/plum", File}, "/plum", 0},                            // no skin file: an empty skin under its name
  };
  for (const TCase& C : Cases) {
    Start(C.Arguments);
    const std::string Caption = "Pellan 4.03 - [" + C.Shown + "]";
    EXPECT_EQ(Main->Caption(), Caption);
    char Text[512] = {};
    GetWindowTextA(Main->Handle(), Text, sizeof Text);
    EXPECT_EQ(std::string(Text), Caption);
    EXPECT_EQ(Doc().Source()->ObjectCount(), C.TopLevelObjects) << C.Shown;
    EXPECT_FALSE(Doc().Modified());
    // Nothing is selected: the tree stands on "Objects" and the inspector shows the skin source.
    EXPECT_EQ(SelectedItemText(), "Objects");
    EXPECT_EQ(Main->Inspector()->Inspected(), Doc().Source());
    EXPECT_EQ(Main->PageInFront(), 0);
    EXPECT_EQ(Main->ScaleBox()->ItemIndex(), 0);
    Main.reset();
  }
  EXPECT_TRUE(Asked.empty());
}

TEST_F(PellanTest, ASkinThatCannotBeReadIsReportedInTheErrorBoxAndTheNewSkinStays) {
  const std::string File = Folder.File("broken.kskn");
  std::ofstream(File, std::ios::binary) << "KSKN broken beyond repair";
  Answers = {{"MessageBox", mrOk}};
  Start({File});
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0].DlgType, TMsgDlgType::mtError);
  EXPECT_EQ(Main->Caption(), "Pellan 4.03 - [theme.mskn]");
  ASSERT_EQ(Doc().Source()->ObjectCount(), 1);
  EXPECT_EQ(Doc().Source()->Objects(0)->Name(), "Form");
}

// [Tree, work area and inspector] ----------------------------------------------------------------

TEST_F(PellanTest, ChoosingANestedObjectInTheTreeSelectsItEverywhere) {
  Start({WriteSkin()});
  SelectInTree("Close");
  TDvSkinObject* Close = Find("Close");
  ASSERT_NE(Close, nullptr);
  EXPECT_EQ(Doc().Selected(), Close);
  EXPECT_EQ(Doc().RootObject(), Find("Form"));
  EXPECT_EQ(Main->Inspector()->Inspected(), Close);
  EXPECT_EQ(Main->InspectedText(), "Close: TDvSkinObject;");
  EXPECT_EQ(Main->TreeHeader(), " Objects Tree - Close");
  // The rebuilt tree keeps the node selected, its path open.
  EXPECT_EQ(SelectedItemText(), "Close");
  HWND Tree = TreeWindow();
  for (const char* Above : {"Objects", "Form", "Title"})
    EXPECT_TRUE(TreeView_GetItemState(Tree, FindItem(Above), TVIS_EXPANDED) & TVIS_EXPANDED) << Above;
  // The work area shows the whole top-level object with the handles of Close, (90, 12)-(106, 28):
  // handle 1's square is (87, 9)-(93, 15), red framed in yellow.
  EXPECT_EQ(Main->WorkArea()->Width(), 300);
  EXPECT_EQ(Main->WorkArea()->Height(), 250);
  EXPECT_EQ(WorkAreaPixel(90, 12), Red);
  EXPECT_EQ(WorkAreaPixel(87, 9), Yellow);

  // The "Objects" node selects nothing and shows the skin source.
  SelectInTree("Objects");
  EXPECT_EQ(Doc().Selected(), nullptr);
  EXPECT_EQ(Main->Inspector()->Inspected(), Doc().Source());
  EXPECT_EQ(Main->TreeHeader(), " Objects Tree - Skin Source");
  // A page node brings its page to the front.
  SelectInTree("Images");
  EXPECT_EQ(Main->PageInFront(), 1);
  EXPECT_EQ(Main->TreeHeader(), " Theme tree - Images");
  SelectInTree("Form");
  EXPECT_EQ(Main->PageInFront(), 0);
  EXPECT_FALSE(Doc().Modified());
}

TEST_F(PellanTest, TheTreeKeepsTheNodesTheUserOpenedAndItsFirstRowAcrossRefreshes) {
  Start({WriteSkin("many.kskn", 60)});
  HWND Tree = TreeWindow();
  const std::vector<std::string> Opened = {"Objects", "Form", "Title", "Part40"};
  for (const std::string& Text : Opened) SendMessageA(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(FindItem(Text)));
  // Expanding scrolled the tree; the user goes back to the top first.
  SendMessageA(Tree, WM_VSCROLL, SB_TOP, 0);
  for (int I = 0; I < 20; ++I) SendMessageA(Tree, WM_VSCROLL, SB_LINEDOWN, 0);
  auto FirstRow = [this] { return ItemText(TreeView_GetFirstVisible(TreeWindow())); };
  auto OpenNodes = [this] {
    std::vector<std::string> Open;
    for (const char* Text : {"Objects", "Form", "Title", "Body", "Part0", "Part39", "Part40", "Images"})
      if (TreeView_GetItemState(TreeWindow(), FindItem(Text), TVIS_EXPANDED) & TVIS_EXPANDED) Open.push_back(Text);
    return Open;
  };
  // Rows: Objects, Form, Title, Close, Body, Part0 ...: twenty rows down, Part15 comes first.
  ASSERT_EQ(FirstRow(), "Part15");

  // A click on a row in view rebuilds the tree.
  SelectInTree("Part18");
  EXPECT_EQ(Doc().Selected(), Find("Part18"));
  EXPECT_EQ(OpenNodes(), Opened);
  EXPECT_EQ(FirstRow(), "Part15");
  EXPECT_EQ(SelectedItemText(), "Part18");

  // So does a change in the inspector.
  ASSERT_TRUE(Main->Inspector()->CommitText("Width", "150"));
  EXPECT_EQ(Find("Part18")->Width(), 150);
  EXPECT_EQ(OpenNodes(), Opened);
  EXPECT_EQ(FirstRow(), "Part15");

  // Undo brings the skin back with the step's selection: the nodes stay open, the rows too.
  PressKey(Tree, 'Z', true);
  EXPECT_EQ(Find("Part18")->Width(), 40);
  EXPECT_EQ(SelectedItemText(), "Part18");
  EXPECT_EQ(OpenNodes(), Opened);
  EXPECT_EQ(FirstRow(), "Part15");

  // Another skin keeps open the nodes it has too; it has no Part40. (Undone back to the opened
  // state, the skin has nothing to save.)
  const std::string Other = WriteSkin("other.kskn");
  Answers = {{"OpenDialog", mrOk, Other}};
  Main->actnFileOpen->Execute();
  EXPECT_EQ(Main->Caption(), "Pellan 4.03 - [" + Other + "]");
  EXPECT_EQ(FindItem("Part40"), nullptr);
  EXPECT_EQ(OpenNodes(), (std::vector<std::string>{"Objects", "Form", "Title"}));
}

TEST_F(PellanTest, DraggingHandle4At200PercentResizesTheObject) {
  Start({WriteSkin()});
  SelectInTree("Title");
  ChooseZoom(1);
  EXPECT_EQ(Doc().Zoom(), 2.0f);
  EXPECT_EQ(Main->WorkArea()->Width(), 600);
  EXPECT_EQ(Main->WorkArea()->Height(), 500);
  // Title is (10, 10)-(110, 30): handle 4 is the square (107, 27)-(113, 33), twice as large here.
  EXPECT_EQ(WorkAreaPixel(220, 60), Red);
  EXPECT_EQ(WorkAreaPixel(214, 54), Yellow);
  HWND Work = Main->WorkArea()->Handle();
  SendMessageA(Work, WM_MOUSEMOVE, 0, Point(221, 61));
  EXPECT_EQ(Main->WorkArea()->Cursor(), crSizeNWSE);
  SendMessageA(Work, WM_LBUTTONDOWN, MK_LBUTTON, Point(220, 60));
  SendMessageA(Work, WM_MOUSEMOVE, MK_LBUTTON, Point(240, 80));
  SendMessageA(Work, WM_LBUTTONUP, 0, Point(240, 80));
  TDvSkinObject* Title = Find("Title");
  EXPECT_EQ(Title->BoundsRect(), Rect(10, 10, 120, 40));
  EXPECT_TRUE(Doc().Modified());
  EXPECT_EQ(Main->Inspector()->ValueText("Width"), "110");
  EXPECT_EQ(WorkAreaPixel(240, 80), Red);
  // The button is up: moving on drags nothing.
  SendMessageA(Work, WM_MOUSEMOVE, 0, Point(300, 120));
  EXPECT_EQ(Title->BoundsRect(), Rect(10, 10, 120, 40));
}

TEST_F(PellanTest, ToolBarButtonsCreateAndDeleteObjects) {
  Start({WriteSkin()});
  HWND Commands = ToolBarWithButtons(6), Standard = ToolBarWithButtons(7), Old = ToolBarWithButtons(10);
  ASSERT_NE(Commands, nullptr);
  ASSERT_NE(Standard, nullptr);
  ASSERT_NE(Old, nullptr);
  EXPECT_TRUE(IsWindowVisible(Standard));
  EXPECT_FALSE(IsWindowVisible(Old));
  // Each button's tool tip is its hint.
  const char* const Hints[] = {"Container",
                               "Bitmap Object",
                               "Active Object (2 states)",
                               "Active Bitmap (2 states)",
                               "System Button (Close, Max, Min ...)",
                               "Button Object (5 states)",
                               "Text Object (5 states)"};
  HWND Tips = HWND(SendMessageA(Standard, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(Tips, nullptr);
  for (int I = 0; I < 7; ++I) {
    TBBUTTON Button{};
    SendMessageA(Standard, TB_GETBUTTON, WPARAM(I), reinterpret_cast<LPARAM>(&Button));
    char Text[128] = {};
    TTTOOLINFOA Tool{};
    Tool.cbSize = sizeof Tool;
    Tool.hwnd = Standard;
    Tool.uId = UINT_PTR(Button.idCommand);
    Tool.lpszText = Text;
    SendMessageA(Tips, TTM_GETTEXTA, sizeof Text, reinterpret_cast<LPARAM>(&Tool));
    EXPECT_STREQ(Text, Hints[I]);
  }
  SelectInTree("Title");
  ClickToolButton(Standard, 1);  // "Bitmap Object"
  TDvSkinObject* Added = Find("Title")->FindByName("BitmapObject1");
  ASSERT_NE(Added, nullptr);
  EXPECT_STREQ(Added->ClassInfo().Name, "TDvBitmapObject");
  EXPECT_EQ(Added->BoundsRect(), Rect(10, 10, 40, 30));
  EXPECT_EQ(Doc().Selected(), Added);
  EXPECT_EQ(SelectedItemText(), "BitmapObject1");
  EXPECT_EQ(Main->Inspector()->Inspected(), Added);
  EXPECT_TRUE(Doc().Modified());

  ClickToolButton(Commands, 1);  // "Delete": the owner takes the selection
  EXPECT_EQ(Find("BitmapObject1"), nullptr);
  EXPECT_EQ(Doc().Selected(), Find("Title"));
  EXPECT_EQ(Main->Inspector()->Inspected(), Find("Title"));
  EXPECT_EQ(SelectedItemText(), "Title");
}

TEST_F(PellanTest, TheMenusShowTheActionsAndHelpOpensTheWebPage) {
  Start({});
  HMENU Bar = GetMenu(Main->Handle());
  ASSERT_NE(Bar, nullptr);
  auto Texts = [](HMENU Menu) {
    std::vector<std::string> List;
    for (int I = 0, N = GetMenuItemCount(Menu); I < N; ++I) {
      char Text[128] = {};
      GetMenuStringA(Menu, UINT(I), Text, sizeof Text, MF_BYPOSITION);
      MENUITEMINFOA Info{};
      Info.cbSize = sizeof Info;
      Info.fMask = MIIM_FTYPE;
      GetMenuItemInfoA(Menu, UINT(I), TRUE, &Info);
      List.push_back(Info.fType & MFT_SEPARATOR ? "-" : Text);
    }
    return List;
  };
  EXPECT_EQ(Texts(Bar), (std::vector<std::string>{"&File", "&Edit", "&Help"}));
  EXPECT_EQ(Texts(GetSubMenu(Bar, 0)),
            (std::vector<std::string>{"Create\tCtrl+N", "Open...\tCtrl+O", "Save\tCtrl+S", "Save as...", "-",
                                      "Export Bitmaps....", "-", "&Exit"}));
  EXPECT_EQ(Texts(GetSubMenu(Bar, 1)),
            (std::vector<std::string>{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "Copy", "Paste"}));
  EXPECT_EQ(Texts(GetSubMenu(Bar, 2)), (std::vector<std::string>{"Pellan on the web", "-", "About Vamsel..."}));

  std::vector<std::string> Opened;
  const TShellOpenHandler Saved = SetShellOpenHandler([&](const std::string& Address) {
    Opened.push_back(Address);
    return true;
  });
  SendMessageA(Main->Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(GetSubMenu(Bar, 2), 0), 0), 0);
  SetShellOpenHandler(Saved);
  EXPECT_EQ(Opened, std::vector<std::string>{"https://example.org/pellan"});
}

TEST_F(PellanTest, AboutVamselShowsTheAboutBoxUntilOk) {
  Start({});
  TfrmAbout About;
  frmAbout = &About;
  EXPECT_EQ(About.Caption(), "About Pellan");
  EXPECT_EQ(About.ClientWidth(), 358);
  EXPECT_EQ(About.ClientHeight(), 190);
  EXPECT_EQ(About.VersionLabel()->Caption(), "Vexel version 4.03");
  // While it runs modally, a press of its OK button ends it.
  bool ShownOnTop = false;
  TTimer Press;
  Press.SetInterval(100);
  Press.SetOnTimer([&](TObject*) {
    Press.SetEnabled(false);
    ShownOnTop = IsWindowVisible(About.Handle()) && (GetWindowLongA(About.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND Ok = FindWindowExA(About.Handle(), nullptr, nullptr, "OK");
    ASSERT_NE(Ok, nullptr);
    SendMessageA(Ok, BM_CLICK, 0, 0);
  });
  HMENU Help = GetSubMenu(GetMenu(Main->Handle()), 2);
  SendMessageA(Main->Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(Help, 2), 0), 0);
  frmAbout = nullptr;
  EXPECT_TRUE(ShownOnTop);
  EXPECT_FALSE(About.Visible());
  EXPECT_EQ(About.ModalResult(), mrOk);
}

// [Undo, copy and paste] -------------------------------------------------------------------------

TEST_F(PellanTest, AnInspectorChangeIsUndoneWithCtrlZAndRedoneWithCtrlYOrCtrlShiftZ) {
  Start({WriteSkin()});
  EXPECT_FALSE(Main->actnUndo->Enabled());
  EXPECT_FALSE(Main->actnRedo->Enabled());
  SelectInTree("Body");
  ASSERT_TRUE(Main->Inspector()->CommitText("Width", "150"));
  EXPECT_EQ(Find("Body")->Width(), 150);
  EXPECT_TRUE(Doc().Modified());
  EXPECT_EQ(Main->actnUndo->Caption(), "&Undo Change Width");
  EXPECT_TRUE(Main->actnUndo->Enabled());
  SelectInTree("Title");  // undo brings back the selection of the step

  PressKey(TreeWindow(), 'Z', true);
  EXPECT_EQ(Find("Body")->Width(), 280);
  EXPECT_EQ(Doc().Selected(), Find("Body"));
  EXPECT_EQ(Main->Inspector()->Inspected(), Find("Body"));
  EXPECT_EQ(Main->Inspector()->ValueText("Width"), "280");
  EXPECT_EQ(SelectedItemText(), "Body");
  EXPECT_FALSE(Doc().Modified()) << "back at the opened state";
  EXPECT_EQ(Main->actnUndo->Caption(), "&Undo");
  EXPECT_FALSE(Main->actnUndo->Enabled());
  EXPECT_EQ(Main->actnRedo->Caption(), "&Redo Change Width");

  PressKey(TreeWindow(), 'Y', true);
  EXPECT_EQ(Find("Body")->Width(), 150);
  EXPECT_EQ(Main->Inspector()->ValueText("Width"), "150");
  EXPECT_TRUE(Doc().Modified());
  PressKey(TreeWindow(), 'Z', true);
  PressKey(TreeWindow(), 'Z', true, true);
  EXPECT_EQ(Find("Body")->Width(), 150);
  EXPECT_FALSE(Main->actnRedo->Enabled());
}

TEST_F(PellanTest, DragsKeysAndDeleteAreStepsOnTheWorkArea) {
  Start({WriteSkin()});
  SelectInTree("Title");
  HWND Work = Main->WorkArea()->Handle();
  // Title is (10, 10)-(110, 30): handle 0 is in its middle.
  SendMessageA(Work, WM_LBUTTONDOWN, MK_LBUTTON, Point(60, 20));
  for (int X : {65, 70, 80}) SendMessageA(Work, WM_MOUSEMOVE, MK_LBUTTON, Point(X, 25));
  SendMessageA(Work, WM_LBUTTONUP, 0, Point(80, 25));
  EXPECT_EQ(Find("Title")->BoundsRect(), Rect(30, 15, 130, 35));
  EXPECT_EQ(Main->actnUndo->Caption(), "&Undo Move");
  PressKey(Work, 'Z', true);
  EXPECT_EQ(Find("Title")->BoundsRect(), Rect(10, 10, 110, 30));
  EXPECT_EQ(WorkAreaPixel(60, 20), Red) << "the handle drawn where the object is again";
  PressKey(Work, 'Y', true);
  EXPECT_EQ(Find("Title")->BoundsRect(), Rect(30, 15, 130, 35));

  // A held arrow key is one step; Shift moves by ten.
  PressKey(Work, VK_RIGHT, false, false, 3);
  PressKey(Work, VK_DOWN, false, true);
  EXPECT_EQ(Find("Title")->BoundsRect(), Rect(33, 25, 133, 45));
  EXPECT_EQ(Main->Inspector()->ValueText("Left"), "33");
  PressKey(Work, 'Z', true);
  PressKey(Work, 'Z', true);
  EXPECT_EQ(Find("Title")->BoundsRect(), Rect(30, 15, 130, 35));

  // Delete asks nothing; undo is the safety net.
  PressKey(Work, VK_DELETE);
  EXPECT_EQ(Find("Title"), nullptr);
  EXPECT_EQ(SelectedItemText(), "Form");
  EXPECT_TRUE(Asked.empty());
  PressKey(Work, 'Z', true);
  ASSERT_NE(Find("Title"), nullptr);
  EXPECT_EQ(Find("Close")->Parent(), Find("Title"));
  EXPECT_EQ(SelectedItemText(), "Title");

  // Ctrl+C and Ctrl+V on the tree; twice under one owner.
  PressKey(TreeWindow(), 'C', true);
  SelectInTree("Body");
  PressKey(TreeWindow(), 'V', true);
  SelectInTree("Body");
  PressKey(TreeWindow(), 'V', true);
  EXPECT_EQ(ChildNames("Body"), (std::vector<std::string>{"CopyOfTitle", "CopyOfTitle2"}));
  PressKey(TreeWindow(), VK_DELETE);
  EXPECT_EQ(ChildNames("Body"), std::vector<std::string>{"CopyOfTitle"});
}

// Children are painted in order: the last is in front.
TEST_F(PellanTest, BringToFrontAndSendToBackOrderTheTreeAndThePainting) {
  Start({WriteSkin()});
  SelectInTree("Body");
  ASSERT_TRUE(Main->Inspector()->CommitText("Top", "0"));
  ASSERT_TRUE(Main->Inspector()->CommitText("Color", "clBlue"));
  SelectInTree("Title");
  ASSERT_TRUE(Main->Inspector()->CommitText("Color", "clLime"));
  ASSERT_TRUE(Main->Inspector()->CommitText("DrawIfOwner", "True"));  // filled under its child
  const uint32_t Lime = 0x00FF00, Blue = 0x0000FF;
  EXPECT_EQ(WorkAreaPixel(80, 12), Blue) << "Body, drawn after Title, covers it";

  HWND Commands = ToolBarWithButtons(6);
  ASSERT_NE(Commands, nullptr);
  ClickToolButton(Commands, 2);  // "Bring to Front"
  EXPECT_EQ(ChildNames("Form"), (std::vector<std::string>{"Body", "Title"}));
  EXPECT_EQ(TreeChildren("Form"), (std::vector<std::string>{"Body", "Title"}));
  EXPECT_EQ(WorkAreaPixel(80, 12), Lime);
  EXPECT_EQ(SelectedItemText(), "Title");

  ClickToolButton(Commands, 3);  // "Send to Back"
  EXPECT_EQ(TreeChildren("Form"), (std::vector<std::string>{"Title", "Body"}));
  EXPECT_EQ(WorkAreaPixel(80, 12), Blue);
  PressKey(TreeWindow(), 'Z', true);
  EXPECT_EQ(TreeChildren("Form"), (std::vector<std::string>{"Body", "Title"}));
  EXPECT_EQ(WorkAreaPixel(80, 12), Lime);
}

TEST_F(PellanTest, ACharsetChangeIsSavedOrAskedForOnClosing) {
  Start({WriteSkin()});
  TComboBox* Box = Main->CharsetPanel()->Box();
  Box->SetItemIndex(Box->Items().IndexOf("GREEK_CHARSET"));
  SendMessageA(Main->CharsetPanel()->ChangeButton()->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Find("Body")->Font()->Charset(), GREEK_CHARSET);
  EXPECT_TRUE(Doc().Modified());
  EXPECT_EQ(Main->actnUndo->Caption(), "&Undo Change Charset");
  Answers = {{"MessageBox", mrCancel}};
  Main->Close();
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0].Text, "Skin's was changed. Save?");
  EXPECT_TRUE(Main->Visible());
}

// A skin whose form holds a bitmap object on the image "frame" (blue); "other" is green.
TEST_F(PellanTest, RenamingALinksImageInTheInspectorShowsThatImage) {
  TDvSkinSource Skin;
  AddImage(Skin, "frame", 0xFF0000FF);
  AddImage(Skin, "other", 0xFF00FF00);
  TDvSkinObject* F = AddTopLevel(Skin, "Form", TDvKind::skForm, Rect(0, 0, 100, 80));
  auto* Pane = AddChild<TDvBitmapObject>(F, "Pane", Rect(0, 0, 100, 80));
  Pane->Bitmap()->SetName("frame");
  Pane->Bitmap()->SetRect(Rect(0, 0, 4, 4));
  const std::string File = Folder.File("linked.kskn");
  Skin.SaveToFile(File);
  Start({File});
  SelectInTree("Pane");
  EXPECT_EQ(WorkAreaPixel(40, 60), 0x0000FFu);
  ASSERT_TRUE(Main->Inspector()->CommitText("Bitmap.Name", "other"));
  EXPECT_EQ(WorkAreaPixel(40, 60), 0x00FF00u);
  auto* Linked = static_cast<TDvBitmapObject*>(Find("Pane"));
  EXPECT_EQ(Linked->Bitmap()->Bitmap(), Doc().Source()->Images().Find("other"));
  ASSERT_TRUE(Main->Inspector()->CommitText("Bitmap.Name", "nothing"));
  EXPECT_EQ(Linked->Bitmap()->Bitmap(), nullptr) << "shown as missing";
  PressKey(TreeWindow(), 'Z', true);
  PressKey(TreeWindow(), 'Z', true);
  EXPECT_EQ(WorkAreaPixel(40, 60), 0x0000FFu);
}

TEST_F(PellanTest, AnObjectWithItsChildrenTravelsThroughTheClipboard) {
  Start({WriteSkin()});
  // Text on the clipboard is no skin object: pasting does nothing.
  Clipboard().SetAsText("Title");
  SelectInTree("Body");
  Main->actnPaste->Execute();
  EXPECT_EQ(Find("Body")->ChildCount(), 0);
  EXPECT_FALSE(Doc().Modified());

  SelectInTree("Title");
  Main->actnCopy->Execute();
  EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA(TfrmMain::ClipboardFormatName)));
  SelectInTree("Body");
  Main->actnPaste->Execute();
  TDvSkinObject* Pasted = Find("Body")->FindByName("CopyOfTitle");
  ASSERT_NE(Pasted, nullptr);
  ASSERT_EQ(Pasted->ChildCount(), 1);
  EXPECT_EQ(Pasted->Child(0)->Name(), "Close");
  EXPECT_EQ(Doc().Selected(), Pasted);
  EXPECT_EQ(SelectedItemText(), "CopyOfTitle");
  EXPECT_TRUE(Doc().Modified());
  EXPECT_TRUE(Asked.empty());

  // Under the same owner again: the copy takes the next free name.
  SelectInTree("Body");
  Main->actnPaste->Execute();
  EXPECT_TRUE(Asked.empty());
  ASSERT_EQ(Find("Body")->ChildCount(), 2);
  EXPECT_EQ(Find("Body")->Child(1)->Name(), "CopyOfTitle2");
  EXPECT_EQ(SelectedItemText(), "CopyOfTitle2");
}

// [Files] --------------------------------------------------------------------------------------

TEST_F(PellanTest, SaveAsWritesEachVariantThatOpensAgain) {
  struct TVariant {
    const char* Extension;
    Integer FilterIndex;
  };
  const TVariant Variants[] = {{"uskn", 2}, {"kskn", 3}, {"xskn", 4}, {"mskn", 5}};
  std::string Filter;
  GetThemeFilter(Filter);
  Start({WriteSkin()});
  for (const TVariant& V : Variants) {
    SCOPED_TRACE(V.Extension);
    SelectInTree("Body");
    Main->Inspector()->CommitText("Left", "20");
    const std::string File = Folder.File(std::string("saved.") + V.Extension);
    Asked.clear();
    Answers = {{"SaveDialog", mrOk, File, V.FilterIndex}};
    Main->actnFileSaveAs->Execute();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Title, "Save Skin As");
    EXPECT_EQ(Asked[0].InitialName, "myskin");
    EXPECT_EQ(Asked[0].DefaultExt, "kskn");
    EXPECT_EQ(Asked[0].Filter, Filter);
    EXPECT_EQ(Asked[0].FilterIndex, 2);
    EXPECT_EQ(Main->Caption(), "Pellan 4.03 - [" + File + "]");
    EXPECT_FALSE(Doc().Modified());
    // The file is of the variant its extension names.
    TFileStream Stream(File, TFileMode::fmOpenRead);
    const TDvSkinFilterClass Class = FindFilterByTag(Stream);
    ASSERT_NE(Class, nullptr);
    EXPECT_EQ(Class()->GetExtension(), V.Extension);

    Asked.clear();
    Answers = {{"OpenDialog", mrOk, File}};
    Main->actnFileOpen->Execute();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Title, "Open a Skin");
    EXPECT_EQ(Asked[0].InitialName, "skin");
    ASSERT_NE(Find("Close"), nullptr);
    EXPECT_EQ(Find("Body")->Left(), 20);
    EXPECT_EQ(Doc().Source()->Images().Count(), 1);
    EXPECT_EQ(Main->Inspector()->Inspected(), Doc().Source());
  }
  EXPECT_FALSE(Filter.empty());
}

TEST_F(PellanTest, ClosingAsksOnlyAboutChangesAndTheTemporarySkinGoes) {
  struct TCase {
    bool Change;
    TModalResult Answer;  // to "Skin's was changed. Save?"
    bool Closes, Saved;
  };
  const TCase Cases[] = {
      {false, mrNone, true, false},
      {true, mrNo, true, false},
      {true, mrCancel, false, false},
      {true, mrYes, true, true},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Answer);
    const std::string File = WriteSkin();
    const auto Written = std::filesystem::last_write_time(File);
    Start({File});
    std::ofstream(Main->TempSkinFile()) << "test window skin";
    if (C.Change) {
      SelectInTree("Body");
      Main->Inspector()->CommitText("Top", "50");
    }
    Asked.clear();
    if (C.Change) Answers = {{"MessageBox", C.Answer}};
    Main->Close();
    if (C.Change) {
      ASSERT_EQ(Asked.size(), 1u);
      EXPECT_EQ(Asked[0].Text, "Skin's was changed. Save?");
      EXPECT_EQ(Asked[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}));
    } else {
      EXPECT_TRUE(Asked.empty());
    }
    EXPECT_EQ(Main->Visible(), !C.Closes);
    EXPECT_EQ(Doc().Modified(), C.Change && !C.Saved);
    if (C.Saved) {
      TDvSkinSource Reread;
      Reread.LoadFromFile(File);
      EXPECT_EQ(Reread.FindObject("Form")->FindByName("Body")->Top(), 50);
    } else {
      EXPECT_EQ(std::filesystem::last_write_time(File), Written);
    }
    const std::string Temp = Main->TempSkinFile();
    Main.reset();
    EXPECT_FALSE(std::filesystem::exists(Temp));
  }
}

TEST_F(PellanTest, NewAsksAboutChangesAndCancelKeepsTheSkin) {
  Start({WriteSkin()});
  SelectInTree("Body");
  Main->Inspector()->CommitText("Top", "60");
  Answers = {{"MessageBox", mrCancel}};
  Main->actnFileNew->Execute();
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0].Text, "Skin has modified. Save changes?");
  EXPECT_NE(Find("Body"), nullptr);
  EXPECT_EQ(Main->Inspector()->Inspected(), Find("Body"));
  Answers = {{"MessageBox", mrNo}};
  Main->actnFileNew->Execute();
  EXPECT_EQ(Main->Caption(), "Pellan 4.03 - [theme.mskn]");
  EXPECT_EQ(Find("Body"), nullptr);
  EXPECT_EQ(Main->Inspector()->Inspected(), Doc().Source());
}

}  // namespace

// [Pages, charset box, picker and export] --------------------------------------------------------

TEST_F(PellanTest, TheImageNodesShowTheImagesPageWithTheChosenPicture) {
  Start({WriteSkin()});
  SelectInTree("Images");
  EXPECT_EQ(Main->PageInFront(), 1);
  EXPECT_TRUE(IsWindowVisible(Main->ImagesPage()->Handle()));
  EXPECT_EQ(Main->ImagesPage()->ImageView()->Picture()->Graphic(), nullptr);

  SelectInTree("frame");
  TvxBitmap* Frame = Doc().Source()->Images().Items(0);
  EXPECT_EQ(Doc().SelectedImage(), Frame);
  EXPECT_EQ(Main->PageInFront(), 1);
  TImage* View = Main->ImagesPage()->ImageView();
  ASSERT_NE(View->Picture()->Graphic(), nullptr);
  EXPECT_EQ(View->Picture()->Width(), 4);
  EXPECT_EQ(View->Picture()->Height(), 4);
  // The opaque 0x204060 of the image, as the platform's blue-green-red value.
  EXPECT_EQ(View->Picture()->Bitmap().Canvas().Pixel(1, 1), TColor(0x604020));
  EXPECT_EQ(Main->TreeHeader(), " Objects Tree - frame");
  images_test::Screenshot(Main.get(), "pellan_images_page");
  EXPECT_EQ(Main->Inspector()->Inspected(), nullptr);
  EXPECT_EQ(Main->InspectedText(), "");

  // Delete takes the image out of the tree; an object brings the work area back.
  SendMessageA(Main->ImagesPage()->DeleteButton()->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Doc().Source()->Images().Count(), 0);
  EXPECT_EQ(FindItem("frame"), nullptr);
  EXPECT_EQ(View->Picture()->Graphic(), nullptr);
  SelectInTree("Body");
  EXPECT_EQ(Main->PageInFront(), 0);
  EXPECT_EQ(Main->Inspector()->Inspected(), Find("Body"));
}

TEST_F(PellanTest, TheTableNodesShowTheirPagesWithEveryEntry) {
  Start({WriteSkin()});
  struct {
    const char* Node;
    Integer Page;
    std::function<TListBox*()> List;
    Integer Rows;
  } const Cases[] = {
      {"Fonts", 2, [this] { return Main->FontsPage()->List(); }, 66},
      {"Colors", 3, [this] { return Main->ColorsPage()->List(); }, 22},
      {"SysColors", 4, [this] { return Main->SysColorsPage()->List(); }, 26},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Node);
    SelectInTree(Case.Node);
    EXPECT_EQ(Main->PageInFront(), Case.Page);
    TListBox* List = Case.List();
    EXPECT_TRUE(IsWindowVisible(List->Handle()));
    EXPECT_EQ(List->Items().Count(), Case.Rows);
    EXPECT_EQ(SendMessageA(List->Handle(), LB_GETCOUNT, 0, 0), Case.Rows);
    images_test::Screenshot(Main.get(), std::string("pellan_page_") + Case.Node);
  }
}

TEST_F(PellanTest, BitmapLinksShowAsBitmapAndTheirButtonOpensTheEditor) {
  Start({WriteSkin()});
  SelectInTree("Title");
  ClickToolButton(ToolBarWithButtons(7), 1);  // "Bitmap Object"
  ASSERT_EQ(Main->Inspector()->Inspected(), Find("BitmapObject1"));
  EXPECT_EQ(Main->Inspector()->ValueText("Bitmap"), "(Bitmap)");

  Main->Inspector()->SelectPath("Bitmap");
  Main->Inspector()->ShowEditor();
  ASSERT_NE(Main->Inspector()->EditorButton(), nullptr);
  SendMessageA(Main->Inspector()->EditorButton()->Handle(), BM_CLICK, 0, 0);
  HWND Editor = FindWindowA(nullptr, "Bitmap Property");
  ASSERT_NE(Editor, nullptr);
  EXPECT_TRUE(IsWindowVisible(Editor));
  ShowWindow(Editor, SW_HIDE);
}

TEST_F(PellanTest, TheCharsetBoxSitsUnderTheTreeAndEachRefreshRefillsIt) {
  Start({WriteSkin()});
  TCharsetPanel* Strip = Main->CharsetPanel();
  ASSERT_NE(Strip, nullptr);
  // Under the tree, at the bottom of the left panel.
  HWND Left = GetParent(TreeWindow());
  EXPECT_EQ(GetParent(Strip->Handle()), Left);
  RECT Tree{}, Box{}, Panel{};
  GetWindowRect(TreeWindow(), &Tree);
  GetWindowRect(Strip->Handle(), &Box);
  GetClientRect(Left, &Panel);
  MapWindowPoints(Left, nullptr, reinterpret_cast<POINT*>(&Panel), 2);
  EXPECT_EQ(Tree.bottom, Box.top);
  EXPECT_EQ(Box.bottom, Panel.bottom);
  EXPECT_EQ(Box.left, Panel.left);
  EXPECT_EQ(Box.right, Panel.right);
  EXPECT_TRUE(IsWindowVisible(Strip->ChangeButton()->Handle()));
  images_test::Screenshot(Main.get(), "pellan_charset_box");

  TComboBox* Charsets = Strip->Box();
  Charsets->SetItemIndex(Charsets->Items().IndexOf("RUSSIAN_CHARSET"));
  EXPECT_EQ(Charsets->Text(), "RUSSIAN_CHARSET");
  Main->RefreshAll();
  EXPECT_EQ(Charsets->Items().Count(), 18);
  EXPECT_EQ(Charsets->Text(), "DEFAULT_CHARSET");
}

TEST_F(PellanTest, PickOnTheTopPanelShowsThePickerModally) {
  Start({});
  TButton* Pick = Main->PickButton();
  EXPECT_EQ(Pick->Caption(), "Pick...");
  EXPECT_TRUE(IsWindowEnabled(Pick->Handle()));
  TfrmPickColor* Picker = Main->Picker();
  ASSERT_NE(Picker, nullptr);
  EXPECT_FALSE(Picker->Visible());

  bool ShownModally = false;
  TTimer Close;
  Close.SetInterval(100);
  Close.SetOnTimer([&](TObject*) {
    Close.SetEnabled(false);
    ShownModally = IsWindowVisible(Picker->Handle()) && !IsWindowEnabled(Main->Handle());
    SendMessageA(Picker->CancelButton()->Handle(), BM_CLICK, 0, 0);
  });
  SendMessageA(Pick->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(ShownModally);
  EXPECT_FALSE(Picker->Visible());
  EXPECT_EQ(Picker->ModalResult(), mrCancel);
  // The same window every time.
  EXPECT_EQ(Main->Picker(), Picker);
}

TEST_F(PellanTest, ExportIsEnabledAndOpensTheExportWindow) {
  Start({WriteSkin()});
  EXPECT_TRUE(Main->actnExport->Enabled());
  HMENU File = GetSubMenu(GetMenu(Main->Handle()), 0);
  EXPECT_FALSE(GetMenuState(File, 5, MF_BYPOSITION) & MF_GRAYED);

  bool Shown = false;
  TTimer Close;
  Close.SetInterval(100);
  Close.SetOnTimer([&](TObject*) {
    Close.SetEnabled(false);
    HWND Export = FindWindowA(nullptr, "Bitmaps Export");
    Shown = Export && IsWindowVisible(Export);
    if (HWND Button = Export ? FindWindowExA(Export, nullptr, nullptr, "Close") : nullptr)
      SendMessageA(Button, BM_CLICK, 0, 0);
  });
  Main->actnExport->Execute();
  EXPECT_TRUE(Shown);
  EXPECT_EQ(FindWindowA(nullptr, "Bitmaps Export"), nullptr);
}

// [Test] ---------------------------------------------------------------------------------------

namespace {

// What the test window showed while it was open, read by a timer inside its modal loop.
struct TSeenTest {
  bool Shown = false, DesignModeWhileOpen = true, Skinned = false;
  std::wstring Caption;
  std::string WindowCaption;
};

TfrmTestEmpty* OpenTestWindow(TComponent* Owner) {
  for (Integer I = 0; I < Owner->ComponentCount(); ++I)
    if (auto* Window = dynamic_cast<TfrmTestEmpty*>(Owner->Components(I))) return Window;
  return nullptr;
}

}  // namespace

class PellanTestWindowTest : public PellanTest {
 protected:
  // Presses "Test" and, once the window is up, notes what it shows and closes it. WhileOpen, when
  // given, runs on every tick while the window is up until it answers true.
  TSeenTest RunTest(const std::function<bool(TfrmTestEmpty& Window)>& WhileOpen = nullptr) {
    TSeenTest Seen;
    TTimer Close;
    Close.SetInterval(100);
    Close.SetOnTimer([&](TObject*) {
      TfrmTestEmpty* Window = OpenTestWindow(Main.get());
      // The window is made visible when its show animation has played.
      if (!Window || !Window->HandleAllocated() || !IsWindowVisible(Window->Handle())) return;
      if (WhileOpen && !WhileOpen(*Window)) return;
      Close.SetEnabled(false);
      Seen.Shown = IsWindowVisible(Window->Handle());
      Seen.DesignModeWhileOpen = DesignMode();
      Seen.Caption = Window->ThemeForm1->Caption();
      char Text[256] = {};
      GetWindowTextA(Window->Handle(), Text, sizeof Text);
      Seen.WindowCaption = Text;
      Seen.Skinned = IsFormThemed(0, "default", nullptr);
      Window->Close();
    });
    HWND Button = FindChildWindow([](HWND Wnd, const std::string& Class) {
      char Text[32] = {};
      GetWindowTextA(Wnd, Text, sizeof Text);
      return Class == "TButton" && std::string(Text) == "Test";
    });
    EXPECT_NE(Button, nullptr);
    if (Button) SendMessageA(Button, BM_CLICK, 0, 0);
    return Seen;
  }
};

TEST_F(PellanTestWindowTest, TestShowsTheSkinOnAModalWindowAndLeavesTheDocumentAlone) {
  enum class TSkin { Sample, New, Empty };
  struct TCase {
    const char* Name;
    TSkin Skin;
    bool Skinned;  // the skin defines the window
  };
  for (const TCase& C : {TCase{"the sample skin", TSkin::Sample, true}, TCase{"a new skin", TSkin::New, true},
                         TCase{"a skin without objects", TSkin::Empty, false}}) {
    SCOPED_TRACE(C.Name);
    Start({C.Skin == TSkin::Sample ? std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.kskn" : WriteSkin()});
    if (C.Skin != TSkin::Sample) Main->NewSkin();
    if (C.Skin == TSkin::Empty) {
      SelectInTree("Form");
      Main->DeleteSelected();
      ASSERT_EQ(Doc().Source()->ObjectCount(), 0);
      Doc().Source()->SetSkinName("Nothing Yet");
    }
    const bool Modified = Doc().Modified();
    const std::string FileName = Doc().FileName();
    const std::string Name = Doc().Source()->SkinName();
    ASSERT_TRUE(Main->actnTestEmpty->Enabled());
    SetDesignMode(true);

    const TSeenTest Seen = RunTest();
    EXPECT_TRUE(Seen.Shown);
    EXPECT_FALSE(Seen.DesignModeWhileOpen);
    EXPECT_EQ(Seen.Caption, AnsiToWideCP(CP_ACP, Name + " - test"));
    EXPECT_EQ(Seen.WindowCaption, Name + " - test");
    EXPECT_EQ(Seen.Skinned, C.Skinned);
    // Freed, design mode back, the document untouched; the temporary file holds the skin.
    EXPECT_EQ(OpenTestWindow(Main.get()), nullptr);
    EXPECT_TRUE(DesignMode());
    EXPECT_EQ(Doc().Modified(), Modified);
    EXPECT_EQ(Doc().FileName(), FileName);
    TDvSkinSource Written;
    Written.LoadFromFile(Main->TempSkinFile());
    EXPECT_EQ(Written.SkinName(), Name);
    Main.reset();
    RemoveCurrentTheme();
  }
}

TEST_F(PellanTestWindowTest, TheLastObjectIdentifiedInTheTestWindowIsSelectedWhenItCloses) {
  Start({std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.kskn"});
  SelectInTree("Button");
  BYTE Keys[256];
  GetKeyboardState(Keys);
  std::wstring Tip;
  bool StayedOpen = false;
  int Step = 0;
  RunTest([&](TfrmTestEmpty& Window) {
    const HWND Wnd = Window.Handle();
    if (Step++ == 0) {
      // Ctrl+Alt+click on the close button; the keys stay down until the click is taken.
      const TRect Close = Window.ThemeForm1->GetButtonRect(TVxBorderIcon::kbiClose);
      RECT W;
      GetWindowRect(Wnd, &W);
      const LPARAM At = MAKELPARAM(W.left + (Close.Left + Close.Right) / 2, W.top + (Close.Top + Close.Bottom) / 2);
      Keys[VK_CONTROL] = Keys[VK_MENU] = 0x80;
      SetKeyboardState(Keys);
      PostMessageA(Wnd, WM_NCLBUTTONDOWN, HTCLOSE, At);
      PostMessageA(Wnd, WM_NCLBUTTONUP, HTCLOSE, At);
      return false;
    }
    Keys[VK_CONTROL] = Keys[VK_MENU] = 0;
    SetKeyboardState(Keys);
    wchar_t Text[256] = {};
    GetWindowTextW(Window.Identifier().Tip().Handle(), Text, 256);
    Tip = Text;
    StayedOpen = IsWindowVisible(Wnd);
    return true;
  });
  EXPECT_TRUE(StayedOpen);
  EXPECT_EQ(Tip.substr(0, 26), L"Form.TitleBar.CloseButton\n");
  // Selected as a click in the tree selects it: document, tree, inspector and work area.
  TDvSkinObject* Close = Doc().FindObjectPath({"Form", "TitleBar", "CloseButton"});
  ASSERT_NE(Close, nullptr);
  EXPECT_EQ(Close->Name(), "CloseButton");
  EXPECT_EQ(Doc().Selected(), Close);
  EXPECT_EQ(Doc().RootObject(), Find("Form"));
  EXPECT_EQ(Main->Inspector()->Inspected(), Close);
  EXPECT_EQ(SelectedItemText(), "CloseButton");
  EXPECT_EQ(Main->TreeHeader(), " Objects Tree - CloseButton");
  EXPECT_FALSE(Doc().Modified());

  // A test with no identify leaves the selection alone.
  SelectInTree("Button");
  TDvSkinObject* Before = Doc().Selected();
  ASSERT_NE(Before, nullptr);
  RunTest();
  EXPECT_EQ(Doc().Selected(), Before);
}

TEST_F(PellanTestWindowTest, ATemporaryFileThatCannotBeWrittenStopsTheTestBeforeAnyWindow) {
  Start({WriteSkin()});
  // A folder where the temporary file goes: the save fails.
  std::filesystem::create_directory(Main->TempSkinFile());
  SetDesignMode(true);
  Answers.emplace_back("MessageBox", mrOk);
  bool WindowMade = false;
  TTimer Look;
  Look.SetInterval(50);
  Look.SetOnTimer([&](TObject*) { WindowMade = WindowMade || OpenTestWindow(Main.get()); });
  RunTest();
  Look.SetEnabled(false);
  std::filesystem::remove(Main->TempSkinFile());
  EXPECT_FALSE(WindowMade);
  ASSERT_FALSE(Asked.empty());
  EXPECT_EQ(Asked.back().DlgType, TMsgDlgType::mtError);
  EXPECT_TRUE(DesignMode());
  EXPECT_FALSE(Doc().Modified());
}

TEST_F(PellanTestWindowTest, AFailureWhileTheWindowIsOpenFreesItAndPutsDesignModeBack) {
  Start({WriteSkin()});
  SetDesignMode(true);
  const std::string Temp = Main->TempSkinFile();
  bool Freed = false;
  // A disabled window cannot run modally: showing it raises.
  struct TFailingWindow : TfrmTestEmpty {
    TFailingWindow(TComponent* Owner, bool& Freed) : TfrmTestEmpty(Owner), FFreed(Freed) { SetEnabled(false); }
    ~TFailingWindow() override { FFreed = true; }
    bool& FFreed;
  };
  EXPECT_THROW(RunSkinTest(*Doc().Source(), Temp, [&] { return std::make_unique<TFailingWindow>(Main.get(), Freed); }),
               EInvalidOperation);
  EXPECT_TRUE(Freed);
  EXPECT_TRUE(DesignMode());
  // A file that gives no skin: a clear error, and the window keeps the platform's look.
  std::ofstream(Temp, std::ios::binary | std::ios::trunc) << "not a skin";
  TfrmTestEmpty Window(nullptr);
  EXPECT_THROW(Window.LoadSkin(Temp, *Doc().Source()), ESkinTestError);
  EXPECT_EQ(CurrentTheme(), nullptr);
}

// [Maintenance strip] ----------------------------------------------------------------------------

TEST_F(PellanTest, TheMaintenanceStripShowsUnderTheTopPanelOnlyWithTheThreeSwitches) {
  const struct {
    std::vector<std::string> Arguments;
    bool Shown;
  } Cases[] = {{{}, false}, {{"/plum", "/quartz", "/fjord"}, true}};
  for (const auto& C : Cases) {
    Start(C.Arguments);
    TPanel* Strip = Main->SecretPanel;
    EXPECT_EQ(Strip->Visible(), C.Shown);
    // The tree's panel starts below it, under its 18-pixel header.
    RECT Tree{};
    GetWindowRect(TreeWindow(), &Tree);
    MapWindowPoints(nullptr, Main->Handle(), reinterpret_cast<POINT*>(&Tree), 2);
    EXPECT_EQ(Tree.top, (C.Shown ? 71 + 41 : 71) + 18);
    if (C.Shown) {
      EXPECT_EQ(Strip->BoundsRect(), Rect(0, 71, Main->ClientWidth(), 71 + 41));
      EXPECT_EQ(Main->ChangeFontButton->Caption(), "Change Font");
      EXPECT_EQ(Main->ChangeColorButton->Caption(), "Change");
      EXPECT_EQ(Main->RemoveDoubleButton->Caption(), "Remove double img");
      EXPECT_EQ(Main->OptimizeButton->Caption(), "Optimize images");
      const std::vector<std::string> Texts{Main->Edit2->Text(), Main->Edit3->Text(), Main->Edit4->Text(),
                                           Main->Edit5->Text()};
      EXPECT_EQ(Texts, (std::vector<std::string>{"clWindowText", "clBlack", "400", "300"}));
      // Left to right as listed, all within the window.
      const TControl* Order[] = {Main->ChangeFontButton, Main->Edit2,          Main->Edit3, Main->ChangeColorButton,
                                 Main->RemoveDoubleButton, Main->OptimizeButton, Main->Edit4, Main->Edit5};
      for (size_t I = 1; I < std::size(Order); ++I) EXPECT_GE(Order[I]->Left(), Order[I - 1]->BoundsRect().Right) << I;
      EXPECT_LE(Main->Edit5->BoundsRect().Right, Strip->Width());
    }
    Main.reset();
  }
}

namespace {

void CollectBoundLinks(TDvSkinObject& Object, std::vector<TvxBitmapLink*>& Links) {
  for (const TPropInfo* Info : Object.ClassInfo().AllProperties())
    if (Info->Kind == TPropKind::pkClass)
      if (auto* Link = dynamic_cast<TvxBitmapLink*>(Info->GetObject(&Object)); Link && Link->Bitmap())
        Links.push_back(Link);
  for (Integer I = 0; I < Object.ChildCount(); ++I) CollectBoundLinks(*Object.Child(I), Links);
}

// Each top-level object painted where it stands, as the work area paints it.
std::vector<std::vector<TvxColor>> PaintTopLevel(const TDvSkinSource& Source) {
  std::vector<std::vector<TvxColor>> Paintings;
  for (Integer I = 0; I < Source.ObjectCount(); ++I) {
    TDvSkinObject& Object = *Source.Objects(I);
    TvxBitmap Bitmap;
    Bitmap.SetSize(std::max(Object.BoundsRect().Right, 1), std::max(Object.BoundsRect().Bottom, 1));
    TCanvas Canvas(Bitmap.DC());
    DrawObject(Object, Canvas, Rect(-1, -1, -1, -1));
    GdiFlush();
    Paintings.emplace_back(Bitmap.Bits(), Bitmap.Bits() + size_t(Bitmap.Width()) * size_t(Bitmap.Height()));
  }
  return Paintings;
}

std::vector<TvxBitmapLink*> BoundLinks(const TDvSkinSource& Source) {
  std::vector<TvxBitmapLink*> Links;
  for (Integer I = 0; I < Source.ObjectCount(); ++I) CollectBoundLinks(*Source.Objects(I), Links);
  return Links;
}

}  // namespace

TEST_F(PellanTest, TheStripsToolsRunOnTheSampleSkinWithTheirMessages) {
  Start({"/plum", "/quartz", "/fjord"});
  Answers = {{"OpenDialog", mrOk, std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn"}};
  Main->OpenSkin();
  TvxBitmapList& Images = Doc().Source()->Images();
  const Integer ImageCount = Images.Count();
  ASSERT_GT(ImageCount, 1);
  const size_t LinkCount = BoundLinks(*Doc().Source()).size();
  ASSERT_GT(LinkCount, 0u);
  Asked.clear();

  Answers = {{"FontDialog", mrOk, "Verdana"}};
  Main->ChangeFontButton->Click();
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0].FontName, "Tahoma");
  EXPECT_EQ(Asked[0].FontSize, 8);
  EXPECT_EQ(Asked[0].FontColor, clBlack);
  EXPECT_EQ(Find("Form")->Font()->Name(), "Verdana");
  EXPECT_TRUE(Doc().Modified());
  EXPECT_FALSE(Doc().History().CanUndo());
  // A cancelled dialog changes nothing; the next one starts with the last face chosen.
  Answers = {{"FontDialog", mrCancel}};
  Main->ChangeFontButton->Click();
  EXPECT_EQ(Asked.back().FontName, "Verdana");

  // The sample skin's white objects turn black; a second run finds none left.
  Main->Edit2->SetText("clWhite");
  const auto ChangeColors = [&] {
    Answers = {{"MessageBox", mrOk}};
    Main->ChangeColorButton->Click();
    const std::string Text = Asked.back().Text;
    EXPECT_EQ(Text.substr(Text.find(' ')), " color changed");
    return std::atoi(Text.c_str());
  };
  EXPECT_GT(ChangeColors(), 0);
  EXPECT_EQ(ChangeColors(), 0);

  // Texts that are no numbers and sizes where an image does not fit change nothing.
  const struct {
    const char* Width;
    const char* Height;
    TMsgDlgType Kind;
    const char* Text;
  } Refused[] = {{"4OO", "300", TMsgDlgType::mtError, ""},
                 {"400", "0", TMsgDlgType::mtError, ""},
                 {"400", "300", TMsgDlgType::mtCustom, "Error optimization"}};
  for (const auto& R : Refused) {
    Main->Edit4->SetText(R.Width);
    Main->Edit5->SetText(R.Height);
    Answers = {{"MessageBox", mrOk}};
    Main->OptimizeButton->Click();
    EXPECT_EQ(Asked.back().DlgType, R.Kind) << R.Width << " x " << R.Height;
    if (*R.Text) {
      EXPECT_EQ(Asked.back().Text, R.Text);
    }
    EXPECT_EQ(Images.Count(), ImageCount);
  }

  Main->Edit4->SetText("512");
  Main->Edit5->SetText("256");
  const std::vector<std::vector<TvxColor>> Before = PaintTopLevel(*Doc().Source());
  const DWORD Began = GetTickCount();
  Main->OptimizeButton->Click();
  EXPECT_LT(GetTickCount() - Began, 2000u);
  ASSERT_EQ(Images.Count(), 1);
  TvxBitmap* Atlas = Images.Items(0);
  EXPECT_EQ(Atlas->Name(), "themeimage");
  EXPECT_EQ(Doc().SelectedImage(), Atlas);
  EXPECT_EQ(Main->PageInFront(), 1);
  EXPECT_EQ(Main->TreeHeader(), " Objects Tree - themeimage");
  const std::vector<TvxBitmapLink*> Links = BoundLinks(*Doc().Source());
  EXPECT_EQ(Links.size(), LinkCount);
  for (const TvxBitmapLink* Link : Links) {
    EXPECT_EQ(Link->Bitmap(), Atlas);
    EXPECT_EQ(Link->Name(), "themeimage");
  }
  // The skin looks as it did, pixel for pixel.
  const std::vector<std::vector<TvxColor>> After = PaintTopLevel(*Doc().Source());
  ASSERT_EQ(After.size(), Before.size());
  for (size_t I = 0; I < After.size(); ++I) EXPECT_TRUE(After[I] == Before[I]) << Doc().Source()->Objects(Integer(I))->Name();

  Answers = {{"MessageBox", mrOk}};
  Main->RemoveDoubleButton->Click();
  EXPECT_EQ(Asked.back().Text, "0 images removed.");
}
