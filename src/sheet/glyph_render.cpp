#include "sheet/glyph_render.h"

#include <algorithm>
#include <vector>

#include "sheet/cell_geometry.h"
#include "sheet/reduced_glyphs.h"

namespace glyphsheet {

namespace {

/// The part of a cell that lies inside the sheet, in cell pixels: columns
/// [cx0, cx1) and rows [cy0, cy1).
struct CellSpan {
  int64_t cx0 = 0, cx1 = 0, cy0 = 0, cy1 = 0;
  bool Empty() const { return cx0 >= cx1 || cy0 >= cy1; }
};

CellSpan InSheetSpan(const GlyphCell& g, int64_t limitX, int64_t limitY) {
  CellSpan s;
  s.cx0 = std::max<int64_t>(0, -int64_t{g.x});
  s.cx1 = std::min<int64_t>(g.width, limitX - g.x);
  s.cy0 = std::max<int64_t>(0, -int64_t{g.y});
  s.cy1 = std::min<int64_t>(g.height, limitY - g.y);
  return s;
}

/// Copies the reduced image, its top-left at cell pixel (ox, oy), into the
/// span of the cell, as grey pixels.
void CopyIntoCell(const GlyphCell& g, const CellSpan& s, const ReducedGlyph& image, int64_t ox,
                  int64_t oy, PixelBitmap& sheetBitmap) {
  const int64_t cx0 = std::max(s.cx0, ox), cx1 = std::min(s.cx1, ox + image.width);
  const int64_t cy0 = std::max(s.cy0, oy), cy1 = std::min(s.cy1, oy + image.rows);
  for (int64_t cy = cy0; cy < cy1; ++cy) {
    const uint8_t* level = image.levels.data() + (cy - oy) * image.width + (cx0 - ox);
    uint32_t* pixel = sheetBitmap.Row(static_cast<int32_t>(g.y + cy)) + (g.x + cx0);
    for (int64_t cx = cx0; cx < cx1; ++cx) *pixel++ = *level++ * 0x010101u;
  }
}

}  // namespace

void RenderGlyphs(const SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap) {
  const int32_t f = SmoothingFactor(doc.font.smoothing);
  const int64_t limitX = std::min(doc.sheetWidth, sheetBitmap.Width());
  const int64_t limitY = std::min(doc.sheetHeight, sheetBitmap.Height());
  if (font != nullptr) {
    std::vector<uint8_t> shown;
    for (const auto& [index, cell] : doc.layout.shown) {
      if (!InSheetSpan(cell, limitX, limitY).Empty()) shown.push_back(doc.glyphs[index].code);
    }
    font->Reduced().Make(*font, shown, f);
  }
  const CellBorders& b = doc.borders;
  for (const auto& [index, g] : doc.layout.shown) {
    const CellSpan s = InSheetSpan(g, limitX, limitY);
    if (s.Empty()) continue;
    // The cell starts black; its ink lies after the left inset and below the
    // top border.
    sheetBitmap.FillRect(static_cast<int32_t>(g.x + s.cx0), static_cast<int32_t>(g.y + s.cy0),
                         static_cast<int32_t>(g.x + s.cx1), static_cast<int32_t>(g.y + s.cy1), 0);
    if (font == nullptr) continue;
    const Glyph glyph = doc.glyphs[index];
    const ReducedGlyph& image = font->Reduced().Get(glyph.code, f);
    const CellGeometry cell =
        GlyphCellGeometry(glyph, b, font->CharAbc(glyph.code).b, font->LineHeight(), f);
    CopyIntoCell(g, s, image, cell.leftInset + image.left, cell.topInset + image.top, sheetBitmap);
  }
}

}  // namespace glyphsheet
