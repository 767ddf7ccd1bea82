// The fixed table through which all application code reaches the runtime.
#pragma once

#include <cstddef>
#include <cstdint>

#include "program_image.h"
#include "typed_value.h"

namespace runtime {

struct RuntimeEntryTable {
  void (*ReportRuntimeError)(int number);
  // Binds a DLL command by its index in the program's table and returns its address;
  // a command that cannot be bound ends the process, so the result is never null.
  void* (*CallDllCommand)(int index);
  void* CallLibraryCommand;  // not used by this program
  TypedValue (*CallCoreCommand)(CommandFn implementation, int count, TypedValue* args);
  void* ReadProperty;   // not used by this program
  void* WriteProperty;  // not used by this program
  void* (*RuntimeAlloc)(size_t size);
  void* (*RuntimeRealloc)(void* block, size_t size);
  void (*RuntimeFree)(void* block);
  void (*ExitProgram)(int exitCode);
  void (*RunMessageLoop)();
  void (*LoadStartWindow)(uint32_t windowId);
  intptr_t (*AuxHelp)(int code, intptr_t param1, intptr_t param2);
};

enum AuxHelpCode : int {
  kAuxFindNextFile = 0,     // (pattern text or null to continue, attribute filter) -> new text
  kAuxCloseFileSearch = 1,  // ()
  kAuxMakeArrayWritable = 2,  // (element size, address of the array variable)
  kAuxRegisterExitRoutine = 3,  // (routine)
  kAuxInitializeProgram = 6,  // (program image header)
};

const RuntimeEntryTable& Entries();

}  // namespace runtime
