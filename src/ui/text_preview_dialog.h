#pragma once

#include <memory>

#include <QDialog>
#include <QImage>

#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace Ui {
class TextPreviewDialog;
}

namespace glyphsheet {

/// A line of sample text set with the sheet as a game engine would set the
/// BMFont export (kerning included), shown twice its size; it follows every
/// rebuild of the sheet and every change of the text.
class TextPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  /// The document, bitmap and font are the main window's; they outlive this.
  TextPreviewDialog(const SheetDocument& doc, const PixelBitmap& sheetBitmap, QWidget* parent);
  ~TextPreviewDialog() override;

  /// Sets the sample text again with the sheet as it is now and `font`.
  void Refresh(const RasterFont* font);

 private:
  const SheetDocument& doc_;
  const PixelBitmap& sheetBitmap_;
  const RasterFont* font_ = nullptr;
  std::unique_ptr<Ui::TextPreviewDialog> ui_;
  QImage picture_;
};

}  // namespace glyphsheet
