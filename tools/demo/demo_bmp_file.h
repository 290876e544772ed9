// Saving a TvxBitmap as a .bmp file, so tests and scripts can capture the demo without a screen
// grabber. Portable.
#pragma once

#include <string>

#include "vexel/graphics/vx_bitmap.h"

// A 32-bit bottom-up BMP with every alpha 255, as the pixels look on screen. Raises EWriteError
// when the file cannot be written.
void SaveBmpFile(const TvxBitmap& Bitmap, const std::string& FileName);
