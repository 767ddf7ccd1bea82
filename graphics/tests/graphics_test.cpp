// Graphics against GDI+ itself: drawing checked on the pixels of a 32-bit DIB section.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "graphics/graphics.h"
#include "graphics/matrix.h"
#include "graphics/tests/test_support.h"

namespace graphics {
namespace {

using testing::CommandSpy;
using testing::Dib;
using testing::MakeBitmap;
using testing::MakeBrush;
using testing::MakePen;

constexpr GpStatus kUntouched = Gdiplus::Win32Error;

class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(g.CreateFromHDC(dib.dc()));
    LastStatus = kUntouched;
  }
  // Drawing reaches the DIB's memory only after a flush.
  uint32_t Rgb(int x, int y) {
    g.Flush(Gdiplus::FlushIntentionSync);
    GdiFlush();
    return dib.Rgb(x, y);
  }
  Dib dib{100, 100};
  Graphics g;
};

TEST(GraphicsWithoutNative, DeleteIsFalseAndQueriesFailWithInvalidParameter) {
  Graphics g;
  LastStatus = kUntouched;
  EXPECT_FALSE(g.Delete());
  EXPECT_EQ(LastStatus, kUntouched);
  EXPECT_EQ(g.GetSmoothingMode(), 0);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_FALSE(g.Clear(0xFF000000));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST_F(GraphicsTest, DeleteReleasesAndLeavesNoNative) {
  EXPECT_TRUE(g.Delete());
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_EQ(g.GetNative(), nullptr);
}

TEST_F(GraphicsTest, AMovedGraphicsReportsTheSameNative) {
  void* native = g.GetNative();
  Graphics moved = std::move(g);
  EXPECT_EQ(moved.GetNative(), native);
  EXPECT_EQ(g.GetNative(), nullptr);
}

TEST_F(GraphicsTest, CreatingAgainReplacesTheHeldGraphics) {
  Dib other(10, 10);
  ASSERT_TRUE(g.CreateFromHDC(other.dc()));
  testing::TestBrush red = MakeBrush(0xFFFF0000);
  ASSERT_TRUE(g.FillRectangleI(red, 0, 0, 10, 10));
  g.Flush(Gdiplus::FlushIntentionSync);
  GdiFlush();
  EXPECT_EQ(other.Rgb(5, 5), 0xFF0000u);
  EXPECT_EQ(dib.Rgb(5, 5), 0u);
}

// The settings that read back what was set, one row each.
struct Setting {
  const char* name;
  std::function<bool(Graphics&)> set;
  std::function<double(Graphics&)> get;
  double expected;
};

TEST_F(GraphicsTest, SettingsReadBackWhatWasSet) {
  const Setting settings[] = {
      {"CompositingMode", [](Graphics& g) { return g.SetCompositingMode(1); },
       [](Graphics& g) { return g.GetCompositingMode(); }, 1},
      {"CompositingQuality", [](Graphics& g) { return g.SetCompositingQuality(2); },
       [](Graphics& g) { return g.GetCompositingQuality(); }, 2},
      {"SmoothingMode", [](Graphics& g) { return g.SetSmoothingMode(4); },
       [](Graphics& g) { return g.GetSmoothingMode(); }, 4},
      {"TextRenderingHint", [](Graphics& g) { return g.SetTextRenderingHint(5); },
       [](Graphics& g) { return g.GetTextRenderingHint(); }, 5},
      {"InterpolationMode", [](Graphics& g) { return g.SetInterpolationMode(5); },
       [](Graphics& g) { return g.GetInterpolationMode(); }, 5},
      {"PixelOffsetMode", [](Graphics& g) { return g.SetPixelOffsetMode(4); },
       [](Graphics& g) { return g.GetPixelOffsetMode(); }, 4},
      {"PageUnit", [](Graphics& g) { return g.SetPageUnit(Gdiplus::UnitPoint); },
       [](Graphics& g) { return g.GetPageUnit(); }, Gdiplus::UnitPoint},
      {"PageScale", [](Graphics& g) { return g.SetPageScale(2.5f); },
       [](Graphics& g) { return g.GetPageScale(); }, 2.5},
      {"TextContrast", [](Graphics& g) { return g.SetTextContrast(7); },
       [](Graphics& g) { return g.GetTextContrast(); }, 7},
  };
  for (const Setting& s : settings) {
    SCOPED_TRACE(s.name);
    EXPECT_TRUE(s.set(g));
    EXPECT_EQ(LastStatus, Gdiplus::Ok);
    EXPECT_DOUBLE_EQ(s.get(g), s.expected);
  }
  int x = 0, y = 0;
  EXPECT_TRUE(g.SetRenderingOrigin(4, 9));
  EXPECT_TRUE(g.GetRenderingOrigin(x, y));
  EXPECT_EQ(x * 100 + y, 409);
  EXPECT_GT(g.GetDpiX(), 0);
  EXPECT_GT(g.GetDpiY(), 0);
  EXPECT_EQ(g.GetNearestColor(0xFF123456) & 0xFF000000u, 0xFF000000u);
}

TEST_F(GraphicsTest, FlushReturnsItsStatusAndLeavesLastStatus) {
  EXPECT_EQ(g.Flush(), Gdiplus::Ok);
  EXPECT_EQ(LastStatus, kUntouched);
  Graphics empty;
  EXPECT_EQ(empty.Flush(), Gdiplus::InvalidParameter);
  EXPECT_EQ(LastStatus, kUntouched);
}

struct DrawLinesCall {
  const Gdiplus::GpPointF* points = nullptr;
  INT count = -1;
  int calls = 0;
};
DrawLinesCall g_drawLines;
CommandSpy* g_drawLinesSpy;
GpStatus WINGDIPAPI SpyDrawLines(Gdiplus::GpGraphics* graphics, Gdiplus::GpPen* pen,
                                 const Gdiplus::GpPointF* points, INT count) {
  g_drawLines = {points, count, g_drawLines.calls + 1};
  return g_drawLinesSpy->real<decltype(&SpyDrawLines)>()(graphics, pen, points, count);
}

TEST_F(GraphicsTest, DrawLinesOfAnEmptyArrayPassesNullAndZero) {
  testing::TestPen pen = MakePen(0xFFFF0000);
  CommandSpy spy(dll::GdipDrawLines, &SpyDrawLines);
  g_drawLinesSpy = &spy;
  EXPECT_FALSE(g.DrawLines(pen, {}));
  EXPECT_EQ(g_drawLines.calls, 1);
  EXPECT_EQ(g_drawLines.points, nullptr);
  EXPECT_EQ(g_drawLines.count, 0);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);

  std::vector<PointF> line{{0, 50}, {99, 50}};
  EXPECT_TRUE(g.DrawLines(pen, line));
  EXPECT_EQ(g_drawLines.count, 2);
  EXPECT_EQ(Rgb(50, 50), 0xFF0000u);
}

TEST_F(GraphicsTest, ScaleTransformAtScalesAboutTheCentreInBothOrders) {
  for (int order : {Gdiplus::MatrixOrderPrepend, Gdiplus::MatrixOrderAppend}) {
    SCOPED_TRACE(order);
    ASSERT_TRUE(g.ResetTransform());
    ASSERT_TRUE(g.TranslateTransform(5, 0));
    EXPECT_TRUE(g.ScaleTransformAt(2, 2, {10, 10}, order));
    std::vector<PointF> points{{10, 10}, {11, 10}};
    ASSERT_TRUE(g.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld,
                                  points));
    if (order == Gdiplus::MatrixOrderPrepend) {
      // Scaling first, then the earlier translation.
      EXPECT_FLOAT_EQ(points[0].X, 15);
      EXPECT_FLOAT_EQ(points[1].X, 17);
    } else {
      // Translation first; the scaling about (10, 10) follows.
      EXPECT_FLOAT_EQ(points[0].X, 20);
      EXPECT_FLOAT_EQ(points[1].X, 22);
    }
    EXPECT_FLOAT_EQ(points[0].Y, 10);
    EXPECT_FLOAT_EQ(points[1].Y, 10);
  }
  ASSERT_TRUE(g.ResetTransform());
  EXPECT_TRUE(g.ScaleTransformAt(2, 2, {10, 10}));
  std::vector<Point> ints{{10, 10}, {11, 10}};
  ASSERT_TRUE(g.TransformPointsI(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld,
                                 ints));
  EXPECT_EQ(ints[0].X, 10);
  EXPECT_EQ(ints[0].Y, 10);
  EXPECT_EQ(ints[1].X, 12);
  EXPECT_EQ(ints[1].Y, 10);
}

TEST_F(GraphicsTest, RotateTransformAtTurnsAboutTheCentre) {
  EXPECT_TRUE(g.RotateTransformAt(90, {10, 10}));
  std::vector<PointF> points{{10, 10}, {11, 10}};
  ASSERT_TRUE(
      g.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, points));
  EXPECT_NEAR(points[0].X, 10, 1e-4);
  EXPECT_NEAR(points[0].Y, 10, 1e-4);
  EXPECT_NEAR(points[1].X, 10, 1e-4);
  EXPECT_NEAR(points[1].Y, 11, 1e-4);
}

TEST_F(GraphicsTest, TransformsGoThroughAMatrixHolder) {
  Matrix m;
  ASSERT_TRUE(m.Create(1, 0, 0, 1, 30, 40));
  EXPECT_TRUE(g.SetTransform(m));
  EXPECT_TRUE(g.MultiplyTransform(m));
  Matrix read;
  ASSERT_TRUE(read.Create());
  EXPECT_TRUE(g.GetTransform(read));
  float e[6] = {};
  ASSERT_TRUE(read.GetElements(e));
  EXPECT_FLOAT_EQ(e[4], 60);
  EXPECT_FLOAT_EQ(e[5], 80);
  Matrix none;
  EXPECT_FALSE(g.SetTransform(none));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

// The 36 x 32 picture: 4 x 4 cells of distinct opaque colours.
uint32_t Cell(int x, int y) { return 0xFF000000u | uint32_t(x / 9) << 22 | uint32_t(y / 8) << 14 | 0x40; }

TEST_F(GraphicsTest, DrawImageRectDrawsTheWholePictureScaled) {
  testing::TestImage picture = MakeBitmap(36, 32, Cell);
  ASSERT_TRUE(g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
  ASSERT_TRUE(g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf));
  EXPECT_TRUE(g.DrawImageRect(picture, 10, 10, 72, 64));
  // Every cell's centre lands at twice its place; the picture's last cells reach the corner.
  for (int cy = 0; cy < 4; ++cy)
    for (int cx = 0; cx < 4; ++cx) {
      int sx = cx * 9 + 4, sy = cy * 8 + 4;
      EXPECT_EQ(Rgb(10 + 2 * sx, 10 + 2 * sy), Cell(sx, sy) & 0xFFFFFF) << cx << "," << cy;
    }
  EXPECT_EQ(Rgb(11, 11), Cell(0, 0) & 0xFFFFFF);
  EXPECT_EQ(Rgb(80, 72), Cell(35, 31) & 0xFFFFFF);
  EXPECT_EQ(Rgb(83, 50), 0u);
  EXPECT_EQ(Rgb(50, 75), 0u);
  EXPECT_EQ(Rgb(8, 50), 0u);

  Dib ints(100, 100);
  Graphics gi;
  ASSERT_TRUE(gi.CreateFromHDC(ints.dc()));
  gi.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  gi.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  EXPECT_TRUE(gi.DrawImageRectI(picture, 0, 0, 18, 16));
  gi.Flush(Gdiplus::FlushIntentionSync);
  GdiFlush();
  EXPECT_EQ(ints.Rgb(16, 14), Cell(35, 31) & 0xFFFFFF);
  EXPECT_EQ(ints.Rgb(19, 5), 0u);
}

TEST_F(GraphicsTest, ImagesDrawAtTheirPlaces) {
  testing::TestImage picture = MakeBitmap(36, 32, Cell);
  g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  EXPECT_TRUE(g.DrawImageI(picture, 0, 0));
  EXPECT_EQ(Rgb(35, 31), Cell(35, 31) & 0xFFFFFF);
  EXPECT_EQ(Rgb(36, 10), 0u);
  // The lower right cell alone, at (60, 60).
  EXPECT_TRUE(g.DrawImagePointRectI(picture, 60, 60, 27, 24, 9, 8));
  EXPECT_EQ(Rgb(64, 64), Cell(35, 31) & 0xFFFFFF);
  EXPECT_EQ(Rgb(70, 64), 0u);
  // Mirrored left to right through the three-point form.
  EXPECT_TRUE(g.DrawImagePointsI(picture, 99, 40, 63, 40, 99, 72));
  EXPECT_EQ(Rgb(97, 42), Cell(0, 0) & 0xFFFFFF);
  EXPECT_EQ(Rgb(65, 42), Cell(35, 0) & 0xFFFFFF);
  EXPECT_TRUE(g.DrawImageRectRectI(picture, 0, 40, 18, 16, 18, 16, 18, 16));
  EXPECT_EQ(Rgb(2, 42), Cell(18, 16) & 0xFFFFFF);
  EXPECT_FALSE(g.DrawImage(testing::TestImage(), 0, 0));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST_F(GraphicsTest, DrawImageAlphaAppliesTheAlphaAndLeavesLastStatus) {
  testing::TestImage red = MakeBitmap(10, 10, [](int, int) { return 0xFFFF0000u; });
  EXPECT_EQ(g.DrawImageAlpha(red, 0, 0, 10, 10, 0, 0, 10, 10, 0.5f), Gdiplus::Ok);
  EXPECT_EQ(LastStatus, kUntouched);
  uint32_t half = Rgb(5, 5);
  EXPECT_NEAR(int(half >> 16), 128, 2);
  EXPECT_EQ(half & 0xFFFF, 0u);
  EXPECT_EQ(g.DrawImageAlpha(red, 20, 0, 10, 10, 0, 0, 10, 10, 1.0f), Gdiplus::Ok);
  EXPECT_EQ(Rgb(25, 5), 0xFF0000u);
  EXPECT_EQ(g.DrawImageAlpha(red, 40, 0, 10, 10, 0, 0, 10, 10), Gdiplus::Ok);
  EXPECT_EQ(Rgb(45, 5), 0u);
  EXPECT_FLOAT_EQ(AlphaMatrix[3][3], 0);
  EXPECT_FLOAT_EQ(AlphaMatrix[4][4], 1);
  EXPECT_FLOAT_EQ(AlphaMatrix[0][1], 0);
}

TEST_F(GraphicsTest, OutlinesAndFillsReachThePixels) {
  testing::TestPen green = MakePen(0xFF00FF00, 1);
  testing::TestBrush blue = MakeBrush(0xFF0000FF);
  EXPECT_TRUE(g.Clear(0xFF101010));
  EXPECT_EQ(Rgb(99, 99), 0x101010u);
  EXPECT_TRUE(g.FillRectangleRect(blue, {10, 10, 20, 20}));
  EXPECT_EQ(Rgb(15, 15), 0x0000FFu);
  EXPECT_EQ(Rgb(35, 15), 0x101010u);
  EXPECT_TRUE(g.DrawRectangleI(green, 50, 10, 20, 20));
  EXPECT_EQ(Rgb(50, 20), 0x00FF00u);
  EXPECT_EQ(Rgb(60, 20), 0x101010u);
  EXPECT_TRUE(g.FillEllipseI(blue, 10, 50, 30, 30));
  EXPECT_EQ(Rgb(25, 65), 0x0000FFu);
  EXPECT_EQ(Rgb(11, 51), 0x101010u);
  const Point triangle[] = {{60, 50}, {90, 50}, {60, 80}};
  EXPECT_TRUE(g.FillPolygonI(blue, triangle));
  EXPECT_EQ(Rgb(65, 55), 0x0000FFu);
  EXPECT_EQ(Rgb(85, 75), 0x101010u);
  const RectF rects[] = {{0, 90, 5, 5}, {10, 90, 5, 5}};
  EXPECT_TRUE(g.FillRectangles(blue, rects));
  EXPECT_EQ(Rgb(12, 92), 0x0000FFu);
  EXPECT_EQ(Rgb(7, 92), 0x101010u);
  EXPECT_TRUE(g.DrawLineI(green, 0, 99, 99, 99));
  EXPECT_EQ(Rgb(40, 99), 0x00FF00u);
  EXPECT_FALSE(g.FillRectangle(testing::TestBrush(), 0, 0, 5, 5));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST_F(GraphicsTest, ClippingLimitsDrawingAndReportsItsBounds) {
  testing::TestBrush white = MakeBrush(0xFFFFFFFF);
  EXPECT_TRUE(g.SetClipRectI(20, 20, 10, 10));
  Rect bounds = g.GetClipBoundsI();
  EXPECT_EQ(bounds.X + bounds.Y + bounds.Width + bounds.Height, 60);
  EXPECT_FALSE(g.IsClipEmpty());
  EXPECT_TRUE(g.IsVisiblePointI(25, 25));
  EXPECT_FALSE(g.IsVisiblePoint(35, 25));
  EXPECT_TRUE(g.IsVisibleRect(25, 25, 30, 30));
  EXPECT_FALSE(g.IsVisibleRectI(50, 50, 5, 5));
  EXPECT_TRUE(g.FillRectangleI(white, 0, 0, 100, 100));
  EXPECT_EQ(Rgb(25, 25), 0xFFFFFFu);
  EXPECT_EQ(Rgb(35, 25), 0u);
  EXPECT_TRUE(g.TranslateClipI(50, 0));
  RectF moved = g.GetVisibleClipBounds();
  EXPECT_FLOAT_EQ(moved.X, 70);
  EXPECT_TRUE(g.SetClipRect(0, 0, 10, 10, Gdiplus::CombineModeIntersect));
  EXPECT_TRUE(g.IsVisibleClipEmpty());
  EXPECT_TRUE(g.ResetClip());
  EXPECT_TRUE(g.IsVisiblePoint(90, 90));
  HRGN hrgn = CreateRectRgn(0, 0, 5, 5);
  EXPECT_TRUE(g.SetClipHrgn(hrgn));
  DeleteObject(hrgn);
  EXPECT_EQ(g.GetClipBounds().Width, 5);
  testing::TestRegion region;
  Gdiplus::GpRegion* native = nullptr;
  ASSERT_EQ(dll::GdipCreateRegion(&native), Gdiplus::Ok);
  region.SetNative(native);
  EXPECT_TRUE(g.GetClip(region));
  Gdiplus::GpRectF regionBounds{};
  testing::testdll::GdipGetRegionBounds(native, g.handle(), &regionBounds);
  EXPECT_FLOAT_EQ(regionBounds.Width, 5);
  EXPECT_TRUE(g.SetClipRegion(region, Gdiplus::CombineModeReplace));
  Graphics other;
  ASSERT_TRUE(other.CreateFromHDC(dib.dc()));
  EXPECT_TRUE(other.SetClipGraphics(g));
  EXPECT_EQ(other.GetClipBoundsI().Width, 5);
}

TEST_F(GraphicsTest, StatesAndContainersRestoreTheTransform) {
  unsigned state = g.Save();
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  ASSERT_TRUE(g.TranslateTransform(10, 0));
  EXPECT_TRUE(g.Restore(state));
  std::vector<PointF> p{{1, 1}};
  g.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, p);
  EXPECT_FLOAT_EQ(p[0].X, 1);

  unsigned container = g.BeginContainer({0, 0, 200, 200}, {0, 0, 100, 100}, Gdiplus::UnitPixel);
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  p = {{1, 1}};
  g.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, p);
  EXPECT_FLOAT_EQ(p[0].X, 2);
  EXPECT_TRUE(g.EndContainer(container));
  unsigned second = g.BeginContainer2();
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_TRUE(g.EndContainer(second));
  unsigned third = g.BeginContainerI({0, 0, 10, 10}, {0, 0, 10, 10}, Gdiplus::UnitPixel);
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_TRUE(g.EndContainer(third));
}

TEST(GraphicsOnImage, FromImageDrawsIntoTheBitmap) {
  testing::TestImage bitmap = MakeBitmap(8, 8, [](int, int) { return 0u; });
  Graphics g;
  ASSERT_TRUE(g.FromImage(bitmap));
  testing::TestBrush brush = MakeBrush(0x80FF0000);
  EXPECT_TRUE(g.FillRectangleI(brush, 0, 0, 4, 8));
  g.Flush(Gdiplus::FlushIntentionSync);
  EXPECT_EQ(testing::BitmapPixel(bitmap, 1, 1), 0x80FF0000u);
  EXPECT_EQ(testing::BitmapPixel(bitmap, 6, 1), 0u);
  HDC dc = g.GetDC();
  EXPECT_NE(dc, nullptr);
  EXPECT_TRUE(g.ReleaseDC(dc));
}

}  // namespace
}  // namespace graphics
