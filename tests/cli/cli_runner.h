#pragma once

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace glyphsheet::testing {

/// How a run of glyphsheet-cli ended (exit status or -1, ending signal or 0) and what it printed.
struct CliRun {
  int exitCode = -1, signal = 0;
  std::string out, err;
};

/// Limits a run is started with: the largest file it may write (0 for no
/// limit), and whether it runs as the unprivileged user 65534 when the tests
/// run as root, so that file permissions hold for it.
struct CliLimits {
  rlim_t fileSize = 0;
  bool unprivileged = false;
};

/// The user id a run with CliLimits::unprivileged gets under root.
inline constexpr uid_t kNobody = 65534;

/// The program and font configuration an unprivileged run uses: copies in a
/// folder every user can reach, since the build tree may lie in a folder that
/// only root may enter. Made once per test program.
struct UnprivilegedSetup {
  std::string program;
  std::string fontsConf;
};

inline const UnprivilegedSetup& Unprivileged() {
  static TempFolder folder;
  static const UnprivilegedSetup setup = [] {
    namespace fs = std::filesystem;
    const fs::perms open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(folder.Path(), open);
    UnprivilegedSetup made{(folder / "glyphsheet-cli").string(), (folder / "fonts.conf").string()};
    fs::copy_file(GLYPHSHEET_CLI, made.program);
    fs::permissions(made.program, open);
    // The same fonts, with a cache the unprivileged user may write.
    fs::create_directory(folder / "cache");
    fs::permissions(folder / "cache", fs::perms::all);
    const char* conf = std::getenv("FONTCONFIG_FILE");
    const std::string text = conf != nullptr ? FileText(conf) : std::string();
    const std::string cache = "<cachedir>" + (folder / "cache").string() + "</cachedir>";
    std::ofstream(made.fontsConf) << std::regex_replace(
        text, std::regex("<cachedir>[^<]*</cachedir>"), cache);
    fs::permissions(made.fontsConf, open);
    return made;
  }();
  return setup;
}

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
    const bool dropRoot = limits.unprivileged && ::geteuid() == 0;
    if (dropRoot) cargv[0] = const_cast<char*>(Unprivileged().program.c_str());

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
    if (limits.fileSize > 0) {
      const rlimit size{limits.fileSize, limits.fileSize};
      ::setrlimit(RLIMIT_FSIZE, &size);
    }
    if (dropRoot && std::getenv("FONTCONFIG_FILE") != nullptr) {
      ::setenv("FONTCONFIG_FILE", Unprivileged().fontsConf.c_str(), 1);
    }
    if (dropRoot && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
                     ::setuid(kNobody) != 0)) {
      ::_exit(126);
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
    if (!ended_ && ::waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
    return ended_;
  }

  /// Waits for the end of the run.
  CliRun Wait() {
    if (!ended_) ::waitpid(pid_, &status_, 0);
    ended_ = true;
    pid_ = -1;
    CliRun run;
    run.exitCode = WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    run.signal = WIFSIGNALED(status_) ? WTERMSIG(status_) : 0;
    run.out = FileText(capture_ / "out");
    run.err = FileText(capture_ / "err");
    return run;
  }

 private:
  TempFolder capture_;
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
};

/// Runs glyphsheet-cli in a folder to its end.
inline CliRun RunCli(const std::filesystem::path& folder, const std::vector<std::string>& args,
                     CliLimits limits = {}) {
  return CliProcess(folder, args, limits).Wait();
}

/// The bytes of every file under a folder by relative path; folders are
/// listed with the content "<folder>".
inline std::map<std::string, std::vector<uint8_t>> Snapshot(const std::filesystem::path& folder) {
  static const std::string kFolder = "<folder>";
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = std::filesystem::relative(entry.path(), folder).string();
    files[name] = entry.is_directory() ? std::vector<uint8_t>(kFolder.begin(), kFolder.end())
                                       : FileBytes(entry.path());
  }
  return files;
}

}  // namespace glyphsheet::testing
