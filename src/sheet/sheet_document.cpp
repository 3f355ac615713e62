#include "sheet/sheet_document.h"

#include <algorithm>

namespace glyphsheet {

bool SheetDocument::AddGlyph(uint8_t code) {
  const bool present = std::any_of(glyphs.begin(), glyphs.end(),
                                   [code](const GlyphRecord& g) { return g.code == code; });
  if (present) return false;
  GlyphRecord glyph;
  glyph.code = code;
  glyphs.push_back(glyph);
  return true;
}

void SheetDocument::ClearGlyphs() { glyphs.clear(); }

}  // namespace glyphsheet
