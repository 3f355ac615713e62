#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "sheet/settings.h"

namespace glyphsheet {

/// Sheet sides a project or sheet image holds (the image header stores 16 bits).
inline constexpr SettingRange kSheetSideRange{1, 65535};
/// Lengths in bytes of the face name a project holds (a reader's buffer is
/// 256 bytes with the terminating 0).
inline constexpr SettingRange kFaceNameBytesRange{0, 255};

/// One character of the sheet as the user set it up.
struct Glyph {
  /// A Unicode scalar value.
  char32_t code = 0;
  /// Extra pixels on the left of this glyph's cell only.
  int32_t leftBorder = 0;
  /// Extra pixels on the right of this glyph's cell only.
  int32_t rightBorder = 0;

  bool operator==(const Glyph&) const = default;
};

/// Values kept in the narrow type while every one fits it, in the wide type
/// once one does not: a list of millions stays small while its values do.
template <class Narrow, class Wide>
class PackedValues {
 public:
  size_t size() const { return isWide_ ? wide_.size() : narrow_.size(); }
  Wide operator[](size_t index) const { return isWide_ ? wide_[index] : Wide{narrow_[index]}; }
  void push_back(Wide value) {
    if (!isWide_ && !Fits(value)) Widen();
    isWide_ ? wide_.push_back(value) : narrow_.push_back(static_cast<Narrow>(value));
  }
  void Set(size_t index, Wide value) {
    if (!isWide_ && !Fits(value)) Widen();
    isWide_ ? void(wide_[index] = value) : void(narrow_[index] = static_cast<Narrow>(value));
  }
  void reserve(size_t count) { isWide_ ? wide_.reserve(count) : narrow_.reserve(count); }

 private:
  static bool Fits(Wide value) {
    return value >= std::numeric_limits<Narrow>::min() && value <= std::numeric_limits<Narrow>::max();
  }
  void Widen() {
    wide_.reserve(narrow_.capacity());
    wide_.assign(narrow_.begin(), narrow_.end());
    narrow_ = {};
    isWide_ = true;
  }

  bool isWide_ = false;
  std::vector<Narrow> narrow_;
  std::vector<Wide> wide_;
};

/// Glyphs in insertion order: the order of packing, rendering, files and
/// lists. Held in three bytes per glyph while every code is below 256 and
/// every border fits in a signed byte (as the border boxes' values do), so
/// a project of millions of glyphs loads into little memory.
class GlyphList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Glyph;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = Glyph;

    const_iterator() = default;
    const_iterator(const GlyphList* list, size_t index) : list_(list), index_(index) {}
    Glyph operator*() const { return (*list_)[index_]; }
    const_iterator& operator++() { ++index_; return *this; }
    const_iterator operator++(int) { const_iterator old = *this; ++index_; return old; }
    bool operator==(const const_iterator& other) const { return index_ == other.index_; }

   private:
    const GlyphList* list_ = nullptr;
    size_t index_ = 0;
  };

  GlyphList() = default;
  GlyphList(std::initializer_list<Glyph> glyphs);

  size_t size() const { return codes_.size(); }
  bool empty() const { return size() == 0; }
  Glyph operator[](size_t index) const {
    return Glyph{codes_[index], borders_[2 * index], borders_[2 * index + 1]};
  }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  void push_back(const Glyph& glyph);
  void SetBorders(size_t index, int32_t left, int32_t right);
  void reserve(size_t count);
  void clear();

  bool operator==(const GlyphList& other) const;

 private:
  PackedValues<uint8_t, char32_t> codes_;
  /// Left and right border of each glyph.
  PackedValues<int8_t, int32_t> borders_;
};

/// Where the rebuild put a glyph's cell, in sheet pixels.
struct GlyphCell {
  /// Left and top edge.
  int32_t x = 0;
  int32_t y = 0;
  /// Width with all horizontal borders, height with the top and bottom ones.
  int32_t width = 0;
  int32_t height = 0;
  /// The page the cell is on, from 0.
  int32_t page = 0;

  bool operator==(const GlyphCell&) const = default;
};

/// A cell that starts on its page, with the index of its glyph.
struct ShownCell {
  size_t index = 0;
  GlyphCell cell;
};

/// What the last rebuild made of the glyph list. Only the cells that start on
/// a page are kept (at most one per page pixel); the others are found again
/// by walking the list (see CellWalk).
struct SheetLayout {
  /// Cells starting on a page, in list order.
  std::vector<ShownCell> shown;
  /// Cells that do not lie wholly on a page: they reach past its bottom or
  /// right edge and are cut off there.
  size_t offSheet = 0;
  /// Pages that hold a cell; at least 1.
  int32_t pages = 1;
};

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
  /// Spread of a signed distance field within kDistanceSpreadRange, or 0:
  /// coverage (the quality and smoothing above). With a field each texel
  /// holds the distance to the glyph's edge, the edge at 128, inside above;
  /// the smoothing factor does not apply and metrics are the anti-aliased ones.
  int32_t distanceField = 0;
};

/// Everything a sheet is built from, plus the layout of the last rebuild.
struct SheetDocument {
  /// Sheet size in pixels; one of kSheetSizeChoices from the dialog, any
  /// stored value from a project. Every page has this size.
  int32_t sheetWidth = 256;
  int32_t sheetHeight = 256;
  /// How many pages the layout may fill: with 1, cells past the sheet stay
  /// where the rows put them, cut off (the TGA export's one sheet); with
  /// more, a cell that would reach past a page's bottom starts the next page.
  /// Not stored in the project.
  int32_t maxPages = 1;
  CellBorders borders;
  FontSettings font;
  GlyphList glyphs;
  /// Set by the rebuild; meaningless before it.
  SheetLayout layout;

  /// Appends a glyph with zero borders unless one with this code exists.
  /// Returns true when a glyph was added. Does not rebuild.
  bool AddGlyph(char32_t code);
  /// Appends a glyph with zero borders for each code not listed yet, in
  /// order; returns how many were added. Does not rebuild.
  size_t AddGlyphs(std::span<const char32_t> codes);
  /// Removes every glyph.
  void ClearGlyphs();
};

}  // namespace glyphsheet
