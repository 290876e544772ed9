// skintool sheet: a contact sheet of a skin painted through the skin theme, so that a designer
// can judge the whole skin from one picture: the window frame active and inactive, every title
// button and every control group the theme defines, each in each of its states, labelled.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "framework/core/types.h"

class TvxBitmap;
class TvxTheme;

// One painted sample: what it shows and where.
struct TSheetCell {
  std::string Group;
  std::string Label;
  TRect Rect;
};

struct TSkinSheet {
  // Key colour wherever nothing was painted; labels on white strips outside the cells.
  std::unique_ptr<TvxBitmap> Image;
  std::vector<TSheetCell> Cells;
};

// Key: every sample on the key colour, so that what a part paints can be told from what it
// leaves clear. Window: each sample on what it stands on in a window (title buttons on the
// caption bar, controls on the client background), since see-through and blended pixels only
// look right there.
enum class TSheetBackground { Key, Window };

// Windows only: every group the theme (a skin or a built-in theme) defines with the object name
// "default".
TSkinSheet PaintSkinSheet(TvxTheme& Theme, TSheetBackground Background);

// sheet FILE OUT.png, or sheet --theme NAME OUT.png for a built-in theme (flat, officexp). The
// native build refuses with one line.
void SkinSheet(const std::vector<std::string>& Args, std::ostream& Out);
