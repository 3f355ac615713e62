#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "sheet/error_text.h"
#include "sheet/result.h"

namespace glyphsheet {

/// A file being replaced: bytes go to a temporary file in the target's folder,
/// and Commit renames it over the target. Until Commit succeeds the target is
/// untouched; a file that is dropped or fails removes its temporary file.
/// The temporary is named ".NAME.glyphsheet-XXXXXX" and locked while it is
/// written, so one left by a killed process is told apart from a live one and
/// removed by the next Open in the same folder. A target that is a symbolic
/// link is written through: the file it points to is replaced in its own
/// folder and the link stays.
class AtomicFile {
 public:
  /// Removes stale temporaries in the target's folder, then creates its own; fails naming
  /// target and the reason (also when target, or the file its link names, is
  /// there and is not a regular file: only regular files are replaced).
  static Result<AtomicFile> Open(const std::filesystem::path& target);

  AtomicFile(AtomicFile&& other) noexcept;
  AtomicFile& operator=(AtomicFile&& other) noexcept;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  /// Removes the temporary file unless it was committed.
  ~AtomicFile();

  /// Appends bytes; after a failure the file is discarded and Commit fails.
  Status Write(std::span<const uint8_t> bytes);
  /// Gives the target's permissions (or the default ones for a new file) and
  /// flushes to disk; after it only the rename of Commit is left to fail.
  Status Sync();
  /// Syncs unless already done and renames over the target.
  Status Commit();
  /// The file this one replaces, as named.
  const std::filesystem::path& Target() const { return target_; }
  /// The file the rename of Commit replaces (the target, or the file its link names).
  const std::filesystem::path& Written() const { return written_; }
  /// The temporary file the bytes go to until Commit.
  const std::filesystem::path& Temp() const { return temp_; }

 private:
  AtomicFile(std::filesystem::path target, std::filesystem::path written,
             std::filesystem::path temp, int fd);
  Error Fail(int err);
  void Discard();

  std::filesystem::path target_;   // the name given, for messages
  std::filesystem::path written_;  // the file replaced: target_ or where its link points
  std::filesystem::path temp_;
  int fd_ = -1;
  bool synced_ = false;
};

/// Writes bytes to path through a temporary file in the same folder that is
/// renamed over path only when complete, so path is either left as it was or
/// holds all the new bytes. The message of a failure names the file and the
/// reason; no temporary file remains.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

/// The failure to create a file in `folder` on the way to writing `target`
/// (errno `err`), told apart when the folder exists but takes no new files.
Error CannotCreateBeside(const std::filesystem::path& target, const std::filesystem::path& folder,
                         int err);

/// Fails, naming path and both sizes, when the file system that path is to be
/// written on has fewer than `bytes` bytes free; succeeds when it cannot tell.
Status CheckRoomFor(const std::filesystem::path& path, uint64_t bytes);

/// Bytes gathered before one write to a file: enough to make writes few,
/// few enough to keep the buffer small.
constexpr size_t kWriteBytes = size_t{1} << 16;

/// Opens a file to read, following links, only when it is a regular file:
/// a FIFO or a device is never waited on. Returns the descriptor; a failure
/// names the file and the reason.
Result<int> OpenRegularFile(const std::filesystem::path& path);

/// Largest file ReadFileBytes takes (project and character files are far smaller).
constexpr size_t kMaxReadBytes = size_t{64} << 20;

/// The whole content of a regular file of at most kMaxReadBytes; a failure
/// names the file and the reason.
Result<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path);

}  // namespace glyphsheet
