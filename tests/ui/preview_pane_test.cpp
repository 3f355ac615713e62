#include <array>

#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

constexpr QRgb kOutline = 0xC0C0C0;

/// A 450 × 450 pane over a bitmap whose every pixel tells its own position.
class PreviewPaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.Create(kSheetBitmapSize, kSheetBitmapSize);
    for (int y = 0; y < kSheetBitmapSize; ++y) {
      for (int x = 0; x < kSheetBitmapSize; ++x) bitmap.SetPixel(x, y, PositionColour(x, y));
    }
    pane.resize(450, 450);
    pane.SetScrollBars(&hScroll, &vScroll);
    pane.SetSheet(&bitmap, &doc);
  }

  /// 0x00BBGGRR: x in red and the low bits of blue, y in green and the high bits.
  static uint32_t PositionColour(int x, int y) {
    return static_cast<uint32_t>((x & 0xFF) | ((y & 0xFF) << 8) | ((x >> 8) << 16) |
                                 ((y >> 8) << 17));
  }
  /// The same colour as painted (0xRRGGBB).
  static QRgb Shown(int x, int y) { return PixelBitmap::SwapRedBlue(PositionColour(x, y)); }

  /// Sets the zoom, then the scroll positions; -1 scrolls to the end.
  void ZoomAndScroll(int zoom, int h, int v) {
    pane.SetZoom(zoom);
    hScroll.setValue(h < 0 ? hScroll.maximum() : h);
    vScroll.setValue(v < 0 ? vScroll.maximum() : v);
  }

  PixelBitmap bitmap;
  SheetDocument doc;
  QScrollBar hScroll{Qt::Horizontal};
  QScrollBar vScroll{Qt::Vertical};
  PreviewPane pane;
};

TEST_F(PreviewPaneTest, SourceSizeAndScrollLimits) {
  // Pane size and zoom; the sheet pixels it shows, truncated, and the largest
  // scroll positions, never negative; a zoom below 1 is taken as 1.
  for (const auto& [paneW, paneH, zoom, shown] : {
           std::tuple(450, 450, 700, std::array{64, 64, 448, 448}),
           {450, 300, 1000, {45, 30, 467, 482}}, {1200, 450, 200, {600, 225, 0, 287}},
           {450, 450, 0, {45000, 45000, 0, 0}}}) {
    const PreviewWindow w = ComputePreviewWindow(paneW, paneH, zoom);
    EXPECT_EQ((std::array{w.sourceWidth, w.sourceHeight, w.maxH, w.maxV}), shown)
        << paneW << " x " << paneH << " at " << zoom;
  }
}

TEST_F(PreviewPaneTest, ShowsSheetPixelsAtTheZoomFromTheScrollPosition) {
  for (const auto& [zoom, h, v] : {std::tuple(100, 0, 0), {100, 30, 41}, {200, 17, 250},
           {300, 5, 9}, {100, -1, -1}, {200, -1, -1}, {300, -1, 0}}) {
    ZoomAndScroll(zoom, h, v);
    const int left = hScroll.value(), top = vScroll.value(), k = zoom / 100;
    ASSERT_EQ(left, h < 0 ? 512 - 450 / k : h);
    const QImage shown = Painted(&pane);
    int wrong = 0;
    for (int y = 0; y < 450; ++y) {
      for (int x = 0; x < 450; ++x) wrong += Rgb(shown, x, y) != Shown(left + x / k, top + y / k);
    }
    EXPECT_EQ(wrong, 0) << "zoom " << zoom << " at " << left << "," << top;
  }
  ZoomAndScroll(100, 40, 0);
  pane.SetZoom(400);
  EXPECT_EQ(hScroll.value(), 40) << "zooming in keeps a position that still fits";

  // A pane larger than the bitmap draws nothing beyond it.
  pane.SetZoom(100);
  pane.resize(700, 600);
  const QImage shown = Painted(&pane);
  EXPECT_EQ(std::tuple(hScroll.maximum(), vScroll.maximum()), std::tuple(0, 0));
  EXPECT_EQ(Rgb(shown, 511, 511), Shown(511, 511));
  for (QPoint p : {QPoint(512, 10), QPoint(10, 512), QPoint(699, 599)}) {
    EXPECT_EQ(Rgb(shown, p.x(), p.y()), Rgb(shown, 600, 550)) << p.x() << "," << p.y();
  }
}

TEST_F(PreviewPaneTest, OutlinesFallOnTheFirstAndTheFollowingRowAndColumn) {
  bitmap.Create(kSheetBitmapSize, kSheetBitmapSize);  // all black: only outlines are grey
  const GlyphRecord cell{.x = 40, .y = 20, .width = 12, .height = 15};
  doc.glyphs = {cell};
  EXPECT_EQ(Rgb(Painted(&pane), 40, 25), 0u) << "no outline while switched off";
  pane.SetShowRects(true);
  for (const auto& [zoom, h, v] : {std::tuple(100, 0, 0), {100, 30, 10}, {200, 0, 0},
           {200, 35, 15}}) {
    ZoomAndScroll(zoom, h, v);
    const int k = zoom / 100;
    const int l = (cell.x - h) * k, r = (cell.x + cell.width - h) * k;
    const int t = (cell.y - v) * k, b = (cell.y + cell.height - v) * k;
    const QImage shown = Painted(&pane);
    const auto grey = [&](int x0, int y0, int x1, int y1) {  // in a rectangle, ends included
      int n = 0;
      for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) n += Rgb(shown, x, y) == kOutline;
      }
      return n;
    };
    const int sides[4] = {grey(l, t, r, t), grey(l, b, r, b), grey(l, t + 1, l, b - 1),
                          grey(r, t + 1, r, b - 1)};
    // Dotted: about every other pixel of each side, not all of them; no grey elsewhere.
    for (int i = 0; i < 4; ++i) EXPECT_GE(sides[i], (i < 2 ? r - l : b - t) / 3) << zoom << i;
    EXPECT_LT(sides[0], r - l + 1) << "dotted, not solid, at zoom " << zoom;
    EXPECT_EQ(grey(0, 0, 449, 449), sides[0] + sides[1] + sides[2] + sides[3]) << zoom << h;
  }
  // A cell that absurd stored borders put far away is drawn without overflow:
  // only the near cell's outline shows, whatever the zoom.
  doc.glyphs.push_back({.y = INT32_MAX, .width = INT32_MAX, .height = INT32_MAX});
  ZoomAndScroll(1000, 0, 0);
  EXPECT_EQ(Rgb(Painted(&pane), 400, 200), kOutline) << "the near cell's left side";
}

}  // namespace
}  // namespace glyphsheet::testing
