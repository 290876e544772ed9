// Fixed-width value types and plain geometry shared by every layer.
#pragma once

#include <algorithm>
#include <cstdint>

using Integer = int32_t;
using Cardinal = uint32_t;
using Byte = uint8_t;

struct TPoint {
  Integer X = 0;
  Integer Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  Integer cx = 0;
  Integer cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive.
struct TRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;

  Integer Width() const { return Right - Left; }
  Integer Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(Integer X, Integer Y) const { return Left <= X && X < Right && Top <= Y && Y < Bottom; }
  TRect Offset(Integer DX, Integer DY) const { return {Left + DX, Top + DY, Right + DX, Bottom + DY}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(Integer Left, Integer Top, Integer Right, Integer Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(Integer Left, Integer Top, Integer Width, Integer Height) {
  return {Left, Top, Left + Width, Top + Height};
}

// The overlap of two rectangles; an empty result is normalised to all zeros.
inline TRect Intersect(const TRect& A, const TRect& B) {
  TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
          std::min(A.Bottom, B.Bottom)};
  return R.IsEmpty() ? TRect{} : R;
}
