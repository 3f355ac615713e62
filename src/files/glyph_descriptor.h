#pragma once

#include "files/atomic_file.h"
#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// Writes the XML glyph descriptor into an open file without committing it:
/// for each glyph its cell and its A/B/C spacing, queried afresh from the
/// font and divided by the smoothing factor, with the horizontal borders
/// moved from a and c into b. Plain "\n" line ends. Written in pieces, so
/// memory does not grow with the number of glyphs.
Status WriteGlyphDescriptorTo(AtomicFile& file, const SheetDocument& doc, const RasterFont* font);

}  // namespace glyphsheet
