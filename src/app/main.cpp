// The desktop program: the main window over the FreeType rasterizer.
//
//   glyphsheet [--face NAME] [--add-chars TEXT] [--screenshot FILE]
//
// --face picks an installed typeface; --add-chars adds the characters as the add-characters dialog would;
// --screenshot writes a picture of the window once it is shown, then quits.
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

#include "raster/freetype_rasterizer.h"
#include "ui/file_chooser.h"
#include "ui/glyph_sheet_dialog.h"

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

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("GlyphSheet"));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  UseChineseFont(app);
  // Qt's own dialogs (file dialogs, message box buttons) in Traditional
  // Chinese like the rest of the window, when the translations are installed.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_zh_TW"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("GlyphSheet: bitmap font sheets"));
  parser.addHelpOption();
  const QCommandLineOption addChars(QStringLiteral("add-chars"),
                                    QStringLiteral("Characters to add at start."),
                                    QStringLiteral("TEXT"));
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Write a picture of the window and quit."),
                                      QStringLiteral("FILE"));
  const QCommandLineOption face(QStringLiteral("face"),
                                QStringLiteral("Typeface to start with."), QStringLiteral("NAME"));
  parser.addOption(face);
  parser.addOption(addChars);
  parser.addOption(screenshot);
  parser.process(app);

  glyphsheet::FreeTypeRasterizer rasterizer;
  glyphsheet::QtFileChooser fileChooser;
  glyphsheet::QtMessageSink messages;
  glyphsheet::GlyphSheetDialog dialog(rasterizer, fileChooser, messages);
  if (parser.isSet(face) && !dialog.SelectFace(parser.value(face))) {
    std::fprintf(stderr, "glyphsheet: typeface %s is not installed\n",
                 qPrintable(parser.value(face)));
    return 2;
  }
  if (parser.isSet(addChars)) dialog.AddCharacters(parser.value(addChars));
  dialog.show();

  if (parser.isSet(screenshot)) {
    const QString file = parser.value(screenshot);
    QTimer::singleShot(300, &dialog, [&dialog, file] {
      const bool saved = dialog.grab().save(file);
      if (!saved) std::fprintf(stderr, "glyphsheet: cannot write %s\n", qPrintable(file));
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
