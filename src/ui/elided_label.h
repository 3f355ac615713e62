#pragma once

#include <QLabel>
#include <QString>

namespace glyphsheet {

/// A one-line label for text longer than the room it gets (the status line):
/// it shows as much as fits, cut with "…", again at every resize, and the
/// whole text as its tooltip. It never widens the window.
class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  /// The whole text; the label shows it cut to its width.
  void SetFullText(const QString& text);
  QString FullText() const { return fullText_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();

  QString fullText_;
};

}  // namespace glyphsheet
