#include "ui/text_preview_dialog.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_set>

#include <QPixmap>

#include "sheet/rebuild.h"
#include "sheet/text_preview.h"
#include "sheet/unicode_text.h"
#include "ui_text_preview_dialog.h"

namespace glyphsheet {

namespace {

// The preview is drawn twice its size, so single pixels can be seen.
constexpr int32_t kPreviewScale = 2;
// A page bitmap's largest side, the largest sheet offered; of a larger
// stored sheet the cells past it are left out.
constexpr int32_t kLargestPageSide = kSheetSizeChoices[std::size(kSheetSizeChoices) - 1];

}  // namespace

TextPreviewDialog::TextPreviewDialog(const SheetDocument& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), ui_(std::make_unique<Ui::TextPreviewDialog>()) {
  ui_->setupUi(this);
  ui_->sampleEdit->setText(QStringLiteral("The quick brown fox jumps over the lazy dog. AV To 1234"));
  connect(ui_->sampleEdit, &QLineEdit::textChanged, this, &TextPreviewDialog::SetSample);
}

TextPreviewDialog::~TextPreviewDialog() = default;

void TextPreviewDialog::Refresh(const RasterFont* font) {
  font_ = font;
  const auto pages = static_cast<size_t>(doc_.layout.pages);
  described_ = DescribeBmFont(doc_, font, std::vector<std::string>(pages), true);
  // Every page is drawn again when the sample uses it.
  pages_.clear();
  pages_.resize(pages);
  SetSample();
}

void TextPreviewDialog::SetSample() {
  const std::u32string text = ui_->sampleEdit->text().toStdU32String();
  const std::unordered_set<char32_t> inText(text.begin(), text.end());
  std::vector<bool> used(pages_.size());
  for (const BmFontChar& c : described_.chars) {
    if (inText.contains(static_cast<char32_t>(c.id))) used[static_cast<size_t>(c.page)] = true;
  }
  for (size_t page = 0; page < pages_.size(); ++page) {
    PixelBitmap& bitmap = pages_[page];
    if (!used[page]) {
      bitmap.Destroy();
    } else if (bitmap.Width() == 0 &&
               bitmap.Create(std::clamp(doc_.sheetWidth, 1, kLargestPageSide),
                             std::clamp(doc_.sheetHeight, 1, kLargestPageSide))) {
      DrawPage(doc_, font_, static_cast<int32_t>(page), bitmap);
    }
  }
  const TextPreview preview = SetTextWithSheet(described_, pages_, text, kPreviewScale);
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
