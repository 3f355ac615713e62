#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <iterator>

#include "sheet/sheet_font.h"
#include "ui/add_chars_dialog.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

/// The characters the current sheet font has drawn; -1 without a font.
int Drawn(const GlyphSheetDialog& dialog) {
  const auto* font = dynamic_cast<const FakeFont*>(dialog.SheetFont());
  return font ? font->drawCalls : -1;
}

TEST_F(GlyphSheetDialogTest, FreshStartShowsTheDefaults) {
  const SheetDocument& doc = dialog->Document();
  EXPECT_EQ(std::tuple(doc.sheetWidth, doc.sheetHeight, Codes()), std::tuple(256, 256, ""));
  // A fixed window: the 699 × 562 client area below the menu bar.
  EXPECT_EQ(dialog->size(), QSize(699, 562 + dialog->menuBar()->sizeHint().height()));
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
  EXPECT_EQ(Entries(Find<QComboBox>("faceCombo")),
            QStringList({"Fake Mono", "Fake Sans", "fake serif"}));
  EXPECT_EQ(std::tuple(Shown("faceCombo"), Shown("width256"), Shown("height256")),
            std::tuple(0, 1, 1));
  EXPECT_EQ(Find<QLabel>("zoomLabel")->text(), QStringLiteral("100%"));
  EXPECT_EQ(std::tuple(rasterizer.lastRequest.face, rasterizer.lastRequest.pixelHeight),
            std::tuple("Fake Mono", 15));
  // The preview shows the magenta sheet in the top-left, the hatch beside it.
  const QImage shown = Painted(Find<PreviewPane>("previewPane"));
  EXPECT_EQ(std::tuple(Rgb(shown, 0, 0), Rgb(shown, 255, 255)), std::tuple(0xFF00FFu, 0xFF00FFu));
  EXPECT_NE(Rgb(shown, 256, 10), 0xFF00FFu);
}

TEST_F(GlyphSheetDialogTest, TheFormAgreesWithTheCoresRangesAndChoices) {
  for (const auto& [name, range, value] : {std::tuple("sizeSpin", kPointSizeRange, 11),
           {"borderLeftSpin", kBorderRange, 0}, {"borderRightSpin", kBorderRange, 0},
           {"borderTopSpin", kBorderRange, 0}, {"borderBottomSpin", kBorderRange, 0},
           {"glyphLeftSpin", kBorderRange, 0}, {"glyphRightSpin", kBorderRange, 0}}) {
    const QSpinBox* spin = Find<QSpinBox>(name);
    EXPECT_EQ(std::tuple(spin->minimum(), spin->maximum(), spin->value()),
              std::tuple(range.min, range.max, value)) << name;
  }
  using Values = std::vector<int32_t>;
  Values smoothing;
  for (int32_t f = kSmoothingRange.min; f <= kSmoothingRange.max; ++f) smoothing.push_back(f);
  for (const auto& [name, texts, values] : {
           std::tuple("weightCombo", QStringList{"標準", "中等", "粗體"},
                      Values(std::begin(kWeightChoices), std::end(kWeightChoices))),
           {"qualityCombo", {"平滑", "非平滑"},
            Values(std::begin(kQualityChoices), std::end(kQualityChoices))},
           {"smoothingCombo", {"(沒有)", "2x2", "3x3", "4x4"}, smoothing}}) {
    const QComboBox* combo = Find<QComboBox>(name);
    Values data;  // an entry without data reads as -1
    for (int i = 0; i < combo->count(); ++i) {
      data.push_back(combo->itemData(i).isValid() ? combo->itemData(i).toInt() : -1);
    }
    EXPECT_EQ(std::tuple(Entries(combo), data, Shown(name)), std::tuple(texts, values, 0)) << name;
  }
}

TEST_F(GlyphSheetDialogTest, EveryKindOfControlRebuildsWithItsValue) {
  // Sheet width; first cell's width and height; second cell's x; the font
  // request's face, pixel height, weight, italic and anti-aliasing; glyphs the
  // font drew (a new font draws both once, the old one has drawn them twice).
  using Outcome = std::tuple<int, int, int, int, std::string, int, int, bool, bool, int>;
  const int h = SheetFontPixelHeight(20, 1);
  const std::tuple<const char*, int, Outcome> cases[] = {
      {"width512", 1, {512, 7, 18, 8, "Fake Mono", 15, 400, false, true, 4}},
      {"borderLeftSpin", 3, {256, 10, 18, 11, "Fake Mono", 15, 400, false, true, 2}},
      {"borderTopSpin", 2, {256, 7, 20, 8, "Fake Mono", 15, 400, false, true, 2}},
      {"sizeSpin", 20, {256, h / 2, h + h / 5, h / 2 + 1, "Fake Mono", h, 400, false, true, 2}},
      // 4x4: a font of 59 pixels (line height 70, B = 29), reduced 4 : 1.
      {"smoothingCombo", 3, {256, 29 / 4, 70 / 4, 8, "Fake Mono", 59, 400, false, true, 2}},
      {"weightCombo", 2, {256, 7, 18, 8, "Fake Mono", 15, 700, false, true, 2}},
      {"qualityCombo", 1, {256, 7, 18, 8, "Fake Mono", 15, 400, false, false, 2}},
      {"italicCheck", 1, {256, 7, 18, 8, "Fake Mono", 15, 400, true, true, 2}},
      {"faceCombo", 1, {256, 7, 18, 8, "Fake Sans", 15, 400, false, true, 2}},
      {"glyphRightSpin", 5, {256, 12, 18, 13, "Fake Mono", 15, 400, false, true, 4}},
  };
  for (const auto& [control, value, expected] : cases) {
    dialog = MakeDialog();
    dialog->AddCharacters("AB");
    Set("glyphCombo", 0);  // the glyph border spins work on the selected glyph
    Set(control, value);
    const GlyphList& g = dialog->Document().glyphs;
    const FontRequest& r = rasterizer.lastRequest;
    EXPECT_EQ(Outcome(dialog->Document().sheetWidth, g[0].width, g[0].height, g[1].x, r.face,
                      r.pixelHeight, r.weight, r.italic, r.antialiased, Drawn(*dialog)),
              expected) << control;
  }
}

TEST_F(GlyphSheetDialogTest, SelectFaceFindsAnInstalledFaceWithoutRegardToCase) {
  EXPECT_FALSE(dialog->SelectFace("No Such Face"));
  EXPECT_EQ(Shown("faceCombo"), 0);
  EXPECT_TRUE(dialog->SelectFace("FAKE SERIF"));
  EXPECT_EQ(std::tuple(Shown("faceCombo"), rasterizer.lastRequest.face),
            std::tuple(2, "fake serif"));
}

TEST_F(GlyphSheetDialogTest, SelectingAGlyphShowsItsBordersAndChangesNone) {
  dialog->AddCharacters("AB");
  Set("glyphCombo", 0);
  Set("glyphLeftSpin", 3);
  Set("glyphRightSpin", 5);
  for (int index : {1, 0, 1}) {
    Set("glyphCombo", index);
    EXPECT_EQ(std::pair(Shown("glyphLeftSpin"), Shown("glyphRightSpin")),
              index == 0 ? std::pair(3, 5) : std::pair(0, 0)) << index;
  }
  const GlyphList& g = dialog->Document().glyphs;
  EXPECT_EQ(std::tuple(g[0].leftBorder, g[0].rightBorder, g[1].leftBorder, g[1].rightBorder),
            std::tuple(3, 5, 0, 0));
  dialog->AddCharacters("C");
  EXPECT_EQ(Shown("glyphCombo"), 1) << "a rebuild keeps the selection";
}

TEST_F(GlyphSheetDialogTest, StatusCountsTheGlyphsOffTheSheetAndNewEmptiesTheList) {
  Set("borderTopSpin", 1);
  dialog->AddCharacters("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("256 × 256，26 個字元"));
  // Cells 8 apart, rows 20 apart (a top border of 1): on 64 × 64 three rows of
  // eight fit, and the last two glyphs start a fourth row that ends below.
  Set("width64");
  Set("height64");
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("64 × 64，26 個字元，其中 2 個超出圖像範圍"));
  Find<QAction>("actionNew")->trigger();
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("64 × 64，0 個字元"));
  EXPECT_EQ(std::tuple(Entries(Find<QComboBox>("glyphCombo")), dialog->Document().borders.top),
            std::tuple(QStringList(), 1));
}

TEST_F(GlyphSheetDialogTest, ZoomAndOutlinesRepaintThePreviewWithoutRebuilding) {
  dialog->AddCharacters("AB");
  const int drawn = Drawn(*dialog);
  // The slider holds the zoom to 100..1000%; the 450-pixel preview then
  // scrolls over what it does not show of the 512-pixel sheet bitmap.
  for (const auto& [zoom, label, maxScroll] : {std::tuple(250, "250%", 512 - 180),
           {1, "100%", 512 - 450}, {5000, "1000%", 512 - 45}}) {
    Set("zoomSlider", zoom);
    EXPECT_EQ(std::tuple(Find<QLabel>("zoomLabel")->text(),
                         Find<QScrollBar>("previewHScroll")->maximum(),
                         Find<QScrollBar>("previewVScroll")->maximum()),
              std::tuple(QString::fromLatin1(label), maxScroll, maxScroll));
  }
  Set("zoomSlider", 100);
  Set("showRectsCheck");
  const QImage shown = Painted(Find<PreviewPane>("previewPane"));
  int outlined = 0;  // on the first cell's top edge
  for (int x = 0; x < 7; ++x) outlined += Rgb(shown, x, 0) == 0xC0C0C0;
  EXPECT_EQ(std::tuple(outlined > 0, Drawn(*dialog)), std::tuple(true, drawn));
}

using AddCharsDialogTest = GlyphSheetDialogTest;

TEST_F(AddCharsDialogTest, AddsTheTextWhicheverWayItIsClosedAndNamesWhatItCannot) {
  // Typed text, the button that closes the dialog (none: the close box), the
  // glyphs then: each character once, in the order first typed.
  for (const auto& [typed, button, codes] : {std::tuple("xyz", "cancelButton", "xyz"),
           {"zax", "okButton", "xyza"}, {"b€ 中", nullptr, "xyzab\x80 "},
           {"", "okButton", "xyzab\x80 "}}) {
    const int drawn = Drawn(*dialog);
    QTimer::singleShot(0, [&] {
      auto* asked = qobject_cast<AddCharsDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(asked, nullptr);
      asked->findChild<QLineEdit*>("charsEdit")->insert(QString::fromUtf8(typed));
      button ? asked->findChild<QPushButton*>(button)->click() : void(asked->close());
    });
    // Safety net: a dialog the test failed to reach must not hang the run.
    QTimer::singleShot(2000, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    Find<QAction>("actionAddChars")->trigger();
    EXPECT_EQ(Codes(), codes) << typed;
    EXPECT_EQ(Drawn(*dialog), drawn + static_cast<int>(Codes().size())) << "rebuilt: " << typed;
  }
  const QStringList names = Entries(Find<QComboBox>("glyphCombo"));
  ASSERT_EQ(names.size(), 7);
  EXPECT_EQ(names[5], QStringLiteral("€"));
  EXPECT_FALSE(names[6].trimmed().isEmpty()) << "the space shows in a readable form";
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("中"))) << messages.shown[0].toStdString();
}

}  // namespace
}  // namespace glyphsheet::testing
