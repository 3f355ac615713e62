#include "sheet/sheet_document.h"

#include <algorithm>
#include <unordered_set>

namespace glyphsheet {

GlyphList::GlyphList(std::initializer_list<Glyph> glyphs) {
  reserve(glyphs.size());
  for (const Glyph& glyph : glyphs) push_back(glyph);
}

void GlyphList::push_back(const Glyph& glyph) {
  codes_.push_back(glyph.code);
  borders_.push_back(glyph.leftBorder);
  borders_.push_back(glyph.rightBorder);
}

void GlyphList::SetBorders(size_t index, int32_t left, int32_t right) {
  borders_.Set(2 * index, left);
  borders_.Set(2 * index + 1, right);
}

void GlyphList::reserve(size_t count) {
  codes_.reserve(count);
  borders_.reserve(2 * count);
}

void GlyphList::clear() { *this = GlyphList(); }

bool GlyphList::operator==(const GlyphList& other) const {
  return size() == other.size() && std::equal(begin(), end(), other.begin());
}

bool SheetDocument::AddGlyph(char32_t code) {
  const bool present = std::any_of(glyphs.begin(), glyphs.end(),
                                   [code](const Glyph& g) { return g.code == code; });
  if (present) return false;
  glyphs.push_back(Glyph{code});
  return true;
}

size_t SheetDocument::AddGlyphs(std::span<const char32_t> codes) {
  std::unordered_set<char32_t> listed(glyphs.size() + codes.size());
  for (const Glyph& g : glyphs) listed.insert(g.code);
  const size_t before = glyphs.size();
  for (const char32_t code : codes) {
    if (listed.insert(code).second) glyphs.push_back(Glyph{code});
  }
  return glyphs.size() - before;
}

void SheetDocument::ClearGlyphs() { glyphs.clear(); }

}  // namespace glyphsheet
