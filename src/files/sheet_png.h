#pragma once

#include <cstdint>
#include <functional>

#include "files/atomic_file.h"
#include "sheet/sheet_rows.h"

namespace glyphsheet {

/// Writes an RGBA PNG (8 bits a channel, no interlace) of width × height
/// into an open file without committing it. `row(y, rgba)` fills the 4 ×
/// width bytes of row y (from the top) as R, G, B, A. Rows are made and
/// written one at a time, so a large image needs no large buffer. Fails,
/// naming the file, when a side is outside 1..65535, when a write fails (the
/// file's own error) or when libspng fails (its words).
Status WritePngTo(AtomicFile& file, int32_t width, int32_t height,
                  const std::function<void(int32_t y, uint8_t* rgba)>& row);

/// Writes the sheet of width × height pixels as an RGBA PNG page: inside
/// every cell as the rows draw it (cells may overlap) the bytes the sheet
/// image (TGA) holds there, white with the coverage as alpha; everywhere else
/// (the gaps between cells, the unused area and what lies beyond the drawn
/// area) fully transparent white.
Status WriteSheetPngTo(AtomicFile& file, SheetRows& rows, int32_t width, int32_t height);

}  // namespace glyphsheet
