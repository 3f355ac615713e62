// Runs the GUI tests inside one QApplication on the offscreen platform, so
// they need no display and never wait for a person.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  // The build lists the tests without a runtime folder; listing needs no Qt.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  // Settings the window remembers go to a folder of this run, not the user's.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QApplication::setOrganizationName(QStringLiteral("GlyphSheet"));
  QApplication::setApplicationName(QStringLiteral("GlyphSheet"));
  return RUN_ALL_TESTS();
}
