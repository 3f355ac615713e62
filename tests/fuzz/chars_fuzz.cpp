// Feeds arbitrary bytes to the typed-character input: UTF-8 decoding must
// always move on and give back exactly the bytes of what it decoded, and
// Windows-1252 encoding must give bytes that decode and encode to themselves.
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
  const Windows1252Text encoded = EncodeWindows1252(text);
  std::string again;
  for (uint8_t byte : encoded.bytes) again += Utf8(Windows1252ToUnicode(byte));
  const Windows1252Text twice = EncodeWindows1252(again);
  if (twice.bytes != encoded.bytes || !twice.rejected.empty()) std::abort();
  return 0;
}
