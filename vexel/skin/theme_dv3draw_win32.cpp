// Skin object painting and regions. Each class's rule is one row of the class table; a class
// without a row paints by its nearest ancestor's.
//
// [Sections] swaps, image pieces, base and text, bitmap families, state classes, system
// buttons, regions, the class table, the public entry points.
#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <optional>

#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3draw.h"

namespace {

using TState = TDvObjectState;
using TStyle = TscTileStyle;

// The key colour as a framework colour: what design mode fills clNone objects with.
constexpr TColor KeyFillColor = 0x7F007F;

bool NoClip(const TRect& Clip) { return Clip.Width() <= 0 || Clip.Height() <= 0; }
bool HasArea(const TDvSkinObject& O) { return O.Width() > 0 && O.Height() > 0; }
bool InState(const TDvSkinObject& O, std::initializer_list<TState> States) {
  for (TState S : States)
    if (O.State() == S) return true;
  return false;
}
bool Valid(const TvxBitmapLink* Link) { return Link && Link->Valid(); }

// [Swaps] A state value put in place for one paint; the destructor puts the stored one back,
// also when painting throws.

class TColorSwap {
 public:
  TColorSwap(TDvSkinObject& Object, TColor With) : FObject(Object), FSaved(Object.Color()) { Object.SetColor(With); }
  ~TColorSwap() { FObject.SetColor(FSaved); }
  TColorSwap(const TColorSwap&) = delete;
  TColorSwap& operator=(const TColorSwap&) = delete;

 private:
  TDvSkinObject& FObject;
  TColor FSaved;
};

class TFontSwap {
 public:
  TFontSwap(TFont& Target, const TFont& With) : FTarget(Target) {
    FSaved.Assign(&Target);
    Target.Assign(&With);
  }
  ~TFontSwap() { FTarget.Assign(&FSaved); }
  TFontSwap(const TFontSwap&) = delete;
  TFontSwap& operator=(const TFontSwap&) = delete;

 private:
  TFont& FTarget;
  TFont FSaved;
};

class TLinkSwap {
 public:
  TLinkSwap(TvxBitmapLink& Target, const TvxBitmapLink& With) : FTarget(Target) {
    FSaved.Assign(&Target);
    Target.Assign(&With);
  }
  ~TLinkSwap() { FTarget.Assign(&FSaved); }
  TLinkSwap(const TLinkSwap&) = delete;
  TLinkSwap& operator=(const TLinkSwap&) = delete;

 private:
  TvxBitmapLink& FTarget;
  TvxBitmapLink FSaved;
};

// The image's Transparent flag for one piece: parts without key pixels are copied.
class TTransparentSwap {
 public:
  TTransparentSwap(TvxBitmap& Image, bool Value) : FImage(Image), FSaved(Image.Transparent()) {
    Image.SetTransparent(Value);
  }
  ~TTransparentSwap() { FImage.SetTransparent(FSaved); }
  TTransparentSwap(const TTransparentSwap&) = delete;
  TTransparentSwap& operator=(const TTransparentSwap&) = delete;

 private:
  TvxBitmap& FImage;
  bool FSaved;
};

// The children in a state for one paint of a title button; osNormal afterwards.
class TChildrenState {
 public:
  TChildrenState(TDvSkinObject& Object, TState State) : FObject(Object) { Set(State); }
  ~TChildrenState() { Set(TState::osNormal); }
  TChildrenState(const TChildrenState&) = delete;
  TChildrenState& operator=(const TChildrenState&) = delete;

 private:
  void Set(TState State) {
    for (Integer I = 0; I < FObject.ChildCount(); ++I) FObject.Child(I)->SetState(State);
  }
  TDvSkinObject& FObject;
};

class TInactiveSubtree {
 public:
  explicit TInactiveSubtree(TDvSkinObject& Object) : FObject(Object), FSaved(Object.Active()) {
    Object.SetActive(false);
  }
  ~TInactiveSubtree() { FObject.SetActive(FSaved); }
  TInactiveSubtree(const TInactiveSubtree&) = delete;
  TInactiveSubtree& operator=(const TInactiveSubtree&) = delete;

 private:
  TDvSkinObject& FObject;
  bool FSaved;
};

// [Image pieces] -------------------------------------------------------------------------------

enum class TPieceFill { pfStretch, pfTile, pfCenter };

TPieceFill FillOf(TStyle Style) {
  switch (Style) {
    case TStyle::tsStretch:
    case TStyle::tsVertCenterStretch:
    case TStyle::tsHorzCenterStretch: return TPieceFill::pfStretch;
    case TStyle::tsCenter: return TPieceFill::pfCenter;
    default: return TPieceFill::pfTile;
  }
}

// The boxes know only the three plain styles.
bool PlainStyle(TStyle Style) {
  return Style == TStyle::tsTile || Style == TStyle::tsStretch || Style == TStyle::tsCenter;
}

// [Probe] What a paint reports about the probe's point; a null check when no probe is set.

// Painting happens on the user-interface thread only; a plain pointer keeps the check cheap.
const TDvDrawProbe* GProbe = nullptr;

enum class TImageFill { ifDraw, ifStretch, ifTile };

// One primitive draw of an image: Draw puts Src unscaled at Dest's top-left; a tile with a Clip
// paints only inside it.
struct TImageOp {
  TImageFill Fill;
  TRect Dest;
  TRect Src;
  TRect Clip;
};

inline void Apply(const TvxBitmap& Image, HDC DC, const TImageOp& Op, Integer DX, Integer DY) {
  const TRect Dest = Op.Dest.Offset(DX, DY);
  switch (Op.Fill) {
    case TImageFill::ifDraw: Image.Draw(DC, Dest.Left, Dest.Top, Op.Src); break;
    case TImageFill::ifStretch: Image.StretchDraw(DC, Dest, Op.Src); break;
    case TImageFill::ifTile:
      if (NoClip(Op.Clip))
        Image.Tile(DC, Dest, Op.Src);
      else
        Image.TileClip(DC, Dest, Op.Src, Op.Clip.Offset(DX, DY));
      break;
  }
}

// The probe's point in the canvas's logical coordinates, when its clipping lets it be painted.
std::optional<TPoint> ProbePoint(HDC DC) {
  POINT P{GProbe->Point.X, GProbe->Point.Y};
  if (!DPtoLP(DC, &P, 1) || !PtVisible(DC, P.x, P.y)) return std::nullopt;
  return TPoint{P.x, P.y};
}

// The draw repeated onto one pixel over two grounds: a pixel it paints changes at least one of
// them, a pixel it leaves out (key colour, no alpha) changes neither. Exactly the sampling,
// tiling and drawing mode of the real draw.
bool PaintsPixel(const TvxBitmap& Image, const TImageOp& Op, TPoint At) {
  TvxBitmap Pixel;
  Pixel.SetSize(1, 1);
  for (const TvxColor Ground : {TvxColor(0x000000), TvxColor(0xFFFFFF)}) {
    *Pixel.PixelPtr(0, 0) = Ground;
    Apply(Image, Pixel.DC(), Op, -At.X, -At.Y);
    GdiFlush();
    if ((*Pixel.PixelPtr(0, 0) & 0xFFFFFF) != Ground) return true;
  }
  return false;
}

// Kept out of line: the paint path without a probe stays as small as it was.
[[gnu::noinline, gnu::cold]] void ProbeImage(const TDvSkinObject& O, const TvxBitmapLink& Link, const TvxBitmap& Image,
                                             HDC DC, const TImageOp& Op) {
  const std::optional<TPoint> P = ProbePoint(DC);
  if (!P) return;
  TRect Reach =
      Op.Fill == TImageFill::ifDraw ? Bounds(Op.Dest.Left, Op.Dest.Top, Op.Src.Width(), Op.Src.Height()) : Op.Dest;
  if (!Reach.Contains(P->X, P->Y)) return;
  try {
    if (PaintsPixel(Image, Op, *P)) GProbe->Painted(O, &Link);
  } catch (const Exception&) {
    // No pixel to test on: the answer stays what it was.
  }
}

[[gnu::noinline, gnu::cold]] void ProbeFill(const TDvSkinObject& O, HDC DC, const TRect& R) {
  const std::optional<TPoint> P = ProbePoint(DC);
  if (P && R.Contains(P->X, P->Y)) GProbe->Painted(O, nullptr);
}

// Every image piece of a skin object reaches the canvas here.
void PutImage(const TDvSkinObject& O, const TvxBitmapLink& Link, const TvxBitmap& Image, TCanvas& Canvas,
              const TImageOp& Op) {
  Apply(Image, Canvas.Handle(), Op, 0, 0);
  if (GProbe) ProbeImage(O, Link, Image, Canvas.Handle(), Op);
}

// Src into Target (already at the object's position); a centred piece sits in the middle of the
// object whatever its target.
void PaintPiece(const TDvSkinObject& O, TCanvas& Canvas, const TvxBitmapLink& Link, TStyle Style, const TRect& Src,
                const TRect& Target) {
  if (Src.IsEmpty()) return;
  const TvxBitmap& Image = *Link.Bitmap();
  switch (FillOf(Style)) {
    case TPieceFill::pfStretch: PutImage(O, Link, Image, Canvas, {TImageFill::ifStretch, Target, Src, {}}); break;
    case TPieceFill::pfTile: PutImage(O, Link, Image, Canvas, {TImageFill::ifTile, Target, Src, {}}); break;
    case TPieceFill::pfCenter:
      PutImage(O, Link, Image, Canvas,
               {TImageFill::ifDraw,
                Bounds(O.Left() + (O.Width() - Src.Width()) / 2, O.Top() + (O.Height() - Src.Height()) / 2, 0, 0),
                Src,
                {}});
      break;
  }
}

// The frame of the nine pieces in object-local coordinates, by the centre's style.
TRect NineFrame(TStyle Style, const TRect& L, Integer W, Integer H) {
  switch (Style) {
    case TStyle::tsCenter: return Bounds((W - L.Width()) / 2, (H - L.Height()) / 2, L.Width(), L.Height());
    case TStyle::tsVertCenterStretch:
    case TStyle::tsVertCenterTile: return Bounds((W - L.Width()) / 2, 0, L.Width(), H);
    case TStyle::tsHorzCenterStretch:
    case TStyle::tsHorzCenterTile: return Bounds(0, (H - L.Height()) / 2, W, L.Height());
    default: return {0, 0, W, H};
  }
}

enum class TNineKind { nkObject, nkBox };

// Centre, edges (top, bottom, left, right), then the corners unscaled. A box uses the client
// flag for every piece (its links are analysed without margins) and only the plain styles.
void PaintNinePieces(const TDvSkinObject& O, TCanvas& Canvas, const TvxBitmapLink& Link, const TRect& F,
                     TStyle CentreStyle, TStyle EdgeStyle, TNineKind Kind) {
  TvxBitmap& Image = *Link.Bitmap();
  const TRect L = Link.Rect();
  const Integer ML = O.MarginLeft(), MT = O.MarginTop(), MR = O.MarginRight(), MB = O.MarginBottom();
  const bool Box = Kind == TNineKind::nkBox;
  const auto Piece = [&](bool Flag, TStyle Style, const TRect& Src, const TRect& Target) {
    if (Box && !PlainStyle(Style)) return;
    TTransparentSwap Transparent(Image, Flag);
    PaintPiece(O, Canvas, Link, Style, Src, Target.Offset(O.Left(), O.Top()));
  };
  const auto Corner = [&](const TRect& Src, Integer X, Integer Y) {
    if (Src.IsEmpty()) return;
    TTransparentSwap Transparent(Image, Box ? Link.ClientTransparent() : Link.CornersTransparent());
    PutImage(O, Link, Image, Canvas, {TImageFill::ifDraw, Bounds(O.Left() + X, O.Top() + Y, 0, 0), Src, {}});
  };

  Piece(Link.ClientTransparent(), CentreStyle, Rect(L.Left + ML, L.Top + MT, L.Right - MR, L.Bottom - MB),
        Rect(F.Left + ML, F.Top + MT, F.Right - MR, F.Bottom - MB));
  const bool Edges = Box ? Link.ClientTransparent() : Link.EdgesTransparent();
  Piece(Edges, EdgeStyle, Rect(L.Left + ML, L.Top, L.Right - MR, L.Top + MT),
        Rect(F.Left + ML, F.Top, F.Right - MR, F.Top + MT));
  Piece(Edges, EdgeStyle, Rect(L.Left + ML, L.Bottom - MB, L.Right - MR, L.Bottom),
        Rect(F.Left + ML, F.Bottom - MB, F.Right - MR, F.Bottom));
  Piece(Edges, EdgeStyle, Rect(L.Left, L.Top + MT, L.Left + ML, L.Bottom - MB),
        Rect(F.Left, F.Top + MT, F.Left + ML, F.Bottom - MB));
  Piece(Edges, EdgeStyle, Rect(L.Right - MR, L.Top + MT, L.Right, L.Bottom - MB),
        Rect(F.Right - MR, F.Top + MT, F.Right, F.Bottom - MB));

  Corner(Rect(L.Left, L.Top, L.Left + ML, L.Top + MT), F.Left, F.Top);
  Corner(Rect(L.Right - MR, L.Top, L.Right, L.Top + MT), F.Right - MR, F.Top);
  Corner(Rect(L.Left, L.Bottom - MB, L.Left + ML, L.Bottom), F.Left, F.Bottom - MB);
  Corner(Rect(L.Right - MR, L.Bottom - MB, L.Right, L.Bottom), F.Right - MR, F.Bottom - MB);
}

bool HasMargins(const TDvSkinObject& O) {
  return O.MarginLeft() != 0 || O.MarginTop() != 0 || O.MarginRight() != 0 || O.MarginBottom() != 0;
}

// [Base and text] ------------------------------------------------------------------------------

// The fill of an object that paints itself: its colour, or the key colour in design mode so that
// an unfilled area shows.
void FillOwnArea(TDvSkinObject& O, TCanvas& Canvas) {
  if (O.Color() != clNone)
    FillRectColor(Canvas.Handle(), O.BoundsRect(), O.Color());
  else if (DesignMode())
    FillRectColor(Canvas.Handle(), O.BoundsRect(), KeyFillColor);
  else
    return;
  if (GProbe) ProbeFill(O, Canvas.Handle(), O.BoundsRect());
}

void PaintBase(TDvSkinObject& O, TCanvas& Canvas, const TRect& Clip) {
  if (!O.Visible() || !HasArea(O)) return;
  if (!NoClip(Clip) && Intersect(Clip, O.BoundsRect()).IsEmpty()) return;
  if (O.ChildCount() == 0 || O.DrawIfOwner()) {
    FillOwnArea(O, Canvas);
    PaintText(O, Canvas);
  }
  PaintChildren(O, Canvas, Clip);
}

// Indexed by TDvTextAlign.
constexpr UINT AlignFlags[] = {
    DT_LEFT | DT_TOP,        // taTopLeft
    DT_CENTER | DT_TOP,      // taTopCenter
    DT_RIGHT | DT_TOP,       // taTopRight
    DT_LEFT | DT_VCENTER,    // taLeft
    DT_CENTER | DT_VCENTER,  // taCenter
    DT_RIGHT | DT_VCENTER,   // taRight
    DT_LEFT | DT_BOTTOM,     // taBottomLeft
    DT_CENTER | DT_BOTTOM,   // taBottomCenter
    DT_RIGHT | DT_BOTTOM,    // taBottomRight
};
static_assert(std::size(AlignFlags) == size_t(TDvTextAlign::taBottomRight) + 1);

// One line of text drawn transparently in Color.
void DrawLine(HDC DC, const std::wstring& Text, TRect R, UINT Format, TColor Color) {
  SetTextColor(DC, ColorToRGB(Color));
  DrawTextWide(DC, Text, R, Format);
}

// [Bitmap families] ----------------------------------------------------------------------------

void PaintBitmapObject(TDvBitmapObject& O, TCanvas& Canvas, const TRect& Clip) {
  const TvxBitmapLink& Link = *O.Bitmap();
  if (HasMargins(O)) {
    if (!Link.Valid() || !HasArea(O)) return;
    PaintNinePieces(O, Canvas, Link, NineFrame(O.TileStyle(), Link.Rect(), O.Width(), O.Height()), O.TileStyle(),
                    O.BorderTileStyle(), TNineKind::nkObject);
  } else if (!Link.Valid() || O.Color() == clNone) {
    // Painted as a base object, its text and children once: painting them twice would darken
    // the text and compound half-transparent children.
    if (!O.Visible() || !HasArea(O)) return;
    if (!NoClip(Clip) && Intersect(Clip, O.BoundsRect()).IsEmpty()) return;
    if (O.ChildCount() == 0 || O.DrawIfOwner()) FillOwnArea(O, Canvas);
  } else {
    if (!HasArea(O)) return;
    TvxBitmap& Image = *Link.Bitmap();
    const TRect L = Link.Rect(), B = O.BoundsRect();
    TTransparentSwap Transparent(Image, Link.ClientTransparent());
    const auto Put = [&](TImageFill Fill, const TRect& Dest, const TRect& Clip = {}) {
      PutImage(O, Link, Image, Canvas, {Fill, Dest, L, Clip});
    };
    switch (O.TileStyle()) {
      case TStyle::tsTile: Put(TImageFill::ifTile, B, Clip); break;
      case TStyle::tsStretch: Put(TImageFill::ifStretch, B); break;
      case TStyle::tsCenter:
        Put(TImageFill::ifDraw,
            Bounds(B.Left + (B.Width() - L.Width()) / 2, B.Top + (B.Height() - L.Height()) / 2, 0, 0));
        break;
      case TStyle::tsVertCenterStretch:
        Put(TImageFill::ifStretch, Bounds(B.Left + (B.Width() - L.Width()) / 2, B.Top, L.Width(), B.Height()));
        break;
      case TStyle::tsVertCenterTile:
        Put(TImageFill::ifTile, Bounds(B.Left + (B.Width() - L.Width()) / 2, B.Top, L.Width(), B.Height()));
        break;
      case TStyle::tsHorzCenterStretch:
        Put(TImageFill::ifStretch, Bounds(B.Left, B.Top + (B.Height() - L.Height()) / 2, B.Width(), L.Height()));
        break;
      case TStyle::tsHorzCenterTile:
        Put(TImageFill::ifTile, Bounds(B.Left, B.Top + (B.Height() - L.Height()) / 2, B.Width(), L.Height()));
        break;
    }
  }
  PaintText(O, Canvas);
  O.Realign();
  PaintChildren(O, Canvas, Clip);
}

// One piece over the bounds by TileStyle; the centred-band styles paint no image here.
void PaintBitmapSkin(TDvBitmapSkinObject& O, TCanvas& Canvas) {
  const TvxBitmapLink& Link = *O.Bitmap();
  if (!Link.Valid() || !HasArea(O)) return;
  {
    TvxBitmap& Image = *Link.Bitmap();
    const TRect L = Link.Rect(), B = O.BoundsRect();
    TTransparentSwap Transparent(Image, Link.ClientTransparent());
    const auto Put = [&](TImageFill Fill, const TRect& Dest) { PutImage(O, Link, Image, Canvas, {Fill, Dest, L, {}}); };
    switch (O.TileStyle()) {
      case TStyle::tsTile: Put(TImageFill::ifTile, B); break;
      case TStyle::tsStretch: Put(TImageFill::ifStretch, B); break;
      case TStyle::tsCenter:
        Put(TImageFill::ifDraw,
            Bounds(B.Left + (B.Width() - L.Width()) / 2, B.Top + (B.Height() - L.Height()) / 2, 0, 0));
        break;
      default: break;
    }
  }
  PaintText(O, Canvas);
}

void PaintBitmapBox(TDvBitmapBoxObject& O, TCanvas& Canvas) {
  const TvxBitmapLink& Link = *O.Bitmap();
  if (!Link.Valid() || !HasArea(O)) return;
  if (!HasMargins(O)) return PaintBitmapSkin(O, Canvas);
  PaintNinePieces(O, Canvas, Link, {0, 0, O.Width(), O.Height()}, O.TileStyle(), O.BorderTileStyle(), TNineKind::nkBox);
  PaintText(O, Canvas);
}

// [State classes] ------------------------------------------------------------------------------

void DrawBase(TDvSkinObject& O, TCanvas& Canvas, const TRect& Clip) { PaintBase(O, Canvas, Clip); }

void DrawActiveObject(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  auto& O = static_cast<TDvActiveObject&>(Object);
  std::optional<TColorSwap> Color;
  std::optional<TFontSwap> Font;
  if (O.Active() || InState(O, {TState::osHot, TState::osPressed, TState::osFocused})) {
    Color.emplace(O, O.ActiveColor());
    Font.emplace(*O.Font(), *O.ActiveFont());
  } else if (O.State() == TState::osDisabled) {
    Font.emplace(*O.Font(), *O.DisabledFont());
  }
  PaintBase(O, Canvas, Clip);
}

void DrawActiveSkinObject(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  auto& O = static_cast<TDvActiveSkinObject&>(Object);
  std::optional<TColorSwap> Color;
  std::optional<TFontSwap> Font;
  if (InState(O, {TState::osHot, TState::osFocused})) {
    Color.emplace(O, O.ActiveColor());
    Font.emplace(*O.Font(), *O.ActiveFont());
  }
  PaintBase(O, Canvas, Clip);
}

void DrawTextObject(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  auto& O = static_cast<TDvTextObject&>(Object);
  const TFont* With = nullptr;
  switch (O.State()) {
    case TState::osHot: With = O.FontHot(); break;
    case TState::osPressed: With = O.FontPressed(); break;
    case TState::osFocused: With = O.FontFocused(); break;
    case TState::osDisabled: With = O.FontDisabled(); break;
    default: break;
  }
  std::optional<TFontSwap> Font;
  if (With) Font.emplace(*O.Font(), *With);
  PaintBase(O, Canvas, Clip);
}

void DrawColorButton(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  auto& O = static_cast<TDvColorButtonObject&>(Object);
  const TFont* WithFont = nullptr;
  TColor WithColor = clNone;
  switch (O.State()) {
    case TState::osHot: WithFont = O.HotFont(), WithColor = O.HotColor(); break;
    case TState::osPressed: WithFont = O.PressedFont(), WithColor = O.PressedColor(); break;
    case TState::osFocused: WithFont = O.FocusedFont(), WithColor = O.FocusedColor(); break;
    case TState::osDisabled: WithFont = O.DisabledFont(), WithColor = O.DisabledColor(); break;
    default: break;
  }
  std::optional<TColorSwap> Color;
  std::optional<TFontSwap> Font;
  if (WithFont) {
    Color.emplace(O, WithColor);
    Font.emplace(*O.Font(), *WithFont);
  }
  PaintBase(O, Canvas, Clip);
}

void DrawLinkSkinObject(TDvSkinObject& Object, TCanvas& Canvas, const TRect&) {
  auto& O = static_cast<TDvLinkSkinObject&>(Object);
  if (O.State() != TState::osDesign || !HasArea(O)) return;
  const HDC DC = Canvas.Handle();
  FillRectColor(DC, O.BoundsRect(), clWhite);
  FrameRectColor(DC, O.BoundsRect(), clBlack);
  TFont Font;
  Font.SetName("Arial");
  Font.SetStyle({TFontStyle::fsItalic});
  TSelectGuard Select(DC, Font.Handle());
  const COLORREF OldColor = GetTextColor(DC);
  DrawLine(DC, AnsiToWideCP(CP_ACP, O.LinkControl()), O.BoundsRect(),
           DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX, clBlack);
  SetTextColor(DC, OldColor);
}

void DrawBitmapObject(TDvSkinObject& O, TCanvas& Canvas, const TRect& Clip) {
  PaintBitmapObject(static_cast<TDvBitmapObject&>(O), Canvas, Clip);
}

void DrawActiveBitmap(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  auto& O = static_cast<TDvActiveBitmap&>(Object);
  std::optional<TLinkSwap> Bitmap;
  if ((O.Active() || InState(O, {TState::osHot, TState::osPressed, TState::osFocused})) && Valid(O.ActiveBitmap()))
    Bitmap.emplace(*O.Bitmap(), *O.ActiveBitmap());
  PaintBitmapObject(O, Canvas, Clip);
}

void DrawButtonObject(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  auto& O = static_cast<TDvButtonObject&>(Object);
  if (!Valid(O.Bitmap())) return;
  const TvxBitmapLink* With = nullptr;
  switch (O.State()) {
    case TState::osFocused: With = O.BitmapFocused(); break;
    case TState::osHot: With = O.BitmapHot(); break;
    case TState::osDisabled: With = O.BitmapDisabled(); break;
    case TState::osPressed: With = O.BitmapPressed(); break;
    default: break;
  }
  std::optional<TLinkSwap> Bitmap;
  if (Valid(With)) Bitmap.emplace(*O.Bitmap(), *With);
  PaintBitmapObject(O, Canvas, Clip);
}

void DrawBitmapSkin(TDvSkinObject& O, TCanvas& Canvas, const TRect&) {
  PaintBitmapSkin(static_cast<TDvBitmapSkinObject&>(O), Canvas);
}

void DrawFormBitmapSkin(TDvSkinObject& Object, TCanvas& Canvas, const TRect&) {
  auto& O = static_cast<TDvFormBitmapSkinObject&>(Object);
  std::optional<TLinkSwap> Bitmap;
  if (!O.Active() && Valid(O.InactiveBitmap())) Bitmap.emplace(*O.Bitmap(), *O.InactiveBitmap());
  PaintBitmapSkin(O, Canvas);
}

void DrawBitmapBox(TDvSkinObject& O, TCanvas& Canvas, const TRect&) {
  PaintBitmapBox(static_cast<TDvBitmapBoxObject&>(O), Canvas);
}

void DrawActiveBitmapBox(TDvSkinObject& Object, TCanvas& Canvas, const TRect&) {
  auto& O = static_cast<TDvActiveBitmapBoxObject&>(Object);
  if (!Valid(O.Bitmap())) return;
  std::optional<TLinkSwap> Bitmap;
  if (InState(O, {TState::osFocused, TState::osHot}) && Valid(O.FocusedBitmap()))
    Bitmap.emplace(*O.Bitmap(), *O.FocusedBitmap());
  PaintBitmapBox(O, Canvas);
}

void DrawButtonBitmapBox(TDvSkinObject& Object, TCanvas& Canvas, const TRect&) {
  auto& O = static_cast<TDvButtonBitmapBoxObject&>(Object);
  if (!Valid(O.Bitmap())) return;
  const TvxBitmapLink* With = nullptr;
  switch (O.State()) {
    case TState::osFocused: With = O.FocusedBitmap(); break;
    case TState::osHot: With = O.HotBitmap(); break;
    case TState::osDisabled: With = O.DisabledBitmap(); break;
    case TState::osPressed: With = O.PressedBitmap(); break;
    default: break;
  }
  std::optional<TLinkSwap> Bitmap;
  if (Valid(With)) Bitmap.emplace(*O.Bitmap(), *With);
  PaintBitmapBox(O, Canvas);
}

// [System buttons] The theme sets ButtonState while it paints one title button; the window icon
// of sbaSysMenu is the theme's to paint.

void DrawSystemButton(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  auto& O = static_cast<TDvSystemButton&>(Object);
  if (!HasArea(O) || O.Action() == TDvAction::sbaSysMenu) return;
  if (!O.Active()) {
    TChildrenState Children(O, TState::osDisabled);
    return DrawActiveBitmap(O, Canvas, Clip);
  }
  if (O.ButtonState != 1 && O.ButtonState != 2) return DrawActiveBitmap(O, Canvas, Clip);
  const bool Hot = O.ButtonState == 1;
  const TvxBitmapLink* With = Hot ? O.BitmapHot() : O.BitmapPressed();
  std::optional<TLinkSwap> Bitmap;
  if (Valid(With)) Bitmap.emplace(*O.Bitmap(), *With);
  TInactiveSubtree Inactive(O);
  TChildrenState Children(O, Hot ? TState::osHot : TState::osPressed);
  DrawActiveBitmap(O, Canvas, Clip);
}

void DrawSysButtonSkin(TDvSkinObject& Object, TCanvas& Canvas, const TRect&) {
  auto& O = static_cast<TDvSysButtonSkinObject&>(Object);
  if (!HasArea(O) || O.Action() == TDvAction::sbaSysMenu) return;
  const TvxBitmapLink* With = O.ButtonState == 1 ? O.BitmapHover() : O.ButtonState == 2 ? O.BitmapDown() : nullptr;
  std::optional<TLinkSwap> Bitmap;
  if (Valid(With)) Bitmap.emplace(*O.Bitmap(), *With);
  PaintBitmapSkin(O, Canvas);
}

// [Regions] ------------------------------------------------------------------------------------

HRGN RectRegion(const TDvSkinObject& O) {
  const TRect R = O.BoundsRect();
  return CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
}

class TBoundsRestore {
 public:
  explicit TBoundsRestore(TDvSkinObject& Object) : FObject(Object), FSaved(Object.BoundsRect()) {}
  ~TBoundsRestore() { FObject.SetBounds(FSaved); }
  TBoundsRestore(const TBoundsRestore&) = delete;
  TBoundsRestore& operator=(const TBoundsRestore&) = delete;

 private:
  TDvSkinObject& FObject;
  TRect FSaved;
};

// The non-key pixels of the object painted at (0, 0) onto the key colour, placed back at its
// position. An image too large to make falls back to the rectangle.
HRGN PaintedRegion(TDvSkinObject& O) {
  TvxBitmap Shape;
  try {
    Shape.SetSize(O.Width(), O.Height());
  } catch (const Exception&) {
    return RectRegion(O);
  }
  Shape.Fill(vxKeyColor);
  const TRect At = O.BoundsRect();
  {
    TBoundsRestore Back(O);
    O.SetBounds({0, 0, At.Width(), At.Height()});
    TCanvas Canvas(Shape.DC());
    DrawObject(O, Canvas, {});
  }
  GdiFlush();
  return Shape.CreateRegion(At.Left, At.Top);
}

HRGN BaseRegion(TDvSkinObject& O) { return RectRegion(O); }

HRGN BitmapObjectRegion(TDvSkinObject& Object) {
  auto& O = static_cast<TDvBitmapObject&>(Object);
  if (!Valid(O.Bitmap()) || !HasArea(O)) return nullptr;
  if (O.Kind() != TDvKind::skClient && O.Masked()) return PaintedRegion(O);
  return RectRegion(O);
}

// Masked or not, every kind but the client area counts by its painted shape.
HRGN BitmapSkinRegion(TDvSkinObject& Object) {
  auto& O = static_cast<TDvBitmapSkinObject&>(Object);
  if (!Valid(O.Bitmap()) || !HasArea(O)) return nullptr;
  if (O.Kind() != TDvKind::skClient) return PaintedRegion(O);
  return RectRegion(O);
}

// [The class table] ----------------------------------------------------------------------------

struct TPaintRow {
  const TClassInfo* Class;
  void (*Draw)(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip);
  HRGN (*Region)(TDvSkinObject& Object);
};

const TPaintRow* FindRow(const TClassInfo* Class) {
  static const TPaintRow Rows[] = {
      // fill, text, children
      {&TDvSkinObject::StaticClassInfo(), DrawBase, BaseRegion},
      // the active colour and font while active, hot, pressed or focused; the disabled font
      {&TDvActiveObject::StaticClassInfo(), DrawActiveObject, BaseRegion},
      // one piece by TileStyle or nine by the margins, then text and laid-out children
      {&TDvBitmapObject::StaticClassInfo(), DrawBitmapObject, BitmapObjectRegion},
      // the active image while active, hot, pressed or focused
      {&TDvActiveBitmap::StaticClassInfo(), DrawActiveBitmap, BitmapObjectRegion},
      // a title button: disabled children while inactive, hot or pressed images by ButtonState
      {&TDvSystemButton::StaticClassInfo(), DrawSystemButton, BitmapObjectRegion},
      // nothing without an image; the state's image when it has one
      {&TDvButtonObject::StaticClassInfo(), DrawButtonObject, BitmapObjectRegion},
      // the state's font
      {&TDvTextObject::StaticClassInfo(), DrawTextObject, BaseRegion},
      // a placeholder for a control, shown only in the editor
      {&TDvLinkSkinObject::StaticClassInfo(), DrawLinkSkinObject, BaseRegion},
      // one piece over the bounds and text; no fill, no children
      {&TDvBitmapSkinObject::StaticClassInfo(), DrawBitmapSkin, BitmapSkinRegion},
      // the inactive image while the window is inactive
      {&TDvFormBitmapSkinObject::StaticClassInfo(), DrawFormBitmapSkin, BitmapSkinRegion},
      // a title button: hover and down images by ButtonState
      {&TDvSysButtonSkinObject::StaticClassInfo(), DrawSysButtonSkin, BitmapSkinRegion},
      // the active colour and font while hot or focused
      {&TDvActiveSkinObject::StaticClassInfo(), DrawActiveSkinObject, BaseRegion},
      // the state's colour and font
      {&TDvColorButtonObject::StaticClassInfo(), DrawColorButton, BaseRegion},
      // nine pieces in the plain styles, all with the client flag
      {&TDvBitmapBoxObject::StaticClassInfo(), DrawBitmapBox, BitmapSkinRegion},
      // the focused image while hot or focused
      {&TDvActiveBitmapBoxObject::StaticClassInfo(), DrawActiveBitmapBox, BitmapSkinRegion},
      // the state's image
      {&TDvButtonBitmapBoxObject::StaticClassInfo(), DrawButtonBitmapBox, BitmapSkinRegion},
      // as the base
      {&TDvRollPanelObject::StaticClassInfo(), DrawBase, BaseRegion},
  };
  for (; Class; Class = Class->Parent)
    for (const TPaintRow& Row : Rows)
      if (Row.Class == Class) return &Row;
  return &Rows[0];
}

}  // namespace

// [Entry points] -------------------------------------------------------------------------------

void SetDrawProbe(const TDvDrawProbe* Probe) { GProbe = Probe; }
const TDvDrawProbe* DrawProbe() { return GProbe; }

bool DrawProbePoint(HDC DC, TPoint& Logical) {
  if (!GProbe) return false;
  const std::optional<TPoint> P = ProbePoint(DC);
  if (P) Logical = *P;
  return P.has_value();
}

void DrawObject(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  FindRow(&Object.ClassInfo())->Draw(Object, Canvas, Clip);
}

void PaintText(TDvSkinObject& Object, TCanvas& Canvas) {
  const std::wstring& Text = Object.Text();
  if (Text.empty()) return;
  const HDC DC = Canvas.Handle();
  if (Text == L"-") {
    const TColor Color = Object.GetFont().Color();
    if (Color == clNone) return;
    TRect Line = Object.BoundsRect();
    Line.Left += 3;
    Line.Right -= 3;
    Line.Top += Object.Height() / 2 - 1;
    Line.Bottom = Line.Top + 1;
    FillRectColor(DC, Line, Color);
    return;
  }
  const UINT Format = DT_SINGLELINE | DT_NOPREFIX | AlignFlags[size_t(Object.TextAlign())];
  TRect R = Object.BoundsRect();
  R.Left += Object.TextMarginLeft();
  R.Right -= Object.TextMarginRight();
  R.Top += Object.TextMarginTop();
  const TFont& Font = *Object.Font();
  TSelectGuard Select(DC, Font.Handle());
  const COLORREF OldColor = GetTextColor(DC);
  const std::wstring Shown =
      Object.Kind() == TDvKind::skTitle
          ? EllipsisText(DC, Text, Object.Width() - Object.TextMarginLeft() - Object.TextMarginRight())
          : Text;
  if (Object.TextEffect() == TDvTextEffect::teShadow) DrawLine(DC, Shown, R.Offset(1, 1), Format, clGray);
  if (Font.Color() != clNone) DrawLine(DC, Shown, R, Format, Font.Color());
  SetTextColor(DC, OldColor);
}

void PaintChildren(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  const bool All = NoClip(Clip);
  for (Integer I = 0; I < Object.ChildCount(); ++I) {
    TDvSkinObject& Child = *Object.Child(I);
    if (!Child.Visible() || !HasArea(Child)) continue;
    if (!All && Intersect(Clip, Child.BoundsRect()).IsEmpty()) continue;
    DrawObject(Child, Canvas, Clip);
  }
}

HRGN CreateObjectRegion(TDvSkinObject& Object) { return FindRow(&Object.ClassInfo())->Region(Object); }

HRGN CreateShapeRegion(TDvSkinObject& Object) {
  if (!HasArea(Object)) return nullptr;
  if (Object.ChildCount() == 0 || Object.DrawIfOwner() || !Object.Masked()) return CreateObjectRegion(Object);
  TRegionHandle Union(CreateRectRgn(0, 0, 0, 0));
  for (Integer I = 0; I < Object.ChildCount(); ++I) {
    TDvSkinObject& Child = *Object.Child(I);
    if (!Child.Visible()) continue;
    TRegionHandle Part(CreateShapeRegion(Child));
    if (Part) CombineRgn(Union.Get(), Union.Get(), Part.Get(), RGN_OR);
  }
  return Union.Release();
}
