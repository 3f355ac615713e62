#include "sheet/font_file_rasterizer.h"

#include <algorithm>
#include <utility>

namespace glyphsheet {

FontFileRasterizer::FontFileRasterizer(const TextRasterizer& installed,
                                       std::unique_ptr<TextRasterizer> file, std::string path,
                                       int32_t index)
    : installed_(installed),
      file_(std::move(file)),
      path_(std::move(path)),
      index_(index),
      fileFace_(file_->DefaultTypeface()) {}

std::vector<std::string> FontFileRasterizer::ListTypefaces() const {
  std::vector<std::string> names = installed_.ListTypefaces();
  std::erase(names, fileFace_);
  names.insert(names.begin(), fileFace_);
  return names;
}

Result<std::unique_ptr<RasterFont>> FontFileRasterizer::CreateFont(const FontRequest& request) const {
  return request.face == fileFace_ ? file_->CreateFont(request) : installed_.CreateFont(request);
}

}  // namespace glyphsheet
