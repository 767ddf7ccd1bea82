// The single runtime object and the runtime's internal services. Only runtime code includes
// this header; application code uses the entry table.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "program_image.h"

namespace runtime {

class WindowTemplateMap;
// Defined by the form engine, where the map is a complete type.
struct WindowTemplateMapDeleter {
  void operator()(WindowTemplateMap* map) const;
};
using TemplateMapPtr = std::unique_ptr<WindowTemplateMap, WindowTemplateMapDeleter>;

struct DllCommandTable {
  std::vector<const char*> libraryNames;
  std::vector<const char*> functionNames;
  std::vector<HMODULE> modules;
  std::vector<void*> addresses;
  void clear() {
    libraryNames.clear();
    functionNames.clear();
    modules.clear();
    addresses.clear();
  }
};

struct RuntimeApp {
  HANDLE heap = nullptr;
  const ProgramImageHeader* image = nullptr;
  uint32_t runMode = 0;
  uint32_t reserved = 0;
  uint32_t idCounter = 0;

  std::string appDirectory;     // without trailing backslash
  std::string exeFileName;
  std::string moduleDirectory;  // with trailing backslash
  DWORD mainThreadId = 0;

  const uint8_t* poolStart = nullptr;
  size_t poolSize = 0;

  DllCommandTable dll;
  std::vector<const SupportLibraryInfo*> libraries;
  std::vector<uint32_t> libraryStates;
  TemplateMapPtr templates;
  std::vector<ExitRoutine> exitRoutines;
  HWND ownerWindow = nullptr;

  HICON defaultLargeIcon = nullptr;
  HICON defaultSmallIcon = nullptr;
  bool defaultIconsLoaded = false;

  int nesting = 0;
  bool initialized = false;
  bool shutdownStarted = false;
  bool oleInitialized = false;
  bool loopEntered = false;

  ~RuntimeApp();
};

RuntimeApp& App();

// Heap and errors.
HANDLE Heap();
bool InConstantPool(const void* p);
void* Allocate(size_t size);
void* AllocateRaw(size_t size);  // null on failure
void* Reallocate(void* block, size_t size);
void Free(void* block);
[[noreturn]] void FatalError(const char* message, int errorCode = 0);
const char* RuntimeErrorMessage(int number);
std::string FatalErrorText(const char* message, int errorCode);

// Start-up, message loop and shutdown.
struct ExecutablePath {
  std::string directory;  // without trailing backslash; empty when the path has none
  std::string fileName;
};
ExecutablePath SplitExecutablePath(const std::string& fullPath);
void InitializeProgram(const ProgramImageHeader* image);
void RegisterExitRoutine(ExitRoutine routine);
void RunMessageLoop();
bool PumpOneMessage();      // false at WM_QUIT, which stays queued for the outer loop
void ProcessPendingMessages();
void Shutdown(int exitCode);
[[noreturn]] void ExitProgram(int exitCode);

// DLL commands.
void* BindDllCommand(int index);
void FreeDllModules();

intptr_t RuntimeService(int code, intptr_t param1, intptr_t param2);
const DataTypeInfo* FindDataType(uint32_t typeCode);

}  // namespace runtime
