// Output files that are replaced whole or not at all.
#pragma once

#include <string>

#include "framework/core/classes.h"

// Writes Data to "<FileName>.tmp" beside FileName, then renames it over FileName. When anything
// fails, FileName is left as it was, the temporary file is removed, and an EStreamError says why.
void WriteFileAtomically(const std::string& FileName, const TMemoryStream& Data);
