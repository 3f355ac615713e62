#include "sheet/reduced_glyphs.h"

#include <algorithm>
#include <vector>

#include "sheet/text_rasterizer.h"

namespace glyphsheet {

void ReducedGlyphs::Make(const RasterFont& font, std::span<const uint8_t> codes, int32_t factor) {
  auto& images = images_[static_cast<size_t>(factor - 1)];
  std::vector<uint8_t> missing;
  for (uint8_t code : codes) {
    if (!images[code] && std::find(missing.begin(), missing.end(), code) == missing.end()) {
      missing.push_back(code);
    }
  }
  if (missing.empty()) return;
  // Each code is reduced as soon as it is drawn, on the thread that drew it,
  // into its own slot, so the images are the same however the work is shared.
  font.RenderEach(missing, [&](size_t i, const AbcWidths& abc, const GlyphCoverage& ink) {
    images[missing[i]] = std::make_unique<ReducedGlyph>(ReduceCoverage(ink, abc.a, factor));
  });
}

}  // namespace glyphsheet
