#include <gtest/gtest.h>

#include <unistd.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "raster/freetype_rasterizer.h"

namespace glyphsheet {
namespace {

// Where a drawing put its ink, and which levels it used.
struct Ink {
  int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  std::set<uint32_t> levels;
  bool greyOnly = true;  // every pixel has equal red, green and blue
  size_t count = 0;      // pixels with ink
  bool Empty() const { return left == INT32_MAX; }
};

Ink InkOf(const PixelBitmap& bitmap) {
  Ink ink;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      const uint32_t c = bitmap.GetPixel(x, y);
      if (c == 0) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x + 1);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y + 1);
      ink.levels.insert(c & 0xFF);
      ink.greyOnly = ink.greyOnly && c == (c & 0xFF) * 0x010101u;
      ++ink.count;
    }
  }
  return ink;
}

// Draws one code on black with the cell's top-left at (x, y).
PixelBitmap Draw(const RasterFont& font, uint8_t code, int32_t size, int32_t x, int32_t y) {
  PixelBitmap bitmap(size, size);
  font.DrawChar(code, bitmap, x, y);
  return bitmap;
}

// The rasterizer is a temporary, so every font here outlives the one that made it.
std::unique_ptr<RasterFont> MakeFont(const std::string& face, int32_t height, int32_t weight = 400,
                                     bool italic = false, bool antialiased = true) {
  auto font = FreeTypeRasterizer().CreateFont({face, height, weight, italic, antialiased});
  if (!font) ADD_FAILURE() << font.error();
  return font ? std::move(font).value() : nullptr;
}

// The ink lies in columns [x + A, x + A + B) of the cell drawn at x; `atA`
// counts the glyphs whose ink starts exactly at A (a faint first column may
// render empty, so a few start later).
void ExpectInsideCell(const Ink& ink, const AbcWidths& abc, int32_t x, int& atA) {
  EXPECT_GE(ink.left, x + abc.a);
  EXPECT_LE(ink.right, x + abc.a + abc.b);
  atA += ink.left == x + abc.a ? 1 : 0;
}

// A character as FreeType itself loads it from a file of the test font
// folder, hinted for 1-bit output: its advance in whole pixels (rounded up)
// and the columns [inkLeft, inkRight) of its 1-bit ink from the pen position.
struct FileGlyph {
  int32_t advance = 0, inkLeft = INT32_MAX, inkRight = INT32_MIN;
};

std::vector<FileGlyph> FromFile(const std::string& file, int32_t h, const std::u32string& chars) {
  const std::string path = std::string(GLYPHSHEET_TEST_FONT_DIR) + "/" + file;
  std::vector<FileGlyph> glyphs;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
  if (FT_Init_FreeType(&library) != 0 ||
      FT_Property_Set(library, "truetype", "interpreter-version", &interpreter) != 0 ||
      FT_New_Face(library, path.c_str(), 0, &face) != 0 ||
      FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(h)) != 0) {
    ADD_FAILURE() << "cannot open " << path;
  }
  for (char32_t ch : chars) {
    FileGlyph g;
    const FT_Int32 flags = FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;
    if (face != nullptr && FT_Load_Glyph(face, FT_Get_Char_Index(face, ch), flags) == 0 &&
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0) {
      g.advance = static_cast<int32_t>((face->glyph->advance.x + 63) >> 6);
      const FT_Bitmap& b = face->glyph->bitmap;
      for (unsigned r = 0; r < b.rows; ++r) {
        for (unsigned c = 0; c < b.width; ++c) {
          if ((b.buffer[r * b.pitch + (c >> 3)] & (0x80 >> (c & 7))) == 0) continue;
          g.inkLeft = std::min(g.inkLeft, face->glyph->bitmap_left + int32_t(c));
          g.inkRight = std::max(g.inkRight, face->glyph->bitmap_left + int32_t(c) + 1);
        }
      }
    }
    glyphs.push_back(g);
  }
  if (face != nullptr) FT_Done_Face(face);
  if (library != nullptr) FT_Done_FreeType(library);
  return glyphs;
}

int32_t Advance(const RasterFont& font, uint8_t code) {
  const AbcWidths abc = font.CharAbc(code);
  return abc.a + abc.b + abc.c;
}

TEST(FreeTypeRasterizer, KnownMetricsOfDejaVuSans) {
  for (bool antialiased : {false, true}) {
    const auto font = MakeFont("DejaVu Sans", 15, 400, false, antialiased);
    ASSERT_TRUE(font);
    const struct { uint8_t code; int32_t a, b, c; } cases[] = {{'A', 0, 10, 0}, {' ', 0, 1, 4}};
    for (const auto& k : cases) {
      const AbcWidths abc = font->CharAbc(k.code);
      EXPECT_EQ(std::vector<int32_t>({abc.a, abc.b, abc.c}), std::vector<int32_t>({k.a, k.b, k.c}))
          << k.code;
    }
    EXPECT_TRUE(InkOf(Draw(*font, ' ', 40, 5, 5)).Empty());
    // The baseline lies 14 rows below the cell's top: 'A' stands on it, 'g' hangs below.
    EXPECT_EQ(InkOf(Draw(*font, 'A', 40, 5, 5)).bottom, 5 + 14);
    EXPECT_GT(InkOf(Draw(*font, 'g', 40, 5, 5)).bottom, 5 + 14);
  }
  // Windows ascent and descent (1901 and 483 of 2048 units), each rounded on its own.
  for (const auto& [h, lineHeight] : {std::pair{15, 18}, {40, 46}, {100, 117}, {160, 187}}) {
    const auto font = MakeFont("DejaVu Sans", h);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->LineHeight(), lineHeight) << h;
  }
}

// Every printable ASCII code: widths add up to FreeType's hinted advance,
// the ink stays inside the cell, and the quality decides the levels.
TEST(FreeTypeRasterizer, WidthsAndInkAgreeForPrintableAscii) {
  std::u32string ascii;
  for (char32_t ch = 32; ch <= 126; ++ch) ascii += ch;
  const struct { const char* face; const char* file; } faces[] = {
      {"DejaVu Sans", "DejaVuSans.ttf"},
      {"DejaVu Serif", "DejaVuSerif.ttf"},
      {"DejaVu Sans Mono", "DejaVuSansMono.ttf"},
  };
  for (const auto& f : faces) {
    for (int32_t h : {9, 15, 40, 160}) {
      const std::vector<FileGlyph> reference = FromFile(f.file, h, ascii);
      for (bool antialiased : {false, true}) {
        const auto font = MakeFont(f.face, h, 400, false, antialiased);
        ASSERT_TRUE(font);
        std::set<uint32_t> levels;
        int inkAtA = 0, inked = 0;
        const int32_t size = 3 * h + 20, x = h + 5, y = 7;
        for (int code = 32; code <= 126; ++code) {
          SCOPED_TRACE(std::string(f.face) + " h=" + std::to_string(h) + " aa=" +
                       std::to_string(antialiased) + " code=" + std::to_string(code));
          const AbcWidths abc = font->CharAbc(static_cast<uint8_t>(code));
          EXPECT_GE(abc.b, 1);
          EXPECT_EQ(abc.a + abc.b + abc.c, reference[code - 32].advance);
          const Ink ink = InkOf(Draw(*font, static_cast<uint8_t>(code), size, x, y));
          if (ink.Empty()) continue;
          ExpectInsideCell(ink, abc, x, inkAtA);
          ++inked;
          EXPECT_GE(ink.top, y);
          // The bar reaches below the font's Windows descent by design.
          if (code != '|') {
            EXPECT_LE(ink.bottom, y + font->LineHeight());
          }
          EXPECT_TRUE(ink.greyOnly);
          levels.insert(ink.levels.begin(), ink.levels.end());
        }
        EXPECT_GE(inkAtA, inked * 9 / 10) << f.face << " h=" << h;
        if (antialiased) {
          EXPECT_GT(levels.size(), 10u) << f.face << " h=" << h;
        } else {
          EXPECT_EQ(levels, (std::set<uint32_t>{255})) << f.face << " h=" << h;
        }
      }
    }
  }
}

TEST(FreeTypeRasterizer, EuroDrawsItsGlyphAndUndefinedBytesDrawNotdef) {
  const auto font = MakeFont("DejaVu Sans", 24);
  ASSERT_TRUE(font);
  // U+0081 is not in the font: FreeType gives it the .notdef glyph.
  const std::vector<FileGlyph> file = FromFile("DejaVuSans.ttf", 24, U"\u20AC\u0081");
  ASSERT_NE(file[0].advance, file[1].advance);
  EXPECT_EQ(Advance(*font, 0x80), file[0].advance);
  const PixelBitmap euro = Draw(*font, 0x80, 60, 10, 3);
  const PixelBitmap notdef = Draw(*font, 0x81, 60, 10, 3);
  EXPECT_FALSE(InkOf(notdef).Empty());
  EXPECT_FALSE(std::equal(euro.Pixels(), euro.Pixels() + 60 * 60, notdef.Pixels()));
  for (uint8_t code : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Advance(*font, code), file[1].advance) << int(code);
    const PixelBitmap drawn = Draw(*font, code, 60, 10, 3);
    EXPECT_TRUE(std::equal(drawn.Pixels(), drawn.Pixels() + 60 * 60, notdef.Pixels())) << int(code);
  }
}

// DejaVu Sans has bold and oblique faces: their advances and ink, not a
// widened or slanted regular outline (which would add one pixel to every
// advance, or place the ink elsewhere).
TEST(FreeTypeRasterizer, BoldAndItalicUseTheFamilysOwnFaces) {
  const int32_t h = 20;
  const std::u32string codes = U"AmlW0";
  const std::vector<FileGlyph> regular = FromFile("DejaVuSans.ttf", h, codes);
  const struct { int32_t weight; bool italic; const char* file; } cases[] = {
      {700, false, "DejaVuSans-Bold.ttf"},
      {600, false, "DejaVuSans-Bold.ttf"},
      {400, true, "DejaVuSans-Oblique.ttf"},
      {700, true, "DejaVuSans-BoldOblique.ttf"},
  };
  for (const auto& k : cases) {
    const std::vector<FileGlyph> file = FromFile(k.file, h, codes);
    const auto font = MakeFont("DejaVu Sans", h, k.weight, k.italic, false);
    ASSERT_TRUE(font);
    int unlikeRegular = 0;
    for (size_t i = 0; i < codes.size(); ++i) {
      const auto code = static_cast<uint8_t>(codes[i]);
      SCOPED_TRACE(std::string(k.file) + " code " + std::string(1, char(code)));
      EXPECT_EQ(Advance(*font, code), file[i].advance);
      const Ink ink = InkOf(Draw(*font, code, 60, 20, 0));
      EXPECT_EQ(ink.left - 20, file[i].inkLeft);
      EXPECT_EQ(ink.right - 20, file[i].inkRight);
      unlikeRegular += file[i].advance != regular[i].advance + (k.weight > 550 ? 1 : 0) ||
                       file[i].inkLeft != regular[i].inkLeft;
    }
    EXPECT_GT(unlikeRegular, 0) << k.file << " cannot be told from the regular face";
  }
}

// DejaVu Sans Light has no bold and no italic face: both are made from its outline.
TEST(FreeTypeRasterizer, SynthesisesBoldAndItalicWhenTheFamilyLacksThem) {
  for (int32_t h : {15, 48}) {
    const auto regular = MakeFont("DejaVu Sans Light", h);
    const auto bold = MakeFont("DejaVu Sans Light", h, 700);
    const auto italic = MakeFont("DejaVu Sans Light", h, 400, true);
    const auto both = MakeFont("DejaVu Sans Light", h, 700, true);
    ASSERT_TRUE(regular && bold && italic && both);
    size_t boldInk = 0, regularInk = 0;
    int inkAtA = 0, inked = 0;
    for (int code = 33; code <= 126; ++code) {
      SCOPED_TRACE("h=" + std::to_string(h) + " code=" + std::to_string(code));
      const auto c = static_cast<uint8_t>(code);
      EXPECT_EQ(Advance(*bold, c), Advance(*regular, c) + 1);
      EXPECT_EQ(Advance(*italic, c), Advance(*regular, c));
      EXPECT_EQ(Advance(*both, c), Advance(*regular, c) + 1);
      for (const RasterFont* font : {bold.get(), italic.get(), both.get()}) {
        const Ink ink = InkOf(Draw(*font, c, 3 * h, h, 0));
        ASSERT_FALSE(ink.Empty());
        ExpectInsideCell(ink, font->CharAbc(c), h, inkAtA);
        ++inked;
      }
      boldInk += InkOf(Draw(*bold, c, 3 * h, h, 0)).count;
      regularInk += InkOf(Draw(*regular, c, 3 * h, h, 0)).count;
    }
    EXPECT_GE(inkAtA, inked * 9 / 10) << h;
    EXPECT_GT(boldInk, regularInk + regularInk / 5);
    // A vertical stem leans right: the top of 'l' starts further right than its foot.
    const PixelBitmap slanted = Draw(*italic, 'l', 3 * h, h, 0);
    const Ink ink = InkOf(slanted);
    const auto firstInk = [&](int32_t row) {
      for (int32_t x = 0; x < slanted.Width(); ++x) {
        if (slanted.GetPixel(x, row) != 0) return x;
      }
      return -1;
    };
    EXPECT_GT(firstInk(ink.top), firstInk(ink.bottom - 1) + h / 15);
  }
}

TEST(FreeTypeRasterizer, BlendsWhiteOverTheTargetAndClips) {
  const auto font = MakeFont("DejaVu Sans", 30);
  ASSERT_TRUE(font);
  const PixelBitmap onBlack = Draw(*font, 'W', 80, 20, 10);
  PixelBitmap onColour(80, 80);
  onColour.FillRect(0, 0, 80, 80, 0x00406080);
  font->DrawChar('W', onColour, 20, 10);
  std::set<uint32_t> coverage;
  for (int32_t y = 0; y < 80; ++y) {
    for (int32_t x = 0; x < 80; ++x) {
      const uint32_t k = onBlack.GetPixel(x, y) & 0xFF;
      coverage.insert(k);
      for (int shift : {0, 8, 16}) {  // each channel moves k/255 of the way to white
        const uint32_t c = (0x00406080u >> shift) & 0xFF;
        EXPECT_NEAR(int32_t((onColour.GetPixel(x, y) >> shift) & 0xFF),
                    int32_t(c + (255 - c) * k / 255.0 + 0.5), 1) << x << "," << y;
      }
    }
  }
  EXPECT_TRUE(coverage.contains(255) && coverage.size() > 2);  // full and partial ink occur

  // Drawn partly off every edge: what lands inside matches the whole drawing, shifted.
  for (const auto& [dx, dy] : {std::pair{-25, -15}, std::pair{45, 50}, std::pair{-200, 0}}) {
    PixelBitmap clipped(80, 80);
    font->DrawChar('W', clipped, 20 + dx, 10 + dy);
    for (int32_t y = 0; y < 80; ++y) {
      for (int32_t x = 0; x < 80; ++x) {
        ASSERT_EQ(clipped.GetPixel(x, y), onBlack.GetPixel(x - dx, y - dy)) << x << "," << y;
      }
    }
  }
}

TEST(FreeTypeRasterizer, RefusesUnknownFacesAndImpossibleSizes) {
  FreeTypeRasterizer rasterizer;
  const auto unknown = rasterizer.CreateFont({"No Such Face 42", 15, 400, false, true});
  ASSERT_FALSE(unknown);
  EXPECT_NE(unknown.error().find("No Such Face 42"), std::string::npos) << unknown.error();
  for (int32_t h : {0, -3, 2049, 100000}) {
    const auto bad = rasterizer.CreateFont({"DejaVu Sans", h, 400, false, true});
    ASSERT_FALSE(bad) << h;
    EXPECT_NE(bad.error().find(std::to_string(h)), std::string::npos) << bad.error();
  }
  // Face names match without regard to case, as typed names do.
  EXPECT_TRUE(rasterizer.CreateFont({"dejavu sans", 15, 400, false, true}));
}

TEST(FreeTypeRasterizer, ReportsAFontFileThatCannotBeReadAnyMore) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("glyphsheet-raster-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "fonts");
  const fs::path font = folder / "fonts" / "copy.ttf";
  fs::copy_file(std::string(GLYPHSHEET_TEST_FONT_DIR) + "/DejaVuSansMono.ttf", font);
  const fs::path config = folder / "fonts.conf";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig><dir>" << (folder / "fonts").string()
                        << "</dir><cachedir>" << (folder / "cache").string()
                        << "</cachedir></fontconfig>\n";
  const char* set = std::getenv("FONTCONFIG_FILE");
  const std::string oldConfig = set != nullptr ? set : "";
  setenv("FONTCONFIG_FILE", config.c_str(), 1);
  {
    FreeTypeRasterizer rasterizer;
    EXPECT_EQ(rasterizer.ListTypefaces(), std::vector<std::string>{"DejaVu Sans Mono"});
    EXPECT_TRUE(rasterizer.CreateFont({"DejaVu Sans Mono", 15, 400, false, true}));
    std::ofstream(font, std::ios::trunc) << "not a font";
    const auto broken = rasterizer.CreateFont({"DejaVu Sans Mono", 15, 400, false, true});
    EXPECT_FALSE(broken);
    if (!broken) {
      EXPECT_NE(broken.error().find("DejaVu Sans Mono"), std::string::npos) << broken.error();
      EXPECT_NE(broken.error().find(font.string()), std::string::npos) << broken.error();
    }
  }
  if (set != nullptr) setenv("FONTCONFIG_FILE", oldConfig.c_str(), 1);
  else unsetenv("FONTCONFIG_FILE");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace glyphsheet
