// skintool render: one top-level object of a skin painted into a PNG, in a chosen state and
// size, as the skin theme and the editor paint it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// render FILE OUT.png --object NAME [--size WxH] [--state STATE] [--active 0|1] [--text TEXT]
// [--design]. Windows only; the native build refuses with one line.
void SkinRender(const std::vector<std::string>& Args, std::ostream& Out);
