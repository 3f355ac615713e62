#include <gtest/gtest.h>
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

// Failed writes (a missing folder, a folder in the way, a write cut short) are
// tried end to end in the command line's bad-input table.
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

}  // namespace
}  // namespace glyphsheet
