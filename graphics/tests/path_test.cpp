// GraphicsPath against GDI+ itself.
#include <gtest/gtest.h>

#include <functional>

#include "graphics/graphics.h"
#include "graphics/matrix.h"
#include "graphics/path.h"
#include "graphics/tests/test_support.h"

namespace graphics {
namespace {

using testing::CommandSpy;

struct Arc {
  float x, y, w, h, start, sweep;
  bool operator==(const Arc&) const = default;
};
std::vector<Arc> g_arcs;
CommandSpy* g_arcSpy;
GpStatus WINGDIPAPI SpyAddArc(Gdiplus::GpPath* path, Gdiplus::REAL x, Gdiplus::REAL y, Gdiplus::REAL w, Gdiplus::REAL h, Gdiplus::REAL start,
                              Gdiplus::REAL sweep) {
  g_arcs.push_back({x, y, w, h, start, sweep});
  return g_arcSpy->real<decltype(&SpyAddArc)>()(path, x, y, w, h, start, sweep);
}

struct RoundedCase {
  float w, h;
  int percent;
  float arcW, arcH;
};

class AddRoundedRectangleTest : public ::testing::TestWithParam<RoundedCase> {};

TEST_P(AddRoundedRectangleTest, AddsFourCornerArcsOfTheClampedPercentAndCloses) {
  const RoundedCase& c = GetParam();
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  g_arcs.clear();
  {
    CommandSpy spy(dll::GdipAddPathArc, &SpyAddArc);
    g_arcSpy = &spy;
    EXPECT_TRUE(path.AddRoundedRectangle(0, 0, c.w, c.h, c.percent));
  }
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  const std::vector<Arc> expected{
      {c.w - c.arcW, 0, c.arcW, c.arcH, 270, 90},
      {c.w - c.arcW, c.h - c.arcH, c.arcW, c.arcH, 0, 90},
      {0, c.h - c.arcH, c.arcW, c.arcH, 90, 90},
      {0, 0, c.arcW, c.arcH, 180, 90},
  };
  EXPECT_EQ(g_arcs, expected);
  ByteArray types;
  ASSERT_TRUE(path.GetPathTypes(types));
  EXPECT_EQ(types.back() & Gdiplus::PathPointTypeCloseSubpath, Gdiplus::PathPointTypeCloseSubpath);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddRoundedRectangleTest,
                         ::testing::Values(RoundedCase{100, 50, 20, 20, 10},
                                           RoundedCase{100, 50, 0, 1, 0},
                                           RoundedCase{100, 50, 150, 100, 50},
                                           RoundedCase{33, 33, 10, 3, 3}));

TEST(GraphicsPathTest, ARoundedRectangleFillsAllButItsCorners) {
  testing::Dib dib(60, 40);
  Graphics g;
  ASSERT_TRUE(g.CreateFromHDC(dib.dc()));
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRoundedRectangle(0, 0, 60, 40, 50));
  testing::TestBrush brush = testing::MakeBrush(0xFFFFFFFF);
  EXPECT_TRUE(g.FillPath(brush, path));
  g.Flush(Gdiplus::FlushIntentionSync);
  GdiFlush();
  EXPECT_EQ(dib.Rgb(30, 20), 0xFFFFFFu);
  EXPECT_EQ(dib.Rgb(30, 1), 0xFFFFFFu);
  EXPECT_EQ(dib.Rgb(1, 1), 0u);
  EXPECT_EQ(dib.Rgb(58, 38), 0u);
  EXPECT_TRUE(path.IsVisiblePoint(30, 20));
  EXPECT_FALSE(path.IsVisiblePointI(1, 1));
}

TEST(GraphicsPathTest, ReadersReturnThePointsAndTypes) {
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  std::vector<PointF> points;
  LastStatus = Gdiplus::Win32Error;
  EXPECT_FALSE(path.GetPathPoints(points));
  PathData data;
  EXPECT_FALSE(path.GetPathData(data));
  EXPECT_EQ(data.Count, 0);

  ASSERT_TRUE(path.AddRectangleI(1, 2, 10, 20));
  EXPECT_EQ(path.GetPointCount(), 4);
  ASSERT_TRUE(path.GetPathPoints(points));
  ASSERT_EQ(points.size(), 4u);
  EXPECT_FLOAT_EQ(points[2].X, 11);
  EXPECT_FLOAT_EQ(points[2].Y, 22);
  std::vector<Point> ints;
  ASSERT_TRUE(path.GetPathPointsI(ints, 4));
  EXPECT_EQ(ints[1].X, 11);
  EXPECT_EQ(ints[1].Y, 2);
  EXPECT_FALSE(path.GetPathPointsI(ints, 0));
  ASSERT_TRUE(path.GetPathData(data));
  EXPECT_EQ(data.Count, 4);
  EXPECT_FLOAT_EQ(data.Points[3].Y, 22);
  EXPECT_EQ(data.Types[0], Gdiplus::PathPointTypeStart);
  EXPECT_EQ(data.Types[3], Gdiplus::PathPointTypeLine | Gdiplus::PathPointTypeCloseSubpath);
  PointF last = path.GetLastPoint();
  EXPECT_FLOAT_EQ(last.X, 1);
  EXPECT_FLOAT_EQ(last.Y, 22);
}

TEST(GraphicsPathTest, CreatesFromPointsAndRefusesArraysOfDifferentLengths) {
  const PointF points[] = {{0, 0}, {10, 0}, {10, 10}};
  const uint8_t types[] = {Gdiplus::PathPointTypeStart, Gdiplus::PathPointTypeLine,
                           Gdiplus::PathPointTypeLine};
  GraphicsPath path;
  EXPECT_TRUE(path.CreateFromPoints(points, types, Gdiplus::FillModeWinding));
  EXPECT_EQ(path.GetPointCount(), 3);
  EXPECT_EQ(path.GetFillMode(), Gdiplus::FillModeWinding);
  GraphicsPath ints;
  const Point ipoints[] = {{0, 0}, {5, 5}};
  EXPECT_FALSE(ints.CreateFromPointsI(ipoints, types));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_EQ(ints.GetNative(), nullptr);
  EXPECT_TRUE(ints.CreateFromPointsI(ipoints, std::span(types).first(2)));
  EXPECT_EQ(ints.GetPointCount(), 2);
}

TEST(GraphicsPathTest, FiguresShapesAndTransformsBuildTheExpectedOutline) {
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  EXPECT_TRUE(path.AddLine(0, 0, 10, 0));
  EXPECT_TRUE(path.AddLinesI(std::vector<Point>{{10, 10}, {0, 10}}));
  EXPECT_TRUE(path.CloseFigure());
  EXPECT_TRUE(path.StartFigure());
  EXPECT_TRUE(path.AddEllipse(20, 0, 10, 10));
  EXPECT_TRUE(path.SetMarker());
  EXPECT_TRUE(path.AddPieI(40, 0, 10, 10, 0, 90));
  EXPECT_TRUE(path.AddBezierI(0, 20, 5, 25, 10, 25, 15, 20));
  EXPECT_TRUE(path.AddCurve(std::vector<PointF>{{0, 30}, {5, 35}, {10, 30}}));
  EXPECT_TRUE(path.AddClosedCurve2I(std::vector<Point>{{0, 40}, {5, 45}, {10, 40}}, 0.5f));
  EXPECT_TRUE(path.AddPolygon(std::vector<PointF>{{60, 0}, {70, 0}, {60, 10}}));
  EXPECT_TRUE(path.AddRectangles(std::vector<RectF>{{80, 0, 5, 5}}));
  EXPECT_TRUE(path.ClearMarkers());
  EXPECT_TRUE(path.CloseAllFigures());
  RectF bounds = path.GetWorldBounds();
  // The closed curve bulges a little beyond its points.
  EXPECT_NEAR(bounds.X, 0, 1);
  EXPECT_NEAR(bounds.Y, 0, 1);
  EXPECT_NEAR(bounds.Width, 85, 1);
  EXPECT_NEAR(bounds.Height, 45, 1);
  EXPECT_FALSE(path.AddLines(std::vector<PointF>{}));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);

  Matrix shift;
  ASSERT_TRUE(shift.Create(1, 0, 0, 1, 100, 0));
  EXPECT_TRUE(path.Transform(&shift));
  EXPECT_NEAR(path.GetWorldBoundsI().X, 100, 1);
  EXPECT_NEAR(path.GetWorldBoundsI(&shift).X, 200, 1);
  EXPECT_TRUE(path.Flatten());
  EXPECT_TRUE(path.Reverse());
  int before = path.GetPointCount();
  GraphicsPath other;
  ASSERT_TRUE(other.Create());
  ASSERT_TRUE(other.AddRectangle(0, 0, 1, 1));
  EXPECT_TRUE(path.AddPath(other));
  EXPECT_EQ(path.GetPointCount(), before + 4);
  EXPECT_TRUE(path.Reset());
  EXPECT_EQ(path.GetPointCount(), 0);
}

// Each kind of figure, added alone to an empty path, lands where its arguments say.
struct Figure {
  const char* name;
  std::function<bool(GraphicsPath&)> add;
  RectF bounds;
  float slack = 1.5f;  // curves overshoot their points
};

TEST(GraphicsPathTest, EveryKindOfFigureLandsWithinItsBounds) {
  const std::vector<PointF> wave{{0, 0}, {10, 10}, {20, 0}, {30, 10}};
  const std::vector<Point> waveI{{0, 0}, {10, 10}, {20, 0}, {30, 10}};
  const std::vector<PointF> bezier{{0, 0}, {0, 10}, {20, 10}, {20, 0}};
  const std::vector<Point> bezierI{{0, 0}, {0, 10}, {20, 10}, {20, 0}};
  const std::vector<Point> triangleI{{0, 0}, {20, 0}, {0, 10}};
  const Figure figures[] = {
      {"AddArc", [](GraphicsPath& p) { return p.AddArc(0, 0, 20, 10, 180, 180); }, {0, 0, 20, 5}},
      {"AddArcI", [](GraphicsPath& p) { return p.AddArcI(0, 0, 20, 10, 0, 180); }, {0, 5, 20, 5}},
      {"AddBezier", [](GraphicsPath& p) { return p.AddBezier(0, 0, 0, 10, 20, 10, 20, 0); }, {0, 0, 20, 7.5f}},
      {"AddBeziers", [&](GraphicsPath& p) { return p.AddBeziers(bezier); }, {0, 0, 20, 7.5f}},
      {"AddBeziersI", [&](GraphicsPath& p) { return p.AddBeziersI(bezierI); }, {0, 0, 20, 7.5f}},
      {"AddCurveI", [&](GraphicsPath& p) { return p.AddCurveI(waveI); }, {0, 0, 30, 10}},
      {"AddCurve2", [&](GraphicsPath& p) { return p.AddCurve2(wave, 0); }, {0, 0, 30, 10}},
      {"AddCurve2I", [&](GraphicsPath& p) { return p.AddCurve2I(waveI, 0); }, {0, 0, 30, 10}},
      {"AddCurve3", [&](GraphicsPath& p) { return p.AddCurve3(wave, 1, 1, 0); }, {10, 0, 10, 10}},
      {"AddCurve3I", [&](GraphicsPath& p) { return p.AddCurve3I(waveI, 2, 1, 0); }, {20, 0, 10, 10}},
      {"AddClosedCurve", [&](GraphicsPath& p) { return p.AddClosedCurve2(wave, 0); }, {0, 0, 30, 10}},
      {"AddClosedCurveI", [&](GraphicsPath& p) { return p.AddClosedCurveI(waveI); }, {0, 0, 30, 10}, 7},
      {"AddPie", [](GraphicsPath& p) { return p.AddPie(0, 0, 20, 20, 0, 90); }, {10, 10, 10, 10}},
      {"AddPolygonI", [&](GraphicsPath& p) { return p.AddPolygonI(triangleI); }, {0, 0, 20, 10}},
      {"AddRectanglesI", [](GraphicsPath& p) { return p.AddRectanglesI(std::vector<Rect>{{5, 5, 10, 20}}); }, {5, 5, 10, 20}},
      {"AddEllipseI", [](GraphicsPath& p) { return p.AddEllipseI(2, 3, 20, 10); }, {2, 3, 20, 10}},
  };
  for (const Figure& figure : figures) {
    SCOPED_TRACE(figure.name);
    GraphicsPath path;
    ASSERT_TRUE(path.Create());
    EXPECT_TRUE(figure.add(path)) << LastStatus;
    EXPECT_GT(path.GetPointCount(), 1);
    RectF bounds = path.GetWorldBounds();
    EXPECT_NEAR(bounds.X, figure.bounds.X, figure.slack);
    EXPECT_NEAR(bounds.Y, figure.bounds.Y, figure.slack);
    EXPECT_NEAR(bounds.Width, figure.bounds.Width, 2 * figure.slack);
    EXPECT_NEAR(bounds.Height, figure.bounds.Height, 2 * figure.slack);
  }
}

TEST(GraphicsPathTest, WidenAndOutlineHitTestAgainstThePen) {
  testing::TestPen pen = testing::MakePen(0xFF000000, 4);
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddLineI(0, 10, 100, 10));
  EXPECT_TRUE(path.IsOutlineVisiblePointI(50, 11, pen)) << LastStatus;
  EXPECT_FALSE(path.IsOutlineVisiblePoint(50, 20, pen));
  GraphicsPath wide;
  ASSERT_TRUE(path.Clone(wide));
  EXPECT_TRUE(wide.Widen(pen));
  RectF bounds = wide.GetWorldBounds();
  EXPECT_NEAR(bounds.Height, 4, 0.5);
  EXPECT_TRUE(wide.IsVisiblePoint(50, 11)) << LastStatus;
  // Wine answers NotImplemented here; the result follows whatever status comes back.
  bool outlined = wide.Outline();
  EXPECT_EQ(outlined, LastStatus == Gdiplus::Ok);
  EXPECT_TRUE(LastStatus == Gdiplus::Ok || LastStatus == Gdiplus::NotImplemented) << LastStatus;
  GraphicsPath warped;
  ASSERT_TRUE(warped.Create());
  ASSERT_TRUE(warped.AddRectangle(0, 0, 10, 10));
  bool ok = warped.Warp(std::vector<PointF>{{0, 0}, {20, 0}, {0, 20}, {20, 20}}, {0, 0, 10, 10});
  EXPECT_EQ(ok, LastStatus == Gdiplus::Ok);
  EXPECT_TRUE(LastStatus == Gdiplus::Ok || LastStatus == Gdiplus::NotImplemented) << LastStatus;
  if (ok) {
    EXPECT_NEAR(warped.GetWorldBounds().Width, 20, 0.5);
  }
}

TEST(GraphicsPathTest, AddStringOutlinesTheText) {
  testing::TestFamily family;
  Gdiplus::GpFontFamily* native = nullptr;
  ASSERT_EQ(testing::testdll::GdipCreateFontFamilyFromName(L"SimSun", nullptr, &native),
            Gdiplus::Ok);
  family.SetNative(native);
  // Wine's GDI+ wants a format here.
  Gdiplus::GpStringFormat* nativeFormat = nullptr;
  ASSERT_EQ(testing::testdll::GdipCreateStringFormat(0, LANG_NEUTRAL, &nativeFormat), Gdiplus::Ok);
  testing::TestFormat format(nativeFormat);
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  RectF layout{0, 0, 200, 50};
  EXPECT_TRUE(path.AddString("Hi 中", family, 20, &layout, 0, &format)) << LastStatus;
  EXPECT_GT(path.GetPointCount(), 8);
  RectF bounds = path.GetWorldBounds();
  EXPECT_GT(bounds.Width, 10);
  Rect ilayout{0, 100, 200, 50};
  GraphicsPath ints;
  ASSERT_TRUE(ints.Create());
  EXPECT_TRUE(ints.AddStringI("Hi", family, 20, &ilayout, 0, &format));
  EXPECT_GE(ints.GetWorldBoundsI().Y, 100);
}

}  // namespace
}  // namespace graphics
