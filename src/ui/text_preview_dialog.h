#pragma once

#include <memory>
#include <vector>

#include <QDialog>
#include <QImage>

#include "sheet/bmfont_model.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

namespace Ui {
class TextPreviewDialog;
}

namespace glyphsheet {

/// A line of sample text set with the sheet as a game engine would set the
/// BMFont export (kerning included, every page), shown twice its size; it
/// follows every rebuild of the sheet and every change of the text.
class TextPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  /// The document is the main window's; it outlives this.
  TextPreviewDialog(const SheetDocument& doc, QWidget* parent);
  ~TextPreviewDialog() override;

  /// Takes the sheet as it is now, laid out with `font`, and sets the sample
  /// text with it again.
  void Refresh(const RasterFont* font);

 private:
  /// Sets the sample text, drawing the pages it uses that are not drawn yet
  /// and letting go of those it no longer uses.
  void SetSample();

  const SheetDocument& doc_;
  const RasterFont* font_ = nullptr;
  /// The sheet as the BMFont export describes it.
  BmFont described_;
  /// One bitmap per page of the sheet; only the pages the sample uses are drawn.
  std::vector<PixelBitmap> pages_;
  std::unique_ptr<Ui::TextPreviewDialog> ui_;
  QImage picture_;
};

}  // namespace glyphsheet
