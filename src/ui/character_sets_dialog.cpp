#include "ui/character_sets_dialog.h"

#include <QRegularExpression>
#include <QTreeWidgetItem>

#include "sheet/unicode_text.h"
#include "ui_character_sets_dialog.h"

namespace glyphsheet {
namespace {

/// The window's words for each named set; the English translations are the
/// core's descriptions.
struct SetWords {
  std::string_view name;
  const char* description;
};

constexpr SetWords kSetWords[] = {
    {"ascii", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog",
                                "ASCII：可列印字元 U+0020-U+007E")},
    {"latin-1", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog",
                                  "ISO 8859-1：可列印的 ASCII 與 Latin-1 補充字元")},
    {"windows-1252", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog",
                                       "Windows-1252：西歐字碼頁的每個可列印字元")},
    {"big5-level1", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog", "Big5 常用字")},
    {"big5-level2", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog", "Big5 次常用字")},
    {"gb2312-level1", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog", "GB 2312 一級漢字")},
    {"gb2312-level2", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog", "GB 2312 二級漢字")},
    {"jis-level1", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog",
                                     "JIS X 0208 第一水準漢字")},
    {"jis-level2", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog",
                                     "JIS X 0208 第二水準漢字")},
    {"kana", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog", "平假名與片假名")},
    {"hangul-2350", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog",
                                      "KS X 1001：2350 個常用韓文音節")},
    {"font", QT_TRANSLATE_NOOP("glyphsheet::CharacterSetsDialog", "字型對應的每個字元")},
};

QString Description(const CharacterSetInfo& set) {
  for (const SetWords& words : kSetWords) {
    if (words.name == set.name) return CharacterSetsDialog::tr(words.description);
  }
  return QString::fromUtf8(set.description.data(), static_cast<qsizetype>(set.description.size()));
}

constexpr int kNameRole = Qt::UserRole;

}  // namespace

TypedRanges ParseTypedRanges(const QString& text) {
  static const QRegularExpression separators(QStringLiteral("[,，、]"));
  TypedRanges typed;
  for (const QString& piece : text.split(separators)) {
    const QString range = piece.trimmed();
    if (range.isEmpty()) continue;
    const Result<CodeRange> parsed = ParseCodeRange(range.toStdString());
    if (!parsed) {
      typed.wrong = range;
      return typed;
    }
    typed.ranges.push_back(parsed.value());
  }
  return typed;
}

std::vector<char32_t> ChosenCharacters(std::span<const std::string_view> sets,
                                       std::span<const CodeRange> ranges,
                                       std::span<const char32_t> fontCharacters) {
  std::vector<char32_t> chosen;
  const auto take = [&chosen](char32_t ch) {
    if (!CharacterRefusal(ch)) chosen.push_back(ch);
  };
  for (const std::string_view name : sets) {
    if (name == "font") {
      for (const char32_t ch : fontCharacters) take(ch);
    } else {
      for (const char32_t ch : CharacterSetCodes(name).value_or(std::vector<char32_t>{})) take(ch);
    }
  }
  for (const CodeRange& range : ranges) {
    // Stops at the last code point: a range may end at U+10FFFF.
    for (char32_t ch = range.first;; ++ch) {
      take(ch);
      if (ch == range.last) break;
    }
  }
  return chosen;
}

CharacterSetsDialog::CharacterSetsDialog(const RasterFont* font, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CharacterSetsDialog>()) {
  ui_->setupUi(this);
  ui_->errorLabel->hide();
  if (font != nullptr) {
    fontCharacters_ = font->MappedCharacters();
    std::erase_if(fontCharacters_, [](char32_t ch) { return CharacterRefusal(ch).has_value(); });
  }
  QTreeWidget* tree = ui_->setTree;
  for (const CharacterSetInfo& set : CharacterSets()) {
    const size_t count = set.name == "font" ? fontCharacters_.size() : set.count;
    auto* item = new QTreeWidgetItem(tree);
    item->setText(0, QString::fromUtf8(set.name.data(), static_cast<qsizetype>(set.name.size())));
    item->setData(0, kNameRole, item->text(0));
    item->setText(1, QString::number(count));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(2, Description(set));
    item->setCheckState(0, Qt::Unchecked);
    // Without a sheet font the set "font" has nothing to give.
    if (count == 0) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
  }
  for (int column = 0; column < 2; ++column) tree->resizeColumnToContents(column);
}

CharacterSetsDialog::~CharacterSetsDialog() = default;

void CharacterSetsDialog::accept() {
  const TypedRanges typed = ParseTypedRanges(ui_->rangesEdit->text());
  if (!typed.wrong.isEmpty()) {
    ui_->errorLabel->setText(
        tr("「%1」不是範圍：請寫成「起點-終點」或單一字元代碼，代碼寫成 U+XXXX、0xXXXX "
           "或十進位數字，最大 U+10FFFF，起點不可大於終點。")
            .arg(typed.wrong));
    ui_->errorLabel->show();
    ui_->rangesEdit->setFocus();
    return;
  }
  // The ticked sets in the order of the list.
  std::vector<std::string> ticked;
  QTreeWidget* tree = ui_->setTree;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = tree->topLevelItem(i);
    if (item->checkState(0) == Qt::Checked) {
      ticked.push_back(item->data(0, kNameRole).toString().toStdString());
    }
  }
  const std::vector<std::string_view> sets(ticked.begin(), ticked.end());
  characters_ = ChosenCharacters(sets, typed.ranges, fontCharacters_);
  QDialog::accept();
}

std::optional<std::vector<char32_t>> AskForCharacterSets(const RasterFont* font, QWidget* owner) {
  CharacterSetsDialog dialog(font, owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Characters();
}

}  // namespace glyphsheet
