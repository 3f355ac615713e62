#include "sheet/reduced_glyphs.h"

#include <algorithm>
#include <vector>

#include "sheet/text_rasterizer.h"
#include "sheet/work_threads.h"

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
  font.Prepare(missing);
  // Each code is reduced on its own into its own slot, so the images are
  // the same however the work is shared.
  const auto reduceFrom = [&](size_t first, size_t step) {
    for (size_t i = first; i < missing.size(); i += step) {
      const uint8_t code = missing[i];
      images[code] = std::make_unique<ReducedGlyph>(
          ReduceCoverage(font.Coverage(code), font.CharAbc(code).a, factor));
    }
  };
  int64_t inkPixels = 0;
  for (uint8_t code : missing) {
    const GlyphCoverage ink = font.Coverage(code);
    inkPixels += int64_t{ink.width} * ink.rows;
  }
  const size_t threads = ThreadsFor(inkPixels);
  RunOnThreads(threads, [&](size_t t) { reduceFrom(t, threads); });
}

}  // namespace glyphsheet
