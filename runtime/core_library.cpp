#include "core_library.h"

#include "commands.h"
#include "runtime_app.h"

namespace runtime {

namespace {

constexpr int kCoreDataTypeCount = 51;

// Only the window type carries content; the library's other types are not used here.
const DataTypeInfo* CoreDataTypes() {
  static DataTypeInfo types[kCoreDataTypeCount] = {};
  static bool filled = false;
  if (!filled) {
    types[0] = DataTypeInfo{"窗口", "window", "", 0, nullptr, 0x800000d0, 0, 0, nullptr,
                            32, nullptr, WindowComponentInterface, 0, nullptr};
    filled = true;
  }
  return types;
}

RuntimeServiceFn g_service = nullptr;

intptr_t CoreNotify(int code, intptr_t param1, intptr_t) {
  if (code == kNotifyStartup) {
    g_service = reinterpret_cast<RuntimeServiceFn>(param1);
    return 0;
  }
  return -1;
}

}  // namespace

namespace commands {

intptr_t CoreService(int code, intptr_t param1, intptr_t param2) {
  return g_service ? g_service(code, param1, param2) : 0;
}

void CommandFatal(const char* message) {
  CoreService(kServiceFatalError, reinterpret_cast<intptr_t>(message));
  FatalError(message);  // only without a service entry, before start-up
}

}  // namespace commands

const SupportLibraryInfo& CoreLibrary() {
  static const SupportLibraryInfo info = [] {
    SupportLibraryInfo i{};
    i.format = kLibraryFormat;
    i.identity = "TarvoDJ.CoreRuntime";
    i.major = 5;
    i.minor = 3;
    i.build = 64;
    i.requiredRuntimeMajor = 3;
    i.requiredRuntimeMinor = 7;
    i.requiredCoreMajor = 3;
    i.requiredCoreMinor = 7;
    i.name = "核心运行库";
    i.language = 1;
    i.state = 0xc0000001;
    i.dataTypeCount = kCoreDataTypeCount;
    i.dataTypes = CoreDataTypes();
    i.commandCount = kCoreCommandCount;
    i.commands = kCoreCommands;
    i.notify = CoreNotify;
    return i;
  }();
  return info;
}

}  // namespace runtime
