#include <QCoreApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTranslator>

#include "ui/elided_combo_box.h"
#include "ui/window_language.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

// English only when the user's languages name it before any Chinese.
TEST(WindowLanguage, EnglishOnlyWhenPreferredBeforeChinese) {
  const std::pair<QStringList, WindowLanguage> cases[] = {
      {{}, WindowLanguage::kChinese},
      {{"C"}, WindowLanguage::kChinese},
      {{"fr-FR", "de"}, WindowLanguage::kChinese},
      {{"en"}, WindowLanguage::kEnglish},
      {{"fr-FR", "en-GB", "zh-TW"}, WindowLanguage::kEnglish},
      {{"zh-Hant-TW", "en-US"}, WindowLanguage::kChinese},
      {{"eng"}, WindowLanguage::kChinese},
  };
  for (const auto& [languages, want] : cases) {
    EXPECT_EQ(ChooseWindowLanguage(languages), want) << languages.join(",").toStdString();
  }
}

// The same window and the same failures in both languages: texts of the
// form and of the code, and a failure's reason in the window's words with
// the file named once.
TEST_F(GlyphSheetDialogTest, SpeaksEnglishWhenAskedAndChineseOtherwise) {
  QTemporaryDir folder;
  const QString missing = folder.filePath("missing.fnt");
  const struct {
    WindowLanguage language;
    const char *menu, *export_, *face, *status, *opened, *exported;
  } cases[] = {
      {WindowLanguage::kChinese, "檔案(&F)", "輸出為 TGA && XML(&E)", "名稱", "256 × 256，0 個字元",
       "無法開啟專案檔「%1」：\n沒有此檔案或目錄",
       "無法輸出 TGA 與 XML「/proc/x.tga」：\n所在的資料夾不能建立新檔案（沒有此檔案或目錄）"},
      {WindowLanguage::kEnglish, "&File", "&Export as TGA && XML...", "Face", "256 × 256, 0 characters",
       "Cannot open the project \"%1\":\nNo such file or directory",
       "Cannot export the TGA and XML \"/proc/x.tga\":\nits folder takes no new files (No such file or directory)"},
  };
  for (const auto& c : cases) {
    QTranslator* english = c.language == WindowLanguage::kEnglish ? UseWindowLanguage(c.language)
                                                                   : nullptr;
    ASSERT_EQ(english != nullptr, c.language == WindowLanguage::kEnglish);
    dialog = MakeDialog();
    messages.shown.clear();
    files.answer = missing;
    Find<QAction>("actionOpen")->trigger();
    files.answer = QStringLiteral("/proc/x.tga");
    Find<QAction>("actionExport")->trigger();
    EXPECT_EQ(QStringList({Find<QMenu>("fileMenu")->title(), Find<QAction>("actionExport")->text(),
                           Find<QLabel>("faceLabel")->text(), StatusOf(*dialog)})
                  .join('|')
                  .toStdString(),
              std::string(c.menu) + "|" + c.export_ + "|" + c.face + "|" + c.status);
    EXPECT_EQ(messages.shown.join('|').toStdString(),
              QString::fromUtf8(c.opened).arg(missing).toStdString() + "|" + c.exported);
    if (english) {
      QCoreApplication::removeTranslator(english);
      delete english;
    }
  }
}

}  // namespace
}  // namespace glyphsheet::testing
