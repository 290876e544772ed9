// Bitmap resources linked into the program (.rc files). Windows only.
#pragma once

#include "framework/graphics/bitmap.h"

// The program's bitmap resource Name into Into; false, leaving Into as it was, when the program
// has none or it does not read as a bitmap.
bool LoadBitmapResource(const char* Name, TBitmap& Into);
