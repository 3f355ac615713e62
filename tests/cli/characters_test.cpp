// Characters of any script on the command line: sets, ranges, missing glyphs,
// and projects of Windows-1252 characters that save and export as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "cli_runner.h"
#include "support/descriptor_reader.h"

namespace glyphsheet {
namespace {

using testing::CliRun;
using testing::FileBytes;
using testing::FileText;
using testing::Lines;
using testing::ReadDescriptor;
using testing::RunCli;
using testing::TempFolder;
using namespace std::string_literals;

// The TGA's alpha at a sheet pixel (rows from the top, 4 bytes BGRA each).
int AlphaAt(const std::vector<uint8_t>& tga, int width, int x, int y) {
  return tga[18 + (static_cast<size_t>(y) * width + x) * 4 + 3];
}

// A Chinese sheet from Big5's frequently used hanzi: as many cells as fit
// (the summary says how many), ids that are Windows-1252 bytes where a
// character has one and code points past 255 where not, and hanzi drawn
// where their cells say: 一 is one horizontal stroke across its cell, 川
// three vertical ones.
TEST(CliCharacters, ChineseSheetFromBig5WithCodePointIds) {
  TempFolder folder;
  const CliRun run = RunCli(folder.Path(), {"export", "--font-file", GLYPHSHEET_TEST_CJK_FONT,
                                            "--chars", "A\xE2\x82\xAC", "--charset", "big5-level1",
                                            "--size", "20", "--width", "512", "--height", "512",
                                            "-o", "tc"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto cells = ReadDescriptor(FileText(folder / "tc.xml"));
  ASSERT_EQ(cells.size(), 5403u);
  // The summary counts the cells the table places wholly on the sheet, the
  // warning the others.
  const auto onSheet = std::count_if(cells.begin(), cells.end(), [](const auto& c) {
    return c.x + c.width <= 512 && c.y + c.height <= 512;
  });
  ASSERT_LT(onSheet, 5403);
  EXPECT_EQ(run.out, "wrote tc.tga and tc.xml: 512 x 512 sheet, " + std::to_string(onSheet) +
                         " of 5403 glyphs on the sheet\n");
  EXPECT_NE(run.err.find(": " + std::to_string(5403 - onSheet) +
                         " of 5403 glyphs do not lie wholly on the sheet"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(std::tuple(cells[0].id, cells[1].id, cells[2].id, cells[3].id),
            std::tuple('A', 128, 0x4E00, 0x4E59));  // A, € (byte 128), 一, 乙 (Big5 A440, A441)
  const std::vector<uint8_t> tga = FileBytes(folder / "tc.tga");
  ASSERT_EQ(tga.size(), 18u + 512 * 512 * 4);
  // The longest run of ink in a row and in a column of a cell, at half coverage.
  const auto strokes = [&tga](const testing::DescriptorEntry& c) {
    int row = 0, column = 0;
    for (int y = 0; y < c.height; ++y) {
      int n = 0;
      for (int x = 0; x < c.width; ++x) n += AlphaAt(tga, 512, c.x + x, c.y + y) >= 128;
      row = std::max(row, n);
    }
    for (int x = 0; x < c.width; ++x) {
      int n = 0;
      for (int y = 0; y < c.height; ++y) n += AlphaAt(tga, 512, c.x + x, c.y + y) >= 128;
      column = std::max(column, n);
    }
    return std::pair(row, column);
  };
  const auto chuan = std::find_if(cells.begin(), cells.end(), [](auto& c) { return c.id == 0x5DDD; });
  ASSERT_NE(chuan, cells.end());
  const auto [yiRow, yiColumn] = strokes(cells[2]);
  const auto [chuanRow, chuanColumn] = strokes(*chuan);
  EXPECT_GT(yiRow, cells[2].width * 2 / 3);
  EXPECT_LE(yiColumn, 3);
  EXPECT_GT(chuanColumn, chuan->height / 2);
  EXPECT_LT(chuanRow, chuan->width / 2);
}

// A character the font lacks: named with a count, then drawn as its box
// (keep), left out (skip) or nothing written (fail); new keeps the list it
// would export.
TEST(CliCharacters, MissingGlyphsAreReportedAndKeptSkippedOrRefused) {
  TempFolder folder;
  const std::vector<std::string> base = {"export", "--chars", "A\xE4\xB8\xAD" "B", "--range",
                                         "U+6587-0x6591", "--format", "bmfont-text"};
  const auto run = [&](std::vector<std::string> more) {
    std::vector<std::string> args = base;
    args.insert(args.end(), more.begin(), more.end());
    return RunCli(folder.Path(), args);
  };
  const std::string named =
      "glyphsheet-cli: warning: typeface \"DejaVu Sans\" has no glyph for 12 characters: "
      "U+4E2D \xE4\xB8\xAD, U+6587 \xE6\x96\x87, U+6588 \xE6\x96\x88, U+6589 \xE6\x96\x89, "
      "U+658A \xE6\x96\x8A, U+658B \xE6\x96\x8B, U+658C \xE6\x96\x8C, U+658D \xE6\x96\x8D, "
      "U+658E \xE6\x96\x8E, U+658F \xE6\x96\x8F and 2 more; ";
  const CliRun kept = run({"-o", "k"});
  EXPECT_EQ(std::tuple(kept.exitCode, kept.err),
            std::tuple(0, named + "drawn as the font's missing-glyph box (--missing skip leaves "
                                  "them out)\n"));
  EXPECT_NE(FileText(folder / "k.fnt").find("chars count=14"), std::string::npos);
  const CliRun skipped = run({"--missing", "skip", "-o", "s"});
  EXPECT_EQ(std::tuple(skipped.exitCode, skipped.err),
            std::tuple(0, named + "left out (--missing skip)\n"));
  const std::string fnt = FileText(folder / "s.fnt");
  EXPECT_NE(fnt.find("chars count=2\nchar id=65 x=0 y=0"), std::string::npos) << fnt;
  EXPECT_NE(fnt.find("\nchar id=66 "), std::string::npos) << fnt;
  const auto before = folder.Entries();
  const CliRun failed = run({"--missing", "fail", "-o", "f"});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(Lines(failed.err).size(), 1u) << failed.err;
  EXPECT_NE(failed.err.find("and 2 more (--missing fail)"), std::string::npos) << failed.err;
  EXPECT_EQ(folder.Entries(), before);

  ASSERT_EQ(RunCli(folder.Path(), {"new", "--chars", "A\xE4\xB8\xAD", "--missing", "skip", "-o",
                                   "p.fnt"}).exitCode, 0);
  const CliRun shown = RunCli(folder.Path(), {"show", "p.fnt"});
  EXPECT_NE(shown.out.find("glyphs:     1\n"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("  U+0041 A"), std::string::npos) << shown.out;
}

// Projects that name a character past Windows-1252 keep it through new,
// show and export; the sets are listed with the standards' counts.
TEST(CliCharacters, ProjectsHoldAnyCharacterAndSetsAreListed) {
  TempFolder folder;
  ASSERT_EQ(RunCli(folder.Path(), {"new", "--font-file", GLYPHSHEET_TEST_CJK_FONT, "--chars",
                                   "\xE7\xB9\x81\xE9\xAB\x94" "A", "--range", "12354", "-o",
                                   "p.fnt"}).exitCode, 0);
  const CliRun shown = RunCli(folder.Path(), {"show", "p.fnt"});
  for (const char* wanted : {"glyphs:     4\n", "  U+7E41 \xE7\xB9\x81 ", "  U+9AD4 \xE9\xAB\x94 ",
                             "  U+0041 A ", "  U+3042 \xE3\x81\x82 "}) {
    EXPECT_NE(shown.out.find(wanted), std::string::npos) << wanted << "\n" << shown.out;
  }
  const CliRun exported = RunCli(folder.Path(), {"export", "p.fnt", "--font-file",
                                                 GLYPHSHEET_TEST_CJK_FONT, "--format",
                                                 "bmfont-text", "-o", "q"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.err, "");
  EXPECT_NE(FileText(folder / "q.fnt").find("char id=32321 x=0 y=0"), std::string::npos);

  const CliRun sets = RunCli(folder.Path(), {"charsets"});
  for (const char* wanted : {"ascii          95 ", "windows-1252   218 ", "big5-level1    5401 ",
                             "big5-level2    7652 ", "gb2312-level1  3755 ", "jis-level2     3390 ",
                             "hangul-2350    2350 ", "\nfont  "}) {
    EXPECT_NE(sets.out.find(wanted), std::string::npos) << wanted << "\n" << sets.out;
  }
}

// A project of Windows-1252 characters is written, and exported, byte for
// byte as before characters were Unicode (files kept in tests/data).
TEST(CliCharacters, WindowsProjectsSaveAndExportAsBefore) {
  TempFolder folder;
  const std::filesystem::path kept = GLYPHSHEET_TEST_DATA "/windows1252";
  ASSERT_EQ(RunCli(folder.Path(), {"new", "-o", "project.fnt", "--face", "DejaVu Sans", "--size",
                                   "12", "--weight", "700", "--smoothing", "2", "--borders",
                                   "1,0,2,1", "--width", "128", "--height", "64", "--chars",
                                   "Ag\xE2\x82\xAC\xC3\xA9\"&\xE2\x80\xA6\xC3\xBF"}).exitCode, 0);
  ASSERT_EQ(RunCli(folder.Path(), {"export", (kept / "project.fnt").string(), "-o", "sheet"})
                .exitCode, 0);
  ASSERT_EQ(RunCli(folder.Path(), {"export", (kept / "project.fnt").string(), "--format",
                                   "bmfont-text", "-o", "bmfont"}).exitCode, 0);
  for (const char* file : {"project.fnt", "sheet.tga", "sheet.xml", "bmfont.png", "bmfont.fnt"}) {
    EXPECT_EQ(FileBytes(folder / file), FileBytes(kept / file)) << file;
  }
}

}  // namespace
}  // namespace glyphsheet
