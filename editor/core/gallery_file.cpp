#include "editor/core/gallery_file.h"

#include <filesystem>
#include <system_error>

#include "editor/core/image_import.h"
#include "framework/core/file_save.h"
#include "framework/core/sysutils.h"

namespace {

// The smallest stored image: an empty name and a 0 x 0 size.
constexpr int64_t MinImageBytes = 12;

}  // namespace

std::string GalleryFilePath() { return ExecutableFolder() + GalleryFileName; }

TvxBitmap* TGallery::Image(Integer Index) const {
  return Index >= 0 && Index < Count() ? FImages[size_t(Index)].get() : nullptr;
}

TvxBitmap* TGallery::Add(std::unique_ptr<TvxBitmap> Image) {
  FImages.push_back(std::move(Image));
  return FImages.back().get();
}

TvxBitmap* TGallery::AddPictureFile(const std::string& FileName) { return Add(LoadPictureFile(FileName)); }

void TGallery::LoadFromStream(TStream& Stream) {
  FImages.clear();
  std::vector<std::unique_ptr<TvxBitmap>> Read;
  const int32_t Count = Stream.ReadInt32();
  const int64_t Remaining = Stream.Remaining();
  if (Count < 0 || (Remaining >= 0 && Count > Remaining / MinImageBytes))
    throw EReadError(Format("Invalid gallery: image count %d", Count));
  for (int32_t I = 0; I < Count; ++I) {
    auto Image = std::make_unique<TvxBitmap>();
    Image->LoadFromStream(Stream);
    Image->MakeTransparent(vxKeyColor);
    Image->CheckAlpha();
    Read.push_back(std::move(Image));
  }
  FImages = std::move(Read);
}

void TGallery::SaveToStream(TStream& Stream) const {
  Stream.WriteInt32(Count());
  for (const auto& Image : FImages) Image->SaveToStream(Stream);
}

void TGallery::LoadFromFile(const std::string& FileName) {
  FImages.clear();
  FDamagedFile.clear();
  std::error_code Ignored;
  if (!std::filesystem::exists(FileName, Ignored)) return;
  try {
    TFileStream File(FileName, TFileMode::fmOpenRead);
    LoadFromStream(File);
  } catch (const EStreamError& E) {
    FDamagedFile = FileName;
    throw EReadError(Format("Cannot read the gallery %s: %s", FileName.c_str(), E.Message().c_str()));
  }
}

void TGallery::SaveToFile(const std::string& FileName) {
  std::error_code Ignored;
  if (FDamagedFile == FileName && std::filesystem::exists(FileName, Ignored)) {
    try {
      std::filesystem::copy_file(FileName, FileName + ".damaged", std::filesystem::copy_options::overwrite_existing);
    } catch (const std::filesystem::filesystem_error& E) {
      throw EWriteError(
          Format("Cannot create file %s: %s", (FileName + ".damaged").c_str(), E.code().message().c_str()));
    }
    FDamagedFile.clear();
  }
  SaveFileReplacing(FileName, [this](TStream& File) { SaveToStream(File); });
}
