#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sheet/result.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Every field of a project file, exactly as stored.
struct ProjectData {
  int32_t sheetWidth = 256;
  int32_t sheetHeight = 256;
  CellBorders borders;
  int32_t pointSize = 11;
  int32_t weight = 400;
  int32_t quality = kQualityAntialiased;
  int32_t smoothing = 1;
  int32_t italic = 0;
  /// The stored name bytes (UTF-8 when written by this program).
  std::string faceName;
  /// Code and the two borders of each glyph, in order; duplicates kept.
  std::vector<GlyphRecord> glyphs;
};

/// The project file bytes: little-endian 32-bit fields, no padding,
/// 53 + name length + 9 × glyph count bytes.
std::vector<uint8_t> EncodeProject(const ProjectData& project);

/// Parses project file bytes. Fails, naming what is wrong, when the bytes
/// end early, the name length is outside 0..255, the glyph count needs more
/// bytes than remain, or a sheet side is outside 1..65535. A glyph count of
/// 0 or less reads no glyphs; bytes after the last glyph are ignored.
Result<ProjectData> DecodeProject(std::span<const uint8_t> bytes);

/// Reads and checks a whole project file; messages name the file.
Result<ProjectData> ReadProjectFile(const std::filesystem::path& path);

/// Writes a project file atomically; on failure an existing file is unchanged.
Status WriteProjectFile(const std::filesystem::path& path, const ProjectData& project);

/// The project of a document: its size, borders, font settings and glyphs.
ProjectData ProjectFromDocument(const SheetDocument& doc);

/// How a loaded project was taken into a document.
struct ApplyOutcome {
  /// False when the stored face is not among the installed typefaces; the
  /// document then keeps its face.
  bool faceFound = false;
};

/// The typeface of the list equal to name without regard to letter case, if any.
std::optional<std::string> FindTypeface(const std::string& name,
                                        const std::vector<std::string>& typefaces);

/// Takes a loaded project into a document as the dialog's controls would:
/// sheet size, per-glyph borders and the glyph list as stored; font-wide
/// borders clamped to 0..16 and point size to 5..100; weight, quality and
/// smoothing only when they match a choice (else the document's stay);
/// italic set when non-zero; the face replaced by the installed typeface equal
/// to it without regard to case, if any.
ApplyOutcome ApplyProject(const ProjectData& project, SheetDocument& doc,
                          const std::vector<std::string>& typefaces);

}  // namespace glyphsheet
