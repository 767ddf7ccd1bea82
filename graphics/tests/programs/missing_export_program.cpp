// A program that draws through the graphics wrapper beside a GDI+ lacking the flat function
// it needs: the call must end in the runtime's fatal binding error, never in a call through
// a null address. Exit code 3 means the call came back.
#include <windows.h>

#include "graphics/dll.h"
#include "graphics/graphics.h"
#include "runtime/core_library.h"
#include "runtime/entry_table.h"
#include "runtime/program_entry.h"

namespace {

int AppStart() { return 0; }

std::vector<const char*> g_libraries;
std::vector<const char*> g_functions;
const runtime::SupportLibraryInfo* g_supportLibraries[1];
runtime::ProgramImageHeader g_image{};

void BuildImage() {
  g_supportLibraries[0] = &runtime::CoreLibrary();
  graphics::dll::AppendNames(g_libraries, g_functions);
  runtime::AddressRange pool = runtime::ReadOnlyDataOf(GetModuleHandleA(nullptr));
  g_image.runMode = 3;
  g_image.lastId = 0x100;
  g_image.startRoutine = AppStart;
  g_image.constantPool = pool.start;
  g_image.constantPoolSize = pool.size;
  g_image.libraryCount = 1;
  g_image.libraries = g_supportLibraries;
  g_image.dllCommandCount = uint32_t(g_libraries.size());
  g_image.dllLibraryNames = g_libraries.data();
  g_image.dllFunctionNames = g_functions.data();
}

int CompiledStart() {
  const runtime::RuntimeEntryTable& rt = runtime::Entries();
  rt.AuxHelp(runtime::kAuxInitializeProgram, reinterpret_cast<intptr_t>(&g_image), 0);
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input{};
  input.GdiplusVersion = 1;
  graphics::dll::GdiplusStartup(&token, &input, nullptr);
  graphics::Graphics g;
  g.GetSmoothingMode();
  return 3;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  BuildImage();
  return runtime::RunProgram(instance, CompiledStart);
}
