#include <gtest/gtest.h>

#include "sheet/sheet_document.h"

namespace glyphsheet {
namespace {

std::vector<int> Codes(const SheetDocument& doc) {
  std::vector<int> codes;
  for (const auto& g : doc.glyphs) codes.push_back(g.code);
  return codes;
}

TEST(SheetDocument, AddGlyphKeepsFirstAdditionOrderAndSkipsPresentCodes) {
  SheetDocument doc;
  doc.sheetWidth = 512;
  for (uint8_t c : {'A', 'B', 'C', 'A', 'B'}) doc.AddGlyph(c);
  EXPECT_EQ(Codes(doc), (std::vector<int>{'A', 'B', 'C'}));
  // A present code keeps its borders; a new one starts at 0; every code fits once.
  doc.glyphs[0].rightBorder = 5;
  EXPECT_FALSE(doc.AddGlyph('A'));
  EXPECT_TRUE(doc.AddGlyph(0));
  for (int round = 0; round < 2; ++round)
    for (int c = 0; c < 256; ++c) doc.AddGlyph(static_cast<uint8_t>(c));
  ASSERT_EQ(doc.glyphs.size(), 256u);
  EXPECT_EQ(Codes(doc)[3], 0);
  EXPECT_EQ(Codes(doc)[255], 255);
  EXPECT_EQ(doc.glyphs[0].rightBorder, 5);
  EXPECT_EQ(doc.glyphs[3].leftBorder + doc.glyphs[3].rightBorder, 0);
  doc.ClearGlyphs();
  EXPECT_TRUE(doc.glyphs.empty());
  EXPECT_EQ(doc.sheetWidth, 512);
}

}  // namespace
}  // namespace glyphsheet
