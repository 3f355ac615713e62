#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>

#include "sheet/error_text.h"
#include "sheet/result.h"

namespace glyphsheet::raster {

/// Releases an FT_Library when its last owner goes away.
struct LibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};

/// Releases an FT_Face.
struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

/// A FreeType library shared by the rasterizer and every face opened from it;
/// faces hold a copy so the library outlives them.
using LibraryPtr = std::shared_ptr<FT_LibraryRec_>;
/// One opened face; must be destroyed before the library it came from.
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

/// A new FreeType library set up for full TrueType hinting with interpreter 35.
Result<LibraryPtr> CreateLibrary();

/// Opens face `index` of a font file; the error names the file and FreeType's reason.
Result<FacePtr> OpenFace(FT_Library library, const std::string& path, int32_t index);

/// Another face of the same font as `face` (face `index` of the file at
/// `path`), for another thread: read from the bytes `face` already holds in
/// memory when it has them (so the pages of the font it touched are not
/// touched anew), from the file otherwise. Must be released before `face`.
Result<FacePtr> OpenFaceAgain(FT_Library library, FT_Face face, const std::string& path,
                              int32_t index);

/// A readable text for a FreeType error code.
std::string DescribeFreeTypeError(FT_Error error);

}  // namespace glyphsheet::raster
