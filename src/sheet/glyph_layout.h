#pragma once

#include <climits>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// Packs cells into rows from the top-left in list order, one pixel apart;
/// rows are one pixel more than the tallest cell so far on the page apart.
/// A cell that would end past the sheet's right edge starts a new row. A
/// cell that would end past the bottom starts the next page, packed afresh,
/// while pages are left; on the last page it keeps its place.
class CellPacker {
 public:
  CellPacker(int32_t sheetWidth, int32_t sheetHeight = INT32_MAX, int32_t maxPages = 1)
      : sheetWidth_(sheetWidth), sheetHeight_(sheetHeight), maxPages_(maxPages) {}
  /// The place of the next cell of this size.
  GlyphCell Place(int32_t width, int32_t height);

 private:
  GlyphCell PlaceOnPage(int32_t width, int32_t height);

  int32_t sheetWidth_;
  int32_t sheetHeight_;
  int32_t maxPages_;
  int32_t page_ = 0;
  int64_t x_ = 0;
  int64_t y_ = 0;
  int32_t rowStep_ = 0;
};

/// Cell sizes, from each glyph's cell geometry. With no font every character
/// measures 0.
class CellMeasure {
 public:
  CellMeasure(const SheetDocument& doc, const RasterFont* font);
  /// The cell of a glyph before it is placed (x and y 0).
  GlyphCell Size(const Glyph& glyph);

 private:
  const SheetDocument& doc_;
  const RasterFont* font_;
  CellBorders insets_;
  int32_t factor_;
  int32_t lineHeight_;
  /// B of each code, asked of the font once.
  std::unordered_map<char32_t, int32_t> ink_;
};

/// Every glyph's cell in list order, measured and packed as the rebuild does,
/// without keeping them: Next is called once per glyph, from the first.
class CellWalk {
 public:
  CellWalk(const SheetDocument& doc, const RasterFont* font)
      : measure_(doc, font), packer_(doc.sheetWidth, doc.sheetHeight, doc.maxPages) {}
  GlyphCell Next(const Glyph& glyph);

 private:
  CellMeasure measure_;
  CellPacker packer_;
};

/// True when the cell reaches past its page's bottom or right edge.
bool CellOffSheet(const GlyphCell& cell, const SheetDocument& doc);

/// Measures and packs every glyph into doc.layout: the cells that start on
/// a page, how many cells do not lie wholly on one, and how many pages hold a cell.
void LayoutGlyphs(SheetDocument& doc, const RasterFont* font);

/// The sheet size of least area (on a tie, one at least as wide as high,
/// then the squarer), each side one of kSheetSizeChoices up to maxSide, on
/// which every cell of the document lies wholly on one page; nothing when
/// none holds them all.
struct SheetSize {
  int32_t width = 0;
  int32_t height = 0;
};
std::optional<SheetSize> SmallestSheetThatFits(const SheetDocument& doc, const RasterFont* font,
                                               int32_t maxSide);

}  // namespace glyphsheet
