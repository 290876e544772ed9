#include <algorithm>
#include <cctype>

#include "framework/core/exceptions.h"
#include "skintool_themes.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

std::string Lower(std::string S) {
  std::transform(S.begin(), S.end(), S.begin(), [](unsigned char C) { return char(std::tolower(C)); });
  return S;
}

}  // namespace

const TvxThemeClass& BuiltinThemeClass(const std::string& Name) {
  std::string Known;
  for (Integer I = 0; I < ThemeClassCount(); ++I) {
    const TvxThemeClass* Class = ThemeClasses(I);
    if (!Class->GetFileInfo().Builtin) continue;
    const std::string ClassName = Lower(Class->GetThemeName());
    if (ClassName == Lower(Name)) return *Class;
    Known += (Known.empty() ? "" : ", ") + ClassName;
  }
  throw EConvertError("Unknown theme \"" + Name + "\"; the built-in themes are " + Known);
}
