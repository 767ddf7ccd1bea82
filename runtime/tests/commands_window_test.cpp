// The core commands on windows, with real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/commands.h"
#include "runtime/tests/command_results.h"
#include "runtime/values.h"

namespace runtime {
namespace {

using tests::BoolResult;
using tests::TakeBytes;

class TestWindow {
 public:
  TestWindow(DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
    static ATOM atom = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
      wc.lpszClassName = "TarvoCommandTestWindow";
      return RegisterClassA(&wc);
    }();
    (void)atom;
    hwnd_ = CreateWindowExA(0, "TarvoCommandTestWindow", "", style, x, y, w, h, parent, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd_); }
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

void Pump(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

struct Picture {
  int width = 0, height = 0;
  std::string file;
  // Blue, green, red of a pixel counted from the top left.
  uint32_t pixel(int x, int y) const {
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    size_t offset = sizeof(BITMAPFILEHEADER) + info->biSize + stride * size_t(height - 1 - y) + size_t(x) * 3;
    auto* p = reinterpret_cast<const uint8_t*>(file.data() + offset);
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }
};

Picture ReadBmp(std::string file) {
  Picture picture;
  if (file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return picture;
  EXPECT_EQ(file.substr(0, 2), "BM");
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
  EXPECT_EQ(info->biBitCount, 24);
  picture.width = info->biWidth;
  picture.height = info->biHeight;
  size_t stride = (size_t(picture.width) * 3 + 3) & ~size_t(3);
  EXPECT_EQ(file.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + stride * picture.height);
  picture.file = std::move(file);
  return picture;
}

TEST(Snapshot, CopiesTheWholeWindowAndScalesIt) {
  TestWindow window(WS_POPUP | WS_VISIBLE, 40, 40, 200, 100);
  ASSERT_NE(window.get(), nullptr);
  UpdateWindow(window.get());
  Pump(300);
  TypedValue hwnd = IntValue(int32_t(reinterpret_cast<intptr_t>(window.get())));
  struct Case {
    int width, height, expectWidth, expectHeight;
  };
  const Case cases[] = {{0, 0, 200, 100}, {-50, -50, 100, 50}, {-5, 0, 20, 100},
                        {64, 32, 64, 32}, {-200, -100, 400, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    Picture p = ReadBmp(TakeBytes(CallCore(kSnapshot, {hwnd, IntValue(c.width), IntValue(c.height)})));
    EXPECT_EQ(p.width, c.expectWidth);
    EXPECT_EQ(p.height, c.expectHeight);
    if (p.width > 2 && p.height > 2) {
      EXPECT_EQ(p.pixel(p.width / 2, p.height / 2), 0xFF0000u);
      EXPECT_EQ(p.pixel(1, 1), 0xFF0000u);
    }
  }
}

TEST(Snapshot, WithoutAWindowCopiesTheScreen) {
  Picture p = ReadBmp(TakeBytes(CallCore(kSnapshot)));
  EXPECT_EQ(p.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(p.height, GetSystemMetrics(SM_CYSCREEN));
  Picture small = ReadBmp(TakeBytes(CallCore(kSnapshot, {IntValue(0), IntValue(-10), IntValue(-10)})));
  EXPECT_EQ(small.width, GetSystemMetrics(SM_CXSCREEN) / 10);
}

TEST(Snapshot, ANonWindowGivesTheEmptyByteArray) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  HWND gone = window.get();
  DestroyWindow(gone);
  EXPECT_EQ(TakeBytes(CallCore(kSnapshot, {IntValue(int32_t(reinterpret_cast<intptr_t>(gone)))})), "");
}

RECT RectIn(HWND window, HWND parent) {
  RECT r;
  GetWindowRect(window, &r);
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(MoveUnit, GivenPartsReplaceTheRectangle) {
  TestWindow top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  TestWindow child(WS_CHILD | WS_VISIBLE, 10, 10, 50, 40, top.get());
  struct Case {
    bool useChild;
    std::optional<int> left, top, width, height;
    RECT expected;
  };
  const Case cases[] = {
      {false, 20, 30, std::nullopt, std::nullopt, {20, 30, 320, 230}},
      {false, std::nullopt, std::nullopt, 250, -1, {20, 30, 270, 230}},
      {false, 5, std::nullopt, -1, 150, {5, 30, 255, 180}},
      {true, 7, 8, std::nullopt, std::nullopt, {7, 8, 57, 48}},  // client coordinates
      {true, std::nullopt, std::nullopt, 20, 30, {7, 8, 27, 38}},
  };
  for (const Case& c : cases) {
    HWND w = c.useChild ? child.get() : top.get();
    commands::MoveInstance(w, c.left, c.top, c.width, c.height);
    RECT r = RectIn(w, c.useChild ? top.get() : nullptr);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
  }
}

TEST(LoadWindow, AParentThatIsNotLoadedOrAnUnknownWindowGivesFalse) {
  EXPECT_FALSE(BoolResult(CallCore(kLoadWindow)));
  EXPECT_FALSE(BoolResult(CallCore(kLoadWindow, {ComponentValue(0x52999999, 0x06990000),
                                                 ComponentValue(0x52010001, 0x06010000)})));
  EXPECT_FALSE(BoolResult(CallCore(kLoadWindow, {ComponentValue(0x52999999, 0x06990000)})));
}

TEST(RunCommandShowModes, ClampToOneThroughSix) {
  const std::pair<int, WORD> cases[] = {{-3, SW_HIDE}, {0, SW_HIDE}, {1, SW_HIDE}, {2, SW_SHOWNORMAL},
                                        {6, SW_SHOWMINNOACTIVE}, {100, SW_SHOWMINNOACTIVE}};
  for (const auto& [mode, show] : cases) EXPECT_EQ(commands::ShowModeOf(mode), show) << mode;
}

}  // namespace
}  // namespace runtime
