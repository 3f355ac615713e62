#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "sheet/sheet_bitmap.h"
#include "sheet/sheet_font.h"
#include "ui/add_chars_dialog.h"
#include "ui/preview_pane.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

/// Fake font at size 11: pixel height 15, line height 18, B = 7.
constexpr int kCellWidth = 7;
constexpr int kCellHeight = 18;

/// Types text into a spin box as a user would, replacing what it shows.
void TypeInto(QSpinBox* spin, const QString& text) {
  spin->setFocus();
  spin->selectAll();
  QTest::keyClick(spin, Qt::Key_Backspace);
  QTest::keyClicks(spin, text);
}

TEST_F(DialogTest, FreshStartShowsTheDefaults) {
  const SheetDocument& doc = dialog->Document();
  EXPECT_EQ(doc.sheetWidth, 256);
  EXPECT_EQ(doc.sheetHeight, 256);
  EXPECT_TRUE(doc.glyphs.empty());
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("GlyphSheet 1.0"));
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << "the window keeps its size";

  EXPECT_EQ(Entries(Find<QComboBox>("smoothingCombo")),
            QStringList({"(沒有)", "2x2", "3x3", "4x4"}));
  EXPECT_EQ(Find<QComboBox>("smoothingCombo")->currentIndex(), 0);
  EXPECT_EQ(Entries(Find<QComboBox>("qualityCombo")), QStringList({"平滑", "非平滑"}));
  EXPECT_EQ(Find<QComboBox>("qualityCombo")->currentData().toInt(), 4);
  EXPECT_EQ(Entries(Find<QComboBox>("weightCombo")), QStringList({"標準", "中等", "粗體"}));
  EXPECT_EQ(Find<QComboBox>("weightCombo")->itemData(2).toInt(), 700);
  EXPECT_EQ(Entries(Find<QComboBox>("faceCombo")),
            QStringList({"Fake Mono", "Fake Sans", "fake serif"}));
  EXPECT_EQ(Find<QComboBox>("faceCombo")->currentIndex(), 0);
  EXPECT_EQ(Find<QComboBox>("glyphCombo")->count(), 0);
  EXPECT_EQ(Find<QSpinBox>("sizeSpin")->value(), 11);
  for (const char* name : {"borderLeftSpin", "borderRightSpin", "borderTopSpin",
                           "borderBottomSpin", "glyphLeftSpin", "glyphRightSpin"}) {
    EXPECT_EQ(Find<QSpinBox>(name)->value(), 0) << name;
    EXPECT_EQ(Find<QSpinBox>(name)->maximum(), 16) << name;
  }
  EXPECT_TRUE(Find<QRadioButton>("width256")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("height256")->isChecked());
  EXPECT_EQ(Find<QLabel>("zoomLabel")->text(), QStringLiteral("100%"));
  EXPECT_EQ(rasterizer.lastRequest.face, "Fake Mono");
  EXPECT_EQ(rasterizer.lastRequest.pixelHeight, 15);

  // The preview: the magenta sheet in the top-left, the hatch beside and below.
  const QImage shown = Painted(Find<PreviewPane>("previewPane"));
  EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu);
  EXPECT_EQ(shown.pixel(255, 255) & 0xFFFFFF, 0xFF00FFu);
  for (QPoint p : {QPoint(256, 10), QPoint(300, 300), QPoint(10, 400)}) {
    const QRgb c = shown.pixel(p) & 0xFFFFFF;
    EXPECT_TRUE(c == 0x808080u || c == 0x000000u) << p.x() << "," << p.y() << " " << c;
  }
}

TEST_F(DialogTest, SizeRadiosResizeTheSheet) {
  Find<QRadioButton>("width512")->click();
  EXPECT_EQ(dialog->Document().sheetWidth, 512);
  EXPECT_EQ(dialog->Document().sheetHeight, 256);
  EXPECT_EQ(dialog->SheetBitmap().GetPixel(500, 10), kEmptyCellColour);
  EXPECT_NE(dialog->SheetBitmap().GetPixel(10, 300), kEmptyCellColour) << "hatch below";

  Find<QRadioButton>("height64")->click();
  EXPECT_EQ(dialog->Document().sheetWidth, 512);
  EXPECT_EQ(dialog->Document().sheetHeight, 64);
}

TEST_F(DialogTest, StatusLineCountsGlyphsAndThoseThatDoNotFit) {
  dialog->AddCharacters("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("256 × 256，26 個字元"));
  // Cells 8 apart and rows 19 apart: on 64 × 64 three rows of eight fit, and
  // the last two glyphs start a fourth row that ends below the sheet.
  Find<QRadioButton>("width64")->click();
  Find<QRadioButton>("height64")->click();
  EXPECT_EQ(dialog->Document().glyphs[25].y, 3 * (kCellHeight + 1));
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("64 × 64，26 個字元，其中 2 個超出圖像範圍"));
}

TEST_F(DialogTest, BordersWidenEveryCellAndRejectImpossibleEntries) {
  dialog->AddCharacters("AB");
  ASSERT_EQ(dialog->Document().glyphs.size(), 2u);
  EXPECT_EQ(dialog->Document().glyphs[0].width, kCellWidth);
  EXPECT_EQ(dialog->Document().glyphs[1].x, kCellWidth + 1);

  QSpinBox* left = Find<QSpinBox>("borderLeftSpin");
  TypeInto(left, "3");
  const GlyphList& glyphs = dialog->Document().glyphs;
  EXPECT_EQ(dialog->Document().borders.left, 3);
  EXPECT_EQ(glyphs[0].width, kCellWidth + 3);
  EXPECT_EQ(glyphs[1].width, kCellWidth + 3);
  EXPECT_EQ(glyphs[1].x, kCellWidth + 3 + 1);

  // An emptied entry leaves the border as it was.
  TypeInto(left, "");
  left->clearFocus();
  QTest::keyClick(left, Qt::Key_Tab);
  EXPECT_EQ(left->value(), 3);
  EXPECT_EQ(dialog->Document().borders.left, 3);

  // Typing past the range cannot make a border above 16 or a size above 100.
  TypeInto(left, "999");
  EXPECT_LE(dialog->Document().borders.left, 16);
  TypeInto(Find<QSpinBox>("sizeSpin"), "2000");
  EXPECT_LE(dialog->Document().font.pointSize, 100);
  EXPECT_LE(rasterizer.lastRequest.pixelHeight, SheetFontPixelHeight(100, 1));
}

TEST_F(DialogTest, SelectingAGlyphShowsItsBordersAndChangesNone) {
  dialog->AddCharacters("AB");
  QComboBox* glyphCombo = Find<QComboBox>("glyphCombo");
  QSpinBox* right = Find<QSpinBox>("glyphRightSpin");
  EXPECT_EQ(Entries(glyphCombo), QStringList({"A", "B"}));

  glyphCombo->setCurrentIndex(0);
  right->setValue(5);
  EXPECT_EQ(dialog->Document().glyphs[0].rightBorder, 5);
  EXPECT_EQ(dialog->Document().glyphs[0].width, kCellWidth + 5) << "rebuilt";

  glyphCombo->setCurrentIndex(1);
  EXPECT_EQ(right->value(), 0);
  glyphCombo->setCurrentIndex(0);
  EXPECT_EQ(right->value(), 5);
  glyphCombo->setCurrentIndex(1);
  EXPECT_EQ(dialog->Document().glyphs[0].rightBorder, 5);
  EXPECT_EQ(dialog->Document().glyphs[1].rightBorder, 0);
  EXPECT_EQ(glyphCombo->currentIndex(), 1) << "a rebuild keeps the selection";
}

TEST_F(DialogTest, SmoothingRecreatesTheFontLarger) {
  dialog->AddCharacters("A");
  Find<QComboBox>("smoothingCombo")->setCurrentIndex(3);
  EXPECT_EQ(rasterizer.lastRequest.pixelHeight, 59);
  // Fake font at 59 pixels: line height 70, B = 29, both divided by 4.
  EXPECT_EQ(dialog->Document().glyphs[0].height, 70 / 4);
  EXPECT_EQ(dialog->Document().glyphs[0].width, 29 / 4);
  EXPECT_EQ(dialog->Document().font.smoothing, 4);
}

TEST_F(DialogTest, AddingCharactersKeepsTheFirstOfEachAndRebuildsAlways) {
  dialog->AddCharacters("ABCA");
  EXPECT_EQ(Codes(), "ABC");
  EXPECT_EQ(Entries(Find<QComboBox>("glyphCombo")), QStringList({"A", "B", "C"}));

  // Nothing new still rebuilds: the font draws every glyph again.
  const auto* font = dynamic_cast<const FakeFont*>(dialog->SheetFont());
  ASSERT_NE(font, nullptr);
  const int drawn = font->drawCalls;
  dialog->AddCharacters("");
  EXPECT_EQ(font->drawCalls, drawn + 3);

  // Characters Windows-1252 lacks are named and left out; the rest go in.
  dialog->AddCharacters(QStringLiteral("d中€ "));
  EXPECT_EQ(Codes(), "ABCd\x80 ");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("中"))) << messages.shown[0].toStdString();
  EXPECT_EQ(Find<QComboBox>("glyphCombo")->itemText(4), QStringLiteral("€"));
  EXPECT_FALSE(Find<QComboBox>("glyphCombo")->itemText(5).trimmed().isEmpty())
      << "the space shows in a readable form";
}

TEST_F(DialogTest, AddCharactersDialogAddsOnOkAndOnCancel) {
  struct Case {
    const char* typed;
    const char* button;
    const char* expected;
  };
  for (const Case& c : {Case{"xyz", "cancelButton", "xyz"}, Case{"zab", "okButton", "xyzab"}}) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* asked = qobject_cast<AddCharsDialog*>(QApplication::activeModalWidget());
      if (!asked) return;
      seen = true;
      QTest::keyClicks(asked->findChild<QLineEdit*>("charsEdit"), c.typed);
      asked->findChild<QPushButton*>(c.button)->click();
    });
    // Safety net: a dialog the test failed to reach must not hang the run.
    QTimer::singleShot(2000, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    Find<QAction>("actionAddChars")->trigger();
    EXPECT_TRUE(seen) << c.button;
    EXPECT_EQ(Codes(), c.expected) << c.button;
  }
}

TEST_F(DialogTest, NewEmptiesTheListAndKeepsTheSettings) {
  Find<QRadioButton>("width128")->click();
  Find<QSpinBox>("borderTopSpin")->setValue(2);
  dialog->AddCharacters("AB");
  Find<QAction>("actionNew")->trigger();
  EXPECT_TRUE(dialog->Document().glyphs.empty());
  EXPECT_EQ(Find<QComboBox>("glyphCombo")->count(), 0);
  EXPECT_EQ(dialog->Document().sheetWidth, 128);
  EXPECT_EQ(dialog->Document().borders.top, 2);
  EXPECT_EQ(dialog->SheetBitmap().GetPixel(0, 0), kEmptyCellColour);
}

TEST_F(DialogTest, EnterAndEscapeLeaveTheWindowOpenExitClosesIt) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(dialog.get(), key);
    QTest::keyClick(Find<QSpinBox>("sizeSpin"), key);
    EXPECT_TRUE(dialog->isVisible()) << key;
  }
  Find<QAction>("actionExit")->trigger();
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DialogTest, ZoomSliderSetsTheLabelAndThePreview) {
  Find<QSlider>("zoomSlider")->setValue(250);
  EXPECT_EQ(Find<QLabel>("zoomLabel")->text(), QStringLiteral("250%"));
  EXPECT_EQ(Find<PreviewPane>("previewPane")->Zoom(), 250);
}

TEST_F(DialogTest, ShowRectanglesRepaintsWithoutRebuilding) {
  dialog->AddCharacters("AB");
  const auto* font = dynamic_cast<const FakeFont*>(dialog->SheetFont());
  ASSERT_NE(font, nullptr);
  const int drawn = font->drawCalls;
  auto* pane = Find<PreviewPane>("previewPane");
  const QImage before = Painted(pane);
  Find<QCheckBox>("showRectsCheck")->click();
  const QImage after = Painted(pane);
  EXPECT_NE(before, after);
  // The first cell's top edge is outlined in light grey.
  int outlined = 0;
  for (int x = 0; x < kCellWidth; ++x) outlined += (after.pixel(x, 0) & 0xFFFFFF) == 0xC0C0C0;
  EXPECT_GT(outlined, 0);
  EXPECT_EQ(font->drawCalls, drawn);
}

}  // namespace
}  // namespace glyphsheet::testing
