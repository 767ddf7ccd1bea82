#include "webview/control_host.h"

#include <ocidl.h>
#include <oleidl.h>

#include <atomic>

namespace webview {

namespace {

std::atomic<long> g_liveObjects{0};
std::atomic<long> g_liveControls{0};

const char kHostClass[] = "TarvoControlSite";

// Reference counting shared by our COM objects.
class RefCounted {
 protected:
  RefCounted() { ++g_liveObjects; }
  virtual ~RefCounted() { --g_liveObjects; }
  ULONG addRef() { return ULONG(++refs_); }
  ULONG release() {
    long left = --refs_;
    if (left == 0) delete this;
    return ULONG(left);
  }

 private:
  std::atomic<long> refs_{1};
};

}  // namespace

// The site through which the control talks to its container, and the frame it is told
// about when it activates in place.
class ClientSite final : public IOleClientSite,
                         public IOleInPlaceSite,
                         public IOleInPlaceFrame,
                         RefCounted {
 public:
  explicit ClientSite(ControlHost* host) : host_(host) {}
  void detach() { host_ = nullptr; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
      *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
      *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
      *out = static_cast<IOleInPlaceFrame*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return addRef(); }
  STDMETHODIMP_(ULONG) Release() override { return release(); }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, for both the site and the frame
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = host_ ? host_->window_ : nullptr;
    return *out ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return host_ ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    RECT client{};
    if (host_ && host_->window_) GetClientRect(host_->window_, &client);
    *position = client;
    *clip = client;
    info->cb = sizeof(OLEINPLACEFRAMEINFO);
    info->fMDIApp = FALSE;
    info->hwndFrame = host_ && host_->window_ ? GetAncestor(host_->window_, GA_ROOT) : nullptr;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT rect) override {
    if (rect && host_ && host_->inPlace_) host_->inPlace_->SetObjectRects(rect, rect);
    return S_OK;
  }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: a frame without tools or menus.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  ControlHost* host_;
};

// Receives the control's events through its connection point. A separate object from the
// site: a site that answers IDispatch gets the control's ambient-property calls.
class EventSink final : public IDispatch, RefCounted {
 public:
  EventSink(REFIID events, EventReceiver* receiver) : events_(events), receiver_(receiver) {}
  void detach() { receiver_ = nullptr; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != events_) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return addRef(); }
  STDMETHODIMP_(ULONG) Release() override { return release(); }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO*, UINT*) override {
    if (result) VariantInit(result);
    if (!receiver_) return S_OK;
    DISPPARAMS none{};
    if (!params) params = &none;
    if (params->cArgs && !params->rgvarg) return E_INVALIDARG;
    try {
      // The receiver may end its own lifetime from inside; keep ourselves alive.
      ComPtr<EventSink> self = ComPtr<EventSink>::share(this);
      receiver_->onControlEvent(id, *params);
    } catch (...) {
      return E_UNEXPECTED;
    }
    return S_OK;
  }

 private:
  IID events_;
  EventReceiver* receiver_;
};

std::unique_ptr<ControlHost> ControlHost::Create(HWND parent, const RECT& rect, UINT id,
                                                 DWORD style, REFCLSID clsid, REFIID events,
                                                 EventReceiver* receiver) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kHostClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (!registered) return nullptr;

  std::unique_ptr<ControlHost> host(new ControlHost);
  host->window_ = CreateWindowExA(0, kHostClass, "", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
  if (!host->window_) return nullptr;
  SetWindowLongPtrA(host->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host.get()));

  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                              host->control_.putVoid())))
    return nullptr;
  ++g_liveControls;
  host->oleObject_ = host->control_.query<IOleObject>(IID_IOleObject);
  if (!host->oleObject_) return nullptr;
  host->site_ = ComPtr<ClientSite>::adopt(new ClientSite(host.get()));
  host->sink_ = ComPtr<EventSink>::adopt(new EventSink(events, receiver));

  IOleClientSite* site = static_cast<IOleClientSite*>(host->site_.get());
  if (FAILED(host->oleObject_->SetClientSite(site))) return nullptr;
  if (auto init = host->control_.query<IPersistStreamInit>(IID_IPersistStreamInit)) init->InitNew();

  // Connect before activating, so no event of the first moments is lost.
  if (auto container = host->control_.query<IConnectionPointContainer>(
          IID_IConnectionPointContainer)) {
    if (SUCCEEDED(container->FindConnectionPoint(events, host->connection_.put()))) {
      if (FAILED(host->connection_->Advise(host->sink_.get(), &host->cookie_))) {
        host->cookie_ = 0;
        host->connection_.reset();
      }
    }
  }

  RECT client{};
  GetClientRect(host->window_, &client);
  if (FAILED(host->oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0,
                                      host->window_, &client)))
    return nullptr;
  host->inPlace_ = host->control_.query<IOleInPlaceObject>(IID_IOleInPlaceObject);
  host->fitControl();
  return host;
}

ControlHost::~ControlHost() { shutDown(); }

void ControlHost::shutDown() {
  if (sink_) sink_->detach();
  if (connection_) {
    if (cookie_) connection_->Unadvise(cookie_);
    cookie_ = 0;
    connection_.reset();
  }
  if (inPlace_) {
    inPlace_->InPlaceDeactivate();
    inPlace_.reset();
  }
  if (oleObject_) {
    oleObject_->Close(OLECLOSE_NOSAVE);
    oleObject_->SetClientSite(nullptr);
    oleObject_.reset();
  }
  if (control_) {
    if (control_.reset() == 0) --g_liveControls;
  }
  if (site_) site_->detach();
  site_.reset();
  sink_.reset();
  if (window_) {
    HWND window = window_;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    window_ = nullptr;
    DestroyWindow(window);
  }
}

HWND ControlHost::controlWindow() const {
  HWND window = nullptr;
  if (inPlace_ && SUCCEEDED(inPlace_->GetWindow(&window))) return window;
  return nullptr;
}

ComPtr<IDispatch> ControlHost::eventSink() const {
  return ComPtr<IDispatch>::share(sink_.get());
}

void ControlHost::move(const RECT& rect) {
  if (window_)
    SetWindowPos(window_, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlHost::focus() {
  if (HWND control = controlWindow())
    SetFocus(control);
}

void ControlHost::fitControl() {
  if (!inPlace_ || !window_) return;
  RECT client{};
  GetClientRect(window_, &client);
  inPlace_->SetObjectRects(&client, &client);
}

LRESULT CALLBACK ControlHost::WindowProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  auto* host = reinterpret_cast<ControlHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_SIZE:
      if (host) host->fitControl();
      return 0;
    case WM_SETFOCUS:
      if (host) host->focus();
      return 0;
    case WM_NCDESTROY:
      // Destroyed from outside (the parent went first): the control must not keep a window
      // that no longer exists.
      if (host) host->window_ = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

long LiveComObjects() { return g_liveObjects; }
long LiveControls() { return g_liveControls; }

}  // namespace webview
