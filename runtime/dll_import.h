// Typed DLL commands for application code. A command is declared once in an import list
// with the platform's own prototype, so every call is checked by the compiler, and it is
// reached only through the runtime's DLL-command table: bound by name at first call.
//
// An import list is a .inc file of lines
//   DLL_IMPORT(name, "library as written", "exported name", prototype-pointer-type)
// included once for the index enumeration, once for the name tables and once for the
// callable objects (see DLL_IMPORT_* below).
#pragma once

#include <windows.h>

#include "runtime/entry_table.h"

namespace runtime {

template <int Index, typename Fn>
struct DllCommand;

// Every DLL command is stdcall; a prototype of another convention does not match here and
// fails to compile in the 32-bit build. The import lists take each prototype from the
// platform headers, so the argument bytes a call pushes are those the function pops and
// the stack needs no check after the call.
template <int Index, typename R, typename... P>
struct DllCommand<Index, R(WINAPI*)(P...)> {
  static constexpr int index = Index;
  R operator()(P... p) const {
    auto f = reinterpret_cast<R(WINAPI*)(P...)>(Entries().CallDllCommand(Index));
    return f(p...);
  }
};

}  // namespace runtime

// Helpers for writing an import list's header. `base` is the index of the list's first
// entry in the program's table.
#define TARVO_DLL_ENUM_ENTRY(name, library, function, type) name,
#define TARVO_DLL_LIBRARY_ENTRY(name, library, function, type) library,
#define TARVO_DLL_FUNCTION_ENTRY(name, library, function, type) function,
#define TARVO_DLL_COMMAND_ENTRY(base, name, type) \
  inline constexpr ::runtime::DllCommand<(base) + int(ImportIndex::name), type> name{};
