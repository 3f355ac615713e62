#include <gtest/gtest.h>

#include "files/sheet_image.h"
#include "sheet/rebuild.h"
#include "sheet/sheet_bitmap.h"

namespace glyphsheet {
namespace {


const std::vector<uint8_t> kHeader64 = {0, 0, 2, 0, 0, 0, 0, 0, 0,
                                        0, 0, 0, 64, 0, 64, 0, 32, 0x28};

// The four bytes of pixel (x, y) of an encoded image of the given width.
std::vector<uint8_t> PixelAt(const std::vector<uint8_t>& image, int32_t width, int32_t x,
                             int32_t y) {
  const size_t at = 18 + (static_cast<size_t>(y) * width + x) * 4;
  return std::vector<uint8_t>(image.begin() + at, image.begin() + at + 4);
}

TEST(SheetImage, HeaderRowsFromTheTopAndRedBecomesAlpha) {
  PixelBitmap bitmap(kSheetBitmapSize, kSheetBitmapSize);
  ClearSheetBitmap(bitmap, 64, 64);
  bitmap.SetPixel(0, 0, 0x000000);
  bitmap.SetPixel(5, 1, 0x123456);   // red 0x56
  bitmap.SetPixel(63, 63, 0xFFFF80);  // red 0x80, blue and green ignored
  bitmap.SetPixel(64, 0, 0x000011);   // outside the sheet: not written

  const std::vector<uint8_t> image = EncodeSheetImage(bitmap, 64, 64);
  ASSERT_EQ(image.size(), 16402u);
  EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 18), kHeader64);
  EXPECT_EQ(PixelAt(image, 64, 0, 0), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x00}));
  EXPECT_EQ(PixelAt(image, 64, 5, 1), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x56}));
  EXPECT_EQ(PixelAt(image, 64, 1, 5), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(PixelAt(image, 64, 63, 63), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x80}));
  EXPECT_EQ(PixelAt(image, 64, 0, 1), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  // Sides the 16-bit header fields cannot hold give no image.
  for (auto [w, h] : {std::pair{0, 64}, {64, -1}, {65536, 64}}) {
    EXPECT_TRUE(EncodeSheetImage(bitmap, w, h).empty()) << w << "x" << h;
  }
}

TEST(SheetImage, EmptyGlyphListIsWhiteWithFullAlphaEverywhere) {
  SheetDocument doc;
  doc.sheetWidth = 128;
  doc.sheetHeight = 64;
  PixelBitmap bitmap(kSheetBitmapSize, kSheetBitmapSize);
  Rebuild(doc, nullptr, bitmap);
  const std::vector<uint8_t> image = EncodeSheetImage(bitmap, 128, 64);
  ASSERT_EQ(image.size(), 18u + 128 * 64 * 4);
  EXPECT_EQ(image[12], 128);
  EXPECT_EQ(image[14], 64);
  for (size_t i = 18; i < image.size(); ++i) ASSERT_EQ(image[i], 0xFF) << "byte " << i;
}

TEST(SheetImage, OutputNamesReplaceTheExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"font.png", "font.tga"},       {"dir/font", "dir/font.tga"},
      {"a.b/font", "a.b/font.tga"},   {"font.tar.gz", "font.tar.tga"},
      {"/x/y/font.TGA", "/x/y/font.tga"}};
  for (const auto& [chosen, expected] : cases) {
    EXPECT_EQ(WithExtension(chosen, ".tga").string(), expected) << chosen;
  }
  EXPECT_EQ(WithExtension("font.png", ".xml").string(), "font.xml");
}

}  // namespace
}  // namespace glyphsheet
