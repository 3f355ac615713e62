#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace glyphsheet {

/// A 64-bit value held to the range of the narrower integer type T.
template <class T>
constexpr T SaturateTo(int64_t value) {
  static_assert(sizeof(T) < sizeof(int64_t));
  return static_cast<T>(std::clamp<int64_t>(value, std::numeric_limits<T>::min(),
                                            std::numeric_limits<T>::max()));
}

/// A 64-bit sum held to the 32-bit range. Borders from project files are not
/// checked against each other, so cell arithmetic is done in 64 bits and
/// stored through this.
constexpr int32_t Saturate(int64_t value) { return SaturateTo<int32_t>(value); }

}  // namespace glyphsheet
