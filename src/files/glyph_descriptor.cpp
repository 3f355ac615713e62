#include "files/glyph_descriptor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "sheet/saturate.h"
#include "sheet/sheet_font.h"

namespace glyphsheet {

namespace {

struct Spacing {
  int32_t a = 0;
  int32_t b = 0;
  int32_t c = 0;
};

// The spacing of one glyph in sheet pixels: the font's A/B/C divided by the
// smoothing factor (truncating), with the horizontal borders moved into b.
Spacing SpacingOf(const GlyphRecord& glyph, const CellBorders& borders, AbcWidths abc,
                  int64_t factor) {
  const int64_t left = int64_t{glyph.leftBorder} + borders.left;
  const int64_t right = int64_t{glyph.rightBorder} + borders.right;
  const int64_t ink = std::llabs(int64_t{abc.b}) / factor;
  return Spacing{Saturate(abc.a / factor - left), Saturate(ink + left + right),
                 Saturate(abc.c / factor - right)};
}

template <class... Args>
void AppendLine(std::string& out, const char* format, Args... args) {
  char line[256];
  const int length = std::snprintf(line, sizeof line, format, args...);
  out.append(line, static_cast<size_t>(std::clamp(length, 0, int{sizeof line} - 1)));
}

}  // namespace

std::string FormatGlyphDescriptor(const SheetDocument& doc, const RasterFont* font) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<font>\n";
  const int64_t factor = SmoothingFactor(doc.font);
  for (const GlyphRecord& glyph : doc.glyphs) {
    const int code = glyph.code;
    AppendLine(out, "\t<char id=\"%d\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" />\n", code,
               int{glyph.x}, int{glyph.y}, int{glyph.width}, int{glyph.height});
    const AbcWidths abc = font != nullptr ? font->CharAbc(glyph.code) : AbcWidths{};
    const Spacing spacing = SpacingOf(glyph, doc.borders, abc, factor);
    AppendLine(out, "\t<spacing id=\"%d\" a=\"%d\" b=\"%d\" c=\"%d\" />\n", code,
               int{spacing.a}, int{spacing.b}, int{spacing.c});
  }
  out += "</font>\n";
  return out;
}

}  // namespace glyphsheet
