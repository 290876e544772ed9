// Image files written by skintool export: 32-bit PNG and BMP encodings of engine bitmaps, and
// file names made from image names.
#pragma once

#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "vexel/graphics/vx_bitmap.h"

// RGBA, 8 bits per channel, straight alpha exactly as stored. EWriteError when libpng refuses.
void EncodePng(const TvxBitmap& Image, TMemoryStream& Out);
// BITMAPFILEHEADER, BITMAPINFOHEADER (32 bits, no compression), rows bottom-up, bytes B G R A.
void EncodeBmp(const TvxBitmap& Image, TMemoryStream& Out);

// One file name per image name, each ending in Extension (".png"): characters other than
// A-Z a-z 0-9 _ . - become "_", an empty name becomes "image<index>", names the platform
// reserves get a "_", and names equal to an earlier one (letter case ignored, as Windows
// compares them) get "_2", "_3", ...
std::vector<std::string> ImageFileNames(const std::vector<std::string>& ImageNames, const std::string& Extension);
