#include "raster/pair_kerning.h"

#include <hb-ot.h>
#include <hb.h>

#include <atomic>
#include <cmath>
#include <memory>

#include "sheet/work_threads.h"

namespace glyphsheet::raster {

namespace {

// Pairs are shaped left to right as Latin text, so one plan serves them all.
hb_segment_properties_t PairProperties() {
  hb_segment_properties_t properties = HB_SEGMENT_PROPERTIES_DEFAULT;
  properties.direction = HB_DIRECTION_LTR;
  properties.script = HB_SCRIPT_LATIN;
  properties.language = hb_language_from_string("en", -1);
  return properties;
}

// Shaping one pair costs about as much as drawing this many pixels.
constexpr int64_t kPixelsPerPair = 512;

}  // namespace

PairKerning::PairKerning(const std::string& path, int32_t index, int32_t pixelHeight)
    : pixelHeight_(pixelHeight) {
  blob_ = hb_blob_create_from_file_or_fail(path.c_str());
  if (blob_ == nullptr) return;
  face_ = hb_face_create(blob_, static_cast<unsigned>(index));
  unitsPerEm_ = static_cast<int32_t>(hb_face_get_upem(face_));
  // A font with neither GPOS positioning nor a kern table kerns nothing;
  // shaping each pair would only confirm it.
  hb_blob_t* kern = hb_face_reference_table(face_, HB_TAG('k', 'e', 'r', 'n'));
  const bool kerns = hb_ot_layout_has_positioning(face_) || hb_blob_get_length(kern) > 0;
  hb_blob_destroy(kern);
  if (!kerns || unitsPerEm_ <= 0) return;
  font_ = hb_font_create(face_);
  // Positions in font units; scaled to pixels below.
  hb_font_set_scale(font_, unitsPerEm_, unitsPerEm_);
  hb_font_make_immutable(font_);
  const hb_segment_properties_t properties = PairProperties();
  plan_ = hb_shape_plan_create_cached(face_, &properties, nullptr, 0, nullptr);
}

PairKerning::~PairKerning() {
  hb_shape_plan_destroy(plan_);
  hb_font_destroy(font_);
  hb_face_destroy(face_);
  hb_blob_destroy(blob_);
}

int32_t PairKerning::Amount(char32_t left, char32_t right, hb_buffer_t* buffer) const {
  static const hb_segment_properties_t kProperties = PairProperties();
  hb_buffer_clear_contents(buffer);
  const hb_codepoint_t pair[2] = {left, right};
  hb_buffer_add_codepoints(buffer, pair, 2, 0, 2);
  hb_buffer_set_segment_properties(buffer, &kProperties);
  hb_shape_plan_execute(plan_, font_, buffer, nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t* glyphs = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, nullptr);
  if (count != 2) return 0;
  // The first glyph's advance beyond its own, and the second glyph's shift.
  const int64_t units = int64_t{positions[0].x_advance} -
                        hb_font_get_glyph_h_advance(font_, glyphs[0].codepoint) +
                        positions[1].x_offset;
  return static_cast<int32_t>(std::lround(static_cast<double>(units) * pixelHeight_ * 64.0 /
                                          unitsPerEm_));
}

std::vector<int32_t> PairKerning::Table(std::span<const char32_t> characters) const {
  const size_t n = characters.size();
  std::vector<int32_t> table(n * n, 0);
  if (font_ == nullptr || plan_ == nullptr) return table;
  // Each thread takes the next row not yet taken, with a buffer of its own.
  std::atomic<size_t> nextRow{0};
  const auto work = [&](size_t) {
    const std::unique_ptr<hb_buffer_t, decltype(&hb_buffer_destroy)> buffer(hb_buffer_create(),
                                                                           hb_buffer_destroy);
    for (size_t i = nextRow++; i < n; i = nextRow++) {
      for (size_t j = 0; j < n; ++j) {
        table[i * n + j] = Amount(characters[i], characters[j], buffer.get());
      }
    }
  };
  RunOnThreads(ThreadsFor(static_cast<int64_t>(n * n) * kPixelsPerPair), work);
  return table;
}

}  // namespace glyphsheet::raster
