#include <gtest/gtest.h>

#include <climits>

#include "files/glyph_descriptor.h"
#include "sheet/rebuild.h"
#include "descriptor_reader.h"
#include "support/fake_rasterizer.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeGlyph;

using Entry = testing::DescriptorEntry;
using testing::Lines;

TEST(GlyphDescriptor, BordersMoveFromAAndCIntoBWithTruncatingDivision) {
  SheetDocument doc;
  doc.font.smoothing = 2;
  doc.borders = {2, 5, 1, 6};
  FakeFont font(30);
  font.Set(233, FakeGlyph{{3, 15, 2}});
  font.Set('n', FakeGlyph{{-3, 7, -5}});  // negative A and C truncate toward zero
  doc.AddGlyph(233);
  doc.AddGlyph('n');
  doc.glyphs[0].leftBorder = 1;
  PixelBitmap bitmap(kSheetBitmapSize, kSheetBitmapSize);
  Rebuild(doc, &font, bitmap);

  const std::vector<std::string> lines = Lines(FormatGlyphDescriptor(doc, &font));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[2], "\t<char id=\"233\" x=\"0\" y=\"0\" width=\"11\" height=\"26\" />");
  EXPECT_EQ(lines[3], "\t<spacing id=\"233\" a=\"-2\" b=\"11\" c=\"0\" />");
  // a0 = -1, b0 = 3, c0 = -2.
  EXPECT_EQ(lines[4], "\t<char id=\"110\" x=\"12\" y=\"0\" width=\"6\" height=\"26\" />");
  EXPECT_EQ(lines[5], "\t<spacing id=\"110\" a=\"-3\" b=\"6\" c=\"-3\" />");
  EXPECT_EQ(lines[6], "</font>");
}

TEST(GlyphDescriptor, BIsTheCellWidthAndTheAdvanceIsKeptUpToTruncation) {
  FakeFont font(40);
  const FakeGlyph glyphs[] = {{{1, 8, 1}}, {{-4, 17, 3}}, {{0, 1, 9}}, {{5, 23, -7}},
                              {{-9, 30, -2}}, {{2, 3, 0}}};
  for (size_t i = 0; i < std::size(glyphs); ++i) font.Set(static_cast<uint8_t>('a' + i), glyphs[i]);
  for (int32_t factor = 1; factor <= 4; ++factor) {
    SheetDocument doc;
    doc.sheetWidth = 64;
    doc.sheetHeight = 64;  // some cells land below the sheet and are listed all the same
    doc.font.smoothing = factor;
    doc.borders = {factor, 1, 3 - factor % 3, 2};
    for (size_t i = 0; i < std::size(glyphs); ++i) {
      doc.AddGlyph(static_cast<uint8_t>('a' + i));
      doc.glyphs[i].leftBorder = static_cast<int32_t>(i % 3);
      doc.glyphs[i].rightBorder = static_cast<int32_t>(i / 2);
    }
    PixelBitmap bitmap(kSheetBitmapSize, kSheetBitmapSize);
    Rebuild(doc, &font, bitmap);
    const std::vector<Entry> entries = testing::ReadDescriptor(FormatGlyphDescriptor(doc, &font));
    ASSERT_EQ(entries.size(), doc.glyphs.size());
    for (size_t i = 0; i < entries.size(); ++i) {
      const Entry& e = entries[i];
      const GlyphRecord& g = doc.glyphs[i];
      SCOPED_TRACE("factor " + std::to_string(factor) + " glyph " + std::to_string(i));
      EXPECT_EQ(e.id, g.code);
      EXPECT_EQ(e.spacingId, g.code);
      EXPECT_EQ(e.x, g.x);
      EXPECT_EQ(e.y, g.y);
      EXPECT_EQ(e.width, g.width);
      EXPECT_EQ(e.height, g.height);
      EXPECT_EQ(e.b, g.width);
      const AbcWidths abc = glyphs[i].abc;
      const double advance = double(abc.a + abc.b + abc.c) / factor;
      EXPECT_LE(std::abs(e.a + e.b + e.c - advance), 3.0);
      EXPECT_EQ(e.a, abc.a / factor - g.leftBorder - doc.borders.left);
      EXPECT_EQ(e.c, abc.c / factor - g.rightBorder - doc.borders.right);
    }
  }
}

TEST(GlyphDescriptor, NoFontAndAbsurdBordersStayDefined) {
  SheetDocument doc;
  doc.borders = {3, 0, 4, 0};
  doc.AddGlyph(0);
  doc.AddGlyph(255);
  doc.glyphs[1].leftBorder = INT32_MAX;
  doc.glyphs[1].rightBorder = INT32_MIN;
  const std::vector<Entry> entries = testing::ReadDescriptor(FormatGlyphDescriptor(doc, nullptr));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].id, 0);
  EXPECT_EQ(entries[0].a, -3);
  EXPECT_EQ(entries[0].b, 7);
  EXPECT_EQ(entries[0].c, -4);
  EXPECT_EQ(entries[1].id, 255);
  EXPECT_EQ(entries[1].a, INT32_MIN);  // -(2^31 - 1 + 3), held at the limit
  EXPECT_EQ(entries[1].b, 6);  // (2^31 - 1 + 3) + (-2^31 + 4)
  EXPECT_EQ(entries[1].c, INT32_MAX - 3);  // -(-2^31 + 4)
}

}  // namespace
}  // namespace glyphsheet
