// ToWideText and the text members of Graphics, against GDI+ itself.
#include <gtest/gtest.h>

#include <cstring>

#include "graphics/graphics.h"
#include "graphics/tests/test_support.h"

namespace graphics {
namespace {

using testing::CommandSpy;
namespace testdll = testing::testdll;

std::u16string Units(const ByteArray& bytes) {
  std::u16string s(bytes.size() / 2, u'\0');
  std::memcpy(s.data(), bytes.data(), s.size() * 2);
  return s;
}

struct WideCase {
  const char* text;
  std::u16string units;  // terminator included
};

class ToWideTextTest : public ::testing::TestWithParam<WideCase> {};

TEST_P(ToWideTextTest, GivesUtf16WithATerminatingZeroUnit) {
  ASSERT_EQ(GetACP(), 936u);
  ByteArray wide = ToWideText(GetParam().text);
  EXPECT_EQ(wide.size(), GetParam().units.size() * 2);
  EXPECT_EQ(Units(wide), GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToWideTextTest,
                         ::testing::Values(WideCase{nullptr, std::u16string(1, u'\0')},
                                           WideCase{"", std::u16string(1, u'\0')},
                                           WideCase{"ab", std::u16string(u"ab", 3)},
                                           // k double-byte characters: 2k + 2 bytes.
                                           WideCase{"关闭按钮", std::u16string(u"关闭按钮", 5)},
                                           WideCase{"a中", std::u16string(u"a中", 3)}));

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(g.CreateFromHDC(dib.dc()));
    Gdiplus::GpFontFamily* family = nullptr;
    ASSERT_EQ(testdll::GdipCreateFontFamilyFromName(L"SimSun", nullptr, &family), Gdiplus::Ok);
    family_.SetNative(family);
    Gdiplus::GpFont* font = nullptr;
    ASSERT_EQ(testdll::GdipCreateFont(family, 20, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel,
                                      &font),
              Gdiplus::Ok);
    font_.SetNative(font);
    Gdiplus::GpStringFormat* format = nullptr;
    ASSERT_EQ(testdll::GdipCreateStringFormat(0, LANG_NEUTRAL, &format), Gdiplus::Ok);
    format_.SetNative(format);
  }
  int InkIn(int x0, int y0, int x1, int y1) {
    g.Flush(Gdiplus::FlushIntentionSync);
    GdiFlush();
    int ink = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) ink += dib.Rgb(x, y) != 0;
    return ink;
  }
  testing::Dib dib{200, 100};
  Graphics g;
  testing::TestFamily family_;
  testing::TestFont font_;
  testing::TestFormat format_;
  testing::TestBrush white_ = testing::MakeBrush(0xFFFFFFFF);
};

struct DrawStringCall {
  int calls = 0;
  INT length = -1;
};
DrawStringCall g_drawString;
CommandSpy* g_drawStringSpy;
GpStatus WINGDIPAPI SpyDrawString(Gdiplus::GpGraphics* g, const WCHAR* s, INT length,
                                  const Gdiplus::GpFont* f, const Gdiplus::RectF* r,
                                  const Gdiplus::GpStringFormat* format,
                                  const Gdiplus::GpBrush* b) {
  g_drawString = {g_drawString.calls + 1, length};
  return g_drawStringSpy->real<decltype(&SpyDrawString)>()(g, s, length, f, r, format, b);
}

TEST_F(TextTest, DrawStringPassesTheLengthInUnitsAndDrawsTheText) {
  CommandSpy spy(dll::GdipDrawString, &SpyDrawString);
  g_drawStringSpy = &spy;
  RectF layout{0, 0, 200, 50};
  EXPECT_TRUE(g.DrawString("", font_, white_, &layout, &format_));
  EXPECT_EQ(g_drawString.calls, 1);
  EXPECT_EQ(g_drawString.length, 0);
  EXPECT_EQ(InkIn(0, 0, 200, 50), 0);

  EXPECT_TRUE(g.DrawString("Hi关闭", font_, white_, &layout, &format_));
  EXPECT_EQ(g_drawString.length, 4);
  EXPECT_GT(InkIn(0, 0, 200, 50), 20);

  RectF lower{0, 50, 200, 50};
  EXPECT_TRUE(g.DrawStringW(ToWideText("Hi"), font_, white_, &lower));
  EXPECT_EQ(g_drawString.length, 2);
  EXPECT_GT(InkIn(0, 50, 200, 100), 10);
  // A byte array without a zero unit is taken whole.
  const ByteArray unterminated{'H', 0, 'i', 0};
  EXPECT_TRUE(g.DrawStringW(unterminated, font_, white_, &lower));
  EXPECT_EQ(g_drawString.length, 2);
}

TEST_F(TextTest, MeasureStringFillsTheBoundingBox) {
  RectF layout{0, 0, 500, 100};
  RectF narrow{}, wide{};
  EXPECT_TRUE(g.MeasureString("i", font_, &layout, &format_, narrow));
  EXPECT_TRUE(g.MeasureStringW(ToWideText("关闭关闭"), font_, &layout, &format_, wide));
  EXPECT_GT(narrow.Width, 0);
  EXPECT_GT(wide.Width, narrow.Width * 2);
  EXPECT_GE(wide.Height, 15);
  Graphics none;
  RectF untouched{};
  EXPECT_FALSE(none.MeasureString("i", font_, &layout, &format_, untouched));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST_F(TextTest, MeasureCharacterRangesWithoutRegionsLeavesTheCallersArray) {
  std::vector<testing::TestRegion> regions(1);
  Gdiplus::GpRegion* kept = nullptr;
  ASSERT_EQ(dll::GdipCreateRegion(&kept), Gdiplus::Ok);
  regions[0].SetNative(kept);
  RectF layout{0, 0, 200, 50};
  for (int count : {0, -1}) {
    LastStatus = Gdiplus::Ok;
    EXPECT_FALSE(g.MeasureCharacterRanges("abc", font_, &layout, &format_, count, regions));
    EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0].GetNative(), kept);
  }
}

TEST_F(TextTest, MeasureCharacterRangesGivesOneRegionPerRange) {
  const Gdiplus::CharacterRange ranges[] = {{0, 1}, {2, 2}};
  ASSERT_EQ(testdll::GdipSetStringFormatMeasurableCharacterRanges(format_.handle(), 2, ranges),
            Gdiplus::Ok);
  std::vector<testing::TestRegion> regions(3);
  RectF layout{0, 0, 200, 50};
  EXPECT_TRUE(g.MeasureCharacterRanges("abcd", font_, &layout, &format_, 2, regions));
  ASSERT_EQ(regions.size(), 2u);
  Gdiplus::GpRectF first{}, second{};
  ASSERT_EQ(testdll::GdipGetRegionBounds(regions[0].handle(), g.handle(), &first), Gdiplus::Ok);
  ASSERT_EQ(testdll::GdipGetRegionBounds(regions[1].handle(), g.handle(), &second), Gdiplus::Ok);
  EXPECT_GT(first.Width, 0);
  EXPECT_GT(second.Width, first.Width);
  EXPECT_GT(second.X, first.X);

  // A failed measurement (no graphics) leaves the caller's regions as they were.
  Graphics none;
  void* before = regions[0].GetNative();
  EXPECT_FALSE(none.MeasureCharacterRangesW(ToWideText("abcd"), font_, &layout, &format_, 2,
                                            regions));
  EXPECT_EQ(regions[0].GetNative(), before);
}

TEST_F(TextTest, DrawDriverStringDrawsEachGlyphAtItsPosition) {
  const PointF positions[] = {{20, 40}, {150, 40}};
  EXPECT_TRUE(g.DrawDriverString("HH", font_, white_, positions));
  EXPECT_GT(InkIn(15, 15, 45, 50), 5);
  EXPECT_EQ(InkIn(60, 0, 140, 100), 0);
  EXPECT_GT(InkIn(145, 15, 175, 50), 5);
  const PointF one[] = {{80, 90}};
  EXPECT_TRUE(g.DrawDriverStringW(ToWideText("H"), font_, white_, one));
  EXPECT_GT(InkIn(75, 65, 105, 100), 5);
}

}  // namespace
}  // namespace graphics
