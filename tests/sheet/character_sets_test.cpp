#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "sheet/character_sets.h"

namespace glyphsheet {
namespace {

// Counts are the standards' own; first and last are the characters at the
// ends of each range (Big5 A440 and C67E, EUC-CN B0A1 and D7F9, ...).
TEST(CharacterSets, EverySetHasItsStandardCountAndEnds) {
  const struct { std::string_view name; size_t count; char32_t first, last; } cases[] = {
      {"ascii", 95, U' ', U'~'},
      {"latin-1", 191, U' ', U'ÿ'},
      {"windows-1252", 218, U' ', U'ÿ'},
      {"big5-level1", 5401, U'一', U'籲'},
      {"big5-level2", 7652, U'乂', U'龘'},
      {"gb2312-level1", 3755, U'啊', U'座'},
      {"gb2312-level2", 3008, U'亍', U'齄'},
      {"jis-level1", 2965, U'亜', U'腕'},
      {"jis-level2", 3390, U'弌', U'熙'},
      {"kana", 187, U'ぁ', U'ヿ'},
      {"hangul-2350", 2350, U'가', U'힝'},
      {"font", 0, 0, 0},
  };
  const auto infos = CharacterSets();
  ASSERT_EQ(infos.size(), std::size(cases));
  for (size_t i = 0; i < infos.size(); ++i) {
    const auto& c = cases[i];
    EXPECT_EQ(infos[i].name, c.name);
    EXPECT_EQ(infos[i].count, c.count) << c.name;
    EXPECT_FALSE(infos[i].description.empty()) << c.name;
    const auto codes = CharacterSetCodes(c.name);
    if (c.name == "font") {
      EXPECT_FALSE(codes.has_value());
      continue;
    }
    ASSERT_TRUE(codes.has_value()) << c.name;
    ASSERT_EQ(codes->size(), c.count) << c.name;
    EXPECT_EQ(codes->front(), c.first) << c.name;
    EXPECT_EQ(codes->back(), c.last) << c.name;
    EXPECT_EQ(std::set<char32_t>(codes->begin(), codes->end()).size(), codes->size()) << c.name;
  }
  EXPECT_FALSE(CharacterSetCodes("big5").has_value());

  // Windows-1252 in byte order: 0x80 follows 0x7E; undefined bytes are left out.
  const auto cp1252 = *CharacterSetCodes("windows-1252");
  EXPECT_EQ(cp1252[95], U'€');
  EXPECT_EQ(std::count(cp1252.begin(), cp1252.end(), U'\u0081'), 0);
  // Big5 level 1 in byte order: A441 follows A440.
  EXPECT_EQ((*CharacterSetCodes("big5-level1"))[1], U'乙');
}

TEST(CharacterSets, ParsesCodeRanges) {
  const struct { std::string_view text; char32_t first, last; } good[] = {
      {"U+4E00-U+9FFF", 0x4E00, 0x9FFF}, {"u+ac00 - 0xD7A3", 0xAC00, 0xD7A3},
      {"0X41", 0x41, 0x41},              {"32-126", 32, 126},
      {"U+10FFFF", 0x10FFFF, 0x10FFFF},  {"0x0-0", 0, 0},
  };
  for (const auto& c : good) {
    const auto range = ParseCodeRange(c.text);
    ASSERT_TRUE(range.ok()) << c.text << ": " << range.error();
    EXPECT_EQ(range.value().first, c.first) << c.text;
    EXPECT_EQ(range.value().last, c.last) << c.text;
  }
  const struct { std::string_view text, message; } bad[] = {
      {"", "\"\" is not a code point"},
      {"U+", "\"U+\" is not a code point"},
      {"0x12G4", "\"0x12G4\" is not a code point"},
      {"12a", "\"12a\" is not a code point"},
      {"U+41-", "\"\" is not a code point"},
      {"-5", "\"\" is not a code point"},
      {"1-2-3", "\"2-3\" is not a code point"},
      {"U+110000", "\"U+110000\" is past U+10FFFF"},
      {"99999999999999999999", "is past U+10FFFF"},
      {"U+50-U+41", "the range U+0050-U+0041 starts after it ends"},
  };
  for (const auto& c : bad) {
    const auto range = ParseCodeRange(c.text);
    ASSERT_FALSE(range.ok()) << c.text;
    EXPECT_NE(range.error().find(c.message), std::string::npos) << c.text << ": " << range.error();
  }
}

}  // namespace
}  // namespace glyphsheet
