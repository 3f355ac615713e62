#include <gtest/gtest.h>

#include <tuple>

#include "sheet/bmfont_model.h"
#include "sheet/rebuild.h"
#include "sheet/text_preview.h"
#include "support/fake_rasterizer.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeGlyph;

// At factor 2 with borders L2 T1 R1 B2 (values worked out in the comments):
// chars are the cells with the descriptor's a, -top border and a + b + c;
// € is 8364; a repeated code and a cell off the sheet are left out; kerning
// is halved and rounded, halves away from zero, zeros dropped.
TEST(DescribeBmFont, CellsSpacingLineAndKerningInSheetPixels) {
  FakeFont font(30, FakeGlyph{{4, 15, 9}});  // ascent 24
  font.Set(U'€', FakeGlyph{{-2, 9, 1}});
  font.Set('W', FakeGlyph{{0, 120, 0}});
  font.SetKerning('A', U'€', -200);  // -1.56 -> -2
  font.SetKerning(U'€', 'A', 60);    // 0.47 -> 0, dropped
  font.SetKerning('A', 'A', -64);    // -0.5 -> -1
  SheetDocument doc;
  doc.sheetWidth = 64, doc.sheetHeight = 32;
  doc.font = FontSettings{"Fake Sans", 11, 700, kQualityAliased, 2, 1};
  doc.borders = {2, 1, 1, 2};
  for (char32_t code : {U'A', U'€', U'A', U'W'}) doc.glyphs.push_back(Glyph{code});
  PixelBitmap bitmap(512, 512);
  Rebuild(doc, &font, bitmap);

  const BmFont described = DescribeBmFont(doc, &font, {"s.png"}, true);
  const BmFontInfo& info = described.info;
  // 11 pt at factor 2 is 29 pixels high, 14 at sheet scale.
  EXPECT_EQ(std::tuple(info.face, info.size, info.bold, info.italic, info.smooth, info.aa,
                       info.padding),
            std::tuple("Fake Sans", 14, true, true, false, 2, std::array{1, 1, 2, 2}));
  const BmFontCommon& common = described.common;
  EXPECT_EQ(std::tuple(common.lineHeight, common.base, common.scaleW, common.scaleH, described.pages),
            std::tuple(15, 12, 64, 32, std::vector<std::string>{"s.png"}));
  // A: width 7 + 2 + 1, a 2 - 2, c 4 - 1. €: width 4 + 3, a -1 - 2, c 0 - 1.
  EXPECT_EQ(described.chars, (std::vector<BmFontChar>{{65, 0, 0, 10, 18, 0, -1, 13},
                                                      {8364, 11, 0, 7, 18, -3, -1, 3}}));
  EXPECT_EQ(described.leftOut, 1u) << "W's row ends at 37, past the 32-pixel sheet";
  EXPECT_EQ(described.kernings,
            (std::vector<BmFontKerning>{{65, 65, -1}, {65, 8364, -2}}));
  EXPECT_TRUE(DescribeBmFont(doc, &font, {"s.png"}, false).kernings.empty());
}

// The pen moves by xadvance plus kerning; cells are drawn at pen + xoffset
// from the line's top, white on the dark background, with a margin, scaled.
TEST(SetTextWithSheet, PlacesCellsAsAnEngineWould) {
  FakeFont font(10, FakeGlyph{{1, 4, 1}});  // a 4 x 10 box of full ink
  font.SetKerning('A', 'B', -2 * 64);
  SheetDocument doc;
  for (char32_t code : {U'A', U'B'}) doc.AddGlyph(code);
  PixelBitmap bitmap(512, 512);
  Rebuild(doc, &font, bitmap);
  const BmFont described = DescribeBmFont(doc, &font, {""}, true);

  // A's cell at 1..4, the pen at 6 - 2, B's cell at 5..8; the line is 10 wide.
  const TextPreview preview = SetTextWithSheet(described, std::span(&bitmap, 1), U"ACB", 2);
  const int32_t m = kPreviewMargin;
  EXPECT_EQ(std::tuple(preview.width, preview.height, preview.skipped),
            std::tuple(2 * (10 + 2 * m), 2 * (10 + 2 * m), std::vector<char32_t>{U'C'}));
  std::string row;
  for (int32_t x = 0; x < 10 + 2 * m; ++x) {
    const uint32_t pixel = preview.pixels[static_cast<size_t>(2 * (m + 5)) * preview.width + 2 * x];
    row += pixel == 0xFFFFFF ? '#' : pixel == kPreviewBackground ? '.' : '?';
  }
  EXPECT_EQ(row, std::string(m + 1, '.') + "########" + std::string(m + 1, '.'));
}

}  // namespace
}  // namespace glyphsheet
