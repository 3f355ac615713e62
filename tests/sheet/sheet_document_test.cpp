#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "sheet/settings.h"
#include "sheet/sheet_font.h"

namespace glyphsheet {
namespace {

// Typeface names match whole, without regard to case. A range's lowest value is
// taken, one below it leaves the current one (the other edges are tried through
// ApplyProject in the project file test, the ranges' texts in the CLI usage test).
TEST(Settings, TypefaceNamesMatchWholeAndRangesKeepTheirEdges) {
  const std::vector<std::string> faces = {"DejaVu Sans", "DejaVu Sans Mono", "Zapf Dingbats"};
  EXPECT_EQ(FindTypeface("dejavu SANS mono", faces), "DejaVu Sans Mono");
  for (const char* name : {"DejaVu", "DejaVu Sans ", ""}) {
    EXPECT_EQ(FindTypeface(name, faces), std::nullopt) << name;
  }
  int32_t factor = 3;
  EXPECT_EQ(TakeInRange(0, kSmoothingRange, factor), LoadTake::kKept);
  EXPECT_EQ(TakeInRange(1, kSmoothingRange, factor), LoadTake::kTaken);
  EXPECT_EQ(factor, 1);
}

// Pixel height: factor × size (held to 5..100) × 96 / 72, rounded to nearest.
// Values no control offers (none selected is -1) become safe ones: a weight
// outside 100..900 is 400, a smoothing outside 1..4 is 1, and only quality 3
// turns grey levels off.
TEST(SheetFont, RequestCarriesTheSettingsAndMakesOddValuesSafe) {
  const struct { int32_t size, factor, pixels; } heights[] = {
      {11, 1, 15}, {11, 4, 59}, {10, 1, 13}, {100, 4, 533},  // 14.67, 58.67, 13.33, 533.33
      {200, 1, 133}, {2, 1, 7}, {-7, 3, 20}};                // held to 100 pt; to 5 pt: 6.67, 20
  for (const auto& c : heights) {
    EXPECT_EQ(SheetFontPixelHeight(c.size, c.factor), c.pixels) << c.size << " pt × " << c.factor;
  }
  using Request = std::tuple<int32_t, int32_t, bool, bool>;  // height, weight, italic, greys
  const struct { int32_t weight, quality, smoothing, italic; Request want; } cases[] = {
      {-1, -1, -1, 0, {15, 400, false, true}},   {0, 0, 0, 2, {15, 400, true, true}},
      {99, 7, 5, 0, {15, 400, false, true}},     {901, 3, 0, 0, {15, 400, false, false}},
      {100, 3, 3, -1, {44, 100, true, false}},   {900, 4, 2, 0, {29, 900, false, true}},
  };
  for (const auto& c : cases) {
    const FontRequest r =
        SheetFontRequest(FontSettings{"Fake Sans", 11, c.weight, c.quality, c.smoothing, c.italic});
    EXPECT_EQ(std::tuple(r.pixelHeight, r.weight, r.italic, r.antialiased), c.want)
        << c.weight << " " << c.quality << " " << c.smoothing << " " << c.italic;
  }
}

}  // namespace
}  // namespace glyphsheet
