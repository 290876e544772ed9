// zlib streams: a writer that deflates into another stream and a reader that inflates from
// one, and whole-buffer deflate and inflate (faster, for data that fits in memory at once). The
// compressed skin variants are "header, then a zlib stream to the end of the file".
#pragma once

#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/core/classes.h"

class ECompressionError : public EStreamError { using EStreamError::EStreamError; };
// Data that would inflate to more than the caller allows.
class EInflateLimitError : public ECompressionError { using ECompressionError::ECompressionError; };

// Deflates what is written into Target, at a zlib level (-1 is zlib's default). Finish writes
// the end of the zlib stream; the destructor finishes if that has not happened (errors there
// are swallowed, so call Finish to hear of them).
class TCompressionStream : public TStream {
 public:
  TCompressionStream(TStream& Target, int Level);
  ~TCompressionStream() override;
  int64_t Read(void*, int64_t) override { throw ECompressionError("Invalid stream operation"); }
  int64_t Write(const void* Buffer, int64_t Count) override;
  // Only the position query is answered: the number of bytes written so far.
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  bool CanSeek() const override { return false; }
  void Finish();

 private:
  struct TState;
  void Drain(int Flush);
  TStream& FTarget;
  std::unique_ptr<TState> FState;
  int64_t FWritten = 0;
  bool FFinished = false;
};

// Inflates from Source as bytes are read. Corrupt data raises ECompressionError; data that ends
// before the zlib stream does reads short (so ReadBuffer raises "Stream read error").
class TDecompressionStream : public TStream {
 public:
  explicit TDecompressionStream(TStream& Source);
  ~TDecompressionStream() override;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void*, int64_t) override { throw ECompressionError("Invalid stream operation"); }
  // Forward skips by reading; anything else but the position query is refused.
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  bool CanSeek() const override { return false; }
  int64_t Size() override { return -1; }

 private:
  struct TState;
  TStream& FSource;
  std::unique_ptr<TState> FState;
  std::vector<uint8_t> FInput;
  int64_t FRead = 0;
  bool FEnded = false;
};

// Bytes in one heap block that is not zero-filled first: the whole-buffer codecs hand back only
// bytes they wrote.
class TByteBuffer {
 public:
  TByteBuffer() = default;
  // Size bytes of undefined content (std::bad_alloc when they cannot be had).
  explicit TByteBuffer(size_t Size);
  uint8_t* Data() { return FData.get(); }
  const uint8_t* Data() const { return FData.get(); }
  size_t Size() const { return FSize; }
  // Keeps the first Size bytes and gives the rest of the block back.
  void Shrink(size_t Size);

 private:
  struct TFree {
    void operator()(uint8_t* P) const { std::free(P); }
  };
  std::unique_ptr<uint8_t, TFree> FData;
  size_t FSize = 0;
};

// One zlib stream of Size bytes at Data, at a zlib level (-1 is zlib's default, 0 stores).
TByteBuffer DeflateBuffer(const void* Data, size_t Size, int Level);

struct TInflated {
  TByteBuffer Bytes;
  // False when the compressed data ends before the zlib stream does: Bytes then holds what the
  // data gave, as the streaming reader would have read it.
  bool Complete = false;
};

// The zlib stream at the start of Data (bytes after its end are ignored). Corrupt data raises
// ECompressionError with the streaming reader's message; a stream that inflates to more than
// MaxSize bytes raises EInflateLimitError before more than MaxSize bytes are allocated.
TInflated InflateBuffer(const void* Data, size_t Size, size_t MaxSize);
