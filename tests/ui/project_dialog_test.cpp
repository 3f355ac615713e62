#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <tuple>

#include "files/project_file.h"
#include "sheet/sheet_font.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

class ProjectDialogTest : public DialogTest {
 protected:
  QString PathOf(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

  /// Opens a project through the menu with the name the fake dialog hands out.
  void Open(GlyphSheetDialog* target, const QString& path) {
    files.answers.push_back(path);
    Find<QAction>("actionOpen", target)->trigger();
  }

  QTemporaryDir folder;
};

TEST_F(ProjectDialogTest, SaveThenOpenRestoresEverySettingAndTheGlyphs) {
  Find<QRadioButton>("width128")->click();
  Find<QRadioButton>("height64")->click();
  Find<QSpinBox>("borderLeftSpin")->setValue(1);
  Find<QSpinBox>("borderRightSpin")->setValue(2);
  Find<QSpinBox>("borderTopSpin")->setValue(3);
  Find<QSpinBox>("borderBottomSpin")->setValue(4);
  Find<QSpinBox>("sizeSpin")->setValue(20);
  Find<QComboBox>("weightCombo")->setCurrentIndex(1);
  Find<QComboBox>("qualityCombo")->setCurrentIndex(1);
  Find<QComboBox>("smoothingCombo")->setCurrentIndex(2);
  Find<QComboBox>("faceCombo")->setCurrentIndex(1);
  Find<QCheckBox>("italicCheck")->click();
  dialog->AddCharacters("ABC");
  Find<QComboBox>("glyphCombo")->setCurrentIndex(0);
  Find<QSpinBox>("glyphRightSpin")->setValue(5);
  Find<QComboBox>("glyphCombo")->setCurrentIndex(2);
  Find<QSpinBox>("glyphLeftSpin")->setValue(7);

  files.answers.push_back(PathOf("sheet.fnt"));
  Find<QAction>("actionSave")->trigger();
  ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();
  EXPECT_EQ(files.asked.back().filters, QStringList({"字體 (*.fnt)", "所有 (*.*)"}));
  EXPECT_EQ(files.asked.back().defaultSuffix, QStringLiteral("fnt"));

  auto reopened = MakeDialog();
  Open(reopened.get(), PathOf("sheet.fnt"));
  ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();

  const SheetDocument& saved = dialog->Document();
  const SheetDocument& loaded = reopened->Document();
  const CellBorders& b = loaded.borders;
  const FontSettings& font = loaded.font;
  EXPECT_EQ(std::tuple(loaded.sheetWidth, loaded.sheetHeight, b.left, b.right, b.top, b.bottom),
            std::tuple(128, 64, 1, 2, 3, 4));
  EXPECT_EQ(std::tuple(font.faceName, font.pointSize, font.weight, font.quality, font.smoothing,
                       font.italic),
            std::tuple(std::string("Fake Sans"), 20, 600, 3, 3, 1));
  ASSERT_EQ(loaded.glyphs.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const GlyphRecord &l = loaded.glyphs[i], &s = saved.glyphs[i];
    EXPECT_EQ(std::tuple(l.code, l.leftBorder, l.rightBorder, l.x, l.y, l.width, l.height),
              std::tuple(s.code, s.leftBorder, s.rightBorder, s.x, s.y, s.width, s.height))
        << "glyph " << i << ", the same cell after the rebuild";
  }
  EXPECT_EQ(loaded.glyphs[0].rightBorder, 5);
  EXPECT_EQ(loaded.glyphs[2].leftBorder, 7);

  // The controls show the project, and the font was made from them.
  const auto shown = [&](const char* combo) {
    return Find<QComboBox>(combo, reopened.get())->currentText();
  };
  EXPECT_TRUE(Find<QRadioButton>("width128", reopened.get())->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("height64", reopened.get())->isChecked());
  EXPECT_EQ(Find<QSpinBox>("borderBottomSpin", reopened.get())->value(), 4);
  EXPECT_EQ(Find<QSpinBox>("sizeSpin", reopened.get())->value(), 20);
  EXPECT_EQ(QStringList({shown("weightCombo"), shown("qualityCombo"), shown("smoothingCombo"),
                         shown("faceCombo")}),
            QStringList({"中等", "非平滑", "3x3", "Fake Sans"}));
  EXPECT_TRUE(Find<QCheckBox>("italicCheck", reopened.get())->isChecked());
  EXPECT_EQ(Entries(Find<QComboBox>("glyphCombo", reopened.get())), QStringList({"A", "B", "C"}));
  EXPECT_EQ(rasterizer.lastRequest.face, "Fake Sans");
  EXPECT_EQ(rasterizer.lastRequest.pixelHeight, SheetFontPixelHeight(20, 3));
  EXPECT_TRUE(rasterizer.lastRequest.italic);
  EXPECT_FALSE(rasterizer.lastRequest.antialiased);
}

TEST_F(ProjectDialogTest, ADamagedOrMissingFileIsReportedAndChangesNothing) {
  Find<QRadioButton>("width512")->click();
  dialog->AddCharacters("AB");
  const std::vector<uint32_t> before(dialog->SheetBitmap().Pixels(),
                                     dialog->SheetBitmap().Pixels() + 512 * 512);

  QFile damaged(PathOf("damaged.fnt"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray("\x80\x00\x00\x00\x40\x00\x00\x00\x01", 9));
  damaged.close();

  for (const char* name : {"damaged.fnt", "missing.fnt"}) {
    messages.shown.clear();
    Open(dialog.get(), PathOf(name));
    ASSERT_EQ(messages.shown.size(), 1) << name;
    EXPECT_TRUE(messages.shown[0].contains(QString::fromUtf8(name)))
        << messages.shown[0].toStdString();
    EXPECT_EQ(Codes(), "AB") << name;
    EXPECT_EQ(dialog->Document().sheetWidth, 512) << name;
    EXPECT_EQ(Find<QComboBox>("glyphCombo")->count(), 2) << name;
    const std::vector<uint32_t> after(dialog->SheetBitmap().Pixels(),
                                      dialog->SheetBitmap().Pixels() + 512 * 512);
    EXPECT_TRUE(after == before) << name;
  }

  // A cancelled dialog says nothing and changes nothing.
  messages.shown.clear();
  Find<QAction>("actionOpen")->trigger();
  Find<QAction>("actionSave")->trigger();
  Find<QAction>("actionExport")->trigger();
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_EQ(Codes(), "AB");
}

TEST_F(ProjectDialogTest, AProjectFaceThatIsNotInstalledKeepsTheCurrentOne) {
  ProjectData project;
  project.faceName = "No Such Face";
  project.weight = 500;  // matches no weight entry
  project.sheetWidth = 300;
  project.glyphs = {GlyphRecord{'Q', 0, 0}, GlyphRecord{'Q', 20, 2}};  // 20: beyond the spin
  ASSERT_TRUE(WriteProjectFile(PathOf("other.fnt").toStdString(), project));
  Find<QComboBox>("faceCombo")->setCurrentIndex(2);
  Find<QComboBox>("weightCombo")->setCurrentIndex(2);

  Open(dialog.get(), PathOf("other.fnt"));
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_EQ(Find<QComboBox>("faceCombo")->currentText(), QStringLiteral("fake serif"));
  EXPECT_EQ(rasterizer.lastRequest.face, "fake serif");
  EXPECT_EQ(Find<QComboBox>("weightCombo")->currentData().toInt(), 700);
  EXPECT_EQ(Codes(), "QQ") << "duplicates load as stored";
  // Selecting glyphs only shows their borders, even one the spin cannot hold.
  QComboBox* glyphCombo = Find<QComboBox>("glyphCombo");
  for (int index : {1, 0, 1}) glyphCombo->setCurrentIndex(index);
  const GlyphList& g = dialog->Document().glyphs;
  EXPECT_EQ(std::tuple(g[0].leftBorder, g[0].rightBorder, g[1].leftBorder, g[1].rightBorder),
            std::tuple(0, 0, 20, 2));
  EXPECT_EQ(dialog->Document().sheetWidth, 300);
  EXPECT_FALSE(Find<QRadioButton>("width256")->isChecked()) << "no radio shows 300";
  const QString status = Find<QLabel>("statusLabel")->text();
  EXPECT_TRUE(status.contains(QStringLiteral("No Such Face"))) << status.toStdString();

  // Picking a face drops the note.
  Find<QComboBox>("faceCombo")->setCurrentIndex(0);
  EXPECT_FALSE(Find<QLabel>("statusLabel")->text().contains(QStringLiteral("No Such Face")));
}

TEST_F(ProjectDialogTest, ExportWritesImageAndDescriptorAlsoWithoutGlyphs) {
  files.answers.push_back(PathOf("empty"));
  Find<QAction>("actionExport")->trigger();
  EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();
  EXPECT_EQ(files.asked.back().filters, QStringList({"Targa 圖像 (*.tga)"}));
  EXPECT_EQ(files.asked.back().defaultSuffix, QStringLiteral("tga"));
  EXPECT_EQ(QFileInfo(PathOf("empty.tga")).size(), 18 + 256 * 256 * 4);
  EXPECT_TRUE(QFileInfo::exists(PathOf("empty.xml")));

  // A folder that does not exist is reported with the file's name.
  files.answers.push_back(PathOf("nowhere/sheet.tga"));
  Find<QAction>("actionExport")->trigger();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("sheet.tga")))
      << messages.shown[0].toStdString();
}

}  // namespace
}  // namespace glyphsheet::testing
