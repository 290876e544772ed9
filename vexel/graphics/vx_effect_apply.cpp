// A transition's frames: the old image with the effect's mask, cells or drawing of the new image
// applied over it.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "framework/core/sysutils.h"
#include "vexel/graphics/vx_effect_cells.h"
#include "vexel/graphics/vx_effect_rows.h"
#include "vexel/graphics/vx_effect_transition.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Which cell of a tile each pixel column (or row) of the image reads: the mask stretched over
// tiles of Resolution * Cells pixels is exactly Resolution pixels per cell.
std::vector<Integer> CellMap(Integer Pixels, Integer Cells, Integer Resolution) {
  std::vector<Integer> Map(size_t(std::max(Pixels, 0)));
  const Integer Tile = Cells * Resolution;
  for (Integer I = 0; I < Pixels; ++I) Map[size_t(I)] = (I % Tile) / Resolution;
  return Map;
}

// Opacities of one image row of a tile row: each of Cells mask values Resolution times, the tile
// repeated to Pixels. Writes up to 16 bytes past Pixels.
void StretchRow(const Byte* MaskRow, Integer Cells, Integer Resolution, Byte* Out, Integer Pixels) {
  const Integer Tile = Cells * Resolution, First = std::min(Pixels, Tile);
  for (Integer C = 0, X = 0; X < First; ++C, X += Resolution) {
    const uint64_t Eight = MaskRow[C] * 0x0101010101010101ull;
    std::memcpy(Out + X, &Eight, 8);
    if (Resolution > 8) std::memcpy(Out + X + 8, &Eight, 8);
  }
  for (Integer X = Tile; X < Pixels; X += Tile) std::memcpy(Out + X, Out, size_t(std::min(Tile, Pixels - X)));
}

// Zero bytes are the empty cell; memset is several times faster than filling 6-byte records.
void ClearCells(std::vector<TvxEffectCell>& Cells) {
  std::memset(Cells.data(), 0, Cells.size() * sizeof(TvxEffectCell));
}

Integer CellCount(Integer Pixels, Integer Resolution, Integer TileCount) { return Pixels / Resolution / TileCount + 1; }

std::mt19937& EffectRandom() {
  static std::mt19937 Random{std::random_device{}()};
  return Random;
}

bool QuarterTurn(TvxRotation R) { return R == TvxRotation::krRotate90 || R == TvxRotation::krRotate270; }

// Cell (X, Y) of a grid painted unturned (H x W for a quarter turn) lands here in the W x H grid.
void TurnCell(Integer& X, Integer& Y, Integer W, Integer H, TvxRotation Rotation) {
  const Integer SX = X, SY = Y;
  switch (Rotation) {
    case TvxRotation::krRotate90: X = SY, Y = H - 1 - SX; break;
    case TvxRotation::krRotate180: X = W - 1 - SX, Y = H - 1 - SY; break;
    case TvxRotation::krRotate270: X = W - 1 - SY, Y = SX; break;
    default: break;
  }
}

}  // namespace

// [Pieces of a frame] ---------------------------------------------------------------------------

void RotateMask(const Byte* Source, Byte* Mask, Integer W, Integer H, TvxRotation Rotation) {
  const size_t Count = size_t(W) * size_t(H);
  if (Rotation == TvxRotation::krNone) return (void)std::memcpy(Mask, Source, Count);
  const Integer SW = QuarterTurn(Rotation) ? H : W, SH = QuarterTurn(Rotation) ? W : H;
  for (Integer SY = 0; SY < SH; ++SY)
    for (Integer SX = 0; SX < SW; ++SX) {
      Integer X = SX, Y = SY;
      TurnCell(X, Y, W, H, Rotation);
      Mask[size_t(Y) * size_t(W) + size_t(X)] = Source[size_t(SY) * size_t(SW) + size_t(SX)];
    }
}

void BlendMasked(const TvxBitmap& OldImage, const TvxBitmap& NewImage, TvxBitmap& Work, const Byte* Mask, Integer W,
                 Integer H, Integer Resolution, Integer TileCount) {
  (void)TileCount;  // tiles repeat the mask; the cell maps wrap at each tile
  const Integer IW = Work.Width(), IH = Work.Height();
  if (Work.Empty() || OldImage.Width() != IW || NewImage.Width() != IW || OldImage.Height() != IH ||
      NewImage.Height() != IH)
    return;
  const TvxEffectRows& Blend = EffectRows();
  const std::vector<Integer> Rows = CellMap(IH, H, Resolution);
  // One cell per pixel inside a single tile: the mask rows are the opacity rows. Otherwise each
  // mask row is stretched once into a row of opacities, used by the Resolution rows it covers.
  // A mask row of one value (all of "Fade", most rows of a wipe) needs no opacity row at all.
  const bool Direct = Resolution == 1 && IW <= W;
  const Integer Used = std::min(W, (IW + Resolution - 1) / Resolution);
  std::vector<Byte> Stretched(Direct ? 0 : size_t(IW) + 16);
  Integer Row = -1;
  bool Uniform = false;
  for (Integer Y = 0; Y < IH; ++Y) {
    const Byte* MaskRow = Mask + size_t(Rows[size_t(Y)]) * size_t(W);
    if (Rows[size_t(Y)] != Row) {
      Row = Rows[size_t(Y)];
      Uniform = SameBytes(MaskRow, Used);
      if (!Uniform && !Direct) StretchRow(MaskRow, W, Resolution, Stretched.data(), IW);
    }
    if (Uniform)
      Blend.Uniform(OldImage.Scanline(Y), NewImage.Scanline(Y), Work.Scanline(Y), MaskRow[0], IW);
    else
      Blend.Masked(OldImage.Scanline(Y), NewImage.Scanline(Y), Work.Scanline(Y), Direct ? MaskRow : Stretched.data(),
                   IW);
  }
}

void ApplyCells(const TvxBitmap& OldImage, const TvxBitmap& NewImage, TvxBitmap& Work, TvxEffectCell* Cells, Integer W,
                Integer H, Integer Resolution, Integer TileCount) {
  const Integer IW = Work.Width(), IH = Work.Height();
  const bool Fits = !Work.Empty() && OldImage.Width() == IW && NewImage.Width() == IW && OldImage.Height() == IH &&
                    NewImage.Height() == IH;
  const Integer TileW = W * Resolution, TileH = H * Resolution;
  const TvxEffectRows& Blend = EffectRows();
  std::vector<TvxCellRun> Runs;
  // Cell row J covers image rows J * Resolution + DY of every tile row: each image row once. A row
  // takes the old image only between the pieces the cells put on it.
  for (Integer J = 0; J < H; ++J) {
    TvxEffectCell* Row = Cells + size_t(J) * size_t(W);
    if (!Fits || J * Resolution >= IH) {
      std::memset(Row, 0, size_t(W) * sizeof(TvxEffectCell));
      continue;
    }
    TakeCellRuns(Row, W, Runs);
    for (Integer OY = 0; OY < TileCount * TileH && OY < IH; OY += TileH)
      for (Integer DY = 0; DY < Resolution; ++DY) {
        const Integer Y = OY + J * Resolution + DY;
        if (Y >= IH) break;
        const TvxColor* Old = OldImage.Scanline(Y);
        TvxColor* Dest = Work.Scanline(Y);
        Integer Done = 0;
        for (Integer OX = 0; OX < TileCount * TileW && OX < IW; OX += TileW)
          for (const TvxCellRun& R : Runs) {
            const Integer SourceY = R.SourceY * Resolution + DY, SY = OY + SourceY;
            const Integer X = OX + R.Start * Resolution, SourceX = R.SourceX * Resolution, SX = OX + SourceX;
            const Integer Count = std::min({R.Count * Resolution, IW - X, IW - SX, TileW - SourceX});
            if (SourceY >= TileH || SY >= IH || Count <= 0) continue;
            std::memcpy(Dest + Done, Old + Done, size_t(X - Done) * sizeof(TvxColor));
            Blend.Uniform(Old + X, NewImage.Scanline(SY) + SX, Dest + X, R.Alpha, Count);
            Done = X + Count;
          }
        std::memcpy(Dest + Done, Old + Done, size_t(IW - Done) * sizeof(TvxColor));
      }
  }
}

// [TvxTransition] -------------------------------------------------------------------------------

TvxTransition::TvxTransition() = default;
TvxTransition::~TvxTransition() = default;

bool TvxTransition::Start(const TvxAnimationRec& Settings, const TvxBitmap& NewImage, const TvxBitmap& OldImage) {
  if (!SameText(Settings.Effect(), SBitmapEffect)) return StartWithMask(Settings, NewImage, OldImage, {});
  if (NewImage.Empty() || OldImage.Empty()) return false;
  const Integer W = CellCount(OldImage.Width(), Settings.Resolution(), Settings.TileCount());
  const Integer H = CellCount(OldImage.Height(), Settings.Resolution(), Settings.TileCount());
  const bool Turned = QuarterTurn(Settings.Rotation());
  std::vector<Byte> Mask;
  if (!MakeBitmapMask(Settings, Turned ? H : W, Turned ? W : H, Mask)) return false;
  return StartWithMask(Settings, NewImage, OldImage, std::move(Mask));
}

bool TvxTransition::StartWithMask(const TvxAnimationRec& Settings, const TvxBitmap& NewImage, const TvxBitmap& OldImage,
                                  std::vector<Byte> BitmapMask) {
  Stop();
  if (NewImage.Empty() || OldImage.Empty()) return false;
  FBitmapAnimation = SameText(Settings.Effect(), SBitmapEffect);
  if (!FBitmapAnimation) {
    std::string Name = Settings.Effect();
    const TvxProcList& List = EffectList();
    if (SameText(Name, SRandomEffect)) {
      if (List.Count() == 0) return false;
      Name =
          List.Items(Integer(std::uniform_int_distribution<Integer>(0, List.Count() - 1)(EffectRandom())))->DisplayName;
    }
    const TvxProcItem* Item = FindEffect(Name);
    if (!Item || std::visit([](auto P) { return P == nullptr; }, Item->Proc)) return false;
    FItem = *Item;
  }
  FW = CellCount(OldImage.Width(), Settings.Resolution(), Settings.TileCount());
  FH = CellCount(OldImage.Height(), Settings.Resolution(), Settings.TileCount());
  const size_t Cells = size_t(FW) * size_t(FH);
  if (FBitmapAnimation) {
    if (BitmapMask.size() != Cells) return false;
    FMask2 = std::move(BitmapMask);
    FMask.assign(Cells, 0);
    if (Settings.Rotation() != TvxRotation::krNone) FScratch.assign(Cells, 0);
  } else if (FItem.Kind == ekFade) {
    FMask.assign(Cells, 0);
    if (Settings.Rotation() != TvxRotation::krNone) FMask2.assign(Cells, 0);
  } else if (FItem.Kind == ekSlide) {
    FCells.assign(Cells, {});
    FCellsEmpty = true;
    if (Settings.Rotation() != TvxRotation::krNone) FCells2.assign(Cells, {});
  }

  FSettings = std::make_unique<TvxAnimationRec>();
  FSettings->Assign(&Settings);
  FOld = std::make_unique<TvxBitmap>();
  FOld->Assign(&OldImage);
  FOld->SetAlphaBlend(false);
  FOld->SetTransparent(false);
  // The new image at the old one's size, every pixel opaque but the key pixels, which show the
  // old image throughout: what it does not cover shows the old image too.
  FNew = std::make_unique<TvxBitmap>();
  FNew->SetSize(OldImage.Width(), OldImage.Height());
  const Integer CW = std::min(NewImage.Width(), OldImage.Width());
  for (Integer Y = 0; Y < FNew->Height(); ++Y) {
    TvxColor* Row = FNew->Scanline(Y);
    const TvxColor* Source = Y < NewImage.Height() ? NewImage.Scanline(Y) : nullptr;
    for (Integer X = 0; X < FNew->Width(); ++X) {
      const TvxColor P = Source && X < CW ? Source[X] : vxKeyColor;
      Row[X] = IsKeyPixel(P) ? vxKeyColor : P | 0xFF000000;
    }
  }
  FNew->SetAlphaBlend(true);
  FWork = std::make_unique<TvxBitmap>();
  FWork->SetSize(OldImage.Width(), OldImage.Height());
  FElapsed = 0.01f;
  FBusy = false;
  FActive = true;
  return true;
}

Integer TvxTransition::Step() {
  FElapsed += float(vxAnimationTick);
  Integer Percent = Integer(std::nearbyint(FElapsed / float(FSettings->Time()) * 100.0f));
  if (Percent > 99) Percent = 100;
  if (Percent >= 100)
    RenderFinal();
  else
    RenderFrame(Percent);
  return Percent;
}

void TvxTransition::RenderFrame(Integer Percent) {
  if (!FActive) return;
  if (FBitmapAnimation) return ApplyBitmap(Percent);
  switch (FItem.Kind) {
    case ekFade: return ApplyFade(Percent);
    case ekSlide: return ApplySlide(Percent);
    default: return ApplyManual(Percent);
  }
}

void TvxTransition::RenderFinal() {
  if (!FActive) return;
  // Every new pixel is opaque or hidden: at full opacity each one shows as it is or not at all.
  const TvxEffectRows& Blend = EffectRows();
  for (Integer Y = 0; Y < FWork->Height(); ++Y)
    Blend.Uniform(FOld->Scanline(Y), FNew->Scanline(Y), FWork->Scanline(Y), 255, FWork->Width());
}

void TvxTransition::Stop() {
  FActive = false;
  FBusy = false;
  FMask = {};
  FMask2 = {};
  FScratch = {};
  FCells = {};
  FCells2 = {};
  FSettings.reset();
  FNew.reset();
  FOld.reset();
  FWork.reset();
}

void TvxTransition::ApplyFade(Integer Percent) {
  const auto Proc = std::get<TvxFadeProc>(FItem.Proc);
  const TvxRotation Rotation = FSettings->Rotation();
  if (Rotation == TvxRotation::krNone) {
    std::fill(FMask.begin(), FMask.end(), Byte(0));
    Proc(FMask.data(), FW, FH, Percent);
  } else {
    std::fill(FMask2.begin(), FMask2.end(), Byte(0));
    if (QuarterTurn(Rotation))
      Proc(FMask2.data(), FH, FW, Percent);
    else
      Proc(FMask2.data(), FW, FH, Percent);
    RotateMask(FMask2.data(), FMask.data(), FW, FH, Rotation);
  }
  BlendMasked(*FOld, *FNew, *FWork, FMask.data(), FW, FH, FSettings->Resolution(), FSettings->TileCount());
}

void TvxTransition::ApplyBitmap(Integer Percent) {
  // The source mask is laid out as the rotation reads it; opacity first, then the turn. The
  // opacity is the mask value plus a constant, clamped: saturating byte arithmetic.
  const TvxRotation Rotation = FSettings->Rotation();
  Byte* Opacity = Rotation == TvxRotation::krNone ? FMask.data() : FScratch.data();
  const Integer Shift = 510 * Percent / 100 - 255;
  size_t I = 0;
#if defined(__SSE2__)
  const __m128i Amount = _mm_set1_epi8(char(std::min(std::abs(Shift), 255)));
  for (; I + 16 <= FMask2.size(); I += 16) {
    const __m128i M = _mm_loadu_si128(reinterpret_cast<const __m128i*>(FMask2.data() + I));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Opacity + I),
                     Shift >= 0 ? _mm_adds_epu8(M, Amount) : _mm_subs_epu8(M, Amount));
  }
#endif
  for (; I < FMask2.size(); ++I) Opacity[I] = BitmapOpacity(FMask2[I], Percent);
  if (Rotation != TvxRotation::krNone) RotateMask(Opacity, FMask.data(), FW, FH, Rotation);
  BlendMasked(*FOld, *FNew, *FWork, FMask.data(), FW, FH, FSettings->Resolution(), FSettings->TileCount());
}

void TvxTransition::ApplySlide(Integer Percent) {
  const auto Proc = std::get<TvxSlideProc>(FItem.Proc);
  const TvxRotation Rotation = FSettings->Rotation();
  // The cells are left empty by the last frame's ApplyCells, unless that frame never got there.
  if (!FCellsEmpty) ClearCells(FCells);
  FCellsEmpty = false;
  if (Rotation == TvxRotation::krNone) {
    Proc(FCells.data(), FW, FH, Percent);
  } else {
    ClearCells(FCells2);
    const bool Turned = QuarterTurn(Rotation);
    const Integer SW = Turned ? FH : FW, SH = Turned ? FW : FH;
    Proc(FCells2.data(), SW, SH, Percent);
    for (Integer SY = 0; SY < SH; ++SY)
      for (Integer SX = 0; SX < SW; ++SX) {
        TvxEffectCell C = FCells2[size_t(SY) * size_t(SW) + size_t(SX)];
        if ((C.Alpha & 0xFF) == 0 || C.X >= SW || C.Y >= SH) continue;
        Integer X = SX, Y = SY, CX = C.X, CY = C.Y;
        TurnCell(X, Y, FW, FH, Rotation);
        TurnCell(CX, CY, FW, FH, Rotation);
        C.X = uint16_t(CX);
        C.Y = uint16_t(CY);
        FCells[size_t(Y) * size_t(FW) + size_t(X)] = C;
      }
  }
  ApplyCells(*FOld, *FNew, *FWork, FCells.data(), FW, FH, FSettings->Resolution(), FSettings->TileCount());
  FCellsEmpty = true;
}

void TvxTransition::ApplyManual(Integer Percent) {
  std::memcpy(FWork->Bits(), FOld->Bits(), size_t(FWork->Width()) * size_t(FWork->Height()) * sizeof(TvxColor));
  std::get<TvxManualProc>(FItem.Proc)(*FWork, *FNew, *FSettings, Percent);
}
