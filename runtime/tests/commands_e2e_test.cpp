// Fatal endings of the core commands, the value helpers and the DLL-command binding, and the
// freeing of bound libraries at shutdown, watched from outside the process.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness.h"

namespace {

struct FatalCase {
  const char* mode;
  const char* text;
};

class FatalEnding : public ::testing::TestWithParam<FatalCase> {};

TEST_P(FatalEnding, ShowsItsMessageAndExitsMinusOne) {
  e2e::ChildProcess child =
      e2e::ChildProcess::Start(e2e::BesideTestProgram("commands_program.exe"), GetParam().mode);
  ASSERT_TRUE(child.started());
  auto box = child.WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "错误");
  EXPECT_EQ(box->text, GetParam().text);
  e2e::PressOk(*box);
  auto code = child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, DWORD(-1));
}

#define MESSAGE(text) "运行时出错!\r\n\r\n错误信息：" text "\r\n"
#define NUMBERED(code, text) "运行时出错!\r\n\r\n错误代码：" #code "\r\n\r\n错误信息：" text "\r\n"

INSTANTIATE_TEST_SUITE_P(
    Cases, FatalEnding,
    ::testing::Values(
        FatalCase{"divide-zero", MESSAGE("不能整除于零")},
        FatalCase{"remainder-zero", MESSAGE("不能求余数于零")},
        FatalCase{"read-type", MESSAGE("“欲取出数据的类型”参数值无效")},
        FatalCase{"zero-bytes-huge", MESSAGE("分配 2147483655 字节内存失败!")},
        FatalCase{"window-missing", MESSAGE("指定窗口或窗口组件不存在或尚未载入")},
        FatalCase{"move-missing", MESSAGE("指定窗口或窗口组件不存在或尚未载入")},
        FatalCase{"array-above", NUMBERED(1, "数组成员引用下标超出定义范围")},
        FatalCase{"array-below", NUMBERED(4, "数组成员引用下标必须大于等于1")},
        FatalCase{"array-dims", NUMBERED(3, "引用数组成员时维数不为1且不等于该数组目前所具有的维数")},
        FatalCase{"array-redim",
                  NUMBERED(10, "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零")},
        FatalCase{"numeric", NUMBERED(2, "未得到所需要的数值型数据")},
        FatalCase{"dll-missing-export",
                  MESSAGE("无法找到指定DLL库文件“user32”中的输出命令“NoSuchExportTarvo”")},
        FatalCase{"dll-missing-library",
                  MESSAGE("无法找到指定DLL库文件“no_such_library_tarvo.dll”中的输出命令“Anything”")},
        FatalCase{"dll-missing-default", MESSAGE("无法找到指定DLL库文件中的输出命令“NoSuchExportTarvo”")}),
    [](const auto& info) {
      std::string name = info.param.mode;
      for (char& c : name)
        if (c == '-') c = '_';
      return name;
    });

TEST(DllBinding, BoundLibrariesAreFreedAtShutdown) {
  std::string report = e2e::MakeTempDirectory("binding") + "\\report.txt";
  e2e::ChildProcess child = e2e::ChildProcess::Start(
      e2e::BesideTestProgram("commands_program.exe"), "bind-free \"" + report + "\"");
  auto code = child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(e2e::ReadTextFile(report), "7 loaded freed");
}

}  // namespace
