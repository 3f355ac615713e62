#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <tuple>

#include "files/project_file.h"
#include "support/temp_folder.h"

// Damaged project files (every truncation, name lengths and sheet sides out
// of range, glyph counts the bytes cannot hold) and failed writes are tried
// end to end in the command line's bad-input table.
namespace glyphsheet {
namespace {

using testing::FileBytes;
using testing::PutFile;
using testing::TempFolder;
using namespace std::string_literals;

// A project that uses every field with values a careless writer or reader
// would get wrong: negative borders, a duplicate code, code 0, codes above 127.
ProjectData AwkwardProject() {
  return {.sheetWidth = 65535, .sheetHeight = 1, .borders = {-3, 16, 17, INT32_MIN},
          .font = {"Caf\xC3\xA9 Sans", 250, 500, 3, 9, 7},
          .glyphs = {{'A', -1, 2}, {0, INT32_MAX, INT32_MIN}, {'A', 5, -5}, {128, 0, 0},
                     {233, 1, 1}, {255, -100, 100}}};
}

TEST(ProjectFile, EncodesTheDocumentedLayoutByteForByte) {
  const ProjectData p = {.sheetWidth = 128, .sheetHeight = 64, .borders = {1, 2, 3, 4},
                         .font = {"Arial", 12, 700, 3, 2, 1},
                         .glyphs = {{'A', 1, -2}, {233, 0x01020304, 0}}};
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
// A new file follows the umask, a replaced one keeps its permissions.
TEST(ProjectFile, EveryFieldSurvivesSaveLoadSave) {
  TempFolder folder;
  const auto path = folder / "a.fnt";
  const mode_t oldMask = ::umask(027);
  const Status first = WriteProjectFile(path, AwkwardProject());
  ::umask(oldMask);
  ASSERT_TRUE(first) << first.error();
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
  const std::vector<uint8_t> saved = FileBytes(path);
  EXPECT_EQ(saved, EncodeProject(AwkwardProject()));
  auto loaded = ReadProjectFile(path);
  ASSERT_TRUE(loaded) << loaded.error();
  std::filesystem::permissions(path, std::filesystem::perms(0600));
  PutFile(path, {9, 9});
  ASSERT_TRUE(WriteProjectFile(path, loaded.value()));
  EXPECT_EQ(FileBytes(path), saved);
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0600));

  // Bytes after the last glyph are ignored.
  std::vector<uint8_t> longer = saved;
  longer.insert(longer.end(), {1, 2, 3, 4, 5});
  auto trailing = DecodeProject(longer);
  ASSERT_TRUE(trailing) << trailing.error();
  EXPECT_EQ(EncodeProject(trailing.value()), saved);

  // A name the 256-byte buffer cannot hold with its terminator is never written.
  ProjectData tooLong;
  tooLong.font.faceName.assign(256, 'x');
  auto written = WriteProjectFile(folder / "long.fnt", tooLong);
  ASSERT_FALSE(written);
  EXPECT_NE(written.error().find("long.fnt"), std::string::npos) << written.error();
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"a.fnt"});
}

// Sheet size, font-wide borders and the font settings of a document.
auto Settings(const SheetDocument& d) {
  const CellBorders& b = d.borders;
  const FontSettings& f = d.font;
  return std::tuple(d.sheetWidth, d.sheetHeight, b.left, b.top, b.right, b.bottom, f.faceName,
                    f.pointSize, f.weight, f.quality, f.smoothing, f.italic);
}

// What ApplyProject did with borders, size, weight, quality, smoothing and face.
auto Takes(const ApplyOutcome& o) {
  return std::tuple(o.borders, o.pointSize, o.weight, o.quality, o.smoothing, o.face);
}

// Borders and size are held to their ranges; a weight (500) or smoothing (9)
// no list offers and a face that is not installed keep the current one;
// italic 7 counts as on; the glyphs are replaced as stored. Values in range
// are taken, and the face matches without regard to case.
TEST(ProjectFile, ApplyTakesValuesAsTheControlsWould) {
  using enum LoadTake;
  const std::vector<std::string> typefaces = {"DejaVu Sans", "DejaVu Serif"};
  SheetDocument start;
  start.font = FontSettings{"DejaVu Serif", 20, 600, kQualityAliased, 2, 1};
  start.glyphs = {{'z', 0, 0}};
  SheetDocument doc = start;
  EXPECT_EQ(Takes(ApplyProject(AwkwardProject(), doc, typefaces)),
            std::tuple(kClamped, kClamped, kKept, kTaken, kKept, kKept));
  EXPECT_EQ(Settings(doc),
            std::tuple(65535, 1, 0, 16, 16, 0, "DejaVu Serif"s, 100, 600, kQualityAliased, 2, 1));
  const GlyphList& g = doc.glyphs;
  EXPECT_EQ(std::tuple(g.size(), g[2].code, g[2].rightBorder, g[1].leftBorder, g[5].leftBorder),
            std::tuple(6u, uint8_t{'A'}, -5, INT32_MAX, -100));

  doc = start;
  const ProjectData p = {.borders = {0, 16, 0, 16}, .font = {"dejavu SANS", 5, 700, 4, 4, 0},
                         .glyphs = {}};
  EXPECT_EQ(Takes(ApplyProject(p, doc, typefaces)),
            std::tuple(kTaken, kTaken, kTaken, kTaken, kTaken, kTaken));
  EXPECT_EQ(Settings(doc), std::tuple(256, 256, 0, 16, 0, 16, "DejaVu Sans"s, 5, 700,
                                      kQualityAntialiased, 4, 0));
  EXPECT_TRUE(doc.glyphs.empty());
}

}  // namespace
}  // namespace glyphsheet
