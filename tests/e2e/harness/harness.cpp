#include "harness.h"

#include <fstream>
#include <sstream>

namespace e2e {

namespace {

std::string WindowText(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string s(size_t(n) + 1, '\0');
  GetWindowTextA(hwnd, s.data(), n + 1);
  s.resize(strlen(s.c_str()));
  return s;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

struct PropertySearch {
  const char* name;
  std::optional<HANDLE> value;
};

BOOL CALLBACK FindProperty(HWND, LPSTR key, HANDLE data, ULONG_PTR lp) {
  auto* s = reinterpret_cast<PropertySearch*>(lp);
  if (HIWORD(reinterpret_cast<ULONG_PTR>(key)) != 0 && lstrcmpA(key, s->name) == 0) {
    s->value = data;
    return FALSE;
  }
  return TRUE;
}

struct WindowSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->pid) s->found.push_back(h);
  return TRUE;
}

}  // namespace

WindowInfo Describe(HWND hwnd) {
  WindowInfo info;
  info.hwnd = hwnd;
  info.className = ClassOf(hwnd);
  info.title = WindowText(hwnd);
  GetWindowRect(hwnd, &info.rect);
  GetClientRect(hwnd, &info.clientRect);
  info.style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  info.exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  info.visible = IsWindowVisible(hwnd) != FALSE;
  info.parent = GetAncestor(hwnd, GA_PARENT);
  info.owner = GetWindow(hwnd, GW_OWNER);
  return info;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::optional<HANDLE> Property(HWND hwnd, const char* name) {
  PropertySearch search{name, std::nullopt};
  EnumPropsExA(hwnd, FindProperty, reinterpret_cast<LPARAM>(&search));
  return search.value;
}

void PressOk(const MessageBoxInfo& box) {
  HWND button = GetDlgItem(box.hwnd, IDOK);
  if (!button) button = FindWindowExA(box.hwnd, nullptr, "Button", nullptr);
  if (button) SendMessageA(button, BM_CLICK, 0, 0);
}

void PostClick(HWND hwnd, int x, int y) {
  LPARAM pos = MAKELPARAM(x, y);
  PostMessageA(hwnd, WM_MOUSEMOVE, 0, pos);
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
  PostMessageA(hwnd, WM_LBUTTONUP, 0, pos);
}

void PostMouseMove(HWND hwnd, int x, int y) { PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(other.process_), id_(other.id_) {
  other.process_ = nullptr;
  other.id_ = 0;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Kill();
    process_ = other.process_;
    id_ = other.id_;
    other.process_ = nullptr;
    other.id_ = 0;
  }
  return *this;
}

ChildProcess::~ChildProcess() { Kill(); }

ChildProcess ChildProcess::Start(const std::string& exe, const std::string& args,
                                 const std::string& workingDirectory) {
  ChildProcess child;
  std::string commandLine = "\"" + exe + "\"";
  if (!args.empty()) commandLine += " " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &si, &pi)) {
    CloseHandle(pi.hThread);
    child.process_ = pi.hProcess;
    child.id_ = pi.dwProcessId;
  }
  return child;
}

bool ChildProcess::running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(Milliseconds timeout) {
  if (!process_) return std::nullopt;
  if (WaitForSingleObject(process_, DWORD(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

void ChildProcess::Kill() {
  if (!process_) return;
  if (running()) {
    TerminateProcess(process_, 0xDEAD);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
}

std::vector<HWND> ChildProcess::TopLevelWindows() const {
  WindowSearch search{id_, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<WindowInfo> ChildProcess::WaitForWindow(
    const std::function<bool(const WindowInfo&)>& match, Milliseconds timeout) const {
  std::optional<WindowInfo> result;
  WaitUntil(
      [&] {
        for (HWND h : TopLevelWindows()) {
          WindowInfo info = Describe(h);
          if (match(info)) {
            result = info;
            return true;
          }
        }
        return false;
      },
      timeout);
  return result;
}

std::optional<MessageBoxInfo> ChildProcess::WaitForMessageBox(Milliseconds timeout) const {
  auto dialog = WaitForWindow(
      [](const WindowInfo& w) { return w.className == "#32770" && w.visible; }, timeout);
  if (!dialog) return std::nullopt;
  MessageBoxInfo box;
  box.hwnd = dialog->hwnd;
  box.caption = dialog->title;
  for (HWND child : ChildWindows(dialog->hwnd)) {
    if (ClassOf(child) != "Static") continue;
    std::string text = WindowText(child);
    if (text.size() > box.text.size()) box.text = text;
  }
  return box;
}

std::string BesideTestProgram(const std::string& fileName) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  dir.erase(dir.rfind('\\') + 1);
  return dir + fileName;
}

std::string MakeTempDirectory(const std::string& prefix) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    std::string dir = std::string(base) + prefix + "-" + std::to_string(GetCurrentProcessId()) +
                      "-" + std::to_string(++counter);
    if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) {
  DWORD deadline = GetTickCount() + DWORD(timeout.count());
  for (;;) {
    if (condition()) return true;
    if (LONG(GetTickCount() - deadline) >= 0) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
}

}  // namespace e2e
