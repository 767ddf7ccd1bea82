// The player as a user starts it: its start window holds the HtmlViewer with the browser
// control, survives a player page that cannot be reached, and ends with exit code 0.
#include <gtest/gtest.h>

#include <thread>

#include "tests/e2e/harness/harness.h"

namespace {

using namespace std::chrono_literals;

std::optional<e2e::WindowInfo> ChildOfClass(HWND parent, const std::string& cls) {
  for (HWND child : e2e::ChildWindows(parent)) {
    e2e::WindowInfo info = e2e::Describe(child);
    if (info.className == cls) return info;
  }
  return std::nullopt;
}

bool HasDescendant(HWND parent, const std::string& cls) {
  for (HWND child : e2e::ChildWindows(parent)) {
    if (e2e::Describe(child).className == cls || HasDescendant(child, cls)) return true;
  }
  return false;
}

TEST(PlayerWebViewE2E, StartWindowHostsTheBrowserControlAndSurvivesAnUnreachablePage) {
  auto child = e2e::ChildProcess::Start(e2e::BesideTestProgram("TarvoDJ.exe"));
  ASSERT_TRUE(child.started());
  auto window = child.WaitForWindow([](const e2e::WindowInfo& w) {
    return w.visible && w.rect.right - w.rect.left == 999 && w.rect.bottom - w.rect.top == 95;
  });
  ASSERT_TRUE(window.has_value());

  std::optional<e2e::WindowInfo> viewer;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    viewer = ChildOfClass(window->hwnd, "TarvoHtmlViewer");
    return viewer.has_value();
  }, 5s));
  EXPECT_TRUE(viewer->visible);
  EXPECT_EQ(viewer->rect.right - viewer->rect.left, 990);
  EXPECT_EQ(viewer->rect.bottom - viewer->rect.top, 45);
  POINT origin{viewer->rect.left, viewer->rect.top};
  ScreenToClient(window->hwnd, &origin);
  EXPECT_EQ(origin.x, 4);
  EXPECT_EQ(origin.y, 25);

  HWND browser = GetDlgItem(viewer->hwnd, 0xE900);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(e2e::Describe(browser).style & 0x50000000, 0x50000000);
  EXPECT_TRUE(HasDescendant(browser, "Shell Embedding"));

  // The player page's host cannot be reached here: the navigation fails inside the control.
  std::this_thread::sleep_for(1500ms);
  EXPECT_TRUE(child.running());
  EXPECT_TRUE(IsWindow(viewer->hwnd));
  EXPECT_FALSE(child.WaitForMessageBox(200ms).has_value());

  PostMessageA(window->hwnd, WM_CLOSE, 0, 0);
  auto code = child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
}

}  // namespace
