#include "sheet/glyph_render.h"

#include <algorithm>

#include "sheet/sheet_rows.h"

namespace glyphsheet {

void RenderGlyphs(const SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap,
                  int32_t page) {
  SheetRows rows(doc, font, page, sheetBitmap.Width(), sheetBitmap.Height());
  // Grey levels: the same in either byte order.
  const auto grey = [](uint8_t level) { return level * 0x010101u; };
  for (int32_t y = 0; y < rows.Height(); ++y) rows.Paint(y, sheetBitmap.Row(y), grey);
}

}  // namespace glyphsheet
