#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "sheet/character_sets.h"
#include "sheet/sheet_font.h"
#include "sheet/unicode_text.h"
#include "ui/add_chars_dialog.h"
#include "ui/elided_combo_box.h"
#include "ui/window_language.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

// A fresh window: the defaults, the form's ranges and entries with the
// values the core gives them, and faces picked by name whatever their case.
TEST_F(GlyphSheetDialogTest, FreshStartShowsTheDefaultsAndTheCoresChoices) {
  EXPECT_EQ(Entries(Find<QComboBox>("faceCombo")),
            QStringList({"Fake Mono", "Fake Sans", "fake serif"}));
  EXPECT_FALSE(dialog->SelectFace("No Such Face"));  // keeps the first face
  EXPECT_EQ(std::tuple(Shown("faceCombo"), Shown("width256"), Shown("height256")),
            std::tuple(0, 1, 1));

  for (const auto& [name, range, value] : {std::tuple("sizeSpin", kPointSizeRange, 11),
           {"borderLeftSpin", kBorderRange, 0}, {"borderRightSpin", kBorderRange, 0},
           {"borderTopSpin", kBorderRange, 0}, {"borderBottomSpin", kBorderRange, 0},
           {"glyphLeftSpin", kBorderRange, 0}, {"glyphRightSpin", kBorderRange, 0},
           {"distanceSpin", kDistanceSpreadRange, 4}}) {
    const QSpinBox* spin = Find<QSpinBox>(name);
    EXPECT_EQ(std::tuple(spin->minimum(), spin->maximum(), spin->value()),
              std::tuple(range.min, range.max, value)) << name;
  }
  using Values = std::vector<int32_t>;
  for (const auto& [name, texts, values] : {
           std::tuple("weightCombo", QStringList{"標準", "中等", "粗體"}, Values{400, 600, 700}),
           {"qualityCombo", {"平滑", "非平滑"}, {kQualityAntialiased, kQualityAliased}},
           {"smoothingCombo", {"(沒有)", "2x2", "3x3", "4x4"}, {1, 2, 3, 4}}}) {
    const QComboBox* combo = Find<QComboBox>(name);
    Values data;  // an entry without data reads as 0
    for (int i = 0; i < combo->count(); ++i) data.push_back(combo->itemData(i).toInt());
    EXPECT_EQ(std::tuple(Entries(combo), data, Shown(name)), std::tuple(texts, values, 0)) << name;
  }
  EXPECT_TRUE(dialog->SelectFace("FAKE SERIF"));
  EXPECT_EQ(std::tuple(Shown("faceCombo"), rasterizer.lastRequest.face),
            std::tuple(2, "fake serif"));
}

TEST_F(GlyphSheetDialogTest, EveryKindOfControlRebuildsWithItsValue) {
  // First cell's width and height, second cell's x, the font request, and whether a font
  // was made (a font-wide border keeps the font and all it has drawn). The radios and
  // the glyph border spins are worked in the status and project tests.
  using Outcome = std::tuple<int, int, int, std::string, int, int, bool, bool, bool>;
  const int h = SheetFontPixelHeight(20, 1);
  const std::tuple<const char*, int, Outcome> cases[] = {
      {"borderLeftSpin", 3, {10, 18, 11, "Fake Mono", 15, 400, false, true, false}},
      {"borderTopSpin", 2, {7, 20, 8, "Fake Mono", 15, 400, false, true, false}},
      {"sizeSpin", 20, {h / 2, h + h / 5, h / 2 + 1, "Fake Mono", h, 400, false, true, true}},
      // 4x4: a font of 59 pixels (line height 70, B = 29), reduced 4 : 1.
      {"smoothingCombo", 3, {29 / 4, 70 / 4, 8, "Fake Mono", 59, 400, false, true, true}},
      {"weightCombo", 2, {7, 18, 8, "Fake Mono", 15, 700, false, true, true}},
      {"qualityCombo", 1, {7, 18, 8, "Fake Mono", 15, 400, false, false, true}},
      {"italicCheck", 1, {7, 18, 8, "Fake Mono", 15, 400, true, true, true}},
      {"faceCombo", 1, {7, 18, 8, "Fake Sans", 15, 400, false, true, true}},
  };
  for (const auto& [control, value, expected] : cases) {
    dialog = MakeDialog();
    dialog->AddCharacters("AB");
    const int made = rasterizer.fontsMade;
    Set(control, value);
    const std::vector<ShownCell>& g = DocumentOf(*dialog).layout.shown;
    const FontRequest& r = rasterizer.lastRequest;
    EXPECT_EQ(Outcome(g[0].cell.width, g[0].cell.height, g[1].cell.x, r.face, r.pixelHeight, r.weight, r.italic,
                      r.antialiased, rasterizer.fontsMade > made), expected) << control;
  }
}

TEST_F(GlyphSheetDialogTest, StatusCountsTheGlyphsOfEachPageAndOffTheSheetAndNewEmptiesTheList) {
  Set("borderTopSpin", 1);
  dialog->AddCharacters("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(StatusOf(*dialog), QStringLiteral("256 × 256，26 個字元"));
  // Cells 8 apart, rows 20 apart (a top border of 1): on 64 × 64 three rows of
  // eight fit, and the last two glyphs start a second page.
  Set("width64");
  Set("height64");
  EXPECT_EQ(StatusOf(*dialog), QStringLiteral("64 × 64，26 個字元，2 頁：24、2"));
  // At 100 points every cell is wider and taller than a page: each keeps its
  // place on the first page, cut off, and only the first starts on it.
  Set("sizeSpin", 100);
  EXPECT_EQ(StatusOf(*dialog), QStringLiteral("64 × 64，26 個字元，其中 26 個超出圖像範圍"));
  Find<QAction>("actionNew")->trigger();
  EXPECT_EQ(StatusOf(*dialog), QStringLiteral("64 × 64，0 個字元"));
  EXPECT_EQ(DocumentOf(*dialog).borders.top, 1) << "the settings stay";
}

TEST_F(GlyphSheetDialogTest, ZoomAndOutlinesRepaintThePreview) {
  SizePreviewAt450();
  dialog->AddCharacters("AB");
  // The slider holds the zoom to 100..1000%; the 450-pixel preview scrolls over the rest
  // of the 512-pixel sheet bitmap, the 112.5 pixels shown at 400% counting as 112.
  for (const auto& [zoom, label, maxScroll] : {std::tuple(400, "400%", 512 - 112),
           {1, "100%", 512 - 450}, {5000, "1000%", 512 - 45}}) {
    Set("zoomSlider", zoom);
    EXPECT_EQ(std::tuple(Find<QLabel>("zoomLabel")->text(),
                         Find<QScrollBar>("previewHScroll")->maximum(),
                         Find<QScrollBar>("previewVScroll")->maximum()),
              std::tuple(QString::fromLatin1(label), maxScroll, maxScroll));
  }
  Set("zoomSlider", 100);
  Set("showRectsCheck");
  // The sheet in the top-left with the first cell's top edge dotted, the hatch beside it.
  const QImage shown = Painted(Find<PreviewPane>("previewPane"));
  int outlined = 0;
  for (int x = 0; x < 7; ++x) outlined += Rgb(shown, x, 0) == 0xC0C0C0;
  EXPECT_EQ(std::tuple(outlined > 0, Rgb(shown, 255, 255)), std::tuple(true, 0xFF00FFu));
  EXPECT_NE(Rgb(shown, 256, 10), 0xFF00FFu);
}

// A face name longer than the box: cut with "…" in the box, whole in its
// tooltip and in the list it opens.
TEST_F(GlyphSheetDialogTest, ALongFaceNameCanBeReadWhole) {
  const QString longName = QStringLiteral("Fake Sans Mono Condensed Extra Light Oblique");
  rasterizer.faces = {"Fake Sans", longName.toStdString()};
  dialog = MakeDialog();
  Set("faceCombo", 1);
  auto* face = Find<ElidedComboBox>("faceCombo");
  EXPECT_EQ(face->toolTip(), longName);
  EXPECT_TRUE(face->ShownText().endsWith(u'…') && face->ShownText().size() < longName.size())
      << face->ShownText().toStdString();
  face->showPopup();
  EXPECT_GT(face->view()->width(), face->view()->fontMetrics().horizontalAdvance(longName));
  face->hidePopup();
}

// A glyph's own borders are there to set only while a glyph is selected.
TEST_F(GlyphSheetDialogTest, GlyphBordersWaitForASelectedGlyph) {
  const auto enabled = [this] {
    return std::pair(Find("glyphLeftSpin")->isEnabled(), Find("glyphRightSpin")->isEnabled());
  };
  EXPECT_EQ(enabled(), std::pair(false, false)) << "no glyph";
  dialog->AddCharacters("AB");
  EXPECT_EQ(enabled(), std::pair(false, false)) << "glyphs, none selected";
  Set("glyphCombo", 1);
  EXPECT_EQ(enabled(), std::pair(true, true)) << "one selected";
  Find<QAction>("actionNew")->trigger();
  EXPECT_EQ(enabled(), std::pair(false, false)) << "after New";
}

// The zoom slider's tick marks keep off the rows of the View group's title:
// there only the group's frame line crosses the slider's columns.
TEST_F(GlyphSheetDialogTest, ZoomTicksStayClearOfTheViewTitle) {
  const QImage window = Painted(dialog.get());
  const QWidget* group = Find("viewGroup");
  const QWidget* slider = Find("zoomSlider");
  const QPoint groupTop = group->mapTo(dialog.get(), QPoint(0, 0));
  const QPoint sliderLeft = slider->mapTo(dialog.get(), QPoint(0, 0));
  const QRgb background = dialog->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
  int markedRows = 0;
  for (int y = groupTop.y(); y < groupTop.y() + group->fontMetrics().height(); ++y) {
    bool marked = false;
    for (int x = sliderLeft.x(); x < sliderLeft.x() + slider->width(); ++x) {
      marked |= Rgb(window, x, y) != background;
    }
    markedRows += marked;
  }
  EXPECT_LE(markedRows, 2);
}

// The 13 053 characters of Big5 (5401 + 7652): the list keeps its length and
// its selection through a rebuild, and shows the selected glyph's borders.
TEST_F(GlyphSheetDialogTest, ABigListKeepsItsSelectionThroughARebuild) {
  std::u32string big5;
  for (const char* level : {"big5-level1", "big5-level2"}) {
    const std::vector<char32_t> codes = CharacterSetCodes(level).value();
    big5.append(codes.begin(), codes.end());
  }
  dialog->AddCharacters(QString::fromStdU32String(big5));
  auto* glyphs = Find<QComboBox>("glyphCombo");
  Set("glyphCombo", 12000);
  Set("glyphLeftSpin", 3);
  Set("width64");
  EXPECT_EQ(std::tuple(glyphs->count(), glyphs->currentIndex(), glyphs->currentText(),
                       Shown("glyphLeftSpin")),
            std::tuple(5401 + 7652, 12000, QString::fromStdString(GlyphLabel(big5[12000])), 3));
  Set("glyphCombo", 11999);
  EXPECT_EQ(Shown("glyphLeftSpin"), 0);
}

// Characters the font has no glyph for say so in the list and are counted in
// the status line, in either language, until a font that has them is made.
TEST_F(GlyphSheetDialogTest, CharactersTheFontLacksAreMarkedAndCounted) {
  const struct {
    WindowLanguage language;
    const char *marked, *status, *allThere;
  } cases[] = {
      {WindowLanguage::kChinese, "中  U+4E2D — 字型中沒有", "256 × 256，3 個字元，字型中沒有 2 個字元",
       "256 × 256，3 個字元"},
      {WindowLanguage::kEnglish, "中  U+4E2D — not in the font",
       "256 × 256, 3 characters; 2 characters are not in the font", "256 × 256, 3 characters"},
  };
  for (const auto& c : cases) {
    QTranslator* english = UseWindowLanguage(c.language);
    rasterizer.lacking = {U'中', U'B'};
    dialog = MakeDialog();
    dialog->AddCharacters(QStringLiteral("A中B"));
    const auto* glyphs = Find<QComboBox>("glyphCombo");
    EXPECT_EQ(std::tuple(glyphs->itemText(0), glyphs->itemText(1), StatusOf(*dialog)),
              std::tuple(QStringLiteral("A  U+0041"), QString::fromUtf8(c.marked),
                         QString::fromUtf8(c.status)));
    EXPECT_EQ(std::pair(glyphs->itemData(0, Qt::ForegroundRole).isValid(),
                        glyphs->itemData(1, Qt::ForegroundRole).isValid()),
              std::pair(false, true));
    rasterizer.lacking.clear();
    Set("sizeSpin", 20);
    EXPECT_EQ(std::pair(glyphs->itemText(1), StatusOf(*dialog)),
              std::pair(QStringLiteral("中  U+4E2D"), QString::fromUtf8(c.allThere)));
    if (english) {
      QCoreApplication::removeTranslator(english);
      delete english;
    }
  }
}

using AddCharsDialogTest = GlyphSheetDialogTest;

TEST_F(AddCharsDialogTest, AddsTheTextOnlyOnOkAndNamesWhatItCannot) {
  // Typed text, how the dialog is closed (a button, Escape, or none: the
  // close box), and the glyph list then: only OK adds, each character once
  // in the order first typed, any script, a noncharacter refused.
  for (const auto& [typed, button, listed] : {std::tuple("xyz", "cancelButton", U""),
           {"zax", "okButton", U"zax"}, {"qq", nullptr, U"zax"}, {"w", "Escape", U"zax"},
           {"b€ 中\xEF\xBF\xBF😀", "okButton", U"zaxb€ 中😀"}, {"", "okButton", U"zaxb€ 中😀"}}) {
    QTimer::singleShot(0, [&] {
      auto* asked = qobject_cast<AddCharsDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(asked, nullptr);
      asked->findChild<QLineEdit*>("charsEdit")->insert(QString::fromUtf8(typed));
      if (button == nullptr) {
        asked->close();
      } else if (std::string(button) == "Escape") {
        QTest::keyClick(asked, Qt::Key_Escape);
      } else {
        asked->findChild<QPushButton*>(button)->click();
      }
    });
    // Safety net: a dialog the test failed to reach must not hang the run.
    QTimer::singleShot(2000, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    Find<QAction>("actionAddChars")->trigger();
    std::u32string codes;
    for (const Glyph g : DocumentOf(*dialog).glyphs) codes += g.code;
    EXPECT_EQ(codes, listed) << typed;
  }
  const QStringList combo = Entries(Find<QComboBox>("glyphCombo"));
  EXPECT_EQ(combo.mid(5), QStringList({"U+0020", "中  U+4E2D", "😀  U+1F600"}));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("U+FFFF"))) << messages.shown[0].toStdString();
}

}  // namespace
}  // namespace glyphsheet::testing
