#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_bitmap.h"
#include "support/pixels.h"

namespace glyphsheet {
namespace {

// A colour 0x00BBGGRR is stored as the bytes blue, green, red, 0 (QImage's
// RGB32); reads and writes outside do nothing; a size that is not positive
// or cannot be allocated leaves an empty bitmap.
TEST(PixelBitmap, StoresBlueGreenRedBytesAndStaysInBounds) {
  PixelBitmap bitmap(4, 3);
  SetPixelAt(bitmap, 2, 1, 0x123456);  // red 0x56, green 0x34, blue 0x12
  uint8_t bytes[4];
  std::memcpy(bytes, bitmap.Pixels() + 1 * 4 + 2, 4);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0}));
  EXPECT_EQ(PixelAt(bitmap, 2, 1), 0x123456u);
  SetPixelAt(bitmap, 2, 1, 0);
  SetPixelAt(bitmap, 3, 2, 0xFFFFFF);
  bitmap.FillRect(-5, -5, 0, 10, 0x777777);
  bitmap.FillRect(4, 0, 100, 100, 0x777777);
  for (const auto& [x, y] : {std::pair{4, 0}, {0, 3}, {-1, 0}, {0, -1}, {4, 3}, {-100, 50}}) {
    SetPixelAt(bitmap, x, y, 0x777777);
    EXPECT_EQ(PixelAt(bitmap, x, y), 0u) << x << "," << y;
  }
  EXPECT_EQ(std::vector<uint32_t>(bitmap.Pixels(), bitmap.Pixels() + 12),
            (std::vector<uint32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF}));
  for (const auto& [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 5}, {1 << 20, 1 << 20}}) {
    EXPECT_FALSE(bitmap.Create(w, h));
    EXPECT_EQ(std::tuple(bitmap.Width(), bitmap.Height(), bitmap.Pixels()),
              std::tuple(0, 0, nullptr));
  }
}

// Inside the sheet magenta; outside, black lines down-right and down-left
// every 10 pixels on grey.
TEST(ClearSheetBitmap, MagentaInsideHatchOutside) {
  PixelBitmap sheet(512, 512);
  ClearSheetBitmap(sheet, 64, 48);
  const uint32_t magenta = 0xFF00FF, grey = 0x808080, black = 0;
  const struct { int x, y; uint32_t colour; } cases[] = {
      {0, 0, magenta}, {63, 47, magenta}, {64, 0, grey}, {70, 0, black}, {65, 5, black},
      {8, 48, black},  {4, 48, black},    {0, 48, grey}, {511, 0, grey}, {511, 511, black}};
  for (const auto& c : cases) EXPECT_EQ(PixelAt(sheet, c.x, c.y), c.colour) << c.x << "," << c.y;
  // A sheet of the bitmap's size or larger is magenta wherever the bitmap reaches.
  for (const auto& [w, h] : {std::pair{512, 512}, {1000, 70000}}) {
    ClearSheetBitmap(sheet, w, h);
    for (int i = 0; i < 512 * 512; ++i) ASSERT_EQ(sheet.Pixels()[i], 0xFF00FFu) << i;
  }
}

}  // namespace
}  // namespace glyphsheet
