#include "vexel/graphics/vx_resource.h"

#include <windows.h>

bool LoadBitmapResource(const char* Name, TBitmap& Into) {
  try {
    Into.LoadFromResourceName(nullptr, Name);
  } catch (const Exception&) {
    return false;
  }
  return true;
}
