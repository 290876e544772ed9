// Linked into every program that links the skin library, as an object file so that the linker
// keeps it: the skin theme is known to the theme manager before the program's own code runs, and
// setting a theme engine's ThemeFile to a skin file is all a program needs to do.
#include "vexel/skin/theme_dv3.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {
const bool SkinThemeAnnounced = (RegisterBuiltinThemeClass(TVxSkinFile::StaticThemeClass()), true);
}  // namespace
