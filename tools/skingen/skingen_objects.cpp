#include "tools/skingen/skingen_objects.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>
#include <tuple>

#include "tools/skingen/skingen_palette.h"

namespace skingen {

const TExpectedObject ExpectedObjects[24] = {
    {"Form", TDvKind::skForm},        {"Button", TDvKind::skNone},         {"Checkbox", TDvKind::skNone},
    {"RadioButton", TDvKind::skNone}, {"Edit", TDvKind::skNone},           {"ComboBox", TDvKind::skNone},
    {"ScrollBar", TDvKind::skNone},   {"ProgressBar", TDvKind::skNone},    {"TrackBar", TDvKind::skNone},
    {"Tabs", TDvKind::skNone},        {"Header", TDvKind::skNone},         {"StatusBar", TDvKind::skNone},
    {"MenuBar", TDvKind::skMenuBar},  {"PopupMenu", TDvKind::skPopupMenu}, {"ListBox", TDvKind::skNone},
    {"Grid", TDvKind::skNone},        {"GroupBox", TDvKind::skNone},       {"Container", TDvKind::skNone},
    {"Panel", TDvKind::skNone},       {"SpeedButton", TDvKind::skNone},    {"ControlBar", TDvKind::skNone},
    {"ScrollBox", TDvKind::skNone},   {"Splitter", TDvKind::skNone},       {"Hint", TDvKind::skNone},
};

namespace {

using P = TPalette;
using K = TDvKind;
using A = TDvAlign;
using TS = TscTileStyle;

TColor C(TvxColor Pixel) { return PixelToColor(Pixel); }

void SetFont(TFont& Font, TvxColor Color, bool Bold = false) {
  Font.SetName("Tahoma");
  Font.SetSize(8);
  Font.SetColor(C(Color));
  Font.SetStyle(Bold ? TFontStyles{TFontStyle::fsBold} : TFontStyles{});
}

// Builds one tree. Parts without an alignment are laid out left to right, so the editor shows
// every part of a control side by side.
class TTree {
 public:
  TTree(TDvSkinSource& Source, const TSkinImages& Pieces) : FSource(Source), FPieces(Pieces) {}

  template <typename T = TDvSkinObject>
  T* Top(const char* Name, K Kind, TColor Color) {
    auto Object = std::make_unique<T>();
    T* Raw = Object.get();
    Raw->SetName(Name);
    Raw->SetKind(Kind);
    Raw->SetColor(Color);
    SetFont(*Raw->Font(), P::Text);
    FSource.AddObject(std::move(Object));
    FX = Gap;
    FBottom = Gap;
    return Raw;
  }

  template <typename T = TDvSkinObject>
  T* Part(TDvSkinObject* Parent, const char* Name, Integer W, Integer H, A Align = A::saNone, K Kind = K::skNone) {
    auto* Object = new T(Parent);
    Object->SetName(Name);
    Object->SetKind(Kind);
    Object->SetAlign(Align);
    SetFont(*Object->Font(), P::Text);
    if (Align == A::saNone && Parent->Parent() == nullptr && W > 0) {
      Object->SetBounds(Bounds(FX, Gap, W, H));
      FX += W + Gap;
      FBottom = std::max(FBottom, Gap + H + Gap);
    } else {
      Object->SetBounds(Bounds(0, 0, W, H));
    }
    return Object;
  }

  // The top-level object takes the size its parts need; aligned children follow.
  void Finish(TDvSkinObject* Top) { Top->SetBounds(Bounds(0, 0, std::max(FX, 32), std::max(FBottom, 32))); }

  void Link(TvxBitmapLink* L, const std::string& Piece) const {
    const TPiece& Where = FPieces[Piece];
    L->SetName(Where.Image);
    L->SetRect(Where.Rect);
  }

 private:
  static constexpr Integer Gap = 4;
  TDvSkinSource& FSource;
  const TSkinImages& FPieces;
  Integer FX = Gap, FBottom = Gap;
};

void Margins(TDvSkinObject* O, Integer L, Integer T, Integer R, Integer B) {
  O->SetMarginLeft(L), O->SetMarginTop(T), O->SetMarginRight(R), O->SetMarginBottom(B);
}

template <typename T>
T* Stretched(T* O) {
  O->SetTileStyle(TS::tsStretch);
  O->SetBorderTileStyle(TS::tsStretch);
  return O;
}

// A button object whose state images follow the "<group>.<state>" piece names; an empty state
// name leaves that link unset, so the normal image stands in.
TDvButtonObject* States(const TTree& T, TDvButtonObject* O, const std::string& Group, const char* Normal,
                        const char* Hot, const char* Pressed, const char* Focused, const char* Disabled) {
  T.Link(O->Bitmap(), Group + "." + Normal);
  if (*Hot) T.Link(O->BitmapHot(), Group + "." + Hot);
  if (*Pressed) T.Link(O->BitmapPressed(), Group + "." + Pressed);
  if (*Focused) T.Link(O->BitmapFocused(), Group + "." + Focused);
  if (*Disabled) T.Link(O->BitmapDisabled(), Group + "." + Disabled);
  return O;
}

// A text part the theme reads fonts from; it has no size, so it paints nothing itself.
TDvTextObject* TextPart(TTree& T, TDvSkinObject* Parent, const char* Name, bool Bold = false) {
  auto* Text = T.Part<TDvTextObject>(Parent, Name, 0, 0);
  Text->SetColor(clNone);
  for (TFont* F : {Text->Font(), Text->FontHot(), Text->FontPressed(), Text->FontFocused()}) SetFont(*F, P::Text, Bold);
  SetFont(*Text->FontDisabled(), P::TextDisabled, Bold);
  return Text;
}

// A small button face with a centred arrow that follows the face's state.
TDvButtonObject* ArrowButton(TTree& T, TDvSkinObject* Parent, const char* Name, const char* Face, const char* Arrow) {
  auto* Button = Stretched(T.Part<TDvButtonObject>(Parent, Name, 17, 17));
  Margins(Button, 3, 3, 3, 3);
  States(T, Button, Face, "normal", "hot", "pressed", "", "disabled");
  auto* Glyph = T.Part<TDvButtonObject>(Button, "Arrow", 7, 7, A::saCenter);
  States(T, Glyph, std::string("arrow.") + Arrow, "normal", "hot", "pressed", "", "disabled");
  Button->Realign();
  return Button;
}

TDvSkinObject* Grip(TTree& T, TDvSkinObject* Parent, const char* Name, A Align, K Kind, Integer W, Integer H) {
  auto* O = T.Part(Parent, Name, W, H, Align, Kind);
  O->SetColor(clNone);
  return O;
}

void BuildForm(TTree& T) {
  auto* Form = T.Top("Form", K::skForm, C(P::Window));
  auto* Bar = T.Part<TDvActiveBitmap>(Form, "TitleBar", 0, 30, A::saMostTop, K::skCaption);
  Bar->SetColor(C(P::CaptionBottom));
  Bar->SetDrawIfOwner(true);
  Margins(Bar, 9, 0, 9, 0);
  T.Link(Bar->Bitmap(), "caption.inactive");
  T.Link(Bar->ActiveBitmap(), "caption");
  Grip(T, Bar, "TopEdge", A::saMostTop, K::skTop, 0, 5);
  Grip(T, Bar, "CaptionFoot", A::saMostBottom, K::skCaption, 0, 5);
  Grip(T, Bar, "TopLeft", A::saMostLeft, K::skTopLeft, 8, 0);
  Grip(T, Bar, "TopRight", A::saMostRight, K::skTopRight, 8, 0);
  // Right to left in child order.
  const std::pair<const char*, TDvAction> Buttons[] = {
      {"close", TDvAction::sbaClose},       {"maximize", TDvAction::sbaMaximize}, {"restore", TDvAction::sbaRestore},
      {"minimize", TDvAction::sbaMinimize}, {"help", TDvAction::sbaHelp},         {"rollup", TDvAction::sbaRollUp},
      {"rolldown", TDvAction::sbaRollDown}};
  for (const auto& [Name, Action] : Buttons) {
    std::string ObjectName = std::string(Name) + "Button";
    ObjectName[0] = char(std::toupper(ObjectName[0]));
    auto* B = T.Part<TDvSystemButton>(Bar, ObjectName.c_str(), 24, 0, A::saRight);
    B->SetAction(Action);
    B->SetTileStyle(TS::tsCenter);
    const std::string Piece = std::string("title.") + Name;
    T.Link(B->Bitmap(), Piece + ".inactive");
    T.Link(B->ActiveBitmap(), Piece + ".normal");
    T.Link(B->BitmapHot(), Piece + ".hot");
    T.Link(B->BitmapPressed(), Piece + ".pressed");
  }
  auto* SysMenu = T.Part<TDvSystemButton>(Bar, "SysMenuButton", 20, 0, A::saLeft);
  SysMenu->SetAction(TDvAction::sbaSysMenu);
  auto* Title = T.Part<TDvTextObject>(Bar, "Title", 0, 0, A::saClient, K::skTitle);
  Title->SetColor(clNone);
  Title->SetTextMarginLeft(5);
  Title->SetTextMarginRightStretch(true);
  SetFont(*Title->Font(), P::CaptionTextInactive, true);
  for (TFont* F : {Title->FontHot(), Title->FontPressed(), Title->FontFocused()}) SetFont(*F, P::CaptionText, true);
  SetFont(*Title->FontDisabled(), P::CaptionTextInactive, true);

  auto* Bottom = T.Part<TDvActiveBitmap>(Form, "Bottom", 0, 6, A::saMostBottom, K::skBottom);
  Bottom->SetColor(C(P::CaptionBottom));
  Bottom->SetDrawIfOwner(true);
  Margins(Bottom, 9, 0, 9, 0);
  T.Link(Bottom->Bitmap(), "bottom.inactive");
  T.Link(Bottom->ActiveBitmap(), "bottom");
  Grip(T, Bottom, "BottomLeft", A::saMostLeft, K::skBottomLeft, 12, 0);
  Grip(T, Bottom, "BottomRight", A::saMostRight, K::skBottomRight, 12, 0);
  for (const auto& [Name, Piece, Align, Kind] : {std::tuple{"Left", "left", A::saMostLeft, K::skLeft},
                                                 std::tuple{"Right", "right", A::saMostRight, K::skRight}}) {
    auto* Side = T.Part<TDvActiveBitmap>(Form, Name, 6, 0, Align, Kind);
    Side->SetColor(C(P::CaptionBottom));
    T.Link(Side->Bitmap(), std::string(Piece) + ".inactive");
    T.Link(Side->ActiveBitmap(), Piece);
  }
  auto* Client = T.Part(Form, "Client", 0, 0, A::saClient, K::skClient);
  Client->SetColor(C(P::Window));
  Client->SetMasked(false);  // as loading leaves it: the client is not part of the window shape
  Form->SetBounds(Bounds(0, 0, 320, 220));
}

void BuildButtons(TTree& T) {
  auto* Button = T.Top("Button", K::skNone, C(P::FaceBottom));
  auto* Face = Stretched(T.Part<TDvButtonObject>(Button, "Face", 75, 23));
  Margins(Face, 4, 4, 4, 5);
  States(T, Face, "button", "normal", "hot", "pressed", "focused", "disabled");
  TextPart(T, Button, "Text");
  T.Finish(Button);

  for (const bool Radio : {false, true}) {
    auto* Group = T.Top(Radio ? "RadioButton" : "Checkbox", K::skNone, C(P::Window));
    const std::string Prefix = Radio ? "radio" : "check";
    for (const auto& [Name, Piece] :
         {std::pair{"Checked", ".on"}, std::pair{"Unchecked", ".off"}, std::pair{"Mixed", ".mixed"}}) {
      if (Radio && std::strcmp(Name, "Mixed") == 0) continue;
      auto* Box = T.Part<TDvButtonObject>(Group, Name, 13, 13);
      States(T, Box, std::strcmp(Name, "Mixed") == 0 ? "check.mixed" : Prefix + Piece, "normal", "hot", "pressed", "",
             "disabled");
    }
    TextPart(T, Group, "Text");
    T.Finish(Group);
  }
}

void BuildFields(TTree& T) {
  for (const bool Combo : {false, true}) {
    auto* Field = T.Top(Combo ? "ComboBox" : "Edit", K::skNone, C(P::Field));
    auto* Frame = Stretched(T.Part<TDvButtonObject>(Field, "Frame", 120, 21));
    Margins(Frame, 3, 3, 3, 3);
    States(T, Frame, "edit", "normal", "hot", "", "focused", "disabled");
    if (Combo) {
      ArrowButton(T, Field, "Button", "field.button", "down");
    } else {
      auto* Button = Stretched(T.Part<TDvButtonObject>(Field, "Button", 17, 17));
      Margins(Button, 3, 3, 3, 3);
      States(T, Button, "field.button", "normal", "hot", "pressed", "", "disabled");
    }
    TextPart(T, Field, "Text");
    T.Finish(Field);
  }
}

void BuildScrolling(TTree& T) {
  auto* Scroll = T.Top("ScrollBar", K::skNone, C(P::Panel));
  Scroll->SetMasked(false);  // the track paints every pixel
  ArrowButton(T, Scroll, "TopButton", "scroll.button", "up");
  ArrowButton(T, Scroll, "BottomButton", "scroll.button", "down");
  ArrowButton(T, Scroll, "LeftButton", "scroll.button", "left");
  ArrowButton(T, Scroll, "RightButton", "scroll.button", "right");
  for (const auto& [Name, Piece, W, H] :
       {std::tuple{"HorzSlider", "scroll.thumbh", 40, 17}, std::tuple{"VertSlider", "scroll.thumbv", 17, 40}}) {
    auto* Thumb = Stretched(T.Part<TDvButtonObject>(Scroll, Name, W, H));
    Margins(Thumb, 5, 5, 5, 5);
    States(T, Thumb, Piece, "normal", "hot", "pressed", "", "disabled");
  }
  for (const auto& [Name, Piece, W, H] :
       {std::tuple{"HorzFrame", "scroll.trackh", 48, 17}, std::tuple{"VertFrame", "scroll.trackv", 17, 48}}) {
    auto* Track = T.Part<TDvButtonObject>(Scroll, Name, W, H);
    States(T, Track, Piece, "normal", "", "pressed", "", "disabled");
  }
  T.Finish(Scroll);

  auto* Box = T.Top("ScrollBox", K::skNone, C(P::Field));
  auto* Frame = Stretched(T.Part<TDvBitmapObject>(Box, "Frame", 80, 60));
  Margins(Frame, 2, 2, 2, 2);
  T.Link(Frame->Bitmap(), "list.frame");
  T.Finish(Box);

  auto* Progress = T.Top("ProgressBar", K::skNone, C(P::Panel));
  for (const auto& [Name, Piece, W, H] :
       {std::tuple{"Frame", "progress.frame", 100, 14}, std::tuple{"FrameVert", "progress.framev", 14, 60},
        std::tuple{"Bar", "progress.bar", 60, 14}, std::tuple{"BarVert", "progress.barv", 14, 40}}) {
    auto* Part = Stretched(T.Part<TDvBitmapObject>(Progress, Name, W, H));
    Margins(Part, 4, 4, 4, 4);
    T.Link(Part->Bitmap(), Piece);
  }
  T.Finish(Progress);

  auto* Track = T.Top("TrackBar", K::skNone, C(P::Window));
  for (const auto& [Name, Piece, W, H, Style] :
       {std::tuple{"TrackHorz", "track.grooveh", 100, 5, TS::tsHorzCenterStretch},
        std::tuple{"TrackVert", "track.groovev", 5, 100, TS::tsVertCenterStretch}}) {
    auto* Groove = T.Part<TDvButtonObject>(Track, Name, W, H);
    Groove->SetTileStyle(Style);
    Groove->SetBorderTileStyle(TS::tsStretch);
    Margins(Groove, 2, 2, 2, 2);
    States(T, Groove, Piece, "normal", "", "", "", "disabled");
  }
  for (const char* Name : {"ThumbHorz", "ThumbVert"})
    States(T, T.Part<TDvButtonObject>(Track, Name, 17, 17), "track.thumb", "normal", "hot", "pressed", "focused",
           "disabled");
  T.Finish(Track);
}

void BuildBars(TTree& T) {
  auto* Tabs = T.Top("Tabs", K::skNone, C(P::Window));
  auto* Pane = Stretched(T.Part<TDvBitmapObject>(Tabs, "Frame", 120, 60));
  Margins(Pane, 3, 3, 3, 3);
  T.Link(Pane->Bitmap(), "tabs.frame");
  auto* Tab = Stretched(T.Part<TDvButtonObject>(Tabs, "Tab", 60, 22));
  Margins(Tab, 4, 4, 4, 0);
  States(T, Tab, "tab", "normal", "hot", "", "focused", "disabled");
  ArrowButton(T, Tabs, "LeftButton", "scroll.button", "left");
  ArrowButton(T, Tabs, "RightButton", "scroll.button", "right");
  T.Finish(Tabs);

  auto* Header = T.Top("Header", K::skNone, C(P::Field));
  auto* HeaderFrame = Stretched(T.Part<TDvBitmapObject>(Header, "Frame", 40, 22));
  Margins(HeaderFrame, 0, 0, 0, 1);
  T.Link(HeaderFrame->Bitmap(), "header.frame");
  auto* Section = Stretched(T.Part<TDvButtonObject>(Header, "Section", 80, 22));
  Margins(Section, 2, 2, 2, 2);
  States(T, Section, "header.section", "normal", "hot", "pressed", "", "disabled");
  T.Finish(Header);

  auto* Status = T.Top("StatusBar", K::skNone, C(P::Panel));
  auto* StatusFrame = Stretched(T.Part<TDvBitmapObject>(Status, "Frame", 120, 22));
  Margins(StatusFrame, 0, 2, 0, 0);
  T.Link(StatusFrame->Bitmap(), "status.frame");
  auto* Panel = Stretched(T.Part<TDvBitmapObject>(Status, "Panel", 80, 22));
  Margins(Panel, 2, 3, 3, 3);
  Panel->SetTextMarginLeft(6), Panel->SetTextMarginRight(6);
  T.Link(Panel->Bitmap(), "status.panel");
  auto* Gripper = T.Part<TDvBitmapObject>(Status, "Gripper", 16, 16);
  Gripper->SetTileStyle(TS::tsCenter);
  T.Link(Gripper->Bitmap(), "status.gripper");
  T.Finish(Status);

  // Menus: separators paint the "-" line in their font colour.
  for (const bool Popup : {false, true}) {
    auto* Menu = T.Top(Popup ? "PopupMenu" : "MenuBar", Popup ? K::skPopupMenu : K::skMenuBar, C(P::Field));
    auto* Frame = Stretched(
        T.Part<TDvBitmapObject>(Menu, "Frame", 100, Popup ? 60 : 20, A::saNone, Popup ? K::skPopupMenu : K::skMenuBar));
    Popup ? Margins(Frame, 3, 3, 3, 3) : Margins(Frame, 0, 0, 0, 1);
    T.Link(Frame->Bitmap(), Popup ? "popup.frame" : "menubar.frame");
    auto* Item = Stretched(T.Part<TDvButtonObject>(Menu, "Item", Popup ? 100 : 40, 20, A::saNone,
                                                   Popup ? K::skPopupMenuItem : K::skMenuBarItem));
    Margins(Item, 4, 4, 4, 4);
    T.Link(Item->Bitmap(), "menu.empty");
    T.Link(Item->BitmapHot(), Popup ? "popup.item.hot" : "menubar.item.hot");
    T.Link(Item->BitmapFocused(), Popup ? "popup.item.hot" : "menubar.item.focused");
    auto* Separator = T.Part(Menu, Popup ? "Separator" : "separator", Popup ? 100 : 8, Popup ? 7 : 20);
    Separator->SetColor(clNone);
    SetFont(*Separator->Font(), P::LineSoft);
    T.Finish(Menu);
  }

  auto* List = T.Top("ListBox", K::skNone, C(P::Field));
  auto* ListFrame = Stretched(T.Part<TDvBitmapObject>(List, "Frame", 100, 60));
  Margins(ListFrame, 2, 2, 2, 2);
  T.Link(ListFrame->Bitmap(), "list.frame");
  auto* ListItem = Stretched(T.Part<TDvButtonObject>(List, "Item", 100, 18));
  Margins(ListItem, 3, 3, 3, 3);
  States(T, ListItem, "list.item", "normal", "", "", "focused", "");
  TextPart(T, List, "ItemText");
  T.Finish(List);

  auto* Grid = T.Top("Grid", K::skNone, C(P::Field));
  auto* GridFrame = Stretched(T.Part<TDvBitmapObject>(Grid, "Frame", 100, 60));
  Margins(GridFrame, 2, 2, 2, 2);
  T.Link(GridFrame->Bitmap(), "list.frame");
  auto* Fixed = Stretched(T.Part<TDvBitmapObject>(Grid, "Fixed", 64, 20));
  Margins(Fixed, 0, 0, 1, 1);
  T.Link(Fixed->Bitmap(), "grid.fixed");
  auto* Cell = Stretched(T.Part<TDvButtonObject>(Grid, "Cell", 64, 20));
  Margins(Cell, 0, 0, 1, 1);
  States(T, Cell, "grid.cell", "normal", "hot", "", "focused", "disabled");
  T.Finish(Grid);
}

void BuildPanels(TTree& T) {
  auto* Group = T.Top("GroupBox", K::skNone, C(P::Window));
  auto* GroupFrame = Stretched(T.Part<TDvButtonObject>(Group, "Frame", 120, 60));
  Margins(GroupFrame, 4, 4, 4, 4);
  States(T, GroupFrame, "group.frame", "normal", "", "", "", "disabled");
  TextPart(T, Group, "Caption", true);
  T.Finish(Group);

  auto* Container = T.Top("Container", K::skNone, C(P::Panel));
  auto* ContainerPanel = Stretched(T.Part<TDvBitmapObject>(Container, "Panel", 100, 60));
  Margins(ContainerPanel, 2, 2, 2, 2);
  T.Link(ContainerPanel->Bitmap(), "container.panel");
  T.Finish(Container);

  auto* Panel = T.Top("Panel", K::skNone, C(P::Window));
  auto* PanelFrame = Stretched(T.Part<TDvBitmapObject>(Panel, "Frame", 120, 80));
  Margins(PanelFrame, 3, 3, 3, 3);
  T.Link(PanelFrame->Bitmap(), "hpanel.frame");
  auto* Caption = Stretched(T.Part<TDvBitmapObject>(Panel, "Caption", 120, 22));
  Margins(Caption, 4, 4, 4, 1);
  Caption->SetTextMarginLeft(6);
  SetFont(*Caption->Font(), P::Text, true);
  T.Link(Caption->Bitmap(), "hpanel.caption");
  for (const auto& [Name, Piece] :
       {std::pair{"ButtonRollup", "hpanel.rollup"}, std::pair{"ButtonRollDown", "hpanel.rolldown"},
        std::pair{"ButtonHide", "hpanel.hide"}})
    States(T, T.Part<TDvButtonObject>(Panel, Name, 16, 16), Piece, "normal", "hot", "pressed", "", "");
  T.Finish(Panel);

  auto* Speed = T.Top("SpeedButton", K::skNone, C(P::Panel));
  auto* Face = Stretched(T.Part<TDvButtonObject>(Speed, "Face", 23, 22));
  Margins(Face, 4, 4, 4, 4);
  States(T, Face, "speed.face", "normal", "hot", "pressed", "focused", "");
  auto* Separator = T.Part<TDvBitmapObject>(Speed, "Separator", 6, 22);
  Separator->SetTileStyle(TS::tsVertCenterTile);
  T.Link(Separator->Bitmap(), "speed.separator");
  T.Finish(Speed);

  auto* Bar = T.Top("ControlBar", K::skNone, C(P::Panel));
  auto* Back = T.Part<TDvBitmapObject>(Bar, "Back", 60, 28);
  Back->SetTileStyle(TS::tsStretch);
  T.Link(Back->Bitmap(), "bar.back");
  auto* BarFrame = Stretched(T.Part<TDvBitmapObject>(Bar, "Frame", 60, 28));
  Margins(BarFrame, 0, 1, 0, 1);
  T.Link(BarFrame->Bitmap(), "bar.frame");
  for (const auto& [Name, Piece, W, H, Style] :
       {std::tuple{"Grabber", "bar.grabber", 8, 24, TS::tsVertCenterTile},
        std::tuple{"GrabberVert", "bar.grabberv", 24, 8, TS::tsHorzCenterTile}}) {
    auto* Grabber = T.Part<TDvBitmapObject>(Bar, Name, W, H);
    Grabber->SetTileStyle(Style);
    T.Link(Grabber->Bitmap(), Piece);
  }
  T.Finish(Bar);

  // Painted itself: a flat bar with a centred grip.
  auto* Splitter = T.Top("Splitter", K::skNone, C(P::Panel));
  Splitter->SetDrawIfOwner(true);
  auto* SplitterGrip = T.Part<TDvBitmapObject>(Splitter, "Grip", 10, 10, A::saCenter);
  T.Link(SplitterGrip->Bitmap(), "splitter.grip");
  Splitter->SetBounds(Bounds(0, 0, 8, 60));

  auto* Hint = Stretched(T.Top<TDvBitmapObject>("Hint", K::skNone, C(P::HintBottom)));
  Margins(Hint, 4, 4, 4, 4);
  Hint->SetTextMarginLeft(4), Hint->SetTextMarginTop(3);
  T.Link(Hint->Bitmap(), "hint");
  Hint->SetBounds(Bounds(0, 0, 120, 24));
}

Integer ColorIndex(const char* Name) {
  for (Integer I = 0; I < vxThemeColorCount; ++I)
    if (std::strcmp(ThemeColorName(I), Name) == 0) return I;
  throw std::logic_error(std::string("no theme colour ") + Name);
}

}  // namespace

void BuildObjects(TDvSkinSource& Source, const TSkinImages& Pieces) {
  TTree T(Source, Pieces);
  BuildForm(T);
  BuildButtons(T);
  BuildFields(T);
  BuildScrolling(T);
  BuildBars(T);
  BuildPanels(T);
  // Files list the objects in this order.
  std::vector<std::unique_ptr<TDvSkinObject>> Ordered;
  for (const TExpectedObject& E : ExpectedObjects) Ordered.push_back(Source.RemoveObject(Source.FindObject(E.Name)));
  if (Source.ObjectCount() != 0) throw std::logic_error("an object is missing from the expected list");
  for (auto& O : Ordered) {
    O->SetImageList(&Source.Images());
    O->UpdateLinks();
    Source.AddObject(std::move(O));
  }
}

void BuildTables(TDvSkinSource& Source) {
  const std::pair<const char*, TvxColor> Colors[] = {{"CaptionNormal", P::CaptionBottom},
                                                     {"CaptionInactive", P::CaptionBottomInactive},
                                                     {"WindowBorder", P::FrameOutline},
                                                     {"Window", P::Window},
                                                     {"Border", P::Glyph},
                                                     {"PanelNormal", P::Panel},
                                                     {"PanelDisabled", P::Panel},
                                                     {"ButtonNormal", P::FaceBottom},
                                                     {"ButtonHot", P::HotBottom},
                                                     {"ButtonPressed", P::PressedTop},
                                                     {"ButtonFocused", P::FaceBottom},
                                                     {"ButtonDisabled", P::DisabledBottom},
                                                     {"EditNormal", P::Field},
                                                     {"EditHot", P::Field},
                                                     {"EditFocused", P::Field},
                                                     {"EditDisabled", P::FieldDisabled},
                                                     {"EditSelection", P::Accent},
                                                     {"Hint", P::HintBottom},
                                                     {"List", P::Field},
                                                     {"Tree", P::Field},
                                                     {"Grid", P::Field},
                                                     {"BarDock", P::Panel}};
  static_assert(std::size(Colors) == vxThemeColorCount);
  for (const auto& [Name, Pixel] : Colors) Source.Colors().SetColor(ColorIndex(Name), C(Pixel));

  const std::pair<const char*, TvxColor> SysColors[] = {{"clActiveBorder", P::FrameOutline},
                                                        {"clActiveCaption", P::CaptionBottom},
                                                        {"clAppWorkSpace", P::PanelDark},
                                                        {"clBackground", P::CaptionBottom},
                                                        {"clBtnFace", P::Panel},
                                                        {"clBtnHighlight", 0xFFFFFFFF},
                                                        {"clBtnShadow", P::Line},
                                                        {"clBtnText", P::Text},
                                                        {"clCaptionText", P::CaptionText},
                                                        {"clGrayText", P::TextDisabled},
                                                        {"clHighlight", P::Accent},
                                                        {"clHighlightText", 0xFFFFFFFF},
                                                        {"clInactiveBorder", P::FrameOutlineInactive},
                                                        {"clInactiveCaption", P::CaptionBottomInactive},
                                                        {"clInactiveCaptionText", P::CaptionTextInactive},
                                                        {"clInfoBk", P::HintBottom},
                                                        {"clInfoText", P::Text},
                                                        {"clMenu", P::Field},
                                                        {"clMenuText", P::Text},
                                                        {"clScrollBar", P::Panel},
                                                        {"cl3DDkShadow", P::Shade},
                                                        {"cl3DLight", P::PanelDark},
                                                        {"clWindow", P::Field},
                                                        {"clWindowFrame", P::FrameOutline},
                                                        {"clWindowText", P::Text}};
  for (Integer I = 0; I < vxThemeSysColorCount; ++I) {
    TvxColor Value = P::Panel;  // entries without a palette role, such as clDefault
    for (const auto& [Name, Pixel] : SysColors)
      if (std::strcmp(ThemeSysColorName(I), Name) == 0) Value = Pixel;
    Source.SysColors().SetEntry(I, C(Value));
  }

  for (Integer I = 0; I < vxThemeFontCount; ++I) {
    const std::string Name = ThemeFontName(I);
    const bool Caption = Name.find("CaptionText") != std::string::npos;
    const bool Inactive = Name.find("Inactive") != std::string::npos && Caption;
    TvxColor Color = Name.find("Disabled") != std::string::npos ? P::TextDisabled : P::Text;
    if (Caption) Color = Inactive ? P::CaptionTextInactive : P::CaptionText;
    if (Name == "EditBoxTextSelected") Color = 0xFFFFFFFF;
    if (Name == "GroupBoxTextNormal") Color = P::AccentDark;
    SetFont(Source.Fonts().Font(I), Color, Caption || Name == "GroupBoxTextNormal");
  }
}

void BuildSkin(TDvSkinSource& Source) {
  Source.Clear();
  Source.SetSkinName(SkinName);
  Source.SetSkinVersion("1.0");
  Source.SetAuthor("The Pellan developers");
  Source.SetAuthorEMail("skins@pellan.invalid");
  Source.SetAuthorURL("https://pellan.invalid/skins");
  TSkinImages Pieces;
  for (auto& Atlas : Pieces.TakeAtlases()) Source.Images().Add(std::move(Atlas));
  BuildObjects(Source, Pieces);
  BuildTables(Source);
}

}  // namespace skingen
