#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace glyphsheet {

/// What was being done to the file a failure concerns.
enum class FileAction : uint8_t { kNone, kRead, kLoad, kWrite, kFinishExport };

/// Why something failed. The values a kind names are in ErrorDetail::numbers,
/// in the order given here.
enum class Problem : uint8_t {
  kOther,                // only the English message tells (a library's own words)
  kSystem,               // a system call failed: ErrorDetail::code is its errno
  kNotAFileName,         // the name ends in a folder separator
  kFollowLink,           // a link on the way could not be read: code
  kFolderTakesNoFiles,   // the folder exists but no file can be made in it: code
  kTemporaryTaken,       // another run keeps removing the temporary file
  kNoRoom,               // bytes needed, bytes free
  kFileTooLarge,         // the largest size read, in MiB
  kTruncated,            // file size, ProjectField, first byte, last byte
  kFaceNameLength,       // the stored length
  kGlyphCountTooLarge,   // glyph count, bytes needed, bytes left
  kSheetSide,            // 0 for the width or 1 for the height, the value
  kFaceNameTooLong,      // the name's length in bytes
  kSheetTooLarge,        // width, height
  kHoldsProject,         // the file is a project, which an export must not replace
  kNotRegularFile,       // the file is there but is not a regular file: its FileKind
  kCannotTellProject,    // the file cannot be opened or read to tell whether it is a
                         // project, so it is not replaced: code
  kWaitCancelled,        // the user stopped waiting for another writer of the name
  kUnnameablePage,       // the descriptor's form cannot hold its page file's name (`name`)
                         // exactly: the form (0 text, 1 XML, 3 JSON), the first character
                         // it cannot hold (its code point, or -1 for a byte that is not
                         // UTF-8), that byte's offset in the name, the byte
  kFieldInBinary,        // the binary BMFont form has no record of a distance field
  // Fonts: `file` is the font file, `typeface` the typeface it was opened for
  // (when one was), `reason` FreeType's own words.
  kFaceNotInstalled,     // no installed typeface has the name `file`
  kStartFreeType,        // FreeType cannot start: reason
  kTrueTypeInterpreter,  // the interpreter version, reason
  kUnusableFontFile,     // face index, reason: FreeType cannot open the face
  kFaceIndex,            // faces in the file, the face index asked for
  kNoOutlines,           // face index: neither TrueType nor OpenType outlines
  kNoFamilyName,         // the face names no family
  kPixelHeight,          // pixel height, the least and the most accepted
  kCannotSize,           // pixel height, reason
  kExtension,            // the project's extension block is wrong: ExtensionDefect, then its values
  // A file read as a project that its first bytes show to be something else.
  kBmFontDescriptor,     // a BMFont descriptor (text, XML, binary or JSON)
  kPngImage,             // a PNG image
};
/// How many kinds Problem has (the last one, plus 1).
inline constexpr size_t kProblemKinds = static_cast<size_t>(Problem::kPngImage) + 1;

/// What a name is when it is not a regular file (for kNotRegularFile).
enum class FileKind : uint8_t { kFolder, kFifo, kCharacterDevice, kBlockDevice, kSocket, kOther };

/// What is wrong with a project's extension block (for kExtension), with
/// the values that follow it in ErrorDetail::numbers.
enum class ExtensionDefect : uint8_t {
  kCutShort,   // bytes the block needs, bytes the file has after the glyph list
  kTrailing,   // bytes after the block
  kVersion,    // the version stored
  kSetting,    // the tag of a setting this version does not know
  kLengths,    // (none) the lengths inside the block do not add up
  kChecksum,   // (none) the checksum does not match the bytes
  kCode,       // glyph number (from 1), the code stored: not a Unicode scalar value
  kMismatch,   // (none) the glyph list before the block is not its Windows-1252 part
  kSpread,     // the distance-field spread stored: outside kDistanceSpreadRange
};
inline constexpr size_t kExtensionDefects = static_cast<size_t>(ExtensionDefect::kSpread) + 1;

/// The fields of a project file, in file order (for kTruncated).
enum class ProjectField : uint8_t {
  kSheetWidth, kSheetHeight, kLeftBorder, kTopBorder, kRightBorder, kBottomBorder,
  kPointSize, kWeight, kQuality, kSmoothing, kItalic, kFaceNameLength, kFaceName,
  kFaceNameEnd, kGlyphCount, kGlyphCode, kGlyphLeftBorder, kGlyphRightBorder,
};

/// After an export's second rename failed: what became of the first.
enum class Undo : uint8_t { kNone, kNothingChanged, kImageIsNew };

/// A failure in values, so each program can put it in its own words.
struct ErrorDetail {
  FileAction action = FileAction::kNone;
  /// The file concerned, as named; empty when none.
  std::string file;
  Problem problem = Problem::kOther;
  /// The errno of a failed system call.
  int code = 0;
  std::vector<int64_t> numbers;
  Undo undo = Undo::kNone;
  /// With Undo::kImageIsNew: the image that is new (file is the old descriptor).
  std::string newImage;
  /// The typeface a font failure concerns, as named; empty when none.
  std::string typeface;
  /// A library's own words for why (FreeType's error text); empty when none.
  std::string reason;
  /// A name inside the file the failure concerns: the page file name a
  /// descriptor cannot hold; empty when none.
  std::string name;
};

/// A failure with a message for the user (names the file or value and the
/// reason, in English) and the same in values.
struct Error {
  /// A failure known only by its English words (a library's own, say).
  Error(std::string text) : message(std::move(text)) {}
  Error(std::string text, ErrorDetail values)
      : message(std::move(text)), detail(std::move(values)) {}

  std::string message;
  ErrorDetail detail;
};

/// Either a value or an Error; never loses the reason of a failure.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  /// True when the result holds a value.
  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  /// The value; only valid when ok().
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }

  /// The failure message; only valid when !ok().
  const std::string& error() const { return std::get<1>(state_).message; }
  /// The failure; only valid when !ok().
  const Error& failure() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

/// The value of a Status that succeeded.
struct Done {};

/// Success or a failure message, for operations that produce no value.
using Status = Result<Done>;

/// A successful Status.
inline Status Ok() { return Done{}; }

}  // namespace glyphsheet
