#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct hb_blob_t;
struct hb_face_t;
struct hb_font_t;
struct hb_shape_plan_t;
struct hb_buffer_t;

namespace glyphsheet::raster {

/// The kerning of character pairs as HarfBuzz's standard shaping gives it:
/// OpenType GPOS pair positioning, or the older `kern` table when the font
/// has no GPOS kerning.
class PairKerning {
 public:
  /// The face `index` of the font file, at an em of `pixelHeight` pixels. A
  /// file HarfBuzz cannot read, or a font without positioning, kerns nothing.
  PairKerning(const std::string& path, int32_t index, int32_t pixelHeight);
  ~PairKerning();
  PairKerning(const PairKerning&) = delete;
  PairKerning& operator=(const PairKerning&) = delete;

  /// For every ordered pair of the characters (entry i × n + j), how much
  /// farther the pen moves from characters[i] to characters[j] than the
  /// first one's own advance, in 1/64 pixel, rounded; 0 when the pair
  /// becomes one glyph. Rows are shaped on every core.
  std::vector<int32_t> Table(std::span<const char32_t> characters) const;

 private:
  int32_t Amount(char32_t left, char32_t right, hb_buffer_t* buffer) const;

  hb_blob_t* blob_ = nullptr;
  hb_face_t* face_ = nullptr;
  // Immutable once made, so threads shape with it at once.
  hb_font_t* font_ = nullptr;
  hb_shape_plan_t* plan_ = nullptr;
  int32_t unitsPerEm_ = 0;
  int32_t pixelHeight_ = 0;
};

}  // namespace glyphsheet::raster
