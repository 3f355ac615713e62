#include "raster/freetype_rasterizer.h"

namespace glyphsheet {

struct FreeTypeRasterizer::Impl {};

FreeTypeRasterizer::FreeTypeRasterizer() : impl_(std::make_unique<Impl>()) {}
FreeTypeRasterizer::~FreeTypeRasterizer() = default;

std::vector<std::string> FreeTypeRasterizer::ListTypefaces() const { return {}; }

Result<std::unique_ptr<RasterFont>> FreeTypeRasterizer::CreateFont(const FontRequest& request) const {
  return Error{"typeface \"" + request.face + "\" is not installed"};
}

}  // namespace glyphsheet
