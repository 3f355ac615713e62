#include "sheet/supersample_reduction.h"

#include "sheet/sheet_document.h"

namespace glyphsheet {

uint32_t ReduceBlock(const PixelBitmap& scratch, int32_t sx, int32_t sy, int32_t factor) {
  if (factor < kMinSmoothing || factor > kMaxSmoothing) return 0;
  uint32_t block[kMaxSmoothing * kMaxSmoothing];
  for (int32_t j = 0; j < factor; ++j) {
    for (int32_t i = 0; i < factor; ++i) {
      const uint32_t colour = scratch.GetPixel(sx + i, sy + j);
      block[j * factor + i] = PixelBitmap::SwapRedBlue(colour);
    }
  }
  const auto stride = static_cast<size_t>(factor);
  switch (factor) {
    case 1: return ReduceWords<1>(block, stride);
    case 2: return ReduceWords<2>(block, stride);
    case 3: return ReduceWords<3>(block, stride);
    default: return ReduceWords<4>(block, stride);
  }
}

}  // namespace glyphsheet
