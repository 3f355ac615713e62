#pragma once

#include <cstddef>
#include <unordered_set>

#include <QAbstractListModel>

#include "sheet/sheet_document.h"
#include "sheet/text_rasterizer.h"

class QComboBox;

namespace glyphsheet {

/// The glyphs of a document as the glyph list shows them: one row per glyph,
/// labelled only when a view asks ("中  U+4E2D"), so showing the list anew
/// costs the same for ten glyphs as for a hundred thousand. A character the
/// sheet font has no glyph for says so in its text and is coloured.
class GlyphListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  /// The list belongs to the caller and outlives the model.
  explicit GlyphListModel(const GlyphList& glyphs, QObject* parent = nullptr);

  /// Takes the list as it is now and finds the characters `font` lacks;
  /// without a font none is marked. Views see a reset: a combo box then
  /// holds its first row, and the caller selects the row it wants.
  void Refresh(const RasterFont* font);
  /// How many characters of the list the font lacks, as of the last Refresh.
  size_t MissingCount() const { return missing_.size(); }

  /// The text of the widest kind of row (a wide character with a six-digit
  /// number, marked), to size a view without measuring every row.
  static QString WidestRowText();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  /// A row's text: the label, marked when the font lacks the character.
  static QString RowText(const QString& label, bool missing);

  const GlyphList& glyphs_;
  /// The rows the views know of; the list itself may have changed since.
  int rows_ = 0;
  std::unordered_set<char32_t> missing_;
};

/// Makes the combo list the model: its popup drops down as a short list of
/// rows of one height, wide enough for any row, so opening it measures no
/// row (Qt measures every row for a popup placed over the box, the menu-like
/// kind some styles ask for).
void ListGlyphsIn(QComboBox* combo, GlyphListModel* model);

}  // namespace glyphsheet
