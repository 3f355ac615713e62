#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sheet/result.h"

namespace glyphsheet {

/// The renames that replace several files as one: temporary file → file;
/// a file renamed to an empty path is removed.
using Renames = std::vector<std::pair<std::filesystem::path, std::filesystem::path>>;

/// The commit record of an output set (NAME, the files' shared name without
/// extension): a hidden ".NAME.glyphsheet.commit" beside it. It exists, on
/// disk, only while the renames of a commit are under way, so a commit cut
/// short (a kill, a power loss) can be finished.
std::filesystem::path CommitRecordOf(const std::filesystem::path& set);

/// Writes the record of these renames (absolute paths) and flushes it.
Status WriteCommitRecord(const std::filesystem::path& record, const Renames& renames);

/// Finishes a commit whose record is left: every rename whose temporary file
/// is still there is done, then the record is removed. A file that
/// `mayReplace` refuses (a project saved since, say) is neither replaced nor
/// removed: its temporary is dropped. Returns the files that were replaced
/// now (none when there was no record).
Result<std::vector<std::filesystem::path>> FinishInterruptedCommit(
    const std::filesystem::path& record,
    const std::function<bool(const std::filesystem::path&)>& mayReplace);

}  // namespace glyphsheet
