// Pictures of windows as the screen shows them, for programs that write screenshots of their own
// windows (skintool preview, the notepad example's pictures).
#pragma once

#include <windows.h>

class TForm;
class TvxBitmap;

// Handles messages until nothing is animating and no part of Window waits for a paint, for a
// moment long enough that a paint posted by a late message would have come. EWriteError
// "the window did not finish painting in 20 s" when it never settles.
void WaitUntilPainted(TForm& Window);

// What the screen shows of the window, frame and all, fully opaque, into Into. EWriteError when
// the window has no pixels or the screen cannot be read.
void CaptureWindow(HWND Window, TvxBitmap& Into);
