#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace glyphsheet::testing {

/// How a run of glyphsheet-cli ended (exit status or -1, ending signal or 0) and what it printed.
struct CliRun {
  int exitCode = -1, signal = 0;
  std::string out, err;
  /// The most memory the run held resident, in KiB.
  long maxResidentKiB = 0;
};

/// Limits a run is started with: the largest file it may write and the
/// address space it may use (0 for no limit).
struct CliLimits {
  rlim_t fileSize = 0;
  rlim_t memory = 0;
};

/// A running glyphsheet-cli, started in a folder; its output is caught in
/// files outside that folder. A run still going when the object goes is killed.
class CliProcess {
 public:
  CliProcess(const std::filesystem::path& folder, const std::vector<std::string>& args,
             CliLimits limits = {}) {
    const std::string outPath = capture_ / "out";
    const std::string errPath = capture_ / "err";
    std::vector<std::string> argv = {GLYPHSHEET_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& arg : argv) cargv.push_back(arg.data());
    cargv.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ != 0) return;
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
        ::chdir(folder.c_str()) != 0) {
      ::_exit(127);
    }
    // The program itself must cope with SIGXFSZ; a hang or an endless loop
    // ends at the CPU limit instead of holding up the suite.
    ::signal(SIGXFSZ, SIG_DFL);
    const rlimit cpu{60, 61};
    ::setrlimit(RLIMIT_CPU, &cpu);
    // A run blocked for good (on a FIFO, a lock) ends too, by SIGALRM.
    ::alarm(300);
    if (limits.fileSize > 0) {
      const rlimit size{limits.fileSize, limits.fileSize};
      ::setrlimit(RLIMIT_FSIZE, &size);
    }
    if (limits.memory > 0) {
      const rlimit memory{limits.memory, limits.memory};
      ::setrlimit(RLIMIT_AS, &memory);
    }
    ::execv(cargv[0], cargv.data());
    ::_exit(127);
  }
  ~CliProcess() {
    if (pid_ <= 0 || ended_) return;
    Kill();
    Wait();
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  /// Sends SIGKILL (harmless when the run has ended but was not waited for).
  void Kill() const {
    if (pid_ > 0 && !ended_) ::kill(pid_, SIGKILL);
  }

  /// True once the run has ended (it is then waited for).
  bool Ended() {
    if (!ended_ && ::wait4(pid_, &status_, WNOHANG, &usage_) == pid_) ended_ = true;
    return ended_;
  }

  /// Waits for the end of the run.
  CliRun Wait() {
    if (!ended_) ::wait4(pid_, &status_, 0, &usage_);
    ended_ = true;
    pid_ = -1;
    CliRun run;
    run.exitCode = WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    run.signal = WIFSIGNALED(status_) ? WTERMSIG(status_) : 0;
    run.out = FileText(capture_ / "out");
    run.err = FileText(capture_ / "err");
    run.maxResidentKiB = usage_.ru_maxrss;
    return run;
  }

 private:
  TempFolder capture_;
  pid_t pid_ = -1;
  int status_ = 0;
  rusage usage_{};
  bool ended_ = false;
};

/// Runs glyphsheet-cli in a folder to its end.
inline CliRun RunCli(const std::filesystem::path& folder, const std::vector<std::string>& args,
                     CliLimits limits = {}) {
  return CliProcess(folder, args, limits).Wait();
}

/// The bytes of every file under a folder by relative path; anything else is
/// listed by what it is: "<folder>", "<link to TARGET>", "<type N>" (a FIFO
/// or a device, never opened).
inline std::map<std::string, std::vector<uint8_t>> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = std::filesystem::relative(entry.path(), folder).string();
    const std::filesystem::file_status status = entry.symlink_status();
    std::string kind;
    if (std::filesystem::is_symlink(status)) {
      kind = "<link to " + std::filesystem::read_symlink(entry.path()).string() + ">";
    } else if (std::filesystem::is_directory(status)) {
      kind = "<folder>";
    } else if (!std::filesystem::is_regular_file(status)) {
      kind = "<type " + std::to_string(static_cast<int>(status.type())) + ">";
    }
    files[name] = kind.empty() ? FileBytes(entry.path()) : std::vector<uint8_t>(kind.begin(), kind.end());
  }
  return files;
}

}  // namespace glyphsheet::testing
