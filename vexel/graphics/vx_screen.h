// What the screen can show, probed once. Windows only.
#pragma once

#include "framework/graphics/pixel_format.h"

// The pixel format of a small device-dependent bitmap compatible with the screen: how deep the
// screen's colours are. pfCustom when the query fails.
TPixelFormat ScreenPixelFormat();

// Makes ScreenPixelFormat answer Format, as on a screen of that depth, until it is called with
// pfDevice, which brings the probed answer back. For tools and tests that show what a program
// does on another screen.
void OverrideScreenPixelFormat(TPixelFormat Format);
