#include "framework/core/classes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "framework/core/sysutils.h"

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo Info{"TPersistent", nullptr, {}};
  return Info;
}

void TPersistent::Assign(const TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  throw EConvertError(Format("Cannot assign a %s to a %s", Source ? Source->ClassName() : "nil", ClassName()));
}

int64_t TStream::Size() {
  const int64_t Saved = Position();
  const int64_t Result = Seek(0, TSeekOrigin::soEnd);
  Seek(Saved, TSeekOrigin::soBeginning);
  return Result;
}

int64_t TStream::Remaining() {
  if (!CanSeek()) return -1;
  return std::max<int64_t>(0, Size() - Position());
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int32_t TStream::ReadInt32() {
  uint8_t B[4];
  ReadBuffer(B, 4);
  return static_cast<int32_t>(uint32_t(B[0]) | uint32_t(B[1]) << 8 | uint32_t(B[2]) << 16 | uint32_t(B[3]) << 24);
}

uint8_t TStream::ReadByte() {
  uint8_t B;
  ReadBuffer(&B, 1);
  return B;
}

void TStream::WriteInt32(int32_t Value) {
  const uint32_t V = static_cast<uint32_t>(Value);
  const uint8_t B[4] = {uint8_t(V), uint8_t(V >> 8), uint8_t(V >> 16), uint8_t(V >> 24)};
  WriteBuffer(B, 4);
}

void TStream::WriteByte(uint8_t Value) { WriteBuffer(&Value, 1); }

namespace {
int64_t SeekWithin(int64_t Position, int64_t Size, int64_t Offset, TSeekOrigin Origin) {
  int64_t Base = 0;
  if (Origin == TSeekOrigin::soCurrent) Base = Position;
  if (Origin == TSeekOrigin::soEnd) Base = Size;
  const int64_t Result = Base + Offset;
  if (Result < 0) throw EStreamError("Invalid stream position");
  return Result;
}

int64_t ReadFrom(const uint8_t* Data, int64_t Size, int64_t& Position, void* Buffer, int64_t Count) {
  const int64_t Available = std::max<int64_t>(0, Size - Position);
  const int64_t N = std::clamp<int64_t>(Count, 0, Available);
  if (N > 0) std::memcpy(Buffer, Data + Position, static_cast<size_t>(N));
  Position += N;
  return N;
}
}  // namespace

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
  return ReadFrom(FData.data(), Size(), FPosition, Buffer, Count);
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  const auto* Bytes = static_cast<const uint8_t*>(Buffer);
  const size_t Position = static_cast<size_t>(FPosition), N = static_cast<size_t>(Count);
  // Past the end: a gap reads as zeros. The new bytes are appended, not zero-filled and then
  // overwritten: one pass less over the memory of a growing stream.
  if (Position > FData.size()) FData.resize(Position);
  const size_t Overwritten = std::min(N, FData.size() - Position);
  if (Overwritten > 0) std::memcpy(FData.data() + Position, Bytes, Overwritten);
  FData.insert(FData.end(), Bytes + Overwritten, Bytes + N);
  FPosition += Count;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  return FPosition = SeekWithin(FPosition, Size(), Offset, Origin);
}

void TMemoryStream::SetCapacity(int64_t Value) {
  if (Value <= int64_t(FData.capacity())) return;
  FData.reserve(static_cast<size_t>(Value));
  AdviseLargeBlock(FData.data(), FData.capacity());
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

int64_t TBufferStream::Read(void* Buffer, int64_t Count) { return ReadFrom(FData, FSize, FPosition, Buffer, Count); }

int64_t TBufferStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  return FPosition = SeekWithin(FPosition, FSize, Offset, Origin);
}

TFileStream::TFileStream(const std::string& FileName, TFileMode Mode) {
  const bool Reading = Mode == TFileMode::fmOpenRead;
  std::error_code Ignored;
  // A directory opens for reading on some systems and then reads as empty.
  errno = 0;
  const bool Opened = !std::filesystem::is_directory(FileName, Ignored) &&
                      FBuffer.open(FileName, Reading ? std::ios::in | std::ios::binary
                                                     : std::ios::out | std::ios::trunc | std::ios::binary);
  if (!Opened) {
    const std::string Reason = errno ? std::string(": ") + std::strerror(errno) : std::string();
    throw EStreamError(Format(Reading ? "Cannot open file %s%s" : "Cannot create file %s%s", FileName.c_str(),
                              Reason.c_str()));
  }
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  return FBuffer.sgetn(static_cast<char*>(Buffer), static_cast<std::streamsize>(Count));
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  return FBuffer.sputn(static_cast<const char*>(Buffer), static_cast<std::streamsize>(Count));
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  const std::ios::seekdir Dir = Origin == TSeekOrigin::soBeginning ? std::ios::beg
                                : Origin == TSeekOrigin::soCurrent ? std::ios::cur
                                                                   : std::ios::end;
  const std::streampos Result = FBuffer.pubseekoff(static_cast<std::streamoff>(Offset), Dir);
  if (Result == std::streampos(std::streamoff(-1))) throw EStreamError("Invalid stream position");
  return static_cast<int64_t>(std::streamoff(Result));
}

void TFileStream::Flush() {
  if (FBuffer.pubsync() != 0) throw EWriteError("Stream write error");
}
