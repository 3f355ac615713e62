#pragma once

#include <filesystem>
#include <functional>

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

/// Writes the sheet image (chosen name with ".tga") and the glyph descriptor
/// (with ".xml") from the sheet bitmap as the last rebuild left it. Both are
/// written and flushed before either replaces an existing file, so a failure
/// leaves the old pair as it was; the message names the file and the reason.
/// Exports to the same name take turns (`onWait` is called once when this
/// one waits more than a second), and Ctrl-C and the like are held off
/// between the two replaces.
Result<ExportedFiles> ExportSheetFiles(const std::filesystem::path& chosen,
                                       const PixelBitmap& sheetBitmap, const SheetDocument& doc,
                                       const RasterFont* font,
                                       const std::function<void()>& onWait = {});

}  // namespace glyphsheet
