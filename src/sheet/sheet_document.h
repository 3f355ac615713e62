#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glyphsheet {

/// Side of the sheet bitmap; the sheet occupies its top-left corner.
constexpr int32_t kSheetBitmapSize = 512;
/// The sheet sizes offered in each direction.
constexpr int32_t kSheetSizeChoices[4] = {64, 128, 256, 512};
/// Largest sheet side a project or sheet image holds (the image header stores 16 bits).
constexpr int32_t kMaxSheetSide = 65535;
/// Point size range of the sheet font.
constexpr int32_t kMinPointSize = 5;
constexpr int32_t kMaxPointSize = 100;
/// Range of every border the user sets (font-wide and per glyph).
constexpr int32_t kMinBorder = 0;
constexpr int32_t kMaxBorder = 16;
/// Weights offered: normal, medium, bold.
constexpr int32_t kWeightChoices[3] = {400, 600, 700};
/// Quality values: anti-aliased grey levels, or black and white only.
constexpr int32_t kQualityAntialiased = 4;
constexpr int32_t kQualityAliased = 3;
/// Smoothing (supersampling) factor range.
constexpr int32_t kMinSmoothing = 1;
constexpr int32_t kMaxSmoothing = 4;

/// One character of the sheet. x, y, width and height are derived: they are
/// set by the rebuild and meaningless before it.
struct GlyphRecord {
  /// One Windows-1252 byte.
  uint8_t code = 0;
  /// Extra pixels on the left of this glyph's cell only.
  int32_t leftBorder = 0;
  /// Extra pixels on the right of this glyph's cell only.
  int32_t rightBorder = 0;
  /// Left edge of the cell in sheet pixels.
  int32_t x = 0;
  /// Top edge of the cell in sheet pixels.
  int32_t y = 0;
  /// Cell width in sheet pixels, all horizontal borders included.
  int32_t width = 0;
  /// Cell height in sheet pixels, top and bottom borders included.
  int32_t height = 0;
};

/// Glyphs in insertion order: the order of packing, rendering, files and lists.
using GlyphList = std::vector<GlyphRecord>;

/// Font-wide borders in pixels that every cell gets.
struct CellBorders {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

/// What the sheet font is made from.
struct FontSettings {
  /// Typeface name as listed by the rasterizer.
  std::string faceName;
  /// Point size, 5..100.
  int32_t pointSize = 11;
  /// 400, 600 or 700.
  int32_t weight = 400;
  /// kQualityAntialiased (4) or kQualityAliased (3).
  int32_t quality = kQualityAntialiased;
  /// Smoothing factor f, 1..4: the font is made f times larger and reduced f : 1.
  int32_t smoothing = 1;
  /// 0 or 1.
  int32_t italic = 0;
};

/// Everything a sheet is built from, plus the cell positions of the last rebuild.
struct SheetDocument {
  /// Sheet size in pixels; 64..512 from the dialog, any stored value from a project.
  int32_t sheetWidth = 256;
  int32_t sheetHeight = 256;
  CellBorders borders;
  FontSettings font;
  GlyphList glyphs;

  /// Appends a glyph with zero borders unless one with this code exists.
  /// Returns true when a glyph was added. Does not rebuild.
  bool AddGlyph(uint8_t code);
  /// Removes every glyph.
  void ClearGlyphs();
};

}  // namespace glyphsheet
