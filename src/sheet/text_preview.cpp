#include "sheet/text_preview.h"

#include <algorithm>
#include <cmath>
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

// The cells of the text on the line and the box of the line and every cell.
struct PlacedLine {
  std::vector<Placed> cells;
  int64_t left = 0, top = 0, right = 0, bottom = 0;
};

// An unscaled picture: 0x00RRGGBB words, width × height.
struct Picture {
  int64_t width = 0;
  int64_t height = 0;
  std::vector<uint32_t> pixels;
};

uint32_t Blend(uint32_t under, uint32_t coverage) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t channel = (under >> shift) & 0xFF;
    out |= (channel + (255 - channel) * coverage / 255) << shift;
  }
  return out;
}

// Moves the pen as an engine does: kerning of the pair, then xoffset for the
// cell, then xadvance. Characters not on the sheet go to `skipped`, once each.
PlacedLine Place(const BmFont& font, std::u32string_view text, std::vector<char32_t>& skipped) {
  std::map<uint32_t, const BmFontChar*> byId;
  for (const BmFontChar& c : font.chars) byId.emplace(c.id, &c);
  std::map<std::pair<uint32_t, uint32_t>, int32_t> kerning;
  for (const BmFontKerning& k : font.kernings) kerning[{k.first, k.second}] = k.amount;

  PlacedLine line;
  line.bottom = font.common.lineHeight;
  int64_t pen = 0;
  const BmFontChar* previous = nullptr;
  for (const char32_t ch : text) {
    const auto found = byId.find(static_cast<uint32_t>(ch));
    if (found == byId.end()) {
      if (std::find(skipped.begin(), skipped.end(), ch) == skipped.end()) skipped.push_back(ch);
      continue;
    }
    const BmFontChar* glyph = found->second;
    if (previous != nullptr) {
      const auto pair = kerning.find({previous->id, glyph->id});
      if (pair != kerning.end()) pen += pair->second;
    }
    const Placed cell{glyph, pen + glyph->xoffset, int64_t{glyph->yoffset}};
    line.cells.push_back(cell);
    line.left = std::min(line.left, cell.x), line.right = std::max(line.right, cell.x + glyph->width);
    line.top = std::min(line.top, cell.y), line.bottom = std::max(line.bottom, cell.y + glyph->height);
    pen += glyph->xadvance;
    previous = glyph;
  }
  line.right = std::max(line.right, pen);
  return line;
}

// Draws every placed cell white over the dark background, blended by the
// coverage its page holds, inside the line's box and a margin.
// The unscaled picture's size: the line's box, cut at 4096 pixels (a cell of
// absurd borders), and the margin.
PreviewSize PictureSize(const PlacedLine& line) {
  constexpr int64_t kLargest = 4096;
  return {std::min(line.right - line.left, kLargest) + 2 * kPreviewMargin,
          std::min(line.bottom - line.top, kLargest) + 2 * kPreviewMargin};
}

Picture Draw(const PlacedLine& line, const BmFont& font, std::span<const PixelBitmap> pages) {
  const PreviewSize size = PictureSize(line);
  Picture picture;
  picture.width = size.width;
  picture.height = size.height;
  picture.pixels.assign(static_cast<size_t>(picture.width * picture.height), kPreviewBackground);
  const int64_t originX = kPreviewMargin - line.left, originY = kPreviewMargin - line.top;
  for (const Placed& cell : line.cells) {
    const BmFontChar& g = *cell.glyph;
    if (g.page < 0 || static_cast<size_t>(g.page) >= pages.size()) continue;
    const PixelBitmap& sheetBitmap = pages[static_cast<size_t>(g.page)];
    for (int64_t cy = 0; cy < g.height; ++cy) {
      const int64_t sheetY = int64_t{g.y} + cy, y = originY + cell.y + cy;
      if (sheetY >= sheetBitmap.Height() || sheetY >= font.common.scaleH) break;
      if (y < 0 || y >= picture.height) continue;
      for (int64_t cx = 0; cx < g.width; ++cx) {
        const int64_t sheetX = int64_t{g.x} + cx, x = originX + cell.x + cx;
        if (sheetX >= sheetBitmap.Width() || sheetX >= font.common.scaleW) break;
        if (x < 0 || x >= picture.width) continue;
        const uint32_t coverage = (sheetBitmap.Row(static_cast<int32_t>(sheetY))[sheetX] >> 16) & 0xFF;
        uint32_t& pixel = picture.pixels[static_cast<size_t>(y * picture.width + x)];
        pixel = Blend(pixel, coverage);
      }
    }
  }
  return picture;
}

// A distance-field sheet drawn as an engine's shader draws it: every pixel
// of the preview samples each cell over it between texel centres (the
// field's edge lies between them) and turns the distance into coverage with
// a smooth step one preview pixel wide, so the edge stays sharp however
// large the scale.
void DrawField(const PlacedLine& line, const BmFont& font, std::span<const PixelBitmap> pages,
               int32_t scale, TextPreview& preview) {
  const PreviewSize size = PictureSize(line);
  preview.width = static_cast<int32_t>(size.width * scale);
  preview.height = static_cast<int32_t>(size.height * scale);
  preview.pixels.assign(static_cast<size_t>(preview.width) * preview.height, kPreviewBackground);
  const int64_t originX = kPreviewMargin - line.left, originY = kPreviewMargin - line.top;
  // Field values are 128 at the edge and 255 / range apart per texel; a
  // preview pixel is 1 / scale texel.
  const double perPixel = 255.0 / (font.distanceRange * scale);
  for (const Placed& cell : line.cells) {
    const BmFontChar& g = *cell.glyph;
    if (g.page < 0 || static_cast<size_t>(g.page) >= pages.size()) continue;
    const PixelBitmap& sheetBitmap = pages[static_cast<size_t>(g.page)];
    // The cell's texels that lie on the sheet.
    const int64_t width =
        std::min<int64_t>(g.width, std::min<int64_t>(sheetBitmap.Width(), font.common.scaleW) - g.x);
    const int64_t height = std::min<int64_t>(
        g.height, std::min<int64_t>(sheetBitmap.Height(), font.common.scaleH) - g.y);
    if (width <= 0 || height <= 0) continue;
    const auto texel = [&](int64_t tx, int64_t ty) {
      tx = std::clamp<int64_t>(tx, 0, width - 1), ty = std::clamp<int64_t>(ty, 0, height - 1);
      return double((sheetBitmap.Row(static_cast<int32_t>(g.y + ty))[g.x + tx] >> 16) & 0xFF);
    };
    const int64_t left = (originX + cell.x) * scale, top = (originY + cell.y) * scale;
    const int64_t right = std::min<int64_t>(left + width * scale, preview.width);
    const int64_t bottom = std::min<int64_t>(top + height * scale, preview.height);
    for (int64_t py = std::max<int64_t>(top, 0); py < bottom; ++py) {
      const double fy = (double(py - top) + 0.5) / scale - 0.5;
      const auto ty = static_cast<int64_t>(std::floor(fy));
      const double wy = fy - double(ty);
      for (int64_t px = std::max<int64_t>(left, 0); px < right; ++px) {
        const double fx = (double(px - left) + 0.5) / scale - 0.5;
        const auto tx = static_cast<int64_t>(std::floor(fx));
        const double wx = fx - double(tx);
        const double value = (texel(tx, ty) * (1 - wx) + texel(tx + 1, ty) * wx) * (1 - wy) +
                             (texel(tx, ty + 1) * (1 - wx) + texel(tx + 1, ty + 1) * wx) * wy;
        // The distance from the edge in preview pixels (inside positive),
        // through a smooth step from half a pixel outside to half inside.
        const double t = std::clamp((value - 128.0) / perPixel + 0.5, 0.0, 1.0);
        const double coverage = t * t * (3 - 2 * t);
        uint32_t& pixel = preview.pixels[static_cast<size_t>(py * preview.width + px)];
        pixel = Blend(pixel, static_cast<uint32_t>(std::lround(coverage * 255)));
      }
    }
  }
}

// Each pixel of the picture as scale × scale pixels of the preview.
void Enlarge(const Picture& picture, int32_t scale, TextPreview& preview) {
  preview.width = static_cast<int32_t>(picture.width * scale);
  preview.height = static_cast<int32_t>(picture.height * scale);
  preview.pixels.resize(static_cast<size_t>(preview.width) * preview.height);
  for (int32_t y = 0; y < preview.height; ++y) {
    const uint32_t* from = picture.pixels.data() + static_cast<size_t>((y / scale) * picture.width);
    uint32_t* to = preview.pixels.data() + static_cast<size_t>(y) * preview.width;
    for (int32_t x = 0; x < preview.width; ++x) to[x] = from[x / scale];
  }
}

}  // namespace

PreviewSize TextPreviewSize(const BmFont& font, std::u32string_view text, int32_t scale) {
  std::vector<char32_t> skipped;
  const PreviewSize picture = PictureSize(Place(font, text, skipped));
  return {picture.width * std::max(scale, 1), picture.height * std::max(scale, 1)};
}

TextPreview SetTextWithSheet(const BmFont& font, std::span<const PixelBitmap> pages,
                             std::u32string_view text, int32_t scale) {
  TextPreview preview;
  const PlacedLine line = Place(font, text, preview.skipped);
  if (font.distanceRange > 0) {
    DrawField(line, font, pages, std::max(scale, 1), preview);
  } else {
    Enlarge(Draw(line, font, pages), std::max(scale, 1), preview);
  }
  return preview;
}

}  // namespace glyphsheet
