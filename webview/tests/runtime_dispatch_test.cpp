// The HtmlViewer inside the real runtime: loaded from stored form data by the form engine,
// its events dispatched to the program's handlers through the runtime's service entry.
#include <exdispid.h>
#include <gtest/gtest.h>

#include "runtime/core_library.h"
#include "runtime/form_data_writer.h"
#include "runtime/form_engine.h"
#include "runtime/runtime_app.h"
#include "runtime/testing/test_program.h"
#include "webview/html_viewer.h"
#include "webview/tests/http_server.h"
#include "webview/tests/test_support.h"
#include "webview/webview_library.h"

namespace webview::tests {
namespace {

using std::chrono::milliseconds;

constexpr uint32_t kViewerWindow = 0x52000101;
constexpr uint32_t kViewerWindowOwn = 0x06000101;
constexpr uint32_t kViewerUnit = 0x16000102;

struct Raised {
  int event;
  std::vector<int32_t> arguments;
  std::string address;  // own property 3 read by the handler
};
std::vector<Raised> g_raised;
runtime::HandlerResult g_results[10];

HWND Viewer() { return runtime::FindInstance(kViewerWindow, kViewerUnit); }

template <int N>
runtime::HandlerResult OnViewerEvent(std::span<const int32_t> arguments) {
  g_raised.push_back({N, {arguments.begin(), arguments.end()}, GetText(Viewer(), kPropAddress)});
  return g_results[N];
}

template <int... N>
std::vector<runtime::HandlerOffset> Handlers(runtime::StartRoutine base,
                                             std::integer_sequence<int, N...>) {
  return {runtime::HandlerOffset{N, runtime::HandlerOffsetOf(OnViewerEvent<N>, base)}...};
}

class RuntimeDispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(server.port(), 0);
    g_raised.clear();
    for (auto& r : g_results) r = {};
    ASSERT_TRUE(runtime::LoadWindow(kViewerWindow, nullptr, false));
    ASSERT_NE(Viewer(), nullptr);
  }
  bool requested() {
    return PumpUntil([&] { return !server.requests().empty(); }, milliseconds(4000));
  }
  HttpServer server;
};

TEST_F(RuntimeDispatch, TheFormEngineCreatesTheViewerFromItsStoredProperties) {
  HWND viewer = Viewer();
  EXPECT_EQ(HtmlViewer::FromWindow(viewer)->stored().zoom, 4);
  EXPECT_EQ(GetInt(viewer, kPropSilent), 1);
  EXPECT_TRUE(IsWindowVisible(viewer));
  RECT r;
  GetWindowRect(viewer, &r);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 45);
  EXPECT_NE(GetDlgItem(viewer, 0xE900), nullptr);
}

TEST_F(RuntimeDispatch, NavigationEventsReachTheHandlersWithTheAddress) {
  std::string url = server.url("/dispatch");
  SetText(Viewer(), kPropAddress, url.c_str());
  ASSERT_TRUE(requested());
  PumpUntil([] { return !g_raised.empty() && g_raised.back().event == kEventDownloadComplete; },
            milliseconds(3000));
  ASSERT_FALSE(g_raised.empty());
  EXPECT_EQ(g_raised[0].event, kEventBeforeNavigate);
  EXPECT_TRUE(g_raised[0].arguments.empty());
  EXPECT_EQ(g_raised[0].address, url);
  // This control reports the back and forward commands as disabled while it navigates.
  std::vector<std::vector<int32_t>> commands;
  for (const Raised& r : g_raised)
    if (r.event == kEventCommandState) commands.push_back(r.arguments);
  EXPECT_EQ(commands, (std::vector<std::vector<int32_t>>{{1, 0}, {0, 0}}));
  EXPECT_EQ(g_raised.back().event, kEventDownloadComplete);
}

TEST_F(RuntimeDispatch, AHandlerReturningFalseCancelsTheNavigation) {
  g_results[kEventBeforeNavigate] = {true, 0};
  SetText(Viewer(), kPropAddress, server.url("/refused").c_str());
  PumpFor(milliseconds(800));
  EXPECT_TRUE(server.requests().empty());
  ASSERT_EQ(g_raised.size(), 1u);
  EXPECT_EQ(g_raised[0].event, kEventBeforeNavigate);
}

TEST_F(RuntimeDispatch, ArgumentsReachTheHandler) {
  EventArguments progress;
  EventArguments::ProgressChange(progress, 50, 200);
  ASSERT_EQ(Fire(Viewer(), DISPID_PROGRESSCHANGE, progress), S_OK);
  ASSERT_EQ(g_raised.size(), 1u);
  EXPECT_EQ(g_raised[0].event, kEventProgress);
  EXPECT_EQ(g_raised[0].arguments, std::vector<int32_t>{25});
}

TEST_F(RuntimeDispatch, DestroyingTheWindowClearsTheInstance) {
  HWND viewer = Viewer();
  DestroyWindow(runtime::FindInstance(kViewerWindow, 0));
  EXPECT_FALSE(IsWindow(viewer));
  EXPECT_EQ(Viewer(), nullptr);
  EXPECT_EQ(LiveComObjects(), 0);
}

}  // namespace
}  // namespace webview::tests

const runtime::ProgramImageHeader& TestProgramImage() {
  static const runtime::SupportLibraryInfo* libraries[2];
  static std::vector<uint8_t> formData;
  static runtime::ProgramImageHeader image = [] {
    libraries[0] = &runtime::CoreLibrary();
    libraries[1] = &webview::WebViewLibrary();
    runtime::ProgramImageHeader i = runtime::testing::BasicImage();
    i.libraryCount = 2;
    i.libraries = libraries;
    return i;
  }();
  if (formData.empty()) {
    using namespace webview::tests;
    using webview::tests::Handlers;
    runtime::WindowProperties p;
    p.version = 6;
    p.borderStyle = 0;
    p.backgroundColor = runtime::kButtonFaceColor;
    p.closeEnabled = 1;
    p.showInTaskbar = 1;
    p.title = "网页窗口";
    runtime::UnitDescription window;
    window.id = kViewerWindowOwn;
    window.dataType = runtime::kWindowDataType;
    window.width = 320;
    window.height = 95;
    window.styleFlags = 1;
    window.properties = runtime::WriteWindowProperties(p);
    runtime::UnitDescription viewer;
    viewer.id = kViewerUnit;
    viewer.dataType = webview::kHtmlViewerDataType;
    viewer.name = "超文本浏览框1";
    viewer.left = 4;
    viewer.top = 25;
    viewer.width = 300;
    viewer.height = 45;
    viewer.styleFlags = 5;
    viewer.handlers = Handlers(image.startRoutine, std::make_integer_sequence<int, 10>());
    viewer.properties = StoredData(1, 9, 0, 1, "");
    runtime::WindowDescription form;
    form.id = kViewerWindow;
    form.units = {window, viewer};
    formData = runtime::WriteFormData(std::span(&form, 1));
    image.formData = formData.data();
    image.formDataSize = uint32_t(formData.size());
  }
  return image;
}
