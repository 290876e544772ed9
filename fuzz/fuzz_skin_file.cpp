// Loads arbitrary bytes as a skin file of whichever variant the tag names (the compressed one
// when none). A clean error is fine; a crash, leak, hang or unbounded allocation is not. What
// loads must save and load again.
#include <cstdint>

#include "vexel/skin/theme_dv3filters.h"
#include "vexel/skin/theme_dv3source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TDvSkinSource Source;
  TBufferStream Input(Data, int64_t(Size));
  try {
    Source.LoadFromStream(Input);
  } catch (const Exception&) {
    return 0;
  }
  TMemoryStream Saved;
  Source.SaveToStream(Saved);
  Saved.SetPosition(0);
  TDvSkinSource Again;
  Again.LoadFromStream(Saved);
  if (Again.ObjectCount() != Source.ObjectCount() || Again.Images().Count() != Source.Images().Count())
    __builtin_trap();
  return 0;
}
