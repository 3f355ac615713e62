#include "sheet/text_rasterizer.h"

#include "sheet/error_text.h"

#include "sheet/reduced_glyphs.h"

namespace glyphsheet {

RasterFont::RasterFont() : reduced_(std::make_unique<ReducedGlyphs>()) {}
RasterFont::~RasterFont() = default;

void RasterFont::RenderEach(std::span<const char32_t> codes, const InkUse& use) const {
  for (size_t i = 0; i < codes.size(); ++i) use(i, CharAbc(codes[i]), Coverage(codes[i]));
}

std::vector<KernedPair> RasterFont::KerningPairs(std::span<const char32_t>) const { return {}; }

Result<std::unique_ptr<TextRasterizer>> TextRasterizer::ForFontFile(const std::string& path,
                                                                    int32_t index) const {
  return FontError(Problem::kUnusableFontFile, path, {index},
                   "this font library opens installed fonts only");
}

}  // namespace glyphsheet
