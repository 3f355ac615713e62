#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/result.h"

namespace glyphsheet {

/// Text safe to show on one terminal line: well-formed UTF-8 of printable
/// characters as it is, every other byte (controls, line ends, bytes that are
/// not UTF-8) as \xHH.
std::string PrintableText(std::string_view text);

/// A name in double quotes, made printable: "NAME".
std::string Quoted(std::string_view name);

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

/// The failure of a name that is there but is not a regular file (a folder,
/// a FIFO, a device, a socket): `mode` is its st_mode.
Error NotRegularFile(FileAction action, const std::filesystem::path& file, uint32_t mode);

/// A failure of FreeType or of a font file `file`; `reason` is FreeType's own
/// words, `typeface` the typeface the file was opened for.
Error FontError(Problem problem, std::string file, std::vector<int64_t> numbers = {},
                std::string reason = {}, std::string typeface = {});

/// A typeface name that no installed typeface has.
ErrorDetail FaceNotInstalled(std::string face);

/// The failure of a font file opened for a typeface, naming the typeface too.
Error ForTypeface(Error error, std::string typeface);

}  // namespace glyphsheet
