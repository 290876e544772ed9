// Reads arbitrary bytes as a binary component stream. A clean EReadError is fine; a crash, a hang
// or an unbounded allocation is not. Whatever converts to text must convert back to exactly the
// bytes the conversion consumed.
#include <cstdint>
#include <cstring>

#include "framework/core/object_text.h"

namespace {

// A stream that cannot tell its size, which the reader must take in pieces.
class TUnsizedStream : public TBufferStream {
 public:
  using TBufferStream::TBufferStream;
  bool CanSeek() const override { return false; }
};

void ConvertAndCheck(TStream& Input, const uint8_t* Data) {
  TMemoryStream Text;
  try {
    ObjectBinaryToText(Input, Text);
  } catch (const EReadError&) {
    return;
  }
  const int64_t Consumed = Input.Position();
  Text.SetPosition(0);
  TMemoryStream Binary;
  try {
    ObjectTextToBinary(Text, Binary);
  } catch (const Exception&) {
    __builtin_trap();
  }
  if (Binary.Size() != Consumed || std::memcmp(Binary.Memory(), Data, size_t(Consumed)) != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TBufferStream Sized(Data, int64_t(Size));
  ConvertAndCheck(Sized, Data);
  TUnsizedStream Unsized(Data, int64_t(Size));
  ConvertAndCheck(Unsized, Data);
  return 0;
}
