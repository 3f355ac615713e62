#include "files/project_file.h"

#include <string>

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

// Reads fields in order. The first field that does not fit in the bytes
// left records why; that and every later read yields zeros.
class FieldReader {
 public:
  explicit FieldReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Remaining() const { return bytes_.size() - pos_; }
  /// Why a read failed; empty while every read fitted.
  const std::string& Failure() const { return failure_; }

  int32_t Int32(const char* field) {
    if (!Take(4, field)) return 0;
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes_[pos_ - 4 + i]) << (8 * i);
    return static_cast<int32_t>(bits);
  }

  uint8_t Byte(const char* field) { return Take(1, field) ? bytes_[pos_ - 1] : 0; }

  std::string Text(size_t length, const char* field) {
    if (!Take(length, field)) return {};
    return std::string(reinterpret_cast<const char*>(bytes_.data() + pos_ - length), length);
  }

 private:
  bool Take(size_t length, const char* field) {
    if (!failure_.empty()) return false;
    if (Remaining() < length) {
      failure_ = "the file is truncated: it ends after " + std::to_string(bytes_.size()) +
                 " bytes, inside " + field + " (bytes " + std::to_string(pos_) + " to " +
                 std::to_string(pos_ + length - 1) + ")";
      return false;
    }
    pos_ += length;
    return true;
  }

  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
  std::string failure_;
};

// The stored part of glyph records (code and borders); cell fields are zero.
GlyphList StoredGlyphFields(const GlyphList& glyphs) {
  GlyphList stored;
  stored.reserve(glyphs.size());
  for (const GlyphRecord& glyph : glyphs) {
    GlyphRecord record;
    record.code = glyph.code;
    record.leftBorder = glyph.leftBorder;
    record.rightBorder = glyph.rightBorder;
    stored.push_back(record);
  }
  return stored;
}

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
  for (const GlyphRecord& glyph : project.glyphs) {
    out.push_back(glyph.code);
    PutInt32(out, glyph.leftBorder);
    PutInt32(out, glyph.rightBorder);
  }
  return out;
}

Result<ProjectData> DecodeProject(std::span<const uint8_t> bytes) {
  FieldReader in(bytes);
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
    GlyphRecord glyph;
    glyph.code = in.Byte("a glyph code");
    glyph.leftBorder = in.Int32("a glyph's left border");
    glyph.rightBorder = in.Int32("a glyph's right border");
    project.glyphs.push_back(glyph);
  }
  return project;
}

Result<ProjectData> ReadProjectFile(const std::filesystem::path& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes) return Error{bytes.error()};
  auto project = DecodeProject(bytes.value());
  if (!project) return Error{"cannot load \"" + path.string() + "\": " + project.error()};
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
  project.glyphs = StoredGlyphFields(doc.glyphs);
  return project;
}

ApplyOutcome ApplyProject(const ProjectData& project, SheetDocument& doc,
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
  doc.glyphs = StoredGlyphFields(project.glyphs);
  if (auto face = FindTypeface(stored.faceName, typefaces)) {
    font.faceName = *face;
  } else {
    outcome.face = LoadTake::kKept;
  }
  return outcome;
}

}  // namespace glyphsheet
