#pragma once

#include <cstdint>
#include <optional>

namespace glyphsheet {

/// The Unicode character of a Windows-1252 byte. The five bytes Windows leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
char32_t Windows1252ToUnicode(uint8_t code);

/// The Windows-1252 byte of a Unicode character, if it has one.
std::optional<uint8_t> UnicodeToWindows1252(char32_t ch);

}  // namespace glyphsheet
