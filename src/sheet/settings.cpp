#include "sheet/settings.h"

#include <algorithm>

namespace glyphsheet {

std::string SettingRange::Text() const { return std::to_string(min) + ".." + std::to_string(max); }

bool IsChoice(int32_t value, std::span<const int32_t> choices) {
  return std::find(choices.begin(), choices.end(), value) != choices.end();
}

std::string ChoicesText(std::span<const int32_t> choices) {
  std::string text;
  for (int32_t choice : choices) text += (text.empty() ? "" : ", ") + std::to_string(choice);
  return text;
}

int32_t SmoothingFactor(int32_t smoothing) {
  return kSmoothingRange.Contains(smoothing) ? smoothing : kSmoothingRange.min;
}

LoadTake TakeClamped(int32_t stored, SettingRange range, int32_t& target) {
  target = range.Clamp(stored);
  return target == stored ? LoadTake::kTaken : LoadTake::kClamped;
}

LoadTake TakeInRange(int32_t stored, SettingRange range, int32_t& target) {
  if (!range.Contains(stored)) return LoadTake::kKept;
  target = stored;
  return LoadTake::kTaken;
}

LoadTake TakeChoice(int32_t stored, std::span<const int32_t> choices, int32_t& target) {
  if (!IsChoice(stored, choices)) return LoadTake::kKept;
  target = stored;
  return LoadTake::kTaken;
}

std::string FoldCase(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

std::optional<std::string> FindTypeface(std::string_view name,
                                        const std::vector<std::string>& typefaces) {
  const auto found = FindTypefaceIn(typefaces, name);
  if (found == typefaces.end()) return std::nullopt;
  return *found;
}

}  // namespace glyphsheet
