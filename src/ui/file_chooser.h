#pragma once

#include <optional>

#include <QString>
#include <QStringList>

class QWidget;

namespace glyphsheet {

/// What a file dialog offers: caption, name filters ("字體 (*.fnt)") and the
/// extension added to a name typed without one.
struct FileDialogOptions {
  QString caption;
  QStringList filters;
  QString defaultSuffix;
  /// The filter selected when the dialog opens.
  int selectedFilter = 0;
  /// The folder the dialog opens in; empty for the current one.
  QString directory;
};

/// What the user answers when unsaved changes would be set aside.
enum class SaveChoice { kSave, kDiscard, kCancel };

/// Asks the user for a file name; the program uses QFileDialog, tests inject names.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  /// A name to write to, confirmed when the file exists, in an existing
  /// folder; nothing when cancelled. `chosenFilter`, when given, receives
  /// the index of the filter the user left selected.
  virtual std::optional<QString> GetSaveFileName(QWidget* owner, const FileDialogOptions& options,
                                                 int* chosenFilter = nullptr) = 0;
  /// The name of an existing file; nothing when cancelled.
  virtual std::optional<QString> GetOpenFileName(QWidget* owner,
                                                 const FileDialogOptions& options) = 0;
};

/// FileChooser over QFileDialog.
class QtFileChooser : public FileChooser {
 public:
  std::optional<QString> GetSaveFileName(QWidget* owner, const FileDialogOptions& options,
                                         int* chosenFilter = nullptr) override;
  std::optional<QString> GetOpenFileName(QWidget* owner, const FileDialogOptions& options) override;
};

/// Shows failures to the user; the program uses QMessageBox, tests record them.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  /// Reports a failure (Traditional Chinese text naming the file and the reason).
  virtual void ShowError(QWidget* owner, const QString& text) = 0;
  /// Tells something the user should know that is no failure.
  virtual void ShowNote(QWidget* owner, const QString& text) = 0;
  /// Asks whether to save the changes `text` speaks of: save, discard or cancel.
  virtual SaveChoice AskToSave(QWidget* owner, const QString& text) = 0;
};

/// MessageSink over QMessageBox.
class QtMessageSink : public MessageSink {
 public:
  void ShowError(QWidget* owner, const QString& text) override;
  void ShowNote(QWidget* owner, const QString& text) override;
  SaveChoice AskToSave(QWidget* owner, const QString& text) override;
};

}  // namespace glyphsheet
