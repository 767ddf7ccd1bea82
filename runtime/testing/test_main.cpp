// main() of the in-process test programs: the runtime is initialised with the program's own
// image, the tests run, and the runtime shuts down as at a normal end.
#include <gtest/gtest.h>

#include "runtime/entry_table.h"
#include "runtime/program_entry.h"
#include "runtime/runtime_app.h"
#include "runtime/testing/test_program.h"

namespace runtime::testing {

namespace {
int TestStartRoutine() { return 0; }
}  // namespace

ProgramImageHeader BasicImage() {
  ProgramImageHeader image{};
  AddressRange pool = ReadOnlyDataOf(GetModuleHandleA(nullptr));
  image.runMode = 3;
  image.lastId = 0x1000;
  image.startRoutine = TestStartRoutine;
  image.constantPool = pool.start;
  image.constantPoolSize = pool.size;
  return image;
}

}  // namespace runtime::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  runtime::App().moduleDirectory = dir.substr(0, dir.rfind('\\') + 1);
  runtime::Entries().AuxHelp(runtime::kAuxInitializeProgram,
                             reinterpret_cast<intptr_t>(&TestProgramImage()), 0);
  int result = RUN_ALL_TESTS();
  runtime::Shutdown(result);
  return result;
}
