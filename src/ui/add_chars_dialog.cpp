#include "ui/add_chars_dialog.h"

#include "ui_add_chars_dialog.h"

namespace glyphsheet {

AddCharsDialog::AddCharsDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::AddCharsDialog>()) {
  ui_->setupUi(this);
  setFixedSize(size());
  ui_->charsEdit->setFocus();
}

AddCharsDialog::~AddCharsDialog() = default;

QString AddCharsDialog::Text() const { return ui_->charsEdit->text(); }

std::optional<QString> AskForCharacters(QWidget* owner) {
  AddCharsDialog dialog(owner);
  // Cancel, Escape and the close box add nothing.
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Text();
}

}  // namespace glyphsheet
