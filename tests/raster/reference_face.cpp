#include "reference_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdlib>
#include <stdexcept>

namespace glyphsheet::testing {

struct ReferenceFace::State {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

std::string TestFontPath(const std::string& fileName) {
  return std::string(GLYPHSHEET_TEST_FONT_DIR) + "/" + fileName;
}

ReferenceFace::ReferenceFace(const std::string& fileName, int32_t pixelHeight)
    : state_(new State), pixelHeight_(pixelHeight) {
  const std::string path = TestFontPath(fileName);
  FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
  if (FT_Init_FreeType(&state_->library) != 0 ||
      FT_Property_Set(state_->library, "truetype", "interpreter-version", &interpreter) != 0 ||
      FT_New_Face(state_->library, path.c_str(), 0, &state_->face) != 0 ||
      FT_Set_Pixel_Sizes(state_->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
    if (state_->library != nullptr) FT_Done_FreeType(state_->library);
    delete state_;
    throw std::runtime_error("cannot open reference font " + path);
  }
}

ReferenceFace::~ReferenceFace() {
  FT_Done_Face(state_->face);
  FT_Done_FreeType(state_->library);
  delete state_;
}

uint32_t ReferenceFace::IndexOf(char32_t ch) const { return FT_Get_Char_Index(state_->face, ch); }

int32_t ReferenceFace::WinAscent() const {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(state_->face, FT_SFNT_OS2));
  const int64_t upem = state_->face->units_per_EM;
  const int64_t scale = (int64_t{pixelHeight_} * 65536 + upem / 2) / upem;
  return static_cast<int32_t>((os2->usWinAscent * scale + 32768) >> 16);
}

ReferenceGlyph ReferenceFace::Glyph(char32_t ch, bool antialiased) const {
  return GlyphAt(IndexOf(ch), antialiased);
}

ReferenceGlyph ReferenceFace::GlyphAt(uint32_t index, bool antialiased) const {
  ReferenceGlyph glyph;
  if (FT_Load_Glyph(state_->face, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) {
    throw std::runtime_error("cannot load reference glyph");
  }
  FT_GlyphSlot slot = state_->face->glyph;
  glyph.advance = static_cast<int32_t>((slot->advance.x + 63) >> 6);
  if (FT_Render_Glyph(slot, antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) {
    throw std::runtime_error("cannot render reference glyph");
  }
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int32_t>(bitmap.width);
  glyph.rows = static_cast<int32_t>(bitmap.rows);
  for (int32_t r = 0; r < glyph.rows; ++r) {
    const FT_Byte* row = bitmap.buffer + r * bitmap.pitch;
    for (int32_t c = 0; c < glyph.width; ++c) {
      glyph.coverage.push_back(bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                   ? ((row[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0)
                                   : row[c]);
    }
  }
  return glyph;
}

}  // namespace glyphsheet::testing
