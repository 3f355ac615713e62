#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <set>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QTranslator>

#include "sheet/error_text.h"
#include "ui/failure_text.h"
#include "ui/window_language.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

// One failure with sample values: a font file, FreeType's words, and the
// typeface when one is given.
ErrorDetail Sample(Problem problem, std::vector<int64_t> numbers = {}, int code = 0,
                   std::string typeface = {}) {
  ErrorDetail detail;
  detail.file = "fonts/Sample Sans.ttf";
  detail.problem = problem;
  detail.code = code;
  detail.numbers = std::move(numbers);
  detail.typeface = std::move(typeface);
  detail.reason = "unknown file format";
  return detail;
}

// Every kind of failure, worded by the window in its English translation,
// reads as the command line words it: each kind with values in every slot,
// each project field, each errno (the window's own table and the system's
// words for the rest; messages are compared in the C locale, as the command
// line prints them), and a font failure under the typeface it was opened for.
TEST(FailureWords, TheWindowsEnglishIsTheCommandLinesForEveryKind) {
  using P = Problem;
  std::vector<ErrorDetail> samples = {
      Sample(P::kOther),
      Sample(P::kNotAFileName),
      Sample(P::kFollowLink, {}, EACCES),
      Sample(P::kFolderTakesNoFiles, {}, EROFS),
      Sample(P::kTemporaryTaken),
      Sample(P::kNoRoom, {262162, 4096}),
      Sample(P::kFileTooLarge, {64}),
      Sample(P::kFaceNameLength, {-1}),
      Sample(P::kGlyphCountTooLarge, {3, 27, 18}),
      Sample(P::kSheetSide, {0, 65536}),
      Sample(P::kSheetSide, {1, -1}),
      Sample(P::kFaceNameTooLong, {256}),
      Sample(P::kHoldsProject),
      Sample(P::kCannotTellProject, {}, EACCES),
      Sample(P::kWaitCancelled),
      Sample(P::kFieldInBinary),
      Sample(P::kSheetTooLarge, {70000, 2}),
      Sample(P::kFaceNotInstalled),
      Sample(P::kStartFreeType),
      Sample(P::kTrueTypeInterpreter, {35}),
      Sample(P::kUnusableFontFile, {2}),
      Sample(P::kUnusableFontFile, {0}, 0, "Sample Sans"),
      Sample(P::kFaceIndex, {1, 99}),
      Sample(P::kNoOutlines, {3}),
      Sample(P::kNoFamilyName),
      Sample(P::kPixelHeight, {4096, 1, 2048}, 0, "Sample Sans"),
      Sample(P::kCannotSize, {533}, 0, "Sample Sans"),
      Sample(P::kStartFreeType, {}, 0, "Sample Sans"),
      Sample(P::kBmFontDescriptor),
      Sample(P::kPngImage),
  };
  for (int64_t field = 0; field <= static_cast<int64_t>(ProjectField::kGlyphRightBorder); ++field) {
    samples.push_back(Sample(P::kTruncated, {81, field, 77, 80}));
  }
  for (int64_t defect = 0; defect < static_cast<int64_t>(kExtensionDefects); ++defect) {
    samples.push_back(Sample(P::kExtension, {defect, 52, 0xD800}));
  }
  // Each form, each kind of character a page file name cannot hold there.
  for (const std::vector<int64_t>& unfit : std::vector<std::vector<int64_t>>{
           {0, '"', 1, '"'}, {1, 0x85, 2, 0xC2}, {3, 0xFFFE, 0, 0xEF}, {0, -1, 5, 0xFF}}) {
    samples.push_back(Sample(P::kUnnameablePage, unfit));
    samples.back().name = "a\"b\n%1.png";
  }
  for (int64_t kind = 0; kind <= static_cast<int64_t>(FileKind::kOther) + 1; ++kind) {
    samples.push_back(Sample(P::kNotRegularFile, {kind}));
  }
  for (int code = 1; code < 134; ++code) samples.push_back(Sample(P::kSystem, {}, code));

  const std::string messages = std::setlocale(LC_MESSAGES, nullptr);
  std::setlocale(LC_MESSAGES, "C");
  QTranslator* english = UseWindowLanguage(WindowLanguage::kEnglish);
  ASSERT_NE(english, nullptr);
  std::set<Problem> kinds;
  for (const ErrorDetail& detail : samples) {
    kinds.insert(detail.problem);
    EXPECT_EQ(FailureText::Reason(detail).toStdString(), EnglishReason(detail))
        << "problem " << static_cast<int>(detail.problem) << ", code " << detail.code;
  }
  EXPECT_EQ(kinds.size(), kProblemKinds) << "a kind without a sample";
  QCoreApplication::removeTranslator(english);
  delete english;
  std::setlocale(LC_MESSAGES, messages.c_str());
}

// A sheet font the rasterizer cannot make is named in the window's words,
// in either language.
TEST_F(GlyphSheetDialogTest, AFontThatCannotBeMadeIsNamedInTheWindowsWords) {
  const std::pair<WindowLanguage, const char*> cases[] = {
      {WindowLanguage::kChinese, "。無法建立字型：字型「%1」未安裝"},
      {WindowLanguage::kEnglish, ". Cannot make the font: typeface \"%1\" is not installed"},
  };
  for (const auto& [language, words] : cases) {
    QTranslator* english = UseWindowLanguage(language);
    rasterizer.faces = {"Fake Mono", "Fake Sans", "fake serif"};
    dialog = MakeDialog();
    rasterizer.faces.clear();  // listed, but gone when the font is made
    Set("sizeSpin", 30);
    const QString face = Find<QComboBox>("faceCombo")->currentText();
    EXPECT_TRUE(StatusOf(*dialog).endsWith(QString::fromUtf8(words).arg(face)))
        << StatusOf(*dialog).toStdString();
    if (english) {
      QCoreApplication::removeTranslator(english);
      delete english;
    }
  }
}

}  // namespace
}  // namespace glyphsheet::testing
