#include <gtest/gtest.h>
#include <sys/file.h>

#include <chrono>
#include <thread>

#include "cli_runner.h"

namespace glyphsheet {
namespace {

namespace fs = std::filesystem;
using testing::CliProcess;
using testing::CliRun;
using testing::FileBytes;
using testing::PutFile;
using testing::RunCli;
using testing::TempFolder;

// A 5000 x 5000 sheet: a 100 MB image, long enough in the writing to be
// killed part way; with the old files, the reference and at most two
// temporaries the folders stay near 300 MB.
constexpr int32_t kSide = 5000;
constexpr size_t kImageBytes = 18 + size_t{kSide} * kSide * 4;
const std::string kImageTemp = ".sheet.tga.glyphsheet-";
const std::string kDescriptorTemp = ".sheet.xml.glyphsheet-";

// Size of the image's temporary in folder, 0 while there is none.
size_t ImageTempBytes(const fs::path& folder) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (entry.path().filename().string().starts_with(kImageTemp)) {
      const size_t size = entry.file_size(ec);
      return ec ? 0 : size;
    }
  }
  return 0;
}

// Entries of folder that are temporaries of the export.
std::set<std::string> Temporaries(const TempFolder& folder) {
  std::set<std::string> names;
  for (const std::string& name : folder.Entries()) {
    if (name.starts_with(kImageTemp) || name.starts_with(kDescriptorTemp)) names.insert(name);
  }
  return names;
}

TEST(CliInterruptedWrite, EachFileIsTheOldOneOrTheCompleteNewOne) {
  TempFolder work;
  ASSERT_EQ(RunCli(work.Path(), {"new", "-o", "big.fnt", "--chars", "AB"}).exitCode, 0);
  std::vector<uint8_t> project = FileBytes(work / "big.fnt");
  for (int i = 0; i < 8; ++i) project.at(i) = uint8_t(uint32_t(kSide) >> (8 * (i % 4)));
  PutFile(work / "big.fnt", project);

  const std::vector<std::string> exportBig = {"export", "big.fnt", "-o", "sheet"};
  ASSERT_EQ(RunCli(work.Path(), exportBig).exitCode, 0);
  const std::vector<uint8_t> newImage = FileBytes(work / "sheet.tga");
  const std::vector<uint8_t> newDescriptor = FileBytes(work / "sheet.xml");
  ASSERT_EQ(newImage.size(), kImageBytes);
  const CliRun old = RunCli(work.Path(), {"export", "--chars", "xy", "-o", "sheet"});
  ASSERT_EQ(old.exitCode, 0) << old.err;
  const std::vector<uint8_t> oldImage = FileBytes(work / "sheet.tga");
  const std::vector<uint8_t> oldDescriptor = FileBytes(work / "sheet.xml");
  ASSERT_NE(oldDescriptor, newDescriptor);

  // When to kill: after a pause, or once the image's temporary holds a number
  // of bytes; a point with neither lets the export finish.
  const struct { const char* name; int afterMs; size_t tempBytes; } points[] = {
      {"at once", 0, 0},
      {"after 60 ms", 60, 0},
      {"after 400 ms", 400, 0},
      {"at the image's first bytes", -1, 1},
      {"half way through the image", -1, kImageBytes / 2},
      {"with the image written", -1, kImageBytes},
      {"after the end", -1, 0},
  };
  bool killedPartWay = false;
  for (const auto& point : points) {
    SCOPED_TRACE(point.name);
    PutFile(work / "sheet.tga", oldImage);
    PutFile(work / "sheet.xml", oldDescriptor);
    CliProcess cli(work.Path(), exportBig);
    if (point.afterMs >= 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(point.afterMs));
    } else if (point.tempBytes > 0) {
      while (!cli.Ended() && ImageTempBytes(work.Path()) < point.tempBytes) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
    }
    const bool partWay = !cli.Ended() && ImageTempBytes(work.Path()) > 0;
    if (point.afterMs >= 0 || point.tempBytes > 0) cli.Kill();
    const CliRun run = cli.Wait();
    killedPartWay |= partWay && run.signal == SIGKILL;

    const std::vector<uint8_t> image = FileBytes(work / "sheet.tga");
    EXPECT_TRUE(image == oldImage || image == newImage) << "an image of " << image.size()
                                                        << " bytes";
    const std::vector<uint8_t> descriptor = FileBytes(work / "sheet.xml");
    EXPECT_TRUE(descriptor == oldDescriptor || descriptor == newDescriptor)
        << std::string(descriptor.begin(), descriptor.end());
    if (run.signal == 0) {
      // A run that ends itself also removes what earlier killed runs left.
      EXPECT_EQ(run.exitCode, 0) << run.err;
      EXPECT_EQ(image, newImage);
      EXPECT_EQ(descriptor, newDescriptor);
      EXPECT_EQ(Temporaries(work), std::set<std::string>{});
    }
    std::set<std::string> expected = Temporaries(work);
    expected.insert({"big.fnt", "sheet.tga", "sheet.xml"});
    EXPECT_EQ(work.Entries(), expected);
  }
  EXPECT_TRUE(killedPartWay) << "no kill came while the image was being written";

  // The next run removes temporaries of its own name that no live run holds
  // locked, and leaves a locked one and files of other names alone.
  const std::string stale = kImageTemp + "Ab3dEf";
  const std::string held = kDescriptorTemp + "Gh7jKl";
  for (const std::string& name : {stale, held, std::string(".sheet.tga.Ab3dEf"),
                                  std::string(".other.tga.glyphsheet-Ab3dEf")}) {
    PutFile(work / name, {1, 2, 3});
  }
  const int heldFd = ::open((work / held).c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(heldFd, 0);
  ASSERT_EQ(::flock(heldFd, LOCK_EX), 0);
  const CliRun last = RunCli(work.Path(), exportBig);
  ::close(heldFd);
  EXPECT_EQ(last.exitCode, 0) << last.err;
  EXPECT_TRUE(FileBytes(work / "sheet.tga") == newImage);
  EXPECT_EQ(work.Entries(),
            (std::set<std::string>{"big.fnt", "sheet.tga", "sheet.xml", held, ".sheet.tga.Ab3dEf",
                                   ".other.tga.glyphsheet-Ab3dEf"}));
}

}  // namespace
}  // namespace glyphsheet
