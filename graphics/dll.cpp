#include "graphics/dll.h"

namespace graphics::dll {

namespace {

const char* const kLibraryNames[] = {
#define DLL_IMPORT TARVO_DLL_LIBRARY_ENTRY
#include "graphics/imports/all.inc"
#undef DLL_IMPORT
};

const char* const kFunctionNames[] = {
#define DLL_IMPORT TARVO_DLL_FUNCTION_ENTRY
#include "graphics/imports/all.inc"
#undef DLL_IMPORT
};

static_assert(std::size(kLibraryNames) == size_t(kCount));

}  // namespace

void AppendNames(std::vector<const char*>& libraries, std::vector<const char*>& functions) {
  libraries.insert(libraries.end(), std::begin(kLibraryNames), std::end(kLibraryNames));
  functions.insert(functions.end(), std::begin(kFunctionNames), std::end(kFunctionNames));
}

}  // namespace graphics::dll
