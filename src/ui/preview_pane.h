#pragma once

#include <QWidget>

#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"

class QScrollBar;

namespace glyphsheet {

/// Side of the window's sheet bitmap; the sheet occupies its top-left corner.
constexpr int kWindowBitmapSide = 512;

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
/// zoomPercent (taken as 1 when below) over a bitmapSize-pixel square bitmap.
PreviewWindow ComputePreviewWindow(int paneWidth, int paneHeight, int zoomPercent,
                                   int bitmapSize = kWindowBitmapSide);

/// Shows the sheet bitmap enlarged by the zoom, scrolled by two scroll bars,
/// with dotted outlines of the glyph cells on request. Painting only reads the
/// bitmap and the document; it never rebuilds.
class PreviewPane : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewPane(QWidget* parent = nullptr);

  /// The bitmap and document to show; both outlive the pane (or are reset).
  void SetSheet(const PixelBitmap* sheetBitmap, const SheetDocument* document);
  /// The scroll bars that hold the horizontal and vertical positions.
  void SetScrollBars(QScrollBar* horizontal, QScrollBar* vertical);
  /// Zoom in percent (the zoom slider holds it to its range); adjusts the
  /// scroll ranges and repaints.
  void SetZoom(int percent);
  /// Whether every glyph cell is outlined.
  void SetShowRects(bool show);
  /// Asks for a repaint from the sheet bitmap as it is now.
  void InvalidatePreview();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollRanges();

  const PixelBitmap* sheetBitmap_ = nullptr;
  const SheetDocument* document_ = nullptr;
  QScrollBar* hScroll_ = nullptr;
  QScrollBar* vScroll_ = nullptr;
  int zoom_ = 100;
  bool showRects_ = false;
};

}  // namespace glyphsheet
