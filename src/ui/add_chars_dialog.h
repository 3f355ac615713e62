#pragma once

#include <optional>

#include <memory>

#include <QDialog>
#include <QString>

namespace Ui {
class AddCharsDialog;
}

namespace glyphsheet {

/// The small dialog in which the user types the characters to add.
class AddCharsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AddCharsDialog(QWidget* parent = nullptr);
  ~AddCharsDialog() override;

  /// The text of the edit box; used however the dialog was closed.
  QString Text() const;

 private:
  std::unique_ptr<Ui::AddCharsDialog> ui_;
};

/// Runs the dialog modally and returns its text when it was closed with OK;
/// nothing after Cancel, Escape or the close box.
std::optional<QString> AskForCharacters(QWidget* owner);

}  // namespace glyphsheet
