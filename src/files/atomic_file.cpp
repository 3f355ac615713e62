#include "files/atomic_file.h"

#include "files/hidden_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace glyphsheet {

namespace {

// The permissions a newly created file gets: 0666 less the umask. The umask
// can only be read by setting it, so it is set back at once.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

Error WriteError(const std::filesystem::path& target, int err) {
  return SystemError(FileAction::kWrite, target, err);
}

// The temporaries of this class: ".NAME" + kTempMark + six random characters.
constexpr size_t kTempRandomChars = 6;
// Links Open follows from the target before it gives up.
constexpr int kMaxLinks = 40;
// How often Open draws a new temporary when another run's clean-up took its first one.
constexpr int kOpenAttempts = 4;

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes one candidate temporary when it is a regular file that no live
// writer holds locked (a killed writer's lock went with it).
void RemoveIfStale(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat opened {};
  struct stat named {};
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
      ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
      SameFile(opened, named)) {
    ::unlink(path.c_str());
  }
  ::close(fd);
}

// Temporaries of any target left in folder by writers that were killed.
// While a commit record is in the folder, its temporaries are still to be
// renamed by the next export to its name, so none are removed.
void RemoveStaleTemporaries(const std::filesystem::path& folder) {
  const std::string mark = kTempMark;
  std::vector<std::filesystem::path> candidates;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.ends_with(kCommitMark)) return;
    const size_t markAt = name.size() - std::min(name.size(), kTempRandomChars + mark.size());
    if (name.size() > kTempRandomChars + mark.size() + 1 && name.starts_with('.') &&
        name.compare(markAt, mark.size(), mark) == 0) {
      candidates.push_back(it->path());
    }
  }
  for (const std::filesystem::path& path : candidates) RemoveIfStale(path);
}

// Locks a fresh temporary for its writer; false when a clean-up of another
// run removed it before the lock was taken (a new one must be drawn). Where
// locks are not supported the file is used unlocked.
bool LockFreshTemporary(int fd) {
  if (::flock(fd, LOCK_EX) != 0) return true;
  struct stat st {};
  return ::fstat(fd, &st) != 0 || st.st_nlink > 0;
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target, std::filesystem::path written,
                       std::filesystem::path temp, int fd)
    : target_(std::move(target)), written_(std::move(written)), temp_(std::move(temp)), fd_(fd) {}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : target_(std::move(other.target_)),
      written_(std::move(other.written_)),
      temp_(std::move(other.temp_)),
      fd_(std::exchange(other.fd_, -1)),
      synced_(other.synced_) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
  if (this != &other) {
    Discard();
    target_ = std::move(other.target_);
    written_ = std::move(other.written_);
    temp_ = std::move(other.temp_);
    fd_ = std::exchange(other.fd_, -1);
    synced_ = other.synced_;
  }
  return *this;
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
  if (fd_ < 0) return;
  ::unlink(temp_.c_str());
  ::close(fd_);
  fd_ = -1;
}

Error AtomicFile::Fail(int err) {
  Discard();
  return WriteError(target_, err);
}

Result<AtomicFile> AtomicFile::Open(const std::filesystem::path& target) {
  if (target.filename().empty()) return FileError(FileAction::kWrite, target, Problem::kNotAFileName);
  // Only a regular file is replaced: a folder in the way would only fail at
  // the rename, after the whole write, and a FIFO or a device would be lost.
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    return NotRegularFile(FileAction::kWrite, target, existing.st_mode);
  }
  // A link is followed, link after link, to the file it names, which need
  // not exist yet; a chain that does not end is refused.
  std::filesystem::path written = target;
  std::error_code ec;
  for (int links = 0; std::filesystem::is_symlink(std::filesystem::symlink_status(written, ec));) {
    if (++links > kMaxLinks) return WriteError(target, ELOOP);
    const std::filesystem::path to = std::filesystem::read_symlink(written, ec);
    if (ec) return SystemError(FileAction::kWrite, target, ec.value(), Problem::kFollowLink);
    written = to.is_absolute() ? to : written.parent_path() / to;
  }
  const std::filesystem::path folder = FolderOf(written);
  RemoveStaleTemporaries(folder);
  const std::string pattern =
      (folder / HiddenBeside(written, kTempMark, kTempRandomChars).filename()).string() +
      std::string(kTempRandomChars, 'X');
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return CannotCreateBeside(target, folder, errno);
    if (LockFreshTemporary(fd)) {
      return AtomicFile(target, written, std::filesystem::path(name.data()), fd);
    }
    ::close(fd);
  }
  return FileError(FileAction::kWrite, target, Problem::kTemporaryTaken);
}

Status AtomicFile::Write(std::span<const uint8_t> bytes) {
  if (fd_ < 0) return WriteError(target_, EBADF);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(errno);
    }
    done += static_cast<size_t>(n);
  }
  return Ok();
}

Status AtomicFile::Sync() {
  if (fd_ < 0) return WriteError(target_, EBADF);
  if (synced_) return Ok();
  struct stat existing {};
  const mode_t mode =
      ::stat(written_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
  if (::fchmod(fd_, mode) != 0) return Fail(errno);
  if (::fsync(fd_) != 0) return Fail(errno);
  synced_ = true;
  return Ok();
}

Status AtomicFile::Commit() {
  if (auto synced = Sync(); !synced) return synced;
  // Renamed while still open and locked, so no clean-up can take it for stale.
  if (::rename(temp_.c_str(), written_.c_str()) != 0) return Fail(errno);
  // The new name is on disk once its folder is; the file is replaced by now,
  // so a folder that cannot be flushed is not reported as a failure.
  const std::filesystem::path folder = FolderOf(written_);
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  // The bytes are on disk since the fsync; a close error cannot lose them, and
  // the target is already replaced, so it is not reported as a failure.
  ::close(std::exchange(fd_, -1));
  return Ok();
}

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  auto file = AtomicFile::Open(path);
  if (!file) return file.failure();
  if (auto written = file.value().Write(bytes); !written) return written;
  return file.value().Commit();
}

Error CannotCreateBeside(const std::filesystem::path& target, const std::filesystem::path& folder,
                         int err) {
  // "No such file or directory" would be wrong about a folder that is there
  // (/proc is one that takes no new files).
  struct stat info {};
  if (err != ENOENT || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return WriteError(target, err);
  }
  return SystemError(FileAction::kWrite, target, err, Problem::kFolderTakesNoFiles);
}

Status CheckRoomFor(const std::filesystem::path& path, uint64_t bytes) {
  const std::filesystem::path folder = FolderOf(path);
  struct statvfs fs {};
  if (::statvfs(folder.c_str(), &fs) != 0) return Ok();
  const uint64_t room = static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize;
  if (room >= bytes) return Ok();
  return FileError(FileAction::kWrite, path, Problem::kNoRoom,
                   {static_cast<int64_t>(bytes), static_cast<int64_t>(room)});
}

Result<int> OpenRegularFile(const std::filesystem::path& path) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return SystemError(FileAction::kRead, path, errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int err = errno;
    ::close(fd);
    return SystemError(FileAction::kRead, path, err);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return NotRegularFile(FileAction::kRead, path, info.st_mode);
  }
  return fd;
}

Result<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path) {
  auto failure = [&path](int err) { return SystemError(FileAction::kRead, path, err); };
  const auto opened = OpenRegularFile(path);
  if (!opened) return opened.failure();
  const int fd = opened.value();
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return failure(err);
    }
    bytes.insert(bytes.end(), chunk, chunk + n);
    // A file that grows while it is read, or one of /proc, must not fill the memory.
    if (bytes.size() > kMaxReadBytes) {
      ::close(fd);
      return FileError(FileAction::kRead, path, Problem::kFileTooLarge,
                       {static_cast<int64_t>(kMaxReadBytes >> 20)});
    }
  }
  ::close(fd);
  return bytes;
}

}  // namespace glyphsheet
