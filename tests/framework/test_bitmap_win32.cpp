// TBitmap: a DIB section with its own canvas and scan lines; BMP files in and out, refused
// whole when damaged; transparent drawing; the clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "graphics_bytes.h"

namespace {

// Each byte of each row a different value, so that a moved or lost byte shows.
void PaintNumbered(TBitmap& B, Integer W, Integer H, TPixelFormat Format) {
  B.SetPixelFormat(Format);
  B.SetSize(W, H);
  const int Size = Format == TPixelFormat::pf32bit ? 4 : 3;
  for (Integer Y = 0; Y < H; ++Y) {
    auto* Row = static_cast<uint8_t*>(B.ScanLine(Y));
    for (Integer I = 0; I < W * Size; ++I) Row[I] = uint8_t(Y * 64 + I + 1);
  }
}

std::vector<uint8_t> RowBytes(const TBitmap& B, Integer Y) {
  const auto* Row = static_cast<const uint8_t*>(B.ScanLine(Y));
  return {Row, Row + B.Width() * (B.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3)};
}

// Other programs under test may hold the clipboard for a moment.
bool OpenClipboardPatiently() {
  for (int Attempt = 0; Attempt < 20; ++Attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

TEST(Bitmap, BmpRoundTripKeepsFormatAndEveryByte) {
  for (TPixelFormat Format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    SCOPED_TRACE(int(Format));
    TBitmap Original, Loaded;
    PaintNumbered(Original, 3, 2, Format);
    LoadGraphic(Loaded, SaveGraphic(Original));
    EXPECT_EQ(Loaded.PixelFormat(), Format);
    ASSERT_EQ(Loaded.Width(), 3);
    ASSERT_EQ(Loaded.Height(), 2);
    for (Integer Y = 0; Y < 2; ++Y) EXPECT_EQ(RowBytes(Loaded, Y), RowBytes(Original, Y)) << "row " << Y;
  }
}

TEST(Bitmap, SavedFileHasTheStandardHeadersAndRowsBottomUp) {
  TBitmap B;
  Filled(B, 2, 2, 0x0000FF);            // blue
  std::memset(B.ScanLine(0), 0x11, 6);  // the top row
  const std::vector<uint8_t> File = SaveGraphic(B);
  ASSERT_EQ(File.size(), 54u + 2 * 8);  // rows of 6 bytes padded to 8
  const auto U32 = [&File](size_t At) {
    uint32_t V;
    std::memcpy(&V, &File[At], 4);
    return V;
  };
  EXPECT_EQ(File[0], 'B');
  EXPECT_EQ(File[1], 'M');
  EXPECT_EQ(U32(2), 70u);
  EXPECT_EQ(U32(10), 54u);
  EXPECT_EQ(U32(14), 40u);
  EXPECT_EQ(U32(18), 2u);
  EXPECT_EQ(U32(22), 2u) << "positive height: bottom-up";
  EXPECT_EQ(File[28], 24);
  // The first stored row is the bottom one (blue: bytes 255, 0, 0), the second the top one.
  EXPECT_EQ((std::vector<uint8_t>(File.begin() + 54, File.begin() + 60)), (std::vector<uint8_t>{255, 0, 0, 255, 0, 0}));
  EXPECT_EQ(File[62], 0x11);
}

TEST(Bitmap, ReadsEachDepthOfTheFormat) {
  struct TCase {
    const char* Name;
    std::vector<uint8_t> File;
    TPixelFormat Format;
    std::vector<uint32_t> Expected;  // 0x00RRGGBB, row by row from the top
  };
  const std::vector<uint8_t> Palette = {0x30, 0x20, 0x10, 0, 0xFF, 0xFF, 0xFF, 0};
  const TCase Cases[] = {
      // Top-down (negative height) 8-bit rows with a two-entry palette.
      {"8-bit, top-down",
       BmpFile(2, -2, 8, 0, Palette, {0, 1, 0, 0, 1, 1, 0, 0}, 2),
       TPixelFormat::pf24bit,
       {0x102030, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
      // Bits 1, 0, 1 from the high bit; one row padded to 4 bytes.
      {"1-bit",
       BmpFile(3, 1, 1, 0, Palette, {0b10100000, 0, 0, 0}),
       TPixelFormat::pf24bit,
       {0xFFFFFF, 0x102030, 0xFFFFFF}},
      // 5-5-5: pure red 0x7C00, pure blue 0x001F.
      {"16-bit", BmpFile(2, 1, 16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}), TPixelFormat::pf24bit, {0xFF0000, 0x0000FF}},
      // Bit fields that put red in the low byte; alpha comes out 255 (no alpha mask).
      {"32-bit fields",
       BmpFile(1, 1, 32, 3, {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0}, {0x12, 0x34, 0x56, 0}),
       TPixelFormat::pf32bit,
       {0x123456}},
      // A pixel offset that leaves a gap after the headers.
      {"gap before the pixels",
       BmpFile(1, 1, 24, 0, {9, 9, 9, 9}, {1, 2, 3, 0}, 0, 58),
       TPixelFormat::pf24bit,
       {0x030201}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TBitmap B;
    LoadGraphic(B, C.File);
    EXPECT_EQ(B.PixelFormat(), C.Format);
    std::vector<uint32_t> Got;
    for (Integer Y = 0; Y < B.Height(); ++Y)
      for (Integer X = 0; X < B.Width(); ++X) Got.push_back(Rgb(B, X, Y));
    EXPECT_EQ(Got, C.Expected);
  }
  // A 32-bit BI_RGB file keeps its fourth byte as alpha.
  TBitmap Alpha;
  LoadGraphic(Alpha, BmpFile(1, 1, 32, 0, {}, {1, 2, 3, 0x80}));
  EXPECT_EQ(Argb(Alpha, 0, 0), 0x80030201u);
}

TEST(Bitmap, DamagedFilesAreRefusedAndLeaveTheBitmapAsItWas) {
  const std::vector<uint8_t> Good = BmpFile(2, 2, 24, 0, {}, std::vector<uint8_t>(16, 7));
  const auto Cut = [&Good](size_t N) { return std::vector<uint8_t>(Good.begin(), Good.begin() + N); };
  struct TCase {
    const char* Name;
    std::vector<uint8_t> File;
  };
  const TCase Cases[] = {
      {"empty", {}},
      {"inside the file header", Cut(10)},
      {"inside the info header", Cut(30)},
      {"inside the pixels", Cut(Good.size() - 1)},
      {"not a bitmap", std::vector<uint8_t>(60, 'x')},
      {"header size 9999",
       [&] {
         auto F = Good;
         F[14] = 0x0F, F[15] = 0x27;
         return F;
       }()},
      {"7 bits per pixel", BmpFile(1, 1, 7, 0, {}, {0, 0, 0, 0})},
      {"run-length compressed", BmpFile(1, 1, 8, 1, std::vector<uint8_t>(1024, 0), {0, 1, 0, 0})},
      {"width beyond the bound", BmpFile(40000, 1, 24, 0, {}, {})},
      {"pixels beyond the bound", BmpFile(30000, 30000, 24, 0, {}, {})},
      {"negative width", BmpFile(-2, 2, 24, 0, {}, std::vector<uint8_t>(16, 7))},
      {"palette of 300 colours", BmpFile(1, 1, 8, 0, std::vector<uint8_t>(1200, 0), {0, 0, 0, 0}, 300)},
      {"pixels inside the headers", BmpFile(2, 2, 24, 0, {}, std::vector<uint8_t>(16, 7), 0, 20)},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TBitmap B;
    PaintNumbered(B, 2, 1, TPixelFormat::pf32bit);
    const std::vector<uint8_t> Before = RowBytes(B, 0);
    try {
      LoadGraphic(B, C.File);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& E) {
      EXPECT_EQ(std::string(E.what()).rfind("Invalid bitmap file: ", 0), 0u) << E.what();
    }
    EXPECT_EQ(B.PixelFormat(), TPixelFormat::pf32bit);
    ASSERT_EQ(B.Width(), 2);
    ASSERT_EQ(B.Height(), 1);
    EXPECT_EQ(RowBytes(B, 0), Before);
  }
}

TEST(Bitmap, StreamsOfUnknownSizeReadWholeFilesAndRefuseShortOnes) {
  TBitmap Original, Loaded;
  PaintNumbered(Original, 3, 3, TPixelFormat::pf24bit);
  const std::vector<uint8_t> File = SaveGraphic(Original);
  TUnsizedStream Whole(File.data(), int64_t(File.size()));
  Loaded.LoadFromStream(Whole);
  EXPECT_EQ(RowBytes(Loaded, 2), RowBytes(Original, 2));

  // A header that claims 30000 x 2000 pixels (allowed) followed by 12 bytes.
  const std::vector<uint8_t> Claim = BmpFile(30000, 2000, 24, 0, {}, std::vector<uint8_t>(12, 1));
  TUnsizedStream Short(Claim.data(), int64_t(Claim.size()));
  EXPECT_THROW(Loaded.LoadFromStream(Short), EInvalidGraphic);
  EXPECT_EQ(Loaded.Width(), 3);
}

TEST(Bitmap, ResizingKeepsTheOverlapAndCanvasAndScanLinesShareThePixels) {
  TBitmap B;
  Filled(B, 2, 2, 0xFF0000);
  B.SetSize(3, 1);
  EXPECT_EQ(Rgb(B, 0, 0), 0xFF0000u);
  EXPECT_EQ(Rgb(B, 1, 0), 0xFF0000u);
  EXPECT_EQ(Rgb(B, 2, 0), 0u) << "new pixels start black";

  B.Canvas().Brush().SetColor(clLime);
  B.Canvas().FillRect({2, 0, 3, 1});
  EXPECT_EQ(Rgb(B, 2, 0), 0x00FF00u) << "drawing through the canvas reaches the scan lines";
  static_cast<uint8_t*>(B.ScanLine(0))[0] = 0xFF;  // blue byte of pixel 0
  EXPECT_EQ(B.Canvas().Pixel(0, 0), TColor(0xFF00FF));
  EXPECT_THROW(B.ScanLine(1), EInvalidGraphicOperation);
  EXPECT_THROW(B.ScanLine(-1), EInvalidGraphicOperation);
  EXPECT_THROW(B.SetSize(40000, 1), EInvalidGraphicOperation);
  EXPECT_EQ(B.Width(), 3);
}

TEST(Bitmap, PixelFormatChangesKeepTheColours) {
  TBitmap B;
  Filled(B, 2, 1, 0x336699);
  B.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(Rgb(B, 1, 0), 0x336699u);
  B.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(Rgb(B, 0, 0), 0x336699u);
  EXPECT_THROW(B.SetPixelFormat(TPixelFormat::pf8bit), EInvalidGraphicOperation);

  // One bit: white stays white, black stays black.
  B.Canvas().Brush().SetColor(clWhite);
  B.Canvas().FillRect({0, 0, 1, 1});
  B.Canvas().Brush().SetColor(clBlack);
  B.Canvas().FillRect({1, 0, 2, 1});
  B.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(static_cast<const uint8_t*>(B.ScanLine(0))[0] >> 6, 0b10);
  TBitmap Mono;
  LoadGraphic(Mono, SaveGraphic(B));
  EXPECT_EQ(Rgb(Mono, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(Rgb(Mono, 1, 0), 0u);
}

TEST(Bitmap, TransparentDrawingLeavesTheTransparentColourOut) {
  TBitmap Source, Target;
  Filled(Source, 2, 1, 0xFFFFFF);
  Source.Canvas().Brush().SetColor(clRed);
  Source.Canvas().FillRect({1, 0, 2, 1});
  Filled(Target, 2, 1, 0x0000FF);
  // Automatic: the bottom-left pixel's colour.
  EXPECT_EQ(Source.TransparentColor(), clWhite);
  Source.SetTransparent(true);
  Source.Draw(Target.Canvas(), {0, 0, 2, 1});
  EXPECT_EQ(Rgb(Target, 0, 0), 0x0000FFu);
  EXPECT_EQ(Rgb(Target, 1, 0), 0xFF0000u);

  Source.SetTransparentColor(clRed);
  EXPECT_EQ(Source.TransparentMode(), TTransparentMode::tmFixed);
  Filled(Target, 2, 1, 0x0000FF);
  Source.Draw(Target.Canvas(), {0, 0, 2, 1});
  EXPECT_EQ(Rgb(Target, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(Rgb(Target, 1, 0), 0x0000FFu);

  // Opaque drawing stretches: each source pixel covers two target columns.
  Source.SetTransparent(false);
  Target.SetSize(4, 1);
  Source.Draw(Target.Canvas(), {0, 0, 4, 1});
  EXPECT_EQ(Rgb(Target, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(Rgb(Target, 2, 0), 0xFF0000u);
}

TEST(Bitmap, AssignCopiesPixelsThatThenLiveApart) {
  TBitmap Original, Copy;
  PaintNumbered(Original, 2, 2, TPixelFormat::pf32bit);
  Copy.Assign(&Original);
  EXPECT_EQ(Copy.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(RowBytes(Copy, 1), RowBytes(Original, 1));
  SetArgb(Original, 0, 1, 0);
  EXPECT_NE(Argb(Copy, 0, 1), 0u);
  TFont Font;
  EXPECT_THROW(Copy.Assign(&Font), EConvertError);
}

TEST(Bitmap, CopyToClipboardPlacesTheDib) {
  TBitmap B;
  B.SetPixelFormat(TPixelFormat::pf32bit);
  B.SetSize(2, 1);
  SetArgb(B, 0, 0, 0x80112233);
  SetArgb(B, 1, 0, 0xFF445566);
  B.CopyToClipboard();
  ASSERT_TRUE(OpenClipboardPatiently());
  HANDLE Data = GetClipboardData(CF_DIB);
  ASSERT_NE(Data, nullptr);
  const auto* Header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(Data));
  EXPECT_EQ(Header->biWidth, 2);
  EXPECT_EQ(Header->biHeight, 1);
  EXPECT_EQ(Header->biBitCount, 32);
  const auto* Pixels = reinterpret_cast<const uint32_t*>(Header + 1);
  EXPECT_EQ(Pixels[0] & 0xFFFFFF, 0x112233u);
  EXPECT_EQ(Pixels[1] & 0xFFFFFF, 0x445566u);
  GlobalUnlock(Data);
  CloseClipboard();
}

TEST(Bitmap, CanvasDrawsAGraphicAtItsOwnSizeOrStretched) {
  TBitmap Source, Target;
  Filled(Source, 2, 1, 0xFFFFFF);
  Source.Canvas().Brush().SetColor(clRed);
  Source.Canvas().FillRect({1, 0, 2, 1});
  Filled(Target, 6, 1, 0x0000FF);
  Target.Canvas().Draw(3, 0, Source);
  EXPECT_EQ(Rgb(Target, 2, 0), 0x0000FFu);
  EXPECT_EQ(Rgb(Target, 3, 0), 0xFFFFFFu);
  EXPECT_EQ(Rgb(Target, 4, 0), 0xFF0000u);
  EXPECT_EQ(Rgb(Target, 5, 0), 0x0000FFu);
  Target.Canvas().StretchDraw({0, 0, 6, 1}, Source);
  EXPECT_EQ(Rgb(Target, 2, 0), 0xFFFFFFu);
  EXPECT_EQ(Rgb(Target, 3, 0), 0xFF0000u);
}
