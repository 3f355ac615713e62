#pragma once

#include <iosfwd>
#include <string>

#include "cli/cli_options.h"

namespace glyphsheet::cli {

/// Runs a parsed command: results go to out, warnings to err. Throws Failure
/// when the work cannot be done; returns the exit status otherwise.
int RunCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace glyphsheet::cli
