// Rebuild speed against a floor: for every scenario, FreeType's own load and
// render of the same glyphs at the same pixel height and load flags, in a
// plain loop on one thread, measured in the same run (a distance-field
// scenario's floor is FreeType's own sdf rendering at the same spread). The
// summary at the end gives each case's median and its ratio to the floor of
// its scenario.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "raster/freetype_rasterizer.h"
#include "sheet/character_sets.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_font.h"
#include "sheet/windows1252.h"

namespace glyphsheet {
namespace {

struct Scenario {
  const char* name;
  const char* face;
  const char* fontFile;
  int32_t faceIndex;
  int32_t pointSize;
  int32_t factor;
  std::vector<char32_t> codes;
  int32_t sheetSize;
  /// Pages the cells may fill (the first one is drawn).
  int32_t maxPages;
  /// A character the list does not hold.
  char32_t added;
  /// Spread of the distance field drawn instead of coverage; 0 for none.
  int32_t field = 0;
};

constexpr char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr char kWenQuanYi[] = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

// The Windows-1252 characters of the bytes 32..last.
std::vector<char32_t> Windows1252Codes(int last) {
  std::vector<char32_t> codes;
  for (int c = 32; c <= last; ++c) codes.push_back(Windows1252ToUnicode(static_cast<uint8_t>(c)));
  return codes;
}

std::vector<char32_t> Big5AndAscii() {
  std::vector<char32_t> codes = CharacterSetCodes("big5-level1").value_or(std::vector<char32_t>{});
  for (char32_t c = 32; c <= 126; ++c) codes.push_back(c);
  return codes;
}

const Scenario kScenarios[] = {
    {"a: 11 pt, 1x1, 32..126, 256", "DejaVu Sans", kDejaVu, 0, 11, 1, Windows1252Codes(126), 256,
     1, 127},
    {"b: 32 pt, 4x4, 32..126, 512", "DejaVu Sans", kDejaVu, 0, 32, 4, Windows1252Codes(126), 512,
     1, 127},
    {"c: 24 pt, 2x2, 32..255, 512", "DejaVu Sans", kDejaVu, 0, 24, 2, Windows1252Codes(255), 512,
     1, 31},
    {"w: 100 pt, 4x4, 32..255, 512", "DejaVu Sans", kDejaVu, 0, 100, 4, Windows1252Codes(255), 512,
     1, 31},
    // Big5's frequently used hanzi and ASCII, as --fit --max-size 2048 lays
    // them out: two pages of 2048 x 2048.
    {"h: WQY 24 pt, Big5 1 + ASCII, 2048 x2", "WenQuanYi Micro Hei", kWenQuanYi, 0, 24, 1,
     Big5AndAscii(), 2048, 1 << 16, U'\u3042'},
    // A distance field is drawn at sheet scale (24 pt: an em of 32 pixels).
    {"f: 24 pt, field 4, 32..126, 512", "DejaVu Sans", kDejaVu, 0, 24, 1, Windows1252Codes(126),
     512, 1, 127, 4},
};

SheetDocument Document(const Scenario& s) {
  SheetDocument doc;
  doc.sheetWidth = doc.sheetHeight = s.sheetSize;
  doc.maxPages = s.maxPages;
  doc.font.faceName = s.face;
  doc.font.pointSize = s.pointSize;
  doc.font.smoothing = s.factor;
  doc.font.distanceField = s.field;
  doc.AddGlyphs(s.codes);
  return doc;
}

// FreeType alone: every glyph of the scenario loaded and rendered once, as
// coverage or as a field of the scenario's spread, at the sheet font's size.
void Floor(benchmark::State& state, const Scenario& s) {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
  FT_UInt spread = static_cast<FT_UInt>(s.field);
  const int32_t pixelHeight = SheetFontPixelHeight(s.pointSize, DrawFactor(Document(s).font));
  if (FT_Init_FreeType(&library) != 0 ||
      FT_Property_Set(library, "truetype", "interpreter-version", &interpreter) != 0 ||
      (s.field > 0 && FT_Property_Set(library, "sdf", "spread", &spread) != 0) ||
      FT_New_Face(library, s.fontFile, s.faceIndex, &face) != 0 ||
      FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight))) {
    state.SkipWithError((std::string("cannot open ") + s.fontFile).c_str());
    return;
  }
  const FT_Render_Mode mode = s.field > 0 ? FT_RENDER_MODE_SDF : FT_RENDER_MODE_NORMAL;
  std::vector<FT_UInt> indices;
  for (const char32_t c : s.codes) indices.push_back(FT_Get_Char_Index(face, c));
  for (auto _ : state) {
    for (FT_UInt index : indices) {
      FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP);
      FT_Render_Glyph(face->glyph, mode);
      benchmark::DoNotOptimize(face->glyph->bitmap.buffer);
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

// A change of a font setting: the font is made anew, so every glyph is
// rendered again before the rebuild.
void NewFont(benchmark::State& state, const Scenario& s) {
  SheetDocument doc = Document(s);
  FreeTypeRasterizer rasterizer;
  rasterizer.ListTypefaces();  // fontconfig is asked once, at start-up
  PixelBitmap sheet(doc.sheetWidth, doc.sheetHeight);  // the window's, as large as the sheet
  for (auto _ : state) {
    SheetFontCache font;
    if (Status made = font.Update(rasterizer, doc.font); !made) {
      state.SkipWithError(made.error().c_str());
      return;
    }
    Rebuild(doc, font.Font(), sheet);
    benchmark::DoNotOptimize(sheet.Pixels());
  }
}

enum class Change { kFontWideBorder, kSheetSize, kOneCharacter };

// A change that keeps the font, taken the way the window takes it: a
// font-wide border goes through the font update of the change handler.
void Redraw(benchmark::State& state, const Scenario& s, Change change) {
  SheetDocument doc = Document(s);
  FreeTypeRasterizer rasterizer;
  PixelBitmap sheet(doc.sheetWidth, doc.sheetHeight);  // the window's, as large as the sheet
  SheetFontCache font;
  if (Status made = font.Update(rasterizer, doc.font); !made) {
    state.SkipWithError(made.error().c_str());
    return;
  }
  Rebuild(doc, font.Font(), sheet);
  SheetDocument more = doc;
  more.AddGlyph(s.added);
  GlyphList other = more.glyphs;
  int32_t step = 0;
  for (auto _ : state) {
    step = 1 - step;
    switch (change) {
      case Change::kFontWideBorder:
        doc.borders.left = step;
        (void)font.Update(rasterizer, doc.font);
        break;
      case Change::kSheetSize:
        doc.sheetWidth = step ? s.sheetSize / 2 : s.sheetSize;
        break;
      case Change::kOneCharacter:
        // The list with one more character and the one without, in turns.
        std::swap(doc.glyphs, other);
        break;
    }
    Rebuild(doc, font.Font(), sheet);
    benchmark::DoNotOptimize(sheet.Pixels());
  }
}

// Collects the medians of the repetitions for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.aggregate_name == "median") {
        medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
  }

  void Summary() const {
    std::printf("\n%-30s %-22s %10s %10s\n", "scenario", "case", "median ms", "x floor");
    for (const Scenario& s : kScenarios) {
      const auto floor = medians_.find(std::string(s.name) + "/FreeType alone");
      if (floor == medians_.end()) continue;
      for (const char* what : {"FreeType alone", "font made anew", "font-wide border",
                               "sheet size", "one character added"}) {
        const auto found = medians_.find(std::string(s.name) + "/" + what);
        if (found == medians_.end()) continue;
        std::printf("%-30s %-22s %10.3f %10.2f\n", s.name, what, found->second,
                    found->second / floor->second);
      }
    }
  }

 private:
  std::map<std::string, double> medians_;
};

}  // namespace
}  // namespace glyphsheet

int main(int argc, char** argv) {
  using namespace glyphsheet;
  for (const Scenario& s : kScenarios) {
    const std::string name = s.name;
    const auto ms = benchmark::kMillisecond;
    benchmark::RegisterBenchmark((name + "/FreeType alone").c_str(), Floor, s)->Unit(ms);
    benchmark::RegisterBenchmark((name + "/font made anew").c_str(), NewFont, s)->Unit(ms);
    benchmark::RegisterBenchmark((name + "/font-wide border").c_str(), Redraw, s,
                                 Change::kFontWideBorder)->Unit(ms);
    benchmark::RegisterBenchmark((name + "/sheet size").c_str(), Redraw, s, Change::kSheetSize)
        ->Unit(ms);
    benchmark::RegisterBenchmark((name + "/one character added").c_str(), Redraw, s,
                                 Change::kOneCharacter)->Unit(ms);
  }
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Summary();
  benchmark::Shutdown();
  return 0;
}
