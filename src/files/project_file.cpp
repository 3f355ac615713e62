#include "files/project_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "files/atomic_file.h"

namespace glyphsheet {

namespace {

// Longest face name a project file holds (the reader's buffer is 256 bytes
// with the terminating 0).
constexpr int32_t kMaxFaceNameBytes = 255;
// Bytes of one glyph entry: code, left border, right border.
constexpr int64_t kGlyphEntryBytes = 9;

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(bits >> shift));
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
  /// Why a read failed; empty while every read fitted.
  const std::string& Failure() const { return failure_; }
  /// The errno of a read that failed, 0 when none did.
  int ReadError() const { return readError_; }

  int32_t Int32(const char* field) {
    const uint8_t* bytes = Take(4, field);
    if (bytes == nullptr) return 0;
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return static_cast<int32_t>(bits);
  }

  uint8_t Byte(const char* field) {
    const uint8_t* bytes = Take(1, field);
    return bytes != nullptr ? *bytes : 0;
  }

  std::string Text(size_t length, const char* field) {
    const uint8_t* bytes = Take(length, field);
    return bytes != nullptr ? std::string(reinterpret_cast<const char*>(bytes), length) : "";
  }

 private:
  // The next `length` bytes, or nullptr when they are not there.
  const uint8_t* Take(size_t length, const char* field) {
    if (!failure_.empty()) return nullptr;
    if (Remaining() < length || !Buffer(length)) {
      if (readError_ == 0) {
        failure_ = "the file is truncated: it ends after " + std::to_string(size_) +
                   " bytes, inside " + field + " (bytes " + std::to_string(pos_) + " to " +
                   std::to_string(pos_ + length - 1) + ")";
      }
      return nullptr;
    }
    const uint8_t* bytes = buffer_.data() + start_;
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
        failure_ = std::strerror(readError_);
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
  std::string failure_;
  int readError_ = 0;
};

Status CheckSheetSide(int32_t value, const char* side) {
  if (kSheetSideRange.Contains(value)) return Ok();
  return Error{std::string("the sheet ") + side + " " + std::to_string(value) + " is outside " +
               kSheetSideRange.Text()};
}

}  // namespace

std::vector<uint8_t> EncodeProject(const ProjectData& project) {
  const FontSettings& font = project.font;
  std::vector<uint8_t> out;
  out.reserve(53 + font.faceName.size() + kGlyphEntryBytes * project.glyphs.size());
  for (int32_t value :
       {project.sheetWidth, project.sheetHeight, project.borders.left, project.borders.top,
        project.borders.right, project.borders.bottom, font.pointSize, font.weight, font.quality,
        font.smoothing, font.italic, static_cast<int32_t>(font.faceName.size())}) {
    PutInt32(out, value);
  }
  out.insert(out.end(), font.faceName.begin(), font.faceName.end());
  out.push_back(0);
  PutInt32(out, static_cast<int32_t>(project.glyphs.size()));
  for (const Glyph glyph : project.glyphs) {
    out.push_back(glyph.code);
    PutInt32(out, glyph.leftBorder);
    PutInt32(out, glyph.rightBorder);
  }
  return out;
}

namespace {

Result<ProjectData> DecodeFields(FieldReader& in) {
  ProjectData project;
  project.sheetWidth = in.Int32("the sheet width");
  project.sheetHeight = in.Int32("the sheet height");
  if (!in.Failure().empty()) return Error{in.Failure()};
  if (auto ok = CheckSheetSide(project.sheetWidth, "width"); !ok) return Error{ok.error()};
  if (auto ok = CheckSheetSide(project.sheetHeight, "height"); !ok) return Error{ok.error()};
  project.borders.left = in.Int32("the left border");
  project.borders.top = in.Int32("the top border");
  project.borders.right = in.Int32("the right border");
  project.borders.bottom = in.Int32("the bottom border");
  FontSettings& font = project.font;
  font.pointSize = in.Int32("the point size");
  font.weight = in.Int32("the weight");
  font.quality = in.Int32("the quality");
  font.smoothing = in.Int32("the smoothing factor");
  font.italic = in.Int32("the italic flag");
  const int32_t nameLength = in.Int32("the face name length");
  if (!in.Failure().empty()) return Error{in.Failure()};
  if (nameLength < 0 || nameLength > kMaxFaceNameBytes) {
    return Error{"the face name length " + std::to_string(nameLength) + " is outside 0..255"};
  }
  font.faceName = in.Text(static_cast<size_t>(nameLength), "the face name");
  in.Byte("the 0 byte after the face name");
  const int32_t count = in.Int32("the glyph count");
  if (!in.Failure().empty()) return Error{in.Failure()};
  if (count > 0 && static_cast<int64_t>(in.Remaining()) < kGlyphEntryBytes * count) {
    return Error{"the glyph count " + std::to_string(count) + " needs " +
                 std::to_string(kGlyphEntryBytes * count) + " bytes but only " +
                 std::to_string(in.Remaining()) +
                 " remain (the file is truncated or damaged)"};
  }
  if (count > 0) project.glyphs.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    Glyph glyph;
    glyph.code = in.Byte("a glyph code");
    glyph.leftBorder = in.Int32("a glyph's left border");
    glyph.rightBorder = in.Int32("a glyph's right border");
    project.glyphs.push_back(glyph);
  }
  // A source that ended early or failed while the glyphs were read.
  if (!in.Failure().empty()) return Error{in.Failure()};
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

Result<ProjectData> ReadProjectFile(const std::filesystem::path& path) {
  const auto cannotLoad = [&path](const std::string& why) {
    return Error{"cannot load \"" + path.string() + "\": " + why};
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0 ||
      static_cast<uint64_t>(info.st_size) > kMaxReadBytes) {
    // Not a plain file of known size (files of /proc say 0), or too large:
    // read whole, as far as the limit, so the messages are those of any
    // other read.
    if (fd >= 0) ::close(fd);
    auto bytes = ReadFileBytes(path);
    if (!bytes) return Error{bytes.error()};
    auto project = DecodeProject(bytes.value());
    if (!project) return cannotLoad(project.error());
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
  ::close(fd);
  if (in.ReadError() != 0) {
    return Error{"cannot read \"" + path.string() + "\": " + std::strerror(in.ReadError())};
  }
  if (!project) return cannotLoad(project.error());
  return project;
}

Status WriteProjectFile(const std::filesystem::path& path, const ProjectData& project) {
  if (project.font.faceName.size() > static_cast<size_t>(kMaxFaceNameBytes)) {
    return Error{"cannot write \"" + path.string() + "\": the face name is " +
                 std::to_string(project.font.faceName.size()) +
                 " bytes long; a project file holds at most 255"};
  }
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
  doc.glyphs = std::move(project.glyphs);
  if (auto face = FindTypeface(stored.faceName, typefaces)) {
    font.faceName = *face;
  } else {
    outcome.face = LoadTake::kKept;
  }
  return outcome;
}

}  // namespace glyphsheet
