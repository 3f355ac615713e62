#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "sheet/settings.h"
#include "sheet/sheet_document.h"
#include "sheet/sheet_font.h"

namespace glyphsheet {
namespace {

// Adding a code already in the list changes nothing: its borders stay.
// (Order and duplicates of typed characters are tried in the command line test.)
TEST(SheetDocument, AddGlyphSkipsPresentCodesKeepingTheirBorders) {
  SheetDocument doc;
  EXPECT_TRUE(doc.AddGlyph('B'));
  doc.glyphs[0].rightBorder = 5;
  EXPECT_FALSE(doc.AddGlyph('B'));
  EXPECT_TRUE(doc.AddGlyph(0));
  EXPECT_EQ(std::tuple(doc.glyphs.size(), doc.glyphs[0].rightBorder, doc.glyphs[1].code),
            std::tuple(2u, 5, uint8_t{0}));
}

// A stored value is taken as it is, held to its range, or left out so that
// the current value (99 here) stays: (c) TakeClamped over the borders' 0..16,
// (r) TakeInRange over smoothing's 1..4, (l) TakeChoice over the weight list
// 400, 600, 700.
// Typeface names match whole, without regard to case.
TEST(Settings, StoredValuesAreTakenClampedOrKept) {
  using enum LoadTake;
  const struct { char how; int32_t stored, value; LoadTake outcome; } cases[] = {
      {'c', 0, 0, kTaken},     {'c', 16, 16, kTaken},          {'c', -1, 0, kClamped},
      {'c', 17, 16, kClamped}, {'c', INT32_MIN, 0, kClamped},  {'c', INT32_MAX, 16, kClamped},
      {'r', 1, 1, kTaken},     {'r', 4, 4, kTaken},            {'r', 0, 99, kKept},
      {'r', 5, 99, kKept},     {'l', 400, 400, kTaken},        {'l', 700, 700, kTaken},
      {'l', 500, 99, kKept},   {'l', 0, 99, kKept},
  };
  for (const auto& c : cases) {
    int32_t target = 99;
    const LoadTake outcome = c.how == 'c'   ? TakeClamped(c.stored, kBorderRange, target)
                             : c.how == 'r' ? TakeInRange(c.stored, kSmoothingRange, target)
                                            : TakeChoice(c.stored, kWeightChoices, target);
    EXPECT_EQ(std::pair(target, outcome), std::pair(c.value, c.outcome)) << c.how << c.stored;
  }
  EXPECT_EQ(kPointSizeRange.Text(), "5..100");
  EXPECT_EQ(ChoicesText(kSheetSizeChoices), "64, 128, 256, 512");
  const std::vector<std::string> faces = {"DejaVu Sans", "DejaVu Sans Mono", "Zapf Dingbats"};
  EXPECT_EQ(FindTypeface("dejavu SANS mono", faces), "DejaVu Sans Mono");
  EXPECT_EQ(FindTypeface("zapf dingbats", faces), "Zapf Dingbats");
  for (const char* name : {"DejaVu", "DejaVu Sans ", ""}) {
    EXPECT_EQ(FindTypeface(name, faces), std::nullopt) << name;
  }
}

// Pixel height: factor × size (held to 5..100) × 96 / 72, rounded to nearest.
// Values no control offers (none selected is -1) become safe ones: a weight
// outside 100..900 is 400, a smoothing outside 1..4 is 1, and only quality 3
// turns grey levels off.
TEST(SheetFont, RequestCarriesTheSettingsAndMakesOddValuesSafe) {
  const struct { int32_t size, factor, pixels; } heights[] = {
      {11, 1, 15}, {11, 4, 59}, {12, 1, 16}, {10, 1, 13},    // 14.67, 58.67, 16, 13.33
      {32, 4, 171}, {100, 4, 533}, {200, 1, 133},            // 170.67, 533.33, held to 100 pt
      {2, 1, 7}, {-7, 3, 20}};                               // held to 5 pt: 6.67, 20
  for (const auto& c : heights) {
    EXPECT_EQ(SheetFontPixelHeight(c.size, c.factor), c.pixels) << c.size << " pt × " << c.factor;
  }
  using Request = std::tuple<int32_t, int32_t, bool, bool>;  // height, weight, italic, greys
  const struct { int32_t weight, quality, smoothing, italic; Request want; } cases[] = {
      {-1, -1, -1, 0, {15, 400, false, true}},   {0, 0, 0, 2, {15, 400, true, true}},
      {99, 7, 5, 0, {15, 400, false, true}},     {901, 3, 0, 0, {15, 400, false, false}},
      {100, 3, 3, -1, {44, 100, true, false}},   {900, 4, 2, 0, {29, 900, false, true}},
      {700, 3, 4, 1, {59, 700, true, false}},
  };
  for (const auto& c : cases) {
    const FontRequest r =
        SheetFontRequest(FontSettings{"Fake Sans", 11, c.weight, c.quality, c.smoothing, c.italic});
    EXPECT_EQ(r.face, "Fake Sans");
    EXPECT_EQ(std::tuple(r.pixelHeight, r.weight, r.italic, r.antialiased), c.want)
        << c.weight << " " << c.quality << " " << c.smoothing << " " << c.italic;
  }
}

}  // namespace
}  // namespace glyphsheet
