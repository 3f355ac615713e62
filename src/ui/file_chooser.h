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
};

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
};

/// MessageSink over QMessageBox.
class QtMessageSink : public MessageSink {
 public:
  void ShowError(QWidget* owner, const QString& text) override;
};

}  // namespace glyphsheet
