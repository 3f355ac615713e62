#include "ui_test_support.h"
#include "support/pixels.h"

namespace glyphsheet::testing {
namespace {

constexpr QRgb kOutline = 0xC0C0C0;
constexpr int kBitmapSide = 512;

/// A 450 × 450 pane over a bitmap whose every pixel tells its own position,
/// with one glyph cell.
class PreviewPaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.Create(kBitmapSide, kBitmapSide);
    for (int y = 0; y < kBitmapSide; ++y) {
      for (int x = 0; x < kBitmapSide; ++x) SetPixelAt(bitmap, x, y, PositionColour(x, y));
    }
    doc.layout.shown = {{0, cell}};
    pane.resize(450, 450);
    pane.SetScrollBars(&hScroll, &vScroll);
    pane.SetSheet(&bitmap, &doc);
  }

  /// 0x00BBGGRR: x in red and the low bits of blue, y in green and the high
  /// bits; blue stays below 4, so no position is outline grey.
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

  const GlyphCell cell{.x = 40, .y = 20, .width = 12, .height = 15};
  PixelBitmap bitmap;
  SheetDocument doc;
  QScrollBar hScroll{Qt::Horizontal};
  QScrollBar vScroll{Qt::Vertical};
  PreviewPane pane;
};

// Every pane pixel is the sheet pixel at the zoom from the scroll position or,
// with outlines on, a grey dot on the cell's first or following row or column.
TEST_F(PreviewPaneTest, ShowsSheetPixelsAtTheZoomFromTheScrollPositionAndDottedOutlines) {
  for (const auto& [zoom, h, v, rects] : {std::tuple(100, 0, 0, false), {200, -1, -1, false},
           {300, -1, 0, false}, {100, 30, 10, true}, {200, 35, 15, true}, {300, 5, 9, true}}) {
    pane.SetShowRects(rects);
    ZoomAndScroll(zoom, h, v);
    const int left = hScroll.value(), top = vScroll.value(), k = zoom / 100;
    ASSERT_EQ(left, h < 0 ? 512 - 450 / k : h);
    const int l = (cell.x - left) * k, r = (cell.x + cell.width - left) * k;
    const int t = (cell.y - top) * k, b = (cell.y + cell.height - top) * k;
    const QImage shown = Painted(&pane);
    int wrong = 0, sides[5] = {};  // top, bottom, left, right, elsewhere
    for (int y = 0; y < 450; ++y) {
      for (int x = 0; x < 450; ++x) {
        if (Rgb(shown, x, y) != kOutline) {
          wrong += Rgb(shown, x, y) != Shown(left + x / k, top + y / k);
        } else if (x >= l && x <= r && (y == t || y == b)) {
          ++sides[y == t ? 0 : 1];
        } else if (y > t && y < b && (x == l || x == r)) {
          ++sides[x == l ? 2 : 3];
        } else {
          ++sides[4];
        }
      }
    }
    SCOPED_TRACE(::testing::Message() << "zoom " << zoom << " at " << left << ", " << top);
    EXPECT_EQ(std::pair(wrong, sides[4]), std::pair(0, 0));
    // Dotted: about every other pixel of each side, not all of them.
    const int lengths[4] = {r - l, r - l, b - t, b - t};
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(rects ? sides[i] >= lengths[i] / 3 && sides[i] < lengths[i] + 1 : sides[i] == 0)
          << "side " << i << ": " << sides[i];
    }
  }
  // A cell that absurd stored borders put far away is drawn without overflow:
  // only the near cell's outline shows, whatever the zoom.
  doc.layout.shown.push_back({1, {.y = INT32_MAX, .width = INT32_MAX, .height = INT32_MAX}});
  ZoomAndScroll(1000, 0, 0);
  EXPECT_EQ(Rgb(Painted(&pane), 400, 200), kOutline) << "the near cell's top-left corner";
  ZoomAndScroll(100, 40, 0);
  pane.SetZoom(400);
  EXPECT_EQ(hScroll.value(), 40) << "zooming in keeps a position that still fits";
  // 300 pane rows at 700% show 42.86 sheet rows, truncated as the picture is, so
  // a 512-pixel-high bitmap scrolls to 512 - 42 (and one 2048 wide to 2048 - 64
  // across); a zoom below 1 counts as 1.
  const PreviewWindow wide = ComputePreviewWindow(450, 300, 700, 2048, 512);
  EXPECT_EQ(std::tuple(wide.maxH, wide.maxV, ComputePreviewWindow(450, 300, 0, 512, 512).sourceHeight),
            std::tuple(1984, 470, 30000));
  // A pane larger than the bitmap cannot scroll and draws nothing beyond it.
  pane.SetZoom(100);
  pane.resize(700, 600);
  const QImage shown = Painted(&pane);
  EXPECT_EQ(std::tuple(hScroll.maximum(), vScroll.maximum()), std::tuple(0, 0));
  EXPECT_EQ(Rgb(shown, 511, 511), Shown(511, 511));
  for (QPoint p : {QPoint(512, 10), QPoint(10, 512), QPoint(699, 599)}) {
    EXPECT_EQ(Rgb(shown, p.x(), p.y()), Rgb(shown, 600, 550)) << p.x() << "," << p.y();
  }
}

}  // namespace
}  // namespace glyphsheet::testing
