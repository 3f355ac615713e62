#include "sheet/rebuild.h"

#include "sheet/sheet_bitmap.h"

namespace glyphsheet {

void Rebuild(SheetDocument& doc, const RasterFont* /*font*/, PixelBitmap& sheetBitmap) {
  ClearSheetBitmap(sheetBitmap, doc.sheetWidth, doc.sheetHeight);
}

}  // namespace glyphsheet
