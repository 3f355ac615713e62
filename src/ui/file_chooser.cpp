#include "ui/file_chooser.h"

#include <QFileDialog>
#include <QMessageBox>

namespace glyphsheet {
namespace {

std::optional<QString> RunFileDialog(QWidget* owner, const FileDialogOptions& options,
                                     QFileDialog::AcceptMode mode, int* chosenFilter = nullptr) {
  QFileDialog dialog(owner, options.caption);
  dialog.setAcceptMode(mode);
  // Saving needs an existing folder; opening needs an existing file.
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setNameFilters(options.filters);
  if (options.selectedFilter >= 0 && options.selectedFilter < options.filters.size()) {
    dialog.selectNameFilter(options.filters[options.selectedFilter]);
  }
  dialog.setDefaultSuffix(options.defaultSuffix);
  if (!options.directory.isEmpty()) dialog.setDirectory(options.directory);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  if (chosenFilter != nullptr) {
    *chosenFilter = static_cast<int>(options.filters.indexOf(dialog.selectedNameFilter()));
  }
  return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> QtFileChooser::GetSaveFileName(QWidget* owner,
                                                      const FileDialogOptions& options,
                                                      int* chosenFilter) {
  return RunFileDialog(owner, options, QFileDialog::AcceptSave, chosenFilter);
}

std::optional<QString> QtFileChooser::GetOpenFileName(QWidget* owner,
                                                      const FileDialogOptions& options) {
  return RunFileDialog(owner, options, QFileDialog::AcceptOpen);
}

void QtMessageSink::ShowError(QWidget* owner, const QString& text) {
  QMessageBox::warning(owner, QStringLiteral("GlyphSheet 1.0"), text);
}

void QtMessageSink::ShowNote(QWidget* owner, const QString& text) {
  QMessageBox::information(owner, QStringLiteral("GlyphSheet 1.0"), text);
}

SaveChoice QtMessageSink::AskToSave(QWidget* owner, const QString& text) {
  const QMessageBox::StandardButton answer = QMessageBox::question(
      owner, QStringLiteral("GlyphSheet 1.0"), text,
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  return answer == QMessageBox::Save      ? SaveChoice::kSave
         : answer == QMessageBox::Discard ? SaveChoice::kDiscard
                                          : SaveChoice::kCancel;
}

}  // namespace glyphsheet
