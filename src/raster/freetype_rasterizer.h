#pragma once

#include <memory>

#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// The rasterizer of this program: typefaces found with fontconfig, drawn
/// and measured with FreeType with the metrics of the Windows font mapper.
class FreeTypeRasterizer : public TextRasterizer {
 public:
  FreeTypeRasterizer();
  ~FreeTypeRasterizer() override;

  std::vector<std::string> ListTypefaces() const override;
  Result<std::unique_ptr<RasterFont>> CreateFont(const FontRequest& request) const override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace glyphsheet
