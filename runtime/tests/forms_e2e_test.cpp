// A program with stored windows, watched from outside: its windows appear, closing the last
// one ends it normally, and the form engine's fatal errors end it with -1.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness.h"

namespace {

using e2e::ChildProcess;
using e2e::WindowInfo;

struct FormsRun {
  std::string marker;
  ChildProcess child;
};

FormsRun Start(const std::string& mode) {
  FormsRun run;
  run.marker = e2e::MakeTempDirectory("forms") + "\\marker.txt";
  run.child = ChildProcess::Start(e2e::BesideTestProgram("forms_program.exe"),
                                  "\"" + run.marker + "\" " + mode);
  return run;
}

std::optional<WindowInfo> WaitForTitle(const ChildProcess& child, const std::string& title) {
  return child.WaitForWindow(
      [&](const WindowInfo& w) { return w.title == title && w.visible; });
}

TEST(FormsProgram, ClosingTheStartWindowEndsTheProgramNormally) {
  FormsRun run = Start("normal");
  auto window = WaitForTitle(run.child, "窗体一");
  ASSERT_TRUE(window.has_value());
  EXPECT_EQ(window->className, "ZXWindow");
  EXPECT_EQ(window->rect.right - window->rect.left, 300);
  EXPECT_EQ(window->rect.bottom - window->rect.top, 160);
  EXPECT_EQ(window->rect.left, 30);
  EXPECT_EQ(e2e::ChildWindows(window->hwnd).size(), 1u);
  // The client area shows the stored background colour.
  POINT inside = {250, 120};
  ClientToScreen(window->hwnd, &inside);
  EXPECT_TRUE(e2e::WaitUntil([&] {
    HDC screen = GetDC(nullptr);
    COLORREF pixel = GetPixel(screen, inside.x, inside.y);
    ReleaseDC(nullptr, screen);
    return pixel == 0x00FF8000;
  }));
  PostMessageA(window->hwnd, WM_CLOSE, 0, 0);
  auto code = run.child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(e2e::ReadTextFile(run.marker), "event 0 of window 1\nexit routine ran\n");
}

TEST(FormsProgram, TheLoopEndsOnlyWithTheLastLoadedWindow) {
  FormsRun run = Start("two");
  auto first = WaitForTitle(run.child, "窗体一");
  auto second = WaitForTitle(run.child, "窗体二");
  ASSERT_TRUE(first.has_value());
  ASSERT_TRUE(second.has_value());
  PostMessageA(first->hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(first->hwnd); }));
  EXPECT_FALSE(run.child.WaitForExit(std::chrono::milliseconds(500)).has_value());
  PostMessageA(second->hwnd, WM_CLOSE, 0, 0);
  auto code = run.child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(e2e::ReadTextFile(run.marker),
            "event 0 of window 1\nevent 0 of window 2\nexit routine ran\n");
}

struct FatalCase {
  const char* mode;
  const char* message;
};

class FormsFatalError : public ::testing::TestWithParam<FatalCase> {};

TEST_P(FormsFatalError, ShowsTheMessageAndExitsMinusOneWithoutTheExitRoutine) {
  FormsRun run = Start(GetParam().mode);
  auto box = run.child.WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "错误");
  EXPECT_EQ(box->text, std::string("运行时出错!\r\n\r\n错误信息：") + GetParam().message + "\r\n");
  e2e::PressOk(*box);
  auto code = run.child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, DWORD(-1));
  EXPECT_EQ(e2e::ReadTextFile(run.marker).find("exit routine ran"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormsFatalError,
    ::testing::Values(FatalCase{"missing-start", "载入启动窗口失败"},
                      FatalCase{"bad-data", "载入窗口模板数据段出错!"},
                      FatalCase{"unknown-window", "未找到引发事件的窗口"},
                      FatalCase{"unknown-unit", "未找到引发事件的窗口组件"},
                      FatalCase{"invalid-unit", "引发事件的窗口组件无效"},
                      FatalCase{"missing-instance", "指定窗口或窗口组件不存在或尚未载入"}),
    [](const auto& info) {
      std::string name = info.param.mode;
      std::erase(name, '-');
      return name;
    });

}  // namespace
