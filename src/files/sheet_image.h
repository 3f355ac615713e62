#pragma once

#include <cstdint>
#include <filesystem>

#include "sheet/pixel_bitmap.h"
#include "sheet/result.h"

namespace glyphsheet {

// What every sheet image shares, whatever its file format.

/// The chosen export name with its extension replaced (or appended when it
/// has none): font.png -> font.tga. Folder and base name stay.
std::filesystem::path WithExtension(const std::filesystem::path& chosen, const char* extension);

/// Fails, naming the image file, when a side is outside 1..65535 (what an
/// image header of the sheet holds).
Status CheckImageSides(const std::filesystem::path& path, int32_t width, int32_t height);

/// Fills the 4 × width bytes of row y of the sheet image: per pixel FF FF FF
/// and the red channel of the sheet bitmap's pixel as the fourth byte (0
/// beyond the bitmap). White makes the byte order of the colour moot, so the
/// row serves BGRA and RGBA alike.
void FillSheetRow(const PixelBitmap& sheetBitmap, int32_t width, int32_t y, uint8_t* pixels);

}  // namespace glyphsheet
