#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace glyphsheet {

/// A 64-bit sum held to the 32-bit range. Borders from project files are not
/// checked against each other, so cell arithmetic is done in 64 bits and
/// stored through this.
constexpr int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace glyphsheet
