#include "ui/preview_pane.h"

#include <algorithm>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QScrollBar>

namespace glyphsheet {
namespace {

/// Colour of the dotted cell outlines.
constexpr QRgb kOutlineColour = 0xC0C0C0;

int ScrollValue(const QScrollBar* bar) { return bar ? bar->value() : 0; }

/// A sheet distance from the scroll position in pane pixels, truncated as
/// the picture is; cells far outside (absurd stored borders) are held to a
/// range the painter can take.
int PanePixels(int64_t sheetPixels, float zoom) {
  constexpr float kFar = 1 << 24;
  return static_cast<int>(std::clamp(static_cast<float>(sheetPixels) * zoom, -kFar, kFar));
}

}  // namespace

PreviewWindow ComputePreviewWindow(int paneWidth, int paneHeight, int zoomPercent,
                                   int bitmapWidth, int bitmapHeight) {
  // Single precision and truncation, so the outlines below land on the same
  // pixels as the stretched picture.
  const float scale = 100.0f / static_cast<float>(std::max(zoomPercent, 1));
  PreviewWindow window;
  window.sourceWidth = static_cast<int>(static_cast<float>(paneWidth) * scale);
  window.sourceHeight = static_cast<int>(static_cast<float>(paneHeight) * scale);
  window.maxH = std::max(0, bitmapWidth - window.sourceWidth);
  window.maxV = std::max(0, bitmapHeight - window.sourceHeight);
  return window;
}

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPane::SetSheet(const PixelBitmap* sheetBitmap, const SheetDocument* document) {
  sheetBitmap_ = sheetBitmap;
  document_ = document;
  update();
}

void PreviewPane::SetScrollBars(QScrollBar* horizontal, QScrollBar* vertical) {
  hScroll_ = horizontal;
  vScroll_ = vertical;
  for (QScrollBar* bar : {hScroll_, vScroll_}) {
    if (bar) connect(bar, &QScrollBar::valueChanged, this, &PreviewPane::InvalidatePreview);
  }
  UpdateScrollRanges();
}

void PreviewPane::SetZoom(int percent) {
  zoom_ = percent;
  UpdateScrollRanges();
  update();
}

void PreviewPane::SetShowRects(bool show) {
  showRects_ = show;
  update();
}

void PreviewPane::SetPage(int32_t page) {
  page_ = page;
  update();
}

void PreviewPane::InvalidatePreview() {
  UpdateScrollRanges();
  update();
}

void PreviewPane::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateScrollRanges();
}

PreviewWindow PreviewPane::Window() const {
  const bool shown = sheetBitmap_ != nullptr;
  return ComputePreviewWindow(width(), height(), zoom_, shown ? sheetBitmap_->Width() : 0,
                              shown ? sheetBitmap_->Height() : 0);
}

void PreviewPane::UpdateScrollRanges() {
  const PreviewWindow window = Window();
  // A shrinking range pulls the position back inside it; otherwise the
  // positions stay where they are when the zoom changes.
  if (hScroll_) hScroll_->setRange(0, window.maxH);
  if (vScroll_) vScroll_->setRange(0, window.maxV);
}

void PreviewPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Dark));
  if (!sheetBitmap_ || !sheetBitmap_->Pixels()) return;

  // The ranges follow the pane's size and zoom at every paint.
  UpdateScrollRanges();
  const PreviewWindow window = Window();
  if (window.sourceWidth <= 0 || window.sourceHeight <= 0) return;
  const int h = ScrollValue(hScroll_);
  const int v = ScrollValue(vScroll_);

  // The bitmap's own memory, 0x00RRGGBB words: no copy.
  const QImage image(reinterpret_cast<const uchar*>(sheetBitmap_->Pixels()),
                     sheetBitmap_->Width(), sheetBitmap_->Height(),
                     sheetBitmap_->BytesPerLine(), QImage::Format_RGB32);

  // Only the part of the source window that lies on the bitmap is drawn;
  // a preview larger than the bitmap keeps its background beyond it.
  const double scaleX = static_cast<double>(width()) / window.sourceWidth;
  const double scaleY = static_cast<double>(height()) / window.sourceHeight;
  const int shownW = std::clamp(image.width() - h, 0, window.sourceWidth);
  const int shownH = std::clamp(image.height() - v, 0, window.sourceHeight);
  if (shownW == 0 || shownH == 0) return;
  const QRectF target(0, 0, shownW * scaleX, shownH * scaleY);
  painter.drawImage(target, image, QRectF(h, v, shownW, shownH));

  if (!showRects_ || !document_ || document_->layout.shown.empty()) return;
  painter.setClipRect(target);
  QPen pen{QColor(kOutlineColour)};
  pen.setWidth(1);
  pen.setCosmetic(true);
  pen.setDashPattern({1.0, 1.0});
  painter.setPen(pen);
  const float zoom = static_cast<float>(zoom_) / 100.0f;
  // Cells that start beyond the bitmap are not kept and would be clipped.
  for (const auto& [index, glyph] : document_->layout.shown) {
    if (glyph.page != page_) continue;
    const int64_t left0 = int64_t{glyph.x} - h;
    const int64_t top0 = int64_t{glyph.y} - v;
    const int l = PanePixels(left0, zoom);
    const int t = PanePixels(top0, zoom);
    const int r = PanePixels(left0 + glyph.width, zoom);
    const int b = PanePixels(top0 + glyph.height, zoom);
    const QPoint outline[] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
    painter.drawPolyline(outline, 5);
  }
}

}  // namespace glyphsheet
