// String helpers shared by every layer.
#pragma once

#include <string>
#include <string_view>

// Equal ignoring ASCII letter case, as names in streams, image lists and registries compare.
bool SameText(std::string_view A, std::string_view B);
std::string LowerCase(std::string_view S);
// Letters, digits and underscores, not starting with a digit, not empty.
bool IsValidIdent(std::string_view S);

// The folder of the running program, with a trailing separator. Platform seam.
std::string ExecutableFolder();
