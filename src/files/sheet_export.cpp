#include "files/sheet_export.h"

#include <string>

#include <pthread.h>

#include <csignal>

#include "files/atomic_file.h"
#include "files/output_lock.h"
#include "files/glyph_descriptor.h"
#include "files/sheet_image.h"

namespace glyphsheet {

namespace {

// Blocks the signals that end a program when asked to (Ctrl-C, a time-out,
// a closed terminal) while it lives, so they land before or after the two
// renames of a commit, never between them.
class QuitSignalsHeld {
 public:
  QuitSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &before_);
  }
  ~QuitSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
  QuitSignalsHeld(const QuitSignalsHeld&) = delete;
  QuitSignalsHeld& operator=(const QuitSignalsHeld&) = delete;

 private:
  sigset_t before_;
};

}  // namespace

Result<ExportedFiles> ExportSheetFiles(const std::filesystem::path& chosen,
                                       const PixelBitmap& sheetBitmap, const SheetDocument& doc,
                                       const RasterFont* font,
                                       const std::function<void()>& onWait) {
  ExportedFiles files{WithExtension(chosen, ".tga"), WithExtension(chosen, ".xml")};
  // Another export to the same name finishes first; the two never interleave.
  auto lock = OutputLock::Take(files.image, onWait);
  if (!lock) return Error{lock.error()};
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
  if (step) {
    const QuitSignalsHeld held;
    step = imageFile.Commit();
    if (step) step = descriptorFile.Commit();
  }
  if (!step) return Error{step.error()};
  return files;
}

}  // namespace glyphsheet
