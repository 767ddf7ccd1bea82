// The DLL commands of the graphics wrapper: the GDI+ flat API and the few system functions
// the wrapper needs, each declared once in graphics/imports/*.inc with the platform's own
// prototype. Call them as dll::GdipCreateFromHDC(...).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "runtime/dll_import.h"

namespace graphics::dll {

enum class ImportIndex : int {
#define DLL_IMPORT TARVO_DLL_ENUM_ENTRY
#include "graphics/imports/all.inc"
#undef DLL_IMPORT
  Count
};

// The graphics wrapper's commands open the program's DLL-command table.
inline constexpr int kBase = 0;
inline constexpr int kCount = int(ImportIndex::Count);

#define DLL_IMPORT(name, library, function, type) TARVO_DLL_COMMAND_ENTRY(kBase, name, type)
#include "graphics/imports/all.inc"
#undef DLL_IMPORT

// Appends this list's library and function names to a program's DLL-command table; it must
// be the first list appended.
void AppendNames(std::vector<const char*>& libraries, std::vector<const char*>& functions);

}  // namespace graphics::dll
