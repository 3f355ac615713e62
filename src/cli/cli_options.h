#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/sheet_export.h"
#include "sheet/missing_glyphs.h"
#include "sheet/sheet_document.h"

namespace glyphsheet::cli {

/// Wrong use of the command line; the program ends with status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// A failure while doing the work; the program ends with status 1.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// Characters to add, as one option gave them.
struct CharSource {
  enum class Kind {
    kText,     // --chars: the characters of the text
    kFile,     // --chars-file: the characters of a UTF-8 file
    kRange,    // --range: "FIRST-LAST" or one code point
    kCharset,  // --charset: a named set
  };
  Kind kind = Kind::kText;
  std::string value;
};

/// Settings given on the command line; each overrides the project's or the default.
struct SettingOverrides {
  std::optional<std::string> face;
  /// A font file used instead of the installed fonts, and its face index.
  std::optional<std::string> fontFile;
  std::optional<int32_t> faceIndex;
  std::optional<int32_t> pointSize;
  std::optional<int32_t> weight;
  std::optional<int32_t> quality;
  std::optional<int32_t> smoothing;
  std::optional<int32_t> distanceField;
  std::optional<int32_t> italic;
  std::optional<int32_t> sheetWidth;
  std::optional<int32_t> sheetHeight;
  std::optional<CellBorders> borders;
  /// Take the sheet size of least area that holds every cell on one page,
  /// each side up to fitLimit.
  bool fit = false;
  int32_t fitLimit = 4096;
  /// Added in this order after the project's glyphs.
  std::vector<CharSource> chars;
};

/// What the program was asked to do.
enum class CommandKind { kHelp, kVersion, kFonts, kCharsets, kNew, kShow, kExport, kPreview };

/// How export and preview use the sheet.
struct OutputChoices {
  /// export: the files written.
  SheetFormat format = SheetFormat::kTgaXml;
  /// export (BMFont formats) and preview: the font's kerning pairs.
  bool kerning = true;
  /// new, export and preview: what becomes of characters the font lacks.
  MissingGlyphs missing = MissingGlyphs::kKeep;
  /// export (BMFont formats): the most pages the cells may take; none: no limit.
  std::optional<int32_t> maxPages;
  /// export: a BMFont .fnt descriptor may replace a project file.
  bool force = false;
  /// preview: the text set, UTF-8.
  std::optional<std::string> text;
  /// preview: each pixel as scale × scale pixels.
  int32_t scale = 1;
};

/// A parsed command line.
struct CommandLine {
  CommandKind kind = CommandKind::kHelp;
  /// With kHelp: the command whose help was asked for; empty for the program's.
  std::string helpTopic;
  /// The project file named by show or export, if any.
  std::optional<std::string> project;
  /// The -o name of new, export and preview.
  std::optional<std::string> output;
  SettingOverrides settings;
  OutputChoices choices;
};

/// Parses the arguments after the program name; throws UsageError naming the
/// option or value that is wrong.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

/// The help text of the program (topic empty) or of one command, generated
/// from the table of commands and options.
std::string UsageText(const std::string& topic = {});

}  // namespace glyphsheet::cli
