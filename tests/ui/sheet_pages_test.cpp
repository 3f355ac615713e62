#include <QLineEdit>

#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

using SheetPagesTest = GlyphSheetDialogTest;

/// `count` CJK characters from U+4E00 on.
QString Hanzi(int count) {
  std::u32string codes;
  for (int i = 0; i < count; ++i) codes += static_cast<char32_t>(U'\u4E00' + i);
  return QString::fromStdU32String(codes);
}

/// A pixel of the window's sheet bitmap as 0xRRGGBB.
uint32_t BitmapPixel(const GlyphSheetDialog& dialog, int x, int y) {
  return SheetBitmapOf(dialog).Row(y)[x] & 0xFFFFFF;
}

// The bitmap is as large as the sheet, 512 each way at least: the 450-pixel
// preview scrolls over all of it and cells far from the corner are drawn.
TEST_F(SheetPagesTest, TheBitmapTakesTheSheetsSizeAndFarCellsAreDrawn) {
  SizePreviewAt450();
  // 100 points: 133 pixels, cells 66 × 159 of ink, 67 × 160 apart.
  Set("sizeSpin", 100);
  dialog->AddCharacters(Hanzi(200));
  for (const auto& [width, height, bitmapWidth, bitmapHeight] :
       {std::tuple("width2048", "height2048", 2048, 2048), {"width4096", "height256", 4096, 512},
        {"width64", "height1024", 512, 1024}}) {
    Set(width);
    Set(height);
    const PixelBitmap& bitmap = SheetBitmapOf(*dialog);
    EXPECT_EQ(std::tuple(bitmap.Width(), bitmap.Height(), Find<QScrollBar>("previewHScroll")->maximum(),
                         Find<QScrollBar>("previewVScroll")->maximum()),
              std::tuple(bitmapWidth, bitmapHeight, bitmapWidth - 450, bitmapHeight - 450))
        << width << " " << height;
  }
  Set("width2048");
  Set("height2048");
  int far = 0;
  for (const auto& [index, cell] : DocumentOf(*dialog).layout.shown) {
    if (cell.x < 512 || cell.y < 512) continue;
    ++far;
    EXPECT_EQ(BitmapPixel(*dialog, cell.x + cell.width / 2, cell.y + cell.height / 2), 0xFFFFFFu)
        << "glyph " << index << " at " << cell.x << ", " << cell.y;
  }
  EXPECT_GT(far, 0);
}

// A list longer than a small sheet continues on further pages: the status line
// counts each page's glyphs, the page box chooses the page the bitmap and the
// outlines show, and the text preview draws from every page.
TEST_F(SheetPagesTest, CellsContinueOnPagesThePageBoxAndTextPreviewShow) {
  // Cells 7 × 19, 8 apart, rows 20 apart: three rows of eight on 64 × 64.
  Set("borderTopSpin", 1);
  Set("width64");
  Set("height64");
  dialog->AddCharacters("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  // Y, page 2's first glyph, is black for three columns where A's ink is white.
  Set("glyphCombo", 24);
  Set("glyphLeftSpin", 3);
  const auto* pages = Find<QSpinBox>("pageSpin");
  EXPECT_EQ(std::tuple(StatusOf(*dialog), pages->text(), pages->isEnabled(), BitmapPixel(*dialog, 1, 5)),
            std::tuple(QStringLiteral("64 × 64，26 個字元，2 頁：24、2"), QStringLiteral("第 1 頁，共 2 頁"),
                       true, 0xFFFFFFu));

  // "Y" alone, set while page 1 shows: its 7 × 18 pixels of ink, twice enlarged.
  Find<QAction>("actionTextPreview")->trigger();
  dialog->TextPreview()->findChild<QLineEdit*>("sampleEdit")->setText(QStringLiteral("Y"));
  const QImage sample = PictureOf(*dialog->TextPreview());
  int white = 0;
  for (int y = 0; y < sample.height(); ++y) {
    for (int x = 0; x < sample.width(); ++x) white += Rgb(sample, x, y) == 0xFFFFFF;
  }
  EXPECT_EQ(white, 7 * 18 * 4);

  Set("showRectsCheck");
  Set("pageSpin", 2);
  EXPECT_EQ(std::tuple(BitmapPixel(*dialog, 1, 5), BitmapPixel(*dialog, 3, 5), pages->text()),
            std::tuple(0u, 0xFFFFFFu, QStringLiteral("第 2 頁，共 2 頁")));
  // Y's top edge is dotted; page 1's third row (its top at 40) is not outlined here.
  const QImage shown = Painted(Find<PreviewPane>("previewPane"));
  int dotted[2] = {};
  for (int x = 0; x < 7; ++x) {
    dotted[0] += Rgb(shown, x, 0) == 0xC0C0C0;
    dotted[1] += Rgb(shown, x, 40) == 0xC0C0C0;
  }
  EXPECT_EQ(std::pair(dotted[0] > 0, dotted[1]), std::pair(true, 0));

  // A taller sheet holds every glyph: one page, no choice, page 1 shown.
  Set("height128");
  EXPECT_EQ(std::tuple(StatusOf(*dialog), pages->text(), pages->isEnabled(), BitmapPixel(*dialog, 1, 5)),
            std::tuple(QStringLiteral("64 × 128，26 個字元"), QStringLiteral("第 1 頁，共 1 頁"), false,
                       0xFFFFFFu));
}

// While the check box is checked every rebuild takes the sheet of least area
// that holds every cell on one page (the largest when none does), the radios
// showing it and taking no clicks; unchecked, the radios rule again.
TEST_F(SheetPagesTest, TheSmallestSheetThatFitsFollowsTheGlyphs) {
  const auto sheet = [this] {
    const SheetDocument& doc = DocumentOf(*dialog);
    return std::tuple(doc.sheetWidth, doc.sheetHeight, doc.layout.pages);
  };
  Set("fitCheck");
  EXPECT_FALSE(Find("width64")->isEnabled() || Find("height4096")->isEnabled());
  // Cells 7 × 18, 8 × 19 apart. 26 glyphs: 128 × 64 holds three rows of 16;
  // 64 × 128 is as large but taller than wide, 64 × 64 holds 24.
  dialog->AddCharacters("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(std::tuple(sheet(), Shown("width128"), Shown("height64")),
            std::tuple(std::tuple(128, 64, 1), 1, 1));
  // 62 glyphs: 128 × 128 (six rows of 16), as large as 256 × 64 and squarer.
  dialog->AddCharacters("abcdefghijklmnopqrstuvwxyz0123456789");
  EXPECT_EQ(std::tuple(sheet(), Shown("width128"), Shown("height128")),
            std::tuple(std::tuple(128, 128, 1), 1, 1));
  // At 100 points 4096 × 4096 holds 25 rows of 61 cells: 2062 glyphs need two pages.
  Set("sizeSpin", 100);
  dialog->AddCharacters(Hanzi(2000));
  EXPECT_EQ(std::tuple(sheet(), Shown("width4096"), Shown("height4096")),
            std::tuple(std::tuple(4096, 4096, 2), 1, 1));
  // Unchecked, a click takes effect: 512 wide holds 7 cells a row, 175 a page.
  Set("fitCheck");
  Set("width512");
  EXPECT_EQ(std::tuple(sheet(), Find("width64")->isEnabled()),
            std::tuple(std::tuple(512, 4096, 12), true));
}

}  // namespace
}  // namespace glyphsheet::testing
