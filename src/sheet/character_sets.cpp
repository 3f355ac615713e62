#include "sheet/character_sets.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "sheet/cjk_tables.h"
#include "sheet/windows1252.h"

namespace glyphsheet {

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

struct NamedSet {
  std::string_view name;
  std::string_view description;
};

constexpr NamedSet kNamedSets[] = {
    {"ascii", "ASCII: the printable characters U+0020-U+007E"},
    {"latin-1", "ISO 8859-1: printable ASCII and the Latin-1 supplement"},
    {"windows-1252", "Windows-1252: every printable character of the Western code page"},
    {"big5-level1", "Big5 level 1: frequently used hanzi"},
    {"big5-level2", "Big5 level 2: less frequently used hanzi"},
    {"gb2312-level1", "GB 2312 level 1: common hanzi"},
    {"gb2312-level2", "GB 2312 level 2: less common hanzi"},
    {"jis-level1", "JIS X 0208 level 1: common kanji"},
    {"jis-level2", "JIS X 0208 level 2: less common kanji"},
    {"kana", "Hiragana and katakana"},
    {"hangul-2350", "KS X 1001: the 2350 common hangul syllables"},
    {"font", "Every character the font maps"},
};

std::string CodePointText(char32_t ch) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(ch));
  return text;
}

/// One end of a range: U+XXXX, u+xxxx, 0xXXXX or decimal, spaces around it.
Result<char32_t> ParseCodePoint(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  const std::string quoted = "\"" + std::string(text) + "\"";
  std::string_view digits = text;
  int base = 10;
  if (digits.starts_with("U+") || digits.starts_with("u+") || digits.starts_with("0x") ||
      digits.starts_with("0X")) {
    digits.remove_prefix(2);
    base = 16;
  }
  if (digits.empty()) {
    return Error(quoted + " is not a code point: write U+XXXX, 0xXXXX or a decimal number");
  }
  uint32_t value = 0;
  bool tooLarge = false;
  for (const char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return Error(quoted + " is not a code point: write U+XXXX, 0xXXXX or a decimal number");
    }
    value = value * base + digit;
    if (value > kLastCodePoint) {
      tooLarge = true;
      value = kLastCodePoint + 1;  // keeps the next step from overflowing
    }
  }
  if (tooLarge) return Error(quoted + " is past U+10FFFF, the last Unicode code point");
  return static_cast<char32_t>(value);
}

}  // namespace

std::span<const CharacterSetInfo> CharacterSets() {
  static const auto infos = [] {
    std::array<CharacterSetInfo, std::size(kNamedSets)> list{};
    for (size_t i = 0; i < list.size(); ++i) {
      const auto codes = CharacterSetCodes(kNamedSets[i].name);
      list[i] = {kNamedSets[i].name, kNamedSets[i].description, codes ? codes->size() : 0};
    }
    return list;
  }();
  return infos;
}

std::optional<std::vector<char32_t>> CharacterSetCodes(std::string_view name) {
  std::vector<char32_t> codes;
  const auto add = [&codes](char32_t first, char32_t last) {
    for (char32_t ch = first; ch <= last; ++ch) codes.push_back(ch);
  };
  if (name == "ascii") {
    add(0x20, 0x7E);
  } else if (name == "latin-1") {
    add(0x20, 0x7E);
    add(0xA0, 0xFF);
  } else if (name == "windows-1252") {
    // The five bytes the code page leaves undefined map to C1 controls.
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
      const char32_t ch = Windows1252ToUnicode(static_cast<uint8_t>(byte));
      if (ch != 0x7F && !(ch >= 0x80 && ch <= 0x9F)) codes.push_back(ch);
    }
  } else if (name == "kana") {
    add(0x3041, 0x3096);  // hiragana
    add(0x309B, 0x30FF);  // the kana marks, iteration marks and katakana
  } else {
    const std::u16string_view table = CjkTable(name);
    if (table.empty()) return std::nullopt;
    codes.assign(table.begin(), table.end());
  }
  return codes;
}

Result<CodeRange> ParseCodeRange(std::string_view text) {
  const size_t dash = text.find('-');
  const auto first = ParseCodePoint(text.substr(0, dash));
  if (!first) return first.failure();
  if (dash == std::string_view::npos) return CodeRange{first.value(), first.value()};
  const auto last = ParseCodePoint(text.substr(dash + 1));
  if (!last) return last.failure();
  if (first.value() > last.value()) {
    return Error("the range " + CodePointText(first.value()) + "-" + CodePointText(last.value()) +
                 " starts after it ends");
  }
  return CodeRange{first.value(), last.value()};
}

}  // namespace glyphsheet
