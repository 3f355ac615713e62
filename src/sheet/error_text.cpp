#include "sheet/error_text.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include "sheet/sheet_document.h"
#include "sheet/unicode_text.h"

namespace glyphsheet {

namespace {

std::string Number(const ErrorDetail& d, size_t i) {
  return i < d.numbers.size() ? std::to_string(d.numbers[i]) : "?";
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const size_t start = i;
    const std::optional<char32_t> ch = DecodeUtf8(text, i);
    const bool control = ch && IsControlCharacter(*ch);
    if (ch && !control) {
      out.append(text.substr(start, i - start));
      continue;
    }
    for (size_t k = start; k < i; ++k) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[k]));
      out += escaped;
    }
  }
  return out;
}

std::string Quoted(std::string_view name) { return "\"" + PrintableText(name) + "\""; }

const char* ProjectFieldName(ProjectField field) {
  static const char* const kNames[] = {
      "the sheet width", "the sheet height", "the left border", "the top border",
      "the right border", "the bottom border", "the point size", "the weight", "the quality",
      "the smoothing factor", "the italic flag", "the face name length", "the face name",
      "the 0 byte after the face name", "the glyph count", "a glyph code",
      "a glyph's left border", "a glyph's right border"};
  const auto index = static_cast<size_t>(field);
  return index < std::size(kNames) ? kNames[index] : "a field";
}

namespace {

// What is wrong with a project's extension block.
std::string ExtensionReason(const ErrorDetail& d) {
  const auto n = [&d](size_t i) { return Number(d, i); };
  const auto defect = static_cast<ExtensionDefect>(d.numbers.empty() ? 0 : d.numbers[0]);
  switch (defect) {
    case ExtensionDefect::kCutShort:
      return "the extension block is truncated: it needs " + n(1) + " bytes and the file has " +
             n(2) + " after the glyph list";
    case ExtensionDefect::kTrailing:
      return "the file goes on for " + n(1) + " bytes after the extension block";
    case ExtensionDefect::kVersion:
      return "the extension block has version " + n(1) +
             ", which this GlyphSheet does not read (a newer one wrote it)";
    case ExtensionDefect::kSetting:
      return "the extension block holds setting " + n(1) + ", which this GlyphSheet does not know";
    case ExtensionDefect::kLengths:
      return "the lengths inside the extension block do not add up (it is damaged)";
    case ExtensionDefect::kChecksum:
      return "the extension block is damaged: its checksum does not match its bytes";
    case ExtensionDefect::kCode: {
      char code[16];
      std::snprintf(code, sizeof code, "0x%llX",
                    static_cast<unsigned long long>(d.numbers.size() > 2 ? d.numbers[2] : 0));
      return "glyph " + n(1) + " of the extension block has code " + code +
             ", which is not a Unicode character";
    }
    case ExtensionDefect::kMismatch:
      return "the glyph list before the extension block does not match it (another program "
             "changed the file)";
    case ExtensionDefect::kSpread:
      return "the extension block holds distance-field spread " + n(1) + ", outside " +
             kDistanceSpreadRange.Text();
  }
  return "the extension block is damaged";
}

// Why a descriptor cannot name its page file: the first character of the
// name that its form cannot hold.
std::string UnnameablePageReason(const ErrorDetail& d) {
  const int64_t form = d.numbers.empty() ? 0 : d.numbers[0];
  const int64_t code = d.numbers.size() > 1 ? d.numbers[1] : -1;
  std::string what;
  if (code < 0) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X",
                  static_cast<unsigned>(d.numbers.size() > 3 ? d.numbers[3] & 0xFF : 0));
    what = std::string("byte ") + byte + " at offset " + Number(d, 2) + " (not UTF-8)";
  } else {
    const auto ch = static_cast<char32_t>(code);
    what = NumberedCharacter(ch) + (ch == U'"'               ? " (a double quote)"
                                    : IsControlCharacter(ch) ? " (a control character)"
                                                             : " (a noncharacter)");
  }
  const char* place = form == 1   ? "in the XML form"
                      : form == 3 ? "in the JSON form"
                                  : "in the text form's quoted value";
  return "the descriptor cannot name the page file " + Quoted(d.name) + ": " + what +
         " cannot stand " + place;
}

// What a name that is not a regular file is, with its article.
std::string FileKindName(const ErrorDetail& d) {
  static const char* const kNames[] = {"a folder", "a named pipe (FIFO)", "a character device",
                                       "a block device", "a socket"};
  const int64_t kind = d.numbers.empty() ? -1 : d.numbers[0];
  return kind >= 0 && kind < static_cast<int64_t>(std::size(kNames)) ? kNames[kind]
                                                                    : "something else";
}

// The reason of one kind, without the typeface it concerns.
std::string KindReason(const ErrorDetail& d) {
  const auto n = [&d](size_t i) { return Number(d, i); };
  switch (d.problem) {
    case Problem::kOther:
      return {};
    case Problem::kSystem:
      return std::strerror(d.code);
    case Problem::kNotAFileName:
      return std::string("no file name: ") + std::strerror(EISDIR);
    case Problem::kFollowLink:
      return std::string("cannot follow the link: ") + std::strerror(d.code);
    case Problem::kFolderTakesNoFiles:
      return std::string("its folder takes no new files (") + std::strerror(d.code) + ")";
    case Problem::kTemporaryTaken:
      return std::string("another run keeps removing its temporary file: ") +
             std::strerror(EAGAIN);
    case Problem::kNoRoom:
      return "it needs " + n(0) + " bytes and its file system has " + n(1) + " free";
    case Problem::kFileTooLarge:
      return "it is larger than " + n(0) + " MiB";
    case Problem::kTruncated: {
      const auto field = static_cast<ProjectField>(d.numbers.size() > 1 ? d.numbers[1] : 0);
      return "the file is truncated: it ends after " + n(0) + " bytes, inside " +
             ProjectFieldName(field) + " (bytes " + n(2) + " to " + n(3) + ")";
    }
    case Problem::kFaceNameLength:
      return "the face name length " + n(0) + " is outside " + kFaceNameBytesRange.Text();
    case Problem::kGlyphCountTooLarge:
      return "the glyph count " + n(0) + " needs " + n(1) + " bytes but only " + n(2) +
             " remain (the file is truncated or damaged)";
    case Problem::kSheetSide:
      return std::string("the sheet ") + (n(0) == "0" ? "width " : "height ") + n(1) +
             " is outside " + kSheetSideRange.Text();
    case Problem::kFaceNameTooLong:
      return "the face name is " + n(0) + " bytes long; a project file holds at most " +
             std::to_string(kFaceNameBytesRange.max);
    case Problem::kHoldsProject:
      return "it is a GlyphSheet project, which an export does not replace";
    case Problem::kNotRegularFile:
      return "it is " + FileKindName(d) + ", not a regular file";
    case Problem::kCannotTellProject:
      return std::string("cannot tell whether it is a GlyphSheet project (") +
             std::strerror(d.code) + "), so it is not replaced";
    case Problem::kWaitCancelled:
      return "stopped waiting for another GlyphSheet run that is writing it";
    case Problem::kUnnameablePage:
      return UnnameablePageReason(d);
    case Problem::kFieldInBinary:
      return "the binary BMFont form has no record of a distance field (use the text, XML or "
             "JSON form)";
    case Problem::kSheetTooLarge:
      return "a sheet of " + n(0) + " x " + n(1) + " pixels does not fit an image (each side " +
             kSheetSideRange.Text() + ")";
    case Problem::kFaceNotInstalled:
      return "typeface " + Quoted(d.file) + " is not installed";
    case Problem::kStartFreeType:
      return "cannot start FreeType: " + d.reason;
    case Problem::kTrueTypeInterpreter:
      return "cannot select TrueType interpreter " + n(0) + ": " + d.reason;
    case Problem::kUnusableFontFile:
      return "cannot read font file " + Quoted(d.file) + " (face " + n(0) + "): " + d.reason;
    case Problem::kFaceIndex:
      return "font file " + Quoted(d.file) + " holds " + n(0) + " face(s); there is no face " +
             n(1);
    case Problem::kNoOutlines:
      return "font file " + Quoted(d.file) + " (face " + n(0) +
             ") holds no TrueType or OpenType outlines";
    case Problem::kNoFamilyName:
      return "font file " + Quoted(d.file) + " names no family";
    case Problem::kPixelHeight:
      return "pixel height " + n(0) + " is outside " + n(1) + ".." + n(2);
    case Problem::kCannotSize:
      return "font file " + Quoted(d.file) + " cannot be sized to " + n(0) + " pixels: " +
             d.reason;
    case Problem::kExtension:
      return ExtensionReason(d);
    case Problem::kBmFontDescriptor:
      return "it is a BMFont descriptor, not a GlyphSheet project";
    case Problem::kPngImage:
      return "it is a PNG image, not a GlyphSheet project";
  }
  return {};
}

}  // namespace

std::string EnglishReason(const ErrorDetail& d) {
  std::string reason = KindReason(d);
  return d.typeface.empty() ? reason : "typeface " + Quoted(d.typeface) + ": " + reason;
}

std::string EnglishText(const ErrorDetail& d) {
  std::string text;
  switch (d.action) {
    case FileAction::kNone: break;
    case FileAction::kRead: text = "cannot read " + Quoted(d.file) + ": "; break;
    case FileAction::kLoad: text = "cannot load " + Quoted(d.file) + ": "; break;
    case FileAction::kWrite: text = "cannot write " + Quoted(d.file) + ": "; break;
    case FileAction::kFinishExport:
      text = "cannot finish the interrupted export of " + Quoted(d.file) + ": ";
      break;
  }
  text += EnglishReason(d);
  switch (d.undo) {
    case Undo::kNone: break;
    case Undo::kNothingChanged: text += "; nothing was changed"; break;
    case Undo::kImageIsNew:
      text += "; " + Quoted(d.newImage) + " is the new image, " + Quoted(d.file) + " the old";
      break;
  }
  return text;
}

Error MakeError(ErrorDetail detail) {
  std::string message = EnglishText(detail);
  return Error{std::move(message), std::move(detail)};
}

Error FileError(FileAction action, const std::filesystem::path& file, Problem problem,
                std::vector<int64_t> numbers) {
  ErrorDetail detail;
  detail.action = action;
  detail.file = file.string();
  detail.problem = problem;
  detail.numbers = std::move(numbers);
  return MakeError(std::move(detail));
}

Error SystemError(FileAction action, const std::filesystem::path& file, int code,
                  Problem problem) {
  ErrorDetail detail;
  detail.action = action;
  detail.file = file.string();
  detail.problem = problem;
  detail.code = code;
  return MakeError(std::move(detail));
}

Error NotRegularFile(FileAction action, const std::filesystem::path& file, uint32_t mode) {
  const FileKind kind = S_ISDIR(mode)    ? FileKind::kFolder
                        : S_ISFIFO(mode) ? FileKind::kFifo
                        : S_ISCHR(mode)  ? FileKind::kCharacterDevice
                        : S_ISBLK(mode)  ? FileKind::kBlockDevice
                        : S_ISSOCK(mode) ? FileKind::kSocket
                                         : FileKind::kOther;
  return FileError(action, file, Problem::kNotRegularFile, {static_cast<int64_t>(kind)});
}

Error FontError(Problem problem, std::string file, std::vector<int64_t> numbers,
                std::string reason, std::string typeface) {
  ErrorDetail detail;
  detail.file = std::move(file);
  detail.problem = problem;
  detail.numbers = std::move(numbers);
  detail.typeface = std::move(typeface);
  detail.reason = std::move(reason);
  return MakeError(std::move(detail));
}

ErrorDetail FaceNotInstalled(std::string face) {
  ErrorDetail detail;
  detail.file = std::move(face);
  detail.problem = Problem::kFaceNotInstalled;
  return detail;
}

Error ForTypeface(Error error, std::string typeface) {
  if (error.detail.problem == Problem::kOther) {
    // Only the English words tell; they get the name in front.
    error.message = "typeface " + Quoted(typeface) + ": " + error.message;
    return error;
  }
  error.detail.typeface = std::move(typeface);
  return MakeError(std::move(error.detail));
}

}  // namespace glyphsheet
