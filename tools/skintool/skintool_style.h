// Visual-style files (".msstyles") on skintool's command line: info reads them anywhere; the
// contact sheet and the preview paint through them on Windows.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

class TvxTheme;

// By the extension ".msstyles" (any case), else by the "MZ" that starts every module file.
bool IsStyleFile(const std::string& FileName);

// info FILE for a style file: its name, lists, ini text, the sections a style theme reads and
// its images.
void StyleInfo(const std::string& FileName, std::ostream& Out);

// Windows: the style loaded as a theme; a refusal in one line when it does not load.
std::unique_ptr<TvxTheme> LoadStyleTheme(const std::string& FileName);
