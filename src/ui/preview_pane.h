#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>

#include <QWidget>

#include "sheet/pixel_bitmap.h"
#include "sheet/settings.h"
#include "sheet/sheet_document.h"

class QPainter;
class QScrollBar;
class QWheelEvent;

namespace glyphsheet {

/// Least side of the window's sheet bitmap: a smaller sheet sits in its
/// top-left corner, the hatch around it.
constexpr int32_t kLeastWindowBitmapSide = 512;
/// Largest side of the window's sheet bitmap, the largest sheet offered; of a
/// larger stored sheet the window shows the first pixels.
constexpr int32_t kLargestWindowBitmapSide = kSheetSizeChoices[std::size(kSheetSizeChoices) - 1];

/// The window's sheet bitmap side along a sheet side: the sheet side held to
/// kLeastWindowBitmapSide..kLargestWindowBitmapSide.
constexpr int32_t WindowBitmapSide(int32_t sheetSide) {
  return std::clamp(sheetSide, kLeastWindowBitmapSide, kLargestWindowBitmapSide);
}

/// The zoom choices step by this many percent (the zoom slider's ticks).
constexpr int kZoomStepPercent = 50;
/// Preview pixels one arrow key or one line of a wheel turn scrolls.
constexpr int kPreviewLinePixels = 20;

/// The zoom choice `steps` choices above zoomPercent (below when negative); a
/// zoom between two choices counts as the nearer one on the way.
int SteppedZoom(int zoomPercent, int steps);

/// The part of the sheet bitmap a preview of a given size shows at a zoom.
struct PreviewWindow {
  /// Sheet pixels across and down that are stretched over the preview.
  int sourceWidth = 0;
  int sourceHeight = 0;
  /// Largest scroll positions; never below 0, also when the preview is
  /// larger than the sheet bitmap.
  int maxH = 0;
  int maxV = 0;
};

/// The source size and scroll limits of a paneWidth × paneHeight preview at
/// zoomPercent (taken as 1 when below) over a bitmapWidth × bitmapHeight bitmap.
PreviewWindow ComputePreviewWindow(int paneWidth, int paneHeight, int zoomPercent,
                                   int bitmapWidth, int bitmapHeight);

/// Shows the sheet bitmap enlarged by the zoom, scrolled by two scroll bars,
/// with dotted outlines of the glyph cells of the page it holds on request. Painting only reads the
/// bitmap and the document; it never rebuilds.
/// It takes the focus by Tab and by a click. The wheel scrolls it up and down
/// (Shift+wheel across), Ctrl+wheel asks for the next zoom choice; the arrow
/// keys scroll a line, Page Up/Down a preview's height, Home/End to the top
/// or bottom (with Ctrl, also to the left or right end).
class PreviewPane : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewPane(QWidget* parent = nullptr);

  /// The bitmap and document to show; both outlive the pane (or are reset).
  /// The scroll ranges follow the bitmap's size at every repaint asked for.
  void SetSheet(const PixelBitmap* sheetBitmap, const SheetDocument* document);
  /// The page (from 0) the bitmap holds: only its cells are outlined.
  void SetPage(int32_t page);
  /// The scroll bars that hold the horizontal and vertical positions.
  void SetScrollBars(QScrollBar* horizontal, QScrollBar* vertical);
  /// Zoom in percent (the zoom slider holds it to its range); adjusts the
  /// scroll ranges and repaints.
  void SetZoom(int percent);
  /// Whether every glyph cell is outlined.
  void SetShowRects(bool show);
  /// Asks for a repaint from the sheet bitmap as it is now, its size included.
  void InvalidatePreview();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  /// Ctrl+wheel: the zoom in percent the user asks for, a zoom choice that
  /// may lie outside the zoom slider's range (the slider holds it there).
  void ZoomAsked(int percent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UpdateScrollRanges();
  PreviewWindow Window() const;
  void PaintSheet(QPainter& painter);
  /// Sheet pixels of `previewPixels` at the zoom, at least 1.
  int SheetPixels(double previewPixels) const;
  /// Moves a scroll bar by sheet pixels; the bar holds it to its range.
  static void ScrollBy(QScrollBar* bar, int sheetPixels);

  const PixelBitmap* sheetBitmap_ = nullptr;
  const SheetDocument* document_ = nullptr;
  QScrollBar* hScroll_ = nullptr;
  QScrollBar* vScroll_ = nullptr;
  int32_t page_ = 0;
  int zoom_ = 100;
  bool showRects_ = false;
  /// Wheel turns not yet taken: eighths of a degree, one notch is 120.
  int zoomWheel_ = 0;
  /// Preview pixels of wheel scrolling not yet a whole sheet pixel.
  double wheelRestH_ = 0;
  double wheelRestV_ = 0;
};

}  // namespace glyphsheet
