// Linked into every program that links the theme library, as an object file so that the linker
// keeps it: the built-in themes are known to the theme manager before the program's own code runs,
// and a theme engine's ThemeBuilding finds them by name.
#include "vexel/theme/theme_officexp.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {
const bool FlatThemesAnnounced = (RegisterBuiltinThemeClass(TVxFlatTheme::StaticThemeClass()),
                                  RegisterBuiltinThemeClass(TVxOfficeXPTheme::StaticThemeClass()), true);
}  // namespace
