// The sheet paints through the skin theme, which needs the platform's drawing.
#include "framework/core/exceptions.h"
#include "skintool_sheet.h"

void SkinSheet(const std::vector<std::string>&, std::ostream&) {
  throw Exception("sheet needs the Windows build of skintool");
}
