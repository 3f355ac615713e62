#include "files/sheet_tga.h"

#include <algorithm>
#include <memory>
#include <span>

#include "files/sheet_image.h"

namespace glyphsheet {

namespace {

// Image type 2: uncompressed true colour.
constexpr uint8_t kTrueColour = 2;
constexpr uint8_t kBitsPerPixel = 32;
// Rows from the top-left, 8 bits of alpha.
constexpr uint8_t kTopLeftWithAlpha = 0x28;

void FillHeader(uint8_t* header, int32_t width, int32_t height) {
  const uint8_t bytes[kTgaHeaderBytes] = {
      0, 0, kTrueColour, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      static_cast<uint8_t>(width & 0xFF), static_cast<uint8_t>((width >> 8) & 0xFF),
      static_cast<uint8_t>(height & 0xFF), static_cast<uint8_t>((height >> 8) & 0xFF),
      kBitsPerPixel, kTopLeftWithAlpha};
  std::copy_n(bytes, kTgaHeaderBytes, header);
}

}  // namespace

Status WriteSheetTgaTo(AtomicFile& file, SheetRows& rows, int32_t width, int32_t height) {
  if (auto fits = CheckImageSides(file.Target(), width, height); !fits) return fits;
  // The header, then rows made straight into one block that is written
  // whenever the next row would not fit; a block holds at least one row.
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  const size_t blockBytes = std::max(kWriteBytes, kTgaHeaderBytes + rowBytes);
  const auto block = std::make_unique_for_overwrite<uint8_t[]>(blockBytes);
  FillHeader(block.get(), width, height);
  size_t used = kTgaHeaderBytes;
  for (int32_t y = 0; y < height; ++y) {
    if (used + rowBytes > blockBytes) {
      if (auto written = file.Write(std::span(block.get(), used)); !written) return written;
      used = 0;
    }
    // Between the cells the sheet shows its empty-cell colour, whose red is full.
    FillSheetRow(rows, width, y, 0xFF, block.get() + used);
    used += rowBytes;
  }
  return file.Write(std::span(block.get(), used));
}

}  // namespace glyphsheet
