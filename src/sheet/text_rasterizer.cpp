#include "sheet/text_rasterizer.h"

#include <algorithm>

#include "sheet/reduced_glyphs.h"

namespace glyphsheet {

namespace {
// One channel moved towards white by coverage k / 255.
uint32_t Lighten(uint32_t channel, uint32_t k) { return channel + ((255 - channel) * k + 127) / 255; }
}  // namespace

RasterFont::RasterFont() : reduced_(std::make_unique<ReducedGlyphs>()) {}
RasterFont::~RasterFont() = default;

void RasterFont::Prepare(std::span<const uint8_t>) const {}

void RasterFont::DrawChar(uint8_t code, PixelBitmap& target, int32_t x, int32_t y) const {
  const GlyphCoverage ink = Coverage(code);
  if (ink.pixels == nullptr) return;
  const int64_t originX = int64_t{x} + ink.left;
  const int64_t originY = int64_t{y} + ink.top;
  const int64_t firstRow = std::max<int64_t>(0, -originY);
  const int64_t lastRow = std::min<int64_t>(ink.rows, target.Height() - originY);
  const int64_t firstColumn = std::max<int64_t>(0, -originX);
  const int64_t lastColumn = std::min<int64_t>(ink.width, target.Width() - originX);
  for (int64_t r = firstRow; r < lastRow; ++r) {
    const uint8_t* row = ink.pixels + r * ink.width;
    for (int64_t c = firstColumn; c < lastColumn; ++c) {
      const uint32_t k = row[c];
      if (k == 0) continue;
      const auto px = static_cast<int32_t>(originX + c);
      const auto py = static_cast<int32_t>(originY + r);
      const uint32_t old = target.GetPixel(px, py);
      target.SetPixel(px, py, Lighten(old & 0xFF, k) | Lighten((old >> 8) & 0xFF, k) << 8 |
                                  Lighten((old >> 16) & 0xFF, k) << 16);
    }
  }
}

}  // namespace glyphsheet
