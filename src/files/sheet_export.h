#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "files/output_lock.h"
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
  /// An output may replace a file that reads as a project, or one that
  /// cannot be read to tell (without it, such a file is never replaced).
  bool replaceProject = false;
};

/// The files an export wrote: its page images, in page order, and the descriptor.
struct ExportedFiles {
  std::vector<std::filesystem::path> images;
  std::filesystem::path descriptor;
};

/// The files an export to `chosen` in the format writes: NAME.png for one
/// page, else NAME_0.png, NAME_1.png, … (numbers of one width, NAME_00.png
/// from ten pages on, so every name is as long; BMFont's binary form needs
/// that); the TGA is always one image.
ExportedFiles ExportNames(const std::filesystem::path& chosen, SheetFormat format,
                          int32_t pages = 1);

/// Where an export's commit stands (for tests that cut it short there).
enum class CommitStep {
  kRecordWritten,  ///< every file and the commit record are on disk, nothing replaced
  kImageReplaced,  ///< the first image is replaced, the rest not yet
};

/// What an export tells and where tests may stop it.
struct ExportObserver {
  /// Told, one line each, when the export waits for another to the same
  /// name, and when it finishes one that was cut short.
  std::function<void(const std::string&)> notify;
  /// What to do, besides telling, while another writer of the name holds
  /// the lock (the window shows that it waits and lets the user stop).
  LockWaiting waiting;
  /// Called at each step of the commit.
  std::function<void(CommitStep)> atStep;
};

/// Writes the sheet images and the descriptor in the options' format (the
/// chosen name with their extensions) from the document as last laid out
/// (its cells drawn row by row, no sheet bitmap needed): a BMFont export
/// one image per page of the layout, the TGA + XML export the first page
/// only, laid out as one sheet. The files are one set: all are written and
/// flushed before any replaces an existing file, and a commit record beside
/// them, until all are replaced and the pages an earlier export wrote and
/// this one does not are removed, lets the next export to the name finish a
/// commit that was cut short. A failure leaves the old set (a failed replace
/// puts the old images back); the message names the file and the reason.
/// Writers of one name (exports in any format, projects) take turns, and
/// Ctrl-C and the like are held off while files are replaced. Only regular
/// files are replaced, and, unless the options say otherwise, no file that
/// reads as a project (or cannot be read to tell): checked under the lock
/// before anything is written and again just before each rename; a commit
/// cut short is never finished over one either.
Result<ExportedFiles> ExportSheetFiles(const std::filesystem::path& chosen,
                                       const SheetDocument& doc, const RasterFont* font,
                                       const ExportOptions& options = {},
                                       const ExportObserver& observer = {});

}  // namespace glyphsheet
