#include "editor/core/image_import.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "editor/core/selection_geometry.h"
#include "framework/graphics/png_image.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

constexpr uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool IsPng(const uint8_t* Data, size_t Size) {
  return Size >= sizeof PngSignature && std::memcmp(Data, PngSignature, sizeof PngSignature) == 0;
}

bool IsBmp(const uint8_t* Data, size_t Size) { return Size >= 2 && Data[0] == 'B' && Data[1] == 'M'; }

// A BMP reader needs no more than its headers, a palette and the largest pixel block it accepts;
// bytes past that are never looked at, so they are not read.
constexpr int64_t MaxBmpBytes = 14 + 124 + 256 * 4 + 16 + 4 * vxMaxBitmapPixels;

std::unique_ptr<TvxBitmap> FromPng(const TPngPixels& Png, const std::string& Name) {
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(Png.Width, Png.Height);
  std::memcpy(Image->Bits(), Png.Pixels.data(), Png.Pixels.size() * sizeof(TvxColor));
  // Opaque files come out with alpha 255 already.
  if (Png.HasAlpha) Image->CheckAlpha();
  Image->SetName(Name);
  return Image;
}

[[noreturn]] void UnknownFormat() { throw EInvalidGraphic("Unknown picture format: the file is neither PNG nor BMP"); }

Integer ParseChannel(const std::string& Text) {
  size_t Used = 0;
  int Value = -1;
  try {
    Value = std::stoi(Text, &Used);
  } catch (const std::exception&) {
    Used = 0;
  }
  if (Used == 0 || Used != Text.size() || Value < 0 || Value > 255)
    throw EConvertError(Format("'%s' is not a colour value from 0 to 255", Text.c_str()));
  return Value;
}

}  // namespace

std::string FileNameWithoutFolder(const std::string& FileName) {
  const size_t Slash = FileName.find_last_of("/\\:");
  return Slash == std::string::npos ? FileName : FileName.substr(Slash + 1);
}

std::unique_ptr<TvxBitmap> DecodePicture(const uint8_t* Data, size_t Size, const std::string& Name) {
  if (IsPng(Data, Size)) {
    TBufferStream Stream(Data, int64_t(Size));
    return FromPng(ReadPng(Stream), Name);
  }
  if (!IsBmp(Data, Size)) UnknownFormat();
  auto Image = std::make_unique<TvxBitmap>();
  LoadBmpFile(*Image, Data, Size);
  // A 32-bit file's fourth byte is as often padding as alpha: a bitmap file counts as opaque.
  Image->SetAlpha(255);
  Image->CheckAlpha();
  Image->SetName(Name);
  return Image;
}

std::unique_ptr<TvxBitmap> LoadPictureFile(const std::string& FileName) {
  TFileStream File(FileName, TFileMode::fmOpenRead);
  const std::string Name = FileNameWithoutFolder(FileName);
  uint8_t Head[sizeof PngSignature] = {};
  const int64_t HeadSize = File.Read(Head, sizeof Head);
  if (IsPng(Head, size_t(HeadSize))) {
    File.SetPosition(0);
    return FromPng(ReadPng(File), Name);
  }
  if (!IsBmp(Head, size_t(HeadSize))) UnknownFormat();
  const int64_t Size = std::min(File.Size(), MaxBmpBytes);
  std::vector<uint8_t> Data(static_cast<size_t>(Size));
  File.SetPosition(0);
  File.ReadBuffer(Data.data(), Size);
  return DecodePicture(Data.data(), Data.size(), Name);
}

// [TImageImport] -------------------------------------------------------------------------------

TImageImport::TImageImport() : FImage(std::make_unique<TvxBitmap>()) {}

void TImageImport::LoadFile(const std::string& FileName) { FImage = LoadPictureFile(FileName); }

void TImageImport::TakeFromGallery(const TvxBitmap& Chosen) {
  FImage->Fill(vxKeyColor);
  FImage->Assign(&Chosen);
}

std::optional<TPoint> TImageImport::PixelAt(TPoint ViewPoint) const {
  const TPoint P{RoundHalfEven(double(ViewPoint.X) / FScale), RoundHalfEven(double(ViewPoint.Y) / FScale)};
  if (FImage->Empty() || !FImage->BoundsRect().Contains(P.X, P.Y)) return std::nullopt;
  return P;
}

bool TImageImport::PickMaskColor(TPoint ViewPoint) {
  const std::optional<TPoint> P = PixelAt(ViewPoint);
  if (!P) return false;
  ApplyMask(FImage->GetPixel(P->X, P->Y));
  return true;
}

void TImageImport::ApplyMask(TvxColor Color) {
  FMaskColor = Color & 0x00FFFFFF;
  FImage->SetAlpha(255);
  for (Integer Y = 0; Y < FImage->Height() && !FImage->Empty(); ++Y)
    for (TvxColor *P = FImage->Scanline(Y), *End = P + FImage->Width(); P != End; ++P)
      if ((*P & 0x00FFFFFF) == FMaskColor) *P &= 0x00FFFFFF;
}

void TImageImport::ApplyMask(const std::string& Red, const std::string& Green, const std::string& Blue) {
  const Integer R = ParseChannel(Red), G = ParseChannel(Green), B = ParseChannel(Blue);
  ApplyMask(TvxColor(R) << 16 | TvxColor(G) << 8 | TvxColor(B));
}

void TImageImport::ZoomIn() {
  if (FScale < MaxImportScale) ++FScale;
}

void TImageImport::ZoomOut() {
  if (FScale > 1) --FScale;
}

std::string TImageImport::ScaleText() const { return std::to_string(FScale) + "00%"; }

TSize TImageImport::ViewSize() const {
  if (FImage->Empty()) return {};
  return {FImage->Width() * FScale, FImage->Height() * FScale};
}

std::unique_ptr<TvxBitmap> TImageImport::HandOver() {
  std::unique_ptr<TvxBitmap> Result = std::move(FImage);
  FImage = std::make_unique<TvxBitmap>();
  if (Result->Empty()) return nullptr;
  for (Integer Y = 0; Y < Result->Height(); ++Y)
    for (TvxColor *P = Result->Scanline(Y), *End = P + Result->Width(); P != End; ++P)
      if (PixelAlpha(*P) == 0) *P = TransparentMagenta;
  return Result;
}
