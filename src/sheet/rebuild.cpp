#include "sheet/rebuild.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "sheet/cell_geometry.h"
#include "sheet/sheet_font.h"
#include "sheet/glyph_layout.h"
#include "sheet/glyph_render.h"
#include "sheet/reduced_glyphs.h"
#include "sheet/sheet_bitmap.h"

namespace glyphsheet {

void LayOutSheet(SheetDocument& doc, const RasterFont* font, int32_t pagesDrawn) {
  if (font != nullptr) {
    // When the cells will likely all fit the pages that will be drawn, every
    // glyph is rendered and reduced at once, on every core, instead of being
    // measured first and rendered later; when most will not, only those
    // drawn are rendered.
    const int32_t f = DrawFactor(doc.font);
    const int64_t side = LineGeometry(CellInsets(doc), font->LineHeight(), f).inkHeight;
    const int64_t area = int64_t{doc.sheetWidth} * doc.sheetHeight *
                         std::clamp(std::min(doc.maxPages, pagesDrawn), 1, 1 << 16);
    if (static_cast<int64_t>(doc.glyphs.size()) * side * side <= 2 * area) {
      std::vector<char32_t> codes;  // Make takes each once
      codes.reserve(doc.glyphs.size());
      for (const Glyph& g : doc.glyphs) codes.push_back(g.code);
      font->Reduced().Make(*font, codes, f);
    }
  }
  LayoutGlyphs(doc, font);
}

void DrawPage(const SheetDocument& doc, const RasterFont* font, int32_t page,
              PixelBitmap& sheetBitmap) {
  ClearSheetBitmap(sheetBitmap, doc.sheetWidth, doc.sheetHeight);
  RenderGlyphs(doc, font, sheetBitmap, page);
}

void Rebuild(SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap, int32_t page) {
  LayOutSheet(doc, font);
  DrawPage(doc, font, page, sheetBitmap);
}

}  // namespace glyphsheet
