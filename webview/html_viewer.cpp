#include "webview/html_viewer.h"

#include <docobj.h>
#include <exdispid.h>

#include <algorithm>
#include <cstring>

#include "webview/webview_library.h"

namespace webview {

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (valid()) CloseHandle(h_);
  }
  bool valid() const { return h_ && h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// Little-endian reader that never goes past its block.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool int32(int32_t& out) {
    if (size_ - pos_ < 4) return false;
    uint32_t v = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 |
                 uint32_t(data_[pos_ + 2]) << 16 | uint32_t(data_[pos_ + 3]) << 24;
    out = int32_t(v);
    pos_ += 4;
    return true;
  }
  bool bytes(size_t n, std::string& out) {
    if (size_ - pos_ < n) return false;
    out.assign(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
  uint32_t v = uint32_t(value);
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

VARIANT_BOOL ToVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

int32_t IntOf(const runtime::TypedValue* value) {
  if (!value) return 0;
  switch (value->type) {
    case runtime::kTypeByte: return int32_t(value->low & 0xFF);
    case runtime::kTypeShort: return int32_t(int16_t(value->low & 0xFFFF));
    case runtime::kTypeFloat: return int32_t(value->single());
    case runtime::kTypeDouble: return int32_t(value->real());
    default: return int32_t(value->low);
  }
}

std::string TextOf(const runtime::TypedValue* value) {
  if (!value || value->type != runtime::kTypeText || !value->pointer()) return {};
  return static_cast<const char*>(value->pointer());
}

// A text as the runtime owns them: a runtime heap block, null for the empty text.
void SetText(runtime::TypedValue* out, const std::string& text) {
  out->type = runtime::kTypeText;
  out->setPointer(nullptr);
  if (text.empty()) return;
  auto* block = reinterpret_cast<char*>(CallRuntime(runtime::kServiceAllocate,
                                                    intptr_t(text.size() + 1), 0));
  if (!block) return;
  std::memcpy(block, text.c_str(), text.size() + 1);
  out->setPointer(block);
}

void SetInt(runtime::TypedValue* out, int32_t value) {
  out->type = runtime::kTypeInt;
  out->low = uint32_t(value);
  out->high = 0;
}

void SetBool(runtime::TypedValue* out, bool value) {
  out->type = runtime::kTypeBool;
  out->low = value ? 1 : 0;
  out->high = 0;
}

// The n-th declared argument of an event (DISPPARAMS holds them last first), dereferenced.
const VARIANT* Argument(const DISPPARAMS& params, UINT n) {
  if (n >= params.cArgs) return nullptr;
  return Dereferenced(&params.rgvarg[params.cArgs - 1 - n]);
}

std::optional<LONG> LongArgument(const DISPPARAMS& params, UINT n) {
  const VARIANT* v = Argument(params, n);
  if (!v) return std::nullopt;
  Variant converted;
  if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT*>(v), 0, VT_I4))) return std::nullopt;
  return converted.get()->lVal;
}

std::string TextArgument(const DISPPARAMS& params, UINT n) {
  const VARIANT* v = Argument(params, n);
  if (!v) return {};
  if (v->vt == VT_BSTR) return v->bstrVal ? AnsiFromWide(v->bstrVal, int(SysStringLen(v->bstrVal))) : std::string();
  Variant converted;
  if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT*>(v), 0, VT_BSTR))) return {};
  BSTR s = converted.get()->bstrVal;
  return s ? AnsiFromWide(s, int(SysStringLen(s))) : std::string();
}

// The browser's by-reference VARIANT_BOOL for cancelling, or null.
VARIANT_BOOL* CancelArgument(const DISPPARAMS& params, UINT n) {
  if (n >= params.cArgs) return nullptr;
  VARIANT* v = &params.rgvarg[params.cArgs - 1 - n];
  if (v->vt == (VT_BYREF | VT_BOOL)) return v->pboolVal;
  if (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal) {
    VARIANT* inner = v->pvarVal;
    if (inner->vt == VT_BOOL) return &inner->boolVal;
    if (inner->vt == (VT_BYREF | VT_BOOL)) return inner->pboolVal;
  }
  return nullptr;
}

ATOM RegisterViewerClass(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kHtmlViewerClass;
    ATOM a = RegisterClassA(&wc);
    if (!a) {
      WNDCLASSA existing{};
      a = ATOM(GetClassInfoA(GetModuleHandleA(nullptr), kHtmlViewerClass, &existing));
    }
    return a;
  }();
  return atom;
}

}  // namespace

int32_t ClampZoom(int32_t zoom) { return std::clamp(zoom, int32_t(0), int32_t(4)); }

bool ReadStoredProperties(const uint8_t* data, size_t size, StoredProperties& out) {
  if (!data) return false;
  Reader in(data, size);
  int32_t version, zoom, offline, silent, length;
  if (!in.int32(version) || version < 0 || version > kStoredVersion) return false;
  if (!in.int32(zoom) || !in.int32(offline) || !in.int32(silent) || !in.int32(length))
    return false;
  if (length < 0) return false;
  std::string address;
  if (!in.bytes(size_t(length), address)) return false;
  out.zoom = ClampZoom(zoom);
  out.offline = offline != 0;
  out.silent = silent != 0;
  out.address = std::move(address);
  return true;
}

std::vector<uint8_t> WriteStoredProperties(const StoredProperties& properties) {
  std::vector<uint8_t> out;
  out.reserve(20 + properties.address.size());
  PutInt32(out, kStoredVersion);
  PutInt32(out, properties.zoom);
  PutInt32(out, properties.offline ? 1 : 0);
  PutInt32(out, properties.silent ? 1 : 0);
  PutInt32(out, int32_t(properties.address.size()));
  out.insert(out.end(), properties.address.begin(), properties.address.end());
  return out;
}

std::string PlaceholderText(std::string_view address) {
  std::string text = "网页地址：";
  for (char c : address) {
    switch (c) {
      case '<': text += "&lt;"; break;
      case '>': text += "&gt;"; break;
      // A raw "&" would start an entity in the page.
      case '&': text += "&amp;"; break;
      default: text += c;
    }
  }
  return text;
}

// Keeps the component alive while one of its events is raised: a handler may destroy it.
struct EventScope {
  explicit EventScope(HtmlViewer* v) : viewer(v) { ++viewer->busy_; }
  ~EventScope() {
    if (--viewer->busy_ == 0 && viewer->destroyed_) delete viewer;
  }
  EventScope(const EventScope&) = delete;
  EventScope& operator=(const EventScope&) = delete;
  HtmlViewer* viewer;
};

HWND HtmlViewer::Create(const runtime::ComponentCreateParams& params) {
  std::unique_ptr<HtmlViewer> viewer(new HtmlViewer);
  if (params.data && params.dataSize >= 1 &&
      !ReadStoredProperties(params.data, params.dataSize, viewer->stored_))
    return nullptr;
  viewer->windowId_ = params.windowId;
  viewer->unitId_ = params.unitId;
  viewer->designMode_ = params.designMode;
  if (!viewer->createWindow(params)) return nullptr;

  // From here the window owns the component.
  HtmlViewer* v = viewer.release();
  v->live_ = true;
  HWND window = v->window_;
  v->applyOffline();
  v->applySilent();
  v->applyZoom();
  if (!v->stored_.address.empty()) v->showAddress();
  return IsWindow(window) ? window : nullptr;
}

bool HtmlViewer::createWindow(const runtime::ComponentCreateParams& params) {
  if (!RegisterViewerClass(WindowProc)) return false;
  window_ = CreateWindowExA(0, kHtmlViewerClass, "", params.style | WS_CHILD | WS_CLIPSIBLINGS,
                            params.x, params.y, params.width, params.height, params.parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(params.childId)),
                            GetModuleHandleA(nullptr), this);
  if (!window_) return false;
  RECT client{};
  GetClientRect(window_, &client);
  host_ = ControlHost::Create(window_, client, kBrowserControlId, WS_CHILD | WS_VISIBLE,
                              CLSID_WebBrowser, DIID_DWebBrowserEvents2, this);
  if (host_) browser_ = host_->control().query<IWebBrowser2>(IID_IWebBrowser2);
  if (!browser_) {
    releaseBrowser();
    // Not yet the window's to delete: detach before it goes.
    HWND window = std::exchange(window_, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    return false;
  }
  return true;
}

HtmlViewer::~HtmlViewer() {
  releaseBrowser();
  deletePlaceholder();
}

HtmlViewer* HtmlViewer::FromWindow(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  ATOM atom = RegisterViewerClass(WindowProc);
  if (!atom || GetClassLongPtrA(window, GCW_ATOM) != atom) return nullptr;
  auto* viewer = reinterpret_cast<HtmlViewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return viewer && viewer->live_ && !viewer->destroyed_ ? viewer : nullptr;
}

LRESULT CALLBACK HtmlViewer::WindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  auto* viewer = reinterpret_cast<HtmlViewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!viewer) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      if (viewer->host_) {
        RECT client{};
        GetClientRect(window, &client);
        viewer->host_->move(client);
      }
      return 0;
    case WM_SETFOCUS:
      if (HWND browser = viewer->browserWindow()) SetFocus(browser);
      return 0;
    case WM_DESTROY:
      viewer->releaseBrowser();
      viewer->deletePlaceholder();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      viewer->onDestroyed();
      return DefWindowProcA(window, message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void HtmlViewer::releaseBrowser() {
  // A navigation still under way holds the control; end it first.
  if (browser_) browser_->Stop();
  browser_.reset();
  host_.reset();
}

void HtmlViewer::onDestroyed() {
  window_ = nullptr;
  bool wasLive = live_;
  live_ = false;
  if (wasLive)
    CallRuntime(runtime::kServiceInstanceDestroyed, intptr_t(windowId_), intptr_t(unitId_));
  if (busy_ > 0)
    destroyed_ = true;  // the event under way deletes us when it returns
  else
    delete this;
}

void HtmlViewer::applyZoom() {
  if (!browser_) return;
  Variant level = Variant::int32(ClampZoom(stored_.zoom));
  browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, level.get(), nullptr);
}

void HtmlViewer::applyOffline() {
  if (browser_) browser_->put_Offline(ToVariantBool(stored_.offline));
}

void HtmlViewer::applySilent() {
  if (browser_) browser_->put_Silent(ToVariantBool(stored_.silent));
}

void HtmlViewer::showAddress() { navigate(stored_.address); }

void HtmlViewer::navigate(std::string_view address, LONG flags, std::string_view targetFrame,
                          std::string_view headers, const char* postData, size_t postLength) {
  if (!browser_) return;
  std::string url;
  if (!designMode_ || browseInDesign_) {
    deletePlaceholder();  // a placeholder no longer shown
    url.assign(address);
  } else {
    url = makePlaceholder();  // of the stored address; replaces an earlier one
  }

  Bstr target(url);
  Variant flagsArg = Variant::int32(flags);
  Variant frameArg = Variant::bstr(Bstr(targetFrame));
  Variant headersArg = Variant::bstr(Bstr(headers));
  Variant postArg;
  if (postData) {
    size_t length = postLength ? postLength : std::strlen(postData);
    if (length) postArg = ByteArrayVariant(postData, length);
  }
  browser_->Navigate(target.get(), flagsArg.get(), frameArg.get(), postArg.get(),
                     headersArg.get());
}

std::string HtmlViewer::makePlaceholder() {
  deletePlaceholder();
  char directory[260];
  DWORD n = GetTempPathA(sizeof directory, directory);
  if (n == 0 || n >= sizeof directory) return {};
  char name[MAX_PATH];
  if (!GetTempFileNameA(directory, "qtm", 0, name)) return {};
  std::string text = PlaceholderText(stored_.address);
  bool written = false;
  {
    FileHandle file(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD done = 0;
    written = file.valid() &&
              WriteFile(file.get(), text.data(), DWORD(text.size()), &done, nullptr) &&
              done == text.size();
  }
  if (!written) {
    DeleteFileA(name);
    return {};
  }
  placeholderFile_ = name;
  return placeholderFile_;
}

void HtmlViewer::deletePlaceholder() {
  if (placeholderFile_.empty()) return;
  DeleteFileA(placeholderFile_.c_str());
  placeholderFile_.clear();
}

int HtmlViewer::setProperty(int index, const runtime::TypedValue* value) {
  switch (index) {
    case kPropZoom:
      stored_.zoom = ClampZoom(IntOf(value));
      applyZoom();
      break;
    case kPropOffline:
      stored_.offline = IntOf(value) != 0;
      applyOffline();
      break;
    case kPropSilent:
      stored_.silent = IntOf(value) != 0;
      applySilent();
      break;
    case kPropAddress:
      stored_.address = TextOf(value);
      showAddress();
      break;
    case kPropBrowseInDesign:
      if (designMode_) {
        browseInDesign_ = IntOf(value) != 0;
        showAddress();
      }
      break;
    default:
      break;
  }
  return 0;
}

int HtmlViewer::getProperty(int index, runtime::TypedValue* value) {
  switch (index) {
    case kPropZoom:
      SetInt(value, stored_.zoom);
      return 1;
    case kPropOffline:
    case kPropSilent: {
      bool& field = index == kPropOffline ? stored_.offline : stored_.silent;
      bool result = field;
      if (!designMode_ && browser_) {
        VARIANT_BOOL state = VARIANT_FALSE;
        HRESULT hr = index == kPropOffline ? browser_->get_Offline(&state)
                                           : browser_->get_Silent(&state);
        if (SUCCEEDED(hr)) result = state == VARIANT_TRUE;
      }
      SetBool(value, result);
      return 1;
    }
    case kPropAddress:
      if (!designMode_) {
        if (inNavigationEvent_) {
          stored_.address = eventAddress_;
        } else if (browser_) {
          Bstr location;
          if (SUCCEEDED(browser_->get_LocationURL(location.put()))) stored_.address = location.ansi();
        }
      }
      SetText(value, stored_.address);
      return 1;
    case kPropStatusText:
      SetText(value, statusText_);
      return 1;
    case kPropTitle:
      if (!inTitleEvent_ && browser_) {
        Bstr name;
        if (SUCCEEDED(browser_->get_LocationName(name.put()))) title_ = name.ansi();
      }
      SetText(value, title_);
      return 1;
    case kPropBrowseInDesign:
      SetBool(value, designMode_ && browseInDesign_);
      return 1;
    default:
      return 0;
  }
}

HGLOBAL HtmlViewer::serialize() const {
  std::vector<uint8_t> bytes = WriteStoredProperties(stored_);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

runtime::HandlerResult HtmlViewer::raise(int event, std::initializer_list<int32_t> arguments) {
  runtime::EventCallRecord record{};
  record.windowId = windowId_;
  record.unitId = unitId_;
  record.eventNumber = event;
  int count = 0;
  for (int32_t a : arguments) {
    if (count == 5) break;
    record.arguments[count++] = a;
  }
  record.argumentCount = count;
  CallRuntime(runtime::kServiceCallEvent, reinterpret_cast<intptr_t>(&record), 0);
  return {record.resultPresent != 0, record.result};
}

void HtmlViewer::onControlEvent(DISPID id, DISPPARAMS& params) {
  if (!live_ || destroyed_) return;
  EventScope scope(this);
  switch (id) {
    case DISPID_BEFORENAVIGATE2:      // (disp, url, flags, frame, post data, headers, cancel)
    case DISPID_NAVIGATECOMPLETE2:    // (disp, url)
    case DISPID_DOCUMENTCOMPLETE: {   // (disp, url)
      UINT needed = id == DISPID_BEFORENAVIGATE2 ? 7 : 2;
      if (params.cArgs < needed) return;
      int event = id == DISPID_BEFORENAVIGATE2    ? kEventBeforeNavigate
                  : id == DISPID_NAVIGATECOMPLETE2 ? kEventNavigateComplete
                                                   : kEventDocumentComplete;
      if (event == kEventDocumentComplete && designMode_) deletePlaceholder();
      VARIANT_BOOL* cancel = event == kEventBeforeNavigate ? CancelArgument(params, 6) : nullptr;
      eventAddress_ = TextArgument(params, 1);
      inNavigationEvent_ = true;
      runtime::HandlerResult result = raise(event);
      if (cancel && result.present && result.value == 0) *cancel = VARIANT_TRUE;
      if (destroyed_) return;
      inNavigationEvent_ = false;
      eventAddress_.clear();
      return;
    }
    case DISPID_DOWNLOADBEGIN:
      raise(kEventDownloadBegin);
      return;
    case DISPID_DOWNLOADCOMPLETE:
      raise(kEventDownloadComplete);
      return;
    case DISPID_PROGRESSCHANGE: {  // (progress, progress max)
      auto progress = LongArgument(params, 0);
      auto maximum = LongArgument(params, 1);
      if (!progress || !maximum) return;
      int32_t percent = *maximum == 0 ? 100 : MulDiv(*progress, 100, *maximum);
      raise(kEventProgress, {percent});
      return;
    }
    case DISPID_STATUSTEXTCHANGE:  // (text)
      if (params.cArgs < 1) return;
      statusText_ = TextArgument(params, 0);
      raise(kEventStatusText);
      return;
    case DISPID_TITLECHANGE:  // (text)
      if (params.cArgs < 1) return;
      title_ = TextArgument(params, 0);
      inTitleEvent_ = true;
      raise(kEventTitle);
      if (destroyed_) return;
      inTitleEvent_ = false;
      title_.clear();
      return;
    case DISPID_COMMANDSTATECHANGE: {  // (command, enable)
      auto command = LongArgument(params, 0);
      auto enable = LongArgument(params, 1);
      if (!command || !enable) return;
      if (*command != CSC_NAVIGATEFORWARD && *command != CSC_NAVIGATEBACK) return;
      raise(kEventCommandState,
            {*command == CSC_NAVIGATEFORWARD ? 0 : 1, *enable != 0 ? 1 : 0});
      return;
    }
    case DISPID_NEWWINDOW2: {  // (disp out, cancel)
      if (params.cArgs < 2) return;
      VARIANT_BOOL* cancel = CancelArgument(params, 1);
      runtime::HandlerResult result = raise(kEventNewWindow);
      if (cancel && result.present && result.value == 0) *cancel = VARIANT_TRUE;
      return;
    }
    default:
      return;  // OnQuit, OnVisible, PropertyChange and the rest: nothing to raise
  }
}

}  // namespace webview
