// Bitmap: creators, pixels, locked bits, GDI handles, areas and rotation against Wine's GDI+.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/bitmap.h"
#include "graphics/tests/fixtures.h"
#include "graphics/tests/test_support.h"

namespace {

using namespace graphics;
using graphics::testing::CommandSpy;
using graphics::testing::Dib;

struct GdiObject {
  explicit GdiObject(HGDIOBJ h) : h(h) {}
  ~GdiObject() {
    if (h) DeleteObject(h);
  }
  HGDIOBJ h;
};
struct Icon {
  explicit Icon(HICON h) : h(h) {}
  ~Icon() {
    if (h) DestroyIcon(h);
  }
  HICON h;
};

// A 32-bit top-down DIB section whose pixels the test sets.
struct DibSection {
  DibSection(int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  }
  ~DibSection() { DeleteObject(bitmap); }
  HBITMAP bitmap = nullptr;
  uint32_t* bits = nullptr;
};

TEST(Bitmap, FromBytesKeepsTheBitmapHandleInStep) {
  Bitmap b;
  ASSERT_TRUE(b.FromBytes(kQuadrantsPng.view()));
  EXPECT_NE(b.bitmap(), nullptr);
  EXPECT_EQ(static_cast<void*>(b.bitmap()), b.GetNative());
  EXPECT_EQ(b.GetPixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(b.GetPixel(35, 0), 0xFF00FF00u);
  EXPECT_EQ(b.GetPixel(0, 31), 0xFF0000FFu);
  EXPECT_EQ(b.GetPixel(35, 31) >> 24, 128u);
  HGLOBAL memory = b.stream().GetMemory();
  EXPECT_TRUE(b.Delete());
  EXPECT_EQ(b.bitmap(), nullptr);
  EXPECT_EQ(GlobalFlags(memory), UINT(GMEM_INVALID_HANDLE));
  EXPECT_FALSE(b.Delete());
  EXPECT_FALSE(b.FromBytes({}));
}

TEST(Bitmap, ThroughTheImageInterface) {
  Bitmap b;
  Image& image = b;
  ASSERT_TRUE(image.FromBytes(kPlainBmp.view()));  // a bitmap made from the stream
  EXPECT_EQ(b.GetPixel(0, 0), 0xFFFFFF00u);
  EXPECT_EQ(b.GetPixel(19, 9), 0xFF00FFFFu);
  EXPECT_TRUE(image.Delete());
  EXPECT_EQ(b.bitmap(), nullptr);
}

TEST(Bitmap, FromFileAndFromFileW) {
  Image source;
  ASSERT_TRUE(source.FromBytes(kQuadrantsPng.view()));
  ASSERT_TRUE(source.SaveToFile("bitmap_test.png"));
  Bitmap a, w;
  ASSERT_TRUE(a.FromFile("bitmap_test.png"));
  EXPECT_EQ(a.GetPixel(0, 0), 0xFFFF0000u);
  const uint8_t name[] = {'b', 0, 'i', 0, 't', 0, 'm', 0, 'a', 0, 'p', 0, '_', 0, 't', 0, 'e', 0, 's', 0,
                          't', 0, '.', 0, 'p', 0, 'n', 0, 'g', 0};  // no terminator: the array's end ends it
  ASSERT_TRUE(w.FromFileW(name));
  EXPECT_EQ(w.GetWidth(), 36u);
  a.Delete();
  w.Delete();
  DeleteFileA("bitmap_test.png");
  EXPECT_FALSE(a.FromFile("bitmap_test.png"));
}

TEST(Bitmap, CreateAndFromScan0) {
  Bitmap b;
  ASSERT_TRUE(b.Create(7, 5));
  EXPECT_EQ(b.GetWidth(), 7u);
  EXPECT_EQ(b.GetPixelFormat(), kPixelFormat32bppARGB);
  EXPECT_TRUE(b.SetPixel(3, 2, 0x80112233));
  EXPECT_EQ(b.GetPixel(3, 2), 0x80112233u);
  EXPECT_FALSE(b.SetPixel(7, 0, 0));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_FALSE(b.Create(0, 5));

  uint32_t pixels[2 * 3] = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005, 0xFF000006};
  Bitmap s;
  ASSERT_TRUE(s.FromScan0(2, 3, 8, kPixelFormat32bppARGB, pixels));
  EXPECT_EQ(s.GetPixel(1, 2), 0xFF000006u);
  s.SetPixel(0, 0, 0xFFABCDEF);
  EXPECT_EQ(pixels[0], 0xFFABCDEFu);  // the bitmap draws into the caller's memory
  Bitmap none;
  EXPECT_EQ(none.GetPixel(0, 0), 0u);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST(Bitmap, FromGraphicsTakesItsResolution) {
  Dib dib(4, 4);
  graphics::testing::TestObject<Gdiplus::GpGraphics, dll::GdipDeleteGraphics> g;
  Gdiplus::GpGraphics* native = nullptr;
  ASSERT_EQ(dll::GdipCreateFromHDC(dib.dc(), &native), Gdiplus::Ok);
  g.SetNative(native);
  Bitmap b;
  ASSERT_TRUE(b.FromGraphics(9, 8, g));
  EXPECT_EQ(b.GetWidth(), 9u);
  EXPECT_EQ(b.GetHeight(), 8u);
  graphics::testing::TestObject<Gdiplus::GpGraphics, dll::GdipDeleteGraphics> none;
  EXPECT_FALSE(b.FromGraphics(9, 8, none));
  EXPECT_EQ(b.GetWidth(), 9u);
}

TEST(Bitmap, FromGdiDibFromHBITMAPAndGetHBITMAP) {
  DibSection dib(3, 2);
  for (int i = 0; i < 6; ++i) dib.bits[i] = 0x00102030 + i;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, -2, 1, 32, BI_RGB};
  Bitmap a;
  ASSERT_TRUE(a.FromGdiDib(&info, dib.bits));
  EXPECT_EQ(a.GetWidth(), 3u);
  EXPECT_EQ(a.GetPixel(2, 1) & 0xFFFFFF, 0x102035u);

  Bitmap h;
  ASSERT_TRUE(h.FromHBITMAP(dib.bitmap));
  EXPECT_EQ(h.GetHeight(), 2u);
  EXPECT_EQ(h.GetPixel(1, 0) & 0xFFFFFF, 0x102031u);
  EXPECT_FALSE(h.FromHBITMAP(nullptr));

  Bitmap red;
  ASSERT_TRUE(red.Create(2, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) red.SetPixel(x, y, 0xFFFF0000);
  GdiObject hbm(red.GetHBITMAP(0xFF00FF00));
  ASSERT_NE(hbm.h, nullptr);
  BITMAP bm{};
  ASSERT_TRUE(GetObjectA(hbm.h, sizeof bm, &bm));
  EXPECT_EQ(bm.bmWidth, 2);
  EXPECT_EQ(bm.bmHeight, 2);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, hbm.h);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  Bitmap none;
  EXPECT_EQ(none.GetHBITMAP(), nullptr);
}

TEST(Bitmap, HiconRoundTrip) {
  Bitmap b;
  ASSERT_TRUE(b.FromBytes(kIconIco.view()));
  Icon icon(b.GetHICON());
  ASSERT_NE(icon.h, nullptr);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(icon.h, &ii));
  GdiObject colour(ii.hbmColor), mask(ii.hbmMask);
  BITMAP bm{};
  GetObjectA(ii.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  Bitmap back;
  ASSERT_TRUE(back.FromHICON(icon.h));
  EXPECT_EQ(back.GetWidth(), 16u);
  EXPECT_EQ(back.GetPixel(8, 8) & 0xFFFFFF, 0xFF8000u);
  EXPECT_FALSE(back.FromHICON(nullptr));
  Bitmap none;
  EXPECT_EQ(none.GetHICON(), nullptr);
}

TEST(Bitmap, FromResourceLoadsABitmapResource) {
  Bitmap b;
  ASSERT_TRUE(b.FromResource(GetModuleHandleA(nullptr), "PLAIN"));
  EXPECT_EQ(b.GetWidth(), 20u);
  EXPECT_EQ(b.GetHeight(), 10u);
  EXPECT_EQ(b.GetPixel(0, 0) & 0xFFFFFF, 0xFFFF00u);
  Bitmap missing;
  EXPECT_FALSE(missing.FromResource(GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"));
}

TEST(Bitmap, CloneAreaCopiesTheRectangle) {
  Bitmap b, f, i;
  ASSERT_TRUE(b.FromBytes(kQuadrantsPng.view()));
  ASSERT_TRUE(b.CloneArea(RectF{18, 0, 18, 16}, kPixelFormat32bppARGB, f));
  EXPECT_EQ(f.GetWidth(), 18u);
  EXPECT_EQ(f.GetPixel(0, 0), 0xFF00FF00u);
  ASSERT_TRUE(b.CloneAreaI(Rect{0, 16, 10, 16}, kPixelFormat32bppARGB, i));
  EXPECT_EQ(i.GetHeight(), 16u);
  EXPECT_EQ(i.GetPixel(9, 15), 0xFF0000FFu);
  EXPECT_NE(i.bitmap(), nullptr);
  EXPECT_FALSE(b.CloneAreaI(Rect{30, 30, 10, 10}, kPixelFormat32bppARGB, i));  // outside
  EXPECT_EQ(i.GetWidth(), 10u);
}

TEST(Bitmap, LockBitsReadsAndWritesPixels) {
  Bitmap b;
  ASSERT_TRUE(b.FromBytes(kQuadrantsPng.view()));
  LockedBits bits;
  ASSERT_TRUE(b.LockBits(Rect{16, 14, 4, 4}, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                         kPixelFormat32bppARGB, bits));
  EXPECT_EQ(bits.Width, 4u);
  EXPECT_EQ(bits.Height, 4u);
  EXPECT_EQ(bits.PixelFormat, kPixelFormat32bppARGB);
  ASSERT_NE(bits.Scan0, nullptr);
  auto row = [&](int y) { return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(bits.Scan0) + y * bits.Stride); };
  EXPECT_EQ(row(0)[0], 0xFFFF0000u);  // (16, 14) red
  EXPECT_EQ(row(0)[3], 0xFF00FF00u);  // (19, 14) green
  EXPECT_EQ(row(3)[0], 0xFF0000FFu);  // (16, 17) blue
  row(3)[3] = 0xFF123456;
  ASSERT_TRUE(b.UnlockBits(bits));
  EXPECT_EQ(b.GetPixel(19, 17), 0xFF123456u);
  EXPECT_FALSE(b.LockBits(Rect{30, 30, 10, 10}, Gdiplus::ImageLockModeRead, kPixelFormat32bppARGB, bits));
}

TEST(Bitmap, SetResolution) {
  Bitmap b;
  ASSERT_TRUE(b.Create(2, 2));
  ASSERT_TRUE(b.SetResolution(150, 75));
  EXPECT_FLOAT_EQ(b.GetHorizontalResolution(), 150);
  EXPECT_FLOAT_EQ(b.GetVerticalResolution(), 75);
  EXPECT_FALSE(b.SetResolution(0, 75));
}

TEST(Bitmap, RotatedSizeIsMeasuredBetweenPixelCentres) {
  struct Case {
    float w, h, angle, width, height;
  } cases[] = {
      {10, 10, 90, 9, 9}, {10, 20, 90, 19, 9}, {10, 20, 0, 9, 19}, {10, 10, 0, 9, 9},
      {11, 11, 45, 14.1421f, 14.1421f}, {3, 7, 180, 2, 6},
  };
  for (const Case& c : cases) {
    float w = -1, h = -1;
    Bitmap::RotatedSize(c.w, c.h, c.angle, w, h);
    EXPECT_NEAR(w, c.width, 1e-3) << c.w << "x" << c.h << "@" << c.angle;
    EXPECT_NEAR(h, c.height, 1e-3) << c.w << "x" << c.h << "@" << c.angle;
  }
}

// A 10 x 10 bitmap: left half red, right half blue.
Bitmap Halves() {
  Bitmap b;
  b.Create(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) b.SetPixel(x, y, x < 5 ? 0xFFFF0000 : 0xFF0000FF);
  return b;
}

TEST(Bitmap, RotateByZeroGivesAPictureOnePixelSmallerCentred) {
  Bitmap source = Halves();
  source.SetResolution(120, 120);
  Bitmap rotated;
  ASSERT_TRUE(source.Rotate(0, rotated, std::nullopt, Gdiplus::InterpolationModeNearestNeighbor));
  ASSERT_EQ(rotated.GetWidth(), 9u);
  ASSERT_EQ(rotated.GetHeight(), 9u);
  EXPECT_FLOAT_EQ(rotated.GetHorizontalResolution(), 120);
  EXPECT_EQ(rotated.GetPixelFormat(), kPixelFormat32bppARGB);
  // Half a pixel cut from each side: red on the left, blue on the right, nothing transparent.
  for (int y : {0, 4, 8}) {
    EXPECT_EQ(rotated.GetPixel(0, y) & 0xFFFFFF, 0xFF0000u) << y;
    EXPECT_EQ(rotated.GetPixel(8, y) & 0xFFFFFF, 0x0000FFu) << y;
    EXPECT_EQ(rotated.GetPixel(0, y) >> 24, 0xFFu) << y;
    EXPECT_EQ(rotated.GetPixel(8, y) >> 24, 0xFFu) << y;
  }
}

// The picture is drawn through the world transform; the offsets it carries say where it lands.
std::vector<float> g_worldTransform;
CommandSpy* g_worldTransformSpy;
GpStatus WINGDIPAPI SpySetWorldTransform(Gdiplus::GpGraphics* graphics, Gdiplus::GpMatrix* matrix) {
  g_worldTransform.assign(6, 0);
  dll::GdipGetMatrixElements(matrix, g_worldTransform.data());
  return g_worldTransformSpy->real<decltype(&SpySetWorldTransform)>()(graphics, matrix);
}

// Centred: the 10 x 10 picture in its 9 x 9 result starts half a pixel up and to the left.
// Wine samples that half-pixel shift to whole pixels, so the pixels cannot show it.
TEST(Bitmap, RotateByZeroDrawsThePictureHalfAPixelUpAndLeft) {
  Bitmap source = Halves();
  CommandSpy spy(dll::GdipSetWorldTransform, &SpySetWorldTransform);
  g_worldTransformSpy = &spy;
  Bitmap rotated;
  ASSERT_TRUE(source.Rotate(0, rotated));
  ASSERT_EQ(g_worldTransform.size(), 6u);
  const float expected[6] = {1, 0, 0, 1, -0.5f, -0.5f};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(g_worldTransform[i], expected[i], 1e-5) << i;
}

TEST(Bitmap, RotateBy90TurnsAboutTheCentreOverTheBackground) {
  Bitmap source = Halves();
  Bitmap rotated;
  ASSERT_TRUE(source.Rotate(90, rotated, 0xFF00FF00u, Gdiplus::InterpolationModeNearestNeighbor, SizeF{20, 20}));
  ASSERT_EQ(rotated.GetWidth(), 20u);
  ASSERT_EQ(rotated.GetHeight(), 20u);
  EXPECT_EQ(rotated.GetPixel(1, 1), 0xFF00FF00u);  // background outside the picture
  // Clockwise: the red left half ends up on top, blue below, centred on (10, 10).
  EXPECT_EQ(rotated.GetPixel(10, 7), 0xFFFF0000u);
  EXPECT_EQ(rotated.GetPixel(10, 12), 0xFF0000FFu);
  Bitmap none, target;
  EXPECT_FALSE(none.Rotate(90, target));
  EXPECT_EQ(target.GetNative(), nullptr);
}

}  // namespace
