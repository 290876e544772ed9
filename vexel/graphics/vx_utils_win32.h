// The Windows half of vx_utils: drawing and wide-text helpers on a device context, and the
// keyboard timing the platform is set to.
//
// Colours are framework colours, system colours included. Every helper leaves the DC's selected
// pen and brush and its background mode as it found them; only LineToColor moves the current
// position, as a line does. Helpers that need a temporary engine bitmap draw nothing when that
// bitmap cannot be made; none of them throws.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/graphics/colors.h"
#include "vexel/graphics/vx_utils.h"

// [Fills and outlines]
void FillRectColor(HDC DC, const TRect& R, TColor Color);
void FillRectXY(HDC DC, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color);
// A one-pixel outline on R's inner edge.
void FrameRectColor(HDC DC, const TRect& R, TColor Color);
void FrameRectXY(HDC DC, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color);
// A one-pixel ring on R's inner edge: left and top in TopLeft (without the bottom-left and
// top-right corners), right and bottom in BottomRight.
void DrawBevel(HDC DC, const TRect& R, TColor TopLeft, TColor BottomRight);
void LineToColor(HDC DC, Integer X, Integer Y, TColor Color);
void DrawFocusRectColor(HDC DC, const TRect& R, TColor Color);
void FrameRoundRect(HDC DC, const TRect& R, Integer Corner, TColor Color);
void FillRoundRect(HDC DC, const TRect& R, Integer Corner, TColor Color);
void FramePolygon(HDC DC, const std::vector<TPoint>& Points, TColor Color);
void FillPolygon(HDC DC, const std::vector<TPoint>& Points, TColor Color);
// A checkerboard: Color2 where x + y is even (device pixels), Color1 elsewhere.
void FillDither(HDC DC, const TRect& R, TColor Color1, TColor Color2);
void FillPolygonDither(HDC DC, const std::vector<TPoint>& Points, TColor Color1, TColor Color2);
// Bands from FromColor toward ToColor: at most 255 of them, one pixel each when R is narrower
// (shorter, when Vertical) than that; the last band visible is one step short of ToColor.
void FillGradient(HDC DC, const TRect& R, TColor FromColor, bool Vertical, TColor ToColor);
// The platform's frame control (DFC_* Type, DFCS_* State), drawn flat, with its glyph's strokes
// (also the smoothed grey ones) in Color and nothing else drawn: the background shows through.
void DrawFrameControlColor(HDC DC, const TRect& R, UINT Type, TColor Color, UINT State);
// Icon at its own size at the top-left of a 16 x 16 box centred in R; nothing for nil.
void DrawIconCentered(HDC DC, const TRect& R, HICON Icon);
// The frame around Wnd's client area, painted by Paint on a context of the whole window with the
// client area clipped out. Frame is the window's rectangle, reaching 2 pixels beyond a window
// without a border, where only the clipped rest of a frame shows.
void PaintNonClientFrame(HWND Wnd, const std::function<void(HDC DC, const TRect& Frame)>& Paint);

// [Wide text] On a transparent background, in the DC's font and text colour. The NT family
// draws the wide text itself; older systems get it converted to the system code page.
// DrawTextWide answers the text height and updates R as DrawText does (DT_CALCRECT).
// DT_MODIFYSTRING is ignored: Text is never written to.
Integer DrawTextWide(HDC DC, const std::wstring& Text, TRect& R, UINT Format);
void TextOutWide(HDC DC, const std::wstring& Text, Integer X, Integer Y);
// Format 0: the extent of the wide text. Otherwise the right edge DrawText's DT_CALCRECT
// measures with Format for the text in the system code page.
Integer TextWidthWide(HDC DC, const std::wstring& Text, UINT Format = 0);
Integer TextHeightWide(HDC DC, const std::wstring& Text);
// Text in the DC's font turned a quarter turn into R (its baseline running down when
// Clockwise, up otherwise); drawn in black. Answers the height of the upright text.
Integer DrawRotatedText(HDC DC, const std::wstring& Text, const TRect& R, bool Clockwise, UINT Format);
// Text cut to MaxWidth with "..." appended when it does not fit; "..." alone when not even one
// character fits with it. A surrogate pair counts as one character.
std::wstring EllipsisText(HDC DC, const std::wstring& Text, Integer MaxWidth);
// S in CodePage, falling back to the system code page; "?" per byte when neither converts it.
std::wstring AnsiToWideCP(UINT CodePage, const std::string& S);

// [Keyboard timing] From the platform's settings, in milliseconds.
Integer KeyboardDelay();
Integer KeyboardRepeatInterval();
