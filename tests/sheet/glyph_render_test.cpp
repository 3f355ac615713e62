#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "sheet/rebuild.h"
#include "sheet/sheet_bitmap.h"
#include "support/pixels.h"

namespace glyphsheet {
namespace {

using Dots = std::vector<std::pair<int32_t, int32_t>>;

// A font of one character, size wide with A = -3 on a line size high, whose
// ink, reaching a whole line below the line, is single white pixels at the
// given offsets from the ink's top-left.
struct DotFont : RasterFont {
  DotFont(int32_t size, const Dots& dots) : size(size), ink(2 * size * size) {
    for (const auto& [dx, dy] : dots) ink[dy * size + dx] = 255;
  }
  int32_t LineHeight() const override { return size; }
  int32_t Ascent() const override { return size; }
  AbcWidths CharAbc(char32_t) const override { return {-3, size, 2}; }
  GlyphCoverage Coverage(char32_t) const override { return {-3, 0, size, 2 * size, ink.data()}; }
  bool HasGlyph(char32_t) const override { return true; }
  int32_t size;
  std::vector<uint8_t> ink;
};

// One 5 × 6 cell at the sheet's top-left with borders left 1 and top 2: its
// ink starts at cell pixel (1, 2). One lit pixel of a block gives its kernel
// weight × 255 / divisor (3 × 3: 1 3 1 / 3 5 3 / 1 3 1 over 21; 4 × 4:
// 1 2 2 1 / 2 4 4 2 / ... over 36; 2 × 2: all 1 over 4). Ink below the line
// (the last case's block (1, 4)) shows nowhere: the gaps keep their colour.
TEST(RenderGlyphs, ReducesEachBlockWithTheKernelOfTheFactor) {
  const struct { int32_t f; Dots dots; int32_t cx, cy; uint32_t level; } cases[] = {
      {1, {{3, 1}}, 3, 1, 255}, {2, {{6, 5}}, 3, 2, 63}, {3, {{2, 2}}, 0, 0, 12},
      {3, {{1, 0}}, 0, 0, 36},  {3, {{4, 7}}, 1, 2, 60}, {4, {{3, 0}}, 0, 0, 7},
      {4, {{1, 2}}, 0, 0, 28},  {4, {{8, 6}}, 2, 1, 14}, {2, {{2, 8}}, 1, 4, 0},
  };
  for (const auto& c : cases) {
    const DotFont font(4 * c.f, c.dots);
    SheetDocument doc;
    doc.sheetWidth = doc.sheetHeight = 64, doc.font.smoothing = c.f, doc.borders = {1, 2, 0, 0};
    doc.AddGlyph('x');
    PixelBitmap sheet(512, 512);
    Rebuild(doc, &font, sheet);
    for (int32_t y = 0; y <= 6; ++y) {
      for (int32_t x = 0; x <= 5; ++x) {
        const bool lit = x == c.cx + 1 && y == c.cy + 2;
        const uint32_t want = x == 5 || y == 6 ? kEmptyCellColour : lit ? c.level * 0x010101u : 0u;
        EXPECT_EQ(PixelAt(sheet, x, y), want) << "f " << c.f << " at " << x << ", " << y;
      }
    }
  }
}

// A glyph whose ink starts one drawing pixel left of the cell's left inset
// and above its top border (as accents above the line do): the reduction
// grid still starts at the inset and the border, so the reduced ink starts
// one sheet pixel left and up, in the borders, with partial blocks there.
// The cell is 4 wide (left border 1, B 2f / f = 2, right border 1) and 7
// high (top border 2, line 4f / f, bottom 1); the ink is 2f × 2f lit.
TEST(RenderGlyphs, InkLeftOfAndAboveTheCellIsReducedOnTheCellsGrid) {
  struct EdgeFont : RasterFont {
    explicit EdgeFont(int32_t f) : f(f), ink(static_cast<size_t>(4 * f * f), 255) {}
    int32_t LineHeight() const override { return 4 * f; }
    int32_t Ascent() const override { return 3 * f; }
    AbcWidths CharAbc(char32_t) const override { return {0, 2 * f, 0}; }
    GlyphCoverage Coverage(char32_t) const override { return {-1, -1, 2 * f, 2 * f, ink.data()}; }
    bool HasGlyph(char32_t) const override { return true; }
    int32_t f;
    std::vector<uint8_t> ink;
  };
  // Levels of the corner block (one drawing pixel lit), of an edge block
  // (one row or column lit) and of the block right of the full one (all
  // but its last column lit).
  const struct { int32_t f; uint32_t corner, edge, inner; } cases[] = {
      {2, 63, 127, 127}, {3, 12, 60, 194}, {4, 7, 42, 212}};
  for (const auto& c : cases) {
    const EdgeFont font(c.f);
    SheetDocument doc;
    doc.sheetWidth = doc.sheetHeight = 64, doc.font.smoothing = c.f, doc.borders = {1, 2, 1, 1};
    doc.AddGlyph('x');
    PixelBitmap sheet(512, 512);
    Rebuild(doc, &font, sheet);
    // The ink's origin is cell pixel (1, 2).
    const auto at = [&](int32_t x, int32_t y) { return PixelAt(sheet, x, y) & 0xFF; };
    EXPECT_EQ(at(0, 1), c.corner) << c.f;
    EXPECT_EQ(at(1, 1), c.edge) << c.f;
    EXPECT_EQ(at(0, 2), c.edge) << c.f;
    EXPECT_EQ(at(1, 2), 255u) << c.f;
    EXPECT_EQ(at(2, 2), c.inner) << c.f;
    EXPECT_EQ(at(0, 0) | at(1, 0) | at(3, 2) | at(1, 4), 0u) << c.f;
  }
}

}  // namespace
}  // namespace glyphsheet
