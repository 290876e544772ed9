#include <gtest/gtest.h>

#include <filesystem>

#include "editor/core/gallery_file.h"
#include "editor/core/image_import.h"
#include "editor_test_support.h"
#include "image_test_support.h"

namespace {

class Gallery : public ::testing::Test {
 protected:
  // Two images: one with a pixel 3 away from the key colour and one 6 away; one half-transparent.
  void FillTwo(TGallery& G) {
    G.Add(MakeImage("stone.png", 2, 1, {0xFF7F037F, 0xFF7F067F}));
    G.Add(MakeImage("glass.bmp", 1, 2, {0x80102030, 0xFF405060}));
  }
  std::vector<uint8_t> Saved() {
    TGallery G;
    FillTwo(G);
    TMemoryStream Stream;
    G.SaveToStream(Stream);
    return Stream.Data();
  }
  TTempFolder Folder;
};

TEST_F(Gallery, FileIsACountThenEachImagesStreamForm) {
  const std::vector<uint8_t> Bytes = Saved();
  // count 2 | name length 9 "stone.png" | width 2 | height 1 | two pixels | second image ...
  ASSERT_GE(Bytes.size(), 4u + 4 + 9 + 8 + 8);
  EXPECT_EQ(std::vector<uint8_t>(Bytes.begin(), Bytes.begin() + 8), (std::vector<uint8_t>{2, 0, 0, 0, 9, 0, 0, 0}));
  EXPECT_EQ(std::string(Bytes.begin() + 8, Bytes.begin() + 17), "stone.png");
  EXPECT_EQ(Bytes.size(), size_t(4 + (4 + 9 + 8 + 8) + (4 + 9 + 8 + 8)));
}

TEST_F(Gallery, ReadingKeepsNamesMasksNearKeyPixelsAndChecksAlpha) {
  const std::string File = Folder.File("gallery.res");
  {
    TGallery G;
    FillTwo(G);
    G.SaveToFile(File);
  }
  TGallery Read;
  Read.LoadFromFile(File);
  ASSERT_EQ(Read.Count(), 2);
  EXPECT_EQ(Read.Image(0)->Name(), "stone.png");
  EXPECT_EQ(PixelsOf(*Read.Image(0)), (std::vector<TvxColor>{vxKeyColor, 0xFF7F067F}));
  EXPECT_TRUE(Read.Image(0)->Transparent());
  EXPECT_FALSE(Read.Image(0)->AlphaBlend());
  EXPECT_EQ(Read.Image(1)->Name(), "glass.bmp");
  EXPECT_TRUE(Read.Image(1)->AlphaBlend());
  // The grid's current column may lie past the last image.
  EXPECT_EQ(Read.Image(2), nullptr);
  EXPECT_EQ(Read.Image(-1), nullptr);
  EXPECT_FALSE(std::filesystem::exists(File + ".saving"));
}

TEST_F(Gallery, AnImageTakenFromTheGalleryCarriesTheFileNameItWasAddedWith) {
  const std::string Picture = Folder.File("pebble.png");
  WriteBytes(Picture, PngBytes(1, 1, {0xFF203040}, false));
  const std::string File = Folder.File("gallery.res");
  {
    TGallery G;
    G.AddPictureFile(Picture);
    G.SaveToFile(File);
  }
  TGallery Read;
  Read.LoadFromFile(File);
  ASSERT_EQ(Read.Count(), 1);
  TImageImport Import;
  Import.TakeFromGallery(*Read.Image(0));
  EXPECT_EQ(Import.Image().Name(), "pebble.png");
  EXPECT_EQ(Import.Image().GetPixel(0, 0), 0xFF203040u);
}

TEST_F(Gallery, ABadPictureFileAddsNothing) {
  TGallery G;
  const std::string Bad = Folder.File("bad.png");
  WriteBytes(Bad, {0x89, 'P', 'N', 'G'});
  EXPECT_THROW(G.AddPictureFile(Bad), Exception);
  EXPECT_EQ(G.Count(), 0);
}

TEST_F(Gallery, MissingFileGivesAnEmptyGallery) {
  TGallery G;
  G.LoadFromFile(Folder.File("gallery.res"));
  EXPECT_EQ(G.Count(), 0);
}

TEST_F(Gallery, DamagedFilesAreRefusedAndLeaveTheGalleryEmpty) {
  const std::vector<uint8_t> Good = Saved();
  auto WithCount = [&Good](int32_t Count) {
    std::vector<uint8_t> B = Good;
    for (int I = 0; I < 4; ++I) B[I] = uint8_t(uint32_t(Count) >> (8 * I));
    return B;
  };
  auto Cut = [&Good](size_t Size) { return std::vector<uint8_t>(Good.begin(), Good.begin() + Size); };
  std::vector<uint8_t> NegativeWidth = Good;
  NegativeWidth[17 + 3] = 0x80;  // first image's width
  std::vector<uint8_t> LongName = Good;
  LongName[4 + 3] = 0x7F;  // first name's length
  struct TCase {
    const char* Name;
    std::vector<uint8_t> Bytes;
  };
  const TCase Cases[] = {
      {"empty file", {}},
      {"negative count", WithCount(-1)},
      {"count past what the file can hold", WithCount(1000000)},
      {"one image more than stored", WithCount(3)},
      {"cut inside the count", Cut(2)},
      {"cut inside a name", Cut(10)},
      {"cut inside a size", Cut(19)},
      {"cut inside the pixels", Cut(29)},
      {"cut inside the second image", Cut(Good.size() - 1)},
      {"negative width", NegativeWidth},
      {"name longer than the file", LongName},
  };
  const std::string File = Folder.File("gallery.res");
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    WriteBytes(File, Case.Bytes);
    TGallery G;
    FillTwo(G);
    try {
      G.LoadFromFile(File);
      ADD_FAILURE() << "read";
    } catch (const EReadError& E) {
      EXPECT_NE(E.Message().find(File), std::string::npos) << E.Message();
    }
    EXPECT_EQ(G.Count(), 0);
  }
}

// Closing the gallery always rewrites its file: a file that could not be read is kept aside first.
TEST_F(Gallery, RewritingAfterADamagedReadKeepsTheDamagedFileAside) {
  const std::string File = Folder.File("gallery.res");
  std::vector<uint8_t> Damaged = Saved();
  Damaged.pop_back();
  WriteBytes(File, Damaged);
  TGallery G;
  EXPECT_THROW(G.LoadFromFile(File), EReadError);
  G.Add(MakeImage("new", 1, 1, {0xFF000000}));
  G.SaveToFile(File);
  EXPECT_EQ(ReadBytes(File + ".damaged"), Damaged);
  TGallery Read;
  Read.LoadFromFile(File);
  EXPECT_EQ(Read.Count(), 1);

  // A gallery read cleanly sets nothing aside.
  std::filesystem::remove(File + ".damaged");
  Read.SaveToFile(File);
  EXPECT_FALSE(std::filesystem::exists(File + ".damaged"));
}

TEST_F(Gallery, AFailedWriteKeepsThePreviousGallery) {
  const std::string File = Folder.File("gallery.res");
  TGallery Old;
  Old.Add(MakeImage("old", 1, 1, {0xFF010101}));
  Old.SaveToFile(File);
  const std::vector<uint8_t> Before = ReadBytes(File);

  // The temporary file cannot be created where a folder of its name stands.
  std::filesystem::create_directory(File + ".saving");
  std::filesystem::create_directory(File + ".saving/keep");
  TGallery New;
  FillTwo(New);
  EXPECT_THROW(New.SaveToFile(File), EStreamError);
  EXPECT_EQ(ReadBytes(File), Before);

  // Writing again once the way is clear replaces the file whole.
  std::filesystem::remove_all(File + ".saving");
  New.SaveToFile(File);
  TGallery Read;
  Read.LoadFromFile(File);
  EXPECT_EQ(Read.Count(), 2);
}

}  // namespace
