#pragma once

#include "raster/text_rasterizer.h"
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

}  // namespace glyphsheet
