// A visual-style file read as data: a Windows module (PE) file whose resources are found by type
// and name. The whole file is read and its resource directory checked before anything is used,
// so a damaged or hostile file is refused with a clear error and nothing in it ever runs.
// Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"

// The file cannot be read as a module, or its resource directory is damaged.
class EmsuxModuleError : public Exception { using Exception::Exception; };

// Files beyond this size are refused rather than read.
constexpr uint64_t msuxMaxModuleSize = uint64_t(256) << 20;

// Longer resource names are refused: style files name their resources in a few dozen characters.
constexpr uint16_t msuxMaxResourceName = 256;

// A resource type or name: a number, or a string compared ignoring (ASCII) case.
struct TmsuxResId {
  std::optional<uint16_t> Number;
  std::string Text;
  static TmsuxResId Id(uint16_t Value) { return {Value, {}}; }
  static TmsuxResId Named(const std::string& Value) { return {std::nullopt, Value}; }
};

constexpr uint16_t msuxRtBitmap = 2;

class TmsuxModule {
 public:
  // Reads and checks FileName. Raises EmsuxModuleError ("Cannot load module <file>: <why>") when
  // the file cannot be read, is larger than msuxMaxModuleSize, is not a PE module, or any entry of
  // its resource directory (directories, names, data) lies outside the file or loops.
  // MaxSize lowers the limit (tests).
  explicit TmsuxModule(const std::string& FileName, uint64_t MaxSize = msuxMaxModuleSize);
  // The same checks over bytes already in memory; Origin names them in errors.
  TmsuxModule(std::vector<uint8_t> Bytes, const std::string& Origin, uint64_t MaxSize = msuxMaxModuleSize);

  // The first language's data of the resource Type / Name; nullopt when there is none. The span
  // stays valid while the module lives.
  std::optional<std::span<const uint8_t>> Find(const TmsuxResId& Type, const TmsuxResId& Name) const;
  // The names of every resource of Type, in directory order (numbers as "#n"; string names as
  // stored, characters beyond ASCII in UTF-8).
  std::vector<std::string> Names(const TmsuxResId& Type) const;
  const std::string& Origin() const { return FOrigin; }

 private:
  std::vector<uint8_t> FBytes;
  std::string FOrigin;
  // Filled by the check: (type, name, data) of every resource's first language.
  struct TEntry {
    TmsuxResId Type, Name;
    uint32_t Offset = 0, Size = 0;
  };
  std::vector<TEntry> FEntries;
  void Check(uint64_t MaxSize);
  [[noreturn]] void Fail(const std::string& Why) const;
};
