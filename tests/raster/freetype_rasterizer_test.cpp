#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "raster/freetype_rasterizer.h"
#include "reference_face.h"
#include "sheet/windows1252.h"

namespace glyphsheet {
namespace {

using testing::ReferenceFace;
using testing::ReferenceGlyph;

// Where a drawing put its ink, and which levels it used.
struct Ink {
  int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  std::set<uint32_t> levels;
  bool greyOnly = true;  // every pixel has equal red, green and blue
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
    }
  }
  return ink;
}

// How often the ink starts exactly at A. A faint first column may render
// empty, so single glyphs may start later, but most must start at A.
struct InkStart {
  int atA = 0;
  int total = 0;
  double Share() const { return total == 0 ? 1.0 : double(atA) / total; }
};

// The ink lies in columns [x + A, x + A + B) of the cell drawn at x.
void ExpectInsideCell(const Ink& ink, const AbcWidths& abc, int32_t x, InkStart& start) {
  EXPECT_GE(ink.left, x + abc.a);
  EXPECT_LE(ink.right, x + abc.a + abc.b);
  start.atA += ink.left == x + abc.a ? 1 : 0;
  ++start.total;
}

// Draws one code on black with the cell's top-left at (x, y).
PixelBitmap Draw(const RasterFont& font, uint8_t code, int32_t size, int32_t x, int32_t y) {
  PixelBitmap bitmap(size, size);
  font.DrawChar(code, bitmap, x, y);
  return bitmap;
}

std::unique_ptr<RasterFont> MakeFont(const std::string& face, int32_t height, int32_t weight = 400,
                                     bool italic = false, bool antialiased = true) {
  FreeTypeRasterizer rasterizer;
  auto font = rasterizer.CreateFont({face, height, weight, italic, antialiased});
  if (!font) ADD_FAILURE() << font.error();
  return font ? std::move(font).value() : nullptr;
}

// True when the drawing at (x, y) holds exactly the reference bitmap placed
// at (x + left, y + ascent - top).
bool MatchesReference(const PixelBitmap& drawn, const ReferenceGlyph& ref, int32_t x, int32_t y,
                      int32_t ascent) {
  PixelBitmap expected(drawn.Width(), drawn.Height());
  for (int32_t r = 0; r < ref.rows; ++r) {
    for (int32_t c = 0; c < ref.width; ++c) {
      const uint32_t k = ref.coverage[static_cast<size_t>(r * ref.width + c)];
      expected.SetPixel(x + ref.left + c, y + ascent - ref.top + r, k * 0x010101u);
    }
  }
  return std::equal(drawn.Pixels(), drawn.Pixels() + drawn.Width() * drawn.Height(),
                    expected.Pixels());
}

TEST(FreeTypeRasterizer, ListsEachDejaVuFamilyOnceSorted) {
  const auto names = FreeTypeRasterizer().ListTypefaces();
  for (const char* wanted : {"DejaVu Sans", "DejaVu Sans Condensed", "DejaVu Sans Light",
                             "DejaVu Sans Mono", "DejaVu Serif", "DejaVu Serif Condensed"}) {
    EXPECT_EQ(std::count(names.begin(), names.end(), wanted), 1) << wanted;
  }
  for (size_t i = 1; i < names.size(); ++i) {
    std::string a = names[i - 1], b = names[i];
    std::transform(a.begin(), a.end(), a.begin(), ::tolower);
    std::transform(b.begin(), b.end(), b.begin(), ::tolower);
    EXPECT_LT(a, b) << "out of order or repeated: " << names[i - 1] << " / " << names[i];
  }
  // Styles are faces of a family, never typefaces of their own.
  for (const auto& name : names) {
    if (name.rfind("DejaVu", 0) != 0) continue;
    for (const char* style : {"Bold", "Oblique", "Italic", "ExtraLight", "Book"}) {
      EXPECT_EQ(name.find(style), std::string::npos) << name;
    }
  }
}

TEST(FreeTypeRasterizer, KnownMetricsOfDejaVuSans15) {
  for (bool antialiased : {false, true}) {
    const auto font = MakeFont("DejaVu Sans", 15, 400, false, antialiased);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->LineHeight(), 18);
    const struct { uint8_t code; int32_t a, b, c; } cases[] = {{'A', 0, 10, 0}, {' ', 0, 1, 4}};
    for (const auto& k : cases) {
      const AbcWidths abc = font->CharAbc(k.code);
      EXPECT_EQ(abc.a, k.a) << k.code;
      EXPECT_EQ(abc.b, k.b) << k.code;
      EXPECT_EQ(abc.c, k.c) << k.code;
    }
    EXPECT_TRUE(InkOf(Draw(*font, ' ', 40, 5, 5)).Empty());
  }
}

TEST(FreeTypeRasterizer, LineHeightFollowsWindowsAscentAndDescent) {
  // DejaVu Sans: 2048 units per em, usWinAscent 1901, usWinDescent 483.
  for (int32_t h : {8, 12, 15, 16, 20, 32, 64, 100, 255}) {
    const int64_t s = (int64_t{h} * 65536 + 1024) / 2048;
    const int64_t expected = ((1901 * s + 32768) >> 16) + ((483 * s + 32768) >> 16);
    const auto font = MakeFont("DejaVu Sans", h);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->LineHeight(), expected) << h;
  }
}

// Every printable ASCII code: widths add up to FreeType's hinted advance,
// the ink stays inside the cell, and the quality decides the levels.
TEST(FreeTypeRasterizer, WidthsAndInkAgreeForPrintableAscii) {
  const struct { const char* face; const char* file; } faces[] = {
      {"DejaVu Sans", "DejaVuSans.ttf"},
      {"DejaVu Serif", "DejaVuSerif.ttf"},
      {"DejaVu Sans Mono", "DejaVuSansMono.ttf"},
  };
  for (const auto& f : faces) {
    for (int32_t h : {9, 15, 40, 160}) {
      const ReferenceFace reference(f.file, h);
      for (bool antialiased : {false, true}) {
        const auto font = MakeFont(f.face, h, 400, false, antialiased);
        ASSERT_TRUE(font);
        std::set<uint32_t> levels;
        InkStart inkAtA;
        const int32_t size = 3 * h + 20, x = h + 5, y = 7;
        for (int code = 32; code <= 126; ++code) {
          SCOPED_TRACE(std::string(f.face) + " h=" + std::to_string(h) + " aa=" +
                       std::to_string(antialiased) + " code=" + std::to_string(code));
          const AbcWidths abc = font->CharAbc(static_cast<uint8_t>(code));
          EXPECT_GE(abc.b, 1);
          EXPECT_EQ(abc.a + abc.b + abc.c, reference.Glyph(char32_t(code), antialiased).advance);
          const Ink ink = InkOf(Draw(*font, static_cast<uint8_t>(code), size, x, y));
          if (ink.Empty()) continue;
          ExpectInsideCell(ink, abc, x, inkAtA);
          EXPECT_GE(ink.top, y);
          // The bar reaches below the font's Windows descent by design.
          if (code != '|') {
            EXPECT_LE(ink.bottom, y + font->LineHeight());
          }
          EXPECT_TRUE(ink.greyOnly);
          levels.insert(ink.levels.begin(), ink.levels.end());
        }
        EXPECT_GE(inkAtA.Share(), 0.9) << f.face << " h=" << h;
        if (antialiased) {
          EXPECT_GT(levels.size(), 10u) << f.face << " h=" << h;
        } else {
          EXPECT_EQ(levels, (std::set<uint32_t>{255})) << f.face << " h=" << h;
        }
      }
    }
  }
}

TEST(FreeTypeRasterizer, DrawsTheHintedOutlineOfTheFace) {
  for (int32_t h : {15, 33}) {
    const ReferenceFace reference("DejaVuSans.ttf", h);
    for (bool antialiased : {false, true}) {
      const auto font = MakeFont("DejaVu Sans", h, 400, false, antialiased);
      ASSERT_TRUE(font);
      for (uint8_t code : {uint8_t{'A'}, uint8_t{'g'}, uint8_t{'W'}, uint8_t{'@'}}) {
        const PixelBitmap drawn = Draw(*font, code, 3 * h, h, 2);
        const ReferenceGlyph ref = reference.Glyph(code, antialiased);
        EXPECT_TRUE(MatchesReference(drawn, ref, h, 2, reference.WinAscent()))
            << "code " << int(code) << " h=" << h << " aa=" << antialiased;
      }
    }
  }
}

TEST(FreeTypeRasterizer, EuroDrawsItsGlyphAndUndefinedBytesDrawNotdef) {
  const int32_t h = 24;
  const ReferenceFace reference("DejaVuSans.ttf", h);
  const auto font = MakeFont("DejaVu Sans", h);
  ASSERT_TRUE(font);
  const int32_t ascent = reference.WinAscent();
  ASSERT_NE(reference.IndexOf(0x20AC), 0u);
  EXPECT_TRUE(MatchesReference(Draw(*font, 0x80, 60, 10, 3), reference.Glyph(0x20AC, true), 10, 3,
                               ascent));
  EXPECT_EQ(font->CharAbc(0x80).a + font->CharAbc(0x80).b + font->CharAbc(0x80).c,
            reference.Glyph(0x20AC, true).advance);
  const ReferenceGlyph notdef = reference.GlyphAt(0, true);
  ASSERT_FALSE(notdef.coverage.empty());
  for (uint8_t code : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_TRUE(MatchesReference(Draw(*font, code, 60, 10, 3), notdef, 10, 3, ascent)) << int(code);
    EXPECT_EQ(font->CharAbc(code).a + font->CharAbc(code).b + font->CharAbc(code).c,
              notdef.advance);
  }
}

TEST(FreeTypeRasterizer, BoldAndItalicUseTheFamilysOwnFaces) {
  const int32_t h = 20;
  const struct { int32_t weight; bool italic; const char* file; } cases[] = {
      {400, false, "DejaVuSans.ttf"},
      {700, false, "DejaVuSans-Bold.ttf"},
      {600, false, "DejaVuSans-Bold.ttf"},
      {400, true, "DejaVuSans-Oblique.ttf"},
      {700, true, "DejaVuSans-BoldOblique.ttf"},
  };
  for (const auto& k : cases) {
    const ReferenceFace reference(k.file, h);
    const auto font = MakeFont("DejaVu Sans", h, k.weight, k.italic, false);
    ASSERT_TRUE(font);
    for (uint8_t code : {uint8_t{'A'}, uint8_t{'m'}, uint8_t{'l'}, uint8_t{'W'}, uint8_t{'0'}}) {
      SCOPED_TRACE(std::string(k.file) + " code " + std::string(1, char(code)));
      const AbcWidths abc = font->CharAbc(code);
      EXPECT_EQ(abc.a + abc.b + abc.c, reference.Glyph(code, false).advance);
      EXPECT_TRUE(MatchesReference(Draw(*font, code, 60, 20, 0), reference.Glyph(code, false), 20,
                                   0, reference.WinAscent()));
    }
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
    const auto advance = [](const RasterFont& f, int code) {
      const AbcWidths abc = f.CharAbc(static_cast<uint8_t>(code));
      return abc.a + abc.b + abc.c;
    };
    size_t boldInk = 0, regularInk = 0;
    InkStart inkAtA;
    for (int code = 33; code <= 126; ++code) {
      SCOPED_TRACE("h=" + std::to_string(h) + " code=" + std::to_string(code));
      EXPECT_EQ(advance(*bold, code), advance(*regular, code) + 1);
      EXPECT_EQ(advance(*italic, code), advance(*regular, code));
      EXPECT_EQ(advance(*both, code), advance(*regular, code) + 1);
      for (const RasterFont* font : {bold.get(), italic.get(), both.get()}) {
        const AbcWidths abc = font->CharAbc(static_cast<uint8_t>(code));
        const int32_t size = 3 * h, x = h, y = 0;
        const Ink ink = InkOf(Draw(*font, static_cast<uint8_t>(code), size, x, y));
        ASSERT_FALSE(ink.Empty());
        ExpectInsideCell(ink, abc, x, inkAtA);
      }
      const auto count = [](const PixelBitmap& b) {
        return std::count_if(b.Pixels(), b.Pixels() + b.Width() * b.Height(),
                             [](uint32_t p) { return p != 0; });
      };
      boldInk += count(Draw(*bold, static_cast<uint8_t>(code), 3 * h, h, 0));
      regularInk += count(Draw(*regular, static_cast<uint8_t>(code), 3 * h, h, 0));
    }
    EXPECT_GE(inkAtA.Share(), 0.9) << h;
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
  const uint32_t background = 0x00406080;  // B=0x40 G=0x60 R=0x80
  PixelBitmap onColour(80, 80);
  for (int32_t y = 0; y < 80; ++y) {
    for (int32_t x = 0; x < 80; ++x) onColour.SetPixel(x, y, background);
  }
  font->DrawChar('W', onColour, 20, 10);
  bool sawFull = false, sawPartial = false;
  for (int32_t y = 0; y < 80; ++y) {
    for (int32_t x = 0; x < 80; ++x) {
      const uint32_t k = onBlack.GetPixel(x, y) & 0xFF;
      const uint32_t got = onColour.GetPixel(x, y);
      for (int shift : {0, 8, 16}) {
        const uint32_t c = (background >> shift) & 0xFF;
        const auto expected = static_cast<int32_t>(c + (255 - c) * k / 255.0 + 0.5);
        EXPECT_NEAR(static_cast<int32_t>((got >> shift) & 0xFF), expected, 1) << x << "," << y;
      }
      sawFull = sawFull || k == 255;
      sawPartial = sawPartial || (k > 0 && k < 255);
    }
  }
  EXPECT_TRUE(sawFull && sawPartial);

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

// Sets FONTCONFIG_FILE for one scope and puts the old value back.
class FontconfigFileScope {
 public:
  explicit FontconfigFileScope(const std::string& path) {
    if (const char* old = std::getenv("FONTCONFIG_FILE")) old_ = old;
    setenv("FONTCONFIG_FILE", path.c_str(), 1);
  }
  ~FontconfigFileScope() {
    if (old_) {
      setenv("FONTCONFIG_FILE", old_->c_str(), 1);
    } else {
      unsetenv("FONTCONFIG_FILE");
    }
  }

 private:
  std::optional<std::string> old_;
};

TEST(FreeTypeRasterizer, ReportsAFontFileThatCannotBeReadAnyMore) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("glyphsheet-raster-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "fonts");
  const fs::path font = folder / "fonts" / "copy.ttf";
  fs::copy_file(testing::TestFontPath("DejaVuSansMono.ttf"), font);
  const fs::path config = folder / "fonts.conf";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig><dir>" << (folder / "fonts").string()
                        << "</dir><cachedir>" << (folder / "cache").string()
                        << "</cachedir></fontconfig>\n";
  {
    const FontconfigFileScope scope(config.string());
    FreeTypeRasterizer rasterizer;
    ASSERT_EQ(rasterizer.ListTypefaces(), std::vector<std::string>{"DejaVu Sans Mono"});
    ASSERT_TRUE(rasterizer.CreateFont({"DejaVu Sans Mono", 15, 400, false, true}));
    std::ofstream(font, std::ios::trunc) << "not a font";
    const auto broken = rasterizer.CreateFont({"DejaVu Sans Mono", 15, 400, false, true});
    ASSERT_FALSE(broken);
    EXPECT_NE(broken.error().find("DejaVu Sans Mono"), std::string::npos) << broken.error();
    EXPECT_NE(broken.error().find(font.string()), std::string::npos) << broken.error();
  }
  fs::remove_all(folder);
}

TEST(FreeTypeRasterizer, FontOutlivesItsRasterizerAndLargeSizesHoldTheirInk) {
  std::unique_ptr<RasterFont> font;
  {
    FreeTypeRasterizer rasterizer;
    auto created = rasterizer.CreateFont({"DejaVu Serif", 400, 700, true, false});
    ASSERT_TRUE(created) << created.error();
    font = std::move(created).value();
  }
  for (uint8_t code : {uint8_t{'W'}, uint8_t{'f'}, uint8_t{'j'}}) {
    const AbcWidths abc = font->CharAbc(code);
    const int32_t x = 300;
    const Ink ink = InkOf(Draw(*font, code, 1000, x, 0));
    ASSERT_FALSE(ink.Empty());
    EXPECT_EQ(ink.left, x + abc.a) << code;
    EXPECT_LE(ink.right, x + abc.a + abc.b) << code;
    EXPECT_GE(ink.right, x + abc.a + abc.b - 1) << code;
    EXPECT_EQ(ink.levels, (std::set<uint32_t>{255}));
    // A second draw comes from the stored bitmap and gives the same pixels.
    const PixelBitmap first = Draw(*font, code, 1000, x, 0);
    const PixelBitmap again = Draw(*font, code, 1000, x, 0);
    EXPECT_TRUE(std::equal(first.Pixels(), first.Pixels() + 1000 * 1000, again.Pixels()));
  }
}

}  // namespace
}  // namespace glyphsheet
