#pragma once

#include <memory>
#include <string>

#include "sheet/text_rasterizer.h"

namespace glyphsheet {

/// The rasterizer of this program: typefaces found with fontconfig, drawn
/// and measured with FreeType with the metrics of the Windows font mapper.
class FreeTypeRasterizer : public TextRasterizer {
 public:
  FreeTypeRasterizer();
  ~FreeTypeRasterizer() override;

  /// A rasterizer whose only typeface is face `index` of one font file, for
  /// fonts that are not installed; fontconfig is never asked. Fails, naming
  /// the file, when it is not a usable outline font.
  static Result<std::unique_ptr<FreeTypeRasterizer>> FromFontFile(const std::string& path,
                                                                  int32_t index);

  std::vector<std::string> ListTypefaces() const override;
  /// The listed typeface that holds fontconfig's best match for "sans-serif"
  /// (the desktop's default text face), else the first; a rasterizer of one
  /// font file gives its typeface. Empty when nothing is listed.
  std::string DefaultTypeface() const override;
  /// What fontconfig substitutes for `name`, among the listed typefaces.
  std::string ClosestTypeface(const std::string& name) const override;
  Result<std::unique_ptr<TextRasterizer>> ForFontFile(const std::string& path,
                                                      int32_t index) const override;
  Result<std::unique_ptr<RasterFont>> CreateFont(const FontRequest& request) const override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace glyphsheet
