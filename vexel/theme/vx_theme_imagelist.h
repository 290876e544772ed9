// Glyphs from framework image lists, for the glyph records of controls and themes. Windows only.
#pragma once

#include "framework/core/types.h"

class TCustomImageList;
class TvxBitmap;

// Image Index of ImageList (disabled when not Enabled) on a bitmap of the list's image size,
// pre-filled with the key colour and marked Transparent when the list is masked or draws
// transparently. The bitmap belongs to this unit and is replaced by the next call; nil for a
// nil list. An index outside the list gives the bare key colour.
TvxBitmap* ImageListToBitmap(const TCustomImageList* ImageList, Integer Index, bool Enabled);
