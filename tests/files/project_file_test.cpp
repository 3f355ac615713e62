#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "files/project_file.h"
#include "temp_folder.h"

namespace glyphsheet {
namespace {

using testing::FileBytes;
using testing::TempFolder;
using namespace std::string_literals;

// A project that uses every field with values a careless writer or reader
// would get wrong: negative borders, a duplicate code, code 0, codes above 127.
ProjectData AwkwardProject() {
  return {.sheetWidth = 65535, .sheetHeight = 1, .borders = {-3, 16, 17, INT32_MIN},
          .pointSize = 250, .weight = 500, .quality = 3, .smoothing = 9, .italic = 7,
          .faceName = "Caf\xC3\xA9 Sans",
          .glyphs = {{'A', -1, 2}, {0, INT32_MAX, INT32_MIN}, {'A', 5, -5}, {128, 0, 0},
                     {233, 1, 1}, {255, -100, 100}}};
}

TEST(ProjectFile, EncodesTheDocumentedLayoutByteForByte) {
  const ProjectData p = {.sheetWidth = 128, .sheetHeight = 64, .borders = {1, 2, 3, 4},
                         .pointSize = 12, .weight = 700, .quality = 3, .smoothing = 2, .italic = 1,
                         .faceName = "Arial", .glyphs = {{'A', 1, -2}, {233, 0x01020304, 0}}};
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

// Sheet size, font-wide borders and the font settings of a document, in that order.
auto Settings(const SheetDocument& d) {
  const CellBorders& b = d.borders;
  const FontSettings& f = d.font;
  return std::tuple(d.sheetWidth, d.sheetHeight, b.left, b.top, b.right, b.bottom, f.faceName,
                    f.pointSize, f.weight, f.quality, f.smoothing, f.italic);
}

TEST(ProjectFile, ApplyTakesValuesAsTheControlsWould) {
  const std::vector<std::string> typefaces = {"DejaVu Sans", "DejaVu Serif"};
  SheetDocument start;
  start.font = FontSettings{"DejaVu Serif", 20, 600, kQualityAliased, 2, 0};
  start.glyphs = {{'z', 0, 0}};

  // Borders and size are held to the spins' ranges; a face that is not
  // installed and a weight (500) or smoothing (9) no list offers keep the current one;
  // italic 7 counts as on.
  SheetDocument doc = start;
  EXPECT_FALSE(ApplyProject(AwkwardProject(), doc, typefaces).faceFound);
  EXPECT_EQ(Settings(doc),
            std::tuple(65535, 1, 0, 16, 16, 0, "DejaVu Serif"s, 100, 600, kQualityAliased, 2, 1));
  ASSERT_EQ(doc.glyphs.size(), 6u);  // replaced, duplicate kept
  EXPECT_EQ(std::tuple(doc.glyphs[0].code, doc.glyphs[2].code, doc.glyphs[2].rightBorder,
                       doc.glyphs[1].leftBorder),
            std::tuple(uint8_t{'A'}, uint8_t{'A'}, -5, INT32_MAX));

  const ProjectData p = {.borders = {}, .pointSize = 2, .weight = 700,
                         .quality = kQualityAntialiased, .smoothing = 4, .italic = 0,
                         .faceName = "dejavu SANS", .glyphs = {}};
  doc = start;
  doc.font.italic = 1;
  EXPECT_TRUE(ApplyProject(p, doc, typefaces).faceFound);
  EXPECT_EQ(Settings(doc), std::tuple(p.sheetWidth, p.sheetHeight, 0, 0, 0, 0, "DejaVu Sans"s, 5,
                                      700, kQualityAntialiased, 4, 0));
  EXPECT_TRUE(doc.glyphs.empty());
}

}  // namespace
}  // namespace glyphsheet
