// The colours of the sample style, in one place so images and ini values agree: slate greys with
// a quiet teal accent. Pixels are 0xAARRGGBB.
#pragma once

#include "vexel/graphics/vx_pixel.h"

namespace msstylegen {

struct TPalette {
  // Window frame.
  static constexpr TvxColor CaptionTop = 0xFF557A88, CaptionBottom = 0xFF3D5C69;
  static constexpr TvxColor CaptionTopInactive = 0xFFD0D8DC, CaptionBottomInactive = 0xFFBAC5CA;
  static constexpr TvxColor FrameOutline = 0xFF2A3F48, FrameOutlineInactive = 0xFF8D9BA2;
  static constexpr TvxColor FrameInner = 0xFF31495A, FrameInnerInactive = 0xFFA3AFB5;
  static constexpr TvxColor CaptionText = 0xFFFFFFFF, InactiveCaptionText = 0xFF4E5E66;
  static constexpr TvxColor CaptionButtonHot = 0xFF6FA9A5, CaptionGlyphSurface = 0xFF587480;
  static constexpr TvxColor GlyphDisabledOnCaption = 0xFFA9B6BC;
  static constexpr TvxColor Close = 0xFFC2564C, CloseHot = 0xFFD8685D, CloseDark = 0xFF9E4037;
  // Surfaces.
  static constexpr TvxColor BtnFace = 0xFFECEFF1, Panel = 0xFFE4E9EC, PanelDark = 0xFFD8DFE3;
  static constexpr TvxColor Window = 0xFFFFFFFF, Field = 0xFFFFFFFF, FieldShade = 0xFFF2F5F6;
  static constexpr TvxColor FieldDisabled = 0xFFF1F3F4, FieldReadOnly = 0xFFF7F8F9;
  static constexpr TvxColor ExplorerBottom = 0xFFF7FAFA;
  // Lines.
  static constexpr TvxColor Line = 0xFFA5B3BA, LineSoft = 0xFFC7D0D5, LineDisabled = 0xFFD4DADD;
  static constexpr TvxColor Shade = 0xFF7D8C94, BtnShadow = 0xFFA0ACB2;
  // Accent.
  static constexpr TvxColor Accent = 0xFF3E8E8A, AccentDark = 0xFF2D6F6B, AccentTop = 0xFF5EAAA5;
  static constexpr TvxColor AccentLight = 0xFFD3EAE8, AccentPale = 0xFFEAF5F4, AccentSoft = 0xFFBADDDA;
  static constexpr TvxColor AccentBorder = 0xFF79B4B0;
  // Button faces.
  static constexpr TvxColor FaceTop = 0xFFFCFDFD, FaceBottom = 0xFFE3E8EB;
  static constexpr TvxColor HotTop = 0xFFF7FCFB, HotBottom = 0xFFD8ECEA;
  static constexpr TvxColor PressedTop = 0xFFC3DFDC, PressedBottom = 0xFFD6EAE8;
  static constexpr TvxColor DisabledTop = 0xFFF4F6F7, DisabledBottom = 0xFFECEFF1;
  // Scroll bars, troughs.
  static constexpr TvxColor Track = 0xFFEEF1F3, TrackHot = 0xFFE6EBEE, TrackPressed = 0xFFDCE3E7;
  static constexpr TvxColor TrackEdge = 0xFFDDE3E6;
  static constexpr TvxColor TrackButtonTop = 0xFFF8FAFA, TrackButtonBottom = 0xFFE8EDEF;
  static constexpr TvxColor ThumbTop = 0xFFD3DBDF, ThumbBottom = 0xFFC3CDD2, ThumbBorder = 0xFFA3B1B8;
  static constexpr TvxColor ThumbGrip = 0xFF8595A0;
  static constexpr TvxColor TroughTop = 0xFFDFE5E8, TroughBottom = 0xFFF1F4F5;
  // Text and glyphs.
  static constexpr TvxColor Text = 0xFF1E2A30, TextDisabled = 0xFF9AA5AB, Glyph = 0xFF44545C;
  // Menus and selection.
  static constexpr TvxColor Menu = 0xFFF7F8F9, MenuHilight = 0xFF4F9A96, MenuHilightTop = 0xFF65AAA6;
  static constexpr TvxColor Highlight = 0xFF3E8E8A, HighlightText = 0xFFFFFFFF;
};

}  // namespace msstylegen
