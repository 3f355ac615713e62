#include "files/sheet_export.h"

#include <string>
#include <utility>

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <optional>

#include "files/atomic_file.h"
#include "files/bmfont_descriptor.h"
#include "files/glyph_descriptor.h"
#include "files/hidden_files.h"
#include "files/output_lock.h"
#include "files/pair_commit.h"
#include "files/project_file.h"
#include "files/sheet_image.h"
#include "files/sheet_tga.h"
#include "files/sheet_png.h"
#include "sheet/bmfont_model.h"

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

// The image replaced by the first rename is kept here (a hard link) until
// the second rename is done, so that a failed second one can be undone.
std::filesystem::path BackupOf(const std::filesystem::path& written) {
  return HiddenBeside(written, kBackupMark);
}

std::optional<BmFontFormat> BmFontFormatOf(SheetFormat format) {
  switch (format) {
    case SheetFormat::kTgaXml: return std::nullopt;
    case SheetFormat::kBmFontText: return BmFontFormat::kText;
    case SheetFormat::kBmFontXml: return BmFontFormat::kXml;
    case SheetFormat::kBmFontBinary: return BmFontFormat::kBinary;
    case SheetFormat::kBmFontJson: return BmFontFormat::kJson;
  }
  return std::nullopt;
}

// A BMFont descriptor named like a project must never take a project's place.
Status KeepProject(const std::filesystem::path& descriptor) {
  std::error_code ec;
  if (descriptor.extension() != ".fnt" || !std::filesystem::exists(descriptor, ec)) return Ok();
  if (!ReadProjectFile(descriptor)) return Ok();
  return FileError(FileAction::kWrite, descriptor, Problem::kHoldsProject);
}

// The image and the descriptor of the format.
Status WritePair(AtomicFile& image, AtomicFile& descriptor, const SheetDocument& doc,
                 const RasterFont* font, const ExportOptions& options) {
  const std::optional<BmFontFormat> bmfont = BmFontFormatOf(options.format);
  SheetRows rows(doc, font);
  if (!bmfont) {
    Status step = WriteSheetTgaTo(image, rows, doc.sheetWidth, doc.sheetHeight);
    if (step) step = WriteGlyphDescriptorTo(descriptor, doc, font);
    return step;
  }
  Status step = WriteSheetPngTo(image, rows, doc.sheetWidth, doc.sheetHeight);
  if (!step) return step;
  const BmFont described =
      DescribeBmFont(doc, font, image.Target().filename().string(), options.kerning);
  return descriptor.Write(EncodeBmFont(described, *bmfont));
}

// Flushes both files, writes the commit record and replaces the old pair:
// the image first, then the descriptor. A failed second replace puts the
// old image back (or takes the new one away), so nothing changed.
Status CommitPair(AtomicFile& imageFile, AtomicFile& descriptorFile,
                  const std::filesystem::path& record, const ExportObserver& observer) {
  const auto at = [&observer](CommitStep step) {
    if (observer.atStep) observer.atStep(step);
  };
  Status step = imageFile.Sync();
  if (step) step = descriptorFile.Sync();
  if (step) {
    step = WriteCommitRecord(record, {{imageFile.Temp(), imageFile.Written()},
                                      {descriptorFile.Temp(), descriptorFile.Written()}});
  }
  if (!step) return step;

  const std::filesystem::path written = imageFile.Written();
  const std::filesystem::path backup = BackupOf(written);
  ::unlink(backup.c_str());
  const bool hadImage = ::link(written.c_str(), backup.c_str()) == 0;
  {
    const QuitSignalsHeld held;
    at(CommitStep::kRecordWritten);
    step = imageFile.Commit();
    if (step) {
      at(CommitStep::kImageReplaced);
      step = descriptorFile.Commit();
      if (!step) {
        const bool undone = hadImage ? ::rename(backup.c_str(), written.c_str()) == 0
                                     : ::unlink(written.c_str()) == 0;
        ErrorDetail detail = step.failure().detail;
        detail.undo = undone ? Undo::kNothingChanged : Undo::kImageIsNew;
        detail.newImage = imageFile.Target().string();
        step = MakeError(std::move(detail));
      }
    }
    ::unlink(record.c_str());
    ::unlink(backup.c_str());
  }
  return step;
}

}  // namespace

ExportedFiles ExportNames(const std::filesystem::path& chosen, SheetFormat format) {
  const std::optional<BmFontFormat> bmfont = BmFontFormatOf(format);
  if (!bmfont) return {WithExtension(chosen, ".tga"), WithExtension(chosen, ".xml")};
  return {WithExtension(chosen, ".png"), WithExtension(chosen, BmFontExtension(*bmfont))};
}

Result<ExportedFiles> ExportSheetFiles(const std::filesystem::path& chosen,
                                       const SheetDocument& doc, const RasterFont* font,
                                       const ExportOptions& options,
                                       const ExportObserver& observer) {
  const ExportedFiles files = ExportNames(chosen, options.format);
  const auto notify = [&observer](const std::string& message) {
    if (observer.notify) observer.notify(message);
  };
  // Another export to the same name finishes first; the two never interleave.
  auto lock = OutputLock::Take(files.image, [&] {
    notify("waiting for another export to \"" + files.image.string() + "\" to finish");
  });
  if (!lock) return lock.failure();
  // An export to this name that was cut short between its renames is finished first.
  const std::filesystem::path record = CommitRecordOf(files.image);
  auto finished = FinishInterruptedCommit(record);
  if (!finished) return finished.failure();
  if (!finished.value().empty()) {
    notify("finished an export to \"" + files.image.string() + "\" that was cut short");
  }

  if (!options.replaceProject) {
    if (Status kept = KeepProject(files.descriptor); !kept) return kept.failure();
  }
  // Old and new files stand side by side until the renames, so the new ones
  // need all their room (a descriptor line is well under 128 bytes).
  const uint64_t imageBytes =
      kTgaHeaderBytes + uint64_t{4} * static_cast<uint32_t>(std::max(doc.sheetWidth, 0)) *
               static_cast<uint32_t>(std::max(doc.sheetHeight, 0));
  if (Status room = CheckRoomFor(files.image, imageBytes + 128 * (doc.glyphs.size() + 1)); !room) {
    return room.failure();
  }
  auto image = AtomicFile::Open(files.image);
  if (!image) return image.failure();
  auto descriptor = AtomicFile::Open(files.descriptor);
  if (!descriptor) return descriptor.failure();

  Status step = WritePair(image.value(), descriptor.value(), doc, font, options);
  if (step) step = CommitPair(image.value(), descriptor.value(), record, observer);
  if (!step) return step.failure();
  return files;
}

}  // namespace glyphsheet
