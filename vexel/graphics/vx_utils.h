// Small portable helpers shared by the library: stream strings.
#pragma once

#include <string>

#include "framework/core/classes.h"

// A 32-bit length n, then n bytes of single-byte text, no terminator. A negative length or one
// that runs past the end of the stream raises EReadError; nothing is allocated up front for a
// length the stream cannot back.
std::string ReadStreamString(TStream& Stream);
void WriteStreamString(TStream& Stream, const std::string& S);
