#include "sheet/rebuild.h"

#include <vector>

#include "sheet/glyph_layout.h"
#include "sheet/glyph_render.h"
#include "sheet/sheet_bitmap.h"

namespace glyphsheet {

void Rebuild(SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap) {
  if (font != nullptr) {
    // Every glyph is measured, so all are rendered at once, on every core.
    std::vector<uint8_t> codes;
    for (const GlyphRecord& g : doc.glyphs) codes.push_back(g.code);
    font->Prepare(codes);
  }
  ClearSheetBitmap(sheetBitmap, doc.sheetWidth, doc.sheetHeight);
  MeasureGlyphs(doc, font);
  LayoutGlyphs(doc);
  RenderGlyphs(doc, font, sheetBitmap);
}

}  // namespace glyphsheet
