#include "framework/core/exceptions.h"
#include "skintool_preview.h"

void SkinPreview(const std::vector<std::string>&, std::ostream&) {
  throw Exception("preview needs the Windows build of skintool");
}
