#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <ranges>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glyphsheet {

// Every setting the user sets: its range or its choices, and how a value from
// outside (a project file, the command line, a control) is brought into it.
// Nothing else in the program spells these numbers out.

/// A closed range of whole numbers.
struct SettingRange {
  int32_t min = 0;
  int32_t max = 0;

  constexpr bool Contains(int32_t value) const { return value >= min && value <= max; }
  /// The value held to the range.
  constexpr int32_t Clamp(int32_t value) const {
    return value < min ? min : (value > max ? max : value);
  }
  /// "min..max", as messages and help show it.
  std::string Text() const;
};

/// Point size of the sheet font.
inline constexpr SettingRange kPointSizeRange{5, 100};
/// Every border the user sets, font-wide and per glyph, in pixels.
inline constexpr SettingRange kBorderRange{0, 16};
/// Smoothing (supersampling) factor f: the font is made f times larger and
/// reduced f : 1. Every factor of the range is offered.
inline constexpr SettingRange kSmoothingRange{1, 4};

/// Spread of a distance-field sheet in sheet pixels: how far from a glyph's
/// edge its field reaches on either side; 0 (off) draws coverage instead.
inline constexpr SettingRange kDistanceSpreadRange{1, 32};

/// Quality values: anti-aliased grey levels, or black and white only.
inline constexpr int32_t kQualityAntialiased = 4;
inline constexpr int32_t kQualityAliased = 3;
/// The qualities offered, in the order they are listed.
inline constexpr int32_t kQualityChoices[2] = {kQualityAntialiased, kQualityAliased};
/// Weights offered: normal, medium, bold.
inline constexpr int32_t kWeightChoices[3] = {400, 600, 700};
/// Weights above this are bold: a typeface's bold face, or a synthesised one.
inline constexpr int32_t kBoldAbove = 550;
/// The sheet sizes offered in each direction.
inline constexpr int32_t kSheetSizeChoices[7] = {64, 128, 256, 512, 1024, 2048, 4096};

/// True when value is one of choices.
bool IsChoice(int32_t value, std::span<const int32_t> choices);
/// The choices as "64, 128, 256, 512".
std::string ChoicesText(std::span<const int32_t> choices);

/// The smoothing factor the pipeline works with: the setting when it is in
/// range, else 1 (no supersampling), so no stage divides by 0 or a negative factor.
int32_t SmoothingFactor(int32_t smoothing);

/// What taking a stored value into the settings did with it.
enum class LoadTake {
  kTaken,    ///< used as stored
  kClamped,  ///< held to its range
  kKept,     ///< not a choice: the current value stays
};

/// Sets target to stored held to range; kClamped when that changed it.
LoadTake TakeClamped(int32_t stored, SettingRange range, int32_t& target);
/// Sets target to stored when it lies in range; else target stays (kKept).
LoadTake TakeInRange(int32_t stored, SettingRange range, int32_t& target);
/// Sets target to stored when it is one of choices; else target stays (kKept).
LoadTake TakeChoice(int32_t stored, std::span<const int32_t> choices, int32_t& target);

/// Case-insensitive (ASCII) comparison key of a typeface name.
std::string FoldCase(std::string_view name);

/// The first of typefaces whose name (`nameOf` gives it) equals name without
/// regard to letter case; typefaces' end when there is none.
template <std::ranges::forward_range Typefaces, class NameOf = std::identity>
auto FindTypefaceIn(Typefaces& typefaces, std::string_view name, NameOf nameOf = {}) {
  return std::ranges::find(typefaces, FoldCase(name), [&nameOf](const auto& typeface) {
    return FoldCase(std::invoke(nameOf, typeface));
  });
}

/// The typeface of the list equal to name without regard to letter case, if any.
std::optional<std::string> FindTypeface(std::string_view name,
                                        const std::vector<std::string>& typefaces);

}  // namespace glyphsheet
