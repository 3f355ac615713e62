// Build-time tool: converts the hanzi, kanji and hangul ranges of the
// double-byte code pages to Unicode with the system's iconv (glibc's gconv
// modules) and writes them as char16_t tables for cjk_tables.h.
//
//   cjk_tables_generator OUTPUT.cpp
//
// Fails (message, exit status 1, nothing written) when a converter cannot be
// opened, a character falls outside the BMP, or a set's count is not the
// standard's own.

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

/// One set: the codes from `first` to `last` in byte order whose trail byte is
/// in one of the encoding's trail ranges.
struct CjkSet {
  const char* name;      // the name CjkTable() answers to
  const char* array;     // the C++ array in the output
  const char* encoding;  // iconv's name for the code page
  unsigned first;
  unsigned last;
  unsigned count;  // the standard's number of characters
};

constexpr CjkSet kSets[] = {
    {"big5-level1", "kBig5Level1", "BIG5", 0xA440, 0xC67E, 5401},
    {"big5-level2", "kBig5Level2", "BIG5", 0xC940, 0xF9D5, 7652},
    {"gb2312-level1", "kGb2312Level1", "EUC-CN", 0xB0A1, 0xD7FE, 3755},
    {"gb2312-level2", "kGb2312Level2", "EUC-CN", 0xD8A1, 0xF7FE, 3008},
    {"jis-level1", "kJisLevel1", "EUC-JP", 0xB0A1, 0xCFFE, 2965},
    {"jis-level2", "kJisLevel2", "EUC-JP", 0xD0A1, 0xF4FE, 3390},
    {"hangul-2350", "kHangul2350", "EUC-KR", 0xB0A1, 0xC8FE, 2350},
};

bool IsTrailByte(const char* encoding, unsigned trail) {
  const bool euc = trail >= 0xA1 && trail <= 0xFE;
  if (std::strcmp(encoding, "BIG5") == 0) return euc || (trail >= 0x40 && trail <= 0x7E);
  return euc;
}

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "cjk_tables_generator: %s\n", message.c_str());
  std::exit(1);
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", value);
  return text;
}

/// The one character the two bytes of `code` stand for; nothing when iconv
/// rejects them.
std::optional<char32_t> Convert(iconv_t cd, const CjkSet& set, unsigned code) {
  char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  unsigned char out[16];
  char* inPtr = in;
  size_t inLeft = sizeof in;
  char* outPtr = reinterpret_cast<char*>(out);
  size_t outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
    if (errno == EILSEQ || errno == EINVAL) return std::nullopt;
    Fail(std::string(set.encoding) + " " + Hex(code) + ": " + std::strerror(errno));
  }
  if (inLeft != 0 || sizeof out - outLeft != 4) {
    Fail(std::string(set.encoding) + " " + Hex(code) + " is not exactly one character");
  }
  return char32_t(out[0]) | char32_t(out[1]) << 8 | char32_t(out[2]) << 16 |
         char32_t(out[3]) << 24;
}

std::vector<char16_t> ConvertSet(const CjkSet& set) {
  const iconv_t cd = iconv_open("UTF-32LE", set.encoding);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    Fail(std::string("iconv cannot convert from ") + set.encoding + ": " + std::strerror(errno) +
         " (are glibc's gconv modules installed?)");
  }
  std::vector<char16_t> characters;
  for (unsigned code = set.first; code <= set.last; ++code) {
    if (!IsTrailByte(set.encoding, code & 0xFF)) continue;
    const std::optional<char32_t> ch = Convert(cd, set, code);
    if (!ch) continue;
    if (*ch > 0xFFFF) {
      Fail(std::string(set.encoding) + " " + Hex(code) + " is U+" + Hex(*ch) + ", past the BMP");
    }
    characters.push_back(static_cast<char16_t>(*ch));
  }
  iconv_close(cd);
  if (characters.size() != set.count) {
    Fail(std::string(set.name) + ": iconv gives " + std::to_string(characters.size()) +
         " characters for " + set.encoding + " " + Hex(set.first) + "-" + Hex(set.last) +
         ", the standard has " + std::to_string(set.count));
  }
  return characters;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) Fail("usage: cjk_tables_generator OUTPUT.cpp");
  std::ostringstream out;
  out << "// Written by cjk_tables_generator from the system's iconv; do not edit.\n"
         "#include \"sheet/cjk_tables.h\"\n\n"
         "#include <iterator>\n\n"
         "namespace glyphsheet {\n\n"
         "namespace {\n";
  for (const CjkSet& set : kSets) {
    const std::vector<char16_t> characters = ConvertSet(set);
    out << "\n// " << set.encoding << " " << Hex(set.first) << "-" << Hex(set.last) << "\n"
        << "const char16_t " << set.array << "[" << characters.size() << "] = {";
    for (size_t i = 0; i < characters.size(); ++i) {
      out << (i % 12 == 0 ? "\n   " : "") << " 0x" << Hex(characters[i]) << ",";
    }
    out << "\n};\n";
  }
  out << "\n}  // namespace\n\n"
         "std::u16string_view CjkTable(std::string_view name) {\n";
  for (const CjkSet& set : kSets) {
    out << "  if (name == \"" << set.name << "\") return {" << set.array << ", std::size("
        << set.array << ")};\n";
  }
  out << "  return {};\n"
         "}\n\n"
         "}  // namespace glyphsheet\n";

  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file << out.str();
  file.close();
  if (!file) {
    std::remove(argv[1]);
    Fail(std::string("cannot write ") + argv[1]);
  }
  return 0;
}
