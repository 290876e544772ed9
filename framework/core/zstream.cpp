#include "framework/core/zstream.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace {
constexpr size_t ChunkSize = 1 << 16;

[[noreturn]] void Fail(const char* What, const z_stream& Z) {
  throw ECompressionError(Format("%s: %s", What, Z.msg ? Z.msg : "zlib error"));
}
}  // namespace

struct TCompressionStream::TState {
  z_stream Z{};
  std::vector<uint8_t> Out = std::vector<uint8_t>(ChunkSize);
};

TCompressionStream::TCompressionStream(TStream& Target, int Level) : FTarget(Target), FState(std::make_unique<TState>()) {
  if (deflateInit(&FState->Z, Level) != Z_OK) Fail("Cannot start compression", FState->Z);
}

TCompressionStream::~TCompressionStream() {
  try {
    Finish();
  } catch (const Exception&) {
  }
  deflateEnd(&FState->Z);
}

void TCompressionStream::Drain(int Flush) {
  z_stream& Z = FState->Z;
  int Result;
  do {
    Z.next_out = FState->Out.data();
    Z.avail_out = uInt(FState->Out.size());
    Result = deflate(&Z, Flush);
    if (Result == Z_STREAM_ERROR) Fail("Compression failed", Z);
    FTarget.WriteBuffer(FState->Out.data(), int64_t(FState->Out.size() - Z.avail_out));
  } while (Z.avail_out == 0 || (Flush == Z_FINISH && Result != Z_STREAM_END));
}

int64_t TCompressionStream::Write(const void* Buffer, int64_t Count) {
  if (FFinished) throw ECompressionError("Invalid stream operation");
  const auto* Bytes = static_cast<const uint8_t*>(Buffer);
  for (int64_t Done = 0; Done < Count;) {
    const int64_t Part = std::min<int64_t>(Count - Done, UINT_MAX / 2);
    FState->Z.next_in = const_cast<Bytef*>(Bytes + Done);
    FState->Z.avail_in = uInt(Part);
    Drain(Z_NO_FLUSH);
    Done += Part;
  }
  FWritten += std::max<int64_t>(Count, 0);
  return std::max<int64_t>(Count, 0);
}

int64_t TCompressionStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  if (Offset == 0 && Origin == TSeekOrigin::soCurrent) return FWritten;
  throw ECompressionError("Invalid stream operation");
}

void TCompressionStream::Finish() {
  if (FFinished) return;
  FFinished = true;
  FState->Z.next_in = nullptr;
  FState->Z.avail_in = 0;
  Drain(Z_FINISH);
}

struct TDecompressionStream::TState {
  z_stream Z{};
};

TDecompressionStream::TDecompressionStream(TStream& Source)
    : FSource(Source), FState(std::make_unique<TState>()), FInput(ChunkSize) {
  if (inflateInit(&FState->Z) != Z_OK) Fail("Cannot start decompression", FState->Z);
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&FState->Z); }

int64_t TDecompressionStream::Read(void* Buffer, int64_t Count) {
  z_stream& Z = FState->Z;
  auto* Out = static_cast<uint8_t*>(Buffer);
  int64_t Done = 0;
  while (Done < Count && !FEnded) {
    if (Z.avail_in == 0) {
      const int64_t Got = FSource.Read(FInput.data(), int64_t(FInput.size()));
      if (Got <= 0) break;  // the compressed data ends early: a short read
      Z.next_in = FInput.data();
      Z.avail_in = uInt(Got);
    }
    const int64_t Part = std::min<int64_t>(Count - Done, UINT_MAX / 2);
    Z.next_out = Out + Done;
    Z.avail_out = uInt(Part);
    const int Result = inflate(&Z, Z_NO_FLUSH);
    Done += Part - Z.avail_out;
    if (Result == Z_STREAM_END)
      FEnded = true;
    else if (Result != Z_OK && Result != Z_BUF_ERROR)
      Fail("Compressed data is damaged", Z);
  }
  FRead += Done;
  return Done;
}

int64_t TDecompressionStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  if (Origin == TSeekOrigin::soCurrent && Offset >= 0) {
    uint8_t Skip[4096];
    for (int64_t Left = Offset; Left > 0;) {
      const int64_t Got = Read(Skip, std::min<int64_t>(Left, sizeof Skip));
      if (Got <= 0) throw EReadError("Stream read error");
      Left -= Got;
    }
    return FRead;
  }
  throw ECompressionError("Invalid stream operation");
}
