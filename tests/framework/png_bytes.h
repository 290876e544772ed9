// PNG files laid out by hand, chunk by chunk, so that tests can state every byte's meaning.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

struct TPngBytes {
  std::vector<uint8_t> Data;

  TPngBytes() {
    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Data.assign(Signature, Signature + 8);
  }

  TPngBytes& Chunk(const std::string& Type, const std::vector<uint8_t>& Body) {
    Put32(uint32_t(Body.size()));
    std::vector<uint8_t> Crc(Type.begin(), Type.end());
    Crc.insert(Crc.end(), Body.begin(), Body.end());
    Data.insert(Data.end(), Crc.begin(), Crc.end());
    Put32(uint32_t(crc32(0, Crc.data(), uInt(Crc.size()))));
    return *this;
  }
  TPngBytes& Header(uint32_t W, uint32_t H, uint8_t Depth, uint8_t ColorType, uint8_t Interlace = 0) {
    std::vector<uint8_t> B;
    Append32(B, W);
    Append32(B, H);
    B.insert(B.end(), {Depth, ColorType, 0, 0, Interlace});
    return Chunk("IHDR", B);
  }
  // Rows already carry their filter byte; they are compressed into one IDAT chunk.
  TPngBytes& Pixels(const std::vector<uint8_t>& Rows) {
    uLongf Size = compressBound(uLong(Rows.size()));
    std::vector<uint8_t> Packed(Size);
    compress(Packed.data(), &Size, Rows.data(), uLong(Rows.size()));
    Packed.resize(Size);
    return Chunk("IDAT", Packed);
  }
  TPngBytes& End() { return Chunk("IEND", {}); }

 private:
  static void Append32(std::vector<uint8_t>& B, uint32_t V) {
    for (int I = 3; I >= 0; --I) B.push_back(uint8_t(V >> (8 * I)));
  }
  void Put32(uint32_t V) { Append32(Data, V); }
};
