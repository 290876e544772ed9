#include <gtest/gtest.h>

#include <filesystem>

#include "editor/core/image_export.h"
#include "editor/core/image_import.h"
#include "editor_test_support.h"
#include "image_test_support.h"
#include "vexel/graphics/vx_bitmaplist.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

const std::string Sep(1, char(std::filesystem::path::preferred_separator));

TPngPixels ReadPngFile(const std::string& FileName) {
  TMemoryStream Stream(ReadBytes(FileName));
  return ReadPng(Stream);
}

std::vector<TvxColor> ReadBmpPixels(const std::string& FileName) {
  const std::vector<uint8_t> Bytes = ReadBytes(FileName);
  TvxBitmap Image;
  LoadBmpFile(Image, Bytes.data(), Bytes.size());
  return PixelsOf(Image);
}

size_t FilesIn(const std::string& Folder) {
  size_t Count = 0;
  for ([[maybe_unused]] const auto& Entry : std::filesystem::recursive_directory_iterator(Folder)) ++Count;
  return Count;
}

class ImageExport : public ::testing::Test {
 protected:
  ImageExport() { std::filesystem::create_directory(Out); }
  TTempFolder Folder;
  const std::string Out = Folder.File("out");
  TvxBitmapList Images;
};

TEST_F(ImageExport, AlphaImagesBecomePngAndOthersBmpOnMagenta) {
  const std::vector<uint32_t> GlassPixels = {0x80112233, 0xFF445566, 0x00000000, 0x10FFFFFF};
  auto Glass = MakeImage("glass", 2, 2, {0x80112233, 0xFF445566, 0x00000000, 0x10FFFFFF});
  Glass->CheckAlpha();
  Images.Add(std::move(Glass));
  auto Plain = MakeImage("plain", 3, 1, {0xFF102030, 0xFF7F007F, 0xFF405060});
  Plain->MakeTransparent(vxKeyColor);
  Images.Add(std::move(Plain));

  const TImageExport Result = ExportImages(Images, Out);
  EXPECT_EQ(Result.Folder, Out + Sep);
  EXPECT_EQ(Result.Log, (std::vector<std::string>{"Bitmap glass saved as " + Out + Sep + "glass",
                                                  "Bitmap plain saved as " + Out + Sep + "plain"}));
  const TPngPixels Png = ReadPngFile(Out + Sep + "glass.png");
  EXPECT_TRUE(Png.HasAlpha);
  EXPECT_EQ(Png.Pixels, GlassPixels);
  EXPECT_EQ(ReadBmpPixels(Out + Sep + "plain.bmp"), (std::vector<TvxColor>{0xFF102030, 0xFFFF00FF, 0xFF405060}));
  // A plain 32-bit file: headers of 14 and 40 bytes, then three pixels.
  const std::vector<uint8_t> Bmp = ReadBytes(Out + Sep + "plain.bmp");
  ASSERT_EQ(Bmp.size(), 54u + 12);
  EXPECT_EQ(Bmp[0], 'B');
  EXPECT_EQ(Bmp[1], 'M');
  EXPECT_EQ(Bmp[2], 66);   // file size
  EXPECT_EQ(Bmp[10], 54);  // pixel offset
  EXPECT_EQ(Bmp[28], 32);  // bits per pixel
  EXPECT_EQ((std::vector<uint8_t>(Bmp.begin() + 54, Bmp.begin() + 58)), (std::vector<uint8_t>{0x30, 0x20, 0x10, 0xFF}));
  EXPECT_EQ(FilesIn(Out), 2u);
}

TEST_F(ImageExport, APngWithAlphaKeepsItThroughImportAndExport) {
  const std::vector<uint32_t> Pixels = {0x80FF0000, 0xFF00FF00, 0x000000FF, 0xC0808080};
  const std::string Picture = Folder.File("shade.png");
  WriteBytes(Picture, PngBytes(2, 2, Pixels, true));
  TImageImport Import;
  Import.LoadFile(Picture);
  std::unique_ptr<TvxBitmap> Taken = Import.HandOver();
  ASSERT_TRUE(Taken);
  Images.Add(std::move(Taken));

  ExportImages(Images, Out + Sep);
  const TPngPixels Png = ReadPngFile(Out + Sep + "shade.png.png");
  // The fully transparent pixel was handed over as transparent magenta.
  EXPECT_EQ(Png.Pixels, (std::vector<uint32_t>{0x80FF0000, 0xFF00FF00, TransparentMagenta, 0xC0808080}));
}

TEST_F(ImageExport, WithoutImagesNothingIsWrittenOrLogged) {
  const TImageExport Result = ExportImages(Images, Out);
  EXPECT_TRUE(Result.Log.empty());
  EXPECT_EQ(FilesIn(Out), 0u);
}

TEST_F(ImageExport, NamesThatAreNoFileNamesAreRefusedAndTheRestGoesOn) {
  const char* const Unsafe[] = {"../escape", "..",    ".",   "",         "sub/dir",  "sub\\dir",
                                "c:drive",   "what?", "con", "LPT1.old", "tab\there"};
  for (const char* Name : Unsafe) Images.Add(MakeImage(Name, 1, 1, {0xFF000000}));
  Images.Add(MakeImage("fine", 1, 1, {0xFF000000}));

  const TImageExport Result = ExportImages(Images, Out);
  ASSERT_EQ(Result.Log.size(), std::size(Unsafe) + 1);
  for (size_t I = 0; I < std::size(Unsafe); ++I) {
    SCOPED_TRACE(Unsafe[I]);
    EXPECT_EQ(Result.Log[I].rfind("Bitmap " + std::string(Unsafe[I]) + " not saved: ", 0), 0u) << Result.Log[I];
  }
  EXPECT_EQ(Result.Log.back(), "Bitmap fine saved as " + Out + Sep + "fine");
  EXPECT_EQ(FilesIn(Out), 1u);
  EXPECT_FALSE(std::filesystem::exists(Folder.File("escape.bmp")));
  EXPECT_FALSE(std::filesystem::exists(Folder.File("out.bmp")));
}

TEST_F(ImageExport, ASecondImageOfTheSameFileNameDoesNotOverwriteTheFirst) {
  Images.Add(MakeImage("frame", 1, 1, {0xFF010101}));
  Images.Add(MakeImage("FRAME", 1, 1, {0xFF020202}));
  auto Blended = MakeImage("Frame", 1, 1, {0x80030303});
  Blended->CheckAlpha();
  Images.Add(std::move(Blended));  // a .png: no clash
  const TImageExport Result = ExportImages(Images, Out);
  ASSERT_EQ(Result.Log.size(), 3u);
  EXPECT_EQ(Result.Log[1].rfind("Bitmap FRAME not saved: ", 0), 0u) << Result.Log[1];
  EXPECT_EQ(Result.Log[2], "Bitmap Frame saved as " + Out + Sep + "Frame");
  EXPECT_EQ(ReadBmpPixels(Out + Sep + "frame.bmp"), std::vector<TvxColor>{0xFF010101});
}

TEST_F(ImageExport, AFileThatCannotBeWrittenIsLoggedAndTheRestGoesOn) {
  Images.Add(MakeImage("blocked", 1, 1, {0xFF000000}));
  Images.Add(MakeImage("fine", 1, 1, {0xFF000000}));
  std::filesystem::create_directory(Out + Sep + "blocked.bmp");
  const TImageExport Result = ExportImages(Images, Out);
  ASSERT_EQ(Result.Log.size(), 2u);
  EXPECT_EQ(Result.Log[0].rfind("Bitmap blocked not saved: ", 0), 0u) << Result.Log[0];
  EXPECT_TRUE(std::filesystem::is_regular_file(Out + Sep + "fine.bmp"));
}

TEST(ExportFolder, TrailingSeparatorAddedOnlyWhenMissing) {
  EXPECT_EQ(WithTrailingSeparator("C:\\skins\\"), "C:\\skins\\");
  EXPECT_EQ(WithTrailingSeparator("/tmp/skins/"), "/tmp/skins/");
  EXPECT_EQ(WithTrailingSeparator("skins"), "skins" + Sep);
}

}  // namespace
