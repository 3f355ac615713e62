#pragma once

#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Draws every glyph white on black at smoothing-factor scale and reduces it
/// into its cell of the sheet bitmap, writing only inside the sheet.
void RenderGlyphs(const SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap);

}  // namespace glyphsheet
