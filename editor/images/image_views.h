// What the image windows draw: an engine bitmap on the key-colour backdrop (the images page, the
// import window's source view, the link editor), and on the checkerboard of the import window's
// result view. Windows only.
#pragma once

#include "framework/graphics/bitmap.h"
#include "vexel/graphics/vx_bitmap.h"

// Red 127, green 0, blue 127 as a framework colour.
constexpr TColor KeyBackdropColor = 0x007F007F;

// Target becomes Image's size, filled with the key colour, with Image drawn on it with its
// transparency. An empty Image empties Target.
void DrawOnKeyBackdrop(const TvxBitmap& Image, TBitmap& Target);

// A dotted line inverted with Color (every other pixel from From on, To itself left out, as the
// platform's own dotted lines run); pixels outside Target are skipped. Target is 32-bit.
void XorDottedLine(TBitmap& Target, TPoint From, TPoint To, TColor Color);

// Image alpha-blended over a checkerboard of 8 x 8 squares: white where the square's column and
// row indexes add up to an even number, grey 176 elsewhere. The result is opaque.
void DrawOnCheckerboard(const TvxBitmap& Image, TvxBitmap& Target);
