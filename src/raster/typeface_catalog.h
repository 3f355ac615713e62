#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster/freetype_handles.h"

namespace glyphsheet::raster {

/// One face of a typeface: where it lives and its style bits.
struct FaceFile {
  /// Font file path.
  std::string path;
  /// Face index inside the file (collections hold several).
  int32_t index = 0;
  /// OS/2 fsSelection bold bit (or the face's own style flag without OS/2).
  bool bold = false;
  /// OS/2 fsSelection italic bit (or the face's own style flag without OS/2).
  bool italic = false;
};

/// A typeface: a family name (name ID 1) and every face that carries it.
struct Typeface {
  /// Family name as the font's Windows name record spells it.
  std::string name;
  /// Faces ordered by file path, then index.
  std::vector<FaceFile> faces;
};

/// The typeface of one face of a font file, from its family name; fails,
/// naming the file, when it cannot be opened or holds no scalable outlines.
Result<Typeface> ReadTypeface(FT_Library library, const std::string& path, int32_t index);

/// What one look at fontconfig's configuration finds.
struct TypefaceScan {
  /// Every scalable outline font (TrueType or OpenType) that fontconfig
  /// lists, grouped by family name and sorted without regard to case, each
  /// name once. Files FreeType cannot open are left out.
  std::vector<Typeface> typefaces;
  /// The name of the typeface that holds fontconfig's best match for
  /// "sans-serif"; the first typeface's when the match is none of them (a
  /// bitmap font, say); empty when there are no typefaces.
  std::string sansSerif;
};

/// The installed typefaces and fontconfig's sans-serif among them.
TypefaceScan ScanTypefaces(FT_Library library);

/// The listed typeface fontconfig would draw text asking for `family` with
/// (after its substitutions: an alias, a similar family, at last the
/// default), or the scan's sans-serif when it picks a face not listed.
std::string ClosestTypeface(const TypefaceScan& scan, const std::string& family);

/// The family name of an opened face: name ID 1 from the Windows platform
/// (US English first, then any English, then any language), else the
/// Macintosh Roman record, else FreeType's family name.
std::string WindowsFamilyName(FT_Face face);

/// The faces of a typeface: picks the one that best matches the wanted bold
/// and italic bits, weight first. The typeface must have at least one face.
const FaceFile& ChooseFace(const Typeface& typeface, bool bold, bool italic);

}  // namespace glyphsheet::raster
