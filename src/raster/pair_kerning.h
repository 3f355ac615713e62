#pragma once

#include <cstdint>
#include <string>

struct hb_blob_t;
struct hb_face_t;
struct hb_font_t;
struct hb_buffer_t;

namespace glyphsheet::raster {

/// The kerning of character pairs as HarfBuzz's standard shaping gives it:
/// OpenType GPOS pair positioning, or the older `kern` table when the font
/// has no GPOS kerning.
class PairKerning {
 public:
  /// The face `index` of the font file, at an em of `pixelHeight` pixels. A
  /// file HarfBuzz cannot read has no kerning.
  PairKerning(const std::string& path, int32_t index, int32_t pixelHeight);
  ~PairKerning();
  PairKerning(const PairKerning&) = delete;
  PairKerning& operator=(const PairKerning&) = delete;

  /// How much farther the pen moves from `left` to `right` than left's own
  /// advance, in 1/64 pixel, rounded; 0 when the pair becomes one glyph.
  int32_t Amount(char32_t left, char32_t right);

 private:
  hb_blob_t* blob_ = nullptr;
  hb_face_t* face_ = nullptr;
  hb_font_t* font_ = nullptr;
  hb_buffer_t* buffer_ = nullptr;
  int32_t unitsPerEm_ = 0;
  int32_t pixelHeight_ = 0;
};

}  // namespace glyphsheet::raster
