#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "files/output_lock.h"
#include "files/project_file.h"
#include "ui/text_preview_dialog.h"
#include "ui/writer_wait.h"
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
      {"qualityCombo", 1}, {"smoothingCombo", 2}, {"faceCombo", 1}, {"italicCheck", 1},
      {"distanceCheck", 1}, {"distanceSpin", 9}};
  for (const auto& [control, value] : settings) Set(control, value);
  dialog->AddCharacters("ABC");
  // The first glyph stays selected through the rebuild its first border makes.
  for (const auto& [control, value] : {std::pair("glyphCombo", 0), {"glyphLeftSpin", 3},
           {"glyphRightSpin", 5}, {"glyphCombo", 2}, {"glyphLeftSpin", 7}}) {
    Set(control, value);
  }
  Choose("actionSave", "sheet.fnt");
  Choose("actionExport", "sheet");
  auto reopened = MakeDialog();
  Choose("actionOpen", "sheet.fnt", reopened.get());
  EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();
  // The export beside it: the image of the 128 × 64 sheet and the descriptor.
  EXPECT_EQ(QFileInfo(PathOf("sheet.tga")).size(), 18 + 128 * 64 * 4);
  EXPECT_TRUE(QFileInfo::exists(PathOf("sheet.xml")));

  for (const auto& [control, value] : settings) {
    EXPECT_EQ(Shown(control, reopened.get()), value) << control;
  }
  EXPECT_EQ(Entries(Find<QComboBox>("glyphCombo", reopened.get())),
            QStringList({"A  U+0041", "B  U+0042", "C  U+0043"}));
  const GlyphList& g = DocumentOf(*reopened).glyphs;
  EXPECT_EQ(std::tuple(g[0].leftBorder, g[0].rightBorder, g[2].leftBorder), std::tuple(3, 5, 7));
  EXPECT_TRUE(SheetPixels(*reopened) == SheetPixels(*dialog)) << "the same sheet";

  // Saved again, the spread is kept; a project without a field unticks it.
  Choose("actionSaveAs", "again.fnt", reopened.get());
  EXPECT_EQ(ReadProjectFile(PathOf("again.fnt").toStdString()).value().font.distanceField, 9);
  ASSERT_TRUE(WriteProjectFile(PathOf("plain.fnt").toStdString(), ProjectData{}));
  Choose("actionOpen", "plain.fnt", reopened.get());
  EXPECT_EQ(std::tuple(Shown("distanceCheck", reopened.get()), DocumentOf(*reopened).font.distanceField,
                       Find("smoothingCombo", reopened.get())->isEnabled()),
            std::tuple(0, 0, true));
}

// While another GlyphSheet run writes the same set, a save or an export
// waits with a dialog that says so; the window keeps handling events (the
// timer below runs) and Cancel stops the wait without a message. Once the
// other run is done, the save goes through.
TEST_F(ProjectDialogTest, AWriteThatMustWaitSaysSoAndCanBeStopped) {
  dialog->AddCharacters("AB");
  auto other = OutputLock::Take(PathOf("busy.xml").toStdString());
  ASSERT_TRUE(other);
  for (const auto& [action, name] : {std::pair("actionSave", "busy.fnt"), {"actionExport", "busy"}}) {
    bool seen = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
      auto* wait = dialog->findChild<QProgressDialog*>(kWriterWaitName);
      if (wait == nullptr || !wait->isVisible()) return;
      seen = wait->labelText().contains(QStringLiteral("busy"));
      wait->cancel();
    });
    look.start(50);
    messages.shown.clear();
    Choose(action, name);
    EXPECT_TRUE(seen) << action;
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(PathOf("busy.fnt")) || QFileInfo::exists(PathOf("busy.tga")));
  { auto done = std::move(other).value(); }
  Choose("actionSave", "busy.fnt");
  EXPECT_TRUE(ReadProjectFile(PathOf("busy.fnt").toStdString()));
}

TEST_F(ProjectDialogTest, AFileThatCannotBeReadOrWrittenIsReportedAndChangesNothing) {
  Set("width512");
  dialog->AddCharacters("AB");
  const std::vector<uint32_t> before = SheetPixels(*dialog);
  // The name the file dialog answers; none cancels it, which says nothing.
  for (const auto& [action, name] : {std::pair("actionOpen", "missing.fnt"),
           {"actionSave", "nowhere/saved.fnt"}, {"actionExport", "nowhere/sheet.tga"},
           {"actionOpen", nullptr}, {"actionSave", nullptr}, {"actionExport", nullptr}}) {
    messages.shown.clear();
    name ? Choose(action, name) : Find<QAction>(action)->trigger();
    const std::string what = std::string(action) + " " + (name ? name : "cancelled");
    ASSERT_EQ(messages.shown.size(), name ? 1 : 0) << what;
    EXPECT_TRUE(!name || messages.shown[0].contains(QString::fromUtf8(name)))
        << messages.shown.join("\n").toStdString();
    EXPECT_EQ(std::tuple(DocumentOf(*dialog).glyphs.size(), DocumentOf(*dialog).sheetWidth,
                         Entries(Find<QComboBox>("glyphCombo"))),
              std::tuple(2u, 512, QStringList({"A  U+0041", "B  U+0042"}))) << what;
    EXPECT_TRUE(SheetPixels(*dialog) == before) << what;
  }
}

// A face the project names but this machine lacks: the current one stays
// and the status line says so until the user picks one.
// A project whose face is not installed opens with the closest one, says so
// in a note naming both, and keeps its own face's name when saved, until the
// user picks a face.
TEST_F(ProjectDialogTest, AProjectFaceThatIsNotInstalledIsDrawnWithTheClosestAndKept) {
  ProjectData project;
  project.font.faceName = "No Such Face With A Name Long Enough To Cut The Status Line";
  project.sheetWidth = 300;
  project.glyphs = {Glyph{'Q', 0, 0}, Glyph{'R', 20, 2}};  // 20: beyond the spin
  ASSERT_TRUE(WriteProjectFile(PathOf("other.fnt").toStdString(), project));
  Set("faceCombo", 2);
  rasterizer.closestFace = "Fake Sans";
  Choose("actionOpen", "other.fnt");
  EXPECT_EQ(Find<QComboBox>("faceCombo")->currentText(), QStringLiteral("Fake Sans"));
  ASSERT_EQ(messages.notes.size(), 1);
  EXPECT_TRUE(messages.notes[0].contains(QStringLiteral("No Such Face")) &&
              messages.notes[0].contains(QStringLiteral("Fake Sans")));
  Choose("actionSaveAs", "kept.fnt");
  EXPECT_EQ(ReadProjectFile(PathOf("kept.fnt").toStdString()).value().font.faceName,
            project.font.faceName);
  // Selecting a glyph shows its borders as the spins can, and changes none.
  for (const auto& [index, left, right] : {std::tuple(1, 16, 2), {0, 0, 0}, {1, 16, 2}}) {
    Set("glyphCombo", index);
    EXPECT_EQ(std::pair(Shown("glyphLeftSpin"), Shown("glyphRightSpin")), std::pair(left, right));
  }
  const GlyphList& g = DocumentOf(*dialog).glyphs;
  EXPECT_EQ(std::tuple(g[0].leftBorder, g[0].rightBorder, g[1].leftBorder, g[1].rightBorder),
            std::tuple(0, 0, 20, 2));
  EXPECT_EQ(std::tuple(DocumentOf(*dialog).sheetWidth, Shown("width256")), std::tuple(300, 0))
      << "no radio shows 300";
  EXPECT_TRUE(StatusOf(*dialog).contains(
      QStringLiteral("「No Such Face With A Name Long Enough To Cut The Status Line」未安裝，改用「Fake Sans」")));
  // The line shows as much as fits, cut with "…"; its tooltip holds all of it.
  const QLabel* status = Find<QLabel>("statusLabel");
  EXPECT_EQ(status->toolTip(), StatusOf(*dialog));
  EXPECT_TRUE(status->text().endsWith(u'…') &&
              status->fontMetrics().horizontalAdvance(status->text()) <= status->width())
      << status->text().toStdString();
  Set("faceCombo", 0);
  EXPECT_FALSE(StatusOf(*dialog).contains(QStringLiteral("No Such Face"))) << "a pick drops it";
  Find<QAction>("actionSave")->trigger();
  EXPECT_EQ(ReadProjectFile(PathOf("kept.fnt").toStdString()).value().font.faceName, "Fake Mono");
}

// File > Export as BMFont writes the page and the descriptor of the chosen
// filter, opens next time on that filter, and never replaces a project.
TEST_F(ProjectDialogTest, BmFontExportTakesTheChosenFormAndRemembersIt) {
  dialog->AddCharacters("AB");
  Choose("actionSave", "sheet.fnt");
  const struct { int filter; const char* name; const char* descriptor; } cases[] = {
      {1, "x", "x.xml"}, {3, "j", "j.json"}, {2, "b", "b.fnt"}, {0, "t", "t.fnt"}};
  for (const auto& c : cases) {
    files.answerFilter = c.filter;
    Choose("actionExportBmFont", c.name);
    EXPECT_TRUE(QFileInfo::exists(PathOf(c.descriptor)) && QFileInfo::exists(PathOf(c.name) + ".png"))
        << c.descriptor;
    Find<QAction>("actionExportBmFont")->trigger();  // cancelled: shows the filter kept
    EXPECT_EQ(files.lastOptions.selectedFilter, c.filter);
  }
  const QByteArray project = [this] {
    QFile f(PathOf("sheet.fnt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();
  messages.shown.clear();
  Choose("actionExportBmFont", "sheet");  // text form: sheet.fnt is the project
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("專案檔"))) << messages.shown[0].toStdString();
  QFile after(PathOf("sheet.fnt"));
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), project);

  // The binary form has no record of a distance field: refused with the
  // reason, before any file is written.
  Set("distanceCheck");
  files.answerFilter = 2;
  messages.shown.clear();
  Choose("actionExportBmFont", "field");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("無法記錄距離場"))) << messages.shown[0].toStdString();
  EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("field*")}), QStringList());
}

// Tools > Text preview sets its sample with the sheet, again at every rebuild.
TEST_F(ProjectDialogTest, TextPreviewFollowsTheSheet) {
  dialog->AddCharacters("The");
  Find<QAction>("actionTextPreview")->trigger();
  TextPreviewDialog* preview = dialog->TextPreview();
  ASSERT_NE(preview, nullptr);
  const QImage before = PictureOf(*preview);
  Set("sizeSpin", 20);  // larger cells: a larger picture
  EXPECT_GT(PictureOf(*preview).height(), before.height());
  Find<QAction>("actionNew")->trigger();  // nothing on the sheet: only the margin
  EXPECT_LT(PictureOf(*preview).width(), before.width());
}

// A project is opened at its top-left corner, and a sheet made smaller than
// the scrolled position comes back into view.
TEST_F(ProjectDialogTest, TheSheetComesBackIntoViewWhenItShrinksOrAProjectOpens) {
  ASSERT_TRUE(WriteProjectFile(PathOf("small.fnt").toStdString(), ProjectData{}));
  Set("zoomSlider", 1000);
  Set("previewHScroll", 300);
  Set("previewVScroll", 100);
  Set("width64");  // the view starts right of the sheet: back to its left edge
  EXPECT_EQ(std::pair(Shown("previewHScroll"), Shown("previewVScroll")), std::pair(0, 100));
  Choose("actionOpen", "small.fnt");
  EXPECT_EQ(std::pair(Shown("previewHScroll"), Shown("previewVScroll")), std::pair(0, 0));
}

}  // namespace
}  // namespace glyphsheet::testing
