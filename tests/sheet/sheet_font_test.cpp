#include <gtest/gtest.h>

#include "sheet/sheet_font.h"
#include "support/fake_rasterizer.h"

namespace glyphsheet {
namespace {

TEST(SheetFont, PixelHeightClampsTheSizeAndRoundsToNearest) {
  struct Case {
    int32_t size, factor, pixels;
  };
  const Case cases[] = {
      {11, 1, 15},   // 14.67
      {11, 4, 59},   // 58.67
      {12, 1, 16},   // exact
      {10, 1, 13},   // 13.33 rounds down
      {32, 4, 171},  // 170.67
      {100, 4, 533}, // 533.33
      {200, 1, 133}, // held to 100 pt
      {2, 1, 7},     // held to 5 pt: 6.67
      {-7, 3, 20},   // held to 5 pt
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SheetFontPixelHeight(c.size, c.factor), c.pixels) << c.size << " pt × " << c.factor;
  }
}

TEST(SheetFont, RequestCarriesTheSettingsAndMakesOddValuesSafe) {
  FontSettings s;
  s.pointSize = 11;
  // Values no control offers: no selection (-1), zero, out of range.
  struct Odd {
    int32_t weight, quality, smoothing, italic;
    int32_t wantWeight;
    bool wantAntialiased;
    int32_t wantPixels;  // at 11 pt
    bool wantItalic;
  };
  const Odd odd[] = {
      {-1, -1, -1, 0, 400, true, 15, false},
      {0, 0, 0, 2, 400, true, 15, true},
      {5000, 7, 5, 0, 400, true, 15, false},
      {600, kQualityAntialiased, 2, 0, 600, true, 29, false},
      {100, kQualityAliased, 3, 0, 100, false, 44, false},
      {700, kQualityAliased, 4, 1, 700, false, 59, true},
  };
  for (const Odd& o : odd) {
    s.weight = o.weight;
    s.quality = o.quality;
    s.smoothing = o.smoothing;
    s.italic = o.italic;
    const FontRequest r = SheetFontRequest(s);
    EXPECT_EQ(r.weight, o.wantWeight) << o.weight;
    EXPECT_EQ(r.antialiased, o.wantAntialiased) << o.quality;
    EXPECT_EQ(r.pixelHeight, o.wantPixels) << o.smoothing;
    EXPECT_EQ(r.italic, o.wantItalic) << o.italic;
  }
  s.faceName = "Not Installed";
  testing::FakeRasterizer rasterizer;
  const auto missing = CreateSheetFont(rasterizer, s);
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error().find("Not Installed"), std::string::npos);
}

}  // namespace
}  // namespace glyphsheet
