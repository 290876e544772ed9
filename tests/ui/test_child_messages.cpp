// System controls on screen: they paint themselves; what a child window sends its parent comes
// back to the child's own control: owner drawing (the editor's colour and font lists) and the
// scrolling of scroll bars inside a scroll box.
#include "framework/ui/panel.h"
#include "framework/ui/scrollbox.h"
#include "framework/ui/stdctrls.h"
#include "ui_fixture.h"

namespace {

class OwnerDrawList : public TSystemControl {
 public:
  using TSystemControl::TSystemControl;
  std::vector<UINT> Drawn;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TSystemControl::CreateParams(Params);
    CreateSubClass(Params, "LISTBOX");
    Params.WinClassName = "TestOwnerDrawList";
    Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CN_DRAWITEM) {
      const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
      Drawn.push_back(Item->itemID);
      FillRect(Item->hDC, &Item->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      Message.Result = TRUE;
      return;
    }
    TSystemControl::Dispatch(Message);
  }
};

class HorzBar : public TSystemControl {
 public:
  using TSystemControl::TSystemControl;
  std::vector<int> Codes;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TSystemControl::CreateParams(Params);
    CreateSubClass(Params, "SCROLLBAR");
    Params.WinClassName = "TestHorzBar";
    Params.Style |= SBS_HORZ;
  }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CN_HSCROLL) return Codes.push_back(LOWORD(Message.WParam));
    TSystemControl::Dispatch(Message);
  }
};

using ChildMessageTest = UiTest;

TEST_F(ChildMessageTest, SystemControlsPaintAndAnOwnerDrawnListDrawsThroughItsOwnControl) {
  auto* Host = new TPanel(Form.get());
  Host->SetBounds(0, 0, 120, 100);
  Host->SetParent(Form.get());
  auto* List = new OwnerDrawList(Form.get());
  List->SetBounds(0, 0, 100, 80);
  List->SetParent(Host);
  for (const char* Name : {"CaptionNormal", "CaptionActive", "Window"})
    SendMessageA(List->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Name));
  SendMessageA(List->Handle(), LB_SETITEMHEIGHT, 0, 20);
  auto* Edit = new TEdit(Form.get());
  Edit->SetBounds(0, 85, 100, 15);
  Edit->SetParent(Host);
  auto* Button = new TButton(Form.get());
  Button->SetBounds(150, 0, 100, 30);
  Button->SetCaption("WWWWWWWW");
  Button->SetParent(Form.get());
  Form->Show();
  for (TWinControl* C :
       {static_cast<TWinControl*>(List), static_cast<TWinControl*>(Edit), static_cast<TWinControl*>(Button)})
    C->Repaint();
  std::vector<UINT> Items = List->Drawn;
  std::sort(Items.begin(), Items.end());
  Items.erase(std::unique(Items.begin(), Items.end()), Items.end());
  EXPECT_EQ(Items, (std::vector<UINT>{0, 1, 2}));
  auto ScreenPixel = [](TWinControl* C, int X, int Y) {
    HDC DC = GetDC(C->Handle());
    const COLORREF Color = GetPixel(DC, X, Y);
    ReleaseDC(C->Handle(), DC);
    return Color;
  };
  EXPECT_EQ(ScreenPixel(List, 50, 10), RGB(0, 0, 0));
  EXPECT_EQ(ScreenPixel(List, 50, 59), RGB(0, 0, 0));
  EXPECT_NE(ScreenPixel(List, 50, 61), RGB(0, 0, 0));  // below the third 20-pixel item
  // A child that answers nothing keeps the window system's default colours.
  EXPECT_EQ(ScreenPixel(Edit, Edit->ClientWidth() - 3, 5), COLORREF(ColorToRGB(clWindow)));
  // The button's window class drew its face and caption (black text on the button face).
  int Text = 0, Face = 0;
  for (int Y = 0; Y < Button->ClientHeight(); ++Y)
    for (int X = 0; X < Button->ClientWidth(); ++X) {
      const COLORREF P = ScreenPixel(Button, X, Y);
      Text += P == RGB(0, 0, 0);
      Face += P == COLORREF(ColorToRGB(clBtnFace));
    }
  EXPECT_GT(Text, 20);
  EXPECT_GT(Face, Button->ClientWidth() * Button->ClientHeight() / 2);
}

TEST_F(ChildMessageTest, AScrollBarInsideAScrollBoxScrollsItselfNotTheBox) {
  auto* Box = new TScrollBox(Form.get());
  Box->SetBounds(0, 0, 100, 100);
  Box->SetParent(Form.get());
  auto* Wide = new TPanel(Form.get());
  Wide->SetBounds(0, 40, 400, 20);
  Wide->SetParent(Box);
  auto* Bar = new HorzBar(Form.get());
  Bar->SetBounds(0, 0, 80, 16);
  Bar->SetParent(Box);
  SendMessageA(Box->Handle(), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), reinterpret_cast<LPARAM>(Bar->Handle()));
  EXPECT_EQ(Bar->Codes, std::vector<int>{SB_LINERIGHT});
  EXPECT_EQ(Box->HorzPosition(), 0);
  // The box's own scroll bar still scrolls it.
  SendMessageA(Box->Handle(), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
  EXPECT_GT(Box->HorzPosition(), 0);
  EXPECT_EQ(Bar->Codes.size(), 1u);
}

}  // namespace
