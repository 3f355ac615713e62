// Feeds arbitrary bytes to the typed-character input: UTF-8 decoding must
// always move on and give back exactly the bytes of what it decoded, and
// what it decodes is refused, named and mapped to Windows-1252 consistently.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sheet/unicode_text.h"
#include "sheet/windows1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace glyphsheet;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (size_t pos = 0; pos < text.size();) {
    const size_t before = pos;
    const auto ch = DecodeUtf8(text, pos);
    if (pos <= before || pos > text.size()) std::abort();
    if (ch && (*ch > 0x10FFFF || (*ch >= 0xD800 && *ch <= 0xDFFF) ||
               Utf8(*ch) != text.substr(before, pos - before))) {
      std::abort();
    }
  }
  // Decoded characters are refused or named without fault, and a character
  // with a Windows-1252 byte maps back to itself.
  std::u32string decoded;
  for (size_t pos = 0; pos < text.size();) decoded += DecodeUtf8(text, pos).value_or(U'?');
  const std::vector<char32_t> refused = RefusedCharacters(decoded);
  for (const char32_t ch : decoded) {
    if (CharacterRefusal(ch).has_value() !=
        (std::find(refused.begin(), refused.end(), ch) != refused.end())) {
      std::abort();
    }
    if (const auto byte = UnicodeToWindows1252(ch); byte && Windows1252ToUnicode(*byte) != ch) {
      std::abort();
    }
    if (NumberedCharacter(ch).empty() || GlyphLabel(ch).empty()) std::abort();
  }
  return 0;
}
