// Graphics against GDI+ itself: drawing checked on the pixels of a 32-bit DIB section.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "graphics/graphics.h"
#include "graphics/matrix.h"
#include "graphics/path.h"
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

// Every outline and fill method, each drawn alone into a cleared surface: it must ink the
// pixel named and leave a pixel outside its shape alone.
struct Shape {
  const char* name;
  std::function<bool(Graphics&, const GdipObject& pen, const GdipObject& brush)> draw;
  int inkX, inkY;
  int clearX, clearY;
};

TEST_F(GraphicsTest, EveryOutlineAndFillInksItsShape) {
  testing::TestPen pen = MakePen(0xFFFFFFFF, 3);
  testing::TestBrush brush = MakeBrush(0xFFFFFFFF);
  const std::vector<PointF> zigzag{{10, 10}, {50, 50}, {90, 10}};
  const std::vector<Point> zigzagI{{10, 10}, {50, 50}, {90, 10}};
  const std::vector<PointF> bezier{{10, 50}, {30, 50}, {70, 50}, {90, 50}};
  const std::vector<Point> bezierI{{10, 50}, {30, 50}, {70, 50}, {90, 50}};
  const std::vector<PointF> square{{20, 20}, {80, 20}, {80, 80}, {20, 80}};
  const std::vector<Point> squareI{{20, 20}, {80, 20}, {80, 80}, {20, 80}};
  GraphicsPath ring;
  ASSERT_TRUE(ring.Create());
  ASSERT_TRUE(ring.AddEllipseI(10, 10, 80, 80));
  const Shape shapes[] = {
      {"DrawPath", [&](Graphics& g, auto& p, auto&) { return g.DrawPath(p, ring); }, 10, 50, 50, 50},
      {"FillPath", [&](Graphics& g, auto&, auto& b) { return g.FillPath(b, ring); }, 50, 50, 12, 12},
      {"DrawLine", [](Graphics& g, auto& p, auto&) { return g.DrawLine(p, 0, 50, 99, 50); }, 50, 50, 50, 10},
      {"DrawLines", [&](Graphics& g, auto& p, auto&) { return g.DrawLines(p, zigzag); }, 50, 50, 50, 10},
      {"DrawLinesI", [&](Graphics& g, auto& p, auto&) { return g.DrawLinesI(p, zigzagI); }, 50, 50, 50, 10},
      {"DrawArc", [](Graphics& g, auto& p, auto&) { return g.DrawArc(p, 10, 10, 80, 80, 0, 180); }, 50, 90, 50, 10},
      {"DrawArcI", [](Graphics& g, auto& p, auto&) { return g.DrawArcI(p, 10, 10, 80, 80, 180, 180); }, 50, 10, 50, 90},
      {"DrawBezier", [](Graphics& g, auto& p, auto&) { return g.DrawBezier(p, 10, 50, 30, 50, 70, 50, 90, 50); }, 50, 50, 50, 20},
      {"DrawBezierI", [](Graphics& g, auto& p, auto&) { return g.DrawBezierI(p, 10, 50, 30, 50, 70, 50, 90, 50); }, 50, 50, 50, 20},
      {"DrawBeziers", [&](Graphics& g, auto& p, auto&) { return g.DrawBeziers(p, bezier); }, 50, 50, 50, 20},
      {"DrawBeziersI", [&](Graphics& g, auto& p, auto&) { return g.DrawBeziersI(p, bezierI); }, 50, 50, 50, 20},
      {"DrawRectangle", [](Graphics& g, auto& p, auto&) { return g.DrawRectangle(p, 20, 20, 60, 60); }, 20, 50, 50, 50},
      {"DrawRectangles", [](Graphics& g, auto& p, auto&) { return g.DrawRectangles(p, std::vector<RectF>{{20, 20, 60, 60}}); }, 80, 50, 50, 50},
      {"DrawRectanglesI", [](Graphics& g, auto& p, auto&) { return g.DrawRectanglesI(p, std::vector<Rect>{{20, 20, 60, 60}}); }, 50, 80, 50, 50},
      {"DrawEllipse", [](Graphics& g, auto& p, auto&) { return g.DrawEllipse(p, 10, 10, 80, 80); }, 10, 50, 50, 50},
      {"DrawEllipseI", [](Graphics& g, auto& p, auto&) { return g.DrawEllipseI(p, 10, 10, 80, 80); }, 90, 50, 50, 50},
      {"DrawPie", [](Graphics& g, auto& p, auto&) { return g.DrawPie(p, 10, 10, 80, 80, 0, 90); }, 70, 50, 30, 50},
      {"DrawPieI", [](Graphics& g, auto& p, auto&) { return g.DrawPieI(p, 10, 10, 80, 80, 0, 90); }, 50, 70, 50, 30},
      {"DrawPolygon", [&](Graphics& g, auto& p, auto&) { return g.DrawPolygon(p, square); }, 20, 50, 50, 50},
      {"DrawPolygonI", [&](Graphics& g, auto& p, auto&) { return g.DrawPolygonI(p, squareI); }, 80, 50, 50, 50},
      {"DrawCurve", [&](Graphics& g, auto& p, auto&) { return g.DrawCurve(p, zigzag); }, 10, 10, 50, 10},
      {"DrawCurveI", [&](Graphics& g, auto& p, auto&) { return g.DrawCurveI(p, zigzagI); }, 50, 50, 50, 10},
      {"DrawCurve2", [&](Graphics& g, auto& p, auto&) { return g.DrawCurve2(p, zigzag, 0); }, 30, 30, 50, 10},
      {"DrawCurve2I", [&](Graphics& g, auto& p, auto&) { return g.DrawCurve2I(p, zigzagI, 0); }, 70, 30, 50, 10},
      {"DrawCurve3", [&](Graphics& g, auto& p, auto&) { return g.DrawCurve3(p, zigzag, 1, 1, 0); }, 70, 30, 30, 30},
      {"DrawCurve3I", [&](Graphics& g, auto& p, auto&) { return g.DrawCurve3I(p, zigzagI, 0, 1, 0); }, 30, 30, 70, 30},
      {"DrawClosedCurve", [&](Graphics& g, auto& p, auto&) { return g.DrawClosedCurve2(p, square, 0); }, 20, 50, 50, 50},
      {"DrawClosedCurveI", [&](Graphics& g, auto& p, auto&) { return g.DrawClosedCurve2I(p, squareI, 0); }, 50, 20, 50, 50},
      {"DrawClosedCurveDefault", [&](Graphics& g, auto& p, auto&) { return g.DrawClosedCurve(p, square); }, 20, 20, 50, 50},
      {"DrawClosedCurveIDefault", [&](Graphics& g, auto& p, auto&) { return g.DrawClosedCurveI(p, squareI); }, 80, 80, 50, 50},
      {"FillRectangle", [](Graphics& g, auto&, auto& b) { return g.FillRectangle(b, 20, 20, 60, 60); }, 50, 50, 10, 10},
      {"FillRectanglesI", [](Graphics& g, auto&, auto& b) { return g.FillRectanglesI(b, std::vector<Rect>{{20, 20, 60, 60}}); }, 50, 50, 10, 10},
      {"FillPolygon", [&](Graphics& g, auto&, auto& b) { return g.FillPolygon(b, square); }, 50, 50, 10, 10},
      {"FillEllipse", [](Graphics& g, auto&, auto& b) { return g.FillEllipse(b, 10, 10, 80, 80); }, 50, 50, 12, 12},
      {"FillPie", [](Graphics& g, auto&, auto& b) { return g.FillPie(b, 10, 10, 80, 80, 0, 90); }, 60, 60, 40, 40},
      {"FillPieI", [](Graphics& g, auto&, auto& b) { return g.FillPieI(b, 10, 10, 80, 80, 180, 90); }, 40, 40, 60, 60},
      {"FillClosedCurve", [&](Graphics& g, auto&, auto& b) { return g.FillClosedCurve(b, square); }, 50, 50, 5, 5},
      {"FillClosedCurveI", [&](Graphics& g, auto&, auto& b) { return g.FillClosedCurveI(b, squareI); }, 50, 50, 5, 5},
      {"FillClosedCurve2", [&](Graphics& g, auto&, auto& b) { return g.FillClosedCurve2(b, square, 0); }, 50, 50, 10, 10},
      {"FillClosedCurve2I", [&](Graphics& g, auto&, auto& b) { return g.FillClosedCurve2I(b, squareI, 0, Gdiplus::FillModeWinding); }, 50, 50, 10, 10},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    ASSERT_TRUE(g.Clear(0xFF000000));
    EXPECT_TRUE(shape.draw(g, pen, brush));
    EXPECT_EQ(LastStatus, Gdiplus::Ok);
    EXPECT_EQ(Rgb(shape.inkX, shape.inkY), 0xFFFFFFu);
    EXPECT_EQ(Rgb(shape.clearX, shape.clearY), 0u);
  }
}

TEST_F(GraphicsTest, PathsRegionsAndCachedBitmapsDraw) {
  testing::TestPen pen = MakePen(0xFFFFFFFF, 1);
  testing::TestBrush brush = MakeBrush(0xFFFFFFFF);
  testing::TestRegion region;
  Gdiplus::GpRegion* native = nullptr;
  ASSERT_EQ(dll::GdipCreateRegion(&native), Gdiplus::Ok);
  region.SetNative(native);
  ASSERT_TRUE(g.SetClipRectI(10, 10, 20, 20));
  ASSERT_TRUE(g.GetClip(region));
  ASSERT_TRUE(g.ResetClip());
  EXPECT_TRUE(g.FillRegion(brush, region));
  EXPECT_EQ(Rgb(15, 15), 0xFFFFFFu);
  EXPECT_EQ(Rgb(35, 15), 0u);

  testing::TestImage picture = MakeBitmap(10, 10, [](int, int) { return 0xFF00FF00u; });
  Gdiplus::GpCachedBitmap* cached = nullptr;
  ASSERT_EQ(testing::testdll::GdipCreateCachedBitmap(
                static_cast<Gdiplus::GpBitmap*>(picture.handle()), g.handle(), &cached),
            Gdiplus::Ok);
  {
    testing::TestObject<Gdiplus::GpCachedBitmap, testing::testdll::GdipDeleteCachedBitmap>
        cachedBitmap(cached);
    // The position is truncated: 50.9 draws from 50.
    EXPECT_TRUE(g.DrawCachedBitmap(cachedBitmap, 50.9f, 50.9f));
  }
  EXPECT_EQ(Rgb(50, 50), 0x00FF00u);
  EXPECT_EQ(Rgb(59, 59), 0x00FF00u);
  EXPECT_EQ(Rgb(60, 55), 0u);
}

struct CommentCall {
  UINT size = 0;
  std::vector<BYTE> bytes;
};
CommentCall g_comment;
CommandSpy* g_commentSpy;
GpStatus WINGDIPAPI SpyComment(Gdiplus::GpGraphics* graphics, UINT size, const BYTE* data) {
  g_comment = {size, std::vector<BYTE>(data, data + size)};
  return g_commentSpy->real<decltype(&SpyComment)>()(graphics, size, data);
}

TEST_F(GraphicsTest, CommentPassesTheBytesAndTheirLength) {
  CommandSpy spy(dll::GdipComment, &SpyComment);
  g_commentSpy = &spy;
  bool ok = g.Comment({1, 2, 3});
  EXPECT_EQ(ok, LastStatus == Gdiplus::Ok);
  EXPECT_EQ(g_comment.size, 3u);
  EXPECT_EQ(g_comment.bytes, (std::vector<BYTE>{1, 2, 3}));
}

TEST(GraphicsOnWindow, CreatesFromAWindowWithAndWithoutColourManagement) {
  HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  for (bool icm : {false, true}) {
    Graphics g;
    EXPECT_TRUE(g.CreateFromHWND(hwnd, icm)) << icm << " " << LastStatus;
    EXPECT_NE(g.GetNative(), nullptr);
    EXPECT_GT(g.GetVisibleClipBoundsI().Width, 0);
  }
  Graphics device;
  HDC dc = GetDC(hwnd);
  EXPECT_TRUE(device.CreateFromHDC(dc, dc)) << LastStatus;
  EXPECT_TRUE(device.Delete());
  ReleaseDC(hwnd, dc);
  DestroyWindow(hwnd);
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
