// The platform settings behind vx_utils' keyboard timing.
#include <windows.h>

#include "vexel/graphics/vx_utils_win32.h"

// A failed query leaves the platform's defaults: delay 1, speed 31.
Integer KeyboardDelay() {
  int Delay = 1;
  SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &Delay, 0);
  return KeyboardDelayFromSetting(Delay);
}

Integer KeyboardRepeatInterval() {
  DWORD Speed = 31;
  SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &Speed, 0);
  return KeyboardRepeatIntervalFromSetting(Integer(Speed > 31 ? 31 : Speed));
}
