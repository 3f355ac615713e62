#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "sheet/result.h"

namespace glyphsheet {

/// The English name of a project field, as messages use it ("the sheet width").
const char* ProjectFieldName(ProjectField field);

/// The reason of a failure alone, in English ("No space left on device").
std::string EnglishReason(const ErrorDetail& detail);

/// A failure in English, with the action and the file first:
/// cannot write "NAME": REASON.
std::string EnglishText(const ErrorDetail& detail);

/// A failure made from its values, its message in English.
Error MakeError(ErrorDetail detail);

/// A failure of an action on a file.
Error FileError(FileAction action, const std::filesystem::path& file, Problem problem,
                std::vector<int64_t> numbers = {});

/// A failed system call (errno `code`) while acting on a file; `problem`
/// says more when it is known why.
Error SystemError(FileAction action, const std::filesystem::path& file, int code,
                  Problem problem = Problem::kSystem);

}  // namespace glyphsheet
