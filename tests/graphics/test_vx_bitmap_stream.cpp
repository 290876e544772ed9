#include <gtest/gtest.h>

#include <climits>

#include "bitmap_helpers.h"

namespace {

// The stored form written out by hand: Str name, Int32 width, Int32 height, pixels as B G R A.
struct TRecord {
  std::vector<uint8_t> Bytes;
  TRecord& Int(int32_t V) {
    for (int I = 0; I < 4; ++I) Bytes.push_back(uint8_t(uint32_t(V) >> (8 * I)));
    return *this;
  }
  TRecord& Str(const std::string& S) {
    Int(int32_t(S.size()));
    Bytes.insert(Bytes.end(), S.begin(), S.end());
    return *this;
  }
  TRecord& Pixel(TvxColor P) { return Int(int32_t(P)); }
};

TvxBitmap& Loaded(TvxBitmap& B, const TRecord& R) {
  TMemoryStream S(R.Bytes);
  B.LoadFromStream(S);
  return B;
}

}  // namespace

TEST(BitmapStream, WritesNameSizeAndTopDownPixelsInByteOrder) {
  TvxBitmap B;
  Paint(B, 2, 2, 0);
  B.SetName("ab");
  B.SetPixel(0, 0, 0x04030201);
  B.SetPixel(1, 1, 0x88776655);
  TMemoryStream S;
  B.SaveToStream(S);
  const std::vector<uint8_t> Expected = {2, 0, 0, 0, 'a', 'b', 2, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3, 4, 0, 0, 0, 0,
                                         0, 0, 0, 0, 0x55, 0x66, 0x77, 0x88};
  EXPECT_EQ(S.Data(), Expected);

  TvxBitmap Back;
  S.SetPosition(0);
  Back.LoadFromStream(S);
  EXPECT_EQ(Back.Name(), "ab");
  EXPECT_EQ(AllPixels(Back), AllPixels(B));
  EXPECT_EQ(S.Position(), S.Size());
}

TEST(BitmapStream, ZeroOrNegativeHeightMeansBottomUpRows) {
  TvxBitmap TopDown, BottomUp;
  Loaded(TopDown, TRecord().Str("x").Int(1).Int(2).Pixel(0xFF000001).Pixel(0xFF000002));
  Loaded(BottomUp, TRecord().Str("x").Int(1).Int(-2).Pixel(0xFF000002).Pixel(0xFF000001));
  EXPECT_EQ(BottomUp.Height(), 2);
  EXPECT_EQ(AllPixels(BottomUp), AllPixels(TopDown));
}

TEST(BitmapStream, AZeroSideStoresNoPixelsAndKeepsTheImage) {
  TvxBitmap B;
  Paint(B, 2, 1, 0xFF000007);
  TMemoryStream S(TRecord().Str("empty").Int(0).Int(5).Int(0x12345678).Bytes);
  B.LoadFromStream(S);
  EXPECT_EQ(B.Name(), "empty");
  EXPECT_EQ(B.Width(), 2);
  EXPECT_EQ(B.GetPixel(1, 0), 0xFF000007u);
  EXPECT_EQ(S.Position(), 4 + 5 + 8) << "no pixel bytes are consumed";
}

TEST(BitmapStream, BadRecordsRaiseAndLeaveTheBitmapAsItWas) {
  const struct {
    const char* What;
    TRecord Record;
  } Cases[] = {
      {"negative width", TRecord().Str("n").Int(-1).Int(1).Pixel(0)},
      {"height of INT_MIN", TRecord().Str("n").Int(1).Int(INT_MIN).Pixel(0)},
      {"side too long", TRecord().Str("n").Int(vxMaxBitmapSide + 1).Int(1)},
      {"too many pixels", TRecord().Str("n").Int(100000).Int(100000)},
      {"width times height overflows 32 bits", TRecord().Str("n").Int(65536).Int(65536)},
      {"truncated pixels", TRecord().Str("n").Int(2).Int(2).Pixel(1).Pixel(2).Pixel(3)},
      {"no size", TRecord().Str("n").Int(2)},
      {"truncated name", TRecord().Int(10).Int(0x41414141)},
      {"negative name length", TRecord().Int(-5)},
      {"nothing at all", TRecord()},
  };
  for (const auto& C : Cases) {
    TvxBitmap B;
    Paint(B, 2, 1, 0xFF000009);
    B.SetName("old");
    TMemoryStream S(C.Record.Bytes);
    EXPECT_THROW(B.LoadFromStream(S), EReadError) << C.What;
    EXPECT_EQ(B.Name(), "old") << C.What;
    EXPECT_EQ(B.Width(), 2) << C.What;
    EXPECT_EQ(AllPixels(B), std::vector<TvxColor>(2, 0xFF000009u)) << C.What;
  }
}

// A stream that cannot tell its size, as a decompressing reader cannot: truncation shows only
// when the read comes up short.
class TUnsizedStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  bool CanSeek() const override { return false; }
};

TEST(BitmapStream, TruncationIsCaughtOnStreamsOfUnknownSize) {
  TvxBitmap B;
  TUnsizedStream S(TRecord().Str("n").Int(3).Int(3).Pixel(1).Bytes);
  EXPECT_THROW(B.LoadFromStream(S), EReadError);
  EXPECT_TRUE(B.Empty());
  EXPECT_EQ(B.Name(), "");
  TUnsizedStream LongName(TRecord().Int(1 << 30).Bytes);
  EXPECT_THROW(B.LoadFromStream(LongName), EReadError);
}
