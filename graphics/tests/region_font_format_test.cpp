// Regions, fonts and string formats against Wine's GDI+. The test prefix maps "SimSun" to
// WenQuanYi Micro Hei (whose family name GDI+ gives in Chinese here) and has the DejaVu fonts.
#include <gtest/gtest.h>

#include "graphics/font.h"
#include "graphics/graphics.h"
#include "graphics/matrix.h"
#include "graphics/path.h"
#include "graphics/region.h"
#include "graphics/string_format.h"
#include "graphics/tests/spy.h"
#include "graphics/tests/test_support.h"

namespace {

using namespace graphics;
using graphics::testing::CallLog;
using graphics::testing::Dib;

struct ScreenGraphics {
  ScreenGraphics() : dib(8, 8) { graphics.CreateFromHDC(dib.dc()); }
  Dib dib;
  Graphics graphics;
};

TEST(Region, CombineRectDefaultsToIntersect) {
  ScreenGraphics s;
  Region r;
  ASSERT_TRUE(r.CreateFromRect(RectF{0, 0, 10, 10}));
  ASSERT_TRUE(r.CombineRect(RectF{5, 5, 10, 10}));
  RectF b = r.GetBounds(s.graphics);
  EXPECT_EQ(b.X, 5);
  EXPECT_EQ(b.Y, 5);
  EXPECT_EQ(b.Width, 5);
  EXPECT_EQ(b.Height, 5);
  Region i;
  ASSERT_TRUE(i.CreateFromRectI(Rect{0, 0, 10, 10}));
  ASSERT_TRUE(i.CombineRectI(Rect{20, 0, 5, 5}));
  EXPECT_TRUE(i.IsEmpty(s.graphics));
  ASSERT_TRUE(i.CombineRectI(Rect{20, 0, 5, 5}, Gdiplus::CombineModeUnion));
  EXPECT_TRUE(i.IsVisiblePointI(Point{22, 2}));
  EXPECT_FALSE(i.IsVisiblePointI(Point{2, 2}));
}

TEST(Region, InfiniteEmptyVisibleAndEqual) {
  ScreenGraphics s;
  Region r;
  ASSERT_TRUE(r.Create());
  EXPECT_TRUE(r.IsInfinite(s.graphics));
  EXPECT_TRUE(r.MakeEmpty());
  EXPECT_TRUE(r.IsEmpty(s.graphics));
  EXPECT_TRUE(r.MakeInfinite());
  EXPECT_TRUE(r.IsVisiblePoint(PointF{-1000, 1000}));
  Region a, b;
  a.CreateFromRect(RectF{1, 1, 4, 4});
  b.CreateFromRectI(Rect{1, 1, 4, 4});
  EXPECT_TRUE(a.Equals(b, s.graphics));
  EXPECT_TRUE(a.IsVisibleRect(RectF{0, 0, 2, 2}));
  EXPECT_FALSE(a.IsVisibleRectI(Rect{6, 6, 2, 2}));
  ASSERT_TRUE(a.Translate(10, 0));
  EXPECT_FALSE(a.Equals(b, s.graphics));
  ASSERT_TRUE(a.TranslateI(-10, 0));
  EXPECT_TRUE(a.Equals(b, s.graphics));
  Matrix m;
  m.Create(2, 0, 0, 2, 0, 0);
  ASSERT_TRUE(a.Transform(m));
  Rect bounds = a.GetBoundsI(s.graphics);
  EXPECT_EQ(bounds.X, 2);
  EXPECT_EQ(bounds.Width, 8);
  ASSERT_TRUE(a.CombineRegion(b, Gdiplus::CombineModeExclude));
  EXPECT_FALSE(a.IsVisiblePoint(PointF{2.5f, 2.5f}));
  Region none;
  EXPECT_FALSE(none.IsEmpty(s.graphics));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST(Region, DataHrgnPathScansAndClone) {
  ScreenGraphics s;
  Region r;
  ASSERT_TRUE(r.CreateFromRect(RectF{2, 3, 4, 5}));
  uint32_t size = r.GetDataSize();
  ASSERT_GT(size, 0u);
  uint32_t filled = 0;
  ByteArray data = r.GetData(size, &filled);
  EXPECT_EQ(filled, size);
  Region back;
  ASSERT_TRUE(back.CreateFromData(data));
  EXPECT_TRUE(back.Equals(r, s.graphics));
  Region cut;
  EXPECT_FALSE(cut.CreateFromData(data, 4));           // too short to be region data
  EXPECT_FALSE(cut.CreateFromData(ByteArray{1, 2, 3}, 1000));  // no more than the array is read
  EXPECT_EQ(cut.GetNative(), nullptr);

  HRGN hrgn = r.GetHRGN(s.graphics);
  ASSERT_NE(hrgn, nullptr);
  RECT box{};
  GetRgnBox(hrgn, &box);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.bottom, 8);
  Region fromHrgn;
  ASSERT_TRUE(fromHrgn.CreateFromHrgn(hrgn));
  DeleteObject(hrgn);
  EXPECT_TRUE(fromHrgn.Equals(r, s.graphics));

  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  path.AddRectangle(0, 0, 3, 3);
  path.AddRectangle(5, 0, 3, 3);
  Region twoBoxes;
  ASSERT_TRUE(twoBoxes.CreateFromPath(path));
  EXPECT_TRUE(twoBoxes.IsVisiblePoint(PointF{6, 1}));
  EXPECT_FALSE(twoBoxes.IsVisiblePoint(PointF{4, 1}));
  Matrix identity;
  identity.Create();
  EXPECT_EQ(twoBoxes.GetScansCount(&identity), 2u);
  std::vector<RectF> scans{RectF{}, RectF{}, RectF{}, RectF{}, RectF{}};
  EXPECT_EQ(twoBoxes.GetScans(&identity, scans), 2);
  ASSERT_EQ(scans.size(), 2u);
  EXPECT_EQ(scans[1].X, 5);
  std::vector<Rect> scansI;
  EXPECT_EQ(twoBoxes.GetScansI(&identity, scansI), 2);
  EXPECT_EQ(scansI[0].Width, 3);
  Region copy;
  ASSERT_TRUE(twoBoxes.Clone(copy));
  twoBoxes.Delete();
  EXPECT_TRUE(copy.IsVisiblePoint(PointF{1, 1}));
  ASSERT_TRUE(copy.CombinePath(path, Gdiplus::CombineModeXor));
  EXPECT_TRUE(copy.IsEmpty(s.graphics));
}

TEST(FontFamily, FromNameGenericAndMetrics) {
  FontFamily family;
  ASSERT_TRUE(family.CreateFromName("SimSun"));
  EXPECT_EQ(family.GetFamilyName(), "文泉驿微米黑");
  ByteArray wide = family.GetFamilyNameW();
  ASSERT_EQ(wide.size(), 64u);
  EXPECT_EQ(wide[0], 0x87);  // U+6587
  EXPECT_EQ(wide[1], 0x65);
  EXPECT_TRUE(family.IsStyleAvailable(Gdiplus::FontStyleRegular));
  EXPECT_GT(family.GetEmHeight(0), 0);
  EXPECT_GT(family.GetCellAscent(0), 0);
  EXPECT_GT(family.GetCellDescent(0), 0);
  EXPECT_GE(family.GetLineSpacing(0), family.GetCellAscent(0));
  FontFamily copy;
  ASSERT_TRUE(family.Clone(copy));
  EXPECT_EQ(copy.GetFamilyName(), "文泉驿微米黑");
  FontFamily byW;
  const ByteArray serif = {'D', 0, 'e', 0, 'j', 0, 'a', 0, 'V', 0, 'u', 0, ' ', 0,
                           'S', 0, 'e', 0, 'r', 0, 'i', 0, 'f', 0};  // no zero unit
  ASSERT_TRUE(byW.CreateFromNameW(serif));
  EXPECT_EQ(byW.GetFamilyName(), "DejaVu Serif");
  FontFamily missing;
  EXPECT_FALSE(missing.CreateFromName("No Such Family Anywhere"));
  EXPECT_EQ(LastStatus, Gdiplus::FontFamilyNotFound);
  EXPECT_EQ(missing.GetFamilyName(), "");
  for (bool (FontFamily::*generic)() : {&FontFamily::GenericSansSerif, &FontFamily::GenericSerif,
                                        &FontFamily::GenericMonospace}) {
    FontFamily g;
    if ((g.*generic)()) {
      EXPECT_FALSE(g.GetFamilyName().empty());
    }
  }
}

TEST(FontCollection, GetFamiliesWithZeroIsInvalidParameter) {
  using NewInstalled = GpStatus(WINGDIPAPI*)(Gdiplus::GpFontCollection**);
  auto newInstalled = reinterpret_cast<NewInstalled>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("gdiplus.dll"), "GdipNewInstalledFontCollection")));
  ASSERT_NE(newInstalled, nullptr);
  Gdiplus::GpFontCollection* installed = nullptr;
  ASSERT_EQ(newInstalled(&installed), Gdiplus::Ok);
  FontCollection collection;
  collection.SetNative(installed);
  int count = collection.GetFamilyCount();
  ASSERT_GT(count, 0);
  std::vector<FontFamily> families(2);
  LastStatus = Gdiplus::Ok;
  EXPECT_EQ(collection.GetFamilies(0, families), 0);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_EQ(families.size(), 2u);  // untouched
  EXPECT_EQ(collection.GetFamilies(-3, families), 0);
  int found = collection.GetFamilies(count + 5, families);
  EXPECT_EQ(found, count);
  ASSERT_EQ(families.size(), size_t(count + 5));
  EXPECT_FALSE(families[0].GetFamilyName().empty());
  EXPECT_EQ(families[size_t(count)].GetNative(), nullptr);
}

TEST(Font, CreateByNameOfAMissingFamilyIsFalseAndLeavesNoFamily) {
  CallLog().clear();
  {
    TARVO_RECORD(GdipCreateFontFamilyFromName);
    TARVO_RECORD(GdipDeleteFontFamily);
    TARVO_RECORD(GdipCreateFont);
    Font missing;
    EXPECT_FALSE(missing.CreateByName("No Such Family Anywhere", 12));
    EXPECT_EQ(missing.GetNative(), nullptr);
    EXPECT_NE(LastStatus, Gdiplus::Ok);
  }
  // The family was never made, so there is nothing to delete.
  EXPECT_EQ(CallLog(), (std::vector<std::string>{"GdipCreateFontFamilyFromName", "GdipCreateFont"}));
  CallLog().clear();
  {
    TARVO_RECORD(GdipCreateFontFamilyFromName);
    TARVO_RECORD(GdipDeleteFontFamily);
    TARVO_RECORD(GdipCreateFont);
    Font font;
    EXPECT_TRUE(font.CreateByName("SimSun", 12, Gdiplus::FontStyleBold, Gdiplus::UnitPixel));
    EXPECT_EQ(LastStatus, Gdiplus::Ok);
    EXPECT_EQ(font.GetSize(), 12.0f);
    EXPECT_EQ(font.GetStyle(), Gdiplus::FontStyleBold);
    EXPECT_EQ(font.GetUnit(), Gdiplus::UnitPixel);
  }
  EXPECT_EQ(CallLog(), (std::vector<std::string>{"GdipCreateFontFamilyFromName", "GdipCreateFont",
                                                 "GdipDeleteFontFamily"}));
  Font w;
  EXPECT_TRUE(w.CreateByNameW(ByteArray{'D', 0, 'e', 0, 'j', 0, 'a', 0, 'V', 0, 'u', 0, ' ', 0, 'S', 0, 'a', 0,
                                          'n', 0, 's', 0, 0, 0},
                              9));
  FontFamily family;
  ASSERT_TRUE(w.GetFamily(family));
  EXPECT_EQ(family.GetFamilyName(), "DejaVu Sans");
}

TEST(Font, FromHFONTWithZeroUsesTheFontSelectedIntoTheDC) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT sans = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
  HFONT serif = CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Serif");
  HGDIOBJ old = SelectObject(dc, sans);
  Font fromDc, fromHandle;
  ASSERT_TRUE(fromDc.FromHFONT(dc, nullptr));
  ASSERT_TRUE(fromHandle.FromHFONT(dc, serif));
  FontFamily a, b;
  fromDc.GetFamily(a);
  fromHandle.GetFamily(b);
  EXPECT_EQ(a.GetFamilyName(), "DejaVu Sans");
  EXPECT_EQ(b.GetFamilyName(), "DejaVu Serif");
  EXPECT_LT(fromDc.GetSize(), fromHandle.GetSize());  // 20 against 30 pixels high
  EXPECT_EQ(fromHandle.GetStyle() & Gdiplus::FontStyleBold, Gdiplus::FontStyleBold);
  // A handle GDI cannot describe: the DC's font too.
  Font bogus;
  ASSERT_TRUE(bogus.FromHFONT(dc, reinterpret_cast<HFONT>(uintptr_t(0x1234))));
  FontFamily c;
  bogus.GetFamily(c);
  EXPECT_EQ(c.GetFamilyName(), "DejaVu Sans");
  SelectObject(dc, old);
  DeleteObject(sans);
  DeleteObject(serif);
  DeleteDC(dc);
}

TEST(Font, DefaultLogfontsCloneAndHeights) {
  Font font;
  ASSERT_TRUE(font.CreateDefault());
  EXPECT_GT(font.GetSize(), 0);
  ScreenGraphics s;
  ByteArray a, w;
  ASSERT_TRUE(font.GetLogFontA(s.graphics, a));
  ASSERT_EQ(a.size(), sizeof(LOGFONTA));
  ASSERT_TRUE(font.GetLogFontW(s.graphics, w));
  ASSERT_EQ(w.size(), sizeof(LOGFONTW));
  LOGFONTA lf;
  std::memcpy(&lf, a.data(), sizeof lf);
  EXPECT_NE(lf.lfHeight, 0);
  Font fromA, fromW, fromNull;
  ASSERT_TRUE(fromA.FromLogfontA(s.dib.dc(), &lf));
  LOGFONTW lfw;
  std::memcpy(&lfw, w.data(), sizeof lfw);
  ASSERT_TRUE(fromW.FromLogfontW(s.dib.dc(), &lfw));
  ASSERT_TRUE(fromNull.FromLogfontA(s.dib.dc(), nullptr));
  Font sized;
  ASSERT_TRUE(sized.CreateByName("DejaVu Sans", 20, 0, Gdiplus::UnitPixel));
  EXPECT_GT(sized.GetHeight(s.graphics), 20);
  EXPECT_GT(sized.GetHeightGivenDPI(96), 20);
  Font copy;
  ASSERT_TRUE(sized.Clone(copy));
  sized.Delete();
  EXPECT_EQ(copy.GetSize(), 20.0f);
  FontFamily sans;
  sans.CreateFromName("DejaVu Sans");
  Font made;
  ASSERT_TRUE(made.Create(sans, 11, Gdiplus::FontStyleItalic));
  EXPECT_EQ(made.GetStyle(), Gdiplus::FontStyleItalic);
  EXPECT_EQ(made.GetUnit(), Gdiplus::UnitWorld);
  Font fromDc;
  EXPECT_TRUE(fromDc.FromDC(s.dib.dc()));
}

TEST(StringFormat, PropertiesRoundTrip) {
  StringFormat f;
  ASSERT_TRUE(f.Create(Gdiplus::StringFormatFlagsNoWrap));
  EXPECT_EQ(f.GetFlags(), Gdiplus::StringFormatFlagsNoWrap);
  EXPECT_TRUE(f.SetFlags(Gdiplus::StringFormatFlagsLineLimit));
  EXPECT_EQ(f.GetFlags(), Gdiplus::StringFormatFlagsLineLimit);
  EXPECT_TRUE(f.SetAlign(Gdiplus::StringAlignmentCenter));
  EXPECT_EQ(f.GetAlign(), Gdiplus::StringAlignmentCenter);
  EXPECT_TRUE(f.SetLineAlign(Gdiplus::StringAlignmentFar));
  EXPECT_EQ(f.GetLineAlign(), Gdiplus::StringAlignmentFar);
  EXPECT_TRUE(f.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter));
  EXPECT_EQ(f.GetTrimming(), Gdiplus::StringTrimmingEllipsisCharacter);
  EXPECT_TRUE(f.SetHotkeyPrefix(Gdiplus::HotkeyPrefixShow));
  EXPECT_EQ(f.GetHotkeyPrefix(), Gdiplus::HotkeyPrefixShow);
  ASSERT_TRUE(f.SetTabStops(4, {10, 20, 30}));
  float first = 0;
  std::vector<float> stops;
  EXPECT_EQ(f.GetTabStops(first, stops), 3);
  EXPECT_EQ(first, 4);
  EXPECT_EQ(stops, (std::vector<float>{10, 20, 30}));
  ASSERT_TRUE(f.SetDigitSubstitution(Gdiplus::StringDigitSubstituteNational, 0x0409));
  int substitute = -1, language = -1;
  ASSERT_TRUE(f.GetDigitSubstitution(substitute, language));
  EXPECT_EQ(substitute, Gdiplus::StringDigitSubstituteNational);
  EXPECT_EQ(language, 0x0409);
  ASSERT_TRUE(f.SetMeasurableCharacterRanges({{0, 2}, {3, 1}}));
  EXPECT_EQ(f.GetMeasurableCharacterRangeCount(), 2);
  StringFormat copy;
  ASSERT_TRUE(f.Clone(copy));
  f.Delete();
  EXPECT_EQ(copy.GetAlign(), Gdiplus::StringAlignmentCenter);
  StringFormat def, typo;
  ASSERT_TRUE(def.GenericDefault());
  ASSERT_TRUE(typo.GenericTypographic());
  EXPECT_NE(typo.GetFlags() & Gdiplus::StringFormatFlagsNoClip, 0);
  StringFormat none;
  EXPECT_EQ(none.GetAlign(), 0);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_FALSE(none.GetDigitSubstitution(substitute, language));
  EXPECT_EQ(substitute, Gdiplus::StringDigitSubstituteNational);
}

}  // namespace
