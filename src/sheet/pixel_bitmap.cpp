#include "sheet/pixel_bitmap.h"

#include <algorithm>
#include <new>

namespace glyphsheet {

namespace {
// 16384 × 16384 words is 1 GiB; nothing this program draws comes near it.
constexpr int64_t kMaxPixels = int64_t{16384} * 16384;
}  // namespace

bool PixelBitmap::Create(int32_t width, int32_t height) {
  Destroy();
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels) return false;
  try {
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
  } catch (const std::bad_alloc&) {
    pixels_.clear();
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

void PixelBitmap::Destroy() {
  std::vector<uint32_t>().swap(pixels_);
  width_ = 0;
  height_ = 0;
}

void PixelBitmap::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                           uint32_t colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right) return;
  const uint32_t word = SwapRedBlue(colour);
  for (int32_t y = top; y < bottom; ++y) {
    const auto row = pixels_.begin() + static_cast<ptrdiff_t>(Index(left, y));
    std::fill(row, row + (right - left), word);
  }
}

}  // namespace glyphsheet
