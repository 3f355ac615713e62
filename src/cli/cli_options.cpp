#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <utility>

namespace glyphsheet::cli {

namespace {

int32_t ParseInt(const std::string& option, const std::string& text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) {
    throw UsageError(option + ": \"" + text + "\" is not a whole number");
  }
  return value;
}

int32_t ParseInRange(const std::string& option, const std::string& text, int32_t low,
                     int32_t high) {
  const int32_t value = ParseInt(option, text);
  if (value < low || value > high) {
    throw UsageError(option + ": " + text + " is outside " + std::to_string(low) + ".." +
                     std::to_string(high));
  }
  return value;
}

template <size_t N>
int32_t ParseChoice(const std::string& option, const std::string& text,
                    const int32_t (&choices)[N]) {
  const int32_t value = ParseInt(option, text);
  if (std::find(std::begin(choices), std::end(choices), value) == std::end(choices)) {
    std::string list;
    for (int32_t choice : choices) list += (list.empty() ? "" : ", ") + std::to_string(choice);
    throw UsageError(option + ": " + text + " is not one of " + list);
  }
  return value;
}

CellBorders ParseBorders(const std::string& option, const std::string& text) {
  int32_t values[4] = {};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t comma = text.find(',', start);
    const bool last = i == 3;
    if (last != (comma == std::string::npos)) {
      throw UsageError(option + ": \"" + text + "\" is not four numbers L,T,R,B");
    }
    const std::string part = text.substr(start, last ? std::string::npos : comma - start);
    values[i] = ParseInRange(option, part, kMinBorder, kMaxBorder);
    start = comma + 1;
  }
  return CellBorders{values[0], values[1], values[2], values[3]};
}

CommandKind ParseCommand(const std::string& word) {
  static const std::map<std::string, CommandKind> kCommands = {
      {"--help", CommandKind::kHelp},   {"-h", CommandKind::kHelp},
      {"help", CommandKind::kHelp},     {"--version", CommandKind::kVersion},
      {"fonts", CommandKind::kFonts},   {"new", CommandKind::kNew},
      {"show", CommandKind::kShow},     {"export", CommandKind::kExport}};
  const auto found = kCommands.find(word);
  if (found == kCommands.end()) throw UsageError("unknown command \"" + word + "\"");
  return found->second;
}

// Walks the arguments of one command; options take their value either joined
// (--size=12) or as the next argument (--size 12).
class ArgumentWalker {
 public:
  explicit ArgumentWalker(const std::vector<std::string>& args) : args_(args) {}

  bool Done() const { return next_ >= args_.size(); }

  /// The next argument as it is.
  std::string TakeWhole() {
    joined_.reset();
    return args_[next_++];
  }

  /// The next argument; an option's "=value" part is split off.
  std::string Take() {
    std::string arg = args_[next_++];
    joined_.reset();
    if (arg.starts_with("--")) {
      if (const size_t eq = arg.find('='); eq != std::string::npos) {
        joined_ = arg.substr(eq + 1);
        arg.resize(eq);
      }
    }
    return arg;
  }

  std::string Value(const std::string& option) {
    if (joined_) return *std::exchange(joined_, std::nullopt);
    if (Done()) throw UsageError(option + " needs a value");
    return args_[next_++];
  }

  /// Fails when a flag was given a value.
  void NoValue(const std::string& option) const {
    if (joined_) throw UsageError(option + " takes no value");
  }

 private:
  const std::vector<std::string>& args_;
  size_t next_ = 1;
  std::optional<std::string> joined_;
};

// Takes one setting option; false when the option is not a setting.
bool TakeSetting(const std::string& option, ArgumentWalker& walker, SettingOverrides& s) {
  static const std::map<std::string, std::pair<std::optional<int32_t> SettingOverrides::*, int32_t>>
      kFlags = {{"--aliased", {&SettingOverrides::quality, kQualityAliased}},
                {"--antialiased", {&SettingOverrides::quality, kQualityAntialiased}},
                {"--italic", {&SettingOverrides::italic, 1}},
                {"--upright", {&SettingOverrides::italic, 0}}};
  if (const auto flag = kFlags.find(option); flag != kFlags.end()) {
    walker.NoValue(option);
    s.*(flag->second.first) = flag->second.second;
    return true;
  }
  if (option == "--face") {
    s.face = walker.Value(option);
  } else if (option == "--size") {
    s.pointSize = ParseInRange(option, walker.Value(option), kMinPointSize, kMaxPointSize);
  } else if (option == "--weight") {
    s.weight = ParseChoice(option, walker.Value(option), kWeightChoices);
  } else if (option == "--smoothing") {
    s.smoothing = ParseInRange(option, walker.Value(option), kMinSmoothing, kMaxSmoothing);
  } else if (option == "--width") {
    s.sheetWidth = ParseChoice(option, walker.Value(option), kSheetSizeChoices);
  } else if (option == "--height") {
    s.sheetHeight = ParseChoice(option, walker.Value(option), kSheetSizeChoices);
  } else if (option == "--borders") {
    s.borders = ParseBorders(option, walker.Value(option));
  } else if (option == "--chars") {
    s.chars.push_back(CharSource{false, walker.Value(option)});
  } else if (option == "--chars-file") {
    s.chars.push_back(CharSource{true, walker.Value(option)});
  } else {
    return false;
  }
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  if (args.empty()) throw UsageError("no command given");
  line.kind = ParseCommand(args[0]);
  const bool takesSettings = line.kind == CommandKind::kNew || line.kind == CommandKind::kExport;
  const bool takesProject = line.kind == CommandKind::kShow || line.kind == CommandKind::kExport;
  auto takeOperand = [&](const std::string& arg) {
    if (!takesProject || line.project) {
      throw UsageError("unexpected argument \"" + arg + "\" for " + args[0]);
    }
    line.project = arg;
  };
  ArgumentWalker walker(args);
  bool optionsEnded = false;
  while (!walker.Done()) {
    if (optionsEnded) {
      takeOperand(walker.TakeWhole());
      continue;
    }
    const std::string arg = walker.Take();
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg.size() < 2 || arg[0] != '-') {
      takeOperand(arg);
    } else if (arg == "--help" || arg == "-h") {
      walker.NoValue(arg);
      line.kind = CommandKind::kHelp;
      return line;
    } else if (takesSettings && (arg == "-o" || arg == "--output")) {
      line.output = walker.Value(arg);
    } else if (!takesSettings || !TakeSetting(arg, walker, line.settings)) {
      throw UsageError("unknown option \"" + arg + "\" for " + args[0]);
    }
  }
  if (line.kind == CommandKind::kShow && !line.project) {
    throw UsageError("show needs a project file");
  }
  if (takesSettings && !line.output) throw UsageError(args[0] + " needs -o NAME");
  if (takesSettings && std::filesystem::path(*line.output).filename().empty()) {
    throw UsageError("-o: \"" + *line.output + "\" names a folder, not a file");
  }
  return line;
}

const char* UsageText() {
  return R"(usage:
  glyphsheet-cli fonts
  glyphsheet-cli new -o PROJECT.fnt [settings]
  glyphsheet-cli show PROJECT.fnt
  glyphsheet-cli export [PROJECT.fnt] [settings] -o NAME
  glyphsheet-cli --help | --version

commands:
  fonts    list the installed typefaces, one a line
  new      write a project file from the settings
  show     print every field of a project file
  export   build the sheet and write NAME.tga and NAME.xml (the extension of
           NAME is replaced); settings override those of the project, and
           without a project the start-up defaults apply (first typeface,
           11 pt, weight 400, anti-aliased, smoothing 1, upright, 256 x 256,
           borders 0, no characters)

settings:
  --face NAME            an installed typeface (letter case does not matter)
  --size N               point size, 5..100
  --weight N             400, 600 or 700
  --aliased              black and white pixels only
  --antialiased          grey levels
  --smoothing N          supersampling factor, 1..4
  --italic, --upright
  --width N, --height N  sheet size: 64, 128, 256 or 512
  --borders L,T,R,B      font-wide cell borders, 0..16 each
  --chars TEXT           add these characters (UTF-8, each must exist in
                         Windows-1252); characters already present are skipped
  --chars-file FILE      the same, from a UTF-8 file; line ends are skipped
  Options take their value as the next argument or after "=".

exit status: 0 success, 1 failure, 2 wrong usage
)";
}

}  // namespace glyphsheet::cli
