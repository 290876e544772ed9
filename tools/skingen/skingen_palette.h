// The colours of the generated skin, in one place so the images, the objects and the theme
// tables agree. Pixels are 0xAARRGGBB.
#pragma once

#include "vexel/graphics/vx_pixel.h"

namespace skingen {

constexpr const char* SkinName = "Pellan Slate";

struct TPalette {
  // Window frame, active and inactive.
  static constexpr TvxColor CaptionTop = 0xFF566A80, CaptionBottom = 0xFF3D4D60;
  static constexpr TvxColor CaptionTopInactive = 0xFFB4BDC7, CaptionBottomInactive = 0xFFA1ABB6;
  static constexpr TvxColor FrameOutline = 0xFF27313C, FrameOutlineInactive = 0xFF7D8894;
  static constexpr TvxColor FrameInner = 0xFF2F3A46, FrameInnerInactive = 0xFF8E99A5;
  static constexpr TvxColor CaptionText = 0xFFFFFFFF, CaptionTextInactive = 0xFF4A5561;
  // Surfaces.
  static constexpr TvxColor Window = 0xFFF4F6F8, Panel = 0xFFE9EDF1, PanelDark = 0xFFDCE2E8;
  static constexpr TvxColor Field = 0xFFFFFFFF, FieldDisabled = 0xFFF0F2F4;
  // Lines.
  static constexpr TvxColor Line = 0xFFA9B4C0, LineSoft = 0xFFCBD3DB, LineDisabled = 0xFFD3D8DD;
  static constexpr TvxColor Shade = 0xFF7C8895;
  // Accent.
  static constexpr TvxColor Accent = 0xFF3A84CF, AccentDark = 0xFF2A67A8, AccentLight = 0xFFDCEAF8;
  static constexpr TvxColor AccentPale = 0xFFEEF5FC, AccentTop = 0xFF5C9EE0;
  // Button faces.
  static constexpr TvxColor FaceTop = 0xFFFFFFFF, FaceBottom = 0xFFE6EBF0;
  static constexpr TvxColor HotTop = 0xFFF7FBFF, HotBottom = 0xFFDCEAF8;
  static constexpr TvxColor PressedTop = 0xFFC9DBEE, PressedBottom = 0xFFDCE8F5;
  static constexpr TvxColor DisabledTop = 0xFFF4F5F7, DisabledBottom = 0xFFECEFF2;
  // Text and glyphs.
  static constexpr TvxColor Text = 0xFF1F2933, TextDisabled = 0xFF9AA4AE, Glyph = 0xFF4B5866;
  static constexpr TvxColor Close = 0xFFD6534C, CloseDark = 0xFFB23E38;
  static constexpr TvxColor HintTop = 0xFFFFFFFF, HintBottom = 0xFFF1F5F9;
};

}  // namespace skingen
