#include <gtest/gtest.h>

#include <climits>
#include <tuple>

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
  doc.glyphs[1].rightBorder = 2;
  PixelBitmap bitmap(kSheetBitmapSize, kSheetBitmapSize);
  Rebuild(doc, &font, bitmap);

  const std::vector<std::string> lines = Lines(FormatGlyphDescriptor(doc, &font));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[2], "\t<char id=\"233\" x=\"0\" y=\"0\" width=\"11\" height=\"26\" />");
  EXPECT_EQ(lines[3], "\t<spacing id=\"233\" a=\"-2\" b=\"11\" c=\"0\" />");
  // a0 = -1, b0 = 3, c0 = -2.
  EXPECT_EQ(lines[4], "\t<char id=\"110\" x=\"12\" y=\"0\" width=\"8\" height=\"26\" />");
  EXPECT_EQ(lines[5], "\t<spacing id=\"110\" a=\"-3\" b=\"8\" c=\"-5\" />");
  EXPECT_EQ(lines[6], "</font>");
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
  const auto idAbc = [&](size_t i) {
    return std::tuple(entries[i].id, entries[i].a, entries[i].b, entries[i].c);
  };
  EXPECT_EQ(idAbc(0), std::tuple(0, -3, 7, -4));
  // a = -(2^31 - 1 + 3) held at the limit, b = (2^31 - 1 + 3) + (-2^31 + 4), c = -(-2^31 + 4).
  EXPECT_EQ(idAbc(1), std::tuple(255, INT32_MIN, 6, INT32_MAX - 3));
}

}  // namespace
}  // namespace glyphsheet
