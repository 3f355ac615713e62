#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// AngelCode BMFont's "info" block: how the font was made.
struct BmFontInfo {
  std::string face;
  /// The character height (the em) in sheet pixels, positive: engines that
  /// scale text by it read a negative size upside down.
  int32_t size = 0;
  bool bold = false;
  bool italic = false;
  /// Grey levels (anti-aliased) rather than black and white.
  bool smooth = true;
  /// The supersampling factor.
  int32_t aa = 1;
  /// The font-wide borders: up, right, down, left.
  std::array<int32_t, 4> padding{};
};

/// The "common" block: the line and the page.
struct BmFontCommon {
  /// Line height in sheet pixels.
  int32_t lineHeight = 0;
  /// From the top of a line to the baseline, in sheet pixels.
  int32_t base = 0;
  /// The sheet size, that of every page.
  int32_t scaleW = 0;
  int32_t scaleH = 0;
  /// The number of pages.
  int32_t pages = 1;
};

/// One "char": a cell of the sheet and how to set it.
struct BmFontChar {
  /// The Unicode code point of the character.
  uint32_t id = 0;
  /// The cell on the sheet.
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  /// Where the cell goes relative to the pen and the top of the line.
  int32_t xoffset = 0;
  int32_t yoffset = 0;
  /// How far the pen moves after the character.
  int32_t xadvance = 0;
  /// The page the cell is on.
  int32_t page = 0;

  bool operator==(const BmFontChar&) const = default;
};

/// One "kerning": the pen moves `amount` more from `first` to `second`.
struct BmFontKerning {
  uint32_t first = 0;
  uint32_t second = 0;
  int32_t amount = 0;

  bool operator==(const BmFontKerning&) const = default;
};

/// What a BMFont descriptor says of a rebuilt sheet, in sheet pixels. The
/// values every descriptor holds alike (unicode=1, charset="", stretchH=100,
/// spacing 0,0, unpacked, glyphs in the alpha channel of white, chnl=15) are
/// the writers' to add.
struct BmFont {
  BmFontInfo info;
  BmFontCommon common;
  /// The file name of each page image, without folders.
  std::vector<std::string> pages;
  /// In glyph-list order, each character once.
  std::vector<BmFontChar> chars;
  /// Pairs of listed characters with a non-zero amount, in the order of
  /// `chars`: by first, then by second.
  std::vector<BmFontKerning> kernings;
  /// Of a distance-field sheet, the field's whole range in pixels, from
  /// value 0 to value 255 (twice the spread, as readers take a "distanceRange");
  /// 0 for a coverage sheet.
  int32_t distanceRange = 0;
  /// Glyphs left out because their cells do not lie wholly on a page.
  size_t leftOut = 0;
};

/// The BMFont description of a document as last rebuilt with `font`: a
/// character's cell is its sheet cell, xoffset the descriptor's a, yoffset
/// minus the font-wide top inset (the top border, and a field's spread),
/// xadvance a + b + c; kerning (when asked for) from the font, divided by
/// the smoothing factor and rounded. A code
/// listed twice is described once, by its first cell. `pages` names the page
/// images in page order; cells on pages past them are left out.
BmFont DescribeBmFont(const SheetDocument& doc, const RasterFont* font,
                      const std::vector<std::string>& pages, bool withKerning);

}  // namespace glyphsheet
