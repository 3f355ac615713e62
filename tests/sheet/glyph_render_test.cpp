#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "sheet/glyph_layout.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_bitmap.h"
#include "support/fake_rasterizer.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeGlyph;
using Dots = std::vector<std::pair<int32_t, int32_t>>;

constexpr uint32_t kWhite = 0xFFFFFF;

// A font of one square character size × size with A = -3 whose ink is
// single white pixels at the given offsets from the ink's top-left.
struct DotFont : RasterFont {
  DotFont(int32_t size, const Dots& dots) : size(size), ink(size * size) {
    for (const auto& [dx, dy] : dots) ink[dy * size + dx] = 255;
  }
  int32_t LineHeight() const override { return size; }
  AbcWidths CharAbc(uint8_t) const override { return {-3, size, 2}; }
  GlyphCoverage Coverage(uint8_t) const override { return {-3, 0, size, size, ink.data()}; }
  int32_t size;
  std::vector<uint8_t> ink;
};

// One glyph at the sheet's top-left with borders left 1 and top 2: its ink
// starts at cell pixel (1, 2). One lit pixel of a block gives its kernel
// weight × 255 / divisor (3 × 3: 1 3 1 / 3 5 3 / 1 3 1 over 21; 4 × 4:
// 1 2 2 1 / 2 4 4 2 / ... over 36; 2 × 2: all 1 over 4). Full blocks are
// tried in the next test.
TEST(RenderGlyphs, ReducesEachBlockWithTheKernelOfTheFactor) {
  const struct { int32_t f; Dots dots; int32_t cx, cy; uint32_t level; } cases[] = {
      {1, {{3, 1}}, 3, 1, 255}, {2, {{6, 5}}, 3, 2, 63}, {3, {{2, 2}}, 0, 0, 12},
      {3, {{1, 0}}, 0, 0, 36},  {3, {{4, 7}}, 1, 2, 60}, {4, {{3, 0}}, 0, 0, 7},
      {4, {{1, 2}}, 0, 0, 28},  {4, {{8, 6}}, 2, 1, 14},
  };
  for (const auto& c : cases) {
    const DotFont font(4 * c.f, c.dots);
    SheetDocument doc;
    doc.sheetWidth = doc.sheetHeight = 64, doc.font.smoothing = c.f, doc.borders = {1, 2, 0, 0};
    doc.AddGlyph('x');
    PixelBitmap sheet(kSheetBitmapSize, kSheetBitmapSize);
    Rebuild(doc, &font, sheet);
    for (int32_t y = 0; y < 6; ++y) {
      for (int32_t x = 0; x < 5; ++x) {
        const uint32_t want = x == c.cx + 1 && y == c.cy + 2 ? c.level * 0x010101u : 0u;
        EXPECT_EQ(sheet.GetPixel(x, y), want) << "f " << c.f << " at " << x << ", " << y;
      }
    }
  }
}

// Every cell shows its ink after its left and top borders, its borders black,
// and is cut at the sheet's edges; ink taller than the line reaches only the
// cell's bottom; the gaps keep the empty-cell colour and the hatch outside
// the sheet stays. Full blocks of ink, so each factor gives the same picture,
// also for ink more than 512 drawing pixels into a cell.
TEST(RenderGlyphs, CellsHoldTheirInkAndNothingElseChanges) {
  for (int32_t f = 1; f <= 4; ++f) {
    FakeFont font(5 * f, FakeGlyph{{2, 3 * f, 1}});
    font.Set('x', FakeGlyph{{2, 3 * f, 1}, 0, 50 * f, 255});  // far taller than the line
    font.Set('y', FakeGlyph{{-4, 3 * f, 1}, f, f, 128});       // only the second ink row, grey
    SheetDocument doc;
    doc.sheetWidth = 400, doc.sheetHeight = 36, doc.font.smoothing = f;
    doc.borders = {1, 1, 0, 1};
    for (int c = ' '; c < 256; ++c) doc.AddGlyph(static_cast<uint8_t>(c));
    doc.glyphs[0].leftBorder = 300, doc.glyphs[5].rightBorder = 1, doc.glyphs[9].rightBorder = 500;
    PixelBitmap got(kSheetBitmapSize, kSheetBitmapSize), want(kSheetBitmapSize, kSheetBitmapSize);
    Rebuild(doc, &font, got);
    ASSERT_GT(CountCellsOffSheet(doc), 10u);
    ClearSheetBitmap(want, 400, 36);
    for (const GlyphRecord& g : doc.glyphs) {
      const int32_t left = 1 + g.leftBorder;
      for (int32_t cy = 0; cy < g.height && g.y + cy < 36; ++cy) {
        for (int32_t cx = 0; cx < g.width && g.x + cx < 400; ++cx) {
          const bool row = g.code == 'y' ? cy == 2 : cy >= 1 && (cy < 6 || g.code == 'x');
          const bool ink = row && cx >= left && cx < left + 3;
          want.SetPixel(g.x + cx, g.y + cy, !ink ? 0 : g.code == 'y' ? 0x808080 : kWhite);
        }
      }
    }
    for (int32_t i = 0; i < kSheetBitmapSize * kSheetBitmapSize; ++i) {
      ASSERT_EQ(got.Pixels()[i], want.Pixels()[i]) << f << ": " << i % 512 << ", " << i / 512;
    }
  }
}

}  // namespace
}  // namespace glyphsheet
