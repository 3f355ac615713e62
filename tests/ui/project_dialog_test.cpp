#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "files/project_file.h"
#include "sheet/sheet_font.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

class ProjectDialogTest : public GlyphSheetDialogTest {
 protected:
  QString PathOf(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

  /// Chooses a menu entry whose file dialog answers `name` in the folder.
  void Choose(const char* action, const char* name, GlyphSheetDialog* in = nullptr) {
    files.answer = PathOf(name);
    Find<QAction>(action, in)->trigger();
  }

  QTemporaryDir folder;
};

TEST_F(ProjectDialogTest, SaveThenOpenRestoresEverySettingAndTheGlyphs) {
  const std::pair<const char*, int> settings[] = {
      {"width128", 1}, {"height64", 1}, {"borderLeftSpin", 1}, {"borderRightSpin", 2},
      {"borderTopSpin", 3}, {"borderBottomSpin", 4}, {"sizeSpin", 20}, {"weightCombo", 1},
      {"qualityCombo", 1}, {"smoothingCombo", 2}, {"faceCombo", 1}, {"italicCheck", 1}};
  for (const auto& [control, value] : settings) Set(control, value);
  dialog->AddCharacters("ABC");
  for (const auto& [control, value] : {std::pair("glyphCombo", 0), {"glyphRightSpin", 5},
           {"glyphCombo", 2}, {"glyphLeftSpin", 7}}) {
    Set(control, value);
  }
  Choose("actionSave", "sheet.fnt");
  auto reopened = MakeDialog();
  Choose("actionOpen", "sheet.fnt", reopened.get());
  EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();

  // The controls show the project, and the sheet and font are made from it.
  for (const auto& [control, value] : settings) {
    EXPECT_EQ(Shown(control, reopened.get()), value) << control;
  }
  EXPECT_EQ(Entries(Find<QComboBox>("glyphCombo", reopened.get())), QStringList({"A", "B", "C"}));
  const GlyphList& g = reopened->Document().glyphs;
  EXPECT_EQ(std::tuple(g[0].rightBorder, g[2].leftBorder), std::tuple(5, 7));
  EXPECT_TRUE(SheetPixels(*reopened) == SheetPixels(*dialog)) << "the same sheet";
  const FontRequest& r = rasterizer.lastRequest;
  EXPECT_EQ(std::tuple(r.face, r.pixelHeight, r.weight, r.italic, r.antialiased),
            std::tuple("Fake Sans", SheetFontPixelHeight(20, 3), 600, true, false));
}

TEST_F(ProjectDialogTest, AFileThatCannotBeReadOrWrittenIsReportedAndChangesNothing) {
  Set("width512");
  dialog->AddCharacters("AB");
  const std::vector<uint32_t> before = SheetPixels(*dialog);
  QFile damaged(PathOf("damaged.fnt"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray("\x80\x00\x00\x00\x40\x00\x00\x00\x01", 9));
  damaged.close();
  // The name the file dialog answers; none cancels it, which says nothing.
  for (const auto& [action, name] : {std::pair("actionOpen", "damaged.fnt"),
           {"actionOpen", "missing.fnt"}, {"actionSave", "nowhere/saved.fnt"},
           {"actionExport", "nowhere/sheet.tga"}, {"actionOpen", nullptr},
           {"actionSave", nullptr}, {"actionExport", nullptr}}) {
    messages.shown.clear();
    name ? Choose(action, name) : Find<QAction>(action)->trigger();
    const std::string what = std::string(action) + " " + (name ? name : "cancelled");
    ASSERT_EQ(messages.shown.size(), name ? 1 : 0) << what;
    if (name) {
      EXPECT_TRUE(messages.shown[0].contains(QFileInfo(QString::fromUtf8(name)).fileName()))
          << messages.shown[0].toStdString();
    }
    EXPECT_EQ(std::tuple(Codes(), dialog->Document().sheetWidth,
                         Entries(Find<QComboBox>("glyphCombo"))),
              std::tuple("AB", 512, QStringList({"A", "B"}))) << what;
    EXPECT_TRUE(SheetPixels(*dialog) == before) << what;
  }
}

TEST_F(ProjectDialogTest, AProjectFaceThatIsNotInstalledKeepsTheCurrentOne) {
  ProjectData project;
  project.font.faceName = "No Such Face";
  project.font.weight = 500;  // matches no weight entry
  project.sheetWidth = 300;
  project.glyphs = {GlyphRecord{'Q', 0, 0}, GlyphRecord{'Q', 20, 2}};  // 20: beyond the spin
  ASSERT_TRUE(WriteProjectFile(PathOf("other.fnt").toStdString(), project));
  Set("faceCombo", 2);
  Set("weightCombo", 2);
  Choose("actionOpen", "other.fnt");
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_EQ(std::tuple(Shown("faceCombo"), Shown("weightCombo"), rasterizer.lastRequest.face),
            std::tuple(2, 2, "fake serif"));
  EXPECT_EQ(Codes(), "QQ") << "duplicates load as stored";
  // Selecting glyphs only shows their borders, even one the spin cannot hold.
  for (int index : {1, 0, 1}) Set("glyphCombo", index);
  const GlyphList& g = dialog->Document().glyphs;
  EXPECT_EQ(std::tuple(g[0].leftBorder, g[0].rightBorder, g[1].leftBorder, g[1].rightBorder),
            std::tuple(0, 0, 20, 2));
  EXPECT_EQ(std::tuple(dialog->Document().sheetWidth, Shown("width256")), std::tuple(300, 0))
      << "no radio shows 300";
  EXPECT_TRUE(dialog->StatusText().contains(QStringLiteral("No Such Face")));
  Set("faceCombo", 0);
  EXPECT_FALSE(dialog->StatusText().contains(QStringLiteral("No Such Face"))) << "a pick drops it";
}

TEST_F(ProjectDialogTest, ExportWritesImageAndDescriptorAlsoWithoutGlyphs) {
  Choose("actionExport", "empty");
  EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();
  EXPECT_EQ(QFileInfo(PathOf("empty.tga")).size(), 18 + 256 * 256 * 4);
  EXPECT_TRUE(QFileInfo::exists(PathOf("empty.xml")));
}

}  // namespace
}  // namespace glyphsheet::testing
