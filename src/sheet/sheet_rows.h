#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sheet/sheet_document.h"
#include "sheet/supersample_reduction.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// The cells of one page of a laid-out sheet drawn one row at a time: the
/// sheet bitmap is painted with it, and the exports write their rows
/// straight from it, without a bitmap. Cells are drawn where they lie on the
/// page, each black with its glyph's reduced ink after the left inset and
/// below the top border; a later cell of the list is drawn over an earlier one.
class SheetRows {
 public:
  /// The cells of doc.layout on `page`, on its first maxWidth × maxHeight
  /// pixels; makes the reduced images of their glyphs that are not made
  /// yet. Both must outlive this.
  SheetRows(const SheetDocument& doc, const RasterFont* font, int32_t page = 0,
            int32_t maxWidth = INT32_MAX, int32_t maxHeight = INT32_MAX);

  /// Columns and rows that cells are drawn on.
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  /// Paints row y of every cell over it onto row[0 .. Width()): its pixels
  /// black, then its ink, each as toPixel(level); pixels of no cell keep
  /// their value. Rows are asked for from the top, y = 0, 1, 2, …
  template <class Pixel, class ToPixel>
  void Paint(int32_t y, Pixel* row, ToPixel toPixel);

 private:
  // One cell's part on the drawn area and its ink, in sheet pixels.
  struct Part {
    int32_t x0 = 0, x1 = 0;  // columns [x0, x1)
    int32_t y0 = 0, y1 = 0;  // rows [y0, y1)
    const ReducedGlyph* ink = nullptr;
    int64_t inkX = 0, inkY = 0;  // the ink's top-left pixel
  };

  /// Takes in the parts that start by row y and drops those that ended.
  void Advance(int32_t y);

  int32_t width_ = 0;
  int32_t height_ = 0;
  // In list order (a later cell is drawn over an earlier one).
  std::vector<Part> parts_;
  // Indices of parts_ by first row, then by list order; those before
  // nextStart_ have been taken in.
  std::vector<size_t> byStart_;
  size_t nextStart_ = 0;
  // The parts over the row last painted, in list order.
  std::vector<size_t> active_;
};

template <class Pixel, class ToPixel>
void SheetRows::Paint(int32_t y, Pixel* row, ToPixel toPixel) {
  Advance(y);
  const Pixel black = toPixel(uint8_t{0});
  for (const size_t i : active_) {
    const Part& p = parts_[i];
    // Black where the row of the cell has no ink, the ink's levels where it has.
    int64_t from = p.x1, to = p.x1;
    const int64_t inkRow = y - p.inkY;
    if (p.ink != nullptr && inkRow >= 0 && inkRow < p.ink->rows) {
      from = std::clamp<int64_t>(p.inkX, p.x0, p.x1);
      to = std::clamp<int64_t>(p.inkX + p.ink->width, from, p.x1);
    }
    for (int64_t x = p.x0; x < from; ++x) row[x] = black;
    const uint8_t* level = p.ink != nullptr && from < to
                               ? p.ink->levels.data() + inkRow * p.ink->width + (from - p.inkX)
                               : nullptr;
    for (int64_t x = from; x < to; ++x) row[x] = toPixel(*level++);
    for (int64_t x = to; x < p.x1; ++x) row[x] = black;
  }
}

}  // namespace glyphsheet
