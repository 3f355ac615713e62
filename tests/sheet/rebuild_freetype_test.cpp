#include <gtest/gtest.h>

#include "raster/freetype_rasterizer.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_font.h"

namespace glyphsheet {
namespace {

// DejaVu Sans characters with upright stems at both sides ('H', 'l', '|' and
// 'É' = 0xC9) show ink from the first column after the left borders to the
// last before the right border, none above the top border. At factor 3 the
// last B mod 3 drawing columns may reach into the right border.
TEST(RebuildWithDejaVu, InkFillsTheCellBetweenItsBorders) {
  const FreeTypeRasterizer rasterizer;
  for (const auto& [quality, f] : {std::pair{kQualityAliased, 1}, {kQualityAntialiased, 1},
                                   {kQualityAntialiased, 3}}) {
    SheetDocument doc;
    doc.font = FontSettings{"DejaVu Sans", 20, 400, quality, f, 0};
    doc.borders = {2, 3, 1, 1};
    for (int c : {int{'H'}, int{'l'}, int{'|'}, 0xC9}) doc.AddGlyph(static_cast<uint8_t>(c));
    for (GlyphRecord& g : doc.glyphs) g.leftBorder = 4;
    auto font = CreateSheetFont(rasterizer, doc.font);
    ASSERT_TRUE(font.ok()) << font.error();
    PixelBitmap sheet(kSheetBitmapSize, kSheetBitmapSize);
    Rebuild(doc, font.value().get(), sheet);
    for (const GlyphRecord& g : doc.glyphs) {
      int32_t firstX = -1, lastX = -1, firstY = g.height;
      for (int32_t i = 0; i < g.width * g.height; ++i) {
        if (sheet.GetPixel(g.x + i % g.width, g.y + i / g.width) == 0) continue;
        firstX = firstX < 0 ? i % g.width : std::min(firstX, i % g.width);
        lastX = std::max(lastX, i % g.width);
        firstY = std::min(firstY, i / g.width);
      }
      SCOPED_TRACE(::testing::Message() << "code " << int{g.code} << ", factor " << f);
      EXPECT_EQ(firstX, 6);
      EXPECT_GE(lastX, g.width - 2);
      EXPECT_LE(lastX, g.width - (f == 1 ? 2 : 1));
      EXPECT_GE(firstY, 3);
    }
  }
}

}  // namespace
}  // namespace glyphsheet
