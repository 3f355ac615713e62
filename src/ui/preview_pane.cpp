#include "ui/preview_pane.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QWheelEvent>

namespace glyphsheet {
namespace {

/// Colour of the dotted cell outlines.
constexpr QRgb kOutlineColour = 0xC0C0C0;

int ScrollValue(const QScrollBar* bar) { return bar ? bar->value() : 0; }

/// Eighths of a degree in one notch of a mouse wheel.
constexpr int kWheelNotch = 120;
/// Width of the line round a preview that has the focus.
constexpr int kFocusLineWidth = 2;

/// A sheet distance from the scroll position in pane pixels, truncated as
/// the picture is; cells far outside (absurd stored borders) are held to a
/// range the painter can take.
int PanePixels(int64_t sheetPixels, float zoom) {
  constexpr float kFar = 1 << 24;
  return static_cast<int>(std::clamp(static_cast<float>(sheetPixels) * zoom, -kFar, kFar));
}

}  // namespace

int SteppedZoom(int zoomPercent, int steps) {
  if (steps == 0) return zoomPercent;
  // Up from the choice at or below, down from the one at or above.
  const int below = zoomPercent / kZoomStepPercent * kZoomStepPercent;
  const int from = steps > 0 || below == zoomPercent ? below : below + kZoomStepPercent;
  return from + steps * kZoomStepPercent;
}

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
  setFocusPolicy(Qt::StrongFocus);
}

// The preview of a 512-pixel sheet at 100 %, nearly whole; in a small window
// a few cells.
QSize PreviewPane::sizeHint() const { return {450, 450}; }

QSize PreviewPane::minimumSizeHint() const { return {64, 64}; }

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

int PreviewPane::SheetPixels(double previewPixels) const {
  const double sheet = previewPixels * 100.0 / std::max(zoom_, 1);
  return std::max(1, static_cast<int>(std::lround(sheet)));
}

void PreviewPane::ScrollBy(QScrollBar* bar, int sheetPixels) {
  if (bar) bar->setValue(bar->value() + sheetPixels);
}

void PreviewPane::wheelEvent(QWheelEvent* event) {
  event->accept();
  const QPoint angle = event->angleDelta();
  if (event->modifiers() & Qt::ControlModifier) {
    // Each notch (or the turns of a fine wheel that add up to one) is one
    // zoom choice.
    zoomWheel_ += angle.y() != 0 ? angle.y() : angle.x();
    const int steps = zoomWheel_ / kWheelNotch;
    zoomWheel_ -= steps * kWheelNotch;
    if (steps != 0) emit ZoomAsked(SteppedZoom(zoom_, steps));
    return;
  }
  // A wheel turned up or to the left moves the sheet down or right: the
  // scroll position goes back. Shift turns the wheel's up and down across.
  QPointF preview = event->pixelDelta();
  if (preview.isNull()) {
    const double perNotch = QApplication::wheelScrollLines() * kPreviewLinePixels;
    preview = QPointF(angle) * perNotch / kWheelNotch;
  }
  if ((event->modifiers() & Qt::ShiftModifier) && preview.x() == 0) {
    preview = QPointF(preview.y(), 0);
  }
  const double zoom = std::max(zoom_, 1) / 100.0;
  wheelRestH_ -= preview.x() / zoom;
  wheelRestV_ -= preview.y() / zoom;
  const int h = static_cast<int>(wheelRestH_);
  const int v = static_cast<int>(wheelRestV_);
  wheelRestH_ -= h;
  wheelRestV_ -= v;
  if (h != 0) ScrollBy(hScroll_, h);
  if (v != 0) ScrollBy(vScroll_, v);
}

void PreviewPane::keyPressEvent(QKeyEvent* event) {
  const int line = SheetPixels(kPreviewLinePixels);
  const int page = std::max(1, Window().sourceHeight);
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Up: ScrollBy(vScroll_, -line); break;
    case Qt::Key_Down: ScrollBy(vScroll_, line); break;
    case Qt::Key_Left: ScrollBy(hScroll_, -line); break;
    case Qt::Key_Right: ScrollBy(hScroll_, line); break;
    case Qt::Key_PageUp: ScrollBy(vScroll_, -page); break;
    case Qt::Key_PageDown: ScrollBy(vScroll_, page); break;
    case Qt::Key_Home:
    case Qt::Key_End: {
      const bool home = event->key() == Qt::Key_Home;
      for (QScrollBar* bar : {vScroll_, ctrl ? hScroll_ : nullptr}) {
        if (bar) bar->setValue(home ? bar->minimum() : bar->maximum());
      }
      break;
    }
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
}

void PreviewPane::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void PreviewPane::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void PreviewPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.save();
  PaintSheet(painter);
  painter.restore();
  if (!hasFocus()) return;
  // The keys scroll this preview: a line round it in the highlight colour says so.
  QPen line(palette().color(QPalette::Highlight), kFocusLineWidth);
  line.setJoinStyle(Qt::MiterJoin);
  painter.setPen(line);
  painter.setBrush(Qt::NoBrush);
  const int inset = kFocusLineWidth / 2;
  painter.drawRect(rect().adjusted(inset, inset, -inset, -inset));
}

void PreviewPane::PaintSheet(QPainter& painter) {
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
