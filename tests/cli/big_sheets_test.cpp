// Sheets that hold a whole script: --fit picks the size, and cells far past
// the first 512 pixels hold their glyphs' ink exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/descriptor_reader.h"

namespace glyphsheet {
namespace {

using testing::CliRun;
using testing::FileBytes;
using testing::FileText;
using testing::ReadDescriptor;
using testing::RunCli;
using testing::TempFolder;

// The alpha of a TGA's cell, row by row.
std::vector<uint8_t> CellAlpha(const std::vector<uint8_t>& tga, int sheetWidth,
                               const testing::DescriptorEntry& c) {
  std::vector<uint8_t> alpha;
  for (int y = c.y; y < c.y + c.height; ++y) {
    for (int x = c.x; x < c.x + c.width; ++x) {
      alpha.push_back(tga[18 + (static_cast<size_t>(y) * sheetWidth + x) * 4 + 3]);
    }
  }
  return alpha;
}

// Big5's frequently used hanzi and ASCII at 24 pt: the least sheet that holds
// them is 4096 x 2048 (2048 x 2048 when no side may pass 2048, with two
// pages in a BMFont export). A cell past x and y 512 on it holds exactly the
// pixels of the same character exported alone.
TEST(CliBigSheets, FitPicksTheSizeAndFarCellsHoldTheirInk) {
  TempFolder folder;
  const std::vector<std::string> font = {"--font-file", GLYPHSHEET_TEST_CJK_FONT, "--size", "24"};
  std::vector<std::string> args = {"export", "--charset", "big5-level1", "--charset", "ascii",
                                   "--fit", "-o", "big"};
  args.insert(args.begin() + 1, font.begin(), font.end());
  const CliRun big = RunCli(folder.Path(), args);
  ASSERT_EQ(big.exitCode, 0) << big.err;
  EXPECT_EQ(big.out, "chose a 4096 x 2048 sheet, the smallest that holds every cell\n"
                     "wrote big.tga and big.xml: 4096 x 2048 sheet, 5496 glyphs\n");
  EXPECT_EQ(big.err, "");
  const auto cells = ReadDescriptor(FileText(folder / "big.xml"));
  ASSERT_EQ(cells.size(), 5496u);
  const std::vector<uint8_t> tga = FileBytes(folder / "big.tga");
  ASSERT_EQ(tga.size(), 18u + 4096 * 2048 * 4);
  int checked = 0;
  for (const size_t i : {2000u, 4000u, 5400u, 5495u}) {
    const auto& far = cells[i];
    ASSERT_GT(far.y, 512) << i;
    const std::string name = "one" + std::to_string(i);
    std::vector<std::string> alone = {"export", "--range", std::to_string(far.id), "--width", "64",
                                      "--height", "64", "-o", name};
    alone.insert(alone.begin() + 1, font.begin(), font.end());
    ASSERT_EQ(RunCli(folder.Path(), alone).exitCode, 0);
    const auto one = ReadDescriptor(FileText(folder / (name + ".xml"))).at(0);
    ASSERT_EQ(std::pair(one.width, one.height), std::pair(far.width, far.height)) << far.id;
    EXPECT_EQ(CellAlpha(tga, 4096, far), CellAlpha(FileBytes(folder / (name + ".tga")), 64, one))
        << "U+" << far.id << " at " << far.x << ", " << far.y;
    checked += far.x > 512;
  }
  EXPECT_GE(checked, 2);

  args.insert(args.end() - 2, {"--max-size", "2048", "--format", "bmfont-text", "--kerning", "off"});
  const CliRun paged = RunCli(folder.Path(), args);
  ASSERT_EQ(paged.exitCode, 0) << paged.err;
  EXPECT_EQ(paged.out,
            "chose a 2048 x 2048 sheet: none up to --max-size holds every cell on one page\n"
            "wrote big_0.png, big_1.png and big.fnt: 2 pages of 2048 x 2048, 5496 glyphs\n");
  args.insert(args.end() - 2, {"--max-pages", "1"});
  const CliRun refused = RunCli(folder.Path(), args);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("the cells need 2 pages of 2048 x 2048; --max-pages allows 1"),
            std::string::npos) << refused.err;
}

}  // namespace
}  // namespace glyphsheet
