#include "sheet/sheet_rows.h"

#include <algorithm>

#include "sheet/cell_geometry.h"
#include "sheet/sheet_font.h"
#include "sheet/reduced_glyphs.h"

namespace glyphsheet {

SheetRows::SheetRows(const SheetDocument& doc, const RasterFont* font, int32_t page,
                     int32_t maxWidth, int32_t maxHeight)
    : width_(std::max(std::min(doc.sheetWidth, maxWidth), 0)),
      height_(std::max(std::min(doc.sheetHeight, maxHeight), 0)) {
  // The part of each cell on the drawn area; cells with none are left out.
  std::vector<const ShownCell*> drawn;
  for (const ShownCell& shown : doc.layout.shown) {
    const GlyphCell& g = shown.cell;
    if (g.page != page) continue;
    Part p;
    p.x0 = static_cast<int32_t>(std::clamp<int64_t>(g.x, 0, width_));
    p.x1 = static_cast<int32_t>(std::clamp<int64_t>(int64_t{g.x} + g.width, 0, width_));
    p.y0 = static_cast<int32_t>(std::clamp<int64_t>(g.y, 0, height_));
    p.y1 = static_cast<int32_t>(std::clamp<int64_t>(int64_t{g.y} + g.height, 0, height_));
    if (p.x0 >= p.x1 || p.y0 >= p.y1) continue;
    parts_.push_back(p);
    drawn.push_back(&shown);
  }
  byStart_.resize(parts_.size());
  for (size_t i = 0; i < parts_.size(); ++i) byStart_[i] = i;
  std::stable_sort(byStart_.begin(), byStart_.end(),
                   [this](size_t a, size_t b) { return parts_[a].y0 < parts_[b].y0; });
  if (font == nullptr) return;
  const int32_t f = DrawFactor(doc.font);
  const CellBorders insets = CellInsets(doc);
  std::vector<char32_t> codes;
  for (const ShownCell* shown : drawn) codes.push_back(doc.glyphs[shown->index].code);
  font->Reduced().Make(*font, codes, f);
  // Each ink lies after its cell's left inset and below its top border.
  for (size_t i = 0; i < parts_.size(); ++i) {
    const GlyphCell& cell = drawn[i]->cell;
    const Glyph glyph = doc.glyphs[drawn[i]->index];
    Part& p = parts_[i];
    p.ink = &font->Reduced().Get(glyph.code, f);
    const CellGeometry geometry =
        GlyphCellGeometry(glyph, insets, font->CharAbc(glyph.code).b, font->LineHeight(), f);
    p.inkX = cell.x + geometry.leftInset + p.ink->left;
    p.inkY = cell.y + geometry.topInset + p.ink->top;
  }
}

void SheetRows::Advance(int32_t y) {
  std::erase_if(active_, [this, y](size_t i) { return parts_[i].y1 <= y; });
  const size_t taken = active_.size();
  for (; nextStart_ < byStart_.size() && parts_[byStart_[nextStart_]].y0 <= y; ++nextStart_) {
    if (parts_[byStart_[nextStart_]].y1 > y) active_.push_back(byStart_[nextStart_]);
  }
  if (active_.size() == taken) return;
  // Laid-out cells start row by row in list order: the new ones mostly come
  // in order, after the old ones.
  const auto added = active_.begin() + static_cast<ptrdiff_t>(taken);
  if (!std::is_sorted(added, active_.end())) std::sort(added, active_.end());
  if (taken > 0 && *(added - 1) > *added) std::inplace_merge(active_.begin(), added, active_.end());
}

}  // namespace glyphsheet
