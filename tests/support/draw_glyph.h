#pragma once

#include "sheet/pixel_bitmap.h"
#include "sheet/text_rasterizer.h"
#include "support/pixels.h"

namespace glyphsheet::testing {

/// Draws one code's coverage as grey on a black target, the top-left of its
/// character cell at (x, y) with x the pen position; ink off the target is
/// dropped.
inline void DrawOnBlack(const RasterFont& font, char32_t code, PixelBitmap& target, int32_t x,
                        int32_t y) {
  const GlyphCoverage ink = font.Coverage(code);
  for (int32_t r = 0; r < ink.rows; ++r) {
    for (int32_t c = 0; c < ink.width; ++c) {
      const uint32_t k = ink.pixels[r * ink.width + c];
      if (k != 0) SetPixelAt(target, x + ink.left + c, y + ink.top + r, k * 0x010101u);
    }
  }
}

}  // namespace glyphsheet::testing
