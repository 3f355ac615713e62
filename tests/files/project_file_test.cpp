#include <gtest/gtest.h>

#include <climits>

#include "files/project_file.h"
#include "temp_folder.h"

namespace glyphsheet {
namespace {

using testing::FileBytes;
using testing::PutFile;
using testing::TempFolder;

GlyphRecord Glyph(uint8_t code, int32_t left, int32_t right) {
  GlyphRecord g;
  g.code = code;
  g.leftBorder = left;
  g.rightBorder = right;
  return g;
}

// A project that uses every field with values a careless writer or reader
// would get wrong: negative borders, a duplicate code, code 0, codes above 127.
ProjectData AwkwardProject() {
  ProjectData p;
  p.sheetWidth = 65535;
  p.sheetHeight = 1;
  p.borders = {-3, 16, 17, INT32_MIN};
  p.pointSize = 250;
  p.weight = 500;
  p.quality = 3;
  p.smoothing = 9;
  p.italic = 7;
  p.faceName = "Caf\xC3\xA9 Sans";
  p.glyphs = {Glyph('A', -1, 2), Glyph(0, INT32_MAX, INT32_MIN), Glyph('A', 5, -5),
              Glyph(128, 0, 0), Glyph(233, 1, 1), Glyph(255, -100, 100)};
  return p;
}

TEST(ProjectFile, EncodesTheDocumentedLayoutByteForByte) {
  ProjectData p;
  p.sheetWidth = 128;
  p.sheetHeight = 64;
  p.borders = {1, 2, 3, 4};
  p.pointSize = 12;
  p.weight = 700;
  p.quality = 3;
  p.smoothing = 2;
  p.italic = 1;
  p.faceName = "Arial";
  p.glyphs = {Glyph('A', 1, -2), Glyph(233, 0x01020304, 0)};
  const std::vector<uint8_t> expected = {
      128, 0, 0, 0,  64, 0, 0, 0,                                 // sheet size
      1, 0, 0, 0,    2, 0, 0, 0,    3, 0, 0, 0,    4, 0, 0, 0,    // borders l t r b
      12, 0, 0, 0,   0xBC, 2, 0, 0, 3, 0, 0, 0,    2, 0, 0, 0,    // size weight quality f
      1, 0, 0, 0,                                                 // italic
      5, 0, 0, 0,    'A', 'r', 'i', 'a', 'l', 0,                  // N, name, 0
      2, 0, 0, 0,                                                 // n
      'A', 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,                    // glyph 1
      233, 4, 3, 2, 1, 0, 0, 0, 0};                               // glyph 2
  ASSERT_EQ(expected.size(), 76u);
  EXPECT_EQ(EncodeProject(p), expected);

  auto decoded = DecodeProject(expected);
  ASSERT_TRUE(decoded) << decoded.error();
  EXPECT_EQ(decoded.value().faceName, "Arial");
  EXPECT_EQ(decoded.value().weight, 700);
  EXPECT_EQ(decoded.value().borders.bottom, 4);
  ASSERT_EQ(decoded.value().glyphs.size(), 2u);
  EXPECT_EQ(decoded.value().glyphs[0].rightBorder, -2);
  EXPECT_EQ(decoded.value().glyphs[1].code, 233);
  EXPECT_EQ(decoded.value().glyphs[1].leftBorder, 0x01020304);
}

TEST(ProjectFile, EveryFieldSurvivesSaveLoadSave) {
  TempFolder folder;
  const ProjectData original = AwkwardProject();
  ASSERT_TRUE(WriteProjectFile(folder / "a.fnt", original));
  const std::vector<uint8_t> saved = FileBytes(folder / "a.fnt");
  EXPECT_EQ(saved.size(), 53u + original.faceName.size() + 9u * original.glyphs.size());

  auto loaded = ReadProjectFile(folder / "a.fnt");
  ASSERT_TRUE(loaded) << loaded.error();
  const ProjectData& p = loaded.value();
  EXPECT_EQ(p.sheetWidth, 65535);
  EXPECT_EQ(p.sheetHeight, 1);
  EXPECT_EQ(p.borders.left, -3);
  EXPECT_EQ(p.borders.bottom, INT32_MIN);
  EXPECT_EQ(p.pointSize, 250);
  EXPECT_EQ(p.weight, 500);
  EXPECT_EQ(p.smoothing, 9);
  EXPECT_EQ(p.italic, 7);
  EXPECT_EQ(p.faceName, original.faceName);
  ASSERT_EQ(p.glyphs.size(), original.glyphs.size());
  for (size_t i = 0; i < p.glyphs.size(); ++i) {
    EXPECT_EQ(p.glyphs[i].code, original.glyphs[i].code) << i;
    EXPECT_EQ(p.glyphs[i].leftBorder, original.glyphs[i].leftBorder) << i;
    EXPECT_EQ(p.glyphs[i].rightBorder, original.glyphs[i].rightBorder) << i;
  }

  ASSERT_TRUE(WriteProjectFile(folder / "b.fnt", p));
  EXPECT_EQ(FileBytes(folder / "b.fnt"), saved);
}

void PutInt(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(uint32_t(value) >> (8 * i));
}

TEST(ProjectFile, RejectsDamagedBytesWholeAndSaysWhy) {
  const std::vector<uint8_t> valid = EncodeProject(AwkwardProject());
  const size_t nameLength = AwkwardProject().faceName.size();
  const size_t countOffset = 49 + nameLength;

  for (size_t length = 0; length < valid.size(); ++length) {
    auto result = DecodeProject(std::span(valid.data(), length));
    ASSERT_FALSE(result) << "accepted " << length << " of " << valid.size() << " bytes";
    EXPECT_NE(result.error().find("truncated"), std::string::npos) << result.error();
  }

  struct Case {
    const char* what;
    size_t offset;
    int32_t value;
    const char* message;
  };
  const Case cases[] = {
      {"negative name length", 44, -1, "face name length -1"},
      {"name length 256", 44, 256, "face name length 256"},
      {"huge glyph count", countOffset, INT32_MAX, "glyph count 2147483647"},
      {"one glyph too many", countOffset, 7, "glyph count 7 needs 63 bytes but only 54"},
      {"zero width", 0, 0, "sheet width 0"},
      {"negative height", 4, -64, "sheet height -64"},
      {"width above 16 bits", 0, 65536, "sheet width 65536"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = valid;
    PutInt(bytes, c.offset, c.value);
    auto result = DecodeProject(bytes);
    ASSERT_FALSE(result) << c.what;
    EXPECT_NE(result.error().find(c.message), std::string::npos) << c.what << ": "
                                                                  << result.error();
    EXPECT_EQ(result.error().find('\n'), std::string::npos) << c.what;
  }
}

TEST(ProjectFile, CountOfZeroOrLessLoadsNoGlyphsAndTrailingBytesAreIgnored) {
  const std::vector<uint8_t> valid = EncodeProject(AwkwardProject());
  const size_t countOffset = 49 + AwkwardProject().faceName.size();
  for (int32_t count : {0, -1, INT32_MIN}) {
    std::vector<uint8_t> bytes = valid;
    PutInt(bytes, countOffset, count);
    auto result = DecodeProject(bytes);
    ASSERT_TRUE(result) << count << ": " << result.error();
    EXPECT_TRUE(result.value().glyphs.empty()) << count;
  }
  std::vector<uint8_t> longer = valid;
  longer.insert(longer.end(), {1, 2, 3, 4, 5});
  auto result = DecodeProject(longer);
  ASSERT_TRUE(result) << result.error();
  EXPECT_EQ(EncodeProject(result.value()), valid);

  ProjectData longest;
  longest.faceName.assign(255, 'x');
  auto decoded = DecodeProject(EncodeProject(longest));
  ASSERT_TRUE(decoded) << decoded.error();
  EXPECT_EQ(decoded.value().faceName.size(), 255u);
}

TEST(ProjectFile, FileErrorsNameTheFileAndNothingIsWrittenForAnOverlongName) {
  TempFolder folder;
  auto missing = ReadProjectFile(folder / "missing.fnt");
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().find("missing.fnt"), std::string::npos) << missing.error();
  EXPECT_NE(missing.error().find("No such file"), std::string::npos) << missing.error();

  PutFile(folder / "short.fnt", {1, 0, 0, 0});
  auto shortFile = ReadProjectFile(folder / "short.fnt");
  ASSERT_FALSE(shortFile);
  EXPECT_NE(shortFile.error().find("short.fnt"), std::string::npos) << shortFile.error();

  auto folderAsFile = ReadProjectFile(folder.Path());
  EXPECT_FALSE(folderAsFile);

  ProjectData tooLong;
  tooLong.faceName.assign(256, 'x');
  auto written = WriteProjectFile(folder / "long.fnt", tooLong);
  ASSERT_FALSE(written);
  EXPECT_NE(written.error().find("long.fnt"), std::string::npos) << written.error();
  EXPECT_FALSE(std::filesystem::exists(folder / "long.fnt"));
}

TEST(ProjectFile, ApplyTakesValuesAsTheControlsWould) {
  const std::vector<std::string> typefaces = {"DejaVu Sans", "DejaVu Serif"};
  SheetDocument start;
  start.font = FontSettings{"DejaVu Serif", 20, 600, kQualityAliased, 2, 0};
  start.glyphs = {Glyph('z', 0, 0)};

  {
    SheetDocument doc = start;
    const ApplyOutcome outcome = ApplyProject(AwkwardProject(), doc, typefaces);
    EXPECT_FALSE(outcome.faceFound);
    EXPECT_EQ(doc.font.faceName, "DejaVu Serif");  // not installed: kept
    EXPECT_EQ(doc.sheetWidth, 65535);
    EXPECT_EQ(doc.sheetHeight, 1);
    EXPECT_EQ(doc.borders.left, 0);
    EXPECT_EQ(doc.borders.top, 16);
    EXPECT_EQ(doc.borders.right, 16);
    EXPECT_EQ(doc.borders.bottom, 0);
    EXPECT_EQ(doc.font.pointSize, 100);
    EXPECT_EQ(doc.font.weight, 600);  // 500 is no choice
    EXPECT_EQ(doc.font.quality, kQualityAliased);
    EXPECT_EQ(doc.font.smoothing, 2);  // 9 is no choice
    EXPECT_EQ(doc.font.italic, 1);
    ASSERT_EQ(doc.glyphs.size(), 6u);  // replaced, duplicate kept
    EXPECT_EQ(doc.glyphs[0].code, 'A');
    EXPECT_EQ(doc.glyphs[2].code, 'A');
    EXPECT_EQ(doc.glyphs[2].rightBorder, -5);
    EXPECT_EQ(doc.glyphs[1].leftBorder, INT32_MAX);
  }
  {
    ProjectData p;
    p.faceName = "dejavu SANS";
    p.pointSize = 2;
    p.weight = 700;
    p.quality = kQualityAntialiased;
    p.smoothing = 4;
    p.italic = 0;
    SheetDocument doc = start;
    doc.font.italic = 1;
    const ApplyOutcome outcome = ApplyProject(p, doc, typefaces);
    EXPECT_TRUE(outcome.faceFound);
    EXPECT_EQ(doc.font.faceName, "DejaVu Sans");
    EXPECT_EQ(doc.font.pointSize, 5);
    EXPECT_EQ(doc.font.weight, 700);
    EXPECT_EQ(doc.font.quality, kQualityAntialiased);
    EXPECT_EQ(doc.font.smoothing, 4);
    EXPECT_EQ(doc.font.italic, 0);
    EXPECT_TRUE(doc.glyphs.empty());
  }
}

}  // namespace
}  // namespace glyphsheet
