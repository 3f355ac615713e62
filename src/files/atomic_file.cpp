#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string Describe(const std::filesystem::path& target, const char* what, int err) {
  std::string message = "cannot write \"" + target.string() + "\": ";
  if (what != nullptr) message += std::string(what) + ": ";
  return message + std::strerror(err);
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target, std::filesystem::path temp, int fd)
    : target_(std::move(target)), temp_(std::move(temp)), fd_(fd) {}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : target_(std::move(other.target_)),
      temp_(std::move(other.temp_)),
      fd_(std::exchange(other.fd_, -1)) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
  if (this != &other) {
    Discard();
    target_ = std::move(other.target_);
    temp_ = std::move(other.temp_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temp_.c_str());
  fd_ = -1;
}

Error AtomicFile::Fail(const char* what, int err) {
  Discard();
  return Error{Describe(target_, what, err)};
}

Result<AtomicFile> AtomicFile::Open(const std::filesystem::path& target) {
  if (target.filename().empty()) return Error{Describe(target, "no file name", EISDIR)};
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return Error{Describe(target, nullptr, errno)};
  return AtomicFile(target, std::filesystem::path(name.data()), fd);
}

Status AtomicFile::Write(std::span<const uint8_t> bytes) {
  if (fd_ < 0) return Error{Describe(target_, "the file was already closed", EBADF)};
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(nullptr, errno);
    }
    done += static_cast<size_t>(n);
  }
  return Ok();
}

Status AtomicFile::Commit() {
  if (fd_ < 0) return Error{Describe(target_, "the file was already closed", EBADF)};
  struct stat existing {};
  const mode_t mode =
      ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
  if (::fchmod(fd_, mode) != 0) return Fail(nullptr, errno);
  if (::fsync(fd_) != 0) return Fail(nullptr, errno);
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp_.c_str());
    return Error{Describe(target_, nullptr, err)};
  }
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp_.c_str());
    return Error{Describe(target_, nullptr, err)};
  }
  return Ok();
}

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  auto file = AtomicFile::Open(path);
  if (!file) return Error{file.error()};
  if (auto written = file.value().Write(bytes); !written) return written;
  return file.value().Commit();
}

Result<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path) {
  auto failure = [&path](int err) {
    return Error{"cannot read \"" + path.string() + "\": " + std::strerror(err)};
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return failure(errno);
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
  }
  ::close(fd);
  return bytes;
}

}  // namespace glyphsheet
