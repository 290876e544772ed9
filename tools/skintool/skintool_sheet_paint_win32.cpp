// The contact sheet: sections of samples laid out in rows, each sample painted through the skin
// theme into its cell and labelled underneath.
#include <windows.h>

#include <algorithm>
#include <functional>

#include "framework/graphics/gdi_handles.h"
#include "skintool_sheet.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_theme.h"

namespace {

constexpr Integer SheetWidth = 1200, Margin = 10, Gap = 8, LabelHeight = 14, HeadingHeight = 18, MinSlot = 40;

using TPaint = std::function<void(TCanvas& Canvas, const TRect& R)>;

struct TItem {
  std::string Label;
  Integer Width, Height;
  TPaint Paint;
  // What the sample stands on in a window, for the picture a designer looks at.
  TPaint Backdrop = nullptr;
};

struct TSection {
  std::string Title;
  std::vector<TItem> Items;
};

TvxTextInfo CentredText(const TRect& R, const std::wstring& Text) {
  TvxTextInfo Info;
  Info.Rect = R;
  Info.Text = Text;
  Info.Alignment = 4;
  Info.Flags = vxtfSingleLine | vxtfNoPrefix;
  return Info;
}

// A window of the cell's size painted the way a skinned form paints its frame: border, client
// background, caption text and the title buttons. Window coordinates start at the cell, so the
// window is painted on an image of its own first.
void PaintWindow(TvxTheme& Theme, TvxBitmap& Sheet, const TRect& Cell, bool Active, uint16_t Buttons,
                 const std::wstring& Caption) {
  TvxBitmap Window;
  Window.SetSize(Cell.Width(), Cell.Height());
  Window.Fill(vxKeyColor);
  {
    TCanvas Canvas(Window.DC());
    TvxWindowInfo Info;
    Info.Rect = Window.BoundsRect();
    Info.Active = Active;
    Info.Buttons = Buttons;
    Info.Caption = Caption;
    TRect Client, CaptionRect;
    Theme.GetFormClientRect(0, Info, Client, "default");
    Theme.DrawFormBorder(0, Canvas, "default", Info);
    Theme.DrawFormBackground(0, Canvas, "default", Client);
    Theme.GetFormCaptionRect(0, Info, CaptionRect, "default");
    Theme.DrawFormCaptionText(0, Canvas, "default", CaptionRect, Info);
    for (TvxTitleButton Button = 0; Button <= 9; ++Button) {
      TvxTitleButtonInfo ButtonInfo;
      Theme.GetFormButtonRect(0, Info, ButtonInfo.Rect, "default", Button);
      ButtonInfo.Button = Button;
      ButtonInfo.State = Active ? 0 : 3;
      Theme.DrawFormButton(0, Canvas, "default", ButtonInfo);
    }
  }
  Window.DrawTo(Sheet, Cell.Left, Cell.Top);
}

constexpr uint16_t Bit(Integer N) { return uint16_t(1u << N); }

std::vector<TSection> FormSections(TvxTheme& Theme, TvxBitmap& Sheet) {
  std::vector<TSection> Sections;
  if (!Theme.IsFormDefined(0, "default")) return Sections;
  const uint16_t Normal = Bit(0) | Bit(1) | Bit(2) | Bit(3) | Bit(5);
  const uint16_t Maximized = Bit(0) | Bit(1) | Bit(3) | Bit(6);
  auto Window = [&](bool Active, uint16_t Buttons) {
    return [&Theme, &Sheet, Active, Buttons](TCanvas&, const TRect& R) {
      PaintWindow(Theme, Sheet, R, Active, Buttons, L"Sample window caption");
    };
  };
  Sections.push_back({"Form",
                      {{"active", 320, 200, Window(true, Normal)},
                       {"inactive", 320, 200, Window(false, Normal)},
                       {"maximized", 320, 200, Window(true, Maximized)}}});

  // Each title button alone, at the size the frame gives it, in each state.
  TSection Buttons{"Title buttons", {}};
  struct TButton {
    TvxTitleButton Button;
    const char* Name;
    uint16_t Shown;
  };
  const TButton Kinds[] = {
      {1, "close", Bit(1)},
      {5, "maximize", Bit(1) | Bit(5)},
      {6, "restore", Bit(1) | Bit(6)},
      {3, "minimize", Bit(1) | Bit(3) | Bit(5)},
      {2, "help", Bit(1) | Bit(2)},
      {7, "roll up", Bit(1) | Bit(7)},
      {8, "roll down", Bit(1) | Bit(8)},
      {9, "tray", Bit(1) | Bit(9)},
  };
  const char* const States[] = {"normal", "hot", "pressed", "inactive"};
  for (const TButton& K : Kinds) {
    TvxWindowInfo Info;
    Info.Rect = Rect(0, 0, 320, 200);
    Info.Buttons = K.Shown;
    TRect R;
    Theme.GetFormButtonRect(0, Info, R, "default", K.Button);
    if (R.IsEmpty()) continue;
    for (Byte State = 0; State < 4; ++State) {
      auto Paint = [&Theme, Button = K.Button, State](TCanvas& Canvas, const TRect& Cell) {
        TvxTitleButtonInfo B;
        B.Rect = Cell;
        B.Button = Button;
        B.State = State;
        Theme.DrawFormButton(0, Canvas, "default", B);
      };
      // The piece of the caption bar the button stands on.
      auto Backdrop = [&Theme, &Sheet, Info, R, State](TCanvas&, const TRect& Cell) {
        TvxBitmap Window;
        Window.SetSize(Info.Rect.Width(), Info.Rect.Height());
        Window.Fill(vxKeyColor);
        TvxWindowInfo Frame = Info;
        Frame.Active = State != 3;
        {
          TCanvas Canvas(Window.DC());
          Theme.DrawFormBorder(0, Canvas, "default", Frame);
        }
        Window.DrawTo(Sheet, Cell.Left, Cell.Top, R);
      };
      Buttons.Items.push_back({std::string(K.Name) + " " + States[State], R.Width(), R.Height(), Paint, Backdrop});
    }
  }
  if (!Buttons.Items.empty()) Sections.push_back(std::move(Buttons));
  return Sections;
}

struct TNamedState {
  Byte Code;
  const char* Name;
};

// One item per state of a TvxStateInfo operation; Put fills the record.
template <typename TDraw>
void AddStates(TSection& Section, const std::string& Prefix, Integer W, Integer H,
               std::initializer_list<TNamedState> States, TDraw Draw) {
  for (const TNamedState& S : States)
    Section.Items.push_back(
        {Prefix + S.Name, W, H, [Draw, Code = S.Code](TCanvas& Canvas, const TRect& R) { Draw(Canvas, R, Code); }});
}

TvxStateInfo StateInfo(const TRect& R, Byte First, Byte Second) {
  TvxStateInfo Info;
  Info.Rect = R;
  Info.State = First;
  Info.Part = Second;
  return Info;
}

std::vector<TSection> ControlSections(TvxTheme& T) {
  std::vector<TSection> Sections;
  const std::string D = "default";
  auto Add = [&](TSection S) {
    if (!S.Items.empty()) Sections.push_back(std::move(S));
  };

  if (T.IsButtonDefined(0, D)) {
    TSection S{"Button", {}};
    static constexpr Integer Fonts[] = {10, 12, 11, 14, 13, 10, 10};
    AddStates(S, "", 88, 25,
              {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {3, "disabled"}, {4, "focused"}, {6, "default"}},
              [&T](TCanvas& C, const TRect& R, Byte Code) {
                T.DrawButton(0, C, "default", StateInfo(R, Code, 0));
                C.Font().Assign(&T.Fonts().Font(Fonts[Code]));
                T.DrawButtonText(0, C, "default", CentredText(R, L"Button"), Code);
              });
    Add(std::move(S));
  }
  {
    TSection S{"Spin buttons", {}};
    const char* const Arrows[] = {"up ", "down ", "left ", "right "};
    for (Byte Kind = 4; Kind <= 7; ++Kind)
      if (T.IsButtonDefined(Kind, D))
        AddStates(S, Arrows[Kind - 4], 17, 17, {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {3, "disabled"}},
                  [&T, Kind](TCanvas& C, const TRect& R, Byte Code) {
                    T.DrawButton(Kind, C, "default", StateInfo(R, Code, 0));
                  });
    Add(std::move(S));
  }
  for (Byte Kind = 0; Kind <= 1; ++Kind) {
    if (!T.IsCheckBoxDefined(Kind, D)) continue;
    TSection S{Kind == 0 ? "Check box" : "Radio button", {}};
    const TNamedState Checks[] = {{0, "checked "}, {5, "unchecked "}, {10, "mixed "}};
    for (const TNamedState& Check : Checks) {
      if (Check.Code == 10 && Kind == 1) continue;
      AddStates(S, Check.Name, 24, 24, {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {3, "disabled"}},
                [&T, Kind, Base = Check.Code](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawCheckBox(Kind, C, "default", StateInfo(R, Byte(Base + Code), 0));
                });
    }
    Add(std::move(S));
  }
  if (T.IsEditDefined(0, D)) {
    TSection S{"Edit", {}};
    AddStates(S, "", 120, 24, {{0, "normal"}, {1, "hot"}, {4, "disabled"}, {6, "selection"}},
              [&T](TCanvas& C, const TRect& R, Byte Code) { T.DrawEdit(0, C, "default", StateInfo(R, Code, 0)); });
    for (Byte Part : {Byte(2), Byte(3)})
      AddStates(S, Part == 2 ? "button up " : "button down ", 17, 12,
                {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {4, "disabled"}},
                [&T, Part](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawEditButton(0, C, "default", StateInfo(R, Code, Part));
                });
    Add(std::move(S));
  }
  if (T.IsEditDefined(6, D)) {
    TSection S{"Combo box", {}};
    AddStates(S, "", 120, 24, {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {4, "disabled"}},
              [&T](TCanvas& C, const TRect& R, Byte Code) {
                T.DrawEdit(6, C, "default", StateInfo(R, Code == 2 ? 0 : Code, 0));
                T.DrawEditButton(6, C, "default",
                                 StateInfo(Rect(R.Right - 20, R.Top + 2, R.Right - 2, R.Bottom - 2), Code, 0));
              });
    Add(std::move(S));
  }
  if (T.IsScrollBarDefined(0, D)) {
    TSection S{"Scroll bar", {}};
    struct TPart {
      Byte Part;
      const char* Name;
      Integer W, H;
    };
    const TPart Parts[] = {{0, "up ", 17, 17},    {1, "down ", 17, 17},    {4, "left ", 17, 17},
                           {5, "right ", 17, 17}, {8, "thumb h ", 40, 17}, {9, "thumb v ", 17, 40}};
    for (const TPart& P : Parts)
      AddStates(S, P.Name, P.W, P.H, {{0, "normal"}, {2, "hot"}, {1, "pressed"}, {3, "disabled"}},
                [&T, Part = P.Part](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawScrollBarPart(0, C, "default", StateInfo(R, Part, Code));
                });
    for (Byte Part : {Byte(1), Byte(0)})
      AddStates(S, Part ? "track h " : "track v ", Part ? 80 : 17, Part ? 17 : 80,
                {{0, "normal"}, {2, "hot"}, {1, "pressed"}, {3, "disabled"}},
                [&T, Part](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawScrollBarTrack(0, C, "default", StateInfo(R, Part, Code));
                });
    Add(std::move(S));
  }
  if (T.IsProgressBarDefined(0, D)) {
    TSection S{"Progress bar", {}};
    const struct {
      const char* Name;
      Byte Frame, Bar;
      bool Horizontal;
    } Bars[] = {{"blocks", 1, 3, true}, {"smooth", 1, 5, true}, {"blocks v", 0, 2, false}, {"smooth v", 0, 4, false}};
    for (const auto& B : Bars)
      S.Items.push_back({B.Name, B.Horizontal ? 160 : 18, B.Horizontal ? 18 : 100, [&T, B](TCanvas& C, const TRect& R) {
                           T.DrawProgressBar(0, C, "default", StateInfo(R, B.Frame, 0));
                           const TRect Bar =
                               B.Horizontal
                                   ? Rect(R.Left + 2, R.Top + 2, R.Left + R.Width() * 3 / 5, R.Bottom - 2)
                                   : Rect(R.Left + 2, R.Bottom - R.Height() * 3 / 5, R.Right - 2, R.Bottom - 2);
                           T.DrawProgressBar(0, C, "default", StateInfo(Bar, B.Bar, 0));
                         }});
    Add(std::move(S));
  }
  if (T.IsTrackBarDefined(0, D)) {
    TSection S{"Track bar", {}};
    for (Byte Part : {Byte(1), Byte(0)})
      AddStates(S, Part ? "track h " : "track v ", Part ? 120 : 8, Part ? 8 : 120, {{0, "normal"}, {1, "disabled"}},
                [&T, Part](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawTrackBarTrack(0, C, "default", StateInfo(R, Part, Code));
                });
    const char* const Thumbs[] = {"v both ", "v right ", "v left ", "h both ", "h bottom ", "h top "};
    for (Byte Part = 0; Part < 6; ++Part)
      AddStates(S, Thumbs[Part], 26, 26, {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {3, "focused"}, {4, "disabled"}},
                [&T, Part](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawTrackBarThumb(0, C, "default", StateInfo(R, Part, Code));
                });
    Add(std::move(S));
  }
  if (T.IsHeaderDefined(0, D)) {
    TSection S{"Header", {}};
    S.Items.push_back({"frame", 240, 22, [&T](TCanvas& C, const TRect& R) { T.DrawHeader(0, C, "default", R); }});
    AddStates(
        S, "section ", 80, 22, {{0, "normal"}, {3, "hot"}, {1, "pressed"}, {2, "disabled"}},
        [&T](TCanvas& C, const TRect& R, Byte Code) { T.DrawHeaderSection(0, C, "default", StateInfo(R, 1, Code)); });
    Add(std::move(S));
  }
  if (T.IsStatusBarDefined(0, D)) {
    TSection S{"Status bar", {}};
    S.Items.push_back({"frame", 240, 22, [&T](TCanvas& C, const TRect& R) { T.DrawStatusBar(0, C, "default", R); }});
    S.Items.push_back({"panel", 100, 18,
                       [&T](TCanvas& C, const TRect& R) { T.DrawStatusPanel(0, C, "default", StateInfo(R, 0, 0)); }});
    S.Items.push_back({"gripper", 18, 18,
                       [&T](TCanvas& C, const TRect& R) { T.DrawStatusPanel(0, C, "default", StateInfo(R, 3, 0)); }});
    Add(std::move(S));
  }
  if (T.IsGroupBoxDefined(0, D)) {
    TSection S{"Group box", {}};
    AddStates(S, "", 160, 80, {{0, "normal"}, {1, "disabled"}}, [&T](TCanvas& C, const TRect& R, Byte Code) {
      TvxGroupBoxInfo Info;
      Info.Rect = R;
      Info.CaptionRect = Rect(R.Left + 8, R.Top, R.Left + 64, R.Top + 14);
      Info.State = Code;
      T.DrawGroupBox(0, C, "default", Info);
      C.Font().Assign(&T.Fonts().Font(Code ? vxfGroupBoxTextDisabled : vxfGroupBoxTextNormal));
      T.DrawGroupBoxText(0, C, "default", CentredText(Info.CaptionRect, L"Caption"), Code);
    });
    Add(std::move(S));
  }
  for (Byte Kind = 0; Kind <= 1; ++Kind) {
    if (!T.IsMenuDefined(Kind, D)) continue;
    TSection S{Kind == 0 ? "Menu bar" : "Popup menu", {}};
    S.Items.push_back({"frame", Kind ? 160 : 240, Kind ? 100 : 22,
                       [&T, Kind](TCanvas& C, const TRect& R) { T.DrawMenu(Kind, C, "default", R); }});
    AddStates(S, "item ", 80, 20, {{0, "normal"}, {1, "hot"}, {2, "selected"}, {3, "disabled"}},
              [&T, Kind](TCanvas& C, const TRect& R, Byte Code) {
                T.DrawMenuItem(Kind, C, "default", StateInfo(R, 0, Code));
              });
    S.Items.push_back({"separator", 80, 8, [&T, Kind](TCanvas& C, const TRect& R) {
                         T.DrawMenuItem(Kind, C, "default", StateInfo(R, 1, 0));
                       }});
    if (Kind == 1) {
      S.Items.push_back({"scroll up", 80, 12,
                         [&T](TCanvas& C, const TRect& R) { T.DrawMenuItem(1, C, "default", StateInfo(R, 3, 0)); }});
      S.Items.push_back({"scroll down", 80, 12,
                         [&T](TCanvas& C, const TRect& R) { T.DrawMenuItem(1, C, "default", StateInfo(R, 4, 0)); }});
    } else {
      const char* const Mdi[] = {"mdi minimize", "mdi restore", "mdi close"};
      for (Byte Part = 7; Part <= 9; ++Part)
        S.Items.push_back({Mdi[Part - 7], 18, 16, [&T, Part](TCanvas& C, const TRect& R) {
                             T.DrawMenuItem(0, C, "default", StateInfo(R, Part, 0));
                           }});
    }
    Add(std::move(S));
  }
  if (T.IsToolBarDefined(1, D) || T.IsControlBarDefined(0, D)) {
    TSection S{"Tool bar", {}};
    S.Items.push_back(
        {"control bar", 200, 30, [&T](TCanvas& C, const TRect& R) { T.DrawControlBar(0, C, "default", R); }});
    S.Items.push_back({"tool bar", 200, 28, [&T](TCanvas& C, const TRect& R) { T.DrawToolBar(1, C, "default", R); }});
    AddStates(
        S, "item ", 24, 22,
        {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {3, "disabled"}, {5, "latched"}, {6, "latched hot"}},
        [&T](TCanvas& C, const TRect& R, Byte Code) { T.DrawToolBarItem(1, C, "default", StateInfo(R, 0, Code)); });
    const struct {
      Byte Part;
      const char* Name;
      Integer W, H;
    } Parts[] = {{1, "separator", 8, 22}, {4, "chevron", 12, 22}, {13, "grabber", 8, 22}, {14, "grabber v", 22, 8}};
    for (const auto& P : Parts)
      S.Items.push_back({P.Name, P.W, P.H, [&T, Part = P.Part](TCanvas& C, const TRect& R) {
                           T.DrawToolBarItem(1, C, "default", StateInfo(R, Part, 0));
                         }});
    Add(std::move(S));
  }
  if (T.IsScrollBoxDefined(0, D)) {
    Add({"Scroll box",
         {{"frame", 120, 60, [&T](TCanvas& C, const TRect& R) { T.DrawScrollBox(0, C, "default", R); }}}});
  }
  if (T.IsHeaderPanelDefined(1, D)) {
    TSection S{"Header panel", {}};
    S.Items.push_back({"frame", 200, 80, [&T](TCanvas& C, const TRect& R) { T.DrawHeaderPanel(1, C, "default", R); }});
    S.Items.push_back(
        {"caption", 200, 20, [&T](TCanvas& C, const TRect& R) { T.DrawHeaderPanelCaption(1, C, "default", R); }});
    const char* const Buttons[] = {"roll up ", "roll down ", "hide "};
    for (Byte Part = 1; Part <= 3; ++Part)
      AddStates(S, Buttons[Part - 1], 16, 16, {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {3, "disabled"}},
                [&T, Part](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawHeaderPanelButton(1, C, "default", StateInfo(R, Part, Code));
                });
    Add(std::move(S));
  }
  if (T.IsTabDefined(0, D)) {
    TSection S{"Tabs", {}};
    S.Items.push_back({"pane", 200, 80, [&T](TCanvas& C, const TRect& R) { T.DrawTabPane(0, C, "default", R); }});
    const struct {
      Byte Position;
      const char* Name;
      bool Upright;
    } Sides[] = {{0, "top ", true}, {9, "bottom ", true}, {3, "left ", false}, {6, "right ", false}};
    for (const auto& Side : Sides)
      AddStates(S, Side.Name, Side.Upright ? 70 : 22, Side.Upright ? 22 : 70,
                {{0, "normal"}, {1, "hot"}, {3, "active"}, {2, "disabled"}},
                [&T, Position = Side.Position](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawTab(0, C, "default", StateInfo(R, Position, Code));
                  C.Font().Assign(&T.Fonts().Font(vxfTabTextActiveNormal));
                  T.DrawTabText(0, C, "default", CentredText(R, L"Tab"), StateInfo(R, Position, 0));
                });
    for (Byte Part : {Byte(1), Byte(4)})
      AddStates(S, Part == 1 ? "scroll left " : "scroll right ", 16, 16,
                {{0, "normal"}, {1, "hot"}, {2, "pressed"}, {3, "disabled"}},
                [&T, Part](TCanvas& C, const TRect& R, Byte Code) {
                  T.DrawTabScrollButton(0, C, "default", StateInfo(R, Part, Code));
                });
    Add(std::move(S));
  }
  if (T.IsListBoxDefined(0, D)) {
    TSection S{"List box", {}};
    S.Items.push_back({"frame", 140, 80, [&T](TCanvas& C, const TRect& R) { T.DrawListBox(0, C, "default", R); }});
    AddStates(
        S, "item ", 120, 18, {{0, "normal"}, {2, "selected"}, {3, "focused"}, {4, "disabled"}},
        [&T](TCanvas& C, const TRect& R, Byte Code) { T.DrawListBoxItem(0, C, "default", StateInfo(R, Code, 0)); });
    const char* const Checks[] = {"check checked", "check unchecked", "check mixed"};
    for (Byte Check = 0; Check < 3; ++Check)
      S.Items.push_back({Checks[Check], 20, 20, [&T, Check](TCanvas& C, const TRect& R) {
                           TvxCheckGlyphInfo Glyph;
                           Glyph.Rect = R;
                           Glyph.CheckState = Check;
                           T.DrawListBoxCheck(0, C, "default", Glyph, {});
                         }});
    Add(std::move(S));
  }
  if (T.IsGridDefined(0, D)) {
    TSection S{"Grid", {}};
    S.Items.push_back({"frame", 160, 80, [&T](TCanvas& C, const TRect& R) { T.DrawGrid(0, C, "default", R); }});
    S.Items.push_back({"fixed cell", 64, 20,
                       [&T](TCanvas& C, const TRect& R) { T.DrawGridCell(0, C, "default", StateInfo(R, 0, 1)); }});
    AddStates(S, "cell ", 64, 20, {{0, "normal"}, {1, "hot"}, {2, "selected"}, {3, "focused"}, {4, "disabled"}},
              [&T](TCanvas& C, const TRect& R, Byte Code) { T.DrawGridCell(0, C, "default", StateInfo(R, Code, 0)); });
    Add(std::move(S));
  }
  {
    TSection S{"Panel, splitter, hint", {}};
    if (T.IsPanelDefined(0, D))
      S.Items.push_back({"panel", 160, 60, [&T](TCanvas& C, const TRect& R) { T.DrawPanel(0, C, "default", R); }});
    if (T.IsSplitterDefined(0))
      S.Items.push_back({"splitter", 6, 60, [&T](TCanvas& C, const TRect& R) { T.DrawSplitter(0, C, "default", R); }});
    if (T.IsHintDefined())
      S.Items.push_back({"hint", 140, 40, [&T](TCanvas& C, const TRect& R) { T.DrawHint(0, C, "default", R); }});
    Add(std::move(S));
  }
  // Controls stand on the window's client background.
  if (T.IsFormDefined(0, D))
    for (TSection& S : Sections)
      for (TItem& Item : S.Items)
        Item.Backdrop = [&T](TCanvas& C, const TRect& R) { T.DrawFormBackground(0, C, "default", R); };
  return Sections;
}

void PaintLabel(HDC DC, const TRect& R, const std::string& Text, bool Heading) {
  FillRectColor(DC, R, clWhite);
  TRect Box = Rect(R.Left + 1, R.Top, R.Right - 1, R.Bottom);
  std::wstring Wide(Text.begin(), Text.end());
  Wide = EllipsisText(DC, Wide, Box.Width());
  SetTextColor(DC, Heading ? RGB(0, 0, 0) : RGB(64, 64, 64));
  DrawTextWide(DC, Wide, Box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

TSkinSheet PaintSkinSheet(TvxTheme& Theme, TSheetBackground Background) {
  TSkinSheet Sheet;
  Sheet.Image = std::make_unique<TvxBitmap>();
  TvxBitmap& Image = *Sheet.Image;

  const TFontHandle Font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  const TFontHandle Bold(CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  Image.SetSize(1, 1);
  auto LabelWidth = [&Image, &Font](const std::string& Text) {
    TSelectGuard Select(Image.DC(), Font.Get());
    return TextWidthWide(Image.DC(), std::wstring(Text.begin(), Text.end())) + 4;
  };

  std::vector<TSection> Sections = FormSections(Theme, Image);
  for (TSection& S : ControlSections(Theme)) Sections.push_back(std::move(S));

  // Layout: a heading per section, then its samples in rows, each with its label below.
  struct TPlaced {
    const TItem* Item;
    std::string Group;
    TRect Cell, Label;
  };
  std::vector<TPlaced> Placed;
  std::vector<std::pair<TRect, std::string>> Headings;
  Integer Y = Margin;
  for (const TSection& S : Sections) {
    Headings.push_back({Rect(Margin, Y, SheetWidth - Margin, Y + HeadingHeight), S.Title});
    Y += HeadingHeight + 4;
    Integer X = Margin, RowHeight = 0;
    for (const TItem& Item : S.Items) {
      const Integer Slot = std::max({Item.Width, MinSlot, LabelWidth(Item.Label)});
      if (X > Margin && X + Slot > SheetWidth - Margin) {
        X = Margin;
        Y += RowHeight + LabelHeight + Gap;
        RowHeight = 0;
      }
      const TRect Cell = Bounds(X, Y, Item.Width, Item.Height);
      Placed.push_back({&Item, S.Title, Cell, Bounds(X, Cell.Bottom + 1, Slot, LabelHeight)});
      RowHeight = std::max(RowHeight, Item.Height);
      X += Slot + Gap;
    }
    Y += RowHeight + LabelHeight + Gap + 6;
  }

  Image.SetSize(SheetWidth, Y + Margin);
  Image.Fill(vxKeyColor);
  {
    TCanvas Canvas(Image.DC());
    for (const TPlaced& P : Placed) {
      if (Background == TSheetBackground::Window && P.Item->Backdrop) P.Item->Backdrop(Canvas, P.Cell);
      P.Item->Paint(Canvas, P.Cell);
      Sheet.Cells.push_back({P.Group, P.Item->Label, P.Cell});
    }
  }

  const HDC DC = Image.DC();
  {
    TSelectGuard Select(DC, Bold.Get());
    for (const auto& [R, Title] : Headings) PaintLabel(DC, R, Title, true);
  }
  {
    TSelectGuard Select(DC, Font.Get());
    for (const TPlaced& P : Placed) PaintLabel(DC, P.Label, P.Item->Label, false);
  }
  return Sheet;
}
