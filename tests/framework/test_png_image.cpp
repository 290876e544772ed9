// The PNG codec: every colour type lands as 8-bit 0xAARRGGBB, writing and reading give the same
// pixels back, and damaged, truncated or oversized files are refused with EInvalidGraphic.
#include <gtest/gtest.h>

#include "framework/graphics/png_image.h"
#include "png_bytes.h"

namespace {

TPngPixels Read(const std::vector<uint8_t>& Bytes) {
  TBufferStream Stream(Bytes.data(), int64_t(Bytes.size()));
  return ReadPng(Stream);
}

std::vector<uint8_t> Write(const std::vector<uint32_t>& Pixels, Integer W, Integer H, bool WithAlpha) {
  TMemoryStream Stream;
  WritePng(Stream, Pixels.data(), W, H, WithAlpha);
  return Stream.Data();
}

// A stream whose size cannot be known in advance, like a decompressing reader.
class TUnsizedStream : public TBufferStream {
 public:
  using TBufferStream::TBufferStream;
  bool CanSeek() const override { return false; }
};

// A valid 2 x 2 RGBA file: red, green / blue at alpha 0x80, white at alpha 0.
std::vector<uint8_t> SmallRgba() {
  return TPngBytes()
      .Header(2, 2, 8, 6)
      .Pixels({0, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 255, 0x80, 255, 255, 255, 0})
      .End()
      .Data;
}

}  // namespace

TEST(PngCodec, WritesAndReadsBackEveryPixel) {
  const std::vector<uint32_t> Pixels = {0x80FF0000, 0xFF00FF00, 0x000000FF, 0x01020304, 0xFEFDFCFB, 0x7F7F007F};
  const TPngPixels WithAlpha = Read(Write(Pixels, 3, 2, true));
  EXPECT_EQ(WithAlpha.Width, 3);
  EXPECT_EQ(WithAlpha.Height, 2);
  EXPECT_TRUE(WithAlpha.HasAlpha);
  EXPECT_EQ(WithAlpha.Pixels, Pixels);

  // Without an alpha channel the colours stay and every pixel comes back opaque.
  const TPngPixels Opaque = Read(Write(Pixels, 3, 2, false));
  EXPECT_FALSE(Opaque.HasAlpha);
  for (size_t I = 0; I < Pixels.size(); ++I) EXPECT_EQ(Opaque.Pixels[I], Pixels[I] | 0xFF000000) << I;
}

TEST(PngCodec, ReadsEachColourTypeAsEightBitChannels) {
  struct TCase {
    const char* Name;
    std::vector<uint8_t> File;
    bool HasAlpha;
    std::vector<uint32_t> Expected;
  };
  const TCase Cases[] = {
      {"RGBA, 2 x 2", SmallRgba(), true, {0xFFFF0000, 0xFF00FF00, 0x800000FF, 0x00FFFFFF}},
      {"RGB",
       TPngBytes().Header(2, 1, 8, 2).Pixels({0, 10, 20, 30, 40, 50, 60}).End().Data,
       false,
       {0xFF0A141E, 0xFF28323C}},
      // Grey 0x40, then 0xC0 with alpha 0x20.
      {"grey with alpha",
       TPngBytes().Header(2, 1, 8, 4).Pixels({0, 0x40, 0xFF, 0xC0, 0x20}).End().Data,
       true,
       {0xFF404040, 0x20C0C0C0}},
      // 16-bit grey: 0xFFFF is white, 0x0000 black.
      {"16-bit grey",
       TPngBytes().Header(2, 1, 16, 0).Pixels({0, 0xFF, 0xFF, 0, 0}).End().Data,
       false,
       {0xFFFFFFFF, 0xFF000000}},
      // Two palette entries at 1 bit per pixel; entry 1 is half transparent through tRNS.
      {"palette with transparency",
       TPngBytes()
           .Header(3, 1, 1, 3)
           .Chunk("PLTE", {10, 20, 30, 200, 100, 50})
           .Chunk("tRNS", {255, 0x80})
           .Pixels({0, 0b01000000})
           .End()
           .Data,
       true,
       {0xFF0A141E, 0x80C86432, 0xFF0A141E}},
      // Adam7 on 2 x 2: pass 1 holds (0, 0), pass 6 (1, 0), pass 7 the whole second row.
      {"interlaced grey",
       TPngBytes().Header(2, 2, 8, 0, 1).Pixels({0, 0x10, 0, 0x20, 0, 0x30, 0x40}).End().Data,
       false,
       {0xFF101010, 0xFF202020, 0xFF303030, 0xFF404040}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    const TPngPixels Image = Read(C.File);
    EXPECT_EQ(Image.HasAlpha, C.HasAlpha);
    EXPECT_EQ(Image.Pixels, C.Expected);
  }
}

TEST(PngCodec, DamagedOrTruncatedFilesAreRefused) {
  const std::vector<uint8_t> Good = SmallRgba();
  std::vector<uint8_t> BadCrc = Good;
  BadCrc[8 + 8 + 13] ^= 1;  // the IHDR checksum
  std::vector<uint8_t> BadSignature = Good;
  BadSignature[1] = 'Q';
  struct TCase {
    const char* Name;
    std::vector<uint8_t> File;
  };
  const TCase Cases[] = {
      {"empty", {}},
      {"inside the signature", {Good.begin(), Good.begin() + 5}},
      {"inside the header", {Good.begin(), Good.begin() + 20}},
      {"inside the pixel data", {Good.begin(), Good.end() - 24}},
      {"header checksum", BadCrc},
      {"signature", BadSignature},
      {"bit depth 3", TPngBytes().Header(1, 1, 3, 0).Pixels({0, 0}).End().Data},
      {"zero width", TPngBytes().Header(0, 1, 8, 0).Pixels({0}).End().Data},
      {"pixel data is not zlib", TPngBytes().Header(1, 1, 8, 0).Chunk("IDAT", {1, 2, 3, 4}).End().Data},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    try {
      Read(C.File);
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& E) {
      EXPECT_EQ(std::string(E.what()).rfind("Invalid PNG image: ", 0), 0u) << E.what();
    }
  }
}

TEST(PngCodec, DeclaredSizesBeyondTheBoundsAreRefusedBeforeDecoding) {
  // Sides past MaxGraphicSide, and 30000 x 30000 which is past MaxGraphicPixels. The pixel data
  // is not even zlib: only the size can be the reason given.
  for (const auto& [W, H] : {std::pair{40000u, 1u}, std::pair{1u, 40000u}, std::pair{30000u, 30000u}}) {
    const std::vector<uint8_t> File = TPngBytes().Header(W, H, 8, 6).Chunk("IDAT", {1, 2, 3}).End().Data;
    try {
      Read(File);
      ADD_FAILURE() << W << " x " << H << " was accepted";
    } catch (const EInvalidGraphic& E) {
      EXPECT_NE(std::string(E.what()).find("exceeds"), std::string::npos) << E.what();
    }
  }
}

TEST(PngCodec, ReadsFromStreamsOfUnknownSize) {
  const std::vector<uint8_t> File = SmallRgba();
  TUnsizedStream Stream(File.data(), int64_t(File.size()));
  EXPECT_EQ(ReadPng(Stream).Pixels, Read(File).Pixels);
}

TEST(PngCodec, StreamFailuresSurfaceAsTheStreamRaisedThem) {
  class TFailingStream : public TStream {
   public:
    int64_t Read(void*, int64_t) override { throw EReadError("disk gone"); }
    int64_t Write(const void*, int64_t) override { throw EWriteError("disk full"); }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
  } Failing;
  try {
    ReadPng(Failing);
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidGraphic& E) {
    ADD_FAILURE() << "the stream's error was replaced: " << E.what();
  } catch (const EReadError& E) {
    EXPECT_STREQ(E.what(), "disk gone");
  }
  const uint32_t Pixel = 0xFF000000;
  EXPECT_THROW(WritePng(Failing, &Pixel, 1, 1, false), EWriteError);
}

TEST(PngCodec, EmptyImagesCannotBeWritten) {
  TMemoryStream Stream;
  const uint32_t Pixel = 0;
  EXPECT_THROW(WritePng(Stream, &Pixel, 0, 1, true), EInvalidGraphicOperation);
  EXPECT_THROW(WritePng(Stream, nullptr, 1, 1, true), EInvalidGraphicOperation);
  EXPECT_EQ(Stream.Size(), 0);
}
