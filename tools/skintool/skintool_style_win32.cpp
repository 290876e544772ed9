#include "framework/core/exceptions.h"
#include "skintool_style.h"
#include "vexel/msstyles/theme_msux.h"

std::unique_ptr<TvxTheme> LoadStyleTheme(const std::string& FileName) {
  auto Theme = std::make_unique<TVxThemeMsStyles>();
  if (!Theme->LoadFromFile(FileName))
    throw EReadError("Cannot load a visual style from " + FileName + ": its lists name no ini text");
  return Theme;
}
