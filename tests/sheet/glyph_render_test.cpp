#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "sheet/rebuild.h"
#include "sheet/sheet_bitmap.h"

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
  AbcWidths CharAbc(uint8_t) const override { return {-3, size, 2}; }
  GlyphCoverage Coverage(uint8_t) const override { return {-3, 0, size, 2 * size, ink.data()}; }
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
    PixelBitmap sheet(kSheetBitmapSize, kSheetBitmapSize);
    Rebuild(doc, &font, sheet);
    for (int32_t y = 0; y <= 6; ++y) {
      for (int32_t x = 0; x <= 5; ++x) {
        const bool lit = x == c.cx + 1 && y == c.cy + 2;
        const uint32_t want = x == 5 || y == 6 ? kEmptyCellColour : lit ? c.level * 0x010101u : 0u;
        EXPECT_EQ(sheet.GetPixel(x, y), want) << "f " << c.f << " at " << x << ", " << y;
      }
    }
  }
}

}  // namespace
}  // namespace glyphsheet
