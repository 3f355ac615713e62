#include "sheet/bmfont_model.h"

#include <cmath>
#include <unordered_set>

#include "sheet/cell_geometry.h"
#include "sheet/glyph_layout.h"
#include "sheet/saturate.h"
#include "sheet/settings.h"
#include "sheet/sheet_font.h"

namespace glyphsheet {

BmFont DescribeBmFont(const SheetDocument& doc, const RasterFont* font,
                      const std::vector<std::string>& pages, bool withKerning) {
  const int32_t f = DrawFactor(doc.font);
  const CellBorders& borders = doc.borders;
  const CellBorders insets = CellInsets(doc);
  BmFont out;
  out.info.face = doc.font.faceName;
  out.info.size = SheetFontPixelHeight(doc.font.pointSize, f) / f;
  out.info.bold = doc.font.weight > kBoldAbove;
  out.info.italic = doc.font.italic != 0;
  out.info.smooth = doc.font.quality == kQualityAntialiased || FieldSpread(doc.font) > 0;
  out.info.aa = f;
  out.info.padding = {borders.top, borders.right, borders.bottom, borders.left};
  const CellGeometry line = LineGeometry(insets, LineHeightOf(font), f);
  out.common.lineHeight = static_cast<int32_t>(line.inkHeight);
  out.common.base = font ? font->Ascent() / f : 0;
  out.common.scaleW = doc.sheetWidth;
  out.common.scaleH = doc.sheetHeight;
  out.pages = pages;
  out.distanceRange = 2 * FieldSpread(doc.font);
  out.common.pages = static_cast<int32_t>(pages.size());

  std::unordered_set<char32_t> described;
  std::vector<char32_t> codes;
  CellWalk walk(doc, font);
  for (const Glyph glyph : doc.glyphs) {
    const GlyphCell cell = walk.Next(glyph);
    if (CellOffSheet(cell, doc) || static_cast<size_t>(cell.page) >= pages.size()) {
      ++out.leftOut;
      continue;
    }
    if (!described.insert(glyph.code).second) continue;
    codes.push_back(glyph.code);
    const AbcWidths abc = font ? font->CharAbc(glyph.code) : AbcWidths{};
    const AbcWidths spacing = GlyphSpacing(glyph, insets, abc, f);
    out.chars.push_back(BmFontChar{
        static_cast<uint32_t>(glyph.code), cell.x, cell.y, cell.width,
        cell.height, spacing.a, static_cast<int32_t>(-line.topInset),
        Saturate(int64_t{spacing.a} + spacing.b + spacing.c), cell.page});
  }

  if (!withKerning || font == nullptr) return out;
  for (const KernedPair& pair : font->KerningPairs(codes)) {
    // 1/64 pixel at the font's size to whole sheet pixels, halves away from zero.
    const auto amount = static_cast<int32_t>(std::lround(pair.amount / (64.0 * f)));
    if (amount != 0) {
      out.kernings.push_back({out.chars[pair.first].id, out.chars[pair.second].id, amount});
    }
  }
  return out;
}

}  // namespace glyphsheet
