// Shared pieces of the web view tests: the recording runtime service, a parent window, the
// message pump and event arguments built as the browser builds them.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "runtime/program_image.h"
#include "webview/com.h"
#include "webview/html_viewer.h"

namespace webview::tests {

inline constexpr uint32_t kWindowId = 0x52010001;
inline constexpr uint32_t kUnitId = 0x1601200F;

// Stands in for the runtime's service entry while a test runs: events and destruction
// notices are recorded, everything else goes to the real runtime.
struct RuntimeRecorder {
  std::vector<runtime::EventCallRecord> events;
  std::vector<std::pair<uint32_t, uint32_t>> destroyed;
  // Runs as the application's handler; returns the handler's result.
  std::function<runtime::HandlerResult(const runtime::EventCallRecord&)> handler;

  RuntimeRecorder();   // installs itself through the library's notify entry
  ~RuntimeRecorder();  // hands the real service back
};

// A visible top-level window to hold components.
class ParentWindow {
 public:
  ParentWindow(int width = 600, int height = 400);
  ~ParentWindow();
  HWND get() const { return window_; }

 private:
  HWND window_;
};

// Pumps messages until done() or the time runs out; returns done().
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::milliseconds(3000));
void PumpFor(std::chrono::milliseconds time);

// Stored property data in the component's format.
std::vector<uint8_t> StoredData(int32_t version, int32_t zoom, int32_t offline, int32_t silent,
                                const std::string& address);

struct ViewerOptions {
  std::vector<uint8_t> data;
  bool designMode = false;
  int x = 4, y = 25, width = 400, height = 200;
};
// Creates through the library's interface entry, as the runtime does.
HWND CreateViewer(HWND parent, const ViewerOptions& options);
HtmlViewer* ViewerOf(HWND component);

// Own property access through the interface entry; texts come back as std::string.
runtime::TypedValue GetProperty(HWND component, int index, bool* filled = nullptr);
std::string GetText(HWND component, int index);
int32_t GetInt(HWND component, int index);
void SetInt(HWND component, int index, int32_t value, uint32_t type = runtime::kTypeInt);
void SetText(HWND component, int index, const char* text);

// DISPPARAMS as the browser control builds them for its events (arguments last first).
class EventArguments {
 public:
  EventArguments() = default;
  EventArguments(const EventArguments&) = delete;
  EventArguments& operator=(const EventArguments&) = delete;
  ~EventArguments();

  static void BeforeNavigate2(EventArguments& a, IDispatch* browser, const std::string& url,
                              VARIANT_BOOL* cancel);
  static void NavigateComplete2(EventArguments& a, IDispatch* browser, const std::string& url);
  static void DocumentComplete(EventArguments& a, IDispatch* browser, const std::string& url);
  static void ProgressChange(EventArguments& a, LONG progress, LONG maximum);
  static void TextChange(EventArguments& a, const std::string& text);
  static void CommandStateChange(EventArguments& a, LONG command, bool enable);
  static void NewWindow2(EventArguments& a, IDispatch** window, VARIANT_BOOL* cancel);

  DISPPARAMS* params();

 private:
  // Declared order; params() reverses them.
  void add(const VARIANT& v) { declared_.push_back(v); }
  void addByRef(VARIANT value);  // a by-reference variant pointing at a kept value
  std::vector<VARIANT> declared_;
  std::vector<VARIANT*> referenced_;
  std::vector<VARIANT> reversed_;
  DISPPARAMS params_{};
};

// Delivers an event to the component through the sink the browser was given.
HRESULT Fire(HWND component, DISPID id, EventArguments& arguments);

}  // namespace webview::tests
