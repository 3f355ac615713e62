#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "sheet/character_sets.h"
#include "ui/character_sets_dialog.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

// The chosen sets in the order given, then the ranges, without what cannot be
// a glyph; a range that ends at U+10FFFF ends there.
TEST(ChosenCharacters, SetsInTheGivenOrderThenRangesWithoutRefusedCharacters) {
  const TypedRanges typed =
      ParseTypedRanges(QStringLiteral("0x9F-0xA1， U+10FFFD-U+10FFFF、 , 65"));
  ASSERT_TRUE(typed.wrong.isEmpty()) << typed.wrong.toStdString();
  const std::u32string font = U"\x7F" U"AB";
  const std::string_view sets[] = {"font", "ascii"};
  std::u32string expected = U"AB";
  for (char32_t ch = 0x20; ch <= 0x7E; ++ch) expected += ch;
  // U+009F is a control character, U+10FFFE and U+10FFFF are noncharacters.
  expected += U"\u00A0\u00A1\U0010FFFD" U"A";
  const std::vector<char32_t> chosen = ChosenCharacters(sets, typed.ranges, font);
  EXPECT_EQ(std::u32string(chosen.begin(), chosen.end()), expected);
  EXPECT_EQ(ParseTypedRanges(QStringLiteral("0x41, U+0050-U+0040 ,zz")).wrong,
            QStringLiteral("U+0050-U+0040"));
}

// Tools > Character Sets with sets ticked and ranges typed: OK adds them
// after the glyphs there are (the ticked sets in list order, each character
// once), Cancel adds nothing, and a wrong range is named while the dialog
// stays open and adds nothing.
TEST_F(GlyphSheetDialogTest, CharacterSetsAddTheTickedSetsThenTheRanges) {
  // The font maps A, B and two characters that cannot be glyphs.
  rasterizer.mapped = {U'A', U'B', 0x7F, 0xFFFF};
  dialog = MakeDialog();
  dialog->AddCharacters(QStringLiteral("ぁA"));
  const std::u32string before = U"ぁA";
  const std::vector<char32_t> kanaCodes = CharacterSetCodes("kana").value();
  const std::u32string kana(kanaCodes.begin(), kanaCodes.end());
  const struct {
    std::vector<const char*> ticked;
    const char* ranges;
    const char* button;
    const char* named;  // in the error line, before Cancel closes the dialog
    std::u32string listed;
  } cases[] = {
      {{"kana", "font"}, "U+4E00-U+4E02", "cancelButton", "", before},
      {{"kana"}, "0x41, 0x50-0x40", "okButton", "0x50-0x40", before},
      {{"font", "kana"}, "U+4E00-U+4E02，0x41", "okButton", "",
       before + kana.substr(1) + U"B一丁丂"},  // ぁ comes first among the kana
  };
  for (const auto& c : cases) {
    QString named, fontCount, kanaCount;
    QTimer::singleShot(0, [&] {
      auto* asked = qobject_cast<CharacterSetsDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(asked, nullptr);
      auto* tree = asked->findChild<QTreeWidget*>("setTree");
      fontCount = tree->findItems("font", Qt::MatchExactly)[0]->text(1);
      kanaCount = tree->findItems("kana", Qt::MatchExactly)[0]->text(1);
      for (const char* set : c.ticked) {
        tree->findItems(set, Qt::MatchExactly)[0]->setCheckState(0, Qt::Checked);
      }
      asked->findChild<QLineEdit*>("rangesEdit")->setText(QString::fromUtf8(c.ranges));
      asked->findChild<QPushButton*>(c.button)->click();
      if (asked->isVisible()) {
        named = asked->findChild<QLabel*>("errorLabel")->text();
        asked->findChild<QPushButton*>("cancelButton")->click();
      }
    });
    QTimer::singleShot(2000, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    Find<QAction>("actionCharacterSets")->trigger();
    std::u32string codes;
    for (const Glyph g : DocumentOf(*dialog).glyphs) codes += g.code;
    EXPECT_EQ(codes, c.listed) << c.ranges;
    EXPECT_TRUE(*c.named ? named.contains(QString::fromUtf8(c.named)) : named.isEmpty())
        << c.ranges << ": " << named.toStdString();
    EXPECT_EQ(std::pair(fontCount, kanaCount),
              std::pair(QStringLiteral("2"), QString::number(kana.size())));
  }
  EXPECT_EQ(Find<QComboBox>("glyphCombo")->count(), static_cast<int>(cases[2].listed.size()));
}

}  // namespace
}  // namespace glyphsheet::testing
