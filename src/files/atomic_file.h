#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "sheet/result.h"

namespace glyphsheet {

/// A file being replaced: bytes go to a temporary file in the target's folder,
/// and Commit renames it over the target. Until Commit succeeds the target is
/// untouched; a file that is dropped or fails removes its temporary file.
class AtomicFile {
 public:
  /// Creates the temporary file for target; fails naming target and the reason.
  static Result<AtomicFile> Open(const std::filesystem::path& target);

  AtomicFile(AtomicFile&& other) noexcept;
  AtomicFile& operator=(AtomicFile&& other) noexcept;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  /// Removes the temporary file unless it was committed.
  ~AtomicFile();

  /// Appends bytes; after a failure the file is discarded and Commit fails.
  Status Write(std::span<const uint8_t> bytes);
  /// Flushes to disk, gives the target's permissions (or the default ones for
  /// a new file) and renames over the target.
  Status Commit();

 private:
  AtomicFile(std::filesystem::path target, std::filesystem::path temp, int fd);
  Error Fail(const char* what, int err);
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temp_;
  int fd_ = -1;
};

/// Writes bytes to path through a temporary file in the same folder that is
/// renamed over path only when complete, so path is either left as it was or
/// holds all the new bytes. The message of a failure names the file and the
/// reason; no temporary file remains.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

/// The whole content of a file; a failure names the file and the reason.
Result<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path);

}  // namespace glyphsheet
