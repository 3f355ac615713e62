#pragma once

#include <cstdint>

#include "sheet/pixel_bitmap.h"

namespace glyphsheet {

/// The colour (0x00BBGGRR) at (x, y); 0 outside the bitmap.
inline uint32_t PixelAt(const PixelBitmap& bitmap, int32_t x, int32_t y) {
  return bitmap.Contains(x, y) ? PixelBitmap::SwapRedBlue(bitmap.Row(y)[x]) : 0;
}

/// Stores colour (0x00BBGGRR) at (x, y); ignored outside the bitmap.
inline void SetPixelAt(PixelBitmap& bitmap, int32_t x, int32_t y, uint32_t colour) {
  if (bitmap.Contains(x, y)) bitmap.Row(y)[x] = PixelBitmap::SwapRedBlue(colour);
}

}  // namespace glyphsheet
