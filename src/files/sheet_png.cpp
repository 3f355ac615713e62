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

Status WriteSheetPngTo(AtomicFile& file, SheetRows& rows, int32_t width, int32_t height) {
  // Only the cells are opaque: the gaps between them are transparent.
  return WritePngTo(file, width, height,
                    [&](int32_t y, uint8_t* rgba) { FillSheetRow(rows, width, y, 0, rgba); });
}

}  // namespace glyphsheet
