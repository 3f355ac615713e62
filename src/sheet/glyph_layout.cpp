#include "sheet/glyph_layout.h"

#include <algorithm>

#include "sheet/cell_geometry.h"
#include "sheet/saturate.h"

namespace glyphsheet {

void MeasureGlyphs(SheetDocument& doc, const RasterFont* font) {
  const int32_t f = SmoothingFactor(doc.font.smoothing);
  const CellBorders& b = doc.borders;
  const int64_t lineHeight = font ? font->LineHeight() : 0;
  // Every character of a font has the same line height.
  const int32_t height = Saturate(lineHeight / f + b.bottom + b.top);
  for (GlyphRecord& g : doc.glyphs) {
    const int32_t inkWidth = font ? font->CharAbc(g.code).b : 0;
    g.width = Saturate(GlyphCellGeometry(g, b, inkWidth, f).Width());
    g.height = height;
  }
}

void LayoutGlyphs(SheetDocument& doc) {
  int64_t x = 0;
  int64_t y = 0;
  int32_t rowStep = 0;
  for (GlyphRecord& g : doc.glyphs) {
    // The tallest cell so far, over all rows, not only the current one.
    rowStep = std::max(rowStep, g.height);
    if (x + g.width > doc.sheetWidth) {
      x = 0;
      y = Saturate(y + rowStep + 1);
    }
    g.x = static_cast<int32_t>(x);
    g.y = static_cast<int32_t>(y);
    x = Saturate(x + g.width + 1);
  }
}

size_t CountCellsOffSheet(const SheetDocument& doc) {
  return static_cast<size_t>(
      std::count_if(doc.glyphs.begin(), doc.glyphs.end(), [&doc](const GlyphRecord& g) {
        return int64_t{g.y} + g.height > doc.sheetHeight || int64_t{g.x} + g.width > doc.sheetWidth;
      }));
}

}  // namespace glyphsheet
