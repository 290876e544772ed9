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

// Tells the system that the Size bytes at Data are one large block about to be filled, so that it
// backs them with large pages where it can: tens of megabytes then cost a few page faults
// instead of thousands. Only a hint; nothing changes for the caller. Platform seam.
void AdviseLargeBlock(void* Data, size_t Size);
