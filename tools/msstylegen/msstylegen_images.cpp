#include "tools/msstylegen/msstylegen_images.h"

#include <functional>
#include <map>

#include "tools/msstylegen/msstylegen_palette.h"
#include "tools/msstylegen/msstylegen_style.h"
#include "tools/skingen/skingen_paint.h"

namespace msstylegen {

using skingen::Mix;
using skingen::NewImage;
using skingen::PaintBox;
using skingen::PaintSegment;
using skingen::PaintTriangle;
using skingen::TBoxStyle;
using skingen::TEdge;
using skingen::WithAlpha;
using P = TPalette;

namespace {

using TFramePainter = std::function<void(TvxBitmap& Frame, int Index)>;

// Frames painted one by one on their own scratch image (so shadows and anti-aliasing never spill
// into a neighbour) and laid side by side or stacked.
std::unique_ptr<TvxBitmap> Strip(Integer W, Integer H, int Count, bool Horizontal, const TFramePainter& Paint) {
  auto Image = NewImage(Horizontal ? W * Count : W, Horizontal ? H : H * Count);
  for (int I = 0; I < Count; ++I) {
    auto Frame = NewImage(W, H);
    Paint(*Frame, I);
    const Integer X0 = Horizontal ? I * W : 0, Y0 = Horizontal ? 0 : I * H;
    for (Integer Y = 0; Y < H; ++Y)
      for (Integer X = 0; X < W; ++X) *Image->PixelPtr(X0 + X, Y0 + Y) = *Frame->PixelPtr(X, Y);
  }
  return Image;
}

// Rows become columns: a horizontal strip of W x H frames turns into a vertical one of H x W.
std::unique_ptr<TvxBitmap> Transposed(const TvxBitmap& Source) {
  auto Image = NewImage(Source.Height(), Source.Width());
  for (Integer Y = 0; Y < Source.Height(); ++Y)
    for (Integer X = 0; X < Source.Width(); ++X) *Image->PixelPtr(Y, X) = *Source.PixelPtr(X, Y);
  return Image;
}

std::unique_ptr<TvxBitmap> Mirrored(const TvxBitmap& Source) {
  auto Image = NewImage(Source.Width(), Source.Height());
  for (Integer Y = 0; Y < Source.Height(); ++Y)
    for (Integer X = 0; X < Source.Width(); ++X)
      *Image->PixelPtr(Source.Width() - 1 - X, Y) = *Source.PixelPtr(X, Y);
  return Image;
}

void Solid(TvxBitmap& B, const TRect& R, TvxColor C) {
  for (Integer Y = std::max(R.Top, 0); Y < std::min(R.Bottom, B.Height()); ++Y)
    for (Integer X = std::max(R.Left, 0); X < std::min(R.Right, B.Width()); ++X) B.SetPixel(X, Y, C);
}

void Gradient(TvxBitmap& B, const TRect& R, TvxColor Top, TvxColor Bottom) { skingen::FillGradient(B, R, Top, Bottom); }

TPaintedImage Alpha(std::unique_ptr<TvxBitmap> Image) { return {std::move(Image), true, 0}; }
TPaintedImage Keyed(std::unique_ptr<TvxBitmap> Image, TvxColor Surface) { return {std::move(Image), false, Surface}; }

// The four states most parts have: normal, hot, pressed, disabled.
struct TFace {
  TvxColor Top, Bottom, Border;
};
TFace ButtonFace(int State) {
  switch (State) {
    case 1: return {P::HotTop, P::HotBottom, P::AccentBorder};
    case 2: return {P::PressedTop, P::PressedBottom, P::AccentDark};
    case 3: return {P::DisabledTop, P::DisabledBottom, P::LineDisabled};
    default: return {P::FaceTop, P::FaceBottom, P::Line};
  }
}
TvxColor GlyphColor(int State) { return State == 3 ? P::TextDisabled : State == 1 ? P::AccentDark : P::Glyph; }

TBoxStyle Box(const TFace& F, float Radius, float Highlight = 0.5f) {
  TBoxStyle S;
  S.Radius = Radius;
  S.Top = F.Top;
  S.Bottom = F.Bottom;
  S.Border = F.Border;
  S.Highlight = Highlight;
  return S;
}

// A solid triangle pointing in Direction (0 up, 1 down, 2 left, 3 right), Size across its base.
void Arrow(TvxBitmap& B, float CX, float CY, float Size, int Direction, TvxColor C) {
  const float H = Size / 2.0f, D = Size / 4.0f;
  switch (Direction) {
    case 0: PaintTriangle(B, CX - H, CY + D, CX + H, CY + D, CX, CY - D, C); break;
    case 1: PaintTriangle(B, CX - H, CY - D, CX + H, CY - D, CX, CY + D, C); break;
    case 2: PaintTriangle(B, CX + D, CY - H, CX + D, CY + H, CX - D, CY, C); break;
    default: PaintTriangle(B, CX - D, CY - H, CX - D, CY + H, CX + D, CY, C); break;
  }
}

// ---- Window frame ----

std::unique_ptr<TvxBitmap> Caption(Integer W, Integer H, float Radius) {
  return Strip(W, H, 2, false, [=](TvxBitmap& F, int I) {
    const bool Active = I == 0;
    TBoxStyle S;
    S.Radius = Radius;
    S.Top = Active ? P::CaptionTop : P::CaptionTopInactive;
    S.Bottom = Active ? P::CaptionBottom : P::CaptionBottomInactive;
    S.Border = Active ? P::FrameOutline : P::FrameOutlineInactive;
    S.Highlight = 0.35f;
    // The shape runs on below the caption so only its top corners are round.
    const TRect Shape{0, 0, W, H + H / 3};
    PaintBox(F, Shape, {0, 0, W, H}, S);
    const TvxColor Inner = Active ? P::FrameInner : P::FrameInnerInactive;
    Solid(F, {3, H - 1, W - 3, H}, Inner);
  });
}

// Outline outside, the caption's lower colour, a darker line along the client edge.
std::unique_ptr<TvxBitmap> FrameSide(Integer Width) {
  return Strip(Width, 16, 2, false, [=](TvxBitmap& F, int I) {
    const bool Active = I == 0;
    Solid(F, {0, 0, Width, 16}, Active ? P::CaptionBottom : P::CaptionBottomInactive);
    Solid(F, {0, 0, 1, 16}, Active ? P::FrameOutline : P::FrameOutlineInactive);
    Solid(F, {Width - 1, 0, Width, 16}, Active ? P::FrameInner : P::FrameInnerInactive);
  });
}

std::unique_ptr<TvxBitmap> FrameBottom(Integer W, Integer Height) {
  return Strip(W, Height, 2, false, [=](TvxBitmap& F, int I) {
    const bool Active = I == 0;
    TBoxStyle S;
    S.Radius = 3;
    S.Top = S.Bottom = Active ? P::CaptionBottom : P::CaptionBottomInactive;
    S.Border = Active ? P::FrameOutline : P::FrameOutlineInactive;
    S.Edge = TEdge::Hard;  // stored without alpha: the rounded corners are key pixels
    PaintBox(F, {0, -8, W, Height}, {0, 0, W, Height}, S);
    const TvxColor Inner = Active ? P::FrameInner : P::FrameInnerInactive;
    Solid(F, {Height - 1, 0, W - Height + 1, 1}, Inner);
    Solid(F, {Height - 1, 0, Height, 1}, Inner);
  });
}

// Caption buttons: a translucent plate so the light glyph reads on both caption colours.
std::unique_ptr<TvxBitmap> CaptionButton(Integer Size, bool Close) {
  return Strip(Size, Size, 4, false, [=](TvxBitmap& F, int I) {
    TBoxStyle S;
    S.Radius = 4;
    S.Highlight = 0.25f;
    const TvxColor Base = Close ? P::Close : P::FrameOutline;
    const float Strength[] = {Close ? 0.9f : 0.35f, 0.95f, 1.0f, Close ? 0.4f : 0.18f};
    TvxColor Face = I == 1 ? (Close ? P::CloseHot : P::CaptionButtonHot) : I == 2 ? (Close ? P::CloseDark : P::AccentDark) : Base;
    S.Top = WithAlpha(Mix(Face, 0xFFFFFFFF, 0.12f), Strength[I]);
    S.Bottom = WithAlpha(Face, Strength[I]);
    S.Border = WithAlpha(Close ? P::CloseDark : P::FrameOutline, Strength[I] * 0.8f);
    PaintBox(F, {1, 1, Size - 1, Size - 1}, S);
  });
}

using TGlyphShape = std::function<void(TvxBitmap& F, float S, TvxColor C)>;

// Light glyphs for the caption buttons, four states (the last one disabled).
std::unique_ptr<TvxBitmap> CaptionGlyph(Integer Size, const TGlyphShape& Shape) {
  return Strip(Size, Size, 4, false, [=](TvxBitmap& F, int I) {
    Shape(F, float(Size), I == 3 ? P::GlyphDisabledOnCaption : 0xFFFFFFFF);
  });
}

void CloseShape(TvxBitmap& F, float S, TvxColor C) {
  const float A = S * 0.2f, B = S * 0.8f, W = std::max(1.4f, S / 7.0f);
  PaintSegment(F, A, A, B, B, W, C);
  PaintSegment(F, A, B, B, A, W, C);
}
void MinShape(TvxBitmap& F, float S, TvxColor C) {
  const float W = std::max(1.6f, S / 6.0f);
  PaintSegment(F, S * 0.2f, S * 0.75f, S * 0.8f, S * 0.75f, W, C);
}
void MaxShape(TvxBitmap& F, float S, TvxColor C) {
  const float A = S * 0.15f + 0.5f, B = S * 0.85f - 0.5f, W = std::max(1.0f, S / 12.0f);
  PaintSegment(F, A, A, B, A, W * 2.2f, C);
  PaintSegment(F, A, A, A, B, W, C);
  PaintSegment(F, B, A, B, B, W, C);
  PaintSegment(F, A, B, B, B, W, C);
}
void RestoreShape(TvxBitmap& F, float S, TvxColor C) {
  const float W = std::max(1.0f, S / 12.0f), O = S * 0.2f;
  const float A = S * 0.15f + 0.5f, B = S * 0.85f - 0.5f - O;
  // The back window first, then the front one over it.
  PaintSegment(F, A + O, A, B + O, A, W * 2.0f, C);
  PaintSegment(F, B + O, A, B + O, B, W, C);
  PaintSegment(F, A + O, A, A + O, A + O, W, C);
  PaintSegment(F, A, A + O, B, A + O, W * 2.0f, C);
  PaintSegment(F, A, A + O, A, B + O, W, C);
  PaintSegment(F, B, A + O, B, B + O, W, C);
  PaintSegment(F, A, B + O, B, B + O, W, C);
}
void HelpShape(TvxBitmap& F, float S, TvxColor C) {
  const float W = std::max(1.4f, S / 7.0f);
  const float Points[][2] = {{0.3f, 0.32f}, {0.4f, 0.18f}, {0.6f, 0.18f}, {0.7f, 0.32f}, {0.62f, 0.46f},
                             {0.5f, 0.54f}, {0.5f, 0.64f}};
  for (size_t I = 0; I + 1 < std::size(Points); ++I)
    PaintSegment(F, S * Points[I][0], S * Points[I][1], S * Points[I + 1][0], S * Points[I + 1][1], W, C);
  skingen::PaintDisc(F, S * 0.5f, S * 0.82f, W * 0.6f, C);
}

// The window-menu buttons of a maximized child sit on the menu bar: dark glyph on a light plate.
std::unique_ptr<TvxBitmap> MdiButton(const TGlyphShape& Shape) {
  return Strip(16, 14, 3, false, [=](TvxBitmap& F, int I) {
    TBoxStyle S;
    S.Radius = 2;
    S.Top = I == 0 ? P::FaceTop : I == 1 ? P::MenuHilightTop : P::AccentDark;
    S.Bottom = I == 0 ? P::FaceBottom : I == 1 ? P::MenuHilight : P::AccentDark;
    S.Border = I == 0 ? P::LineSoft : P::AccentDark;
    PaintBox(F, {0, 0, 16, 14}, S);
    auto Glyph = NewImage(10, 10);
    Shape(*Glyph, 10, I == 0 ? P::Glyph : 0xFFFFFFFF);
    for (Integer Y = 0; Y < 10; ++Y)
      for (Integer X = 0; X < 10; ++X) skingen::BlendPixel(F, X + 3, Y + 2, Glyph->GetPixel(X, Y));
  });
}

// ---- Buttons ----

std::unique_ptr<TvxBitmap> PushButton() {
  return Strip(20, 23, 5, false, [](TvxBitmap& F, int I) {
    TBoxStyle S = Box(ButtonFace(I == 4 ? 0 : I), 3.0f, 0.6f);
    S.Shadow = I == 3 ? 0.0f : 0.18f;
    if (I == 4) S.Border = P::Accent;
    PaintBox(F, {0, 0, 20, 22}, {0, 0, 20, 23}, S);
    // The default button carries a second, inner accent ring.
    if (I == 4) {
      TBoxStyle Ring;
      Ring.Radius = 2;
      Ring.Top = Ring.Bottom = 0x00FFFFFF;
      Ring.Border = WithAlpha(P::Accent, 0.45f);
      PaintBox(F, {1, 1, 19, 21}, Ring);
    }
  });
}

std::unique_ptr<TvxBitmap> SpinButton() {
  return Strip(15, 11, 5, true, [](TvxBitmap& F, int I) {
    PaintBox(F, {0, 0, 15, 11}, Box(ButtonFace(I == 4 ? 0 : I), 2.0f, 0.4f));
  });
}

std::unique_ptr<TvxBitmap> SpinGlyph(int Direction) {
  const bool Across = Direction >= 2;
  const Integer W = Across ? 5 : 7, H = Across ? 7 : 5;
  return Strip(W, H, 5, true, [=](TvxBitmap& F, int I) {
    Arrow(F, W / 2.0f, H / 2.0f, 7.0f, Direction, GlyphColor(I == 4 ? 0 : I));
  });
}

// Twelve frames: unchecked, checked and mixed, each normal, hot, pressed, disabled.
std::unique_ptr<TvxBitmap> CheckBox() {
  return Strip(13, 13, 12, false, [](TvxBitmap& F, int I) {
    const int State = I % 4, Mark = I / 4;
    TFace Face = ButtonFace(State);
    if (State == 0) Face = {P::Field, P::FieldShade, P::Line};
    PaintBox(F, {0, 0, 13, 13}, Box(Face, 2.0f, 0.0f));
    const TvxColor C = State == 3 ? P::TextDisabled : P::AccentDark;
    if (Mark == 1) {
      PaintSegment(F, 3.2f, 6.6f, 5.5f, 9.0f, 1.7f, C);
      PaintSegment(F, 5.5f, 9.0f, 9.9f, 3.8f, 1.7f, C);
    } else if (Mark == 2) {
      TBoxStyle S;
      S.Radius = 1;
      S.Top = S.Bottom = State == 3 ? P::TextDisabled : P::Accent;
      PaintBox(F, {4, 4, 9, 9}, S);
    }
  });
}

std::unique_ptr<TvxBitmap> RadioButton() {
  return Strip(13, 13, 8, false, [](TvxBitmap& F, int I) {
    const int State = I % 4;
    TFace Face = ButtonFace(State);
    if (State == 0) Face = {P::Field, P::FieldShade, P::Line};
    PaintBox(F, {0, 0, 13, 13}, Box(Face, 6.5f, 0.0f));
    if (I >= 4) skingen::PaintDisc(F, 6.5f, 6.5f, 2.6f, State == 3 ? P::TextDisabled : P::Accent);
  });
}

std::unique_ptr<TvxBitmap> GroupBox() {
  auto F = NewImage(12, 12);
  TBoxStyle S;
  S.Radius = 3;
  S.Top = S.Bottom = 0x00FFFFFF;
  S.Border = P::LineSoft;
  PaintBox(*F, {0, 0, 12, 12}, S);
  return F;
}

// ---- Scroll bars ----

// Sixteen frames: up, down, left and right, each normal, hot, pressed, disabled; laid on the track.
std::unique_ptr<TvxBitmap> ScrollArrows() {
  return Strip(17, 17, 16, false, [](TvxBitmap& F, int I) {
    const int Direction = I / 4, State = I % 4;
    Solid(F, {0, 0, 17, 17}, P::Track);
    if (State != 3) {
      TFace Face = ButtonFace(State);
      if (State == 0) Face = {P::TrackButtonTop, P::TrackButtonBottom, P::LineSoft};
      PaintBox(F, {1, 1, 16, 16}, Box(Face, 3.0f, 0.4f));
    }
    Arrow(F, 8.5f, 8.5f, 7.0f, Direction, GlyphColor(State));
  });
}

std::unique_ptr<TvxBitmap> ScrollThumbHorz() {
  return Strip(16, 17, 4, true, [](TvxBitmap& F, int I) {
    Solid(F, {0, 0, 16, 17}, P::Track);
    const TFace Faces[] = {{P::ThumbTop, P::ThumbBottom, P::ThumbBorder},
                           {P::AccentLight, P::AccentSoft, P::AccentBorder},
                           {P::AccentSoft, P::Accent, P::AccentDark},
                           {P::Track, P::Track, P::LineDisabled}};
    PaintBox(F, {1, 3, 15, 14}, Box(Faces[I], 4.0f, 0.4f));
  });
}

std::unique_ptr<TvxBitmap> ScrollGripperHorz() {
  return Strip(8, 8, 4, false, [](TvxBitmap& F, int I) {
    const TvxColor C = I == 2 ? 0xFFFFFFFF : P::ThumbGrip;
    for (float X : {2.5f, 4.5f, 6.5f}) PaintSegment(F, X - 0.5f, 2.5f, X - 0.5f, 5.5f, 1.0f, C);
  });
}

std::unique_ptr<TvxBitmap> ScrollTrackHorz() {
  return Strip(8, 17, 4, false, [](TvxBitmap& F, int I) {
    const TvxColor Fill[] = {P::Track, P::TrackHot, P::TrackPressed, P::Track};
    Solid(F, {0, 0, 8, 17}, Fill[I]);
    Solid(F, {0, 0, 8, 1}, P::TrackEdge);
  });
}

// ---- Progress, track bar ----

std::unique_ptr<TvxBitmap> ProgressTrough() {
  auto F = NewImage(12, 12);
  PaintBox(*F, {0, 0, 12, 12}, Box({P::TroughTop, P::TroughBottom, P::Line}, 3.0f, 0.0f));
  return F;
}

std::unique_ptr<TvxBitmap> ProgressChunk() {
  auto F = NewImage(8, 12);
  Gradient(*F, {0, 0, 8, 12}, P::AccentTop, P::Accent);
  Solid(*F, {0, 0, 8, 1}, Mix(P::AccentTop, 0xFFFFFFFF, 0.4f));
  return F;
}

std::unique_ptr<TvxBitmap> TrackGroove() {
  auto F = NewImage(8, 4);
  Solid(*F, {0, 0, 8, 4}, P::TroughTop);
  Solid(*F, {0, 0, 8, 1}, P::Line);
  Solid(*F, {0, 3, 8, 4}, 0xFFFFFFFF);
  return F;
}

TFace ThumbFace(int I) {
  switch (I) {
    case 1: return {P::HotTop, P::HotBottom, P::AccentBorder};
    case 2: return {P::PressedTop, P::PressedBottom, P::AccentDark};
    case 3: return {P::FaceTop, P::FaceBottom, P::Accent};
    case 4: return {P::DisabledTop, P::DisabledBottom, P::LineDisabled};
    default: return {P::FaceTop, P::FaceBottom, P::Line};
  }
}

// Five frames (normal, hot, pressed, focused, disabled), 11 x 19, pointing down or square.
std::unique_ptr<TvxBitmap> TrackThumb(bool Pointed) {
  return Strip(11, 19, 5, true, [=](TvxBitmap& F, int I) {
    const TFace Face = ThumbFace(I);
    if (!Pointed) {
      PaintBox(F, {1, 1, 10, 18}, Box(Face, 2.5f, 0.5f));
      return;
    }
    TBoxStyle S = Box(Face, 2.5f, 0.5f);
    PaintBox(F, {1, 1, 10, 18}, {0, 0, 11, 12}, S);
    PaintTriangle(F, 1.0f, 12.0f, 10.0f, 12.0f, 5.5f, 17.5f, Face.Bottom);
    PaintSegment(F, 1.5f, 11.5f, 5.5f, 17.0f, 1.0f, Face.Border);
    PaintSegment(F, 9.5f, 11.5f, 5.5f, 17.0f, 1.0f, Face.Border);
  });
}

// ---- Header, status, edits ----

std::unique_ptr<TvxBitmap> HeaderBand() {
  auto F = NewImage(8, 22);
  Gradient(*F, {0, 0, 8, 21}, P::FaceTop, P::FaceBottom);
  Solid(*F, {0, 21, 8, 22}, P::Line);
  return F;
}

std::unique_ptr<TvxBitmap> HeaderItem() {
  return Strip(24, 22, 3, false, [](TvxBitmap& F, int I) {
    const TFace Face = ButtonFace(I == 0 ? 0 : I == 1 ? 1 : 2);
    Gradient(F, {0, 0, 24, 21}, Face.Top, Face.Bottom);
    Solid(F, {0, 21, 24, 22}, I == 0 ? P::Line : P::Accent);
    Solid(F, {22, 4, 23, 18}, P::LineSoft);
    Solid(F, {23, 4, 24, 18}, 0xFFFFFFFF);
  });
}

std::unique_ptr<TvxBitmap> StatusBand() {
  auto F = NewImage(8, 22);
  Gradient(*F, {0, 0, 8, 22}, P::Panel, P::BtnFace);
  Solid(*F, {0, 0, 8, 1}, P::LineSoft);
  Solid(*F, {0, 1, 8, 2}, 0xFFFFFFFF);
  return F;
}

std::unique_ptr<TvxBitmap> StatusPane() {
  auto F = NewImage(8, 20);
  Solid(*F, {6, 3, 7, 17}, P::LineSoft);
  Solid(*F, {7, 3, 8, 17}, 0xFFFFFFFF);
  return F;
}

std::unique_ptr<TvxBitmap> StatusGripper() {
  auto F = NewImage(12, 12);
  for (int Row = 0; Row < 3; ++Row)
    for (int Col = 2 - Row; Col < 3; ++Col) {
      const float X = 3.0f + Col * 3.5f, Y = 3.0f + Row * 3.5f;
      skingen::PaintDisc(*F, X + 0.6f, Y + 0.6f, 0.9f, 0xFFFFFFFF);
      skingen::PaintDisc(*F, X, Y, 0.9f, P::Shade);
    }
  return F;
}

std::unique_ptr<TvxBitmap> DropDownButton() {
  return Strip(17, 20, 4, false, [](TvxBitmap& F, int I) {
    TFace Face = ButtonFace(I);
    if (I == 0) Face = {P::FaceTop, P::FaceBottom, P::LineSoft};
    PaintBox(F, {1, 1, 16, 19}, Box(Face, 2.0f, 0.5f));
    Arrow(F, 8.5f, 10.0f, 7.0f, 1, GlyphColor(I));
  });
}

// ---- Rebar, tool bar ----

std::unique_ptr<TvxBitmap> RebarBand() {
  auto F = NewImage(8, 26);
  Gradient(*F, {0, 0, 8, 25}, P::FaceTop, P::Panel);
  Solid(*F, {0, 25, 8, 26}, P::LineSoft);
  return F;
}

std::unique_ptr<TvxBitmap> RebarTexture() {
  auto F = NewImage(8, 8);
  Solid(*F, {0, 0, 8, 8}, P::Panel);
  Solid(*F, {0, 7, 8, 8}, P::PanelDark);
  return F;
}

std::unique_ptr<TvxBitmap> Chevron() {
  return Strip(12, 20, 3, true, [](TvxBitmap& F, int I) {
    if (I > 0) PaintBox(F, {0, 0, 12, 20}, Box(ButtonFace(I), 2.0f, 0.3f));
    for (float X : {3.5f, 7.0f}) {
      PaintSegment(F, X, 7.0f, X + 2.0f, 10.0f, 1.2f, P::Glyph);
      PaintSegment(F, X + 2.0f, 10.0f, X, 13.0f, 1.2f, P::Glyph);
    }
  });
}

std::unique_ptr<TvxBitmap> RebarGripper() {
  auto F = NewImage(6, 4);
  Solid(*F, {3, 2, 5, 4}, 0xFFFFFFFF);
  Solid(*F, {2, 1, 4, 3}, P::Shade);
  return F;
}

// Six frames: normal, hot, pressed, disabled, checked, hot and checked. Normal and disabled show
// nothing, so the bar shows through.
TFace ToolFace(int I) {
  switch (I) {
    case 1: return {P::AccentPale, P::AccentLight, P::AccentBorder};
    case 2: return {P::AccentLight, P::AccentSoft, P::AccentDark};
    case 4: return {P::AccentPale, P::AccentPale, P::Accent};
    case 5: return {P::AccentLight, P::AccentSoft, P::AccentDark};
    default: return {0, 0, 0};
  }
}

std::unique_ptr<TvxBitmap> ToolButton(Integer W, bool Arrowed) {
  return Strip(W, 22, 6, false, [=](TvxBitmap& F, int I) {
    if (I != 0 && I != 3) PaintBox(F, {0, 0, W, 22}, Box(ToolFace(I), 3.0f, 0.4f));
    if (Arrowed) Arrow(F, W / 2.0f, 11.0f, 6.0f, 1, I == 3 ? P::TextDisabled : P::Glyph);
  });
}

std::unique_ptr<TvxBitmap> ToolSeparator() {
  auto F = NewImage(6, 22);
  Solid(*F, {2, 3, 3, 19}, P::LineSoft);
  Solid(*F, {3, 3, 4, 19}, 0xFFFFFFFF);
  return F;
}

// ---- Tabs, explorer bar ----

std::unique_ptr<TvxBitmap> TabPane() {
  auto F = NewImage(12, 12);
  Solid(*F, {0, 0, 12, 12}, P::Line);
  Solid(*F, {1, 1, 11, 11}, P::Field);
  return F;
}

// Four frames: normal, hot, selected, disabled; only the top corners are round.
std::unique_ptr<TvxBitmap> TabItem() {
  return Strip(32, 22, 4, false, [](TvxBitmap& F, int I) {
    const TFace Faces[] = {{P::FaceTop, P::FaceBottom, P::Line},
                           {P::HotTop, P::HotBottom, P::AccentBorder},
                           {P::Field, P::Field, P::Line},
                           {P::DisabledTop, P::DisabledBottom, P::LineDisabled}};
    PaintBox(F, {0, 0, 32, 28}, {0, 0, 32, 22}, Box(Faces[I], 4.0f, I == 2 ? 0.0f : 0.5f));
    if (I == 2) Solid(F, {3, 1, 29, 3}, P::Accent);
  });
}

std::unique_ptr<TvxBitmap> ExplorerBackground() {
  auto F = NewImage(16, 32);
  Gradient(*F, {0, 0, 16, 32}, P::AccentPale, P::ExplorerBottom);
  return F;
}

std::unique_ptr<TvxBitmap> GroupHead() {
  auto F = NewImage(24, 25);
  PaintBox(*F, {0, 0, 24, 31}, {0, 0, 24, 25}, Box({P::Field, P::AccentLight, P::LineSoft}, 5.0f, 0.0f));
  return F;
}

std::unique_ptr<TvxBitmap> GroupToggle(bool Collapse) {
  return Strip(19, 19, 3, true, [=](TvxBitmap& F, int I) {
    const TFace Faces[] = {{P::Field, P::FieldShade, P::LineSoft},
                           {P::Field, P::AccentPale, P::AccentBorder},
                           {P::AccentLight, P::AccentSoft, P::AccentDark}};
    PaintBox(F, {1, 1, 18, 18}, Box(Faces[I], 8.5f, 0.0f));
    // Two chevrons pointing up (collapse) or down (expand).
    const float Rise = Collapse ? -1.6f : 1.6f;
    for (float Y : {7.8f, 11.2f}) {
      PaintSegment(F, 6.5f, Y - Rise, 9.5f, Y + Rise, 1.3f, P::AccentDark);
      PaintSegment(F, 9.5f, Y + Rise, 12.5f, Y - Rise, 1.3f, P::AccentDark);
    }
  });
}

std::unique_ptr<TvxBitmap> HeaderClose() {
  return Strip(16, 16, 3, false, [](TvxBitmap& F, int I) {
    if (I > 0) PaintBox(F, {0, 0, 16, 16}, Box(ToolFace(I), 3.0f, 0.3f));
    CloseShape(F, 16.0f, I == 0 ? P::Glyph : P::AccentDark);
  });
}

struct TImageEntry {
  std::function<TPaintedImage()> Paint;
};

const std::map<std::string, TImageEntry>& Catalogue() {
  static const std::map<std::string, TImageEntry> Images = {
      {"PELLAN_CAPTION_BMP", {[] { return Alpha(Caption(48, 30, 6.0f)); }}},
      {"PELLAN_FRAMELEFT_BMP", {[] { return Keyed(FrameSide(4), P::BtnFace); }}},
      {"PELLAN_FRAMERIGHT_BMP", {[] { return Keyed(Mirrored(*FrameSide(4)), P::BtnFace); }}},
      {"PELLAN_FRAMEBOTTOM_BMP", {[] { return Keyed(FrameBottom(24, 4), P::BtnFace); }}},
      {"PELLAN_SMALLCAPTION_BMP", {[] { return Alpha(Caption(40, 23, 4.0f)); }}},
      {"PELLAN_SMALLFRAMELEFT_BMP", {[] { return Keyed(FrameSide(3), P::BtnFace); }}},
      {"PELLAN_SMALLFRAMERIGHT_BMP", {[] { return Keyed(Mirrored(*FrameSide(3)), P::BtnFace); }}},
      {"PELLAN_SMALLFRAMEBOTTOM_BMP", {[] { return Keyed(FrameBottom(20, 3), P::BtnFace); }}},
      {"PELLAN_CAPTIONBUTTON_BMP", {[] { return Alpha(CaptionButton(22, false)); }}},
      {"PELLAN_CLOSEBUTTON_BMP", {[] { return Alpha(CaptionButton(22, true)); }}},
      {"PELLAN_SMALLCLOSEBUTTON_BMP", {[] { return Alpha(CaptionButton(18, true)); }}},
      {"PELLAN_CLOSEGLYPH_BMP", {[] { return Keyed(CaptionGlyph(12, CloseShape), P::Close); }}},
      {"PELLAN_SMALLCLOSEGLYPH_BMP", {[] { return Keyed(CaptionGlyph(9, CloseShape), P::Close); }}},
      {"PELLAN_MINGLYPH_BMP", {[] { return Keyed(CaptionGlyph(12, MinShape), P::CaptionGlyphSurface); }}},
      {"PELLAN_HELPGLYPH_BMP", {[] { return Keyed(CaptionGlyph(12, HelpShape), P::CaptionGlyphSurface); }}},
      {"PELLAN_MAXGLYPH10_BMP", {[] { return Keyed(CaptionGlyph(10, MaxShape), P::CaptionGlyphSurface); }}},
      {"PELLAN_MAXGLYPH12_BMP", {[] { return Keyed(CaptionGlyph(12, MaxShape), P::CaptionGlyphSurface); }}},
      {"PELLAN_MAXGLYPH20_BMP", {[] { return Keyed(CaptionGlyph(20, MaxShape), P::CaptionGlyphSurface); }}},
      {"PELLAN_RESTOREGLYPH10_BMP", {[] { return Keyed(CaptionGlyph(10, RestoreShape), P::CaptionGlyphSurface); }}},
      {"PELLAN_RESTOREGLYPH12_BMP", {[] { return Keyed(CaptionGlyph(12, RestoreShape), P::CaptionGlyphSurface); }}},
      {"PELLAN_RESTOREGLYPH20_BMP", {[] { return Keyed(CaptionGlyph(20, RestoreShape), P::CaptionGlyphSurface); }}},
      {"PELLAN_MDIMIN_BMP", {[] { return Keyed(MdiButton(MinShape), P::Menu); }}},
      {"PELLAN_MDIRESTORE_BMP", {[] { return Keyed(MdiButton(RestoreShape), P::Menu); }}},
      {"PELLAN_MDICLOSE_BMP", {[] { return Keyed(MdiButton(CloseShape), P::Menu); }}},
      {"PELLAN_SPINBUTTON_BMP", {[] { return Alpha(SpinButton()); }}},
      {"PELLAN_SPINUP_BMP", {[] { return Keyed(SpinGlyph(0), P::FaceBottom); }}},
      {"PELLAN_SPINDOWN_BMP", {[] { return Keyed(SpinGlyph(1), P::FaceBottom); }}},
      {"PELLAN_SPINLEFT_BMP", {[] { return Keyed(SpinGlyph(2), P::FaceBottom); }}},
      {"PELLAN_SPINRIGHT_BMP", {[] { return Keyed(SpinGlyph(3), P::FaceBottom); }}},
      {"PELLAN_BUTTON_BMP", {[] { return Alpha(PushButton()); }}},
      {"PELLAN_CHECKBOX_BMP", {[] { return Keyed(CheckBox(), P::BtnFace); }}},
      {"PELLAN_RADIO_BMP", {[] { return Alpha(RadioButton()); }}},
      {"PELLAN_GROUPBOX_BMP", {[] { return Alpha(GroupBox()); }}},
      {"PELLAN_SCROLLARROWS_BMP", {[] { return Keyed(ScrollArrows(), P::Track); }}},
      {"PELLAN_SCROLLTHUMBHORZ_BMP", {[] { return Keyed(ScrollThumbHorz(), P::Track); }}},
      {"PELLAN_SCROLLTHUMBVERT_BMP", {[] { return Keyed(Transposed(*ScrollThumbHorz()), P::Track); }}},
      {"PELLAN_SCROLLGRIPHORZ_BMP", {[] { return Keyed(ScrollGripperHorz(), P::ThumbBottom); }}},
      {"PELLAN_SCROLLGRIPVERT_BMP", {[] { return Keyed(Transposed(*ScrollGripperHorz()), P::ThumbBottom); }}},
      {"PELLAN_SCROLLTRACKHORZ_BMP", {[] { return Keyed(ScrollTrackHorz(), P::Track); }}},
      {"PELLAN_SCROLLTRACKVERT_BMP", {[] { return Keyed(Transposed(*ScrollTrackHorz()), P::Track); }}},
      {"PELLAN_PROGRESSTROUGH_BMP", {[] { return Alpha(ProgressTrough()); }}},
      {"PELLAN_PROGRESSCHUNK_BMP", {[] { return Keyed(ProgressChunk(), P::Accent); }}},
      {"PELLAN_PROGRESSCHUNKVERT_BMP", {[] { return Keyed(Transposed(*ProgressChunk()), P::Accent); }}},
      {"PELLAN_TRACK_BMP", {[] { return Keyed(TrackGroove(), P::BtnFace); }}},
      {"PELLAN_TRACKVERT_BMP", {[] { return Keyed(Transposed(*TrackGroove()), P::BtnFace); }}},
      {"PELLAN_THUMB_BMP", {[] { return Alpha(TrackThumb(false)); }}},
      {"PELLAN_THUMBBOTTOM_BMP", {[] { return Alpha(TrackThumb(true)); }}},
      {"PELLAN_THUMBTOP_BMP", {[] {
         auto B = TrackThumb(true);
         B->FlipVertical();
         return Alpha(std::move(B));
       }}},
      {"PELLAN_THUMBVERT_BMP", {[] { return Alpha(Transposed(*TrackThumb(false))); }}},
      {"PELLAN_THUMBRIGHT_BMP", {[] { return Alpha(Transposed(*TrackThumb(true))); }}},
      {"PELLAN_THUMBLEFT_BMP", {[] {
         auto B = TrackThumb(true);
         B->FlipVertical();
         return Alpha(Transposed(*B));
       }}},
      {"PELLAN_HEADER_BMP", {[] { return Keyed(HeaderBand(), P::BtnFace); }}},
      {"PELLAN_HEADERITEM_BMP", {[] { return Keyed(HeaderItem(), P::BtnFace); }}},
      {"PELLAN_STATUS_BMP", {[] { return Keyed(StatusBand(), P::BtnFace); }}},
      {"PELLAN_STATUSPANE_BMP", {[] { return Keyed(StatusPane(), P::BtnFace); }}},
      {"PELLAN_STATUSGRIPPER_BMP", {[] { return Keyed(StatusGripper(), P::BtnFace); }}},
      {"PELLAN_DROPDOWN_BMP", {[] { return Alpha(DropDownButton()); }}},
      {"PELLAN_REBAR_BMP", {[] { return Keyed(RebarBand(), P::BtnFace); }}},
      {"PELLAN_REBARTEXTURE_BMP", {[] { return Keyed(RebarTexture(), P::BtnFace); }}},
      {"PELLAN_CHEVRON_BMP", {[] { return Alpha(Chevron()); }}},
      {"PELLAN_REBARGRIPPER_BMP", {[] { return Keyed(RebarGripper(), P::Panel); }}},
      {"PELLAN_REBARGRIPPERVERT_BMP", {[] { return Keyed(Transposed(*RebarGripper()), P::Panel); }}},
      {"PELLAN_TOOLBUTTON_BMP", {[] { return Alpha(ToolButton(24, false)); }}},
      {"PELLAN_TOOLSPLITDROP_BMP", {[] { return Alpha(ToolButton(12, true)); }}},
      {"PELLAN_TOOLSEPARATOR_BMP", {[] { return Keyed(ToolSeparator(), P::Panel); }}},
      {"PELLAN_TABPANE_BMP", {[] { return Keyed(TabPane(), P::BtnFace); }}},
      {"PELLAN_TABITEM_BMP", {[] { return Alpha(TabItem()); }}},
      {"PELLAN_EXPLORERBACK_BMP", {[] { return Keyed(ExplorerBackground(), P::BtnFace); }}},
      {"PELLAN_GROUPHEAD_BMP", {[] { return Alpha(GroupHead()); }}},
      {"PELLAN_GROUPCOLLAPSE_BMP", {[] { return Alpha(GroupToggle(true)); }}},
      {"PELLAN_GROUPEXPAND_BMP", {[] { return Alpha(GroupToggle(false)); }}},
      {"PELLAN_HEADERCLOSE_BMP", {[] { return Alpha(HeaderClose()); }}},
  };
  return Images;
}

}  // namespace

TPaintedImage PaintSampleImage(const std::string& IniValue) {
  const auto Found = Catalogue().find(ImageResourceName(IniValue));
  if (Found == Catalogue().end()) return {};
  return Found->second.Paint();
}

TPaintedImage PaintExtraImage(const std::string& BaseIniValue, int Index) {
  TPaintedImage Result = PaintSampleImage(BaseIniValue);
  if (Result.Image) Result.Image->ChangeHue(20 + (Index * 37) % 200);
  return Result;
}

}  // namespace msstylegen
