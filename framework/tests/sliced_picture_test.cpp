// Slicing and drawing skin pictures, checked on the pixels of a real GDI+ surface.
#include "framework/skin/sliced_picture.h"

#include <gtest/gtest.h>

#include "framework/tests/picture_test_support.h"

namespace {

using framework::SliceSet;
using framework::SlicedPicture;
using framework::testing::MakePng;
using framework::testing::Surface;

constexpr uint32_t kMarker = 0xFFFF00FF;

// Each of the nine areas of a 30 x 30 picture cut at 10 and 20 has its own colour; the
// first column of every area is darker, so tiling can be seen to start there.
uint32_t AreaColour(int column, int row) { return 0xFF102030u + uint32_t(column * 0x30 + row * 0x3000); }
int Area(int v) { return v < 10 ? 0 : v < 20 ? 1 : 2; }
int AreaStart(int v) { return v < 10 ? 0 : v < 20 ? 11 : 21; }

uint32_t NinePatch(int x, int y) {
  if ((y == 1 && (x == 10 || x == 20)) || (x == 1 && (y == 10 || y == 20))) return kMarker;
  uint32_t colour = AreaColour(Area(x), Area(y));
  return x == AreaStart(x) ? colour - 0x10 : colour;
}

graphics::RectF R(float x, float y, float w, float h) { return {x, y, w, h}; }

void ExpectRect(const graphics::RectF& actual, graphics::RectF expected, const char* name) {
  EXPECT_EQ(actual.X, expected.X) << name;
  EXPECT_EQ(actual.Y, expected.Y) << name;
  EXPECT_EQ(actual.Width, expected.Width) << name;
  EXPECT_EQ(actual.Height, expected.Height) << name;
}

void ExpectSlices(const SliceSet& set, const std::array<graphics::RectF, 9>& expected) {
  static const char* names[] = {"top-left", "bottom-left", "top-right", "bottom-right", "left edge",
                                "top edge", "right edge", "bottom edge", "centre"};
  for (int i = 0; i < 9; ++i) ExpectRect(set.rects[i], expected[i], names[i]);
}

TEST(SlicedPicture, MarkersAtTenAndTwentyGiveNineByNineCorners) {
  SlicedPicture picture;
  ASSERT_EQ(picture.load(MakePng(30, 30, NinePatch)), 1);
  EXPECT_EQ(picture.getNormalSize(), (SlicedPicture::Size{30, 30}));
  EXPECT_EQ(picture.normalSet().plain, 0);
  ExpectSlices(picture.normalSet(), {R(0, 0, 9, 9), R(0, 21, 9, 9), R(21, 0, 9, 9), R(21, 21, 9, 9),
                                     R(0, 11, 9, 9), R(11, 0, 9, 9), R(21, 11, 9, 9),
                                     R(11, 21, 9, 9), R(11, 11, 9, 9)});
}

TEST(SlicedPicture, DrawsCornersInPlaceAndTilesEdgesAndCentre) {
  SlicedPicture picture;
  ASSERT_EQ(picture.load(MakePng(30, 30, NinePatch)), 1);
  Surface surface(100, 50);
  picture.setTarget(0, 0, 100, 50);
  picture.drawNormal(surface.graphics);
  // Corners at natural size, in the target's corners.
  EXPECT_EQ(surface.pixel(0, 0), AreaColour(0, 0) - 0x10);
  EXPECT_EQ(surface.pixel(8, 8), AreaColour(0, 0));
  EXPECT_EQ(surface.pixel(91, 0), AreaColour(2, 0) - 0x10);
  EXPECT_EQ(surface.pixel(99, 8), AreaColour(2, 0));
  EXPECT_EQ(surface.pixel(0, 41), AreaColour(0, 2) - 0x10);
  EXPECT_EQ(surface.pixel(99, 49), AreaColour(2, 2));
  // The top edge covers x 9 to 90, tiles of 9 starting at 9.
  for (int x = 9; x <= 90; ++x) {
    uint32_t expected = (x - 9) % 9 == 0 ? AreaColour(1, 0) - 0x10 : AreaColour(1, 0);
    EXPECT_EQ(surface.pixel(x, 4), expected) << "top edge at x " << x;
  }
  // The centre covers 82 x 32 from (9, 9), and its tiling starts there too.
  EXPECT_EQ(surface.pixel(9, 9), AreaColour(1, 1) - 0x10);
  EXPECT_EQ(surface.pixel(10, 40), AreaColour(1, 1));
  EXPECT_EQ(surface.pixel(89, 40), AreaColour(1, 1));
  EXPECT_EQ(surface.pixel(90, 40), AreaColour(1, 1) - 0x10);  // a tenth tile starts at 90
  EXPECT_EQ(surface.pixel(91, 40), AreaColour(2, 1) - 0x10);
  EXPECT_EQ(surface.pixel(50, 41), AreaColour(1, 2));
  EXPECT_EQ(surface.pixel(27, 20), AreaColour(1, 1) - 0x10);
  // Edges left and right, between the corners.
  EXPECT_EQ(surface.pixel(4, 25), AreaColour(0, 1));
  EXPECT_EQ(surface.pixel(95, 25), AreaColour(2, 1));
  EXPECT_EQ(surface.pixel(50, 45), AreaColour(1, 2));
}

TEST(SlicedPicture, ColumnMarkersOnlyGiveThreeFullHeightStrips) {
  auto strips = MakePng(30, 10, [](int x, int y) {
    if (y == 1 && (x == 10 || x == 20)) return kMarker;
    return AreaColour(Area(x), 0) - (x == AreaStart(x) ? 0x10 : 0);
  });
  SlicedPicture picture;
  ASSERT_EQ(picture.load(strips), 1);
  ExpectSlices(picture.normalSet(), {R(0, 0, 9, 10), {}, R(21, 0, 9, 10), {}, {}, R(11, 0, 9, 10),
                                     {}, {}, {}});
  Surface surface(100, 30);
  picture.setTarget(0, 0, 100, 30);
  picture.drawNormal(surface.graphics);
  EXPECT_EQ(surface.pixel(5, 5), AreaColour(0, 0));
  EXPECT_EQ(surface.pixel(9, 5), AreaColour(1, 0) - 0x10);
  EXPECT_EQ(surface.pixel(60, 9), AreaColour(1, 0));
  EXPECT_EQ(surface.pixel(95, 9), AreaColour(2, 0));
  // Nothing is stretched vertically: below the strips' height the surface stays clear.
  EXPECT_EQ(surface.pixel(5, 10), 0u);
  EXPECT_EQ(surface.pixel(60, 20), 0u);
}

TEST(SlicedPicture, APictureWithoutMarkersIsDrawnOnceAtItsSize) {
  SlicedPicture picture;
  ASSERT_EQ(picture.load(MakePng(7, 5, [](int, int) { return 0xFF3366CCu; })), 1);
  EXPECT_EQ(picture.normalSet().plain, 1);
  Surface surface(100, 50);
  picture.setTarget(3, 4, 100, 50);
  picture.drawNormal(surface.graphics);
  EXPECT_EQ(surface.pixel(3, 4), 0xFF3366CCu);
  EXPECT_EQ(surface.pixel(9, 8), 0xFF3366CCu);
  EXPECT_EQ(surface.pixel(10, 4), 0u);
  EXPECT_EQ(surface.pixel(3, 9), 0u);
  EXPECT_EQ(surface.pixel(2, 3), 0u);
}

TEST(SlicedPicture, OnlyOpaqueMagentaIsAMarker) {
  for (uint32_t almost : {0xFEFF00FFu, 0xFFFF01FFu, 0xFFFE00FFu}) {
    SlicedPicture picture;
    ASSERT_EQ(picture.load(MakePng(30, 30, [=](int x, int y) {
      uint32_t p = NinePatch(x, y);
      return p == kMarker ? almost : p;
    })), 1);
    EXPECT_EQ(picture.normalSet().plain, 1) << std::hex << almost;
  }
}

TEST(SlicedPicture, ASingleMarkerCutsTwoBands) {
  auto picture = MakePng(30, 30, [](int x, int y) { return y == 1 && x == 10 ? kMarker : 0xFF808080u; });
  SliceSet set;
  EXPECT_EQ(SlicedPicture::analyse(picture, set), 30u + 65536u * 30u);
  ExpectSlices(set, {R(0, 0, 9, 30), {}, R(11, 0, 19, 30), {}, {}, {}, {}, {}, {}});
}

TEST(SlicedPicture, LoadOfUndecodableBytesFails) {
  SlicedPicture picture;
  ASSERT_EQ(picture.load(MakePng(30, 30, NinePatch)), 1);
  const std::vector<uint8_t> junk = {0x89, 'P', 'N', 'G', 1, 2, 3};
  EXPECT_EQ(picture.load(junk), 0);
  EXPECT_EQ(picture.isLoaded(), 0);
  EXPECT_EQ(picture.load({}), 0);
  EXPECT_EQ(picture.isLoaded(), 0);
}

TEST(SlicedPicture, OptionalStatesAndNumbers) {
  auto normal = MakePng(30, 30, NinePatch);
  auto hover = MakePng(12, 8, [](int, int) { return 0xFF00FF00u; });
  SlicedPicture picture;
  ASSERT_EQ(picture.load(normal, hover), 1);
  EXPECT_EQ(picture.getCornerRadius(), 10);
  EXPECT_EQ(picture.getWidth(), 3);
  EXPECT_EQ(picture.getHoverSize(), (SlicedPicture::Size{12, 8}));
  EXPECT_EQ(picture.hoverSet().plain, 1);
  EXPECT_EQ(picture.getPressedSize(), (SlicedPicture::Size{30, 30}));
  EXPECT_EQ(picture.pressedSet().bytes, normal);
  ASSERT_EQ(picture.load(normal, {}, {}, {}, 6, 5), 1);
  EXPECT_EQ(picture.getCornerRadius(), 6);
  EXPECT_EQ(picture.getWidth(), 5);
}

TEST(SlicedPicture, CopiesAreDeep) {
  SlicedPicture picture;
  ASSERT_EQ(picture.load(MakePng(30, 30, NinePatch)), 1);
  SlicedPicture copy = picture;
  picture.load(MakePng(7, 5, [](int, int) { return 0xFF3366CCu; }));
  EXPECT_EQ(copy.getNormalSize(), (SlicedPicture::Size{30, 30}));
  Surface surface(40, 40);
  copy.setTarget(0, 0, 40, 40);
  copy.drawNormal(surface.graphics);
  EXPECT_EQ(surface.pixel(39, 39), AreaColour(2, 2));
}

}  // namespace
