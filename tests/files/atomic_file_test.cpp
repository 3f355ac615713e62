#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "files/atomic_file.h"
#include "temp_folder.h"

namespace glyphsheet {
namespace {

using testing::FileBytes;
using testing::PutFile;
using testing::TempFolder;

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// Limits the size of files this process may write while it lives; writes past
// the limit fail with EFBIG instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t oldHandler_;
};

TEST(AtomicFile, ReplacesContentKeepingPermissionsAndNewFilesFollowTheUmask) {
  TempFolder folder;
  const auto target = folder / "a.bin";
  PutFile(target, {9, 9, 9, 9, 9, 9, 9, 9});
  ::chmod(target.c_str(), 0600);
  const std::vector<uint8_t> bytes = {1, 2, 3};
  ASSERT_TRUE(WriteFileAtomically(target, bytes));
  EXPECT_EQ(FileBytes(target), bytes);
  EXPECT_EQ(ModeOf(target), 0600u);

  const mode_t oldMask = ::umask(027);
  const auto fresh = folder / "fresh.bin";
  const Status written = WriteFileAtomically(fresh, bytes);
  ::umask(oldMask);
  ASSERT_TRUE(written);
  EXPECT_EQ(ModeOf(fresh), 0640u);
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"a.bin", "fresh.bin"}));
}

TEST(AtomicFile, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  const auto target = folder / "keep.bin";
  const std::vector<uint8_t> old = {7, 7, 7};
  PutFile(target, old);
  const std::vector<uint8_t> big(20000, 0xAB);
  Status written = Ok();
  {
    FileSizeLimit limit(4096);
    written = WriteFileAtomically(target, big);
  }
  ASSERT_FALSE(written);
  EXPECT_NE(written.error().find("keep.bin"), std::string::npos) << written.error();
  EXPECT_NE(written.error().find("too large"), std::string::npos) << written.error();
  EXPECT_EQ(FileBytes(target), old);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"keep.bin"});
}

TEST(AtomicFile, UnwritablePlacesAreReportedWithTheReason) {
  TempFolder folder;
  const std::vector<uint8_t> bytes = {1};

  const Status noFolder = WriteFileAtomically(folder / "missing" / "a.bin", bytes);
  ASSERT_FALSE(noFolder);
  EXPECT_NE(noFolder.error().find("missing/a.bin"), std::string::npos) << noFolder.error();
  EXPECT_NE(noFolder.error().find("No such file"), std::string::npos) << noFolder.error();

  // A folder in the way is refused before anything is written.
  std::filesystem::create_directory(folder / "taken");
  PutFile(folder / "taken" / "inside", {5});
  const Status taken = WriteFileAtomically(folder / "taken", bytes);
  ASSERT_FALSE(taken);
  EXPECT_NE(taken.error().find("taken"), std::string::npos) << taken.error();
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"taken"});
  EXPECT_EQ(FileBytes(folder / "taken" / "inside"), std::vector<uint8_t>{5});

  auto missing = ReadFileBytes(folder / "nothing");
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().find("nothing"), std::string::npos) << missing.error();
}

}  // namespace
}  // namespace glyphsheet
