// The runtime object after program initialisation: heap, constants, services, paths.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/core_library.h"
#include "runtime/entry_table.h"
#include "runtime/runtime_app.h"
#include "runtime/tests/runtime_test_image.h"

namespace runtime {
namespace {

const char kLiteral[] = "常量文本";

TEST(RuntimeHeap, FreeingALiteralIsHarmlessAndLeavesItIntact) {
  ASSERT_TRUE(InConstantPool(kLiteral));
  Entries().RuntimeFree(const_cast<char*>(kLiteral));
  EXPECT_STREQ(kLiteral, "常量文本");
}

TEST(RuntimeHeap, ReallocatingAConstantGivesAHeapCopyAndKeepsTheConstant) {
  static const int32_t constantBytes[] = {1, 4, 0x64636261};
  ASSERT_TRUE(InConstantPool(constantBytes));
  auto* grown = static_cast<int32_t*>(Entries().RuntimeRealloc(
      const_cast<int32_t*>(constantBytes), 64));
  ASSERT_NE(grown, constantBytes);
  EXPECT_FALSE(InConstantPool(grown));
  EXPECT_EQ(std::memcmp(grown, constantBytes, sizeof constantBytes), 0);
  EXPECT_EQ(constantBytes[2], 0x64636261);
  Entries().RuntimeFree(grown);
}

TEST(RuntimeHeap, HeapBlocksAreNotConstants) {
  void* block = Entries().RuntimeAlloc(16);
  EXPECT_FALSE(InConstantPool(block));
  block = Entries().RuntimeRealloc(block, 1 << 20);
  ASSERT_NE(block, nullptr);
  Entries().RuntimeFree(block);
  Entries().RuntimeFree(nullptr);
}

TEST(RuntimeHeap, RawAllocationReportsFailureInsteadOfEndingTheProcess) {
  EXPECT_EQ(RuntimeService(kServiceAllocate, intptr_t(-1), 1), 0);
  void* block = reinterpret_cast<void*>(RuntimeService(kServiceAllocate, 32, 1));
  ASSERT_NE(block, nullptr);
  Free(block);
}

struct ErrorTextCase {
  const char* name;
  const char* message;
  int code;
  const char* text;
};

class FatalErrorTextTest : public ::testing::TestWithParam<ErrorTextCase> {};

TEST_P(FatalErrorTextTest, IsLaidOutAsHeadingCodeAndMessage) {
  EXPECT_EQ(FatalErrorText(GetParam().message, GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FatalErrorTextTest,
    ::testing::Values(
        ErrorTextCase{"CodeAndMessage", "调用DLL命令后发现堆栈错误", 6,
                      "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n"},
        ErrorTextCase{"MessageOnly", "分配 100 字节内存失败!", 0,
                      "运行时出错!\r\n\r\n错误信息：分配 100 字节内存失败!\r\n"},
        ErrorTextCase{"CodeOnly", "", 5, "运行时出错!\r\n\r\n错误代码：5\r\n\r\n"},
        ErrorTextCase{"Neither", nullptr, 0, "运行时出错!\r\n\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuntimeErrors, TableHoldsTheElevenMessages) {
  EXPECT_STREQ(RuntimeErrorMessage(1), "数组成员引用下标超出定义范围");
  EXPECT_STREQ(RuntimeErrorMessage(4), "数组成员引用下标必须大于等于1");
  EXPECT_STREQ(RuntimeErrorMessage(10),
               "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零");
  EXPECT_STREQ(RuntimeErrorMessage(11), "所提供参数的数据类型不符合要求");
  EXPECT_STREQ(RuntimeErrorMessage(0), "");
  EXPECT_STREQ(RuntimeErrorMessage(12), "");
}

struct PathCase {
  const char* full;
  const char* directory;
  const char* fileName;
};

class ExecutablePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(ExecutablePathTest, SplitsAtTheLastBackslash) {
  ExecutablePath split = SplitExecutablePath(GetParam().full);
  EXPECT_EQ(split.directory, GetParam().directory);
  EXPECT_EQ(split.fileName, GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExecutablePathTest,
                         ::testing::Values(PathCase{"C:\\播放器\\TarvoDJ.exe", "C:\\播放器", "TarvoDJ.exe"},
                                           PathCase{"C:\\TarvoDJ.exe", "C:", "TarvoDJ.exe"},
                                           PathCase{"TarvoDJ.exe", "", "TarvoDJ.exe"}));

TEST(RuntimeInitialization, RecordsTheProgramAndNotifiesEveryLibraryOnce) {
  const RuntimeApp& app = App();
  EXPECT_TRUE(app.initialized);
  EXPECT_EQ(app.idCounter, 0x1001u);
  EXPECT_EQ(app.mainThreadId, GetCurrentThreadId());
  EXPECT_TRUE(app.oleInitialized);
  EXPECT_EQ(tests::g_secondLibraryNotices, 1);
  EXPECT_TRUE(app.dll.addresses.empty()) << "no DLL commands in this image";
  ASSERT_NE(app.ownerWindow, nullptr);
  EXPECT_EQ(GetWindowLongPtrA(app.ownerWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(app.ownerWindow));
  char dir[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, dir);
  EXPECT_EQ(app.appDirectory, dir);
  EXPECT_STREQ(reinterpret_cast<const char*>(RuntimeService(kServiceAppDirectory, 0, 0)),
               app.appDirectory.c_str());
  EXPECT_STREQ(reinterpret_cast<const char*>(RuntimeService(kServiceExeFileName, 0, 0)),
               "runtime_tests.exe");
}

struct DataTypeCase {
  const char* name;
  uint32_t code;
  const char* englishName;  // null: no record
};

class DataTypeLookupTest : public ::testing::TestWithParam<DataTypeCase> {};

TEST_P(DataTypeLookupTest, FindsLibraryTypesByLibraryAndTypeNumber) {
  auto* info = reinterpret_cast<const DataTypeInfo*>(
      RuntimeService(kServiceDataTypeInfo, intptr_t(GetParam().code), 0));
  if (!GetParam().englishName) {
    EXPECT_EQ(info, nullptr);
  } else {
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->englishName, GetParam().englishName);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataTypeLookupTest,
    ::testing::Values(DataTypeCase{"CoreWindow", 0x00010001, "window"},
                      DataTypeCase{"SecondLibraryType2", 0x00020002, "second"},
                      DataTypeCase{"TypeBeyondLibrary", 0x00020003, nullptr},
                      DataTypeCase{"TypeZero", 0x00020000, nullptr},
                      DataTypeCase{"LibraryBeyondTable", 0x00030001, nullptr},
                      DataTypeCase{"SystemType", 0x80000301, nullptr},
                      DataTypeCase{"ApplicationType", 0x40000001, nullptr},
                      DataTypeCase{"None", 0, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuntimeServices, DefaultIconsAreNullWithoutTheResourceAndLoadedOnce) {
  HICON icons[2] = {reinterpret_cast<HICON>(1), reinterpret_cast<HICON>(1)};
  RuntimeService(kServiceDefaultIcons, reinterpret_cast<intptr_t>(icons), 0);
  EXPECT_EQ(icons[0], nullptr);
  EXPECT_EQ(icons[1], nullptr);
  EXPECT_TRUE(App().defaultIconsLoaded);
}

TEST(RuntimeServices, PendingMessagesRunAndNestingCounts) {
  int before = App().nesting;
  PostMessageA(App().ownerWindow, WM_NULL, 0, 0);
  RuntimeService(kServiceEnterNested, 0, 0);
  EXPECT_EQ(App().nesting, before + 1);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  RuntimeService(kServiceLeaveNested, 0, 0);
  RuntimeService(kServiceLeaveNested, 0, 0);
  EXPECT_EQ(App().nesting, before > 0 ? before - 1 : 0);
}

}  // namespace
}  // namespace runtime
