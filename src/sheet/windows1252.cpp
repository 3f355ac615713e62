#include "sheet/windows1252.h"

#include <algorithm>
#include <iterator>

namespace glyphsheet {

namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

}  // namespace

char32_t Windows1252ToUnicode(uint8_t code) {
  if (code >= 0x80 && code <= 0x9F) return kHighControls[code - 0x80];
  return code;
}

std::optional<uint8_t> UnicodeToWindows1252(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<uint8_t>(ch);
  const auto* found = std::find(std::begin(kHighControls), std::end(kHighControls), ch);
  if (found == std::end(kHighControls)) return std::nullopt;
  return static_cast<uint8_t>(0x80 + (found - std::begin(kHighControls)));
}

}  // namespace glyphsheet
