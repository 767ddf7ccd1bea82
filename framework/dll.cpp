#include "framework/dll.h"

namespace framework::dll {

namespace {

const char* const kLibraryNames[] = {
#define DLL_IMPORT TARVO_DLL_LIBRARY_ENTRY
#include "framework/imports.inc"
#undef DLL_IMPORT
};

const char* const kFunctionNames[] = {
#define DLL_IMPORT TARVO_DLL_FUNCTION_ENTRY
#include "framework/imports.inc"
#undef DLL_IMPORT
};

static_assert(std::size(kLibraryNames) == size_t(kCount));

}  // namespace

void AppendNames(std::vector<const char*>& libraries, std::vector<const char*>& functions) {
  graphics::dll::AppendNames(libraries, functions);
  libraries.insert(libraries.end(), std::begin(kLibraryNames), std::end(kLibraryNames));
  functions.insert(functions.end(), std::begin(kFunctionNames), std::end(kFunctionNames));
}

}  // namespace framework::dll
