// Painting needs the platform's drawing.
#include "framework/core/exceptions.h"
#include "skintool_render.h"

void SkinRender(const std::vector<std::string>&, std::ostream&) {
  throw Exception("render needs the Windows build of skintool");
}
