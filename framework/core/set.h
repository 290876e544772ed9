// A small typed set over an enumeration with at most 64 members; stored as a bit mask.
#pragma once

#include <cstdint>
#include <initializer_list>

template <typename TEnum>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<TEnum> Members) {
    for (TEnum M : Members) Include(M);
  }
  static constexpr TSet FromMask(uint64_t Mask) {
    TSet S;
    S.FMask = Mask;
    return S;
  }

  constexpr bool Contains(TEnum M) const { return FMask & Bit(M); }
  constexpr void Include(TEnum M) { FMask |= Bit(M); }
  constexpr void Exclude(TEnum M) { FMask &= ~Bit(M); }
  constexpr bool Empty() const { return FMask == 0; }
  constexpr uint64_t Mask() const { return FMask; }
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr uint64_t Bit(TEnum M) { return uint64_t(1) << static_cast<unsigned>(M); }
  uint64_t FMask = 0;
};
