// GDI+ reached through the program's DLL-command table, bound by name at first call.
#include <gtest/gtest.h>

#include "graphics/dll.h"

namespace {

namespace dll = graphics::dll;

TEST(GraphicsDllCommands, GdiplusStartsAndDrawsThroughBoundCommands) {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input{};
  input.GdiplusVersion = 1;
  ASSERT_EQ(dll::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  HDC dc = CreateCompatibleDC(nullptr);
  Gdiplus::GpGraphics* graphics = nullptr;
  EXPECT_EQ(dll::GdipCreateFromHDC(dc, &graphics), Gdiplus::Ok);
  EXPECT_NE(graphics, nullptr);
  EXPECT_EQ(dll::GdipDeleteGraphics(graphics), Gdiplus::Ok);
  DeleteDC(dc);
}

}  // namespace
