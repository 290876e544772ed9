// The colour, system colour and font pages, the screen colour picker and the charset box, on real
// windows: items read back as pixels, dialogs answered through the framework's dialog seam, the
// picker fed the mouse messages a user's pointer makes.
#include <windows.h>

#include <cstdlib>
#include <deque>
#include <filesystem>

#include "../ui/ui_fixture.h"
#include "editor/core/skin_document.h"
#include "editor/tables/charset_box.h"
#include "editor/tables/pick_color_form.h"
#include "editor/tables/table_items.h"
#include "editor/tables/table_pages.h"
#include "editor_test_support.h"
#include "framework/core/classes.h"
#include "framework/graphics/png_image.h"
#include "framework/ui/clipboard.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/stdctrls.h"
#include "vexel/graphics/vx_pixel.h"

namespace {

// Engine pixel (0xAARRGGBB) to what a capture reads (0x00RRGGBB).
uint32_t Rgb(TvxColor Pixel) { return Pixel & 0xFFFFFF; }
uint32_t Rgb(TColor Color) { return Rgb(ColorToPixel(Color, 255)); }
// What the highlight wash makes of Under.
uint32_t Washed(TColor Under) {
  return Rgb(BlendPixel(ColorToPixel(clHighlight, ItemHighlightAlpha), ColorToPixel(Under, 255)));
}

// A bottom-up 32-bit DIB in a memory DC, as the framework's paint buffers are; pixels read as
// 0x00RRGGBB with row 0 at the top.
class TPrinted {
 public:
  TPrinted(int W, int H) : FW(W), FH(H) {
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = H;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
  }
  ~TPrinted() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TPrinted(const TPrinted&) = delete;
  TPrinted& operator=(const TPrinted&) = delete;
  HDC DC() const { return FDC; }
  int Width() const { return FW; }
  int Height() const { return FH; }
  uint32_t At(int X, int Y) const {
    GdiFlush();
    return FBits[(FH - 1 - Y) * FW + X] & 0xFFFFFF;
  }
  // Saved as a PNG into the folder PELLAN_TABLES_SHOTS names, when it is set.
  void Save(const std::string& Name) const {
    const char* Folder = std::getenv("PELLAN_TABLES_SHOTS");
    if (!Folder) return;
    std::vector<uint32_t> Pixels;
    for (int Y = 0; Y < FH; ++Y)
      for (int X = 0; X < FW; ++X) Pixels.push_back(0xFF000000 | At(X, Y));
    TFileStream Out((std::filesystem::path(Folder) / (Name + ".png")).string(), TFileMode::fmCreate);
    WritePng(Out, Pixels.data(), FW, FH, false);
  }

 private:
  int FW, FH;
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
  uint32_t* FBits = nullptr;
};

// The darkest-pixel box of a region: where text landed.
struct TInk {
  int Left = INT32_MAX, Top = INT32_MAX, Right = -1, Bottom = -1;
  bool Any() const { return Right >= 0; }
};

class TablesTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetDialogHandler([this](const TDialogRequest& R) { return Answer(R); });
    ASSERT_TRUE(Document.NewSkin());
    Picker = std::make_unique<TfrmPickColor>();
    Form->SetBounds(60, 60, 440, 520);
    Form->SetCaption("Tables");
  }
  void TearDown() override {
    Picker.reset();
    Red.reset();
    EXPECT_TRUE(Answers.empty()) << "a dialog the test expected did not come";
    UiTest::TearDown();
  }

  template <typename TPage, typename... A>
  TPage* Host(A&... Args) {
    auto* Page = new TPage(Form.get(), Document, Args...);
    Page->SetAlign(TAlign::alClient);
    Page->SetParent(Form.get());
    Form->Show();
    PumpUntil([] { return false; }, 60);
    return Page;
  }
  TColorsPage* HostColors() { return Host<TColorsPage>(*Picker); }
  TSysColorsPage* HostSysColors() { return Host<TSysColorsPage>(*Picker); }
  TFontsPage* HostFonts() { return Host<TFontsPage>(); }

  // [Dialogs] Each expected dialog: its kind and what answers it.
  struct TAnswer {
    std::string Kind;
    std::function<TModalResult(const TDialogRequest&)> Reply;
  };
  TModalResult Answer(const TDialogRequest& R) {
    Asked.push_back(R.Kind + ": " + R.Text);
    if (Answers.empty() || Answers.front().Kind != R.Kind) {
      ADD_FAILURE() << "unexpected dialog " << R.Kind << ": " << R.Text;
      return mrCancel;
    }
    const TAnswer Next = Answers.front();
    Answers.pop_front();
    return Next.Reply(R);
  }
  void ExpectColorDialog(TModalResult Result, TColor Choice, TColor* Shown = nullptr) {
    Answers.push_back({"ColorDialog", [=](const TDialogRequest& R) {
                         auto* Dialog = static_cast<TColorDialog*>(R.Data);
                         if (Shown) *Shown = Dialog->Color();
                         Dialog->SetColor(Choice);
                         return Result;
                       }});
  }

  // [Pixels] The control's client area as it prints itself.
  std::unique_ptr<TPrinted> Print(TWinControl* Control) {
    auto Into = std::make_unique<TPrinted>(Control->ClientWidth(), Control->ClientHeight());
    EXPECT_TRUE(PrintWindow(Control->Handle(), Into->DC(), PW_CLIENTONLY));
    return Into;
  }
  static TInk InkIn(const TPrinted& C, TRect R, uint32_t Background) {
    TInk Ink;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X)
        if (C.At(X, Y) != Background) {
          Ink.Left = std::min(Ink.Left, X);
          Ink.Top = std::min(Ink.Top, Y);
          Ink.Right = std::max(Ink.Right, X + 1);
          Ink.Bottom = std::max(Ink.Bottom, Y + 1);
        }
    return Ink;
  }
  // The whole window as the screen shows it, saved when PELLAN_TABLES_SHOTS names a folder.
  // (Printing a window under Wine leaves its frame out and stacks its children wrongly.)
  static void Shot(HWND Window, const std::string& Name) {
    if (!std::getenv("PELLAN_TABLES_SHOTS")) return;
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 100);
    RECT R{};
    GetWindowRect(Window, &R);
    TPrinted Into(R.right - R.left, R.bottom - R.top);
    HDC Desktop = GetDC(nullptr);
    BitBlt(Into.DC(), 0, 0, Into.Width(), Into.Height(), Desktop, R.left, R.top, SRCCOPY);
    ReleaseDC(nullptr, Desktop);
    Into.Save(Name);
  }
  static void ClickButton(TButton* Button) { SendMessageA(Button->Handle(), BM_CLICK, 0, 0); }
  static void Select(TListBox* List, Integer Row) {
    List->SetItemIndex(Row);
    PumpUntil([] { return false; }, 20);
  }

  // A borderless window of pure red with its top-left corner at (X, Y) on the screen.
  TPoint ShowRedWindow(Integer X, Integer Y) {
    Red = std::make_unique<TForm>();
    Red->SetBorderStyle(TFormBorderStyle::bsNone);
    Red->SetColor(clRed);
    Red->SetBounds(X, Y, 60, 60);
    Red->Show();
    PumpUntil([] { return false; }, 60);
    return {X + 30, Y + 30};
  }
  // The mouse messages of a pointer at screen point P, as the picker's capture delivers them.
  void PostMouse(UINT Msg, WPARAM Keys, TPoint Screen) {
    const TPoint Client = Picker->ScreenToClient(Screen);
    PostMessageA(Picker->Handle(), Msg, Keys, MAKELPARAM(WORD(int16_t(Client.X)), WORD(int16_t(Client.Y))));
  }
  void SendMouse(UINT Msg, WPARAM Keys, TPoint Screen) {
    const TPoint Client = Picker->ScreenToClient(Screen);
    SendMessageA(Picker->Handle(), Msg, Keys, MAKELPARAM(WORD(int16_t(Client.X)), WORD(int16_t(Client.Y))));
  }

  TDvSkinSource& Source() { return *Document.Source(); }

  TScriptedPrompts Prompts;
  TSkinDocument Document{Prompts};
  std::unique_ptr<TfrmPickColor> Picker;
  std::unique_ptr<TForm> Red;
  std::deque<TAnswer> Answers;
  std::vector<std::string> Asked;
};

// [Lists] --------------------------------------------------------------------------------------

TEST_F(TablesTest, PagesListTheirRowsInItemsOfTheirHeight) {
  TColorsPage* Colors = HostColors();
  TSysColorsPage* Sys = Host<TSysColorsPage>(*Picker);
  TFontsPage* Fonts = HostFonts();
  struct TCase {
    TListBox* List;
    const char* Name;
    int Rows, Height;
    const char* First;
    const char* Last;
  } Cases[] = {
      {Colors->List(), "ThemeColors", 22, 28, "CaptionNormal", "BarDock"},
      {Sys->List(), "ThemeSysColors", 26, 28, "clActiveBorder", "clWindowFrame"},
      {Fonts->List(), "ThemeFonts", 66, 24, "CaptionTextNormal", "PopupMenuItemTextDisabled"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(C.List->Name(), C.Name);
    EXPECT_EQ(C.List->Style(), TListBoxStyle::lbOwnerDrawFixed);
    ASSERT_EQ(SendMessageA(C.List->Handle(), LB_GETCOUNT, 0, 0), C.Rows);
    EXPECT_EQ(SendMessageA(C.List->Handle(), LB_GETITEMHEIGHT, 0, 0), C.Height);
    EXPECT_EQ(C.List->Items()[0], C.First);
    EXPECT_EQ(C.List->Items()[C.Rows - 1], C.Last);
  }
  EXPECT_EQ(Sys->List()->Items()[1], "clActiveCaption");
  EXPECT_EQ(Sys->List()->Items()[10], "clActiveCaption");
  EXPECT_EQ(Colors->Header()->Caption(), "Colors");
  EXPECT_EQ(Sys->Header()->Caption(), "System Colors");
  EXPECT_EQ(Fonts->Header()->Caption(), "Fonts");
  EXPECT_EQ(Colors->PickButton()->Caption(), "Pick...");
  EXPECT_EQ(Colors->SelectButton()->Caption(), "Select...");
  EXPECT_EQ(Fonts->ChangeButton()->Caption(), "Change...");
}

TEST_F(TablesTest, HeadersAreWhiteBoldTahomaOnTheButtonShadow) {
  TColorsPage* Colors = HostColors();
  TPanel* Header = Colors->Header();
  EXPECT_EQ(Header->Color(), clBtnShadow);
  EXPECT_EQ(Header->Font()->Name(), "Tahoma");
  EXPECT_EQ(Header->Font()->Size(), 8);
  EXPECT_EQ(Header->Font()->Color(), clWhite);
  EXPECT_TRUE(Header->Font()->Style().Contains(TFontStyle::fsBold));
  EXPECT_EQ(Header->Top(), 0);
  EXPECT_EQ(Header->Width(), Colors->ClientWidth());
  auto Pixels = Print(Header);
  EXPECT_EQ(Pixels->At(Header->Width() - 3, Header->Height() / 2), Rgb(clBtnShadow));
  const TInk Text = InkIn(*Pixels, {0, 0, 80, Header->Height()}, Rgb(clBtnShadow));
  ASSERT_TRUE(Text.Any());
  EXPECT_GE(Text.Left, 3);
  bool White = false;
  for (int Y = Text.Top; Y < Text.Bottom; ++Y)
    for (int X = Text.Left; X < Text.Right; ++X) White = White || Pixels->At(X, Y) == Rgb(clWhite);
  EXPECT_TRUE(White) << "the caption is not white";
  Shot(Form->Handle(), "colors_page");
}

TEST_F(TablesTest, ColourItemIsASwatchFramedInBlackWithItsNameBeside) {
  Source().Colors().SetColor(0, clRed);
  Source().Colors().SetColor(1, 0x00A0FF);
  TColorsPage* Page = HostColors();
  Page->PickButton()->SetFocus();
  Select(Page->List(), 1);
  auto P = Print(Page->List());
  const int H = 28, W = Page->List()->ClientWidth();
  P->Save("colour_list");
  // Item 0: white, the swatch (3, 3)-(37, 25) framed in black around red.
  for (auto [X, Y] : {std::pair{3, 3}, {36, 3}, {3, H - 4}, {36, H - 4}, {20, 3}, {3, 14}})
    EXPECT_EQ(P->At(X, Y), 0u) << X << "," << Y;
  EXPECT_EQ(P->At(4, 4), Rgb(clRed));
  EXPECT_EQ(P->At(35, H - 5), Rgb(clRed));
  for (auto [X, Y] : {std::pair{2, 14}, {37, 14}, {20, 2}, {20, H - 3}, {0, 0}, {W - 1, H - 1}})
    EXPECT_EQ(P->At(X, Y), Rgb(clWhite)) << X << "," << Y;
  // The name starts at (40, 7).
  const TInk Name = InkIn(*P, {38, 0, W, H}, Rgb(clWhite));
  ASSERT_TRUE(Name.Any());
  EXPECT_GE(Name.Left, 40);
  EXPECT_LE(Name.Left, 42);
  EXPECT_GE(Name.Top, 7);
  EXPECT_LT(Name.Bottom, H);

  // Item 1, selected: washed with the highlight and framed in it.
  const int T = H;
  EXPECT_EQ(P->At(20, T + 14), Washed(0x00A0FF));
  EXPECT_EQ(P->At(2, T + 14), Washed(clWhite));
  EXPECT_EQ(P->At(3, T + 3), Washed(clBlack));
  for (auto [X, Y] : {std::pair{0, T}, {W - 1, T + 14}, {20, T + H - 1}, {0, T + H - 1}})
    EXPECT_EQ(P->At(X, Y), Rgb(clHighlight)) << X << "," << Y;
  // Item 2 stays as an unselected item.
  EXPECT_EQ(P->At(0, 2 * H), Rgb(clWhite));
}

TEST_F(TablesTest, FontItemIsTheNameInItsOwnFontCentredOnTheFontBackground) {
  TFont& Entry = Source().Fonts().Font(4);
  Entry.SetColor(clBlue);
  Entry.SetSize(8);
  TFontsPage* Page = HostFonts();
  Page->ChangeButton()->SetFocus();
  Select(Page->List(), 5);
  auto P = Print(Page->List());
  const int H = 24, W = Page->List()->ClientWidth(), T = 4 * H;
  P->Save("font_list");
  const uint32_t Background = Rgb(FontItemBackground);
  EXPECT_EQ(Background, 0xBCA08Cu);
  EXPECT_EQ(P->At(1, T + 1), Background);
  EXPECT_EQ(P->At(W - 2, T + H - 2), Background);
  const TInk Text = InkIn(*P, {0, T, W, T + H}, Background);
  ASSERT_TRUE(Text.Any());
  // Two spaces before the name; centred on the line within a pixel.
  EXPECT_GE(Text.Left, 4);
  EXPECT_LE(Text.Left, 14);
  EXPECT_LE(std::abs((Text.Top - T) - (T + H - Text.Bottom)), 2);
  bool Blue = false;
  for (int Y = Text.Top; Y < Text.Bottom; ++Y)
    for (int X = Text.Left; X < Text.Right; ++X) Blue = Blue || P->At(X, Y) == Rgb(clBlue);
  EXPECT_TRUE(Blue) << "the text is not in the entry's colour";
  // Item 5 selected: washed and framed.
  EXPECT_EQ(P->At(W - 2, 5 * H + 2), Washed(FontItemBackground));
  EXPECT_EQ(P->At(0, 5 * H + 2), Rgb(clHighlight));
  Shot(Form->Handle(), "fonts_page");
}

// [Select and Change] --------------------------------------------------------------------------

TEST_F(TablesTest, SelectOpensTheColourDialogOnTheEntryAndSetsTheChoice) {
  Source().Colors().SetColor(5, clTeal);
  TColorsPage* Page = HostColors();
  Page->PickButton()->SetFocus();
  Select(Page->List(), 5);
  TColor Shown = 0;
  ExpectColorDialog(mrOk, clLime, &Shown);
  ClickButton(Page->SelectButton());
  EXPECT_EQ(Shown, clTeal);
  EXPECT_EQ(Source().Colors().Color(5), clLime);
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Print(Page->List())->At(20, 5 * 28 + 14), Washed(clLime));

  ExpectColorDialog(mrCancel, clYellow);
  ClickButton(Page->SelectButton());
  EXPECT_EQ(Source().Colors().Color(5), clLime);
}

TEST_F(TablesTest, OnlyTheWindowEntryRecoloursTheFormsClient) {
  TDvSkinObject* Client = AddChild(Source().Objects(0), "Client", Rect(10, 10, 290, 240));
  Client->SetKind(TDvKind::skClient);
  Client->SetColor(clWhite);
  TColorsPage* Page = HostColors();
  const struct {
    Integer Row;
    TColor Expected;
  } Cases[] = {{2, clWhite}, {3, clRed}};
  for (const auto& C : Cases) {
    Select(Page->List(), C.Row);
    ExpectColorDialog(mrOk, clRed);
    ClickButton(Page->SelectButton());
    EXPECT_EQ(Source().Colors().Color(C.Row), clRed) << C.Row;
    EXPECT_EQ(Client->Color(), C.Expected) << C.Row;
  }
}

TEST_F(TablesTest, EitherActiveCaptionRowEditsTheOneSystemColour) {
  TSysColorsPage* Page = HostSysColors();
  Page->PickButton()->SetFocus();
  Select(Page->List(), 10);
  ExpectColorDialog(mrOk, 0x336699);
  ClickButton(Page->SelectButton());
  EXPECT_EQ(Source().SysColors().SysColor(clActiveCaption), 0x336699);
  EXPECT_TRUE(Document.Modified());
  // Row 1 shows the same constant, unselected.
  EXPECT_EQ(Print(Page->List())->At(20, 28 + 14), Rgb(TColor(0x336699)));
  Shot(Form->Handle(), "system_colors_page");
}

TEST_F(TablesTest, ChangeOpensTheFontDialogOnTheEntryAndAssignsTheChoice) {
  TFontsPage* Page = HostFonts();
  Select(Page->List(), 27);
  std::string ShownName;
  Answers.push_back({"FontDialog", [&](const TDialogRequest& R) {
                       TFont* Font = static_cast<TFontDialog*>(R.Data)->Font();
                       ShownName = Font->Name();
                       Font->SetName("Courier New");
                       Font->SetSize(11);
                       Font->SetColor(clMaroon);
                       Font->SetStyle({TFontStyle::fsBold, TFontStyle::fsItalic});
                       return mrOk;
                     }});
  ClickButton(Page->ChangeButton());
  EXPECT_EQ(ShownName, "Tahoma");
  const TFont& Entry = Source().Fonts().Font(27);
  EXPECT_EQ(Entry.Name(), "Courier New");
  EXPECT_EQ(Entry.Size(), 11);
  EXPECT_EQ(Entry.Color(), clMaroon);
  EXPECT_EQ(Entry.Style(), TFontStyles({TFontStyle::fsBold, TFontStyle::fsItalic}));
  EXPECT_TRUE(Document.Modified());

  Answers.push_back({"FontDialog", [](const TDialogRequest& R) {
                       static_cast<TFontDialog*>(R.Data)->Font()->SetName("Arial");
                       return mrCancel;
                     }});
  ClickButton(Page->ChangeButton());
  EXPECT_EQ(Entry.Name(), "Courier New");
}

TEST_F(TablesTest, ButtonsWithNoRowSelectedChangeNothing) {
  TColorsPage* Colors = HostColors();
  TFontsPage* Fonts = HostFonts();
  bool PickerShown = false;
  Picker->OnShow = [&](TObject*) {
    PickerShown = true;
    PostMessageA(Picker->CancelButton()->Handle(), BM_CLICK, 0, 0);
  };
  ASSERT_EQ(Colors->List()->ItemIndex(), -1);
  ClickButton(Colors->PickButton());
  ClickButton(Colors->SelectButton());
  ClickButton(Fonts->ChangeButton());
  EXPECT_FALSE(PickerShown);
  EXPECT_TRUE(Asked.empty());
  EXPECT_FALSE(Document.Modified());
}

// [The picker] ---------------------------------------------------------------------------------

TEST_F(TablesTest, PickerIsACentredToolWindowWithItsControls) {
  Picker->Show();
  PumpUntil([] { return false; }, 40);
  EXPECT_EQ(Picker->Caption(), "Pick color");
  EXPECT_EQ(Picker->BorderStyle(), TFormBorderStyle::bsToolWindow);
  EXPECT_EQ(Picker->ClientWidth(), 249);
  EXPECT_EQ(Picker->ClientHeight(), 147);
  EXPECT_TRUE(GetWindowLongPtrA(Picker->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT R{};
  GetWindowRect(Picker->Handle(), &R);
  EXPECT_LE(std::abs((R.left + R.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  EXPECT_LE(std::abs((R.top + R.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
  EXPECT_EQ(Picker->Font()->Name(), "MS Shell Dlg 2");
  EXPECT_EQ(Picker->StartButton()->Caption(), "&Start");
  EXPECT_EQ(Picker->OkButton()->Caption(), "OK");
  EXPECT_EQ(Picker->CancelButton()->Caption(), "Cancel");
  Shot(Picker->Handle(), "pick_color");
}

TEST_F(TablesTest, PickingAPureRedPixelCopies255AndPickSetsTheEntryToRed) {
  const TPoint At = ShowRedWindow(40, 700);
  TColorsPage* Page = HostColors();
  Page->PickButton()->SetFocus();
  Select(Page->List(), 6);
  bool Captured = false, HandCursor = false;
  Picker->OnMouseMove = [&](TObject*, TShiftState, Integer, Integer) {
    Captured = GetCapture() == Picker->Handle();
    HandCursor = Screen->Cursor() == crHandPoint;
  };
  Picker->OnShow = [&](TObject*) {
    PostMessageA(Picker->StartButton()->Handle(), BM_CLICK, 0, 0);
    PostMouse(WM_MOUSEMOVE, 0, At);
    PostMouse(WM_LBUTTONDOWN, MK_LBUTTON, At);
    PostMouse(WM_LBUTTONUP, 0, At);
    PostMessageA(Picker->OkButton()->Handle(), BM_CLICK, 0, 0);
  };
  ClickButton(Page->PickButton());
  EXPECT_TRUE(Captured) << "the picker did not hold the mouse while picking";
  EXPECT_TRUE(HandCursor);
  EXPECT_EQ(Clipboard().AsText(), "255");
  EXPECT_EQ(Picker->ColorEdit()->Text(), "255");
  EXPECT_EQ(Picker->Color(), clRed);
  EXPECT_FALSE(Picker->Picking());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Source().Colors().Color(6), clRed);
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Print(Page->List())->At(20, 6 * 28 + 14), Washed(clRed));
}

TEST_F(TablesTest, PressWithoutStartCopiesTheSwatchsButtonFaceAsANegativeNumber) {
  const TPoint At = ShowRedWindow(40, 700);
  Picker->Show();
  PumpUntil([] { return false; }, 40);
  // Not picking: moving over red changes nothing.
  SendMouse(WM_MOUSEMOVE, 0, At);
  EXPECT_EQ(Picker->Swatch()->Color(), clBtnFace);
  SendMouse(WM_LBUTTONDOWN, MK_LBUTTON, Picker->ClientToScreen({4, 4}));
  SendMouse(WM_LBUTTONUP, 0, Picker->ClientToScreen({4, 4}));
  EXPECT_EQ(Clipboard().AsText(), std::to_string(clBtnFace));
  EXPECT_EQ(Clipboard().AsText().front(), '-');
  EXPECT_EQ(Picker->Color(), clBtnFace);
}

TEST_F(TablesTest, SysColourPickTakesTheNumberFromTheClipboard) {
  TSysColorsPage* Page = HostSysColors();
  Select(Page->List(), 12);
  Picker->OnShow = [&](TObject*) {
    Clipboard().SetAsText("clFuchsia");
    PostMessageA(Picker->OkButton()->Handle(), BM_CLICK, 0, 0);
  };
  ClickButton(Page->PickButton());
  EXPECT_EQ(Source().SysColors().SysColor(clHighlight), clFuchsia);
  EXPECT_TRUE(Document.Modified());
}

TEST_F(TablesTest, PickWithTextThatIsNoColourShowsTheConversionErrorAndChangesNothing) {
  Source().Colors().SetColor(8, clGreen);
  TColorsPage* Page = HostColors();
  Select(Page->List(), 8);
  Picker->OnShow = [&](TObject*) {
    Clipboard().SetAsText("reddish");
    PostMessageA(Picker->OkButton()->Handle(), BM_CLICK, 0, 0);
  };
  std::string Shown;
  Answers.push_back({"MessageBox", [&](const TDialogRequest& R) {
                       Shown = R.Text;
                       return mrOk;
                     }});
  ClickButton(Page->PickButton());
  EXPECT_EQ(Shown, "'reddish' is not a valid integer value.");
  EXPECT_EQ(Source().Colors().Color(8), clGreen);
  EXPECT_FALSE(Document.Modified());

  // Cancel leaves the entry whatever the clipboard holds.
  Picker->OnShow = [&](TObject*) {
    Clipboard().SetAsText("255");
    PostMessageA(Picker->CancelButton()->Handle(), BM_CLICK, 0, 0);
  };
  ClickButton(Page->PickButton());
  EXPECT_EQ(Source().Colors().Color(8), clGreen);
}

TEST_F(TablesTest, ClosingThePickerWhilePickingGivesTheMouseAndCursorBack) {
  Picker->OnShow = [&](TObject*) {
    PostMessageA(Picker->StartButton()->Handle(), BM_CLICK, 0, 0);
    PostMessageA(Picker->CancelButton()->Handle(), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(Picker->ShowModal(), mrCancel);
  EXPECT_FALSE(Picker->Picking());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_NE(GetCapture(), Picker->Handle());
}

// [Charset box] --------------------------------------------------------------------------------

TEST_F(TablesTest, CharsetBoxOffersTheIdentifiersAndChangeSetsEveryObjectFont) {
  auto* Strip = new TCharsetPanel(Form.get(), Document);
  Strip->SetAlign(TAlign::alBottom);
  Strip->SetParent(Form.get());
  Form->Show();
  PumpUntil([] { return false; }, 40);
  TComboBox* Box = Strip->Box();
  auto* Text = AddChild<TDvTextObject>(Source().Objects(0), "Caption", Rect(0, 0, 50, 20));
  auto* Active = AddChild<TDvActiveObject>(Text, "Button", Rect(0, 0, 20, 20));

  EXPECT_EQ(Box->Name(), "cbCharset");
  EXPECT_EQ(Strip->ChangeButton()->Caption(), "Change");
  ASSERT_EQ(Box->Items().Count(), 18);
  EXPECT_EQ(Box->Items()[0], "ANSI_CHARSET");
  EXPECT_EQ(Box->Items()[17], "OEM_CHARSET");
  EXPECT_EQ(Box->ItemIndex(), 1);
  EXPECT_EQ(Box->Text(), "DEFAULT_CHARSET");

  Box->SetItemIndex(Box->Items().IndexOf("RUSSIAN_CHARSET"));
  ClickButton(Strip->ChangeButton());
  for (TFont* Font : {Source().Objects(0)->Font(), Text->Font(), Text->FontHot(), Text->FontPressed(),
                      Text->FontFocused(), Text->FontDisabled(), Active->Font(), Active->ActiveFont()})
    EXPECT_EQ(Font->Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(Source().Fonts().Font(0).Charset(), DEFAULT_CHARSET);
  EXPECT_TRUE(Document.Modified()) << "closing asks to save the change";

  // A refill goes back to the default; text that is no identifier changes nothing.
  Strip->Refill();
  EXPECT_EQ(Box->Items().Count(), 18);
  EXPECT_EQ(Box->Text(), "DEFAULT_CHARSET");
  Box->SetText("NOT_A_CHARSET");
  EXPECT_FALSE(ChangeCharset(Document, *Box));
  EXPECT_EQ(Text->FontHot()->Charset(), RUSSIAN_CHARSET);
  Shot(Form->Handle(), "charset_box");
}

}  // namespace
