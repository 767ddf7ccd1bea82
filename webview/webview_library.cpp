#include "webview/webview_library.h"

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

}  // namespace

const runtime::SupportLibraryInfo& WebViewLibrary() {
  static const runtime::SupportLibraryInfo info = [] {
    runtime::SupportLibraryInfo i{};
    i.format = runtime::kLibraryFormat;
    i.identity = "TarvoDJ.WebView";
    i.major = 2;
    i.minor = 2;
    i.build = 1;
    i.requiredRuntimeMajor = 3;
    i.requiredCoreMajor = 3;
    i.name = "超文本浏览框支持库";
    i.language = 1;
    i.notify = Notify;
    return i;
  }();
  return info;
}

}  // namespace webview
