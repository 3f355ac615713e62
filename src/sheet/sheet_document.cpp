#include "sheet/sheet_document.h"

#include <algorithm>
#include <unordered_set>

namespace glyphsheet {

namespace {

bool FitsByte(int32_t value) { return value >= INT8_MIN && value <= INT8_MAX; }

}  // namespace

GlyphList::GlyphList(std::initializer_list<Glyph> glyphs) {
  reserve(glyphs.size());
  for (const Glyph& glyph : glyphs) push_back(glyph);
}

Glyph GlyphList::operator[](size_t index) const {
  if (isWide_) return Glyph{codes_[index], wide_[2 * index], wide_[2 * index + 1]};
  return Glyph{codes_[index], narrow_[2 * index], narrow_[2 * index + 1]};
}

void GlyphList::push_back(const Glyph& glyph) {
  if (!isWide_ && !(FitsByte(glyph.leftBorder) && FitsByte(glyph.rightBorder))) Widen();
  codes_.push_back(glyph.code);
  if (isWide_) {
    wide_.insert(wide_.end(), {glyph.leftBorder, glyph.rightBorder});
  } else {
    narrow_.insert(narrow_.end(), {static_cast<int8_t>(glyph.leftBorder),
                                   static_cast<int8_t>(glyph.rightBorder)});
  }
}

void GlyphList::SetBorders(size_t index, int32_t left, int32_t right) {
  if (!isWide_ && !(FitsByte(left) && FitsByte(right))) Widen();
  if (isWide_) {
    wide_[2 * index] = left, wide_[2 * index + 1] = right;
  } else {
    narrow_[2 * index] = static_cast<int8_t>(left), narrow_[2 * index + 1] = static_cast<int8_t>(right);
  }
}

void GlyphList::reserve(size_t count) {
  codes_.reserve(count);
  if (isWide_) {
    wide_.reserve(2 * count);
  } else {
    narrow_.reserve(2 * count);
  }
}

void GlyphList::clear() { *this = GlyphList(); }

bool GlyphList::operator==(const GlyphList& other) const {
  return size() == other.size() && std::equal(begin(), end(), other.begin());
}

void GlyphList::Widen() {
  wide_.assign(narrow_.begin(), narrow_.end());
  wide_.reserve(narrow_.capacity());
  narrow_ = {};
  isWide_ = true;
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
