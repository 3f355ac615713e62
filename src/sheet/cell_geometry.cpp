#include "sheet/cell_geometry.h"

#include "sheet/saturate.h"

namespace glyphsheet {

CellGeometry GlyphCellGeometry(const Glyph& glyph, const CellBorders& borders,
                               int32_t inkWidth, int32_t factor) {
  const int64_t ink = inkWidth < 0 ? -int64_t{inkWidth} : int64_t{inkWidth};
  return CellGeometry{int64_t{glyph.leftBorder} + borders.left, ink / factor,
                      int64_t{glyph.rightBorder} + borders.right};
}

AbcWidths GlyphSpacing(const Glyph& glyph, const CellBorders& borders, AbcWidths abc,
                       int32_t factor) {
  const CellGeometry cell = GlyphCellGeometry(glyph, borders, abc.b, factor);
  return AbcWidths{Saturate(abc.a / factor - cell.leftInset), Saturate(cell.Width()),
                   Saturate(abc.c / factor - cell.rightInset)};
}

}  // namespace glyphsheet
