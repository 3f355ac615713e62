#include "files/sheet_image.h"

#include <algorithm>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

namespace {

constexpr size_t kHeaderBytes = 18;
// Image type 2: uncompressed true colour.
constexpr uint8_t kTrueColour = 2;
constexpr uint8_t kBitsPerPixel = 32;
// Rows from the top-left, 8 bits of alpha.
constexpr uint8_t kTopLeftWithAlpha = 0x28;

void AppendHeader(std::vector<uint8_t>& out, int32_t width, int32_t height) {
  const uint8_t header[kHeaderBytes] = {
      0, 0, kTrueColour, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      static_cast<uint8_t>(width & 0xFF), static_cast<uint8_t>((width >> 8) & 0xFF),
      static_cast<uint8_t>(height & 0xFF), static_cast<uint8_t>((height >> 8) & 0xFF),
      kBitsPerPixel, kTopLeftWithAlpha};
  out.insert(out.end(), header, header + kHeaderBytes);
}

// Rows are gathered into writes of about this many bytes.
constexpr size_t kWriteBytes = size_t{1} << 18;

}  // namespace

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
  std::fill_n(pixels, static_cast<size_t>(width) * 4, uint8_t{0xFF});
  uint8_t* alpha = pixels + 3;
  const int32_t inside = y < sheetBitmap.Height() ? std::min(width, sheetBitmap.Width()) : 0;
  const uint32_t* words =
      inside > 0 ? sheetBitmap.Pixels() + static_cast<size_t>(y) * sheetBitmap.Width() : nullptr;
  for (int32_t x = 0; x < width; ++x, alpha += 4) {
    *alpha = x < inside ? static_cast<uint8_t>(words[x] >> 16) : 0;
  }
}

Status WriteSheetImageTo(AtomicFile& file, const PixelBitmap& sheetBitmap, int32_t width,
                         int32_t height) {
  if (auto fits = CheckImageSides(file.Target(), width, height); !fits) return fits;
  // Written a few rows at a time, so a large stored sheet size needs no large buffer.
  std::vector<uint8_t> chunk;
  AppendHeader(chunk, width, height);
  for (int32_t y = 0; y < height; ++y) {
    const size_t start = chunk.size();
    chunk.resize(start + static_cast<size_t>(width) * 4);
    FillSheetRow(sheetBitmap, width, y, chunk.data() + start);
    if (chunk.size() < kWriteBytes && y + 1 < height) continue;
    if (auto written = file.Write(chunk); !written) return written;
    chunk.clear();
  }
  return Ok();
}

}  // namespace glyphsheet
