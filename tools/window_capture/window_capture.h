// Pictures of windows as the screen shows them, for programs that write screenshots of their own
// windows (skintool preview, the notepad example's pictures).
#pragma once

#include <windows.h>

#include <string>

#include "framework/core/types.h"

class TForm;
class TvxBitmap;

// Handles messages until nothing is animating and no part of Window waits for a paint, for a
// moment long enough that a paint posted by a late message would have come. EWriteError
// "the window did not finish painting in 20 s" when it never settles.
void WaitUntilPainted(TForm& Window);

// The window's frame and all, or its client area alone (for a window whose frame the desktop's
// window manager would draw).
enum class TCaptureArea { caWindow, caClient };

// What the screen shows of the window, fully opaque, into Into. EWriteError when the window has
// no pixels or the screen cannot be read.
void CaptureWindow(HWND Window, TvxBitmap& Into, TCaptureArea Area = TCaptureArea::caWindow);

// Waits until Window has painted and writes what the screen shows of it to FileName as an opaque
// PNG (the file is replaced only once the picture is whole); answers the picture's size.
TPoint WriteWindowPicture(TForm& Window, const std::string& FileName, TCaptureArea Area = TCaptureArea::caWindow);
