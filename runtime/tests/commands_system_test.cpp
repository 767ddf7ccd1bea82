// The core commands on files, the environment and processes, on the real platform.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "runtime/runtime_app.h"
#include "runtime/tests/command_results.h"
#include "runtime/values.h"

namespace runtime {
namespace {

using tests::BoolResult;
using tests::HeldBytes;
using tests::TakeBytes;
using tests::TakeText;

std::string TempDirectory(const char* name) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string dir =
      std::string(base) + "tarvo_" + name + "_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

TEST(FileCommands, WrittenBytesReadBack) {
  std::string file = TempDirectory("files") + "\\数据.bin";
  HeldBytes first(std::string("abc\0d", 5)), second(std::string("XYZ"));
  EXPECT_TRUE(BoolResult(
      CallCore(kWriteFileBytes, {TextValue(file.c_str()), first.value(), BytesValue(EmptyBytes()),
                                 IntValue(7), second.value()})));
  EXPECT_EQ(ReadAll(file), std::string("abc\0dXYZ", 8));
  EXPECT_EQ(TakeBytes(CallCore(kReadFileBytes, {TextValue(file.c_str())})),
            std::string("abc\0dXYZ", 8));

  // Writing again truncates; writing nothing leaves an empty file, which reads as empty.
  EXPECT_TRUE(BoolResult(CallCore(kWriteFileBytes, {TextValue(file.c_str()), second.value()})));
  EXPECT_EQ(ReadAll(file), "XYZ");
  EXPECT_TRUE(BoolResult(CallCore(kWriteFileBytes, {TextValue(file.c_str())})));
  EXPECT_TRUE(BoolResult(CallCore(kFileExists, {TextValue(file.c_str())})));
  EXPECT_EQ(TakeBytes(CallCore(kReadFileBytes, {TextValue(file.c_str())})), "");
}

TEST(FileCommands, BadNamesGiveEmptyOrFalse) {
  std::string dir = TempDirectory("bad");
  std::string missing = dir + "\\missing.bin";
  std::string inMissingDir = dir + "\\no\\such\\dir.bin";
  EXPECT_EQ(TakeBytes(CallCore(kReadFileBytes, {TextValue(missing.c_str())})), "");
  EXPECT_EQ(TakeBytes(CallCore(kReadFileBytes, {TextValue("")})), "");
  EXPECT_EQ(TakeBytes(CallCore(kReadFileBytes, {TextValue(nullptr)})), "");
  EXPECT_EQ(TakeBytes(CallCore(kReadFileBytes, {TextValue(dir.c_str())})), "");
  HeldBytes data(std::string("x"));
  EXPECT_FALSE(BoolResult(CallCore(kWriteFileBytes, {TextValue(""), data.value()})));
  EXPECT_FALSE(BoolResult(CallCore(kWriteFileBytes, {TextValue(nullptr), data.value()})));
  EXPECT_FALSE(
      BoolResult(CallCore(kWriteFileBytes, {TextValue(inMissingDir.c_str()), data.value()})));
  EXPECT_FALSE(BoolResult(CallCore(kWriteFileBytes)));
}

TEST(FileCommands, AFileOpenForWritingElsewhereIsNotRead) {
  std::string file = TempDirectory("locked") + "\\open.txt";
  WriteAll(file, "content");
  HANDLE writer = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(TakeBytes(CallCore(kReadFileBytes, {TextValue(file.c_str())})), "");
  CloseHandle(writer);
  EXPECT_EQ(TakeBytes(CallCore(kReadFileBytes, {TextValue(file.c_str())})), "content");
}

TEST(FileCommands, ExistenceIsWhatAFileSearchFinds) {
  std::string dir = TempDirectory("exists");
  WriteAll(dir + "\\a.txt", "a");
  const std::pair<std::string, bool> cases[] = {
      {dir + "\\a.txt", true},
      {dir + "\\b.txt", false},
      {dir + "\\*.txt", true},
      {dir + "\\*.png", false},
      {dir, true},
      {"", false},
  };
  for (const auto& [name, exists] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(BoolResult(CallCore(kFileExists, {TextValue(name.c_str())})), exists);
  }
}

TEST(EnvironmentCommands, ValuesOfAnyLengthAndUnsetNames) {
  ASSERT_TRUE(SetEnvironmentVariableA("TARVO_TEST_VALUE", "值123"));
  std::string longValue(5000, 'v');
  ASSERT_TRUE(SetEnvironmentVariableA("TARVO_TEST_LONG", longValue.c_str()));
  EXPECT_EQ(TakeText(CallCore(kReadEnvironment, {TextValue("TARVO_TEST_VALUE")})), "值123");
  EXPECT_EQ(TakeText(CallCore(kReadEnvironment, {TextValue("TARVO_TEST_LONG")})), longValue);
  EXPECT_EQ(TakeText(CallCore(kReadEnvironment, {TextValue("TARVO_TEST_UNSET")})), "");
  EXPECT_EQ(TakeText(CallCore(kReadEnvironment, {TextValue("")})), "");
  EXPECT_EQ(TakeText(CallCore(kAppDirectory)), App().appDirectory);
}

// The report file is removed first: directories of earlier runs may be reused.
std::string ProbeCommand(const std::string& report, int pauseMs) {
  DeleteFileA(report.c_str());
  return "\"" + App().appDirectory + "\\startup_probe.exe\" \"" + report + "\" " +
         std::to_string(pauseMs);
}

TEST(RunCommand, ShowModesReachTheStartedProcess) {
  std::string dir = TempDirectory("show");
  struct Case {
    std::optional<int> mode;
    unsigned show;
  };
  const Case cases[] = {
      {1, SW_HIDE},          {2, SW_SHOWNORMAL},      {3, SW_SHOWMINIMIZED},
      {4, SW_SHOWMAXIMIZED}, {5, SW_SHOWNOACTIVATE},  {6, SW_SHOWMINNOACTIVE},
      {0, SW_HIDE},          {9, SW_SHOWMINNOACTIVE}, {std::nullopt, SW_SHOWNORMAL}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode ? *c.mode : -1);
    std::string report = dir + "\\show" + std::to_string(n++) + ".txt";
    std::string command = ProbeCommand(report, 0);
    TypedValue mode = c.mode ? IntValue(*c.mode) : MakeValue(kTypeNone, 0);
    EXPECT_TRUE(
        BoolResult(CallCore(kRunCommand, {TextValue(command.c_str()), BoolValue(true), mode})));
    EXPECT_EQ(ReadAll(report), "1 " + std::to_string(c.show));
  }
}

TEST(RunCommand, WaitsForTheEndOnlyWhenAsked) {
  using Clock = std::chrono::steady_clock;
  std::string dir = TempDirectory("wait");
  std::string waited = dir + "\\waited.txt";
  auto start = Clock::now();
  std::string command = ProbeCommand(waited, 1500);
  EXPECT_TRUE(BoolResult(CallCore(kRunCommand, {TextValue(command.c_str()), BoolValue(true)})));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(1400));
  EXPECT_EQ(ReadAll(waited), "1 1");

  std::string notWaited = dir + "\\later.txt";
  command = ProbeCommand(notWaited, 4000);
  start = Clock::now();
  EXPECT_TRUE(BoolResult(
      CallCore(kRunCommand, {TextValue(command.c_str()), BoolValue(false), IntValue(1)})));
  auto elapsed = Clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::milliseconds(3000));
  EXPECT_EQ(GetFileAttributesA(notWaited.c_str()), INVALID_FILE_ATTRIBUTES);
  std::printf("RunCommand without waiting returned after %lld ms\n",
              (long long)std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

TEST(RunCommand, AProgramThatCannotStartIsFalse) {
  EXPECT_FALSE(BoolResult(CallCore(kRunCommand, {TextValue("no_such_program_tarvo.exe")})));
  EXPECT_FALSE(BoolResult(CallCore(kRunCommand, {TextValue("")})));
  EXPECT_FALSE(BoolResult(CallCore(kRunCommand)));
}

}  // namespace
}  // namespace runtime
