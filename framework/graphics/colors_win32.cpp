#include <windows.h>

#include "framework/graphics/colors.h"

uint32_t SystemColorRGB(int Index) { return GetSysColor(Index); }
