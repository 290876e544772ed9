// Reads arbitrary text as the text form of a component stream. A clean EParserError is fine; a
// crash, a hang or an unbounded allocation is not. Binary made from text must convert to text and
// back to the same bytes.
#include <cstdint>
#include <cstring>

#include "framework/core/object_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TBufferStream Input(Data, int64_t(Size));
  TMemoryStream Binary;
  try {
    ObjectTextToBinary(Input, Binary);
  } catch (const EParserError&) {
    return 0;
  }
  TMemoryStream Text, Again;
  try {
    Binary.SetPosition(0);
    ObjectBinaryToText(Binary, Text);
    Text.SetPosition(0);
    ObjectTextToBinary(Text, Again);
  } catch (const Exception&) {
    __builtin_trap();
  }
  if (Again.Data() != Binary.Data()) __builtin_trap();
  return 0;
}
