#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>

#include <QWidget>

#include "sheet/pixel_bitmap.h"
#include "sheet/settings.h"
#include "sheet/sheet_document.h"

class QScrollBar;

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollRanges();
  PreviewWindow Window() const;

  const PixelBitmap* sheetBitmap_ = nullptr;
  const SheetDocument* document_ = nullptr;
  QScrollBar* hScroll_ = nullptr;
  QScrollBar* vScroll_ = nullptr;
  int32_t page_ = 0;
  int zoom_ = 100;
  bool showRects_ = false;
};

}  // namespace glyphsheet
