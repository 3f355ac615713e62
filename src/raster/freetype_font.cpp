#include "raster/freetype_font.h"

#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sheet/windows1252.h"
#include "sheet/work_threads.h"

namespace glyphsheet::raster {
namespace {

// 26.6 fixed point to whole pixels.
int32_t FloorPixels(FT_Pos value) { return static_cast<int32_t>(value >> 6); }
int32_t CeilPixels(FT_Pos value) { return static_cast<int32_t>((value + 63) >> 6); }

// One em of `pixelHeight` pixels in 16.16 units per font unit, rounded.
int64_t ScaleOf(int32_t pixelHeight, int64_t unitsPerEm) {
  return (int64_t{pixelHeight} * 65536 + unitsPerEm / 2) / unitsPerEm;
}
int32_t ScaleRounded(int64_t fontUnits, int64_t scale) {
  return static_cast<int32_t>((std::llabs(fontUnits) * scale + 32768) >> 16);
}

// Hinted for 1-bit output in both qualities, so both give the same outline
// and the same widths; embedded bitmaps are skipped because the synthetic
// styles work on the outline.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;

// Copies a rendered FreeType bitmap to one coverage byte per pixel (0..255).
std::unique_ptr<uint8_t[]> CoverageOf(const FT_Bitmap& bitmap) {
  const auto width = static_cast<int32_t>(bitmap.width);
  const auto rows = static_cast<int32_t>(bitmap.rows);
  // Every byte is written below.
  auto coverage =
      std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(width) * rows);
  const int32_t stride = std::abs(bitmap.pitch);
  const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
  const uint32_t levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1u : 255u;
  for (int32_t r = 0; r < rows; ++r) {
    const FT_Byte* row = bitmap.buffer + static_cast<ptrdiff_t>(
                                             bitmap.pitch >= 0 ? r : rows - 1 - r) * stride;
    uint8_t* out = coverage.get() + static_cast<size_t>(r) * static_cast<size_t>(width);
    if (mono) {
      for (int32_t c = 0; c < width; ++c) out[c] = (row[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0;
    } else if (levels == 255) {
      std::copy(row, row + width, out);
    } else {
      for (int32_t c = 0; c < width; ++c) out[c] = static_cast<uint8_t>(row[c] * 255u / levels);
    }
  }
  return coverage;
}

// A glyph's rendered image and where its top-left pixel lies from the pen
// position (top in pixels above the baseline).
struct Image {
  FT_Error error = 0;
  FT_Bitmap bitmap{};
  int32_t left = 0;
  int32_t top = 0;
};

// Draws the slot's outline 1 bit per pixel into a bitmap spanning every
// pixel its control box touches, floor(xMin)..ceil(xMax) by
// floor(yMin)..ceil(yMax), which is how GDI sizes a 1-bit glyph.
// FT_Render_Glyph rounds that box instead, and a drop-out pixel the
// rasterizer puts at a thin curve in a row below or a column left of the
// rounded box lands one pixel inside it. The pixels are the mono
// rasterizer's own (FT_Outline_Get_Bitmap falls through to it for a 1-bit
// target), with the drop-out mode the hinted outline's flags ask for. The
// bitmap lies in a buffer of the calling thread, valid until its next call.
// None when the box is empty in either direction or lies beyond what
// FreeType renders; FT_Render_Glyph then sizes the bitmap as before.
std::optional<Image> DrawMonoInPixelBox(FT_GlyphSlot slot, const FT_BBox& box) {
  const int32_t x0 = FloorPixels(box.xMin), y0 = FloorPixels(box.yMin);
  const int32_t x1 = CeilPixels(box.xMax), y1 = CeilPixels(box.yMax);
  if (x1 <= x0 || y1 <= y0 || x0 < -0x8000 || x1 > 0x7FFF || y0 < -0x8000 || y1 > 0x7FFF) {
    return std::nullopt;
  }
  thread_local std::vector<unsigned char> buffer;
  Image image;
  image.left = x0;
  image.top = y1;
  FT_Bitmap& bitmap = image.bitmap;
  bitmap.width = static_cast<unsigned>(x1 - x0);
  bitmap.rows = static_cast<unsigned>(y1 - y0);
  bitmap.pitch = static_cast<int>((bitmap.width + 7) / 8);  // positive: the top row first
  buffer.assign(static_cast<size_t>(bitmap.pitch) * bitmap.rows, 0);  // keeps its capacity
  bitmap.buffer = buffer.data();
  bitmap.num_grays = 2;
  bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
  FT_Outline_Translate(&slot->outline, -FT_Pos{x0} * 64, -FT_Pos{y0} * 64);
  image.error = FT_Outline_Get_Bitmap(slot->library, &slot->outline, &bitmap);
  FT_Outline_Translate(&slot->outline, FT_Pos{x0} * 64, FT_Pos{y0} * 64);
  return image;
}

// FreeType's distance-field renderer takes spreads from 2 up; a field of
// spread 1 is cut from one of spread 2 and its values stretched.
constexpr int32_t kLeastRendererSpread = 2;
constexpr int32_t kFieldEdge = 128;
// A pixel of a field counted in pixels of coverage, for sharing work among threads.
constexpr int64_t kFieldPixelWork = 1024;

bool IsSymbolFont(FT_Face face) {
  return face->charmap != nullptr && face->charmap->encoding == FT_ENCODING_MS_SYMBOL;
}

// The glyph of a code in a face: symbol fonts keep their characters at
// U+F000 + Windows-1252 byte, as Windows maps them; 0 (.notdef) when the
// font lacks it.
FT_UInt GlyphIndex(FT_Face face, char32_t code) {
  if (IsSymbolFont(face)) {
    if (const auto byte = UnicodeToWindows1252(code)) {
      if (const FT_UInt index = FT_Get_Char_Index(face, 0xF000u + *byte)) return index;
      return FT_Get_Char_Index(face, *byte);
    }
  }
  return FT_Get_Char_Index(face, code);
}

// FT_New_Face and FT_Done_Face on one library must not run at the same time.
std::mutex faceMutex;

}  // namespace

VerticalMetrics WindowsVerticalMetrics(FT_Face face, int32_t pixelHeight) {
  const int64_t scale = ScaleOf(pixelHeight, face->units_per_EM > 0 ? face->units_per_EM : 2048);
  int64_t ascender = face->ascender;
  int64_t descender = face->descender;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (os2 != nullptr && os2->version != 0xFFFF &&
      (os2->usWinAscent != 0 || os2->usWinDescent != 0)) {
    ascender = os2->usWinAscent;
    descender = os2->usWinDescent;
  } else if (hhea != nullptr) {
    ascender = hhea->Ascender;
    descender = hhea->Descender;
  }
  return {ScaleRounded(ascender, scale), ScaleRounded(descender, scale)};
}

Result<std::unique_ptr<RasterFont>> FreeTypeFont::Create(LibraryPtr library,
                                                         const std::string& faceName,
                                                         const FaceFile& file,
                                                         const FontStyle& style) {
  if (style.distanceSpread > 0) {
    // The renderer's spread is a setting of the library: a field font has a
    // library of its own, so fonts of other spreads never share it.
    auto own = CreateLibrary();
    if (!own) return ForTypeface(own.failure(), faceName);
    FT_UInt spread = static_cast<FT_UInt>(std::max(style.distanceSpread, kLeastRendererSpread));
    if (const FT_Error error = FT_Property_Set(own.value().get(), "sdf", "spread", &spread)) {
      return FontError(Problem::kOther, file.path, {},
                       "cannot set the distance-field spread " + std::to_string(spread) + ": " +
                           DescribeFreeTypeError(error),
                       faceName);
    }
    FT_Property_Set(own.value().get(), "bsdf", "spread", &spread);
    library = std::move(own).value();
  }
  auto face = OpenFace(library.get(), file.path, file.index);
  if (!face) return ForTypeface(face.failure(), faceName);
  if (const FT_Error error = FT_Set_Pixel_Sizes(face.value().get(), 0,
                                                static_cast<FT_UInt>(style.pixelHeight))) {
    return FontError(Problem::kCannotSize, file.path, {style.pixelHeight},
                     DescribeFreeTypeError(error), faceName);
  }
  return std::unique_ptr<RasterFont>(
      new FreeTypeFont(std::move(library), std::move(face).value(), file, style));
}

FreeTypeFont::FreeTypeFont(LibraryPtr library, FacePtr face, const FaceFile& file,
                           const FontStyle& style)
    : library_(std::move(library)), face_(std::move(face)), file_(file), style_(style) {
  const VerticalMetrics metrics = WindowsVerticalMetrics(face_.get(), style_.pixelHeight);
  ascent_ = metrics.ascent;
  descent_ = metrics.descent;
}

AbcWidths FreeTypeFont::CharAbc(char32_t code) const { return Measured(code).abc; }

GlyphCoverage FreeTypeFont::Coverage(char32_t code) const { return InkOf(Rendered(code)); }

bool FreeTypeFont::HasGlyph(char32_t code) const { return GlyphIndex(face_.get(), code) != 0; }

std::vector<char32_t> FreeTypeFont::MappedCharacters() const {
  FT_Face face = face_.get();
  const bool symbol = IsSymbolFont(face);
  std::vector<char32_t> codes;
  FT_UInt index = 0;
  for (FT_ULong ch = FT_Get_First_Char(face, &index); index != 0;
       ch = FT_Get_Next_Char(face, ch, &index)) {
    // A symbol font's U+F020..U+F0FF are the characters of its bytes.
    if (symbol && ch >= 0xF020 && ch <= 0xF0FF) ch = Windows1252ToUnicode(static_cast<uint8_t>(ch));
    if (ch <= 0x10FFFF) codes.push_back(static_cast<char32_t>(ch));
  }
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  return codes;
}

GlyphCoverage FreeTypeFont::InkOf(const Glyph& glyph) const {
  if (!glyph.coverage) return {};
  return {glyph.left, ascent_ - glyph.top, glyph.width, glyph.rows, glyph.coverage.get()};
}

const FreeTypeFont::Glyph& FreeTypeFont::Measured(char32_t code) const {
  const auto slot = cache_.find(code);
  if (slot != cache_.end() && slot->second) return *slot->second;
  Store(code, Load(face_.get(), code, false));
  return *cache_[code];
}

const FreeTypeFont::Glyph& FreeTypeFont::Rendered(char32_t code) const {
  const auto slot = cache_.find(code);
  if (slot != cache_.end() && slot->second && slot->second->rendered) return *slot->second;
  Store(code, Load(face_.get(), code, true));
  return *cache_[code];
}

FreeTypeFont::Glyph FreeTypeFont::Settled(char32_t code, Glyph glyph) const {
  const auto found = cache_.find(code);
  static const std::unique_ptr<Glyph> none;
  const std::unique_ptr<Glyph>& slot = found != cache_.end() ? found->second : none;
  // A field reaches past the ink's columns by design; the cell holds it whole.
  if (slot && glyph.coverage && style_.distanceSpread == 0 &&
      (glyph.left < slot->abc.a || glyph.left + glyph.width > slot->abc.a + slot->abc.b)) {
    // Measured before: the cell is laid out with those widths. FreeType's
    // bitmap of an outline a pixel or more wide never leaves its black box,
    // so this keeps every column; a column outside would be dropped.
    const int32_t from = std::max(glyph.left, slot->abc.a);
    const int32_t to = std::min(glyph.left + glyph.width, slot->abc.a + slot->abc.b);
    const int32_t width = std::max(0, to - from);
    auto kept = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(width) * glyph.rows);
    for (int32_t r = 0; r < glyph.rows; ++r) {
      const uint8_t* row = glyph.coverage.get() + static_cast<ptrdiff_t>(r) * glyph.width;
      std::copy_n(row + (from - glyph.left), width, kept.get() + static_cast<ptrdiff_t>(r) * width);
    }
    glyph.coverage = width > 0 ? std::move(kept) : nullptr;
    glyph.left = from;
    glyph.width = width;
  }
  if (slot) glyph.abc = slot->abc;
  return glyph;
}

void FreeTypeFont::Store(char32_t code, Glyph glyph) const {
  auto settled = std::make_unique<Glyph>(Settled(code, std::move(glyph)));
  cache_[code] = std::move(settled);
}

void FreeTypeFont::RenderEach(std::span<const char32_t> codes, const InkUse& use) const {
  for (const char32_t code : codes) cache_.try_emplace(code);
  // The work is counted in em squares: codes × pixel height². FreeType
  // finds each pixel of a field from the distances to every edge within the
  // spread, about a thousand times the work of a pixel of coverage, and the
  // field reaches the spread past the em on every side.
  const int64_t side = int64_t{style_.pixelHeight} + 2 * int64_t{style_.distanceSpread};
  const int64_t em = style_.distanceSpread > 0 ? side * side * kFieldPixelWork
                                               : int64_t{style_.pixelHeight} * style_.pixelHeight;
  // No more threads than codes: a helper without one would open a face for nothing.
  const size_t threads =
      std::min(codes.size(), ThreadsFor(static_cast<int64_t>(codes.size()) * em));
  // Each thread takes the next code no thread has taken, so the threads end
  // together however the glyphs' costs vary, and renders it with a face of
  // its own (a face is not to be used by two threads at once), hands the ink
  // over and keeps the widths in the code's own slot. A helper whose face
  // would not open takes none: the calling thread renders them.
  std::atomic<size_t> next{0};
  const auto render = [&](size_t i, FT_Face face) {
    const char32_t code = codes[i];
    const Glyph glyph = Settled(code, Load(face, code, true));
    use(i, glyph.abc, InkOf(glyph));
    std::unique_ptr<Glyph>& slot = cache_.find(code)->second;
    if (!slot) {
      auto widths = std::make_unique<Glyph>();
      widths->abc = glyph.abc;
      widths->rendered = false;
      slot = std::move(widths);
    }
  };
  // A face of its own for each helper, opened and closed under the lock.
  const auto closeFace = [](FT_Face face) {
    const std::lock_guard<std::mutex> lock(faceMutex);
    FT_Done_Face(face);
  };
  RunOnThreads(threads, [&](size_t t) {
    FT_Face face = face_.get();
    std::unique_ptr<FT_FaceRec_, decltype(closeFace)> own(nullptr, closeFace);
    if (t != 0) {
      {
        const std::lock_guard<std::mutex> lock(faceMutex);
        Result<FacePtr> opened =
            OpenFaceAgain(library_.get(), face_.get(), file_.path, file_.index);
        if (opened) own.reset(opened.value().release());
      }
      if (!own || FT_Set_Pixel_Sizes(own.get(), 0, static_cast<FT_UInt>(style_.pixelHeight)) != 0) {
        return;
      }
      face = own.get();
    }
    for (size_t i = next++; i < codes.size(); i = next++) render(i, face);
  });
}

bool FreeTypeFont::LoadStyled(FT_Face face, FT_UInt index) const {
  if (FT_Load_Glyph(face, index, kLoadFlags) != 0 &&
      (index == 0 || FT_Load_Glyph(face, 0, kLoadFlags) != 0)) {
    return false;
  }
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_points == 0) return true;
  FT_Outline& outline = slot->outline;
  if (style_.emboldenOutline) {
    const FT_Pos strength = FT_Pos{style_.pixelHeight} * 64 / 24;
    FT_Outline_EmboldenXY(&outline, strength, strength);
  }
  if (style_.slantOutline) {
    FT_Matrix shear{0x10000, 0x3333, 0, 0x10000};  // x += 0.2 * y
    FT_Outline_Transform(&outline, &shear);
  }
  return true;
}

void FreeTypeFont::RenderField(FT_GlyphSlot slot, Glyph& glyph) const {
  if (style_.emboldenOutline) FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_SDF) != 0 || slot->bitmap.width == 0 ||
      slot->bitmap.rows == 0) {
    return;
  }
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int32_t>(slot->bitmap.width);
  glyph.rows = static_cast<int32_t>(slot->bitmap.rows);
  glyph.coverage = CoverageOf(slot->bitmap);
  const int32_t cut = kLeastRendererSpread - style_.distanceSpread;
  if (cut <= 0 || glyph.width <= 2 * cut || glyph.rows <= 2 * cut) return;
  // Spread 1 from spread 2: the outer pixel dropped on every side, each
  // distance from the edge counted twice.
  const int32_t width = glyph.width - 2 * cut, rows = glyph.rows - 2 * cut;
  auto field = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(width) * rows);
  for (int32_t r = 0; r < rows; ++r) {
    const uint8_t* from = glyph.coverage.get() + static_cast<ptrdiff_t>(r + cut) * glyph.width + cut;
    uint8_t* to = field.get() + static_cast<ptrdiff_t>(r) * width;
    for (int32_t c = 0; c < width; ++c) {
      const int32_t stretched = kFieldEdge + (from[c] - kFieldEdge) * kLeastRendererSpread;
      to[c] = static_cast<uint8_t>(std::clamp(stretched, 0, 255));
    }
  }
  glyph.coverage = std::move(field);
  glyph.left += cut;
  glyph.top -= cut;
  glyph.width = width;
  glyph.rows = rows;
}

FreeTypeFont::Glyph FreeTypeFont::Load(FT_Face face, char32_t code, bool render) const {
  Glyph glyph;
  glyph.abc = {0, 1, 0};
  glyph.rendered = true;  // unless only measured below
  const FT_UInt index = GlyphIndex(face, code);  // 0 (.notdef) when the font lacks the code
  if (!LoadStyled(face, index)) return glyph;  // nothing loadable: an empty cell one pixel wide
  FT_GlyphSlot slot = face->glyph;
  const int32_t advance = CeilPixels(slot->advance.x) + (style_.emboldenOutline ? 1 : 0);
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_points == 0) {
    glyph.abc.a = FloorPixels(slot->metrics.horiBearingX);
    glyph.abc.c = advance - glyph.abc.a - glyph.abc.b;
    return glyph;
  }

  // The ink's black box: every pixel column the outline touches, where the
  // hinted outline puts it.
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  int32_t a = FloorPixels(box.xMin);
  int32_t b = std::max(1, CeilPixels(box.xMax) - a);
  // An outline less than a pixel wide may be widened by the renderer, so it
  // is rendered to be measured; any other is measured from its box alone.
  const bool hairline = box.xMax - box.xMin < 64;
  if (!render && !hairline) {
    glyph.rendered = false;
    glyph.abc = {a, b, advance - a - b};
    return glyph;
  }

  const bool field = style_.distanceSpread > 0;
  std::optional<Image> image;
  if (!style_.antialiased && !field) image = DrawMonoInPixelBox(slot, box);
  if (!image && (!field || hairline)) {
    // A field is measured as the anti-aliased glyph is.
    const FT_Render_Mode mode = style_.antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
    const FT_Error error = FT_Render_Glyph(slot, mode);
    image = Image{error, slot->bitmap, slot->bitmap_left, slot->bitmap_top};
  }
  if (image && image->error == 0 && image->bitmap.width > 0 && image->bitmap.rows > 0) {
    if (!field) {
      glyph.left = image->left;
      glyph.top = image->top;
      glyph.width = static_cast<int32_t>(image->bitmap.width);
      glyph.rows = static_cast<int32_t>(image->bitmap.rows);
      glyph.coverage = CoverageOf(image->bitmap);
    }
    // The renderer may widen a hairline to one whole pixel; the cell still holds it.
    const int32_t right = std::max(a + b, image->left + static_cast<int32_t>(image->bitmap.width));
    a = std::min(a, image->left);
    b = right - a;
  }
  glyph.abc = {a, b, advance - a - b};
  if (field && render) {
    // The slot holds the measured bitmap now: the outline is loaded again.
    if (image && !LoadStyled(face, index)) return glyph;
    RenderField(face->glyph, glyph);
  }
  if (field && !render) glyph.rendered = false;
  return glyph;
}

std::vector<KernedPair> FreeTypeFont::KerningPairs(std::span<const char32_t> codes) const {
  const std::lock_guard<std::mutex> hold(kerningMutex_);
  if (!std::equal(codes.begin(), codes.end(), kernedCodes_.begin(), kernedCodes_.end())) {
    kerning_ = PairKerning(file_.path, file_.index, style_.pixelHeight).Pairs(codes);
    kernedCodes_.assign(codes.begin(), codes.end());
  }
  return kerning_;
}

}  // namespace glyphsheet::raster
