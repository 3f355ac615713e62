#include "sheet/windows1252.h"

#include <algorithm>
#include <cstdio>

namespace glyphsheet {

namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

bool IsInvisible(char32_t ch) {
  return ch <= 0x20 || (ch >= 0x7F && ch <= 0xA0) || ch == 0xAD || ch == 0xFFFD;
}

}  // namespace

std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(pos);
  int extra;
  char32_t ch;
  char32_t minimum;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, ch = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, ch = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, ch = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return std::nullopt;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return std::nullopt;
  }
  for (int i = 1; i <= extra; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return std::nullopt;
    }
    ch = (ch << 6) | (byte(pos + i) & 0x3F);
  }
  if (ch < minimum || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
    ++pos;
    return std::nullopt;
  }
  pos += extra + 1;
  return ch;
}

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

Windows1252Text EncodeWindows1252(std::string_view utf8) {
  std::u32string characters;
  for (size_t pos = 0; pos < utf8.size();) {
    characters.push_back(DecodeUtf8(utf8, pos).value_or(0xFFFD));
  }
  return EncodeWindows1252(characters);
}

Windows1252Text EncodeWindows1252(std::u32string_view characters) {
  Windows1252Text out;
  for (const char32_t ch : characters) {
    if (const auto byte = UnicodeToWindows1252(ch)) {
      out.bytes.push_back(*byte);
    } else if (std::find(out.rejected.begin(), out.rejected.end(), ch) == out.rejected.end()) {
      out.rejected.push_back(ch);
    }
  }
  return out;
}

std::string Utf8(char32_t ch) {
  std::string s;
  if (ch < 0x80) {
    s += static_cast<char>(ch);
  } else if (ch < 0x800) {
    s += static_cast<char>(0xC0 | (ch >> 6));
    s += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    s += static_cast<char>(0xE0 | (ch >> 12));
    s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (ch >> 18));
    s += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (ch & 0x3F));
  }
  return s;
}

std::string DescribeCharacter(char32_t ch) {
  // Latin, Greek, Cyrillic and punctuation read well on their own; spaces,
  // controls and far-away scripts also get their number.
  const bool blankish = ch >= 0x2000 && ch <= 0x200F;
  if (!IsInvisible(ch) && !blankish && ch < 0x2E80) return Utf8(ch);
  char number[16];
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(ch));
  std::string s = number;
  if (!IsInvisible(ch)) s += " " + Utf8(ch);
  return s;
}

}  // namespace glyphsheet
