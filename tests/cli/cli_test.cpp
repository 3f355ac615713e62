#include <gtest/gtest.h>
#include <strings.h>
#include <sys/mount.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <tuple>

#include "cli_runner.h"
#include "files/project_file.h"
#include "support/descriptor_reader.h"

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
  for (const Glyph g : project.glyphs) codes.push_back(g.code);
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
  // Later settings win, characters come in command-line order, "-o=" joins its value.
  const std::vector<std::string> args = {
      "new", "-o=p.fnt", "--face", "dejavu sans", "--size=13", "--size=14", "--weight", "700",
      "--antialiased", "--aliased", "--smoothing", "2", "--italic", "--width", "128", "--height",
      "64", "--borders", "1,0,2,3", "--chars", "AB\xE2\x82\xAC", "--chars-file", "chars.txt",
      "--chars", "B!"};
  const CliRun missing = RunCli(folder.Path(), args);
  EXPECT_EQ(missing.exitCode, 1);  // chars.txt is missing: nothing is written
  EXPECT_NE(missing.err.find("\"chars.txt\""), std::string::npos) << missing.err;
  EXPECT_TRUE(folder.Entries().empty());
  const std::string text = "\xC3\xA9" "A\r\n";
  PutFile(folder / "chars.txt", std::vector<uint8_t>(text.begin(), text.end()));
  const CliRun made = RunCli(folder.Path(), args);
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(made.err, "");
  auto project = ReadProjectFile(folder / "p.fnt");
  ASSERT_TRUE(project) << project.error();
  const ProjectData& p = project.value();
  const FontSettings& f = p.font;
  const CellBorders& b = p.borders;
  EXPECT_EQ(std::tuple(f.faceName, f.pointSize, f.weight, f.quality, f.smoothing, f.italic,
                       p.sheetWidth, p.sheetHeight, b.left, b.top, b.right, b.bottom),
            std::tuple("DejaVu Sans"s, 14, 700, 3, 2, 1, 128, 64, 1, 0, 2, 3));
  EXPECT_EQ(Codes(p), (std::vector<int>{'A', 'B', 0x20AC, 233, '!'}));

  const CliRun shown = RunCli(folder.Path(), {"show", "p.fnt"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  for (const char* wanted : {"sheet size: 128 x 64", "face:       \"DejaVu Sans\"",
                             "left 1, top 0, right 2, bottom 3", "weight:     700",
                             "quality:    3 (aliased)", "glyphs:     5", "U+20AC \xE2\x82\xAC",
                             "U+00E9 \xC3\xA9"}) {
    EXPECT_NE(shown.out.find(wanted), std::string::npos) << wanted << "\n" << shown.out;
  }

  std::filesystem::create_directory(folder / "out");
  const CliRun exported = RunCli(folder.Path(), {"export", "p.fnt", "-o", "out/sheet.png"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.out, "wrote out/sheet.tga and out/sheet.xml: 128 x 64 sheet, 5 glyphs\n");
  EXPECT_EQ(exported.err, "");
  const std::vector<uint8_t> image = FileBytes(folder / "out" / "sheet.tga");
  ASSERT_EQ(image.size(), 18u + 128 * 64 * 4);
  const std::vector<DescriptorEntry> cells = ReadDescriptor(FileText(folder / "out" / "sheet.xml"));
  ASSERT_EQ(cells.size(), 5u);
  EXPECT_EQ(cells[3].id, 233);
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"chars.txt", "out", "p.fnt"}));
}

// The default typeface is fontconfig's "sans-serif": DejaVu Sans here.
TEST(Cli, ExportWithoutProjectUsesTheStartUpDefaultsAndSettingsOverrideAProject) {
  TempFolder folder;
  ASSERT_EQ(RunCli(folder.Path(), {"export", "--chars", "x", "-o", "plain"}).exitCode, 0);
  const CliRun spelled = RunCli(
      folder.Path(), {"export", "--chars", "x", "--face", "DejaVu Sans", "--size", "11", "--weight",
                      "400", "--antialiased", "--smoothing", "1", "--upright", "--width", "256",
                      "--height", "256", "--borders", "0,0,0,0", "-o", "spelled"});
  ASSERT_EQ(spelled.exitCode, 0) << spelled.err;
  EXPECT_EQ(FileBytes(folder / "plain.tga").size(), 18u + 256 * 256 * 4);
  EXPECT_EQ(FileBytes(folder / "plain.tga"), FileBytes(folder / "spelled.tga"));
  EXPECT_EQ(FileText(folder / "plain.xml"), FileText(folder / "spelled.xml"));

  ASSERT_EQ(RunCli(folder.Path(), {"new", "-o", "p.fnt", "--size=30", "--chars", "ab"}).exitCode, 0);
  const CliRun over = RunCli(folder.Path(), {"export", "p.fnt", "--width", "64", "--size", "11",
                                             "--chars", "x", "-o", "over"});
  ASSERT_EQ(over.exitCode, 0) << over.err;
  EXPECT_EQ(FileBytes(folder / "over.tga").size(), 18u + 64 * 256 * 4);
  const std::vector<DescriptorEntry> cells = ReadDescriptor(FileText(folder / "over.xml"));
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[2].id, 'x');
  EXPECT_EQ(cells[2].height, ReadDescriptor(FileText(folder / "plain.xml")).at(0).height);
}

// The parser's verdicts are tested in-process (cli_options_test.cpp); here
// a few of them end to end, and the characters the commands decode.
TEST(Cli, WrongUsageEndsWithStatusTwoNamingTheOption) {
  TempFolder folder;
  const struct {
    std::vector<std::string> args;
    const char* named;
  } cases[] = {
      {{"new", "-o", "x.fnt", "--size", "4"}, "--size"},
      {{"new", "x.fnt", "-o", "y.fnt"}, "x.fnt"},
      {{"new", "--size", "12"}, "--output"},
      {{"new", "-o", "x.fnt", "--chars", "a\t"}, "--chars: not a character a sheet can hold: U+0009 (a control character)"},
      {{"new", "-o", "x.fnt", "--chars", "A\xFF" "B"}, "--chars: invalid UTF-8 at byte 1"},
      {{"new", "-o", "x.fnt", "--chars", "\xEF\xB7\x90\xEF\xB7\x91\xEF\xB7\x92\xEF\xB7\x93"
                                         "\xEF\xB7\x94\xEF\xB7\x95\xEF\xB7\x96\xEF\xB7\x97"
                                         "\xEF\xB7\x98\xEF\xB7\x99\xEF\xB7\x9A\xEF\xB7\x9B"},
       "U+FDD9 (a noncharacter) and 2 more"},
      {{"preview", "--text", "A\xFF", "-o", "x.png"}, "--text: invalid UTF-8 at byte 1"},
      {{}, "no command given"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(folder.Path(), c.args);
    EXPECT_EQ(run.exitCode, 2) << c.named;
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("glyphsheet-cli: ", 0), 0u) << run.err;
    EXPECT_TRUE(run.err.ends_with(" (glyphsheet-cli --help shows the usage)\n")) << run.err;
  }
  EXPECT_TRUE(folder.Entries().empty());

  // The help is made from the option table: every setting with its range.
  const CliRun help = RunCli(folder.Path(), {"export", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* wanted : {"--size N", "5..100", "--smoothing N", "1..4", "0..16",
                             "400, 600, 700", "64, 128, 256, 512", "--chars-file FILE",
                             "glyphsheet-cli export [PROJECT.fnt] [settings] -o NAME"}) {
    EXPECT_NE(help.out.find(wanted), std::string::npos) << wanted << "\n" << help.out;
  }
  for (const char* word : {"--help", "-h", "help"}) {
    const CliRun top = RunCli(folder.Path(), {word});
    EXPECT_EQ(top.exitCode, 0) << word;
    EXPECT_NE(top.out.find("glyphsheet-cli show PROJECT.fnt"), std::string::npos) << top.out;
  }
  const CliRun version = RunCli(folder.Path(), {"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("glyphsheet-cli ", 0), 0u);
}

// The BMFont formats write a PNG page and a descriptor beside it; a text or
// binary NAME.fnt never replaces a project unless forced, and is then named
// as a descriptor by show; preview writes a PNG of the text and names what
// it skipped.
TEST(Cli, BmFontFormatsAndThePreviewWriteTheirFiles) {
  TempFolder folder;
  ASSERT_EQ(RunCli(folder.Path(), {"new", "-o", "p.fnt", "--chars", "AVTo"}).exitCode, 0);
  const std::vector<uint8_t> project = FileBytes(folder / "p.fnt");
  const struct { const char* format; const char* written; } cases[] = {
      {"bmfont-text", "t.png and t.fnt"}, {"bmfont-xml", "t.png and t.xml"},
      {"bmfont-binary", "b.png and b.fnt"}, {"bmfont-json", "t.png and t.json"}};
  for (const auto& c : cases) {
    const std::string name = std::string(c.written).substr(0, 1);
    const CliRun run = RunCli(folder.Path(), {"export", "p.fnt", "--format", c.format, "-o", name});
    EXPECT_EQ(run.exitCode, 0) << c.format << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find(':')), "wrote "s + c.written);
  }
  EXPECT_EQ(FileText(folder / "t.fnt").substr(0, 23), "info face=\"DejaVu Sans\"");
  EXPECT_EQ(FileText(folder / "b.fnt").substr(0, 4), "BMF\x03");
  EXPECT_NE(FileText(folder / "t.fnt").find("kerning first=65 second=86 amount=-"), std::string::npos);
  const CliRun plain = RunCli(folder.Path(), {"export", "p.fnt", "--format", "bmfont-text",
                                              "--kerning", "off", "-o", "t"});
  EXPECT_NE(FileText(folder / "t.fnt").find("kernings count=0"), std::string::npos) << plain.err;

  const CliRun refused = RunCli(folder.Path(), {"export", "p.fnt", "--format", "bmfont-binary", "-o", "p"});
  EXPECT_EQ(std::tuple(refused.exitCode, refused.err),
            std::tuple(1, "glyphsheet-cli: cannot write \"p.fnt\": it is a GlyphSheet project, "
                          "which an export does not replace (--force replaces it)\n"s));
  EXPECT_EQ(FileBytes(folder / "p.fnt"), project);
  // A page file the descriptor cannot name exactly is refused, naming the
  // character, before any file (hidden ones too) is made.
  const std::set<std::string> before = folder.Entries();
  const CliRun quoted =
      RunCli(folder.Path(), {"export", "p.fnt", "--format", "bmfont-text", "-o", "a\"b"});
  EXPECT_EQ(std::tuple(quoted.exitCode, quoted.err),
            std::tuple(1, "glyphsheet-cli: cannot write \"a\"b.fnt\": the descriptor cannot name "
                          "the page file \"a\"b.png\": U+0022 \" (a double quote) cannot stand in "
                          "the text form's quoted value\n"s));
  EXPECT_EQ(folder.Entries(), before);
  EXPECT_EQ(RunCli(folder.Path(), {"export", "p.fnt", "--format", "bmfont-text", "--force", "-o", "p"})
                .exitCode, 0);
  EXPECT_NE(FileBytes(folder / "p.fnt"), project);
  // The descriptor now there is named for what it is.
  const CliRun shown = RunCli(folder.Path(), {"show", "p.fnt"});
  EXPECT_EQ(std::tuple(shown.exitCode, shown.err),
            std::tuple(1, "glyphsheet-cli: cannot load \"p.fnt\": it is a BMFont descriptor, not a "
                          "GlyphSheet project\n"s));

  const CliRun preview = RunCli(folder.Path(), {"preview", "--chars", "AVTo", "--text", "AVxTo",
                                                "--scale", "2", "-o", "hello.png"});
  EXPECT_EQ(preview.exitCode, 0);
  EXPECT_EQ(preview.err, "glyphsheet-cli: warning: not on the sheet, so skipped: x\n");
  EXPECT_EQ(FileText(folder / "hello.png").substr(1, 3), "PNG");
  // A preview image too large to write is refused before it is drawn.
  std::string line;
  for (int i = 0; i < 60; ++i) line += "ABCDEFGHIJ";
  const CliRun huge = RunCli(folder.Path(), {"preview", "--chars", "ABCDEFGHIJ", "--text", line,
                                             "--scale", "16", "-o", "huge.png"});
  EXPECT_EQ(huge.exitCode, 1);
  EXPECT_EQ(huge.err.rfind("glyphsheet-cli: the preview image would be 65664 x 416 pixels", 0), 0u)
      << huge.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "huge.png"));
}

// A distance-field project keeps its spread, shows it, and exports cells
// grown by the spread on every side (offsets moved to match, advances kept)
// with the field record in each form that has one; the binary form, which
// has none, is refused before any file is made.
TEST(Cli, DistanceFieldSheetsCarryTheirRecordAndGrowTheirCells) {
  TempFolder folder;
  ASSERT_EQ(RunCli(folder.Path(), {"new", "-o", "f.fnt", "--chars", "Ol.", "--smoothing", "3",
                                   "--distance-field", "4"}).exitCode, 0);
  EXPECT_EQ(ReadProjectFile(folder / "f.fnt").value().font.distanceField, 4);
  const CliRun shown = RunCli(folder.Path(), {"show", "f.fnt"});
  EXPECT_NE(shown.out.find("\nfield:      signed distance, spread 4\n"), std::string::npos) << shown.out;
  const struct { const char* format; const char* file; const char* record; } forms[] = {
      {"bmfont-text", "f-t.fnt", "\ndistanceField fieldType=\"sdf\" distanceRange=8\npage id=0"},
      {"bmfont-xml", "f-x.xml", "\n  <distanceField fieldType=\"sdf\" distanceRange=\"8\"/>\n"},
      {"bmfont-json", "f-j.json", "\n  \"distanceField\": {\"fieldType\": \"sdf\", \"distanceRange\": 8},\n"}};
  for (const auto& form : forms) {
    const std::string name = std::string(form.file).substr(0, 3);
    ASSERT_EQ(RunCli(folder.Path(), {"export", "f.fnt", "--format", form.format, "-o", name}).exitCode, 0);
    EXPECT_NE(FileText(folder / form.file).find(form.record), std::string::npos) << FileText(folder / form.file);
  }
  ASSERT_EQ(RunCli(folder.Path(), {"export", "f.fnt", "--distance-field", "0", "--smoothing", "1",
                                   "--format", "bmfont-text", "-o", "c"}).exitCode, 0);
  const auto chars = [&folder](const char* file) {
    // id, width, height, xoffset, and yoffset × 1000 + xadvance
    std::vector<std::array<int, 5>> out;
    for (const std::string& line : Lines(FileText(folder / file))) {
      std::array<int, 5> c{};
      int x = 0, y = 0, advance = 0;
      if (std::sscanf(line.c_str(), "char id=%d x=%d y=%d width=%d height=%d xoffset=%d yoffset=%d xadvance=%d",
                      &c[0], &x, &y, &c[1], &c[2], &c[3], &c[4], &advance) == 8) {
        c[4] = c[4] * 1000 + advance;
        out.push_back(c);
      }
    }
    return out;
  };
  const auto field = chars("f-t.fnt"), plain = chars("c.fnt");
  ASSERT_EQ(field.size(), 3u);
  ASSERT_EQ(plain.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(field[i], (std::array<int, 5>{plain[i][0], plain[i][1] + 8, plain[i][2] + 8,
                                            plain[i][3] - 4, plain[i][4] - 4000}));
  }
  EXPECT_EQ(FileText(folder / "c.fnt").find("distanceField"), std::string::npos);
  const std::set<std::string> before = folder.Entries();
  const CliRun binary = RunCli(folder.Path(), {"export", "f.fnt", "--format", "bmfont-binary", "-o", "b"});
  EXPECT_EQ(std::tuple(binary.exitCode, binary.err),
            std::tuple(1, "glyphsheet-cli: the binary BMFont form has no record of a distance "
                          "field (use the text, XML or JSON form)\n"s));
  EXPECT_EQ(folder.Entries(), before);
  EXPECT_EQ(RunCli(folder.Path(), {"new", "-o", "g.fnt", "--distance-field", "33"}).exitCode, 2);
}

// Output that cannot be written (a full disk, a closed output) is one line on
// stderr and status 1, also after a command that worked.
TEST(Cli, OutputThatCannotBeWrittenIsReported) {
  TempFolder folder;
  for (const auto& [args, redirect, reason] :
       {std::tuple("fonts", "> /dev/full", "No space left on device"),
        std::tuple("--help", "> /dev/full", "No space left on device"),
        std::tuple("show " GLYPHSHEET_EXAMPLES "/ascii.fnt", ">&-", "Bad file descriptor"),
        std::tuple("export --chars A -o x", ">&-", "Bad file descriptor")}) {
    const std::string command = "cd '" + folder.Path().string() + "' && " GLYPHSHEET_CLI " " +
                                args + " " + redirect + " 2> err";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << args;
    EXPECT_EQ(FileText(folder / "err"), "glyphsheet-cli: cannot write the output: "s + reason + "\n");
  }
}

// A project larger than the memory a run may use is one clear line, not a
// crash or "std::bad_alloc". (AddressSanitizer needs more address space than
// any such limit leaves.)
// The room an export asks for is that of what it writes: a TGA's known size,
// a BMFont export's descriptor (a PNG's size is known only once written). On
// a file system of 1 MiB, a 512 x 512 BMFont export of a few KB goes through;
// the 1 MiB TGA is refused before it is written.
TEST(Cli, TheRoomAskedForIsThatOfTheFilesWritten) {
  TempFolder folder;
  const std::filesystem::path small = folder / "small";
  std::filesystem::create_directory(small);
  if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=1m") != 0) {
    GTEST_SKIP() << "cannot mount a 1 MiB file system here (" << std::strerror(errno)
                 << "): the room check is not tried";
  }
  const std::vector<std::string> chars = {"--face", "DejaVu Sans", "--chars", "ABC",
                                          "--width", "512", "--height", "512"};
  std::vector<std::string> bmfont = {"export", "--format", "bmfont-text", "-o", "small/b"};
  std::vector<std::string> tga = {"export", "-o", "small/t"};
  bmfont.insert(bmfont.begin() + 1, chars.begin(), chars.end());
  tga.insert(tga.begin() + 1, chars.begin(), chars.end());
  const CliRun pages = RunCli(folder.Path(), bmfont);
  const CliRun sheet = RunCli(folder.Path(), tga);
  const bool written = std::filesystem::exists(small / "b.png") && !std::filesystem::exists(small / "t.tga");
  ::umount(small.c_str());
  EXPECT_EQ(pages.exitCode, 0) << pages.err;
  EXPECT_TRUE(written);
  EXPECT_EQ(sheet.exitCode, 1);
  EXPECT_NE(sheet.err.find("\"small/t.tga\": it needs 1049106 bytes"), std::string::npos)
      << sheet.err;  // the header, 4 bytes a pixel, 128 per glyph and one more
}

TEST(Cli, RunningOutOfMemoryIsReportedAsSuch) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "address space limits do not work under AddressSanitizer";
#endif
  TempFolder folder;
  ProjectData many;
  many.font.faceName = "DejaVu Sans";
  // As many glyphs as a project may have, each with a border that needs all
  // nine bytes: more than the limit.
  for (int i = 0; i < 7'456'000; ++i) many.glyphs.push_back(Glyph{'A', 1000, 0});
  ASSERT_TRUE(WriteProjectFile(folder / "many.fnt", many));
  many.glyphs.clear();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"show", "many.fnt"}, {"export", "many.fnt", "-o", "m"}}) {
    const CliRun run =
        testing::CliProcess(folder.Path(), args, {.memory = rlim_t{64} << 20}).Wait();
    EXPECT_EQ(run.exitCode, 1) << args[0];
    EXPECT_EQ(run.err, "glyphsheet-cli: out of memory: the project or the sheet is too large "
                       "for the memory this run may use\n");
  }
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"many.fnt"});
}

// Exporting (or listing) a project of a million glyphs holds little more
// memory than one of two: the project is read, the glyphs kept and the
// descriptor and listing written a piece at a time.
TEST(Cli, MemoryHardlyGrowsWithTheGlyphCount) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer keeps freed memory resident";
#endif
  TempFolder folder;
  ProjectData project;
  project.font.faceName = "DejaVu Sans";
  for (int i = 0; i < 1'000'000; ++i) project.glyphs.push_back(Glyph{uint8_t(32 + i % 95)});
  ASSERT_TRUE(WriteProjectFile(folder / "many.fnt", project));
  project.glyphs = {Glyph{'A'}, Glyph{'B'}};
  ASSERT_TRUE(WriteProjectFile(folder / "two.fnt", project));
  for (const char* command : {"export", "show"}) {
    long resident[2] = {};
    for (int i = 0; const char* name : {"two", "many"}) {
      std::vector<std::string> args = {command, name + ".fnt"s};
      if (command == "export"s) args.insert(args.end(), {"-o", name});
      const CliRun run = RunCli(folder.Path(), args);
      ASSERT_EQ(run.exitCode, 0) << command << " " << name << ": " << run.err;
      resident[i++] = run.maxResidentKiB;
    }
    // A million glyphs take 3 MB; the descriptor alone would be 110 MB.
    EXPECT_LT(resident[1] - resident[0], 8 * 1024) << command;
  }
}

// An output that is a symbolic link is written through: the file it points
// to is replaced and the link stays; a link to a missing folder is refused.
TEST(Cli, LinkedOutputsAreWrittenThrough) {
  namespace fs = std::filesystem;
  TempFolder folder;
  fs::create_directories(folder / "real");
  fs::create_directories(folder / "out");
  PutFile(folder / "real/s.tga", {1, 2, 3});
  fs::create_symlink("../real/s.tga", folder / "out/s.tga");
  fs::create_symlink("../real/s.xml", folder / "out/s.xml");
  fs::create_symlink("nowhere/x.tga", folder / "out/d.tga");
  ASSERT_EQ(RunCli(folder.Path(), {"export", "--chars", "AB", "-o", "out/s"}).exitCode, 0);
  EXPECT_TRUE(fs::is_symlink(folder / "out/s.tga") && fs::is_symlink(folder / "out/s.xml"));
  EXPECT_EQ(FileBytes(folder / "real/s.tga").size(), 18u + 256 * 256 * 4);
  EXPECT_EQ(ReadDescriptor(FileText(folder / "real/s.xml")).size(), 2u);
  const CliRun dangling = RunCli(folder.Path(), {"export", "-o", "out/d"});
  EXPECT_EQ(dangling.exitCode, 1);
  EXPECT_NE(dangling.err.find("\"out/d.tga\": No such file or directory"), std::string::npos);
  EXPECT_TRUE(fs::is_symlink(folder / "out/d.tga"));
}

}  // namespace
}  // namespace glyphsheet
