#include "runtime/tests/form_engine_test_image.h"

#include <cstdio>
#include <map>

#include "runtime/core_library.h"
#include "runtime/entry_table.h"
#include "runtime/typed_value.h"
#include "runtime/form_data_writer.h"
#include "runtime/form_engine.h"
#include "runtime/runtime_app.h"
#include "runtime/testing/test_program.h"

namespace runtime::tests {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", unsigned(value));
  return text;
}

namespace {

constexpr char kUnitClass[] = "TarvoTestUnit";
constexpr uint32_t kTestUnitType = 0x00020001;
constexpr uint32_t kFailingType = 0x00020002;
constexpr uint32_t kNoisyType = 0x00020003;
constexpr uint32_t kWindowlessType = 0x00020004;
constexpr uint32_t kUnknownType = 0x00090001;

struct UnitIdentity {
  uint32_t windowId;
  uint32_t unitId;
};

std::map<HWND, UnitIdentity>& Units() {
  static std::map<HWND, UnitIdentity> units;
  return units;
}

LRESULT CALLBACK TestUnitProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) {
    auto it = Units().find(hwnd);
    if (it != Units().end()) {
      UnitIdentity id = it->second;
      Units().erase(it);
      Log().push_back("destroyed " + Hex(id.unitId));
      RuntimeService(kServiceInstanceDestroyed, id.windowId, id.unitId);
    }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

// The private notices, seen on their way to any window of this thread.
LRESULT CALLBACK NoticeHook(int code, WPARAM wp, LPARAM lp) {
  auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && (call->message == 0x806F || call->message == 0x8004 ||
                            call->message == 0x8076)) {
    auto it = Units().find(call->hwnd);
    std::string target = it != Units().end() ? Hex(it->second.unitId) : "window";
    Log().push_back("notice " + Hex(call->message) + " " + target);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void PrepareTestUnits() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = TestUnitProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kUnitClass;
  RegisterClassA(&wc);
  SetWindowsHookExA(WH_CALLWNDPROC, NoticeHook, nullptr, GetCurrentThreadId());
}

HWND CreateTestUnit(const ComponentCreateParams& p) {
  Log().push_back("create " + Hex(p.unitId));
  HWND hwnd = CreateWindowExA(0, kUnitClass, "", p.style | WS_CHILD | WS_CLIPSIBLINGS, p.x, p.y,
                              p.width, p.height, p.parent,
                              reinterpret_cast<HMENU>(UINT_PTR(p.childId)),
                              GetModuleHandleA(nullptr), nullptr);
  if (hwnd) Units()[hwnd] = {p.windowId, p.unitId};
  return hwnd;
}

HWND CreateFailingUnit(const ComponentCreateParams& p) {
  Log().push_back("create failing " + Hex(p.unitId));
  return nullptr;
}

HWND CreateNoisyUnit(const ComponentCreateParams& p) {
  EventCallRecord record{};
  record.windowId = p.windowId;
  record.eventNumber = 9;
  RuntimeService(kServiceCallEvent, reinterpret_cast<intptr_t>(&record), 0);
  return CreateTestUnit(p);
}

void* TestUnitInterface(int code) {
  return code == kInterfaceCreate ? reinterpret_cast<void*>(&CreateTestUnit) : nullptr;
}
void* FailingInterface(int code) {
  return code == kInterfaceCreate ? reinterpret_cast<void*>(&CreateFailingUnit) : nullptr;
}
void* NoisyInterface(int code) {
  return code == kInterfaceCreate ? reinterpret_cast<void*>(&CreateNoisyUnit) : nullptr;
}

const DataTypeInfo kTestTypes[4] = {
    {"单元", "unit", "", 0, nullptr, 0x40, 0, 0, nullptr, 0, nullptr, TestUnitInterface, 0,
     nullptr},
    {"失败", "failing", "", 0, nullptr, 0x40, 0, 0, nullptr, 0, nullptr, FailingInterface, 0,
     nullptr},
    {"吵闹", "noisy", "", 0, nullptr, 0x40, 0, 0, nullptr, 0, nullptr, NoisyInterface, 0,
     nullptr},
    {"无窗", "windowless", "", 0, nullptr, 0x8040, 0, 0, nullptr, 0, nullptr, TestUnitInterface,
     0, nullptr},
};

const SupportLibraryInfo& TestComponents() {
  static const SupportLibraryInfo info = [] {
    SupportLibraryInfo i{};
    i.format = kLibraryFormat;
    i.dataTypeCount = 4;
    i.dataTypes = kTestTypes;
    return i;
  }();
  return info;
}

void LogEvent(int32_t number) {
  Log().push_back("event " + std::to_string(number) + " " + Hex(CurrentEventSource().windowId));
}

HandlerResult OnEvent0(std::span<const int32_t>) { return LogEvent(0), HandlerResult{}; }
HandlerResult OnEvent3(std::span<const int32_t>) { return LogEvent(3), HandlerResult{}; }
HandlerResult OnEvent4(std::span<const int32_t>) { return LogEvent(4), HandlerResult{}; }
HandlerResult OnEvent9(std::span<const int32_t>) { return LogEvent(9), HandlerResult{}; }
HandlerResult DestroyOnEvent0(std::span<const int32_t>) {
  LogEvent(0);
  DestroyWindow(FindInstance(CurrentEventSource().windowId, 0));
  return {};
}
// A unit's event with arguments, answering with their sum.
HandlerResult OnUnitEvent5(std::span<const int32_t> args) {
  std::string line = "args " + Hex(CurrentEventSource().unitId);
  int32_t sum = 0;
  for (int32_t a : args) {
    line += " " + std::to_string(a);
    sum += a;
  }
  Log().push_back(line);
  return {true, sum};
}

// An icon file with one 32 x 32 image of 32 bits per pixel, all one colour.
std::vector<uint8_t> IconFile() {
  ByteWriter w;
  const uint32_t imageSize = 40 + 32 * 32 * 4 + 32 * 4;
  w.word(0x00010000);  // reserved, type 1
  w.bytes(std::vector<uint8_t>{1, 0, 32, 32, 0, 0, 1, 0, 32, 0});
  w.word(imageSize);
  w.word(22);
  w.word(40);
  w.word(32);
  w.word(64);  // colour and mask rows
  w.word(1 | 32 << 16);
  for (int i = 0; i < 6; ++i) w.word(0);
  for (int i = 0; i < 32 * 32; ++i) w.word(0xFF20A040);
  for (int i = 0; i < 32; ++i) w.word(0);
  return w.take();
}

HandlerResult MainWindowCreated(std::span<const int32_t>) {
  LogEvent(0);
  HWND main = reinterpret_cast<HWND>(
      intptr_t(CoreCall(kWindowHandleOf, {UnitValue(kMainWindow, kMainWindowOwn)}).low));
  Log().push_back(main == FindInstance(kMainWindow, 0) ? "handle ok" : "handle wrong");
  TypedValue loaded = CoreCall(kLoadWindow, {UnitValue(kPageWindow, kPageWindowOwn),
                                         UnitValue(kMainWindow, kMainWindowOwn)});
  Log().push_back(loaded.low ? "page loaded" : "page not loaded");
  CoreCall(kMoveUnit, {UnitValue(kPageWindow, kPageWindowOwn), IntValue(10), IntValue(584), IntValue(1001),
                   IntValue(-1)});
  return {};
}

WindowProperties PlainProperties(const char* title) {
  WindowProperties p;
  p.version = 6;
  p.borderStyle = 2;
  p.backgroundColor = kButtonFaceColor;
  p.controlBox = 1;
  p.closeEnabled = 1;
  p.showInTaskbar = 1;
  p.title = title;
  return p;
}

StartRoutine Base() { return testing::BasicImage().startRoutine; }

HandlerOffset On(int32_t event, EventHandler handler) {
  return {event, HandlerOffsetOf(handler, Base())};
}

UnitDescription WindowUnit(uint32_t id, const WindowProperties& p,
                           std::vector<HandlerOffset> handlers) {
  UnitDescription u;
  u.id = id;
  u.dataType = kWindowDataType;
  u.left = 40;
  u.top = 30;
  u.width = 320;
  u.height = 200;
  u.styleFlags = kUnitVisible;
  u.handlers = std::move(handlers);
  u.properties = WriteWindowProperties(p);
  return u;
}

UnitDescription Component(uint32_t id, uint32_t type, uint32_t flags, uint32_t container = 0) {
  UnitDescription u;
  u.id = id;
  u.dataType = type;
  u.left = 5;
  u.top = 6;
  u.width = 50;
  u.height = 20;
  u.styleFlags = flags;
  u.containerId = container;
  return u;
}

std::vector<HandlerOffset> LoadEvents() {
  return {On(0, OnEvent0), On(3, OnEvent3), On(4, OnEvent4), On(9, OnEvent9), {1, -1}};
}

WindowDescription Window(uint32_t id, std::vector<UnitDescription> units) {
  WindowDescription w;
  w.id = id;
  w.units = std::move(units);
  return w;
}

std::vector<uint8_t> BuildFormData() {
  UnitDescription a = Component(kUnitA, kTestUnitType, kUnitVisible);
  a.handlers = {On(5, OnUnitEvent5)};
  UnitDescription b = Component(kUnitB, kTestUnitType, kUnitVisible | kUnitTabStop);
  b.contained = {kUnitC, 0, kUnitD};
  UnitDescription f = Component(kUnitF, kTestUnitType, kUnitVisible);
  f.sharedEventsUnit = kUnitA;

  WindowProperties styled = PlainProperties("有样式");
  styled.borderStyle = 1;
  styled.maximizeBox = 1;
  styled.minimizeBox = 1;
  styled.startPosition = 1;
  styled.alwaysOnTop = 1;
  styled.closeEnabled = 0;
  WindowProperties badBlock = PlainProperties("坏");
  badBlock.version = 7;
  WindowProperties hiddenOwner = PlainProperties("无任务栏");
  hiddenOwner.showInTaskbar = 0;
  WindowProperties ownClass = PlainProperties("自有类");
  ownClass.className = kStyledClass;
  ownClass.borderStyle = 4;
  WindowProperties withIcon = PlainProperties("有图标");
  withIcon.icon = IconFile();
  WindowProperties badIcon = PlainProperties("坏图标");
  badIcon.icon = {1, 2, 3, 4, 5, 6, 7};
  WindowProperties borderless = PlainProperties("无边框");
  borderless.borderStyle = 0;

  const WindowDescription windows[] = {
      Window(kUnitsWindow,
             {WindowUnit(kUnitsWindowOwn, PlainProperties("单元窗口"), LoadEvents()), a, b,
              Component(kUnitC, kTestUnitType, kUnitVisible, kUnitB),
              Component(kUnitD, kTestUnitType, kUnitVisible, kUnitB),
              Component(kUnitE, kTestUnitType, kUnitDisabled), f}),
      Window(kSelfClosingWindow,
             {WindowUnit(0x06000011, PlainProperties("自闭"),
                         {On(0, DestroyOnEvent0), On(3, OnEvent3), On(4, OnEvent4)})}),
      Window(kFailingUnitWindow,
             {WindowUnit(0x06000021, PlainProperties("失败窗口"), LoadEvents()),
              Component(0x16000022, kTestUnitType, kUnitVisible),
              Component(0x16000023, kFailingType, kUnitVisible),
              Component(0x16000024, kTestUnitType, kUnitVisible)}),
      Window(kNoisyWindow, {WindowUnit(0x06000031, PlainProperties("吵闹窗口"), LoadEvents()),
                            Component(kNoisyUnit, kNoisyType, kUnitVisible)}),
      Window(kModalWindow, {WindowUnit(0x06000041, PlainProperties("模态"), LoadEvents())}),
      Window(kStyledWindow, {WindowUnit(0x06000051, styled, {})}),
      Window(kBadBlockWindow, {WindowUnit(0x06000061, badBlock, LoadEvents())}),
      Window(kUnknownTypeWindow, {WindowUnit(0x06000071, PlainProperties("未知"), LoadEvents()),
                                  Component(0x16000072, kUnknownType, kUnitVisible)}),
      Window(kHiddenOwnerWindow, {WindowUnit(0x06000081, hiddenOwner, {})}),
      Window(kOwnClassWindow, {WindowUnit(0x06000091, ownClass, {})}),
      Window(kIconWindow, {WindowUnit(0x060000B1, withIcon, {})}),
      Window(kBadIconWindow, {WindowUnit(0x060000C1, badIcon, {})}),
      Window(kMainWindow, {WindowUnit(kMainWindowOwn, PlainProperties("主窗口"),
                                      {On(0, MainWindowCreated)})}),
      Window(kPageWindow,
             {WindowUnit(kPageWindowOwn, PlainProperties("选择夹"), LoadEvents())}),
      Window(kWindowlessTypeWindow,
             {WindowUnit(0x06000101, PlainProperties("无窗单元"), {}),
              Component(kWindowlessUnit, kWindowlessType,
                        kUnitVisible | kUnitDisabled | kUnitTabStop)}),
      Window(kBorderlessWindow, {WindowUnit(0x060000A1, borderless, {})}),
  };
  return WriteFormData(windows);
}

}  // namespace

TypedValue UnitValue(uint32_t windowId, uint32_t unitId) {
  TypedValue v;
  v.low = windowId;
  v.high = unitId;
  v.type = kWindowDataType;
  return v;
}

TypedValue IntValue(int32_t value) {
  TypedValue v;
  v.low = uint32_t(value);
  v.type = kTypeInt;
  return v;
}

TypedValue CoreCall(CoreCommand command, std::vector<TypedValue> args) {
  return Entries().CallCoreCommand(kCoreCommands[command], int(args.size()), args.data());
}

}  // namespace runtime::tests

const runtime::ProgramImageHeader& TestProgramImage() {
  static const runtime::SupportLibraryInfo* libraries[2];
  static std::vector<uint8_t> formData;
  static runtime::ProgramImageHeader image = [] {
    libraries[0] = &runtime::CoreLibrary();
    libraries[1] = &runtime::tests::TestComponents();
    formData = runtime::tests::BuildFormData();
    runtime::tests::PrepareTestUnits();
    runtime::ProgramImageHeader i = runtime::testing::BasicImage();
    i.libraryCount = 2;
    i.libraries = libraries;
    i.formData = formData.data();
    i.formDataSize = uint32_t(formData.size());
    return i;
  }();
  return image;
}
