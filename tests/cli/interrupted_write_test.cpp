#include <gtest/gtest.h>
#include <sys/file.h>

#include <chrono>
#include <optional>
#include <tuple>
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
// Left by a killed run, like its temporaries, and removed by the next one:
// the lock, the commit record and the kept old image.
const std::set<std::string> kLeftByKill = {".sheet.glyphsheet.lock", ".sheet.glyphsheet.commit",
                                           ".sheet.tga.glyphsheet.old"};

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
    if (name.starts_with(kImageTemp) || name.starts_with(kDescriptorTemp) ||
        kLeftByKill.contains(name)) {
      names.insert(name);
    }
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

  // When to kill: at once, once the image's temporary holds a number of
  // bytes, or never (the export finishes).
  const std::optional<size_t> points[] = {0, 1, kImageBytes / 2, kImageBytes, std::nullopt};
  bool killedPartWay = false;
  for (const std::optional<size_t> point : points) {
    SCOPED_TRACE(point ? std::to_string(*point) + " bytes" : "no kill");
    PutFile(work / "sheet.tga", oldImage);
    PutFile(work / "sheet.xml", oldDescriptor);
    CliProcess cli(work.Path(), exportBig);
    while (point && !cli.Ended() && ImageTempBytes(work.Path()) < *point) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const bool partWay = !cli.Ended() && ImageTempBytes(work.Path()) > 0;
    if (point) cli.Kill();
    const CliRun run = cli.Wait();
    killedPartWay |= partWay && run.signal == SIGKILL;

    // The pair is the old one or the new one; killed between its two
    // renames, the commit record is left for the next export to finish.
    const std::vector<uint8_t> image = FileBytes(work / "sheet.tga");
    const std::vector<uint8_t> descriptor = FileBytes(work / "sheet.xml");
    const bool oldPair = image == oldImage && descriptor == oldDescriptor;
    const bool newPair = image == newImage && descriptor == newDescriptor;
    const bool cutShort = image == newImage && descriptor == oldDescriptor &&
                          fs::exists(work / ".sheet.glyphsheet.commit");
    EXPECT_TRUE(oldPair || newPair || cutShort) << "an image of " << image.size() << " bytes";
    if (run.signal == 0) {
      // A run that ends itself also removes what earlier killed runs left.
      EXPECT_EQ(std::tuple(run.exitCode, image == newImage, descriptor == newDescriptor,
                           Temporaries(work)),
                std::tuple(0, true, true, std::set<std::string>{}))
          << run.err;
    }
    std::set<std::string> expected = Temporaries(work);
    expected.insert({"big.fnt", "sheet.tga", "sheet.xml"});
    EXPECT_EQ(work.Entries(), expected);
  }
  EXPECT_TRUE(killedPartWay) << "no kill came while the image was being written";

  // A second export to the same name waits for the first to finish: the
  // pair ends as the second one's, never mixed.
  {
    CliProcess first(work.Path(), exportBig);
    while (!first.Ended() && ImageTempBytes(work.Path()) == 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const CliRun second = RunCli(work.Path(), {"export", "--chars", "xy", "-o", "sheet"});
    EXPECT_EQ(std::tuple(first.Wait().exitCode, second.exitCode), std::tuple(0, 0)) << second.err;
    EXPECT_TRUE(FileBytes(work / "sheet.tga") == oldImage);
    EXPECT_TRUE(FileBytes(work / "sheet.xml") == oldDescriptor);
  }

  // The next run removes temporaries in its folder, of any name, that no
  // live run holds locked, and leaves a locked one and other files alone.
  const std::string stale = kImageTemp + "Ab3dEf";
  const std::string held = kDescriptorTemp + "Gh7jKl";
  for (const std::string& name : {stale, held, std::string(".sheet.tga.Ab3dEf"),
                                  std::string(".other.tga.glyphsheet-Ab3dEf"),
                                  std::string("other.tga.glyphsheet-Ab3dEf")}) {
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
                                   "other.tga.glyphsheet-Ab3dEf"}));
}

}  // namespace
}  // namespace glyphsheet
