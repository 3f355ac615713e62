#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sheet/text_rasterizer.h"

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

  /// Which pairs Pairs shapes; either way it gives the same pairs.
  enum class Shaping {
    /// Only pairs the font's layout tables could move: a pair with a
    /// character that no lookup relates to the other is 0 unshaped.
    kReachable,
    /// Every ordered pair.
    kEvery,
  };

  /// The ordered pairs of the characters that kern, by first position then
  /// second position: how much farther the pen moves from the first to the
  /// second than the first one's own advance, in 1/64 pixel, rounded; a pair
  /// that becomes one glyph does not kern. Pairs are shaped on every core;
  /// `shaped`, when given, receives how many were.
  std::vector<KernedPair> Pairs(std::span<const char32_t> characters,
                                Shaping shaping = Shaping::kReachable,
                                size_t* shaped = nullptr) const;

 private:
  // What the layout tables let a glyph do to its neighbour.
  class Reach;
  // Which characters each character must be shaped with.
  struct Partners;

  Partners PartnersOf(std::span<const char32_t> characters) const;
  void Shape(const uint32_t* characters, unsigned count, hb_buffer_t* buffer) const;
  int32_t Amount(char32_t left, char32_t right, hb_buffer_t* buffer) const;

  hb_blob_t* blob_ = nullptr;
  hb_face_t* face_ = nullptr;
  // Immutable once made, so threads shape with it at once.
  hb_font_t* font_ = nullptr;
  hb_shape_plan_t* plan_ = nullptr;
  std::unique_ptr<Reach> reach_;
  int32_t unitsPerEm_ = 0;
  int32_t pixelHeight_ = 0;
};

}  // namespace glyphsheet::raster
