#include "files/hidden_files.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace glyphsheet {

namespace {

// The longest file name Linux file systems take, in bytes.
constexpr size_t kMaxNameBytes = 255;
// "~" and 16 hex digits.
constexpr size_t kHashBytes = 17;

// 64-bit FNV-1a: the same name always gives the same hidden name.
uint64_t NameHash(std::string_view name) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  return hash;
}

}  // namespace

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

std::filesystem::path HiddenBeside(const std::filesystem::path& file, std::string_view mark,
                                   size_t extra) {
  const std::string whole = file.filename().string();
  std::string name = "." + whole;
  if (name.size() + mark.size() + extra > kMaxNameBytes) {
    size_t keep = kMaxNameBytes - 1 - kHashBytes - mark.size() - extra;
    // A UTF-8 character is not split: continuation bytes are 10xxxxxx.
    while (keep > 0 && (static_cast<unsigned char>(whole[keep]) & 0xC0) == 0x80) --keep;
    char hash[kHashBytes + 1];
    std::snprintf(hash, sizeof hash, "~%016llx", static_cast<unsigned long long>(NameHash(whole)));
    name = "." + whole.substr(0, keep) + hash;
  }
  name += mark;
  return file.parent_path() / name;
}

}  // namespace glyphsheet
