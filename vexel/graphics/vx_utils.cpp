#include "vexel/graphics/vx_utils.h"

#include "framework/core/sysutils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

// [Rectangles] ---------------------------------------------------------------------------------

namespace {

Integer Saturate(int64_t V) {
  return Integer(std::clamp<int64_t>(V, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

int64_t Width64(const TRect& R) { return int64_t(R.Right) - R.Left; }
int64_t Height64(const TRect& R) { return int64_t(R.Bottom) - R.Top; }

TRect Placed(int64_t Left, int64_t Top, int64_t Width, int64_t Height) {
  return {Saturate(Left), Saturate(Top), Saturate(Left + Width), Saturate(Top + Height)};
}

}  // namespace

Integer RectWidth(const TRect& R) { return Saturate(Width64(R)); }
Integer RectHeight(const TRect& R) { return Saturate(Height64(R)); }
bool RectIsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

TRect CenterRect(const TRect& R, const TRect& Within) {
  // Integer division truncates toward zero, as the halves must.
  return Placed(Within.Left + (Width64(Within) - Width64(R)) / 2, Within.Top + (Height64(Within) - Height64(R)) / 2,
                Width64(R), Height64(R));
}

TRect CenterRectVertically(const TRect& R, const TRect& Within) {
  return Placed(Within.Left, Within.Top + (Height64(Within) - Height64(R)) / 2, Width64(R), Height64(R));
}

TRect InflateRectBy(const TRect& R, Integer N) {
  return {Saturate(int64_t(R.Left) - N), Saturate(int64_t(R.Top) - N), Saturate(int64_t(R.Right) + N),
          Saturate(int64_t(R.Bottom) + N)};
}

TRect DeflateRectByMargins(const TRect& R, const TRect& Margins) {
  return {Saturate(int64_t(R.Left) + Margins.Left), Saturate(int64_t(R.Top) + Margins.Top),
          Saturate(int64_t(R.Right) - Margins.Right), Saturate(int64_t(R.Bottom) - Margins.Bottom)};
}

bool RectContains(const TRect& Inner, const TRect& Outer) {
  return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
         Inner.Bottom <= Outer.Bottom;
}

bool RectsEqual(const TRect& A, const TRect& B) { return A == B; }

// [Polygons] -----------------------------------------------------------------------------------

namespace {

struct TUint128 {
  uint64_t Hi, Lo;
};

TUint128 Multiply(uint64_t A, uint64_t B) {
  const uint64_t A0 = A & 0xFFFFFFFFu, A1 = A >> 32, B0 = B & 0xFFFFFFFFu, B1 = B >> 32;
  const uint64_t P00 = A0 * B0, P01 = A0 * B1, P10 = A1 * B0, P11 = A1 * B1;
  const uint64_t Middle = (P00 >> 32) + (P01 & 0xFFFFFFFFu) + (P10 & 0xFFFFFFFFu);
  return {P11 + (P01 >> 32) + (P10 >> 32) + (Middle >> 32), (Middle << 32) | (P00 & 0xFFFFFFFFu)};
}

int Sign(int64_t V) { return (V > 0) - (V < 0); }

// Sign of A * B - C * D, exact: the products of vertex offsets need up to 68 bits.
int CompareProducts(int64_t A, int64_t B, int64_t C, int64_t D) {
  const int Left = Sign(A) * Sign(B), Right = Sign(C) * Sign(D);
  if (Left != Right) return Left > Right ? 1 : -1;
  if (Left == 0) return 0;
  const auto Magnitude = [](int64_t X) { return uint64_t(X < 0 ? -X : X); };
  const TUint128 L = Multiply(Magnitude(A), Magnitude(B)), R = Multiply(Magnitude(C), Magnitude(D));
  const int Cmp = L.Hi != R.Hi ? (L.Hi < R.Hi ? -1 : 1) : (L.Lo != R.Lo ? (L.Lo < R.Lo ? -1 : 1) : 0);
  return Left > 0 ? Cmp : -Cmp;
}

}  // namespace

bool PointInPolygon(const TPoint& P, const std::vector<TPoint>& Points) {
  if (Points.size() < 3) return false;
  // Vertices relative to the pixel centre, in half pixels: every coordinate is odd, so the test
  // ray (the positive x axis) never passes through a vertex.
  const auto Relative = [&P](const TPoint& V) {
    return std::pair<int64_t, int64_t>{2 * (int64_t(V.X) - P.X) - 1, 2 * (int64_t(V.Y) - P.Y) - 1};
  };
  int64_t Winding = 0;
  auto A = Relative(Points.back());
  for (const TPoint& Next : Points) {
    const auto B = Relative(Next);
    // Which side of the edge A -> B the origin lies on: the sign of A.x * B.y - A.y * B.x.
    if (A.second < 0) {
      if (B.second > 0 && CompareProducts(A.first, B.second, A.second, B.first) > 0) ++Winding;
    } else if (B.second < 0 && CompareProducts(A.first, B.second, A.second, B.first) < 0) {
      --Winding;
    }
    A = B;
  }
  return Winding != 0;
}

// [Tokenisers] ---------------------------------------------------------------------------------

namespace {

std::string TakeItem(std::string& S, const TCharSet& Delimiters) {
  size_t End = 0;
  while (End < S.size() && !Delimiters[static_cast<unsigned char>(S[End])]) ++End;
  std::string Item = Trim(std::string_view(S).substr(0, End));
  S = Trim(std::string_view(S).substr(std::min(End + 1, S.size())));
  return Item;
}

}  // namespace

TCharSet MakeCharSet(std::string_view Chars) {
  TCharSet Set;
  for (char C : Chars) Set.set(static_cast<unsigned char>(C));
  return Set;
}

std::string NextToken(std::string& S) {
  static const TCharSet Delimiters = MakeCharSet(" (),:;=");
  return TakeItem(S, Delimiters);
}

std::string NextItem(std::string& S, std::string_view Separator) { return TakeItem(S, MakeCharSet(Separator)); }

std::string NextItemOfSet(std::string& S, const TCharSet& Chars) { return TakeItem(S, Chars); }

// [Stream strings] -----------------------------------------------------------------------------

std::string ReadStreamString(TStream& Stream) {
  const int32_t Length = Stream.ReadInt32();
  if (Length < 0) throw EReadError(Format("Invalid string length %d", Length));
  const int64_t Remaining = Stream.Remaining();
  if (Remaining >= 0 && Length > Remaining) throw EReadError("Stream read error");
  // Grows in chunks when the stream cannot say how much is left.
  std::string Result;
  constexpr int32_t Chunk = 1 << 16;
  while (int32_t(Result.size()) < Length) {
    const size_t Old = Result.size();
    const size_t Part = size_t(std::min(Chunk, Length - int32_t(Old)));
    Result.resize(Old + Part);
    Stream.ReadBuffer(Result.data() + Old, int64_t(Part));
  }
  return Result;
}

void WriteStreamString(TStream& Stream, const std::string& S) {
  Stream.WriteInt32(static_cast<int32_t>(S.size()));
  Stream.WriteBuffer(S.data(), int64_t(S.size()));
}

// [Keyboard timing] ----------------------------------------------------------------------------

Integer KeyboardDelayFromSetting(Integer Delay) { return std::clamp<Integer>(Delay, 0, 3) * 200 + 200; }

Integer KeyboardRepeatIntervalFromSetting(Integer Speed) {
  const Integer S = std::clamp<Integer>(Speed, 0, 31);
  // Halves go to the even neighbour under the default rounding mode.
  return Integer(std::nearbyint(1000.0 / ((S + 1) * 2.3)));
}

void ReadStreamBlock(TStream& Stream, TMemoryStream& Into) {
  const int32_t Size = Stream.ReadInt32();
  const int64_t Remaining = Stream.Remaining();
  if (Size < 0 || (Remaining >= 0 && Size > Remaining)) throw EReadError("Stream read error");
  uint8_t Chunk[1 << 14];
  for (int32_t Left = Size; Left > 0;) {
    const int32_t Part = std::min<int32_t>(Left, int32_t(sizeof Chunk));
    Stream.ReadBuffer(Chunk, Part);
    Into.WriteBuffer(Chunk, Part);
    Left -= Part;
  }
}

void WriteStreamBlock(TStream& Stream, const TMemoryStream& Block) {
  Stream.WriteInt32(int32_t(Block.Data().size()));
  Stream.WriteBuffer(Block.Memory(), int64_t(Block.Data().size()));
}
