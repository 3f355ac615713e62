#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>

#include <QComboBox>
#include <QImage>
#include <QStringList>

#include "support/fake_rasterizer.h"
#include "ui/file_chooser.h"
#include "ui/glyph_sheet_dialog.h"

namespace glyphsheet::testing {

/// Hands out queued file names instead of showing a dialog; an empty queue
/// (or a queued nullopt) is a cancelled dialog.
class FakeFileChooser : public FileChooser {
 public:
  std::deque<std::optional<QString>> answers;
  std::vector<FileDialogOptions> asked;

  std::optional<QString> GetSaveFileName(QWidget*, const FileDialogOptions& options) override {
    return Next(options);
  }
  std::optional<QString> GetOpenFileName(QWidget*, const FileDialogOptions& options) override {
    return Next(options);
  }

 private:
  std::optional<QString> Next(const FileDialogOptions& options) {
    asked.push_back(options);
    if (answers.empty()) return std::nullopt;
    std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

/// Keeps every message instead of showing it.
class RecordingMessages : public MessageSink {
 public:
  QStringList shown;
  void ShowError(QWidget*, const QString& text) override { shown << text; }
};

/// A main window over the fake rasterizer, with fake file dialogs and messages.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { dialog = MakeDialog(); }

  std::unique_ptr<GlyphSheetDialog> MakeDialog() {
    auto made = std::make_unique<GlyphSheetDialog>(rasterizer, files, messages);
    made->show();
    return made;
  }

  /// The control with this objectName; fails the test when it is missing.
  template <class T>
  T* Find(const char* name, GlyphSheetDialog* in = nullptr) {
    T* widget = (in ? in : dialog.get())->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  /// The codes of the glyph list in order, as text.
  std::string Codes() const {
    std::string codes;
    for (const GlyphRecord& g : dialog->Document().glyphs) codes += static_cast<char>(g.code);
    return codes;
  }

  FakeRasterizer rasterizer;
  FakeFileChooser files;
  RecordingMessages messages;
  std::unique_ptr<GlyphSheetDialog> dialog;
};

/// The entries of a combo box.
inline QStringList Entries(const QComboBox* combo) {
  QStringList texts;
  for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  return texts;
}

/// A widget as painted, one image pixel per widget pixel.
inline QImage Painted(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace glyphsheet::testing
