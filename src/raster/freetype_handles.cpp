#include "raster/freetype_handles.h"

#include FT_DRIVER_H
#include FT_MODULE_H

#include <cstdio>

namespace glyphsheet::raster {

namespace {

// FreeType's own texts of its error codes, from its error list.
struct ErrorText {
  int code;
  const char* text;
};
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s) {v, s},
#define FT_ERROR_START_LIST constexpr ErrorText kErrorTexts[] = {
#define FT_ERROR_END_LIST {0, nullptr}};
#include FT_ERRORS_H

}  // namespace

std::string DescribeFreeTypeError(FT_Error error) {
  if (const char* text = FT_Error_String(error)) return text;
  for (const ErrorText& e : kErrorTexts) {
    if (e.text != nullptr && e.code == error) return e.text;
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "FreeType error 0x%02X", static_cast<unsigned>(error));
  return buffer;
}

Result<LibraryPtr> CreateLibrary() {
  FT_Library raw = nullptr;
  if (const FT_Error error = FT_Init_FreeType(&raw)) {
    return FontError(Problem::kStartFreeType, {}, {}, DescribeFreeTypeError(error));
  }
  LibraryPtr library(raw, LibraryDeleter{});
  // The classic interpreter gives full hinting in both directions, so stems
  // and advances snap to whole pixels the same way in every quality.
  FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
  if (const FT_Error error =
          FT_Property_Set(raw, "truetype", "interpreter-version", &interpreter)) {
    return FontError(Problem::kTrueTypeInterpreter, {}, {interpreter},
                     DescribeFreeTypeError(error));
  }
  return library;
}

Result<FacePtr> OpenFaceAgain(FT_Library library, FT_Face face, const std::string& path,
                              int32_t index) {
  const FT_Stream stream = face->stream;
  if (stream == nullptr || stream->base == nullptr) return OpenFace(library, path, index);
  FT_Face raw = nullptr;
  if (FT_New_Memory_Face(library, stream->base, static_cast<FT_Long>(stream->size), index, &raw) !=
      0) {
    return OpenFace(library, path, index);
  }
  return FacePtr(raw);
}

Result<FacePtr> OpenFace(FT_Library library, const std::string& path, int32_t index) {
  FT_Face raw = nullptr;
  if (const FT_Error error = FT_New_Face(library, path.c_str(), index, &raw)) {
    return FontError(Problem::kUnusableFontFile, path, {index}, DescribeFreeTypeError(error));
  }
  return FacePtr(raw);
}

}  // namespace glyphsheet::raster
