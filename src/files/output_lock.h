#pragma once

#include <filesystem>
#include <functional>

#include "sheet/result.h"

namespace glyphsheet {

/// An exclusive lock on an output name, so that two exports to the same name
/// never interleave: a hidden lock file beside the output
/// (".NAME.glyphsheet.lock"), locked while held and removed on release.
class OutputLock {
 public:
  /// Takes the lock of `output`, waiting for another holder; `onWait` is
  /// called once when that takes more than a second. Where the file system
  /// has no locks, the lock is taken without one.
  static Result<OutputLock> Take(const std::filesystem::path& output,
                                 const std::function<void()>& onWait);

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
