#pragma once

#include <cstdint>

#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// The columns of one glyph's cell in sheet pixels: the left inset, the ink,
/// the right inset. Measuring sizes the cell from it, drawing puts the ink
/// after the left inset, and the descriptor's spacing is taken from it, so the
/// descriptor's b is the cell width by construction.
struct CellGeometry {
  /// The glyph's own left border plus the font-wide left border.
  int64_t leftInset = 0;
  /// The font's B divided by the smoothing factor (truncating).
  int64_t inkWidth = 0;
  /// The glyph's own right border plus the font-wide right border.
  int64_t rightInset = 0;

  /// The cell width: insets and ink.
  int64_t Width() const { return leftInset + inkWidth + rightInset; }
};

/// The cell columns of a glyph whose B width at smoothing scale is inkWidth.
CellGeometry GlyphCellGeometry(const Glyph& glyph, const CellBorders& borders,
                               int32_t inkWidth, int32_t factor);

/// The spacing of a glyph in sheet pixels: the font's A and C divided by the
/// smoothing factor (truncating), with the insets moved from a and c into b.
AbcWidths GlyphSpacing(const Glyph& glyph, const CellBorders& borders, AbcWidths abc,
                       int32_t factor);

}  // namespace glyphsheet
