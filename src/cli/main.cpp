#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_options.h"

namespace {

// Writes all of text to a file descriptor; false (errno set) when it cannot.
bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

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
    std::cerr << "glyphsheet-cli: " << PrintableText(message) << hint << '\n';
  };
  // The output is gathered and written at the end, so that a failed write
  // (a full disk, a closed output) is noticed and reported, never lost.
  std::ostringstream out;
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
  if (!WriteAll(STDOUT_FILENO, out.str())) {
    report(std::string("cannot write the output: ") + std::strerror(errno), "");
    return 1;
  }
  return status;
}
