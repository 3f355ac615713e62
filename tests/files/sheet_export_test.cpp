#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <optional>
#include <set>
#include <tuple>

#include "files/atomic_file.h"
#include "files/glyph_descriptor.h"
#include "files/sheet_export.h"
#include "files/sheet_image.h"
#include "files/sheet_tga.h"
#include "sheet/rebuild.h"
#include "support/fake_rasterizer.h"
#include "support/temp_folder.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeGlyph;
using testing::FileBytes;
using testing::TempFolder;

// The image: an 18-byte header (uncompressed true colour, 16-bit little-endian
// sides, 32 bits, rows from the top with 8 bits of alpha), then per pixel
// white with the coverage as alpha: the cells' ink, black cell pixels
// transparent, the gaps between cells and the unused sheet opaque, cells
// past column 512 drawn like any other. Sides the header cannot hold are refused naming the image,
// and the files of the last export stay as they were.
TEST(SheetExport, ImageIsWhiteWithTheCoverageAsAlpha) {
  TempFolder folder;
  SheetDocument doc;
  doc.sheetWidth = 600, doc.sheetHeight = 3;
  FakeFont font(3, FakeGlyph{{0, 1, 0}, 0, -1, 0x56});     // 'a': x 0, all rows
  font.Set('b', FakeGlyph{{0, 2, 0}, 1, 1, 0x80});         // x 2..3, row 1 only
  font.Set('c', FakeGlyph{{0, 1, 0}, 0, -1, 0x40});        // x 5..510, ink at 510
  for (const char code : {'a', 'b', 'c', 'd'}) doc.AddGlyph(static_cast<char32_t>(code));
  doc.glyphs.SetBorders(2, 505, 0);                        // 'd' then starts at 512
  LayOutSheet(doc, &font);
  const auto files = ExportSheetFiles(folder / "sheet.png", doc, &font);
  ASSERT_TRUE(files) << files.error();
  EXPECT_EQ(files.value().images, std::vector<std::filesystem::path>{folder / "sheet.tga"});
  const std::vector<uint8_t> bytes = FileBytes(folder / "sheet.tga");
  ASSERT_EQ(bytes.size(), 18u + 600 * 3 * 4);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 18),
            (std::vector<uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x58, 2, 3, 0, 32, 0x28}));
  const std::pair<std::pair<int32_t, int32_t>, uint8_t> alphas[] = {
      {{0, 0}, 0x56},   {{0, 2}, 0x56}, {{1, 0}, 0xFF},   {{2, 0}, 0},   {{2, 1}, 0x80},
      {{3, 1}, 0x80},   {{3, 2}, 0},    {{4, 1}, 0xFF},   {{5, 1}, 0},   {{509, 2}, 0},
      {{510, 1}, 0x40}, {{511, 0}, 0xFF}, {{512, 0}, 0x56}, {{513, 0}, 0xFF},
      {{599, 2}, 0xFF}};
  for (const auto& [at, alpha] : alphas) {
    EXPECT_EQ(bytes[18 + (at.second * 600 + at.first) * 4 + 3], alpha) << at.first << ", " << at.second;
  }
  for (size_t i = 18; i < bytes.size(); i += 4) {
    ASSERT_EQ(std::vector<uint8_t>(bytes.begin() + i, bytes.begin() + i + 3),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xFF})) << "byte " << i;
  }
  // A sheet the file system has no room for is refused before a byte is written.
  const auto room = CheckRoomFor(folder / "sheet.tga", uint64_t{1} << 62);
  ASSERT_FALSE(room);
  EXPECT_NE(room.error().find("\"" + (folder / "sheet.tga").string() + "\": it needs " +
                              std::to_string(uint64_t{1} << 62) + " bytes"),
            std::string::npos) << room.error();
  EXPECT_TRUE(CheckRoomFor(folder / "sheet.tga", 1));
  for (const auto& [w, h] : {std::pair{0, 64}, {64, -1}, {65536, 64}}) {
    doc.sheetWidth = w, doc.sheetHeight = h;
    const auto refused = ExportSheetFiles(folder / "sheet.png", doc, nullptr);
    ASSERT_FALSE(refused) << w << " x " << h;
    EXPECT_NE(refused.error().find("sheet.tga"), std::string::npos) << refused.error();
    EXPECT_EQ(FileBytes(folder / "sheet.tga"), bytes);
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"sheet.tga", "sheet.xml"}));
  }
}

// Factor 2, line height 30, borders left 2, top 5, right 1, bottom 6. Each
// cell is B / 2 plus its insets wide; the spacing is a = A / 2 - left inset,
// b = the cell width, c = C / 2 - right inset, division truncating toward zero
// and held to the 32-bit range (borders from a project file can be anything).
TEST(GlyphDescriptor, SpacingMovesTheBordersFromAAndCIntoB) {
  SheetDocument doc;
  doc.font.smoothing = 2;
  doc.borders = {2, 5, 1, 6};
  FakeFont font(30, FakeGlyph{{1, 8, 1}});
  font.Set(233, FakeGlyph{{3, 15, 2}});   // width 7 + 3 + 1, a 1 - 3, c 1 - 1
  font.Set('n', FakeGlyph{{-3, 7, -5}});  // width 3 + 2 + 3, a -1 - 2, c -2 - 3
  for (int code : {233, int{'n'}, 0}) doc.AddGlyph(static_cast<char32_t>(code));
  doc.glyphs.SetBorders(0, 1, 0);
  doc.glyphs.SetBorders(1, 0, 2);
  doc.glyphs.SetBorders(2, INT32_MAX, INT32_MIN);  // width 4 + (2^31 + 1) + (-2^31 + 1)
  LayOutSheet(doc, &font);
  TempFolder folder;
  ASSERT_TRUE(ExportSheetFiles(folder / "d", doc, &font));
  EXPECT_EQ(testing::FileText(folder / "d.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<font>\n"
            "\t<char id=\"233\" x=\"0\" y=\"0\" width=\"11\" height=\"26\" />\n"
            "\t<spacing id=\"233\" a=\"-2\" b=\"11\" c=\"0\" />\n"
            "\t<char id=\"110\" x=\"12\" y=\"0\" width=\"8\" height=\"26\" />\n"
            "\t<spacing id=\"110\" a=\"-3\" b=\"8\" c=\"-5\" />\n"
            "\t<char id=\"0\" x=\"21\" y=\"0\" width=\"6\" height=\"26\" />\n"
            "\t<spacing id=\"0\" a=\"-2147483648\" b=\"6\" c=\"2147483647\" />\n"
            "</font>\n");
}

// The pair is replaced as one. An export killed between its two renames
// leaves a mixed pair and its commit record; the next export to the name
// finishes that commit first (and says so). A second rename that fails puts
// the old image back.
TEST(SheetExport, APairIsReplacedAsOne) {
  TempFolder folder;
  SheetDocument docs[3];
  using Pair = std::pair<std::vector<uint8_t>, std::vector<uint8_t>>;
  std::vector<Pair> pairs;
  for (int i = 0; i < 3; ++i) {
    docs[i].sheetWidth = 64 << i;
    for (int g = 0; g < i; ++g) docs[i].glyphs.push_back(Glyph{});
    const std::string name = "made" + std::to_string(i);
    ASSERT_TRUE(ExportSheetFiles(folder / name, docs[i], nullptr));
    pairs.emplace_back(FileBytes(folder / (name + ".tga")), FileBytes(folder / (name + ".xml")));
  }
  const auto pairOf = [&folder] {
    return Pair(FileBytes(folder / "s.tga"), FileBytes(folder / "s.xml"));
  };
  ASSERT_TRUE(ExportSheetFiles(folder / "s", docs[0], nullptr));
  const pid_t child = ::fork();
  if (child == 0) {
    ExportObserver killAfterImage;
    killAfterImage.atStep = [](CommitStep step) {
      if (step == CommitStep::kImageReplaced) ::raise(SIGKILL);
    };
    (void)ExportSheetFiles(folder / "s", docs[1], nullptr, {}, killAfterImage);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(pairOf(), Pair(pairs[1].first, pairs[0].second)) << "killed between the renames";
  // An export to another name in the folder leaves the cut-short one's files.
  ASSERT_TRUE(ExportSheetFiles(folder / "other", docs[0], nullptr));

  std::vector<std::string> told;
  std::optional<Pair> beforeItsOwn;
  ExportObserver observer;
  observer.notify = [&told](const std::string& message) { told.push_back(message); };
  observer.atStep = [&](CommitStep step) {
    if (step == CommitStep::kRecordWritten) beforeItsOwn = pairOf();
  };
  ASSERT_TRUE(ExportSheetFiles(folder / "s", docs[2], nullptr, {}, observer));
  EXPECT_EQ(beforeItsOwn, pairs[1]) << "the cut-short export is finished first";
  EXPECT_EQ(pairOf(), pairs[2]);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("cut short"), std::string::npos) << told[0];

  ExportObserver blockDescriptor;
  blockDescriptor.atStep = [&folder](CommitStep step) {
    if (step != CommitStep::kImageReplaced) return;
    std::filesystem::remove(folder / "s.xml");
    std::filesystem::create_directories(folder / "s.xml" / "in the way");
  };
  const auto failed = ExportSheetFiles(folder / "s", docs[0], nullptr, {}, blockDescriptor);
  ASSERT_FALSE(failed);
  EXPECT_NE(failed.error().find("nothing was changed"), std::string::npos) << failed.error();
  EXPECT_EQ(FileBytes(folder / "s.tga"), pairs[2].first);
}

// A BMFont export's pages and descriptor are one set too: a page per page of
// the layout, named NAME_0.png …; a cut-short commit is finished by the next
// export, which also removes the pages the set no longer has (and no other
// file); a failed replace takes the new pages away again.
TEST(SheetExport, PagesAndDescriptorAreOneSet) {
  TempFolder folder;
  FakeFont font(20);  // cells 8 x 20: 21 to a 64 x 64 page
  const auto pagedDoc = [&font](int32_t side, int glyphs) {
    SheetDocument doc;
    doc.sheetWidth = doc.sheetHeight = side;
    doc.maxPages = 100;
    for (int g = 0; g < glyphs; ++g) doc.AddGlyph(static_cast<char32_t>('0' + g));
    LayOutSheet(doc, &font);
    return doc;
  };
  const SheetDocument three = pagedDoc(64, 50), one = pagedDoc(512, 50), two = pagedDoc(64, 30);
  ASSERT_EQ(std::tuple(three.layout.pages, one.layout.pages, two.layout.pages), std::tuple(3, 1, 2));
  ExportOptions text;
  text.format = SheetFormat::kBmFontText;
  testing::PutFile(folder / "p_x.png", {1});
  testing::PutFile(folder / "q_0.png", {2});
  const auto made = ExportSheetFiles(folder / "p", three, &font, text);
  ASSERT_TRUE(made) << made.error();
  EXPECT_EQ(made.value().images, (std::vector<std::filesystem::path>{
                                     folder / "p_0.png", folder / "p_1.png", folder / "p_2.png"}));
  const std::string fnt = testing::FileText(folder / "p.fnt");
  EXPECT_NE(fnt.find("pages=3 "), std::string::npos);
  EXPECT_NE(fnt.find("\npage id=2 file=\"p_2.png\"\nchars count=50\n"), std::string::npos);
  EXPECT_NE(fnt.find("\nchar id=90 x=0 y=0 width=8 height=20 xoffset=1 yoffset=0 xadvance=10 "
                     "page=2 "), std::string::npos) << fnt;  // glyph 42, Z, the first of page 2

  const pid_t child = ::fork();
  if (child == 0) {
    ExportObserver killAfterImage;
    killAfterImage.atStep = [](CommitStep step) {
      if (step == CommitStep::kImageReplaced) ::raise(SIGKILL);
    };
    (void)ExportSheetFiles(folder / "p", one, &font, text, killAfterImage);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(testing::FileText(folder / "p.fnt"), fnt) << "killed before the descriptor";
  std::vector<std::string> told;
  ExportObserver observer;
  observer.notify = [&told](const std::string& message) { told.push_back(message); };
  ASSERT_TRUE(ExportSheetFiles(folder / "p", one, &font, text, observer));
  EXPECT_EQ(told.size(), 1u);
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"p.png", "p.fnt", "p_x.png", "q_0.png"}));
  EXPECT_NE(testing::FileText(folder / "p.fnt").find("page id=0 file=\"p.png\"\nchars"),
            std::string::npos);

  const std::vector<uint8_t> single = FileBytes(folder / "p.png");
  ExportObserver blockDescriptor;
  blockDescriptor.atStep = [&folder](CommitStep step) {
    if (step != CommitStep::kImageReplaced) return;
    std::filesystem::remove(folder / "p.fnt");
    std::filesystem::create_directories(folder / "p.fnt" / "in the way");
  };
  const auto failed = ExportSheetFiles(folder / "p", two, &font, text, blockDescriptor);
  ASSERT_FALSE(failed);
  EXPECT_NE(failed.error().find("nothing was changed"), std::string::npos) << failed.error();
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"p.png", "p.fnt", "p_x.png", "q_0.png"}));
  EXPECT_EQ(FileBytes(folder / "p.png"), single);
}

}  // namespace
}  // namespace glyphsheet
