// Reads arbitrary bytes as a stored image. A clean EReadError is fine; a crash, a leak, a hang or
// an unbounded allocation is not. A loaded image must survive a save and reload unchanged.
#include <cstdint>
#include <cstring>

#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_bitmaplist.h"

namespace {

// Decompressing readers cannot tell their size; the first byte picks which kind of stream the
// image is read from, so both paths of the reader are exercised.
class TUnsizedStream : public TBufferStream {
 public:
  using TBufferStream::TBufferStream;
  bool CanSeek() const override { return false; }
};

void LoadAndCheck(TStream& Stream) {
  TvxBitmap Bitmap;
  try {
    Bitmap.LoadFromStream(Stream);
  } catch (const EReadError&) {
    return;
  }
  TMemoryStream Saved;
  Bitmap.SaveToStream(Saved);
  Saved.SetPosition(0);
  TvxBitmap Again;
  Again.LoadFromStream(Saved);
  const size_t Bytes = size_t(Bitmap.Width()) * size_t(Bitmap.Height()) * sizeof(TvxColor);
  if (Again.Name() != Bitmap.Name() || Again.Width() != Bitmap.Width() || Again.Height() != Bitmap.Height() ||
      (Bytes && std::memcmp(Again.Bits(), Bitmap.Bits(), Bytes) != 0))
    __builtin_trap();
  // Whatever the pixels, the per-pixel readers must stay inside the image.
  Bitmap.CheckAlpha();
  Bitmap.RegionRects(0, 0);
  auto Link = Bitmap.CreateLink(Rect(-3, -3, Bitmap.Width() + 3, Bitmap.Height() / 2));
  Link->CheckTransparency(Rect(2, 1, 4, 3));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  if (Data[0] & 1) {
    TUnsizedStream Stream(Data + 1, int64_t(Size - 1));
    LoadAndCheck(Stream);
  } else {
    TBufferStream Stream(Data + 1, int64_t(Size - 1));
    LoadAndCheck(Stream);
  }
  return 0;
}
