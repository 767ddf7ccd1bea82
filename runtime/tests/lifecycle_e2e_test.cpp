// The runtime's start-up, shutdown and fatal-error paths, watched from outside the process.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness.h"

namespace {

using e2e::ChildProcess;

struct LifecycleRun {
  std::string marker;
  ChildProcess child;
};

LifecycleRun Start(const std::string& mode) {
  LifecycleRun run;
  run.marker = e2e::MakeTempDirectory("lifecycle") + "\\marker.txt";
  run.child = ChildProcess::Start(e2e::BesideTestProgram("lifecycle_program.exe"),
                                  "\"" + run.marker + "\" " + mode);
  return run;
}

TEST(RuntimeLifecycle, NormalEndRunsTheExitRoutineOnceAndExitsZero) {
  LifecycleRun run = Start("normal");
  ASSERT_TRUE(run.child.started());
  auto code = run.child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(e2e::ReadTextFile(run.marker), "exit routine ran\n");
}

struct FatalCase {
  const char* mode;
  const char* text;
};

class RuntimeFatalError : public ::testing::TestWithParam<FatalCase> {};

TEST_P(RuntimeFatalError, ShowsOneBoxSkipsTheExitRoutineAndExitsMinusOne) {
  LifecycleRun run = Start(GetParam().mode);
  auto box = run.child.WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "错误");
  EXPECT_EQ(box->text, GetParam().text);
  e2e::PressOk(*box);
  auto code = run.child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, DWORD(-1));
  EXPECT_FALSE(e2e::FileExists(run.marker));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuntimeFatalError,
    ::testing::Values(
        FatalCase{"error6",
                  "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n"},
        FatalCase{"alloc", "运行时出错!\r\n\r\n错误信息：分配 2147483648 字节内存失败!\r\n"}),
    [](const auto& info) { return std::string(info.param.mode); });

TEST(RuntimeLifecycle, ExitRequestFromAnotherThreadShutsDownOnTheMainThread) {
  LifecycleRun run = Start("thread-exit");
  auto code = run.child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 7u);
  EXPECT_EQ(e2e::ReadTextFile(run.marker), "exit routine ran\n");
}

}  // namespace
