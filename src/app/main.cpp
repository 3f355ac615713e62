// The desktop program: the main window over the FreeType rasterizer.
//
//   glyphsheet [--face NAME] [--add-chars TEXT] [--screenshot FILE] [PROJECT.fnt]
//
// --face picks an installed typeface; --add-chars adds the characters as the add-characters dialog would;
// --screenshot writes a picture of the window once it is shown, then quits. PROJECT.fnt is
// opened once the window is up, as File > Open would.
#include <cstdio>
#include <optional>
#include <string>

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFontDatabase>
#include <QLocale>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QUndoStack>

#include "raster/freetype_rasterizer.h"
#include "sheet/error_text.h"
#include "ui/file_chooser.h"
#include "ui/glyph_sheet_dialog.h"
#include "ui/window_language.h"

namespace {

/// A font that holds the Traditional Chinese labels, when one is installed.
void UseChineseFont(QApplication& app) {
  for (const char* family : {"WenQuanYi Micro Hei", "Noto Sans CJK TC", "AR PL UMing TW"}) {
    if (QFontDatabase::hasFamily(QString::fromUtf8(family))) {
      QFont font(QString::fromUtf8(family));
      font.setPixelSize(12);
      app.setFont(font);
      return;
    }
  }
}

/// The command line, read before the QApplication exists so that --help,
/// --version and wrong usage need no display.
struct CommandLine {
  QCommandLineParser parser;
  QCommandLineOption face{QStringLiteral("face"), QStringLiteral("Typeface to start with."),
                          QStringLiteral("NAME")};
  QCommandLineOption addChars{QStringLiteral("add-chars"),
                              QStringLiteral("Characters to add at start."), QStringLiteral("TEXT")};
  QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                QStringLiteral("Write a picture of the window and quit."),
                                QStringLiteral("FILE")};
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                          QStringLiteral("Show this help and quit.")};
  QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version and quit.")};

  CommandLine() {
    parser.setApplicationDescription(
        QStringLiteral("GlyphSheet: bitmap font sheets from installed fonts, in a window"));
    // Qt's own options (-platform offscreen, -style Fusion, ...) are left to
    // the QApplication, which takes them out of argv.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "style",
                             "stylesheet", "display"}) {
      QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("VALUE"));
      qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
      parser.addOption(qtOption);
    }
    parser.addOptions({face, addChars, screenshot, help, version});
    parser.addPositionalArgument(QStringLiteral("PROJECT.fnt"),
                                 QStringLiteral("Project file to open at start."),
                                 QStringLiteral("[PROJECT.fnt]"));
  }
};

// Answers --help, --version and wrong usage without starting the window;
// the exit status then, or nothing when the window is to start.
std::optional<int> AnswerCommandLine(CommandLine& line, int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const bool parsed = line.parser.parse(arguments);
  if (parsed && line.parser.isSet(line.help)) {
    // Without a QCoreApplication the parser does not know the program's name.
    QString text = line.parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QStringLiteral("glyphsheet"));
    std::fputs(qPrintable(text), stdout);
    return 0;
  }
  if (parsed && line.parser.isSet(line.version)) {
    std::puts("glyphsheet " GLYPHSHEET_VERSION);
    return 0;
  }
  if (!parsed || line.parser.positionalArguments().size() > 1) {
    const QString why = parsed ? QStringLiteral("only one project file can be opened")
                               : line.parser.errorText();
    std::fprintf(stderr, "glyphsheet: %s\nTry 'glyphsheet --help'.\n", qPrintable(why));
    return 2;
  }
  return std::nullopt;
}

// The application's names, style, font and language.
void SetUpApplication(QApplication& app) {
  // Remembered choices go to ~/.config/GlyphSheet/GlyphSheet.conf.
  QApplication::setOrganizationName(QStringLiteral("GlyphSheet"));
  QApplication::setApplicationName(QStringLiteral("GlyphSheet"));
  QApplication::setApplicationVersion(QStringLiteral(GLYPHSHEET_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral(GLYPHSHEET_APP_ID));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  UseChineseFont(app);
  // English when the user's languages put it before Chinese (LANGUAGE=en,
  // say); the window's own Traditional Chinese otherwise.
  glyphsheet::UseWindowLanguage(glyphsheet::ChooseWindowLanguage(QLocale::system().uiLanguages()));
}

}  // namespace

int main(int argc, char* argv[]) {
  CommandLine line;
  if (const std::optional<int> answered = AnswerCommandLine(line, argc, argv)) return *answered;
  QApplication app(argc, argv);
  SetUpApplication(app);

  const QCommandLineParser& parser = line.parser;
  const QStringList projects = parser.positionalArguments();
  glyphsheet::FreeTypeRasterizer rasterizer;
  glyphsheet::QtFileChooser fileChooser;
  glyphsheet::QtMessageSink messages;
  glyphsheet::GlyphSheetDialog dialog(rasterizer, fileChooser, messages);
  if (parser.isSet(line.face) && !dialog.SelectFace(parser.value(line.face))) {
    const std::string face = parser.value(line.face).toStdString();
    std::fprintf(stderr, "glyphsheet: %s\n",
                 glyphsheet::EnglishText(glyphsheet::FaceNotInstalled(face)).c_str());
    return 2;
  }
  // The face asked for is where this run starts, not a change to undo.
  dialog.History()->clear();
  if (parser.isSet(line.addChars)) dialog.AddCharacters(parser.value(line.addChars));
  // A screen smaller than the opening size (a small one at 2x, say) gets a
  // window it holds; the column of controls then scrolls.
  dialog.resize(dialog.size().boundedTo(dialog.screen()->availableSize()));
  // Where the user left it last time; a picture is always of the window
  // at its opening size.
  if (!parser.isSet(line.screenshot)) dialog.RestoreWindowGeometry();
  dialog.show();
  if (!projects.isEmpty()) {
    const std::filesystem::path project(QFile::encodeName(projects.first()).toStdString());
    QTimer::singleShot(0, &dialog, [&dialog, project] { dialog.OpenProject(project); });
  }
  if (parser.isSet(line.screenshot)) {
    const QString file = parser.value(line.screenshot);
    QTimer::singleShot(300, &dialog, [&dialog, file] {
      const bool saved = dialog.grab().save(file);
      if (!saved) std::fprintf(stderr, "glyphsheet: cannot write %s\n", qPrintable(file));
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
