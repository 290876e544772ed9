// Bitmap links after the images under them changed: each link finds its image again by name.
#pragma once

class TDvSkinObject;
class TvxBitmapList;

// Every link of Object and its descendants points at the image of Images that carries its name,
// with its transparency flags worked out again, or at nothing when no image carries it.
void RebindLinks(TDvSkinObject& Object, const TvxBitmapList& Images);
