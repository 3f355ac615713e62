#include "files/glyph_descriptor.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "sheet/cell_geometry.h"
#include "sheet/sheet_font.h"
#include "sheet/glyph_layout.h"
#include "sheet/windows1252.h"

namespace glyphsheet {

namespace {

template <class... Args>
void AppendLine(std::string& out, const char* format, Args... args) {
  char line[256];
  const int length = std::snprintf(line, sizeof line, format, args...);
  out.append(line, static_cast<size_t>(std::clamp(length, 0, int{sizeof line} - 1)));
}

}  // namespace

Status WriteGlyphDescriptorTo(AtomicFile& file, const SheetDocument& doc, const RasterFont* font) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<font>\n";
  const int32_t factor = DrawFactor(doc.font);
  const CellBorders insets = CellInsets(doc);
  const auto flush = [&file, &out] {
    const Status written = file.Write(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(out.data()), out.size()));
    out.clear();
    return written;
  };
  // Cells are found again as the rebuild packed them, none kept.
  CellWalk walk(doc, font);
  for (const Glyph glyph : doc.glyphs) {
    // The Windows-1252 byte of a character that has one, else its code
    // point (256 or more, so never taken for a byte).
    const std::optional<uint8_t> byte = UnicodeToWindows1252(glyph.code);
    const int code = byte ? int{*byte} : static_cast<int>(glyph.code);
    const GlyphCell cell = walk.Next(glyph);
    AppendLine(out, "\t<char id=\"%d\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" />\n", code,
               int{cell.x}, int{cell.y}, int{cell.width}, int{cell.height});
    const AbcWidths abc = font != nullptr ? font->CharAbc(glyph.code) : AbcWidths{};
    const AbcWidths spacing = GlyphSpacing(glyph, insets, abc, factor);
    AppendLine(out, "\t<spacing id=\"%d\" a=\"%d\" b=\"%d\" c=\"%d\" />\n", code,
               int{spacing.a}, int{spacing.b}, int{spacing.c});
    // Written a few thousand lines at a time: memory does not grow with the glyph count.
    if (out.size() >= kWriteBytes) {
      if (Status written = flush(); !written) return written;
    }
  }
  out += "</font>\n";
  return flush();
}

}  // namespace glyphsheet
