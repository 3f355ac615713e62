#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <QDialog>
#include <QString>

#include "sheet/character_sets.h"
#include "sheet/text_rasterizer.h"

namespace Ui {
class CharacterSetsDialog;
}

namespace glyphsheet {

/// The ranges typed in the range box: pieces between commas (either width)
/// or ideographic commas, each read as ParseCodeRange reads it; blank pieces
/// are skipped.
struct TypedRanges {
  std::vector<CodeRange> ranges;
  /// The first piece that is not a range, trimmed; empty when every piece is one.
  QString wrong;
};
TypedRanges ParseTypedRanges(const QString& text);

/// The characters the choices add, in order: those of each named set (in
/// the order given; "font" stands for `fontCharacters`), then those of each
/// range, without the ones CharacterRefusal refuses. A character may come
/// more than once; SheetDocument::AddGlyphs keeps the first.
std::vector<char32_t> ChosenCharacters(std::span<const std::string_view> sets,
                                       std::span<const CodeRange> ranges,
                                       std::span<const char32_t> fontCharacters);

/// Tools > Character Sets: the named sets with their sizes, to tick, and a
/// box for ranges of code points.
class CharacterSetsDialog : public QDialog {
  Q_OBJECT

 public:
  /// `font` is the sheet font, nullptr when there is none: the set "font"
  /// holds the characters it maps.
  explicit CharacterSetsDialog(const RasterFont* font, QWidget* parent = nullptr);
  ~CharacterSetsDialog() override;

  /// The characters chosen, in order; filled when OK closes the dialog.
  const std::vector<char32_t>& Characters() const { return characters_; }
  /// Closes with the choices; a wrong range is named instead and the dialog stays.
  void accept() override;

 private:
  std::unique_ptr<Ui::CharacterSetsDialog> ui_;
  /// The font's characters without the refused ones.
  std::vector<char32_t> fontCharacters_;
  std::vector<char32_t> characters_;
};

/// Runs the dialog modally: the characters to add, nothing when it was cancelled.
std::optional<std::vector<char32_t>> AskForCharacterSets(const RasterFont* font, QWidget* owner);

}  // namespace glyphsheet
