// Windows bitmap files (BMP) to engine bitmaps. Portable: the bytes are decoded here, not by
// the platform, so a damaged file is refused with a clear error on every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "vexel/graphics/vx_bitmap.h"

// Decodes a whole BMP file (file header included): 1, 4 and 8 bits with a palette, 16 bits
// (5-5-5, or bit fields), 24 and 32 bits, rows bottom-up or top-down. 32-bit pixels keep their
// alpha and CheckAlpha runs; every other depth comes out opaque. Anything else, or data shorter
// than the headers say, raises EReadError and leaves Bitmap as it was.
void LoadBmpFile(TvxBitmap& Bitmap, const uint8_t* Data, size_t Size);

// The whole file: 32 bits without compression, rows bottom-up, every pixel's four bytes as they
// are (LoadBmpFile reads the same pixels back). An empty bitmap raises EWriteError.
void SaveBmpFile(const TvxBitmap& Bitmap, TStream& Stream);

// FileName replaced whole (see SaveFileReplacing) by SaveBmpFile's file with every alpha 255:
// the pixels as they look on screen, for captures and previews.
void SaveOpaqueBmpFile(const TvxBitmap& Bitmap, const std::string& FileName);
