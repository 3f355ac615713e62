#pragma once

#include <cstddef>
#include <cstdint>

#include "sheet/pixel_bitmap.h"

namespace glyphsheet {

// The supersample reduction: a glyph drawn at f times the sheet's scale is
// brought back to sheet pixels by weighing each f × f block of its red
// channel with a fixed kernel.

// Weights of the supersample reduction for factor F; each table's sum is its
// divisor, so a fully white block stays 255.
template <int F>
struct ReductionKernel;
template <>
struct ReductionKernel<2> {
  static constexpr uint32_t weights[2][2] = {{1, 1}, {1, 1}};
  static constexpr uint32_t divisor = 4;
};
template <>
struct ReductionKernel<3> {
  static constexpr uint32_t weights[3][3] = {{1, 3, 1}, {3, 5, 3}, {1, 3, 1}};
  static constexpr uint32_t divisor = 21;
};
template <>
struct ReductionKernel<4> {
  static constexpr uint32_t weights[4][4] = {
      {1, 2, 2, 1}, {2, 4, 4, 2}, {2, 4, 4, 2}, {1, 2, 2, 1}};
  static constexpr uint32_t divisor = 36;
};

/// Red channel of a pixel word as stored (0x00RRGGBB).
inline uint32_t RedOfWord(uint32_t word) { return (word >> 16) & 0xFFu; }

/// Grey colour of the low 8 bits of v.
inline uint32_t GreyOf(uint32_t v) {
  v &= 0xFFu;
  return v | (v << 8) | (v << 16);
}

/// Reduces the F × F block of pixel words at p (rows `stride` words apart)
/// to one sheet colour.
template <int F>
[[gnu::always_inline]] inline uint32_t ReduceWords(const uint32_t* p, size_t stride) {
  if constexpr (F == 1) {
    return PixelBitmap::SwapRedBlue(p[0]);
  } else {
    uint32_t sum = 0;
    for (int j = 0; j < F; ++j) {
      for (int i = 0; i < F; ++i) sum += ReductionKernel<F>::weights[j][i] * RedOfWord(p[j * stride + i]);
    }
    return GreyOf(sum / ReductionKernel<F>::divisor);
  }
}

}  // namespace glyphsheet
