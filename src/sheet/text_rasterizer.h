#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sheet/pixel_bitmap.h"
#include "sheet/result.h"

namespace glyphsheet {

/// What a font is made from. Codes drawn with it are Windows-1252 bytes.
struct FontRequest {
  /// A typeface name from TextRasterizer::ListTypefaces.
  std::string face;
  /// The em size in pixels (a character height, not a cell height).
  int32_t pixelHeight = 15;
  /// 100..900; above 550 prefers the typeface's bold face, else synthesises bold.
  int32_t weight = 400;
  /// Prefer an italic face, else slant the outline.
  bool italic = false;
  /// Grey levels 0..255 when true; only 0 and 255 when false.
  bool antialiased = true;
};

/// Horizontal metrics of one character in pixels.
struct AbcWidths {
  /// From the pen position to the left of the ink; may be negative.
  int32_t a = 0;
  /// Ink width; at least 1, also for a blank character.
  int32_t b = 0;
  /// From the right of the ink to the next pen position; may be negative.
  int32_t c = 0;
};

/// A created font at a fixed pixel size. All codes are Windows-1252 bytes.
class RasterFont {
 public:
  virtual ~RasterFont() = default;

  /// Line height in pixels (ascent + descent), the same for every code.
  virtual int32_t LineHeight() const = 0;
  /// A/B/C widths of one code; A + B + C is its advance.
  virtual AbcWidths CharAbc(uint8_t code) const = 0;
  /// Draws one code in white over target with the top-left of its character
  /// cell at (x, y): the ink starts A pixels right of x. Each ink pixel of
  /// coverage k moves every channel of the target towards 255 by k/255
  /// (so over black it becomes k, k, k); pixels without ink and pixels outside
  /// the target are left alone.
  virtual void DrawChar(uint8_t code, PixelBitmap& target, int32_t x, int32_t y) const = 0;
};

/// The font library: lists typefaces and creates fonts.
class TextRasterizer {
 public:
  virtual ~TextRasterizer() = default;

  /// Installed typeface names, sorted without regard to case, each once.
  virtual std::vector<std::string> ListTypefaces() const = 0;
  /// Creates a font; fails with a message naming the face when it is not
  /// installed or its file cannot be used.
  virtual Result<std::unique_ptr<RasterFont>> CreateFont(const FontRequest& request) const = 0;
};

}  // namespace glyphsheet
