#include "sheet/reduced_glyphs.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "sheet/text_rasterizer.h"

namespace glyphsheet {

void ReducedGlyphs::Make(const RasterFont& font, std::span<const char32_t> codes, int32_t factor) {
  auto& images = images_[static_cast<size_t>(factor - 1)];
  // A redraw that keeps the font finds every image made.
  if (std::all_of(codes.begin(), codes.end(), [&images](char32_t c) { return images.contains(c); })) {
    return;
  }
  std::vector<char32_t> missing;
  std::unordered_set<char32_t> listed;
  for (const char32_t code : codes) {
    if (!images.contains(code) && listed.insert(code).second) missing.push_back(code);
  }
  if (missing.empty()) return;
  // Each code is reduced as soon as it is drawn, on the thread that drew it,
  // into its own slot, so the images are the same however the work is shared.
  std::vector<std::unique_ptr<ReducedGlyph>> made(missing.size());
  font.RenderEach(missing, [&](size_t i, const AbcWidths& abc, const GlyphCoverage& ink) {
    made[i] = std::make_unique<ReducedGlyph>(ReduceCoverage(ink, abc.a, factor));
  });
  for (size_t i = 0; i < missing.size(); ++i) images[missing[i]] = std::move(made[i]);
}

}  // namespace glyphsheet
