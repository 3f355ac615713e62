#include "sheet/sheet_bitmap.h"

#include "sheet/sheet_document.h"

namespace glyphsheet {

void ClearSheetBitmap(PixelBitmap& sheetBitmap, int32_t sheetWidth, int32_t sheetHeight) {
  for (int32_t y = 0; y < kSheetBitmapSize; ++y) {
    for (int32_t x = 0; x < kSheetBitmapSize; ++x) {
      uint32_t colour;
      if (x < sheetWidth && y < sheetHeight) {
        colour = kEmptyCellColour;
      } else {
        // Lines run down-right where x ≡ y and down-left where 512 − x ≡ y.
        const bool onLine = x % 10 == y % 10 || (kSheetBitmapSize - x) % 10 == y % 10;
        colour = onLine ? kHatchLineColour : kHatchBackColour;
      }
      sheetBitmap.SetPixel(x, y, colour);
    }
  }
}

}  // namespace glyphsheet
