// The built-in themes drawn in code, named on skintool's command line (--theme flat|officexp).
#pragma once

#include <memory>
#include <string>

class TvxTheme;
struct TvxThemeClass;

// The built-in theme class called Name, letter case ignored; a refusal naming the known ones
// otherwise. Windows only.
const TvxThemeClass& BuiltinThemeClass(const std::string& Name);
