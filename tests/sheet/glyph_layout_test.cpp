#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "sheet/glyph_layout.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_bitmap.h"
#include "support/fake_rasterizer.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeGlyph;

struct Cell {
  int32_t x, y, width, height;
  bool operator==(const Cell&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Cell& c) {
  return os << "(" << c.x << ", " << c.y << ") " << c.width << " × " << c.height;
}

std::vector<Cell> Cells(const SheetDocument& doc) {
  std::vector<Cell> cells;
  for (const GlyphRecord& g : doc.glyphs) cells.push_back({g.x, g.y, g.width, g.height});
  return cells;
}

TEST(MeasureGlyphs, CellIsInkWidthAndLineHeightOverFactorPlusBorders) {
  FakeFont font(30, FakeGlyph{{4, 15, 9}});
  font.Set('B', FakeGlyph{{-3, 15, 20}});  // same ink, other advance
  font.Set('C', FakeGlyph{{0, 1, 0}});
  font.Set('D', FakeGlyph{{0, -15, 0}});  // a negative width counts by its size
  SheetDocument doc;
  doc.font.smoothing = 2;
  doc.borders = {2, 1, 1, 2};
  for (uint8_t c : {'A', 'B', 'C', 'D'}) doc.AddGlyph(c);
  doc.glyphs[2].leftBorder = 4;
  doc.glyphs[2].rightBorder = 5;
  MeasureGlyphs(doc, &font);
  EXPECT_EQ(Cells(doc)[0], (Cell{0, 0, 10, 18}));  // 15 / 2 = 7 and 30 / 2 = 15, each + 3
  // 'C' is 0 wide plus its own borders 4 + 5 and the sheet's 3.
  EXPECT_EQ((std::vector{doc.glyphs[1].width, doc.glyphs[2].width, doc.glyphs[3].width}),
            (std::vector{10, 12, 10}));

  // Factor 3 truncates 15 / 3 = 5 and 30 / 3 = 10; factors no control offers count as 1.
  const std::pair<int32_t, Cell> byFactor[] = {
      {3, {0, 0, 8, 13}}, {4, {0, 0, 6, 10}}, {1, {0, 0, 18, 33}}, {0, {0, 0, 18, 33}},
      {-1, {0, 0, 18, 33}}, {9, {0, 0, 18, 33}}};
  for (const auto& [factor, cell] : byFactor) {
    doc.font.smoothing = factor;
    MeasureGlyphs(doc, &font);
    EXPECT_EQ(Cells(doc)[0], cell) << "factor " << factor;
  }

  // No font: only the borders.
  MeasureGlyphs(doc, nullptr);
  EXPECT_EQ(Cells(doc)[0], (Cell{0, 0, 3, 3}));
  EXPECT_EQ(doc.glyphs[2].width, 12);
}

SheetDocument Sized(int32_t sheetWidth, std::vector<std::pair<int32_t, int32_t>> sizes) {
  SheetDocument doc;
  doc.sheetWidth = sheetWidth;
  doc.sheetHeight = 16;
  for (const auto& [w, h] : sizes) {
    GlyphRecord g;
    g.width = w;
    g.height = h;
    doc.glyphs.push_back(g);
  }
  return doc;
}

TEST(LayoutGlyphs, PacksRowsOnePixelApart) {
  struct Case {
    const char* what;
    int32_t sheetWidth;
    std::vector<std::pair<int32_t, int32_t>> sizes;
    std::vector<Cell> want;
  };
  const Case cases[] = {
      {"second glyph would end at 17 > 16", 16, {{10, 5}, {6, 5}},
       {{0, 0, 10, 5}, {0, 6, 6, 5}}},
      {"ending exactly on the sheet width stays", 16, {{10, 5}, {5, 5}},
       {{0, 0, 10, 5}, {11, 0, 5, 5}}},
      {"first glyph wider than the sheet leaves row 0 empty", 16, {{20, 7}, {3, 7}},
       {{0, 8, 20, 7}, {0, 16, 3, 7}}},
      {"row step is the tallest cell so far, never reset", 10,
       {{10, 5}, {10, 9}, {10, 3}, {4, 2}, {7, 2}},
       {{0, 0, 10, 5}, {0, 10, 10, 9}, {0, 20, 10, 3}, {0, 30, 4, 2}, {0, 40, 7, 2}}},
      {"cells past the bottom keep their places", 8, {{8, 20}, {8, 20}, {8, 20}},
       {{0, 0, 8, 20}, {0, 21, 8, 20}, {0, 42, 8, 20}}},
      {"zero-width cells still step one pixel", 4, {{0, 1}, {0, 1}, {4, 1}},
       {{0, 0, 0, 1}, {1, 0, 0, 1}, {0, 2, 4, 1}}},
  };
  for (const Case& c : cases) {
    SheetDocument doc = Sized(c.sheetWidth, c.sizes);
    LayoutGlyphs(doc);
    EXPECT_EQ(Cells(doc), c.want) << c.what;
  }
}

// Borders read from project files can be anything: cells saturate instead of
// overflowing, and rebuilding with them finishes at once at every factor.
TEST(Rebuild, AbsurdBordersSaturateAndFinish) {
  FakeFont font(40, FakeGlyph{{0, 20, 0}});
  for (int32_t f = 1; f <= 4; ++f) {
    SCOPED_TRACE("factor " + std::to_string(f));
    SheetDocument doc;
    doc.sheetWidth = doc.sheetHeight = 512;
    doc.font.smoothing = f;
    for (int c = 0; c < 256; ++c) doc.AddGlyph(static_cast<uint8_t>(c));
    PixelBitmap sheet(kSheetBitmapSize, kSheetBitmapSize);
    const auto rebuild = [&](int32_t all, int32_t own) {
      doc.borders = {all, all, all, all};
      for (GlyphRecord& g : doc.glyphs) g.leftBorder = g.rightBorder = own;
      Rebuild(doc, &font, sheet);
    };
    rebuild(INT32_MAX, INT32_MAX);
    EXPECT_EQ(Cells(doc)[0], (Cell{0, INT32_MAX, INT32_MAX, INT32_MAX}));
    EXPECT_EQ(doc.glyphs[255].y, INT32_MAX);
    rebuild(INT32_MIN, INT32_MIN);
    EXPECT_EQ(Cells(doc)[0], (Cell{0, 0, INT32_MIN, INT32_MIN}));
    EXPECT_EQ(doc.glyphs[1].x, INT32_MIN + 1);
    EXPECT_EQ(doc.glyphs[255].y, 0);
    // 65536 on every side: each cell is wider than the sheet and gets a row of its own.
    rebuild(65536, 0);
    const int32_t h = 40 / f + 2 * 65536;
    EXPECT_EQ(Cells(doc)[0], (Cell{0, h + 1, 20 / f + 2 * 65536, h}));
    EXPECT_EQ(doc.glyphs[9].y, 10 * (h + 1));
    // Huge borders of single glyphs: a first cell that covers the sheet's
    // width shows nothing but black there.
    for (int32_t border : {65536, INT32_MAX, -65536, INT32_MIN, -1}) {
      doc.borders = {0, 0, 0, 0};
      doc.glyphs[0].leftBorder = doc.glyphs[1].rightBorder = border;
      Rebuild(doc, &font, sheet);
      const GlyphRecord& g = doc.glyphs[0];
      if (border > 0) {
        EXPECT_EQ(std::pair(g.x, g.y), std::pair(0, g.height + 1));
        EXPECT_EQ(sheet.GetPixel(0, g.y) | sheet.GetPixel(511, g.y + 5), 0u);
      }
    }
  }
}

}  // namespace
}  // namespace glyphsheet
