// The values of a visual style's ini text, and the text and list resources of a style file.
// Keywords compare ignoring letter case; "integer" is StrToInt (EConvertError for text that is
// not a number). Portable.
//
// The tokenisers are NextToken and NextItem of vx_utils.h: each takes the text up to its first
// delimiter off the front of a value and trims both the token and the rest.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/core/types.h"
#include "framework/graphics/font.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_utils.h"

class TmsuxModule;

// "true", "1" or "yes".
bool ParseBool(const std::string& Value);
// Three tokens red, green, blue; a missing one counts as 0. Each is taken as a byte.
TColor ParseColor(const std::string& Value);
// Four tokens in the order Left, Right, Top, Bottom; any of them missing or not a number gives
// all zero margins.
TRect ParseMargins(const std::string& Value);
// Two tokens X, Y; a missing one counts as 0.
TPoint ParsePoint(const std::string& Value);
Byte ParseBgType(const std::string& Value);
Byte ParseSizingType(const std::string& Value);
// Only the first token counts.
Byte ParseImageSelectType(const std::string& Value);
Byte ParseImageLayout(const std::string& Value);
Byte ParseGlyphType(const std::string& Value);
Byte ParseHAlign(const std::string& Value);
Byte ParseTextShadowType(const std::string& Value);
// A font written "Name, Size[, bold][, italic][, underline][, strikeout]": the styles go by
// position, whatever the words say.
std::string ParseFontName(const std::string& Value);
Integer ParseFontSize(const std::string& Value);
TFontStyles ParseFontStyle(const std::string& Value);

// An image name as the style's bitmap resources are named: "\" becomes "_", and so does a "."
// followed by "B" or "b" and at least one more character (Blue\Button.bmp -> Blue_Button_bmp);
// trimmed.
std::string NormalizeImageName(const std::string& Value);

// The style's ini text from its UTF-16 (little-endian) resource: " = " becomes "=", the last four
// units are left out, a unit above 0xFF becomes "?" and an odd last byte is ignored.
std::string MsuxIniTextFromUtf16(std::span<const uint8_t> Data);
// A list resource: UTF-16 zero-terminated strings, ended by an empty one. A list without its
// terminator ends where the data ends (a last unterminated string still counts). Only the first
// msuxMaxListEntries count: a theme uses the first entries, and a list of millions of one-letter
// names would take many times the file's size.
constexpr size_t msuxMaxListEntries = 4096;
std::vector<std::string> MsuxStringListFromUtf16(std::span<const uint8_t> Data);
// The list resource Type #1 of a style file; EResNotFound when it has none.
std::vector<std::string> MsuxListResource(const TmsuxModule& Module, const char* Type);
// The ini text held in the TEXTFILE resource named FileResName (an entry of FILERESNAMES);
// EResNotFound when there is none.
std::string MsuxIniText(const TmsuxModule& Module, const std::string& FileResName);

// A style's name from its file: the folder and the extension left out (Luna.msstyles -> Luna,
// a.b.msstyles -> a.b); a name without a dot stays whole.
std::string MsuxStyleName(const std::string& FileName);

// A bitmap resource (a packed DIB: header, palette or masks, pixels; no file header) decoded
// through LoadBmpFile. Damaged data raises EReadError and leaves Bitmap as it was.
void LoadPackedDib(TvxBitmap& Bitmap, std::span<const uint8_t> Data);
// The pixels a packed DIB declares (width times height), read from its header alone; EReadError
// when the header is cut short.
int64_t PackedDibPixels(std::span<const uint8_t> Data);
