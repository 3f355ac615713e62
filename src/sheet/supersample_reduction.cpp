#include "sheet/supersample_reduction.h"

namespace glyphsheet {

namespace {

// Division rounding towards minus infinity.
int64_t FloorDiv(int64_t num, int64_t den) {
  return num >= 0 ? num / den : -((-num + den - 1) / den);
}

template <int F>
ReducedGlyph Reduce(const GlyphCoverage& ink, int32_t a) {
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
  // The ink copied onto whole blocks, with no ink around it.
  const size_t stride = static_cast<size_t>(out.width) * F;
  std::vector<uint8_t> blocks(stride * static_cast<size_t>(out.rows) * F, 0);
  const size_t dx = static_cast<size_t>(u0 - x0 * F);
  const size_t dy = static_cast<size_t>(v0 - y0 * F);
  for (int32_t r = 0; r < ink.rows; ++r) {
    const uint8_t* from = ink.pixels + static_cast<size_t>(r) * static_cast<size_t>(ink.width);
    std::copy(from, from + ink.width,
              blocks.begin() + static_cast<ptrdiff_t>((dy + r) * stride + dx));
  }
  out.levels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.rows));
  uint8_t* level = out.levels.data();
  for (int32_t y = 0; y < out.rows; ++y) {
    const uint8_t* block = blocks.data() + static_cast<size_t>(y) * F * stride;
    for (int32_t x = 0; x < out.width; ++x, block += F) {
      uint32_t sum = 0;
      for (int j = 0; j < F; ++j) {
        for (int i = 0; i < F; ++i) {
          sum += ReductionKernel<F>::weights[j][i] * block[j * stride + i];
        }
      }
      *level++ = static_cast<uint8_t>(sum / ReductionKernel<F>::divisor);
    }
  }
  return out;
}

}  // namespace

ReducedGlyph ReduceCoverage(const GlyphCoverage& ink, int32_t a, int32_t factor) {
  switch (factor) {
    case 1: return Reduce<1>(ink, a);
    case 2: return Reduce<2>(ink, a);
    case 3: return Reduce<3>(ink, a);
    default: return Reduce<4>(ink, a);
  }
}

}  // namespace glyphsheet
