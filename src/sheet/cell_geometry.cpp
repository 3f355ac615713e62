#include "sheet/cell_geometry.h"

#include "sheet/saturate.h"
#include "sheet/sheet_font.h"

namespace glyphsheet {

CellBorders CellInsets(const SheetDocument& doc) {
  const int32_t spread = FieldSpread(doc.font);
  const CellBorders& b = doc.borders;
  return CellBorders{b.left + spread, b.top + spread, b.right + spread, b.bottom + spread};
}

CellGeometry GlyphCellGeometry(const Glyph& glyph, const CellBorders& borders, int32_t inkWidth,
                               int32_t lineHeight, int32_t factor) {
  const int64_t ink = inkWidth < 0 ? -int64_t{inkWidth} : int64_t{inkWidth};
  return CellGeometry{int64_t{glyph.leftBorder} + borders.left,
                      ink / factor,
                      int64_t{glyph.rightBorder} + borders.right,
                      borders.top,
                      int64_t{lineHeight} / factor,
                      borders.bottom};
}

CellGeometry LineGeometry(const CellBorders& borders, int32_t lineHeight, int32_t factor) {
  return GlyphCellGeometry(Glyph{}, borders, 0, lineHeight, factor);
}

int32_t LineHeightOf(const RasterFont* font) { return font ? font->LineHeight() : 0; }

AbcWidths GlyphSpacing(const Glyph& glyph, const CellBorders& borders, AbcWidths abc,
                       int32_t factor) {
  const CellGeometry cell = GlyphCellGeometry(glyph, borders, abc.b, 0, factor);
  return AbcWidths{Saturate(abc.a / factor - cell.leftInset), Saturate(cell.Width()),
                   Saturate(abc.c / factor - cell.rightInset)};
}

}  // namespace glyphsheet
