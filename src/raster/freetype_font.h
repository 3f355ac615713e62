#pragma once

#include <unordered_map>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "raster/freetype_handles.h"
#include "raster/pair_kerning.h"
#include "sheet/text_rasterizer.h"
#include "raster/typeface_catalog.h"

namespace glyphsheet::raster {

/// How a created font draws: the face it uses and what it synthesises.
struct FontStyle {
  /// Em size in pixels.
  int32_t pixelHeight = 15;
  /// Widen every outline and add one pixel to each advance (no bold face).
  bool emboldenOutline = false;
  /// Slant every outline by 0.2 (no italic face).
  bool slantOutline = false;
  /// Grey levels when true, 0 or 255 only when false.
  bool antialiased = true;
  /// A signed distance field of this spread in pixels instead of coverage
  /// when above 0 (see FontRequest::distanceSpread); measured as anti-aliased.
  int32_t distanceSpread = 0;
};

/// A font drawn with FreeType. A code is measured from its hinted outline on
/// first use and rendered when its ink is asked for: Coverage keeps the ink,
/// RenderEach renders several at a time (each thread with a face of its own)
/// and keeps only the widths. Codes that are never drawn are never rendered.
class FreeTypeFont : public RasterFont {
 public:
  /// Opens `file` of the typeface `faceName` at the style's size; the error
  /// names the typeface and the file.
  static Result<std::unique_ptr<RasterFont>> Create(LibraryPtr library, const std::string& faceName,
                                                    const FaceFile& file, const FontStyle& style);

  int32_t LineHeight() const override { return ascent_ + descent_; }
  int32_t Ascent() const override { return ascent_; }
  AbcWidths CharAbc(char32_t code) const override;
  GlyphCoverage Coverage(char32_t code) const override;
  bool HasGlyph(char32_t code) const override;
  std::vector<char32_t> MappedCharacters() const override;
  void RenderEach(std::span<const char32_t> codes, const InkUse& use) const override;
  std::vector<KernedPair> KerningPairs(std::span<const char32_t> codes) const override;

 private:
  // One code: its widths and, once rendered, its coverage, one byte per pixel.
  struct Glyph {
    AbcWidths abc;
    bool rendered = false;
    int32_t left = 0;  // bitmap column 0, from the pen position
    int32_t top = 0;   // bitmap row 0, in pixels above the baseline
    int32_t width = 0;
    int32_t rows = 0;
    std::unique_ptr<uint8_t[]> coverage;  // width × rows bytes, or none
  };

  FreeTypeFont(LibraryPtr library, FacePtr face, const FaceFile& file, const FontStyle& style);

  const Glyph& Measured(char32_t code) const;
  const Glyph& Rendered(char32_t code) const;
  Glyph Load(FT_Face face, char32_t code, bool render) const;
  /// Loads the glyph of `index` (or, failing that, .notdef) into the face's
  /// slot, with the outline emboldened and slanted as the style asks.
  bool LoadStyled(FT_Face face, FT_UInt index) const;
  /// Renders the field of the outline in the slot into glyph.
  void RenderField(FT_GlyphSlot slot, Glyph& glyph) const;
  /// The glyph as the cell holds it: widths measured before win, and the
  /// ink is cut to them.
  Glyph Settled(char32_t code, Glyph glyph) const;
  void Store(char32_t code, Glyph glyph) const;
  GlyphCoverage InkOf(const Glyph& glyph) const;

  // The library is declared first so it is released after the face.
  LibraryPtr library_;
  FacePtr face_;
  FaceFile file_;
  FontStyle style_;
  int32_t ascent_ = 0;
  int32_t descent_ = 0;
  // By code; RenderEach makes every slot it fills before its threads start,
  // so they only fill slots and never add one.
  mutable std::unordered_map<char32_t, std::unique_ptr<Glyph>> cache_;
  // The kerning pairs last shaped and their codes: a redraw asks again for
  // the same codes.
  mutable std::mutex kerningMutex_;
  mutable std::vector<char32_t> kernedCodes_;
  mutable std::vector<KernedPair> kerning_;

};

/// Ascent and descent in whole pixels as the Windows font mapper computes
/// them for an em of `pixelHeight` pixels: from usWinAscent/usWinDescent, or
/// from the hhea table when both are 0.
struct VerticalMetrics {
  int32_t ascent = 0;
  int32_t descent = 0;
};
/// The vertical metrics of an opened face at an em of `pixelHeight` pixels.
VerticalMetrics WindowsVerticalMetrics(FT_Face face, int32_t pixelHeight);

}  // namespace glyphsheet::raster
