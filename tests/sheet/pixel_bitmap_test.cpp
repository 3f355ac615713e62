#include <gtest/gtest.h>

#include <cstring>

#include "sheet/pixel_bitmap.h"
#include "sheet/sheet_bitmap.h"

namespace glyphsheet {
namespace {

TEST(PixelBitmap, StoresRedGreenBlueAsBlueGreenRedBytes) {
  PixelBitmap bitmap(4, 3);
  const uint32_t colour = 0x123456;  // red 0x56, green 0x34, blue 0x12
  bitmap.SetPixel(2, 1, colour);
  std::vector<uint8_t> bytes(4);
  std::memcpy(bytes.data(), bitmap.Pixels() + 1 * 4 + 2, 4);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x00}));
  EXPECT_EQ(bitmap.GetPixel(2, 1), colour);
  // The fourth byte passes through unchanged both ways.
  bitmap.SetPixel(0, 0, 0xAB010203);
  EXPECT_EQ(bitmap.Pixels()[0], 0xAB030201u);
  EXPECT_EQ(bitmap.GetPixel(0, 0), 0xAB010203u);
}

TEST(PixelBitmap, IgnoresWritesAndReadsOutside) {
  PixelBitmap bitmap(4, 3);
  bitmap.SetPixel(3, 2, 0xFFFFFF);
  const struct { int x, y; } outside[] = {{4, 0}, {0, 3}, {-1, 0}, {0, -1}, {4, 3}, {-100, 50}};
  for (const auto& p : outside) {
    bitmap.SetPixel(p.x, p.y, 0x777777);
    EXPECT_EQ(bitmap.GetPixel(p.x, p.y), 0u) << p.x << "," << p.y;
  }
  for (int i = 0; i < 11; ++i) EXPECT_EQ(bitmap.Pixels()[i], 0u) << i;
  EXPECT_EQ(bitmap.Pixels()[11], 0xFFFFFFu);
}

TEST(PixelBitmap, FailedOrDestroyedBitmapIsEmpty) {
  PixelBitmap bitmap(8, 8);
  for (auto size : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-1, 5}, std::pair{1 << 20, 1 << 20}}) {
    EXPECT_FALSE(bitmap.Create(size.first, size.second));
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Pixels(), nullptr);
    bitmap.SetPixel(0, 0, 0xFFFFFF);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
  }
  ASSERT_TRUE(bitmap.Create(2, 2));
  bitmap.Destroy();
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
}

TEST(ClearSheetBitmap, MagentaInsideHatchOutside) {
  PixelBitmap sheet(512, 512);
  ClearSheetBitmap(sheet, 64, 64);
  const uint32_t magenta = 0xFF00FF, grey = 0x808080, black = 0;
  const struct { int x, y; uint32_t colour; } cases[] = {
      {0, 0, magenta},   {63, 63, magenta}, {64, 0, grey},    {70, 0, black},
      {4, 64, black},    {8, 64, black},    {0, 64, grey},    {64, 64, black},
      {511, 511, black}, {65, 5, black},    {511, 0, grey},   {63, 64, grey},
  };
  for (const auto& c : cases) EXPECT_EQ(sheet.GetPixel(c.x, c.y), c.colour) << c.x << "," << c.y;
}

TEST(ClearSheetBitmap, FullSheetHasNoHatchAndNonSquareSheetsHatchTheRest) {
  PixelBitmap sheet(512, 512);
  ClearSheetBitmap(sheet, 512, 512);
  for (int i = 0; i < 512 * 512; ++i) ASSERT_EQ(sheet.Pixels()[i], 0xFF00FFu) << i;

  ClearSheetBitmap(sheet, 512, 128);
  EXPECT_EQ(sheet.GetPixel(511, 127), 0xFF00FFu);
  EXPECT_NE(sheet.GetPixel(511, 128), 0xFF00FFu);
  // A stored size above 512 only paints as far as the bitmap reaches.
  ClearSheetBitmap(sheet, 1000, 70000);
  EXPECT_EQ(sheet.GetPixel(511, 511), 0xFF00FFu);
}

}  // namespace
}  // namespace glyphsheet
