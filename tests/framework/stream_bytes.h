// Builds expected stream bytes by hand, field by field, for byte-exact tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TBytes {
  std::vector<uint8_t> Data;

  TBytes& Raw(const std::string& S) {
    Data.insert(Data.end(), S.begin(), S.end());
    return *this;
  }
  TBytes& Byte(uint8_t B) {
    Data.push_back(B);
    return *this;
  }
  TBytes& Int16(int16_t V) { return Byte(uint8_t(V)).Byte(uint8_t(uint16_t(V) >> 8)); }
  TBytes& Int32(int32_t V) {
    for (int I = 0; I < 4; ++I) Byte(uint8_t(uint32_t(V) >> (8 * I)));
    return *this;
  }
  // A length byte, then the text.
  TBytes& Short(const std::string& S) { return Byte(uint8_t(S.size())).Raw(S); }
  TBytes& Append(const TBytes& Other) {
    Data.insert(Data.end(), Other.Data.begin(), Other.Data.end());
    return *this;
  }
};
