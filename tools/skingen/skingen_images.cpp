#include "tools/skingen/skingen_images.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/skingen/skingen_paint.h"
#include "tools/skingen/skingen_palette.h"

namespace skingen {

namespace {

using P = TPalette;
using TImage = std::unique_ptr<TvxBitmap>;
constexpr TvxColor White = 0xFFFFFFFF, Clear = 0x00FFFFFF;

// Packs pieces into rows of one atlas image, a key-colour pixel apart.
class TAtlasBuilder {
 public:
  TAtlasBuilder(std::string Name, Integer Width) : FName(std::move(Name)), FWidth(Width) {}
  void Add(const std::string& Piece, TImage Image) { FItems.push_back({Piece, std::move(Image)}); }

  TImage Build(std::map<std::string, TPiece>& Pieces) {
    Integer X = 0, Y = 0, RowHeight = 0;
    std::vector<TRect> Places;
    for (const TItem& Item : FItems) {
      const Integer W = Item.Image->Width(), H = Item.Image->Height();
      if (X > 0 && X + W > FWidth) X = 0, Y += RowHeight + 1, RowHeight = 0;
      Places.push_back(Bounds(X, Y, W, H));
      X += W + 1;
      RowHeight = std::max(RowHeight, H);
    }
    Integer Width = 0;
    for (const TRect& R : Places) Width = std::max(Width, R.Right);
    TImage Atlas = NewImage(Width, Y + RowHeight);
    for (size_t I = 0; I < FItems.size(); ++I) {
      const TvxBitmap& Image = *FItems[I].Image;
      for (Integer PY = 0; PY < Image.Height(); ++PY)
        std::copy_n(Image.Scanline(PY), Image.Width(), Atlas->PixelPtr(Places[I].Left, Places[I].Top + PY));
      if (!Pieces.emplace(FItems[I].Piece, TPiece{FName, Places[I]}).second)
        throw std::logic_error("piece drawn twice: " + FItems[I].Piece);
    }
    Atlas->SetName(FName);
    Atlas->CheckAlpha();
    Atlas->SetTransparent(std::any_of(Atlas->Bits(), Atlas->Bits() + Width * Atlas->Height(), IsKeyPixel));
    return Atlas;
  }

 private:
  struct TItem {
    std::string Piece;
    TImage Image;
  };
  std::string FName;
  Integer FWidth;
  std::vector<TItem> FItems;
};

TImage Transposed(const TvxBitmap& B) {
  TImage R = NewImage(B.Height(), B.Width());
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X) R->SetPixel(Y, X, B.GetPixel(X, Y));
  return R;
}

TImage FlippedVertically(const TvxBitmap& B) {
  TImage R = NewImage(B.Width(), B.Height());
  for (Integer Y = 0; Y < B.Height(); ++Y) std::copy_n(B.Scanline(Y), B.Width(), R->Scanline(B.Height() - 1 - Y));
  return R;
}

TImage Box(Integer W, Integer H, const TRect& Shape, const TBoxStyle& S) {
  TImage B = NewImage(W, H);
  PaintBox(*B, Shape, S);
  return B;
}

TBoxStyle Style(float Radius, TvxColor Top, TvxColor Bottom, TvxColor Border, float Shadow = 0, float Highlight = 0) {
  TBoxStyle S;
  S.Radius = Radius, S.Top = Top, S.Bottom = Bottom, S.Border = Border, S.Shadow = Shadow, S.Highlight = Highlight;
  return S;
}

void HLine(TvxBitmap& B, Integer X0, Integer X1, Integer Y, TvxColor C) {
  for (Integer X = X0; X <= X1; ++X) BlendPixel(B, X, Y, C);
}
void VLine(TvxBitmap& B, Integer X, Integer Y0, Integer Y1, TvxColor C) {
  for (Integer Y = Y0; Y <= Y1; ++Y) BlendPixel(B, X, Y, C);
}

// The four control states most pieces come in.
enum TState { stNormal, stHot, stPressed, stFocused, stDisabled };
const char* const StateNames[] = {"normal", "hot", "pressed", "focused", "disabled"};
std::string Named(const std::string& Group, TState S) { return Group + "." + StateNames[S]; }

// [Window frame] Hard edges only: the frame's key pixels shape the window.

constexpr Integer CaptionWidth = 48, CaptionHeight = 30;

void AddFrame(TAtlasBuilder& A, bool Active) {
  const std::string Suffix = Active ? "" : ".inactive";
  const TvxColor Outline = Active ? P::FrameOutline : P::FrameOutlineInactive;
  const TvxColor Inner = Active ? P::FrameInner : P::FrameInnerInactive;
  TBoxStyle S = Style(7, Active ? P::CaptionTop : P::CaptionTopInactive,
                      Active ? P::CaptionBottom : P::CaptionBottomInactive, Outline, 0, 0.3f);
  S.Edge = TEdge::Hard;
  TImage Caption = NewImage(CaptionWidth, CaptionHeight);
  PaintBox(*Caption, {0, 0, CaptionWidth, CaptionHeight + 12}, {0, 0, CaptionWidth, CaptionHeight}, S);
  HLine(*Caption, 5, CaptionWidth - 6, CaptionHeight - 1, Inner);
  const TvxColor Body = Caption->GetPixel(3, CaptionHeight - 2);

  TImage Left = NewImage(6, 16), Right = NewImage(6, 16);
  for (Integer Y = 0; Y < 16; ++Y) {
    const TvxColor Row[] = {Outline, Mix(Body, White, 0.1f), Body, Body, Body, Inner};
    for (Integer X = 0; X < 6; ++X) Left->SetPixel(X, Y, Row[X]), Right->SetPixel(5 - X, Y, X == 1 ? Body : Row[X]);
  }
  S.Top = S.Bottom = Body;
  S.Radius = 5;
  S.Highlight = 0;
  TImage Bottom = NewImage(CaptionWidth, 6);
  PaintBox(*Bottom, {0, -12, CaptionWidth, 6}, {0, 0, CaptionWidth, 6}, S);
  VLine(*Bottom, 1, 0, 2, Mix(Body, White, 0.1f));
  HLine(*Bottom, 5, CaptionWidth - 6, 0, Inner);
  A.Add("caption" + Suffix, std::move(Caption));
  A.Add("left" + Suffix, std::move(Left));
  A.Add("right" + Suffix, std::move(Right));
  A.Add("bottom" + Suffix, std::move(Bottom));
}

// [Glyphs] Drawn around a centre at pixel corners, so 1-px lines at .5 stay crisp.

using TGlyph = void (*)(TvxBitmap&, float, float, TvxColor);

void GlyphClose(TvxBitmap& B, float X, float Y, TvxColor C) {
  PaintSegment(B, X - 3.5f, Y - 3.5f, X + 3.5f, Y + 3.5f, 1.5f, C);
  PaintSegment(B, X - 3.5f, Y + 3.5f, X + 3.5f, Y - 3.5f, 1.5f, C);
}
void Frame(TvxBitmap& B, float L, float T, float R, float Bo, TvxColor C) {
  PaintSegment(B, L, T + 0.5f, R, T + 0.5f, 2, C);
  PaintSegment(B, L, Bo, R, Bo, 1, C);
  PaintSegment(B, L, T, L, Bo, 1, C);
  PaintSegment(B, R, T, R, Bo, 1, C);
}
void GlyphMaximize(TvxBitmap& B, float X, float Y, TvxColor C) { Frame(B, X - 3.5f, Y - 3.5f, X + 3.5f, Y + 3.5f, C); }
void GlyphRestore(TvxBitmap& B, float X, float Y, TvxColor C) {
  Frame(B, X - 3.5f, Y - 1.5f, X + 1.5f, Y + 3.5f, C);
  PaintSegment(B, X - 1.5f, Y - 4.0f, X + 3.5f, Y - 4.0f, 2, C);
  PaintSegment(B, X + 3.5f, Y - 4.5f, X + 3.5f, Y + 1.5f, 1, C);
}
void GlyphMinimize(TvxBitmap& B, float X, float Y, TvxColor C) {
  PaintSegment(B, X - 3.5f, Y + 3, X + 3.5f, Y + 3, 2, C);
}
void GlyphHelp(TvxBitmap& B, float X, float Y, TvxColor C) {
  const float CX = X, CY = Y - 1.5f, R = 2.6f;
  float PX = CX + R * std::cos(3.5f), PY = CY + R * std::sin(3.5f);
  for (float A = 3.5f; A <= 7.6f; A += 0.2f) {
    const float NX = CX + R * std::cos(A), NY = CY + R * std::sin(A);
    PaintSegment(B, PX, PY, NX, NY, 1.5f, C);
    PX = NX, PY = NY;
  }
  PaintSegment(B, PX, PY, X, Y + 2, 1.5f, C);
  PaintDisc(B, X, Y + 4.3f, 1.0f, C);
}
void GlyphUp(TvxBitmap& B, float X, float Y, TvxColor C) {
  PaintSegment(B, X - 3.5f, Y + 2, X, Y - 1.5f, 1.6f, C);
  PaintSegment(B, X, Y - 1.5f, X + 3.5f, Y + 2, 1.6f, C);
}
void GlyphDown(TvxBitmap& B, float X, float Y, TvxColor C) {
  PaintSegment(B, X - 3.5f, Y - 1.5f, X, Y + 2, 1.6f, C);
  PaintSegment(B, X, Y + 2, X + 3.5f, Y - 1.5f, 1.6f, C);
}

// [Title buttons] Translucent backgrounds over the caption gradient.

void AddTitleButtons(TAtlasBuilder& A) {
  struct TButton {
    const char* Name;
    TGlyph Glyph;
    bool Danger;
  };
  const TButton Buttons[] = {{"close", GlyphClose, true},      {"maximize", GlyphMaximize, false},
                             {"restore", GlyphRestore, false}, {"minimize", GlyphMinimize, false},
                             {"help", GlyphHelp, false},       {"rollup", GlyphUp, false},
                             {"rolldown", GlyphDown, false}};
  constexpr Integer W = 22, H = 18;
  for (const TButton& Button : Buttons) {
    const std::string Base = std::string("title.") + Button.Name;
    for (const char* State : {"normal", "inactive", "hot", "pressed"}) {
      const std::string S = State;
      TImage B = NewImage(W, H);
      TvxColor Glyph = WithAlpha(P::CaptionText, 0.92f);
      if (S == "inactive") Glyph = WithAlpha(P::CaptionTextInactive, 0.8f);
      if (S == "hot")
        PaintBox(*B, {0, 0, W, H},
                 Button.Danger ? Style(4, Mix(P::Close, White, 0.15f), P::Close, P::CloseDark)
                               : Style(4, 0x40FFFFFF, 0x26FFFFFF, 0x50FFFFFF));
      if (S == "pressed")
        PaintBox(*B, {0, 0, W, H},
                 Button.Danger ? Style(4, P::CloseDark, P::CloseDark, 0xFF8E2E2A)
                               : Style(4, 0x38000000, 0x2A000000, 0x40000000));
      Button.Glyph(*B, W / 2.0f, H / 2.0f, Glyph);
      A.Add(Base + "." + S, std::move(B));
    }
  }
}

// [Buttons and fields]

TBoxStyle FaceStyle(TState S) {
  switch (S) {
    case stHot: return Style(3, P::HotTop, P::HotBottom, Mix(P::Line, P::Accent, 0.6f), 0.12f);
    case stPressed: return Style(3, P::PressedTop, P::PressedBottom, Mix(P::Line, P::AccentDark, 0.6f), 0.04f);
    case stFocused: return Style(3, P::FaceTop, P::FaceBottom, P::Accent, 0.10f);
    case stDisabled: return Style(3, P::DisabledTop, P::DisabledBottom, P::LineDisabled);
    default: return Style(3, P::FaceTop, P::FaceBottom, P::Line, 0.10f);
  }
}

// A soft face for small buttons inside fields and bars.
TBoxStyle SoftFaceStyle(TState S, float Radius) {
  switch (S) {
    case stHot: return Style(Radius, P::HotTop, P::HotBottom, Mix(P::Line, P::Accent, 0.5f));
    case stPressed: return Style(Radius, P::PressedTop, P::PressedBottom, Mix(P::Line, P::AccentDark, 0.5f));
    case stDisabled: return Style(Radius, P::DisabledTop, P::DisabledBottom, P::LineDisabled);
    default: return Style(Radius, 0xFFF7F9FB, 0xFFE8ECF0, P::LineSoft);
  }
}

TvxColor GlyphColor(TState S) {
  return S == stDisabled ? P::TextDisabled : S == stHot || S == stPressed ? P::AccentDark : P::Glyph;
}

void AddButtons(TAtlasBuilder& A) {
  for (TState S : {stNormal, stHot, stPressed, stFocused, stDisabled}) {
    TImage B = Box(24, 24, {0, 0, 24, 23}, FaceStyle(S));
    if (S == stFocused) PaintBox(*B, {1, 1, 23, 22}, Style(2, Clear, Clear, 0xB0B9D6F3));
    A.Add(Named("button", S), std::move(B));
  }
}

void AddChecks(TAtlasBuilder& A) {
  constexpr Integer N = 13;
  for (const bool Radio : {false, true}) {
    const float Radius = Radio ? 6.5f : 2.5f;
    const std::string Group = Radio ? "radio" : "check";
    for (TState S : {stNormal, stHot, stPressed, stDisabled}) {
      TBoxStyle Off = Style(Radius, P::Field, 0xFFF3F5F8, P::Line);
      if (S == stHot) Off = Style(Radius, P::Field, P::AccentPale, P::Accent);
      if (S == stPressed) Off = Style(Radius, P::AccentLight, P::AccentLight, P::AccentDark);
      if (S == stDisabled) Off = Style(Radius, P::FieldDisabled, P::FieldDisabled, P::LineDisabled);
      TBoxStyle On = Style(Radius, P::AccentTop, P::Accent, P::AccentDark, 0, 0.25f);
      if (S == stHot)
        On = Style(Radius, Mix(P::AccentTop, White, 0.2f), Mix(P::Accent, White, 0.1f), P::Accent, 0, 0.25f);
      if (S == stPressed) On = Style(Radius, P::AccentDark, P::AccentDark, 0xFF1F5490);
      if (S == stDisabled) On = Style(Radius, P::LineSoft, P::LineSoft, P::LineDisabled);

      A.Add(Named(Group + ".off", S), Box(N, N, {0, 0, N, N}, Off));
      TImage On_ = Box(N, N, {0, 0, N, N}, On);
      if (Radio) {
        PaintDisc(*On_, 6.5f, 6.5f, 2.5f, White);
      } else {
        PaintSegment(*On_, 3.2f, 6.6f, 5.5f, 9.0f, 1.7f, White);
        PaintSegment(*On_, 5.5f, 9.0f, 9.9f, 4.0f, 1.7f, White);
      }
      A.Add(Named(Group + ".on", S), std::move(On_));
      if (!Radio) {
        TImage Mixed = Box(N, N, {0, 0, N, N}, Off);
        PaintBox(*Mixed, {3, 5, 10, 8},
                 Style(1, S == stDisabled ? P::LineSoft : P::Accent, S == stDisabled ? P::LineSoft : P::AccentDark, 0));
        A.Add(Named("check.mixed", S), std::move(Mixed));
      }
    }
  }
}

void AddFields(TAtlasBuilder& A) {
  for (TState S : {stNormal, stHot, stFocused, stDisabled}) {
    TBoxStyle F = Style(2, P::Field, P::Field, P::Line);
    if (S == stHot) F.Border = Mix(P::Line, P::Accent, 0.5f);
    if (S == stFocused) F.Border = P::Accent;
    if (S == stDisabled) F = Style(2, P::FieldDisabled, P::FieldDisabled, P::LineDisabled);
    TImage B = Box(16, 16, {0, 0, 16, 16}, F);
    if (S == stFocused) PaintBox(*B, {1, 1, 15, 15}, Style(1, Clear, Clear, 0x90B9D6F3));
    A.Add(Named("edit", S), std::move(B));
  }
  for (TState S : {stNormal, stHot, stPressed, stDisabled})
    A.Add(Named("field.button", S), Box(16, 16, {0, 0, 16, 16}, SoftFaceStyle(S, 2)));
}

// Filled triangles pointing down, in a 7 x 7 cell; the other directions turn it.
void AddArrows(TAtlasBuilder& A) {
  for (TState S : {stNormal, stHot, stPressed, stDisabled}) {
    TImage Down = NewImage(7, 7);
    PaintTriangle(*Down, 0.0f, 1.5f, 7.0f, 1.5f, 3.5f, 5.5f, GlyphColor(S));
    TImage Up = FlippedVertically(*Down);
    A.Add(Named("arrow.right", S), Transposed(*Down));
    A.Add(Named("arrow.left", S), Transposed(*Up));
    A.Add(Named("arrow.up", S), std::move(Up));
    A.Add(Named("arrow.down", S), std::move(Down));
  }
}

// [Scroll bars, progress bars, track bars]

void AddScrolling(TAtlasBuilder& A) {
  for (TState S : {stNormal, stHot, stPressed, stDisabled})
    A.Add(Named("scroll.button", S), Box(17, 17, {0, 0, 17, 17}, SoftFaceStyle(S, 2)));
  for (TState S : {stNormal, stPressed, stDisabled}) {
    TImage Track = NewImage(8, 17);
    const TvxColor Top = S == stPressed ? 0xFFD9E0E7 : S == stDisabled ? 0xFFF1F3F5 : 0xFFE6EAEE;
    FillGradient(*Track, {0, 0, 8, 17}, Top, Mix(Top, White, 0.45f));
    A.Add(Named("scroll.trackv", S), Transposed(*Track));
    A.Add(Named("scroll.trackh", S), std::move(Track));
  }
  for (TState S : {stNormal, stHot, stPressed, stDisabled}) {
    TBoxStyle T = Style(4, 0xFFC7CFD8, 0xFFB5BFCA, 0xFFA2AEBA, 0, 0.35f);
    if (S == stHot) T = Style(4, 0xFFA8C8EA, 0xFF8AB3DF, P::Accent, 0, 0.35f);
    if (S == stPressed) T = Style(4, P::Accent, P::AccentDark, P::AccentDark);
    if (S == stDisabled) T = Style(4, P::PanelDark, P::PanelDark, P::LineDisabled);
    TImage Thumb = Box(24, 17, {0, 3, 24, 14}, T);
    A.Add(Named("scroll.thumbv", S), Transposed(*Thumb));
    A.Add(Named("scroll.thumbh", S), std::move(Thumb));
  }
  TImage Frame = Box(16, 14, {0, 0, 16, 14}, Style(3, 0xFFE6EAEE, 0xFFF4F6F8, P::LineSoft));
  A.Add("progress.framev", Transposed(*Frame));
  A.Add("progress.frame", std::move(Frame));
  TImage Bar = Box(16, 14, {0, 0, 16, 14}, Style(3, P::AccentTop, P::Accent, WithAlpha(P::AccentDark, 0.7f), 0, 0.4f));
  A.Add("progress.barv", Transposed(*Bar));
  A.Add("progress.bar", std::move(Bar));

  for (TState S : {stNormal, stDisabled}) {
    TImage Groove = Box(16, 5, {0, 0, 16, 5},
                        S == stDisabled ? Style(2.5f, P::Panel, P::Panel, P::LineDisabled)
                                        : Style(2.5f, P::PanelDark, P::Panel, P::Line));
    A.Add(Named("track.groovev", S), Transposed(*Groove));
    A.Add(Named("track.grooveh", S), std::move(Groove));
  }
  for (TState S : {stNormal, stHot, stPressed, stFocused, stDisabled}) {
    TBoxStyle T = Style(7.5f, P::Field, 0xFFEEF1F5, P::Line, 0.18f);
    if (S == stHot) T = Style(7.5f, P::Field, P::AccentPale, P::Accent, 0.2f);
    if (S == stPressed) T = Style(7.5f, P::AccentLight, P::AccentLight, P::AccentDark, 0.08f);
    if (S == stFocused) T.Border = P::Accent;
    if (S == stDisabled) T = Style(7.5f, P::FieldDisabled, P::FieldDisabled, P::LineDisabled);
    TImage Thumb = Box(17, 17, {1, 0, 16, 15}, T);
    if (S == stFocused || S == stPressed) PaintDisc(*Thumb, 8.5f, 7.5f, 2.5f, P::Accent);
    A.Add(Named("track.thumb", S), std::move(Thumb));
  }
}

// [Bars, lists, menus and panels]

void AddBars(TAtlasBuilder& A) {
  // Tabs: open at the bottom, where they meet the pane.
  for (TState S : {stNormal, stHot, stFocused, stDisabled}) {
    TBoxStyle T = Style(4, 0xFFEEF1F4, 0xFFE2E7EC, P::LineSoft);
    if (S == stHot) T = Style(4, P::HotTop, P::HotBottom, Mix(P::Line, P::Accent, 0.4f));
    if (S == stFocused) T = Style(4, P::Window, P::Window, P::Line);
    if (S == stDisabled) T = Style(4, P::DisabledTop, P::DisabledBottom, P::LineDisabled);
    TImage Tab = NewImage(20, 22);
    PaintBox(*Tab, {0, 0, 20, 30}, {0, 0, 20, 22}, T);
    if (S == stFocused) PaintBox(*Tab, {2, 1, 18, 3}, Style(1, P::Accent, P::Accent, 0));
    A.Add(Named("tab", S), std::move(Tab));
  }
  A.Add("tabs.frame", Box(16, 16, {0, 0, 16, 16}, Style(2, P::Window, P::Window, P::Line)));

  // Header sections and the status bar: flat gradients with etched dividers.
  auto Strip = [](Integer W, Integer H, TvxColor Top, TvxColor Bottom) {
    TImage B = NewImage(W, H);
    FillGradient(*B, {0, 0, W, H}, Top, Bottom);
    return B;
  };
  TImage HeaderFrame = Strip(8, 22, P::Field, 0xFFEDF0F3);
  HLine(*HeaderFrame, 0, 7, 21, P::Line);
  A.Add("header.frame", std::move(HeaderFrame));
  for (TState S : {stNormal, stHot, stPressed, stDisabled}) {
    TvxColor Top = P::Field, Bottom = 0xFFEDF0F3;
    if (S == stHot) Top = P::HotTop, Bottom = P::HotBottom;
    if (S == stPressed) Top = P::PressedTop, Bottom = P::PressedBottom;
    TImage Section = Strip(16, 22, Top, Bottom);
    VLine(*Section, 15, 4, 17, P::LineSoft);
    HLine(*Section, 0, 15, 21, S == stHot || S == stPressed ? P::Accent : P::Line);
    A.Add(Named("header.section", S), std::move(Section));
  }
  TImage StatusFrame = Strip(8, 22, P::Window, P::Panel);
  HLine(*StatusFrame, 0, 7, 0, P::LineSoft);
  HLine(*StatusFrame, 0, 7, 1, 0xB0FFFFFF);
  A.Add("status.frame", std::move(StatusFrame));
  TImage StatusPanel = NewImage(16, 22);
  VLine(*StatusPanel, 14, 4, 17, P::LineSoft);
  VLine(*StatusPanel, 15, 4, 17, 0xC0FFFFFF);
  A.Add("status.panel", std::move(StatusPanel));
  TImage Gripper = NewImage(12, 12);
  for (Integer Y = 0; Y < 4; ++Y)
    for (Integer X = 0; X < 4; ++X)
      if (X + Y >= 3) {
        Gripper->FillRect(Bounds(X * 3 + 1, Y * 3 + 1, 2, 2), 0xFFFFFFFF);
        Gripper->FillRect(Bounds(X * 3, Y * 3, 2, 2), P::Shade);
      }
  A.Add("status.gripper", std::move(Gripper));

  // Menus: items are empty until hot or open.
  TImage MenuFrame = Strip(8, 20, P::Window, P::Panel);
  HLine(*MenuFrame, 0, 7, 19, P::LineSoft);
  A.Add("menubar.frame", std::move(MenuFrame));
  A.Add("menu.empty", NewImage(16, 20));
  A.Add("menubar.item.hot",
        Box(16, 20, {0, 1, 16, 19}, Style(3, P::AccentPale, P::AccentLight, Mix(P::AccentLight, P::Accent, 0.5f))));
  A.Add("menubar.item.focused",
        Box(16, 20, {0, 1, 16, 19}, Style(3, P::AccentLight, P::AccentLight, Mix(P::Line, P::Accent, 0.6f))));
  TBoxStyle PopupFrame = Style(0, P::Field, P::Field, P::Line);
  PopupFrame.Edge = TEdge::Hard;
  A.Add("popup.frame", Box(16, 16, {0, 0, 16, 16}, PopupFrame));
  A.Add("popup.item.hot",
        Box(16, 20, {1, 1, 15, 19}, Style(3, P::AccentLight, 0xFFD2E4F6, Mix(P::AccentLight, P::Accent, 0.5f))));

  // Lists and grids.
  A.Add("list.frame", Box(16, 16, {0, 0, 16, 16}, Style(2, P::Field, P::Field, P::Line)));
  A.Add("list.item.focused",
        Box(16, 18, {0, 0, 16, 18}, Style(2, P::AccentLight, 0xFFD3E5F7, Mix(P::AccentLight, P::Accent, 0.6f))));
  A.Add("list.item.normal", NewImage(16, 18));
  TImage Fixed = Strip(16, 20, P::Field, 0xFFEDF0F3);
  VLine(*Fixed, 15, 0, 19, P::LineSoft);
  HLine(*Fixed, 0, 15, 19, P::Line);
  A.Add("grid.fixed", std::move(Fixed));
  for (TState S : {stNormal, stHot, stFocused, stDisabled}) {
    const TvxColor Fill = S == stHot        ? P::AccentPale
                          : S == stFocused  ? P::AccentLight
                          : S == stDisabled ? P::FieldDisabled
                                            : P::Field;
    TImage Cell = Strip(16, 20, Fill, Fill);
    VLine(*Cell, 15, 0, 19, 0xFFE3E8ED);
    HLine(*Cell, 0, 15, 19, 0xFFE3E8ED);
    A.Add(Named("grid.cell", S), std::move(Cell));
  }

  // Group box: an outline only; the centre stays transparent.
  A.Add("group.frame.normal", Box(16, 16, {0, 0, 16, 16}, Style(4, Clear, Clear, P::LineSoft)));
  A.Add("group.frame.disabled", Box(16, 16, {0, 0, 16, 16}, Style(4, Clear, Clear, P::LineDisabled)));

  // Panels.
  TImage Panel = Strip(16, 16, P::Panel, P::Panel);
  HLine(*Panel, 0, 15, 0, 0xFFFFFFFF);
  VLine(*Panel, 0, 0, 15, 0xFFFFFFFF);
  HLine(*Panel, 0, 15, 15, P::LineSoft);
  VLine(*Panel, 15, 0, 15, P::LineSoft);
  A.Add("container.panel", std::move(Panel));
  A.Add("hpanel.frame", Box(16, 16, {0, 0, 16, 16}, Style(3, P::Window, P::Window, P::LineSoft)));
  TImage PanelCaption = NewImage(16, 22);
  PaintBox(*PanelCaption, {0, 0, 16, 30}, {0, 0, 16, 22}, Style(3, 0xFFF5F7F9, 0xFFDDE3E9, P::LineSoft, 0, 0.5f));
  HLine(*PanelCaption, 0, 15, 21, P::LineSoft);
  A.Add("hpanel.caption", std::move(PanelCaption));
  const std::pair<const char*, TGlyph> PanelButtons[] = {
      {"rollup", GlyphUp}, {"rolldown", GlyphDown}, {"hide", GlyphClose}};
  for (const auto& [Name, Glyph] : PanelButtons)
    for (TState S : {stNormal, stHot, stPressed}) {
      TImage B = NewImage(16, 16);
      if (S != stNormal) PaintBox(*B, {0, 0, 16, 16}, SoftFaceStyle(S, 3));
      Glyph(*B, 8, 8, GlyphColor(S));
      A.Add(Named(std::string("hpanel.") + Name, S), std::move(B));
    }

  // Tool bars.
  A.Add("speed.face.normal", NewImage(16, 16));
  A.Add("speed.face.hot",
        Box(16, 16, {0, 0, 16, 16}, Style(3, P::HotTop, P::HotBottom, Mix(P::LineSoft, P::Accent, 0.45f))));
  A.Add("speed.face.pressed",
        Box(16, 16, {0, 0, 16, 16}, Style(3, P::PressedTop, P::PressedBottom, Mix(P::Line, P::AccentDark, 0.5f))));
  A.Add("speed.face.focused", Box(16, 16, {0, 0, 16, 16}, Style(3, P::AccentPale, P::AccentPale, P::Accent)));
  TImage ToolSeparator = NewImage(2, 8);
  VLine(*ToolSeparator, 0, 0, 7, P::LineSoft);
  VLine(*ToolSeparator, 1, 0, 7, 0xE0FFFFFF);
  A.Add("speed.separator", std::move(ToolSeparator));
  A.Add("bar.back", Strip(8, 28, P::Window, P::Panel));
  TImage BarFrame = Strip(16, 16, P::Window, P::Panel);
  HLine(*BarFrame, 0, 15, 0, 0xFFFFFFFF);
  HLine(*BarFrame, 0, 15, 15, P::LineSoft);
  A.Add("bar.frame", std::move(BarFrame));
  TImage Grabber = NewImage(4, 4);
  Grabber->SetPixel(1, 1, P::Shade);
  Grabber->SetPixel(2, 2, 0xFFFFFFFF);
  A.Add("bar.grabberv", Transposed(*Grabber));
  A.Add("bar.grabber", std::move(Grabber));
  TImage Grip = NewImage(10, 10);
  for (Integer Y = 0; Y < 3; ++Y)
    for (Integer X = 0; X < 3; ++X)
      Grip->SetPixel(X * 3 + 2, Y * 3 + 2, 0xFFFFFFFF), Grip->SetPixel(X * 3 + 1, Y * 3 + 1, P::Shade);
  A.Add("splitter.grip", std::move(Grip));

  TBoxStyle Hint = Style(3, P::HintTop, P::HintBottom, P::Line, 0, 0);
  Hint.Edge = TEdge::Hard;
  A.Add("hint", Box(16, 16, {0, 0, 16, 16}, Hint));
}

}  // namespace

TSkinImages::TSkinImages() {
  TAtlasBuilder Frame("SlateFrame", 200), Title("SlateTitleButtons", 96), Controls("SlateControls", 200),
      Scrolling("SlateScrolling", 200), Bars("SlateBars", 200);
  AddFrame(Frame, true);
  AddFrame(Frame, false);
  AddTitleButtons(Title);
  AddButtons(Controls);
  AddChecks(Controls);
  AddFields(Controls);
  AddArrows(Controls);
  AddScrolling(Scrolling);
  AddBars(Bars);
  for (TAtlasBuilder* A : {&Frame, &Title, &Controls, &Scrolling, &Bars}) FAtlases.push_back(A->Build(FPieces));
}

const TPiece& TSkinImages::operator[](const std::string& Piece) const {
  const auto It = FPieces.find(Piece);
  if (It == FPieces.end()) throw std::out_of_range("no image piece " + Piece);
  return It->second;
}

}  // namespace skingen
