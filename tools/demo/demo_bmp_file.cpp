#include "tools/demo/demo_bmp_file.h"

#include <fstream>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& Out, uint32_t V) {
  for (int I = 0; I < 2; ++I) Out.push_back(uint8_t(V >> (8 * I)));
}

void Put32(std::vector<uint8_t>& Out, uint32_t V) {
  for (int I = 0; I < 4; ++I) Out.push_back(uint8_t(V >> (8 * I)));
}

}  // namespace

void SaveBmpFile(const TvxBitmap& Bitmap, const std::string& FileName) {
  constexpr uint32_t FileHeaderSize = 14, InfoHeaderSize = 40;
  const uint32_t W = uint32_t(Bitmap.Width()), H = uint32_t(Bitmap.Height());
  const uint32_t PixelBytes = Bitmap.Empty() ? 0 : W * H * 4;

  std::vector<uint8_t> Data;
  Data.reserve(FileHeaderSize + InfoHeaderSize + PixelBytes);
  Put16(Data, 0x4D42);  // "BM"
  Put32(Data, FileHeaderSize + InfoHeaderSize + PixelBytes);
  Put32(Data, 0);
  Put32(Data, FileHeaderSize + InfoHeaderSize);
  Put32(Data, InfoHeaderSize);
  Put32(Data, Bitmap.Empty() ? 0 : W);
  Put32(Data, Bitmap.Empty() ? 0 : H);
  Put16(Data, 1);   // planes
  Put16(Data, 32);  // bits per pixel
  Put32(Data, 0);   // BI_RGB
  Put32(Data, PixelBytes);
  Put32(Data, 2835);  // 72 dpi
  Put32(Data, 2835);
  Put32(Data, 0);
  Put32(Data, 0);
  for (Integer Y = Bitmap.Empty() ? -1 : Integer(H) - 1; Y >= 0; --Y)
    for (const TvxColor *P = Bitmap.Scanline(Y), *End = P + W; P != End; ++P) Put32(Data, *P | 0xFF000000);

  std::ofstream File(FileName, std::ios::binary | std::ios::trunc);
  File.write(reinterpret_cast<const char*>(Data.data()), std::streamsize(Data.size()));
  File.close();
  if (!File) throw EWriteError(Format("Cannot write %s", FileName.c_str()));
}
