// Watches a program of ours from a second Windows process: starts it, finds its windows,
// reads their state and message boxes, sends input, and reads its exit code.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

struct WindowInfo {
  HWND hwnd = nullptr;
  std::string className;
  std::string title;  // ANSI (code page 936)
  RECT rect{};        // screen coordinates
  RECT clientRect{};
  LONG_PTR style = 0;
  LONG_PTR exStyle = 0;
  bool visible = false;
  HWND parent = nullptr;
  HWND owner = nullptr;
};

WindowInfo Describe(HWND hwnd);
std::vector<HWND> ChildWindows(HWND parent);
std::optional<HANDLE> Property(HWND hwnd, const char* name);

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
};

// Presses the box's OK (or only) button.
void PressOk(const MessageBoxInfo& box);

void PostClick(HWND hwnd, int clientX, int clientY);
void PostMouseMove(HWND hwnd, int clientX, int clientY);

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ~ChildProcess();  // kills a child still running

  // exe is a path relative to the test's working directory or absolute; args are appended.
  static ChildProcess Start(const std::string& exe, const std::string& args = "",
                            const std::string& workingDirectory = "");

  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  bool running() const;
  // The exit code once the child ended within the timeout.
  std::optional<DWORD> WaitForExit(Milliseconds timeout = 20s);
  void Kill();

  std::vector<HWND> TopLevelWindows() const;
  std::optional<WindowInfo> WaitForWindow(const std::function<bool(const WindowInfo&)>& match,
                                          Milliseconds timeout = 20s) const;
  // A message box of the child (dialog class "#32770"), with its caption and text.
  std::optional<MessageBoxInfo> WaitForMessageBox(Milliseconds timeout = 20s) const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Full path of a file beside the running test program.
std::string BesideTestProgram(const std::string& fileName);
// A fresh, empty directory under the temporary directory.
std::string MakeTempDirectory(const std::string& prefix);
std::string ReadTextFile(const std::string& path);
bool FileExists(const std::string& path);

// Polls until the condition holds or the timeout passes, pumping this thread's messages.
bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout = 10s);

}  // namespace e2e
