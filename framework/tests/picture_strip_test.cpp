// Cutting skin strips into tiles against the real GDI+ decoder and PNG encoder.
#include "framework/controls/picture_strip.h"

#include <gtest/gtest.h>

#include "framework/tests/picture_test_support.h"
#include "runtime/embed.h"

TARVO_EMBED_BYTES(kCaptionStrip, "caption_strip.png");

namespace {

using framework::PictureStrip;
using framework::testing::MakePng;

constexpr uint32_t kKeyArgb = 0xFFFF00FF;

std::vector<int> TileWidths(const PictureStrip& strip) {
  std::vector<int> widths;
  for (int i = 1; i <= strip.getCount(); ++i) widths.push_back(strip.getWidth(i));
  return widths;
}

// A picture 5 pixels high whose row 2 holds `row2` at the given columns and grey elsewhere.
std::vector<uint8_t> StripWithSeparators(int width, std::vector<int> columns, uint32_t row2) {
  return MakePng(width, 5, [=](int x, int y) {
    bool separator = y == 2 && std::find(columns.begin(), columns.end(), x) != columns.end();
    return separator ? row2 : 0xFF808080u + uint32_t(x);
  });
}

TEST(PictureStrip, TheCaptionStripHasThirtyTiles) {
  PictureStrip strip;
  EXPECT_EQ(strip.load(kCaptionStrip.view(), 0x7F007F), 30);
  EXPECT_EQ(strip.getCount(), 30);
  EXPECT_EQ(strip.getWidth(1), 28);
  EXPECT_EQ(strip.getWidth(26), 28);
  EXPECT_EQ(strip.getWidth(27), 42);
  EXPECT_EQ(strip.getWidth(30), 42);
  EXPECT_EQ(strip.getHeight(1), 20);
  EXPECT_EQ(strip.getTotalWidth(), 925);
  EXPECT_EQ(strip.getTotalHeight(), 20);
  graphics::Bitmap tile;
  ASSERT_TRUE(tile.FromBytes(strip.get(27)));
  EXPECT_EQ(tile.GetWidth(), 42u);
  EXPECT_EQ(tile.GetHeight(), 20u);
}

TEST(PictureStrip, SeparatorsInRowTwoCutTheTiles) {
  struct Case {
    const char* name;
    int width;
    std::vector<int> keyColumns;
    uint32_t row2;
    std::vector<int> widths;
  };
  const Case cases[] = {
      {"one separator", 10, {4}, kKeyArgb, {4, 5}},
      {"no separator", 10, {}, kKeyArgb, {10}},
      {"column 0 is never tested", 10, {0}, kKeyArgb, {10}},
      {"adjacent separators", 10, {3, 4}, kKeyArgb, {3, 0, 5}},
      {"key not opaque", 10, {4}, 0xFEFF00FF, {10}},
      {"last column", 10, {9}, kKeyArgb, {9, 0}},
  };
  for (const Case& c : cases) {
    PictureStrip strip;
    strip.load(StripWithSeparators(c.width, c.keyColumns, c.row2));
    EXPECT_EQ(TileWidths(strip), c.widths) << c.name;
    EXPECT_EQ(strip.getTotalWidth(), c.width) << c.name;
    EXPECT_EQ(strip.getTotalHeight(), 5) << c.name;
  }
}

TEST(PictureStrip, TilesKeepTheirPixels) {
  PictureStrip strip;
  ASSERT_EQ(strip.load(StripWithSeparators(10, {4}, kKeyArgb)), 2);
  graphics::Bitmap second;
  ASSERT_TRUE(second.FromBytes(strip.get(2)));
  EXPECT_EQ(second.GetPixel(0, 0), 0xFF808080u + 5);
  EXPECT_EQ(second.GetPixel(4, 4), 0xFF808080u + 9);
}

TEST(PictureStrip, TheKeyColourIsTheOneGiven) {
  auto picture = StripWithSeparators(10, {6}, 0xFF7F007F);
  PictureStrip strip;
  EXPECT_EQ(strip.load(picture), 1);  // default key 0xFF00FF
  EXPECT_EQ(strip.load(picture, 0x7F007F), 2);
  EXPECT_EQ(TileWidths(strip), (std::vector<int>{6, 3}));
}

TEST(PictureStrip, UndecodableBytesGiveAnEmptyStrip) {
  const std::vector<uint8_t> junk = {1, 2, 3, 4, 5, 6, 7, 8};
  PictureStrip strip;
  strip.load(StripWithSeparators(10, {4}, kKeyArgb));
  EXPECT_EQ(strip.load(junk), 0);
  EXPECT_EQ(strip.load({}), 0);
  EXPECT_EQ(strip.getCount(), 0);
  EXPECT_EQ(strip.getTotalWidth(), 0);
  EXPECT_EQ(strip.getTotalHeight(), 0);
}

TEST(PictureStrip, IndexesOutsideTheStripChangeNothing) {
  PictureStrip strip;
  strip.load(StripWithSeparators(10, {4}, kKeyArgb));
  for (int index : {0, -1, 3, 1000}) {
    EXPECT_TRUE(strip.get(index).empty()) << index;
    EXPECT_EQ(strip.getWidth(index), 0) << index;
    EXPECT_EQ(strip.getHeight(index), 0) << index;
    EXPECT_EQ(strip.remove(index), 0) << index;
  }
  EXPECT_EQ(strip.getCount(), 2);
  EXPECT_EQ(strip.getTotalWidth(), 10);
}

TEST(PictureStrip, AddAndRemoveKeepTheTotals) {
  PictureStrip strip;
  strip.load(StripWithSeparators(10, {4}, kKeyArgb));
  graphics::Bitmap extra;
  ASSERT_TRUE(extra.FromBytes(MakePng(7, 3, [](int, int) { return 0xFF00FF00u; })));
  EXPECT_EQ(strip.add(extra), 3);
  EXPECT_EQ(strip.getWidth(3), 7);
  EXPECT_EQ(strip.getHeight(3), 3);
  EXPECT_EQ(strip.getTotalWidth(), 17);
  EXPECT_EQ(strip.getTotalHeight(), 5);
  EXPECT_EQ(strip.remove(1), 1);
  EXPECT_EQ(TileWidths(strip), (std::vector<int>{5, 7}));
  EXPECT_EQ(strip.getTotalWidth(), 13);
  graphics::Bitmap added;
  ASSERT_TRUE(added.FromBytes(strip.get(2)));
  EXPECT_EQ(added.GetPixel(6, 2), 0xFF00FF00u);
}

TEST(PictureStrip, FixedSizeCuts) {
  auto picture = MakePng(44, 14, [](int x, int y) { return 0xFF000000u | uint32_t(x << 8 | y); });
  PictureStrip strip;
  EXPECT_EQ(strip.cutColumns(picture, 14), 3);  // the 2 columns left over are dropped
  EXPECT_EQ(TileWidths(strip), (std::vector<int>{14, 14, 14}));
  EXPECT_EQ(strip.getHeight(2), 14);
  graphics::Bitmap tile;
  ASSERT_TRUE(tile.FromBytes(strip.get(2)));
  EXPECT_EQ(tile.GetPixel(0, 3), 0xFF000000u | (14 << 8 | 3));
  EXPECT_EQ(strip.cutRows(picture, 7), 2);
  EXPECT_EQ(strip.getWidth(1), 44);
  EXPECT_EQ(strip.getHeight(2), 7);
  EXPECT_EQ(strip.cutColumns(picture, 0), 0);
}

TEST(PictureStrip, CopiesAreIndependent) {
  PictureStrip strip;
  strip.load(StripWithSeparators(10, {4}, kKeyArgb));
  PictureStrip copy = strip;
  strip.remove(1);
  strip.remove(1);
  EXPECT_EQ(copy.getCount(), 2);
  graphics::Bitmap tile;
  EXPECT_TRUE(tile.FromBytes(copy.get(1)));
  EXPECT_EQ(tile.GetWidth(), 4u);
}

}  // namespace
