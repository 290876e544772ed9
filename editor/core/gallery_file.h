// The gallery: pictures kept beside the program for use in any skin, in "gallery.res" (a 4-byte
// signed little-endian count, then that many engine bitmaps in their stream form, names
// included). TfrmGal owns one TGallery for its life: read when it opens, written when it closes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "vexel/graphics/vx_bitmap.h"

constexpr const char* GalleryFileName = "gallery.res";
// The gallery file beside the running program.
std::string GalleryFilePath();

class TGallery {
 public:
  Integer Count() const { return Integer(FImages.size()); }
  // Nil outside 0..Count-1: the grid's current column may lie past the last image.
  TvxBitmap* Image(Integer Index) const;
  // The gallery owns it from now on.
  TvxBitmap* Add(std::unique_ptr<TvxBitmap> Image);
  // "Add Image": a picture file loaded as the import window loads one; on error nothing is added.
  TvxBitmap* AddPictureFile(const std::string& FileName);

  // Replaces the images with those of Stream, each masked by the key colour (within 5 in every
  // channel) and its alpha checked. A negative count, a count the rest of the stream cannot hold,
  // or a damaged image raises EReadError naming the file, and the gallery is left empty.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;
  // A missing file gives an empty gallery without an error.
  void LoadFromFile(const std::string& FileName);
  // Written beside the file and renamed over it, so a failed write keeps the old gallery. A file
  // this gallery could not read is first copied to "<FileName>.damaged": closing the gallery
  // rewrites the file, and what could still be saved from it is not lost with it.
  void SaveToFile(const std::string& FileName);

 private:
  std::vector<std::unique_ptr<TvxBitmap>> FImages;
  std::string FDamagedFile;
};
