// One transition without a window: the state of a scheduler slot and the frames it renders. The
// scheduler (Windows) draws Work() on its canvas after each Step; tests and benchmarks drive it
// directly.
#pragma once

#include <memory>
#include <vector>

#include "vexel/graphics/vx_effect.h"

// Source of the bitmap animation's mask: Settings.Bitmap stretched to W x H cells (H x W for a
// quarter turn), one blue byte per cell, rows top-down. False when there is no bitmap. Windows
// only; the native build has no framework bitmap and answers false.
bool MakeBitmapMask(const TvxAnimationRec& Settings, Integer W, Integer H, std::vector<Byte>& Mask);

class TvxTransition {
 public:
  TvxTransition();
  ~TvxTransition();

  // Copies the settings and both images and prepares the buffers. False, leaving the transition
  // inactive, when an image is empty, the effect is unknown or has no procedure, or the bitmap
  // animation has no bitmap.
  bool Start(const TvxAnimationRec& Settings, const TvxBitmap& NewImage, const TvxBitmap& OldImage);
  // As Start, the bitmap animation taking BitmapMask as its source (W x H cells, H x W for a
  // quarter turn); other effects ignore it.
  bool StartWithMask(const TvxAnimationRec& Settings, const TvxBitmap& NewImage, const TvxBitmap& OldImage,
                     std::vector<Byte> BitmapMask);
  // Advances by one tick and renders the frame into Work; returns the frame's percent (100 ends
  // the transition, which the caller then stops).
  Integer Step();
  // Renders the frame for Percent into Work: the old image, then the effect.
  void RenderFrame(Integer Percent);
  // The end state: the new image over the old one, its key pixels showing the old image.
  void RenderFinal();
  // Frees the buffers and images.
  void Stop();

  bool Active() const { return FActive; }
  bool Busy() const { return FBusy; }
  void SetBusy(bool Value) { FBusy = Value; }
  float Elapsed() const { return FElapsed; }
  const TvxBitmap& Work() const { return *FWork; }
  // Mask size in cells.
  Integer MaskWidth() const { return FW; }
  Integer MaskHeight() const { return FH; }
  // The fade or bitmap mask of the last frame (W x H bytes), for tests.
  const std::vector<Byte>& Mask() const { return FMask; }

 private:
  bool Prepare(const TvxAnimationRec& Settings, const TvxBitmap& NewImage, const TvxBitmap& OldImage);
  void ApplyFade(Integer Percent);
  void ApplyBitmap(Integer Percent);
  void ApplySlide(Integer Percent);
  void ApplyManual(Integer Percent);

  Integer FW = 0, FH = 0;
  std::vector<Byte> FMask;
  // Rotation buffer of fade effects; the bitmap animation's source mask.
  std::vector<Byte> FMask2;
  // The bitmap animation's opacities before a turn.
  std::vector<Byte> FScratch;
  std::vector<TvxEffectCell> FCells;
  // FCells is all zero (ApplyCells leaves it so).
  bool FCellsEmpty = false;
  std::vector<TvxEffectCell> FCells2;
  bool FActive = false;
  bool FBusy = false;
  float FElapsed = 0;
  bool FBitmapAnimation = false;
  TvxProcItem FItem;
  std::unique_ptr<TvxAnimationRec> FSettings;
  std::unique_ptr<TvxBitmap> FNew, FOld, FWork;
};

// [Applying a mask] The pieces of a frame, shared with the benchmarks.

// Mask turned by Rotation into W x H cells; Source is H x W for a quarter turn.
void RotateMask(const Byte* Source, Byte* Mask, Integer W, Integer H, TvxRotation Rotation);
// Work := NewImage over OldImage with the W x H Mask as opacity, the mask stretched over each of
// TileCount x TileCount tiles of Resolution*W x Resolution*H pixels; NewImage's alpha-0 pixels
// show the old image. All three images have one size.
void BlendMasked(const TvxBitmap& OldImage, const TvxBitmap& NewImage, TvxBitmap& Work, const Byte* Mask, Integer W,
                 Integer H, Integer Resolution, Integer TileCount);
// Work := OldImage with the W x H cells' blocks of NewImage over it, the cells repeated over
// TileCount x TileCount tiles of Resolution*W x Resolution*H pixels. All three images have one
// size (else Work is left alone). Leaves every cell empty (zero), as an effect procedure is
// handed them.
void ApplyCells(const TvxBitmap& OldImage, const TvxBitmap& NewImage, TvxBitmap& Work, TvxEffectCell* Cells, Integer W,
                Integer H, Integer Resolution, Integer TileCount);
// Opacity of the bitmap animation for one cell of the source mask.
constexpr Byte BitmapOpacity(Byte MaskValue, Integer Percent) {
  const Integer A = MaskValue + 510 * Percent / 100 - 255;
  return Byte(A < 0 ? 0 : A > 255 ? 255 : A);
}
