// What the screen can show, probed once. Windows only.
#pragma once

#include "framework/graphics/pixel_format.h"

// The pixel format of a small device-dependent bitmap compatible with the screen: how deep the
// screen's colours are. pfCustom when the query fails.
TPixelFormat ScreenPixelFormat();
