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
  for (uint8_t c : {'A', 'B', 'C', 'A', 'B'}) doc.AddGlyph(c);
  EXPECT_EQ(Codes(doc), (std::vector<int>{'A', 'B', 'C'}));

  // A present code keeps its borders; a new one starts at 0.
  doc.glyphs[0].rightBorder = 5;
  EXPECT_FALSE(doc.AddGlyph('A'));
  EXPECT_TRUE(doc.AddGlyph(0));
  EXPECT_TRUE(doc.AddGlyph(255));
  EXPECT_EQ(doc.glyphs[0].rightBorder, 5);
  EXPECT_EQ(Codes(doc), (std::vector<int>{'A', 'B', 'C', 0, 255}));
  EXPECT_EQ(doc.glyphs[4].leftBorder, 0);
  EXPECT_EQ(doc.glyphs[4].rightBorder, 0);
}

TEST(SheetDocument, AllCodesFitOnceAndClearKeepsSettings) {
  SheetDocument doc;
  doc.sheetWidth = 512;
  doc.borders.left = 3;
  doc.font.pointSize = 20;
  for (int round = 0; round < 2; ++round)
    for (int c = 0; c < 256; ++c) doc.AddGlyph(static_cast<uint8_t>(c));
  EXPECT_EQ(doc.glyphs.size(), 256u);
  doc.ClearGlyphs();
  EXPECT_TRUE(doc.glyphs.empty());
  EXPECT_EQ(doc.sheetWidth, 512);
  EXPECT_EQ(doc.borders.left, 3);
  EXPECT_EQ(doc.font.pointSize, 20);
}

}  // namespace
}  // namespace glyphsheet
