#include "ui/document_change.h"

#include <tuple>

namespace glyphsheet {

bool SameDocumentState(const ProjectData& a, const ProjectData& b) {
  const auto borders = [](const CellBorders& c) {
    return std::tuple(c.left, c.top, c.right, c.bottom);
  };
  const auto font = [](const FontSettings& f) {
    return std::tie(f.faceName, f.pointSize, f.weight, f.quality, f.smoothing, f.italic,
                    f.distanceField);
  };
  return a.sheetWidth == b.sheetWidth && a.sheetHeight == b.sheetHeight &&
         borders(a.borders) == borders(b.borders) && font(a.font) == font(b.font) &&
         a.glyphs == b.glyphs;
}

bool DocumentChange::mergeWith(const QUndoCommand* other) {
  const auto* next = dynamic_cast<const DocumentChange*>(other);
  if (next == nullptr || next->kind_ != kind_) return false;
  after_ = next->after_;
  // Steps that end where they began leave nothing to undo.
  setObsolete(SameDocumentState(before_, after_));
  return true;
}

}  // namespace glyphsheet
