#include <gtest/gtest.h>

#include <QScrollBar>

#include <tuple>

#include "ui/preview_pane.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

constexpr QRgb kOutline = 0xC0C0C0;

/// A pane over a bitmap whose every pixel tells its own position.
class PreviewTest : public ::testing::Test {
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
  /// The same colour as QImage reports it (0xAARRGGBB).
  static QRgb Shown(int x, int y) { return PixelBitmap::SwapRedBlue(PositionColour(x, y)); }

  PixelBitmap bitmap;
  SheetDocument doc;
  QScrollBar hScroll{Qt::Horizontal};
  QScrollBar vScroll{Qt::Vertical};
  PreviewPane pane;
};

TEST(PreviewWindowTest, SourceSizeAndScrollLimits) {
  struct Case {
    int paneW, paneH, zoom, srcW, srcH, maxH, maxV;
  };
  for (const Case& c : {
           Case{450, 450, 100, 450, 450, 62, 62},
           Case{450, 450, 200, 225, 225, 287, 287},
           Case{450, 450, 300, 150, 150, 362, 362},
           Case{450, 450, 700, 64, 64, 448, 448},
           Case{450, 300, 1000, 45, 30, 467, 482},
           // Larger than the bitmap: the limits stay at 0, never negative.
           Case{700, 600, 100, 700, 600, 0, 0},
           Case{1200, 450, 200, 600, 225, 0, 287},
       }) {
    const PreviewWindow w = ComputePreviewWindow(c.paneW, c.paneH, c.zoom);
    EXPECT_EQ(std::tuple(w.sourceWidth, w.sourceHeight, w.maxH, w.maxV),
              std::tuple(c.srcW, c.srcH, c.maxH, c.maxV))
        << c.paneW << " x " << c.paneH << " at " << c.zoom;
  }
}

TEST_F(PreviewTest, ShowsSheetPixelsAtTheZoomFromTheScrollPosition) {
  struct Case {
    int zoom, h, v;
  };
  for (const Case& c : {Case{100, 0, 0}, Case{100, 30, 41}, Case{200, 0, 0}, Case{200, 17, 250},
                        Case{300, 5, 9}}) {
    pane.SetZoom(c.zoom);
    hScroll.setValue(c.h);
    vScroll.setValue(c.v);
    ASSERT_EQ(hScroll.value(), c.h);
    const QImage shown = Painted(&pane);
    const int k = c.zoom / 100;
    int wrong = 0;
    for (int y = 0; y < 450; ++y) {
      for (int x = 0; x < 450; ++x) {
        wrong += (shown.pixel(x, y) & 0xFFFFFF) != Shown(c.h + x / k, c.v + y / k);
      }
    }
    EXPECT_EQ(wrong, 0) << "zoom " << c.zoom << " at " << c.h << "," << c.v;
  }
}

TEST_F(PreviewTest, ScrolledToTheEndTheLastPixelsSitAtTheEdges) {
  for (int zoom : {100, 200, 300}) {
    pane.SetZoom(zoom);
    hScroll.setValue(hScroll.maximum());
    vScroll.setValue(vScroll.maximum());
    const QImage shown = Painted(&pane);
    EXPECT_EQ(shown.pixel(449, 449) & 0xFFFFFF, Shown(511, 511)) << zoom;
    EXPECT_EQ(shown.pixel(449, 0) & 0xFFFFFF, Shown(511, vScroll.maximum())) << zoom;
    const int k = zoom / 100;
    EXPECT_EQ(shown.pixel(449 - k, 449 - k) & 0xFFFFFF, Shown(510, 510)) << zoom;
  }
  // Zooming in does not move the positions that still fit.
  pane.SetZoom(100);
  hScroll.setValue(40);
  pane.SetZoom(400);
  EXPECT_EQ(hScroll.value(), 40);
  EXPECT_EQ(hScroll.singleStep(), 1);
  EXPECT_EQ(hScroll.pageStep(), 10);
}

TEST_F(PreviewTest, APaneLargerThanTheBitmapDrawsNothingBeyondIt) {
  pane.resize(700, 600);
  const QImage shown = Painted(&pane);
  EXPECT_EQ(hScroll.minimum(), 0);
  EXPECT_EQ(hScroll.maximum(), 0);
  EXPECT_EQ(vScroll.maximum(), 0);
  EXPECT_EQ(shown.pixel(511, 511) & 0xFFFFFF, Shown(511, 511));
  const QRgb background = shown.pixel(600, 550);
  EXPECT_EQ(shown.pixel(512, 10), background);
  EXPECT_EQ(shown.pixel(10, 512), background);
  EXPECT_EQ(shown.pixel(699, 599), background);
}

TEST_F(PreviewTest, OutlinesFallOnTheFirstAndTheFollowingRowAndColumn) {
  bitmap.Create(kSheetBitmapSize, kSheetBitmapSize);  // all black: only outlines are grey
  GlyphRecord cell;
  cell.x = 40;
  cell.y = 20;
  cell.width = 12;
  cell.height = 15;
  doc.glyphs = {cell};

  pane.SetShowRects(false);
  const QImage plain = Painted(&pane);
  EXPECT_EQ(plain.pixel(40, 25) & 0xFFFFFF, 0u) << "no outline while switched off";

  pane.SetShowRects(true);
  struct Case {
    int zoom, h, v;
  };
  for (const Case& c : {Case{100, 0, 0}, Case{100, 30, 10}, Case{200, 0, 0}, Case{200, 35, 15}}) {
    pane.SetZoom(c.zoom);
    hScroll.setValue(c.h);
    vScroll.setValue(c.v);
    const int k = c.zoom / 100;
    const int l = (cell.x - c.h) * k, r = (cell.x + cell.width - c.h) * k;
    const int t = (cell.y - c.v) * k, b = (cell.y + cell.height - c.v) * k;
    const QImage shown = Painted(&pane);
    const auto grey = [&](int x, int y) { return (shown.pixel(x, y) & 0xFFFFFF) == kOutline; };
    int sides[4] = {}, elsewhere = 0;  // grey pixels on the left, right, top and bottom side
    for (int y = 0; y < 450; ++y) {
      for (int x = 0; x < 450; ++x) {
        if (!grey(x, y)) continue;
        const bool inX = x >= l && x <= r, inY = y >= t && y <= b;
        const bool on[4] = {x == l && inY, x == r && inY, y == t && inX, y == b && inX};
        for (int i = 0; i < 4; ++i) sides[i] += on[i];
        elsewhere += !(on[0] || on[1] || on[2] || on[3]);
      }
    }
    const std::string where = "zoom " + std::to_string(c.zoom) + " at " + std::to_string(c.h);
    // Dotted: about every other pixel of each side.
    for (int i = 0; i < 4; ++i) EXPECT_GE(sides[i], (i < 2 ? b - t : r - l) / 3) << where << i;
    EXPECT_LT(sides[2], r - l + 1) << "dotted, not solid: " << where;
    EXPECT_EQ(elsewhere, 0) << where;
  }

  // Cells that absurd stored borders put far away are drawn without overflow:
  // only the near cell's outline shows, whatever the zoom.
  GlyphRecord far = cell;
  far.x = 0, far.y = INT32_MAX, far.width = INT32_MAX, far.height = INT32_MAX;
  doc.glyphs.push_back(far);
  pane.SetZoom(1000);
  hScroll.setValue(0);
  vScroll.setValue(0);
  EXPECT_EQ(Painted(&pane).pixel(400, 200) & 0xFFFFFF, kOutline) << "the near cell's left side";
}

}  // namespace
}  // namespace glyphsheet::testing
