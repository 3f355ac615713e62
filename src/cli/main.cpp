#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_options.h"

int main(int argc, char** argv) {
  using namespace glyphsheet::cli;
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return RunCommand(ParseCommandLine(args), std::cout, std::cerr);
  } catch (const UsageError& e) {
    std::cerr << "glyphsheet-cli: " << e.what() << " (glyphsheet-cli --help shows the usage)\n";
    return 2;
  } catch (const Failure& e) {
    std::cerr << "glyphsheet-cli: " << e.what() << '\n';
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "glyphsheet-cli: " << e.what() << '\n';
    return 1;
  }
}
