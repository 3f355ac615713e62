#include <gtest/gtest.h>

#include <cstdlib>

#include "raster/freetype_rasterizer.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_bitmap.h"
#include "sheet/sheet_font.h"

namespace glyphsheet {
namespace {

class RebuildWithDejaVu : public ::testing::Test {
 protected:
  // A document of the printable ASCII codes in DejaVu Sans.
  SheetDocument Doc(int32_t size, int32_t factor, int32_t quality, int32_t sheetSize = 256) {
    SheetDocument doc;
    doc.sheetWidth = doc.sheetHeight = sheetSize;
    doc.font = FontSettings{"DejaVu Sans", size, 400, quality, factor, 0};
    for (int c = 33; c < 127; ++c) doc.AddGlyph(static_cast<uint8_t>(c));
    return doc;
  }

  // Builds the font for the document and rebuilds the sheet.
  void Build(SheetDocument& doc) {
    auto font = CreateSheetFont(rasterizer_, doc.font);
    ASSERT_TRUE(font.ok()) << font.error();
    font_ = std::move(font.value());
    Rebuild(doc, font_.get(), sheet_);
  }

  // Calls visit(x, y, colour) for every pixel of every cell inside the sheet.
  template <class Visit>
  void ForEachCellPixel(const SheetDocument& doc, Visit visit) const {
    for (const GlyphRecord& g : doc.glyphs) {
      for (int32_t y = g.y; y < g.y + g.height && y < doc.sheetHeight; ++y) {
        for (int32_t x = g.x; x < g.x + g.width && x < doc.sheetWidth; ++x) {
          visit(x, y, sheet_.GetPixel(x, y));
        }
      }
    }
  }

  FreeTypeRasterizer rasterizer_;
  std::unique_ptr<RasterFont> font_;
  PixelBitmap sheet_{kSheetBitmapSize, kSheetBitmapSize};
};

TEST_F(RebuildWithDejaVu, AliasedCellsAreBlackAndWhiteAntialiasedOnesGrey) {
  for (int32_t quality : {kQualityAliased, kQualityAntialiased}) {
    SheetDocument doc = Doc(11, 1, quality);
    Build(doc);
    int grey = 0, white = 0, other = 0;
    ForEachCellPixel(doc, [&](int32_t, int32_t, uint32_t c) {
      const uint32_t v = c & 0xFF;
      if (c != (v | v << 8 | v << 16)) ++other;
      else if (v == 255) ++white;
      else if (v != 0) ++grey;
    });
    EXPECT_EQ(other, 0) << "quality " << quality;
    EXPECT_GT(white, 100) << "quality " << quality;
    if (quality == kQualityAliased) EXPECT_EQ(grey, 0);
    else EXPECT_GT(grey, 100);
  }
}

TEST_F(RebuildWithDejaVu, FactorBarelyChangesCellsWhichNeverOverlap) {
  SheetDocument base = Doc(16, 1, kQualityAntialiased);
  Build(base);
  for (int32_t f = 1; f <= 4; ++f) {
    SheetDocument doc = Doc(16, f, kQualityAntialiased);
    doc.borders = {1, 2, 1, 0};
    doc.glyphs[4].leftBorder = 2;
    Build(doc);
    for (size_t i = 0; i < doc.glyphs.size(); ++i) {
      const int32_t extra = (i == 4 ? 2 : 0) + 2;
      EXPECT_LE(std::abs(doc.glyphs[i].width - extra - base.glyphs[i].width), 2)
          << "factor " << f << " code " << int{doc.glyphs[i].code};
      EXPECT_LE(std::abs(doc.glyphs[i].height - 2 - base.glyphs[i].height), 2) << "factor " << f;
    }
    // Every in-sheet pixel belongs to at most one cell; the others keep the
    // empty-cell colour, and cell pixels are grey levels, never that colour.
    std::vector<int> owners(doc.sheetWidth * doc.sheetHeight, 0);
    ForEachCellPixel(doc, [&](int32_t x, int32_t y, uint32_t c) {
      ++owners[y * doc.sheetWidth + x];
      EXPECT_NE(c, kEmptyCellColour);
    });
    int covered = 0;
    for (int32_t y = 0; y < doc.sheetHeight; ++y) {
      for (int32_t x = 0; x < doc.sheetWidth; ++x) {
        const int n = owners[y * doc.sheetWidth + x];
        ASSERT_LE(n, 1) << "cells overlap at " << x << ", " << y;
        if (n == 0) {
          ASSERT_EQ(sheet_.GetPixel(x, y), kEmptyCellColour) << x << ", " << y;
        }
        covered += n;
      }
    }
    EXPECT_GT(covered, 1000);
  }
}

TEST_F(RebuildWithDejaVu, CellsPastTheEdgesAreCutAtTheSheet) {
  SheetDocument doc = Doc(24, 2, kQualityAntialiased, 64);
  doc.glyphs[0].rightBorder = 70;  // wider than the sheet
  Build(doc);
  ASSERT_GT(doc.glyphs.back().y, 64);  // the list runs far past the bottom
  PixelBitmap cleared(kSheetBitmapSize, kSheetBitmapSize);
  ClearSheetBitmap(cleared, 64, 64);
  for (int32_t y = 0; y < kSheetBitmapSize; ++y) {
    for (int32_t x = 0; x < kSheetBitmapSize; ++x) {
      if (x >= 64 || y >= 64) {
        ASSERT_EQ(sheet_.GetPixel(x, y), cleared.GetPixel(x, y)) << x << ", " << y;
      }
    }
  }
  EXPECT_EQ(sheet_.GetPixel(63, doc.glyphs[0].y), 0u);  // its right border, up to the edge
  // Cells crossing the bottom edge are drawn down to it.
  ForEachCellPixel(doc, [](int32_t, int32_t, uint32_t c) { EXPECT_NE(c, kEmptyCellColour); });
}

TEST_F(RebuildWithDejaVu, InkStartsAfterTheLeftBordersAndBelowTheTopBorder) {
  for (int32_t quality : {kQualityAliased, kQualityAntialiased}) {
    SheetDocument doc = Doc(20, 1, quality);
    doc.ClearGlyphs();
    for (int c : {int{'H'}, int{'l'}, int{'|'}, 0xC9}) doc.AddGlyph(static_cast<uint8_t>(c));  // 0xC9 is É
    doc.borders = {2, 3, 1, 1};
    for (GlyphRecord& g : doc.glyphs) g.leftBorder = 4;
    Build(doc);
    for (const GlyphRecord& g : doc.glyphs) {
      int32_t firstInkX = -1, firstInkY = -1, lastInkX = -1;
      for (int32_t x = 0; x < g.width; ++x) {
        for (int32_t y = 0; y < g.height; ++y) {
          if (sheet_.GetPixel(g.x + x, g.y + y) == 0) continue;
          if (firstInkX < 0) firstInkX = x;
          lastInkX = x;
          if (firstInkY < 0 || y < firstInkY) firstInkY = y;
        }
      }
      EXPECT_EQ(firstInkX, 6) << "code " << int{g.code} << " quality " << quality;
      EXPECT_EQ(lastInkX, g.width - 2) << "code " << int{g.code};  // one right border column
      EXPECT_GE(firstInkY, 3) << "code " << int{g.code};
    }
  }
}

}  // namespace
}  // namespace glyphsheet
