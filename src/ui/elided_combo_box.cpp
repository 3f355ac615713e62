#include "ui/elided_combo_box.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace glyphsheet {

ElidedComboBox::ElidedComboBox(QWidget* parent) : ExplainedComboBox(parent) {
  connect(this, &QComboBox::currentIndexChanged, this, [this] { setToolTip(currentText()); });
}

QString ElidedComboBox::ShownText() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  return fontMetrics().elidedText(currentText(), Qt::ElideRight, field.width());
}

void ElidedComboBox::showPopup() {
  // The list opens at least as wide as its longest entry, past the box's right edge.
  QAbstractItemView* list = view();
  int widest = 0;
  for (int i = 0; i < count(); ++i) {
    widest = std::max(widest, list->fontMetrics().horizontalAdvance(itemText(i)));
  }
  const int margins = 4 * list->frameWidth() + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) +
                      list->verticalScrollBar()->sizeHint().width() + 16;
  list->setMinimumWidth(std::max(width(), widest + margins));
  QComboBox::showPopup();
}

void ElidedComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  option.currentText = ShownText();
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace glyphsheet
