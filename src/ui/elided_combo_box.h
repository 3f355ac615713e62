#pragma once

#include "ui/explained_combo_box.h"

namespace glyphsheet {

/// A combo box for entries longer than the box (typeface names): the box
/// shows the current entry cut with "…" and the whole of it as its tooltip
/// (below what the box is for), and the list it opens is wide enough for the
/// longest entry.
class ElidedComboBox : public ExplainedComboBox {
  Q_OBJECT

 public:
  explicit ElidedComboBox(QWidget* parent = nullptr);

  /// The current entry as the box shows it.
  QString ShownText() const;
  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace glyphsheet
