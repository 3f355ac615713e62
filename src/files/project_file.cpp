#include "files/project_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "files/atomic_file.h"
#include "sheet/error_text.h"
#include "sheet/windows1252.h"

namespace glyphsheet {

namespace {

// Longest face name a project file holds (the reader's buffer is 256 bytes
// with the terminating 0).
constexpr int32_t kMaxFaceNameBytes = kFaceNameBytesRange.max;
// Bytes of one glyph entry: code, left border, right border.
constexpr int64_t kGlyphEntryBytes = 9;

// The extension block that follows the glyph entries when a glyph has no
// Windows-1252 byte. A reader that knows only the fields before it stops
// after the glyph entries and sees the glyphs that have a byte.
//   signature  8 bytes  89 'G' 'S' 'X' 0D 0A 1A 0A
//   version    4        1
//   length L   4        bytes of the body that follows
//   body       L        settings count s, then s × (tag 4, length m 4, m bytes);
//                       glyph count n, then n × (code 4, left border 4, right border 4)
// Settings (each at most once):
//   1  font file   face index 4, then the file's path (m - 4 bytes, no 0 byte)
// A project is written with the block also when all its glyphs have a byte
// but it holds a setting.
//   checksum   4        CRC-32 of every byte from the signature to the body's end
// The glyph list of the body is the whole list, in order, and its entries
// with a Windows-1252 byte are exactly the entries before the block.
constexpr uint8_t kExtensionSignature[8] = {0x89, 'G', 'S', 'X', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr int32_t kExtensionVersion = 1;
// Signature, version and body length.
constexpr int64_t kExtensionHeadBytes = 16;
constexpr int64_t kChecksumBytes = 4;
// Bytes of one glyph of the extension: code, left border, right border.
constexpr int64_t kExtensionGlyphBytes = 12;
// The setting tags of the extension.
constexpr int32_t kFontFileTag = 1;
// The distance-field spread: 4 bytes, within kDistanceSpreadRange; absent
// for a coverage sheet.
constexpr int32_t kDistanceFieldTag = 2;
constexpr int32_t kDistanceFieldBytes = 4;
// Longest font file path a project holds, in bytes (PATH_MAX).
constexpr int64_t kMaxFontFileBytes = 4096;

// CRC-32 as zlib and PNG compute it (reflected polynomial 0xEDB88320).
class Crc32 {
 public:
  void Add(const uint8_t* bytes, size_t count) {
    static const std::array<uint32_t, 256> table = [] {
      std::array<uint32_t, 256> t{};
      for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
      }
      return t;
    }();
    for (size_t i = 0; i < count; ++i) crc_ = table[(crc_ ^ bytes[i]) & 0xFF] ^ (crc_ >> 8);
  }
  uint32_t Value() const { return crc_ ^ 0xFFFFFFFFu; }

 private:
  uint32_t crc_ = 0xFFFFFFFFu;
};

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(bits >> shift));
}

Error ExtensionError(ExtensionDefect defect, std::vector<int64_t> values = {}) {
  values.insert(values.begin(), static_cast<int64_t>(defect));
  return FileError(FileAction::kNone, {}, Problem::kExtension, std::move(values));
}

// Reads fields in order from bytes taken a piece at a time, so a file need
// not be held whole. The first field that does not fit in the bytes left, or
// a failed read, records why; that and every later read yields zeros.
class FieldReader {
 public:
  /// Puts up to `count` next bytes at `to`; returns how many (0 at the end)
  /// or, on failure, minus the errno.
  using Source = std::function<int64_t(uint8_t* to, size_t count)>;

  FieldReader(uint64_t size, Source source) : size_(size), source_(std::move(source)) {}

  uint64_t Remaining() const { return size_ - pos_; }
  /// From now on every byte taken is added to this checksum (none: no longer).
  void Checksum(Crc32* crc) { crc_ = crc; }
  /// Why a read failed; nothing while every read fitted.
  const std::optional<Error>& Failure() const { return failure_; }
  /// The errno of a read that failed, 0 when none did.
  int ReadError() const { return readError_; }

  int32_t Int32(ProjectField field) {
    const uint8_t* bytes = Take(4, field);
    if (bytes == nullptr) return 0;
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return static_cast<int32_t>(bits);
  }

  uint8_t Byte(ProjectField field) {
    const uint8_t* bytes = Take(1, field);
    return bytes != nullptr ? *bytes : 0;
  }

  std::string Text(size_t length, ProjectField field) {
    const uint8_t* bytes = Take(length, field);
    return bytes != nullptr ? std::string(reinterpret_cast<const char*>(bytes), length) : "";
  }

 private:
  // The next `length` bytes, or nullptr when they are not there.
  const uint8_t* Take(size_t length, ProjectField field) {
    if (failure_) return nullptr;
    if (Remaining() < length || !Buffer(length)) {
      if (readError_ == 0) {
        failure_ = FileError(FileAction::kNone, {}, Problem::kTruncated,
                             {static_cast<int64_t>(size_), static_cast<int64_t>(field),
                              static_cast<int64_t>(pos_),
                              static_cast<int64_t>(pos_ + length) - 1});
      }
      return nullptr;
    }
    const uint8_t* bytes = buffer_.data() + start_;
    if (crc_ != nullptr) crc_->Add(bytes, length);
    start_ += length;
    pos_ += length;
    return bytes;
  }

  // Makes `length` bytes stand in the buffer from start_.
  bool Buffer(size_t length) {
    if (end_ - start_ >= length) return true;
    std::copy(buffer_.begin() + static_cast<ptrdiff_t>(start_),
              buffer_.begin() + static_cast<ptrdiff_t>(end_), buffer_.begin());
    end_ -= start_;
    start_ = 0;
    while (end_ < length) {
      const int64_t got = source_(buffer_.data() + end_, buffer_.size() - end_);
      if (got < 0) {
        readError_ = static_cast<int>(-got);
        failure_ = SystemError(FileAction::kNone, {}, readError_);
      }
      if (got <= 0) {
        // The source ended before its size said: the size it really has.
        if (got == 0) size_ = pos_ + end_;
        return false;
      }
      end_ += static_cast<size_t>(got);
    }
    return true;
  }

  uint64_t size_;
  Source source_;
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(size_t{1} << 16);
  size_t start_ = 0;
  size_t end_ = 0;
  uint64_t pos_ = 0;
  std::optional<Error> failure_;
  int readError_ = 0;
  Crc32* crc_ = nullptr;
};

// Side 0 is the width, 1 the height.
Status CheckSheetSide(int32_t value, int side) {
  if (kSheetSideRange.Contains(value)) return Ok();
  return FileError(FileAction::kNone, {}, Problem::kSheetSide, {side, value});
}

}  // namespace

namespace {

// Whether the project stores a distance field (a spread in range).
bool HasField(const ProjectData& project) {
  return kDistanceSpreadRange.Contains(project.font.distanceField);
}

// The settings of the extension, and the bytes they take.
int32_t SettingsCount(const ProjectData& project) {
  return (project.fontFile.empty() ? 0 : 1) + (HasField(project) ? 1 : 0);
}
int64_t SettingsBytes(const ProjectData& project) {
  return (project.fontFile.empty() ? 0 : 12 + static_cast<int64_t>(project.fontFile.size())) +
         (HasField(project) ? 8 + kDistanceFieldBytes : 0);
}

// The extension block of a project's glyph list and settings (see kExtensionSignature).
void PutExtension(std::vector<uint8_t>& out, const ProjectData& project) {
  const GlyphList& glyphs = project.glyphs;
  const size_t start = out.size();
  out.insert(out.end(), std::begin(kExtensionSignature), std::end(kExtensionSignature));
  PutInt32(out, kExtensionVersion);
  PutInt32(out, static_cast<int32_t>(8 + SettingsBytes(project) +
                                     kExtensionGlyphBytes * static_cast<int64_t>(glyphs.size())));
  PutInt32(out, SettingsCount(project));
  if (!project.fontFile.empty()) {
    PutInt32(out, kFontFileTag);
    PutInt32(out, static_cast<int32_t>(4 + project.fontFile.size()));
    PutInt32(out, project.fontFileIndex);
    out.insert(out.end(), project.fontFile.begin(), project.fontFile.end());
  }
  if (HasField(project)) {
    PutInt32(out, kDistanceFieldTag);
    PutInt32(out, kDistanceFieldBytes);
    PutInt32(out, project.font.distanceField);
  }
  PutInt32(out, static_cast<int32_t>(glyphs.size()));
  for (const Glyph glyph : glyphs) {
    PutInt32(out, static_cast<int32_t>(glyph.code));
    PutInt32(out, glyph.leftBorder);
    PutInt32(out, glyph.rightBorder);
  }
  Crc32 crc;
  crc.Add(out.data() + start, out.size() - start);
  PutInt32(out, static_cast<int32_t>(crc.Value()));
}

}  // namespace

std::vector<uint8_t> EncodeProject(const ProjectData& project) {
  const FontSettings& font = project.font;
  std::vector<uint8_t> out;
  size_t bytesOnly = 0;
  for (const Glyph glyph : project.glyphs) bytesOnly += UnicodeToWindows1252(glyph.code) ? 1 : 0;
  const bool extended = bytesOnly < project.glyphs.size() || SettingsCount(project) > 0;
  out.reserve(53 + font.faceName.size() + kGlyphEntryBytes * bytesOnly +
              (extended ? kExtensionHeadBytes + 8 + SettingsBytes(project) +
                              kExtensionGlyphBytes * project.glyphs.size() + kChecksumBytes
                        : 0));
  for (int32_t value :
       {project.sheetWidth, project.sheetHeight, project.borders.left, project.borders.top,
        project.borders.right, project.borders.bottom, font.pointSize, font.weight, font.quality,
        font.smoothing, font.italic, static_cast<int32_t>(font.faceName.size())}) {
    PutInt32(out, value);
  }
  out.insert(out.end(), font.faceName.begin(), font.faceName.end());
  out.push_back(0);
  PutInt32(out, static_cast<int32_t>(bytesOnly));
  for (const Glyph glyph : project.glyphs) {
    const std::optional<uint8_t> byte = UnicodeToWindows1252(glyph.code);
    if (!byte) continue;
    out.push_back(*byte);
    PutInt32(out, glyph.leftBorder);
    PutInt32(out, glyph.rightBorder);
  }
  if (extended) PutExtension(out, project);
  return out;
}

namespace {

// Reads the extension block after the glyph entries, if the file has one,
// into project.glyphs; the entries read before must be its Windows-1252 part.
Status DecodeExtension(FieldReader& in, ProjectData& project) {
  const uint64_t left = in.Remaining();
  if (left == 0) return Ok();
  Crc32 crc;
  in.Checksum(&crc);
  const size_t signatureBytes = static_cast<size_t>(std::min<uint64_t>(left, 8));
  const std::string signature = in.Text(signatureBytes, ProjectField::kGlyphCount);
  // Other bytes after the glyph list are not GlyphSheet's, and are ignored.
  if (!std::equal(signature.begin(), signature.end(), std::begin(kExtensionSignature),
                  [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; })) {
    return Ok();
  }
  const auto cutShort = [left](int64_t needs) {
    return ExtensionError(ExtensionDefect::kCutShort, {needs, static_cast<int64_t>(left)});
  };
  if (left < static_cast<uint64_t>(kExtensionHeadBytes + kChecksumBytes)) {
    return cutShort(kExtensionHeadBytes + kChecksumBytes);
  }
  const int32_t version = in.Int32(ProjectField::kGlyphCount);
  const auto bodyBytes = static_cast<uint32_t>(in.Int32(ProjectField::kGlyphCount));
  if (version != kExtensionVersion) return ExtensionError(ExtensionDefect::kVersion, {version});
  const int64_t blockBytes = kExtensionHeadBytes + int64_t{bodyBytes} + kChecksumBytes;
  if (static_cast<uint64_t>(blockBytes) > left) return cutShort(blockBytes);
  if (static_cast<uint64_t>(blockBytes) < left) {
    return ExtensionError(ExtensionDefect::kTrailing, {static_cast<int64_t>(left) - blockBytes});
  }
  // The body: every count is checked against the bytes it has before it is used.
  int64_t bodyLeft = bodyBytes;
  const auto take = [&bodyLeft](int64_t bytes) { return (bodyLeft -= bytes) >= 0; };
  if (!take(4)) return ExtensionError(ExtensionDefect::kLengths);
  const int32_t settings = in.Int32(ProjectField::kGlyphCount);
  if (settings < 0) return ExtensionError(ExtensionDefect::kLengths);
  std::string fontFile;
  int32_t fontFileIndex = 0;
  int32_t spread = 0;
  // Each known setting at most once.
  bool seen[kDistanceFieldTag + 1] = {};
  for (int32_t i = 0; i < settings; ++i) {
    if (!take(4)) return ExtensionError(ExtensionDefect::kLengths);
    const int32_t tag = in.Int32(ProjectField::kGlyphCount);
    if (tag < kFontFileTag || tag > kDistanceFieldTag) {
      return ExtensionError(ExtensionDefect::kSetting, {tag});
    }
    if (std::exchange(seen[tag], true)) return ExtensionError(ExtensionDefect::kLengths);
    if (!take(4)) return ExtensionError(ExtensionDefect::kLengths);
    const int32_t length = in.Int32(ProjectField::kGlyphCount);
    if (tag == kDistanceFieldTag) {
      if (length != kDistanceFieldBytes || !take(length)) {
        return ExtensionError(ExtensionDefect::kLengths);
      }
      spread = in.Int32(ProjectField::kGlyphCount);
      if (!kDistanceSpreadRange.Contains(spread)) {
        return ExtensionError(ExtensionDefect::kSpread, {spread});
      }
      continue;
    }
    if (length <= 4 || length > 4 + kMaxFontFileBytes || !take(length)) {
      return ExtensionError(ExtensionDefect::kLengths);
    }
    fontFileIndex = in.Int32(ProjectField::kGlyphCount);
    fontFile = in.Text(static_cast<size_t>(length - 4), ProjectField::kGlyphCount);
    if (fontFile.find('\0') != std::string::npos || fontFileIndex < 0) {
      return ExtensionError(ExtensionDefect::kLengths);
    }
  }
  if (!take(4)) return ExtensionError(ExtensionDefect::kLengths);
  const int32_t count = in.Int32(ProjectField::kGlyphCount);
  if (count < 0 || bodyLeft != kExtensionGlyphBytes * count) {
    return ExtensionError(ExtensionDefect::kLengths);
  }
  GlyphList glyphs;
  glyphs.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const auto code = static_cast<uint32_t>(in.Int32(ProjectField::kGlyphCode));
    Glyph glyph;
    glyph.leftBorder = in.Int32(ProjectField::kGlyphLeftBorder);
    glyph.rightBorder = in.Int32(ProjectField::kGlyphRightBorder);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return ExtensionError(ExtensionDefect::kCode, {int64_t{i} + 1, int64_t{code}});
    }
    glyph.code = static_cast<char32_t>(code);
    glyphs.push_back(glyph);
  }
  in.Checksum(nullptr);
  const auto stored = static_cast<uint32_t>(in.Int32(ProjectField::kGlyphCount));
  if (in.Failure()) return *in.Failure();
  if (stored != crc.Value()) return ExtensionError(ExtensionDefect::kChecksum);
  // The entries before the block are the glyphs with a Windows-1252 byte, in order.
  size_t before = 0;
  for (const Glyph glyph : glyphs) {
    if (!UnicodeToWindows1252(glyph.code)) continue;
    if (before == project.glyphs.size() || project.glyphs[before] != glyph) {
      return ExtensionError(ExtensionDefect::kMismatch);
    }
    ++before;
  }
  if (before != project.glyphs.size()) return ExtensionError(ExtensionDefect::kMismatch);
  project.glyphs = std::move(glyphs);
  project.fontFile = std::move(fontFile);
  project.fontFileIndex = fontFileIndex;
  project.font.distanceField = spread;
  return Ok();
}

Result<ProjectData> DecodeFields(FieldReader& in) {
  ProjectData project;
  project.sheetWidth = in.Int32(ProjectField::kSheetWidth);
  project.sheetHeight = in.Int32(ProjectField::kSheetHeight);
  if (in.Failure()) return *in.Failure();
  if (auto ok = CheckSheetSide(project.sheetWidth, 0); !ok) return ok.failure();
  if (auto ok = CheckSheetSide(project.sheetHeight, 1); !ok) return ok.failure();
  project.borders.left = in.Int32(ProjectField::kLeftBorder);
  project.borders.top = in.Int32(ProjectField::kTopBorder);
  project.borders.right = in.Int32(ProjectField::kRightBorder);
  project.borders.bottom = in.Int32(ProjectField::kBottomBorder);
  FontSettings& font = project.font;
  font.pointSize = in.Int32(ProjectField::kPointSize);
  font.weight = in.Int32(ProjectField::kWeight);
  font.quality = in.Int32(ProjectField::kQuality);
  font.smoothing = in.Int32(ProjectField::kSmoothing);
  font.italic = in.Int32(ProjectField::kItalic);
  const int32_t nameLength = in.Int32(ProjectField::kFaceNameLength);
  if (in.Failure()) return *in.Failure();
  if (nameLength < 0 || nameLength > kMaxFaceNameBytes) {
    return FileError(FileAction::kNone, {}, Problem::kFaceNameLength, {nameLength});
  }
  font.faceName = in.Text(static_cast<size_t>(nameLength), ProjectField::kFaceName);
  in.Byte(ProjectField::kFaceNameEnd);
  const int32_t count = in.Int32(ProjectField::kGlyphCount);
  if (in.Failure()) return *in.Failure();
  if (count > 0 && static_cast<int64_t>(in.Remaining()) < kGlyphEntryBytes * count) {
    return FileError(FileAction::kNone, {}, Problem::kGlyphCountTooLarge,
                     {count, kGlyphEntryBytes * count, static_cast<int64_t>(in.Remaining())});
  }
  if (count > 0) project.glyphs.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    Glyph glyph;
    glyph.code = Windows1252ToUnicode(in.Byte(ProjectField::kGlyphCode));
    glyph.leftBorder = in.Int32(ProjectField::kGlyphLeftBorder);
    glyph.rightBorder = in.Int32(ProjectField::kGlyphRightBorder);
    project.glyphs.push_back(glyph);
  }
  // A source that ended early or failed while the glyphs were read.
  if (in.Failure()) return *in.Failure();
  if (Status extension = DecodeExtension(in, project); !extension) return extension.failure();
  return project;
}

}  // namespace

Result<ProjectData> DecodeProject(std::span<const uint8_t> bytes) {
  size_t taken = 0;
  FieldReader in(bytes.size(), [bytes, &taken](uint8_t* to, size_t count) {
    count = std::min(count, bytes.size() - taken);
    std::copy_n(bytes.data() + taken, count, to);
    taken += count;
    return static_cast<int64_t>(count);
  });
  return DecodeFields(in);
}

namespace {

// Bytes from a file's start that tell what it is when it is not a project.
constexpr size_t kHeadBytes = 512;

// What the first bytes of a file that is not a project show it to be: a
// BMFont descriptor in any of its forms, or a PNG image. None of these can
// start a project (their first four bytes are no sheet width).
std::optional<Problem> ForeignFileKind(std::span<const uint8_t> bytes) {
  std::string_view head(reinterpret_cast<const char*>(bytes.data()),
                        std::min(bytes.size(), kHeadBytes));
  if (head.starts_with("\x89PNG\r\n\x1A\n")) return Problem::kPngImage;
  if (head.starts_with(std::string_view("BMF\x03", 4))) return Problem::kBmFontDescriptor;
  // The textual forms: after a UTF-8 byte-order mark and blank space,
  // text lines ("info face=..."), XML (<font> and then <info>) or a JSON
  // object with the loaders' keys.
  if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
  head.remove_prefix(std::min(head.find_first_not_of(" \t\r\n"), head.size()));
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  if (head.size() > 4 && head.starts_with("info") && blank(head[4])) {
    return Problem::kBmFontDescriptor;
  }
  if (head.starts_with("<?xml")) {
    const size_t font = head.find("<font");
    const size_t after = font == std::string_view::npos ? font : font + 5;
    if (after < head.size() && (head[after] == '>' || blank(head[after])) &&
        head.find("<info", after) != std::string_view::npos) {
      return Problem::kBmFontDescriptor;
    }
  }
  if (head.starts_with("{")) {
    for (const std::string_view key : {"\"pages\"", "\"chars\"", "\"info\""}) {
      size_t at = head.find(key);
      if (at == std::string_view::npos) continue;
      at = head.find_first_not_of(" \t\r\n", at + key.size());
      if (at != std::string_view::npos && head[at] == ':') return Problem::kBmFontDescriptor;
    }
  }
  return std::nullopt;
}

// Why a file is not a project: what its first bytes show it to be, if they
// do, else the decoder's reason.
Error NotAProject(const Error& why, std::span<const uint8_t> head) {
  if (const std::optional<Problem> kind = ForeignFileKind(head)) {
    return FileError(FileAction::kNone, {}, *kind);
  }
  return why;
}

// The first bytes of an open file, read apart from its reading position;
// none when they cannot be read.
std::vector<uint8_t> FileHead(int fd) {
  std::vector<uint8_t> head(kHeadBytes);
  ssize_t got = 0;
  do {
    got = ::pread(fd, head.data(), head.size(), 0);
  } while (got < 0 && errno == EINTR);
  head.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return head;
}

}  // namespace

Result<ProjectData> ReadProjectFile(const std::filesystem::path& path) {
  // The project's own fault, named with the file.
  const auto cannotLoad = [&path](const Error& why) {
    ErrorDetail detail = why.detail;
    detail.action = FileAction::kLoad;
    detail.file = path.string();
    return MakeError(std::move(detail));
  };
  // Only a regular file is read, and opening it never waits (a FIFO would).
  const auto opened = OpenRegularFile(path);
  if (!opened) return opened.failure();
  const int fd = opened.value();
  struct stat info {};
  if (::fstat(fd, &info) != 0 || info.st_size == 0 ||
      static_cast<uint64_t>(info.st_size) > kMaxReadBytes) {
    // A file of unknown size (files of /proc say 0), or too large: read
    // whole, as far as the limit, so the messages are those of any other read.
    ::close(fd);
    auto bytes = ReadFileBytes(path);
    if (!bytes) return bytes.failure();
    auto project = DecodeProject(bytes.value());
    if (!project) return cannotLoad(NotAProject(project.failure(), bytes.value()));
    return project;
  }
  // A plain file is read a piece at a time: a project of millions of glyphs
  // is never held twice.
  FieldReader in(static_cast<uint64_t>(info.st_size), [fd](uint8_t* to, size_t count) {
    for (;;) {
      const ssize_t got = ::read(fd, to, count);
      if (got >= 0) return static_cast<int64_t>(got);
      if (errno != EINTR) return -static_cast<int64_t>(errno);
    }
  });
  auto project = DecodeFields(in);
  const std::vector<uint8_t> head = project ? std::vector<uint8_t>() : FileHead(fd);
  ::close(fd);
  if (in.ReadError() != 0) {
    return SystemError(FileAction::kRead, path, in.ReadError());
  }
  if (!project) return cannotLoad(NotAProject(project.failure(), head));
  return project;
}

Status WriteProjectFile(const std::filesystem::path& path, const ProjectData& project,
                        const LockWaiting& waiting) {
  if (project.font.faceName.size() > static_cast<size_t>(kMaxFaceNameBytes)) {
    return FileError(FileAction::kWrite, path, Problem::kFaceNameTooLong,
                     {static_cast<int64_t>(project.font.faceName.size())});
  }
  // An export to the same name checks for a project under this lock, so the
  // project is never written between that check and the export's renames.
  auto lock = OutputLock::Take(path, waiting);
  if (!lock) return lock.failure();
  return WriteFileAtomically(path, EncodeProject(project));
}

ProjectData ProjectFromDocument(const SheetDocument& doc) {
  ProjectData project;
  project.sheetWidth = doc.sheetWidth;
  project.sheetHeight = doc.sheetHeight;
  project.borders = doc.borders;
  project.font = doc.font;
  project.font.pointSize = kPointSizeRange.Clamp(doc.font.pointSize);
  project.glyphs = doc.glyphs;
  return project;
}

ApplyOutcome ApplyProject(ProjectData project, SheetDocument& doc,
                          const std::vector<std::string>& typefaces) {
  ApplyOutcome outcome;
  doc.sheetWidth = project.sheetWidth;
  doc.sheetHeight = project.sheetHeight;
  for (auto side : {&CellBorders::left, &CellBorders::top, &CellBorders::right,
                    &CellBorders::bottom}) {
    if (TakeClamped(project.borders.*side, kBorderRange, doc.borders.*side) != LoadTake::kTaken) {
      outcome.borders = LoadTake::kClamped;
    }
  }
  const FontSettings& stored = project.font;
  FontSettings& font = doc.font;
  outcome.pointSize = TakeClamped(stored.pointSize, kPointSizeRange, font.pointSize);
  outcome.weight = TakeChoice(stored.weight, kWeightChoices, font.weight);
  outcome.quality = TakeChoice(stored.quality, kQualityChoices, font.quality);
  outcome.smoothing = TakeInRange(stored.smoothing, kSmoothingRange, font.smoothing);
  font.italic = stored.italic != 0 ? 1 : 0;
  font.distanceField = kDistanceSpreadRange.Contains(stored.distanceField) ? stored.distanceField : 0;
  doc.glyphs = std::move(project.glyphs);
  if (auto face = FindTypeface(stored.faceName, typefaces)) {
    font.faceName = *face;
  } else {
    outcome.face = LoadTake::kKept;
  }
  return outcome;
}

}  // namespace glyphsheet
