#include <gtest/gtest.h>

#include <zlib.h>

#include <random>

#include "framework/core/zstream.h"

namespace {

std::vector<uint8_t> Compressible(size_t N) {
  std::vector<uint8_t> Data(N);
  std::mt19937 Rng(7);
  for (size_t I = 0; I < N; ++I) Data[I] = uint8_t(I % 251 < 200 ? 'a' + I % 7 : Rng());
  return Data;
}

std::vector<uint8_t> Deflated(const std::vector<uint8_t>& Plain, int Level) {
  TMemoryStream Out;
  TCompressionStream Z(Out, Level);
  Z.WriteBuffer(Plain.data(), int64_t(Plain.size()));
  Z.Finish();
  return Out.Data();
}

}  // namespace

TEST(ZlibStreams, WhatIsDeflatedAtEachLevelInflatesBackAndIsAZlibStream) {
  const auto Plain = Compressible(300000);
  for (int Level : {1, -1, 9}) {
    const auto Packed = Deflated(Plain, Level);
    ASSERT_LT(Packed.size(), Plain.size());
    // zlib's own one-shot inflate agrees, so the bytes are a plain zlib stream.
    std::vector<uint8_t> ByZlib(Plain.size());
    uLongf Length = uLongf(ByZlib.size());
    ASSERT_EQ(uncompress(ByZlib.data(), &Length, Packed.data(), uLong(Packed.size())), Z_OK);
    EXPECT_EQ(ByZlib, Plain);
    TMemoryStream In(Packed);
    TDecompressionStream Reader(In);
    std::vector<uint8_t> Back(Plain.size());
    Reader.ReadBuffer(Back.data(), int64_t(Back.size()));
    EXPECT_EQ(Back, Plain) << "level " << Level;
    uint8_t Extra;
    EXPECT_EQ(Reader.Read(&Extra, 1), 0) << "nothing after the end of the zlib stream";
  }
}

TEST(ZlibStreams, TruncatedDataReadsShortAndDamagedDataRaises) {
  const auto Plain = Compressible(50000);
  auto Packed = Deflated(Plain, -1);
  TMemoryStream Cut(std::vector<uint8_t>(Packed.begin(), Packed.begin() + Packed.size() / 2));
  TDecompressionStream FromCut(Cut);
  std::vector<uint8_t> Back(Plain.size());
  try {
    FromCut.ReadBuffer(Back.data(), int64_t(Back.size()));
    FAIL() << "no exception";
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), "Stream read error");
  }
  Packed[Packed.size() / 3] ^= 0xFF;
  Packed[Packed.size() / 3 + 1] ^= 0x5A;
  TMemoryStream Damaged(Packed);
  TDecompressionStream FromDamaged(Damaged);
  EXPECT_THROW(FromDamaged.ReadBuffer(Back.data(), int64_t(Back.size())), EStreamError);
  TMemoryStream NotZlib(std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'});
  TDecompressionStream FromText(NotZlib);
  EXPECT_THROW(FromText.ReadBuffer(Back.data(), 1), ECompressionError);
}

TEST(ZlibStreams, ReadersCannotTellTheirSizeButSkipForward) {
  const auto Plain = Compressible(1000);
  TMemoryStream In(Deflated(Plain, 1));
  TDecompressionStream Reader(In);
  EXPECT_FALSE(Reader.CanSeek());
  EXPECT_EQ(Reader.Remaining(), -1);
  Reader.Seek(600, TSeekOrigin::soCurrent);
  EXPECT_EQ(Reader.Position(), 600);
  EXPECT_EQ(Reader.ReadByte(), Plain[600]);
  EXPECT_THROW(Reader.SetPosition(0), ECompressionError);
}
