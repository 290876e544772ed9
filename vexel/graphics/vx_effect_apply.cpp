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
// Four pixels of MaskedPixel, exactly: B + floor(A * (F - B) / 256) equals (256B + A(F - B)) >> 8,
// and the high half of (4(F - B)) * (64 A) is that floor in signed 16-bit lanes. Taking 256 for
// A = 255 makes that case F itself.
[[gnu::always_inline]] inline __m128i MaskedPixels(__m128i F, __m128i B, __m128i A) {
  const __m128i Zero = _mm_setzero_si128();
  A = _mm_and_si128(A, _mm_srli_epi32(F, 24));
  const __m128i FA = _mm_or_si128(_mm_and_si128(F, _mm_set1_epi32(0x00FFFFFF)), _mm_slli_epi32(A, 24));
  const __m128i Weight = _mm_slli_epi32(_mm_sub_epi32(A, _mm_cmpeq_epi32(A, _mm_set1_epi32(255))), 6);
  const __m128i W2 = _mm_or_si128(Weight, _mm_slli_epi32(Weight, 16));
  const __m128i WLo = _mm_unpacklo_epi32(W2, W2), WHi = _mm_unpackhi_epi32(W2, W2);
  const __m128i BLo = _mm_unpacklo_epi8(B, Zero), BHi = _mm_unpackhi_epi8(B, Zero);
  const __m128i DLo = _mm_slli_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(FA, Zero), BLo), 2);
  const __m128i DHi = _mm_slli_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(FA, Zero), BHi), 2);
  const __m128i Lo = _mm_add_epi16(BLo, _mm_mulhi_epi16(DLo, WLo));
  const __m128i Hi = _mm_add_epi16(BHi, _mm_mulhi_epi16(DHi, WHi));
  return _mm_packus_epi16(Lo, Hi);
}

// F where its alpha is not 0 (it is 0 or 255 in a prepared new image), else B.
[[gnu::always_inline]] inline __m128i OpaqueOver(__m128i F, __m128i B) {
  const __m128i Visible = _mm_srai_epi32(F, 31);
  return _mm_or_si128(_mm_and_si128(Visible, F), _mm_andnot_si128(Visible, B));
}
#endif

// Out := New over Old with one opacity byte per pixel in Alpha.
void BlendRow(const TvxColor* Old, const TvxColor* New, TvxColor* Out, const Byte* Alpha, Integer Count) {
  Integer X = 0;
#if defined(__SSE2__)
  for (; X + 4 <= Count; X += 4) {
    uint32_t Four;
    std::memcpy(&Four, Alpha + X, 4);
    const __m128i B = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Old + X));
    __m128i* Into = reinterpret_cast<__m128i*>(Out + X);
    // Most masks have long runs of 0 and 255.
    if (Four == 0) {
      _mm_storeu_si128(Into, B);
      continue;
    }
    const __m128i F = _mm_loadu_si128(reinterpret_cast<const __m128i*>(New + X));
    if (Four == 0xFFFFFFFF) {
      _mm_storeu_si128(Into, OpaqueOver(F, B));
      continue;
    }
    const __m128i A =
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(Four)), _mm_setzero_si128()), _mm_setzero_si128());
    _mm_storeu_si128(Into, MaskedPixels(F, B, A));
  }
#endif
  for (; X < Count; ++X) Out[X] = MaskedPixel(New[X], Old[X], Alpha[X]);
}

// Dest := Source over Dest at opacity A, skipping Source's alpha-0 pixels.
void BlendRun(const TvxColor* Source, TvxColor* Dest, Integer Count, uint32_t A) {
  Integer X = 0;
#if defined(__SSE2__)
  const __m128i A4 = _mm_set1_epi32(int(A));
  for (; X + 4 <= Count; X += 4) {
    const __m128i F = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Source + X));
    const __m128i B = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dest + X));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Dest + X), A == 255 ? OpaqueOver(F, B) : MaskedPixels(F, B, A4));
  }
#endif
  for (; X < Count; ++X) Dest[X] = MaskedPixel(Source[X], Dest[X], A);
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
  const std::vector<Integer> Rows = CellMap(IH, H, Resolution);
  // One cell per pixel inside a single tile: the mask rows are the opacity rows. Otherwise each
  // mask row is stretched once into a row of opacities, used by the Resolution rows it covers.
  const bool Direct = Resolution == 1 && IW <= W;
  std::vector<Integer> Columns;
  std::vector<Byte> Stretched;
  if (!Direct) {
    Columns = CellMap(IW, W, Resolution);
    Stretched.resize(size_t(IW));
  }
  Integer StretchedRow = -1;
  for (Integer Y = 0; Y < IH; ++Y) {
    const Integer Row = Rows[size_t(Y)];
    const Byte* MaskRow = Mask + size_t(Row) * size_t(W);
    if (!Direct && Row != StretchedRow) {
      for (Integer X = 0; X < IW; ++X) Stretched[size_t(X)] = MaskRow[Columns[size_t(X)]];
      StretchedRow = Row;
    }
    BlendRow(OldImage.Scanline(Y), NewImage.Scanline(Y), Work.Scanline(Y), Direct ? MaskRow : Stretched.data(), IW);
  }
}

void ApplyCells(const TvxBitmap& NewImage, TvxBitmap& Work, const TvxEffectCell* Cells, Integer W, Integer H,
                Integer Resolution, Integer TileCount) {
  const Integer IW = std::min(Work.Width(), NewImage.Width()), IH = std::min(Work.Height(), NewImage.Height());
  const Integer TileW = W * Resolution, TileH = H * Resolution;
  for (Integer TY = 0; TY < TileCount; ++TY)
    for (Integer TX = 0; TX < TileCount; ++TX) {
      const Integer OX = TX * TileW, OY = TY * TileH;
      if (OX >= IW || OY >= IH) continue;
      for (Integer J = 0; J < H; ++J) {
        const TvxEffectCell* Row = Cells + size_t(J) * size_t(W);
        for (Integer DY = 0; DY < Resolution; ++DY) {
          const Integer Y = OY + J * Resolution + DY;
          if (Y >= IH) break;
          TvxColor* Dest = Work.Scanline(Y);
          // Runs of cells with one opacity whose sources follow each other in one row are drawn
          // as one piece.
          for (Integer I = 0; I < W;) {
            const TvxEffectCell& C = Row[I];
            const uint32_t A = C.Alpha & 0xFF;
            Integer K = I + 1;
            if (A == 0) {
              I = K;
              continue;
            }
            while (K < W && (Row[K].Alpha & 0xFF) == A && Row[K].Y == C.Y && Row[K].X == C.X + (K - I)) ++K;
            const Integer SourceY = C.Y * Resolution + DY, SY = OY + SourceY;
            const Integer X = OX + I * Resolution, SourceX = C.X * Resolution, SX = OX + SourceX;
            const Integer Count = std::min({(K - I) * Resolution, IW - X, IW - SX, TileW - SourceX});
            if (SourceY < TileH && SY < IH && Count > 0) BlendRun(NewImage.Scanline(SY) + SX, Dest + X, Count, A);
            I = K;
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
    if (Settings.Rotation() != TvxRotation::krNone) FScratch.assign(Cells, 0);
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
  std::memcpy(FWork->Bits(), FOld->Bits(), size_t(FWork->Width()) * size_t(FWork->Height()) * sizeof(TvxColor));
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
  std::memcpy(FWork->Bits(), FOld->Bits(), size_t(FWork->Width()) * size_t(FWork->Height()) * sizeof(TvxColor));
  std::get<TvxManualProc>(FItem.Proc)(*FWork, *FNew, *FSettings, Percent);
}
