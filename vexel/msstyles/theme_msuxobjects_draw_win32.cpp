#include <windows.h>

#include <algorithm>

#include "framework/graphics/canvas.h"
#include "vexel/graphics/vx_utils.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/msstyles/theme_msuxobjects.h"

namespace {

// Frame Frame (from 1) of a strip of Count frames; outside the image it is empty, so a frame
// number beyond the strip paints nothing instead of reading past the image.
TRect StripFrame(const TvxBitmap& Image, Byte Layout, Integer Count, Integer Frame) {
  TRect R;
  if (Layout == milHorizontal) {
    const Integer W = Image.Width() / Count;
    R = {(Frame - 1) * W, 0, Frame * W, Image.Height()};
  } else {
    const Integer H = Image.Height() / Count;
    R = {0, (Frame - 1) * H, Image.Width(), Frame * H};
  }
  return Intersect(R, Image.BoundsRect());
}

bool HasImage(const TvxBitmapLink* Link) { return Link && Link->Bitmap() && !Link->Bitmap()->Empty(); }
bool IsValid(const TvxBitmapLink* Link) { return Link && Link->Valid(); }

// Cuts frame Frame out of the link's image; a frame below 1 or no frames keeps its rectangle.
void SelectFrame(TvxBitmapLink* Link, Byte Layout, Integer Count, Integer Frame) {
  if (HasImage(Link) && Count > 0 && Frame >= 1) Link->SetRect(StripFrame(*Link->Bitmap(), Layout, Count, Frame));
}

// Puts the image's two drawing flags back when the scope ends.
class TFlagsRestore {
 public:
  explicit TFlagsRestore(TvxBitmap& Image)
      : FImage(Image), FTransparent(Image.Transparent()), FAlphaBlend(Image.AlphaBlend()) {}
  ~TFlagsRestore() {
    FImage.SetTransparent(FTransparent);
    FImage.SetAlphaBlend(FAlphaBlend);
  }
  TFlagsRestore(const TFlagsRestore&) = delete;
  TFlagsRestore& operator=(const TFlagsRestore&) = delete;

 private:
  TvxBitmap& FImage;
  bool FTransparent, FAlphaBlend;
};

enum class TFill { Stretch, Tile, TileVertical, TileHorizontal };

// Along the tiled axis the source repeats at its own size; across it, it is stretched.
void DrawAlong(const TvxBitmap& Image, HDC DC, const TRect& Dest, const TRect& Src, bool Vertical) {
  const Integer Step = Vertical ? Src.Height() : Src.Width();
  const Integer End = Vertical ? Dest.Bottom : Dest.Right;
  for (int64_t P = Vertical ? Dest.Top : Dest.Left; P < End; P += Step) {
    const Integer Size = Integer(std::min<int64_t>(Step, End - P));
    if (Vertical)
      Image.StretchDraw(DC, {Dest.Left, Integer(P), Dest.Right, Integer(P) + Size},
                        {Src.Left, Src.Top, Src.Right, Src.Top + Size});
    else
      Image.StretchDraw(DC, {Integer(P), Dest.Top, Integer(P) + Size, Dest.Bottom},
                        {Src.Left, Src.Top, Src.Left + Size, Src.Bottom});
  }
}

class TPiecePainter {
 public:
  TPiecePainter(const TvxBitmap& Image, HDC DC, const TRect& ClipRect) : FImage(Image), FDC(DC), FClip(ClipRect) {}

  void Piece(const TRect& Dest, const TRect& Src, TFill Fill) const {
    if (Dest.IsEmpty() || Src.IsEmpty()) return;
    if (!FClip.IsEmpty() && !RectContains(FClip, Dest)) return;
    switch (Fill) {
      case TFill::Stretch: FImage.StretchDraw(FDC, Dest, Src); break;
      case TFill::Tile: FImage.Tile(FDC, Dest, Src); break;
      case TFill::TileVertical: DrawAlong(FImage, FDC, Dest, Src, true); break;
      case TFill::TileHorizontal: DrawAlong(FImage, FDC, Dest, Src, false); break;
    }
  }

 private:
  const TvxBitmap& FImage;
  HDC FDC;
  TRect FClip;
};

// Margins that a frame holds. A file's margins can be negative or huge: summed in 64 bits, and
// negative ones refused, since they would place pieces outside the target.
bool MarginsFit(const TRect& Frame, const TRect& M) {
  if (M.Left < 0 || M.Top < 0 || M.Right < 0 || M.Bottom < 0) return false;
  return int64_t(Frame.Width()) >= int64_t(M.Left) + M.Right && int64_t(Frame.Height()) >= int64_t(M.Top) + M.Bottom;
}

// Centre, edges (top, bottom, left, right), then the corners 1:1.
void DrawNinePieces(const TPiecePainter& P, const TRect& S, const TRect& R, const TRect& M, TFill Centre, TFill Edges) {
  const Integer W = R.Width(), H = R.Height();
  const Integer SW = S.Width(), SH = S.Height();
  P.Piece({R.Left + M.Left, R.Top + M.Top, R.Right - M.Right, R.Bottom - M.Bottom},
          {S.Left + M.Left, S.Top + M.Top, S.Right - M.Right, S.Bottom - M.Bottom}, Centre);
  P.Piece({R.Left + M.Left, R.Top, R.Right - M.Right, R.Top + M.Top},
          {S.Left + M.Left, S.Top, S.Right - M.Right, S.Top + M.Top}, Edges);
  P.Piece({R.Left + M.Left, R.Bottom - M.Bottom, R.Right - M.Right, R.Bottom},
          {S.Left + M.Left, S.Bottom - M.Bottom, S.Right - M.Right, S.Bottom}, Edges);
  P.Piece({R.Left, R.Top + M.Top, R.Left + M.Left, R.Bottom - M.Bottom},
          {S.Left, S.Top + M.Top, S.Left + M.Left, S.Bottom - M.Bottom}, Edges);
  P.Piece({R.Right - M.Right, R.Top + M.Top, R.Right, R.Bottom - M.Bottom},
          {S.Right - M.Right, S.Top + M.Top, S.Right, S.Bottom - M.Bottom}, Edges);
  const Integer X2 = R.Left + W - M.Right, Y2 = R.Top + H - M.Bottom;
  P.Piece(Bounds(R.Left, R.Top, M.Left, M.Top), Bounds(S.Left, S.Top, M.Left, M.Top), TFill::Stretch);
  P.Piece(Bounds(X2, R.Top, M.Right, M.Top), Bounds(S.Left + SW - M.Right, S.Top, M.Right, M.Top), TFill::Stretch);
  P.Piece(Bounds(R.Left, Y2, M.Left, M.Bottom), Bounds(S.Left, S.Top + SH - M.Bottom, M.Left, M.Bottom),
          TFill::Stretch);
  P.Piece(Bounds(X2, Y2, M.Right, M.Bottom), Bounds(S.Left + SW - M.Right, S.Top + SH - M.Bottom, M.Right, M.Bottom),
          TFill::Stretch);
}

// One frame drawn 1:1 centred in R (offsets rounded toward zero).
void DrawCentred(const TvxBitmap& Image, HDC DC, const TRect& R, const TRect& Src) {
  if (Src.IsEmpty()) return;
  Image.Draw(DC, R.Left + (R.Width() - Src.Width()) / 2, R.Top + (R.Height() - Src.Height()) / 2, Src);
}

}  // namespace

void TmsuxThemeObject::Draw(TCanvas& Canvas, const TRect& Rect, Integer Frame, const TRect& ClipRect) {
  if (Rect.IsEmpty() || BgType == mbgNone) return;
  const HDC DC = Canvas.Handle();

  // The last of ImageFile2 and ImageFile3 that is narrower than the content, else ImageFile1.
  const auto SizeSelected = [&]() -> TvxBitmapLink* {
    TvxBitmapLink* Link = ImageFile1.get();
    const Integer Room = Rect.Width() - ContentMargins.Left - ContentMargins.Right;
    for (TvxBitmapLink* Candidate : {ImageFile2.get(), ImageFile3.get()})
      if (IsValid(Candidate) && Candidate->Bitmap()->Width() < Room) Link = Candidate;
    return Link;
  };

  if (BgType == mbgNotGiven) {
    // The framework's "none" colour paints nothing: an object without a fill stays see-through.
    if (FillColor != clNone) FillRectColor(DC, Rect, FillColor);
  } else if (BgType == mbgBorderFill) {
    TRect R = Rect;
    for (Integer I = 0; I < BorderSize && !R.IsEmpty(); ++I) {
      FrameRectColor(DC, R, BorderColor);
      R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    }
    if (FillColor != clNone && !R.IsEmpty()) FillRectColor(DC, R, FillColor);
  } else if (BgType == mbgImageFile) {
    TvxBitmapLink* Link = ImageSelectType == misDpi ? SizeSelected() : ImageFile.get();
    SelectFrame(Link, ImageLayout, ImageCount, Frame);
    const TRect& M = SizingMargins;
    if (IsValid(Link) && MarginsFit(Link->Rect(), M)) {
      TvxBitmap& Image = *Link->Bitmap();
      TFlagsRestore Restore(Image);
      if (DrawMode == 0) {
        Image.SetTransparent(false);
        Image.SetAlphaBlend(false);
      }
      const TPiecePainter Painter(Image, DC, ClipRect);
      const TRect& S = Link->Rect();
      switch (SizingType) {
        case mstTrueSize:
          if (ClipRect.IsEmpty() || RectContains(ClipRect, Rect)) DrawCentred(Image, DC, Rect, S);
          break;
        case mstTile: DrawNinePieces(Painter, S, Rect, M, TFill::Tile, TFill::Tile); break;
        case mstStretch: DrawNinePieces(Painter, S, Rect, M, TFill::Stretch, TFill::Stretch); break;
        case mstBorderTileClientStretch: DrawNinePieces(Painter, S, Rect, M, TFill::Stretch, TFill::Tile); break;
        case mstBorderStretchClientTile: DrawNinePieces(Painter, S, Rect, M, TFill::Tile, TFill::Stretch); break;
        case mstTileVertical: DrawNinePieces(Painter, S, Rect, M, TFill::TileVertical, TFill::TileVertical); break;
        case mstTileHorizontal:
          DrawNinePieces(Painter, S, Rect, M, TFill::TileHorizontal, TFill::TileHorizontal);
          break;
      }
    }
  }

  // The glyph step.
  if (GlyphType != mgtImageGlyph || ImageCount < 1 || Frame < 1) return;
  const auto DrawGlyph = [&](TvxBitmapLink* Link) {
    SelectFrame(Link, ImageLayout, ImageCount, Frame);
    if (!IsValid(Link)) return;
    if (GlyphTransparent) Link->Bitmap()->SetTransparent(true);
    DrawCentred(*Link->Bitmap(), DC, Rect, Link->Rect());
  };
  if (HasImage(GlyphImageFile.get())) DrawGlyph(GlyphImageFile.get());
  if (ImageSelectType == misDpi || ImageSelectType == misSize) {
    TvxBitmapLink* Link = SizeSelected();
    if (HasImage(Link)) DrawGlyph(Link);
  }
}
