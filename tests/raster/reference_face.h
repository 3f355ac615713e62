#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glyphsheet::testing {

/// A glyph rendered directly with FreeType, for comparison.
struct ReferenceGlyph {
  /// Hinted advance in whole pixels (rounded up).
  int32_t advance = 0;
  /// Bitmap column 0 from the pen position, row 0 above the baseline.
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t rows = 0;
  /// One byte per pixel, 0..255.
  std::vector<uint8_t> coverage;
};

/// One DejaVu file opened with its own FreeType library (interpreter 35),
/// sized to an em of `pixelHeight` pixels.
class ReferenceFace {
 public:
  ReferenceFace(const std::string& fileName, int32_t pixelHeight);
  ~ReferenceFace();
  ReferenceFace(const ReferenceFace&) = delete;
  ReferenceFace& operator=(const ReferenceFace&) = delete;

  /// The glyph of Unicode character `ch` (glyph 0 when absent), hinted for
  /// 1-bit output and rendered 1-bit or with grey levels.
  ReferenceGlyph Glyph(char32_t ch, bool antialiased) const;
  /// The same for a glyph index.
  ReferenceGlyph GlyphAt(uint32_t index, bool antialiased) const;
  /// usWinAscent in whole pixels: round(usWinAscent * round(h * 65536 / upem) / 65536).
  int32_t WinAscent() const;
  /// The glyph index of a character, 0 when absent.
  uint32_t IndexOf(char32_t ch) const;

 private:
  struct State;
  State* state_;
  int32_t pixelHeight_;
};

/// Full path of a file in the test font folder.
std::string TestFontPath(const std::string& fileName);

}  // namespace glyphsheet::testing
