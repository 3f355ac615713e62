#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "sheet/bmfont_model.h"
#include "sheet/pixel_bitmap.h"

namespace glyphsheet {

/// Background of a text preview: dark, so the white glyphs show.
constexpr uint32_t kPreviewBackground = 0x202020;
/// Empty pixels around the set text, before scaling.
constexpr int32_t kPreviewMargin = 4;

/// A line of text set with a sheet, and what could not be set.
struct TextPreview {
  /// 0x00RRGGBB words, rows from the top, width × height.
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  /// Characters of the text that are not on the sheet, each once, in order.
  std::vector<char32_t> skipped;
};

/// Sets `text` as a game engine sets a BMFont: the pen starts at 0 on the
/// line's top; each character's cell (its pixels taken from its page's sheet
/// bitmap, coverage in the red channel, as the exported image holds them) is
/// drawn white at (pen + xoffset, yoffset), blended over what is there; the
/// pen then moves by xadvance plus the kerning of the pair. The picture is
/// the box of the line and every drawn cell, with a margin, on the dark
/// background, each pixel enlarged to scale × scale. A distance-field sheet
/// is sampled at the preview's own scale and its edge drawn one preview
/// pixel soft, as a shader draws it.
/// The width and height of the picture SetTextWithSheet makes of the text,
/// found without drawing it.
struct PreviewSize {
  int64_t width = 0;
  int64_t height = 0;
};
PreviewSize TextPreviewSize(const BmFont& font, std::u32string_view text, int32_t scale);

TextPreview SetTextWithSheet(const BmFont& font, std::span<const PixelBitmap> pages,
                             std::u32string_view text, int32_t scale);

}  // namespace glyphsheet
