#include "cli/cli_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <variant>

#include "sheet/character_sets.h"

namespace glyphsheet::cli {

namespace {

constexpr char kProgram[] = "glyphsheet-cli";
// Faces a font collection file may hold, as --face-index takes them.
constexpr SettingRange kFaceIndexRange{0, 65535};
// How much a preview may be enlarged.
constexpr SettingRange kPreviewScaleRange{1, 16};
// Pages a BMFont export may be limited to (the binary form counts them in 16 bits).
constexpr SettingRange kMaxPagesRange{1, 65535};

// The export formats by their names on the command line.
struct FormatName {
  const char* name;
  SheetFormat format;
};
constexpr FormatName kFormatNames[] = {
    {"tga-xml", SheetFormat::kTgaXml},           {"bmfont-text", SheetFormat::kBmFontText},
    {"bmfont-xml", SheetFormat::kBmFontXml},     {"bmfont-binary", SheetFormat::kBmFontBinary},
    {"bmfont-json", SheetFormat::kBmFontJson}};

// ---- Checks of values ----------------------------------------------------

// CLI11 reads whole numbers as C does ("010" octal, "0x10" hexadecimal); on
// this command line they are decimal: digits with an optional minus sign.
// Leading zeros are dropped, so "010" is ten.
std::string DecimalDigits(std::string& text) {
  const size_t digits = text.starts_with('-') ? 1 : 0;
  if (text.size() == digits || text.find_first_not_of("0123456789", digits) != std::string::npos) {
    return "\"" + text + "\" is not a whole number";
  }
  const size_t zeros = std::min(text.find_first_not_of('0', digits), text.size() - 1) - digits;
  text.erase(digits, zeros);
  return {};
}

// The help states each range and choice in the option's own words, so the
// checks add nothing to it.
CLI::Validator InRange(SettingRange range) {
  return CLI::Range(range.min, range.max).description("");
}

CLI::Validator OneOf(std::span<const int32_t> choices) {
  return CLI::IsMember(std::vector<int32_t>(choices.begin(), choices.end())).description("");
}

CLI::Validator OneOf(std::vector<std::string> names) {
  return CLI::IsMember(std::move(names)).description("");
}

// -o names a file: its last part is not empty, "." or "..".
std::string NamesAFile(const std::string& text) {
  const std::filesystem::path name = std::filesystem::path(text).filename();
  if (name.empty() || name == "." || name == "..") {
    return "\"" + text + "\" names a folder, not a file";
  }
  return {};
}

// ---- The table of commands and options ------------------------------------

/// An option declared once with its help, what CLI11 checks and the field it
/// sets in `Target`. The setter's kind is the kind of option: a flag, free
/// text, a whole number, or four whole numbers "L,T,R,B".
template <class Target>
struct OptionEntry {
  using Flag = std::function<void(Target&)>;
  using Text = std::function<void(Target&, const std::string&)>;
  using Number = std::function<void(Target&, int32_t)>;
  using FourNumbers = std::function<void(Target&, const std::vector<int32_t>&)>;

  const char* name;
  /// Shown after the name in the help; nullptr for a flag.
  const char* valueName;
  std::string help;
  std::variant<Flag, Text, Number, FourNumbers> set;
  /// What each value must be, besides a decimal number for the number kinds.
  std::optional<CLI::Validator> check = std::nullopt;
  /// An option this one is refused without.
  const char* needs = nullptr;
  /// The command refuses to run without this option.
  bool required = false;
};

using SettingOption = OptionEntry<SettingOverrides>;

SettingOption::Text AddChars(CharSource::Kind kind) {
  return [kind](SettingOverrides& s, const std::string& v) { s.chars.push_back({kind, v}); };
}

std::string RangeProblem(const std::string& text) {
  const Result<CodeRange> range = ParseCodeRange(text);
  return range ? std::string() : range.error();
}

std::vector<std::string> CharsetNames() {
  std::vector<std::string> names;
  for (const CharacterSetInfo& set : CharacterSets()) names.emplace_back(set.name);
  return names;
}

std::string CharsetNamesText() {
  std::string text;
  for (const std::string& name : CharsetNames()) text += (text.empty() ? "" : ", ") + name;
  return text;
}
using IntField = std::optional<int32_t> SettingOverrides::*;

SettingOption::Number SetNumber(IntField field) {
  return [field](SettingOverrides& s, int32_t value) { s.*field = value; };
}

SettingOption::Flag SetFixed(IntField field, int32_t value) {
  return [field, value](SettingOverrides& s) { s.*field = value; };
}

const std::vector<SettingOption>& SettingOptions() {
  using S = SettingOverrides;
  using Text = SettingOption::Text;
  static const std::vector<SettingOption> options = {
      {"--face", "NAME", "an installed typeface (letter case does not matter)",
       Text([](S& s, const std::string& v) { s.face = v; })},
      {"--font-file", "PATH",
       "use this TrueType/OpenType file instead of the installed fonts; its family becomes the "
       "typeface",
       Text([](S& s, const std::string& v) { s.fontFile = v; })},
      {"--face-index", "N", "the face of a font collection, " + kFaceIndexRange.Text(),
       SetNumber(&S::faceIndex), InRange(kFaceIndexRange), "--font-file"},
      {"--size", "N", "point size, " + kPointSizeRange.Text(), SetNumber(&S::pointSize),
       InRange(kPointSizeRange)},
      {"--weight", "N", "weight: " + ChoicesText(kWeightChoices), SetNumber(&S::weight),
       OneOf(kWeightChoices)},
      {"--aliased", nullptr, "black and white pixels only", SetFixed(&S::quality, kQualityAliased)},
      {"--antialiased", nullptr, "grey levels", SetFixed(&S::quality, kQualityAntialiased)},
      {"--smoothing", "N", "supersampling factor, " + kSmoothingRange.Text(),
       SetNumber(&S::smoothing), InRange(kSmoothingRange)},
      {"--distance-field", "SPREAD",
       "a signed distance field instead of coverage: each pixel holds the distance to the "
       "glyph's edge (edge at 128, inside above) out to SPREAD pixels on either side, " +
           kDistanceSpreadRange.Text() + "; 0 (the default) is off. Smoothing does not apply",
       SetNumber(&S::distanceField), InRange(SettingRange{0, kDistanceSpreadRange.max})},
      {"--italic", nullptr, "slanted characters", SetFixed(&S::italic, 1)},
      {"--upright", nullptr, "upright characters", SetFixed(&S::italic, 0)},
      {"--width", "N", "sheet width: " + ChoicesText(kSheetSizeChoices), SetNumber(&S::sheetWidth),
       OneOf(kSheetSizeChoices)},
      {"--height", "N", "sheet height: " + ChoicesText(kSheetSizeChoices),
       SetNumber(&S::sheetHeight), OneOf(kSheetSizeChoices)},
      {"--fit", nullptr,
       "take the sheet size of least area (the wider on a tie) that holds every cell on one "
       "page, each side up to --max-size",
       SettingOption::Flag([](S& s) { s.fit = true; })},
      {"--max-size", "N", "the largest side --fit takes: " + ChoicesText(kSheetSizeChoices) +
                              " (default 4096)",
       SettingOption::Number([](S& s, int32_t v) { s.fitLimit = v; }), OneOf(kSheetSizeChoices),
       "--fit"},
      {"--borders", "L,T,R,B", "font-wide cell borders, " + kBorderRange.Text() + " each",
       SettingOption::FourNumbers([](S& s, const std::vector<int32_t>& v) {
         s.borders = CellBorders{v[0], v[1], v[2], v[3]};
       }),
       InRange(kBorderRange)},
      {"--chars", "TEXT",
       "add these characters (UTF-8, any script; no control characters); characters already "
       "present are skipped. --chars, --chars-file, --range and --charset add in the order given",
       AddChars(CharSource::Kind::kText)},
      {"--chars-file", "FILE", "the same, from a UTF-8 file; line ends are skipped",
       AddChars(CharSource::Kind::kFile)},
      {"--range", "FIRST-LAST",
       "add the characters FIRST to LAST, each U+XXXX, 0xXXXX or decimal (one code point "
       "alone adds it); controls, surrogates and noncharacters inside are skipped",
       AddChars(CharSource::Kind::kRange), CLI::Validator(RangeProblem, "")},
      {"--charset", "NAME",
       "add a standard character set: " + CharsetNamesText() +
           " (glyphsheet-cli charsets lists them with their counts; font: every character the "
           "font has)",
       AddChars(CharSource::Kind::kCharset), OneOf(CharsetNames())},
  };
  return options;
}

std::vector<std::string> FormatNames() {
  std::vector<std::string> names;
  for (const FormatName& f : kFormatNames) names.push_back(f.name);
  return names;
}

std::string FormatNamesText() {
  std::string text;
  for (const FormatName& f : kFormatNames) text += std::string(text.empty() ? "" : "|") + f.name;
  return text;
}

/// An option of some commands only, declared once with the commands that
/// take it.
struct CommandOption {
  OptionEntry<OutputChoices> option;
  std::vector<CommandKind> commands;
};

const std::vector<CommandOption>& CommandOptions() {
  using K = CommandKind;
  using C = OutputChoices;
  using Text = OptionEntry<C>::Text;
  static const std::vector<CommandOption> options = {
      {{"--format", "FORMAT",
        "the files written: " + FormatNamesText() +
            " (default tga-xml: NAME.tga and NAME.xml; bmfont-*: NAME.png and an AngelCode "
            "BMFont descriptor NAME.fnt, NAME.xml, NAME.fnt or NAME.json)",
        Text([](C& c, const std::string& v) {
          for (const FormatName& f : kFormatNames) {
            if (v == f.name) c.format = f.format;
          }
        }),
        OneOf(FormatNames())},
       {K::kExport}},
      {{"--kerning", "on|off",
        "the font's kerning pairs in BMFont descriptors and previews (default on)",
        Text([](C& c, const std::string& v) { c.kerning = v == "on"; }), OneOf({"on", "off"})},
       {K::kExport, K::kPreview}},
      {{"--missing", "keep|skip|fail",
        "characters the font has no glyph for: keep draws what the font gives (its "
        "missing-glyph box), skip leaves them out of the sheet and the descriptors, fail "
        "writes nothing (default keep)",
        Text([](C& c, const std::string& v) {
          c.missing = v == "skip"   ? MissingGlyphs::kSkip
                      : v == "fail" ? MissingGlyphs::kFail
                                    : MissingGlyphs::kKeep;
        }),
        OneOf({"keep", "skip", "fail"})},
       {K::kNew, K::kExport, K::kPreview}},
      {{"--max-pages", "N",
        "BMFont formats: fail, writing nothing, when the cells need more than N pages (default: "
        "as many as they need; each page is NAME_0.png, NAME_1.png, ...)",
        OptionEntry<C>::Number([](C& c, int32_t v) { c.maxPages = v; }), InRange(kMaxPagesRange)},
       {K::kExport}},
      {{"--force", nullptr, "let the export replace a file that is a GlyphSheet project, or one that cannot be read to tell",
        OptionEntry<C>::Flag([](C& c) { c.force = true; })},
       {K::kExport}},
      {{"--text", "TEXT", "the text to set (UTF-8)",
        Text([](C& c, const std::string& v) { c.text = v; }), std::nullopt, nullptr, true},
       {K::kPreview}},
      {{"--scale", "N", "each pixel as N x N pixels, " + kPreviewScaleRange.Text() + " (default 1)",
        OptionEntry<C>::Number([](C& c, int32_t v) { c.scale = v; }), InRange(kPreviewScaleRange)},
       {K::kPreview}},
  };
  return options;
}

/// One command: its name, what it does and what it takes.
struct Command {
  const char* name;
  CommandKind kind;
  const char* help;
  /// More about the command, shown in its own help; may be empty.
  const char* details;
  /// The project-file operand: none, optional or required.
  enum class Project { kNone, kOptional, kRequired } project;
  /// What -o names; nullptr when the command takes neither -o nor settings.
  const char* output;
};

const Command kCommands[] = {
    {"fonts", CommandKind::kFonts, "list the installed typefaces, one a line", "",
     Command::Project::kNone, nullptr},
    {"charsets", CommandKind::kCharsets,
     "list the standard character sets --charset takes, with their counts", "",
     Command::Project::kNone, nullptr},
    {"new", CommandKind::kNew, "write a project file from the settings", "",
     Command::Project::kNone, "PROJECT.fnt"},
    {"show", CommandKind::kShow, "print every field of a project file", "",
     Command::Project::kRequired, nullptr},
    {"export", CommandKind::kExport,
     "build the sheet and write NAME.tga and NAME.xml, or a BMFont page and descriptor",
     "The extension of NAME is replaced. Settings override those of the project; without a "
     "project the start-up defaults apply (the typeface fontconfig gives \"sans-serif\", "
     "11 pt, weight 400, anti-aliased, smoothing 1, upright, 256 x 256, borders 0, no "
     "characters).",
     Command::Project::kOptional, "NAME"},
    {"preview", CommandKind::kPreview,
     "set a line of text with the sheet's cells, as a game engine would, into a PNG image",
     "The pen moves by each character's xadvance plus the kerning of the pair; each cell is "
     "drawn at the pen plus its xoffset, its top at yoffset, on a dark background. Characters "
     "not on the sheet are skipped with a warning. Settings as for export.",
     Command::Project::kOptional, "IMAGE.png"},
};

std::string Synopsis(const Command& c) {
  std::string line = std::string(kProgram) + " " + c.name;
  if (c.project == Command::Project::kRequired) line += " PROJECT.fnt";
  if (c.project == Command::Project::kOptional) line += " [PROJECT.fnt]";
  if (c.output != nullptr) {
    line += c.project == Command::Project::kNone ? std::string(" -o ") + c.output + " [settings]"
                                                  : std::string(" [settings] -o ") + c.output;
  }
  return line;
}

std::string ProgramFooter() {
  std::string text = "usage:\n";
  for (const Command& c : kCommands) text += "  " + Synopsis(c) + "\n";
  text += "  " + std::string(kProgram) + " COMMAND --help | --help | --version\n\n";
  text += "Options take their value as the next argument or after \"=\".\n";
  text += "exit status: 0 success, 1 failure, 2 wrong usage";
  return text;
}

/// The program's commands and options as CLI11 sees them, bound to `line`.
class CommandTable {
 public:
  explicit CommandTable(CommandLine& line) : line_(line) {
    app_.name(kProgram);
    app_.description("GlyphSheet: bitmap font sheets from installed fonts, without a display");
    app_.set_help_flag("-h,--help", "show this help");
    app_.set_version_flag("--version", "", "show the version");
    app_.footer(ProgramFooter());
    // One command a run; a word after it is its operand, not a second command.
    app_.require_subcommand(0, 1);
    CLI::App* help = app_.add_subcommand("help", "show this help, or a command's");
    std::vector<std::string> names;
    for (const Command& c : kCommands) names.push_back(c.name);
    help->add_option_function<std::string>(
            "COMMAND", [this](const std::string& v) { line_.helpTopic = v; },
            "the command whose help is shown")
        ->check(OneOf(names));
    for (const Command& c : kCommands) AddCommand(c);
  }

  CLI::App& App() { return app_; }

 private:
  void AddCommand(const Command& c) {
    CLI::App* sub = app_.add_subcommand(c.name, c.help);
    sub->set_help_flag("-h,--help", "show this command's help");
    std::string footer = "usage: " + Synopsis(c);
    if (*c.details != '\0') footer += "\n" + std::string(c.details);
    if (c.output != nullptr) {
      footer += "\nOptions take their value as the next argument or after \"=\".";
    }
    sub->footer(footer);
    if (c.project != Command::Project::kNone) {
      sub->add_option_function<std::string>(
             "PROJECT.fnt", [this](const std::string& v) { line_.project = v; },
             "the project file")
          ->type_name("")
          ->required(c.project == Command::Project::kRequired);
    }
    if (c.output == nullptr) return;
    sub->add_option_function<std::string>(
           "-o,--output", [this](const std::string& v) { line_.output = v; },
           c.kind == CommandKind::kNew       ? "the project file to write"
           : c.kind == CommandKind::kPreview ? "the image to write"
                                             : "the name of the files to write")
        ->type_name(c.output)
        ->check(CLI::Validator(NamesAFile, ""))
        ->required()
        ->trigger_on_parse();
    for (const SettingOption& option : SettingOptions()) {
      AddOption(sub, option, line_.settings)->group("settings");
    }
    for (const CommandOption& option : CommandOptions()) {
      const auto& takers = option.commands;
      if (std::find(takers.begin(), takers.end(), c.kind) != takers.end()) {
        AddOption(sub, option.option, line_.choices);
      }
    }
  }

  // An option that sets a field of `target` each time it is given, so the
  // last one given wins (and every --chars counts, in order).
  template <class Target>
  static CLI::Option* AddOption(CLI::App* sub, const OptionEntry<Target>& entry, Target& target) {
    using Entry = OptionEntry<Target>;
    CLI::Option* added;
    if (const auto* set = std::get_if<typename Entry::Flag>(&entry.set)) {
      added = sub->add_flag_callback(entry.name, [set, &target] { (*set)(target); }, entry.help)
                  ->disable_flag_override();
    } else if (const auto* set = std::get_if<typename Entry::Text>(&entry.set)) {
      added = sub->add_option_function<std::string>(
          entry.name, [set, &target](const std::string& v) { (*set)(target, v); }, entry.help);
    } else if (const auto* set = std::get_if<typename Entry::Number>(&entry.set)) {
      added = sub->add_option_function<int32_t>(
          entry.name, [set, &target](int32_t v) { (*set)(target, v); }, entry.help);
      added->transform(CLI::Validator(DecimalDigits, ""));
    } else {
      const auto* four = std::get_if<typename Entry::FourNumbers>(&entry.set);
      added = sub->add_option_function<std::vector<int32_t>>(
          entry.name, [four, &target](const std::vector<int32_t>& v) { (*four)(target, v); },
          entry.help);
      added->transform(CLI::Validator(DecimalDigits, ""))->delimiter(',')->expected(4);
      // Shown as one value, not CLI11's "x 4".
      added->option_text(entry.valueName);
    }
    if (entry.valueName != nullptr) added->type_name(entry.valueName);
    if (entry.check) added->check(*entry.check);
    if (entry.needs != nullptr) added->needs(entry.needs);
    return added->required(entry.required)->trigger_on_parse();
  }

  CommandLine& line_;
  CLI::App app_;
};

const Command* FindCommand(const std::string& name) {
  for (const Command& c : kCommands) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

// "-o=NAME" means "-o NAME", as "--output=NAME" does.
std::vector<std::string> SplitJoinedOutput(const std::vector<std::string>& args) {
  std::vector<std::string> split;
  bool operandsOnly = false;
  for (const std::string& arg : args) {
    operandsOnly = operandsOnly || arg == "--";
    if (!operandsOnly && arg.starts_with("-o=")) {
      split.push_back("-o");
      split.push_back(arg.substr(3));
    } else {
      split.push_back(arg);
    }
  }
  return split;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  CommandTable table(line);
  CLI::App& app = table.App();
  // CLI11 takes the arguments last first.
  const std::vector<std::string> split = SplitJoinedOutput(args);
  std::vector<std::string> reversed(split.rbegin(), split.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    line.kind = CommandKind::kHelp;
    for (const CLI::App* sub : app.get_subcommands()) {
      if (sub->get_name() != "help") line.helpTopic = sub->get_name();
    }
    return line;
  } catch (const CLI::CallForVersion&) {
    line.kind = CommandKind::kVersion;
    return line;
  } catch (const CLI::ParseError& e) {
    throw UsageError(e.what());
  }
  const std::vector<CLI::App*> chosen = app.get_subcommands();
  if (chosen.empty()) throw UsageError("no command given");
  const Command* command = FindCommand(chosen.front()->get_name());
  line.kind = command != nullptr ? command->kind : CommandKind::kHelp;
  return line;
}

std::string UsageText(const std::string& topic) {
  CommandLine unused;
  CommandTable table(unused);
  CLI::App& app = table.App();
  if (!topic.empty()) {
    for (CLI::App* sub : app.get_subcommands({})) {
      if (sub->get_name() == topic) return sub->help();
    }
  }
  return app.help();
}

}  // namespace glyphsheet::cli
