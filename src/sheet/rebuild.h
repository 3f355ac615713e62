#pragma once

#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Rebuilds the whole sheet from the document: ClearSheetBitmap, then
/// LayoutGlyphs (cells measured and packed into doc.layout), then
/// RenderGlyphs into the sheet bitmap. Uses the font as it is (nullptr: no
/// font); never creates one.
void Rebuild(SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap);

}  // namespace glyphsheet
