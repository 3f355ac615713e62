#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H

#include <cmath>
#include <string>
#include <vector>

#include "raster/freetype_rasterizer.h"
#include "sheet/bmfont_model.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_font.h"
#include "sheet/text_preview.h"

namespace glyphsheet {
namespace {

constexpr char kDejaVuSans[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int32_t kPixels = 32;  // 24 pt
constexpr char32_t kKnownGlyphs[] = {U'O', U'l', U'A'};

// Where a row of levels crosses `edge`, in pixels from the pen (pixel i's
// centre lies at left + i + 0.5), by linear interpolation between centres;
// the row is 0 past its ends.
std::vector<double> Crossings(const GlyphCoverage& ink, int32_t row, double edge) {
  std::vector<double> at;
  const uint8_t* levels = ink.pixels + static_cast<ptrdiff_t>(row) * ink.width;
  const auto level = [&](int32_t i) { return i < 0 || i >= ink.width ? 0.0 : double(levels[i]); };
  for (int32_t i = -1; i < ink.width; ++i) {
    const double a = level(i), b = level(i + 1);
    if ((a < edge) != (b < edge)) at.push_back(ink.left + i + 0.5 + (edge - a) / (b - a));
  }
  return at;
}

// A field is measured exactly as the anti-aliased font, and its edge (128)
// lies within a quarter pixel of the anti-aliased coverage's 50 % edge
// along every row of the middle half of known glyphs, at the least spread,
// a common one and a large one. (A field level is spread / 128 pixels, so
// at the largest spreads the edge is known to about a third of a pixel.)
TEST(DistanceField, MeasuredAsAntialiasedWithItsEdgeWhereTheCoverageHasIt) {
  FreeTypeRasterizer rasterizer;
  FontRequest request{"DejaVu Sans", kPixels, 400, false, true, 0};
  auto coverage = rasterizer.CreateFont(request);
  ASSERT_TRUE(coverage) << coverage.error();
  const RasterFont& aa = *coverage.value();
  for (const int32_t spread : {1, 4, 16}) {
    request.distanceSpread = spread;
    auto made = rasterizer.CreateFont(request);
    ASSERT_TRUE(made) << made.error();
    const RasterFont& field = *made.value();
    EXPECT_EQ(std::pair(field.LineHeight(), field.Ascent()), std::pair(aa.LineHeight(), aa.Ascent()));
    for (char32_t code = 32; code < 127; ++code) {
      const AbcWidths f = field.CharAbc(code), c = aa.CharAbc(code);
      EXPECT_EQ(std::tuple(f.a, f.b, f.c), std::tuple(c.a, c.b, c.c)) << "U+" << int(code);
    }
    for (const char32_t code : kKnownGlyphs) {
      const GlyphCoverage ink = aa.Coverage(code), sdf = field.Coverage(code);
      ASSERT_NE(sdf.pixels, nullptr);
      // The field reaches the spread past the ink's box on every side.
      EXPECT_EQ(std::tuple(sdf.left, sdf.top, sdf.width, sdf.rows),
                std::tuple(ink.left - spread, ink.top - spread, ink.width + 2 * spread,
                           ink.rows + 2 * spread));
      for (int32_t row = ink.rows / 4; row < ink.rows * 3 / 4; ++row) {
        const std::vector<double> edges = Crossings(ink, row, 127.5);
        const std::vector<double> contour = Crossings(sdf, row + spread, 128);
        ASSERT_EQ(contour.size(), edges.size()) << "spread " << spread << ", row " << row;
        for (size_t i = 0; i < edges.size(); ++i) {
          EXPECT_NEAR(contour[i], edges[i], 0.25) << char(code) << " spread " << spread
                                                  << ", row " << row;
        }
      }
    }
  }
}

// The hinted 32 px outline of a code enlarged `scale` times and rendered
// directly, with the pen at (x, baseline) of a picture of width × height:
// true where its coverage is half or more.
std::vector<bool> OutlineInk(char32_t code, int32_t scale, double x, double baseline,
                             int32_t width, int32_t height) {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  std::vector<bool> ink(static_cast<size_t>(width) * height, false);
  if (FT_Init_FreeType(&library) != 0) return ink;
  // Hinted as the sheet's fonts are: the TrueType interpreter of version 35.
  FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
  FT_Property_Set(library, "truetype", "interpreter-version", &interpreter);
  if (FT_New_Face(library, kDejaVuSans, 0, &face) == 0 && FT_Set_Pixel_Sizes(face, 0, kPixels) == 0 &&
      FT_Load_Char(face, code, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) == 0) {
    FT_Outline& outline = face->glyph->outline;
    FT_Matrix enlarge{scale * 0x10000, 0, 0, scale * 0x10000};
    FT_Outline_Transform(&outline, &enlarge);
    // Rows of the picture run down from its top; the outline's y runs up.
    FT_Outline_Translate(&outline, std::lround(x * 64), std::lround((height - baseline) * 64));
    std::vector<unsigned char> levels(ink.size());
    FT_Bitmap bitmap{};
    bitmap.width = static_cast<unsigned>(width);
    bitmap.rows = static_cast<unsigned>(height);
    bitmap.pitch = width;  // the buffer's first row is the picture's top
    bitmap.buffer = levels.data();
    bitmap.num_grays = 256;
    bitmap.pixel_mode = FT_PIXEL_MODE_GRAY;
    if (FT_Outline_Get_Bitmap(library, &outline, &bitmap) == 0) {
      for (size_t i = 0; i < levels.size(); ++i) ink[i] = levels[i] >= 128;
    }
  }
  if (face != nullptr) FT_Done_Face(face);
  FT_Done_FreeType(library);
  return ink;
}

// Pixels of one picture's ink farther than one pixel from the other's.
int64_t PixelsApart(const std::vector<bool>& a, const std::vector<bool>& b, int32_t width,
                    int32_t height) {
  const auto near = [&](const std::vector<bool>& ink, int32_t x, int32_t y) {
    for (int32_t dy = -1; dy <= 1; ++dy) {
      for (int32_t dx = -1; dx <= 1; ++dx) {
        const int32_t nx = x + dx, ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < width && ny < height &&
            ink[static_cast<size_t>(ny) * width + nx]) {
          return true;
        }
      }
    }
    return false;
  };
  int64_t apart = 0;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const size_t i = static_cast<size_t>(y) * width + x;
      apart += (a[i] && !near(b, x, y)) + (b[i] && !near(a, x, y));
    }
  }
  return apart;
}

// A field sheet set at 4x puts each glyph, by its cell's offsets, where the
// same hinted outline enlarged 4x and rendered directly has its ink: no
// pixel of either lies more than one pixel from the other's ink.
TEST(DistanceField, APreviewAtFourTimesFollowsTheOutline) {
  constexpr int32_t kScale = 4;
  FreeTypeRasterizer rasterizer;
  SheetDocument doc;
  doc.font.faceName = "DejaVu Sans";
  doc.font.pointSize = 24;
  doc.font.smoothing = 3;  // not applied to a field
  doc.font.distanceField = 4;
  for (const char32_t code : kKnownGlyphs) doc.AddGlyph(code);
  auto font = CreateSheetFont(rasterizer, doc.font);
  ASSERT_TRUE(font) << font.error();
  std::vector<PixelBitmap> pages(1);
  pages[0].Create(doc.sheetWidth, doc.sheetHeight);
  Rebuild(doc, font.value().get(), pages[0]);
  const BmFont described = DescribeBmFont(doc, font.value().get(), {"sheet.png"}, false);
  ASSERT_EQ(described.distanceRange, 8);
  for (const BmFontChar& c : described.chars) {
    const TextPreview preview = SetTextWithSheet(described, pages, std::u32string(1, c.id), kScale);
    std::vector<bool> drawn(preview.pixels.size());
    for (size_t i = 0; i < drawn.size(); ++i) drawn[i] = (preview.pixels[i] & 0xFF) >= 0x90;
    // The pen starts at the margin, left of any cell that reaches before it.
    const double pen = kPreviewMargin - std::min(0, c.xoffset);
    const double top = kPreviewMargin - std::min(0, c.yoffset);
    const std::vector<bool> outline = OutlineInk(
        static_cast<char32_t>(c.id), kScale, pen * kScale,
        (top + described.common.base) * kScale, preview.width, preview.height);
    EXPECT_EQ(PixelsApart(drawn, outline, preview.width, preview.height), 0)
        << "U+" << c.id;
    // Sharp, not blurred: a grey pixel lies on the edge, next to ink and to background.
    const auto next = [&](int32_t x, int32_t y, bool ink) {
      for (int32_t dy = -1; dy <= 1; ++dy) {
        for (int32_t dx = -1; dx <= 1; ++dx) {
          const int32_t nx = x + dx, ny = y + dy;
          if (nx >= 0 && ny >= 0 && nx < preview.width && ny < preview.height &&
              drawn[static_cast<size_t>(ny) * preview.width + nx] == ink) {
            return true;
          }
        }
      }
      return false;
    };
    int64_t blurred = 0;
    for (int32_t y = 0; y < preview.height; ++y) {
      for (int32_t x = 0; x < preview.width; ++x) {
        const uint32_t level = preview.pixels[static_cast<size_t>(y) * preview.width + x] & 0xFF;
        if (level >= 0x40 && level <= 0xF0 && !(next(x, y, true) && next(x, y, false))) ++blurred;
      }
    }
    EXPECT_EQ(blurred, 0) << "U+" << c.id;
  }
}

}  // namespace
}  // namespace glyphsheet
