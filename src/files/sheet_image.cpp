#include "files/sheet_image.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

void FillSheetRow(const PixelBitmap& sheetBitmap, int32_t width, int32_t y, uint8_t* pixels) {
  // A pixel's four bytes as one word in memory order: FF FF FF alpha.
  constexpr bool kLittle = std::endian::native == std::endian::little;
  constexpr uint32_t kWhite = kLittle ? 0x00FFFFFFu : 0xFFFFFF00u;
  const int32_t inside = y < sheetBitmap.Height() ? std::clamp(sheetBitmap.Width(), 0, width) : 0;
  const uint32_t* words = inside > 0 ? sheetBitmap.Row(y) : nullptr;
  // The red channel is bits 16..23 of a bitmap word.
  for (int32_t x = 0; x < inside; ++x) {
    const uint32_t alpha = (words[x] >> 16) & 0xFFu;
    const uint32_t word = kWhite | (kLittle ? alpha << 24 : alpha);
    std::memcpy(pixels + static_cast<size_t>(x) * 4, &word, 4);
  }
  for (int32_t x = inside; x < width; ++x) std::memcpy(pixels + static_cast<size_t>(x) * 4, &kWhite, 4);
}

}  // namespace glyphsheet
