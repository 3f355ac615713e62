#include "files/pair_commit.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/atomic_file.h"
#include "files/hidden_files.h"

namespace glyphsheet {

namespace {

constexpr char kRecordHeader[] = "glyphsheet commit\n";

// A path as its byte count, a space, its bytes and a line end, so that any
// name reads back as it was.
void AppendPath(std::string& out, const std::filesystem::path& path) {
  const std::string name = path.string();
  out += std::to_string(name.size()) + " " + name + "\n";
}

bool ReadPath(const std::string& text, size_t& pos, std::filesystem::path& path) {
  const size_t space = text.find(' ', pos);
  if (space == std::string::npos) return false;
  size_t length = 0;
  for (size_t i = pos; i < space; ++i) {
    if (text[i] < '0' || text[i] > '9' || length > 4096) return false;
    length = length * 10 + static_cast<size_t>(text[i] - '0');
  }
  if (space + 1 + length >= text.size() || text[space + 1 + length] != '\n') return false;
  path = text.substr(space + 1, length);
  pos = space + 2 + length;
  return true;
}

}  // namespace

std::filesystem::path CommitRecordOf(const std::filesystem::path& set) {
  return HiddenBeside(set, kCommitMark);
}

Status WriteCommitRecord(const std::filesystem::path& record, const Renames& renames) {
  std::string text = kRecordHeader;
  for (const auto& [from, to] : renames) {
    AppendPath(text, std::filesystem::absolute(from));
    AppendPath(text, to.empty() ? to : std::filesystem::absolute(to));
  }
  return WriteFileAtomically(
      record, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

Result<std::vector<std::filesystem::path>> FinishInterruptedCommit(
    const std::filesystem::path& record,
    const std::function<bool(const std::filesystem::path&)>& mayReplace) {
  std::vector<std::filesystem::path> replaced;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(record, ec))) return replaced;
  auto bytes = ReadFileBytes(record);
  if (!bytes) return bytes.failure();
  const std::string text(bytes.value().begin(), bytes.value().end());
  size_t pos = std::strlen(kRecordHeader);
  if (!text.starts_with(kRecordHeader)) pos = text.size();
  std::filesystem::path from, to;
  while (pos < text.size() && ReadPath(text, pos, from) && ReadPath(text, pos, to)) {
    if (!std::filesystem::exists(std::filesystem::symlink_status(from, ec))) continue;
    if (to.empty()) {
      // A file the commit removes.
      if (!mayReplace(from)) continue;
      if (::unlink(from.c_str()) != 0 && errno != ENOENT) {
        return SystemError(FileAction::kFinishExport, from, errno);
      }
      continue;
    }
    if (!mayReplace(to)) {
      ::unlink(from.c_str());
      continue;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
      return SystemError(FileAction::kFinishExport, to, errno);
    }
    replaced.push_back(to);
  }
  ::unlink(record.c_str());
  return replaced;
}

}  // namespace glyphsheet
