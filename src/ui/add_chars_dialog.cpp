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

QString AskForCharacters(QWidget* owner) {
  AddCharsDialog dialog(owner);
  dialog.exec();
  return dialog.Text();
}

}  // namespace glyphsheet
