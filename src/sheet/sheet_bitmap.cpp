#include "sheet/sheet_bitmap.h"

#include <algorithm>

#include "sheet/sheet_document.h"

namespace glyphsheet {

void ClearSheetBitmap(PixelBitmap& sheetBitmap, int32_t sheetWidth, int32_t sheetHeight) {
  const int32_t width = sheetBitmap.Width();
  const int32_t height = sheetBitmap.Height();
  const uint32_t empty = PixelBitmap::SwapRedBlue(kEmptyCellColour);
  const uint32_t line = PixelBitmap::SwapRedBlue(kHatchLineColour);
  const uint32_t back = PixelBitmap::SwapRedBlue(kHatchBackColour);
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* row = sheetBitmap.Row(y);
    const int32_t inside = y < sheetHeight ? std::clamp(sheetWidth, 0, width) : 0;
    std::fill(row, row + inside, empty);
    std::fill(row + inside, row + width, back);
    // Lines run down-right where x ≡ y and down-left where 512 − x ≡ y (mod 10).
    for (const int32_t phase : {y % 10, (512 - y % 10) % 10}) {
      for (int32_t x = inside + ((phase - inside % 10) + 10) % 10; x < width; x += 10) row[x] = line;
    }
  }
}

}  // namespace glyphsheet
