// The persistence base and byte streams. Persistent objects copy themselves with Assign; streams
// carry every stored form (bitmaps, skins, component streams).
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/messages.h"
#include "framework/core/reflection.h"
#include "framework/core/types.h"

class TObject {
 public:
  virtual ~TObject() = default;
  virtual const char* ClassName() const { return "TObject"; }
  // Hands Message to the handler this class (or the nearest parent class) declares for it.
  virtual void Dispatch(TMessage& Message) { DefaultHandler(Message); }
  // What happens to a message nobody handles: nothing, Result stays as it is.
  virtual void DefaultHandler(TMessage&) {}
};

// Assign copies Source into this object. A class that knows its source overrides Assign; a
// class that knows how to fill other classes overrides AssignTo. When neither knows the pair,
// EConvertError "Cannot assign a <source> to a <dest>" is raised.
//
// Every persistent class answers its class record (name, parent, property table) through
// ClassInfo; a class without stored properties still has one, for its name.
class TPersistent : public TObject {
 public:
  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const char* ClassName() const override { return ClassInfo().Name; }
  virtual void Assign(const TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest) const;
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  const char* ClassName() const override { return "TStream"; }

  // Reads or writes up to Count bytes and returns how many were moved.
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  // False for streams whose size is not known in advance (a decompressing reader).
  virtual bool CanSeek() const { return true; }

  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t Value) { Seek(Value, TSeekOrigin::soBeginning); }
  virtual int64_t Size();
  // Bytes between the position and the end, or -1 when the stream cannot tell.
  int64_t Remaining();

  // Exact transfers: "Stream read error" / "Stream write error" when short.
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);

  // Little-endian fixed-width values.
  int32_t ReadInt32();
  uint8_t ReadByte();
  void WriteInt32(int32_t Value);
  void WriteByte(uint8_t Value);
};

// A growable in-memory stream.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> Data) : FData(std::move(Data)) {}
  const char* ClassName() const override { return "TMemoryStream"; }

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }

  void Clear();
  // Room for Value bytes in all, so that writing up to there allocates no more.
  void SetCapacity(int64_t Value);
  int64_t Capacity() const { return static_cast<int64_t>(FData.capacity()); }
  const uint8_t* Memory() const { return FData.data(); }
  const std::vector<uint8_t>& Data() const { return FData; }

 private:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

// A read-only view of bytes owned by someone else (fuzzers, resources).
class TBufferStream : public TStream {
 public:
  TBufferStream(const void* Data, int64_t Size) : FData(static_cast<const uint8_t*>(Data)), FSize(Size) {}
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return FSize; }

 private:
  const uint8_t* FData;
  int64_t FSize;
  int64_t FPosition = 0;
};

enum class TFileMode { fmOpenRead, fmCreate };

// A file opened for reading, or created (truncated) for writing. The file closes with the stream.
class TFileStream : public TStream {
 public:
  // EStreamError "Cannot open file <name>" or "Cannot create file <name>" (and the system's reason).
  TFileStream(const std::string& FileName, TFileMode Mode);
  const char* ClassName() const override { return "TFileStream"; }

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  // Hands buffered bytes to the system: "Stream write error" when that fails.
  void Flush();

 private:
  std::filebuf FBuffer;
};
