#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/cli_options.h"

namespace glyphsheet::cli {

/// Runs a parsed command: results go to out, warnings to err. Throws Failure
/// when the work cannot be done; returns the exit status otherwise.
int RunCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

/// Text safe to show on one terminal line: well-formed UTF-8 of printable
/// characters as it is, every other byte (controls, line ends, bytes that are
/// not UTF-8) as \xHH.
std::string PrintableText(std::string_view text);

}  // namespace glyphsheet::cli
