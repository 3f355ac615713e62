#include "cli/cli_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <functional>
#include <span>

namespace glyphsheet::cli {

namespace {

constexpr char kProgram[] = "glyphsheet-cli";
// Faces a font collection file may hold, as --face-index takes them.
constexpr SettingRange kFaceIndexRange{0, 65535};
// How much a preview may be enlarged.
constexpr SettingRange kPreviewScaleRange{1, 16};

// The export formats by their names on the command line.
struct FormatName {
  const char* name;
  SheetFormat format;
};
constexpr FormatName kFormatNames[] = {
    {"tga-xml", SheetFormat::kTgaXml},           {"bmfont-text", SheetFormat::kBmFontText},
    {"bmfont-xml", SheetFormat::kBmFontXml},     {"bmfont-binary", SheetFormat::kBmFontBinary},
    {"bmfont-json", SheetFormat::kBmFontJson}};

// ---- Values ---------------------------------------------------------------

// Each check returns what is wrong with the text (empty when it is fine);
// CLI11 puts the option's name in front.

std::optional<int32_t> WholeNumber(const std::string& text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string NotANumber(const std::string& text) { return "\"" + text + "\" is not a whole number"; }

std::string CheckInRange(const std::string& text, SettingRange range) {
  const std::optional<int32_t> value = WholeNumber(text);
  if (!value) return NotANumber(text);
  if (!range.Contains(*value)) return text + " is outside " + range.Text();
  return {};
}

std::string CheckChoice(const std::string& text, std::span<const int32_t> choices) {
  const std::optional<int32_t> value = WholeNumber(text);
  if (!value) return NotANumber(text);
  if (!IsChoice(*value, choices)) return text + " is not one of " + ChoicesText(choices);
  return {};
}

// "L,T,R,B": four whole numbers in the border range, read into borders.
std::string ReadBorders(const std::string& text, CellBorders& borders) {
  int32_t* sides[4] = {&borders.left, &borders.top, &borders.right, &borders.bottom};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t comma = text.find(',', start);
    const bool last = i == 3;
    if (last != (comma == std::string::npos)) return "\"" + text + "\" is not four numbers L,T,R,B";
    const std::string part = text.substr(start, last ? std::string::npos : comma - start);
    if (std::string wrong = CheckInRange(part, kBorderRange); !wrong.empty()) return wrong;
    *sides[i] = *WholeNumber(part);
    start = comma + 1;
  }
  return {};
}

CLI::Validator Check(std::function<std::string(const std::string&)> check) {
  return CLI::Validator([check](std::string& text) { return check(text); }, "");
}

// ---- The table of commands and options ------------------------------------

/// One setting option of new and export: declared once with its help, its
/// check and the field it sets.
struct SettingOption {
  const char* name;
  /// Shown after the name in the help; nullptr for a flag.
  const char* valueName;
  std::string help;
  /// Checks the value before it is set (valued options only).
  std::function<std::string(const std::string&)> check;
  /// Sets the field from the checked value (a flag gets an empty text).
  std::function<void(SettingOverrides&, const std::string&)> set;
};

using IntField = std::optional<int32_t> SettingOverrides::*;

std::function<void(SettingOverrides&, const std::string&)> SetNumber(IntField field) {
  return [field](SettingOverrides& s, const std::string& text) {
    s.*field = WholeNumber(text).value_or(0);
  };
}

std::function<void(SettingOverrides&, const std::string&)> SetFixed(IntField field,
                                                                   int32_t value) {
  return [field, value](SettingOverrides& s, const std::string&) { s.*field = value; };
}

std::function<std::string(const std::string&)> InRange(SettingRange range) {
  return [range](const std::string& text) { return CheckInRange(text, range); };
}

std::function<std::string(const std::string&)> OneOf(std::span<const int32_t> choices) {
  return [choices](const std::string& text) { return CheckChoice(text, choices); };
}

const std::vector<SettingOption>& SettingOptions() {
  using S = SettingOverrides;
  static const std::vector<SettingOption> options = {
      {"--face", "NAME", "an installed typeface (letter case does not matter)", nullptr,
       [](S& s, const std::string& v) { s.face = v; }},
      {"--font-file", "PATH",
       "use this TrueType/OpenType file instead of the installed fonts; its family becomes the "
       "typeface",
       nullptr, [](S& s, const std::string& v) { s.fontFile = v; }},
      {"--face-index", "N", "the face of a font collection, " + kFaceIndexRange.Text(),
       InRange(kFaceIndexRange), SetNumber(&S::faceIndex)},
      {"--size", "N", "point size, " + kPointSizeRange.Text(), InRange(kPointSizeRange),
       SetNumber(&S::pointSize)},
      {"--weight", "N", "weight: " + ChoicesText(kWeightChoices), OneOf(kWeightChoices),
       SetNumber(&S::weight)},
      {"--aliased", nullptr, "black and white pixels only", nullptr,
       SetFixed(&S::quality, kQualityAliased)},
      {"--antialiased", nullptr, "grey levels", nullptr,
       SetFixed(&S::quality, kQualityAntialiased)},
      {"--smoothing", "N", "supersampling factor, " + kSmoothingRange.Text(),
       InRange(kSmoothingRange), SetNumber(&S::smoothing)},
      {"--italic", nullptr, "slanted characters", nullptr, SetFixed(&S::italic, 1)},
      {"--upright", nullptr, "upright characters", nullptr, SetFixed(&S::italic, 0)},
      {"--width", "N", "sheet width: " + ChoicesText(kSheetSizeChoices),
       OneOf(kSheetSizeChoices), SetNumber(&S::sheetWidth)},
      {"--height", "N", "sheet height: " + ChoicesText(kSheetSizeChoices),
       OneOf(kSheetSizeChoices), SetNumber(&S::sheetHeight)},
      {"--borders", "L,T,R,B", "font-wide cell borders, " + kBorderRange.Text() + " each",
       [](const std::string& v) {
         CellBorders unused;
         return ReadBorders(v, unused);
       },
       [](S& s, const std::string& v) { ReadBorders(v, s.borders.emplace()); }},
      {"--chars", "TEXT",
       "add these characters (UTF-8, each must exist in Windows-1252); characters already "
       "present are skipped",
       nullptr, [](S& s, const std::string& v) { s.chars.push_back(CharSource{false, v}); }},
      {"--chars-file", "FILE", "the same, from a UTF-8 file; line ends are skipped", nullptr,
       [](S& s, const std::string& v) { s.chars.push_back(CharSource{true, v}); }},
  };
  return options;
}

std::string FormatNames() {
  std::string names;
  for (const FormatName& f : kFormatNames) names += std::string(names.empty() ? "" : "|") + f.name;
  return names;
}

std::string CheckFormat(const std::string& text) {
  for (const FormatName& f : kFormatNames) {
    if (text == f.name) return {};
  }
  return "\"" + text + "\" is not one of " + FormatNames();
}

std::string CheckOnOff(const std::string& text) {
  return text == "on" || text == "off" ? "" : "\"" + text + "\" is not on or off";
}

/// An option of some commands only, declared once with the commands that
/// take it.
struct CommandOption {
  const char* name;
  /// Shown after the name in the help; nullptr for a flag.
  const char* valueName;
  std::string help;
  std::vector<CommandKind> commands;
  std::function<std::string(const std::string&)> check;
  std::function<void(OutputChoices&, const std::string&)> set;
};

const std::vector<CommandOption>& CommandOptions() {
  using K = CommandKind;
  using C = OutputChoices;
  static const std::vector<CommandOption> options = {
      {"--format", "FORMAT",
       "the files written: " + FormatNames() +
           " (default tga-xml: NAME.tga and NAME.xml; bmfont-*: NAME.png and an AngelCode "
           "BMFont descriptor NAME.fnt, NAME.xml, NAME.fnt or NAME.json)",
       {K::kExport}, CheckFormat,
       [](C& c, const std::string& v) {
         for (const FormatName& f : kFormatNames) {
           if (v == f.name) c.format = f.format;
         }
       }},
      {"--kerning", "on|off", "the font's kerning pairs in BMFont descriptors and previews (default on)",
       {K::kExport, K::kPreview}, CheckOnOff,
       [](C& c, const std::string& v) { c.kerning = v == "on"; }},
      {"--force", nullptr, "let a BMFont NAME.fnt replace a file that is a GlyphSheet project",
       {K::kExport}, nullptr, [](C& c, const std::string&) { c.force = true; }},
      {"--text", "TEXT", "the text to set (UTF-8)", {K::kPreview}, nullptr,
       [](C& c, const std::string& v) { c.text = v; }},
      {"--scale", "N", "each pixel as N x N pixels, " + kPreviewScaleRange.Text() + " (default 1)",
       {K::kPreview}, InRange(kPreviewScaleRange),
       [](C& c, const std::string& v) { c.scale = WholeNumber(v).value_or(1); }},
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
    app_.allow_extras();
    app_.set_help_flag("-h,--help", "show this help");
    app_.add_flag_callback(
        "--version", [this] { line_.kind = CommandKind::kVersion; }, "show the version");
    app_.footer(ProgramFooter());
    app_.add_subcommand("help", "show this help")->allow_extras(false);
    for (const Command& c : kCommands) AddCommand(c);
  }

  CLI::App& App() { return app_; }

 private:
  void AddCommand(const Command& c) {
    CLI::App* sub = app_.add_subcommand(c.name, c.help);
    sub->allow_extras();
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
          ->type_name("");
    }
    if (c.output == nullptr) return;
    sub->add_option_function<std::string>(
           "-o,--output", [this](const std::string& v) { line_.output = v; },
           c.kind == CommandKind::kNew       ? "the project file to write"
           : c.kind == CommandKind::kPreview ? "the image to write"
                                             : "the name of the files to write")
        ->type_name(c.output)
        ->trigger_on_parse();
    for (const SettingOption& option : SettingOptions()) {
      AddOption(sub, option, line_.settings)->group("settings");
    }
    for (const CommandOption& option : CommandOptions()) {
      const auto& takers = option.commands;
      if (std::find(takers.begin(), takers.end(), c.kind) != takers.end()) {
        AddOption(sub, option, line_.choices);
      }
    }
  }

  // A flag or a valued option that sets a field of `target` when parsed.
  template <class Option, class Target>
  static CLI::Option* AddOption(CLI::App* sub, const Option& option, Target& target) {
    CLI::Option* added;
    if (option.valueName == nullptr) {
      added = sub->add_flag_callback(
          option.name, [&option, &target] { option.set(target, {}); }, option.help);
      added->disable_flag_override();
    } else {
      added = sub->add_option_function<std::string>(
          option.name, [&option, &target](const std::string& v) { option.set(target, v); },
          option.help);
      added->type_name(option.valueName);
      if (option.check) added->check(Check(option.check));
    }
    return added->trigger_on_parse();
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

// What CLI11 left over: options it does not know and operands too many.
// After "--" every argument is an operand.
void RefuseExtras(const std::vector<std::string>& extras, const std::string& command) {
  bool operandsOnly = false;
  for (const std::string& arg : extras) {
    if (arg == "--" && !operandsOnly) {
      operandsOnly = true;
    } else if (!operandsOnly && arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option \"" + arg + "\" for " + command);
    } else {
      throw UsageError("unexpected argument \"" + arg + "\" for " + command);
    }
  }
}

// CLI11's words for a value that is missing or given to a flag, in the
// program's own.
std::string UsageMessage(const CLI::ParseError& error) {
  const std::string what = error.what();
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
    const std::string flagOverride = " was given a disallowed flag override";
    if (what.ends_with(flagOverride)) {
      return "--" + what.substr(0, what.size() - flagOverride.size()) + " takes no value";
    }
    const size_t colon = what.find(':');
    if (colon != std::string::npos && what.ends_with(" missing")) {
      return what.substr(0, colon) + " needs a value";
    }
  }
  return what;
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
  if (args.empty()) throw UsageError("no command given");
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
    for (const CLI::App* sub : app.get_subcommands()) line.helpTopic = sub->get_name();
    if (line.helpTopic == "help") line.helpTopic.clear();
    return line;
  } catch (const CLI::ParseError& e) {
    throw UsageError(UsageMessage(e));
  }
  if (line.kind == CommandKind::kVersion) return line;
  const std::vector<CLI::App*> chosen = app.get_subcommands();
  if (chosen.empty()) {
    const std::vector<std::string> extras = app.remaining();
    throw UsageError(extras.empty() ? "no command given"
                                    : "unknown command \"" + extras.front() + "\"");
  }
  const std::string name = chosen.front()->get_name();
  RefuseExtras(app.remaining(), name);
  const Command* command = FindCommand(name);
  if (command == nullptr) {
    line.kind = CommandKind::kHelp;
    return line;
  }
  RefuseExtras(chosen.front()->remaining(), name);
  line.kind = command->kind;
  if (command->project == Command::Project::kRequired && !line.project) {
    throw UsageError(name + " needs a project file");
  }
  if (command->kind == CommandKind::kPreview && !line.choices.text) {
    throw UsageError("preview needs --text TEXT");
  }
  if (command->output != nullptr) {
    if (!line.output) throw UsageError(name + " needs -o NAME");
    const std::filesystem::path name = std::filesystem::path(*line.output).filename();
    if (name.empty() || name == "." || name == "..") {
      throw UsageError("-o: \"" + *line.output + "\" names a folder, not a file");
    }
  }
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
