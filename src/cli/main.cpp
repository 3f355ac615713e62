#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "sheet/error_text.h"

namespace {

// Writes all of text to a file descriptor; false (errno set) when it cannot.
bool WriteAll(int fd, std::string_view text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Standard output written in pieces of 64 KiB, so a long listing needs no
// more memory than a short one. The first failed write is kept (and nothing
// more is written), so it is reported at the end, never lost.
class CheckedOutput : public std::streambuf {
 public:
  explicit CheckedOutput(int fd) : fd_(fd), buffer_(size_t{1} << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }
  /// Writes what is buffered; the errno of the first failed write, 0 when none failed.
  int Finish() {
    sync();
    return error_;
  }

 protected:
  int_type overflow(int_type c) override {
    if (sync() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  int sync() override {
    const std::string_view pending(pbase(), static_cast<size_t>(pptr() - pbase()));
    if (error_ == 0 && !WriteAll(fd_, pending)) error_ = errno != 0 ? errno : EIO;
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0 ? 0 : -1;
  }

 private:
  int fd_;
  std::vector<char> buffer_;
  int error_ = 0;
};

// A standard stream that is closed gets /dev/null opened read-only in its
// place, so no file the program opens takes its number, and a write to it
// fails instead of going somewhere else.
void KeepStandardStreamsTaken() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
      const int opened = ::open("/dev/null", O_RDONLY);
      if (opened >= 0 && opened != fd) ::close(opened);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace glyphsheet::cli;
  KeepStandardStreamsTaken();
  const std::vector<std::string> args(argv + 1, argv + argc);
  // A write past a file size limit then fails with EFBIG and is reported,
  // instead of the signal ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  // Messages may hold file names and stored face names; they stay one line.
  auto report = [](const std::string& message, const char* hint) {
    std::cerr << "glyphsheet-cli: " << glyphsheet::PrintableText(message) << hint << '\n';
  };
  // A failed write (a full disk, a closed output) is noticed and reported
  // at the end, never lost.
  CheckedOutput output(STDOUT_FILENO);
  std::ostream out(&output);
  int status = 0;
  try {
    status = RunCommand(ParseCommandLine(args), out, std::cerr);
  } catch (const UsageError& e) {
    report(e.what(), " (glyphsheet-cli --help shows the usage)");
    status = 2;
  } catch (const std::bad_alloc&) {
    report("out of memory: the project or the sheet is too large for the memory this run may use",
           "");
    status = 1;
  } catch (const std::exception& e) {
    report(e.what(), "");
    status = 1;
  }
  if (const int error = output.Finish(); error != 0) {
    report(std::string("cannot write the output: ") + std::strerror(error), "");
    return 1;
  }
  return status;
}
