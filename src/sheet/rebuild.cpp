#include "sheet/rebuild.h"

#include <bitset>
#include <vector>

#include "sheet/cell_geometry.h"
#include "sheet/glyph_layout.h"
#include "sheet/glyph_render.h"
#include "sheet/sheet_bitmap.h"

namespace glyphsheet {

void Rebuild(SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap) {
  if (font != nullptr) {
    // When the cells will likely all fit the sheet, every glyph is rendered
    // at once, on every core, instead of being measured first and rendered
    // later; when most will not fit, only those that are shown are rendered.
    const int64_t side =
        LineGeometry(doc.borders, font->LineHeight(), SmoothingFactor(doc.font.smoothing)).inkHeight;
    const int64_t area = int64_t{doc.sheetWidth} * doc.sheetHeight;
    if (static_cast<int64_t>(doc.glyphs.size()) * side * side <= 2 * area) {
      std::bitset<256> listed;
      std::vector<uint8_t> codes;
      for (const Glyph& g : doc.glyphs) {
        if (!listed[g.code]) codes.push_back(g.code), listed[g.code] = true;
      }
      font->Prepare(codes);
    }
  }
  ClearSheetBitmap(sheetBitmap, doc.sheetWidth, doc.sheetHeight);
  LayoutGlyphs(doc, font);
  RenderGlyphs(doc, font, sheetBitmap);
}

}  // namespace glyphsheet
