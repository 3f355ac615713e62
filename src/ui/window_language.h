#pragma once

#include <QStringList>

class QTranslator;

namespace glyphsheet {

/// The languages the window speaks: its own Traditional Chinese texts, or
/// their English translation.
enum class WindowLanguage { kChinese, kEnglish };

/// English when the user's preferred languages (most preferred first, as
/// QLocale::uiLanguages lists them) name English before any Chinese; the
/// window's own Chinese otherwise.
WindowLanguage ChooseWindowLanguage(const QStringList& uiLanguages);

/// Makes the window, and Qt's own dialogs and buttons, speak the language,
/// for windows made from now on. Returns the translator installed (it
/// belongs to the application), or nullptr when none was needed or could be
/// loaded; the window then keeps its Chinese.
QTranslator* UseWindowLanguage(WindowLanguage language);

}  // namespace glyphsheet
