#pragma once

#include <climits>
#include <cstdint>

#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Measures and packs every glyph into doc.layout (LayoutGlyphs), first
/// rendering every glyph at once when the cells will likely fit the sheet.
/// What an export needs: its rows are drawn from the layout (SheetRows).
/// `pagesDrawn` is how many of the pages will be drawn (the window shows
/// one, an export writes them all).
void LayOutSheet(SheetDocument& doc, const RasterFont* font, int32_t pagesDrawn = INT32_MAX);

/// Paints one page of the laid-out sheet into the sheet bitmap:
/// ClearSheetBitmap, then RenderGlyphs of that page.
void DrawPage(const SheetDocument& doc, const RasterFont* font, int32_t page,
              PixelBitmap& sheetBitmap);

/// Rebuilds the whole sheet from the document: LayOutSheet, then DrawPage of
/// `page` into the sheet bitmap. Uses the font as it is (nullptr: no font);
/// never creates one.
void Rebuild(SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap,
             int32_t page = 0);

}  // namespace glyphsheet
