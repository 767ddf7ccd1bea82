// The runtime object, program initialisation, the message loop and shutdown.
#include "runtime_app.h"

#include <objbase.h>
#include <ole2.h>

#include <algorithm>

#include "form_engine.h"

namespace runtime {

namespace {

constexpr UINT kShutdownRequest = WM_APP + 999;  // 0x83E7
constexpr char kOwnerClass[] = "TarvoRuntimeOwner";

LRESULT CALLBACK OwnerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kShutdownRequest) ExitProgram(static_cast<int>(wp));
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void CreateOwnerWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = OwnerWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kOwnerClass;
  RegisterClassA(&wc);
  App().ownerWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", 0, 0, 0, 0, 0,
                                      nullptr, nullptr, wc.hInstance, nullptr);
}

void TakeExecutablePath() {
  RuntimeApp& app = App();
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  ExecutablePath split = SplitExecutablePath(path);
  app.appDirectory = split.directory;
  app.exeFileName = split.fileName;
  if (!app.appDirectory.empty()) SetCurrentDirectoryA(app.appDirectory.c_str());
}

void NotifyLibraries(int code) {
  RuntimeApp& app = App();
  for (size_t i = 0; i < app.libraries.size(); ++i) {
    const SupportLibraryInfo* lib = app.libraries[i];
    if (!lib || !lib->notify) continue;
    if (code == kNotifyStartup)
      lib->notify(kNotifyStartup, reinterpret_cast<intptr_t>(&RuntimeService), 0);
    else
      lib->notify(code, app.libraryStates[i], 0);
  }
}

}  // namespace

ExecutablePath SplitExecutablePath(const std::string& fullPath) {
  size_t slash = fullPath.rfind('\\');
  if (slash == std::string::npos) return {"", fullPath};
  return {fullPath.substr(0, slash), fullPath.substr(slash + 1)};
}

RuntimeApp& App() {
  static RuntimeApp app;
  return app;
}

RuntimeApp::~RuntimeApp() = default;

void InitializeProgram(const ProgramImageHeader* image) {
  RuntimeApp& app = App();
  app.heap = GetProcessHeap();
  app.image = image;
  app.runMode = image->runMode;
  app.reserved = image->reserved;
  app.idCounter = image->lastId + 1;
  if (SUCCEEDED(OleInitialize(nullptr))) app.oleInitialized = true;
  TakeExecutablePath();
  CreateOwnerWindow();
  app.mainThreadId = GetCurrentThreadId();
  if (image->constantPoolSize != 0) {
    app.poolStart = static_cast<const uint8_t*>(image->constantPool);
    app.poolSize = image->constantPoolSize;
  }
  if (image->dllCommandCount > 0) {
    uint32_t n = image->dllCommandCount;
    app.dll.libraryNames.assign(image->dllLibraryNames, image->dllLibraryNames + n);
    app.dll.functionNames.assign(image->dllFunctionNames, image->dllFunctionNames + n);
    app.dll.modules.assign(n, nullptr);
    app.dll.addresses.assign(n, nullptr);
  }
  app.libraries.assign(image->libraries, image->libraries + image->libraryCount);
  app.libraryStates.assign(image->libraryCount, 0);
  NotifyLibraries(kNotifyStartup);
  if (image->formDataSize != 0) {
    auto map = ReadFormData(image->formData, image->formDataSize,
                            reinterpret_cast<intptr_t>(image->startRoutine));
    if (!map) FatalError("载入窗口模板数据段出错!");
    app.templates = std::move(map);
  }
  app.initialized = true;
}

void RegisterExitRoutine(ExitRoutine routine) {
  auto& list = App().exitRoutines;
  if (std::find(list.begin(), list.end(), routine) == list.end()) list.push_back(routine);
}

bool PumpOneMessage() {
  MSG msg;
  if (!GetMessageA(&msg, nullptr, 0, 0)) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  if (!TranslateWindowAccelerator(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
    if (!PumpOneMessage()) break;
  }
}

void RunMessageLoop() {
  App().loopEntered = true;
  if (!AnyWindowLoaded()) return;
  MSG msg;
  for (;;) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
    if (!PumpOneMessage()) break;
  }
  // The quit message ends this loop; nobody else waits for it.
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void Shutdown(int exitCode) {
  RuntimeApp& app = App();
  ++app.nesting;
  if (app.mainThreadId != 0 && GetCurrentThreadId() != app.mainThreadId) {
    if (app.ownerWindow) SendMessageA(app.ownerWindow, kShutdownRequest, WPARAM(exitCode), 0);
    if (!app.shutdownStarted) ExitProcess(UINT(exitCode));
    return;
  }
  if (app.shutdownStarted) return;
  app.shutdownStarted = true;

  FreeWindowTemplates(app.templates);

  std::vector<ExitRoutine> routines;
  routines.swap(app.exitRoutines);
  for (ExitRoutine routine : routines) routine();

  NotifyLibraries(kNotifyShutdown);
  app.libraries.clear();
  app.libraryStates.clear();

  FreeDllModules();

  app.poolStart = nullptr;
  app.poolSize = 0;
  if (app.defaultLargeIcon) DestroyIcon(app.defaultLargeIcon);
  if (app.defaultSmallIcon) DestroyIcon(app.defaultSmallIcon);
  app.defaultLargeIcon = app.defaultSmallIcon = nullptr;
  if (app.ownerWindow) DestroyWindow(app.ownerWindow);
  app.ownerWindow = nullptr;

  if (app.oleInitialized) {
    OleUninitialize();
    app.oleInitialized = false;
  }
}

void ExitProgram(int exitCode) {
  Shutdown(exitCode);
  ExitProcess(UINT(exitCode));
}

}  // namespace runtime
