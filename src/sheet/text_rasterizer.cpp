#include "sheet/text_rasterizer.h"

#include "sheet/reduced_glyphs.h"

namespace glyphsheet {

RasterFont::RasterFont() : reduced_(std::make_unique<ReducedGlyphs>()) {}
RasterFont::~RasterFont() = default;

void RasterFont::Prepare(std::span<const uint8_t>) const {}

int32_t RasterFont::Kerning(uint8_t, uint8_t) const { return 0; }

}  // namespace glyphsheet
