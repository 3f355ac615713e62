#pragma once

#include <cstddef>
#include <cstdint>

#include "files/atomic_file.h"
#include "sheet/sheet_rows.h"
#include "sheet/result.h"

namespace glyphsheet {

/// Bytes before the first pixel of a Targa image.
inline constexpr size_t kTgaHeaderBytes = 18;

/// Writes the sheet image into an open file without committing it, so that it
/// can be committed together with other files: a 32-bit uncompressed
/// top-left-origin Targa of width × height pixels, an 18-byte header, then per
/// pixel the bytes FF FF FF and the coverage as alpha: in the cells as they
/// draw it, 255 between them, 0 beyond the drawn area. Fails, naming the
/// file, when a side is outside 1..65535 (which the header cannot hold) or a
/// write fails.
Status WriteSheetTgaTo(AtomicFile& file, SheetRows& rows, int32_t width, int32_t height);

}  // namespace glyphsheet
