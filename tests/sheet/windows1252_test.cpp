#include <gtest/gtest.h>

#include "sheet/windows1252.h"

namespace glyphsheet {
namespace {

TEST(Windows1252, MapsEveryByteAndBack) {
  const struct { uint8_t code; char32_t ch; } cases[] = {
      {0x7F, 0x007F}, {0x80, 0x20AC}, {0x8A, 0x0160}, {0x9F, 0x0178}, {0xA0, 0x00A0},
  };
  for (const auto& c : cases) EXPECT_EQ(Windows1252ToUnicode(c.code), c.ch) << int(c.code);
  // Every byte comes back, also through UTF-8.
  for (int code = 0; code < 256; ++code) {
    const char32_t ch = Windows1252ToUnicode(static_cast<uint8_t>(code));
    EXPECT_EQ(EncodeWindows1252(Utf8(ch)).bytes, std::vector<uint8_t>{uint8_t(code)}) << code;
  }
  for (char32_t ch : std::u32string(U"\u0080\u009E\u0100\u4E2D\U0001F600")) {
    EXPECT_FALSE(UnicodeToWindows1252(ch).has_value()) << int(ch);
  }
}

TEST(Windows1252, EncodesUtf8AndNamesWhatItCannot) {
  const struct { std::string utf8; std::vector<uint8_t> bytes; std::vector<char32_t> rejected; }
      cases[] = {
          {"a\xE4\xB8\xAD" "b\xE4\xB8\xAD", {'a', 'b'}, {0x4E2D}},
          {"\xF0\x9F\x98\x80", {}, {0x1F600}},
          {"x\xFFy", {'x', 'y'}, {0xFFFD}},        // a stray byte
          {"\xC3", {}, {0xFFFD}},                  // cut-off sequence at the end
          {"\xC0\xAF", {}, {0xFFFD}},              // overlong form
          {"\xED\xA0\x80", {}, {0xFFFD}},          // surrogate
          {std::string("\0z", 2), {0, 'z'}, {}},
      };
  for (const auto& c : cases) {
    const auto text = EncodeWindows1252(c.utf8);
    EXPECT_EQ(text.bytes, c.bytes) << c.utf8;
    EXPECT_EQ(text.rejected, c.rejected) << c.utf8;
  }
  EXPECT_EQ(Utf8(0x1F600), "\xF0\x9F\x98\x80");
  // Characters already decoded are encoded the same way.
  const auto decoded =
      EncodeWindows1252(std::u32string_view(U"a\u4E2D\u20AC\u0081\u4E2D\U0001F600"));
  EXPECT_EQ(decoded.bytes, (std::vector<uint8_t>{'a', 0x80, 0x81}));
  EXPECT_EQ(decoded.rejected, (std::vector<char32_t>{0x4E2D, 0x1F600}));
}

}  // namespace
}  // namespace glyphsheet
