// Reads arbitrary bytes as a PNG image. A clean EInvalidGraphic is fine; a crash, a leak, a hang
// or an unbounded allocation is not. A decoded image must survive a write and a second read.
#include <cstdint>

#include "framework/graphics/png_image.h"

namespace {

// The first byte picks a stream that knows its size or one that does not.
class TUnsizedStream : public TBufferStream {
 public:
  using TBufferStream::TBufferStream;
  bool CanSeek() const override { return false; }
};

void DecodeAndCheck(TStream& Stream) {
  TPngPixels Image;
  try {
    Image = ReadPng(Stream);
  } catch (const EInvalidGraphic&) {
    return;
  }
  if (Image.Pixels.size() != size_t(Image.Width) * size_t(Image.Height) ||
      !GraphicSizeAllowed(Image.Width, Image.Height))
    __builtin_trap();
  TMemoryStream Written;
  WritePng(Written, Image.Pixels.data(), Image.Width, Image.Height, Image.HasAlpha);
  Written.SetPosition(0);
  const TPngPixels Again = ReadPng(Written);
  if (Again.Width != Image.Width || Again.Height != Image.Height || Again.Pixels != Image.Pixels) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  if (Data[0] & 1) {
    TUnsizedStream Stream(Data + 1, int64_t(Size - 1));
    DecodeAndCheck(Stream);
  } else {
    TBufferStream Stream(Data + 1, int64_t(Size - 1));
    DecodeAndCheck(Stream);
  }
  return 0;
}
