#include "raster/pair_kerning.h"

#include <hb.h>

#include <cmath>

namespace glyphsheet::raster {

PairKerning::PairKerning(const std::string& path, int32_t index, int32_t pixelHeight)
    : pixelHeight_(pixelHeight) {
  blob_ = hb_blob_create_from_file_or_fail(path.c_str());
  if (blob_ == nullptr) return;
  face_ = hb_face_create(blob_, static_cast<unsigned>(index));
  unitsPerEm_ = static_cast<int32_t>(hb_face_get_upem(face_));
  font_ = hb_font_create(face_);
  // Positions in font units; scaled to pixels below.
  hb_font_set_scale(font_, unitsPerEm_, unitsPerEm_);
  buffer_ = hb_buffer_create();
}

PairKerning::~PairKerning() {
  hb_buffer_destroy(buffer_);
  hb_font_destroy(font_);
  hb_face_destroy(face_);
  hb_blob_destroy(blob_);
}

int32_t PairKerning::Amount(char32_t left, char32_t right) {
  if (font_ == nullptr || unitsPerEm_ <= 0) return 0;
  hb_buffer_clear_contents(buffer_);
  const hb_codepoint_t pair[2] = {left, right};
  hb_buffer_add_codepoints(buffer_, pair, 2, 0, 2);
  hb_buffer_guess_segment_properties(buffer_);
  hb_shape(font_, buffer_, nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t* glyphs = hb_buffer_get_glyph_infos(buffer_, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer_, nullptr);
  if (count != 2) return 0;
  // The first glyph's advance beyond its own, and the second glyph's shift.
  const int64_t units = int64_t{positions[0].x_advance} -
                        hb_font_get_glyph_h_advance(font_, glyphs[0].codepoint) +
                        positions[1].x_offset;
  return static_cast<int32_t>(std::lround(static_cast<double>(units) * pixelHeight_ * 64.0 /
                                          unitsPerEm_));
}

}  // namespace glyphsheet::raster
