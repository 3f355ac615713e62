#pragma once

#include <QComboBox>
#include <QString>

namespace glyphsheet {

/// A combo box whose tooltip says what it is for and, below, its own tooltip
/// (the whole current entry where the box is too narrow for it). The form
/// sets the purpose; the tooltip follows the entry as before.
class ExplainedComboBox : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(QString purpose READ Purpose WRITE setPurpose)

 public:
  explicit ExplainedComboBox(QWidget* parent = nullptr);

  QString Purpose() const { return purpose_; }
  // Named as the form's generated code calls it.
  void setPurpose(const QString& purpose);
  /// What the tooltip shows.
  QString ShownToolTip() const;

 protected:
  bool event(QEvent* event) override;

 private:
  QString purpose_;
};

}  // namespace glyphsheet
