#include "sheet/glyph_layout.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "sheet/cell_geometry.h"
#include "sheet/sheet_font.h"
#include "sheet/saturate.h"

namespace glyphsheet {

GlyphCell CellPacker::PlaceOnPage(int32_t width, int32_t height) {
  // The tallest cell so far, over all rows, not only the current one.
  rowStep_ = std::max(rowStep_, height);
  if (x_ + width > sheetWidth_) {
    x_ = 0;
    y_ = Saturate(y_ + rowStep_ + 1);
  }
  const GlyphCell cell{static_cast<int32_t>(x_), static_cast<int32_t>(y_), width, height, page_};
  x_ = Saturate(x_ + width + 1);
  return cell;
}

GlyphCell CellPacker::Place(int32_t width, int32_t height) {
  const GlyphCell cell = PlaceOnPage(width, height);
  const bool pastBottom = int64_t{cell.y} + height > sheetHeight_;
  const bool startsPage = cell.x == 0 && cell.y == 0;
  // A cell taller than a page, or at a page's start already, keeps its place.
  if (!pastBottom || startsPage || height > sheetHeight_ || page_ + 1 >= maxPages_) return cell;
  ++page_;
  x_ = 0, y_ = 0, rowStep_ = 0;
  return PlaceOnPage(width, height);
}

CellMeasure::CellMeasure(const SheetDocument& doc, const RasterFont* font)
    : doc_(doc),
      font_(font),
      insets_(CellInsets(doc)),
      factor_(DrawFactor(doc.font)),
      lineHeight_(LineHeightOf(font)) {}

GlyphCell CellMeasure::Size(const Glyph& glyph) {
  auto [known, added] = ink_.try_emplace(glyph.code, 0);
  if (added && font_) known->second = font_->CharAbc(glyph.code).b;
  const CellGeometry cell = GlyphCellGeometry(glyph, insets_, known->second, lineHeight_, factor_);
  return GlyphCell{0, 0, Saturate(cell.Width()), Saturate(cell.Height())};
}

GlyphCell CellWalk::Next(const Glyph& glyph) {
  const GlyphCell size = measure_.Size(glyph);
  return packer_.Place(size.width, size.height);
}

std::optional<SheetSize> SmallestSheetThatFits(const SheetDocument& doc, const RasterFont* font,
                                               int32_t maxSide) {
  // Each cell measured once, then packed on every candidate size.
  std::vector<std::pair<int32_t, int32_t>> sizes;
  sizes.reserve(doc.glyphs.size());
  CellMeasure measure(doc, font);
  for (const Glyph glyph : doc.glyphs) {
    const GlyphCell size = measure.Size(glyph);
    sizes.emplace_back(size.width, size.height);
  }
  std::vector<SheetSize> candidates;
  for (const int32_t w : kSheetSizeChoices) {
    for (const int32_t h : kSheetSizeChoices) {
      if (w <= maxSide && h <= maxSide) candidates.push_back({w, h});
    }
  }
  // Least area first; on a tie, width at least height, then the squarer.
  const auto order = [](SheetSize s) {
    return std::tuple(int64_t{s.width} * s.height, s.width < s.height, std::abs(s.width - s.height));
  };
  std::sort(candidates.begin(), candidates.end(),
            [&order](SheetSize a, SheetSize b) { return order(a) < order(b); });
  for (const SheetSize candidate : candidates) {
    CellPacker packer(candidate.width);
    const bool fits = std::all_of(sizes.begin(), sizes.end(), [&](const auto& size) {
      const GlyphCell cell = packer.Place(size.first, size.second);
      return int64_t{cell.x} + cell.width <= candidate.width &&
             int64_t{cell.y} + cell.height <= candidate.height;
    });
    if (fits) return candidate;
  }
  return std::nullopt;
}

bool CellOffSheet(const GlyphCell& cell, const SheetDocument& doc) {
  return int64_t{cell.y} + cell.height > doc.sheetHeight ||
         int64_t{cell.x} + cell.width > doc.sheetWidth;
}

void LayoutGlyphs(SheetDocument& doc, const RasterFont* font) {
  SheetLayout& layout = doc.layout;
  // Cleared, not made anew: a redraw reuses the room of the last one.
  layout.shown.clear();
  layout.offSheet = 0;
  layout.pages = 1;
  CellWalk walk(doc, font);
  for (size_t i = 0; i < doc.glyphs.size(); ++i) {
    const GlyphCell cell = walk.Next(doc.glyphs[i]);
    if (cell.x < doc.sheetWidth && cell.y < doc.sheetHeight) {
      layout.shown.push_back({i, cell});
      layout.pages = std::max(layout.pages, cell.page + 1);
    }
    if (CellOffSheet(cell, doc)) ++layout.offSheet;
  }
}

}  // namespace glyphsheet
