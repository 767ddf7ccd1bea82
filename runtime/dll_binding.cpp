// Lazy binding of the program's DLL commands: loaded and resolved at first call, cached, and
// freed at shutdown. A command that cannot be bound is a fatal error, never a null call.
#include <string>

#include "runtime_app.h"

namespace runtime {

namespace {

constexpr const char* kDefaultLibraries[] = {"Kernel32.dll", "Gdi32.dll",  "User32.dll",
                                             "Advapi32.dll", "Mpr.dll", "Shell32.dll"};

// The name to hand GetProcAddress: for "#n" the ordinal n modulo 65536, else the name.
LPCSTR ProcName(const char* function) {
  if (function[0] != '#') return function;
  unsigned ordinal = 0;
  for (const char* p = function + 1; *p >= '0' && *p <= '9'; ++p)
    ordinal = (ordinal * 10 + unsigned(*p - '0')) % 65536;
  return MAKEINTRESOURCEA(static_cast<WORD>(ordinal));
}

void* FindInDefaultLibraries(LPCSTR proc, HMODULE& module) {
  for (const char* name : kDefaultLibraries) {
    HMODULE h = LoadLibraryA(name);
    if (!h) continue;
    if (void* p = reinterpret_cast<void*>(GetProcAddress(h, proc))) {
      module = h;
      return p;
    }
    FreeLibrary(h);
  }
  return nullptr;
}

HMODULE LoadNamedLibrary(const std::string& name) {
  if (name.find(':') != std::string::npos) return LoadLibraryA(name.c_str());
  const RuntimeApp& app = App();
  HMODULE h = LoadLibraryA((app.appDirectory + "\\" + name).c_str());
  if (!h) h = LoadLibraryA((app.moduleDirectory + name).c_str());
  if (!h) h = LoadLibraryA(name.c_str());
  return h;
}

[[noreturn]] void BindingFailed(const char* library, const char* function) {
  std::string message;
  if (!library || !*library)
    message = std::string("无法找到指定DLL库文件中的输出命令“") + function + "”";
  else
    message = std::string("无法找到指定DLL库文件“") + library + "”中的输出命令“" + function + "”";
  FatalError(message.c_str());
}

}  // namespace

void* BindDllCommand(int index) {
  DllCommandTable& dll = App().dll;
  if (index < 0 || size_t(index) >= dll.addresses.size()) FatalError("DLL命令索引无效");
  if (void* bound = dll.addresses[index]) return bound;

  const char* library = dll.libraryNames[index] ? dll.libraryNames[index] : "";
  const char* function = dll.functionNames[index] ? dll.functionNames[index] : "";
  LPCSTR proc = ProcName(function);
  HMODULE module = nullptr;
  void* address = nullptr;
  if (!proc) {
    // ordinal 0 names no function
  } else if (!*library) {
    address = FindInDefaultLibraries(proc, module);
  } else {
    module = LoadNamedLibrary(library);
    if (module) address = reinterpret_cast<void*>(GetProcAddress(module, proc));
  }
  if (!address) {
    if (module) FreeLibrary(module);
    BindingFailed(library, function);
  }
  dll.modules[index] = module;
  dll.addresses[index] = address;
  return address;
}

void FreeDllModules() {
  DllCommandTable& dll = App().dll;
  for (HMODULE module : dll.modules)
    if (module) FreeLibrary(module);
  dll.clear();
}

}  // namespace runtime
