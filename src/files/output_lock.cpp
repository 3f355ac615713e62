#include "files/output_lock.h"

#include "files/atomic_file.h"
#include "files/hidden_files.h"
#include "sheet/error_text.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <utility>

namespace glyphsheet {

namespace {

constexpr auto kQuietWait = std::chrono::seconds(1);
constexpr auto kPoll = std::chrono::milliseconds(20);

// True when fd is still the file named path: a holder that released the lock
// removes the file first, and a lock on a removed file guards nothing.
bool StillNamed(int fd, const std::filesystem::path& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

std::filesystem::path OutputLock::SetOf(const std::filesystem::path& output) {
  std::filesystem::path set = output;
  set.replace_extension();
  return set;
}

Result<OutputLock> OutputLock::Take(const std::filesystem::path& output,
                                    const LockWaiting& waiting) {
  const std::filesystem::path path = HiddenBeside(SetOf(output), kLockMark);
  const auto started = std::chrono::steady_clock::now();
  bool told = false;
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      return CannotCreateBeside(output, FolderOf(path), errno);
    }
    int locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EWOULDBLOCK) {
      if (!told && std::chrono::steady_clock::now() - started > kQuietWait) {
        told = true;
        if (waiting.onWait) waiting.onWait();
      }
      if (told && waiting.keepWaiting && !waiting.keepWaiting()) {
        ::close(fd);
        return FileError(FileAction::kWrite, output, Problem::kWaitCancelled);
      }
      std::this_thread::sleep_for(kPoll);
      locked = ::flock(fd, LOCK_EX | LOCK_NB);
    }
    // Without locks on this file system the export goes on unguarded.
    if (locked != 0 || StillNamed(fd, path)) return OutputLock(path, fd);
    ::close(fd);
  }
}

OutputLock::OutputLock(OutputLock&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

OutputLock::~OutputLock() {
  if (fd_ < 0) return;
  ::unlink(path_.c_str());
  ::close(fd_);
}

}  // namespace glyphsheet
