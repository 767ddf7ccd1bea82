// The process entry of a compiled program: records the module, runs the program's compiled
// start routine and, when it returns, shuts down with exit code 0.
#pragma once

#include <windows.h>

#include <cstdint>

#include "program_image.h"

namespace runtime {

int RunProgram(HINSTANCE instance, StartRoutine compiledStart);

// The address range of a module's read-only data, which the programs use as their constant
// pool: every literal text and byte array lies in it.
struct AddressRange {
  const void* start = nullptr;
  uint32_t size = 0;
};
AddressRange ReadOnlyDataOf(HMODULE module);

}  // namespace runtime
