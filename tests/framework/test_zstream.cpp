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

namespace {

std::vector<uint8_t> Bytes(const TByteBuffer& B) { return {B.Data(), B.Data() + B.Size()}; }

std::vector<uint8_t> InflatedByStreaming(const std::vector<uint8_t>& Packed, size_t Size) {
  TMemoryStream In(Packed);
  TDecompressionStream Reader(In);
  std::vector<uint8_t> Back(Size);
  Reader.ReadBuffer(Back.data(), int64_t(Back.size()));
  return Back;
}

// The message a read of Packed through the streaming reader ends with ("" when it reads all).
std::string StreamingError(const std::vector<uint8_t>& Packed, size_t Size) {
  try {
    InflatedByStreaming(Packed, Size);
  } catch (const Exception& E) {
    return E.Message();
  }
  return "";
}

}  // namespace

TEST(WholeBuffers, DeflatedAtEachLevelReadsThroughTheStreamingReaderAndTheOtherWayRound) {
  const auto Plain = Compressible(300000);
  for (int Level : {0, 1, -1, 9}) {
    const auto Whole = Bytes(DeflateBuffer(Plain.data(), Plain.size(), Level));
    EXPECT_EQ(InflatedByStreaming(Whole, Plain.size()), Plain) << "level " << Level;
    const auto Streamed = Deflated(Plain, Level);
    const TInflated Back = InflateBuffer(Streamed.data(), Streamed.size(), Plain.size());
    EXPECT_TRUE(Back.Complete) << "level " << Level;
    EXPECT_EQ(Bytes(Back.Bytes), Plain) << "level " << Level;
    // The level shows in the zlib header as zlib writes it.
    EXPECT_EQ(std::vector<uint8_t>(Whole.begin(), Whole.begin() + 2),
              std::vector<uint8_t>(Streamed.begin(), Streamed.begin() + 2))
        << "level " << Level;
  }
  const TByteBuffer Empty = DeflateBuffer(nullptr, 0, 1);
  const TInflated NoBytes = InflateBuffer(Empty.Data(), Empty.Size(), 0);
  EXPECT_TRUE(NoBytes.Complete);
  EXPECT_EQ(NoBytes.Bytes.Size(), 0u);
  EXPECT_THROW(DeflateBuffer(Plain.data(), Plain.size(), 10), ECompressionError);
}

TEST(WholeBuffers, DamagedDataRaisesAsTheStreamingReaderDoesAndCutDataKeepsWhatItGave) {
  const auto Plain = Compressible(50000);
  const auto Packed = Deflated(Plain, -1);
  auto Flipped = Packed;
  Flipped[Flipped.size() / 3] ^= 0xFF;
  Flipped[Flipped.size() / 3 + 1] ^= 0x5A;
  auto BadCheck = Packed;
  BadCheck.back() ^= 1;
  const std::vector<uint8_t> Damaged[] = {Flipped, BadCheck, {'h', 'e', 'l', 'l', 'o'}, {0x78, 0x9C}};
  for (const auto& Data : Damaged) {
    const std::string Expected = StreamingError(Data, Plain.size() + 1);
    try {
      const TInflated Back = InflateBuffer(Data.data(), Data.size(), Plain.size() * 2);
      EXPECT_FALSE(Back.Complete) << "length " << Data.size();
      EXPECT_EQ(Expected, "Stream read error") << "the streaming reader found it cut too";
    } catch (const ECompressionError& E) {
      EXPECT_EQ(E.Message(), Expected);
      EXPECT_EQ(E.Message().rfind("Compressed data is damaged: ", 0), 0u) << E.Message();
      EXPECT_EQ(dynamic_cast<const EInflateLimitError*>(&E), nullptr);
    }
  }
  for (size_t Length : {size_t(0), size_t(2), Packed.size() / 2, Packed.size() - 1}) {
    const TInflated Back = InflateBuffer(Packed.data(), Length, Plain.size() * 2);
    EXPECT_FALSE(Back.Complete) << "cut at " << Length;
    ASSERT_LE(Back.Bytes.Size(), Plain.size());
    EXPECT_TRUE(std::equal(Back.Bytes.Data(), Back.Bytes.Data() + Back.Bytes.Size(), Plain.begin())) << Length;
    // The streaming reader reads exactly as far.
    const std::vector<uint8_t> Cut(Packed.begin(), Packed.begin() + Length);
    EXPECT_EQ(StreamingError(Cut, Back.Bytes.Size()), "") << Length;
    EXPECT_EQ(StreamingError(Cut, Back.Bytes.Size() + 1), "Stream read error") << Length;
  }
  // Bytes after the end of the zlib stream are not part of it.
  auto Trailing = Packed;
  Trailing.insert(Trailing.end(), {1, 2, 3});
  EXPECT_EQ(Bytes(InflateBuffer(Trailing.data(), Trailing.size(), Plain.size()).Bytes), Plain);
}

TEST(WholeBuffers, InflatingStopsAtTheLimit) {
  // A few kilobytes that claim 8 MiB, against limits below, at and above that.
  const std::vector<uint8_t> Zeros(8 << 20);
  const auto Bomb = Bytes(DeflateBuffer(Zeros.data(), Zeros.size(), 9));
  ASSERT_LT(Bomb.size(), 16384u);
  for (size_t Limit : {size_t(1000), Zeros.size() - 1}) {
    try {
      InflateBuffer(Bomb.data(), Bomb.size(), Limit);
      FAIL() << "no exception at " << Limit;
    } catch (const EInflateLimitError& E) {
      EXPECT_EQ(E.Message(), "Compressed data inflates to more than " + std::to_string(Limit) + " bytes");
    }
  }
  EXPECT_EQ(InflateBuffer(Bomb.data(), Bomb.size(), Zeros.size()).Bytes.Size(), Zeros.size());
  EXPECT_EQ(InflateBuffer(Bomb.data(), Bomb.size(), Zeros.size() * 4).Bytes.Size(), Zeros.size());
  // The same limit holds where zlib has to tell damage from a cut: a cut bomb.
  EXPECT_THROW(InflateBuffer(Bomb.data(), Bomb.size() - 5, 1 << 20), EInflateLimitError);
}
