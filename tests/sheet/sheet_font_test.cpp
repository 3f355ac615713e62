#include <gtest/gtest.h>

#include <tuple>

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
  // Values no control offers among them: no selection (-1), zero, out of range.
  const struct {
    int32_t weight, quality, smoothing, italic;
    FontRequest want;  // at 11 pt
  } cases[] = {
      {-1, -1, -1, 0, {"Fake Sans", 15, 400, false, true}},
      {0, 0, 0, 2, {"Fake Sans", 15, 400, true, true}},
      {5000, 7, 5, 0, {"Fake Sans", 15, 400, false, true}},
      {600, kQualityAntialiased, 2, 0, {"Fake Sans", 29, 600, false, true}},
      {100, kQualityAliased, 3, 0, {"Fake Sans", 44, 100, false, false}},
      {700, kQualityAliased, 4, 1, {"Fake Sans", 59, 700, true, false}},
  };
  for (const auto& c : cases) {
    const FontRequest r =
        SheetFontRequest(FontSettings{"Fake Sans", 11, c.weight, c.quality, c.smoothing, c.italic});
    EXPECT_EQ(std::tuple(r.face, r.pixelHeight, r.weight, r.italic, r.antialiased),
              std::tuple(c.want.face, c.want.pixelHeight, c.want.weight, c.want.italic,
                         c.want.antialiased))
        << c.weight << " " << c.quality << " " << c.smoothing << " " << c.italic;
  }
  testing::FakeRasterizer rasterizer;
  const auto missing = CreateSheetFont(rasterizer, FontSettings{"Not Installed", 11, 400, 4, 1, 0});
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error().find("Not Installed"), std::string::npos);
}

}  // namespace
}  // namespace glyphsheet
