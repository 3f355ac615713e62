#include <gtest/gtest.h>

#include "sheet/unicode_text.h"
#include "sheet/windows1252.h"

namespace glyphsheet {
namespace {

TEST(Windows1252, MapsEveryByteAndBack) {
  const struct { uint8_t code; char32_t ch; } cases[] = {
      {0x7F, 0x007F}, {0x80, 0x20AC}, {0x8A, 0x0160}, {0x9F, 0x0178}, {0xA0, 0x00A0},
  };
  for (const auto& c : cases) EXPECT_EQ(Windows1252ToUnicode(c.code), c.ch) << int(c.code);
  // Every byte comes back.
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(UnicodeToWindows1252(Windows1252ToUnicode(static_cast<uint8_t>(code))), code);
  }
  for (char32_t ch : std::u32string(U"\u0080\u009E\u0100\u4E2D\U0001F600")) {
    EXPECT_FALSE(UnicodeToWindows1252(ch).has_value()) << int(ch);
  }
}

TEST(UnicodeText, DecodesUtf8AndRefusesWhatCannotBeAGlyph) {
  const struct { std::string utf8; std::u32string decoded; } cases[] = {
      {"a\xE4\xB8\xAD\xF0\x9F\x98\x80", U"a\u4E2D\U0001F600"},
      {"x\xFFy", U"x?y"},            // a stray byte
      {"\xC3", U"?"},                // cut-off sequence at the end
      {"\xC0\xAF", U"??"},           // overlong form
      {"\xED\xA0\x80", U"???"},      // surrogate
  };
  for (const auto& c : cases) {
    std::u32string decoded;
    for (size_t pos = 0; pos < c.utf8.size();) decoded += DecodeUtf8(c.utf8, pos).value_or(U'?');
    EXPECT_EQ(decoded, c.decoded) << c.utf8;
  }
  EXPECT_EQ(Utf8(0x1F600), "\xF0\x9F\x98\x80");
  // Controls, noncharacters, surrogates and values past Unicode are refused,
  // each once, in order; everything else is a glyph.
  const std::u32string text = {U'a', 0x09, 0x4E2D, 0x85, 0xFFFE, 0x09, 0xD800, 0x10FFFF, 0x110000,
                               0xFDD0, 0xA0, 0x1F600, 0x7F};
  EXPECT_EQ(RefusedCharacters(text),
            (std::vector<char32_t>{0x09, 0x85, 0xFFFE, 0xD800, 0x10FFFF, 0x110000, 0xFDD0, 0x7F}));
  EXPECT_EQ(NumberedCharacter(0x4E2D), "U+4E2D \u4E2D");
  EXPECT_EQ(NumberedCharacter(0x09), "U+0009");
  EXPECT_EQ(GlyphLabel(0xE9), "\u00E9  U+00E9");
}

}  // namespace
}  // namespace glyphsheet
