// The DLL commands of the layered-window framework. They follow the graphics wrapper's
// commands in the program's table. Call them as framework::dll::LoadImageA(...).
#pragma once

#include <windows.h>

#include <vector>

#include "graphics/dll.h"
#include "runtime/dll_import.h"

namespace framework::dll {

enum class ImportIndex : int {
#define DLL_IMPORT TARVO_DLL_ENUM_ENTRY
#include "framework/imports.inc"
#undef DLL_IMPORT
  Count
};

inline constexpr int kBase = graphics::dll::kBase + graphics::dll::kCount;
inline constexpr int kCount = int(ImportIndex::Count);

#define DLL_IMPORT(name, library, function, type) TARVO_DLL_COMMAND_ENTRY(kBase, name, type)
#include "framework/imports.inc"
#undef DLL_IMPORT

// Appends the graphics wrapper's names and then this list's to a program's DLL-command
// table, which must be empty.
void AppendNames(std::vector<const char*>& libraries, std::vector<const char*>& functions);

}  // namespace framework::dll
