// Windows loaded from stored templates, with real windows: units, order, visibility,
// notices and events in sequence, styles and owners, dispatch and the end of the loop.
#include <gtest/gtest.h>

#include <gmock/gmock.h>

#include "runtime/core_library.h"
#include "runtime/entry_table.h"
#include "runtime/form_engine.h"
#include "runtime/typed_value.h"
#include "runtime/runtime_app.h"
#include "runtime/tests/form_engine_test_image.h"
#include "runtime/window_component.h"

namespace runtime::tests {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr uint32_t kAllWindows[] = {
    kUnitsWindow,   kSelfClosingWindow, kFailingUnitWindow, kNoisyWindow,     kModalWindow,
    kStyledWindow, kBadBlockWindow,    kUnknownTypeWindow, kHiddenOwnerWindow, kOwnClassWindow,
    kBorderlessWindow, kIconWindow, kBadIconWindow, kPageWindow, kMainWindow,
    kWindowlessTypeWindow};

bool QuitPosted() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

class FormEngine : public ::testing::Test {
 protected:
  void SetUp() override { Log().clear(); }
  void TearDown() override {
    for (uint32_t id : kAllWindows)
      if (HWND window = FindInstance(id, 0)) DestroyWindow(window);
    App().loopEntered = false;
    QuitPosted();
  }
  static HWND Load(uint32_t id, HWND parent = nullptr, bool modal = false) {
    EXPECT_TRUE(LoadWindow(id, parent, modal));
    return FindInstance(id, 0);
  }
  static std::vector<std::string> Matching(const std::string& prefix) {
    std::vector<std::string> lines;
    for (const std::string& line : Log())
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
  }
  static std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      children.push_back(c);
    return children;
  }
};

TEST_F(FormEngine, CreatesTheWindowAndItsUnitsInOrderWithChildIds) {
  HWND window = Load(kUnitsWindow);
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsWindowLoaded(kUnitsWindow));
  char className[64] = {}, title[64] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(className, "ZXWindow");
  EXPECT_STREQ(title, "单元窗口");
  EXPECT_TRUE(IsWindowVisible(window));

  // Units U-1 down to 1, with child ids 100, 110, ... in that order.
  EXPECT_THAT(Matching("create"), ElementsAre("create 16000007", "create 16000006",
                                              "create 16000005", "create 16000004",
                                              "create 16000003", "create 16000002"));
  const uint32_t units[] = {kUnitF, kUnitE, kUnitD, kUnitC, kUnitB, kUnitA};
  for (int i = 0; i < 6; ++i) {
    HWND unit = FindInstance(kUnitsWindow, units[i]);
    ASSERT_TRUE(unit) << Hex(units[i]);
    EXPECT_EQ(GetDlgCtrlID(unit), 100 + 10 * i) << Hex(units[i]);
  }
  EXPECT_EQ(FindInstance(kUnitsWindow, kUnitsWindowOwn), window);

  HWND a = FindInstance(kUnitsWindow, kUnitA), b = FindInstance(kUnitsWindow, kUnitB),
       c = FindInstance(kUnitsWindow, kUnitC), d = FindInstance(kUnitsWindow, kUnitD),
       e = FindInstance(kUnitsWindow, kUnitE), f = FindInstance(kUnitsWindow, kUnitF);
  // Contained units move into their container; each container keeps its units in order.
  EXPECT_EQ(GetParent(c), b);
  EXPECT_EQ(GetParent(d), b);
  EXPECT_THAT(Children(window), ElementsAre(a, b, e, f));
  EXPECT_THAT(Children(b), ElementsAre(c, d));

  // D is on the container's second page; E is not visible and disabled.
  EXPECT_TRUE(IsWindowVisible(a));
  EXPECT_TRUE(IsWindowVisible(c));
  EXPECT_FALSE(IsWindowVisible(d));
  EXPECT_FALSE(IsWindowVisible(e));
  EXPECT_FALSE(IsWindowEnabled(e));
  EXPECT_TRUE(IsWindowEnabled(a));
  EXPECT_TRUE(GetWindowLongPtrA(b, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(FormEngine, AUnitOfAWindowlessTypeGetsNoStyleAndStaysHidden) {
  ASSERT_TRUE(Load(kWindowlessTypeWindow));
  HWND unit = FindInstance(kWindowlessTypeWindow, kWindowlessUnit);
  ASSERT_TRUE(unit);
  EXPECT_FALSE(IsWindowVisible(unit));
  EXPECT_TRUE(IsWindowEnabled(unit));
  EXPECT_FALSE(GetWindowLongPtrA(unit, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(FormEngine, NoticesAndEventsComeInOrder) {
  ASSERT_TRUE(Load(kUnitsWindow));
  std::vector<std::string> sequence;
  for (const std::string& line : Log())
    if (line.rfind("create", 0) != 0) sequence.push_back(line);
  EXPECT_THAT(sequence,
              ElementsAreArray({"notice 806F 16000002", "notice 806F 16000003",
                                "notice 806F 16000004", "notice 806F 16000005",
                                "notice 806F 16000006", "notice 806F 16000007",
                                "notice 8004 window", "event 0 52000001", "event 3 52000001",
                                "event 4 52000001", "notice 8076 16000002",
                                "notice 8076 16000003", "notice 8076 16000004",
                                "notice 8076 16000005", "notice 8076 16000006",
                                "notice 8076 16000007"}));
}

TEST_F(FormEngine, ASecondLoadOnlyRestoresOrActivatesAndFiresNoEvents) {
  HWND window = Load(kUnitsWindow);
  ASSERT_TRUE(window);
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window));
  Log().clear();
  EXPECT_EQ(Load(kUnitsWindow), window);
  EXPECT_FALSE(IsIconic(window));
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(other);
  SetActiveWindow(other);
  ASSERT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(Load(kUnitsWindow), window);
  EXPECT_EQ(GetActiveWindow(), window);
  EXPECT_TRUE(Log().empty());
  DestroyWindow(other);
}

TEST_F(FormEngine, EventsRaisedDuringALoadAreDropped) {
  ASSERT_TRUE(Load(kNoisyWindow));
  EXPECT_THAT(Matching("event"),
              ElementsAre("event 0 52000004", "event 3 52000004", "event 4 52000004"));
  // The same event once the load is over reaches its handler.
  EventCallRecord record{kNoisyWindow, 0, 9};
  RuntimeService(kServiceCallEvent, reinterpret_cast<intptr_t>(&record), 0);
  EXPECT_EQ(Log().back(), "event 9 52000004");
}

TEST_F(FormEngine, AWindowDestroyedInEvent0GetsNeitherEvent3Nor4) {
  EXPECT_TRUE(LoadWindow(kSelfClosingWindow, nullptr, false));
  EXPECT_THAT(Matching("event"), ElementsAre("event 0 52000002"));
  EXPECT_EQ(FindInstance(kSelfClosingWindow, 0), nullptr);
  EXPECT_FALSE(IsWindowLoaded(kSelfClosingWindow));
  EXPECT_FALSE(AnyWindowLoaded());
}

TEST_F(FormEngine, AUnitThatCannotBeCreatedFailsTheLoadAndLeavesNothing) {
  for (uint32_t id : {kFailingUnitWindow, kUnknownTypeWindow, kBadBlockWindow}) {
    Log().clear();
    EXPECT_FALSE(LoadWindow(id, nullptr, false)) << Hex(id);
    EXPECT_EQ(FindInstance(id, 0), nullptr);
    EXPECT_TRUE(Matching("event").empty());
    EXPECT_EQ(App().nesting, 0);
  }
  // The unit created before the failing one went with its window.
  LoadWindow(kFailingUnitWindow, nullptr, false);
  EXPECT_THAT(Matching("create"), ElementsAre("create 16000024", "create failing 16000023"));
  EXPECT_THAT(Matching("destroyed"), ElementsAre("destroyed 16000024"));
  EXPECT_EQ(FindWindowA("ZXWindow", "失败窗口"), nullptr);
  EXPECT_FALSE(LoadWindow(kMissingWindow, nullptr, false));
}

TEST_F(FormEngine, DestroyingAWindowClearsItsInstances) {
  HWND window = Load(kUnitsWindow);
  ASSERT_TRUE(window);
  DestroyWindow(window);
  EXPECT_EQ(FindInstance(kUnitsWindow, 0), nullptr);
  EXPECT_EQ(FindInstance(kUnitsWindow, kUnitA), nullptr);
  EXPECT_EQ(Matching("destroyed").size(), 6u);
  EXPECT_FALSE(IsWindowLoaded(kUnitsWindow));
  // It can be loaded again, with its events.
  Log().clear();
  ASSERT_TRUE(Load(kUnitsWindow));
  EXPECT_EQ(Matching("event").size(), 3u);
}

TEST_F(FormEngine, QuitIsPostedOnlyWhenTheLastLoadedWindowGoesAfterTheLoopStarted) {
  HWND first = Load(kUnitsWindow);
  HWND second = Load(kModalWindow);
  DestroyWindow(first);
  EXPECT_FALSE(QuitPosted());  // the loop has not been entered
  first = Load(kUnitsWindow);
  App().loopEntered = true;
  DestroyWindow(first);
  EXPECT_FALSE(QuitPosted());
  DestroyWindow(second);
  EXPECT_TRUE(QuitPosted());
}

LRESULT CALLBACK SwallowingDestroyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY || msg == WM_NCDESTROY) return 0;
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, "TestPrevious"));
  return CallWindowProcA(previous, hwnd, msg, wp, lp);
}

TEST_F(FormEngine, DestructionIsSeenThroughASubclassThatKeepsTheDestroyMessages) {
  HWND window = Load(kModalWindow);
  ASSERT_TRUE(window);
  SetPropA(window, "TestPrevious", reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowingDestroyProc));
  App().loopEntered = true;
  DestroyWindow(window);
  EXPECT_EQ(FindInstance(kModalWindow, 0), nullptr);
  EXPECT_TRUE(QuitPosted());
}

TEST_F(FormEngine, TheMessageLoopEndsWhenTheLastWindowCloses) {
  HWND first = Load(kUnitsWindow);
  HWND second = Load(kStyledWindow);
  PostMessageA(first, WM_CLOSE, 0, 0);
  PostMessageA(second, WM_CLOSE, 0, 0);
  RunMessageLoop();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
  EXPECT_FALSE(AnyWindowLoaded());
}

TEST_F(FormEngine, WindowStylesFollowTheProperties) {
  HWND window = Load(kStyledWindow);
  ASSERT_TRUE(window);
  LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX |
                     WS_CLIPCHILDREN),
            WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX |
                WS_CLIPCHILDREN);
  EXPECT_FALSE(style & WS_POPUP);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  // Centred on the screen with its stored size.
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 320);
  EXPECT_EQ(rect.bottom - rect.top, 200);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 320) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
  // Close disabled: the system menu has no Close command.
  EXPECT_EQ(GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND), UINT(-1));
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
}

TEST_F(FormEngine, StoredClassAndToolWindowBorder) {
  HWND window = Load(kOwnClassWindow);
  ASSERT_TRUE(window);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, kStyledClass);
  EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongPtrA(window, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 40);
  EXPECT_EQ(rect.top, 30);
}

TEST_F(FormEngine, BorderStyleNoneHasNoCaptionOrFrame) {
  HWND window = Load(kBorderlessWindow);
  ASSERT_TRUE(window);
  LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_POPUP | WS_CHILD), 0) << std::hex << style;
  RECT rect, client;
  GetWindowRect(window, &rect);
  GetClientRect(window, &client);
  EXPECT_EQ(rect.right - rect.left, 320);
  EXPECT_EQ(rect.bottom - rect.top, 200);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 200);
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

TEST_F(FormEngine, TheStoredIconBecomesTheWindowsIcons) {
  HWND window = Load(kIconWindow);
  ASSERT_TRUE(window);
  auto big = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
  auto small = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
  ASSERT_TRUE(big);
  ASSERT_TRUE(small);
  EXPECT_EQ(IconWidth(big), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON));
  // An icon block that is no icon leaves the default icon (none in this test program).
  HWND bad = Load(kBadIconWindow);
  ASSERT_TRUE(bad);
  EXPECT_EQ(SendMessageA(bad, WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(FormEngine, OwnerRules) {
  HWND hidden = Load(kHiddenOwnerWindow);
  ASSERT_TRUE(hidden);
  EXPECT_EQ(GetWindow(hidden, GW_OWNER), App().ownerWindow);

  HWND parent = Load(kUnitsWindow);
  HWND owned = Load(kStyledWindow, parent);
  ASSERT_TRUE(owned);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), parent);
  EXPECT_TRUE(GetWindowLongPtrA(owned, GWL_STYLE) & WS_POPUP);
  DestroyWindow(owned);

  // A parent that is gone fails the load; a modal load ignores the parent.
  HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_FALSE(LoadWindow(kStyledWindow, gone, false));
  EXPECT_TRUE(LoadWindow(kStyledWindow, gone, true));
  EXPECT_EQ(GetWindow(FindInstance(kStyledWindow, 0), GW_OWNER), nullptr);
}

TEST_F(FormEngine, AModalWindowDisablesTheOthersUntilItGoes) {
  HWND main = Load(kUnitsWindow);
  HWND owned = Load(kStyledWindow, main);
  HWND modal = Load(kModalWindow, nullptr, true);
  ASSERT_TRUE(modal);
  EXPECT_FALSE(IsWindowEnabled(main));
  EXPECT_TRUE(IsWindowEnabled(owned));  // it has a parent
  EXPECT_TRUE(IsWindowEnabled(modal));
  DestroyWindow(modal);
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(FormEngine, DispatchPassesArgumentsResultAndSource) {
  ASSERT_TRUE(Load(kUnitsWindow));
  EventCallRecord record{kUnitsWindow, kUnitA, 5, 3, {4, 5, 6}};
  RuntimeService(kServiceCallEvent, reinterpret_cast<intptr_t>(&record), 0);
  EXPECT_EQ(Log().back(), "args 16000002 4 5 6");
  EXPECT_EQ(record.resultPresent, 1);
  EXPECT_EQ(record.result, 15);
  EXPECT_EQ(CurrentEventSource().windowId, 0u);

  // F shares A's events; the source stays the unit that raised the event.
  EventCallRecord shared{kUnitsWindow, kUnitF, 5, 1, {7}};
  CallEvent(shared);
  EXPECT_EQ(Log().back(), "args 16000007 7");
  EXPECT_EQ(shared.result, 7);

  // No handler, or a -1 handler: ignored, no result.
  size_t lines = Log().size();
  for (int32_t event : {1, 2}) {
    EventCallRecord none{kUnitsWindow, 0, event};
    CallEvent(none);
    EXPECT_EQ(none.resultPresent, 0);
  }
  EXPECT_EQ(Log().size(), lines);

  // While the nesting counter is up nothing runs.
  RuntimeService(kServiceEnterNested, 0, 0);
  EventCallRecord nested{kUnitsWindow, kUnitA, 5, 1, {1}};
  CallEvent(nested);
  RuntimeService(kServiceLeaveNested, 0, 0);
  EXPECT_EQ(nested.resultPresent, 0);
  EXPECT_EQ(Log().size(), lines);
}

TEST_F(FormEngine, ServicesReachTheTemplatesAndInstances) {
  EXPECT_EQ(RuntimeService(kServiceTemplateMap, 0, 0),
            reinterpret_cast<intptr_t>(App().templates.get()));
  LoadWindowRequest request{kUnitsWindow, nullptr, 0};
  EXPECT_EQ(RuntimeService(kServiceLoadWindow, reinterpret_cast<intptr_t>(&request), 0), 0);
  HWND window = FindInstance(kUnitsWindow, 0);
  EXPECT_EQ(RuntimeService(kServiceFindInstance, kUnitsWindow, 0), intptr_t(window));
  EXPECT_EQ(RuntimeService(kServiceRequireInstance, kUnitsWindow, kUnitB),
            intptr_t(FindInstance(kUnitsWindow, kUnitB)));
  EXPECT_EQ(RuntimeService(kServiceFindInstance, kUnitsWindow, 0x16000099), 0);
  LoadWindowRequest failing{kFailingUnitWindow, nullptr, 0};
  EXPECT_EQ(RuntimeService(kServiceLoadWindow, reinterpret_cast<intptr_t>(&failing), 0), -1);
  // A unit reports its own destruction.
  RuntimeService(kServiceInstanceDestroyed, kUnitsWindow, kUnitB);
  EXPECT_EQ(RuntimeService(kServiceFindInstance, kUnitsWindow, kUnitB), 0);
}

TEST_F(FormEngine, AHandlerLoadsAndMovesAWindowThroughTheCommands) {
  HWND main = Load(kMainWindow);
  ASSERT_TRUE(main);
  // The page window's events run inside the main window's event 0.
  std::vector<std::string> steps;
  for (const std::string& line : Log())
    if (line.rfind("notice", 0) != 0) steps.push_back(line);
  EXPECT_THAT(steps, ElementsAre("event 0 5200000E", "handle ok", "event 0 5200000F",
                                 "event 3 5200000F", "event 4 5200000F", "page loaded"));
  HWND page = FindInstance(kPageWindow, 0);
  ASSERT_TRUE(page);
  EXPECT_EQ(GetWindow(page, GW_OWNER), main);
  EXPECT_TRUE(GetWindowLongPtrA(page, GWL_STYLE) & WS_POPUP);
  // An owned pop-up moves in screen coordinates; height -1 keeps the height.
  RECT rect;
  GetWindowRect(page, &rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 584);
  EXPECT_EQ(rect.right - rect.left, 1001);
  EXPECT_EQ(rect.bottom - rect.top, 200);
  EXPECT_TRUE(IsWindowLoaded(kMainWindow));
  EXPECT_TRUE(IsWindowLoaded(kPageWindow));
}

TEST_F(FormEngine, CommandsReachLoadedUnits) {
  HWND window = Load(kUnitsWindow);
  ASSERT_TRUE(window);
  HWND c = FindInstance(kUnitsWindow, kUnitC);
  EXPECT_EQ(CoreCall(kWindowHandleOf, {UnitValue(kUnitsWindow, kUnitsWindowOwn)}).low,
            uint32_t(uintptr_t(window)));
  EXPECT_EQ(CoreCall(kWindowHandleOf, {UnitValue(kUnitsWindow, kUnitC)}).low,
            uint32_t(uintptr_t(c)));

  // A unit inside a container moves in its container's client coordinates.
  CoreCall(kMoveUnit, {UnitValue(kUnitsWindow, kUnitC), IntValue(7), IntValue(8)});
  RECT rect;
  GetWindowRect(c, &rect);
  MapWindowPoints(nullptr, FindInstance(kUnitsWindow, kUnitB), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 7);
  EXPECT_EQ(rect.top, 8);
  EXPECT_EQ(rect.right - rect.left, 50);
  EXPECT_EQ(rect.bottom - rect.top, 20);

  // A loaded window as parent; a parent that is not loaded gives false.
  EXPECT_EQ(CoreCall(kLoadWindow, {UnitValue(kStyledWindow, 0x06000051),
                               UnitValue(kModalWindow, 0x06000041)}).low, 0u);
  EXPECT_EQ(FindInstance(kStyledWindow, 0), nullptr);
  EXPECT_EQ(CoreCall(kLoadWindow, {UnitValue(kFailingUnitWindow, 0x06000021)}).low, 0u);
  EXPECT_NE(CoreCall(kLoadWindow, {UnitValue(kStyledWindow, 0x06000051),
                               UnitValue(kUnitsWindow, kUnitsWindowOwn)}).low, 0u);
  EXPECT_EQ(GetWindow(FindInstance(kStyledWindow, 0), GW_OWNER), window);
}

TEST(WindowStyles, FromBorderStyleAndBoxes) {
  struct Case {
    uint32_t border, controlBox;
    const char* title;
    DWORD style, exStyle;
  };
  const Case cases[] = {
      {0, 1, "标题", WS_CLIPCHILDREN, 0},
      {1, 1, "", WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0},
      {2, 0, "标题", WS_CLIPCHILDREN | WS_CAPTION, 0},
      {2, 0, "", WS_CLIPCHILDREN, 0},
      {3, 1, "", WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {4, 1, "", WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
      {5, 0, "t", WS_CLIPCHILDREN | WS_CAPTION | WS_THICKFRAME, WS_EX_CLIENTEDGE},
      {6, 0, "t", WS_CLIPCHILDREN | WS_CAPTION, WS_EX_CLIENTEDGE},
  };
  for (const Case& c : cases) {
    WindowProperties p;
    p.borderStyle = c.border;
    p.controlBox = c.controlBox;
    p.title = c.title;
    WindowStyles s = WindowStylesOf(p, 0, false, false);
    EXPECT_EQ(s.style, c.style) << c.border;
    EXPECT_EQ(s.exStyle, c.exStyle) << c.border;
  }
  WindowProperties p;
  p.borderStyle = 1;
  p.startPosition = 3;
  EXPECT_EQ(WindowStylesOf(p, WS_DISABLED, true, false).style,
            WS_DISABLED | WS_CLIPCHILDREN | WS_THICKFRAME | WS_MAXIMIZE | WS_POPUP);
  EXPECT_EQ(WindowStylesOf(p, 0, true, true).style, WS_CLIPCHILDREN | WS_MAXIMIZE | WS_CHILD);
  p.borderStyle = 2;
  EXPECT_FALSE(WindowStylesOf(p, 0, false, false).style & WS_MAXIMIZE);
  p.startPosition = 2;
  EXPECT_TRUE(WindowStylesOf(p, 0, false, false).style & WS_MINIMIZE);
}

}  // namespace
}  // namespace runtime::tests
