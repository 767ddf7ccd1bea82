// The player executable, started as a user would start it.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness.h"

namespace {

TEST(PlayerE2E, WithoutItsWindowsItReportsTheStartWindowAndExitsMinusOne) {
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

}  // namespace
