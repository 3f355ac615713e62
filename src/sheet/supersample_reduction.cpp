#include "sheet/supersample_reduction.h"

#include <algorithm>
#include <array>
#include <utility>

#include "sheet/settings.h"

namespace glyphsheet {

namespace {

// Division rounding towards minus infinity.
int64_t FloorDiv(int64_t num, int64_t den) {
  return num >= 0 ? num / den : -((-num + den - 1) / den);
}

// The sum of a kernel's weights.
template <int F>
constexpr uint32_t WeightSum() {
  uint32_t sum = 0;
  for (const auto& row : ReductionKernel<F>::weights) {
    for (uint32_t w : row) sum += w;
  }
  return sum;
}

template <int F>
ReducedGlyph Reduce(const GlyphCoverage& ink, int32_t a) {
  static_assert(WeightSum<F>() == ReductionKernel<F>::divisor, "a full block stays 255");
  ReducedGlyph out;
  if (ink.pixels == nullptr || ink.width <= 0 || ink.rows <= 0) return out;
  // Drawing pixels from the left inset and the top border: the pen lies A
  // left of the inset.
  const int64_t u0 = int64_t{ink.left} - a;
  const int64_t v0 = ink.top;
  const int64_t x0 = FloorDiv(u0, F), x1 = FloorDiv(u0 + ink.width - 1, F) + 1;
  const int64_t y0 = FloorDiv(v0, F), y1 = FloorDiv(v0 + ink.rows - 1, F) + 1;
  out.left = static_cast<int32_t>(x0);
  out.top = static_cast<int32_t>(y0);
  out.width = static_cast<int32_t>(x1 - x0);
  out.rows = static_cast<int32_t>(y1 - y0);
  // Each block is read straight from the ink; drawing pixels outside the
  // ink (in the edge blocks) count as 0.
  const int64_t inkWidth = ink.width, inkRows = ink.rows;
  if constexpr (F == 1) {
    // One pixel a block with weight 1: the image is the ink.
    static_assert(ReductionKernel<1>::divisor == 1);
    out.levels.assign(ink.pixels, ink.pixels + inkWidth * inkRows);
    return out;
  }
  out.levels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.rows));
  uint8_t* level = out.levels.data();
  for (int32_t y = 0; y < out.rows; ++y) {
    // The block's top row and left column, in ink pixels.
    const int64_t r0 = (y0 + y) * F - v0;
    const int jFrom = static_cast<int>(std::max<int64_t>(0, -r0));
    const int jTo = static_cast<int>(std::min<int64_t>(F, inkRows - r0));
    for (int32_t x = 0; x < out.width; ++x) {
      const int64_t c0 = (x0 + x) * F - u0;
      const int iFrom = static_cast<int>(std::max<int64_t>(0, -c0));
      const int iTo = static_cast<int>(std::min<int64_t>(F, inkWidth - c0));
      uint32_t sum = 0;
      if (jFrom == 0 && jTo == F && iFrom == 0 && iTo == F) {
        // A block wholly on the ink, the most of them: a fixed F × F sum.
        const uint8_t* block = ink.pixels + r0 * inkWidth + c0;
        for (int j = 0; j < F; ++j) {
          for (int i = 0; i < F; ++i) sum += ReductionKernel<F>::weights[j][i] * block[j * inkWidth + i];
        }
      } else {
        for (int j = jFrom; j < jTo; ++j) {
          const uint8_t* row = ink.pixels + (r0 + j) * inkWidth + c0;
          for (int i = iFrom; i < iTo; ++i) sum += ReductionKernel<F>::weights[j][i] * row[i];
        }
      }
      *level++ = static_cast<uint8_t>(sum / ReductionKernel<F>::divisor);
    }
  }
  return out;
}

}  // namespace

namespace {

// The reduction of each factor of the smoothing range, by factor − 1: a
// factor without a kernel does not compile.
static_assert(kSmoothingRange.min == 1, "factor f is entry f - 1");
template <int... F>
constexpr auto Reducers(std::integer_sequence<int, F...>) {
  return std::array<ReducedGlyph (*)(const GlyphCoverage&, int32_t), sizeof...(F)>{
      &Reduce<F + 1>...};
}
constexpr auto kReducers = Reducers(std::make_integer_sequence<int, kSmoothingRange.max>());

}  // namespace

ReducedGlyph ReduceCoverage(const GlyphCoverage& ink, int32_t a, int32_t factor) {
  return kReducers[static_cast<size_t>(SmoothingFactor(factor) - 1)](ink, a);
}

}  // namespace glyphsheet
