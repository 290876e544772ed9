// The import window's work apart from the window: a picture file (PNG or BMP) read into a
// working engine bitmap, the mask colour, pixel picking on the zoomed source view and the image
// handed over on OK. TfrmOpenBitmap owns one TImageImport for its life and mirrors it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "vexel/graphics/vx_bitmap.h"

// Alpha-0 pixels of a handed-over image carry this value.
constexpr TvxColor TransparentMagenta = 0x00FF00FF;
// The zoom buttons stop here: the views are the image size times the scale.
constexpr Integer MaxImportScale = 32;

// The file name without its folder (either separator).
std::string FileNameWithoutFolder(const std::string& FileName);

// A picture of either kind, told by its first bytes rather than its name. A PNG with an alpha
// channel keeps its alpha per pixel (then CheckAlpha); any other picture comes out opaque.
// Damaged or truncated data, an image past the readers' size bounds and anything that is neither
// PNG nor BMP raise EInvalidGraphic or EReadError with the reason.
std::unique_ptr<TvxBitmap> DecodePicture(const uint8_t* Data, size_t Size, const std::string& Name);
// The same from a file, named by the file name without its folder; a file that cannot be
// opened raises EStreamError.
std::unique_ptr<TvxBitmap> LoadPictureFile(const std::string& FileName);

class TImageImport {
 public:
  TImageImport();

  // The working image: empty until something is loaded.
  const TvxBitmap& Image() const { return *FImage; }
  Integer Scale() const { return FScale; }
  TvxColor MaskColor() const { return FMaskColor; }

  // "Load bitmap...": on any error the working image stays as it was.
  void LoadFile(const std::string& FileName);
  // "From Gallery...": pixels, name and flags of Chosen.
  void TakeFromGallery(const TvxBitmap& Chosen);

  // The image pixel under a point of the source view at the scale (halves to even); nothing
  // outside the image.
  std::optional<TPoint> PixelAt(TPoint ViewPoint) const;
  // A click on the source view: the pixel's colour becomes the mask colour. False outside.
  bool PickMaskColor(TPoint ViewPoint);
  // Every pixel opaque, then alpha 0 where red, green and blue equal Color's exactly.
  void ApplyMask(TvxColor Color);
  // "Apply" with the three edits' texts; a text that is not a number from 0 to 255 raises
  // EConvertError and changes nothing.
  void ApplyMask(const std::string& Red, const std::string& Green, const std::string& Blue);

  void ZoomIn();
  void ZoomOut();
  // "100%", "200%" ...
  std::string ScaleText() const;
  // The result view and the stretched source view: the image size times the scale.
  TSize ViewSize() const;

  // OK: alpha-0 pixels become TransparentMagenta and the caller takes the image; nil when
  // nothing was loaded. The working image starts empty again.
  std::unique_ptr<TvxBitmap> HandOver();

 private:
  std::unique_ptr<TvxBitmap> FImage;
  Integer FScale = 1;
  TvxColor FMaskColor = 0;
};
