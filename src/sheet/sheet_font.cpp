#include "sheet/sheet_font.h"

#include <algorithm>
#include <limits>

namespace glyphsheet {

namespace {

constexpr int32_t kPointsPerInch = 72;
// Weights a font request can carry; anything else becomes normal.
constexpr int32_t kMinRequestWeight = 100;
constexpr int32_t kMaxRequestWeight = 900;
constexpr int32_t kNormalWeight = 400;

// num / den rounded to nearest, halves away from zero, held to the 32-bit
// range. |num| < 2^62 and den ≠ 0, so nothing here overflows.
int32_t DivideRounded(int64_t num, int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  // Adding half the divisor before truncating puts an exact half on the
  // quotient farther from zero.
  const int64_t half = den / 2;
  const int64_t q = num >= 0 ? (num + half) / den : -((-num + half) / den);
  return static_cast<int32_t>(std::clamp<int64_t>(q, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t SheetFontPixelHeight(int32_t pointSize, int32_t factor) {
  return DivideRounded(int64_t{factor} * kPointSizeRange.Clamp(pointSize) * kSheetResolution,
                       kPointsPerInch);
}

int32_t FieldSpread(const FontSettings& settings) {
  return kDistanceSpreadRange.Contains(settings.distanceField) ? settings.distanceField : 0;
}

int32_t DrawFactor(const FontSettings& settings) {
  return FieldSpread(settings) > 0 ? 1 : SmoothingFactor(settings.smoothing);
}

FontRequest SheetFontRequest(const FontSettings& settings) {
  FontRequest request;
  request.face = settings.faceName;
  request.pixelHeight = SheetFontPixelHeight(settings.pointSize, DrawFactor(settings));
  const bool weightUsable =
      settings.weight >= kMinRequestWeight && settings.weight <= kMaxRequestWeight;
  request.weight = weightUsable ? settings.weight : kNormalWeight;
  request.italic = settings.italic != 0;
  // Only the black-and-white quality turns smoothing of edges off; any other
  // value gets the default grey levels.
  request.antialiased = settings.quality != kQualityAliased;
  // A field is drawn from the outline, whatever the quality, and measured
  // as the anti-aliased font is.
  request.distanceSpread = FieldSpread(settings);
  if (request.distanceSpread > 0) request.antialiased = true;
  return request;
}

Result<std::unique_ptr<RasterFont>> CreateSheetFont(const TextRasterizer& rasterizer,
                                                    const FontSettings& settings) {
  return rasterizer.CreateFont(SheetFontRequest(settings));
}

Status SheetFontCache::Update(const TextRasterizer& rasterizer, const FontSettings& settings) {
  const FontRequest request = SheetFontRequest(settings);
  if (font_ && request == request_) return Ok();
  font_.reset();
  auto created = rasterizer.CreateFont(request);
  if (!created) return created.failure();
  font_ = std::move(created).value();
  request_ = request;
  return Ok();
}

}  // namespace glyphsheet
