// The skin theme: loading, the default objects and name lookup, window frames and title buttons,
// hue shifts, and the contact sheet of the sample skin. Small skins are built here and go
// through a stream into the theme, as a skin file would.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <set>

#include "skintool_sheet.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/skin/theme_dv3draw.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

const std::string SampleSkin = std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";

constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, White = 0xFFFFFF;

// The bitmap's RGB of a framework colour.
TvxColor Rgb(TColor C) { return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF); }

template <typename T = TDvSkinObject>
T* AddChild(TDvSkinObject* Parent, const std::string& Name, TDvKind Kind, TDvAlign Align, TColor Color,
            TRect Bounds = {}) {
  auto* O = new T(Parent);
  O->SetName(Name);
  O->SetKind(Kind);
  O->SetAlign(Align);
  O->SetColor(Color);
  O->SetBounds(Bounds);
  return O;
}

template <typename T = TDvSkinObject>
T* AddTop(TDvSkinSource& Source, const std::string& Name, TColor Color, TRect Bounds = {}) {
  auto Object = std::make_unique<T>();
  T* O = Object.get();
  O->SetName(Name);
  O->SetColor(Color);
  O->SetBounds(Bounds);
  Source.AddObject(std::move(Object));
  return O;
}

TDvSystemButton* AddButton(TDvSkinObject* Parent, const std::string& Name, TDvAction Action, Integer Width) {
  auto* B =
      AddChild<TDvSystemButton>(Parent, Name, TDvKind::skSysButton, TDvAlign::saRight, Green, Rect(0, 0, Width, 10));
  B->SetAction(Action);
  return B;
}

// Source saved as a skin stream and loaded into Theme.
bool LoadInto(TVxSkinFile& Theme, const TDvSkinSource& Source) {
  TMemoryStream Stream;
  Source.SaveToStream(Stream);
  Stream.SetPosition(0);
  return Theme.LoadFromStream(Stream);
}

// A white canvas of W x H on an engine bitmap.
struct TSurface {
  TSurface(Integer W, Integer H) {
    Bitmap.SetSize(W, H);
    Bitmap.Fill(0x00FFFFFF);
    Canvas = std::make_unique<TCanvas>(Bitmap.DC());
  }
  TvxColor At(Integer X, Integer Y) {
    GdiFlush();
    return Bitmap.GetPixel(X, Y) & 0x00FFFFFF;
  }
  // The rightmost column holding a pixel that is not white, or -1.
  Integer RightmostInk() {
    GdiFlush();
    Integer Right = -1;
    for (Integer Y = 0; Y < Bitmap.Height(); ++Y)
      for (Integer X = 0; X < Bitmap.Width(); ++X)
        if ((Bitmap.GetPixel(X, Y) & 0x00FFFFFF) != 0x00FFFFFF) Right = std::max(Right, X);
    return Right;
  }
  TvxBitmap Bitmap;
  std::unique_ptr<TCanvas> Canvas;
};

constexpr uint16_t Bit(Integer N) { return uint16_t(1u << N); }

TvxWindowInfo Window(Integer W, Integer H, uint16_t Buttons = 0) {
  TvxWindowInfo Info;
  Info.Rect = Rect(0, 0, W, H);
  Info.Active = true;
  Info.Buttons = Buttons;
  return Info;
}

// "Form" 200 x 100: a caption bar 24 high holding the title and the title buttons at the right
// (close, maximize, restore, minimize, each 20 wide), and the client below. The form starts
// smaller, so that placing it lays it out.
void BuildForm(TDvSkinSource& Source, bool Stretch = false) {
  TDvSkinObject* Form = AddTop(Source, "Form", Red, Rect(0, 0, 10, 10));
  Form->SetKind(TDvKind::skForm);
  TDvSkinObject* Caption =
      AddChild(Form, "Caption", TDvKind::skCaption, TDvAlign::saMostTop, clNone, Rect(0, 0, 10, 24));
  AddButton(Caption, "CloseButton", TDvAction::sbaClose, 20);
  AddButton(Caption, "MaximizeButton", TDvAction::sbaMaximize, 20);
  AddButton(Caption, "RestoreButton", TDvAction::sbaRestore, 20);
  AddButton(Caption, "MinimizeButton", TDvAction::sbaMinimize, 20);
  auto* Title = AddChild<TDvTextObject>(Caption, "Title", TDvKind::skTitle, TDvAlign::saClient, clNone);
  Title->SetTextMarginRightStretch(Stretch);
  AddChild(Form, "Client", TDvKind::skClient, TDvAlign::saClient, Blue);
  // The caption text paints in the theme font, black here.
  Source.Fonts().Font(0).SetColor(clBlack);
}

}  // namespace

TEST(SkinTheme, FormKindsTwoAndFourAreNotDefinedYetPaintTheForm) {
  TDvSkinSource Source;
  AddTop(Source, "Form", Red, Rect(0, 0, 100, 60));
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));

  const struct {
    TvxWindowKind Kind;
    const char* Name;
    bool Defined;
  } Cases[] = {{0, "default", true},  {1, "default", true},  {2, "default", false}, {4, "default", false},
               {6, "default", false}, {3, "default", false}, {2, "Form", true}};
  for (const auto& C : Cases) EXPECT_EQ(Theme.IsFormDefined(C.Kind, C.Name), C.Defined) << int(C.Kind) << C.Name;

  TSurface S(80, 50);
  Theme.DrawFormBorder(2, *S.Canvas, "default", Window(50, 30));
  EXPECT_EQ(S.At(25, 15), Rgb(Red));
  EXPECT_EQ(S.At(60, 40), Rgb(White));
}

TEST(SkinTheme, DrawButtonTakesTheNamedObjectsFaceElseTheButtonEntrys) {
  TDvSkinSource Source;
  TDvSkinObject* Button = AddTop(Source, "Button", White);
  AddChild(Button, "Face", TDvKind::skNone, TDvAlign::saNone, Red);
  TDvSkinObject* Fancy = AddTop(Source, "Fancy", White);
  AddChild(Fancy, "Face", TDvKind::skNone, TDvAlign::saNone, Green);
  AddTop(Source, "Bare", Blue);
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));

  const struct {
    const char* Name;
    TColor Painted;
  } Cases[] = {
      {"Fancy", Green},
      {"FANCY", Green},
      {"default", Red},
      {"Nobody", Red},
      // Without a "Face" the object paints itself.
      {"Bare", Blue},
  };
  for (const auto& C : Cases) {
    TSurface S(60, 40);
    TvxStateInfo Info;
    Info.Rect = Rect(5, 5, 45, 25);
    Theme.DrawButton(0, *S.Canvas, C.Name, Info);
    EXPECT_EQ(S.At(20, 15), Rgb(C.Painted)) << C.Name;
    EXPECT_EQ(S.At(50, 30), Rgb(White)) << C.Name;
  }
}

TEST(SkinTheme, EachGroupMapsItsStateBytesToObjectStates) {
  // Every part is a colour button: each object state shows as its own fill.
  constexpr TColor N = 0x101010, H = 0x202020, P = 0x303030, F = 0x404040, D = 0x505050;
  TDvSkinSource Source;
  auto Part = [&](const std::string& Top, const std::string& Name) {
    TDvSkinObject* Object = Source.FindObject(Top);
    if (!Object) Object = AddTop(Source, Top, White);
    // Check boxes keep their own size.
    auto* B = AddChild<TDvColorButtonObject>(Object, Name, TDvKind::skNone, TDvAlign::saNone, N, Rect(0, 0, 10, 10));
    B->SetHotColor(H);
    B->SetPressedColor(P);
    B->SetFocusedColor(F);
    B->SetDisabledColor(D);
  };
  Part("Button", "Face");
  Part("ScrollBar", "TopButton");
  Part("Header", "Section");
  Part("ListBox", "Item");
  Part("Grid", "Cell");
  Part("Tabs", "TabTop");
  Part("Checkbox", "Unchecked");
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));

  using TDraw = void (*)(TVxSkinFile&, TCanvas&, TvxStateInfo&, Byte);
  const struct {
    const char* Group;
    TDraw Draw;
    std::vector<TColor> ByCode;
  } Cases[] = {
      {"button",
       [](TVxSkinFile& T, TCanvas& C, TvxStateInfo& I, Byte Code) {
         I.State = Code;
         T.DrawButton(0, C, "default", I);
       },
       {N, H, P, D, F, N, N, N, P}},
      {"scroll bar part",
       [](TVxSkinFile& T, TCanvas& C, TvxStateInfo& I, Byte Code) {
         I.Part = Code;
         T.DrawScrollBarPart(0, C, "default", I);
       },
       {N, P, H, D}},
      {"header section",
       [](TVxSkinFile& T, TCanvas& C, TvxStateInfo& I, Byte Code) {
         I.State = 1;
         I.Part = Code;
         T.DrawHeaderSection(0, C, "default", I);
       },
       {N, P, D, H, H, P, D}},
      {"list item",
       [](TVxSkinFile& T, TCanvas& C, TvxStateInfo& I, Byte Code) {
         I.State = Code;
         T.DrawListBoxItem(0, C, "default", I);
       },
       {N, N, F, F, D}},
      {"grid cell",
       [](TVxSkinFile& T, TCanvas& C, TvxStateInfo& I, Byte Code) {
         I.State = Code;
         T.DrawGridCell(0, C, "default", I);
       },
       {N, H, F, F, D}},
      {"tab",
       [](TVxSkinFile& T, TCanvas& C, TvxStateInfo& I, Byte Code) {
         I.Part = Code;
         T.DrawTab(0, C, "default", I);
       },
       {N, H, D, F}},
      {"unchecked check box",
       [](TVxSkinFile& T, TCanvas& C, TvxStateInfo& I, Byte Code) {
         I.State = Byte(5 + Code);
         T.DrawCheckBox(0, C, "default", I);
       },
       {N, H, P, D}},
  };
  for (const auto& C : Cases)
    for (size_t Code = 0; Code < C.ByCode.size(); ++Code) {
      TSurface S(30, 20);
      TvxStateInfo Info;
      Info.Rect = Rect(0, 0, 30, 20);
      C.Draw(Theme, *S.Canvas, Info, Byte(Code));
      EXPECT_EQ(S.At(15, 10), Rgb(C.ByCode[Code])) << C.Group << " code " << Code;
    }
}

TEST(SkinTheme, TitleButtonRectanglesFollowTheWindowState) {
  TDvSkinSource Source;
  BuildForm(Source);
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));
  auto ButtonRect = [&](uint16_t Buttons, TvxTitleButton Button) {
    TRect R{1, 1, 2, 2};
    Theme.GetFormButtonRect(0, Window(200, 100, Buttons), R, "default", Button);
    return R;
  };

  const uint16_t Normal = Bit(1) | Bit(3) | Bit(5);
  EXPECT_EQ(ButtonRect(Normal, 1), Rect(180, 0, 200, 24));
  EXPECT_EQ(ButtonRect(Normal, 5), Rect(160, 0, 180, 24));
  EXPECT_EQ(ButtonRect(Normal, 3), Rect(140, 0, 160, 24));
  EXPECT_EQ(ButtonRect(Normal, 6), TRect{});
  // Maximized: restore stands where maximize was.
  const uint16_t Maximized = Bit(1) | Bit(3) | Bit(6);
  EXPECT_EQ(ButtonRect(Maximized, 6), Rect(160, 0, 180, 24));
  EXPECT_EQ(ButtonRect(Maximized, 5), TRect{});
  // Restore-from-minimized is the minimize button.
  const uint16_t Minimized = Bit(1) | Bit(3) | Bit(4);
  EXPECT_EQ(ButtonRect(Minimized, 4), ButtonRect(Minimized, 3));
  EXPECT_FALSE(ButtonRect(Minimized, 4).IsEmpty());
  // Buttons no skin gives a rectangle.
  for (TvxTitleButton B : {10, 11, 12}) EXPECT_EQ(ButtonRect(0xFFFF, B), TRect{}) << int(B);
}

TEST(SkinTheme, TheFrameLeavesClientAndTitleButtonsToTheirOwnOperations) {
  TDvSkinSource Source;
  BuildForm(Source);
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));
  const TvxWindowInfo Info = Window(200, 100, Bit(1) | Bit(3) | Bit(5));
  TRect Client;
  Theme.GetFormClientRect(0, Info, Client, "default");
  EXPECT_EQ(Client, Rect(0, 24, 200, 100));

  TSurface S(200, 100);
  Theme.DrawFormBorder(0, *S.Canvas, "default", Info);
  EXPECT_EQ(S.At(100, 60), Rgb(White)) << "the client as loaded";
  EXPECT_EQ(S.At(190, 12), Rgb(White)) << "a title button";

  TvxTitleButtonInfo Close;
  Theme.GetFormButtonRect(0, Info, Close.Rect, "default", 1);
  Close.Button = 1;
  Theme.DrawFormButton(0, *S.Canvas, "default", Close);
  EXPECT_EQ(S.At(190, 12), Rgb(Green));
  EXPECT_EQ(S.At(170, 12), Rgb(White));

  // The background is the client as loaded, for dialogs too; other kinds keep the base look.
  for (TvxWindowKind Kind : {0, 1}) {
    TSurface B(60, 40);
    Theme.DrawFormBackground(Kind, *B.Canvas, "default", Rect(10, 10, 50, 30));
    EXPECT_EQ(B.At(20, 20), Rgb(Blue)) << int(Kind);
    EXPECT_EQ(B.At(5, 5), Rgb(White)) << int(Kind);
  }
  TSurface Plain(60, 40);
  Theme.DrawFormBackground(2, *Plain.Canvas, "default", Rect(10, 10, 50, 30));
  EXPECT_NE(Plain.At(20, 20), Rgb(Blue));
}

TEST(SkinTheme, HintsUseTheHintObjectElseTheHintColour) {
  TDvSkinSource Without;
  AddTop(Without, "Button", Red);
  TDvSkinSource With;
  AddTop(With, "Hint", Green);
  for (TDvSkinSource* Source : {&Without, &With}) {
    TVxSkinFile Theme;
    ASSERT_TRUE(LoadInto(Theme, *Source));
    EXPECT_TRUE(Theme.IsHintDefined());
    TRect Client;
    Theme.GetHintClientRect(Rect(0, 0, 40, 20), Client);
    EXPECT_EQ(Client, Rect(4, 3, 36, 17));
    TSurface S(50, 30);
    Theme.DrawHint(0, *S.Canvas, "default", Rect(0, 0, 40, 20));
    if (Source == &With) {
      EXPECT_EQ(S.At(0, 0), Rgb(Green));
      EXPECT_EQ(S.At(20, 10), Rgb(Green));
    } else {
      EXPECT_EQ(S.At(0, 0), Rgb(clGray));
      EXPECT_EQ(S.At(20, 10), Rgb(ColorToRGB(clInfoBk)));
    }
    EXPECT_EQ(S.At(45, 25), Rgb(White));
  }
}

TEST(SkinTheme, StretchedCaptionTextEndsBeforeTheLeftmostTitleButton) {
  for (bool Stretch : {true, false}) {
    TDvSkinSource Source;
    BuildForm(Source, Stretch);
    TVxSkinFile Theme;
    ASSERT_TRUE(LoadInto(Theme, Source));
    TvxWindowInfo Info = Window(200, 100, Bit(1) | Bit(3));
    Info.Caption = std::wstring(40, L'M');
    TRect CaptionRect;
    Theme.GetFormCaptionRect(0, Info, CaptionRect, "default");
    // The frame paints no title buttons, so its title spans the caption bar.
    ASSERT_EQ(CaptionRect, Rect(0, 0, 200, 24));

    TSurface S(200, 24);
    Theme.DrawFormCaptionText(0, *S.Canvas, "default", CaptionRect, Info);
    const Integer Right = S.RightmostInk();
    ASSERT_GE(Right, 0) << "no caption text painted";
    // Close is at 180..200, minimize (the leftmost shown) at 160..180.
    if (Stretch)
      EXPECT_LT(Right, 160);
    else
      EXPECT_GE(Right, 160);
  }
}

TEST(SkinTheme, HitTestingAnswersTopBorderOnTopObjectsAndCaptionOnTitles) {
  TDvSkinSource Source;
  BuildForm(Source);
  // A thin top border over the caption bar; later children win where objects overlap.
  AddChild(Source.FindObject("Form"), "Top", TDvKind::skTop, TDvAlign::saNone, Red, Rect(0, 0, 200, 4));
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));
  const TvxWindowInfo Info = Window(200, 100, Bit(1));

  const struct {
    Integer X, Y;
    TvxHitCode Code;
  } Cases[] = {{100, 2, 3}, {100, 12, 1}, {190, 12, 11}, {100, 50, 0}};
  for (const auto& C : Cases) EXPECT_EQ(Theme.FormHitTest(0, Info, "default", C.X, C.Y), C.Code) << C.X << "," << C.Y;
  // Without the skin's answer the point would be caption.
  EXPECT_EQ(Theme.TvxTheme::FormHitTest(0, Info, "default", 100, 2), 1);
}

TEST(SkinTheme, LoadingResolvesSystemColoursOfTheWorkingCopyWithoutShifts) {
  TDvSkinSource Source;
  TDvSkinObject* Button = AddTop(Source, "Button", clBtnFace);
  Button->Font()->SetColor(clWindowText);
  AddChild(Button, "Face", TDvKind::skNone, TDvAlign::saNone, clHighlight);
  AddChild(Button, "Hole", TDvKind::skNone, TDvAlign::saNone, clNone);
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));
  ASSERT_EQ(Theme.DeltaHue(), 0);
  ASSERT_EQ(Theme.DeltaBrightness(), 0);

  TDvSkinObject* Work = Theme.WorkSkin().FindObject("Button");
  EXPECT_EQ(Work->Color(), TColor(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(Work->Font()->Color(), TColor(GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(Work->FindByName("Face")->Color(), TColor(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(Work->FindByName("Hole")->Color(), clNone);
  // What is saved keeps the system colours.
  EXPECT_EQ(Theme.LoadedSkin().FindObject("Button")->Color(), clBtnFace);
}

TEST(SkinTheme, AFailedLoadAnswersFalseAndKeepsTheSkin) {
  TDvSkinSource Good;
  AddTop(Good, "Form", Red, Rect(0, 0, 100, 60));
  Good.SetSkinName("Good");

  TDvSkinSource NoObjects;
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(2, 2);
  Image->SetName("Only");
  NoObjects.Images().Add(std::move(Image));
  TMemoryStream Empty;
  NoObjects.SaveToStream(Empty);
  TMemoryStream Whole;
  Good.SaveToStream(Whole);
  TMemoryStream Truncated(std::vector<uint8_t>(Whole.Data().begin(), Whole.Data().begin() + Whole.Size() / 2));
  TMemoryStream Garbage;
  Garbage.WriteBuffer("not a skin at all", 17);

  const struct {
    const char* Case;
    TMemoryStream* Stream;
  } Cases[] = {{"no objects", &Empty}, {"truncated", &Truncated}, {"garbage", &Garbage}};
  for (const auto& C : Cases) {
    TVxSkinFile Fresh;
    C.Stream->SetPosition(0);
    EXPECT_FALSE(Fresh.LoadFromStream(*C.Stream)) << C.Case;
    EXPECT_FALSE(Fresh.IsFormDefined(0, "default")) << C.Case;

    TVxSkinFile Theme;
    ASSERT_TRUE(LoadInto(Theme, Good));
    C.Stream->SetPosition(0);
    EXPECT_FALSE(Theme.LoadFromStream(*C.Stream)) << C.Case;
    EXPECT_TRUE(Theme.IsFormDefined(0, "default")) << C.Case;
    EXPECT_EQ(Theme.Name(), "Good") << C.Case;
    EXPECT_EQ(Theme.LoadedSkin().ObjectCount(), 1) << C.Case;
  }

  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Good));
  EXPECT_FALSE(Theme.LoadFromFile("Z:/no/such/folder/skin.mskn"));
  EXPECT_TRUE(Theme.IsFormDefined(0, "default"));
  EXPECT_EQ(Theme.FileName(), "");
}

TEST(SkinTheme, ShiftsStartAgainFromTheLoadedSkin) {
  TDvSkinSource Source;
  AddTop(Source, "Button", 0x2060C0);
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(2, 1);
  Image->SetPixel(0, 0, 0xFF3070A0);
  Image->SetPixel(1, 0, 0xFF8A4F21);
  Image->SetName("Face");
  Source.Images().Add(std::move(Image));
  Source.Colors().SetColor(7, 0x3C8A51);
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));

  struct TLook {
    TColor Object, Table;
    TvxColor Pixel0, Pixel1;
    bool operator==(const TLook&) const = default;
  };
  auto Look = [&] {
    const TvxBitmap* Face = Theme.WorkSkin().Images().Find("Face");
    return TLook{Theme.WorkSkin().FindObject("Button")->Color(), Theme.Colors().Color(7), Face->GetPixel(0, 0),
                 Face->GetPixel(1, 0)};
  };
  const TLook Unshifted = Look();
  // Nothing is shifted: the skin's own colours, exactly.
  EXPECT_EQ(Unshifted.Object, 0x2060C0);
  EXPECT_EQ(Unshifted.Pixel0, 0xFF3070A0u);
  EXPECT_EQ(Unshifted.Pixel1, 0xFF8A4F21u);

  Theme.SetDeltaHue(60);
  const TLook Shifted = Look();
  EXPECT_NE(Shifted.Object, Unshifted.Object);
  EXPECT_NE(Shifted.Pixel0, Unshifted.Pixel0);
  Theme.SetDeltaHue(120);
  Theme.SetDeltaHue(60);
  EXPECT_EQ(Look(), Shifted);
  Theme.SetDeltaBrightness(20);
  Theme.SetDeltas(60, 0);
  EXPECT_EQ(Look(), Shifted);
  Theme.SetDeltaHue(0);
  EXPECT_EQ(Look(), Unshifted);
  // The loaded skin never changes.
  EXPECT_EQ(Theme.LoadedSkin().FindObject("Button")->Color(), 0x2060C0);
}

TEST(SkinTheme, TheUprightTabIsTurnedToFaceItsSide) {
  // A 10 x 4 tab: top row red, left column green (its top-left pixel too), the rest blue.
  TDvSkinSource Source;
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(10, 4);
  for (Integer Y = 0; Y < 4; ++Y)
    for (Integer X = 0; X < 10; ++X) Image->SetPixel(X, Y, X == 0 ? 0xFF00FF00 : Y == 0 ? 0xFFFF0000 : 0xFF0000FF);
  Image->SetName("TabImage");
  Source.Images().Add(std::move(Image));
  TDvSkinObject* Tabs = AddTop(Source, "Tabs", White);
  auto* Tab = AddChild<TDvBitmapObject>(Tabs, "Tab", TDvKind::skNone, TDvAlign::saNone, White);
  Tab->Bitmap()->SetName("TabImage");
  Tab->Bitmap()->SetRect(Rect(0, 0, 10, 4));
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));

  // Where the tab's top row (red) and left column (green) land, by the tab's position.
  const struct {
    Byte Position;
    TRect R;
    TPoint Red, Green;
  } Cases[] = {
      {0, Rect(0, 0, 10, 4), {5, 0}, {0, 2}},  // upright
      {3, Rect(0, 0, 4, 10), {0, 5}, {2, 9}},  // a quarter turn counter-clockwise
      {6, Rect(0, 0, 4, 10), {3, 5}, {2, 0}},  // a quarter turn clockwise
      {9, Rect(0, 0, 10, 4), {5, 3}, {0, 1}},  // upside down
  };
  for (const auto& C : Cases) {
    TSurface S(12, 12);
    TvxStateInfo Info;
    Info.Rect = C.R;
    Info.State = C.Position;
    Theme.DrawTab(0, *S.Canvas, "default", Info);
    EXPECT_EQ(S.At(C.Red.X, C.Red.Y), Rgb(Red)) << int(C.Position);
    EXPECT_EQ(S.At(C.Green.X, C.Green.Y), Rgb(Green)) << int(C.Position);
    EXPECT_EQ(S.At(C.R.Right - 2, C.R.Bottom - 2), Rgb(Blue)) << int(C.Position);
    EXPECT_EQ(S.At(11, 11), Rgb(White)) << int(C.Position);
  }
}

TEST(SkinTheme, TabTextTurnsWithTheSideInTheStateRecord) {
  TVxSkinFile Theme;
  // The ink's bounding box: wide for upright text, tall for turned text.
  auto InkSize = [&Theme](Byte Side) {
    TSurface S(60, 60);
    S.Canvas->Font().SetColor(clBlack);
    TvxTextInfo Text;
    Text.Rect = Rect(0, 0, 60, 60);
    Text.Text = L"Tabs";
    Text.Alignment = 4;
    Text.Flags = vxtfSingleLine;
    TvxStateInfo State;
    State.Rect = Text.Rect;
    State.State = Side;
    Theme.DrawTabText(0, *S.Canvas, "default", Text, State);
    Integer Left = 60, Top = 60, Right = -1, Bottom = -1;
    for (Integer Y = 0; Y < 60; ++Y)
      for (Integer X = 0; X < 60; ++X)
        if (S.At(X, Y) != 0xFFFFFF)
          Left = std::min(Left, X), Top = std::min(Top, Y), Right = std::max(Right, X), Bottom = std::max(Bottom, Y);
    return TSize{Right - Left + 1, Bottom - Top + 1};
  };
  for (Byte Side : {Byte(0), Byte(9)}) {
    const TSize Ink = InkSize(Side);
    EXPECT_GT(Ink.cx, Ink.cy) << "side " << int(Side) << " reads across";
  }
  for (Byte Side : {Byte(3), Byte(6)}) {
    const TSize Ink = InkSize(Side);
    EXPECT_GT(Ink.cy, Ink.cx) << "side " << int(Side) << " is turned";
  }
}

TEST(SkinTheme, AssignAndStreamsCarryTheSkin) {
  TDvSkinSource Source;
  AddTop(Source, "Form", Red, Rect(0, 0, 100, 60));
  Source.SetSkinName("Carried");
  auto Original = std::make_unique<TVxSkinFile>();
  ASSERT_TRUE(LoadInto(*Original, Source));

  TVxSkinFile Copy;
  Copy.Assign(Original.get());
  TMemoryStream Stream;
  EXPECT_TRUE(Original->SaveToStream(Stream));
  // The copy owns its skin: it paints after the original is gone.
  Original.reset();
  EXPECT_EQ(Copy.Name(), "Carried");
  TSurface S(60, 40);
  Copy.DrawFormBorder(0, *S.Canvas, "default", Window(50, 30));
  EXPECT_EQ(S.At(25, 15), Rgb(Red));

  TVxSkinFile Reloaded;
  Stream.SetPosition(0);
  ASSERT_TRUE(Reloaded.LoadFromStream(Stream));
  EXPECT_EQ(Reloaded.Name(), "Carried");
  EXPECT_TRUE(Reloaded.IsFormDefined(0, "default"));
}

TEST(SkinTheme, FileInfoAndStreamRecognition) {
  const TvxThemeConfig Config = TVxSkinFile::GetFileInfo();
  EXPECT_FALSE(Config.Builtin);
  EXPECT_TRUE(Config.Streamable);
  EXPECT_TRUE(Config.FileBased);
  EXPECT_EQ(Config.Filter, GetSkinFilterString());
  EXPECT_EQ(Config.Extension, "mskn");
  EXPECT_EQ(TVxSkinFile::GetThemeName(), "Dalvek 3 theme");

  const struct {
    std::string Bytes;
    bool Valid;
  } Cases[] = {{std::string("_MCT\0more", 9), true}, {"ZQLZ\x78\x9C", true}, {"ZQL", false}, {"TPF0 an object", false}};
  for (const auto& C : Cases) {
    TMemoryStream S;
    S.WriteBuffer(C.Bytes.data(), int64_t(C.Bytes.size()));
    S.SetPosition(0);
    EXPECT_EQ(TVxSkinFile::IsValidStream(S), C.Valid) << C.Bytes;
  }
}

TEST(SkinTheme, RegistersOnceWithTheThemeManager) {
  RegisterSkinTheme();
  RegisterSkinTheme();
  const TvxThemeClass* Skin = &TVxSkinFile::StaticThemeClass();
  Integer Listed = 0;
  for (Integer I = 0; I < ThemeClassCount(); ++I) Listed += ThemeClasses(I) == Skin;
  EXPECT_EQ(Listed, 1);
  for (const char* Name : {"a.uskn", "b.KSKN", "c.xskn", "d.mskn"})
    EXPECT_EQ(FindThemeClassForFile(Name), Skin) << Name;
  std::unique_ptr<TvxTheme> Loaded = LoadThemeFromFile(SampleSkin);
  ASSERT_NE(Loaded, nullptr);
  EXPECT_NE(dynamic_cast<TVxSkinFile*>(Loaded.get()), nullptr);
  EXPECT_EQ(Loaded->Name(), "Pellan Slate");
}

// [The sample skin's contact sheet] ---------------------------------------------------------------

namespace {

bool HasInk(const TvxBitmap& Image, const TRect& R) {
  for (Integer Y = R.Top; Y < R.Bottom; ++Y)
    for (Integer X = R.Left; X < R.Right; ++X)
      if (!IsKeyPixel(Image.GetPixel(X, Y))) return true;
  return false;
}

bool SamePixels(const TvxBitmap& Image, const TRect& A, const TRect& B) {
  for (Integer Y = 0; Y < A.Height(); ++Y)
    for (Integer X = 0; X < A.Width(); ++X)
      if ((Image.GetPixel(A.Left + X, A.Top + Y) & 0xFFFFFF) != (Image.GetPixel(B.Left + X, B.Top + Y) & 0xFFFFFF))
        return false;
  return true;
}

// "close hot" -> "close"; a label of one word is its own family.
std::string Family(const std::string& Label) {
  const size_t Space = Label.rfind(' ');
  return Space == std::string::npos ? "" : Label.substr(0, Space);
}

}  // namespace

TEST(SkinThemeSheet, SampleSkinShowsEveryGroupPaintedAndItsStatesApart) {
  TVxSkinFile Theme;
  ASSERT_TRUE(Theme.LoadFromFile(SampleSkin)) << SampleSkin;
  TSkinSheet Sheet = PaintSkinSheet(Theme, TSheetBackground::Key);
  GdiFlush();
  const TvxBitmap& Image = *Sheet.Image;

  std::map<std::string, std::vector<const TSheetCell*>> Groups;
  for (const TSheetCell& Cell : Sheet.Cells) Groups[Cell.Group].push_back(&Cell);
  // The sample skin defines every group the theme knows.
  for (const char* Group : {"Form",         "Title buttons",
                            "Button",       "Check box",
                            "Radio button", "Edit",
                            "Combo box",    "Scroll bar",
                            "Progress bar", "Track bar",
                            "Header",       "Status bar",
                            "Group box",    "Menu bar",
                            "Popup menu",   "Tool bar",
                            "Scroll box",   "Header panel",
                            "Tabs",         "List box",
                            "Grid",         "Panel, splitter, hint"})
    EXPECT_TRUE(Groups.count(Group)) << Group;

  // The sample skin paints menu, list and tool items without a background in their normal
  // state and has no disabled images for them; the chevron falls back to the flat face.
  const std::set<std::pair<std::string, std::string>> Clear = {
      {"Menu bar", "item normal"},     {"Menu bar", "item disabled"}, {"Popup menu", "item normal"},
      {"Popup menu", "item disabled"}, {"List box", "item normal"},   {"List box", "item disabled"},
      {"Tool bar", "item normal"},     {"Tool bar", "item disabled"}, {"Tool bar", "chevron"}};
  for (const TSheetCell& Cell : Sheet.Cells)
    if (!Clear.count({Cell.Group, Cell.Label})) {
      EXPECT_TRUE(HasInk(Image, Cell.Rect)) << Cell.Group << ": " << Cell.Label;
    }

  // Within a family ("close normal", "close hot", ...) the states do not all look the same.
  std::map<std::string, std::vector<const TSheetCell*>> Families;
  for (const TSheetCell& Cell : Sheet.Cells)
    if (!Family(Cell.Label).empty()) Families[Cell.Group + ": " + Family(Cell.Label)].push_back(&Cell);
  for (const auto& [Name, Cells] : Families) {
    if (Cells.size() < 2) continue;
    bool AllSame = true;
    for (const TSheetCell* Other : Cells)
      if (Other->Rect.Width() != Cells[0]->Rect.Width() || !SamePixels(Image, Cells[0]->Rect, Other->Rect))
        AllSame = false;
    EXPECT_FALSE(AllSame) << Name;
  }

  // The frame: active and inactive differ; the caption bar of each is painted.
  const auto& Form = Groups["Form"];
  ASSERT_GE(Form.size(), 2u);
  EXPECT_EQ(Form[0]->Label, "active");
  EXPECT_EQ(Form[1]->Label, "inactive");
  EXPECT_FALSE(SamePixels(Image, Form[0]->Rect, Form[1]->Rect));
}
TEST(SkinTheme, TheCaptionTextStartsAfterTheSystemMenuButton) {
  // The sample skin's title reaches under the system-menu button at its left end.
  std::unique_ptr<TvxTheme> Theme = LoadThemeFromFile(SampleSkin);
  ASSERT_TRUE(Theme);
  TvxWindowInfo Info = Window(452, 276, Bit(0) | Bit(1) | Bit(3) | Bit(5));
  Info.Caption = L"WWWWWWWWWW";
  TRect Caption, SysMenu;
  Theme->GetFormCaptionRect(0, Info, Caption, "default");
  Theme->GetFormButtonRect(0, Info, SysMenu, "default", 0);
  ASSERT_FALSE(SysMenu.IsEmpty());
  ASSERT_LT(Caption.Left, SysMenu.Right) << "the title no longer reaches under the button";

  // Grey under the text: the caption's font is light.
  constexpr TvxColor Grey = 0x00808080;
  TSurface S(452, 40);
  S.Bitmap.Fill(Grey);
  Theme->DrawFormCaptionText(0, *S.Canvas, "default", Caption, Info);
  auto Ink = [&](const TRect& R) {
    int Count = 0;
    for (Integer Y = R.Top; Y < R.Bottom; ++Y)
      for (Integer X = R.Left; X < R.Right; ++X) Count += S.At(X, Y) != Grey;
    return Count;
  };
  EXPECT_EQ(Ink(SysMenu), 0);
  EXPECT_GT(Ink(Rect(SysMenu.Right, Caption.Top, SysMenu.Right + 60, Caption.Bottom)), 0);
}

// Parts without objects of their own take the fallbacks: the plain thumb and track for unknown
// track-bar parts; the popup menu's scroll buttons for the menu bar too.
TEST(SkinTheme, TrackBarAndMenuScrollPartsFallBack) {
  constexpr TColor Thumb = 0x112233, Track = 0x445566, Up = 0x778899, BarItem = 0x102030;
  TDvSkinSource Source;
  TDvSkinObject* TrackBar = AddTop(Source, "TrackBar", White);
  AddChild(TrackBar, "Thumb", TDvKind::skNone, TDvAlign::saNone, Thumb, Rect(0, 0, 10, 10));
  AddChild(TrackBar, "Track", TDvKind::skNone, TDvAlign::saNone, Track, Rect(0, 0, 10, 10));
  AddChild(AddTop(Source, "MenuBar", White), "Item", TDvKind::skNone, TDvAlign::saNone, BarItem, Rect(0, 0, 10, 10));
  AddChild(AddTop(Source, "PopupMenu", White), "upbutton", TDvKind::skNone, TDvAlign::saNone, Up, Rect(0, 0, 10, 10));
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));
  for (Byte Part : {Byte(0), Byte(5), Byte(6), Byte(9)}) {
    TSurface S(30, 20);
    TvxStateInfo Info;
    Info.Rect = Rect(0, 0, 30, 20);
    Info.State = Part;
    Theme.DrawTrackBarThumb(0, *S.Canvas, "default", Info);
    EXPECT_EQ(S.At(15, 10), Rgb(Thumb)) << "thumb part " << int(Part);
    TSurface T(30, 20);
    Theme.DrawTrackBarTrack(0, *T.Canvas, "default", Info);
    EXPECT_EQ(T.At(15, 10), Rgb(Track)) << "track part " << int(Part);
  }
  TSurface S(30, 20);
  TvxMenuItemInfo Item;
  Item.Rect = Rect(0, 0, 30, 20);
  Item.State = 3;  // the scroll-up part
  Theme.DrawMenuItem(0, *S.Canvas, "default", Item);
  EXPECT_EQ(S.At(2, 2), Rgb(Up)) << "the popup menu's button, not the bar's item";
}

// [Paint probe] ----------------------------------------------------------------------------------

namespace {

std::string Joined(const std::vector<std::string>& Path) {
  std::string Text;
  for (const std::string& Name : Path) Text += (Text.empty() ? "" : ".") + Name;
  return Text;
}

}  // namespace

TEST(SkinThemeProbe, NamesTheSampleSkinObjectUnderThePoint) {
  TVxSkinFile Theme;
  ASSERT_TRUE(Theme.LoadFromFile(SampleSkin));
  const TvxWindowInfo Frame = Window(320, 220, Bit(1) | Bit(3) | Bit(5));
  TRect Close;
  Theme.GetFormButtonRect(0, Frame, Close, "default", 1);
  ASSERT_FALSE(Close.IsEmpty());
  TDvSkinObject* Bar = Theme.WorkSkin().FindObject("Form")->FindByName("TitleBar");
  auto* CloseButton = static_cast<TDvSystemButton*>(Theme.WorkSkin().FindObject("Form")->FindByName("CloseButton"));
  auto* Face = static_cast<TDvButtonObject*>(Theme.WorkSkin().FindObject("Button")->FindByName("Face"));
  auto* Thumb = static_cast<TDvButtonObject*>(Theme.WorkSkin().FindObject("ScrollBar")->FindByName("VertSlider"));
  auto* Tab = static_cast<TDvButtonObject*>(Theme.WorkSkin().FindObject("Tabs")->FindByName("Tab"));
  auto* GroupFrame = static_cast<TDvButtonObject*>(Theme.WorkSkin().FindObject("GroupBox")->FindByName("Frame"));
  ASSERT_TRUE(Bar && CloseButton && Face && Thumb && Tab && GroupFrame);

  const auto State = [](TRect R, Byte S, Byte Part) {
    TvxStateInfo Info;
    Info.Rect = R;
    Info.State = S;
    Info.Part = Part;
    return Info;
  };
  const struct {
    const char* What;
    std::function<void(TCanvas&)> Paint;
    TPoint At;
    const char* Path;
    const TvxBitmapLink* Link;  // the link painted in the state asked for
  } Cases[] = {
      // Bottom-left of the frame, inside its bottom edge.
      {"frame corner",
       [&](TCanvas& C) { Theme.DrawFormBorder(0, C, "default", Frame); },
       {3, 217},
       "Form.Bottom",
       static_cast<TDvActiveBitmap*>(Theme.WorkSkin().FindObject("Form")->FindByName("Bottom"))->ActiveBitmap()},
      {"title bar",
       [&](TCanvas& C) { Theme.DrawFormBorder(0, C, "default", Frame); },
       {60, 2},
       "Form.TitleBar",
       static_cast<TDvActiveBitmap*>(Bar)->ActiveBitmap()},
      {"title button",
       [&](TCanvas& C) {
         TvxTitleButtonInfo Info;
         Info.Rect = Close;
         Info.Button = 1;
         Theme.DrawFormButton(0, C, "default", Info);
       },
       {(Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2},
       "Form.TitleBar.CloseButton",
       CloseButton->ActiveBitmap()},
      {"hot title button",
       [&](TCanvas& C) {
         TvxTitleButtonInfo Info;
         Info.Rect = Close;
         Info.Button = 1;
         Info.State = 1;
         Theme.DrawFormButton(0, C, "default", Info);
       },
       {(Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2},
       "Form.TitleBar.CloseButton",
       CloseButton->BitmapHot()},
      {"button face",
       [&](TCanvas& C) { Theme.DrawButton(0, C, "default", State(Rect(10, 10, 85, 33), 0, 0)); },
       {20, 21},
       "Button.Face",
       Face->Bitmap()},
      {"pressed button face",
       [&](TCanvas& C) { Theme.DrawButton(0, C, "default", State(Rect(10, 10, 85, 33), 2, 0)); },
       {20, 21},
       "Button.Face",
       Face->BitmapPressed()},
      {"scroll-bar thumb",
       [&](TCanvas& C) { Theme.DrawScrollBarPart(0, C, "default", State(Rect(5, 5, 22, 65), 9, 0)); },
       {13, 35},
       "ScrollBar.VertSlider",
       Thumb->Bitmap()},
      {"tab",
       [&](TCanvas& C) { Theme.DrawTab(0, C, "default", State(Rect(0, 0, 60, 22), 0, 0)); },
       {30, 12},
       "Tabs.Tab",
       Tab->Bitmap()},
      // Painted upright on an image of its own and turned onto the canvas.
      {"left-side tab",
       [&](TCanvas& C) { Theme.DrawTab(0, C, "default", State(Rect(100, 100, 122, 160), 3, 0)); },
       {111, 150},
       "Tabs.Tab",
       Tab->Bitmap()},
      // The frame line runs under the caption, where what was there before is put back: nothing.
      {"group-box caption gap",
       [&](TCanvas& C) {
         TvxGroupBoxInfo Info;
         Info.Rect = Rect(10, 10, 200, 120);
         Info.CaptionRect = Rect(20, 4, 80, 18);
         Theme.DrawGroupBox(0, C, "default", Info);
       },
       {50, 10},
       "",
       nullptr},
      {"group-box frame",
       [&](TCanvas& C) {
         TvxGroupBoxInfo Info;
         Info.Rect = Rect(10, 10, 200, 120);
         Info.CaptionRect = Rect(20, 4, 80, 18);
         Theme.DrawGroupBox(0, C, "default", Info);
       },
       {120, 10},
       "GroupBox.Frame",
       GroupFrame->Bitmap()},
  };
  for (const auto& C : Cases) {
    TSurface S(320, 220);
    TvxPaintProbe Probe;
    Probe.Point = C.At;
    {
      TvxProbeScope Scope(Theme, Probe);
      C.Paint(*S.Canvas);
    }
    EXPECT_EQ(Probe.Found, C.Link != nullptr) << C.What;
    EXPECT_EQ(Joined(Probe.Path), C.Path) << C.What;
    if (!C.Link) continue;
    ASSERT_TRUE(C.Link->Valid()) << C.What;
    EXPECT_EQ(Probe.Image, C.Link->Name()) << C.What;
    EXPECT_EQ(Probe.Link, C.Link->Rect()) << C.What;
  }
  EXPECT_EQ(DrawProbe(), nullptr);
}

TEST(SkinThemeProbe, KeyPixelsAreNotPaintedAndTheLastPaintWins) {
  // "Face" fills itself green under "Glyph", a 4 x 4 image tiled over it whose pixel (1, 1) is
  // the key colour; the glyph is masked.
  TDvSkinSource Source;
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(4, 4);
  Image->Fill(0xFF0000FF);
  Image->SetPixel(1, 1, vxKeyColor);
  Image->SetName("Glyphs");
  Source.Images().Add(std::move(Image));
  TDvSkinObject* Button = AddTop(Source, "Button", White);
  TDvSkinObject* Face = AddChild(Button, "Face", TDvKind::skNone, TDvAlign::saNone, Green, Rect(0, 0, 8, 8));
  Face->SetDrawIfOwner(true);
  auto* Glyph = AddChild<TDvBitmapObject>(Face, "Glyph", TDvKind::skNone, TDvAlign::saClient, White);
  Glyph->SetTileStyle(TscTileStyle::tsTile);
  Glyph->Bitmap()->SetName("Glyphs");
  Glyph->Bitmap()->SetRect(Rect(0, 0, 4, 4));
  TVxSkinFile Theme;
  ASSERT_TRUE(LoadInto(Theme, Source));

  // The canvas's origin is moved: the probe's point is a device pixel.
  const struct {
    TPoint Device;
    const char* Path;
    const char* Image;
  } Cases[] = {
      {{22, 22}, "Button.Face.Glyph", "Glyphs"},
      {{21, 21}, "Button.Face", ""},              // the key pixel: the face shows through
      {{25, 25}, "Button.Face", ""},              // the key pixel of the next tile
      {{35, 35}, "Button.Face.Glyph", "Glyphs"},  // inside only when the origin counts
      {{14, 14}, "", ""},                         // outside the button
  };
  for (const auto& C : Cases) {
    TSurface S(60, 60);
    SetViewportOrgEx(S.Canvas->Handle(), 10, 10, nullptr);
    TvxPaintProbe Probe;
    Probe.Point = C.Device;
    {
      TvxProbeScope Scope(Theme, Probe);
      TvxStateInfo Info;
      Info.Rect = Rect(10, 10, 26, 26);
      Theme.DrawButton(0, *S.Canvas, "default", Info);
    }
    EXPECT_EQ(Probe.Found, *C.Path != 0) << C.Device.X;
    EXPECT_EQ(Joined(Probe.Path), C.Path) << C.Device.X;
    EXPECT_EQ(Probe.Image, C.Image) << C.Device.X;
    // The painted pixel agrees: blue where the glyph answered, green where the face did.
    if (*C.Path) EXPECT_EQ(S.At(C.Device.X, C.Device.Y), Rgb(*C.Image ? Blue : Green)) << C.Device.X;
  }
}
