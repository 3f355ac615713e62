#pragma once

#include <cstdint>

#include "raster/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Draws every glyph white on black at smoothing-factor scale and reduces it
/// into its cell of the sheet bitmap, writing only inside the sheet.
void RenderGlyphs(const SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap);

/// The sheet colour (0x00BBGGRR) that the factor × factor block of scratch at
/// (sx, sy) reduces to: for factor 1 the pixel as read, for 2, 3 and 4 the
/// grey v, v, v of the weighted red channels; pixels outside scratch count as
/// black, and any other factor gives black.
uint32_t ReduceBlock(const PixelBitmap& scratch, int32_t sx, int32_t sy, int32_t factor);

}  // namespace glyphsheet
