#pragma once

#include <QScrollArea>

namespace glyphsheet {

/// The column of the window's controls: as wide as its controls (and its
/// scroll bar while it shows one), as tall as the window gives it. In a window
/// too short for every control it scrolls up and down; the controls keep
/// their size whatever the window's.
class ControlsColumn : public QScrollArea {
  Q_OBJECT

 public:
  explicit ControlsColumn(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int ColumnWidth() const;
};

}  // namespace glyphsheet
