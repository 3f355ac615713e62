#include <gtest/gtest.h>

#include "sheet/glyph_layout.h"
#include "sheet/glyph_render.h"
#include "sheet/rebuild.h"
#include "sheet/supersample_reduction.h"
#include "sheet/sheet_bitmap.h"
#include "support/fake_rasterizer.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeGlyph;

constexpr uint32_t kWhite = 0xFFFFFF;

TEST(ReduceBlock, KernelsWeighTheRedChannel) {
  const struct {
    const char* what;
    int32_t factor;
    std::vector<std::pair<int32_t, int32_t>> white;  // pixels set to white
    int32_t sx, sy;
    uint32_t want;
  } cases[] = {
      {"2×2 with 255, 255, 0, 0", 2, {{0, 0}, {1, 0}}, 0, 0, GreyOf(127)},
      {"3×3 centre only", 3, {{1, 1}}, 0, 0, GreyOf(60)},
      {"3×3 corner only", 3, {{2, 2}}, 0, 0, GreyOf(12)},
      {"3×3 edge only", 3, {{1, 0}}, 0, 0, GreyOf(36)},
      {"4×4 four centre pixels", 4, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}, 0, 0, GreyOf(113)},
      {"4×4 corner only", 4, {{3, 0}}, 0, 0, GreyOf(7)},
      {"4×4 edge pixel", 4, {{0, 2}}, 0, 0, GreyOf(14)},
      {"block at an offset", 2, {{5, 7}}, 4, 6, GreyOf(63)},
      {"outside the scratch is black", 2, {{0, 0}}, -1, -1, GreyOf(63)},
      {"factor 1 copies the pixel", 1, {{3, 3}}, 3, 3, kWhite},
      {"unknown factor gives black", 5, {{0, 0}}, 0, 0, 0},
  };
  for (const auto& c : cases) {
    PixelBitmap scratch(8, 8);
    for (const auto& [x, y] : c.white) scratch.SetPixel(x, y, kWhite);
    EXPECT_EQ(ReduceBlock(scratch, c.sx, c.sy, c.factor), c.want) << c.what;
  }

  // All white gives 255 at every factor; only the red (lowest) byte counts.
  for (int32_t f = 1; f <= 4; ++f) {
    PixelBitmap scratch(4, 4);
    for (uint32_t colour : {kWhite, 0x0000FFu, 0xFFFF00u}) {
      scratch.FillRect(0, 0, 4, 4, colour);
      const uint32_t reduced = (colour & 0xFF) != 0 ? kWhite : 0u;
      EXPECT_EQ(ReduceBlock(scratch, 0, 0, f), f == 1 ? colour : reduced) << f << " " << colour;
    }
  }
}

// One glyph per factor, with its box placed so that known blocks come out.
// The plain way: one 512 × 512 scratch, each block cleared, every cell pixel
// visited. Wherever a block fits in 512 pixels RenderGlyphs must match it.
TEST(RenderGlyphs, MatchesThePlainPixelByPixelReduction) {
  for (int32_t f = 1; f <= 4; ++f) {
    FakeFont font(12 * f + 2, FakeGlyph{{f, 5 * f - 1, 1}, f / 2, -1, 200});
    font.Set('i', FakeGlyph{{-2, 2 * f + 1, 3}, 3 * f, 6 * f, 255});
    font.Set('w', FakeGlyph{{0, 9 * f + 3, -1}, 1, 8 * f, 90});
    for (const auto& [sheetW, sheetH] : {std::pair{128, 64}, std::pair{64, 128}}) {
      SheetDocument doc;
      doc.sheetWidth = sheetW, doc.sheetHeight = sheetH, doc.font.smoothing = f;
      doc.borders = {1, 2, 0, 1};
      for (int c = ' '; c < 127; ++c) doc.AddGlyph(static_cast<uint8_t>(c));
      doc.glyphs[3].leftBorder = 3, doc.glyphs[5].rightBorder = 4;
      PixelBitmap got(kSheetBitmapSize, kSheetBitmapSize);
      Rebuild(doc, &font, got);

      PixelBitmap want(kSheetBitmapSize, kSheetBitmapSize), scratch(512, 512);
      ClearSheetBitmap(want, sheetW, sheetH);
      for (const GlyphRecord& g : doc.glyphs) {
        for (int32_t y = 0; y < g.height * f; ++y)
          for (int32_t x = 0; x < g.width * f; ++x) scratch.SetPixel(x, y, 0);
        const int32_t ox = (g.leftBorder + doc.borders.left) * f;
        font.DrawChar(g.code, scratch, ox - font.CharAbc(g.code).a, doc.borders.top * f);
        for (int32_t cy = 0; cy < g.height; ++cy)
          for (int32_t cx = 0; cx < g.width; ++cx)
            if (g.y + cy < sheetH && g.x + cx < sheetW)
              want.SetPixel(g.x + cx, g.y + cy, ReduceBlock(scratch, f * cx, f * cy, f));
      }
      ASSERT_GT(CountCellsOffSheet(doc), 0u) << "some cells must cross the edges";
      for (int32_t i = 0; i < kSheetBitmapSize * kSheetBitmapSize; ++i)
        ASSERT_EQ(got.Pixels()[i], want.Pixels()[i]) << "factor " << f << ", pixel " << i;
    }
  }
}

TEST(RenderGlyphs, CellsCarryKernelValuesBordersAndEmptyColourGaps) {
  for (int32_t f = 1; f <= 4; ++f) {
    // Two glyphs: 'a' a full white box 2 × 3 cells whose ink starts A = 3
    // right of the pen; 'b' ink only on the top scratch row of its first cell row.
    FakeFont font(3 * f, FakeGlyph{{3, 2 * f, 0}});
    font.Set('b', FakeGlyph{{0, 2 * f, 0}, 0, 1, 255});
    SheetDocument doc;
    doc.sheetWidth = 64;
    doc.sheetHeight = 64;
    doc.font.smoothing = f;
    doc.borders = {1, 1, 0, 0};
    doc.AddGlyph('a');
    doc.AddGlyph('b');
    doc.glyphs[0].leftBorder = 1;
    PixelBitmap sheet(kSheetBitmapSize, kSheetBitmapSize);
    Rebuild(doc, &font, sheet);
    ASSERT_EQ(doc.glyphs[0].width, 4) << f;
    ASSERT_EQ(doc.glyphs[0].height, 4) << f;
    // 'a': two border columns and one border row black, then white.
    for (int32_t y = 0; y < 4; ++y) {
      for (int32_t x = 0; x < 4; ++x) {
        const bool ink = x >= 2 && y >= 1;
        EXPECT_EQ(sheet.GetPixel(x, y), ink ? kWhite : 0u) << "factor " << f << " at " << x << ", " << y;
      }
    }
    // The one-pixel gap and the rest of the sheet keep the empty-cell colour.
    EXPECT_EQ(sheet.GetPixel(4, 0), kEmptyCellColour);
    EXPECT_EQ(sheet.GetPixel(0, 4), kEmptyCellColour);
    EXPECT_EQ(sheet.GetPixel(63, 63), kEmptyCellColour);
    // 'b' at x = 5: one white scratch row of f in its first ink row, and
    // nothing of 'a' left in the scratch below it.
    ASSERT_EQ(doc.glyphs[1].x, 5);
    const uint32_t topRow[] = {0, kWhite, GreyOf(127), GreyOf(5 * 255 / 21), GreyOf(6 * 255 / 36)};
    EXPECT_EQ(sheet.GetPixel(6, 1), topRow[f]) << "factor " << f;
    EXPECT_EQ(sheet.GetPixel(6, 2), 0u) << "factor " << f;
    EXPECT_EQ(sheet.GetPixel(7, 2), 0u) << "factor " << f;
    EXPECT_EQ(sheet.GetPixel(5, 1), 0u) << "factor " << f;
  }
}

TEST(RenderGlyphs, BlocksLargerThan512KeepTheirInk) {
  // Factor 2, a cell 300 × 550: its block is 600 × 1100 scratch pixels.
  FakeFont font(1100, FakeGlyph{{5, 600, 7}});
  SheetDocument doc;
  doc.sheetWidth = 512;
  doc.sheetHeight = 512;
  doc.font.smoothing = 2;
  doc.AddGlyph('M');
  PixelBitmap sheet(kSheetBitmapSize, kSheetBitmapSize);
  Rebuild(doc, &font, sheet);
  ASSERT_EQ(doc.glyphs[0].width, 300);
  ASSERT_EQ(doc.glyphs[0].height, 550);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{255, 255}, std::pair{256, 0},
                             std::pair{299, 300}, std::pair{0, 511}, std::pair{299, 511}}) {
    EXPECT_EQ(sheet.GetPixel(x, y), kWhite) << x << ", " << y;
  }
  EXPECT_EQ(sheet.GetPixel(300, 0), kEmptyCellColour);
}

}  // namespace
}  // namespace glyphsheet
