#include "files/hidden_files.h"

#include <string>

namespace glyphsheet {

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

std::filesystem::path HiddenBeside(const std::filesystem::path& file, std::string_view mark) {
  std::string name = "." + file.filename().string();
  name += mark;
  return file.parent_path() / name;
}

}  // namespace glyphsheet
