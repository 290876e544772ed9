#include "vexel/graphics/vx_utils.h"

#include <algorithm>

std::string ReadStreamString(TStream& Stream) {
  const int32_t Length = Stream.ReadInt32();
  if (Length < 0) throw EReadError(Format("Invalid string length %d", Length));
  const int64_t Remaining = Stream.Remaining();
  if (Remaining >= 0 && Length > Remaining) throw EReadError("Stream read error");
  // Grows in chunks when the stream cannot say how much is left.
  std::string Result;
  constexpr int32_t Chunk = 1 << 16;
  while (int32_t(Result.size()) < Length) {
    const size_t Old = Result.size();
    const size_t Part = size_t(std::min(Chunk, Length - int32_t(Old)));
    Result.resize(Old + Part);
    Stream.ReadBuffer(Result.data() + Old, int64_t(Part));
  }
  return Result;
}

void WriteStreamString(TStream& Stream, const std::string& S) {
  Stream.WriteInt32(static_cast<int32_t>(S.size()));
  Stream.WriteBuffer(S.data(), int64_t(S.size()));
}
