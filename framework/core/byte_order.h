// Little-endian values in byte buffers, as the file formats the system reads and writes store them.
#pragma once

#include <cstdint>
#include <vector>

inline uint32_t U32(const uint8_t* P) {
  return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24;
}
inline uint16_t U16(const uint8_t* P) { return uint16_t(P[0] | P[1] << 8); }

inline void PutU32(std::vector<uint8_t>& Bytes, uint32_t Value) {
  for (int I = 0; I < 4; ++I) Bytes.push_back(uint8_t(Value >> (8 * I)));
}
inline void PutU16(std::vector<uint8_t>& Bytes, uint16_t Value) {
  Bytes.push_back(uint8_t(Value));
  Bytes.push_back(uint8_t(Value >> 8));
}
