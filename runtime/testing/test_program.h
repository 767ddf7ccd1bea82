// In-process test programs: each links tarvo_test_main and defines TestProgramImage(), the
// program image the runtime is initialised with before the tests run.
#pragma once

#include <string>
#include <vector>

#include "runtime/program_image.h"

namespace runtime::testing {

// Fills the fields every test image shares: run mode, ids, start routine and the module's
// read-only data as constant pool. Libraries, DLL commands and form data are the caller's.
ProgramImageHeader BasicImage();

// Owns the DLL-command name tables of a test image.
struct DllTable {
  std::vector<const char*> libraries;
  std::vector<const char*> functions;
  void add(const char* library, const char* function) {
    libraries.push_back(library);
    functions.push_back(function);
  }
  void applyTo(ProgramImageHeader& image) const {
    image.dllCommandCount = uint32_t(libraries.size());
    image.dllLibraryNames = libraries.data();
    image.dllFunctionNames = functions.data();
  }
};

}  // namespace runtime::testing

// Defined by each test program.
const runtime::ProgramImageHeader& TestProgramImage();
