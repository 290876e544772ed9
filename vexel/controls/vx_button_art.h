// Pieces the button-like controls share: a glyph strip's cell as an engine bitmap, the classic
// caption, and caption accelerators. Windows only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/imagelist.h"
#include "vexel/graphics/vx_bitmap.h"

// How a glyph cell is coloured.
enum class TGlyphLook {
  Normal,
  Grey,          // black and white: each pixel's lightness
  DisabledGrey,  // a single glyph of a disabled button: light grey from each pixel's lightness
};

// The glyph strip a button shows and how to read it: the button's own Glyph when it has pixels
// (NumGlyphs images side by side, keyed by its bottom-left pixel), else image ImageIndex of Images
// drawn on magenta into Scratch (one image, keyed by magenta), else none (Strip nil).
struct TButtonGlyph {
  const TBitmap* Strip = nullptr;
  Integer Cells = 1;
  std::optional<TColor> Key;
  // One image's size; 0 x 0 without a strip.
  TSize CellSize() const;
};
TButtonGlyph ButtonGlyph(const TBitmap& Glyph, Integer NumGlyphs, const TCustomImageList* Images, Integer ImageIndex,
                         TBitmap& Scratch);
// ButtonGlyph's CellSize, without drawing the list's image.
TSize ButtonGlyphSize(const TBitmap& Glyph, Integer NumGlyphs, const TCustomImageList* Images, Integer ImageIndex);

// Cell Cell (CellSize wide, counted from 0) of Strip as an alpha bitmap: pixels of the key colour
// (Key, else the strip's bottom-left pixel) are left transparent.
void GlyphCellBitmap(const TBitmap& Strip, Integer Cell, TSize CellSize, TGlyphLook Look, TvxBitmap& Into,
                     std::optional<TColor> Key = std::nullopt);

// Transparent text; disabled text raised in highlight, then in shadow, as the classic look draws it.
void DrawCaptionText(HDC DC, const std::wstring& Text, const TRect& R, UINT Format, bool Disabled, TColor FontColor);

// Whether the typed character Char is the accelerator ("&x") of Caption, letter case ignored.
bool IsAccelerator(const std::string& Caption, uintptr_t Char);
