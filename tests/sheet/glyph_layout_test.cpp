#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <tuple>
#include <utility>

#include "sheet/glyph_layout.h"
#include "sheet/rebuild.h"
#include "support/fake_rasterizer.h"
#include "support/pixels.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeGlyph;
using Cell = std::array<int32_t, 4>;  // x, y, width, height

// Every glyph's cell, kept or not by the layout.
std::vector<Cell> Cells(const SheetDocument& doc, const RasterFont* font) {
  std::vector<Cell> cells;
  CellWalk walk(doc, font);
  for (const Glyph g : doc.glyphs) {
    const GlyphCell c = walk.Next(g);
    cells.push_back({c.x, c.y, c.width, c.height});
  }
  return cells;
}

// Width: B / f plus the font-wide and the glyph's own left and right borders;
// a negative B counts by its size, A and C do not count. Height: line height
// / f plus top and bottom borders. Division truncates; factors no control
// offers count as 1. Adding a code already listed changes nothing.
TEST(CellMeasure, CellIsInkWidthAndLineHeightOverFactorPlusBorders) {
  FakeFont font(30, FakeGlyph{{4, 15, 9}});
  font.Set('C', FakeGlyph{{0, 1, 0}});
  font.Set(0, FakeGlyph{{0, -15, 0}});
  SheetDocument doc;
  doc.borders = {2, 1, 1, 2};
  for (char32_t c : {U'A', U'C', U'\0'}) doc.AddGlyph(c);
  doc.glyphs.SetBorders(1, 4, 5);
  EXPECT_FALSE(doc.AddGlyph('C'));
  const std::pair<int32_t, std::vector<int32_t>> cases[] = {  // factor, widths and height
      {1, {18, 13, 18, 33}}, {2, {10, 12, 10, 18}}, {3, {8, 12, 8, 13}}, {4, {6, 12, 6, 10}},
      {0, {18, 13, 18, 33}}, {9, {18, 13, 18, 33}}};
  for (const auto& [factor, want] : cases) {
    doc.font.smoothing = factor;
    CellMeasure measure(doc, &font);
    std::vector<int32_t> got;
    for (const Glyph g : doc.glyphs) got.push_back(measure.Size(g).width);
    got.push_back(measure.Size(doc.glyphs[2]).height);
    EXPECT_EQ(got, want) << "factor " << factor;
  }
  CellMeasure noFont(doc, nullptr);  // no font: only the borders
  EXPECT_EQ(noFont.Size(doc.glyphs[0]), (GlyphCell{0, 0, 3, 3}));
  EXPECT_EQ(noFont.Size(doc.glyphs[1]).width, 12);
}

// Cells go left to right one pixel apart; a cell that would end past the
// sheet's right edge (strictly) starts a new row. Rows are one pixel more
// than the tallest cell so far apart. Cells past the bottom keep their places.
TEST(CellPacker, PacksRowsOnePixelApartAndCountsCellsOffTheSheet) {
  using Sizes = std::vector<std::pair<int32_t, int32_t>>;
  const struct { const char* what; int32_t sheetWidth; Sizes sizes; std::vector<Cell> want;
                 size_t offSheet; /* of a 16 pixel high sheet */ } cases[] = {
      {"second glyph would end at 17 > 16", 16, {{10, 5}, {6, 5}},
       {{0, 0, 10, 5}, {0, 6, 6, 5}}, 0},
      {"ending exactly on both edges stays", 16, {{10, 16}, {5, 5}},
       {{0, 0, 10, 16}, {11, 0, 5, 5}}, 0},
      {"first glyph wider than the sheet leaves row 0 empty", 16, {{20, 7}, {3, 7}},
       {{0, 8, 20, 7}, {0, 16, 3, 7}}, 2},
      {"row step is the tallest cell so far, never reset", 10,
       {{10, 5}, {10, 9}, {10, 3}, {4, 2}, {7, 2}},
       {{0, 0, 10, 5}, {0, 10, 10, 9}, {0, 20, 10, 3}, {0, 30, 4, 2}, {0, 40, 7, 2}}, 4},
  };
  for (const auto& c : cases) {
    SheetDocument doc;
    doc.sheetWidth = c.sheetWidth;
    doc.sheetHeight = 16;
    CellPacker packer(c.sheetWidth);
    std::vector<Cell> got;
    size_t offSheet = 0;
    for (const auto& [w, h] : c.sizes) {
      const GlyphCell cell = packer.Place(w, h);
      got.push_back({cell.x, cell.y, cell.width, cell.height});
      offSheet += CellOffSheet(cell, doc) ? 1 : 0;
    }
    EXPECT_EQ(got, c.want) << c.what;
    EXPECT_EQ(offSheet, c.offSheet) << c.what;
  }
}

// The layout keeps only the cells that start on the 512-pixel sheet bitmap,
// with their glyph's index, and counts every cell that is cut off.
// Every cell that starts on a page is kept. On one page the third row stays
// where it is, cut off at the bottom; with more pages it starts the next
// one, packed afresh from its top-left. The smallest sheet that holds every
// cell: of the sizes of least area (1024², 2048 × 512, 4096 × 256) the
// squarest.
TEST(LayoutGlyphs, KeepsCellsThatStartOnAPageAndContinuesOnTheNext) {
  FakeFont font(200, FakeGlyph{{0, 200, 0}});
  SheetDocument doc;
  doc.sheetWidth = 1000, doc.sheetHeight = 500;  // four cells a row: x 0, 201, 402, 603
  for (int i = 0; i < 12; ++i) doc.glyphs.push_back(Glyph{static_cast<char32_t>('A' + i)});
  for (const int32_t maxPages : {1, 3}) {
    doc.maxPages = maxPages;
    LayoutGlyphs(doc, &font);
    ASSERT_EQ(doc.layout.shown.size(), 12u);
    for (const auto& [index, cell] : doc.layout.shown) {
      const auto column = static_cast<int32_t>(index % 4), row = static_cast<int32_t>(index / 4);
      const bool next = maxPages > 1 && row == 2;  // the third row ends at 602
      EXPECT_EQ(cell, (GlyphCell{201 * column, next ? 0 : 201 * row, 200, 200, next ? 1 : 0}))
          << index;
    }
    EXPECT_EQ(std::tuple(doc.layout.offSheet, doc.layout.pages),
              maxPages == 1 ? std::tuple(size_t{4}, 1) : std::tuple(size_t{0}, 2));
  }
  const auto fit = SmallestSheetThatFits(doc, &font, 4096);
  ASSERT_TRUE(fit);
  EXPECT_EQ(std::pair(fit->width, fit->height), std::pair(1024, 1024));
  EXPECT_FALSE(SmallestSheetThatFits(doc, &font, 512));  // 1024 x 512 ends at 602
  doc.glyphs.push_back(Glyph{'M', 4000, 0});  // wider than 4096 with the ink
  EXPECT_FALSE(SmallestSheetThatFits(doc, &font, 4096));
}

// Borders read from project files can be anything: cells saturate instead of
// overflowing, and rebuilding with them finishes at once at every factor.
TEST(Rebuild, AbsurdBordersSaturateAndFinish) {
  FakeFont font(40, FakeGlyph{{0, 20, 0}});
  constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;
  for (int32_t f = 1; f <= 4; ++f) {
    SheetDocument doc;
    doc.sheetWidth = 500, doc.sheetHeight = 512;
    doc.font.smoothing = f;
    for (int c = 0; c < 256; ++c) doc.AddGlyph(static_cast<char32_t>(c));
    PixelBitmap sheet(512, 512);
    // A first cell as wide as can be takes the second row and shows its black
    // left border across the sheet, up to its right edge: the hatch stays.
    doc.glyphs.SetBorders(0, kMax, 0);
    Rebuild(doc, &font, sheet);
    EXPECT_EQ(Cells(doc, &font)[0], (Cell{0, 40 / f + 1, kMax, 40 / f})) << f;
    EXPECT_EQ(PixelAt(sheet, 0, 40 / f + 1) | PixelAt(sheet, 499, 40 / f + 5), 0u) << f;
    EXPECT_EQ(PixelAt(sheet, 500, 40 / f + 1), 0x808080u) << f;
    const std::pair<int32_t, std::vector<Cell>> cases[] = {  // every border, cells 0, 1, 255
        {kMax, {{0, kMax, kMax, kMax}, {0, kMax, kMax, kMax}, {0, kMax, kMax, kMax}}},
        {kMin, {{0, 0, kMin, kMin}, {kMin + 1, 0, kMin, kMin}, {kMin, 0, kMin, kMin}}}};
    for (const auto& [border, want] : cases) {
      doc.borders = {border, border, border, border};
      for (size_t i = 0; i < doc.glyphs.size(); ++i) doc.glyphs.SetBorders(i, border, border);
      Rebuild(doc, &font, sheet);
      const std::vector<Cell> cells = Cells(doc, &font);
      EXPECT_EQ((std::vector{cells[0], cells[1], cells[255]}), want) << f;
    }
  }
}

}  // namespace
}  // namespace glyphsheet
