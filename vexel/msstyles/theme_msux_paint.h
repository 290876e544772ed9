// Drawing steps the style theme's groups share. Internal to the style library.
#pragma once

#include <string>

#include "vexel/msstyles/theme_msux.h"
#include "vexel/theme/vx_theme_paint.h"

// The object of a slot drawn over R with frame Frame; a missing object or a frame below 1 paints
// nothing.
inline void DrawSlot(const TVxThemeMsStyles& Theme, TmsuxObjectSlot Slot, TCanvas& Canvas, const TRect& R,
                     Integer Frame) {
  if (Frame < 1) return;
  if (TmsuxThemeObject* O = Theme.Object(Slot)) O->Draw(Canvas, R, Frame, TRect{});
}

inline bool SlotExists(const TVxThemeMsStyles& Theme, TmsuxObjectSlot Slot) { return Theme.Object(Slot) != nullptr; }

inline bool SlotHasProperties(const TVxThemeMsStyles& Theme, TmsuxObjectSlot Slot) {
  return TmsuxThemeObject::HasProperties(Theme.Object(Slot));
}

// Caption text cut to Width: whole when it fits, otherwise the longest prefix that still leaves
// room for one more character before "...", followed by "...".
std::wstring MsuxShortenCaption(HDC DC, const std::wstring& Text, Integer Width);

// A frame number from a table indexed by a state byte; 0 (nothing) beyond the table.
template <size_t N>
Integer FrameFor(const Integer (&Table)[N], Byte State) {
  return State < N ? Table[State] : 0;
}
