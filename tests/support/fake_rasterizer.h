#pragma once

#include <map>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "sheet/text_rasterizer.h"

namespace glyphsheet::testing {

/// A character of the fake font: known A/B/C and a solid box of ink.
struct FakeGlyph {
  AbcWidths abc{1, 8, 1};
  /// Rows of blank cell above the ink.
  int32_t inkTop = 0;
  /// Rows of ink; -1 means down to the line height.
  int32_t inkHeight = -1;
  /// Grey level of the ink, 1..255.
  uint8_t level = 255;
};

/// A font whose characters are boxes of known size: the ink of a code is a
/// B × inkHeight box of `level` at (pen + A, cell top + inkTop). Its ascent
/// is four fifths of the line height. Glyphs and kerning pairs are set
/// before the font is first used.
class FakeFont : public RasterFont {
 public:
  explicit FakeFont(int32_t lineHeight, FakeGlyph defaultGlyph = {});

  /// Gives one code its own metrics and box.
  void Set(char32_t code, FakeGlyph glyph);
  const FakeGlyph& Glyph(char32_t code) const;
  /// Gives a pair of codes a kerning in 1/64 pixel.
  void SetKerning(char32_t left, char32_t right, int32_t amount) { kerning_[{left, right}] = amount; }

  int32_t LineHeight() const override { return lineHeight_; }
  int32_t Ascent() const override { return lineHeight_ * 4 / 5; }
  std::vector<KernedPair> KerningPairs(std::span<const char32_t> codes) const override {
    std::vector<KernedPair> pairs;
    for (uint32_t i = 0; i < codes.size() && !kerning_.empty(); ++i) {
      for (uint32_t j = 0; j < codes.size(); ++j) {
        const auto it = kerning_.find({codes[i], codes[j]});
        if (it != kerning_.end() && it->second != 0) pairs.push_back({i, j, it->second});
      }
    }
    return pairs;
  }
  AbcWidths CharAbc(char32_t code) const override { return Glyph(code).abc; }
  GlyphCoverage Coverage(char32_t code) const override;
  /// The font lacks these codes (they still draw, as a font's missing-glyph box does).
  std::set<char32_t> lacking;
  bool HasGlyph(char32_t code) const override { return !lacking.contains(code); }
  /// What MappedCharacters lists (the font draws every code all the same).
  std::vector<char32_t> mapped;
  std::vector<char32_t> MappedCharacters() const override { return mapped; }

 private:
  int32_t lineHeight_;
  FakeGlyph default_;
  std::map<char32_t, FakeGlyph> glyphs_;
  std::map<std::pair<char32_t, char32_t>, int32_t> kerning_;
  mutable std::map<char32_t, std::vector<uint8_t>> ink_;
};

/// A rasterizer with fixed typeface names. A font of pixel height h has line
/// height h + h / 5 and every character A = h / 10, B = max(1, h / 2), C = h / 10.
class FakeRasterizer : public TextRasterizer {
 public:
  std::vector<std::string> faces{"Fake Mono", "Fake Sans", "fake serif"};
  /// The last request CreateFont received.
  mutable FontRequest lastRequest;
  /// Fonts made so far.
  mutable int fontsMade = 0;
  /// The `lacking` and `mapped` of every font made from now on.
  std::set<char32_t> lacking;
  std::vector<char32_t> mapped;

  /// The typeface to start with, when set; the closest to a missing one.
  std::string defaultFace;
  std::string closestFace;

  std::vector<std::string> ListTypefaces() const override { return faces; }
  std::string DefaultTypeface() const override {
    return defaultFace.empty() ? TextRasterizer::DefaultTypeface() : defaultFace;
  }
  std::string ClosestTypeface(const std::string& name) const override {
    return closestFace.empty() ? TextRasterizer::ClosestTypeface(name) : closestFace;
  }
  /// A file named *.ttf holds the one typeface "Filed Face"; others are no fonts.
  Result<std::unique_ptr<TextRasterizer>> ForFontFile(const std::string& path,
                                                      int32_t index) const override;
  Result<std::unique_ptr<RasterFont>> CreateFont(const FontRequest& request) const override;
};

}  // namespace glyphsheet::testing
