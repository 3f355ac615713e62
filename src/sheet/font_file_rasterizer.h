#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// The installed typefaces and, listed first, the one typeface of a font
/// file that is not installed: a font asked for by that typeface's name
/// comes from the file (even where an installed typeface has the same name).
class FontFileRasterizer : public TextRasterizer {
 public:
  /// `installed` must outlive this; `file` is the rasterizer of the file's face.
  FontFileRasterizer(const TextRasterizer& installed, std::unique_ptr<TextRasterizer> file,
                     std::string path, int32_t index);

  /// The font file's path and face index, and its typeface's name.
  const std::string& Path() const { return path_; }
  int32_t Index() const { return index_; }
  const std::string& FileFace() const { return fileFace_; }

  std::vector<std::string> ListTypefaces() const override;
  Result<std::unique_ptr<RasterFont>> CreateFont(const FontRequest& request) const override;
  std::string DefaultTypeface() const override { return installed_.DefaultTypeface(); }
  std::string ClosestTypeface(const std::string& name) const override {
    return installed_.ClosestTypeface(name);
  }

 private:
  const TextRasterizer& installed_;
  std::unique_ptr<TextRasterizer> file_;
  std::string path_;
  int32_t index_;
  std::string fileFace_;
};

}  // namespace glyphsheet
