// A test program whose start routine ends in one fatal path of the core commands, the value
// helpers or the DLL-command binding, chosen on the command line:
//   commands_program <mode> [report file]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/core_library.h"
#include "runtime/dll_import.h"
#include "runtime/entry_table.h"
#include "runtime/program_entry.h"
#include "runtime/runtime_app.h"
#include "runtime/values.h"

namespace {

using namespace runtime;

std::string g_mode;
std::string g_report;

const char* const kDllLibraries[] = {"user32", "no_such_library_tarvo.dll", "", "binding_probe"};
const char* const kDllFunctions[] = {"NoSuchExportTarvo", "Anything", "NoSuchExportTarvo",
                                     "ProbeValue"};
inline constexpr DllCommand<0, BOOL(WINAPI*)(HWND)> MissingExport{};
inline constexpr DllCommand<1, BOOL(WINAPI*)()> MissingLibrary{};
inline constexpr DllCommand<2, BOOL(WINAPI*)()> MissingDefault{};
inline constexpr DllCommand<3, int(WINAPI*)(int)> ProbeValue{};

int AppStart() { return 0; }

const SupportLibraryInfo* g_libraries[1];
ProgramImageHeader g_image{};

void BuildImage() {
  g_libraries[0] = &CoreLibrary();
  AddressRange pool = ReadOnlyDataOf(GetModuleHandleA(nullptr));
  g_image.runMode = 3;
  g_image.lastId = 0x100;
  g_image.startRoutine = AppStart;
  g_image.constantPool = pool.start;
  g_image.constantPoolSize = pool.size;
  g_image.libraryCount = 1;
  g_image.libraries = g_libraries;
  g_image.dllCommandCount = 4;
  g_image.dllLibraryNames = kDllLibraries;
  g_image.dllFunctionNames = kDllFunctions;
}

void Report(const std::string& text) {
  if (FILE* f = std::fopen(g_report.c_str(), "wb")) {
    std::fputs(text.c_str(), f);
    std::fclose(f);
  }
}

void Run() {
  const int32_t bytes[] = {1, 2, 0x0201};
  const int32_t twoByThree[] = {2, 2, 3, 1, 2, 3, 4, 5, 6};
  void* array = const_cast<int32_t*>(twoByThree);
  ArrayVariable<int32_t> a(array);
  if (g_mode == "divide-zero") CallCore(kIntDivide, {DoubleValue(1), DoubleValue(0)});
  if (g_mode == "remainder-zero") CallCore(kRemainder, {IntValue(5), IntValue(2), IntValue(0)});
  if (g_mode == "read-type")
    CallCore(kReadBytesValue, {BytesValue(reinterpret_cast<const ByteArray*>(bytes)), IntValue(11)});
  if (g_mode == "zero-bytes-huge") CallCore(kZeroBytes, {IntValue(0x7FFFFFFF)});
  if (g_mode == "window-missing") CallCore(kWindowHandleOf, {ComponentValue(0x52010001, 0x06010000)});
  if (g_mode == "move-missing") CallCore(kMoveUnit, {ComponentValue(0x52010001, 0x06010000), IntValue(1)});
  if (g_mode == "array-above") a.get({7});
  if (g_mode == "array-below") a.get({0});
  if (g_mode == "array-dims") a.get({1, 1, 1});
  if (g_mode == "array-redim") a.redimension({2, -1});
  if (g_mode == "numeric") IntegerOf(TextValue("1"));
  if (g_mode == "dll-missing-export") MissingExport(nullptr);
  if (g_mode == "dll-missing-library") MissingLibrary();
  if (g_mode == "dll-missing-default") MissingDefault();
  if (g_mode == "bind-free") {
    int value = ProbeValue(2);
    bool loaded = GetModuleHandleA("binding_probe.dll") != nullptr;
    Shutdown(0);
    bool freed = GetModuleHandleA("binding_probe.dll") == nullptr;
    Report(std::to_string(value) + (loaded ? " loaded" : " not loaded") + (freed ? " freed" : " kept"));
    ExitProcess(0);
  }
}

int CompiledStart() {
  Entries().AuxHelp(kAuxInitializeProgram, reinterpret_cast<intptr_t>(&g_image), 0);
  Run();
  Entries().RunMessageLoop();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc > 1) g_mode = __argv[1];
  if (__argc > 2) g_report = __argv[2];
  BuildImage();
  return RunProgram(instance, CompiledStart);
}
