#include "files/sheet_image.h"

#include <algorithm>

#include "sheet/error_text.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

std::filesystem::path WithExtension(const std::filesystem::path& chosen, const char* extension) {
  std::filesystem::path result = chosen;
  result.replace_extension(extension);
  return result;
}

Status CheckImageSides(const std::filesystem::path& path, int32_t width, int32_t height) {
  if (kSheetSideRange.Contains(width) && kSheetSideRange.Contains(height)) return Ok();
  return FileError(FileAction::kWrite, path, Problem::kSheetTooLarge, {width, height});
}

namespace {

// One pixel of the image: white, then alpha (4 bytes, no alignment asked).
struct WhitePixel {
  uint8_t bytes[4];
};
static_assert(sizeof(WhitePixel) == 4 && alignof(WhitePixel) == 1);

constexpr WhitePixel White(uint8_t alpha) { return {{0xFF, 0xFF, 0xFF, alpha}}; }

}  // namespace

void FillSheetRow(SheetRows& rows, int32_t width, int32_t y, uint8_t gap, uint8_t* pixels) {
  auto* row = reinterpret_cast<WhitePixel*>(pixels);
  const int32_t drawn = y < rows.Height() ? std::clamp(rows.Width(), 0, width) : 0;
  std::fill(row, row + drawn, White(gap));
  std::fill(row + drawn, row + width, White(0));
  if (drawn > 0) rows.Paint(y, row, White);
}

}  // namespace glyphsheet
