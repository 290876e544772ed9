#include "skintool_images.h"

#include <png.h>

#include <algorithm>
#include <set>

#include "framework/core/sysutils.h"

namespace {

void CheckEncodable(const TvxBitmap& Image) {
  if (Image.Empty() || Image.Width() <= 0 || Image.Height() <= 0)
    throw EWriteError(Format("Image \"%s\" has no pixels", Image.Name().c_str()));
}

void PutLittleEndian(std::vector<uint8_t>& Bytes, uint32_t Value, int Size) {
  for (int I = 0; I < Size; ++I) Bytes.push_back(uint8_t(Value >> (8 * I)));
}

// Windows refuses these as file names whatever the extension.
bool ReservedOnWindows(const std::string& Base) {
  static const std::set<std::string> Names = {"con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4",
                                              "com5", "com6", "com7", "com8", "com9", "lpt1", "lpt2", "lpt3",
                                              "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
  return Names.count(LowerCase(Base)) != 0;
}

// Keeps file names well inside the limits of every file system.
constexpr size_t MaxBaseLength = 100;

}  // namespace

void EncodePng(const TvxBitmap& Image, TMemoryStream& Out) {
  CheckEncodable(Image);
  std::vector<uint8_t> Rgba;
  Rgba.reserve(size_t(Image.Width()) * size_t(Image.Height()) * 4);
  for (Integer Y = 0; Y < Image.Height(); ++Y)
    for (Integer X = 0; X < Image.Width(); ++X) {
      const uint32_t P = *Image.PixelPtr(X, Y);
      for (int Shift : {16, 8, 0, 24}) Rgba.push_back(uint8_t(P >> Shift));
    }
  png_image Png{};
  Png.version = PNG_IMAGE_VERSION;
  Png.width = png_uint_32(Image.Width());
  Png.height = png_uint_32(Image.Height());
  Png.format = PNG_FORMAT_RGBA;
  png_alloc_size_t Size = 0;
  // The first call measures, the second writes.
  if (png_image_write_to_memory(&Png, nullptr, &Size, 0, Rgba.data(), 0, nullptr)) {
    std::vector<uint8_t> Encoded(Size);
    if (png_image_write_to_memory(&Png, Encoded.data(), &Size, 0, Rgba.data(), 0, nullptr)) {
      Out.WriteBuffer(Encoded.data(), int64_t(Size));
      return;
    }
  }
  const std::string Reason = Png.message;
  png_image_free(&Png);
  throw EWriteError(Format("Cannot encode image \"%s\" as PNG: %s", Image.Name().c_str(), Reason.c_str()));
}

void EncodeBmp(const TvxBitmap& Image, TMemoryStream& Out) {
  CheckEncodable(Image);
  const uint32_t PixelBytes = uint32_t(Image.Width()) * uint32_t(Image.Height()) * 4;
  const uint32_t Offset = 14 + 40;
  std::vector<uint8_t> Bytes = {'B', 'M'};
  PutLittleEndian(Bytes, Offset + PixelBytes, 4);
  PutLittleEndian(Bytes, 0, 4);  // two reserved words
  PutLittleEndian(Bytes, Offset, 4);
  PutLittleEndian(Bytes, 40, 4);
  PutLittleEndian(Bytes, uint32_t(Image.Width()), 4);
  PutLittleEndian(Bytes, uint32_t(Image.Height()), 4);  // positive: bottom-up
  PutLittleEndian(Bytes, 1, 2);                         // planes
  PutLittleEndian(Bytes, 32, 2);
  PutLittleEndian(Bytes, 0, 4);  // BI_RGB
  PutLittleEndian(Bytes, PixelBytes, 4);
  PutLittleEndian(Bytes, 2835, 4);  // 72 dpi both ways
  PutLittleEndian(Bytes, 2835, 4);
  PutLittleEndian(Bytes, 0, 4);
  PutLittleEndian(Bytes, 0, 4);
  Bytes.reserve(Bytes.size() + PixelBytes);
  for (Integer Y = Image.Height() - 1; Y >= 0; --Y)
    for (Integer X = 0; X < Image.Width(); ++X) PutLittleEndian(Bytes, *Image.PixelPtr(X, Y), 4);
  Out.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
}

std::vector<std::string> ImageFileNames(const std::vector<std::string>& ImageNames, const std::string& Extension) {
  std::vector<std::string> Result;
  std::set<std::string> Taken;
  for (size_t I = 0; I < ImageNames.size(); ++I) {
    std::string Base = ImageNames[I].substr(0, MaxBaseLength);
    std::replace_if(
        Base.begin(), Base.end(),
        [](char C) {
          return !((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '_' || C == '.' ||
                   C == '-');
        },
        '_');
    if (Base.empty()) Base = "image" + std::to_string(I);
    if (ReservedOnWindows(Base)) Base += "_";
    std::string Name = Base + Extension;
    for (int N = 2; Taken.count(LowerCase(Name)) != 0; ++N) Name = Base + "_" + std::to_string(N) + Extension;
    Taken.insert(LowerCase(Name));
    Result.push_back(Name);
  }
  return Result;
}
