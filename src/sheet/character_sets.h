#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "sheet/result.h"

namespace glyphsheet {

/// One named set of characters a user can ask for.
struct CharacterSetInfo {
  std::string_view name;         // e.g. "big5-level1"
  std::string_view description;  // short English, e.g. "Big5 level 1: frequently used hanzi"
  size_t count;                  // number of characters; 0 for "font" (depends on the font)
};

/// Every named set, in a fixed order for listing: ascii, latin-1, windows-1252,
/// big5-level1, big5-level2, gb2312-level1, gb2312-level2, jis-level1,
/// jis-level2, kana, hangul-2350, font.
std::span<const CharacterSetInfo> CharacterSets();

/// The characters of a named set in its standard's own order (code-page byte
/// order), each once; nothing for an unknown name and for "font" (the caller
/// fills that one from the font).
std::optional<std::vector<char32_t>> CharacterSetCodes(std::string_view name);

/// A closed range of code points.
struct CodeRange {
  char32_t first;
  char32_t last;
};

/// Parses "FIRST-LAST" or a single code point (a range of one); each end may
/// be U+XXXX, u+xxxx, 0xXXXX or decimal, with spaces around it. Fails with an
/// English message on bad syntax, FIRST > LAST, or a value past U+10FFFF.
Result<CodeRange> ParseCodeRange(std::string_view text);

}  // namespace glyphsheet
