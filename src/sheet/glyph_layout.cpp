#include "sheet/glyph_layout.h"

#include <algorithm>

#include "sheet/cell_geometry.h"
#include "sheet/saturate.h"

namespace glyphsheet {

GlyphCell CellPacker::Place(int32_t width, int32_t height) {
  // The tallest cell so far, over all rows, not only the current one.
  rowStep_ = std::max(rowStep_, height);
  if (x_ + width > sheetWidth_) {
    x_ = 0;
    y_ = Saturate(y_ + rowStep_ + 1);
  }
  const GlyphCell cell{static_cast<int32_t>(x_), static_cast<int32_t>(y_), width, height};
  x_ = Saturate(x_ + width + 1);
  return cell;
}

CellMeasure::CellMeasure(const SheetDocument& doc, const RasterFont* font)
    : doc_(doc),
      font_(font),
      factor_(SmoothingFactor(doc.font.smoothing)),
      lineHeight_(LineHeightOf(font)) {}

GlyphCell CellMeasure::Size(const Glyph& glyph) {
  auto [known, added] = ink_.try_emplace(glyph.code, 0);
  if (added && font_) known->second = font_->CharAbc(glyph.code).b;
  const CellGeometry cell = GlyphCellGeometry(glyph, doc_.borders, known->second, lineHeight_, factor_);
  return GlyphCell{0, 0, Saturate(cell.Width()), Saturate(cell.Height())};
}

GlyphCell CellWalk::Next(const Glyph& glyph) {
  const GlyphCell size = measure_.Size(glyph);
  return packer_.Place(size.width, size.height);
}

bool CellOffSheet(const GlyphCell& cell, const SheetDocument& doc) {
  return int64_t{cell.y} + cell.height > doc.sheetHeight ||
         int64_t{cell.x} + cell.width > doc.sheetWidth;
}

void LayoutGlyphs(SheetDocument& doc, const RasterFont* font) {
  SheetLayout& layout = doc.layout;
  // Cleared, not made anew: a redraw reuses the room of the last one.
  layout.shown.clear();
  layout.offSheet = 0;
  CellWalk walk(doc, font);
  for (size_t i = 0; i < doc.glyphs.size(); ++i) {
    const GlyphCell cell = walk.Next(doc.glyphs[i]);
    if (cell.x < kSheetBitmapSize && cell.y < kSheetBitmapSize) layout.shown.push_back({i, cell});
    if (CellOffSheet(cell, doc)) ++layout.offSheet;
  }
}

}  // namespace glyphsheet
