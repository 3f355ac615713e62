#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_options.h"

int main(int argc, char** argv) {
  using namespace glyphsheet::cli;
  const std::vector<std::string> args(argv + 1, argv + argc);
  // A write past a file size limit then fails with EFBIG and is reported,
  // instead of the signal ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  // Messages may hold file names and stored face names; they stay one line.
  auto report = [](const char* message, const char* hint) {
    std::cerr << "glyphsheet-cli: " << PrintableText(message) << hint << '\n';
  };
  try {
    return RunCommand(ParseCommandLine(args), std::cout, std::cerr);
  } catch (const UsageError& e) {
    report(e.what(), " (glyphsheet-cli --help shows the usage)");
    return 2;
  } catch (const std::exception& e) {
    report(e.what(), "");
    return 1;
  }
}
