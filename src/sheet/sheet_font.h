#pragma once

#include <cstdint>
#include <memory>

#include "sheet/result.h"
#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// Pixels per inch used to turn points into pixels, on every machine.
constexpr int32_t kSheetResolution = 96;

/// Pixel height of the sheet font: (factor × size held to kPointSizeRange) × 96 / 72,
/// rounded to nearest with halves away from zero (size 11: 15 at factor 1,
/// 59 at factor 4).
int32_t SheetFontPixelHeight(int32_t pointSize, int32_t factor);

/// The spread of the settings' distance field; 0 when they draw coverage
/// (also for a spread outside kDistanceSpreadRange).
int32_t FieldSpread(const FontSettings& settings);

/// The factor the sheet font is drawn at, times the sheet's scale: the
/// smoothing factor, or 1 for a distance field (drawn at sheet scale).
int32_t DrawFactor(const FontSettings& settings);

/// The font request for the settings (pixel height at smoothing-factor scale).
FontRequest SheetFontRequest(const FontSettings& settings);

/// Creates the sheet font for the settings; the caller replaces its font whole.
Result<std::unique_ptr<RasterFont>> CreateSheetFont(const TextRasterizer& rasterizer,
                                                    const FontSettings& settings);

/// The sheet font of a document. Update makes the font anew only when the
/// settings ask for another one, so a change that does not concern the font
/// (a font-wide border, say) keeps every rendered and reduced glyph.
class SheetFontCache {
 public:
  /// Makes the font for the settings unless the current one was made from
  /// the same request. On failure there is no font; the error says why.
  Status Update(const TextRasterizer& rasterizer, const FontSettings& settings);
  /// The current font; nullptr when it could not be made.
  const RasterFont* Font() const { return font_.get(); }

 private:
  std::unique_ptr<RasterFont> font_;
  FontRequest request_;
};

}  // namespace glyphsheet
