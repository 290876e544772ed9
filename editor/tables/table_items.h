// How the items of the colour and font lists look: each is drawn into an engine bitmap of the
// item's size and then copied to the list, so an item never flickers and never shows what was
// under it.
#pragma once

#include <string>

#include "framework/core/types.h"
#include "framework/graphics/colors.h"

class TCanvas;
class TFont;

// Where the swatch of a colour item sits in an item Height pixels high.
TRect ColorSwatchRect(Integer Height);
constexpr Integer ColorItemTextLeft = 40, ColorItemTextTop = 7;
// Behind the text of a font item: red 188, green 160, blue 140.
constexpr TColor FontItemBackground = 0x8CA0BC;
// A selected or focused item is washed with the highlight colour at this alpha and framed in it.
constexpr uint8_t ItemHighlightAlpha = 100;

// White item, the swatch filled with Color and framed in black, Name beside it.
void DrawColorItem(TCanvas& Canvas, const TRect& Rect, TColor Color, const std::string& Name, bool Highlighted);
// Two spaces and Name in Font on the font item background, left-aligned and vertically centred.
void DrawFontItem(TCanvas& Canvas, const TRect& Rect, const TFont& Font, const std::string& Name, bool Highlighted);
