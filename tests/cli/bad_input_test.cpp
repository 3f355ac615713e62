#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <iostream>

#include "support/descriptor_reader.h"
#include "cli_runner.h"
#include "files/project_file.h"

namespace glyphsheet {
namespace {

namespace fs = std::filesystem;
using testing::CliLimits;
using testing::CliRun;
using testing::DescriptorEntry;
using testing::FileBytes;
using testing::FileText;
using testing::Lines;
using testing::PutFile;
using testing::ReadDescriptor;
using testing::RunCli;
using testing::Snapshot;
using testing::TempFolder;

using namespace std::string_literals;
using Files = std::map<std::string, std::vector<uint8_t>>;

// Offsets in the valid project below (face "DejaVu Sans", glyphs A and B).
constexpr size_t kNameLength = 44;
constexpr size_t kGlyphCount = 60;
constexpr size_t kFirstLeftBorder = 65;

std::vector<uint8_t> WithInt32(std::vector<uint8_t> bytes, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + i) = uint8_t(uint32_t(value) >> (8 * i));
  return bytes;
}

// The valid project, and an export that sits in out/ as old.tga and old.xml
// before every row; made once.
struct Fixture {
  std::vector<uint8_t> good;
  ProjectData goodData;
  std::vector<uint8_t> oldImage;
  std::string oldDescriptor;
};

Fixture MakeFixture() {
  TempFolder folder;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"new", "-o", "good.fnt", "--face", "DejaVu Sans", "--chars", "AB"},
        {"export", "--width", "64", "--height", "64", "--chars", "xyz", "-o", "old"}}) {
    EXPECT_EQ(RunCli(folder.Path(), args).exitCode, 0) << args[0];
  }
  return {FileBytes(folder / "good.fnt"), ReadProjectFile(folder / "good.fnt").value(),
          FileBytes(folder / "old.tga"), FileText(folder / "old.xml")};
}

using SetUp = std::function<void(const fs::path&)>;
using Check = std::function<void(const fs::path&, const CliRun&)>;

// One way in: what the row puts into the work folder, the command run there,
// and how it must end. A failing row names in fragments what its one stderr
// line must contain; a row without fragments must print nothing to stderr.
// A successful row may add the files in `creates`; nothing else may change.
struct Row {
  std::string name;
  SetUp setUp;
  std::vector<std::string> args;
  int exitCode;
  std::vector<std::string> fragments;
  std::vector<std::string> creates;
  CliLimits limits;
  Check check;  // further checks of what the run wrote or printed
};

Row Fails(std::string name, SetUp setUp, std::vector<std::string> args,
          std::vector<std::string> fragments, int exitCode = 1, CliLimits limits = {}) {
  return {std::move(name), std::move(setUp), std::move(args), exitCode, std::move(fragments), {},
          limits, {}};
}

// A warning, if given, is the row's one stderr line.
Row Works(std::string name, SetUp setUp, std::vector<std::string> args,
          std::vector<std::string> creates, Check check, std::vector<std::string> warning = {}) {
  return {std::move(name), std::move(setUp), std::move(args), 0, std::move(warning),
          std::move(creates), {}, std::move(check)};
}

constexpr char kFifoWords[] = "it is a named pipe (FIFO), not a regular file";

SetUp Fifo(std::string name) {
  return [name](const fs::path& dir) { ASSERT_EQ(::mkfifo((dir / name).c_str(), 0644), 0); };
}

SetUp Both(SetUp first, SetUp second) {
  return [first, second](const fs::path& dir) {
    first(dir);
    second(dir);
  };
}

SetUp Project(std::vector<uint8_t> bytes) {
  return [bytes = std::move(bytes)](const fs::path& dir) { PutFile(dir / "in.fnt", bytes); };
}

// The first glyph's own left border of 2^31 - 1 saturates its cell width.
void CheckSaturatedCell(const fs::path& dir, const CliRun&) {
  const std::vector<DescriptorEntry> cells = ReadDescriptor(FileText(dir / "out/new.xml"));
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(std::tuple(cells[0].width, cells[0].b), std::tuple(INT32_MAX, INT32_MAX));
}

void CheckNoGlyphs(const fs::path& dir, const CliRun& run) {
  EXPECT_EQ(FileText(dir / "out/new.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<font>\n</font>\n");
  EXPECT_NE(run.out.find("0 glyphs"), std::string::npos) << run.out;
}

std::vector<Row> MakeRows(const Fixture& f) {
  const std::vector<std::string> exportOverOld = {"export", "in.fnt", "-o", "out/old"};
  const std::vector<std::string> exportNew = {"export", "in.fnt", "-o", "out/new"};
  const std::vector<std::string> created = {"out/new.tga", "out/new.xml"};
  const std::vector<uint8_t>& good = f.good;
  auto named = [&f](std::string face) {
    ProjectData p = f.goodData;
    p.font.faceName = std::move(face);
    return EncodeProject(p);
  };
  // Not UTF-8 (E0 and FF), a terminal escape, a line feed and a C1 CSI.
  const std::string oddFace = "Dej\xE0Vu\xFF\x1B[2J\n\xC2\x9B";
  const std::string oddShown = "\"Dej\\xE0Vu\\xFF\\x1B[2J\\x0A\\xC2\\x9B\"";

  // A project the reader refuses: the export over the old files names it and what is wrong.
  const auto refused = [&exportOverOld](std::string name, std::vector<uint8_t> bytes,
                                        std::string what) {
    return Fails(std::move(name), Project(std::move(bytes)), exportOverOld, {"\"in.fnt\"", what});
  };
  const auto at = [&good](size_t offset, int32_t value) { return WithInt32(good, offset, value); };
  const std::string warning = "warning: 1 of 2 glyphs do not lie wholly on the sheet";
  const std::string longName(255, 'x');
  const std::string serif = std::string(GLYPHSHEET_TEST_FONT_DIR) + "/DejaVuSerif.ttf";
  std::vector<Row> rows;
  for (size_t length = 0; length < good.size(); ++length) {
    rows.push_back(refused("cut to " + std::to_string(length) + " bytes",
                           {good.begin(), good.begin() + length}, "truncated"));
  }
  rows.insert(rows.end(), {
      refused("name length -1", at(kNameLength, -1), "face name length -1 is outside 0..255"),
      Works("name length 255, face replaced", Project(named(longName)),
            {"export", "in.fnt", "--face", "DejaVu Sans", "-o", "out/new"}, created, {}),
      Fails("name length 255, face not installed", Project(named(longName)), exportOverOld,
            {"\"in.fnt\": typeface \"" + longName +
             "\" is not installed; choose another with --face"}),
      refused("name length 256", named(std::string(256, 'x')),
              "face name length 256 is outside 0..255"),
      Works("glyph count -1", Project(at(kGlyphCount, -1)), exportNew, created, CheckNoGlyphs),
      refused("glyph count one more than held", at(kGlyphCount, 3), "glyph count 3 needs 27 bytes"),
      refused("glyph count 2^31-1", at(kGlyphCount, INT32_MAX), "glyph count 2147483647"),
      refused("sheet height -1", at(4, -1), "sheet height -1 is outside 1..65535"),
      refused("sheet width 65536", at(0, 65536), "sheet width 65536 is outside 1..65535"),
      Works("glyph border 2^31-1", Project(at(kFirstLeftBorder, INT32_MAX)), exportNew, created,
            CheckSaturatedCell, {warning}),
      Works("face not UTF-8, show", Project(named(oddFace)), {"show", "in.fnt"}, {},
            [oddShown](const fs::path&, const CliRun& run) {
              EXPECT_NE(run.out.find("\nface:       " + oddShown + "\n"), std::string::npos)
                  << run.out;
            }),
      Fails("face not UTF-8, export", Project(named(oddFace)), exportOverOld,
            {"\"in.fnt\"", oddShown, "--face"}),
      Fails("face option not installed", {}, {"export", "--face", "Nope Sans", "-o", "out/old"},
            {"\"Nope Sans\" is not installed"}),
      Fails("character file with a control character",
            [](const fs::path& d) { PutFile(d / "tab.txt", {'x', '\t', 0xE2, 0x86, 0x92, 'y'}); },
            {"export", "--chars-file", "tab.txt", "-o", "out/old"},
            {"\"tab.txt\": not a character a sheet can hold: U+0009 (a control character)"}),
      Works("character file with a byte-order mark", [](const fs::path& d) {
              PutFile(d / "bom.txt", {0xEF, 0xBB, 0xBF, 'A', 'B', '\r', '\n'});
            },
            {"new", "--chars-file", "bom.txt", "-o", "out/new.fnt"}, {"out/new.fnt"},
            [](const fs::path& dir, const CliRun&) {
              EXPECT_EQ(ReadProjectFile(dir / "out/new.fnt").value().glyphs.size(), 2u);
            }),
      Fails("binary character file",
            [](const fs::path& d) { PutFile(d / "bin.txt", {'A', 0xFF, 0xFE, 0, 'B'}); },
            {"export", "--chars-file", "bin.txt", "-o", "out/old"},
            {"\"bin.txt\": invalid UTF-8 at byte 1"}),
      Works("output name with a line feed", Project(good), {"export", "in.fnt", "-o", "out/a\nb"},
            {"out/a\nb.tga", "out/a\nb.xml"},
            [](const fs::path&, const CliRun& run) {
              EXPECT_EQ(run.out, "wrote out/a\\x0Ab.tga and out/a\\x0Ab.xml: 256 x 256 sheet, 2 glyphs\n");
            }),
      Works("the example project fits its sheet", {},
            {"export", std::string(GLYPHSHEET_EXAMPLES) + "/ascii.fnt", "-o", "out/new"}, created,
            [](const fs::path& dir, const CliRun& run) {
              EXPECT_EQ(run.out, "wrote out/new.tga and out/new.xml: 256 x 256 sheet, 95 glyphs\n");
              const std::vector<DescriptorEntry> cells = ReadDescriptor(FileText(dir / "out/new.xml"));
              ASSERT_EQ(cells.size(), 95u);
              for (size_t i = 0; i < 95; ++i) EXPECT_EQ(cells[i].id, static_cast<int>(32 + i));
            }),
      // A font file that is not installed: its family is the typeface, and
      // the sheet is the one of the installed copy.
      Works("font file", {}, {"export", "--font-file", serif, "--chars", "AB", "-o", "out/new"},
            created,
            [](const fs::path& dir, const CliRun&) {
              TempFolder other;
              ASSERT_EQ(RunCli(other.Path(), {"export", "--face", "DejaVu Serif", "--chars", "AB",
                                              "-o", "x"}).exitCode, 0);
              EXPECT_EQ(FileBytes(dir / "out/new.tga"), FileBytes(other / "x.tga"));
              EXPECT_EQ(FileText(dir / "out/new.xml"), FileText(other / "x.xml"));
            }),
      // The project keeps the font file, and an export of it from elsewhere uses it.
      Works("font file, new", {}, {"new", "--font-file", serif, "-o", "out/new.fnt"},
            {"out/new.fnt"},
            [serif](const fs::path& dir, const CliRun&) {
              const ProjectData made = ReadProjectFile(dir / "out/new.fnt").value();
              EXPECT_EQ(std::tuple(made.font.faceName, made.fontFile),
                        std::tuple("DejaVu Serif"s, fs::absolute(serif).lexically_normal().string()));
              const CliRun shown = RunCli(dir / "out", {"show", "new.fnt"});
              EXPECT_NE(shown.out.find("font file:  \"" + made.fontFile + "\" (face 0)"),
                        std::string::npos) << shown.out;
            }),
      Fails("font file missing", {}, {"export", "--font-file", "none.ttf", "-o", "out/old"},
            {"\"none.ttf\"", "cannot open resource"}),
      Fails("font file not a font", Project(good), {"export", "--font-file", "in.fnt", "-o", "out/old"},
            {"\"in.fnt\"", "unknown file format"}),
      Fails("font file face index out of range", {},
            {"export", "--font-file", serif, "--face-index", "1", "-o", "out/old"},
            {"holds 1 face(s); there is no face 1"}),
      Fails("missing project, export", {}, {"export", "none.fnt", "-o", "out/old"},
            {"\"none.fnt\"", "No such file or directory"}),
      Fails("folder as project", [](const fs::path& d) { fs::create_directory(d / "adir.fnt"); },
            {"export", "adir.fnt", "-o", "out/old"},
            {"\"adir.fnt\"", "it is a folder, not a regular file"}),
      // Inputs that are not regular files are refused at once, never waited on.
      Fails("FIFO as project", Fifo("in.fnt"), exportOverOld, {"\"in.fnt\"", kFifoWords}),
      Fails("FIFO as font file", Fifo("f.ttf"), {"export", "--font-file", "f.ttf", "-o", "out/old"},
            {"\"f.ttf\"", kFifoWords}),
      Fails("FIFO as character file", Fifo("c.txt"),
            {"export", "--chars-file", "c.txt", "-o", "out/old"}, {"\"c.txt\"", kFifoWords}),
      // Outputs too: nothing is written in place of a FIFO, a device or a
      // folder, nor through a link to one.
      Fails("FIFO as page image", Both(Project(good), Fifo("out/new.png")),
            {"export", "in.fnt", "--format", "bmfont-text", "-o", "out/new"},
            {"\"out/new.png\"", kFifoWords}),
      Fails("FIFO as BMFont descriptor", Both(Project(good), Fifo("out/new.fnt")),
            {"export", "in.fnt", "--format", "bmfont-binary", "-o", "out/new"},
            {"\"out/new.fnt\"", kFifoWords}),
      Fails("link to a device as preview",
            [](const fs::path& d) { fs::create_symlink("/dev/null", d / "out/shown.png"); },
            {"preview", "--chars", "A", "--text", "A", "-o", "out/shown.png"},
            {"\"out/shown.png\"", "it is a character device, not a regular file"}),
      // Opens for every user, root included, but reading offset 0 fails.
      Fails("unreadable project, export", {}, {"export", "/proc/self/mem", "-o", "out/old"},
            {"\"/proc/self/mem\"", "Input/output error"}),
      Fails("device as project", {}, {"show", "/dev/zero"},
            {"\"/dev/zero\"", "it is a character device, not a regular file"}),
      Fails("output folder missing", Project(good), {"export", "in.fnt", "-o", "nodir/x"},
            {"\"nodir/x.tga\"", "No such file or directory"}),
      Fails("output image is a folder",
            [good](const fs::path& dir) {
              PutFile(dir / "in.fnt", good);
              fs::create_directory(dir / "out/new.tga");
            },
            exportNew, {"\"out/new.tga\"", "it is a folder, not a regular file"}),
      // The image could be written; it must not replace the old one while
      // the descriptor cannot be written.
      Fails("output descriptor is a folder",
            [good](const fs::path& dir) {
              PutFile(dir / "in.fnt", good);
              fs::remove(dir / "out/old.xml");
              fs::create_directory(dir / "out/old.xml");
            },
            exportOverOld, {"\"out/old.xml\"", "it is a folder, not a regular file"}),
      // 256 x 256 is 262162 bytes; the limit cuts the image short.
      Fails("write cut short", Project(good), exportOverOld, {"\"out/old.tga\"", "File too large"},
            1, CliLimits{.fileSize = 100000}),
  });
  // A device node in the folder itself can be made only by root.
  if (::geteuid() == 0) {
    rows.push_back(Fails(
        "device node as preview",
        [](const fs::path& d) { ASSERT_EQ(::mknod((d / "out/node").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0); },
        {"preview", "--chars", "A", "--text", "A", "-o", "out/node"},
        {"\"out/node\"", "it is a character device, not a regular file"}));
  } else {
    std::cout << "not root: the row with a device node made by mknod is skipped "
                 "(the link to /dev/null stands in for it)\n";
  }
  return rows;
}

void CheckOneLine(const Row& row, const CliRun& run) {
  if (row.fragments.empty()) {
    EXPECT_EQ(run.err, "");
    return;
  }
  const std::vector<std::string> lines = Lines(run.err);
  ASSERT_EQ(lines.size(), 1u) << run.err;
  EXPECT_EQ(run.err.back(), '\n');
  for (const std::string& fragment : row.fragments) {
    EXPECT_NE(lines[0].find(fragment), std::string::npos) << "wanted: " << fragment;
  }
  for (unsigned char c : lines[0]) EXPECT_GE(c, 0x20) << "a control byte on the line";
}

TEST(CliBadInput, EveryWayInFailsCleanlyOrIsHeldToItsRange) {
  const Fixture f = MakeFixture();
  ASSERT_EQ(f.good.size(), 82u);
  ASSERT_FALSE(::testing::Test::HasFailure());
  for (const Row& row : MakeRows(f)) {
    SCOPED_TRACE(row.name);
    TempFolder work;
    fs::create_directory(work / "out");
    PutFile(work / "out/old.tga", f.oldImage);
    PutFile(work / "out/old.xml", {f.oldDescriptor.begin(), f.oldDescriptor.end()});
    if (row.setUp) row.setUp(work.Path());
    const Files before = Snapshot(work.Path());

    const CliRun run = RunCli(work.Path(), row.args, row.limits);

    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
    CheckOneLine(row, run);
    if (row.exitCode != 0) {
      EXPECT_EQ(run.out, "");
    }
    Files after = Snapshot(work.Path());
    for (const std::string& name : row.creates) {
      EXPECT_TRUE(after.contains(name)) << name;
      after.erase(name);
    }
    for (const auto& [name, bytes] : before) {
      EXPECT_TRUE(after.contains(name) && after.at(name) == bytes) << name << " changed or gone";
    }
    for (const auto& [name, bytes] : after) EXPECT_TRUE(before.contains(name)) << name << " is new";
    if (row.check) row.check(work.Path(), run);
  }
}

}  // namespace
}  // namespace glyphsheet
