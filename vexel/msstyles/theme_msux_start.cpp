// Linked into every program that links the visual-style library, as an object file so that the
// linker keeps it: the theme is known to the theme manager before the program's own code runs, so
// a style file given to the manager or a theme engine loads. The announcement waits for the
// manager to be made, as the skin theme's does: making it here would open its window before the
// program starts.
#include "vexel/msstyles/theme_msux.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {
const bool StyleThemeAnnounced = (RegisterBuiltinThemeClass(TVxThemeMsStyles::StaticThemeClass()), true);
}  // namespace
