#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>
#include <utility>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>

#include "support/fake_rasterizer.h"
#include "ui/file_chooser.h"
#include "ui/glyph_sheet_dialog.h"
#include "ui/preview_pane.h"
#include "ui/text_preview_dialog.h"

namespace glyphsheet {

/// What the window keeps and shows no control for.
struct GlyphSheetDialogInside {
  static const SheetDocument& Document(const GlyphSheetDialog& d) { return d.doc_; }
  static const PixelBitmap& SheetBitmap(const GlyphSheetDialog& d) { return d.sheetBitmap_; }
};

}  // namespace glyphsheet

namespace glyphsheet::testing {

/// The window's document as last rebuilt.
inline const SheetDocument& DocumentOf(const GlyphSheetDialog& d) {
  return GlyphSheetDialogInside::Document(d);
}
/// The window's sheet bitmap: the page shown, at least 512 × 512.
inline const PixelBitmap& SheetBitmapOf(const GlyphSheetDialog& d) {
  return GlyphSheetDialogInside::SheetBitmap(d);
}
/// The whole text of the status line (the line itself may show it cut short).
inline QString StatusOf(const GlyphSheetDialog& d) {
  return d.findChild<QLabel*>(QStringLiteral("statusLabel"))->toolTip();
}
/// The picture a text preview shows, one pixel per preview pixel.
inline QImage PictureOf(const TextPreviewDialog& d) {
  return d.findChild<QLabel*>(QStringLiteral("previewLabel"))->pixmap().toImage();
}

/// Answers the next file dialog with the name given beforehand; without one
/// the dialog is cancelled.
class FakeFileChooser : public FileChooser {
 public:
  std::optional<QString> answer;
  /// The filter "chosen" with the answer; the options of the last dialog.
  int answerFilter = 0;
  FileDialogOptions lastOptions;
  std::optional<QString> GetSaveFileName(QWidget*, const FileDialogOptions& options,
                                         int* chosenFilter) override {
    lastOptions = options;
    if (chosenFilter != nullptr) *chosenFilter = answerFilter;
    return std::exchange(answer, std::nullopt);
  }
  std::optional<QString> GetOpenFileName(QWidget*, const FileDialogOptions&) override {
    return std::exchange(answer, std::nullopt);
  }
};

/// Keeps every message instead of showing it.
/// Notes and questions to save are kept too; each question gets `answer`.
class RecordingMessages : public MessageSink {
 public:
  QStringList shown;
  QStringList notes;
  QStringList asked;
  SaveChoice answer = SaveChoice::kDiscard;
  void ShowError(QWidget*, const QString& text) override { shown << text; }
  void ShowNote(QWidget*, const QString& text) override { notes << text; }
  SaveChoice AskToSave(QWidget*, const QString& text) override {
    asked << text;
    return answer;
  }
};

/// A main window over the fake rasterizer, with fake file dialogs and messages.
class GlyphSheetDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { dialog = MakeDialog(); }

  std::unique_ptr<GlyphSheetDialog> MakeDialog() {
    auto made = std::make_unique<GlyphSheetDialog>(rasterizer, files, messages);
    made->show();
    return made;
  }

  /// Resizes the window so that the preview is 450 × 450, as the sheet
  /// arithmetic of the tests takes it.
  void SizePreviewAt450() {
    const QWidget* pane = Find("previewPane");
    // Again when the controls' column took or gave up a scroll bar.
    for (int tries = 0; tries < 3 && pane->size() != QSize(450, 450); ++tries) {
      dialog->resize(dialog->size() + QSize(450, 450) - pane->size());
      QApplication::processEvents();
    }
    ASSERT_EQ(pane->size(), QSize(450, 450));
  }

  /// The control with this objectName; fails the test when it is missing.
  template <class T = QWidget>
  T* Find(const char* name, GlyphSheetDialog* in = nullptr) {
    T* widget = (in ? in : dialog.get())->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  /// Works a control as a user would: a spin box or slider takes the value, a
  /// combo box selects entry `value`, a button is clicked.
  void Set(const char* name, int value = 1) {
    QWidget* control = Find(name);
    if (auto* spin = qobject_cast<QSpinBox*>(control)) spin->setValue(value);
    if (auto* slider = qobject_cast<QAbstractSlider*>(control)) slider->setValue(value);
    if (auto* combo = qobject_cast<QComboBox*>(control)) combo->setCurrentIndex(value);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) button->click();
  }

  /// What a control shows, as Set takes it: 1 for a checked button.
  int Shown(const char* name, GlyphSheetDialog* in = nullptr) {
    QWidget* control = Find(name, in);
    if (auto* spin = qobject_cast<QSpinBox*>(control)) return spin->value();
    if (auto* slider = qobject_cast<QAbstractSlider*>(control)) return slider->value();
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentIndex();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->isChecked();
    return -1;
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

/// Every pixel of a window's sheet bitmap.
inline std::vector<uint32_t> SheetPixels(const GlyphSheetDialog& dialog) {
  const PixelBitmap& bitmap = SheetBitmapOf(dialog);
  return {bitmap.Pixels(), bitmap.Pixels() + bitmap.Width() * bitmap.Height()};
}

/// A widget as painted, one image pixel per widget pixel.
inline QImage Painted(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

/// A painted pixel as 0xRRGGBB.
inline QRgb Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

}  // namespace glyphsheet::testing
