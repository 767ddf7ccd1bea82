// A test program without windows. Its command line chooses what its start routine does:
//   lifecycle_program <marker file> [normal|error6|alloc|thread-exit]
// The exit routine appends one line to the marker file each time it runs.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/core_library.h"
#include "runtime/entry_table.h"
#include "runtime/program_entry.h"

namespace {

std::string g_marker;
std::string g_mode = "normal";

void ExitRoutine() {
  if (FILE* f = std::fopen(g_marker.c_str(), "ab")) {
    std::fputs("exit routine ran\n", f);
    std::fclose(f);
  }
}

int AppStart() { return 0; }

const runtime::SupportLibraryInfo* g_libraries[1];
runtime::ProgramImageHeader g_image{};

void BuildImage() {
  g_libraries[0] = &runtime::CoreLibrary();
  runtime::AddressRange pool = runtime::ReadOnlyDataOf(GetModuleHandleA(nullptr));
  g_image.runMode = 3;
  g_image.lastId = 0x100;
  g_image.startRoutine = AppStart;
  g_image.constantPool = pool.start;
  g_image.constantPoolSize = pool.size;
  g_image.libraryCount = 1;
  g_image.libraries = g_libraries;
}

DWORD WINAPI ExitFromThread(void*) {
  runtime::Entries().ExitProgram(7);
  return 0;
}

int CompiledStart() {
  const runtime::RuntimeEntryTable& rt = runtime::Entries();
  rt.AuxHelp(runtime::kAuxInitializeProgram, reinterpret_cast<intptr_t>(&g_image), 0);
  rt.AuxHelp(runtime::kAuxRegisterExitRoutine, reinterpret_cast<intptr_t>(&ExitRoutine), 0);
  rt.AuxHelp(runtime::kAuxRegisterExitRoutine, reinterpret_cast<intptr_t>(&ExitRoutine), 0);
  AppStart();
  if (g_mode == "error6") rt.ReportRuntimeError(6);
  if (g_mode == "alloc") rt.RuntimeAlloc(size_t(0x80000000u));
  if (g_mode == "thread-exit") {
    HANDLE thread = CreateThread(nullptr, 0, ExitFromThread, nullptr, 0, nullptr);
    CloseHandle(thread);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  }
  rt.RunMessageLoop();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc > 1) g_marker = __argv[1];
  if (__argc > 2) g_mode = __argv[2];
  BuildImage();
  return runtime::RunProgram(instance, CompiledStart);
}
