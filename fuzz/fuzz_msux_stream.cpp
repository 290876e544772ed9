// Reads arbitrary bytes as a visual-style theme's stream form. A clean error is fine; a crash,
// leak, hang or unbounded allocation is not, and a failed read must leave the content alone.
// What reads must write and read back to the same bytes.
#include <cstdint>

#include "vexel/msstyles/msux_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TBufferStream Input(Data, int64_t(Size));
  TmsuxStreamContent Content;
  Content.Name = "before";
  try {
    if (!ReadMsuxStream(Input, Content)) return 0;
  } catch (const EStreamError&) {
    if (Content.Name != "before" || Content.Images->Count() != 0) __builtin_trap();
    return 0;
  }
  TMemoryStream First;
  WriteMsuxStream(First, Content.Name, Content.IniText, *Content.Images);
  First.SetPosition(0);
  TmsuxStreamContent Again;
  if (!ReadMsuxStream(First, Again) || Again.Name != Content.Name || Again.IniText != Content.IniText ||
      Again.Images->Count() != Content.Images->Count())
    __builtin_trap();
  TMemoryStream Second;
  WriteMsuxStream(Second, Again.Name, Again.IniText, *Again.Images);
  if (Second.Data() != First.Data()) __builtin_trap();
  return 0;
}
