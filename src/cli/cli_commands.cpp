#include "cli/cli_commands.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>

#include "files/atomic_file.h"
#include "files/project_file.h"
#include "files/preview_image.h"
#include "files/sheet_export.h"
#include "raster/freetype_rasterizer.h"
#include "sheet/bmfont_model.h"
#include "sheet/character_sets.h"
#include "sheet/error_text.h"
#include "sheet/glyph_layout.h"
#include "sheet/missing_glyphs.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_font.h"
#include "sheet/text_preview.h"
#include "sheet/unicode_text.h"
#include "sheet/windows1252.h"

namespace glyphsheet::cli {

namespace {

template <class T>
T Check(Result<T> result) {
  if (!result) throw Failure(result.error());
  return std::move(result).value();
}

std::string InstalledFace(const std::string& name, const std::vector<std::string>& typefaces) {
  if (auto face = FindTypeface(name, typefaces)) return *face;
  throw Failure(EnglishText(FaceNotInstalled(name)) +
                " (glyphsheet-cli fonts lists the installed ones)");
}

// Text followed by spaces up to a width counted in characters, not bytes.
std::string PadRight(std::string text, size_t width) {
  const size_t characters = static_cast<size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  if (characters < width) text.append(width - characters, ' ');
  return text;
}

// Rejected characters named in a message before the rest are only counted.
constexpr size_t kRejectedNamed = 10;

// The first characters of a list by name, the rest counted.
std::string CharacterNames(const std::vector<char32_t>& characters,
                           const std::function<std::string(char32_t)>& name = DescribeCharacter) {
  std::string names;
  for (size_t i = 0; i < std::min(characters.size(), kRejectedNamed); ++i) {
    names += (i == 0 ? "" : ", ") + name(characters[i]);
  }
  if (characters.size() > kRejectedNamed) {
    names += " and " + std::to_string(characters.size() - kRejectedNamed) + " more";
  }
  return names;
}

// The characters of UTF-8 text from byte `start` on; the first byte that is
// not UTF-8 is an Error naming `where` and its offset in the text.
template <class Error>
std::u32string DecodeText(std::string_view text, size_t start, const std::string& where) {
  std::u32string decoded;
  for (size_t pos = start; pos < text.size();) {
    const size_t at = pos;
    const std::optional<char32_t> ch = DecodeUtf8(text, pos);
    if (!ch) throw Error(where + ": invalid UTF-8 at byte " + std::to_string(at));
    decoded.push_back(*ch);
  }
  return decoded;
}

// Characters given as `where`, unless one cannot be a glyph: an Error naming
// each such one and why.
template <class Error>
std::u32string GlyphCharacters(std::u32string characters, const std::string& where) {
  const std::vector<char32_t> refused = RefusedCharacters(characters);
  if (refused.empty()) return characters;
  throw Error(where + ": not a character a sheet can hold: " +
              CharacterNames(refused, [](char32_t ch) {
                return NumberedCharacter(ch) + " (" + std::string(*CharacterRefusal(ch)) + ")";
              }));
}

// The characters of one --chars, --chars-file, --range or --charset, in
// order; `font` gives those of --charset font. A file may start with a UTF-8
// byte-order mark; its line ends are skipped. What is wrong with a file is a
// failure, with the options' own values wrong usage.
std::u32string SourceCharacters(const CharSource& source, const RasterFont& font) {
  using Kind = CharSource::Kind;
  switch (source.kind) {
    case Kind::kText:
      return GlyphCharacters<UsageError>(DecodeText<UsageError>(source.value, 0, "--chars"),
                                         "--chars");
    case Kind::kFile: {
      const std::vector<uint8_t> bytes = Check(ReadFileBytes(source.value));
      const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
      const std::string where = "\"" + source.value + "\"";
      std::u32string characters =
          DecodeText<Failure>(text, text.starts_with("\xEF\xBB\xBF") ? 3 : 0, where);
      std::erase_if(characters, [](char32_t c) { return c == U'\n' || c == U'\r'; });
      return GlyphCharacters<Failure>(std::move(characters), where);
    }
    case Kind::kRange: {
      const CodeRange range = ParseCodeRange(source.value).value();  // checked when parsed
      std::u32string characters;
      for (char32_t ch = range.first; ch <= range.last && ch != 0x110000; ++ch) {
        if (!CharacterRefusal(ch)) characters.push_back(ch);
      }
      return characters;
    }
    case Kind::kCharset: {
      std::vector<char32_t> codes = source.value == "font"
                                        ? font.MappedCharacters()
                                        : CharacterSetCodes(source.value).value_or(
                                              std::vector<char32_t>{});
      std::erase_if(codes, [](char32_t c) { return CharacterRefusal(c).has_value(); });
      return std::u32string(codes.begin(), codes.end());
    }
  }
  return {};
}

// Adds the characters of the command line's sources, in order.
void AddCharacters(const SettingOverrides& s, SheetDocument& doc, const RasterFont& font) {
  for (const CharSource& source : s.chars) {
    const std::u32string characters = SourceCharacters(source, font);
    doc.AddGlyphs(std::span<const char32_t>(characters.data(), characters.size()));
  }
}

// Counts the characters the font lacks and does with them as --missing says.
void HandleMissing(SheetDocument& doc, const RasterFont& font, MissingGlyphs missing,
                   std::ostream& err) {
  const std::vector<char32_t> lacking = MissingCharacters(doc.glyphs, font);
  if (lacking.empty()) return;
  const std::string names = CharacterNames(lacking, NumberedCharacter);
  const std::string what = "typeface " + Quoted(doc.font.faceName) + " has no glyph for " +
                           std::to_string(lacking.size()) +
                           (lacking.size() == 1 ? " character: " : " characters: ") +
                           PrintableText(names);
  if (missing == MissingGlyphs::kFail) throw Failure(what + " (--missing fail)");
  if (missing == MissingGlyphs::kSkip) {
    doc.glyphs = WithoutCharacters(doc.glyphs, lacking);
    err << "glyphsheet-cli: warning: " << what << "; left out (--missing skip)\n";
  } else {
    err << "glyphsheet-cli: warning: " << what
        << "; drawn as the font's missing-glyph box (--missing skip leaves them out)\n";
  }
}

void ApplyOverrides(const SettingOverrides& s, SheetDocument& doc,
                    const std::vector<std::string>& typefaces) {
  if (s.face) doc.font.faceName = InstalledFace(*s.face, typefaces);
  doc.font.pointSize = s.pointSize.value_or(doc.font.pointSize);
  doc.font.weight = s.weight.value_or(doc.font.weight);
  doc.font.quality = s.quality.value_or(doc.font.quality);
  doc.font.smoothing = s.smoothing.value_or(doc.font.smoothing);
  doc.font.distanceField = s.distanceField.value_or(doc.font.distanceField);
  doc.font.italic = s.italic.value_or(doc.font.italic);
  doc.sheetWidth = s.sheetWidth.value_or(doc.sheetWidth);
  doc.sheetHeight = s.sheetHeight.value_or(doc.sheetHeight);
  doc.borders = s.borders.value_or(doc.borders);
}

// The font file a command uses instead of the installed fonts: --font-file,
// else the project's own unless --face picks an installed typeface; none
// (an empty path) for the installed fonts.
struct FontFile {
  std::string path;
  int32_t index = 0;
};

FontFile ChosenFontFile(const SettingOverrides& s, const std::optional<ProjectData>& project) {
  if (s.fontFile) return {*s.fontFile, s.faceIndex.value_or(0)};
  if (project && !project->fontFile.empty() && !s.face) {
    return {project->fontFile, project->fontFileIndex};
  }
  return {};
}

// The rasterizer of new and export: the installed fonts, or the one face of
// the font file.
std::unique_ptr<FreeTypeRasterizer> MakeRasterizer(const FontFile& file) {
  if (file.path.empty()) return std::make_unique<FreeTypeRasterizer>();
  return Check(FreeTypeRasterizer::FromFontFile(file.path, file.index));
}

// The document a command works on: the start-up defaults in the default
// typeface, then the project (if any), then the command-line settings. A
// --font-file's family takes the place of the project's face.
SheetDocument PrepareDocument(const CommandLine& line, const FreeTypeRasterizer& rasterizer,
                              std::optional<ProjectData> project) {
  const SettingOverrides& s = line.settings;
  const std::vector<std::string> typefaces = rasterizer.ListTypefaces();
  SheetDocument doc;
  doc.font.faceName = rasterizer.DefaultTypeface();
  if (project) {
    const std::string storedFace = project->font.faceName;
    const bool ownFile = !project->fontFile.empty();
    const ApplyOutcome outcome = ApplyProject(std::move(*project), doc, typefaces);
    // A project's own font file gives its typeface whatever it is named.
    if (outcome.face == LoadTake::kKept && ownFile && !s.face && !s.fontFile) {
      doc.font.faceName = typefaces.front();
    } else if (outcome.face == LoadTake::kKept && !s.face && !s.fontFile) {
      throw Failure(Quoted(*line.project) + ": " + EnglishText(FaceNotInstalled(storedFace)) +
                    "; choose another with --face");
    }
  }
  if (s.fontFile && s.face && !FindTypeface(*s.face, typefaces)) {
    throw Failure("typeface " + Quoted(*s.face) + " is not the one of \"" + *s.fontFile +
                  "\" (" + Quoted(typefaces.front()) + ")");
  }
  ApplyOverrides(s, doc, typefaces);
  if (doc.font.faceName.empty()) throw Failure("no typeface is installed");
  return doc;
}

std::string SizeText(int32_t width, int32_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

std::string GlyphCountText(size_t count) {
  return std::to_string(count) + (count == 1 ? " glyph" : " glyphs");
}

int RunFonts(std::ostream& out) {
  FreeTypeRasterizer rasterizer;
  for (const std::string& face : rasterizer.ListTypefaces()) out << face << '\n';
  return 0;
}

// The document of a command line with its characters, and the font they
// were checked against.
struct PreparedSheet {
  SheetDocument doc;
  std::unique_ptr<RasterFont> font;
  /// The font file the typeface comes from; none for an installed one.
  FontFile fontFile;
};

// With --fit: the sheet size of least area that holds every cell, said on `out`.
void FitSheet(SheetDocument& doc, const RasterFont& font, const SettingOverrides& s,
              std::ostream& out) {
  if (!s.fit) return;
  if (const std::optional<SheetSize> size = SmallestSheetThatFits(doc, &font, s.fitLimit)) {
    doc.sheetWidth = size->width;
    doc.sheetHeight = size->height;
    out << "chose a " << SizeText(doc.sheetWidth, doc.sheetHeight)
        << " sheet, the smallest that holds every cell\n";
  } else {
    doc.sheetWidth = doc.sheetHeight = s.fitLimit;
    out << "chose a " << SizeText(doc.sheetWidth, doc.sheetHeight)
        << " sheet: none up to --max-size holds every cell on one page\n";
  }
}

PreparedSheet PrepareSheet(const CommandLine& line, std::ostream& out, std::ostream& err) {
  std::optional<ProjectData> project;
  if (line.project) project = Check(ReadProjectFile(*line.project));
  PreparedSheet sheet;
  sheet.fontFile = ChosenFontFile(line.settings, project);
  const auto rasterizer = MakeRasterizer(sheet.fontFile);
  sheet.doc = PrepareDocument(line, *rasterizer, std::move(project));
  sheet.font = Check(CreateSheetFont(*rasterizer, sheet.doc.font));
  AddCharacters(line.settings, sheet.doc, *sheet.font);
  HandleMissing(sheet.doc, *sheet.font, line.choices.missing, err);
  FitSheet(sheet.doc, *sheet.font, line.settings, out);
  return sheet;
}

int RunCharsets(std::ostream& out) {
  for (const CharacterSetInfo& set : CharacterSets()) {
    std::string count = set.count > 0 ? std::to_string(set.count) : "";
    out << PadRight(std::string(set.name), 15) << PadRight(count, 7) << set.description << '\n';
  }
  return 0;
}

int RunNew(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const PreparedSheet sheet = PrepareSheet(line, out, err);
  const SheetDocument& doc = sheet.doc;
  ProjectData project = ProjectFromDocument(doc);
  // The project keeps the font file by its absolute path, so it opens from anywhere.
  if (!sheet.fontFile.path.empty()) {
    project.fontFile = std::filesystem::absolute(sheet.fontFile.path).lexically_normal().string();
    project.fontFileIndex = sheet.fontFile.index;
  }
  LockWaiting waiting;
  waiting.onWait = [&err, &line] {
    err << "glyphsheet-cli: waiting for another GlyphSheet run writing \""
        << PrintableText(OutputLock::SetOf(*line.output).string()) << "\" to finish\n";
  };
  Check(WriteProjectFile(*line.output, project, waiting));
  out << "wrote " << PrintableText(*line.output) << ": " << PrintableText(doc.font.faceName) << " "
      << doc.font.pointSize << " pt, "
      << (doc.font.distanceField > 0
              ? "distance field spread " + std::to_string(doc.font.distanceField) + ", "
              : std::string())
      << SizeText(doc.sheetWidth, doc.sheetHeight) << " sheet, "
      << GlyphCountText(doc.glyphs.size()) << '\n';
  return 0;
}

// The sheet of a command line, laid out on as many pages as it may fill.
PreparedSheet BuildSheet(const CommandLine& line, int32_t maxPages, std::ostream& out,
                         std::ostream& err) {
  PreparedSheet sheet = PrepareSheet(line, out, err);
  sheet.doc.maxPages = maxPages;
  LayOutSheet(sheet.doc, sheet.font.get());
  return sheet;
}

// The files of an export as a list: "a, b and c".
std::string FileList(const ExportedFiles& files) {
  std::vector<std::filesystem::path> all = files.images;
  all.push_back(files.descriptor);
  std::string text;
  for (size_t i = 0; i < all.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == all.size() ? " and " : ", ") + PrintableText(all[i].string());
  }
  return text;
}

void WarnOffSheet(const SheetDocument& doc, std::ostream& err) {
  if (const size_t off = doc.layout.offSheet; off > 0) {
    err << "glyphsheet-cli: warning: " << off << " of " << GlyphCountText(doc.glyphs.size())
        << " do not lie wholly on the sheet (their cells reach past its bottom or right edge "
           "and are cut off); use a larger sheet or a smaller font\n";
  }
}

// The glyphs an export holds on its sheet or pages: all of the document's,
// or how many of them when some cells do not lie wholly there. The document
// is laid out as the form is written (the TGA on one sheet, so the export
// lays out no copy), and its layout counts them.
std::string WrittenGlyphsText(const SheetDocument& doc, bool pages) {
  const size_t all = doc.glyphs.size();
  const size_t off = doc.layout.offSheet;
  if (off == 0) return GlyphCountText(all);
  return std::to_string(all - off) + " of " + GlyphCountText(all) +
         (pages ? " on the pages" : " on the sheet");
}

int RunExport(const CommandLine& line, std::ostream& out, std::ostream& err) {
  // A BMFont export continues on further pages; the TGA is one sheet.
  const bool pages = line.choices.format != SheetFormat::kTgaXml;
  const PreparedSheet sheet = BuildSheet(line, pages ? INT32_MAX : 1, out, err);
  const SheetDocument& doc = sheet.doc;
  if (line.choices.maxPages && doc.layout.pages > *line.choices.maxPages) {
    throw Failure("the cells need " + std::to_string(doc.layout.pages) + " pages of " +
                  SizeText(doc.sheetWidth, doc.sheetHeight) + "; --max-pages allows " +
                  std::to_string(*line.choices.maxPages));
  }
  ExportOptions options;
  options.format = line.choices.format;
  options.kerning = line.choices.kerning;
  options.replaceProject = line.choices.force;
  ExportObserver observer;
  observer.notify = [&err](const std::string& message) {
    err << "glyphsheet-cli: " << PrintableText(message) << '\n';
  };
  Result<ExportedFiles> exported =
      ExportSheetFiles(*line.output, doc, sheet.font.get(), options, observer);
  if (!exported && (exported.failure().detail.problem == Problem::kHoldsProject ||
                    exported.failure().detail.problem == Problem::kCannotTellProject)) {
    throw Failure(exported.error() + " (--force replaces it)");
  }
  const ExportedFiles files = Check(std::move(exported));
  out << "wrote " << FileList(files) << ": "
      << (files.images.size() > 1 ? std::to_string(files.images.size()) + " pages of " : "")
      << SizeText(doc.sheetWidth, doc.sheetHeight) << (files.images.size() > 1 ? ", " : " sheet, ")
      << WrittenGlyphsText(doc, files.images.size() > 1) << '\n';
  WarnOffSheet(doc, err);
  return 0;
}

int RunPreview(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const std::u32string text = DecodeText<UsageError>(*line.choices.text, 0, "--text");
  // The text is set across every page the cells take; only the pages it
  // uses are drawn, each at most as large as the largest sheet offered.
  const PreparedSheet sheet = BuildSheet(line, INT32_MAX, out, err);
  const SheetDocument& doc = sheet.doc;
  WarnOffSheet(doc, err);
  const BmFont described = DescribeBmFont(
      doc, sheet.font.get(), std::vector<std::string>(static_cast<size_t>(doc.layout.pages)),
      line.choices.kerning);
  // An image too large to hold is refused before anything is drawn.
  const PreviewSize size = TextPreviewSize(described, text, line.choices.scale);
  if (size.width > kSheetSideRange.max || size.height > kSheetSideRange.max) {
    throw Failure("the preview image would be " + std::to_string(size.width) + " x " +
                  std::to_string(size.height) + " pixels, more than the " + std::to_string(kSheetSideRange.max) +
                  " on each side that an image may have here (a smaller --scale or a shorter "
                  "--text fits)");
  }
  std::vector<PixelBitmap> pages(static_cast<size_t>(doc.layout.pages));
  constexpr int32_t kLargestSide = kSheetSizeChoices[std::size(kSheetSizeChoices) - 1];
  for (const BmFontChar& c : described.chars) {
    PixelBitmap& page = pages[static_cast<size_t>(c.page)];
    if (page.Width() > 0 || text.find(static_cast<char32_t>(c.id)) == std::u32string::npos) continue;
    page.Create(std::clamp(doc.sheetWidth, 1, kLargestSide), std::clamp(doc.sheetHeight, 1, kLargestSide));
    DrawPage(doc, sheet.font.get(), c.page, page);
  }
  const TextPreview preview = SetTextWithSheet(described, pages, text, line.choices.scale);
  if (!preview.skipped.empty()) {
    err << "glyphsheet-cli: warning: not on the sheet, so skipped: "
        << PrintableText(CharacterNames(preview.skipped)) << '\n';
  }
  Check(WritePreviewImage(*line.output, preview));
  out << "wrote " << PrintableText(*line.output) << ": " << SizeText(preview.width, preview.height)
      << " image\n";
  return 0;
}

// A note after a stored value that a load would not take as it is.
std::string LoadNote(LoadTake take, const std::string& note) {
  return take == LoadTake::kTaken ? "" : "  (" + note + ")";
}

int RunShow(const CommandLine& line, std::ostream& out) {
  const ProjectData p = Check(ReadProjectFile(*line.project));
  // What a load would do with each stored value, as the window and export do it.
  SheetDocument loaded;
  const ApplyOutcome load =
      ApplyProject(ProjectData{p.sheetWidth, p.sheetHeight, p.borders, p.font, {}, {}, 0}, loaded, {});
  const CellBorders& b = p.borders;
  const FontSettings& f = p.font;
  std::string quality = std::to_string(f.quality);
  if (f.quality == kQualityAntialiased) quality += " (anti-aliased)";
  else if (f.quality == kQualityAliased) quality += " (aliased)";
  else quality += LoadNote(load.quality, "not a choice; a load keeps the current quality");

  out << "project:    " << PrintableText(*line.project) << '\n'
      << "sheet size: " << SizeText(p.sheetWidth, p.sheetHeight) << '\n'
      << "borders:    left " << b.left << ", top " << b.top << ", right " << b.right
      << ", bottom " << b.bottom
      << LoadNote(load.borders, "a load holds each to " + kBorderRange.Text()) << '\n'
      << "face:       " << Quoted(f.faceName) << '\n';
  if (!p.fontFile.empty()) {
    out << "font file:  " << Quoted(p.fontFile) << " (face " << p.fontFileIndex << ")\n";
  }
  out
      << "point size: " << f.pointSize
      << LoadNote(load.pointSize, "a load holds it to " + kPointSizeRange.Text()) << '\n'
      << "weight:     " << f.weight
      << LoadNote(load.weight, "not a choice; a load keeps the current weight") << '\n'
      << "quality:    " << quality << '\n'
      << "smoothing:  " << f.smoothing
      << LoadNote(load.smoothing, "not a choice; a load keeps the current factor") << '\n'
      << "italic:     " << f.italic << (f.italic != 0 ? " (italic)" : " (upright)") << '\n'
      << "field:      "
      << (f.distanceField > 0 ? "signed distance, spread " + std::to_string(f.distanceField)
                              : std::string("off (coverage)"))
      << '\n'
      << "glyphs:     " << p.glyphs.size() << '\n';
  if (p.glyphs.empty()) return 0;
  out << "  character  left border  right border\n";
  for (const Glyph g : p.glyphs) {
    char borders[32];
    std::snprintf(borders, sizeof borders, "  %11d  %12d\n", int{g.leftBorder},
                  int{g.rightBorder});
    out << "  " << PadRight(NumberedCharacter(g.code), 9) << borders;
  }
  return 0;
}

}  // namespace

int RunCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
  switch (line.kind) {
    case CommandKind::kHelp:
      out << UsageText(line.helpTopic);
      return 0;
    case CommandKind::kVersion:
      out << "glyphsheet-cli " << GLYPHSHEET_VERSION << '\n';
      return 0;
    case CommandKind::kFonts:
      return RunFonts(out);
    case CommandKind::kCharsets:
      return RunCharsets(out);
    case CommandKind::kNew:
      return RunNew(line, out, err);
    case CommandKind::kShow:
      return RunShow(line, out);
    case CommandKind::kExport:
      return RunExport(line, out, err);
    case CommandKind::kPreview:
      return RunPreview(line, out, err);
  }
  return 0;
}

}  // namespace glyphsheet::cli
