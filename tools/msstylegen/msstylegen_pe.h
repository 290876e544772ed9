// A resource-only Windows module of our own making: PE32+ (AMD64), flagged as a DLL, one
// ".rsrc" section, no code and no entry point. The platform's loader opens it as a data file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace msstylegen {

// A resource type or name: a number, or a string (stored upper-cased, as resource compilers do
// and as the platform's look-up expects).
struct TPeId {
  std::optional<uint16_t> Number;
  std::string Text;
  static TPeId Id(uint16_t Value) { return {Value, {}}; }
  static TPeId Named(const std::string& Value) { return {std::nullopt, Value}; }
};

struct TPeResource {
  TPeId Type, Name;
  std::vector<uint8_t> Data;
  uint16_t Language = 0x0409;
};

// Where the resource section's bytes begin in the file (the directory root is there).
constexpr uint32_t PeResourceFileOffset = 0x200;
constexpr uint32_t PeResourceRva = 0x1000;

// The whole file. Two resources with the same type, name and language raise std::invalid_argument.
std::vector<uint8_t> BuildResourceModule(const std::vector<TPeResource>& Resources);

// Where, in a module BuildResourceModule wrote, the data entry (data RVA, then size, 32 bits each)
// of the first language of Type / Name lies; nullopt when there is no such resource. For tests
// that damage one resource.
std::optional<size_t> DataEntryOffset(const std::vector<uint8_t>& Module, const TPeId& Type, const TPeId& Name);

}  // namespace msstylegen
