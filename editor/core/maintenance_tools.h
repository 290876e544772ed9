// Batch tools for preparing skins, each over every object or every image of a skin at once: one
// font face for every font, one colour replaced by another, images of the same name dropped, and
// all images packed into one atlas image. The functions here change only the skin source; the
// Run* commands below add what the editor does around them (messages, selection, modified flag).
// None of them is a step of the history.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/graphics/colors.h"
#include "framework/core/types.h"

class TDvSkinSource;
class TEditorPrompts;
class TFont;
class TSkinDocument;
class TvxBitmap;

// The atlas image's name and the colour its free pixels keep.
constexpr const char* AtlasImageName = "themeimage";

// A colour as the tools compare it: its name ("clBlack", "clWindowText", "clNone", "clDefault")
// or "$" and eight upper-case hexadecimal digits.
std::string ColorText(TColor Color);
// A colour name in any letter case, a decimal integer or "$" hexadecimal; EConvertError for
// anything else.
TColor ParseColorText(const std::string& Text);
// A decimal or "$" hexadecimal integer, spaces around it allowed; EConvertError otherwise.
Integer ParseIntegerText(const std::string& Text);

// Every font of every object (the normal font; the active font of active objects and active
// bitmaps; the four state fonts of text objects) gets Face, and its colour its fixed RGB value.
// Answers how many fonts changed.
Integer ApplyFontFace(TDvSkinSource& Source, const std::string& Face);

// Every object colour whose text form is exactly From becomes To's fixed RGB value; for active
// objects also the active colour, the active font's colour and that of the font the object draws
// with now, for active bitmaps those two font colours. To is parsed before anything changes.
// Answers the number of colours changed.
Integer ReplaceColor(TDvSkinSource& Source, const std::string& From, const std::string& To);

// Of the images with one name (letter case ignored) the first stays; the others leave the list
// and are handed back, still alive, once every link has found its image again by name.
std::vector<std::unique_ptr<TvxBitmap>> RemoveDuplicateImages(TDvSkinSource& Source);

// For each size in order, the first place of an atlas of Width x Height whose pixels no earlier
// place covers, scanning rows from the top and offsets from the left; offsets stop one short of
// the atlas edge, so a size as wide or as tall as the atlas never fits. Nothing when one size
// does not fit.
std::optional<std::vector<TRect>> PlaceInAtlas(const std::vector<TSize>& Sizes, Integer Width, Integer Height);

struct TAtlasResult {
  TvxBitmap* Atlas = nullptr;                    // now the skin's one image; nil when it did not fit
  std::vector<std::unique_ptr<TvxBitmap>> Removed;  // the images it replaced
};

// Packs every image into one new image named AtlasImageName, moves every link that resolved to
// an image onto its place there, and makes it the skin's only image. An atlas size that is not
// positive or beyond the engine's bitmap bounds raises an exception; images that do not all fit
// leave the skin as it was (Atlas nil). Either way nothing has changed when it fails.
TAtlasResult BuildImageAtlas(TDvSkinSource& Source, Integer Width, Integer Height);

// [Commands] Each does nothing without a skin source; the two image tools nothing without an
// image. Conversion errors of the texts pass as exceptions before anything changed.
void RunChangeFont(TSkinDocument& Document, const TFont& Chosen);
void RunChangeColor(TSkinDocument& Document, TEditorPrompts& Prompts, const std::string& From, const std::string& To);
void RunRemoveDuplicateImages(TSkinDocument& Document, TEditorPrompts& Prompts);
void RunOptimizeImages(TSkinDocument& Document, TEditorPrompts& Prompts, const std::string& Width,
                       const std::string& Height);
