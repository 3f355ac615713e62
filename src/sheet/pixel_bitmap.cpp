#include "sheet/pixel_bitmap.h"

#include <sys/mman.h>

#include <algorithm>

namespace glyphsheet {

namespace {
// 16384 × 16384 words is 1 GiB; nothing this program draws comes near it.
constexpr int64_t kMaxPixels = int64_t{16384} * 16384;
}  // namespace

void PixelsUnmap::operator()(uint32_t* pixels) const { ::munmap(pixels, bytes); }

bool PixelBitmap::Create(int32_t width, int32_t height) {
  Destroy();
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels) return false;
  // Anonymous pages are zero, so black, and populated in one call: cheaper
  // than zero-filling them and than faulting them in one by one.
  const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  void* mapped = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (mapped == MAP_FAILED) return false;
  pixels_ = std::unique_ptr<uint32_t[], PixelsUnmap>(static_cast<uint32_t*>(mapped), PixelsUnmap{bytes});
  width_ = width;
  height_ = height;
  return true;
}

void PixelBitmap::Destroy() {
  pixels_.reset();
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
    uint32_t* row = pixels_.get() + Index(left, y);
    std::fill(row, row + (right - left), word);
  }
}

}  // namespace glyphsheet
