#include "sheet/missing_glyphs.h"

#include <algorithm>
#include <unordered_set>

namespace glyphsheet {

std::vector<char32_t> MissingCharacters(const GlyphList& glyphs, const RasterFont& font) {
  std::vector<char32_t> missing;
  std::unordered_set<char32_t> asked;
  for (const Glyph glyph : glyphs) {
    if (asked.insert(glyph.code).second && !font.HasGlyph(glyph.code)) missing.push_back(glyph.code);
  }
  return missing;
}

GlyphList WithoutCharacters(const GlyphList& glyphs, const std::vector<char32_t>& characters) {
  const std::unordered_set<char32_t> left(characters.begin(), characters.end());
  GlyphList kept;
  kept.reserve(glyphs.size() - std::min(glyphs.size(), characters.size()));
  for (const Glyph glyph : glyphs) {
    if (!left.contains(glyph.code)) kept.push_back(glyph);
  }
  return kept;
}

}  // namespace glyphsheet
