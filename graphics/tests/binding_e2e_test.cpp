// A flat function missing from the GDI+ beside the program is the fatal binding error.
#include <gtest/gtest.h>


#include "tests/e2e/harness/harness.h"

namespace {

TEST(GraphicsBinding, AMissingFlatFunctionIsTheFatalBindingError) {
  // Wine prefers its own gdiplus.dll to one in the program's directory, which Windows loads;
  // this per-program setting makes the child load ours, as Windows would.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER,
                            "Software\\Wine\\AppDefaults\\missing_export_program.exe\\DllOverrides",
                            0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const char native[] = "native";
  RegSetValueExA(key, "gdiplus", 0, REG_SZ, reinterpret_cast<const BYTE*>(native), sizeof native);
  RegCloseKey(key);
  e2e::ChildProcess child =
      e2e::ChildProcess::Start(e2e::BesideTestProgram("old_gdiplus\\missing_export_program.exe"));
  ASSERT_TRUE(child.started());
  auto box = child.WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "错误");
  EXPECT_EQ(box->text,
            "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“gdiplus”中的输出命令"
            "“GdipGetSmoothingMode”\r\n");
  e2e::PressOk(*box);
  auto code = child.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, DWORD(-1));
}

}  // namespace
