#include "webview/webview_library.h"

#include "webview/html_viewer.h"

namespace webview {

namespace {

runtime::RuntimeServiceFn g_service = nullptr;

intptr_t Notify(int code, intptr_t param1, intptr_t) {
  if (code == runtime::kNotifyStartup) {
    g_service = reinterpret_cast<runtime::RuntimeServiceFn>(param1);
    return 0;
  }
  return -1;
}

HWND Create(const runtime::ComponentCreateParams& params) { return HtmlViewer::Create(params); }

int SetOwnProperty(HWND component, int index, const runtime::TypedValue* value) {
  if (HtmlViewer* viewer = HtmlViewer::FromWindow(component))
    viewer->setProperty(index, value);
  return 0;
}

HGLOBAL SerializeAll(HWND component) {
  HtmlViewer* viewer = HtmlViewer::FromWindow(component);
  return viewer ? viewer->serialize() : nullptr;
}

int GetOwnProperty(HWND component, int index, runtime::TypedValue* value) {
  HtmlViewer* viewer = HtmlViewer::FromWindow(component);
  return viewer && value ? viewer->getProperty(index, value) : 0;
}

const runtime::DataTypeInfo kDataTypes[1] = {{
    "超文本浏览框", "HtmlViewer", "", 0, nullptr, 0x40, 0, 0, nullptr,
    15, nullptr, HtmlViewerInterface, 0, nullptr,
}};

}  // namespace

void* HtmlViewerInterface(int kind) {
  switch (kind) {
    case kInterfaceCreate:
      return reinterpret_cast<void*>(static_cast<runtime::ComponentCreateFn>(Create));
    case kInterfaceSetProperty:
      return reinterpret_cast<void*>(static_cast<SetOwnPropertyFn>(SetOwnProperty));
    case kInterfaceSerialize:
      return reinterpret_cast<void*>(static_cast<SerializeAllFn>(SerializeAll));
    case kInterfaceGetProperty:
      return reinterpret_cast<void*>(static_cast<GetOwnPropertyFn>(GetOwnProperty));
    default:
      return nullptr;
  }
}

intptr_t CallRuntime(int code, intptr_t param1, intptr_t param2) {
  return g_service ? g_service(code, param1, param2) : 0;
}

const runtime::SupportLibraryInfo& WebViewLibrary() {
  static const runtime::SupportLibraryInfo info = [] {
    runtime::SupportLibraryInfo i{};
    i.format = runtime::kLibraryFormat;
    i.identity = "{6E2F41A7-93C5-4D08-B1A6-5C7D29E0F3B4}";
    i.major = 2;
    i.minor = 2;
    i.build = 1;
    i.requiredRuntimeMajor = 3;
    i.requiredRuntimeMinor = 0;
    i.requiredCoreMajor = 3;
    i.requiredCoreMinor = 0;
    i.name = "超文本浏览框支持库";
    i.language = 1;
    i.state = 0;
    i.dataTypeCount = 1;
    i.dataTypes = kDataTypes;
    i.notify = Notify;
    return i;
  }();
  return info;
}

}  // namespace webview
