#include <gtest/gtest.h>
#include <strings.h>

#include <algorithm>
#include <climits>
#include <tuple>

#include "../files/descriptor_reader.h"
#include "cli_runner.h"
#include "files/project_file.h"

namespace glyphsheet {
namespace {

using testing::CliRun;
using testing::DescriptorEntry;
using testing::FileBytes;
using testing::FileText;
using testing::Lines;
using testing::PutFile;
using testing::ReadDescriptor;
using testing::RunCli;
using testing::TempFolder;
using namespace std::string_literals;

std::vector<int> Codes(const ProjectData& project) {
  std::vector<int> codes;
  for (const GlyphRecord& g : project.glyphs) codes.push_back(g.code);
  return codes;
}

TEST(Cli, FontsListsEachDejaVuFamilyOnceSortedWithoutItsStyles) {
  TempFolder folder;
  const CliRun run = RunCli(folder.Path(), {"fonts"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  for (const char* wanted : {"DejaVu Sans", "DejaVu Sans Condensed", "DejaVu Sans Light",
                             "DejaVu Sans Mono", "DejaVu Serif", "DejaVu Serif Condensed"}) {
    EXPECT_EQ(std::count(lines.begin(), lines.end(), wanted), 1) << wanted;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    // The private setup holds only the DejaVu folder; styles are faces, not typefaces.
    EXPECT_EQ(lines[i].rfind("DejaVu ", 0), 0u) << lines[i];
    for (const char* style : {"Bold", "Oblique", "Italic", "ExtraLight", "Book"}) {
      EXPECT_EQ(lines[i].find(style), std::string::npos) << lines[i];
    }
    if (i > 0) {
      EXPECT_LT(::strcasecmp(lines[i - 1].c_str(), lines[i].c_str()), 0) << lines[i];
    }
  }
}

TEST(Cli, NewShowAndExportBuildTheSheetFromTheSettings) {
  TempFolder folder;
  const CliRun made = RunCli(folder.Path(), {"new", "-o", "p.fnt", "--face", "dejavu sans",
                                             "--size=14", "--weight", "700", "--aliased",
                                             "--smoothing", "2", "--italic", "--width", "128",
                                             "--height", "64", "--borders", "1,0,2,3", "--chars",
                                             "AB\xE2\x82\xAC\xC3\xA9" "A", "--chars", "B!"});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(made.err, "");
  auto project = ReadProjectFile(folder / "p.fnt");
  ASSERT_TRUE(project) << project.error();
  const ProjectData& p = project.value();
  const CellBorders& b = p.borders;
  EXPECT_EQ(std::tuple(p.faceName, p.pointSize, p.weight, p.quality, p.smoothing, p.italic,
                       p.sheetWidth, p.sheetHeight, b.left, b.top, b.right, b.bottom),
            std::tuple("DejaVu Sans"s, 14, 700, 3, 2, 1, 128, 64, 1, 0, 2, 3));
  EXPECT_EQ(Codes(p), (std::vector<int>{'A', 'B', 128, 233, '!'}));

  const CliRun shown = RunCli(folder.Path(), {"show", "p.fnt"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  for (const char* wanted : {"sheet size: 128 x 64", "face:       \"DejaVu Sans\"",
                             "left 1, top 0, right 2, bottom 3", "weight:     700",
                             "quality:    3 (aliased)", "glyphs:     5", "\xE2\x82\xAC", "233"}) {
    EXPECT_NE(shown.out.find(wanted), std::string::npos) << wanted << "\n" << shown.out;
  }

  std::filesystem::create_directory(folder / "out");
  const CliRun exported = RunCli(folder.Path(), {"export", "p.fnt", "-o", "out/sheet.png"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.out, "wrote out/sheet.tga and out/sheet.xml: 128 x 64 sheet, 5 glyphs\n");
  EXPECT_EQ(exported.err, "");
  const std::vector<uint8_t> image = FileBytes(folder / "out" / "sheet.tga");
  ASSERT_EQ(image.size(), 18u + 128 * 64 * 4);
  EXPECT_EQ(image[12], 128);
  EXPECT_EQ(image[14], 64);
  // Aliased ink reduced 2 : 1 gives coverage in quarters: every pixel of a
  // cell is alpha 0, 63, 127, 191 or 255, and the first cell holds 0 and 255.
  const std::vector<DescriptorEntry> cells = ReadDescriptor(FileText(folder / "out" / "sheet.xml"));
  ASSERT_EQ(cells.size(), 5u);
  std::set<int> alphas;
  for (int y = cells[0].y; y < cells[0].y + cells[0].height; ++y) {
    for (int x = cells[0].x; x < cells[0].x + cells[0].width; ++x) {
      alphas.insert(image[18 + (y * 128 + x) * 4 + 3]);
    }
  }
  EXPECT_TRUE(alphas.contains(0));
  EXPECT_TRUE(alphas.contains(255));
  for (int alpha : alphas) EXPECT_TRUE(alpha == 0 || alpha == 255 || alpha % 64 == 63) << alpha;
  for (const DescriptorEntry& cell : cells) EXPECT_EQ(cell.b, cell.width) << cell.id;
  EXPECT_EQ(cells[3].id, 233);
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"out", "p.fnt"}));
}

TEST(Cli, ExportWithoutProjectUsesTheStartUpDefaultsAndSettingsOverrideAProject) {
  TempFolder folder;
  const CliRun fonts = RunCli(folder.Path(), {"fonts"});
  ASSERT_FALSE(fonts.out.empty());
  const std::string firstFace = Lines(fonts.out).front();
  const CliRun plain = RunCli(folder.Path(), {"export", "--chars", "x", "-o", "plain"});
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  const CliRun spelled = RunCli(
      folder.Path(), {"export", "--chars", "x", "--face", firstFace, "--size", "11", "--weight",
                      "400", "--antialiased", "--smoothing", "1", "--upright", "--width", "256",
                      "--height", "256", "--borders", "0,0,0,0", "-o", "spelled"});
  ASSERT_EQ(spelled.exitCode, 0) << spelled.err;
  EXPECT_EQ(FileBytes(folder / "plain.tga").size(), 18u + 256 * 256 * 4);
  EXPECT_EQ(FileBytes(folder / "plain.tga"), FileBytes(folder / "spelled.tga"));
  EXPECT_EQ(FileText(folder / "plain.xml"), FileText(folder / "spelled.xml"));
  const std::vector<DescriptorEntry> cells = ReadDescriptor(FileText(folder / "plain.xml"));
  ASSERT_EQ(cells.size(), 1u);

  const CliRun made = RunCli(folder.Path(), {"new", "-o", "p.fnt", "--size=30", "--chars", "ab"});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const CliRun over = RunCli(folder.Path(), {"export", "p.fnt", "--width", "64", "--size", "11",
                                             "--chars", "x", "-o", "over"});
  ASSERT_EQ(over.exitCode, 0) << over.err;
  EXPECT_EQ(FileBytes(folder / "over.tga").size(), 18u + 64 * 256 * 4);
  const std::vector<DescriptorEntry> overCells = ReadDescriptor(FileText(folder / "over.xml"));
  ASSERT_EQ(overCells.size(), 3u);
  EXPECT_EQ(overCells[2].id, 'x');
  EXPECT_EQ(overCells[2].height, cells[0].height);
}

TEST(Cli, WrongUsageEndsWithStatusTwoNamingTheOption) {
  TempFolder folder;
  struct Case {
    std::vector<std::string> args;
    const char* named;
  };
  const Case cases[] = {
      {{"new", "-o", "x.fnt", "--size", "4"}, "--size"},
      {{"new", "-o", "x.fnt", "--size=101"}, "--size"},
      {{"new", "-o", "x.fnt", "--size", "12pt"}, "--size"},
      {{"new", "-o", "x.fnt", "--weight", "500"}, "--weight"},
      {{"new", "-o", "x.fnt", "--smoothing", "0"}, "--smoothing"},
      {{"new", "-o", "x.fnt", "--smoothing", "5"}, "--smoothing"},
      {{"new", "-o", "x.fnt", "--width", "100"}, "--width"},
      {{"export", "-o", "x", "--height", "1024"}, "--height"},
      {{"new", "-o", "x.fnt", "--borders", "1,2,3"}, "--borders"},
      {{"new", "-o", "x.fnt", "--borders", "0,0,0,17"}, "--borders"},
      {{"new", "-o", "x.fnt", "--borders", "0,-1,0,0"}, "--borders"},
      {{"new", "-o", "x.fnt", "--chars", "a\xE4\xB8\xAD"}, "U+4E2D"},
      {{"new", "-o", "x.fnt", "--italic=yes"}, "--italic"},
      {{"new", "-o", "x.fnt", "--size"}, "--size"},
      {{"new", "--size", "12"}, "-o"},
      {{"export", "a.fnt", "b.fnt", "-o", "x"}, "b.fnt"},
      {{"show"}, "show"},
      {{"show", "a.fnt", "--size", "12"}, "--size"},
      {{"fonts", "extra"}, "extra"},
      {{"draw"}, "draw"},
      {{}, "command"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCli(folder.Path(), c.args);
    std::string joined;
    for (const std::string& arg : c.args) joined += arg + " ";
    EXPECT_EQ(run.exitCode, 2) << joined;
    EXPECT_NE(run.err.find(c.named), std::string::npos) << joined << ": " << run.err;
    EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
  }
  EXPECT_TRUE(folder.Entries().empty());

  const CliRun help = RunCli(folder.Path(), {"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("glyphsheet-cli export [PROJECT.fnt] [settings] -o NAME"),
            std::string::npos);
  const CliRun version = RunCli(folder.Path(), {"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("glyphsheet-cli ", 0), 0u);
}

TEST(Cli, MissingTypefacesAndCharacterFiles) {
  TempFolder folder;
  ProjectData p;
  p.faceName = "No Such Face";
  p.glyphs.resize(1);
  p.glyphs[0].code = 'A';
  ASSERT_TRUE(WriteProjectFile(folder / "gone.fnt", p));

  const CliRun gone = RunCli(folder.Path(), {"export", "gone.fnt", "-o", "x"});
  EXPECT_EQ(gone.exitCode, 1);
  EXPECT_NE(gone.err.find("No Such Face"), std::string::npos) << gone.err;
  const CliRun replaced =
      RunCli(folder.Path(), {"export", "gone.fnt", "--face", "DejaVu Serif", "-o", "x"});
  EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
  EXPECT_NE(replaced.out.find("1 glyph"), std::string::npos) << replaced.out;
  const CliRun unknown = RunCli(folder.Path(), {"new", "-o", "n.fnt", "--face", "Nope Sans"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.err.find("Nope Sans"), std::string::npos) << unknown.err;

  const std::string text = "ab\r\nc\xC3\xA9\n";
  PutFile(folder / "chars.txt", std::vector<uint8_t>(text.begin(), text.end()));
  const CliRun fromFile =
      RunCli(folder.Path(), {"new", "-o", "c.fnt", "--chars", "b", "--chars-file", "chars.txt"});
  ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
  const auto added = ReadProjectFile(folder / "c.fnt");
  ASSERT_TRUE(added) << added.error();
  EXPECT_EQ(Codes(added.value()), (std::vector<int>{'b', 'a', 'c', 233}));

  const std::string wide = "x\xE2\x86\x92y";  // U+2192 has no Windows-1252 byte
  PutFile(folder / "wide.txt", std::vector<uint8_t>(wide.begin(), wide.end()));
  const CliRun rejected = RunCli(folder.Path(), {"new", "-o", "w.fnt", "--chars-file", "wide.txt"});
  EXPECT_EQ(rejected.exitCode, 1);
  EXPECT_NE(rejected.err.find("\xE2\x86\x92"), std::string::npos) << rejected.err;
  const CliRun missing = RunCli(folder.Path(), {"new", "-o", "w.fnt", "--chars-file", "none.txt"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("none.txt"), std::string::npos) << missing.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "w.fnt"));
}

TEST(Cli, WarnsWithTheCountOfCellsThatDoNotFitTheSheet) {
  TempFolder folder;
  const CliRun run = RunCli(folder.Path(), {"export", "--face", "DejaVu Sans", "--size", "40",
                                            "--width", "64", "--height", "64", "--chars",
                                            "ABCDEFGH", "-o", "big"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  int off = 0;
  for (const DescriptorEntry& cell : ReadDescriptor(FileText(folder / "big.xml"))) {
    if (cell.y + cell.height > 64 || cell.x + cell.width > 64) ++off;
  }
  ASSERT_GT(off, 0);
  EXPECT_NE(run.err.find("warning: " + std::to_string(off) + " of 8 glyphs"), std::string::npos)
      << run.err;

  const CliRun fits = RunCli(folder.Path(), {"export", "--chars", "AB", "-o", "small"});
  ASSERT_EQ(fits.exitCode, 0);
  EXPECT_EQ(fits.err, "");
}

TEST(Cli, TheExampleProjectFitsItsSheet) {
  TempFolder folder;
  const std::string example = std::string(GLYPHSHEET_EXAMPLES) + "/ascii.fnt";
  const CliRun run = RunCli(folder.Path(), {"export", example, "-o", "ascii"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "wrote ascii.tga and ascii.xml: 256 x 256 sheet, 95 glyphs\n");
  const std::vector<DescriptorEntry> cells = ReadDescriptor(FileText(folder / "ascii.xml"));
  ASSERT_EQ(cells.size(), 95u);
  for (size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(cells[i].id, static_cast<int>(32 + i));
    EXPECT_LE(cells[i].y + cells[i].height, 256) << cells[i].id;
  }
}

}  // namespace
}  // namespace glyphsheet
