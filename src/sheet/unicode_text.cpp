#include "sheet/unicode_text.h"

#include <algorithm>
#include <cstdio>

namespace glyphsheet {

namespace {

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
  return NumberedCharacter(ch);
}

std::string NumberedCharacter(char32_t ch) {
  char number[16];
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(ch));
  std::string s = number;
  if (!IsInvisible(ch) && !CharacterRefusal(ch)) s += " " + Utf8(ch);
  return s;
}

std::string GlyphLabel(char32_t ch) {
  char number[16];
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(ch));
  if (IsInvisible(ch) || CharacterRefusal(ch)) return number;
  return Utf8(ch) + "  " + number;
}

bool IsControlCharacter(char32_t ch) { return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F); }

bool IsNoncharacter(char32_t ch) {
  return (ch >= 0xFDD0 && ch <= 0xFDEF) || (ch <= 0x10FFFF && (ch & 0xFFFE) == 0xFFFE);
}

std::optional<std::string_view> CharacterRefusal(char32_t ch) {
  if (ch > 0x10FFFF) return "past U+10FFFF";
  if (ch >= 0xD800 && ch <= 0xDFFF) return "a surrogate";
  if (IsNoncharacter(ch)) return "a noncharacter";
  if (IsControlCharacter(ch)) return "a control character";
  return std::nullopt;
}

std::vector<char32_t> RefusedCharacters(std::u32string_view characters) {
  std::vector<char32_t> refused;
  for (const char32_t ch : characters) {
    if (CharacterRefusal(ch) && std::find(refused.begin(), refused.end(), ch) == refused.end()) {
      refused.push_back(ch);
    }
  }
  return refused;
}

}  // namespace glyphsheet
