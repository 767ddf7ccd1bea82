// Program image of the in-process runtime tests: the core library and a second library with
// two data types, no DLL commands and no windows.
#include "runtime/core_library.h"
#include "runtime/testing/test_program.h"
#include "runtime/tests/runtime_test_image.h"

namespace runtime::tests {

int g_secondLibraryNotices = 0;

namespace {

intptr_t SecondLibraryNotify(int code, intptr_t, intptr_t) {
  if (code == kNotifyStartup) ++g_secondLibraryNotices;
  return code == kNotifyStartup ? 0 : -1;
}

const DataTypeInfo kSecondTypes[2] = {
    {"甲", "first", "", 0, nullptr, 0x40, 0, 0, nullptr, 0, nullptr, nullptr, 0, nullptr},
    {"乙", "second", "", 0, nullptr, 0x40, 0, 0, nullptr, 0, nullptr, nullptr, 0, nullptr},
};

}  // namespace

const SupportLibraryInfo& SecondLibrary() {
  static const SupportLibraryInfo info = [] {
    SupportLibraryInfo i{};
    i.format = kLibraryFormat;
    i.dataTypeCount = 2;
    i.dataTypes = kSecondTypes;
    i.notify = SecondLibraryNotify;
    return i;
  }();
  return info;
}

}  // namespace runtime::tests

const runtime::ProgramImageHeader& TestProgramImage() {
  static const runtime::SupportLibraryInfo* libraries[2];
  static runtime::ProgramImageHeader image = [] {
    libraries[0] = &runtime::CoreLibrary();
    libraries[1] = &runtime::tests::SecondLibrary();
    runtime::ProgramImageHeader i = runtime::testing::BasicImage();
    i.libraryCount = 2;
    i.libraries = libraries;
    return i;
  }();
  return image;
}
