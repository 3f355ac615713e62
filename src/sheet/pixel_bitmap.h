#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace glyphsheet {

/// Gives a bitmap's pixels back to the system.
struct PixelsUnmap {
  size_t bytes = 0;
  void operator()(uint32_t* pixels) const;
};

/// A fixed-size 32-bit pixel store, rows top to bottom with no gap.
///
/// Memory holds one little-endian word 0x00RRGGBB per pixel (bytes blue,
/// green, red, 0), which is QImage::Format_RGB32. Colour values passed in and
/// out are 0x00BBGGRR (red in the lowest byte); red and blue are swapped on
/// the way in and out, so a value written reads back unchanged.
class PixelBitmap {
 public:
  PixelBitmap() = default;
  /// Creates a bitmap of the given size (see Create).
  PixelBitmap(int32_t width, int32_t height) { Create(width, height); }

  /// Replaces any pixels with width × height black pixels, taken from the
  /// system in one go (black as they come, every page mapped at once rather
  /// than page by page on first touch). A size that is not positive, or too
  /// large to allocate, leaves an empty bitmap and returns false.
  bool Create(int32_t width, int32_t height);
  /// Releases the pixels; width and height become 0.
  void Destroy();

  /// Stores colour (0x00BBGGRR) in the rectangle from (left, top) up to, not
  /// including, (right, bottom); the part outside the bitmap is ignored.
  void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour);
  /// True when (x, y) lies inside the bitmap.
  bool Contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }

  /// Width in pixels; 0 when no bitmap exists.
  int32_t Width() const { return width_; }
  /// Height in pixels; 0 when no bitmap exists.
  int32_t Height() const { return height_; }
  /// The pixel words (0x00RRGGBB), Width() per row, rows from the top;
  /// nullptr when empty. Valid until the next Create or Destroy.
  const uint32_t* Pixels() const { return pixels_.get(); }
  /// The pixel words (0x00RRGGBB) of row y, which must lie in the bitmap.
  uint32_t* Row(int32_t y) { return pixels_.get() + Index(0, y); }
  const uint32_t* Row(int32_t y) const { return pixels_.get() + Index(0, y); }
  /// Bytes from one row to the next.
  int32_t BytesPerLine() const { return width_ * 4; }

  /// Swaps the lowest and third bytes of a word: 0x00BBGGRR <-> 0x00RRGGBB.
  static constexpr uint32_t SwapRedBlue(uint32_t c) {
    return (c & 0xFF00FF00u) | ((c >> 16) & 0xFFu) | ((c & 0xFFu) << 16);
  }

 private:
  size_t Index(int32_t x, int32_t y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  }

  std::unique_ptr<uint32_t[], PixelsUnmap> pixels_;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace glyphsheet
