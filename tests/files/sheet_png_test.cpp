#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <spng.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/sheet_image.h"
#include "files/sheet_tga.h"
#include "files/sheet_png.h"
#include "sheet/rebuild.h"
#include "support/fake_rasterizer.h"
#include "support/temp_folder.h"
#include "support/pixels.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeGlyph;
using testing::FileBytes;
using testing::TempFolder;

// A PNG file decoded to RGBA bytes, with its header; no pixels when libspng refuses it.
struct DecodedPng {
  spng_ihdr header{};
  std::vector<uint8_t> rgba;
};

DecodedPng DecodePng(const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = FileBytes(path);
  const std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(0), spng_ctx_free);
  DecodedPng png;
  size_t size = 0;
  if (spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size()) != 0 ||
      spng_get_ihdr(ctx.get(), &png.header) != 0 ||
      spng_decoded_image_size(ctx.get(), SPNG_FMT_RGBA8, &size) != 0) {
    return png;
  }
  png.rgba.resize(size);
  if (spng_decode_image(ctx.get(), png.rgba.data(), size, SPNG_FMT_RGBA8, 0) != 0) png.rgba.clear();
  return png;
}

Status WriteAndCommit(const std::filesystem::path& path,
                      const std::function<Status(AtomicFile&)>& write) {
  auto file = AtomicFile::Open(path);
  if (!file) return file.failure();
  if (auto written = write(file.value()); !written) return written;
  return file.value().Commit();
}

// Bytes that hardly compress, different in every row and column.
uint8_t Noise(int32_t x, int32_t y) {
  return static_cast<uint8_t>((x * 2654435761u ^ y * 40503u) >> 11);
}

// A laid-out sheet as PNG: in every cell on the sheet and the drawn area the
// TGA's pixel, elsewhere (gaps, unused area, past the drawn area)
// transparent white. The sheets: smaller than 512 x 512 with cells cut at
// the bottom and one of negative width, so that the next overlaps its
// neighbours; wider than 512 with a cell wider than any sheet. Each also
// gets a cell no layout makes, its edges past 2^31. Then again without
// borders and with ink that fills every cell, so that a cell edge one pixel
// off shows wherever it lies.
TEST(SheetPng, CellsHoldTheImagePixelsAndAllElseIsTransparent) {
  struct Case {
    int32_t width, height;
    CellBorders borders;
    size_t oddGlyph;
    int32_t oddLeft;
  };
  const Case cases[] = {{200, 120, {1, 2, 1, 1}, 2, -30}, {700, 60, {0, 1, 2, 1}, 50, INT32_MAX}};
  FakeFont font(20, FakeGlyph{{1, 8, 1}, 3, 10, 0x80});
  font.Set('B', FakeGlyph{{0, 14, 0}, 0, -1, 0xFF});
  const FakeFont filling(20, FakeGlyph{{0, 8, 0}, 0, -1, 0x90});
  for (const Case& c : cases) {
    for (const bool filled : {false, true}) {
      SheetDocument doc;
      doc.sheetWidth = c.width, doc.sheetHeight = c.height;
      doc.borders = filled ? CellBorders{} : c.borders;
      for (int code = 'A'; code < 'A' + 90; ++code) doc.AddGlyph(static_cast<char32_t>(code));
      doc.glyphs.SetBorders(c.oddGlyph, filled ? 0 : c.oddLeft, 0);
      const FakeFont& used = filled ? filling : font;
      LayOutSheet(doc, &used);
      doc.layout.shown.push_back({0, GlyphCell{c.width / 2, 10, INT32_MAX, INT32_MAX}});
      std::vector<int> cells(size_t(c.width) * c.height);  // how many cells cover each pixel
      for (const ShownCell& s : doc.layout.shown) {
        const GlyphCell& g = s.cell;
        const int64_t x1 = std::min<int64_t>({int64_t{g.x} + g.width, int64_t{c.width}});
        const int64_t y1 = std::min<int64_t>({int64_t{g.y} + g.height, int64_t{c.height}});
        for (int64_t y = std::max(g.y, 0); y < y1; ++y) {
          for (int64_t x = std::max(g.x, 0); x < x1; ++x) ++cells[y * c.width + x];
        }
      }
      EXPECT_GT(*std::max_element(cells.begin(), cells.end()), 1) << c.width;
      TempFolder folder;
      ASSERT_TRUE(WriteAndCommit(folder / "s.tga", [&](AtomicFile& f) {
        SheetRows rows(doc, &used);
        return WriteSheetTgaTo(f, rows, c.width, c.height);
      }));
      ASSERT_TRUE(WriteAndCommit(folder / "s.png", [&](AtomicFile& f) {
        SheetRows rows(doc, &used);
        return WriteSheetPngTo(f, rows, c.width, c.height);
      }));
      const std::vector<uint8_t> tga = FileBytes(folder / "s.tga");
      const DecodedPng png = DecodePng(folder / "s.png");
      ASSERT_EQ(png.header.width, uint32_t(c.width));
      ASSERT_EQ(png.rgba.size(), cells.size() * 4);
      int inkInCells = 0, opaqueOutside = 0;
      for (size_t i = 0; i < cells.size(); ++i) {
        const uint8_t* bgra = tga.data() + 18 + i * 4;
        inkInCells += cells[i] > 0 && bgra[3] != 0;
        opaqueOutside += cells[i] == 0 && bgra[3] != 0;
        const uint8_t alpha = cells[i] > 0 ? bgra[3] : 0;
        const std::vector<uint8_t> want = {bgra[2], bgra[1], bgra[0], alpha};
        ASSERT_EQ(std::vector<uint8_t>(&png.rgba[i * 4], &png.rgba[i * 4 + 4]), want)
            << c.width << (filled ? " filled: " : ": ") << i % c.width << ", " << i / c.width;
      }
      EXPECT_GT(inkInCells, 0) << c.width;
      EXPECT_GT(opaqueOutside, 0) << c.width;
    }
  }
}

// Rows come back as made. A side outside 1..65535 is refused naming the
// file; a write that fails (past a file size limit) gives the file's own
// reason and leaves the last good file.
TEST(WritePng, RowsComeBackAsMadeAndFailuresNameTheFile) {
  TempFolder folder;
  const std::filesystem::path path = folder / "n.png";
  const auto write = [&path](int32_t width, int32_t height) {
    return WriteAndCommit(path, [&](AtomicFile& f) {
      return WritePngTo(f, width, height, [width](int32_t y, uint8_t* rgba) {
        for (int32_t i = 0; i < width * 4; ++i) rgba[i] = Noise(i, y);
      });
    });
  };
  for (const auto& [width, height] : {std::pair{1, 1}, {300, 7}}) {
    ASSERT_TRUE(write(width, height));
    const DecodedPng png = DecodePng(path);
    ASSERT_EQ(png.rgba.size(), size_t(width) * height * 4) << width;
    for (int32_t i = 0; i < width * height * 4; ++i) {
      ASSERT_EQ(png.rgba[i], Noise(i % (width * 4), i / (width * 4))) << width << " byte " << i;
    }
  }
  for (const auto& [width, height] : {std::pair{0, 5}, {5, 65536}, {-1, 5}}) {
    const Status refused = write(width, height);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().detail.problem, Problem::kSheetTooLarge);
    EXPECT_EQ(refused.failure().detail.numbers, (std::vector<int64_t>{width, height}));
    EXPECT_NE(refused.error().find(path.string()), std::string::npos) << refused.error();
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{10000, 10000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const Status failed = write(512, 512);
    const Error want = SystemError(FileAction::kWrite, path, EFBIG);
    ::_exit(!failed && failed.error() == want.message ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "not the file's own reason";
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"n.png"}));
  EXPECT_EQ(DecodePng(path).header.width, 300u);
}

}  // namespace
}  // namespace glyphsheet
