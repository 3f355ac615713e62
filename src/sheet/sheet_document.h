#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sheet/settings.h"

namespace glyphsheet {

/// Side of the sheet bitmap; the sheet occupies its top-left corner.
constexpr int32_t kSheetBitmapSize = 512;
/// Sheet sides a project or sheet image holds (the image header stores 16 bits).
inline constexpr SettingRange kSheetSideRange{1, 65535};

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
  /// Point size, within kPointSizeRange.
  int32_t pointSize = 11;
  /// One of kWeightChoices.
  int32_t weight = 400;
  /// kQualityAntialiased (4) or kQualityAliased (3).
  int32_t quality = kQualityAntialiased;
  /// Smoothing factor f, within kSmoothingRange.
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
