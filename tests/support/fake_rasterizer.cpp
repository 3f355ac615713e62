#include "support/fake_rasterizer.h"

#include <algorithm>

#include "sheet/error_text.h"

namespace glyphsheet::testing {

FakeFont::FakeFont(int32_t lineHeight, FakeGlyph defaultGlyph)
    : lineHeight_(lineHeight), default_(defaultGlyph) {}

void FakeFont::Set(char32_t code, FakeGlyph glyph) { glyphs_[code] = glyph; }

const FakeGlyph& FakeFont::Glyph(char32_t code) const {
  const auto it = glyphs_.find(code);
  return it == glyphs_.end() ? default_ : it->second;
}

GlyphCoverage FakeFont::Coverage(char32_t code) const {
  const FakeGlyph& g = Glyph(code);
  const int32_t width = std::max(0, g.abc.b);
  const int32_t rows = std::max(0, g.inkHeight < 0 ? lineHeight_ - g.inkTop : g.inkHeight);
  if (width == 0 || rows == 0) return {};
  auto ink = ink_.find(code);  // made once, so threads may read it after Prepare
  if (ink == ink_.end()) {
    ink = ink_.emplace(code, std::vector<uint8_t>(static_cast<size_t>(width) * rows, g.level)).first;
  }
  return {g.abc.a, g.inkTop, width, rows, ink->second.data()};
}

Result<std::unique_ptr<TextRasterizer>> FakeRasterizer::ForFontFile(const std::string& path,
                                                                     int32_t index) const {
  if (!path.ends_with(".ttf")) {
    return FontError(Problem::kUnusableFontFile, path, {index}, "unknown file format");
  }
  auto file = std::make_unique<FakeRasterizer>();
  file->faces = {"Filed Face"};
  return std::unique_ptr<TextRasterizer>(std::move(file));
}

Result<std::unique_ptr<RasterFont>> FakeRasterizer::CreateFont(const FontRequest& request) const {
  lastRequest = request;
  ++fontsMade;
  if (std::find(faces.begin(), faces.end(), request.face) == faces.end()) {
    return MakeError(FaceNotInstalled(request.face));
  }
  const int32_t h = request.pixelHeight;
  FakeGlyph glyph;
  glyph.abc = {h / 10, std::max(1, h / 2), h / 10};
  auto font = std::make_unique<FakeFont>(h + h / 5, glyph);
  font->lacking = lacking;
  font->mapped = mapped;
  return std::unique_ptr<RasterFont>(std::move(font));
}

}  // namespace glyphsheet::testing
