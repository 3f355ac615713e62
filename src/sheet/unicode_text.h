#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphsheet {

/// Decodes the UTF-8 character at text[pos] and moves pos past it; malformed
/// input (a stray or cut-off byte, an overlong form, a surrogate) gives
/// nothing and moves pos one byte on.
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& pos);

/// UTF-8 of one Unicode character.
std::string Utf8(char32_t ch);

/// A readable name of a character for messages and lists: the character
/// itself when it is visible, else its U+XXXX number (with the character
/// after it when printable), e.g. "€", "U+4E2D 中", "U+0020".
std::string DescribeCharacter(char32_t ch);

/// The U+XXXX number of a character, followed by the character when it is
/// printable, e.g. "U+4E2D 中", "U+0041 A", "U+0020".
std::string NumberedCharacter(char32_t ch);

/// A character as a list shows it: the character, then its number, e.g.
/// "中  U+4E2D"; the number alone for one that is not printable.
std::string GlyphLabel(char32_t ch);

/// True for the control characters: C0 (below U+0020), DEL and C1
/// (U+007F..U+009F).
bool IsControlCharacter(char32_t ch);

/// True for the noncharacters: U+FDD0..U+FDEF and the last two code points
/// of every plane (U+FFFE, U+FFFF, U+1FFFE, …, U+10FFFF).
bool IsNoncharacter(char32_t ch);

/// Why a character cannot be chosen as a glyph, or nothing when it can:
/// values past U+10FFFF, surrogates, noncharacters (U+FDD0..U+FDEF and the
/// last two of every plane) and control characters (C0, DEL, C1) are refused.
std::optional<std::string_view> CharacterRefusal(char32_t ch);

/// The characters of a text that CharacterRefusal refuses, each once, in
/// order of first appearance.
std::vector<char32_t> RefusedCharacters(std::u32string_view characters);

}  // namespace glyphsheet
