#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/result.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// The two files an export wrote.
struct ExportedFiles {
  std::filesystem::path image;
  std::filesystem::path descriptor;
};

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

/// Writes the sheet image (chosen name with ".tga") and the glyph descriptor
/// (with ".xml") from the sheet bitmap as the last rebuild left it, as a
/// pair: both are written and flushed before either replaces an existing
/// file, and a commit record beside them, until both are replaced, lets the
/// next export to the name finish a commit that was cut short. A failure
/// leaves the old pair (a failed second replace puts the old image back);
/// the message names the file and the reason. Exports to one name take
/// turns, and Ctrl-C and the like are held off between the two replaces.
Result<ExportedFiles> ExportSheetFiles(const std::filesystem::path& chosen,
                                       const PixelBitmap& sheetBitmap, const SheetDocument& doc,
                                       const RasterFont* font,
                                       const ExportObserver& observer = {});

}  // namespace glyphsheet
