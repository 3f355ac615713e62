#pragma once

#include <cstdint>

#include "sheet/pixel_bitmap.h"

namespace glyphsheet {

/// Colour of sheet pixels that no cell covers (0x00BBGGRR).
constexpr uint32_t kEmptyCellColour = 0xFF00FF;
/// Colours of the hatch outside the sheet.
constexpr uint32_t kHatchLineColour = 0x000000;
constexpr uint32_t kHatchBackColour = 0x808080;

/// Paints the sheet bitmap: the empty-cell colour inside the sheet's
/// sheetWidth × sheetHeight, and outside it a black diagonal cross-hatch
/// every 10 pixels on grey.
void ClearSheetBitmap(PixelBitmap& sheetBitmap, int32_t sheetWidth, int32_t sheetHeight);

}  // namespace glyphsheet
