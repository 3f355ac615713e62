#include <benchmark/benchmark.h>

#include "raster/freetype_rasterizer.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_font.h"

namespace glyphsheet {
namespace {

SheetDocument Document(int lastCode, int32_t pointSize, int32_t factor, int32_t sheetSize) {
  SheetDocument doc;
  doc.sheetWidth = sheetSize;
  doc.sheetHeight = sheetSize;
  doc.font.faceName = "DejaVu Sans";
  doc.font.pointSize = pointSize;
  doc.font.smoothing = factor;
  for (int c = 32; c <= lastCode; ++c) doc.AddGlyph(static_cast<uint8_t>(c));
  return doc;
}

// Rebuilds the sheet with the font made once, as the window does after a
// change that keeps the font (the sheet size, the glyph list or a glyph's own
// border). With changeGlyphBorder set, every run first moves the first
// glyph's left border, the way that glyph's border spin does.
void RunRebuild(benchmark::State& state, SheetDocument doc, bool changeGlyphBorder) {
  FreeTypeRasterizer rasterizer;
  auto font = CreateSheetFont(rasterizer, doc.font);
  if (!font.ok()) {
    state.SkipWithError(font.error().c_str());
    return;
  }
  PixelBitmap sheet(kSheetBitmapSize, kSheetBitmapSize);
  Rebuild(doc, font.value().get(), sheet);
  int32_t border = 0;
  for (auto _ : state) {
    if (changeGlyphBorder) doc.glyphs.front().leftBorder = border = 1 - border;
    Rebuild(doc, font.value().get(), sheet);
    benchmark::DoNotOptimize(sheet.Pixels());
  }
}

// A change of a font setting or a font-wide border: the window makes the font
// anew, so every glyph is rendered again before the rebuild.
void BM_Ascii32ptFactor4NewFont(benchmark::State& state) {
  SheetDocument doc = Document(126, 32, 4, 512);
  FreeTypeRasterizer rasterizer;
  PixelBitmap sheet(kSheetBitmapSize, kSheetBitmapSize);
  for (auto _ : state) {
    auto font = CreateSheetFont(rasterizer, doc.font);
    if (!font.ok()) {
      state.SkipWithError(font.error().c_str());
      return;
    }
    Rebuild(doc, font.value().get(), sheet);
    benchmark::DoNotOptimize(sheet.Pixels());
  }
}

void BM_Ascii11ptFactor1Sheet256(benchmark::State& state) {
  RunRebuild(state, Document(126, 11, 1, 256), false);
}
void BM_Ascii32ptFactor4Sheet512(benchmark::State& state) {
  RunRebuild(state, Document(126, 32, 4, 512), false);
}
void BM_Latin24ptFactor2Sheet512(benchmark::State& state) {
  RunRebuild(state, Document(255, 24, 2, 512), false);
}
void BM_Ascii32ptFactor4GlyphBorderChange(benchmark::State& state) {
  RunRebuild(state, Document(126, 32, 4, 512), true);
}

BENCHMARK(BM_Ascii11ptFactor1Sheet256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ascii32ptFactor4Sheet512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Latin24ptFactor2Sheet512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ascii32ptFactor4GlyphBorderChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ascii32ptFactor4NewFont)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphsheet

BENCHMARK_MAIN();
