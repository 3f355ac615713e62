#pragma once

#include <cstdint>
#include <memory>

#include "raster/text_rasterizer.h"
#include "sheet/result.h"
#include "sheet/sheet_document.h"

namespace glyphsheet {

/// Pixels per inch used to turn points into pixels, on every machine.
constexpr int32_t kSheetResolution = 96;

/// The point size held to 5..100.
int32_t ClampPointSize(int32_t pointSize);

/// The smoothing factor the pipeline works with: the setting when it is 1..4,
/// else 1 (no supersampling), so no stage ever divides by 0 or a negative factor.
int32_t SmoothingFactor(const FontSettings& settings);

/// Pixel height of the sheet font: (factor × clamped size) × 96 / 72,
/// rounded to nearest with halves away from zero (size 11: 15 at factor 1,
/// 59 at factor 4).
int32_t SheetFontPixelHeight(int32_t pointSize, int32_t factor);

/// The font request for the settings (pixel height at smoothing-factor scale).
FontRequest SheetFontRequest(const FontSettings& settings);

/// Creates the sheet font for the settings; the caller replaces its font whole.
Result<std::unique_ptr<RasterFont>> CreateSheetFont(const TextRasterizer& rasterizer,
                                                    const FontSettings& settings);

}  // namespace glyphsheet
