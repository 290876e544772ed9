// String helpers shared by every layer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Equal ignoring ASCII letter case, as names in streams, image lists and registries compare.
bool SameText(std::string_view A, std::string_view B);
std::string LowerCase(std::string_view S);
std::string UpperCase(std::string_view S);
// Without leading and trailing spaces and control characters.
std::string Trim(std::string_view S);
// A decimal number with an optional sign, or hexadecimal after "$" or "0x"; it must fit 32 bits.
// Anything else (also empty text or surrounding spaces) raises EConvertError
// "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view S);
// Letters, digits and underscores, not starting with a digit, not empty.
bool IsValidIdent(std::string_view S);

// The folder of the running program, with a trailing separator. Platform seam.
std::string ExecutableFolder();
