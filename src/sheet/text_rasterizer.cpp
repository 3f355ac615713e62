#include "sheet/text_rasterizer.h"

#include "sheet/reduced_glyphs.h"

namespace glyphsheet {

RasterFont::RasterFont() : reduced_(std::make_unique<ReducedGlyphs>()) {}
RasterFont::~RasterFont() = default;

void RasterFont::Prepare(std::span<const uint8_t>) const {}

std::vector<int32_t> RasterFont::KerningTable(std::span<const uint8_t> codes) const {
  return std::vector<int32_t>(codes.size() * codes.size(), 0);
}

}  // namespace glyphsheet
