#include "ui/controls_column.h"

#include <QEvent>
#include <QScrollBar>

namespace glyphsheet {

namespace {

/// The least height of the column: a few rows of controls, the rest scrolls.
constexpr int kLeastRows = 3;

}  // namespace

ControlsColumn::ControlsColumn(QWidget* parent) : QScrollArea(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  // The scroll bar comes and goes with the window's height: the column
  // widens or narrows by it.
  connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] { updateGeometry(); });
}

bool ControlsColumn::eventFilter(QObject* watched, QEvent* event) {
  // The controls' own size changed (another language, a longer entry): the
  // column follows.
  if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
  return QScrollArea::eventFilter(watched, event);
}

int ControlsColumn::ColumnWidth() const {
  const QWidget* controls = widget();
  const int bar = verticalScrollBar()->maximum() > 0 ? verticalScrollBar()->sizeHint().width() : 0;
  return (controls ? controls->sizeHint().width() : 0) + bar + 2 * frameWidth();
}

QSize ControlsColumn::sizeHint() const {
  const QWidget* controls = widget();
  return {ColumnWidth(), (controls ? controls->sizeHint().height() : 0) + 2 * frameWidth()};
}

QSize ControlsColumn::minimumSizeHint() const {
  return {ColumnWidth(), kLeastRows * fontMetrics().height() + 2 * frameWidth()};
}

}  // namespace glyphsheet
