#include "sheet/text_preview.h"

#include <algorithm>
#include <map>
#include <utility>

namespace glyphsheet {

namespace {

// A cell placed on the line, in unscaled preview pixels from the pen's start.
struct Placed {
  const BmFontChar* glyph;
  int64_t x;
  int64_t y;
};

uint32_t Blend(uint32_t under, uint32_t coverage) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t channel = (under >> shift) & 0xFF;
    out |= (channel + (255 - channel) * coverage / 255) << shift;
  }
  return out;
}

}  // namespace

TextPreview SetTextWithSheet(const BmFont& font, const PixelBitmap& sheetBitmap,
                             std::u32string_view text, int32_t scale) {
  scale = std::max(scale, 1);
  std::map<uint32_t, const BmFontChar*> byId;
  for (const BmFontChar& c : font.chars) byId.emplace(c.id, &c);
  std::map<std::pair<uint32_t, uint32_t>, int32_t> kerning;
  for (const BmFontKerning& k : font.kernings) kerning[{k.first, k.second}] = k.amount;

  TextPreview preview;
  std::vector<Placed> placed;
  int64_t pen = 0;
  int64_t left = 0, top = 0, right = 0, bottom = font.common.lineHeight;
  const BmFontChar* previous = nullptr;
  for (const char32_t ch : text) {
    const auto found = byId.find(static_cast<uint32_t>(ch));
    if (found == byId.end()) {
      if (std::find(preview.skipped.begin(), preview.skipped.end(), ch) == preview.skipped.end()) {
        preview.skipped.push_back(ch);
      }
      continue;
    }
    const BmFontChar* glyph = found->second;
    if (previous != nullptr) {
      const auto pair = kerning.find({previous->id, glyph->id});
      if (pair != kerning.end()) pen += pair->second;
    }
    const Placed cell{glyph, pen + glyph->xoffset, int64_t{glyph->yoffset}};
    placed.push_back(cell);
    left = std::min(left, cell.x), right = std::max(right, cell.x + glyph->width);
    top = std::min(top, cell.y), bottom = std::max(bottom, cell.y + glyph->height);
    pen += glyph->xadvance;
    previous = glyph;
  }
  right = std::max(right, pen);

  // A line of sensible size: a cell of absurd borders is cut at 4096 pixels.
  constexpr int64_t kLargest = 4096;
  const int64_t width = std::min(right - left, kLargest) + 2 * kPreviewMargin;
  const int64_t height = std::min(bottom - top, kLargest) + 2 * kPreviewMargin;
  std::vector<uint32_t> line(static_cast<size_t>(width * height), kPreviewBackground);
  const int64_t originX = kPreviewMargin - left, originY = kPreviewMargin - top;
  for (const Placed& cell : placed) {
    const BmFontChar& g = *cell.glyph;
    for (int64_t cy = 0; cy < g.height; ++cy) {
      const int64_t sheetY = int64_t{g.y} + cy, y = originY + cell.y + cy;
      if (sheetY >= sheetBitmap.Height() || sheetY >= font.common.scaleH) break;
      if (y < 0 || y >= height) continue;
      for (int64_t cx = 0; cx < g.width; ++cx) {
        const int64_t sheetX = int64_t{g.x} + cx, x = originX + cell.x + cx;
        if (sheetX >= sheetBitmap.Width() || sheetX >= font.common.scaleW) break;
        if (x < 0 || x >= width) continue;
        const uint32_t coverage = (sheetBitmap.Row(static_cast<int32_t>(sheetY))[sheetX] >> 16) & 0xFF;
        uint32_t& pixel = line[static_cast<size_t>(y * width + x)];
        pixel = Blend(pixel, coverage);
      }
    }
  }

  preview.width = static_cast<int32_t>(width * scale);
  preview.height = static_cast<int32_t>(height * scale);
  preview.pixels.resize(static_cast<size_t>(preview.width) * preview.height);
  for (int32_t y = 0; y < preview.height; ++y) {
    for (int32_t x = 0; x < preview.width; ++x) {
      preview.pixels[static_cast<size_t>(y) * preview.width + x] =
          line[static_cast<size_t>((y / scale) * width + x / scale)];
    }
  }
  return preview;
}

}  // namespace glyphsheet
