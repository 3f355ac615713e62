#include <gtest/gtest.h>

#include <climits>

#include "files/project_file.h"
#include "temp_folder.h"

namespace glyphsheet {
namespace {

using testing::FileBytes;
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
}

// Save, load and save again give the same bytes, and the first save holds the
// awkward values as encoded, so no field is lost, clamped or moved on the way.
// Damaged files are tried end to end in the command line's bad-input table.
TEST(ProjectFile, EveryFieldSurvivesSaveLoadSave) {
  TempFolder folder;
  const ProjectData original = AwkwardProject();
  ASSERT_TRUE(WriteProjectFile(folder / "a.fnt", original));
  const std::vector<uint8_t> saved = FileBytes(folder / "a.fnt");
  EXPECT_EQ(saved, EncodeProject(original));
  auto loaded = ReadProjectFile(folder / "a.fnt");
  ASSERT_TRUE(loaded) << loaded.error();
  EXPECT_EQ(loaded.value().glyphs.size(), original.glyphs.size());
  ASSERT_TRUE(WriteProjectFile(folder / "b.fnt", loaded.value()));
  EXPECT_EQ(FileBytes(folder / "b.fnt"), saved);

  // Bytes after the last glyph are ignored.
  std::vector<uint8_t> longer = saved;
  longer.insert(longer.end(), {1, 2, 3, 4, 5});
  auto trailing = DecodeProject(longer);
  ASSERT_TRUE(trailing) << trailing.error();
  EXPECT_EQ(EncodeProject(trailing.value()), saved);

  // A name the 256-byte buffer cannot hold with its terminator is never written.
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
