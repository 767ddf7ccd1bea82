// Navigation for real: the browser control talks to an HTTP server on 127.0.0.1.
#include <gtest/gtest.h>

#include <exdisp.h>
#include <exdispid.h>

#include <algorithm>
#include <cstdio>

#include "webview/control_host.h"
#include "webview/html_viewer.h"
#include "webview/tests/http_server.h"
#include "webview/tests/test_support.h"

namespace webview::tests {
namespace {

using std::chrono::milliseconds;

// Dialog boxes of this process: nothing may wait on one.
int DialogCount() {
  struct Count {
    static BOOL CALLBACK Proc(HWND w, LPARAM p) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      char cls[32] = {};
      GetClassNameA(w, cls, sizeof cls);
      if (pid == GetCurrentProcessId() && std::string(cls) == "#32770") ++*reinterpret_cast<int*>(p);
      return TRUE;
    }
  };
  int n = 0;
  EnumWindows(Count::Proc, reinterpret_cast<LPARAM>(&n));
  return n;
}

// Records every event the browser control raises, with its URL argument where it has one.
struct EventLog : EventReceiver {
  struct Entry {
    DISPID id;
    UINT argc;
    std::string text;
    LONG number;
  };
  std::vector<Entry> entries;
  VARIANT_BOOL cancelNavigation = VARIANT_FALSE;

  void onControlEvent(DISPID id, DISPPARAMS& params) override {
    Entry e{id, params.cArgs, {}, 0};
    auto arg = [&](UINT n) -> VARIANT* {
      return n < params.cArgs ? const_cast<VARIANT*>(Dereferenced(&params.rgvarg[params.cArgs - 1 - n]))
                              : nullptr;
    };
    if ((id == DISPID_BEFORENAVIGATE2 || id == DISPID_NAVIGATEERROR ||
         id == DISPID_NAVIGATECOMPLETE2 || id == DISPID_DOCUMENTCOMPLETE) && arg(1) &&
        arg(1)->vt == VT_BSTR)
      e.text = AnsiFromWide(arg(1)->bstrVal);
    if (id == DISPID_NAVIGATEERROR && arg(3)) {
      Variant status;
      if (SUCCEEDED(VariantChangeType(status.get(), arg(3), 0, VT_I4))) e.number = status.get()->lVal;
    }
    if (id == DISPID_COMMANDSTATECHANGE && arg(0) && arg(0)->vt == VT_I4) e.number = arg(0)->lVal;
    if ((id == DISPID_STATUSTEXTCHANGE || id == DISPID_TITLECHANGE) && arg(0) && arg(0)->vt == VT_BSTR)
      e.text = AnsiFromWide(arg(0)->bstrVal);
    if (id == DISPID_BEFORENAVIGATE2 && params.cArgs == 7 &&
        params.rgvarg[0].vt == (VT_BYREF | VT_BOOL))
      *params.rgvarg[0].pboolVal = cancelNavigation;
    entries.push_back(e);
  }
  bool has(DISPID id) const {
    return std::any_of(entries.begin(), entries.end(), [id](const Entry& e) { return e.id == id; });
  }
  void print(const char* what) const {
    std::printf("events of the browser control, %s:\n", what);
    for (const Entry& e : entries)
      std::printf("  dispid %ld, %u arguments, %s %ld\n", long(e.id), e.argc, e.text.c_str(),
                  long(e.number));
  }
};

class Hosted : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(server.port(), 0);
    RECT rect{0, 0, 400, 200};
    host = ControlHost::Create(parent.get(), rect, 0xE900, WS_CHILD | WS_VISIBLE,
                               CLSID_WebBrowser, DIID_DWebBrowserEvents2, &log);
    ASSERT_TRUE(host);
    browser = host->control().query<IWebBrowser2>(IID_IWebBrowser2);
    ASSERT_TRUE(browser);
  }
  void TearDown() override {
    browser.reset();
    host.reset();
  }
  void navigate(const std::string& url) {
    Bstr target(url);
    Variant empty;
    ASSERT_EQ(browser->Navigate(target.get(), empty.get(), empty.get(), empty.get(), empty.get()),
              S_OK);
  }
  bool settled() const {
    return log.has(DISPID_NAVIGATEERROR) || log.has(DISPID_DOCUMENTCOMPLETE);
  }

  HttpServer server;
  ParentWindow parent;
  EventLog log;
  std::unique_ptr<ControlHost> host;
  ComPtr<IWebBrowser2> browser;
};

// What this platform's control delivers for a served page; printed for the record, and the
// parts every later test relies on are checked.
TEST_F(Hosted, EventsDeliveredForAServedPage) {
  std::string url = server.url("/page.html");
  navigate(url);
  PumpUntil([&] { return settled(); }, milliseconds(4000));
  PumpFor(milliseconds(200));
  log.print("served page");
  ASSERT_FALSE(log.entries.empty());
  EXPECT_EQ(log.entries[0].id, DISPID_BEFORENAVIGATE2);
  EXPECT_EQ(log.entries[0].argc, 7u);
  EXPECT_EQ(log.entries[0].text, url);
  EXPECT_TRUE(log.has(DISPID_DOWNLOADBEGIN));
  ASSERT_GE(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].method, "GET");
  EXPECT_EQ(server.requests()[0].path, "/page.html");
  EXPECT_EQ(DialogCount(), 0);
}

TEST_F(Hosted, EventsDeliveredForAnUnreachablePage) {
  navigate("http://127.0.0.1:1/unreachable");
  PumpUntil([&] { return settled(); }, milliseconds(4000));
  log.print("unreachable page");
  EXPECT_EQ(log.entries.at(0).id, DISPID_BEFORENAVIGATE2);
  EXPECT_EQ(DialogCount(), 0);
}

TEST_F(Hosted, CancelledBeforeNavigateSendsNoRequest) {
  log.cancelNavigation = VARIANT_TRUE;
  navigate(server.url("/cancelled"));
  PumpFor(milliseconds(800));
  log.print("cancelled navigation");
  EXPECT_TRUE(log.has(DISPID_BEFORENAVIGATE2));
  EXPECT_TRUE(server.requests().empty());
}

// --- the component ---

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(server.port(), 0); }
  void TearDown() override {
    if (IsWindow(parent.get())) DestroyWindow(parent.get());
  }
  HWND create(const std::string& address, bool designMode = false) {
    ViewerOptions options;
    options.data = StoredData(1, 2, 1, 1, address);
    options.designMode = designMode;
    return CreateViewer(parent.get(), options);
  }
  bool requested() {
    return PumpUntil([&] { return !server.requests().empty(); }, milliseconds(4000));
  }

  HttpServer server;
  RuntimeRecorder runtime;
  ParentWindow parent;
};

TEST_F(Navigation, CreationNavigatesToTheStoredAddress) {
  std::string url = server.url("/fmp/index.html");
  std::vector<std::string> addresses;
  runtime.handler = [&](const runtime::EventCallRecord& r) {
    // Raised while creation is still under way: find the component as a handler would.
    HWND component = FindWindowExA(parent.get(), nullptr, kHtmlViewerClass, nullptr);
    if (r.eventNumber == kEventBeforeNavigate) addresses.push_back(GetText(component, kPropAddress));
    return runtime::HandlerResult{};
  };
  HWND component = create(url);
  ASSERT_NE(component, nullptr);
  ASSERT_TRUE(requested());
  EXPECT_EQ(server.requests()[0].path, "/fmp/index.html");
  EXPECT_EQ(addresses, std::vector<std::string>{url});
  // Stored offline does not keep the request in: this control sends it all the same.
  ASSERT_FALSE(runtime.events.empty());
  EXPECT_EQ(runtime.events[0].eventNumber, kEventBeforeNavigate);
  EXPECT_EQ(runtime.events[0].windowId, kWindowId);
  EXPECT_EQ(runtime.events[0].unitId, kUnitId);
  EXPECT_EQ(DialogCount(), 0);
}

TEST_F(Navigation, AddressPropertyNavigatesAndIsReadDuringBeforeNavigate) {
  HWND component = create("");
  ASSERT_NE(component, nullptr);
  EXPECT_TRUE(runtime.events.empty());  // no address, no navigation
  std::string during;
  runtime.handler = [&](const runtime::EventCallRecord& r) {
    if (r.eventNumber == kEventBeforeNavigate) during = GetText(component, kPropAddress);
    return runtime::HandlerResult{};
  };
  std::string url = server.url("/set?q=1");
  SetText(component, kPropAddress, url.c_str());
  ASSERT_TRUE(requested());
  EXPECT_EQ(server.requests()[0].path, "/set?q=1");
  EXPECT_EQ(during, url);
  EXPECT_EQ(GetText(component, kPropAddress), url);  // the browser's location afterwards
}

TEST_F(Navigation, HeadersAndPostDataReachTheServer) {
  HWND component = create("");
  ASSERT_NE(component, nullptr);
  const char post[] = "a=1&b=\xB2\xE2\xCA\xD4" "extra";  // GBK bytes; only the first 10 go
  ViewerOf(component)->navigate(server.url("/post"), 0, "",
                                "Content-Type: application/x-www-form-urlencoded\r\n"
                                "X-Tarvo-Test: yes\r\n",
                                post, 10);
  ASSERT_TRUE(requested());
  HttpRequest r = server.requests()[0];
  EXPECT_EQ(r.method, "POST");
  EXPECT_EQ(r.path, "/post");
  EXPECT_EQ(r.header("X-Tarvo-Test"), "yes");
  EXPECT_EQ(r.body, std::string(post, 10));
}

TEST_F(Navigation, PostDataOfLengthZeroSendsTheWholeText) {
  HWND component = create("");
  ViewerOf(component)->navigate(server.url("/post"), 0, "", "", "x=whole", 0);
  ASSERT_TRUE(requested());
  EXPECT_EQ(server.requests()[0].method, "POST");
  EXPECT_EQ(server.requests()[0].body, "x=whole");
}

TEST_F(Navigation, HandlerReturningFalseCancelsTheRequest) {
  HWND component = create("");
  runtime.handler = [&](const runtime::EventCallRecord& r) {
    return r.eventNumber == kEventBeforeNavigate ? runtime::HandlerResult{true, 0}
                                                 : runtime::HandlerResult{};
  };
  SetText(component, kPropAddress, server.url("/never").c_str());
  PumpFor(milliseconds(800));
  EXPECT_TRUE(server.requests().empty());
  ASSERT_FALSE(runtime.events.empty());
  EXPECT_EQ(runtime.events[0].eventNumber, kEventBeforeNavigate);
  EXPECT_EQ(runtime.events[0].resultPresent, 1);

  // Returning nothing lets it go.
  runtime.handler = nullptr;
  SetText(component, kPropAddress, server.url("/goes").c_str());
  ASSERT_TRUE(requested());
  EXPECT_EQ(server.requests()[0].path, "/goes");
}

TEST_F(Navigation, DesignModeRequestsOnlyWhenBrowsing) {
  HWND component = create(server.url("/design"), true);
  ASSERT_NE(component, nullptr);
  PumpFor(milliseconds(500));
  EXPECT_TRUE(server.requests().empty());  // the placeholder is shown instead
  SetInt(component, kPropBrowseInDesign, 1, runtime::kTypeBool);
  ASSERT_TRUE(requested());
  EXPECT_EQ(server.requests()[0].path, "/design");
}

TEST_F(Navigation, AnUnreachablePageLeavesTheComponentWorking) {
  HWND component = create("http://127.0.0.1:1/nothing-listens");
  ASSERT_NE(component, nullptr);
  PumpFor(milliseconds(1000));
  EXPECT_TRUE(IsWindow(component));
  EXPECT_EQ(DialogCount(), 0);
  SetText(component, kPropAddress, server.url("/after").c_str());
  ASSERT_TRUE(requested());
}

// Wine's control stays alive when it is released with a navigation still under way (its
// binding never completes once the window is gone); once settled, everything goes.
TEST_F(Navigation, RepeatedCreateAndDestroyAfterNavigationLeaksNothing) {
  long objects = LiveComObjects(), controls = LiveControls();
  for (int round = 0; round < 3; ++round) {
    ParentWindow holder;
    ViewerOptions options;
    options.data = StoredData(1, 2, 0, 0, server.url("/round"));
    HWND component = CreateViewer(holder.get(), options);
    ASSERT_NE(component, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return server.requests().size() > size_t(round); },
                          milliseconds(4000)));
    PumpUntil([&] {
      return !runtime.events.empty() && runtime.events.back().eventNumber == kEventDownloadComplete;
    }, milliseconds(2000));
    PumpFor(milliseconds(200));
    DestroyWindow(holder.get());
    EXPECT_EQ(LiveComObjects(), objects) << round;
    EXPECT_EQ(LiveControls(), controls) << round;
  }
}

}  // namespace
}  // namespace webview::tests
