#pragma once

#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Draws the glyph of every cell of doc.layout on `page` white on black at
/// smoothing-factor scale and reduces it into its cell of the sheet bitmap,
/// writing only inside the sheet and the bitmap.
void RenderGlyphs(const SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap,
                  int32_t page = 0);

}  // namespace glyphsheet
