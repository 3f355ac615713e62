#include "files/sheet_png.h"

#include <spng.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

#include "files/sheet_image.h"

namespace glyphsheet {

namespace {

// zlib's fastest level and no row filter. A sheet is long runs of one pixel
// (white, alpha 0 or 255), which level 1 alone squeezes to a few percent;
// filters help little on such rows and choosing one per row costs the most.
// On a full 512 x 512 sheet of DejaVu Sans 24 pt this encodes in 3.0 ms to
// 60 KB; the SUB or UP filter took 4 ms for as much, every filter 11 ms
// (58 KB), libspng's defaults 17 ms (46 KB), and the RLE or Huffman-only
// strategies were no faster or far larger. The whole export then takes about
// 1.2 times as long as the uncompressed 1 MB TGA's.
constexpr int kCompressionLevel = 1;
constexpr int kFilters = SPNG_FILTER_CHOICE_NONE;

// Where the encoder's bytes go: the open file. The first failed write is kept,
// so the caller learns the file's own reason rather than the encoder's.
struct PngOutput {
  AtomicFile& file;
  Status written = Ok();
};

int WriteToFile(spng_ctx*, void* user, void* bytes, size_t length) {
  auto& out = *static_cast<PngOutput*>(user);
  if (out.written) out.written = out.file.Write({static_cast<const uint8_t*>(bytes), length});
  return out.written ? 0 : SPNG_IO_ERROR;
}

using PngEncoder = std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)>;

// Sets up an encoder for a progressive, row by row, RGBA image; 0 or an spng error.
int StartEncoding(spng_ctx* ctx, PngOutput& out, int32_t width, int32_t height) {
  spng_ihdr header{};
  header.width = static_cast<uint32_t>(width);
  header.height = static_cast<uint32_t>(height);
  header.bit_depth = 8;
  header.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
  int rc = spng_set_png_stream(ctx, WriteToFile, &out);
  if (rc == 0) rc = spng_set_ihdr(ctx, &header);
  if (rc == 0) rc = spng_set_option(ctx, SPNG_IMG_COMPRESSION_LEVEL, kCompressionLevel);
  if (rc == 0) rc = spng_set_option(ctx, SPNG_FILTER_CHOICE, kFilters);
  if (rc == 0) {
    rc = spng_encode_image(ctx, nullptr, 0, SPNG_FMT_PNG,
                           SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
  }
  return rc;
}

// Which pixels of the sheet's part of the bitmap lie in a cell. Cells may
// overlap without bound (borders from a project can be anything), so a cell
// marks only its four corners, +1 and -1, and running sums over the rows and
// columns then count the cells over each pixel: one pass over the area
// however many cells cover it.
class CellMask {
 public:
  CellMask(const SheetDocument& doc, int32_t width, int32_t height)
      : stride_(static_cast<size_t>(width) + 1),
        counts_(stride_ * (static_cast<size_t>(height) + 1), 0) {
    const auto clip = [](int64_t value, int32_t limit) {
      return static_cast<size_t>(std::clamp<int64_t>(value, 0, limit));
    };
    for (const auto& shown : doc.layout.shown) {
      const GlyphCell& g = shown.cell;
      const size_t x0 = clip(g.x, width), x1 = clip(int64_t{g.x} + g.width, width);
      const size_t y0 = clip(g.y, height), y1 = clip(int64_t{g.y} + g.height, height);
      if (x0 >= x1 || y0 >= y1) continue;
      ++counts_[y0 * stride_ + x0];
      --counts_[y0 * stride_ + x1];
      --counts_[y1 * stride_ + x0];
      ++counts_[y1 * stride_ + x1];
    }
    // Each count becomes the sum of the marks up to it in its row plus the
    // count above it.
    for (size_t start = 0; start < counts_.size(); start += stride_) {
      int32_t inRow = 0;
      for (size_t i = start; i < start + stride_; ++i) {
        inRow += counts_[i];
        counts_[i] = inRow + (start > 0 ? counts_[i - stride_] : 0);
      }
    }
  }

  bool Covers(int32_t x, int32_t y) const {
    return counts_[static_cast<size_t>(y) * stride_ + static_cast<size_t>(x)] > 0;
  }

 private:
  size_t stride_;
  std::vector<int32_t> counts_;
};

}  // namespace

Status WritePngTo(AtomicFile& file, int32_t width, int32_t height,
                  const std::function<void(int32_t y, uint8_t* rgba)>& row) {
  if (auto fits = CheckImageSides(file.Target(), width, height); !fits) return fits;
  PngEncoder ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
  if (!ctx) return SystemError(FileAction::kWrite, file.Target(), ENOMEM);
  PngOutput out{file};
  int rc = StartEncoding(ctx.get(), out, width, height);
  // Every byte of the row is filled before it is encoded.
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  const auto rgba = std::make_unique_for_overwrite<uint8_t[]>(rowBytes);
  for (int32_t y = 0; rc == 0 && y < height; ++y) {
    row(y, rgba.get());
    rc = spng_encode_row(ctx.get(), rgba.get(), rowBytes);
  }
  if (rc == SPNG_EOI) return Ok();
  if (!out.written) return out.written;
  Error error = FileError(FileAction::kWrite, file.Target(), Problem::kOther);
  error.message += spng_strerror(rc);
  return error;
}

Status WriteSheetPngTo(AtomicFile& file, const PixelBitmap& sheetBitmap, const SheetDocument& doc) {
  if (auto fits = CheckImageSides(file.Target(), doc.sheetWidth, doc.sheetHeight); !fits) {
    return fits;
  }
  // Only the part of the sheet on the bitmap can hold a cell's pixels.
  const int32_t onBitmapX = std::min(doc.sheetWidth, sheetBitmap.Width());
  const int32_t onBitmapY = std::min(doc.sheetHeight, sheetBitmap.Height());
  const CellMask mask(doc, onBitmapX, onBitmapY);
  return WritePngTo(file, doc.sheetWidth, doc.sheetHeight, [&](int32_t y, uint8_t* rgba) {
    FillSheetRow(sheetBitmap, doc.sheetWidth, y, rgba);
    if (y >= onBitmapY) return;
    for (int32_t x = 0; x < onBitmapX; ++x) {
      if (!mask.Covers(x, y)) rgba[static_cast<size_t>(x) * 4 + 3] = 0;
    }
  });
}

}  // namespace glyphsheet
