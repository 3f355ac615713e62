#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <set>
#include <string>

#include "files/hidden_files.h"
#include "files/output_lock.h"
#include "files/project_file.h"
#include "files/sheet_export.h"
#include "sheet/rebuild.h"
#include "support/fake_rasterizer.h"
#include "support/temp_folder.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FileBytes;
using testing::PutFile;
using testing::TempFolder;

namespace fs = std::filesystem;

SheetDocument SmallDoc(const FakeFont& font, int32_t side = 64) {
  SheetDocument doc;
  doc.sheetWidth = doc.sheetHeight = side;
  for (char32_t ch : U"AB") doc.AddGlyph(ch);
  LayOutSheet(doc, &font);
  return doc;
}

std::vector<uint8_t> SomeProject() {
  ProjectData project;
  project.font.faceName = "Kept Sans";
  return EncodeProject(project);
}

ExportOptions In(SheetFormat format, bool replaceProject = false) {
  ExportOptions options;
  options.format = format;
  options.replaceProject = replaceProject;
  return options;
}

// Runs an export in a child that is killed at `step`, leaving the commit
// half done with its record.
void ExportKilledAt(const fs::path& chosen, const SheetDocument& doc, const FakeFont& font,
                    const ExportOptions& options, CommitStep step) {
  const pid_t child = ::fork();
  if (child == 0) {
    ExportObserver kill;
    kill.atStep = [step](CommitStep at) {
      if (at == step) ::raise(SIGKILL);
    };
    (void)ExportSheetFiles(chosen, doc, &font, options, kill);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
}

// A project is never replaced by an export without being asked to: whatever
// output of the set it is saved as (or linked from), when it is saved after
// an export was cut short between its renames, and when it appears while an
// export is writing, after the first look. With the option it is replaced.
TEST(OutputGuard, AProjectIsNeverReplacedUnasked) {
  TempFolder folder;
  FakeFont font(20);
  const SheetDocument doc = SmallDoc(font);
  const std::vector<uint8_t> project = SomeProject();
  struct Case {
    const char* saved;  // the project's name, or the link's to it
    SheetFormat format;
    bool link;
  };
  const Case cases[] = {
      {"x.png", SheetFormat::kBmFontText, false},
      {"y.xml", SheetFormat::kBmFontXml, false},
      {"z.json", SheetFormat::kBmFontJson, false},
      {"w.fnt", SheetFormat::kBmFontBinary, true},
      {"t.tga", SheetFormat::kTgaXml, false},
      {"u.xml", SheetFormat::kTgaXml, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saved);
    const fs::path saved = folder / c.saved;
    const fs::path held = c.link ? folder / (std::string(c.saved) + ".project") : saved;
    PutFile(held, project);
    if (c.link) fs::create_symlink(held.filename(), saved);
    const fs::path chosen = fs::path(saved).replace_extension();
    const auto refused = ExportSheetFiles(chosen, doc, &font, In(c.format));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().detail.problem, Problem::kHoldsProject) << refused.error();
    EXPECT_EQ(FileBytes(held), project);
    const auto forced = ExportSheetFiles(chosen, doc, &font, In(c.format, true));
    ASSERT_TRUE(forced) << forced.error();
    EXPECT_NE(FileBytes(held), project);
    EXPECT_EQ(fs::is_symlink(saved), c.link);
  }

  // Saved after an export to the name was cut short: the next export
  // finishes the cut-short one without its descriptor, and is refused.
  const ExportOptions text = In(SheetFormat::kBmFontText);
  ASSERT_TRUE(ExportSheetFiles(folder / "r", doc, &font, text));
  ExportKilledAt(folder / "r", SmallDoc(font, 128), font, text, CommitStep::kImageReplaced);
  ASSERT_TRUE(fs::exists(folder / ".r.glyphsheet.commit"));
  ProjectData data;
  data.font.faceName = "Saved Since";
  ASSERT_TRUE(WriteProjectFile(folder / "r.fnt", data));
  const std::vector<uint8_t> savedSince = FileBytes(folder / "r.fnt");
  const auto replayed = ExportSheetFiles(folder / "r", doc, &font, text);
  ASSERT_FALSE(replayed);
  EXPECT_EQ(replayed.failure().detail.problem, Problem::kHoldsProject);
  EXPECT_EQ(FileBytes(folder / "r.fnt"), savedSince);
  EXPECT_FALSE(fs::exists(folder / ".r.glyphsheet.commit"));

  // Saved by another program while the export writes: the last look before
  // the renames finds it, and the pages replaced by then are put back.
  ASSERT_TRUE(ExportSheetFiles(folder / "s", doc, &font, text));
  const std::vector<uint8_t> page = FileBytes(folder / "s.png");
  for (const CommitStep step : {CommitStep::kRecordWritten, CommitStep::kImageReplaced}) {
    fs::remove(folder / "s.fnt");
    ExportObserver saveDuring;
    saveDuring.atStep = [&](CommitStep at) {
      if (at == step) PutFile(folder / "s.fnt", project);
    };
    const auto late = ExportSheetFiles(folder / "s", SmallDoc(font, 128), &font, text, saveDuring);
    ASSERT_FALSE(late);
    EXPECT_EQ(late.failure().detail.problem, Problem::kHoldsProject) << late.error();
    EXPECT_EQ(FileBytes(folder / "s.fnt"), project);
    EXPECT_EQ(FileBytes(folder / "s.png"), page);
  }
}

// A file that cannot be read cannot be told to be no project: it is kept.
// (Root reads any file, so as root the export runs as nobody in a child.)
TEST(OutputGuard, AFileThatCannotBeReadIsNotReplaced) {
  TempFolder folder;
  FakeFont font(20);
  const SheetDocument doc = SmallDoc(font);
  fs::permissions(folder.Path(), fs::perms::all);
  PutFile(folder / "m.fnt", SomeProject());
  fs::permissions(folder / "m.fnt", fs::perms::none);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    const auto refused = ExportSheetFiles(folder / "m", doc, &font, In(SheetFormat::kBmFontText));
    ::_exit(!refused && refused.failure().detail.problem == Problem::kCannotTellProject &&
                    refused.failure().detail.code == EACCES
                ? 0
                : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  fs::permissions(folder / "m.fnt", fs::perms::owner_read);
  EXPECT_EQ(FileBytes(folder / "m.fnt"), SomeProject());
}

// Every writer of a file of a set takes one lock, whatever the format: an
// export to NAME in either form and a project NAME.fnt all wait for it (and
// stop when told to). Names too long for a hidden file's mark get a short
// hashed one, so they export.
TEST(OutputGuard, WritersOfASetTakeTurnsWhateverTheirNames) {
  TempFolder folder;
  FakeFont font(20);
  const SheetDocument doc = SmallDoc(font);
  auto held = OutputLock::Take(folder / "n.xml");
  ASSERT_TRUE(held);
  int looks = 0;
  LockWaiting giveUp;
  giveUp.keepWaiting = [&looks] { return ++looks < 3; };
  for (const SheetFormat format : {SheetFormat::kTgaXml, SheetFormat::kBmFontXml}) {
    looks = 0;
    const auto waited = ExportSheetFiles(folder / "n", doc, &font, In(format),
                                         ExportObserver{{}, giveUp, {}});
    ASSERT_FALSE(waited);
    EXPECT_EQ(std::pair(waited.failure().detail.problem, looks), std::pair(Problem::kWaitCancelled, 3));
  }
  looks = 0;
  const Status saved = WriteProjectFile(folder / "n.fnt", ProjectData{}, giveUp);
  ASSERT_FALSE(saved);
  EXPECT_EQ(std::pair(saved.failure().detail.problem, looks), std::pair(Problem::kWaitCancelled, 3));
  EXPECT_EQ(folder.Entries(), std::set<std::string>{".n.glyphsheet.lock"});

  const std::string stem(250, 'g');
  const std::string longer = std::string(200, 'g') + "\xE4\xB8\x80" + std::string(47, 'h');
  EXPECT_NE(HiddenBeside(folder / stem, kLockMark), HiddenBeside(folder / (stem + "x"), kLockMark));
  for (const std::string& name : {stem, longer}) {
    const auto made = ExportSheetFiles(folder / name, doc, &font, In(SheetFormat::kBmFontJson));
    ASSERT_TRUE(made) << made.error();
    EXPECT_TRUE(fs::exists(folder / (name + ".png")));
    for (const char* mark : {kLockMark, kCommitMark, kBackupMark}) {
      const std::string hidden = HiddenBeside(folder / (name + ".png"), mark, 6).filename().string();
      EXPECT_LE(hidden.size(), 255u);
      EXPECT_TRUE(hidden.ends_with(mark));
    }
  }
}

}  // namespace
}  // namespace glyphsheet
