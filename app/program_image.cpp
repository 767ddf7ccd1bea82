// The player's program image and its compiled start routine.
#include <windows.h>

#include <vector>

#include "app/player.h"
#include "framework/dll.h"
#include "runtime/core_library.h"
#include "runtime/entry_table.h"
#include "runtime/program_entry.h"
#include "webview/webview_library.h"

namespace player {

namespace {

const runtime::SupportLibraryInfo* g_libraries[2];
runtime::ProgramImageHeader g_image{};
std::vector<uint8_t> g_formData;
std::vector<const char*> g_dllLibraries;
std::vector<const char*> g_dllFunctions;

void BuildImage() {
  g_libraries[0] = &runtime::CoreLibrary();
  g_libraries[1] = &webview::WebViewLibrary();
  runtime::AddressRange pool = runtime::ReadOnlyDataOf(GetModuleHandleA(nullptr));
  g_image.runMode = 3;
  g_image.reserved = 0;
  g_image.lastId = 0x18875;
  g_image.startRoutine = AppStartRoutine;
  g_image.constantPool = pool.start;
  g_image.constantPoolSize = pool.size;
  g_formData = BuildFormData(AppStartRoutine, MainWindowCreated, PageWindowCreated);
  g_image.formData = g_formData.data();
  g_image.formDataSize = uint32_t(g_formData.size());
  g_image.libraryCount = 2;
  g_image.libraries = g_libraries;
  framework::dll::AppendNames(g_dllLibraries, g_dllFunctions);
  g_image.dllCommandCount = uint32_t(g_dllLibraries.size());
  g_image.dllLibraryNames = g_dllLibraries.data();
  g_image.dllFunctionNames = g_dllFunctions.data();
}

int CompiledStart() {
  const runtime::RuntimeEntryTable& rt = runtime::Entries();
  rt.AuxHelp(runtime::kAuxInitializeProgram, reinterpret_cast<intptr_t>(&g_image), 0);
  InitializeGlobals();
  rt.AuxHelp(runtime::kAuxRegisterExitRoutine, reinterpret_cast<intptr_t>(&ExitRoutine), 0);
  AppStartRoutine();
  FrameworkInitialization();
  rt.LoadStartWindow(kStartWindowId);
  rt.RunMessageLoop();
  return 0;
}

}  // namespace

int Main(HINSTANCE instance) {
  BuildImage();
  return runtime::RunProgram(instance, CompiledStart);
}

}  // namespace player

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return player::Main(instance); }
