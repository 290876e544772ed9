// Native builds have no canvas to draw on: the objects are read, tested and fuzzed there, and
// drawing is left to the Windows build.
#include "vexel/msstyles/theme_msuxobjects.h"

void TmsuxThemeObject::Draw(TCanvas&, const TRect&, Integer, const TRect&) {}
