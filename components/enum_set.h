#pragma once

// A set of values of a small enumeration (at most 32 values, numbered from 0), such as a font's
// styles. It is the value type of set properties.

#include <cstdint>
#include <initializer_list>

namespace kalvero {

template <class E>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> values) {
    for (E value : values) Include(value);
  }

  // The set whose value n is in it when bit n of `mask` is set.
  static constexpr TEnumSet FromMask(std::uint32_t mask) {
    TEnumSet set;
    set.mask_ = mask;
    return set;
  }
  constexpr std::uint32_t Mask() const { return mask_; }

  constexpr bool Contains(E value) const { return (mask_ & Bit(value)) != 0; }
  constexpr void Include(E value) { mask_ |= Bit(value); }
  constexpr void Exclude(E value) { mask_ &= ~Bit(value); }
  constexpr bool Empty() const { return mask_ == 0; }

  friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

 private:
  static constexpr std::uint32_t Bit(E value) { return std::uint32_t{1} << static_cast<unsigned>(value); }

  std::uint32_t mask_ = 0;
};

}  // namespace kalvero
