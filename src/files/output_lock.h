#pragma once

#include <filesystem>
#include <functional>

#include "sheet/result.h"

namespace glyphsheet {

/// What a writer does while another holds the lock it needs.
struct LockWaiting {
  /// Called once when the wait has taken more than a second.
  std::function<void()> onWait;
  /// Called at each look after that; false stops waiting (the take fails
  /// with Problem::kWaitCancelled). Without it the wait goes on.
  std::function<bool()> keepWaiting;
};

/// An exclusive lock on an output set, so that two writers of the same files
/// never interleave: every file named NAME.<extension> (a project, a sheet
/// image, a descriptor, whatever the format) shares the hidden lock file
/// ".NAME.glyphsheet.lock" beside it, locked while held and removed on release.
class OutputLock {
 public:
  /// Takes the lock of the set `output` belongs to, waiting for another
  /// holder. Where the file system has no locks, it is taken without one.
  static Result<OutputLock> Take(const std::filesystem::path& output,
                                 const LockWaiting& waiting = {});

  /// The name the files of `output`'s set share: `output` without its extension.
  static std::filesystem::path SetOf(const std::filesystem::path& output);

  OutputLock(OutputLock&& other) noexcept;
  OutputLock& operator=(OutputLock&&) = delete;
  OutputLock(const OutputLock&) = delete;
  OutputLock& operator=(const OutputLock&) = delete;
  /// Removes the lock file and releases the lock.
  ~OutputLock();

 private:
  OutputLock(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}

  std::filesystem::path path_;
  int fd_ = -1;
};

}  // namespace glyphsheet
