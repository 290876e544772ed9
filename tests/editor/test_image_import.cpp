#include <gtest/gtest.h>

#include "editor/core/image_import.h"
#include "editor_test_support.h"
#include "image_test_support.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

constexpr TvxColor White = 0xFFFFFFFF, Red = 0xFFFF0000, NearWhite = 0xFFFEFFFF;

uint32_t Crc32(const uint8_t* Data, size_t Size) {
  uint32_t Crc = 0xFFFFFFFF;
  for (size_t I = 0; I < Size; ++I) {
    Crc ^= Data[I];
    for (int K = 0; K < 8; ++K) Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1)));
  }
  return ~Crc;
}

void PutBigEndian(std::vector<uint8_t>& Bytes, size_t At, uint32_t Value) {
  for (int I = 0; I < 4; ++I) Bytes[At + I] = uint8_t(Value >> (24 - 8 * I));
}

// A valid PNG whose header claims W x H (the header's checksum made right again).
std::vector<uint8_t> PngClaiming(uint32_t W, uint32_t H) {
  std::vector<uint8_t> Png = PngBytes(2, 1, {Red, White}, false);
  PutBigEndian(Png, 16, W);
  PutBigEndian(Png, 20, H);
  PutBigEndian(Png, 29, Crc32(Png.data() + 12, 17));
  return Png;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> Bytes, size_t Size) {
  Bytes.resize(Size);
  return Bytes;
}

class ImageImport : public ::testing::Test {
 protected:
  std::string Write(const std::string& Name, const std::vector<uint8_t>& Bytes) {
    const std::string File = Folder.File(Name);
    WriteBytes(File, Bytes);
    return File;
  }
  TTempFolder Folder;
  TImageImport Import;
};

TEST_F(ImageImport, PngWithAlphaKeepsEveryPixelsAlpha) {
  const std::vector<uint32_t> Pixels = {0x80112233, 0xFF445566, 0x00778899, 0x40FFFFFF};
  Import.LoadFile(Write("glass.png", PngBytes(2, 2, Pixels, true)));
  EXPECT_EQ(Import.Image().Name(), "glass.png");
  EXPECT_EQ(PixelsOf(Import.Image()), Pixels);
  EXPECT_TRUE(Import.Image().AlphaBlend());
}

TEST_F(ImageImport, OpaquePicturesComeOutOpaque) {
  Import.LoadFile(Write("plain.png", PngBytes(2, 1, {0x00102030, 0x80405060}, false)));
  EXPECT_EQ(PixelsOf(Import.Image()), (std::vector<TvxColor>{0xFF102030, 0xFF405060}));
  EXPECT_FALSE(Import.Image().AlphaBlend());

  Import.LoadFile(Write("plain.bmp", Bmp24Bytes(3, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112})));
  EXPECT_EQ(Import.Image().Name(), "plain.bmp");
  EXPECT_EQ(PixelsOf(Import.Image()),
            (std::vector<TvxColor>{0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C, 0xFF0D0E0F, 0xFF101112}));

  // A 32-bit bitmap file whose fourth bytes are zero padding is still a visible picture.
  TvxBitmap Padded;
  Padded.SetSize(2, 1);
  Padded.SetPixel(0, 0, 0x00AABBCC);
  Padded.SetPixel(1, 0, 0x00DDEEFF);
  TMemoryStream File;
  SaveBmpFile(Padded, File);
  Import.LoadFile(Write("padded.bmp", File.Data()));
  EXPECT_EQ(PixelsOf(Import.Image()), (std::vector<TvxColor>{0xFFAABBCC, 0xFFDDEEFF}));
  EXPECT_FALSE(Import.Image().AlphaBlend());
}

TEST_F(ImageImport, TheContentDecidesTheFormatNotTheExtension) {
  Import.LoadFile(Write("really_png.bmp", PngBytes(1, 1, {0x80010203}, true)));
  EXPECT_EQ(Import.Image().GetPixel(0, 0), 0x80010203u);
  Import.LoadFile(Write("really_bmp.png", Bmp24Bytes(1, 1, {0x0A0B0C})));
  EXPECT_EQ(Import.Image().GetPixel(0, 0), 0xFF0A0B0Cu);
}

TEST_F(ImageImport, BadFilesAreRefusedAndTheWorkingImageStays) {
  const std::vector<uint8_t> Png = PngBytes(3, 2, {Red, White, Red, White, Red, White}, true);
  const std::vector<uint8_t> Bmp = Bmp24Bytes(3, 2, {1, 2, 3, 4, 5, 6});
  std::vector<uint8_t> WrongSignature = Png;
  WrongSignature[1] = 'Q';
  std::vector<uint8_t> WideBmp = Bmp, HugeBmp = Bmp;
  PutBigEndian(WideBmp, 18, 0);
  WideBmp[18] = 0xA0, WideBmp[19] = 0x86, WideBmp[20] = 0x01;                      // 100000 pixels wide
  HugeBmp[18] = 0x20, HugeBmp[19] = 0x4E, HugeBmp[22] = 0x20, HugeBmp[23] = 0x4E;  // 20000 x 20000
  struct TCase {
    const char* Name;
    std::vector<uint8_t> Bytes;
  };
  const TCase Cases[] = {
      {"empty file", {}},
      {"text", {'h', 'e', 'l', 'l', 'o'}},
      {"PNG signature only", Cut(Png, 8)},
      {"PNG cut inside the header", Cut(Png, 20)},
      {"PNG cut after the header", Cut(Png, 33)},
      {"PNG cut inside the data", Cut(Png, Png.size() - 20)},
      {"PNG with a damaged signature", WrongSignature},
      {"PNG 40000 pixels wide", PngClaiming(40000, 1)},
      {"PNG of 10000 x 10000", PngClaiming(10000, 10000)},
      {"BMP cut inside the file header", Cut(Bmp, 10)},
      {"BMP cut inside the info header", Cut(Bmp, 30)},
      {"BMP without pixels", Cut(Bmp, 54)},
      {"BMP missing its last byte", Cut(Bmp, Bmp.size() - 1)},
      {"BMP 100000 pixels wide", WideBmp},
      {"BMP of 20000 x 20000", HugeBmp},
  };
  const std::string Good = Write("good.png", PngBytes(1, 1, {0x80102030}, true));
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Import.LoadFile(Good);
    const std::string File = Write("bad.png", Case.Bytes);
    try {
      Import.LoadFile(File);
      ADD_FAILURE() << "loaded";
    } catch (const Exception& E) {
      EXPECT_FALSE(E.Message().empty());
    }
    EXPECT_EQ(Import.Image().Name(), "good.png");
    EXPECT_EQ(PixelsOf(Import.Image()), std::vector<TvxColor>{0x80102030});
  }
  EXPECT_THROW(Import.LoadFile(Folder.File("missing.png")), EStreamError);
  EXPECT_EQ(Import.Image().Name(), "good.png");
}

TEST_F(ImageImport, ClickingAWhitePixelMakesEveryPureWhitePixelTransparentMagentaOnOk) {
  Import.LoadFile(Write("w.png", PngBytes(3, 2, {White, Red, NearWhite, Red, White, White}, false)));
  ASSERT_TRUE(Import.PickMaskColor({0, 0}));
  EXPECT_EQ(Import.MaskColor(), 0xFFFFFFu);
  EXPECT_EQ(PixelsOf(Import.Image()), (std::vector<TvxColor>{0x00FFFFFF, Red, NearWhite, Red, 0x00FFFFFF, 0x00FFFFFF}));
  const std::unique_ptr<TvxBitmap> Taken = Import.HandOver();
  ASSERT_TRUE(Taken);
  EXPECT_EQ(Taken->Name(), "w.png");
  EXPECT_EQ(PixelsOf(*Taken),
            (std::vector<TvxColor>{TransparentMagenta, Red, NearWhite, Red, TransparentMagenta, TransparentMagenta}));
  EXPECT_TRUE(Import.Image().Empty());
  EXPECT_FALSE(Import.HandOver());
}

TEST_F(ImageImport, AMaskMakesEveryOtherPixelOpaqueAgain) {
  Import.LoadFile(Write("a.png", PngBytes(2, 1, {0x80FF0000, 0x20FFFFFF}, true)));
  Import.ApplyMask("255", "0", "0");
  EXPECT_EQ(PixelsOf(Import.Image()), (std::vector<TvxColor>{0x00FF0000, 0xFFFFFFFF}));
  for (const char* Bad : {"256", "-1", "x", "", "12a"}) {
    SCOPED_TRACE(Bad);
    EXPECT_THROW(Import.ApplyMask("0", Bad, "0"), EConvertError);
  }
  EXPECT_EQ(Import.MaskColor(), 0xFF0000u);
  EXPECT_EQ(PixelsOf(Import.Image()), (std::vector<TvxColor>{0x00FF0000, 0xFFFFFFFF}));
}

TEST_F(ImageImport, PickingDividesByTheScaleRoundingHalvesToEven) {
  // Column colours 0x10, 0x20, 0x30; row 1 brighter.
  Import.LoadFile(Write("p.bmp", Bmp24Bytes(3, 2, {0x10, 0x20, 0x30, 0x11, 0x21, 0x31})));
  Import.ZoomIn();
  ASSERT_EQ(Import.Scale(), 2);
  struct TCase {
    TPoint View;
    std::optional<TPoint> Pixel;
  };
  const TCase Cases[] = {
      {{1, 1}, TPoint{0, 0}},                           // 0.5 -> 0
      {{3, 1}, TPoint{2, 0}},                           // 1.5 -> 2
      {{5, 3}, std::nullopt},                           // 2.5 -> 2, 1.5 -> 2: below the last row
      {{2, 2}, TPoint{1, 1}},  {{6, 0}, std::nullopt},  // 3: past the last column
      {{-2, 0}, std::nullopt},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(testing::Message() << Case.View.X << "," << Case.View.Y);
    EXPECT_EQ(Import.PixelAt(Case.View), Case.Pixel);
  }
  ASSERT_TRUE(Import.PickMaskColor({3, 1}));
  EXPECT_EQ(Import.MaskColor(), 0x30u);
  EXPECT_FALSE(Import.PickMaskColor({6, 0}));
  EXPECT_EQ(Import.MaskColor(), 0x30u);
}

TEST_F(ImageImport, ScaleTextAndViews) {
  EXPECT_EQ(Import.ScaleText(), "100%");
  Import.ZoomOut();
  EXPECT_EQ(Import.Scale(), 1);
  Import.LoadFile(Write("s.bmp", Bmp24Bytes(3, 2, {1, 2, 3, 4, 5, 6})));
  Import.ZoomIn();
  EXPECT_EQ(Import.ScaleText(), "200%");
  Import.ZoomIn();
  EXPECT_EQ(Import.ScaleText(), "300%");
  EXPECT_EQ(Import.ViewSize(), (TSize{9, 6}));
  for (int I = 0; I < 100; ++I) Import.ZoomIn();
  EXPECT_EQ(Import.Scale(), MaxImportScale);
}

TEST_F(ImageImport, FromTheGalleryTakesPixelsNameAndFlags) {
  std::unique_ptr<TvxBitmap> Chosen = MakeImage("stone.png", 2, 1, {0x80112233, vxKeyColor});
  Chosen->SetAlphaBlend(true);
  Chosen->SetTransparent(true);
  Import.TakeFromGallery(*Chosen);
  EXPECT_EQ(Import.Image().Name(), "stone.png");
  EXPECT_EQ(PixelsOf(Import.Image()), PixelsOf(*Chosen));
  EXPECT_TRUE(Import.Image().AlphaBlend());
  EXPECT_TRUE(Import.Image().Transparent());
}

TEST(FileNameWithoutFolder, EitherSeparator) {
  EXPECT_EQ(FileNameWithoutFolder("/home/a/pic.png"), "pic.png");
  EXPECT_EQ(FileNameWithoutFolder("C:\\art\\pic.bmp"), "pic.bmp");
  EXPECT_EQ(FileNameWithoutFolder("pic"), "pic");
}

}  // namespace
