#pragma once

#include <cstddef>

#include "sheet/text_rasterizer.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Sets every glyph's cell width (B / f plus all horizontal borders) and
/// height (line height / f plus top and bottom borders). With no font every
/// character measures 0.
void MeasureGlyphs(SheetDocument& doc, const RasterFont* font);

/// Packs the cells into rows from the top-left in list order, one pixel apart;
/// rows are one pixel more than the tallest cell so far apart. Cells past the
/// bottom keep their positions.
void LayoutGlyphs(SheetDocument& doc);

/// Cells that do not lie wholly on the sheet after a layout: they reach past
/// its bottom or right edge and are cut off there.
size_t CountCellsOffSheet(const SheetDocument& doc);

}  // namespace glyphsheet
