#pragma once

#include <cstdint>

#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// A glyph's cell in sheet pixels: its columns (the left inset, the ink, the
/// right inset) and its rows (the top inset, the line, the bottom inset).
/// Measuring sizes the cell from it, drawing puts the ink after the left
/// inset and below the top inset, and the descriptors' spacing and offsets
/// are taken from it, so the descriptor's b is the cell width by construction.
struct CellGeometry {
  /// The glyph's own left border plus the font-wide left inset (see CellInsets).
  int64_t leftInset = 0;
  /// The font's B divided by the smoothing factor (truncating).
  int64_t inkWidth = 0;
  /// The glyph's own right border plus the font-wide right inset.
  int64_t rightInset = 0;
  /// The font-wide top inset.
  int64_t topInset = 0;
  /// The font's line height divided by the smoothing factor (truncating):
  /// every glyph of a font has the same.
  int64_t inkHeight = 0;
  /// The font-wide bottom inset.
  int64_t bottomInset = 0;

  /// The cell width: insets and ink.
  int64_t Width() const { return leftInset + inkWidth + rightInset; }
  /// The cell height: insets and line.
  int64_t Height() const { return topInset + inkHeight + bottomInset; }
};

/// What lies around the ink of every cell: the font-wide borders, each grown
/// by the spread of a distance field, which the cell holds whole.
CellBorders CellInsets(const SheetDocument& doc);

/// The cell of a glyph whose B width at smoothing scale is inkWidth, in a
/// font whose line height at smoothing scale is lineHeight.
CellGeometry GlyphCellGeometry(const Glyph& glyph, const CellBorders& borders, int32_t inkWidth,
                               int32_t lineHeight, int32_t factor);

/// The rows every cell of a font shares (the columns are those of a glyph
/// without ink or borders of its own).
CellGeometry LineGeometry(const CellBorders& borders, int32_t lineHeight, int32_t factor);

/// The line height of a font at smoothing scale; 0 without a font.
int32_t LineHeightOf(const RasterFont* font);

/// The spacing of a glyph in sheet pixels: the font's A and C divided by the
/// smoothing factor (truncating), with the insets moved from a and c into b.
AbcWidths GlyphSpacing(const Glyph& glyph, const CellBorders& borders, AbcWidths abc,
                       int32_t factor);

}  // namespace glyphsheet
