#pragma once

#include <cstdint>
#include <filesystem>

#include "sheet/sheet_rows.h"
#include "sheet/result.h"

namespace glyphsheet {

// What every sheet image shares, whatever its file format.

/// The chosen export name with its extension replaced (or appended when it
/// has none): font.png -> font.tga. Folder and base name stay.
std::filesystem::path WithExtension(const std::filesystem::path& chosen, const char* extension);

/// Fails, naming the image file, when a side is outside 1..65535 (what an
/// image header of the sheet holds).
Status CheckImageSides(const std::filesystem::path& path, int32_t width, int32_t height);

/// Fills the 4 × width bytes of row y (rows from the top, in order) of the
/// sheet image: per pixel FF FF FF and an alpha byte, the coverage the cells
/// draw there (SheetRows), `gap` where no cell lies on the drawn area, 0
/// beyond it. White makes the byte order of the colour moot, so the row
/// serves BGRA and RGBA alike.
void FillSheetRow(SheetRows& rows, int32_t width, int32_t y, uint8_t gap, uint8_t* pixels);

}  // namespace glyphsheet
