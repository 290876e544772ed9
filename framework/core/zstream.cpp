#include "framework/core/zstream.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "framework/core/sysutils.h"

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

// [Whole buffers] ------------------------------------------------------------------------------

TByteBuffer::TByteBuffer(size_t Size)
    : FData(static_cast<uint8_t*>(std::malloc(std::max<size_t>(Size, 1)))), FSize(Size) {
  if (!FData) throw std::bad_alloc();
  AdviseLargeBlock(FData.get(), Size);
}

void TByteBuffer::Shrink(size_t Size) {
  if (Size >= FSize) return;
  // Shrinking in place; a block that cannot shrink stays as it is.
  if (void* Smaller = std::realloc(FData.get(), std::max<size_t>(Size, 1))) {
    (void)FData.release();
    FData.reset(static_cast<uint8_t*>(Smaller));
  }
  FSize = Size;
}

namespace {

// libdeflate's level for each zlib level: on skin content (images and object texts) the lowest
// that is faster than zlib there and writes no more bytes. Measured for the levels skins use:
// libdeflate's 1 writes ~5% more than zlib's 1, its 2 less; its 5 already matches zlib's 6.
constexpr int LibdeflateLevels[10] = {0, 2, 2, 3, 4, 5, 5, 7, 8, 9};

// The two header bytes zlib writes at Level: 32 KiB window, the level's class, the check bits.
// The class is only informative; writing zlib's keeps files byte for byte what readers expect.
void WriteZlibHeader(uint8_t* Out, int Level) {
  const int Class = Level == 0 || Level == 1 ? 0 : Level < 6 ? 1 : Level == 6 ? 2 : 3;
  const unsigned Cmf = 0x78, Flg = unsigned(Class) << 6;
  Out[0] = uint8_t(Cmf);
  Out[1] = uint8_t(Flg + (31 - (Cmf * 256 + Flg) % 31) % 31);
}

struct TFreeCompressor {
  void operator()(libdeflate_compressor* C) const { libdeflate_free_compressor(C); }
};
struct TFreeDecompressor {
  void operator()(libdeflate_decompressor* D) const { libdeflate_free_decompressor(D); }
};

// A zlib stream holds no size, so the output buffer is guessed and grown. The first guess covers
// the usual ratios of skin content; each retry inflates again from the start, so growing by 4
// keeps the wasted work under a third of the last pass. Only touched pages cost memory.
uint64_t FirstGuess(size_t Packed, size_t MaxSize) {
  return std::min<uint64_t>(MaxSize, std::max<uint64_t>(uint64_t(1) << 20, uint64_t(Packed) * 8));
}
uint64_t Grown(uint64_t Capacity, size_t MaxSize) { return std::min<uint64_t>(MaxSize, Capacity * 4); }

[[noreturn]] void TooLarge(size_t MaxSize) {
  throw EInflateLimitError(
      Format("Compressed data inflates to more than %llu bytes", static_cast<unsigned long long>(MaxSize)));
}

// zlib's streaming inflate over the whole input: it tells corrupt data (with the streaming
// reader's message) from data that ends early, and keeps what the early end gave.
TInflated InflateByZlib(const uint8_t* Data, size_t Size, size_t MaxSize) {
  z_stream Z{};
  if (inflateInit(&Z) != Z_OK) Fail("Cannot start decompression", Z);
  struct TEnd {
    z_stream& Z;
    ~TEnd() { inflateEnd(&Z); }
  } End{Z};
  TInflated Result{TByteBuffer(size_t(FirstGuess(Size, MaxSize))), false};
  size_t Fed = 0, Done = 0;
  for (;;) {
    if (Z.avail_in == 0 && Fed < Size) {
      const size_t Part = std::min<size_t>(Size - Fed, UINT_MAX / 2);
      Z.next_in = const_cast<Bytef*>(Data + Fed);
      Z.avail_in = uInt(Part);
      Fed += Part;
    }
    if (Done == Result.Bytes.Size()) {
      if (Done >= MaxSize) TooLarge(MaxSize);
      TByteBuffer Larger(size_t(Grown(Done, MaxSize)));
      std::memcpy(Larger.Data(), Result.Bytes.Data(), Done);
      Result.Bytes = std::move(Larger);
    }
    Z.next_out = Result.Bytes.Data() + Done;
    Z.avail_out = uInt(std::min<size_t>(Result.Bytes.Size() - Done, UINT_MAX / 2));
    const uInt Room = Z.avail_out;
    const int Code = inflate(&Z, Z_NO_FLUSH);
    Done += Room - Z.avail_out;
    if (Code == Z_STREAM_END) {
      Result.Complete = true;
      break;
    }
    if (Code != Z_OK && Code != Z_BUF_ERROR) Fail("Compressed data is damaged", Z);
    if (Z.avail_in == 0 && Fed == Size && Z.avail_out > 0) break;  // the data ends early
  }
  Result.Bytes.Shrink(Done);
  return Result;
}

}  // namespace

TByteBuffer DeflateBuffer(const void* Data, size_t Size, int Level) {
  if (Level < -1 || Level > 9) throw ECompressionError(Format("Cannot start compression: invalid level %d", Level));
  if (Level < 0) Level = 6;  // zlib's default
  const std::unique_ptr<libdeflate_compressor, TFreeCompressor> Compressor(
      libdeflate_alloc_compressor(LibdeflateLevels[Level]));
  if (!Compressor) throw std::bad_alloc();
  TByteBuffer Out(libdeflate_zlib_compress_bound(Compressor.get(), Size));
  const size_t Written = libdeflate_zlib_compress(Compressor.get(), Data, Size, Out.Data(), Out.Size());
  if (Written == 0) throw ECompressionError("Compression failed: output larger than its bound");
  WriteZlibHeader(Out.Data(), Level);
  Out.Shrink(Written);
  return Out;
}

TInflated InflateBuffer(const void* Data, size_t Size, size_t MaxSize) {
  const std::unique_ptr<libdeflate_decompressor, TFreeDecompressor> Decompressor(libdeflate_alloc_decompressor());
  if (!Decompressor) throw std::bad_alloc();
  for (uint64_t Capacity = FirstGuess(Size, MaxSize);; Capacity = Grown(Capacity, MaxSize)) {
    TInflated Result{TByteBuffer(size_t(Capacity)), true};
    size_t Used = 0, Produced = 0;
    const libdeflate_result Code = libdeflate_zlib_decompress_ex(Decompressor.get(), Data, Size, Result.Bytes.Data(),
                                                                 Result.Bytes.Size(), &Used, &Produced);
    if (Code == LIBDEFLATE_SUCCESS) {
      Result.Bytes.Shrink(Produced);
      return Result;
    }
    // Damaged or cut short: zlib tells which, in the streaming reader's words.
    if (Code != LIBDEFLATE_INSUFFICIENT_SPACE) return InflateByZlib(static_cast<const uint8_t*>(Data), Size, MaxSize);
    if (Capacity >= MaxSize) TooLarge(MaxSize);
  }
}
