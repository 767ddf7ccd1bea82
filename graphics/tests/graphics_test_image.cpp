// The program image of the graphics test programs: the graphics wrapper's DLL commands, the
// tests' own after them, and no windows. GDI+ is started once before the tests run.
#include "graphics/dll.h"
#include "graphics/tests/test_support.h"
#include "runtime/core_library.h"
#include "runtime/testing/test_program.h"

const runtime::ProgramImageHeader& TestProgramImage() {
  static runtime::testing::DllTable table;
  static const runtime::SupportLibraryInfo* libraries[1];
  static runtime::ProgramImageHeader image = [] {
    libraries[0] = &runtime::CoreLibrary();
    graphics::dll::AppendNames(table.libraries, table.functions);
    graphics::testing::AppendTestNames(table.libraries, table.functions);
    runtime::ProgramImageHeader i = runtime::testing::BasicImage();
    i.libraryCount = 1;
    i.libraries = libraries;
    table.applyTo(i);
    return i;
  }();
  return image;
}
