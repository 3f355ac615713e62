#include "ui/window_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace glyphsheet {

namespace {

bool Names(const QString& language, const char* code) {
  // "en", "en-GB", "en_US.UTF-8" all name English.
  const QString lower = language.toLower();
  const QString prefix = QString::fromLatin1(code);
  return lower == prefix || lower.startsWith(prefix + u'-') || lower.startsWith(prefix + u'_') ||
         lower.startsWith(prefix + u'.');
}

QTranslator* Install(const QString& name, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(name, folder)) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace

WindowLanguage ChooseWindowLanguage(const QStringList& uiLanguages) {
  for (const QString& language : uiLanguages) {
    if (Names(language, "en")) return WindowLanguage::kEnglish;
    if (Names(language, "zh")) return WindowLanguage::kChinese;
  }
  return WindowLanguage::kChinese;
}

QTranslator* UseWindowLanguage(WindowLanguage language) {
  if (language == WindowLanguage::kEnglish) {
    // Qt's own texts are English already.
    return Install(QStringLiteral("glyphsheet_en"), QStringLiteral(":/i18n"));
  }
  // Qt's own dialogs (file dialogs, message box buttons) in Traditional
  // Chinese like the rest of the window, when that translation is installed.
  return Install(QStringLiteral("qtbase_zh_TW"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace glyphsheet
