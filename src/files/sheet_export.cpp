#include "files/sheet_export.h"

#include <string>

#include "files/atomic_file.h"
#include "files/glyph_descriptor.h"
#include "files/sheet_image.h"

namespace glyphsheet {

Result<ExportedFiles> ExportSheetFiles(const std::filesystem::path& chosen,
                                  const PixelBitmap& sheetBitmap, const SheetDocument& doc,
                                  const RasterFont* font) {
  ExportedFiles files{WithExtension(chosen, ".tga"), WithExtension(chosen, ".xml")};
  auto image = AtomicFile::Open(files.image);
  if (!image) return Error{image.error()};
  auto descriptor = AtomicFile::Open(files.descriptor);
  if (!descriptor) return Error{descriptor.error()};

  const std::string text = FormatGlyphDescriptor(doc, font);
  const std::span<const uint8_t> textBytes(reinterpret_cast<const uint8_t*>(text.data()),
                                           text.size());
  AtomicFile& imageFile = image.value();
  AtomicFile& descriptorFile = descriptor.value();
  // Each step runs only when the ones before it succeeded.
  Status step = WriteSheetImageTo(imageFile, sheetBitmap, doc.sheetWidth, doc.sheetHeight);
  if (step) step = descriptorFile.Write(textBytes);
  if (step) step = imageFile.Sync();
  if (step) step = descriptorFile.Sync();
  if (step) step = imageFile.Commit();
  if (step) step = descriptorFile.Commit();
  if (!step) return Error{step.error()};
  return files;
}

}  // namespace glyphsheet
