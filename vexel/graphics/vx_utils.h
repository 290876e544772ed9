// Small portable helpers shared by the library: rectangle arithmetic, point-in-polygon, string
// tokenisers, stream strings and keyboard timing. The drawing and wide-text helpers that need a
// device context are in vx_utils_win32.h.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/classes.h"
#include "framework/core/types.h"

// [Rectangles] Results that would leave the 32-bit range saturate instead of wrapping.
Integer RectWidth(const TRect& R);
Integer RectHeight(const TRect& R);
bool RectIsEmpty(const TRect& R);
// R moved so that it sits centred in Within (halves rounded toward zero); its size stays.
TRect CenterRect(const TRect& R, const TRect& Within);
// R moved to Within's left edge and centred vertically in it.
TRect CenterRectVertically(const TRect& R, const TRect& Within);
TRect InflateRectBy(const TRect& R, Integer N);
// Margins holds the four amounts by which the sides move inward.
TRect DeflateRectByMargins(const TRect& R, const TRect& Margins);
// Inner lies completely inside Outer; edges may coincide.
bool RectContains(const TRect& Inner, const TRect& Outer);
bool RectsEqual(const TRect& A, const TRect& B);

// Winding fill rule. A point stands for the pixel whose top-left corner it is and is tested at
// that pixel's centre, so the polygon of a rectangle's corners contains exactly the points the
// TRect contains. Fewer than three points enclose nothing.
bool PointInPolygon(const TPoint& P, const std::vector<TPoint>& Points);

// [Tokenisers] Each takes the text up to the first delimiter off the front of S (the delimiter
// is dropped too), then trims spaces and control characters from both the token and the rest.
// NextToken's delimiters are the space and ( ) , : ; =
using TCharSet = std::bitset<256>;
TCharSet MakeCharSet(std::string_view Chars);
std::string NextToken(std::string& S);
std::string NextItem(std::string& S, std::string_view Separator);
std::string NextItemOfSet(std::string& S, const TCharSet& Chars);

// [Stream strings] A 32-bit length n, then n bytes of single-byte text, no terminator. A negative
// length or one that runs past the end of the stream raises EReadError; nothing is allocated up
// front for a length the stream cannot back.
std::string ReadStreamString(TStream& Stream);
void WriteStreamString(TStream& Stream, const std::string& S);
// A 32-bit size, then that many bytes. Reading copies in chunks, so a stream that cannot tell
// its size never makes the claimed size be allocated at once; a negative or unbacked size
// raises "Stream read error".
void ReadStreamBlock(TStream& Stream, TMemoryStream& Into);
void WriteStreamBlock(TStream& Stream, const TMemoryStream& Block);

// [Keyboard timing] From the platform's settings: delay 0..3, speed 0..31; values outside are
// taken as the nearest end. Both answer milliseconds.
Integer KeyboardDelayFromSetting(Integer Delay);
Integer KeyboardRepeatIntervalFromSetting(Integer Speed);
