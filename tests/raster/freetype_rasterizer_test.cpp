#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include <hb-ft.h>
#include <hb.h>

#include "raster/freetype_rasterizer.h"
#include "support/draw_glyph.h"
#include "support/temp_folder.h"
#include "support/pixels.h"

// Expected values come from the DejaVu font files: 2048 units per em,
// usWinAscent 1901, usWinDescent 483, and the advances named below.
namespace glyphsheet {
namespace {

// Where a drawing on black put its ink, and which grey levels it used.
struct Ink {
  int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  std::set<uint32_t> levels;
  size_t count = 0;
};

Ink InkOf(const PixelBitmap& bitmap) {
  Ink ink;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      const uint32_t c = PixelAt(bitmap, x, y);
      if (c == 0) continue;
      EXPECT_EQ(c, (c & 0xFF) * 0x010101u) << "not grey at " << x << ", " << y;
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x + 1);
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y + 1);
      ink.levels.insert(c & 0xFF);
      ++ink.count;
    }
  }
  return ink;
}

// One code drawn on a black square with the cell's top-left at (x, y).
PixelBitmap Draw(const RasterFont& font, char32_t code, int32_t size, int32_t x, int32_t y) {
  PixelBitmap bitmap(size, size);
  testing::DrawOnBlack(font, code, bitmap, x, y);
  return bitmap;
}

std::unique_ptr<RasterFont> MakeFont(const std::string& face, int32_t height, int32_t weight = 400,
                                     bool italic = false, bool antialiased = true) {
  auto font = FreeTypeRasterizer().CreateFont({face, height, weight, italic, antialiased});
  if (!font) ADD_FAILURE() << font.error();
  return font ? std::move(font).value() : nullptr;
}

int32_t Advance(const RasterFont& font, char32_t code) {
  return font.CharAbc(code).a + font.CharAbc(code).b + font.CharAbc(code).c;
}

// From 40 pixels up the hinted advance lies within a pixel of the design
// advance (at smaller sizes hinting may move it further).
void ExpectAdvanceNear(const RasterFont& font, char32_t code, int32_t units, int32_t h) {
  EXPECT_NEAR(Advance(font, code), units * h / 2048.0, 1.0) << "code " << uint32_t{code} << " h=" << h;
}

TEST(FreeTypeRasterizer, KnownMetricsOfDejaVuSans) {
  // Ascent and descent are each rounded: 15 px gives 14 + 4.
  for (const auto& [h, lineHeight] : {std::pair{15, 18}, {40, 46}, {100, 117}, {160, 187}}) {
    const auto font = MakeFont("DejaVu Sans", h);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->LineHeight(), lineHeight) << h;
  }
  for (bool antialiased : {false, true}) {
    const auto font = MakeFont("DejaVu Sans", 15, 400, false, antialiased);
    ASSERT_TRUE(font);
    const AbcWidths a = font->CharAbc('A'), space = font->CharAbc(' ');
    EXPECT_EQ((std::vector{a.a, a.b, a.c, space.a, space.b, space.c}),
              (std::vector{0, 10, 0, 0, 1, 4}));
    EXPECT_EQ(InkOf(Draw(*font, ' ', 40, 5, 5)).count, 0u);
    // The baseline is 14 rows below the cell's top (row 19 here): 'A', 'l' and
    // '.' stand on it, '_' (-483..-340 units) lies below it inside the line.
    for (char32_t code : {'A', 'l', '.'}) EXPECT_EQ(InkOf(Draw(*font, code, 40, 5, 5)).bottom, 19);
    const Ink underscore = InkOf(Draw(*font, '_', 40, 5, 5));
    EXPECT_GE(underscore.top, 19);
    EXPECT_LE(underscore.bottom, 5 + 18);
  }
}

// Every printable ASCII code of a few faces, sizes and styles: the ink stays
// inside its cell, also when widened or slanted, and the quality decides the
// grey levels. A monospaced face (1233 units) gives every code one advance.
TEST(FreeTypeRasterizer, PrintableAsciiStaysInsideItsCell) {
  const struct { const char* face; int32_t h, weight; bool italic, antialiased; } cases[] = {
      {"DejaVu Sans", 15, 400, false, true},      {"DejaVu Serif", 40, 400, false, false},
      {"DejaVu Sans Mono", 9, 400, false, false}, {"DejaVu Sans Mono", 100, 400, false, true},
      {"DejaVu Sans Light", 40, 700, false, false}, {"DejaVu Sans Light", 15, 400, true, true}};
  for (const auto& k : cases) {
    const auto font = MakeFont(k.face, k.h, k.weight, k.italic, k.antialiased);
    ASSERT_TRUE(font);
    const bool mono = std::string(k.face) == "DejaVu Sans Mono";
    if (mono && k.h >= 40) ExpectAdvanceNear(*font, 'A', 1233, k.h);
    std::set<uint32_t> levels;
    const int32_t size = 3 * k.h + 20, x = k.h + 5, y = 7;
    for (int code = 32; code <= 126; ++code) {
      SCOPED_TRACE(::testing::Message() << k.face << " " << k.h << " px, code " << code);
      const AbcWidths abc = font->CharAbc(static_cast<char32_t>(code));
      EXPECT_GE(abc.b, 1);
      EXPECT_TRUE(!mono || abc.a + abc.b + abc.c == Advance(*font, 'A'));
      const Ink ink = InkOf(Draw(*font, static_cast<char32_t>(code), size, x, y));
      if (ink.count == 0) continue;
      EXPECT_GE(ink.left, x + abc.a);
      EXPECT_LE(ink.right, x + abc.a + abc.b);
      EXPECT_GE(ink.top, y);
      EXPECT_LE(ink.bottom, y + font->LineHeight());
      levels.insert(ink.levels.begin(), ink.levels.end());
    }
    EXPECT_TRUE(k.antialiased ? levels.size() > 10 : levels == std::set<uint32_t>{255}) << k.face;
  }
}

// DejaVu Sans has bold and oblique faces (its bold 'W' advances 2259 units,
// the regular one 2025); DejaVu Sans Light has neither, so its bold widens
// the outline, adding exactly one pixel to every advance, and its italic
// slants the outline, keeping the advance. Both italics lean right: the
// top of 'l' starts right of its foot.
TEST(FreeTypeRasterizer, BoldAndItalicFromTheFamilysFacesElseFromTheOutline) {
  const int32_t h = 40;
  for (const auto& [weight, units] : {std::pair{550, 2025}, {600, 2259}, {700, 2259}}) {
    const auto font = MakeFont("DejaVu Sans", h, weight);
    ASSERT_TRUE(font);
    ExpectAdvanceNear(*font, 'W', units, h);
  }
  const auto regular = MakeFont("DejaVu Sans Light", h);
  const auto bold = MakeFont("DejaVu Sans Light", h, 700);
  const auto slanted = MakeFont("DejaVu Sans Light", h, 400, true);
  ASSERT_TRUE(regular && bold && slanted);
  size_t regularInk = 0, boldInk = 0;
  for (int code = 33; code <= 126; ++code) {
    const auto c = static_cast<char32_t>(code);
    EXPECT_EQ(Advance(*bold, c), Advance(*regular, c) + 1) << code;
    EXPECT_EQ(Advance(*slanted, c), Advance(*regular, c)) << code;
    boldInk += InkOf(Draw(*bold, c, 3 * h, h, 0)).count;
    regularInk += InkOf(Draw(*regular, c, 3 * h, h, 0)).count;
  }
  EXPECT_GT(boldInk, regularInk + regularInk / 5);
  for (const char* face : {"DejaVu Sans", "DejaVu Sans Light"}) {
    const auto italic = MakeFont(face, h, 400, true, false);
    ASSERT_TRUE(italic);
    const PixelBitmap l = Draw(*italic, 'l', 3 * h, h, 0);
    const Ink ink = InkOf(l);
    const auto firstInk = [&l](int32_t row) {
      const uint32_t* p = l.Pixels() + l.Width() * row;
      return std::find_if(p, p + l.Width(), [](uint32_t c) { return c != 0; }) - p;
    };
    EXPECT_GT(firstInk(ink.top), firstInk(ink.bottom - 1) + 3) << face;
  }
}

// The euro sign draws its glyph (1303 units); the C1 controls that the five
// bytes Windows-1252 leaves undefined stand for are not in the font, so they
// draw .notdef:
// DejaVu's is a hollow box (1229 units) reaching below the baseline.
TEST(FreeTypeRasterizer, EuroDrawsItsGlyphAndUndefinedBytesDrawNotdef) {
  const auto font = MakeFont("DejaVu Sans", 40);
  ASSERT_TRUE(font);
  ExpectAdvanceNear(*font, 0x20AC, 1303, 40);
  EXPECT_TRUE(font->HasGlyph(0x20AC));
  const PixelBitmap euro = Draw(*font, 0x20AC, 80, 10, 3), notdef = Draw(*font, 0x81, 80, 10, 3);
  const Ink box = InkOf(notdef);
  EXPECT_GT(box.bottom, 3 + 37);  // ascent 37
  EXPECT_EQ(PixelAt(notdef, (box.left + box.right) / 2, (box.top + box.bottom) / 2), 0u);
  EXPECT_NE(PixelAt(notdef, box.left, (box.top + box.bottom) / 2), 0u);
  EXPECT_FALSE(std::equal(euro.Pixels(), euro.Pixels() + 80 * 80, notdef.Pixels()));
  for (char32_t code : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    ExpectAdvanceNear(*font, code, 1229, 40);
    const PixelBitmap drawn = Draw(*font, code, 80, 10, 3);
    EXPECT_TRUE(std::equal(drawn.Pixels(), drawn.Pixels() + 80 * 80, notdef.Pixels())) << int(code);
    EXPECT_FALSE(font->HasGlyph(code));
  }
  // The characters the font maps: in code order, each once, these among them.
  const std::vector<char32_t> mapped = font->MappedCharacters();
  EXPECT_GT(mapped.size(), 1000u);
  EXPECT_TRUE(std::adjacent_find(mapped.begin(), mapped.end(), std::greater_equal<>()) ==
              mapped.end());
  const auto maps = [&mapped](char32_t c) { return std::binary_search(mapped.begin(), mapped.end(), c); };
  EXPECT_EQ(std::tuple(maps('A'), maps(0x20AC), maps(0x81), maps(0x4E2D)),
            std::tuple(true, true, false, false));
}

// FreeType's own drawing of an outline loaded like the font's (full
// hinting, slanted by 0.2 when asked), with its top-left pixel at (left, top)
// from the pen position: grey levels as FT_Render_Glyph gives them; 1-bit
// pixels drawn with FT_Outline_Get_Bitmap into a bitmap spanning every pixel
// the outline's box touches, floor..ceil each way, as GDI sizes it
// (FT_Render_Glyph rounds that box and moves a drop-out stub inside it).
struct Reference {
  int32_t left = 0, top = 0, width = 0, rows = 0;
  std::vector<uint8_t> levels;
};

class ReferenceFace {
 public:
  ReferenceFace(const char* file, int32_t h) {
    FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
    const std::string path = std::string(GLYPHSHEET_TEST_FONT_DIR) + "/" + file;
    EXPECT_EQ(FT_Init_FreeType(&library_), 0);
    EXPECT_EQ(FT_Property_Set(library_, "truetype", "interpreter-version", &interpreter), 0);
    EXPECT_EQ(FT_New_Face(library_, path.c_str(), 0, &face_), 0) << path;
    if (face_ != nullptr) FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(h));
  }
  ~ReferenceFace() {
    if (face_ != nullptr) FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  ReferenceFace(const ReferenceFace&) = delete;
  ReferenceFace& operator=(const ReferenceFace&) = delete;

  // `code` is a Unicode character (ASCII and Latin-1 are their own Windows-1252 codes).
  Reference Draw(char32_t code, bool aa, bool slant) const {
    Reference ref;
    if (face_ == nullptr) return ref;
    EXPECT_EQ(FT_Load_Char(face_, code, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP), 0) << uint32_t{code};
    FT_Outline& outline = face_->glyph->outline;
    FT_Matrix shear{0x10000, 0x3333, 0, 0x10000};
    if (slant) FT_Outline_Transform(&outline, &shear);
    FT_Bitmap bits{};
    std::vector<uint8_t> buffer;
    if (aa) {
      FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL);
      bits = face_->glyph->bitmap;
      ref.left = face_->glyph->bitmap_left, ref.top = face_->glyph->bitmap_top;
    } else {
      FT_BBox box;
      FT_Outline_Get_CBox(&outline, &box);
      const auto left = static_cast<int32_t>(std::floor(box.xMin / 64.0));
      const auto bottom = static_cast<int32_t>(std::floor(box.yMin / 64.0));
      ref.left = left, ref.top = static_cast<int32_t>(std::ceil(box.yMax / 64.0));
      bits.width = static_cast<unsigned>(static_cast<int32_t>(std::ceil(box.xMax / 64.0)) - left);
      bits.rows = static_cast<unsigned>(ref.top - bottom);
      bits.pitch = static_cast<int>(bits.width + 7) / 8;
      bits.pixel_mode = FT_PIXEL_MODE_MONO;
      buffer.resize(bits.rows * static_cast<unsigned>(bits.pitch));
      bits.buffer = buffer.data();
      FT_Outline_Translate(&outline, -left * 64, -bottom * 64);
      EXPECT_EQ(FT_Outline_Get_Bitmap(library_, &outline, &bits), 0) << uint32_t{code};
    }
    ref.width = static_cast<int32_t>(bits.width), ref.rows = static_cast<int32_t>(bits.rows);
    for (unsigned r = 0; r < bits.rows; ++r) {
      const uint8_t* row = bits.buffer + r * bits.pitch;
      for (unsigned c = 0; c < bits.width; ++c) {
        ref.levels.push_back(aa ? row[c] : (row[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0);
      }
    }
    return ref;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// The ink lies where the hinted outline puts it: DejaVu Sans 'v' at 15 px
// spans -0.25 .. 8.25 pixels, so it touches columns -1 .. 8 (A -1, B 10).
// A thin curve's 1-bit drop-out pixel stays where the rasterizer puts it,
// also below FreeType's own bitmap box: DejaVu Serif Italic 'g' at 15 px
// spans -3.33 .. 8 pixels and keeps its stub in row -4, the last of its
// cell. Every drawn pixel is FreeType's own drawing of the outline, in both
// qualities, with a synthetic slant, for every printable ASCII and Latin-1
// code of DejaVu Serif, also when RenderEach's threads render them (64 px is
// more work than one thread's).
TEST(FreeTypeRasterizer, DrawsTheInkWhereTheHintedOutlinePutsIt) {
  for (bool aa : {false, true}) {
    const auto font = MakeFont("DejaVu Sans", 15, 400, false, aa);
    ASSERT_TRUE(font);
    const AbcWidths v = font->CharAbc('v');
    EXPECT_EQ(std::tuple(v.a, v.b), std::tuple(-1, 10)) << aa;
  }
  const auto serifItalic = MakeFont("DejaVu Serif", 15, 400, true, false);
  ASSERT_TRUE(serifItalic);
  const GlyphCoverage g = serifItalic->Coverage('g');
  EXPECT_EQ(std::tuple(serifItalic->Ascent(), g.top + g.rows), std::tuple(14, 14 + 4));
  EXPECT_EQ(InkOf(Draw(*serifItalic, 'g', 40, 10, 5)).bottom, 5 + serifItalic->LineHeight());

  const std::vector<char32_t> some = {'v', 'A', 'o', 'W', 'f', '/'};
  std::vector<char32_t> latin1;
  for (int code = 32; code <= 255; ++code) {
    if (code < 127 || code >= 160) latin1.push_back(static_cast<char32_t>(code));
  }
  const struct {
    const char* face;
    const char* file;
    bool italic, slant;
    int32_t h;
    const std::vector<char32_t>& codes;
  } cases[] = {{"DejaVu Sans", "DejaVuSans.ttf", false, false, 15, some},
               {"DejaVu Sans", "DejaVuSans.ttf", false, false, 22, some},
               {"DejaVu Sans Light", "DejaVuSans-ExtraLight.ttf", true, true, 15, some},
               {"DejaVu Sans Light", "DejaVuSans-ExtraLight.ttf", true, true, 22, some},
               {"DejaVu Serif", "DejaVuSerif.ttf", false, false, 15, latin1},
               {"DejaVu Serif", "DejaVuSerif-Italic.ttf", true, false, 15, latin1},
               {"DejaVu Serif", "DejaVuSerif-Italic.ttf", true, false, 64, latin1}};
  for (const auto& k : cases) {
    const ReferenceFace reference(k.file, k.h);
    const int32_t ascent = (1901 * k.h + 1024) / 2048;  // usWinAscent 1901 of 2048 units
    const int32_t size = 4 * k.h, x = k.h, y = k.h / 2;
    for (bool aa : {false, true}) {
      const auto font = MakeFont(k.face, k.h, 400, k.italic, aa);
      ASSERT_TRUE(font);
      // What RenderEach hands over, on its threads, is what Coverage keeps.
      struct Handed {
        AbcWidths abc;
        GlyphCoverage ink;
        std::vector<uint8_t> pixels;
      };
      std::vector<Handed> handed(k.codes.size());
      font->RenderEach(k.codes, [&](size_t i, const AbcWidths& abc, const GlyphCoverage& ink) {
        handed[i] = {abc, ink, std::vector<uint8_t>(ink.pixels, ink.pixels + ink.width * ink.rows)};
      });
      for (size_t n = 0; n < k.codes.size(); ++n) {
        const char32_t code = k.codes[n];
        const GlyphCoverage kept = font->Coverage(code);
        const AbcWidths abc = font->CharAbc(code);
        ASSERT_EQ(std::tuple(handed[n].abc.a, handed[n].abc.b, handed[n].ink.left, handed[n].ink.top,
                             handed[n].ink.width, handed[n].ink.rows, handed[n].pixels),
                  std::tuple(abc.a, abc.b, kept.left, kept.top, kept.width, kept.rows,
                             std::vector<uint8_t>(kept.pixels, kept.pixels + kept.width * kept.rows)))
            << k.file << " " << k.h << " px aa " << aa << " code " << uint32_t{code};
      }
      for (char32_t code : k.codes) {
        const Reference ref = reference.Draw(code, aa, k.slant);
        const PixelBitmap drawn = Draw(*font, code, size, x, y);
        const AbcWidths abc = font->CharAbc(code);
        EXPECT_LE(abc.a, ref.left);
        EXPECT_GE(abc.a + abc.b, ref.left + ref.width);
        for (int32_t py = 0; py < size; ++py) {
          for (int32_t px = 0; px < size; ++px) {
            const int32_t c = px - x - ref.left, r = py - y - (ascent - ref.top);
            const bool inside = c >= 0 && c < ref.width && r >= 0 && r < ref.rows;
            ASSERT_EQ(PixelAt(drawn, px, py) & 0xFF, inside ? ref.levels[r * ref.width + c] : 0u)
                << k.file << " " << k.h << " px aa " << aa << " code " << int{code} << " at "
                << px << ", " << py;
          }
        }
      }
    }
  }
}

// Kerning is what HarfBuzz's shaping over FreeType gives at the font's
// size (here read through hb-ft, the other way into HarfBuzz): DejaVu Sans
// pulls "AV" and "To" together; its monospaced sibling kerns nothing.
TEST(FreeTypeRasterizer, KerningIsHarfBuzzsAtTheFontsSize) {
  const auto shaped = [](const char* file, int32_t h, const char pair[2]) {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Init_FreeType(&library);
    const std::string path = std::string(GLYPHSHEET_TEST_FONT_DIR) + "/" + file;
    EXPECT_EQ(FT_New_Face(library, path.c_str(), 0, &face), 0) << path;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(h));
    hb_font_t* font = hb_ft_font_create_referenced(face);
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf8(buffer, pair, 2, 0, 2);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, nullptr, 0);
    const hb_glyph_info_t* glyphs = hb_buffer_get_glyph_infos(buffer, nullptr);
    const hb_glyph_position_t* at = hb_buffer_get_glyph_positions(buffer, nullptr);
    const int32_t amount = at[0].x_advance - hb_font_get_glyph_h_advance(font, glyphs[0].codepoint) +
                           at[1].x_offset;
    hb_buffer_destroy(buffer);
    hb_font_destroy(font);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return amount;  // 1/64 pixel
  };
  for (int32_t h : {15, 59}) {
    const auto sans = MakeFont("DejaVu Sans", h, 400, false, true);
    const auto mono = MakeFont("DejaVu Sans Mono", h, 400, false, true);
    ASSERT_TRUE(sans && mono);
    const char32_t codes[] = {'A', 'V', 'T', 'o'};
    const std::vector<KernedPair> pairs = sans->KerningPairs(codes);
    const auto amount = [&pairs](uint32_t first, uint32_t second) {
      for (const KernedPair& p : pairs) {
        if (p.first == first && p.second == second) return p.amount;
      }
      return 0;
    };
    for (const auto& [pair, first, second] : {std::tuple("AV", 0u, 1u), {"To", 2u, 3u}}) {
      EXPECT_LT(amount(first, second), -h) << pair << " at " << h << " px";  // over a 64th of the em
      EXPECT_NEAR(amount(first, second), shaped("DejaVuSans.ttf", h, pair), 1) << pair << " at " << h;
    }
    EXPECT_EQ(amount(3, 3), 0) << "oo";
    const char32_t again[] = {'o', 'T'};  // asked again, in another order: kept values
    std::vector<KernedPair> expected;
    for (const uint32_t i : {3u, 2u}) {
      for (const uint32_t j : {3u, 2u}) {
        if (amount(i, j) != 0) expected.push_back({i == 3 ? 0u : 1u, j == 3 ? 0u : 1u, amount(i, j)});
      }
    }
    EXPECT_EQ(sans->KerningPairs(again), expected);
    EXPECT_TRUE(mono->KerningPairs(codes).empty());
  }
}

// New sheets take the face the system's rules give "sans-serif", named as the
// list names it, not the first listed (DejaVu Math TeX Gyre).
TEST(FreeTypeRasterizer, DefaultTypefaceIsTheSansSerifMatch) {
  const FreeTypeRasterizer rasterizer;
  const std::vector<std::string> typefaces = rasterizer.ListTypefaces();
  ASSERT_FALSE(typefaces.empty());
  EXPECT_NE(typefaces.front(), "DejaVu Sans");
  EXPECT_EQ(rasterizer.DefaultTypeface(), "DejaVu Sans");
  EXPECT_EQ(std::count(typefaces.begin(), typefaces.end(), rasterizer.DefaultTypeface()), 1);
}

// Unknown faces, impossible sizes and font files that became unreadable are
// refused naming them; typed names match without regard to case.
TEST(FreeTypeRasterizer, RefusesWhatItCannotDrawNamingIt) {
  testing::TempFolder folder;
  std::filesystem::create_directory(folder / "fonts");
  const auto file = folder / "fonts" / "copy.ttf";
  std::filesystem::copy_file(std::string(GLYPHSHEET_TEST_FONT_DIR) + "/DejaVuSansMono.ttf", file);
  std::ofstream(folder / "fonts.conf") << "<fontconfig><dir>" << (folder / "fonts").string()
                                       << "</dir><cachedir>" << (folder / "cache").string()
                                       << "</cachedir></fontconfig>\n";
  const char* set = std::getenv("FONTCONFIG_FILE");
  const std::string oldConfig = set != nullptr ? set : "";
  setenv("FONTCONFIG_FILE", (folder / "fonts.conf").c_str(), 1);
  FreeTypeRasterizer rasterizer;
  EXPECT_EQ(rasterizer.ListTypefaces(), std::vector<std::string>{"DejaVu Sans Mono"});
  set != nullptr ? setenv("FONTCONFIG_FILE", oldConfig.c_str(), 1) : unsetenv("FONTCONFIG_FILE");
  EXPECT_TRUE(rasterizer.CreateFont({"dejavu SANS mono", 15, 400, false, true}));
  std::ofstream(file, std::ios::trunc) << "not a font";
  const std::pair<FontRequest, std::vector<std::string>> refused[] = {
      {{"No Such Face 42", 15}, {"\"No Such Face 42\""}},
      {{"DejaVu Sans Mono", 0}, {"\"DejaVu Sans Mono\"", "height 0 "}},
      {{"DejaVu Sans Mono", 2049}, {"\"DejaVu Sans Mono\"", "2049"}},
      {{"DejaVu Sans Mono", 15}, {"\"DejaVu Sans Mono\"", file.string()}}};
  for (const auto& [request, fragments] : refused) {
    const auto font = rasterizer.CreateFont(request);
    ASSERT_FALSE(font) << request.face << " " << request.pixelHeight;
    for (const std::string& fragment : fragments) {
      EXPECT_NE(font.error().find(fragment), std::string::npos) << font.error();
    }
  }
}

}  // namespace
}  // namespace glyphsheet
