#include "sheet/rebuild.h"

#include "sheet/glyph_layout.h"
#include "sheet/glyph_render.h"
#include "sheet/sheet_bitmap.h"

namespace glyphsheet {

void Rebuild(SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap) {
  ClearSheetBitmap(sheetBitmap, doc.sheetWidth, doc.sheetHeight);
  MeasureGlyphs(doc, font);
  LayoutGlyphs(doc);
  RenderGlyphs(doc, font, sheetBitmap);
}

}  // namespace glyphsheet
