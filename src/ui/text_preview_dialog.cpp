#include "ui/text_preview_dialog.h"

#include <QPixmap>

#include "sheet/bmfont_model.h"
#include "sheet/text_preview.h"
#include "sheet/unicode_text.h"
#include "ui_text_preview_dialog.h"

namespace glyphsheet {

namespace {

// The preview is drawn twice its size, so single pixels can be seen.
constexpr int32_t kPreviewScale = 2;

}  // namespace

TextPreviewDialog::TextPreviewDialog(const SheetDocument& doc, const PixelBitmap& sheetBitmap,
                                     QWidget* parent)
    : QDialog(parent), doc_(doc), sheetBitmap_(sheetBitmap),
      ui_(std::make_unique<Ui::TextPreviewDialog>()) {
  ui_->setupUi(this);
  ui_->sampleEdit->setText(QStringLiteral("The quick brown fox jumps over the lazy dog. AV To 1234"));
  connect(ui_->sampleEdit, &QLineEdit::textChanged, this, [this] { Refresh(font_); });
}

TextPreviewDialog::~TextPreviewDialog() = default;

void TextPreviewDialog::Refresh(const RasterFont* font) {
  font_ = font;
  const BmFont described = DescribeBmFont(doc_, font, {std::string()}, true);
  const std::u32string text = ui_->sampleEdit->text().toStdU32String();
  const TextPreview preview =
      SetTextWithSheet(described, std::span(&sheetBitmap_, 1), text, kPreviewScale);
  picture_ = QImage(preview.width, preview.height, QImage::Format_RGB32);
  for (int32_t y = 0; y < preview.height; ++y) {
    const uint32_t* row = preview.pixels.data() + static_cast<size_t>(y) * preview.width;
    std::copy(row, row + preview.width, reinterpret_cast<uint32_t*>(picture_.scanLine(y)));
  }
  ui_->previewLabel->setPixmap(QPixmap::fromImage(picture_));
  QStringList skipped;
  for (char32_t ch : preview.skipped) {
    skipped << QString::fromStdString(DescribeCharacter(ch));
  }
  ui_->skippedLabel->setText(skipped.isEmpty() ? QString()
                                               : tr("不在圖像上，略過：%1").arg(skipped.join(tr("、"))));
}

}  // namespace glyphsheet
