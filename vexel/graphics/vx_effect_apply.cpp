// A transition's frames: the old image with the effect's mask, cells or drawing of the new image
// applied over it.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "framework/core/sysutils.h"
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

TvxColor WithAlpha(TvxColor P, uint32_t A) { return (P & 0x00FFFFFF) | A << 24; }

// One pixel of the masked blend: A 0 keeps B, 255 takes F, otherwise every channel (alpha
// included, F's alpha being A) becomes (256 * B + A * (F - B)) >> 8.
TvxColor MaskedPixel(TvxColor F, TvxColor B, uint32_t A) {
  A &= F >> 24;
  if (A == 0) return B;
  return BlendPixel(WithAlpha(F, A), B);
}

#if defined(__SSE2__)
// Four pixels of MaskedPixel, exactly: the 16-bit sums wrap but their true values fit 0..65280.
__m128i MaskedPixels(__m128i F, __m128i B, __m128i A) {
  const __m128i Zero = _mm_setzero_si128();
  A = _mm_and_si128(A, _mm_srli_epi32(F, 24));
  const __m128i FA = _mm_or_si128(_mm_and_si128(F, _mm_set1_epi32(0x00FFFFFF)), _mm_slli_epi32(A, 24));
  const __m128i A2 = _mm_or_si128(A, _mm_slli_epi32(A, 16));
  const __m128i ALo = _mm_unpacklo_epi32(A2, A2), AHi = _mm_unpackhi_epi32(A2, A2);
  auto Half = [&](__m128i F16, __m128i B16, __m128i A16) {
    const __m128i Sum =
        _mm_sub_epi16(_mm_add_epi16(_mm_slli_epi16(B16, 8), _mm_mullo_epi16(A16, F16)), _mm_mullo_epi16(A16, B16));
    return _mm_srli_epi16(Sum, 8);
  };
  const __m128i Lo = Half(_mm_unpacklo_epi8(FA, Zero), _mm_unpacklo_epi8(B, Zero), ALo);
  const __m128i Hi = Half(_mm_unpackhi_epi8(FA, Zero), _mm_unpackhi_epi8(B, Zero), AHi);
  __m128i Result = _mm_packus_epi16(Lo, Hi);
  const __m128i Opaque = _mm_cmpeq_epi32(A, _mm_set1_epi32(255));
  const __m128i Clear = _mm_cmpeq_epi32(A, Zero);
  Result = _mm_or_si128(_mm_and_si128(Opaque, FA), _mm_andnot_si128(Opaque, Result));
  return _mm_or_si128(_mm_and_si128(Clear, B), _mm_andnot_si128(Clear, Result));
}
#endif

void BlendRow(const TvxColor* Old, const TvxColor* New, TvxColor* Out, const Byte* MaskRow, const Integer* Columns,
              Integer Count, bool Contiguous) {
  Integer X = 0;
#if defined(__SSE2__)
  for (; X + 4 <= Count; X += 4) {
    __m128i A;
    if (Contiguous) {
      int32_t Four;
      std::memcpy(&Four, MaskRow + Columns[X], 4);
      A = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(Four), _mm_setzero_si128()), _mm_setzero_si128());
    } else {
      A = _mm_setr_epi32(MaskRow[Columns[X]], MaskRow[Columns[X + 1]], MaskRow[Columns[X + 2]],
                         MaskRow[Columns[X + 3]]);
    }
    const __m128i F = _mm_loadu_si128(reinterpret_cast<const __m128i*>(New + X));
    const __m128i B = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Old + X));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Out + X), MaskedPixels(F, B, A));
  }
#endif
  for (; X < Count; ++X) Out[X] = MaskedPixel(New[X], Old[X], MaskRow[Columns[X]]);
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
  const std::vector<Integer> Columns = CellMap(IW, W, Resolution);
  const std::vector<Integer> Rows = CellMap(IH, H, Resolution);
  // One cell per pixel inside a tile: four mask bytes at a time, unless a tile edge falls inside.
  const bool Contiguous = Resolution == 1 && IW <= W;
  for (Integer Y = 0; Y < IH; ++Y)
    BlendRow(OldImage.Scanline(Y), NewImage.Scanline(Y), Work.Scanline(Y), Mask + size_t(Rows[size_t(Y)]) * size_t(W),
             Columns.data(), IW, Contiguous);
}

void ApplyCells(const TvxBitmap& NewImage, TvxBitmap& Work, const TvxEffectCell* Cells, Integer W, Integer H,
                Integer Resolution, Integer TileCount) {
  const Integer IW = std::min(Work.Width(), NewImage.Width()), IH = std::min(Work.Height(), NewImage.Height());
  const Integer TileW = W * Resolution, TileH = H * Resolution;
  for (Integer TY = 0; TY < TileCount; ++TY)
    for (Integer TX = 0; TX < TileCount; ++TX) {
      const Integer OX = TX * TileW, OY = TY * TileH;
      if (OX >= IW || OY >= IH) continue;
      for (Integer J = 0; J < H; ++J)
        for (Integer I = 0; I < W; ++I) {
          const TvxEffectCell& C = Cells[size_t(J) * size_t(W) + size_t(I)];
          const uint32_t A = C.Alpha & 0xFF;
          if (A == 0) continue;
          for (Integer DY = 0; DY < Resolution; ++DY) {
            const Integer Y = OY + J * Resolution + DY, SY = OY + C.Y * Resolution + DY;
            if (Y >= IH || SY >= IH || C.Y * Resolution + DY >= TileH) continue;
            const TvxColor* Source = NewImage.Scanline(SY);
            TvxColor* Dest = Work.Scanline(Y);
            for (Integer DX = 0; DX < Resolution; ++DX) {
              const Integer X = OX + I * Resolution + DX, SX = OX + C.X * Resolution + DX;
              if (X >= IW || SX >= IW || C.X * Resolution + DX >= TileW) continue;
              const TvxColor S = Source[SX];
              if ((S >> 24) == 0) continue;
              Dest[X] = A == 255 ? S : BlendPixel(WithAlpha(S, A), Dest[X]);
            }
          }
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
  } else if (FItem.Kind == ekFade) {
    FMask.assign(Cells, 0);
    if (Settings.Rotation() != TvxRotation::krNone) FMask2.assign(Cells, 0);
  } else if (FItem.Kind == ekSlide) {
    FCells.assign(Cells, {});
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
  for (Integer Y = 0; Y < FWork->Height(); ++Y) {
    const TvxColor *New = FNew->Scanline(Y), *Old = FOld->Scanline(Y);
    TvxColor* Out = FWork->Scanline(Y);
    for (Integer X = 0; X < FWork->Width(); ++X) Out[X] = (New[X] >> 24) ? New[X] : Old[X];
  }
}

void TvxTransition::Stop() {
  FActive = false;
  FBusy = false;
  FMask = {};
  FMask2 = {};
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
  // The source mask is laid out as the rotation reads it; opacity first, then the turn.
  std::vector<Byte> Opacity(FMask2.size());
  for (size_t I = 0; I < FMask2.size(); ++I) Opacity[I] = BitmapOpacity(FMask2[I], Percent);
  RotateMask(Opacity.data(), FMask.data(), FW, FH, FSettings->Rotation());
  BlendMasked(*FOld, *FNew, *FWork, FMask.data(), FW, FH, FSettings->Resolution(), FSettings->TileCount());
}

void TvxTransition::ApplySlide(Integer Percent) {
  FOld->DrawTo(*FWork, 0, 0);
  const auto Proc = std::get<TvxSlideProc>(FItem.Proc);
  const TvxRotation Rotation = FSettings->Rotation();
  std::fill(FCells.begin(), FCells.end(), TvxEffectCell{});
  if (Rotation == TvxRotation::krNone) {
    Proc(FCells.data(), FW, FH, Percent);
  } else {
    std::fill(FCells2.begin(), FCells2.end(), TvxEffectCell{});
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
  ApplyCells(*FNew, *FWork, FCells.data(), FW, FH, FSettings->Resolution(), FSettings->TileCount());
}

void TvxTransition::ApplyManual(Integer Percent) {
  FOld->DrawTo(*FWork, 0, 0);
  std::get<TvxManualProc>(FItem.Proc)(*FWork, *FNew, *FSettings, Percent);
}
