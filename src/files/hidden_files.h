#pragma once

#include <filesystem>
#include <string_view>

namespace glyphsheet {

// The hidden files a write keeps beside the file it replaces, each named
// ".NAME" + its mark, so a listing of the folder shows none of them and a
// later run finds those of a name again.

/// Temporaries the new bytes are written to (six random characters follow).
inline constexpr char kTempMark[] = ".glyphsheet-";
/// The record of an export pair's renames, while they are under way.
inline constexpr char kCommitMark[] = ".glyphsheet.commit";
/// The lock that lets one export to a name run at a time.
inline constexpr char kLockMark[] = ".glyphsheet.lock";
/// The image an export replaced, kept until its descriptor is replaced too.
inline constexpr char kBackupMark[] = ".glyphsheet.old";

/// The folder a file lies in: its parent, or "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& file);

/// The hidden file ".NAME" + mark beside the file NAME. `extra` bytes that
/// the caller appends (a temporary's random characters) are counted, so the
/// whole name fits the file system's 255 bytes: a NAME too long for that is
/// cut (at a character boundary) and followed by "~" and 16 hex digits of a
/// hash of the whole NAME, so that two long names keep two hidden files.
std::filesystem::path HiddenBeside(const std::filesystem::path& file, std::string_view mark,
                                   size_t extra = 0);

}  // namespace glyphsheet
