#include "files/sheet_export.h"

#include <string>
#include <utility>

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <optional>
#include <vector>

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
#include "sheet/rebuild.h"
#include "sheet/sheet_font.h"
#include "sheet/sheet_rows.h"

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

// Whether an export may put a file where `file` names: when nothing is
// there, or a regular file that does not read as a project (any regular file
// with `anyFile`). A file that cannot be read to tell is kept.
Status MayReplace(const std::filesystem::path& file, bool anyFile) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) {
    if (errno == ENOENT) return Ok();
    return SystemError(FileAction::kWrite, file, errno, Problem::kCannotTellProject);
  }
  if (!S_ISREG(info.st_mode)) return NotRegularFile(FileAction::kWrite, file, info.st_mode);
  if (anyFile) return Ok();
  const auto project = ReadProjectFile(file);
  if (project) return FileError(FileAction::kWrite, file, Problem::kHoldsProject);
  const ErrorDetail& why = project.failure().detail;
  // Only a failed read leaves it open; a file too large to load, or one that
  // went away, is no project.
  if (why.problem != Problem::kSystem || why.code == ENOENT) return Ok();
  return SystemError(FileAction::kWrite, file, why.code, Problem::kCannotTellProject);
}

// The page images and the descriptor of the format. The TGA + XML export
// is one sheet, so a document laid out on several pages is laid out again,
// as one, for it.
Status WriteSet(std::vector<AtomicFile>& images, AtomicFile& descriptor, const SheetDocument& doc,
                const RasterFont* font, const ExportOptions& options) {
  const std::optional<BmFontFormat> bmfont = BmFontFormatOf(options.format);
  if (!bmfont) {
    std::optional<SheetDocument> oneSheet;
    if (doc.maxPages != 1) {
      oneSheet = doc;
      oneSheet->maxPages = 1;
      LayOutSheet(*oneSheet, font);
    }
    const SheetDocument& sheet = oneSheet ? *oneSheet : doc;
    SheetRows rows(sheet, font);
    Status step = WriteSheetTgaTo(images[0], rows, sheet.sheetWidth, sheet.sheetHeight);
    if (step) step = WriteGlyphDescriptorTo(descriptor, sheet, font);
    return step;
  }
  std::vector<std::string> pages;
  for (size_t page = 0; page < images.size(); ++page) {
    SheetRows rows(doc, font, static_cast<int32_t>(page));
    if (Status step = WriteSheetPngTo(images[page], rows, doc.sheetWidth, doc.sheetHeight); !step) {
      return step;
    }
    pages.push_back(images[page].Target().filename().string());
  }
  const BmFont described = DescribeBmFont(doc, font, pages, options.kerning);
  return descriptor.Write(EncodeBmFont(described, *bmfont));
}

// Flushes every file, writes the commit record and replaces the old set:
// the images in page order, then the descriptor, then the stale pages go.
// A failed replace puts the old files back (or takes the new ones away),
// so nothing changed.
Status CommitSet(std::vector<AtomicFile*> files, const std::vector<std::filesystem::path>& stale,
                 const std::filesystem::path& record, const ExportOptions& options,
                 const ExportObserver& observer) {
  const auto at = [&observer](CommitStep step) {
    if (observer.atStep) observer.atStep(step);
  };
  Renames renames;
  for (AtomicFile* file : files) {
    if (Status synced = file->Sync(); !synced) return synced;
    renames.emplace_back(file->Temp(), file->Written());
  }
  // A stale page is recorded as renamed to nothing: removed.
  for (const std::filesystem::path& page : stale) renames.emplace_back(page, std::filesystem::path());
  if (Status step = WriteCommitRecord(record, renames); !step) return step;

  // Each replaced file is kept here (a hard link) until all are replaced.
  std::vector<bool> hadOld;
  for (AtomicFile* file : files) {
    const std::filesystem::path backup = BackupOf(file->Written());
    ::unlink(backup.c_str());
    hadOld.push_back(::link(file->Written().c_str(), backup.c_str()) == 0);
  }
  Status step = Ok();
  {
    const QuitSignalsHeld held;
    at(CommitStep::kRecordWritten);
    for (size_t i = 0; i < files.size() && step; ++i) {
      // Another program may have put a project or a FIFO there since the
      // first look; it is checked again at the last moment.
      step = MayReplace(files[i]->Written(), options.replaceProject);
      if (step) step = files[i]->Commit();
      if (!step) {
        // Every file already replaced gets its old one back.
        bool undone = true;
        std::string firstNew;
        for (size_t j = 0; j < i; ++j) {
          const std::filesystem::path& written = files[j]->Written();
          const bool back = hadOld[j] ? ::rename(BackupOf(written).c_str(), written.c_str()) == 0
                                      : ::unlink(written.c_str()) == 0;
          if (!back && undone) firstNew = files[j]->Target().string();
          undone = undone && back;
        }
        ErrorDetail detail = step.failure().detail;
        if (i > 0) {
          detail.undo = undone ? Undo::kNothingChanged : Undo::kImageIsNew;
          detail.newImage = firstNew;
        }
        step = MakeError(std::move(detail));
      } else if (i == 0) {
        at(CommitStep::kImageReplaced);
      }
    }
    if (step) {
      for (const std::filesystem::path& page : stale) ::unlink(page.c_str());
    }
    ::unlink(record.c_str());
    for (AtomicFile* file : files) ::unlink(BackupOf(file->Written()).c_str());
  }
  return step;
}

// Page images an earlier export to this name may have left that this one
// does not write: NAME.png and NAME_<digits>.png beside it, plain files only.
std::vector<std::filesystem::path> StalePages(const std::filesystem::path& chosen,
                                              const ExportedFiles& files) {
  const std::filesystem::path single = WithExtension(chosen, ".png");
  const std::string stem = single.stem().string() + "_";
  const std::filesystem::path folder = FolderOf(single);
  std::vector<std::filesystem::path> stale;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const bool numbered =
        name.starts_with(stem) && name.ends_with(".png") && name.size() > stem.size() + 4 &&
        std::all_of(name.begin() + static_cast<ptrdiff_t>(stem.size()), name.end() - 4,
                    [](char c) { return c >= '0' && c <= '9'; });
    if (!numbered && name != single.filename().string()) continue;
    const std::filesystem::path page = single.parent_path() / name;
    if (std::find(files.images.begin(), files.images.end(), page) != files.images.end()) continue;
    // A page that reads as a project now is kept.
    if (it->is_regular_file(ec) && !it->is_symlink(ec) && MayReplace(page, false)) {
      stale.push_back(page);
    }
  }
  std::sort(stale.begin(), stale.end());
  return stale;
}

}  // namespace

ExportedFiles ExportNames(const std::filesystem::path& chosen, SheetFormat format,
                          int32_t pages) {
  const std::optional<BmFontFormat> bmfont = BmFontFormatOf(format);
  if (!bmfont) return {{WithExtension(chosen, ".tga")}, WithExtension(chosen, ".xml")};
  ExportedFiles files{{}, WithExtension(chosen, BmFontExtension(*bmfont))};
  if (pages <= 1) {
    files.images.push_back(WithExtension(chosen, ".png"));
    return files;
  }
  const size_t digits = std::to_string(pages - 1).size();
  const std::filesystem::path single = WithExtension(chosen, ".png");
  for (int32_t page = 0; page < pages; ++page) {
    std::string number = std::to_string(page);
    number.insert(0, digits - number.size(), '0');
    files.images.push_back(single.parent_path() / (single.stem().string() + "_" + number + ".png"));
  }
  return files;
}

Result<ExportedFiles> ExportSheetFiles(const std::filesystem::path& chosen,
                                       const SheetDocument& doc, const RasterFont* font,
                                       const ExportOptions& options,
                                       const ExportObserver& observer) {
  // A reader of the binary form could not tell a field from coverage.
  if (options.format == SheetFormat::kBmFontBinary && FieldSpread(doc.font) > 0) {
    return FileError(FileAction::kNone, {}, Problem::kFieldInBinary);
  }
  const bool bmfont = BmFontFormatOf(options.format).has_value();
  const ExportedFiles files = ExportNames(chosen, options.format, bmfont ? doc.layout.pages : 1);
  // A descriptor that could not name its pages exactly is not started.
  if (const std::optional<BmFontFormat> form = BmFontFormatOf(options.format)) {
    if (Status named = CheckPageNames(files.images, files.descriptor, *form); !named) {
      return named.failure();
    }
  }
  // Every writer of a file of this set (any format, or a project named like
  // one) takes the set's lock; the two never interleave.
  const std::filesystem::path set = OutputLock::SetOf(files.images.front());
  const auto notify = [&observer](const std::string& message) {
    if (observer.notify) observer.notify(message);
  };
  LockWaiting waiting = observer.waiting;
  waiting.onWait = [&] {
    notify("waiting for another GlyphSheet run writing \"" + set.string() + "\" to finish");
    if (observer.waiting.onWait) observer.waiting.onWait();
  };
  auto lock = OutputLock::Take(files.images.front(), waiting);
  if (!lock) return lock.failure();
  // An export to this name that was cut short between its renames is
  // finished first (also one recorded as earlier versions named the record,
  // after the image), but never over a project saved since, nor over
  // anything else that is not a regular file.
  const auto mayReplace = [](const std::filesystem::path& file) {
    return MayReplace(file, false).ok();
  };
  const std::filesystem::path record = CommitRecordOf(set);
  for (const std::filesystem::path& left :
       {record, CommitRecordOf(set.string() + ".png"), CommitRecordOf(set.string() + ".tga")}) {
    auto finished = FinishInterruptedCommit(left, mayReplace);
    if (!finished) return finished.failure();
    if (!finished.value().empty()) {
      notify("finished an export to \"" + set.string() + "\" that was cut short");
    }
  }

  // Nothing is written while an output is not a file an export may replace.
  for (const std::filesystem::path& output : files.images) {
    if (Status may = MayReplace(output, options.replaceProject); !may) return may.failure();
  }
  if (Status may = MayReplace(files.descriptor, options.replaceProject); !may) {
    return may.failure();
  }
  // Old and new files stand side by side until the renames, so the new ones
  // need all their room. A TGA's size is known; a PNG's is not until it is
  // compressed, and a full disk fails its write like any other. A descriptor
  // line is well under 128 bytes.
  const uint64_t imageBytes =
      bmfont ? 0
             : kTgaHeaderBytes + uint64_t{4} * static_cast<uint32_t>(std::max(doc.sheetWidth, 0)) *
                                     static_cast<uint32_t>(std::max(doc.sheetHeight, 0));
  const std::filesystem::path& largest = bmfont ? files.descriptor : files.images.front();
  if (Status room = CheckRoomFor(largest, imageBytes + 128 * (doc.glyphs.size() + 1)); !room) {
    return room.failure();
  }
  std::vector<AtomicFile> images;
  for (const std::filesystem::path& name : files.images) {
    auto image = AtomicFile::Open(name);
    if (!image) return image.failure();
    images.push_back(std::move(image).value());
  }
  auto descriptor = AtomicFile::Open(files.descriptor);
  if (!descriptor) return descriptor.failure();

  Status step = WriteSet(images, descriptor.value(), doc, font, options);
  if (step) {
    std::vector<AtomicFile*> all;
    for (AtomicFile& image : images) all.push_back(&image);
    all.push_back(&descriptor.value());
    step = CommitSet(all, bmfont ? StalePages(chosen, files) : std::vector<std::filesystem::path>{},
                     record, options, observer);
  }
  if (!step) return step.failure();
  return files;
}

}  // namespace glyphsheet
