#pragma once

#include <cstdint>
#include <vector>

#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// What becomes of a character the font has no glyph for.
enum class MissingGlyphs : uint8_t {
  /// Drawn as whatever the font gives (its missing-glyph box).
  kKeep,
  /// Left out of the sheet and every descriptor.
  kSkip,
  /// Nothing is made.
  kFail,
};

/// The characters of the list that the font has no glyph for, each once, in
/// list order.
std::vector<char32_t> MissingCharacters(const GlyphList& glyphs, const RasterFont& font);

/// The list without the glyphs of these characters, in the same order.
GlyphList WithoutCharacters(const GlyphList& glyphs, const std::vector<char32_t>& characters);

}  // namespace glyphsheet
