// Reads arbitrary bytes as a picture file the editor imports (PNG or BMP by its signature). A
// clean Exception is fine; a crash, a leak, a hang or an unbounded allocation is not. A decoded
// picture must go through masking and the hand-over with its size unchanged.
#include <cstdint>

#include "editor/core/image_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::unique_ptr<TvxBitmap> Picture;
  try {
    Picture = DecodePicture(Data, Size, "fuzz");
  } catch (const Exception&) {
    return 0;
  }
  if (Picture->Empty() || int64_t(Picture->Width()) * Picture->Height() > vxMaxBitmapPixels) __builtin_trap();
  TImageImport Import;
  Import.TakeFromGallery(*Picture);
  Import.ZoomIn();
  Import.PickMaskColor({Picture->Width() - 1, Picture->Height() - 1});
  const std::unique_ptr<TvxBitmap> Taken = Import.HandOver();
  if (!Taken || Taken->Width() != Picture->Width() || Taken->Height() != Picture->Height()) __builtin_trap();
  return 0;
}
