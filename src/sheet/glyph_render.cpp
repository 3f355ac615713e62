#include "sheet/glyph_render.h"

#include <algorithm>
#include <cstddef>

#include "sheet/cell_geometry.h"
#include "sheet/supersample_reduction.h"

namespace glyphsheet {

namespace {

// A drawing offset this far from the scratch area cannot put ink into it, and
// nearer offsets leave the rasterizer room to add its own metrics safely.
constexpr int64_t kFarOffset = int64_t{1} << 30;

/// The part of a cell that lies inside the sheet, in cell pixels: columns
/// [cx0, cx1) and rows [cy0, cy1).
struct CellSpan {
  int64_t cx0 = 0, cx1 = 0, cy0 = 0, cy1 = 0;
  bool Empty() const { return cx0 >= cx1 || cy0 >= cy1; }
};

CellSpan InSheetSpan(const GlyphRecord& g, int64_t limitX, int64_t limitY) {
  CellSpan s;
  s.cx0 = std::max<int64_t>(0, -int64_t{g.x});
  s.cx1 = std::min<int64_t>(g.width, limitX - g.x);
  s.cy0 = std::max<int64_t>(0, -int64_t{g.y});
  s.cy1 = std::min<int64_t>(g.height, limitY - g.y);
  return s;
}

/// Writes the reduced cell span of glyph g from the scratch words (block
/// pixel (f·cx0, f·cy0) at the top-left) into the sheet bitmap.
template <int F>
void ReduceSpan(const GlyphRecord& g, const CellSpan& s, const PixelBitmap& scratch,
                PixelBitmap& sheetBitmap) {
  const size_t stride = static_cast<size_t>(scratch.Width());
  const uint32_t* pixels = scratch.Pixels();
  for (int64_t cy = s.cy0; cy < s.cy1; ++cy) {
    const uint32_t* row = pixels + static_cast<size_t>((cy - s.cy0) * F) * stride;
    const auto y = static_cast<int32_t>(g.y + cy);
    for (int64_t cx = s.cx0; cx < s.cx1; ++cx) {
      const uint32_t* block = row + static_cast<size_t>((cx - s.cx0) * F);
      sheetBitmap.SetPixel(static_cast<int32_t>(g.x + cx), y, ReduceWords<F>(block, stride));
    }
  }
}

}  // namespace

void RenderGlyphs(const SheetDocument& doc, const RasterFont* font, PixelBitmap& sheetBitmap) {
  const int32_t f = SmoothingFactor(doc.font.smoothing);
  const int64_t limitX = std::min(doc.sheetWidth, sheetBitmap.Width());
  const int64_t limitY = std::min(doc.sheetHeight, sheetBitmap.Height());

  // Only the part of each cell inside the sheet is read back, so the scratch
  // needs to hold that part at factor scale and no more: at most the sheet
  // times f, however large a cell is.
  int64_t scratchWidth = 0;
  int64_t scratchHeight = 0;
  for (const GlyphRecord& g : doc.glyphs) {
    const CellSpan s = InSheetSpan(g, limitX, limitY);
    if (s.Empty()) continue;
    scratchWidth = std::max(scratchWidth, (s.cx1 - s.cx0) * f);
    scratchHeight = std::max(scratchHeight, (s.cy1 - s.cy0) * f);
  }
  PixelBitmap scratch;
  if (scratchWidth == 0 ||
      !scratch.Create(static_cast<int32_t>(scratchWidth), static_cast<int32_t>(scratchHeight))) {
    return;
  }

  const CellBorders& b = doc.borders;
  for (const GlyphRecord& g : doc.glyphs) {
    const CellSpan s = InSheetSpan(g, limitX, limitY);
    if (s.Empty()) continue;
    // The scratch holds the block from (f·cx0, f·cy0) on; everything read
    // lies inside the block, which starts black.
    const int64_t originX = s.cx0 * f;
    const int64_t originY = s.cy0 * f;
    scratch.FillRect(0, 0, static_cast<int32_t>((s.cx1 - s.cx0) * f),
                     static_cast<int32_t>((s.cy1 - s.cy0) * f), 0);
    if (font) {
      // The pen goes A left of the left inset, so the ink starts exactly
      // after it and the line starts below the top border.
      const AbcWidths abc = font->CharAbc(g.code);
      const int64_t penX = GlyphCellGeometry(g, b, abc.b, f).leftInset * f - abc.a;
      const int64_t drawX = penX - originX;
      const int64_t drawY = int64_t{b.top} * f - originY;
      if (drawX > -kFarOffset && drawX < kFarOffset && drawY > -kFarOffset &&
          drawY < kFarOffset) {
        font->DrawChar(g.code, scratch, static_cast<int32_t>(drawX),
                       static_cast<int32_t>(drawY));
      }
    }
    switch (f) {
      case 1: ReduceSpan<1>(g, s, scratch, sheetBitmap); break;
      case 2: ReduceSpan<2>(g, s, scratch, sheetBitmap); break;
      case 3: ReduceSpan<3>(g, s, scratch, sheetBitmap); break;
      default: ReduceSpan<4>(g, s, scratch, sheetBitmap); break;
    }
  }
}

}  // namespace glyphsheet
