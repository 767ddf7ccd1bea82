// Core commands on files, the environment and processes.
#include <string>

#include "runtime/commands.h"

namespace runtime::commands {

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h = nullptr) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) CloseHandle(h_);
  }
  bool valid() const { return h_ && h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// A zero-terminated copy of a name; texts from application code are terminated already,
// but a view of one need not be.
std::string Terminated(std::string_view s) { return std::string(s); }

std::wstring Wide(std::string_view s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), w.data(), n);
  return w;
}

std::string Ansi(std::wstring_view w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace

WORD ShowModeOf(int mode) {
  static constexpr WORD kModes[] = {SW_HIDE,          SW_SHOWNORMAL,     SW_SHOWMINIMIZED,
                                    SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_SHOWMINNOACTIVE};
  if (mode < 1) mode = 1;
  if (mode > 6) mode = 6;
  return kModes[mode - 1];
}

void AppDirectory(TypedValue* result, int, TypedValue*) {
  SetText(result, TextView(reinterpret_cast<const char*>(CoreService(kServiceAppDirectory))));
}

void ReadFileBytes(TypedValue* result, int count, TypedValue* args) {
  SetBytes(result, {});
  std::string name = Terminated(Args(count, args).text(0));
  if (name.empty()) return;
  Handle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return;
  if (size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFF0) return;  // beyond a byte array
  auto* bytes = static_cast<ByteArray*>(
      reinterpret_cast<void*>(CoreService(kServiceAllocate, intptr_t(8 + size.QuadPart), 1)));
  if (!bytes) return;
  bytes->marker = 1;
  DWORD total = 0;
  while (total < DWORD(size.QuadPart)) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes->data() + total, DWORD(size.QuadPart) - total, &read, nullptr) ||
        read == 0)
      break;
    total += read;
  }
  bytes->length = int32_t(total);
  if (total == 0) {
    BytesPtr discard(bytes);
    return;
  }
  SetBytesBlock(result, bytes);
}

void WriteFileBytes(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  SetBool(result, false);
  std::string name = Terminated(a.text(0));
  if (name.empty()) return;
  Handle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return;
  for (int i = 1; i < a.count(); ++i) {
    std::span<const uint8_t> bytes = a.bytes(i);
    if (bytes.empty()) continue;
    DWORD written = 0;
    // A short write is a failure, not a success.
    if (!WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
        written != bytes.size())
      return;
  }
  SetBool(result, true);
}

void FileExists(TypedValue* result, int count, TypedValue* args) {
  std::string name = Terminated(Args(count, args).text(0));
  WIN32_FIND_DATAA found;
  HANDLE search = name.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA(name.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  SetBool(result, search != INVALID_HANDLE_VALUE);
}

// Read as UTF-16 and converted: the ANSI entry's lengths are not reliable for double-byte
// values everywhere (Wine counts characters).
void ReadEnvironment(TypedValue* result, int count, TypedValue* args) {
  SetText(result, {});
  std::wstring name = Wide(Args(count, args).text(0));
  if (name.empty()) return;
  std::wstring value(256, L'\0');
  for (;;) {
    DWORD n = GetEnvironmentVariableW(name.c_str(), value.data(), DWORD(value.size()));
    if (n == 0) return;
    if (n < value.size()) {
      value.resize(n);
      break;
    }
    value.resize(n);  // n counts the terminator when the buffer was too small
  }
  SetText(result, Ansi(value));
}

void RunCommand(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  SetBool(result, false);
  std::string commandLine = Terminated(a.text(0));
  if (commandLine.empty()) return;
  bool wait = a.integer(1) != 0;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = ShowModeOf(a.given(2) ? a.integer(2) : 2);
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return;
  Handle process(info.hProcess), thread(info.hThread);
  if (wait)
    WaitForSingleObject(process.get(), INFINITE);
  else
    WaitForInputIdle(process.get(), 1000);
  SetBool(result, true);
}

}  // namespace runtime::commands
