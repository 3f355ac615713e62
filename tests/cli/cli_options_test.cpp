// The command-line parser in-process: what each command line sets, and the
// usage errors (the program ends with status 2 on each) naming what is wrong.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "cli/cli_options.h"

// The rows name only the fields a command line sets; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace glyphsheet::cli {
namespace {

using K = CommandKind;
using Args = std::vector<std::string>;

// Every field of a parsed command line, comparable and printable.
auto Fields(const CommandLine& c) {
  const SettingOverrides& s = c.settings;
  std::optional<std::array<int32_t, 4>> borders;
  if (s.borders) borders = {s.borders->left, s.borders->top, s.borders->right, s.borders->bottom};
  std::vector<std::pair<CharSource::Kind, std::string>> chars;
  for (const CharSource& source : s.chars) chars.emplace_back(source.kind, source.value);
  const OutputChoices& o = c.choices;
  return std::tuple(c.kind, c.helpTopic, c.project, c.output, s.face, s.fontFile, s.faceIndex,
                    s.pointSize, s.weight, s.quality, s.smoothing, s.italic, s.sheetWidth,
                    s.sheetHeight, borders, chars, s.fit, s.fitLimit, o.format, o.kerning,
                    o.missing, o.maxPages, o.force, o.text, o.scale);
}

TEST(CliOptions, EachCommandLineSetsItsFields) {
  const struct {
    Args args;
    CommandLine expected;
  } cases[] = {
      {{"--version", "extra"}, {.kind = K::kVersion}},
      {{"--help"}, {.kind = K::kHelp}},
      {{"help"}, {.kind = K::kHelp}},
      {{"help", "preview"}, {.kind = K::kHelp, .helpTopic = "preview"}},
      // Help comes before the checks of the command's operands.
      {{"show", "--help"}, {.kind = K::kHelp, .helpTopic = "show"}},
      {{"fonts"}, {.kind = K::kFonts}},
      {{"charsets"}, {.kind = K::kCharsets}},
      {{"show", "a.fnt"}, {.kind = K::kShow, .project = "a.fnt"}},
      // The last setting given wins, characters keep their order, numbers are
      // decimal even with leading zeros, "-o=" joins its value.
      {{"new", "-o=p.fnt", "--face", "dejavu sans", "--size=13", "--size", "014", "--weight",
        "0700", "--antialiased", "--aliased", "--smoothing", "2", "--italic", "--width", "128",
        "--height", "64", "--borders", "1,0,2,3", "--borders=1,0,2,010", "--chars", "AB",
        "--chars-file", "c.txt", "--range", "U+4E00-0x4E0F", "--charset", "kana", "--chars", "B!",
        "--missing", "fail", "-o", "q.fnt"},
       {.kind = K::kNew,
        .output = "q.fnt",
        .settings = {.face = "dejavu sans",
                     .pointSize = 14,
                     .weight = 700,
                     .quality = kQualityAliased,
                     .smoothing = 2,
                     .italic = 1,
                     .sheetWidth = 128,
                     .sheetHeight = 64,
                     .borders = CellBorders{1, 0, 2, 10},
                     .chars = {{CharSource::Kind::kText, "AB"},
                               {CharSource::Kind::kFile, "c.txt"},
                               {CharSource::Kind::kRange, "U+4E00-0x4E0F"},
                               {CharSource::Kind::kCharset, "kana"},
                               {CharSource::Kind::kText, "B!"}}},
        .choices = {.missing = MissingGlyphs::kFail}}},
      {{"export", "p.fnt", "--format", "bmfont-binary", "--kerning", "off", "--force", "--upright",
        "--fit", "--max-size", "2048", "--max-pages", "3", "-o", "out/x"},
       {.kind = K::kExport,
        .project = "p.fnt",
        .output = "out/x",
        .settings = {.italic = 0, .fit = true, .fitLimit = 2048},
        .choices = {.format = SheetFormat::kBmFontBinary, .kerning = false, .maxPages = 3,
                    .force = true}}},
      // After "--" every argument is an operand, "-o=" too.
      {{"export", "-o", "x", "--", "-o=y.fnt"},
       {.kind = K::kExport, .project = "-o=y.fnt", .output = "x"}},
      {{"preview", "--text", "AV", "--scale", "16", "--font-file", "f.ttc", "--face-index", "2",
        "-o", "x.png"},
       {.kind = K::kPreview,
        .output = "x.png",
        .settings = {.fontFile = "f.ttc", .faceIndex = 2},
        .choices = {.text = "AV", .scale = 16}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    try {
      EXPECT_EQ(Fields(ParseCommandLine(c.args)), Fields(c.expected));
    } catch (const UsageError& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

TEST(CliOptions, WrongUsageNamesTheOptionOrArgument) {
  const struct {
    Args args;
    std::vector<std::string> named;
  } cases[] = {
      {{}, {"no command given"}},
      {{"draw"}, {"draw"}},
      {{"--size", "12"}, {"--size"}},
      {{"help", "draw"}, {"draw"}},
      {{"fonts", "extra"}, {"extra"}},
      // One command a run: a second command word is an extra argument.
      {{"fonts", "new"}, {"new"}},
      {{"new", "-o", "x.fnt", "show"}, {"show"}},
      {{"new", "-o", "x.fnt", "--size", "4"}, {"--size", "4"}},
      {{"new", "-o", "x.fnt", "--size=101"}, {"--size", "101"}},
      {{"new", "-o", "x.fnt", "--size", "12pt"}, {"--size", "\"12pt\" is not a whole number"}},
      {{"new", "-o", "x.fnt", "--size", "0x10"}, {"--size", "\"0x10\""}},
      {{"new", "-o", "x.fnt", "--size", "+12"}, {"--size", "\"+12\""}},
      {{"new", "-o", "x.fnt", "--size", "99999999999"}, {"--size", "99999999999"}},
      {{"new", "-o", "x.fnt", "--size"}, {"--size"}},
      {{"new", "-o", "x.fnt", "--size="}, {"--size"}},
      {{"new", "-o", "x.fnt", "--weight", "500"}, {"--weight", "500"}},
      {{"new", "-o", "x.fnt", "--smoothing", "5"}, {"--smoothing", "5"}},
      {{"new", "-o", "x.fnt", "--width", "100"}, {"--width", "100"}},
      {{"export", "-o", "x", "--height", "8192"}, {"--height", "8192"}},
      {{"export", "-o", "x", "--fit", "--max-size", "1000"}, {"--max-size", "1000"}},
      {{"export", "-o", "x", "--max-size", "2048"}, {"--max-size", "--fit"}},
      {{"export", "-o", "x", "--max-pages", "0"}, {"--max-pages", "0"}},
      {{"new", "-o", "x.fnt", "--borders", "1,2,3"}, {"--borders", "3"}},
      {{"new", "-o", "x.fnt", "--borders", "1,2,3,4,5"}, {"--borders", "5"}},
      {{"new", "-o", "x.fnt", "--borders", "0,0,0,17"}, {"--borders", "17"}},
      {{"new", "-o", "x.fnt", "--borders", "0,-1,0,0"}, {"--borders", "-1"}},
      {{"new", "-o", "x.fnt", "--borders", "0,x,0,0"}, {"--borders", "\"x\""}},
      {{"new", "-o", "x.fnt", "--italic=yes"}, {"italic"}},
      {{"new", "--size", "12"}, {"--output"}},
      {{"new", "-o", "dir/"}, {"\"dir/\" names a folder"}},
      {{"export", "-o", "dir/."}, {"\"dir/.\" names a folder"}},
      {{"export", "-o", ".."}, {"\"..\" names a folder"}},
      {{"new", "x.fnt", "-o", "y.fnt"}, {"x.fnt"}},
      {{"export", "a.fnt", "b.fnt", "-o", "x"}, {"b.fnt"}},
      {{"show"}, {"PROJECT.fnt"}},
      {{"show", "a.fnt", "--size", "12"}, {"--size"}},
      {{"new", "-o", "x.fnt", "--force"}, {"--force"}},
      {{"export", "-o", "x", "--format", "bmfont"}, {"--format", "bmfont"}},
      {{"export", "-o", "x", "--kerning", "yes"}, {"--kerning", "yes"}},
      {{"preview", "-o", "x.png"}, {"--text"}},
      {{"new", "-o", "x.fnt", "--range", "U+9FFF-U+4E00"}, {"--range", "U+9FFF-U+4E00"}},
      {{"new", "-o", "x.fnt", "--range", "0x110000"}, {"--range", "0x110000"}},
      {{"new", "-o", "x.fnt", "--charset", "big5"}, {"--charset", "big5"}},
      {{"export", "-o", "x", "--missing", "drop"}, {"--missing", "drop"}},
      {{"preview", "--text", "A", "--scale", "17", "-o", "x.png"}, {"--scale", "17"}},
      {{"new", "-o", "x.fnt", "--face-index", "1"}, {"--face-index", "--font-file"}},
      {{"new", "-o", "x.fnt", "--font-file", "f.ttc", "--face-index", "65536"},
       {"--face-index", "65536"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    try {
      ParseCommandLine(c.args);
      ADD_FAILURE() << "no usage error";
    } catch (const UsageError& e) {
      const std::string message = e.what();
      for (const std::string& name : c.named) {
        EXPECT_NE(message.find(name), std::string::npos) << "wanted: " << name << "\n" << message;
      }
    }
  }
}

}  // namespace
}  // namespace glyphsheet::cli
