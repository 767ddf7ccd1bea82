#include "webview/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "runtime/core_library.h"
#include "runtime/entry_table.h"
#include "runtime/runtime_app.h"
#include "runtime/testing/test_program.h"
#include "webview/webview_library.h"

namespace webview::tests {

namespace {

RuntimeRecorder* g_recorder = nullptr;

intptr_t RecordingService(int code, intptr_t param1, intptr_t param2) {
  if (g_recorder && code == runtime::kServiceCallEvent && param1) {
    auto& record = *reinterpret_cast<runtime::EventCallRecord*>(param1);
    if (g_recorder->handler) {
      runtime::HandlerResult result = g_recorder->handler(record);
      if (result.present) {
        record.resultPresent = 1;
        record.result = result.value;
      }
    }
    g_recorder->events.push_back(record);
    return 0;
  }
  if (g_recorder && code == runtime::kServiceInstanceDestroyed) {
    g_recorder->destroyed.emplace_back(uint32_t(param1), uint32_t(param2));
    return 0;
  }
  return runtime::RuntimeService(code, param1, param2);
}

void Notify(runtime::RuntimeServiceFn service) {
  WebViewLibrary().notify(runtime::kNotifyStartup, reinterpret_cast<intptr_t>(service), 0);
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

VARIANT Bstr(const std::string& text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = webview::Bstr(text).release();
  return v;
}

}  // namespace

RuntimeRecorder::RuntimeRecorder() {
  g_recorder = this;
  Notify(RecordingService);
}

RuntimeRecorder::~RuntimeRecorder() {
  Notify(runtime::RuntimeService);
  g_recorder = nullptr;
}

ParentWindow::ParentWindow(int width, int height) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "WebViewTestParent";
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  window_ = CreateWindowExA(0, "WebViewTestParent", "parent",
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, width,
                            height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

ParentWindow::~ParentWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(std::chrono::milliseconds time) {
  PumpUntil([] { return false; }, time);
}

std::vector<uint8_t> StoredData(int32_t version, int32_t zoom, int32_t offline, int32_t silent,
                                const std::string& address) {
  std::vector<uint8_t> out;
  for (int32_t v : {version, zoom, offline, silent, int32_t(address.size())})
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
  out.insert(out.end(), address.begin(), address.end());
  return out;
}

HWND CreateViewer(HWND parent, const ViewerOptions& options) {
  auto create = reinterpret_cast<runtime::ComponentCreateFn>(
      WebViewLibrary().dataTypes[0].interfaceFunction(kInterfaceCreate));
  runtime::ComponentCreateParams p{};
  p.data = options.data.empty() ? nullptr : options.data.data();
  p.dataSize = uint32_t(options.data.size());
  p.style = WS_TABSTOP;
  p.parent = parent;
  p.childId = 100;
  p.x = options.x;
  p.y = options.y;
  p.width = options.width;
  p.height = options.height;
  p.windowId = kWindowId;
  p.unitId = kUnitId;
  p.designMode = options.designMode;
  return create(p);
}

HtmlViewer* ViewerOf(HWND component) { return HtmlViewer::FromWindow(component); }

runtime::TypedValue GetProperty(HWND component, int index, bool* filled) {
  auto get = reinterpret_cast<GetOwnPropertyFn>(HtmlViewerInterface(kInterfaceGetProperty));
  runtime::TypedValue value;
  int result = get(component, index, &value);
  if (filled) *filled = result == 1;
  return value;
}

std::string GetText(HWND component, int index) {
  runtime::TypedValue value = GetProperty(component, index);
  EXPECT_EQ(value.type, runtime::kTypeText);
  auto* text = static_cast<char*>(value.pointer());
  std::string result = text ? text : "";
  runtime::Entries().RuntimeFree(text);
  return result;
}

int32_t GetInt(HWND component, int index) { return int32_t(GetProperty(component, index).low); }

void SetInt(HWND component, int index, int32_t value, uint32_t type) {
  auto set = reinterpret_cast<SetOwnPropertyFn>(HtmlViewerInterface(kInterfaceSetProperty));
  runtime::TypedValue v;
  v.type = type;
  v.low = uint32_t(value);
  EXPECT_EQ(set(component, index, &v), 0);
}

void SetText(HWND component, int index, const char* text) {
  auto set = reinterpret_cast<SetOwnPropertyFn>(HtmlViewerInterface(kInterfaceSetProperty));
  runtime::TypedValue v;
  v.type = runtime::kTypeText;
  v.setPointer(text);
  EXPECT_EQ(set(component, index, &v), 0);
}

EventArguments::~EventArguments() {
  for (VARIANT& v : declared_)
    if (!(v.vt & VT_BYREF)) VariantClear(&v);
  for (VARIANT* v : referenced_) {
    VariantClear(v);
    delete v;
  }
}

void EventArguments::addByRef(VARIANT value) {
  auto* kept = new VARIANT(value);
  referenced_.push_back(kept);
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_VARIANT;
  ref.pvarVal = kept;
  add(ref);
}

DISPPARAMS* EventArguments::params() {
  reversed_.assign(declared_.rbegin(), declared_.rend());
  params_.rgvarg = reversed_.empty() ? nullptr : reversed_.data();
  params_.cArgs = UINT(reversed_.size());
  params_.rgdispidNamedArgs = nullptr;
  params_.cNamedArgs = 0;
  return &params_;
}

namespace {
VARIANT Dispatch(IDispatch* d) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = d;
  if (d) d->AddRef();
  return v;
}
VARIANT Long(LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}
}  // namespace

void EventArguments::BeforeNavigate2(EventArguments& a, IDispatch* browser,
                                     const std::string& url, VARIANT_BOOL* cancel) {
  a.add(Dispatch(browser));
  a.addByRef(Bstr(url));
  a.addByRef(Long(0));
  a.addByRef(Bstr(""));
  VARIANT post;
  VariantInit(&post);
  a.addByRef(post);
  a.addByRef(Bstr(""));
  VARIANT c;
  VariantInit(&c);
  c.vt = VT_BYREF | VT_BOOL;
  c.pboolVal = cancel;
  a.add(c);
}

void EventArguments::NavigateComplete2(EventArguments& a, IDispatch* browser,
                                       const std::string& url) {
  a.add(Dispatch(browser));
  a.addByRef(Bstr(url));
}

void EventArguments::DocumentComplete(EventArguments& a, IDispatch* browser,
                                      const std::string& url) {
  NavigateComplete2(a, browser, url);
}

void EventArguments::ProgressChange(EventArguments& a, LONG progress, LONG maximum) {
  a.add(Long(progress));
  a.add(Long(maximum));
}

void EventArguments::TextChange(EventArguments& a, const std::string& text) { a.add(Bstr(text)); }

void EventArguments::CommandStateChange(EventArguments& a, LONG command, bool enable) {
  a.add(Long(command));
  VARIANT b;
  VariantInit(&b);
  b.vt = VT_BOOL;
  b.boolVal = enable ? VARIANT_TRUE : VARIANT_FALSE;
  a.add(b);
}

void EventArguments::NewWindow2(EventArguments& a, IDispatch** window, VARIANT_BOOL* cancel) {
  VARIANT w;
  VariantInit(&w);
  w.vt = VT_BYREF | VT_DISPATCH;
  w.ppdispVal = window;
  a.add(w);
  VARIANT c;
  VariantInit(&c);
  c.vt = VT_BYREF | VT_BOOL;
  c.pboolVal = cancel;
  a.add(c);
}

HRESULT Fire(HWND component, DISPID id, EventArguments& arguments) {
  HtmlViewer* viewer = ViewerOf(component);
  if (!viewer) return E_FAIL;
  ComPtr<IDispatch> sink = viewer->eventSink();
  if (!sink) return E_FAIL;
  Variant result;
  return sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, arguments.params(),
                      result.get(), nullptr, nullptr);
}

}  // namespace webview::tests

const runtime::ProgramImageHeader& TestProgramImage() {
  static const runtime::SupportLibraryInfo* libraries[2];
  static runtime::ProgramImageHeader image = [] {
    libraries[0] = &runtime::CoreLibrary();
    libraries[1] = &webview::WebViewLibrary();
    runtime::ProgramImageHeader i = runtime::testing::BasicImage();
    i.libraryCount = 2;
    i.libraries = libraries;
    return i;
  }();
  return image;
}
