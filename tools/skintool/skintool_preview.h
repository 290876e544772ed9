// skintool preview: the empty skinned test window on a skin file, without the editor.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// preview FILE [--controls] [--screenshot OUT.png], FILE a skin or a visual style, or preview
// --theme NAME ... for a built-in theme (flat, officexp). Without --screenshot the window stays until it is closed;
// with it, the window is captured to OUT.png once it has painted, and the command ends. Windows
// only; the native build refuses with one line.
void SkinPreview(const std::vector<std::string>& Args, std::ostream& Out);
