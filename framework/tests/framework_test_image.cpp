// The program image of the framework's test programs: the graphics and framework DLL
// commands and no windows. GdiplusStartup is taken from the test program itself, so the
// tests can count how often GDI+ is started.
#include <cstring>

#include "framework/dll.h"
#include "runtime/core_library.h"
#include "runtime/testing/test_program.h"

const runtime::ProgramImageHeader& TestProgramImage() {
  static runtime::testing::DllTable table;
  static const runtime::SupportLibraryInfo* libraries[1];
  static runtime::ProgramImageHeader image = [] {
    libraries[0] = &runtime::CoreLibrary();
    framework::dll::AppendNames(table.libraries, table.functions);
    for (size_t i = 0; i < table.functions.size(); ++i) {
      if (std::strcmp(table.functions[i], "GdiplusStartup") == 0) {
        table.libraries[i] = TEST_EXE_NAME;
        table.functions[i] = "CountingGdiplusStartup";
      }
    }
    runtime::ProgramImageHeader i = runtime::testing::BasicImage();
    i.libraryCount = 1;
    i.libraries = libraries;
    table.applyTo(i);
    return i;
  }();
  return image;
}
