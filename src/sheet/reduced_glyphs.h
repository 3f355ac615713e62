#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>

#include "sheet/settings.h"
#include "sheet/supersample_reduction.h"

namespace glyphsheet {

class RasterFont;

/// The reduced images of one font's glyphs for each smoothing factor, made
/// on first use and kept as long as the font: a redraw that keeps the font
/// only copies them into their cells.
class ReducedGlyphs {
 public:
  /// Makes the images of these codes that are not made yet, on every core;
  /// the font keeps none of their ink.
  void Make(const RasterFont& font, std::span<const char32_t> codes, int32_t factor);
  /// The image of a code that Make was given at this factor.
  const ReducedGlyph& Get(char32_t code, int32_t factor) const {
    return *images_[static_cast<size_t>(factor - 1)].at(code);
  }

 private:
  // By factor − 1, then by code.
  static_assert(kSmoothingRange.min == 1, "factor f is entry f - 1");
  std::array<std::unordered_map<char32_t, std::unique_ptr<ReducedGlyph>>, kSmoothingRange.max>
      images_;
};

}  // namespace glyphsheet
