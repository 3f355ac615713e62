#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include <functional>

#include "files/project_file.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

using namespace std::string_literals;

class KeepWorkTest : public GlyphSheetDialogTest {
 protected:
  QString PathOf(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
  ProjectData State() const { return ProjectFromDocument(DocumentOf(*dialog)); }
  void Trigger(const char* action) { Find<QAction>(action)->trigger(); }

  QTemporaryDir folder;
};

std::string Described(const ProjectData& p) {
  std::string text = p.font.faceName + " " + std::to_string(p.font.pointSize) + " " +
                     std::to_string(p.font.italic) + " " + std::to_string(p.font.quality) + " " +
                     std::to_string(p.sheetWidth) + " " + std::to_string(p.borders.top) + " [";
  for (const Glyph g : p.glyphs) {
    text += std::to_string(g.code) + ":" + std::to_string(g.leftBorder) + " ";
  }
  return text + "]";
}

// Every kind of change undoes to the state before it (controls included) and
// redoes to the state after it; a spin box's steps in a row undo together.
TEST_F(KeepWorkTest, EveryChangeUndoesAndRedoes) {
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"characters", [this] { dialog->AddCharacters("AB"); }},
      {"point size", [this] { Set("sizeSpin", 30), Set("sizeSpin", 31); }},
      {"sheet width", [this] { Set("width128"); }},
      {"italic", [this] { Set("italicCheck"); }},
      {"face", [this] { Set("faceCombo", 2); }},
      {"quality", [this] { Set("qualityCombo", 1 - Shown("qualityCombo")); }},
      {"top border", [this] { Set("borderTopSpin", 3); }},
      {"glyph border", [this] { Set("glyphCombo", 1), Set("glyphLeftSpin", 4); }},
      {"more characters", [this] { dialog->AddCharacters("C"); }},
  };
  QUndoStack* history = dialog->History();
  for (const auto& [what, change] : changes) {
    const std::string before = Described(State());
    change();
    const std::string after = Described(State());
    ASSERT_NE(before, after) << what;
    Trigger("actionUndo");
    EXPECT_EQ(Described(State()), before) << what;
    Trigger("actionRedo");
    EXPECT_EQ(Described(State()), after) << what;
  }
  EXPECT_EQ(history->count(), static_cast<int>(std::size(changes)));
  while (history->canUndo()) Trigger("actionUndo");
  EXPECT_EQ(std::tuple(DocumentOf(*dialog).glyphs.size(), Shown("sizeSpin"), Shown("italicCheck")),
            std::tuple(0u, 11, 0));
  EXPECT_FALSE(dialog->isWindowModified());

  // Ctrl+Z typed in a spin box undoes the window's last change.
  QApplication::setActiveWindow(dialog.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  auto* size = Find<QSpinBox>("sizeSpin");
  size->setFocus();
  size->setValue(40);
  QTest::keyClick(size, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Shown("sizeSpin"), 11);
  QTest::keyClick(size, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Shown("sizeSpin"), 40);
}

// The distance field replaces the quality and smoothing while it is ticked:
// they are off, the spread is on, and the font is asked for a field at sheet
// scale. Ticking and the spread's steps undo apart, the unsaved mark with them;
// unticked, the spread shown stays for the next tick.
TEST_F(KeepWorkTest, ADistanceFieldTakesThePlaceOfQualityAndSmoothingAndUndoes) {
  dialog->AddCharacters("AB");
  Set("smoothingCombo", 3);  // 4x4: a font of 59 pixels
  dialog->History()->setClean();
  // The document's spread, the box and the spin, which controls are on
  // (spin, quality, smoothing), the font asked for, the unsaved mark.
  using Shows = std::tuple<int, int, int, bool, bool, bool, int, int, bool>;
  const auto shows = [this] {
    const FontRequest& r = rasterizer.lastRequest;
    return Shows(DocumentOf(*dialog).font.distanceField, Shown("distanceCheck"), Shown("distanceSpin"),
                 Find("distanceSpin")->isEnabled(), Find("qualityCombo")->isEnabled(),
                 Find("smoothingCombo")->isEnabled(), r.distanceSpread, r.pixelHeight,
                 dialog->isWindowModified());
  };
  EXPECT_EQ(shows(), Shows(0, 0, 4, false, true, true, 0, 59, false)) << "unticked";
  const std::tuple<const char*, std::function<void()>, Shows> steps[] = {
      {"tick", [this] { Set("distanceCheck"); }, {4, 1, 4, true, false, false, 4, 15, true}},
      {"spread", [this] { Set("distanceSpin", 8), Set("distanceSpin", 9); },
       {9, 1, 9, true, false, false, 9, 15, true}},
      {"undo spread", [this] { Trigger("actionUndo"); }, {4, 1, 4, true, false, false, 4, 15, true}},
      {"undo tick", [this] { Trigger("actionUndo"); }, {0, 0, 4, false, true, true, 0, 59, false}},
      {"redo both", [this] { Trigger("actionRedo"), Trigger("actionRedo"); },
       {9, 1, 9, true, false, false, 9, 15, true}},
      {"untick", [this] { Set("distanceCheck"); }, {0, 0, 9, false, true, true, 0, 59, true}},
  };
  for (const auto& [what, step, expected] : steps) {
    step();
    EXPECT_EQ(shows(), expected) << what;
  }
}

// The title names the project's file and marks unsaved changes; closing,
// New and Open ask first, and each answer does what it says.
TEST_F(KeepWorkTest, UnsavedChangesAreMarkedAndNeverDroppedUnasked) {
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("未命名[*] — GlyphSheet"));
  dialog->AddCharacters("AB");
  EXPECT_TRUE(dialog->isWindowModified());

  messages.answer = SaveChoice::kCancel;
  EXPECT_FALSE(dialog->close());
  Trigger("actionNew");
  EXPECT_EQ(std::tuple(messages.asked.size(), DocumentOf(*dialog).glyphs.size()),
            std::tuple(2, 2u));

  messages.answer = SaveChoice::kSave;
  files.answer = PathOf("kept.fnt");
  Trigger("actionNew");
  EXPECT_EQ(ReadProjectFile(PathOf("kept.fnt").toStdString()).value().glyphs.size(), 2u);
  EXPECT_EQ(std::tuple(DocumentOf(*dialog).glyphs.size(), dialog->isWindowModified()),
            std::tuple(0u, false));

  files.answer = PathOf("kept.fnt");
  Trigger("actionOpen");
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("kept.fnt[*] — GlyphSheet"));
  dialog->AddCharacters("C");
  EXPECT_TRUE(dialog->isWindowModified());
  Trigger("actionUndo");
  EXPECT_FALSE(dialog->isWindowModified()) << "back where it was saved";
  dialog->AddCharacters("D");
  messages.answer = SaveChoice::kDiscard;
  const int asked = static_cast<int>(messages.asked.size());
  EXPECT_TRUE(dialog->close());
  EXPECT_EQ(messages.asked.size(), asked + 1);
  EXPECT_EQ(ReadProjectFile(PathOf("kept.fnt").toStdString()).value().glyphs.size(), 2u);
}

// The window starts on the desktop's default face; a project dropped on it
// opens (after asking about unsaved changes), and a BMFont descriptor
// dropped or opened is named as such.
TEST_F(KeepWorkTest, DefaultFaceAndDroppedFiles) {
  rasterizer.defaultFace = "Fake Sans";
  dialog = MakeDialog();
  EXPECT_EQ(Find<QComboBox>("faceCombo")->currentText(), QStringLiteral("Fake Sans"));

  ProjectData project;
  project.font.faceName = "fake serif";
  project.glyphs = {Glyph{'Q', 0, 0}};
  ASSERT_TRUE(WriteProjectFile(PathOf("dropped.fnt").toStdString(), project));
  QFile bmfont(PathOf("text.fnt"));
  ASSERT_TRUE(bmfont.open(QIODevice::WriteOnly));
  bmfont.write("info face=\"Fake Sans\" size=20\ncommon lineHeight=24\n");
  bmfont.close();
  const auto drop = [this](const char* name) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(PathOf(name))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &enter);
    ASSERT_TRUE(enter.isAccepted()) << name;
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &event);
  };
  dialog->AddCharacters("AB");
  messages.answer = SaveChoice::kCancel;
  drop("dropped.fnt");
  EXPECT_EQ(std::tuple(DocumentOf(*dialog).glyphs.size(), messages.asked.size()), std::tuple(2u, 1))
      << "cancelled";
  messages.answer = SaveChoice::kDiscard;
  drop("dropped.fnt");
  EXPECT_EQ(std::tuple(DocumentOf(*dialog).glyphs.size(), Find<QComboBox>("faceCombo")->currentText()),
            std::tuple(1u, QStringLiteral("fake serif")));
  drop("text.fnt");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("這是 BMFont 描述檔，不是 GlyphSheet 專案檔")))
      << messages.shown[0].toStdString();

  // A dropped font file's typeface is offered first and used; the project
  // keeps the file, and opens with it again. Undo goes back to the face before.
  const auto face = [this] { return Find<QComboBox>("faceCombo")->currentText(); };
  drop("mine.ttf");
  EXPECT_EQ(face(), QStringLiteral("Filed Face"));
  drop("broken.otf");
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_TRUE(messages.shown[1].contains(QStringLiteral("broken.otf")));
  files.answer = PathOf("filed.fnt");
  Trigger("actionSaveAs");
  const ProjectData saved = ReadProjectFile(PathOf("filed.fnt").toStdString()).value();
  EXPECT_EQ(std::tuple(saved.font.faceName, saved.fontFile),
            std::tuple("Filed Face"s, PathOf("mine.ttf").toStdString()));
  Trigger("actionUndo");
  EXPECT_EQ(face(), QStringLiteral("fake serif"));
  auto reopened = MakeDialog();
  files.answer = PathOf("filed.fnt");
  Find<QAction>("actionOpen", reopened.get())->trigger();
  EXPECT_EQ(Find<QComboBox>("faceCombo", reopened.get())->currentText(), QStringLiteral("Filed Face"));
}

}  // namespace
}  // namespace glyphsheet::testing
