#include "raster/typeface_catalog.h"

#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "sheet/settings.h"
#include "sheet/unicode_text.h"

namespace glyphsheet::raster {
namespace {

struct ConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

constexpr FT_UShort kFsSelectionItalic = 0x0001;
constexpr FT_UShort kFsSelectionBold = 0x0020;

// UTF-16BE (Windows name records) to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16BeToUtf8(const FT_Byte* bytes, FT_UInt length) {
  std::string out;
  for (FT_UInt i = 0; i + 1 < length; i += 2) {
    char32_t unit = static_cast<char32_t>(bytes[i] << 8 | bytes[i + 1]);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < length) {
      const char32_t low = static_cast<char32_t>(bytes[i + 2] << 8 | bytes[i + 3]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;
    out += Utf8(unit);
  }
  return out;
}

// Macintosh Roman name records: ASCII passes, anything else is read as Latin-1.
std::string MacRomanToUtf8(const FT_Byte* bytes, FT_UInt length) {
  std::string out;
  for (FT_UInt i = 0; i < length; ++i) out += Utf8(bytes[i]);
  return out;
}

// Lower is better; INT_MAX means the record is not usable as a family name.
int FamilyRecordRank(const FT_SfntName& name) {
  if (name.name_id != TT_NAME_ID_FONT_FAMILY) return INT_MAX;
  if (name.platform_id == TT_PLATFORM_MICROSOFT &&
      (name.encoding_id == TT_MS_ID_SYMBOL_CS || name.encoding_id == TT_MS_ID_UNICODE_CS ||
       name.encoding_id == TT_MS_ID_UCS_4)) {
    if (name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES) return 0;
    if ((name.language_id & 0x3FF) == 0x09) return 1;
    return 2;
  }
  if (name.platform_id == TT_PLATFORM_MACINTOSH && name.encoding_id == TT_MAC_ID_ROMAN &&
      name.language_id == TT_MAC_LANGID_ENGLISH) {
    return 3;
  }
  return INT_MAX;
}

FaceFile DescribeFace(FT_Face face, std::string path, int32_t index) {
  FaceFile file{std::move(path), index, false, false};
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) {
    file.bold = (os2->fsSelection & kFsSelectionBold) != 0;
    file.italic = (os2->fsSelection & kFsSelectionItalic) != 0;
  } else {
    file.bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    file.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  }
  return file;
}

// A font file and a face index in it.
using FaceKey = std::pair<std::string, int32_t>;

// The font files fontconfig knows that may hold outlines: (path, face index),
// without duplicates and without named instances of variable fonts.
std::set<FaceKey> ListOutlineFiles(FcConfig* config) {
  std::set<FaceKey> files;
  std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
      FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FONTFORMAT, FC_OUTLINE, FC_SCALABLE, nullptr));
  if (!pattern || !objects) return files;
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
      FcFontList(config, pattern.get(), objects.get()));
  if (!fonts) return files;
  for (int i = 0; i < fonts->nfont; ++i) {
    FcPattern* font = fonts->fonts[i];
    FcChar8* file = nullptr;
    int index = 0;
    FcChar8* format = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) continue;
    if (FcPatternGetInteger(font, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) == FcResultMatch) {
      const std::string kind(reinterpret_cast<const char*>(format));
      if (kind != "TrueType" && kind != "CFF") continue;
    }
    if ((index >> 16) != 0) continue;  // a named instance; its default face is listed too
    files.emplace(reinterpret_cast<const char*>(file), index);
  }
  return files;
}

// The face fontconfig picks for text that asks for `pattern`, after the
// configuration's substitutions and defaults, as a desktop would; a named
// instance of a variable font counts as its default face.
std::optional<FaceKey> MatchFace(FcConfig* config, FcPattern* pattern) {
  if (pattern == nullptr || !FcConfigSubstitute(config, pattern, FcMatchPattern)) {
    return std::nullopt;
  }
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  std::unique_ptr<FcPattern, PatternDeleter> match(FcFontMatch(config, pattern, &result));
  FcChar8* file = nullptr;
  int index = 0;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    return std::nullopt;
  }
  if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  return FaceKey{reinterpret_cast<const char*>(file), index & 0xFFFF};
}

// The face for text that asks only for "sans-serif".
std::optional<FaceKey> MatchSansSerif(FcConfig* config) {
  // In a font name a bare '-' starts the point sizes ("sans" at size "serif").
  std::unique_ptr<FcPattern, PatternDeleter> pattern(
      FcNameParse(reinterpret_cast<const FcChar8*>("sans\\-serif")));
  return MatchFace(config, pattern.get());
}

// The name of the listed typeface that holds the face, or `fallback`.
std::string TypefaceHolding(const std::vector<Typeface>& typefaces,
                            const std::optional<FaceKey>& key, const std::string& fallback) {
  const auto holds = [&key](const Typeface& typeface) {
    return key && std::ranges::any_of(typeface.faces, [&key](const FaceFile& face) {
             return FaceKey{face.path, face.index} == *key;
           });
  };
  const auto found = std::ranges::find_if(typefaces, holds);
  return found != typefaces.end() ? found->name : fallback;
}

}  // namespace

std::string WindowsFamilyName(FT_Face face) {
  int bestRank = INT_MAX;
  std::string best;
  const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
  for (FT_UInt i = 0; i < count; ++i) {
    FT_SfntName name;
    if (FT_Get_Sfnt_Name(face, i, &name) != 0) continue;
    const int rank = FamilyRecordRank(name);
    if (rank >= bestRank) continue;
    std::string text = name.platform_id == TT_PLATFORM_MICROSOFT
                           ? Utf16BeToUtf8(name.string, name.string_len)
                           : MacRomanToUtf8(name.string, name.string_len);
    if (text.empty()) continue;
    bestRank = rank;
    best = std::move(text);
  }
  if (best.empty() && face->family_name != nullptr) best = face->family_name;
  return best;
}

Result<Typeface> ReadTypeface(FT_Library library, const std::string& path, int32_t index) {
  auto face = OpenFace(library, path, index);
  if (!face && index > 0) {
    // Face -1 only counts the faces of the file.
    if (auto count = OpenFace(library, path, -1); count && index >= count.value()->num_faces) {
      return FontError(Problem::kFaceIndex, path, {count.value()->num_faces, index});
    }
  }
  if (!face) return face.failure();
  FT_Face ft = face.value().get();
  if (!FT_IS_SFNT(ft) || !FT_IS_SCALABLE(ft) || ft->num_glyphs <= 0) {
    return FontError(Problem::kNoOutlines, path, {index});
  }
  std::string name = WindowsFamilyName(ft);
  if (name.empty()) return FontError(Problem::kNoFamilyName, path);
  return Typeface{std::move(name), {DescribeFace(ft, path, index)}};
}

TypefaceScan ScanTypefaces(FT_Library library) {
  TypefaceScan scan;
  std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
  if (!config) return scan;
  std::map<std::string, Typeface> byKey;  // ordered by folded name
  for (const auto& [path, index] : ListOutlineFiles(config.get())) {
    auto read = ReadTypeface(library, path, index);
    if (!read) continue;
    Typeface& typeface = byKey[FoldCase(read.value().name)];
    if (typeface.name.empty() || read.value().name < typeface.name) {
      typeface.name = read.value().name;
    }
    typeface.faces.push_back(read.value().faces.front());
  }
  scan.typefaces.reserve(byKey.size());
  for (auto& entry : byKey) scan.typefaces.push_back(std::move(entry.second));
  if (scan.typefaces.empty()) return scan;
  scan.sansSerif =
      TypefaceHolding(scan.typefaces, MatchSansSerif(config.get()), scan.typefaces.front().name);
  return scan;
}

std::string ClosestTypeface(const TypefaceScan& scan, const std::string& family) {
  std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
  std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  if (!config || !pattern) return scan.sansSerif;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  return TypefaceHolding(scan.typefaces, MatchFace(config.get(), pattern.get()), scan.sansSerif);
}

const FaceFile& ChooseFace(const Typeface& typeface, bool bold, bool italic) {
  const FaceFile* best = &typeface.faces.front();
  int bestScore = -1;
  for (const FaceFile& face : typeface.faces) {
    const int score = (face.bold == bold ? 2 : 0) + (face.italic == italic ? 1 : 0);
    if (score > bestScore) {
      bestScore = score;
      best = &face;
    }
  }
  return *best;
}

}  // namespace glyphsheet::raster
