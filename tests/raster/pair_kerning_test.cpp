#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "raster/pair_kerning.h"

namespace glyphsheet::raster {
namespace {

void AddRange(std::vector<char32_t>& codes, char32_t first, char32_t last) {
  for (char32_t c = first; c <= last; ++c) codes.push_back(c);
}

// Leaving out the pairs the font's tables cannot move changes nothing: the
// pairs are those of shaping every pair, for DejaVu Sans (GPOS class
// kerning, mark attachment, ligatures and contextual substitutions, and a
// kern table; among the characters controls, a soft hyphen, combining
// marks, a fraction slash and characters it lacks) and WenQuanYi Micro Hei
// (GPOS pairs of Latin and hanzi glyphs), while far fewer pairs are shaped.
TEST(PairKerning, ShapingOnlyReachablePairsGivesThePairsOfShapingAll) {
  const std::string dejaVu = std::string(GLYPHSHEET_TEST_FONT_DIR) + "/DejaVuSans.ttf";
  const std::string wenQuanYi = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
  if (!std::filesystem::exists(wenQuanYi)) GTEST_SKIP() << "no " << wenQuanYi;
  std::vector<char32_t> latin;
  AddRange(latin, 0x20, 0x17F);
  AddRange(latin, 0x2010, 0x2044);  // dashes, quotes, ellipsis, fraction slash
  AddRange(latin, 0x0300, 0x0304);  // combining accents
  AddRange(latin, 0xFB00, 0xFB04);  // ligatures as characters
  AddRange(latin, 0x4E00, 0x4E07);  // hanzi DejaVu Sans lacks
  latin.push_back(0x1F1E6);         // a regional indicator it lacks
  std::vector<char32_t> chinese;
  AddRange(chinese, 0x20, 0x7E);
  AddRange(chinese, 0x3000, 0x3015);  // CJK punctuation
  AddRange(chinese, 0x4E00, 0x4FFF);
  AddRange(chinese, 0xFF01, 0xFF0F);  // fullwidth punctuation

  struct Case {
    const std::string& path;
    const std::vector<char32_t>& codes;
    size_t mostShaped;
  };
  // DejaVu Sans kerns fewer than half of its characters here; among
  // WenQuanYi's only ASCII ones kern.
  const Case cases[] = {{dejaVu, latin, latin.size() * latin.size() / 2}, {wenQuanYi, chinese, 95 * 95}};
  for (const auto& [path, codes, mostShaped] : cases) {
    const PairKerning kerning(path, 0, 32);
    size_t shapedAll = 0;
    size_t shapedReachable = 0;
    const std::vector<KernedPair> all =
        kerning.Pairs(codes, PairKerning::Shaping::kEvery, &shapedAll);
    const std::vector<KernedPair> reachable =
        kerning.Pairs(codes, PairKerning::Shaping::kReachable, &shapedReachable);
    EXPECT_EQ(shapedAll, codes.size() * codes.size()) << path;
    EXPECT_GT(all.size(), 100u) << path;  // both kern Latin capitals and punctuation
    EXPECT_EQ(reachable, all) << path;
    EXPECT_LE(shapedReachable, mostShaped) << path;
  }
}

}  // namespace
}  // namespace glyphsheet::raster
