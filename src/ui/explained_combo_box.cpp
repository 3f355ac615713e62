#include "ui/explained_combo_box.h"

#include <QHelpEvent>
#include <QToolTip>

namespace glyphsheet {

ExplainedComboBox::ExplainedComboBox(QWidget* parent) : QComboBox(parent) {}

void ExplainedComboBox::setPurpose(const QString& purpose) {
  purpose_ = purpose;
  setAccessibleDescription(purpose);
}

QString ExplainedComboBox::ShownToolTip() const {
  const QString own = toolTip();
  if (own.isEmpty()) return purpose_;
  return purpose_.isEmpty() ? own : purpose_ + QLatin1Char('\n') + own;
}

bool ExplainedComboBox::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QComboBox::event(event);
  const QString shown = ShownToolTip();
  if (shown.isEmpty()) {
    event->ignore();
    return false;
  }
  QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), shown, this);
  return true;
}

}  // namespace glyphsheet
