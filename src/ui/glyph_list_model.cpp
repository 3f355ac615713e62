#include "ui/glyph_list_model.h"

#include <algorithm>
#include <climits>
#include <vector>

#include <QAbstractItemView>
#include <QColor>
#include <QComboBox>
#include <QListView>
#include <QProxyStyle>
#include <QScrollBar>

#include "sheet/missing_glyphs.h"
#include "sheet/unicode_text.h"

namespace glyphsheet {

namespace {

/// The style of the box's own, with the popup dropping down as a list.
class DropDownListStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace

QString GlyphListModel::RowText(const QString& label, bool missing) {
  return missing ? tr("%1 — 字型中沒有").arg(label) : label;
}

QString GlyphListModel::WidestRowText() {
  // As GlyphLabel writes a wide character with the longest number.
  return RowText(QStringLiteral("中  U+10FFFF"), true);
}

GlyphListModel::GlyphListModel(const GlyphList& glyphs, QObject* parent)
    : QAbstractListModel(parent), glyphs_(glyphs) {}

void GlyphListModel::Refresh(const RasterFont* font) {
  beginResetModel();
  rows_ = static_cast<int>(std::min<size_t>(glyphs_.size(), INT_MAX));
  missing_.clear();
  if (font != nullptr) {
    const std::vector<char32_t> missing = MissingCharacters(glyphs_, *font);
    missing_.insert(missing.begin(), missing.end());
  }
  endResetModel();
}

int GlyphListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant GlyphListModel::data(const QModelIndex& index, int role) const {
  // A row past the list's end can be asked for between a change of the list
  // and the Refresh that follows it.
  const int row = index.row();
  if (!index.isValid() || row >= rows_ || static_cast<size_t>(row) >= glyphs_.size()) return {};
  const char32_t code = glyphs_[static_cast<size_t>(row)].code;
  const bool missing = missing_.contains(code);
  switch (role) {
    case Qt::DisplayRole:
      return RowText(QString::fromStdString(GlyphLabel(code)), missing);
    case Qt::ForegroundRole:
      return missing ? QVariant(QColor(0xB0, 0x00, 0x00)) : QVariant();
    default:
      return {};
  }
}

void ListGlyphsIn(QComboBox* combo, GlyphListModel* model) {
  auto* style = new DropDownListStyle;
  style->setParent(combo);
  combo->setStyle(style);
  combo->setModel(model);
  QAbstractItemView* view = combo->view();
  if (auto* list = qobject_cast<QListView*>(view)) list->setUniformItemSizes(true);
  view->setMinimumWidth(view->fontMetrics().horizontalAdvance(GlyphListModel::WidestRowText()) +
                        view->verticalScrollBar()->sizeHint().width() + 4 * view->frameWidth() +
                        16);
}

}  // namespace glyphsheet
