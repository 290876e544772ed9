#include <gtest/gtest.h>

#include "bitmap_helpers.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

// A BMP file laid out by hand: file header, a 40-byte info header, optional extra (palette or
// masks), then the rows exactly as given (padding included).
std::vector<uint8_t> Bmp(int32_t W, int32_t H, uint16_t Bits, uint32_t Compression, std::vector<uint8_t> Extra,
                         std::vector<uint8_t> Rows, uint32_t Colors = 0) {
  std::vector<uint8_t> B;
  const auto U16 = [&B](uint16_t V) { B.push_back(uint8_t(V)), B.push_back(uint8_t(V >> 8)); };
  const auto U32 = [&B](uint32_t V) {
    for (int I = 0; I < 4; ++I) B.push_back(uint8_t(V >> (8 * I)));
  };
  const uint32_t Offset = 14 + 40 + uint32_t(Extra.size());
  B.push_back('B'), B.push_back('M');
  U32(Offset + uint32_t(Rows.size())), U32(0), U32(Offset);
  U32(40), U32(uint32_t(W)), U32(uint32_t(H)), U16(1), U16(Bits), U32(Compression), U32(0), U32(0), U32(0), U32(Colors),
      U32(0);
  B.insert(B.end(), Extra.begin(), Extra.end());
  B.insert(B.end(), Rows.begin(), Rows.end());
  return B;
}

std::unique_ptr<TvxBitmap> Decode(const std::vector<uint8_t>& File) {
  auto B = std::make_unique<TvxBitmap>();
  LoadBmpFile(*B, File.data(), File.size());
  return B;
}

}  // namespace

TEST(BmpFile, DecodesEachDepthIntoOpaquePixelsRowsBottomUp) {
  // 24 bits, 2 x 2: rows padded to 8 bytes; the first stored row is the bottom one.
  const auto Rgb = Decode(Bmp(2, 2, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
  EXPECT_EQ(Row(*Rgb, 0), (std::vector<TvxColor>{0xFF090807, 0xFF0C0B0A}));
  EXPECT_EQ(Row(*Rgb, 1), (std::vector<TvxColor>{0xFF030201, 0xFF060504}));
  EXPECT_FALSE(Rgb->AlphaBlend());

  // 8 bits with a two-colour palette; index 5 lies past it and shows opaque black.
  const auto Indexed = Decode(Bmp(3, 1, 8, 0, {0x10, 0x20, 0x30, 0, 0xAA, 0xBB, 0xCC, 0}, {1, 0, 5, 0}, 2));
  EXPECT_EQ(Row(*Indexed, 0), (std::vector<TvxColor>{0xFFCCBBAA, 0xFF302010, 0xFF000000}));

  // 1 bit: the high bit is the first pixel; 4 bits: the high nibble is.
  const std::vector<uint8_t> Mono = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
  EXPECT_EQ(Row(*Decode(Bmp(9, 1, 1, 0, Mono, {0xA0, 0x80, 0, 0})), 0),
            (std::vector<TvxColor>{0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
                                   0xFF000000, 0xFFFFFFFF}));
  EXPECT_EQ(Row(*Decode(Bmp(2, 1, 4, 0, Mono, {0x10, 0, 0, 0}, 2)), 0),
            (std::vector<TvxColor>{0xFFFFFFFF, 0xFF000000}));

  // 16 bits, 5-5-5: pure red and a mid grey.
  EXPECT_EQ(Row(*Decode(Bmp(2, 1, 16, 0, {}, {0x00, 0x7C, 0x10, 0x42})), 0),
            (std::vector<TvxColor>{0xFFFF0000, 0xFF848484}));
}

TEST(BmpFile, ThirtyTwoBitsKeepAlphaAndHonourBitFieldsAndTopDownRows) {
  const auto Alpha = Decode(Bmp(2, -2, 32, 0, {}, {1, 2, 3, 0x80, 4, 5, 6, 0xFF, 7, 8, 9, 0xFF, 10, 11, 12, 0}));
  EXPECT_EQ(Row(*Alpha, 0), (std::vector<TvxColor>{0x80030201, 0xFF060504})) << "negative height: top-down";
  EXPECT_TRUE(Alpha->AlphaBlend());
  // Masks swapping red and blue, no alpha mask: opaque.
  const std::vector<uint8_t> Masks = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};
  EXPECT_EQ(Row(*Decode(Bmp(1, 1, 32, 3, Masks, {0x11, 0x22, 0x33, 0x00})), 0), std::vector<TvxColor>{0xFF112233});
}

TEST(BmpFile, WideBitFieldsScaleWithoutOverflowAndAZeroOffsetMeansRightAfterTheHeaders) {
  // One 32-bit mask for red, none for green and blue (they read as full).
  const std::vector<uint8_t> Masks = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Row(*Decode(Bmp(2, 1, 32, 3, Masks, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80})), 0),
            (std::vector<TvxColor>{0xFFFFFFFF, 0xFF80FFFF}));
  auto NoOffset = Bmp(1, 1, 24, 0, {}, {1, 2, 3, 0});
  NoOffset[10] = 0;
  EXPECT_EQ(Row(*Decode(NoOffset), 0), std::vector<TvxColor>{0xFF030201});
}

TEST(BmpFile, DamagedFilesAreRefusedAndTheBitmapKept) {
  const std::vector<uint8_t> Good = Bmp(2, 2, 24, 0, {}, std::vector<uint8_t>(16, 7));
  auto Truncated = Good;
  Truncated.resize(Good.size() - 1);
  auto NotBmp = Good;
  NotBmp[0] = 'X';
  const struct {
    const char* What;
    std::vector<uint8_t> File;
  } Cases[] = {
      {"not a bitmap file", NotBmp},
      {"truncated pixels", Truncated},
      {"too large", Bmp(100000, 100000, 24, 0, {}, {})},
      {"no width", Bmp(0, 5, 24, 0, {}, {})},
      {"run-length compressed", Bmp(2, 2, 8, 1, std::vector<uint8_t>(1024), std::vector<uint8_t>(8))},
      {"palette larger than 256", Bmp(1, 1, 8, 0, {}, {0, 0, 0, 0}, 300)},
      {"palette past the end", Bmp(1, 1, 8, 0, {}, {0, 0, 0, 0}, 200)},
      {"unsupported depth", Bmp(1, 1, 7, 0, {}, {0, 0, 0, 0})},
      {"only a header", std::vector<uint8_t>(Good.begin(), Good.begin() + 20)},
      {"pixels inside the headers",
       [&Good] {
         auto F = Good;
         F[10] = 20;
         return F;
       }()},
      // Four masks asked for after a 54-byte header that holds three, at the very end of the
      // file (found by fuzzing: the alpha mask was read past the end).
      {"alpha mask past the end",
       {0x42, 0x4D, 0x3A, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x7C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,
        0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x01, 0x2A, 0x20, 0x00, 0x06, 0x00, 0x00, 0x00, 0x00, 0x0A,
        0x14, 0x00, 0x28, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x08, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0xCD, 0x18, 0x00, 0x00, 0x00, 0x00}},
  };
  for (const auto& C : Cases) {
    TvxBitmap B;
    Paint(B, 1, 1, 0xFF000001);
    B.SetName("kept");
    EXPECT_THROW(LoadBmpFile(B, C.File.data(), C.File.size()), EReadError) << C.What;
    EXPECT_EQ(B.GetPixel(0, 0), 0xFF000001u) << C.What;
    EXPECT_EQ(B.Name(), "kept") << C.What;
  }
}
