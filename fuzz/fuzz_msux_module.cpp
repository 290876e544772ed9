// Reads arbitrary bytes as a visual-style module. A clean EmsuxModuleError is fine; a crash, leak,
// hang or unbounded allocation is not. Every resource found is read to its last byte, so a span
// that runs past the file shows up under the address sanitizer.
#include <cstdint>

#include "vexel/msstyles/msux_module.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    const TmsuxModule Module(std::vector<uint8_t>(Data, Data + Size), "fuzz");
    unsigned Sum = 0;
    const TmsuxResId Types[] = {TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Named("TEXTFILE"),
                                TmsuxResId::Named("COLORNAMES"), TmsuxResId::Named("SIZENAMES"),
                                TmsuxResId::Named("FILERESNAMES")};
    for (const TmsuxResId& Type : Types)
      for (const std::string& Name : Module.Names(Type)) {
        // "#n" asks for number n, which a string name written "#n" is not.
        if (Name.starts_with('#')) continue;
        const auto Found = Module.Find(Type, TmsuxResId::Named(Name));
        if (!Found) __builtin_trap();  // every listed name is found again
        for (uint8_t Byte : *Found) Sum += Byte;
      }
    volatile unsigned Sink = Sum;
    (void)Sink;
  } catch (const EmsuxModuleError&) {
  }
  return 0;
}
