// Without a window system there are no font handles to make or free.
#include "framework/graphics/font.h"

int ScreenPixelsPerInch() { return 96; }

void TFont::DeleteHandle(HFONT) {}
