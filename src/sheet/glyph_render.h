#pragma once

#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Draws the glyph of every cell of doc.layout white on black at
/// smoothing-factor scale and reduces it into its cell of the sheet bitmap
/// (at most kSheetBitmapSize square), writing only inside the sheet.
void RenderGlyphs(const SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap);

}  // namespace glyphsheet
