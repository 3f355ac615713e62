#pragma once

#include <string>

#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// The XML glyph descriptor: for each glyph its cell and its A/B/C spacing,
/// queried afresh from the font and divided by the smoothing factor, with the
/// horizontal borders moved from a and c into b. Plain "\n" line ends.
std::string FormatGlyphDescriptor(const SheetDocument& doc, const RasterFont* font);

}  // namespace glyphsheet
