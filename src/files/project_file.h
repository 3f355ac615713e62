#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "files/output_lock.h"
#include "sheet/result.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Every field of a project file, exactly as stored.
struct ProjectData {
  int32_t sheetWidth = 256;
  int32_t sheetHeight = 256;
  CellBorders borders;
  /// The font fields; faceName holds the stored name bytes (UTF-8 when
  /// written by this program).
  FontSettings font;
  /// Code (a Unicode character) and the two borders of each glyph, in
  /// order; duplicates kept.
  GlyphList glyphs;
  /// The font file whose typeface the project uses instead of an installed
  /// one (its path, and the face in it), when it names one.
  std::string fontFile;
  int32_t fontFileIndex = 0;
};

/// The project file bytes: little-endian 32-bit fields, no padding,
/// 53 + name length + 9 × glyph count bytes, each glyph's code its
/// Windows-1252 byte. When a glyph has no such byte, only those that have
/// one are in the glyph entries, and an extension block with the whole glyph
/// list follows them.
std::vector<uint8_t> EncodeProject(const ProjectData& project);

/// Parses project file bytes. Fails, naming what is wrong, when the bytes
/// end early, the name length is outside 0..255, the glyph count needs more
/// bytes than remain, or a sheet side is outside 1..65535. A glyph count of
/// 0 or less reads no glyphs. After the last glyph entry, an extension block
/// (known by its signature) replaces the glyph list with its own, and is
/// checked as strictly: its lengths, version, codes, checksum and that the
/// entries before it are its Windows-1252 part. Other bytes there are ignored.
Result<ProjectData> DecodeProject(std::span<const uint8_t> bytes);

/// Reads and checks a whole project file; messages name the file. A plain
/// file is read a piece at a time, so memory holds only the decoded project.
/// A file that fails as a project and whose first bytes show it to be a
/// BMFont descriptor (any form) or a PNG image fails as that instead.
Result<ProjectData> ReadProjectFile(const std::filesystem::path& path);

/// Writes a project file atomically, under the lock exports to the same name
/// take (`waiting` says what to do while another holds it); on failure an
/// existing file is unchanged.
Status WriteProjectFile(const std::filesystem::path& path, const ProjectData& project,
                        const LockWaiting& waiting = {});

/// The project of a document: its size, borders, font settings and glyphs.
ProjectData ProjectFromDocument(const SheetDocument& doc);

/// What loading a project did with each stored value (see LoadTake).
struct ApplyOutcome {
  /// kClamped when any font-wide border was held to kBorderRange.
  LoadTake borders = LoadTake::kTaken;
  LoadTake pointSize = LoadTake::kTaken;
  LoadTake weight = LoadTake::kTaken;
  LoadTake quality = LoadTake::kTaken;
  LoadTake smoothing = LoadTake::kTaken;
  /// kKept when the stored face is not among the installed typefaces; the
  /// document then keeps its face.
  LoadTake face = LoadTake::kTaken;
};

/// Takes a loaded project into a document as the dialog's controls would:
/// sheet size, per-glyph borders and the glyph list as stored; font-wide
/// borders and point size held to their ranges; weight, quality and smoothing
/// only when they are choices (else the document's stay); italic set when
/// non-zero; the face replaced by the installed typeface equal to it without
/// regard to case, if any.
ApplyOutcome ApplyProject(ProjectData project, SheetDocument& doc,
                          const std::vector<std::string>& typefaces);

}  // namespace glyphsheet
