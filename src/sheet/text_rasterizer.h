#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sheet/pixel_bitmap.h"
#include "sheet/result.h"

namespace glyphsheet {

/// What a font is made from. Codes drawn with it are Unicode characters.
struct FontRequest {
  /// A typeface name from TextRasterizer::ListTypefaces.
  std::string face;
  /// The em size in pixels (a character height, not a cell height).
  int32_t pixelHeight = 15;
  /// 100..900; above 550 prefers the typeface's bold face, else synthesises bold.
  int32_t weight = 400;
  /// Prefer an italic face, else slant the outline.
  bool italic = false;
  /// Grey levels 0..255 when true; only 0 and 255 when false.
  bool antialiased = true;
  /// When above 0, Coverage holds a signed distance field instead of grey
  /// levels: 128 on the outline, 128 / spread more per pixel inside and less
  /// outside, held to 0..255. It reaches `distanceSpread` pixels past the
  /// glyph's box on every side. Widths and line height stay those of the
  /// anti-aliased font.
  int32_t distanceSpread = 0;

  bool operator==(const FontRequest&) const = default;
};

/// Horizontal metrics of one character in pixels.
struct AbcWidths {
  /// From the pen position to the left of the ink; may be negative.
  int32_t a = 0;
  /// Ink width; at least 1, also for a blank character.
  int32_t b = 0;
  /// From the right of the ink to the next pen position; may be negative.
  int32_t c = 0;
};

/// The rendered ink of one code: one coverage byte (0..255) per pixel, rows
/// from the top. Its top-left pixel lies `left` columns right of the pen
/// position and `top` rows below the top of the character cell.
struct GlyphCoverage {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t rows = 0;
  /// width × rows bytes owned by the font; nullptr when there is no ink.
  const uint8_t* pixels = nullptr;
};

class ReducedGlyphs;

/// Two codes that kern: positions in the codes asked for and how much
/// farther (or, negative, less far) the pen moves from the first to the
/// second than the first one's advance, in 1/64 pixel; never 0.
struct KernedPair {
  uint32_t first = 0;
  uint32_t second = 0;
  int32_t amount = 0;

  bool operator==(const KernedPair&) const = default;
};

/// A created font at a fixed pixel size. All codes are Unicode characters.
/// A font's metrics and ink never change once made.
class RasterFont {
 public:
  RasterFont();
  virtual ~RasterFont();
  RasterFont(const RasterFont&) = delete;
  RasterFont& operator=(const RasterFont&) = delete;

  /// Line height in pixels (ascent + descent), the same for every code.
  virtual int32_t LineHeight() const = 0;
  /// Ascent in pixels: from the top of the character cell to the baseline.
  virtual int32_t Ascent() const = 0;
  /// A/B/C widths of one code; A + B + C is its advance. The cell columns
  /// A .. A + B from the pen hold all of the code's ink.
  virtual AbcWidths CharAbc(char32_t code) const = 0;
  /// The ink of one code, valid as long as the font.
  virtual GlyphCoverage Coverage(char32_t code) const = 0;
  /// True when the font has a glyph of its own for the code; a code it
  /// lacks is drawn as the font's missing-glyph box.
  virtual bool HasGlyph(char32_t code) const = 0;
  /// Every character the font maps to a glyph, in code order.
  virtual std::vector<char32_t> MappedCharacters() const { return {}; }
  /// What RenderEach hands over for codes[index]: its A/B/C widths and its
  /// ink, valid only during the call.
  using InkUse =
      std::function<void(size_t index, const AbcWidths& abc, const GlyphCoverage& ink)>;
  /// Renders each of these codes (each listed once) and hands its widths and
  /// ink to `use`, several codes at once on every core the machine has (use
  /// is called from several threads, never twice for one index). The ink is
  /// not kept, so memory does not grow with the codes; widths and ink are
  /// those CharAbc and Coverage give.
  virtual void RenderEach(std::span<const char32_t> codes, const InkUse& use) const;
  /// The ordered pairs of the codes that kern, by first position then
  /// second position; pairs that do not kern are left out, so a font without
  /// kerning gives none. Like the metrics, a pair's kerning never changes
  /// once asked.
  virtual std::vector<KernedPair> KerningPairs(std::span<const char32_t> codes) const;

  /// The sheet-scale images of this font's glyphs that the renderer keeps.
  ReducedGlyphs& Reduced() const { return *reduced_; }

 private:
  std::unique_ptr<ReducedGlyphs> reduced_;
};

/// The font library: lists typefaces and creates fonts.
class TextRasterizer {
 public:
  virtual ~TextRasterizer() = default;

  /// Installed typeface names, sorted without regard to case, each once.
  virtual std::vector<std::string> ListTypefaces() const = 0;
  /// Creates a font; fails with a message naming the face when it is not
  /// installed or its file cannot be used.
  virtual Result<std::unique_ptr<RasterFont>> CreateFont(const FontRequest& request) const = 0;
  /// The typeface to start with: the desktop's default text face where the
  /// rasterizer knows it, else the first listed; empty when none is.
  virtual std::string DefaultTypeface() const {
    const std::vector<std::string> names = ListTypefaces();
    return names.empty() ? std::string() : names.front();
  }
  /// The listed typeface closest to `name`, which is not installed: the one
  /// text asking for it would be drawn with; the default one where the
  /// rasterizer cannot tell.
  virtual std::string ClosestTypeface(const std::string& name) const {
    (void)name;
    return DefaultTypeface();
  }
  /// A rasterizer of the one typeface of a font file that need not be
  /// installed (face `index` of the file); fails naming the file and why.
  virtual Result<std::unique_ptr<TextRasterizer>> ForFontFile(const std::string& path,
                                                              int32_t index) const;
};

}  // namespace glyphsheet
