#include "raster/pair_kerning.h"

#include <hb-aat.h>
#include <hb-ot.h>
#include <hb.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <memory>

#include "sheet/work_threads.h"

namespace glyphsheet::raster {

namespace {

// Pairs are shaped left to right as Latin text, so one plan serves them all.
hb_segment_properties_t PairProperties() {
  hb_segment_properties_t properties = HB_SEGMENT_PROPERTIES_DEFAULT;
  properties.direction = HB_DIRECTION_LTR;
  properties.script = HB_SCRIPT_LATIN;
  properties.language = hb_language_from_string("en", -1);
  return properties;
}

// Shaping one pair costs about as much as drawing this many pixels.
constexpr int64_t kPixelsPerPair = 512;

using SetPtr = std::unique_ptr<hb_set_t, decltype(&hb_set_destroy)>;
SetPtr NewSet() { return {hb_set_create(), hb_set_destroy}; }
using BufferPtr = std::unique_ptr<hb_buffer_t, decltype(&hb_buffer_destroy)>;
BufferPtr NewBuffer() { return {hb_buffer_create(), hb_buffer_destroy}; }

// True when some glyph of `glyphs` is in `set`.
bool AnyIn(const hb_set_t* glyphs, const hb_set_t* set) {
  hb_codepoint_t glyph = HB_SET_VALUE_INVALID;
  while (hb_set_next(glyphs, &glyph)) {
    if (hb_set_has(set, glyph)) return true;
  }
  return false;
}

// A font table read as big-endian numbers; a read past its end gives 0 and
// marks the table broken.
class TableData {
 public:
  TableData(hb_face_t* face, hb_tag_t tag) : blob_(hb_face_reference_table(face, tag)) {
    data_ = hb_blob_get_data(blob_, &length_);
  }
  ~TableData() { hb_blob_destroy(blob_); }
  TableData(const TableData&) = delete;
  TableData& operator=(const TableData&) = delete;

  bool Empty() const { return length_ == 0; }
  bool Broken() const { return broken_; }
  uint32_t U16(size_t at) const {
    if (at + 2 > length_) return Fail();
    return uint32_t{Byte(at)} << 8 | Byte(at + 1);
  }
  uint32_t U32(size_t at) const { return U16(at) << 16 | U16(at + 2); }

 private:
  uint8_t Byte(size_t at) const { return static_cast<uint8_t>(data_[at]); }
  uint32_t Fail() const {
    broken_ = true;
    return 0;
  }

  hb_blob_t* blob_;
  const char* data_ = nullptr;
  unsigned length_ = 0;
  mutable bool broken_ = false;
};

// What a GSUB or GPOS lookup can do to a glyph because of its neighbour,
// from narrowest to widest.
enum class LookupReach {
  // Substitutes or moves one glyph by itself.
  kOneGlyph,
  // Relates only glyphs it lists (in coverage tables, glyph sequences or
  // non-zero classes) to one another.
  kListed,
  // May relate a glyph it lists to any glyph at all: class 0 of a class
  // definition stands for every glyph the definition leaves out.
  kAnyGlyph,
  // A lookup type not read here.
  kUnknown,
};

// True when the class-based (chained) context subtable at `at` has a rule
// naming class 0 past its first glyph, whose class picks the rule set.
bool ContextNamesClassZero(const TableData& t, size_t at, bool chained) {
  const auto anyZero = [&t](size_t from, uint32_t count) {
    for (uint32_t k = 0; k < count; ++k) {
      if (t.U16(from + 2 * k) == 0) return true;
    }
    return false;
  };
  const auto allButFirst = [](uint32_t count) { return count > 0 ? count - 1 : 0; };
  const uint32_t sets = t.U16(at + (chained ? 10 : 6));
  for (uint32_t s = 0; s < sets && !t.Broken(); ++s) {
    const uint32_t setOffset = t.U16(at + (chained ? 12 : 8) + 2 * s);
    if (setOffset == 0) continue;
    const size_t set = at + setOffset;
    const uint32_t rules = t.U16(set);
    for (uint32_t r = 0; r < rules && !t.Broken(); ++r) {
      size_t rule = set + t.U16(set + 2 + 2 * r);
      if (!chained) {  // glyph count, lookup count, input classes
        if (anyZero(rule + 4, allButFirst(t.U16(rule)))) return true;
        continue;
      }
      // Backtrack, input and lookahead classes, each after its count.
      for (int sequence = 0; sequence < 3; ++sequence) {
        const uint32_t count = sequence == 1 ? allButFirst(t.U16(rule)) : t.U16(rule);
        if (anyZero(rule + 2, count)) return true;
        rule += 2 + 2 * size_t{count};
      }
    }
  }
  return false;
}

// True when the class-based pair adjustment subtable at `at` moves a pair
// whose second glyph is in class 0.
bool PairClassZeroMoves(const TableData& t, size_t at) {
  // 16-bit values per pair: one per bit of the two value formats.
  const auto values = static_cast<size_t>(std::popcount(t.U16(at + 4)) +
                                          std::popcount(t.U16(at + 6)));
  const uint32_t firstClasses = t.U16(at + 12);
  const uint32_t secondClasses = t.U16(at + 14);
  if (secondClasses == 0) return false;
  for (uint32_t c = 0; c < firstClasses && !t.Broken(); ++c) {
    const size_t record = at + 16 + 2 * values * c * secondClasses;
    for (size_t v = 0; v < values; ++v) {
      if (t.U16(record + 2 * v) != 0) return true;  // an amount, or a device table
    }
  }
  return false;
}

LookupReach SubtableReach(const TableData& t, bool positioning, uint32_t type, size_t at) {
  const uint32_t extension = positioning ? 9 : 7;
  if (type == extension) {
    type = t.U16(at + 2);
    at += t.U32(at + 4);
    if (type == extension) return LookupReach::kUnknown;
  }
  const uint32_t format = t.U16(at);
  const uint32_t context = positioning ? 7 : 5;
  const uint32_t chained = positioning ? 8 : 6;
  if (type == context || type == chained) {
    return format == 2 && ContextNamesClassZero(t, at, type == chained) ? LookupReach::kAnyGlyph
                                                                         : LookupReach::kListed;
  }
  if (positioning) {
    if (type == 1) return LookupReach::kOneGlyph;
    if (type == 2) {
      return format == 2 && PairClassZeroMoves(t, at) ? LookupReach::kAnyGlyph
                                                       : LookupReach::kListed;
    }
    if (type >= 3 && type <= 6) return LookupReach::kListed;  // cursive and mark attachment
  } else {
    if (type >= 1 && type <= 3) return LookupReach::kOneGlyph;  // single, multiple, alternate
    if (type == 4 || type == 8) return LookupReach::kListed;    // ligature, reverse chained
  }
  return LookupReach::kUnknown;
}

// The widest reach of the lookup's subtables, read from the raw table.
LookupReach ReachOfLookup(const TableData& t, bool positioning, uint32_t index) {
  const size_t list = t.U16(8);
  const size_t lookup = list + t.U16(list + 2 + 2 * size_t{index});
  const uint32_t type = t.U16(lookup);
  const uint32_t subtables = t.U16(lookup + 4);
  LookupReach reach = LookupReach::kOneGlyph;
  for (uint32_t s = 0; s < subtables && !t.Broken(); ++s) {
    const size_t subtable = lookup + t.U16(lookup + 6 + 2 * size_t{s});
    reach = std::max(reach, SubtableReach(t, positioning, type, subtable));
  }
  return t.Broken() ? LookupReach::kUnknown : reach;
}

// Adds the glyphs the older `kern` table pairs, left or right. False when
// the table is not of the kind read here: version 0 with format 0
// subtables (a font without the table is fine).
bool AddKernTableGlyphs(hb_face_t* face, hb_set_t* glyphs) {
  const TableData t(face, HB_TAG('k', 'e', 'r', 'n'));
  if (t.Empty()) return true;
  if (t.U16(0) != 0) return false;  // Apple's version 1.0
  const uint32_t subtables = t.U16(2);
  size_t at = 4;
  for (uint32_t s = 0; s < subtables && !t.Broken(); ++s) {
    if ((t.U16(at + 4) >> 8) != 0) return false;  // the format is the coverage's high byte
    const uint32_t pairs = t.U16(at + 6);
    for (uint32_t p = 0; p < pairs; ++p) {
      hb_set_add(glyphs, t.U16(at + 14 + 6 * size_t{p}));
      hb_set_add(glyphs, t.U16(at + 16 + 6 * size_t{p}));
    }
    // A large subtable's 16-bit length wraps; its pairs give its size.
    at += std::max<size_t>(t.U16(at + 2), 14 + 6 * size_t{pairs});
  }
  return !t.Broken();
}

// Characters that HarfBuzz shapes according to what stands next to them:
// marks join the character before, default-ignorable and other format
// characters are hidden or steer joining, a fraction slash makes the digits
// around it a fraction, emoji modifiers and regional indicators join their
// neighbours. Such a character is shaped with every other; so are, to be
// safe, controls, unassigned code points and line and paragraph separators.
bool JoinsNeighbours(char32_t c) {
  switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), c)) {
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_CONTROL:
    case HB_UNICODE_GENERAL_CATEGORY_FORMAT:
    case HB_UNICODE_GENERAL_CATEGORY_UNASSIGNED:
    case HB_UNICODE_GENERAL_CATEGORY_SURROGATE:
    case HB_UNICODE_GENERAL_CATEGORY_LINE_SEPARATOR:
    case HB_UNICODE_GENERAL_CATEGORY_PARAGRAPH_SEPARATOR:
      return true;
    default:
      break;
  }
  return c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0 ||  // ignorable Hangul fillers
         c == 0x2044 ||                                               // fraction slash
         c == 0xFF9E || c == 0xFF9F ||                                // halfwidth sound marks
         (c >= 0x1F1E6 && c <= 0x1F1FF) ||                            // regional indicators
         (c >= 0x1F3FB && c <= 0x1F3FF);                              // emoji modifiers
}

}  // namespace

class PairKerning::Reach {
 public:
  Reach(hb_face_t* face, hb_shape_plan_t* plan) {
    if (hb_aat_layout_has_substitution(face) || hb_aat_layout_has_positioning(face) ||
        hb_aat_layout_has_tracking(face)) {
      everyPair = true;  // Apple's tables are not read here
      return;
    }
    hb_ot_shape_plan_collect_lookups(plan, HB_OT_TAG_GSUB, planSubstitutions.get());
    for (const hb_tag_t tag : {HB_OT_TAG_GSUB, HB_OT_TAG_GPOS}) {
      const bool positioning = tag == HB_OT_TAG_GPOS;
      const TableData table(face, tag);
      // Every lookup, also those the plan leaves out: a lookup may be
      // applied from within another one.
      const unsigned count = hb_ot_layout_table_get_lookup_count(face, tag);
      for (unsigned i = 0; i < count; ++i) {
        const LookupReach reach = ReachOfLookup(table, positioning, i);
        if (reach == LookupReach::kUnknown) {
          everyPair = true;
          return;
        }
        SetPtr glyphs = NewSet();
        hb_ot_layout_lookup_collect_glyphs(face, tag, i, glyphs.get(), glyphs.get(), glyphs.get(),
                                           nullptr);
        if (!positioning) hb_set_union(substituted.get(), glyphs.get());
        if (reach == LookupReach::kAnyGlyph) {
          hb_set_union(anyNeighbour.get(), glyphs.get());
        } else if (reach == LookupReach::kListed) {
          listed.push_back(std::move(glyphs));
        } else if (positioning) {
          hb_set_union(movedAlone.get(), glyphs.get());
        }
      }
    }
    SetPtr kerned = NewSet();
    if (!AddKernTableGlyphs(face, kerned.get())) everyPair = true;
    if (!hb_set_is_empty(kerned.get())) listed.push_back(std::move(kerned));
  }

  // The tables could not be read: every pair is shaped.
  bool everyPair = false;
  // The GSUB lookups the plan applies (indices).
  SetPtr planSubstitutions = NewSet();
  // Glyphs some substitution lookup lists.
  SetPtr substituted = NewSet();
  // Glyphs a single adjustment moves, whatever stands next to them.
  SetPtr movedAlone = NewSet();
  // Glyphs a lookup may relate to any neighbour.
  SetPtr anyNeighbour = NewSet();
  // For each lookup that relates only glyphs it lists: those glyphs. The
  // older kern table counts as one such lookup.
  std::vector<SetPtr> listed;
};

struct PairKerning::Partners {
  enum Kind : uint8_t {
    kNone,    // kerns with nothing
    kListed,  // kerns with characters sharing a listed lookup
    kAny,     // is shaped with every character
  };
  std::vector<Kind> kinds;
  // For each character `words` words of bits, one per listed lookup whose
  // glyphs it can become.
  size_t words = 0;
  std::vector<uint64_t> lookups;

  bool ShareLookup(size_t i, size_t j) const {
    for (size_t w = 0; w < words; ++w) {
      if (lookups[i * words + w] & lookups[j * words + w]) return true;
    }
    return false;
  }
  bool Shaped(size_t i, size_t j) const {
    return kinds[i] == kAny || kinds[j] == kAny ||
           (kinds[i] == kListed && kinds[j] == kListed && ShareLookup(i, j));
  }
};

PairKerning::PairKerning(const std::string& path, int32_t index, int32_t pixelHeight)
    : pixelHeight_(pixelHeight) {
  blob_ = hb_blob_create_from_file_or_fail(path.c_str());
  if (blob_ == nullptr) return;
  face_ = hb_face_create(blob_, static_cast<unsigned>(index));
  unitsPerEm_ = static_cast<int32_t>(hb_face_get_upem(face_));
  // A font with neither GPOS positioning nor a kern table kerns nothing;
  // shaping each pair would only confirm it.
  hb_blob_t* kern = hb_face_reference_table(face_, HB_TAG('k', 'e', 'r', 'n'));
  const bool kerns = hb_ot_layout_has_positioning(face_) || hb_blob_get_length(kern) > 0;
  hb_blob_destroy(kern);
  if (!kerns || unitsPerEm_ <= 0) return;
  font_ = hb_font_create(face_);
  // Positions in font units; scaled to pixels below.
  hb_font_set_scale(font_, unitsPerEm_, unitsPerEm_);
  hb_font_make_immutable(font_);
  const hb_segment_properties_t properties = PairProperties();
  plan_ = hb_shape_plan_create_cached(face_, &properties, nullptr, 0, nullptr);
  reach_ = std::make_unique<Reach>(face_, plan_);
}

PairKerning::~PairKerning() {
  reach_.reset();
  hb_shape_plan_destroy(plan_);
  hb_font_destroy(font_);
  hb_face_destroy(face_);
  hb_blob_destroy(blob_);
}

void PairKerning::Shape(const uint32_t* characters, unsigned count, hb_buffer_t* buffer) const {
  static const hb_segment_properties_t kProperties = PairProperties();
  hb_buffer_clear_contents(buffer);
  hb_buffer_add_codepoints(buffer, characters, static_cast<int>(count), 0,
                           static_cast<int>(count));
  hb_buffer_set_segment_properties(buffer, &kProperties);
  hb_shape_plan_execute(plan_, font_, buffer, nullptr, 0);
}

int32_t PairKerning::Amount(char32_t left, char32_t right, hb_buffer_t* buffer) const {
  const uint32_t pair[2] = {left, right};
  Shape(pair, 2, buffer);
  unsigned count = 0;
  const hb_glyph_info_t* glyphs = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, nullptr);
  if (count != 2) return 0;
  // The first glyph's advance beyond its own, and the second glyph's shift.
  const int64_t units = int64_t{positions[0].x_advance} -
                        hb_font_get_glyph_h_advance(font_, glyphs[0].codepoint) +
                        positions[1].x_offset;
  return static_cast<int32_t>(std::lround(static_cast<double>(units) * pixelHeight_ * 64.0 /
                                          unitsPerEm_));
}

// Sorts the characters by which others they must be shaped with. A pair is
// left unshaped, as 0, when neither character is of kind kAny and no listed
// lookup holds glyphs of both. In HarfBuzz's shaping a glyph of the pair
// changes or moves because of the other only through a lookup that matches
// both glyphs, and such a lookup lists both (kListed) or reaches one through
// class 0 (kAny). Without one, each character is shaped as if alone, which
// leaves it at its glyph's own advance, unshifted, unless
//  - Unicode joins it to its neighbours (kAny), or
//  - shaped alone it is not one glyph it can become, at that glyph's own
//    advance and unshifted (kAny), or
//  - it can become several glyphs (random alternates may pick another one in
//    the pair) and a single adjustment moves one, or one is a mark, whose
//    advance is zeroed (kAny).
// The glyphs a character can become are those the plan's substitutions
// reach from its own glyph, the .notdef glyph when the font lacks it.
PairKerning::Partners PairKerning::PartnersOf(std::span<const char32_t> characters) const {
  const Reach& reach = *reach_;
  const size_t n = characters.size();
  Partners partners;
  partners.kinds.assign(n, reach.everyPair ? Partners::kAny : Partners::kNone);
  if (reach.everyPair) return partners;
  partners.words = (reach.listed.size() + 63) / 64;
  partners.lookups.assign(n * partners.words, 0);
  const bool markClasses = hb_ot_layout_has_glyph_classes(face_);
  const BufferPtr buffer = NewBuffer();
  const SetPtr becomes = NewSet();
  for (size_t i = 0; i < n; ++i) {
    const char32_t character = characters[i];
    Partners::Kind& kind = partners.kinds[i];
    kind = Partners::kAny;
    if (JoinsNeighbours(character)) continue;
    hb_codepoint_t glyph = 0;
    if (!hb_font_get_nominal_glyph(font_, character, &glyph)) glyph = 0;  // .notdef
    hb_set_clear(becomes.get());
    hb_set_add(becomes.get(), glyph);
    if (hb_set_has(reach.substituted.get(), glyph)) {
      hb_ot_layout_lookups_substitute_closure(face_, reach.planSubstitutions.get(), becomes.get());
    }
    // Alone, one of those glyphs at its own advance, unshifted.
    const uint32_t alone = character;
    Shape(&alone, 1, buffer.get());
    unsigned count = 0;
    const hb_glyph_info_t* shaped = hb_buffer_get_glyph_infos(buffer.get(), &count);
    const hb_glyph_position_t* at = hb_buffer_get_glyph_positions(buffer.get(), nullptr);
    if (count != 1 || !hb_set_has(becomes.get(), shaped[0].codepoint) || at[0].x_offset != 0 ||
        at[0].x_advance != hb_font_get_glyph_h_advance(font_, shaped[0].codepoint)) {
      continue;
    }
    if (AnyIn(becomes.get(), reach.anyNeighbour.get())) continue;
    if (hb_set_get_population(becomes.get()) > 1) {
      // The pair may hold another of the glyphs than the one shaped alone.
      if (AnyIn(becomes.get(), reach.movedAlone.get())) continue;
      bool mark = false;
      for (hb_codepoint_t g = HB_SET_VALUE_INVALID; markClasses && hb_set_next(becomes.get(), &g);) {
        mark = mark || hb_ot_layout_get_glyph_class(face_, g) == HB_OT_LAYOUT_GLYPH_CLASS_MARK;
      }
      if (mark) continue;
    }
    kind = Partners::kNone;
    for (size_t l = 0; l < reach.listed.size(); ++l) {
      if (AnyIn(becomes.get(), reach.listed[l].get())) {
        partners.lookups[i * partners.words + l / 64] |= uint64_t{1} << (l % 64);
        kind = Partners::kListed;
      }
    }
  }
  return partners;
}

std::vector<KernedPair> PairKerning::Pairs(std::span<const char32_t> characters,
                                           Shaping shaping, size_t* shaped) const {
  if (shaped != nullptr) *shaped = 0;
  if (font_ == nullptr || plan_ == nullptr) return {};
  const size_t n = characters.size();
  Partners partners;
  if (shaping == Shaping::kEvery) {
    partners.kinds.assign(n, Partners::kAny);
  } else {
    partners = PartnersOf(characters);
  }
  // Rows of a character of kind kAny are shaped whole; other rows look
  // only at characters of other kinds.
  std::vector<uint32_t> kerning;
  size_t any = 0;
  for (size_t i = 0; i < n; ++i) {
    if (partners.kinds[i] != Partners::kNone) kerning.push_back(static_cast<uint32_t>(i));
    if (partners.kinds[i] == Partners::kAny) ++any;
  }
  const size_t toShape = any * n + (kerning.size() - any) * kerning.size() + (n - kerning.size()) * any;

  // Each thread takes the next row not yet taken, with a buffer of its own.
  std::vector<std::vector<KernedPair>> rows(n);
  std::atomic<size_t> nextRow{0};
  std::atomic<size_t> shapedPairs{0};
  const auto work = [&](size_t) {
    const BufferPtr buffer = NewBuffer();
    size_t count = 0;
    for (size_t i = nextRow++; i < n; i = nextRow++) {
      const auto pair = [&](size_t j) {
        ++count;
        const int32_t amount = Amount(characters[i], characters[j], buffer.get());
        if (amount != 0) {
          rows[i].push_back({static_cast<uint32_t>(i), static_cast<uint32_t>(j), amount});
        }
      };
      if (partners.kinds[i] == Partners::kAny) {
        for (size_t j = 0; j < n; ++j) pair(j);
      } else if (partners.kinds[i] == Partners::kListed) {
        for (const uint32_t j : kerning) {
          if (partners.Shaped(i, j)) pair(j);
        }
      } else {
        for (const uint32_t j : kerning) {
          if (partners.kinds[j] == Partners::kAny) pair(j);
        }
      }
    }
    shapedPairs += count;
  };
  RunOnThreads(ThreadsFor(static_cast<int64_t>(toShape) * kPixelsPerPair), work);
  if (shaped != nullptr) *shaped = shapedPairs;

  std::vector<KernedPair> pairs;
  for (const std::vector<KernedPair>& row : rows) pairs.insert(pairs.end(), row.begin(), row.end());
  return pairs;
}

}  // namespace glyphsheet::raster
