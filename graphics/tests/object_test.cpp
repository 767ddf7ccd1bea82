// The object model and each method family's status and result rule, against GDI+ itself.
#include <gtest/gtest.h>

#include <cstring>

#include "graphics/object.h"
#include "graphics/tests/test_support.h"

namespace graphics {
namespace {

using testing::Dib;

// Wrappers with one method of each family, declared as the real classes declare theirs.
class ProbeGraphics : public GdipClass<Gdiplus::GpGraphics, dll::GdipDeleteGraphics, true> {
 public:
  bool CreateFromHDC(HDC dc) { return C<dll::GdipCreateFromHDC>(dc); }
  bool SetSmoothingMode(int mode) { return A<dll::GdipSetSmoothingMode>(mode); }
  int GetSmoothingMode() const { return G<dll::GdipGetSmoothingMode>(); }
  float GetDpiX() const { return G<dll::GdipGetDpiX>(); }
  bool SetRenderingOrigin(int x, int y) { return A<dll::GdipSetRenderingOrigin>(x, y); }
  bool GetRenderingOrigin(int& x, int& y) const { return R<dll::GdipGetRenderingOrigin>(x, y); }
  bool IsVisiblePoint(float x, float y) const { return Q<dll::GdipIsVisiblePoint>(x, y); }
  bool SetClipRect(float x, float y, float w, float h) {
    return A<dll::GdipSetClipRect>(x, y, w, h, Gdiplus::CombineModeReplace);
  }
  RectF GetClipBounds() const { return V<RectF, dll::GdipGetClipBounds>(); }
  bool DrawLines(const GdipObject& pen, std::vector<PointF>& points) {
    return A<dll::GdipDrawLines>(pen, Array(points));
  }
  bool TransformPoints(int dest, int src, std::vector<PointF>& points) {
    return A<dll::GdipTransformPoints>(dest, src, Array(points));
  }
  bool ScaleTransform(float sx, float sy) {
    return A<dll::GdipScaleWorldTransform>(sx, sy, Gdiplus::MatrixOrderPrepend);
  }

  void AttachDerived(void* p) override {
    ++derivedCalls;
    derived = p;
  }
  int derivedCalls = 0;
  void* derived = nullptr;
};

class ProbePath : public GdipClass<Gdiplus::GpPath, dll::GdipDeletePath> {
 public:
  bool Create() { return C<dll::GdipCreatePath>(Gdiplus::FillModeAlternate); }
  bool AddRectangle(float x, float y, float w, float h) {
    return A<dll::GdipAddPathRectangle>(x, y, w, h);
  }
  int GetPointCount() const { return G<dll::GdipGetPointCount>(); }
  bool Clone(ProbePath& target) const { return K<dll::GdipClonePath>(target); }
};

constexpr GpStatus kUntouched = Gdiplus::Win32Error;

class GdipObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dib.Fill(0);
    ASSERT_TRUE(graphics.CreateFromHDC(dib.dc()));
    LastStatus = kUntouched;
  }
  Dib dib{20, 20};
  ProbeGraphics graphics;
  ProbeGraphics empty;
};

TEST_F(GdipObjectTest, FamilyA_RecordsTheStatusAndIsTrueExactlyOnOk) {
  EXPECT_TRUE(graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias));
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_FALSE(empty.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST_F(GdipObjectTest, FamilyG_ReturnsTheValueOrZeroAndRecordsTheStatus) {
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  EXPECT_EQ(graphics.GetSmoothingMode(), Gdiplus::SmoothingModeAntiAlias);
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_GT(graphics.GetDpiX(), 0.0f);
  EXPECT_EQ(empty.GetSmoothingMode(), 0);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_EQ(empty.GetDpiX(), 0.0f);
}

TEST_F(GdipObjectTest, FamilyR_FillsTheCallersVariables) {
  ASSERT_TRUE(graphics.SetRenderingOrigin(3, 7));
  int x = -1, y = -1;
  EXPECT_TRUE(graphics.GetRenderingOrigin(x, y));
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 7);
  EXPECT_FALSE(empty.GetRenderingOrigin(x, y));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST_F(GdipObjectTest, FamilyQ_AnswersTrueOrFalseAndFalseOnFailure) {
  EXPECT_TRUE(graphics.IsVisiblePoint(5, 5));
  EXPECT_FALSE(graphics.IsVisiblePoint(50, 50));
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_FALSE(empty.IsVisiblePoint(5, 5));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST_F(GdipObjectTest, FamilyV_ReturnsTheRecordOrAZeroRecord) {
  ASSERT_TRUE(graphics.SetClipRect(1, 2, 3, 4));
  RectF r = graphics.GetClipBounds();
  EXPECT_EQ(r.X, 1);
  EXPECT_EQ(r.Y, 2);
  EXPECT_EQ(r.Width, 3);
  EXPECT_EQ(r.Height, 4);
  r = empty.GetClipBounds();
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_TRUE(r.X == 0 && r.Y == 0 && r.Width == 0 && r.Height == 0);
}

TEST_F(GdipObjectTest, FamilyY_PassesTheRecordsWritesBackAndAnEmptyArrayAsNull) {
  testing::TestPen pen = testing::MakePen(0xFFFF0000);
  std::vector<PointF> line{{2, 10}, {17, 10}};
  EXPECT_TRUE(graphics.DrawLines(pen, line));
  EXPECT_EQ(dib.Rgb(10, 10), 0xFF0000u);
  EXPECT_EQ(dib.Rgb(10, 5), 0u);

  std::vector<PointF> none;
  EXPECT_FALSE(graphics.DrawLines(pen, none));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);

  ASSERT_TRUE(graphics.ScaleTransform(2, 3));
  std::vector<PointF> points{{1, 1}, {5, 2}};
  EXPECT_TRUE(graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice,
                                       Gdiplus::CoordinateSpaceWorld, points));
  EXPECT_FLOAT_EQ(points[0].X, 2);
  EXPECT_FLOAT_EQ(points[0].Y, 3);
  EXPECT_FLOAT_EQ(points[1].X, 10);
  EXPECT_FLOAT_EQ(points[1].Y, 6);
}

TEST_F(GdipObjectTest, FamilyC_StoresTheNewObjectOrKeepsTheOldOnFailure) {
  EXPECT_NE(graphics.GetNative(), nullptr);
  EXPECT_EQ(graphics.GetNative(), graphics.handle());
  EXPECT_EQ(graphics.derived, graphics.GetNative());

  void* before = graphics.GetNative();
  EXPECT_FALSE(graphics.CreateFromHDC(nullptr));
  EXPECT_NE(LastStatus, Gdiplus::Ok);
  EXPECT_EQ(graphics.GetNative(), before);

  EXPECT_TRUE(graphics.CreateFromHDC(dib.dc()));
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_NE(graphics.GetNative(), nullptr);
  EXPECT_TRUE(graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias));
}

TEST_F(GdipObjectTest, FamilyD_DeletesOnceAndLeavesTheStatusWhenNothingIsHeld) {
  EXPECT_FALSE(empty.Delete());
  EXPECT_EQ(LastStatus, kUntouched);

  EXPECT_TRUE(graphics.Delete());
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_EQ(graphics.GetNative(), nullptr);
  EXPECT_EQ(graphics.handle(), nullptr);
  EXPECT_EQ(graphics.derived, nullptr);

  LastStatus = kUntouched;
  EXPECT_FALSE(graphics.Delete());
  EXPECT_EQ(LastStatus, kUntouched);
}

TEST(GdipObject, FamilyK_ClonesIntoTheTargetAndBothOwnTheirOwn) {
  ProbePath source, target;
  ASSERT_TRUE(source.Create());
  ASSERT_TRUE(source.AddRectangle(0, 0, 10, 10));
  EXPECT_TRUE(source.Clone(target));
  EXPECT_EQ(LastStatus, Gdiplus::Ok);
  EXPECT_NE(target.GetNative(), nullptr);
  EXPECT_NE(target.GetNative(), source.GetNative());
  EXPECT_TRUE(source.Delete());
  EXPECT_EQ(target.GetPointCount(), 4);

  ProbePath empty, untouched;
  EXPECT_FALSE(empty.Clone(untouched));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_EQ(untouched.GetNative(), nullptr);
}

TEST_F(GdipObjectTest, SetNativeReachesTheClassHandleAndAttachDerived) {
  void* native = graphics.GetNative();
  graphics.derivedCalls = 0;
  ProbeGraphics other;
  other.SetNative(native);
  EXPECT_EQ(other.GetNative(), native);
  EXPECT_EQ(other.handle(), native);
  EXPECT_EQ(other.derivedCalls, 1);
  EXPECT_EQ(other.derived, native);
  other.SetNative(nullptr);  // hands it back: graphics still owns it
}

TEST_F(GdipObjectTest, AMoveHandsTheSameNativeOverAndEmptiesTheSource) {
  void* native = graphics.GetNative();
  ProbeGraphics moved(std::move(graphics));
  EXPECT_EQ(moved.GetNative(), native);
  EXPECT_EQ(moved.handle(), native);
  EXPECT_EQ(graphics.GetNative(), nullptr);
  EXPECT_EQ(graphics.handle(), nullptr);
  EXPECT_TRUE(moved.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias));

  ProbeGraphics assigned;
  ASSERT_TRUE(assigned.CreateFromHDC(dib.dc()));
  assigned = std::move(moved);
  EXPECT_EQ(assigned.GetNative(), native);
  EXPECT_EQ(moved.GetNative(), nullptr);
  EXPECT_EQ(assigned.GetSmoothingMode(), Gdiplus::SmoothingModeAntiAlias);
}

TEST(GdipObject, AllocAndFreeUseGdiplusMemory) {
  void* p = GdipObject::Alloc(64);
  ASSERT_NE(p, nullptr);
  std::memset(p, 0xAB, 64);
  GdipObject::Free(p);
}

}  // namespace
}  // namespace graphics
