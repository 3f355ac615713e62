#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "raster/freetype_rasterizer.h"
#include "sheet/windows1252.h"
#include "sheet/cell_geometry.h"
#include "sheet/glyph_layout.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_bitmap.h"
#include "sheet/sheet_font.h"
#include "sheet/supersample_reduction.h"
#include "support/draw_glyph.h"
#include "support/pixels.h"

namespace glyphsheet {
namespace {

template <int F>
uint32_t Weight(int32_t i, int32_t j) { return ReductionKernel<F>::weights[j][i]; }

// The sheet drawn the plain way: each cell's glyph drawn at factor scale into
// a black scratch as large as the cell, then every sheet pixel reduced from
// its block.
PixelBitmap PlainRender(const SheetDocument& doc, const RasterFont& font) {
  const int32_t f = doc.font.smoothing;
  uint32_t (*weight)(int32_t, int32_t) =
      f == 1 ? Weight<1> : f == 2 ? Weight<2> : f == 3 ? Weight<3> : Weight<4>;
  const uint32_t divisor = f == 1 ? 1 : f == 2 ? 4 : f == 3 ? 21 : 36;
  PixelBitmap sheet(512, 512);
  ClearSheetBitmap(sheet, doc.sheetWidth, doc.sheetHeight);
  CellWalk walk(doc, &font);
  for (const Glyph glyph : doc.glyphs) {
    const GlyphCell g = walk.Next(glyph);
    PixelBitmap scratch(g.width * f, g.height * f);
    const AbcWidths abc = font.CharAbc(glyph.code);
    const CellGeometry cell = GlyphCellGeometry(glyph, doc.borders, abc.b, font.LineHeight(), f);
    testing::DrawOnBlack(font, glyph.code, scratch, static_cast<int32_t>(cell.leftInset * f - abc.a),
                         static_cast<int32_t>(cell.topInset * f));
    for (int32_t cy = 0; cy < g.height && g.y + cy < doc.sheetHeight; ++cy) {
      for (int32_t cx = 0; cx < g.width && g.x + cx < doc.sheetWidth; ++cx) {
        uint32_t sum = 0;
        for (int32_t j = 0; j < f; ++j) {
          for (int32_t i = 0; i < f; ++i) {
            sum += weight(i, j) * (PixelAt(scratch, cx * f + i, cy * f + j) & 0xFF);
          }
        }
        SetPixelAt(sheet, g.x + cx, g.y + cy, sum / divisor * 0x010101u);
      }
    }
  }
  return sheet;
}

// The rebuild keeps reduced glyphs and copies them into their cells; that
// must give the plain way's pixels exactly, at every factor, in both
// qualities, with borders, synthetic styles and cells cut by both edges, on
// a sheet where every glyph is rendered at once (512 x 40) and on one where
// glyphs are measured first and rendered when shown (190 x 45). On the
// 512 x 512 sheets the accented capitals (192..221) are drawn too: their
// accents rise above the line, into the top border or past the cell's top.
TEST(RebuildWithDejaVu, MatchesThePlainPixelByPixelWay) {
  const FreeTypeRasterizer rasterizer;
  bool inkAbove = false;
  for (int32_t f = 1; f <= 4; ++f) {
    for (const auto& [face, size, quality, italic, width, height, top] :
         {std::tuple("DejaVu Sans", 13, kQualityAntialiased, 0, 512, 40, 2),
          std::tuple("DejaVu Serif", 13, kQualityAliased, 0, 190, 45, 2),
          std::tuple("DejaVu Sans Light", 13, kQualityAntialiased, 1, 190, 45, 2),
          std::tuple("DejaVu Sans", 10, kQualityAntialiased, 0, 512, 512, 0),
          std::tuple("DejaVu Sans", 10, kQualityAliased, 1, 512, 512, 1)}) {
      SheetDocument doc;
      doc.sheetWidth = width, doc.sheetHeight = height;
      doc.font = FontSettings{face, size, 400, quality, f, italic};
      doc.borders = {1, top, 0, 1};
      for (int c = 32; c < 256; c += 3) doc.AddGlyph(Windows1252ToUnicode(static_cast<uint8_t>(c)));
      doc.glyphs.SetBorders(1, 600, 0), doc.glyphs.SetBorders(2, 0, 3);
      SheetFontCache font;
      ASSERT_TRUE(font.Update(rasterizer, doc.font));
      for (int c = 192; c < 222 && height == 512; c += 3) {
        inkAbove = inkAbove || font.Font()->Coverage(Windows1252ToUnicode(static_cast<uint8_t>(c))).top < 0;
      }
      PixelBitmap sheet(512, 512);
      Rebuild(doc, font.Font(), sheet);
      const PixelBitmap plain = PlainRender(doc, *font.Font());
      for (int32_t i = 0; i < 512 * 512; ++i) {
        ASSERT_EQ(sheet.Pixels()[i], plain.Pixels()[i])
            << face << " f " << f << " at " << i % 512 << ", " << i / 512;
      }
      Rebuild(doc, font.Font(), sheet);  // again, from the kept images
      ASSERT_TRUE(std::equal(sheet.Pixels(), sheet.Pixels() + 512 * 512, plain.Pixels()));
    }
  }
  EXPECT_TRUE(inkAbove) << "no accent rose above the line";
}

}  // namespace
}  // namespace glyphsheet
