#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/result.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// What an export writes: the sheet image and its descriptor.
enum class SheetFormat {
  /// NAME.tga and the glyph table NAME.xml (cells and A/B/C spacing).
  kTgaXml,
  /// NAME.png and an AngelCode BMFont descriptor: text NAME.fnt, XML
  /// NAME.xml, binary NAME.fnt or JSON NAME.json.
  kBmFontText,
  kBmFontXml,
  kBmFontBinary,
  kBmFontJson,
};

/// How an export is made.
struct ExportOptions {
  SheetFormat format = SheetFormat::kTgaXml;
  /// BMFont descriptors: list the font's kerning pairs.
  bool kerning = true;
  /// A BMFont ".fnt" descriptor may replace a file that reads as a project
  /// (without it, such a file is never replaced).
  bool replaceProject = false;
};

/// The two files an export wrote.
struct ExportedFiles {
  std::filesystem::path image;
  std::filesystem::path descriptor;
};

/// The files an export to `chosen` in the format writes.
ExportedFiles ExportNames(const std::filesystem::path& chosen, SheetFormat format);

/// Where an export's commit stands (for tests that cut it short there).
enum class CommitStep {
  kRecordWritten,  ///< both files and the commit record are on disk, nothing replaced
  kImageReplaced,  ///< the image is replaced, the descriptor not yet
};

/// What an export tells and where tests may stop it.
struct ExportObserver {
  /// Told, one line each, when the export waits for another to the same
  /// name, and when it finishes one that was cut short.
  std::function<void(const std::string&)> notify;
  /// Called at each step of the commit.
  std::function<void(CommitStep)> atStep;
};

/// Writes the sheet image and its descriptor in the options' format (the
/// chosen name with their extensions) from the document as last laid out
/// (its cells drawn row by row, no sheet bitmap needed), as a pair: both are written and flushed before either replaces an existing
/// file, and a commit record beside them, until both are replaced, lets the
/// next export to the name finish a commit that was cut short. A failure
/// leaves the old pair (a failed second replace puts the old image back);
/// the message names the file and the reason. Exports to one name take
/// turns, and Ctrl-C and the like are held off between the two replaces.
Result<ExportedFiles> ExportSheetFiles(const std::filesystem::path& chosen,
                                       const SheetDocument& doc, const RasterFont* font,
                                       const ExportOptions& options = {},
                                       const ExportObserver& observer = {});

}  // namespace glyphsheet
