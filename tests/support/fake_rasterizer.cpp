#include "support/fake_rasterizer.h"

#include <algorithm>

namespace glyphsheet::testing {

FakeFont::FakeFont(int32_t lineHeight, FakeGlyph defaultGlyph)
    : lineHeight_(lineHeight), default_(defaultGlyph) {}

void FakeFont::Set(uint8_t code, FakeGlyph glyph) { glyphs_[code] = glyph; }

const FakeGlyph& FakeFont::Glyph(uint8_t code) const {
  const auto it = glyphs_.find(code);
  return it == glyphs_.end() ? default_ : it->second;
}

void FakeFont::DrawChar(uint8_t code, PixelBitmap& target, int32_t x, int32_t y) const {
  ++drawCalls;
  const FakeGlyph& g = Glyph(code);
  const int32_t rows = g.inkHeight < 0 ? lineHeight_ - g.inkTop : g.inkHeight;
  for (int32_t row = 0; row < rows; ++row) {
    for (int32_t col = 0; col < g.abc.b; ++col) {
      const int32_t px = x + g.abc.a + col;
      const int32_t py = y + g.inkTop + row;
      if (!target.Contains(px, py)) continue;
      const uint32_t old = target.GetPixel(px, py);
      uint32_t blended = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = (old >> shift) & 0xFF;
        const uint32_t v = (c * (255u - g.level) + 255u * g.level + 127u) / 255u;
        blended |= v << shift;
      }
      target.SetPixel(px, py, blended);
    }
  }
}

Result<std::unique_ptr<RasterFont>> FakeRasterizer::CreateFont(const FontRequest& request) const {
  lastRequest = request;
  if (std::find(faces.begin(), faces.end(), request.face) == faces.end()) {
    return Error{"typeface \"" + request.face + "\" is not installed"};
  }
  const int32_t h = request.pixelHeight;
  FakeGlyph glyph;
  glyph.abc = {h / 10, std::max(1, h / 2), h / 10};
  return std::unique_ptr<RasterFont>(std::make_unique<FakeFont>(h + h / 5, glyph));
}

}  // namespace glyphsheet::testing
