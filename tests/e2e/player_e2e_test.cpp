// The player executable, started as a user would start it.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness.h"
#include "webview/webview_library.h"

namespace {

constexpr char kStartWindowTitle[] =
    "TarvoDJ音乐在线播放器   Tarvo音乐外链网：WWW.TARVODJ.COM";

// The start window holds an HtmlViewer; it loads only once the web view library has it.
bool HtmlViewerAvailable() { return webview::WebViewLibrary().dataTypeCount >= 1; }

TEST(PlayerE2E, WithoutTheHtmlViewerItReportsTheStartWindowAndExitsMinusOne) {
  if (HtmlViewerAvailable()) GTEST_SKIP() << "the web view library has its HtmlViewer";
  auto child = e2e::ChildProcess::Start(e2e::BesideTestProgram("TarvoDJ.exe"));
  ASSERT_TRUE(child.started());
  auto box = child.WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "错误");
  EXPECT_EQ(box->text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  e2e::PressOk(*box);
  auto code = child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, DWORD(-1));
}

TEST(PlayerE2E, ShowsItsStartWindowCentredAndEndsWithItsClose) {
  if (!HtmlViewerAvailable()) GTEST_SKIP() << "the web view library has no HtmlViewer yet";
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
