// The player executable, started as a user would start it.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness.h"

namespace {

constexpr char kStartWindowTitle[] =
    "TarvoDJ音乐在线播放器   Tarvo音乐外链网：WWW.TARVODJ.COM";

TEST(PlayerE2E, ShowsItsStartWindowCentredAndEndsWithItsClose) {
  auto child = e2e::ChildProcess::Start(e2e::BesideTestProgram("TarvoDJ.exe"));
  ASSERT_TRUE(child.started());
  auto window = child.WaitForWindow(
      [](const e2e::WindowInfo& w) { return w.title == kStartWindowTitle && w.visible; });
  ASSERT_TRUE(window.has_value());
  EXPECT_EQ(window->rect.right - window->rect.left, 999);
  EXPECT_EQ(window->rect.bottom - window->rect.top, 95);
  EXPECT_EQ(window->rect.left, (GetSystemMetrics(SM_CXSCREEN) - 999) / 2);
  EXPECT_EQ(window->rect.top, (GetSystemMetrics(SM_CYSCREEN) - 95) / 2);
  PostMessageA(window->hwnd, WM_CLOSE, 0, 0);
  auto code = child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
}

}  // namespace
