#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphsheet {

/// The Unicode character of a Windows-1252 byte. The five bytes Windows leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
char32_t Windows1252ToUnicode(uint8_t code);

/// The Windows-1252 byte of a Unicode character, if it has one.
std::optional<uint8_t> UnicodeToWindows1252(char32_t ch);

/// Decodes the UTF-8 character at text[pos] and moves pos past it; malformed
/// input (a stray or cut-off byte, an overlong form, a surrogate) gives
/// nothing and moves pos one byte on.
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& pos);

/// Text encoded to Windows-1252: the bytes in order, and the characters
/// that have no byte (each once, in order of first appearance). Malformed
/// UTF-8 counts as U+FFFD.
struct Windows1252Text {
  std::vector<uint8_t> bytes;
  std::vector<char32_t> rejected;
};

/// Encodes UTF-8 text to Windows-1252, one byte per character.
Windows1252Text EncodeWindows1252(std::string_view utf8);
/// Encodes characters already decoded to Windows-1252, one byte per character.
Windows1252Text EncodeWindows1252(std::u32string_view characters);

/// UTF-8 of one Unicode character.
std::string Utf8(char32_t ch);

/// A readable name of a character for messages and lists: the character
/// itself when it is visible, else its U+XXXX number (with the character
/// after it when printable), e.g. "€", "U+4E2D 中", "U+0020".
std::string DescribeCharacter(char32_t ch);

}  // namespace glyphsheet
