#pragma once

#include <cstdint>
#include <vector>

#include "sheet/text_rasterizer.h"

namespace glyphsheet {

// The supersample reduction: a glyph drawn at f times the sheet's scale is
// brought back to sheet pixels by weighing each f × f block of its coverage
// with a fixed kernel. Blocks lie on a grid that starts at the cell's left
// inset and top border, so where a glyph lands in its cell never changes
// how it is reduced.

/// Weights of the supersample reduction for factor F; each table's sum is its
/// divisor, so a fully covered block stays 255.
template <int F>
struct ReductionKernel;
template <>
struct ReductionKernel<1> {
  static constexpr uint32_t weights[1][1] = {{1}};
  static constexpr uint32_t divisor = 1;
};
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

/// One glyph's ink reduced to sheet pixels: a grey level per pixel, rows from
/// the top, lying `left` columns right of the cell's left inset and `top` rows
/// below its top border (either may be negative).
struct ReducedGlyph {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t rows = 0;
  std::vector<uint8_t> levels;
};

/// The ink of a code whose A is `a`, drawn at `factor` (a smoothing factor) times the
/// sheet's scale, reduced block by block with the kernel of the factor.
ReducedGlyph ReduceCoverage(const GlyphCoverage& ink, int32_t a, int32_t factor);

}  // namespace glyphsheet
