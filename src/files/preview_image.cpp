#include "files/preview_image.h"

#include "files/atomic_file.h"
#include "files/sheet_png.h"

namespace glyphsheet {

Status WritePreviewImage(const std::filesystem::path& path, const TextPreview& preview) {
  auto file = AtomicFile::Open(path);
  if (!file) return file.failure();
  const Status written =
      WritePngTo(file.value(), preview.width, preview.height, [&preview](int32_t y, uint8_t* rgba) {
        const uint32_t* pixel = preview.pixels.data() + static_cast<size_t>(y) * preview.width;
        for (int32_t x = 0; x < preview.width; ++x, ++pixel, rgba += 4) {
          rgba[0] = static_cast<uint8_t>(*pixel >> 16);
          rgba[1] = static_cast<uint8_t>(*pixel >> 8);
          rgba[2] = static_cast<uint8_t>(*pixel);
          rgba[3] = 0xFF;
        }
      });
  if (!written) return written;
  return file.value().Commit();
}

}  // namespace glyphsheet
