#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <tuple>

#include "files/atomic_file.h"
#include "files/bmfont_descriptor.h"
#include "files/project_file.h"
#include "files/sheet_png.h"
#include "sheet/error_text.h"
#include "sheet/windows1252.h"
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
// would get wrong: negative borders, a duplicate code, code 0, codes above 127
// (the euro sign is byte 128).
ProjectData AwkwardProject() {
  return {.sheetWidth = 65535, .sheetHeight = 1, .borders = {-3, 16, 17, INT32_MIN},
          .font = {"Caf\xC3\xA9 Sans", 250, 500, 3, 9, 7},
          .glyphs = {{'A', -1, 2}, {0, INT32_MAX, INT32_MIN}, {'A', 5, -5}, {U'€', 0, 0},
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

// A project whose characters are not all Windows-1252 keeps the original
// layout for the settings and the glyphs that have a byte, and adds the
// whole list after them; an original-layout reader, which stops after the
// glyph entries, sees a valid project with that part. Every byte value of
// an original file loads and saves as it was.
TEST(ProjectFile, CharactersPastWindows1252FollowTheOriginalLayout) {
  ProjectData p = AwkwardProject();
  p.glyphs = {{U'中', 3, -3}, {'A', -1, 2}, {U'😀', 0, 0}, {U'€', 7, 8}, {0x81, 1, 1},
              {U'中', 0, 0}, {0x10FFFD, 2, 2}};
  const std::vector<uint8_t> bytes = EncodeProject(p);
  const auto loaded = DecodeProject(bytes);
  ASSERT_TRUE(loaded) << loaded.error();
  EXPECT_EQ(loaded.value().glyphs, p.glyphs);
  EXPECT_EQ(EncodeProject(loaded.value()), bytes);

  // The original layout, read as a reader of it would: fields up to the
  // glyph entries, then n entries of a byte and two borders.
  const auto int32At = [&bytes](size_t at) {
    return static_cast<int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                static_cast<uint32_t>(bytes[at + 3]) << 24);
  };
  const size_t name = static_cast<size_t>(int32At(44));
  EXPECT_EQ(std::tuple(int32At(0), int32At(24), int32At(36), std::string(&bytes[48], &bytes[48] + name)),
            std::tuple(65535, 250, 9, "Caf\xC3\xA9 Sans"s));
  std::vector<std::tuple<int, int32_t, int32_t>> entries;
  const size_t count = static_cast<size_t>(int32At(49 + name));
  for (size_t i = 0, at = 53 + name; i < count; ++i, at += 9) {
    entries.emplace_back(bytes[at], int32At(at + 1), int32At(at + 5));
  }
  EXPECT_EQ(entries, (std::vector<std::tuple<int, int32_t, int32_t>>{
                         {'A', -1, 2}, {0x80, 7, 8}, {0x81, 1, 1}}));
  // The extension: signature, version 1, body of 8 + 12 × 7 bytes, checksum last.
  const size_t block = 53 + name + 9 * count;
  EXPECT_EQ(std::vector<uint8_t>(&bytes[block], &bytes[block] + 8),
            (std::vector<uint8_t>{0x89, 'G', 'S', 'X', 0x0D, 0x0A, 0x1A, 0x0A}));
  EXPECT_EQ(std::tuple(int32At(block + 8), int32At(block + 12), bytes.size()),
            std::tuple(1, 92, block + 16 + 92 + 4));

  // A font file is a setting of the block, written also when every glyph has a byte.
  ProjectData filed;
  filed.glyphs = {{'A', 1, 2}};
  filed.fontFile = "/fonts/My \xE5\xAD\x97.ttc";
  filed.fontFileIndex = 2;
  const std::vector<uint8_t> filedBytes = EncodeProject(filed);
  const auto filedBack = DecodeProject(filedBytes);
  ASSERT_TRUE(filedBack) << filedBack.error();
  EXPECT_EQ(std::tuple(filedBack.value().fontFile, filedBack.value().fontFileIndex,
                       filedBack.value().glyphs),
            std::tuple(filed.fontFile, 2, filed.glyphs));
  // The fields and one entry, the block's head, one setting (count, tag,
  // length, index, 17 path bytes), one glyph and the checksum.
  EXPECT_EQ(filedBytes.size(), size_t{53 + 9 + 16 + (16 + 17) + (4 + 12) + 4});

  ProjectData everyByte;
  for (int code = 0; code < 256; ++code) {
    everyByte.glyphs.push_back({Windows1252ToUnicode(static_cast<uint8_t>(code)), code, -code});
  }
  const std::vector<uint8_t> plain = EncodeProject(everyByte);
  ASSERT_EQ(plain.size(), 53u + 9 * 256);
  const auto again = DecodeProject(plain);
  ASSERT_TRUE(again) << again.error();
  EXPECT_EQ(EncodeProject(again.value()), plain);
}

// A damaged or cut-short extension loads nothing and says what is wrong.
TEST(ProjectFile, DamagedExtensionsAreRefusedNamingTheFault) {
  ProjectData p;
  p.font.faceName = "F";
  p.glyphs = {{'A', 0, 0}, {U'中', 1, 2}};
  p.font.distanceField = 4;
  const std::vector<uint8_t> good = EncodeProject(p);
  ASSERT_EQ(DecodeProject(good).value().font.distanceField, 4);
  const size_t block = 53 + 1 + 9;  // after the name "F" and one original entry
  const size_t glyphs = block + 32;  // after the head and the spread setting
  const auto changed = [&good](size_t at, std::vector<uint8_t> with, size_t keep = SIZE_MAX) {
    std::vector<uint8_t> bytes(good.begin(), good.begin() + std::min(keep, good.size()));
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<ptrdiff_t>(at));
    return bytes;
  };
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  const struct { std::vector<uint8_t> bytes; std::string says; } cases[] = {
      {changed(0, {}, block + 5), "the extension block is truncated: it needs 20 bytes and the file has 5"},
      {changed(0, {}, good.size() - 1), "needs 64 bytes and the file has 63"},
      {longer, "the file goes on for 1 bytes after the extension block"},
      {changed(block + 8, {2}), "has version 2"},
      {changed(block + 20, {3}), "the extension block holds setting 3, which this GlyphSheet"},
      {changed(block + 16, {2}), "lengths inside the extension block do not add up"},
      {changed(block + 24, {5}), "lengths inside the extension block do not add up"},
      {changed(block + 28, {0}), "holds distance-field spread 0, outside 1..32"},
      {changed(block + 28, {33}), "holds distance-field spread 33, outside 1..32"},
      {changed(glyphs, {3}), "lengths inside the extension block do not add up"},
      {changed(glyphs + 4 + 12, {0x00, 0xD8}), "glyph 2 of the extension block has code 0xD800"},
      {changed(glyphs + 4 + 16, {9}), "its checksum does not match"},
      {changed(block - 4, {9}), "the glyph list before the extension block does not match it"},
  };
  for (const auto& c : cases) {
    const auto decoded = DecodeProject(c.bytes);
    ASSERT_FALSE(decoded) << c.says;
    EXPECT_NE(decoded.error().find(c.says), std::string::npos) << c.says << "\n" << decoded.error();
  }
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

// A file that is no project but a BMFont descriptor (each form, also after a
// byte-order mark and blank lines) or a PNG image is named for what it is.
// Bytes that only begin like one, or GlyphSheet's own glyph table, keep the
// decoder's reason.
TEST(ProjectFile, DescriptorsAndImagesAreNamedForWhatTheyAre) {
  TempFolder folder;
  BmFont font;
  font.info.face = "Sans";
  font.info.size = 12;
  font.pages = {"d.png"};
  font.chars = {{.id = 'A', .width = 5, .height = 9, .xadvance = 6}};
  const auto form = [&font](BmFontFormat format) { return EncodeBmFont(font, format); };
  const auto text = [](std::string_view bytes) { return std::vector<uint8_t>(bytes.begin(), bytes.end()); };
  auto image = AtomicFile::Open(folder / "image.png");
  ASSERT_TRUE(image);
  ASSERT_TRUE(WritePngTo(image.value(), 2, 1, [](int32_t, uint8_t* rgba) {
    std::fill_n(rgba, 8, uint8_t{255});
  }));
  ASSERT_TRUE(image.value().Commit());
  const std::vector<uint8_t> png = FileBytes(folder / "image.png");
  std::vector<uint8_t> marked = text("\xEF\xBB\xBF\r\n\n");
  for (const uint8_t byte : form(BmFontFormat::kText)) marked.push_back(byte);
  std::vector<uint8_t> version2 = form(BmFontFormat::kBinary);
  version2[3] = 2;

  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    std::optional<Problem> kind;  // none: the decoder's reason
  } rows[] = {
      {"text", form(BmFontFormat::kText), Problem::kBmFontDescriptor},
      {"text after a byte-order mark", marked, Problem::kBmFontDescriptor},
      {"XML", form(BmFontFormat::kXml), Problem::kBmFontDescriptor},
      {"binary", form(BmFontFormat::kBinary), Problem::kBmFontDescriptor},
      {"JSON", form(BmFontFormat::kJson), Problem::kBmFontDescriptor},
      {"PNG", png, Problem::kPngImage},
      {"text cut to 3 bytes", text("inf"), std::nullopt},
      {"a line that starts with info", text("information\n"), std::nullopt},
      {"binary of version 2", version2, std::nullopt},
      {"PNG signature cut short", {png.begin(), png.begin() + 7}, std::nullopt},
      {"glyph table", text("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<font>\n"
                           "\t<char id=\"65\" x=\"0\" y=\"0\" width=\"5\" height=\"9\" />\n"
                           "</font>\n"), std::nullopt},
      {"JSON of other keys", text("{\"name\": \"pages\", \"size\": 12}"), std::nullopt},
  };
  for (const auto& row : rows) {
    const std::filesystem::path path = folder / "x.fnt";
    PutFile(path, row.bytes);
    const auto read = ReadProjectFile(path);
    ASSERT_FALSE(read) << row.name;
    const ErrorDetail& d = read.failure().detail;
    EXPECT_EQ(std::tuple(d.action, d.file), std::tuple(FileAction::kLoad, path.string())) << row.name;
    if (row.kind) {
      EXPECT_EQ(d.problem, *row.kind) << row.name << ": " << read.error();
    } else {
      const auto decoded = DecodeProject(row.bytes);
      ASSERT_FALSE(decoded) << row.name;
      EXPECT_EQ(read.error(), "cannot load " + Quoted(path.string()) + ": " + decoded.error())
          << row.name;
    }
  }
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
            std::tuple(6u, U'A', -5, INT32_MAX, -100));

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
