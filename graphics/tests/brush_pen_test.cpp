// Brushes and pens against Wine's GDI+, checked on real pixels where they draw.
#include <gtest/gtest.h>

#include "graphics/bitmap.h"
#include "graphics/brush.h"
#include "graphics/graphics.h"
#include "graphics/matrix.h"
#include "graphics/pen.h"
#include "graphics/tests/fixtures.h"
#include "graphics/tests/spy.h"

namespace {

using namespace graphics;
using graphics::testing::CallLog;

std::vector<float> Elements(const Matrix& m) {
  float e[6] = {};
  m.GetElements(e);
  return {e, e + 6};
}

// A cleared 32-bit bitmap and a graphics on it.
struct Canvas {
  Canvas(int w, int h) {
    bitmap.Create(w, h);
    graphics.FromImage(bitmap);
    graphics.Clear(0);
  }
  Bitmap bitmap;
  Graphics graphics;
};

TEST(SolidBrush, ColourTypeCloneAndFill) {
  SolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFF336699));
  EXPECT_EQ(brush.GetColor(), 0xFF336699u);
  EXPECT_EQ(brush.GetType(), Gdiplus::BrushTypeSolidColor);
  EXPECT_EQ(static_cast<void*>(brush.sub()), brush.GetNative());
  ASSERT_TRUE(brush.SetColor(0xFF00FF00));
  SolidBrush copy;
  ASSERT_TRUE(brush.Clone(copy));
  EXPECT_NE(copy.GetNative(), brush.GetNative());
  EXPECT_EQ(copy.GetColor(), 0xFF00FF00u);
  Canvas c(4, 4);
  ASSERT_TRUE(c.graphics.FillRectangle(copy, 0, 0, 2, 4));
  EXPECT_EQ(c.bitmap.GetPixel(1, 1), 0xFF00FF00u);
  EXPECT_EQ(c.bitmap.GetPixel(3, 1), 0u);
  EXPECT_TRUE(brush.Delete());
  EXPECT_EQ(brush.sub(), nullptr);
  EXPECT_EQ(brush.GetColor(), 0u);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST(TextureBrush, TilesThePictureAndGivesItBack) {
  Bitmap picture;
  ASSERT_TRUE(picture.FromBytes(kQuadrantsPng.view()));
  TextureBrush brush;
  ASSERT_TRUE(brush.Create(picture, Gdiplus::WrapModeTile));
  EXPECT_EQ(brush.GetType(), Gdiplus::BrushTypeTextureFill);
  EXPECT_EQ(brush.GetWrapMode(), Gdiplus::WrapModeTile);
  Canvas c(72, 32);
  ASSERT_TRUE(c.graphics.FillRectangle(brush, 0, 0, 72, 32));
  EXPECT_EQ(c.bitmap.GetPixel(37, 1), 0xFFFF0000u);  // the second tile starts red
  EXPECT_EQ(c.bitmap.GetPixel(55, 1), 0xFF00FF00u);
  Image back;
  ASSERT_TRUE(brush.GetImage(back));
  EXPECT_EQ(back.GetWidth(), 36u);
  TextureBrush part;
  ASSERT_TRUE(part.CreateRectI(picture, 18, 0, 18, 16));
  Image partImage;
  ASSERT_TRUE(part.GetImage(partImage));
  EXPECT_EQ(partImage.GetWidth(), 18u);
  TextureBrush f, a;
  EXPECT_TRUE(f.CreateRect(picture, 0, 0, 10, 10, Gdiplus::WrapModeClamp));
  EXPECT_TRUE(a.CreateWithAttributesI(picture, 0, 0, 10, 10));
  ASSERT_TRUE(part.SetWrapMode(Gdiplus::WrapModeTileFlipX));
  EXPECT_EQ(part.GetWrapMode(), Gdiplus::WrapModeTileFlipX);
  Image none;
  EXPECT_FALSE(f.Create(none));
}

TEST(TextureBrush, ScaleTransformAtCallsOnlyTextureTransformFunctions) {
  Bitmap picture;
  ASSERT_TRUE(picture.Create(4, 4));
  TextureBrush brush;
  ASSERT_TRUE(brush.Create(picture));
  CallLog().clear();
  {
    TARVO_RECORD(GdipTranslateTextureTransform);
    TARVO_RECORD(GdipScaleTextureTransform);
    TARVO_RECORD(GdipRotateTextureTransform);
    TARVO_RECORD(GdipTranslateWorldTransform);
    TARVO_RECORD(GdipScaleWorldTransform);
    TARVO_RECORD(GdipTranslateLineTransform);
    TARVO_RECORD(GdipScaleLineTransform);
    TARVO_RECORD(GdipTranslatePenTransform);
    TARVO_RECORD(GdipScalePenTransform);
    EXPECT_TRUE(brush.ScaleTransformAt(2, 2, PointF{5, 5}, Gdiplus::MatrixOrderAppend));
  }
  EXPECT_EQ(CallLog(), (std::vector<std::string>{"GdipTranslateTextureTransform", "GdipScaleTextureTransform",
                                                 "GdipTranslateTextureTransform"}));
  // About (5, 5): (5, 5) stays, (6, 5) goes to (7, 5).
  Matrix m;
  ASSERT_TRUE(m.Create());
  ASSERT_TRUE(brush.GetTransform(m));
  EXPECT_EQ(Elements(m), (std::vector<float>{2, 0, 0, 2, -5, -5}));
  ASSERT_TRUE(brush.ResetTransform());
  ASSERT_TRUE(brush.RotateTransformAt(90, PointF{5, 5}));
  brush.GetTransform(m);
  std::vector<float> e = Elements(m);
  // (x, y) -> (5 - (y - 5), 5 + (x - 5)) = (10 - y, x)
  EXPECT_NEAR(e[4] + e[2] * 5 + e[0] * 6, 5, 1e-4);
  EXPECT_NEAR(e[5] + e[3] * 5 + e[1] * 6, 6, 1e-4);
}

INT passed;
graphics::testing::CommandSpy* g_blendSpy;
GpStatus WINGDIPAPI SpySetLineBlend(Gdiplus::GpLineGradient* b, const Gdiplus::REAL* f, const Gdiplus::REAL* p,
                                    INT count) {
  passed = count;
  return g_blendSpy->real<decltype(&SpySetLineBlend)>()(b, f, p, count);
}

TEST(LinearGradientBrush, SetBlendWithThreeFactorsPassesThree) {
  LinearGradientBrush brush;
  ASSERT_TRUE(brush.Create(PointF{0, 0}, PointF{10, 0}, 0xFFFF0000, 0xFF0000FF));
  EXPECT_EQ(brush.GetType(), Gdiplus::BrushTypeLinearGradient);
  graphics::testing::CommandSpy s(dll::GdipSetLineBlend, &SpySetLineBlend);
  g_blendSpy = &s;
  passed = -1;
  ASSERT_TRUE(brush.SetBlend({0, 0.5f, 1}, {0, 0.5f, 1}));
  EXPECT_EQ(passed, 3);
  EXPECT_EQ(brush.GetBlendCount(), 3);
  std::vector<float> factors, positions;
  EXPECT_EQ(brush.GetBlend(factors, positions), 3);
  EXPECT_EQ(factors, (std::vector<float>{0, 0.5f, 1}));
  EXPECT_EQ(positions, (std::vector<float>{0, 0.5f, 1}));
  // Fewer positions than factors would have GDI+ read past them.
  passed = -1;
  EXPECT_FALSE(brush.SetBlend({0, 1, 1}, {0, 1}));
  EXPECT_EQ(passed, -1);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST(LinearGradientBrush, ColoursRectPresetBlendWrapAndPixels) {
  LinearGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromRectI(Rect{0, 0, 20, 4}, 0xFFFF0000, 0xFF0000FF, Gdiplus::LinearGradientModeHorizontal));
  std::vector<uint32_t> colors;
  ASSERT_TRUE(brush.GetColors(colors));
  EXPECT_EQ(colors, (std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF}));
  Rect r = brush.GetRectI();
  EXPECT_EQ(r.Width, 20);
  EXPECT_EQ(brush.GetRect().Height, 4);
  Canvas c(20, 4);
  ASSERT_TRUE(c.graphics.FillRectangle(brush, 0, 0, 20, 4));
  uint32_t left = c.bitmap.GetPixel(0, 1), right = c.bitmap.GetPixel(19, 1);
  EXPECT_GT((left >> 16) & 0xFF, 0xE0u);
  EXPECT_GT(right & 0xFF, 0xE0u);
  ASSERT_TRUE(brush.SetColors(0xFF00FF00, 0xFF00FF00));
  brush.GetColors(colors);
  EXPECT_EQ(colors[1], 0xFF00FF00u);
  ASSERT_TRUE(brush.SetPresetBlend({0xFFFF0000, 0xFF00FF00, 0xFF0000FF}, {0, 0.5f, 1}));
  std::vector<float> positions;
  EXPECT_EQ(brush.GetPresetBlend(colors, positions), 3);
  EXPECT_EQ(colors[1], 0xFF00FF00u);
  EXPECT_TRUE(brush.SetGammaCorrection(true));
  EXPECT_TRUE(brush.GetGammaCorrection());
  EXPECT_TRUE(brush.SetWrapMode(Gdiplus::WrapModeTileFlipXY));
  EXPECT_EQ(brush.GetWrapMode(), Gdiplus::WrapModeTileFlipXY);
  EXPECT_TRUE(brush.SetSigmaBlend(0.5f));
  EXPECT_TRUE(brush.SetLinearBlend(0.5f, 1));
  LinearGradientBrush angled, fromPoints;
  EXPECT_TRUE(angled.CreateFromRectWithAngle(RectF{0, 0, 10, 10}, 0xFF000000, 0xFFFFFFFF, 45));
  EXPECT_TRUE(fromPoints.CreateI(Point{0, 0}, Point{0, 10}, 0xFF000000, 0xFFFFFFFF));
  Matrix m;
  m.Create();
  ASSERT_TRUE(fromPoints.ScaleTransformAt(2, 2, PointF{5, 5}, Gdiplus::MatrixOrderAppend));
  // A gradient's own transform starts from its rectangle's mapping; only the change matters.
  EXPECT_TRUE(fromPoints.GetTransform(m));
  EXPECT_TRUE(fromPoints.ResetTransform());
  EXPECT_TRUE(fromPoints.TranslateTransform(1, 1));
}

TEST(Pen, CreateBlackOneUnitPenHasUnitWorld) {
  Pen pen;
  ASSERT_TRUE(pen.Create(0xFF000000, 1));
  EXPECT_EQ(pen.GetUnit(), Gdiplus::UnitWorld);
  EXPECT_EQ(pen.GetWidth(), 1.0f);
  EXPECT_EQ(pen.GetColor(), 0xFF000000u);
  EXPECT_EQ(pen.GetFillType(), Gdiplus::PenTypeSolidColor);
  Canvas c(10, 10);
  ASSERT_TRUE(c.graphics.DrawLine(pen, 0, 5, 10, 5));
  EXPECT_EQ(c.bitmap.GetPixel(5, 5), 0xFF000000u);
  EXPECT_EQ(c.bitmap.GetPixel(5, 2), 0u);
}

TEST(Pen, PropertiesRoundTrip) {
  Pen pen;
  ASSERT_TRUE(pen.Create(0xFF112233, 2, Gdiplus::UnitPixel));
  EXPECT_EQ(pen.GetUnit(), Gdiplus::UnitPixel);
  EXPECT_TRUE(pen.SetWidth(3));
  EXPECT_EQ(pen.GetWidth(), 3.0f);
  // SetUnit is not tested: Wine's GDI+ has no GdipSetPenUnit (its stub ends the process).
  EXPECT_TRUE(pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapSquare, Gdiplus::DashCapTriangle));
  EXPECT_EQ(pen.GetStartCap(), Gdiplus::LineCapRound);
  EXPECT_EQ(pen.GetEndCap(), Gdiplus::LineCapSquare);
  EXPECT_EQ(pen.GetDashCap(), Gdiplus::DashCapTriangle);
  EXPECT_TRUE(pen.SetStartCap(Gdiplus::LineCapFlat));
  EXPECT_TRUE(pen.SetEndCap(Gdiplus::LineCapTriangle));
  EXPECT_TRUE(pen.SetDashCap(Gdiplus::DashCapRound));
  EXPECT_EQ(pen.GetStartCap(), Gdiplus::LineCapFlat);
  EXPECT_EQ(pen.GetDashCap(), Gdiplus::DashCapRound);
  EXPECT_TRUE(pen.SetLineJoin(Gdiplus::LineJoinBevel));
  EXPECT_EQ(pen.GetLineJoin(), Gdiplus::LineJoinBevel);
  EXPECT_TRUE(pen.SetMiterLimit(4));
  EXPECT_EQ(pen.GetMiterLimit(), 4.0f);
  EXPECT_TRUE(pen.SetMode(Gdiplus::PenAlignmentInset));
  EXPECT_EQ(pen.GetMode(), Gdiplus::PenAlignmentInset);
  EXPECT_TRUE(pen.SetColor(0xFF445566));
  EXPECT_EQ(pen.GetColor(), 0xFF445566u);
  EXPECT_TRUE(pen.SetDashStyle(Gdiplus::DashStyleDot));
  EXPECT_EQ(pen.GetDashStyle(), Gdiplus::DashStyleDot);
  EXPECT_TRUE(pen.SetDashOffset(1.5f));
  EXPECT_EQ(pen.GetDashOffset(), 1.5f);
  ASSERT_TRUE(pen.SetDashPattern({3, 1, 2, 1}));
  EXPECT_EQ(pen.GetDashStyle(), Gdiplus::DashStyleCustom);
  std::vector<float> dashes;
  EXPECT_EQ(pen.GetDashPattern(dashes), 4);
  EXPECT_EQ(dashes, (std::vector<float>{3, 1, 2, 1}));
  EXPECT_FALSE(pen.SetDashPattern({}));
  ASSERT_TRUE(pen.SetCompoundArray({0, 0.25f, 0.75f, 1}));
  std::vector<float> compounds;
  EXPECT_EQ(pen.GetCompoundArray(compounds), 4);
  EXPECT_EQ(compounds, (std::vector<float>{0, 0.25f, 0.75f, 1}));
  Pen copy;
  ASSERT_TRUE(pen.Clone(copy));
  EXPECT_EQ(copy.GetColor(), 0xFF445566u);
  EXPECT_NE(copy.GetNative(), pen.GetNative());
}

TEST(Pen, BrushFillAndTransforms) {
  SolidBrush green;
  green.Create(0xFF00FF00);
  Pen pen;
  ASSERT_TRUE(pen.CreateFromBrush(green, 2));
  EXPECT_EQ(pen.GetColor(), 0xFF00FF00u);
  LinearGradientBrush gradient;
  gradient.Create(PointF{0, 0}, PointF{10, 0}, 0xFF000000, 0xFFFFFFFF);
  ASSERT_TRUE(pen.SetBrush(gradient));
  EXPECT_EQ(pen.GetFillType(), Gdiplus::PenTypeLinearGradient);
  LinearGradientBrush back;
  ASSERT_TRUE(pen.GetBrush(back));
  EXPECT_EQ(back.GetType(), Gdiplus::BrushTypeLinearGradient);
  std::vector<uint32_t> colors;
  ASSERT_TRUE(back.GetColors(colors));
  EXPECT_EQ(colors[1], 0xFFFFFFFFu);

  Matrix m;
  m.Create();
  ASSERT_TRUE(pen.ScaleTransformAt(2, 3, PointF{5, 5}, Gdiplus::MatrixOrderAppend));
  ASSERT_TRUE(pen.GetTransform(m));
  EXPECT_EQ(Elements(m), (std::vector<float>{2, 0, 0, 3, -5, -10}));
  ASSERT_TRUE(pen.ResetTransform());
  ASSERT_TRUE(pen.TranslateTransform(1, 2));
  pen.GetTransform(m);
  EXPECT_EQ(Elements(m), (std::vector<float>{1, 0, 0, 1, 1, 2}));
  EXPECT_TRUE(pen.SetTransform(m));
  EXPECT_TRUE(pen.MultiplyTransform(m));
  EXPECT_TRUE(pen.RotateTransformAt(90, PointF{1, 1}));
  Pen none;
  EXPECT_FALSE(none.GetBrush(back));
  EXPECT_EQ(none.GetWidth(), 0.0f);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

}  // namespace
