// The object trees and theme tables of the generated skin: the window frame and one top-level
// object per control group, with the part names the skin theme looks up.
#pragma once

#include "tools/skingen/skingen_images.h"
#include "vexel/skin/theme_dv3source.h"

namespace skingen {

struct TExpectedObject {
  const char* Name;
  TDvKind Kind;
};
// Every top-level object the generator writes, in order.
extern const TExpectedObject ExpectedObjects[24];

// Adds the objects to Source and binds their links to Source's images (which must be there).
void BuildObjects(TDvSkinSource& Source, const TSkinImages& Pieces);
// Colours, system colours and fonts from the palette.
void BuildTables(TDvSkinSource& Source);
// The whole skin: metadata, images, objects, tables.
void BuildSkin(TDvSkinSource& Source);

}  // namespace skingen
