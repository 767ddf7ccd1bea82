// The component with the real browser control: creation, window layout, properties,
// destruction, and the events as the real sink receives them.
#include <gtest/gtest.h>

#include <exdispid.h>

#include <fstream>
#include <iterator>

#include "runtime/entry_table.h"
#include "webview/control_host.h"
#include "webview/html_viewer.h"
#include "webview/tests/test_support.h"
#include "webview/webview_library.h"

namespace webview::tests {
namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool HasDescendantOfClass(HWND parent, const char* cls) {
  struct Search {
    const char* cls;
    bool found;
  } s{cls, false};
  struct Visit {
    static BOOL CALLBACK Proc(HWND w, LPARAM p) {
      auto* s = reinterpret_cast<Search*>(p);
      if (ClassOf(w) == s->cls) s->found = true;
      return !s->found;
    }
  };
  EnumChildWindows(parent, Visit::Proc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool FileExists(const std::string& name) {
  return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Viewer : public ::testing::Test {
 protected:
  void TearDown() override {
    if (IsWindow(parent.get())) DestroyWindow(parent.get());
    PumpFor(std::chrono::milliseconds(20));
  }
  HWND create(ViewerOptions options = {}) {
    if (options.data.empty()) options.data = StoredData(1, 2, 0, 0, "");
    return CreateViewer(parent.get(), options);
  }
  ComPtr<IDispatch> browserDispatch(HWND component) {
    return ComPtr<IDispatch>::share(ViewerOf(component)->browser());
  }

  RuntimeRecorder runtime;
  ParentWindow parent;
};

TEST_F(Viewer, BadStoredDataFailsCreationCleanly) {
  std::vector<uint8_t> beyond = StoredData(1, 2, 0, 0, "abc");
  beyond[16] = 4;
  std::vector<uint8_t> truncated = StoredData(1, 2, 0, 0, "");
  truncated.resize(11);
  long objects = LiveComObjects(), controls = LiveControls();
  for (const auto& data : {StoredData(2, 2, 0, 0, ""), beyond, truncated}) {
    ViewerOptions options;
    options.data = data;
    EXPECT_EQ(CreateViewer(parent.get(), options), nullptr);
  }
  EXPECT_EQ(GetWindow(parent.get(), GW_CHILD), nullptr);
  EXPECT_TRUE(runtime.destroyed.empty());
  EXPECT_EQ(LiveComObjects(), objects);
  EXPECT_EQ(LiveControls(), controls);
}

TEST_F(Viewer, NoStoredDataMeansDefaults) {
  ViewerOptions options;
  HWND component = CreateViewer(parent.get(), options);
  ASSERT_NE(component, nullptr);
  EXPECT_EQ(GetInt(component, kPropZoom), 2);
  EXPECT_EQ(GetInt(component, kPropOffline), 0);
  EXPECT_EQ(GetInt(component, kPropSilent), 0);
}

TEST_F(Viewer, WindowHostsTheBrowserControlAsChild0xE900) {
  HWND component = create();
  ASSERT_NE(component, nullptr);
  EXPECT_EQ(ClassOf(component), kHtmlViewerClass);
  EXPECT_EQ(GetParent(component), parent.get());
  LONG style = GetWindowLongA(component, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP),
            WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP);
  EXPECT_EQ(GetWindowLongA(component, GWL_EXSTYLE), 0);
  EXPECT_EQ(GetDlgCtrlID(component), 100);
  RECT r;
  GetWindowRect(component, &r);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 200);

  HWND browser = GetDlgItem(component, 0xE900);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(GetWindowLongA(browser, GWL_STYLE) & 0xFFFF0000, LONG(0x50000000));
  RECT client;
  GetClientRect(browser, &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_TRUE(HasDescendantOfClass(browser, "Shell Embedding"));
  EXPECT_NE(ViewerOf(component)->browser(), nullptr);

  // The control follows the component's size.
  SetWindowPos(component, nullptr, 0, 0, 300, 90, SWP_NOZORDER | SWP_NOMOVE);
  GetClientRect(browser, &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 90);

  // Focus goes on to the control.
  SetFocus(component);
  HWND focus = GetFocus();
  EXPECT_TRUE(focus != component && (focus == browser || IsChild(browser, focus)));
}

TEST_F(Viewer, StoredSettingsReachTheBrowser) {
  ViewerOptions options;
  options.data = StoredData(1, 7, 1, 1, "");
  HWND component = create(options);
  ASSERT_NE(component, nullptr);
  EXPECT_EQ(GetInt(component, kPropZoom), 4);
  IWebBrowser2* browser = ViewerOf(component)->browser();
  VARIANT_BOOL offline = 0, silent = 0;
  ASSERT_EQ(browser->get_Offline(&offline), S_OK);
  ASSERT_EQ(browser->get_Silent(&silent), S_OK);
  EXPECT_EQ(offline, VARIANT_TRUE);
  EXPECT_EQ(silent, VARIANT_TRUE);
  EXPECT_EQ(GetProperty(component, kPropOffline).type, runtime::kTypeBool);
  EXPECT_EQ(GetInt(component, kPropOffline), 1);
  EXPECT_EQ(GetInt(component, kPropSilent), 1);

  // Set at run time: stored and applied; read back through the browser.
  SetInt(component, kPropOffline, 0, runtime::kTypeBool);
  SetInt(component, kPropSilent, 0, runtime::kTypeBool);
  ASSERT_EQ(browser->get_Offline(&offline), S_OK);
  EXPECT_EQ(offline, VARIANT_FALSE);
  EXPECT_EQ(GetInt(component, kPropOffline), 0);
  EXPECT_EQ(GetInt(component, kPropSilent), 0);
  browser->put_Silent(VARIANT_TRUE);  // changed behind the component's back
  EXPECT_EQ(GetInt(component, kPropSilent), 1);
}

TEST_F(Viewer, ZoomIsClampedWhenSet) {
  HWND component = create();
  ASSERT_NE(component, nullptr);
  struct { int32_t set, applied; } cases[] = {{7, 4}, {-1, 0}, {3, 3}, {0, 0}, {4, 4}};
  for (auto c : cases) {
    SetInt(component, kPropZoom, c.set);
    EXPECT_EQ(GetInt(component, kPropZoom), c.applied) << c.set;
    EXPECT_EQ(GetProperty(component, kPropZoom).type, runtime::kTypeInt);
  }
}

TEST_F(Viewer, PropertyIndexesOutsideTheOwnRangeFillNothing) {
  HWND component = create();
  for (int index : {-1, 7, 8, 100}) {
    bool filled = true;
    GetProperty(component, index, &filled);
    EXPECT_FALSE(filled) << index;
    SetInt(component, index, 1);  // ignored, returns 0
  }
  for (int index = 0; index <= 6; ++index) {
    bool filled = false;
    runtime::TypedValue v = GetProperty(component, index, &filled);
    EXPECT_TRUE(filled) << index;
    if (v.type == runtime::kTypeText) runtime::Entries().RuntimeFree(v.pointer());
  }
  // Status text and title are read-only.
  SetText(component, kPropStatusText, "x");
  SetText(component, kPropTitle, "y");
  EXPECT_EQ(GetText(component, kPropStatusText), "");
  // Not a component of ours.
  bool filled = true;
  auto get = reinterpret_cast<GetOwnPropertyFn>(HtmlViewerInterface(kInterfaceGetProperty));
  runtime::TypedValue v;
  EXPECT_EQ(get(parent.get(), 0, &v), 0);
  EXPECT_EQ(get(nullptr, 0, &v), 0);
  (void)filled;
}

TEST_F(Viewer, SerializeAllWritesAMovableBlockInTheStoredFormat) {
  ViewerOptions options;
  options.data = StoredData(0, 9, 1, 0, "");
  HWND component = create(options);
  ASSERT_NE(component, nullptr);
  SetInt(component, kPropSilent, 1, runtime::kTypeBool);
  auto serialize = reinterpret_cast<SerializeAllFn>(HtmlViewerInterface(kInterfaceSerialize));
  HGLOBAL block = serialize(component);
  ASSERT_NE(block, nullptr);
  // A movable block: the handle is not the address.
  auto* bytes = static_cast<uint8_t*>(GlobalLock(block));
  ASSERT_NE(bytes, nullptr);
  EXPECT_NE(static_cast<void*>(bytes), static_cast<void*>(block));
  std::vector<uint8_t> expected = StoredData(1, 4, 1, 1, "");
  ASSERT_EQ(GlobalSize(block), expected.size());
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + expected.size()), expected);
  GlobalUnlock(block);
  GlobalFree(block);
  EXPECT_EQ(serialize(parent.get()), nullptr);
}

TEST_F(Viewer, DestructionTellsTheRuntimeAndReleasesEverything) {
  long objects = LiveComObjects(), controls = LiveControls();
  for (int round = 0; round < 4; ++round) {
    ParentWindow holder;
    HWND component = CreateViewer(holder.get(), {});
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(LiveControls(), controls + 1);
    EXPECT_EQ(LiveComObjects(), objects + 2);  // the site and the sink
    runtime.destroyed.clear();
    DestroyWindow(holder.get());
    EXPECT_FALSE(IsWindow(component));
    ASSERT_EQ(runtime.destroyed.size(), 1u);
    EXPECT_EQ(runtime.destroyed[0], std::make_pair(kWindowId, kUnitId));
    PumpFor(std::chrono::milliseconds(20));
    EXPECT_EQ(LiveComObjects(), objects) << round;
    EXPECT_EQ(LiveControls(), controls) << round;
  }
}

// --- events as the browser delivers them to the sink ---

TEST_F(Viewer, BeforeNavigateCancelsOnlyWhenTheHandlerReturnsFalse) {
  HWND component = create();
  ASSERT_NE(component, nullptr);
  auto browser = browserDispatch(component);
  struct Case {
    runtime::HandlerResult result;
    VARIANT_BOOL expected;
  } cases[] = {
      {{true, 0}, VARIANT_TRUE},    // false: cancelled
      {{true, 1}, VARIANT_FALSE},   // true: proceeds
      {{false, 0}, VARIANT_FALSE},  // nothing returned: proceeds
  };
  for (const Case& c : cases) {
    std::string during;
    runtime.handler = [&](const runtime::EventCallRecord&) {
      during = GetText(component, kPropAddress);
      return c.result;
    };
    runtime.events.clear();
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EventArguments args;
    EventArguments::BeforeNavigate2(args, browser.get(), "http://h/next?a=1", &cancel);
    ASSERT_EQ(Fire(component, DISPID_BEFORENAVIGATE2, args), S_OK);
    ASSERT_EQ(runtime.events.size(), 1u);
    const runtime::EventCallRecord& r = runtime.events[0];
    EXPECT_EQ(r.windowId, kWindowId);
    EXPECT_EQ(r.unitId, kUnitId);
    EXPECT_EQ(r.eventNumber, kEventBeforeNavigate);
    EXPECT_EQ(r.argumentCount, 0);
    EXPECT_EQ(cancel, c.expected);
    EXPECT_EQ(during, "http://h/next?a=1");
  }
}

TEST_F(Viewer, AddressReadDuringNavigationEventsIsTheOneBeingCompleted) {
  HWND component = create();
  auto browser = browserDispatch(component);
  std::string during;
  runtime.handler = [&](const runtime::EventCallRecord&) {
    during = GetText(component, kPropAddress);
    return runtime::HandlerResult{};
  };
  for (auto [id, event] : {std::pair{DISPID_NAVIGATECOMPLETE2, kEventNavigateComplete},
                           std::pair{DISPID_DOCUMENTCOMPLETE, kEventDocumentComplete}}) {
    runtime.events.clear();
    EventArguments args;
    EventArguments::NavigateComplete2(args, browser.get(), "http://h/完成.html");
    ASSERT_EQ(Fire(component, id, args), S_OK);
    ASSERT_EQ(runtime.events.size(), 1u);
    EXPECT_EQ(runtime.events[0].eventNumber, event);
    EXPECT_EQ(during, "http://h/完成.html");
    // Afterwards the address is what the browser reports.
    Bstr location;
    ViewerOf(component)->browser()->get_LocationURL(location.put());
    EXPECT_EQ(GetText(component, kPropAddress), location.ansi());
  }
}

TEST_F(Viewer, ProgressIsRaisedAsPercent) {
  HWND component = create();
  struct { LONG progress, maximum; int32_t percent; } cases[] = {
      {50, 200, 25}, {7, 0, 100}, {0, 0, 100}, {200, 200, 100}, {1, 3, 33}, {2, 3, 67},
      {0x7FFFFFFF, 0x7FFFFFFF, 100}};
  for (auto c : cases) {
    runtime.events.clear();
    EventArguments args;
    EventArguments::ProgressChange(args, c.progress, c.maximum);
    ASSERT_EQ(Fire(component, DISPID_PROGRESSCHANGE, args), S_OK);
    ASSERT_EQ(runtime.events.size(), 1u);
    EXPECT_EQ(runtime.events[0].eventNumber, kEventProgress);
    EXPECT_EQ(runtime.events[0].argumentCount, 1);
    EXPECT_EQ(runtime.events[0].arguments[0], c.percent) << c.progress << "/" << c.maximum;
  }
}

TEST_F(Viewer, CommandStateChangeOnlyForForwardAndBack) {
  HWND component = create();
  struct { LONG command; bool enable; bool raised; int32_t direction, enabled; } cases[] = {
      {1, true, true, 0, 1}, {1, false, true, 0, 0}, {2, true, true, 1, 1},
      {2, false, true, 1, 0}, {-1, true, false, 0, 0}, {0, true, false, 0, 0},
      {3, true, false, 0, 0}};
  for (auto c : cases) {
    runtime.events.clear();
    EventArguments args;
    EventArguments::CommandStateChange(args, c.command, c.enable);
    ASSERT_EQ(Fire(component, DISPID_COMMANDSTATECHANGE, args), S_OK);
    ASSERT_EQ(runtime.events.size(), c.raised ? 1u : 0u) << c.command;
    if (!c.raised) continue;
    EXPECT_EQ(runtime.events[0].eventNumber, kEventCommandState);
    EXPECT_EQ(runtime.events[0].argumentCount, 2);
    EXPECT_EQ(runtime.events[0].arguments[0], c.direction);
    EXPECT_EQ(runtime.events[0].arguments[1], c.enabled);
  }
}

TEST_F(Viewer, StatusTextAndTitleEvents) {
  HWND component = create();
  std::string status, title;
  runtime.handler = [&](const runtime::EventCallRecord&) {
    status = GetText(component, kPropStatusText);
    title = GetText(component, kPropTitle);
    return runtime::HandlerResult{};
  };
  EventArguments statusArgs;
  EventArguments::TextChange(statusArgs, "正在连接");
  ASSERT_EQ(Fire(component, DISPID_STATUSTEXTCHANGE, statusArgs), S_OK);
  ASSERT_EQ(runtime.events.size(), 1u);
  EXPECT_EQ(runtime.events[0].eventNumber, kEventStatusText);
  EXPECT_EQ(runtime.events[0].argumentCount, 0);
  EXPECT_EQ(status, "正在连接");
  EXPECT_EQ(GetText(component, kPropStatusText), "正在连接");  // kept after the event

  EventArguments titleArgs;
  EventArguments::TextChange(titleArgs, "播放器");
  ASSERT_EQ(Fire(component, DISPID_TITLECHANGE, titleArgs), S_OK);
  ASSERT_EQ(runtime.events.size(), 2u);
  EXPECT_EQ(runtime.events[1].eventNumber, kEventTitle);
  EXPECT_EQ(title, "播放器");
  // Afterwards the title is the browser's (no document here: empty).
  Bstr name;
  ViewerOf(component)->browser()->get_LocationName(name.put());
  EXPECT_EQ(GetText(component, kPropTitle), name.ansi());
}

TEST_F(Viewer, NewWindowCancelsOnlyWhenTheHandlerReturnsFalse) {
  HWND component = create();
  for (auto [result, expected] : {std::pair{runtime::HandlerResult{true, 0}, VARIANT_TRUE},
                                  std::pair{runtime::HandlerResult{true, 1}, VARIANT_FALSE},
                                  std::pair{runtime::HandlerResult{}, VARIANT_FALSE}}) {
    runtime.handler = [r = result](const runtime::EventCallRecord&) { return r; };
    runtime.events.clear();
    IDispatch* window = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EventArguments args;
    EventArguments::NewWindow2(args, &window, &cancel);
    ASSERT_EQ(Fire(component, DISPID_NEWWINDOW2, args), S_OK);
    ASSERT_EQ(runtime.events.size(), 1u);
    EXPECT_EQ(runtime.events[0].eventNumber, kEventNewWindow);
    EXPECT_EQ(cancel, expected);
  }
}

TEST_F(Viewer, EventsWithoutArgumentsAndIgnoredEvents) {
  HWND component = create();
  for (auto [id, event] : {std::pair{DISPID_DOWNLOADBEGIN, kEventDownloadBegin},
                           std::pair{DISPID_DOWNLOADCOMPLETE, kEventDownloadComplete}}) {
    runtime.events.clear();
    EventArguments none;
    ASSERT_EQ(Fire(component, id, none), S_OK);
    ASSERT_EQ(runtime.events.size(), 1u);
    EXPECT_EQ(runtime.events[0].eventNumber, event);
    EXPECT_EQ(runtime.events[0].argumentCount, 0);
  }
  runtime.events.clear();
  for (DISPID id : {DISPID_ONQUIT, DISPID_ONVISIBLE, DISPID_PROPERTYCHANGE, 271, 9999}) {
    EventArguments none;
    EXPECT_EQ(Fire(component, id, none), S_OK);
  }
  // Too few arguments: nothing is read past them, nothing raised.
  for (DISPID id : {DISPID_BEFORENAVIGATE2, DISPID_NAVIGATECOMPLETE2, DISPID_DOCUMENTCOMPLETE,
                    DISPID_PROGRESSCHANGE, DISPID_STATUSTEXTCHANGE, DISPID_TITLECHANGE,
                    DISPID_COMMANDSTATECHANGE, DISPID_NEWWINDOW2}) {
    EventArguments none;
    EXPECT_EQ(Fire(component, id, none), S_OK);
  }
  EXPECT_TRUE(runtime.events.empty());
}

TEST_F(Viewer, AHandlerMayDestroyTheComponent) {
  HWND component = create();
  auto browser = browserDispatch(component);
  ComPtr<IDispatch> sink = ViewerOf(component)->eventSink();
  runtime.handler = [&](const runtime::EventCallRecord&) {
    DestroyWindow(parent.get());
    return runtime::HandlerResult{true, 0};
  };
  VARIANT_BOOL cancel = VARIANT_FALSE;
  EventArguments args;
  EventArguments::BeforeNavigate2(args, browser.get(), "http://h/", &cancel);
  Variant result;
  EXPECT_EQ(sink->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, args.params(),
                         result.get(), nullptr, nullptr),
            S_OK);
  EXPECT_FALSE(IsWindow(component));
  EXPECT_EQ(cancel, VARIANT_TRUE);
  EXPECT_EQ(runtime.destroyed.size(), 1u);
  // The sink outlives its component harmlessly.
  EventArguments none;
  EXPECT_EQ(sink->Invoke(DISPID_DOWNLOADBEGIN, IID_NULL, 0, DISPATCH_METHOD, none.params(),
                         result.get(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(runtime.events.size(), 1u);
  browser.reset();
  long before = LiveComObjects();
  sink.reset();
  EXPECT_EQ(LiveComObjects(), before - 1);
}

// --- design mode ---

TEST_F(Viewer, DesignModeShowsAPlaceholderWithTheEscapedAddress) {
  ViewerOptions options;
  options.designMode = true;
  options.data = StoredData(1, 2, 1, 0, "http://h/<b>&c");
  HWND component = create(options);
  ASSERT_NE(component, nullptr);
  HtmlViewer* viewer = ViewerOf(component);
  std::string file = viewer->placeholderFile();
  ASSERT_FALSE(file.empty());
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(file.rfind(temp, 0), 0u) << file;
  EXPECT_NE(file.find("qtm"), std::string::npos);
  EXPECT_EQ(ReadFile(file), "网页地址：http://h/&lt;b&gt;&amp;c");

  // In design mode the stored values are what is read.
  EXPECT_EQ(GetText(component, kPropAddress), "http://h/<b>&c");
  EXPECT_EQ(GetInt(component, kPropOffline), 1);
  EXPECT_EQ(GetInt(component, kPropBrowseInDesign), 0);

  // The next DocumentComplete deletes it before the handler runs.
  bool existedDuring = true;
  runtime.handler = [&](const runtime::EventCallRecord&) {
    existedDuring = FileExists(file);
    return runtime::HandlerResult{};
  };
  EventArguments args;
  EventArguments::DocumentComplete(args, viewer->browser(), file);
  ASSERT_EQ(Fire(component, DISPID_DOCUMENTCOMPLETE, args), S_OK);
  EXPECT_FALSE(existedDuring);
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(viewer->placeholderFile().empty());
}

TEST_F(Viewer, BrowsingInDesignModeNavigatesToTheAddressItself) {
  ViewerOptions options;
  options.designMode = true;
  options.data = StoredData(1, 2, 0, 0, "about:blank");
  HWND component = create(options);
  ASSERT_NE(component, nullptr);
  HtmlViewer* viewer = ViewerOf(component);
  std::string first = viewer->placeholderFile();
  ASSERT_TRUE(FileExists(first));
  SetInt(component, kPropBrowseInDesign, 1, runtime::kTypeBool);
  EXPECT_EQ(GetInt(component, kPropBrowseInDesign), 1);
  // The stale placeholder is gone; no new one was made.
  EXPECT_FALSE(FileExists(first));
  EXPECT_TRUE(viewer->placeholderFile().empty());

  SetInt(component, kPropBrowseInDesign, 0, runtime::kTypeBool);
  std::string second = viewer->placeholderFile();
  ASSERT_TRUE(FileExists(second));
  DestroyWindow(parent.get());
  EXPECT_FALSE(FileExists(second));  // no placeholder outlives its component
}

TEST_F(Viewer, BrowseInDesignModeIsIgnoredAtRunTime) {
  HWND component = create();
  SetInt(component, kPropBrowseInDesign, 1, runtime::kTypeBool);
  EXPECT_EQ(GetInt(component, kPropBrowseInDesign), 0);
  EXPECT_TRUE(ViewerOf(component)->placeholderFile().empty());
}

}  // namespace
}  // namespace webview::tests
