#include "program_entry.h"

#include <cfloat>
#include <cstring>

#include "runtime_app.h"

namespace runtime {

int RunProgram(HINSTANCE instance, StartRoutine compiledStart) {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(instance, path, MAX_PATH);
  std::string directory = path;
  directory.erase(directory.rfind('\\') == std::string::npos ? 0 : directory.rfind('\\') + 1);
  App().moduleDirectory = directory;
  _fpreset();
  compiledStart();
  Shutdown(0);
  return 0;
}

AddressRange ReadOnlyDataOf(HMODULE module) {
  auto* base = reinterpret_cast<const uint8_t*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (std::memcmp(section->Name, ".rdata", 6) == 0 && section->Name[6] == 0)
      return {base + section->VirtualAddress, section->Misc.VirtualSize};
  }
  return {};
}

}  // namespace runtime
