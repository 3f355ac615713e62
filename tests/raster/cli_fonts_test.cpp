#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace glyphsheet {
namespace {

struct CliRun {
  int exitCode = -1;
  std::vector<std::string> lines;
};

// Runs the built program with the private font setup inherited from the test.
CliRun RunCli(const std::string& arguments) {
  CliRun run;
  const std::string command = std::string("\"") + GLYPHSHEET_CLI + "\" " + arguments;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    EXPECT_NE(end, std::string::npos) << "last line has no line end";
    run.lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return run;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

TEST(CliFonts, PrintsEachDejaVuFamilyOncePerLineSorted) {
  const CliRun run = RunCli("fonts");
  ASSERT_EQ(run.exitCode, 0);
  const auto& lines = run.lines;
  for (const char* wanted : {"DejaVu Sans", "DejaVu Sans Condensed", "DejaVu Sans Light",
                             "DejaVu Sans Mono", "DejaVu Serif", "DejaVu Serif Condensed"}) {
    EXPECT_EQ(std::count(lines.begin(), lines.end(), wanted), 1) << wanted;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    // The private setup holds only the DejaVu folder; nothing else may appear.
    EXPECT_EQ(lines[i].rfind("DejaVu ", 0), 0u) << lines[i];
    if (i > 0) {
      EXPECT_LT(Lower(lines[i - 1]), Lower(lines[i])) << lines[i - 1] << " / " << lines[i];
    }
  }
}

}  // namespace
}  // namespace glyphsheet
