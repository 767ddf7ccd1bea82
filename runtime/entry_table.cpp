// The runtime entry table and the auxiliary services behind AuxHelp.
#include "entry_table.h"

#include <cstring>

#include "form_engine.h"
#include "runtime_app.h"

namespace runtime {

namespace {

void ReportRuntimeError(int number) { FatalError(RuntimeErrorMessage(number), number); }

TypedValue CallCoreCommand(CommandFn implementation, int count, TypedValue* args) {
  TypedValue result{};
  implementation(&result, count, args);
  return result;
}

void LoadStartWindow(uint32_t windowId) {
  if (!LoadWindow(windowId, nullptr, false)) FatalError("载入启动窗口失败");
}

// One file search at a time, as the application's directory listing command needs.
struct FileSearch {
  HANDLE handle = INVALID_HANDLE_VALUE;
  DWORD attributes = 0;
  void close() {
    if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
    handle = INVALID_HANDLE_VALUE;
  }
} g_search;

bool Matches(const WIN32_FIND_DATAA& found, DWORD filter) {
  constexpr DWORD kSpecial = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
      (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, "..")))
    return false;
  return (found.dwFileAttributes & kSpecial & ~filter) == 0;
}

char* CopyText(const char* s) {
  size_t n = std::strlen(s);
  if (n == 0) return nullptr;
  auto* text = static_cast<char*>(Allocate(n + 1));
  std::memcpy(text, s, n + 1);
  return text;
}

// A null or empty pattern continues the current search.
char* FindNextFile(const char* pattern, DWORD filter) {
  WIN32_FIND_DATAA found;
  bool have = false;
  if (pattern && *pattern) {
    g_search.close();
    g_search.attributes = filter;
    g_search.handle = FindFirstFileA(pattern, &found);
    have = g_search.handle != INVALID_HANDLE_VALUE;
  } else if (g_search.handle != INVALID_HANDLE_VALUE) {
    have = FindNextFileA(g_search.handle, &found);
  }
  while (have && !Matches(found, g_search.attributes))
    have = FindNextFileA(g_search.handle, &found);
  if (!have) {
    g_search.close();
    return nullptr;
  }
  return CopyText(found.cFileName);
}

void MakeArrayWritable(size_t elementSize, void** variable) {
  if (!variable || !*variable || !InConstantPool(*variable)) return;
  const auto* header = static_cast<const int32_t*>(*variable);
  int32_t dimensions = header[0];
  size_t count = dimensions > 0 ? 1 : 0;
  for (int32_t i = 0; i < dimensions; ++i) count *= size_t(header[1 + i] > 0 ? header[1 + i] : 0);
  size_t bytes = 4 * (1 + size_t(dimensions > 0 ? dimensions : 0)) + count * elementSize;
  void* copy = Allocate(bytes);
  std::memcpy(copy, header, bytes);
  *variable = copy;
}

intptr_t AuxHelp(int code, intptr_t param1, intptr_t param2) {
  switch (code) {
    case kAuxFindNextFile:
      return reinterpret_cast<intptr_t>(
          FindNextFile(reinterpret_cast<const char*>(param1), DWORD(param2)));
    case kAuxCloseFileSearch:
      g_search.close();
      return 0;
    case kAuxMakeArrayWritable:
      MakeArrayWritable(size_t(param1), reinterpret_cast<void**>(param2));
      return 0;
    case kAuxRegisterExitRoutine:
      RegisterExitRoutine(reinterpret_cast<ExitRoutine>(param1));
      return 0;
    case kAuxInitializeProgram:
      InitializeProgram(reinterpret_cast<const ProgramImageHeader*>(param1));
      return 0;
    default:
      return 0;
  }
}

const RuntimeEntryTable kEntries = {
    ReportRuntimeError,
    BindDllCommand,
    nullptr,
    CallCoreCommand,
    nullptr,
    nullptr,
    Allocate,
    Reallocate,
    Free,
    ExitProgram,
    RunMessageLoop,
    LoadStartWindow,
    AuxHelp,
};

}  // namespace

const RuntimeEntryTable& Entries() { return kEntries; }

}  // namespace runtime
