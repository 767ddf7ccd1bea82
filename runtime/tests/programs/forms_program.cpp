// A test program with stored windows. Its command line chooses what it does:
//   forms_program <marker file> <mode>
// normal: loads window 1 and runs the loop; two: window 1 loads window 2 from its event 0;
// missing-start, bad-data: the start fails; unknown-window, unknown-unit, invalid-unit,
// missing-instance: window 1's event 0 handler asks for something that is not there.
// The exit routine and the event handlers append lines to the marker file.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/core_library.h"
#include "runtime/entry_table.h"
#include "runtime/form_data_writer.h"
#include "runtime/program_entry.h"

namespace {

using namespace runtime;

constexpr uint32_t kFirstWindow = 0x52000001;
constexpr uint32_t kSecondWindow = 0x52000002;
constexpr uint32_t kPlainUnit = 0x16000003;
constexpr uint32_t kPlainType = 0x00020001;  // a window without events

std::string g_marker;
std::string g_mode = "normal";
RuntimeServiceFn g_service = nullptr;

void Mark(const std::string& line) {
  if (FILE* f = std::fopen(g_marker.c_str(), "ab")) {
    std::fputs((line + "\n").c_str(), f);
    std::fclose(f);
  }
}

void ExitRoutine() { Mark("exit routine ran"); }

int AppStart() { return 0; }

void RaiseEvent(uint32_t windowId, uint32_t unitId) {
  EventCallRecord record{windowId, unitId, 0};
  g_service(kServiceCallEvent, reinterpret_cast<intptr_t>(&record), 0);
}

HandlerResult FirstWindowCreated(std::span<const int32_t>) {
  Mark("event 0 of window 1");
  if (g_mode == "two") {
    LoadWindowRequest request{kSecondWindow, nullptr, 0};
    g_service(kServiceLoadWindow, reinterpret_cast<intptr_t>(&request), 0);
  }
  if (g_mode == "unknown-window") RaiseEvent(0x520000FF, 0);
  if (g_mode == "unknown-unit") RaiseEvent(kFirstWindow, 0x16000099);
  if (g_mode == "invalid-unit") RaiseEvent(kFirstWindow, kPlainUnit);
  if (g_mode == "missing-instance") g_service(kServiceRequireInstance, kSecondWindow, 0);
  return {};
}

HandlerResult SecondWindowCreated(std::span<const int32_t>) {
  Mark("event 0 of window 2");
  return {};
}

HWND CreatePlainUnit(const ComponentCreateParams& p) {
  return CreateWindowExA(0, "STATIC", "", p.style | WS_CHILD, p.x, p.y, p.width, p.height,
                         p.parent, reinterpret_cast<HMENU>(UINT_PTR(p.childId)), nullptr,
                         nullptr);
}

void* PlainInterface(int code) {
  return code == kInterfaceCreate ? reinterpret_cast<void*>(&CreatePlainUnit) : nullptr;
}

intptr_t PlainNotify(int code, intptr_t param1, intptr_t) {
  if (code != kNotifyStartup) return -1;
  g_service = reinterpret_cast<RuntimeServiceFn>(param1);
  return 0;
}

const DataTypeInfo kPlainTypes[1] = {
    {"平", "plain", "", 0, nullptr, 0, 0, 0, nullptr, 0, nullptr, PlainInterface, 0, nullptr}};

SupportLibraryInfo PlainLibrary() {
  SupportLibraryInfo i{};
  i.format = kLibraryFormat;
  i.dataTypeCount = 1;
  i.dataTypes = kPlainTypes;
  i.notify = PlainNotify;
  return i;
}

UnitDescription WindowUnit(uint32_t id, const char* title, EventHandler handler, int left) {
  WindowProperties p;
  p.borderStyle = 2;
  p.controlBox = 1;
  p.closeEnabled = 1;
  p.showInTaskbar = 1;
  p.backgroundColor = 0x00FF8000;
  p.title = title;
  UnitDescription u;
  u.id = id;
  u.dataType = kWindowDataType;
  u.left = left;
  u.top = 40;
  u.width = 300;
  u.height = 160;
  u.styleFlags = kUnitVisible;
  u.handlers = {{0, HandlerOffsetOf(handler, AppStart)}};
  u.properties = WriteWindowProperties(p);
  return u;
}

std::vector<uint8_t> FormData() {
  UnitDescription plain;
  plain.id = kPlainUnit;
  plain.dataType = kPlainType;
  plain.width = 40;
  plain.height = 20;
  plain.styleFlags = kUnitVisible;
  WindowDescription first{kFirstWindow, {}, {},
                          {WindowUnit(0x06000001, "窗体一", FirstWindowCreated, 30), plain}};
  WindowDescription second{kSecondWindow, {}, {},
                           {WindowUnit(0x06000002, "窗体二", SecondWindowCreated, 400)}};
  const WindowDescription windows[] = {first, second};
  return WriteFormData(windows);
}

SupportLibraryInfo g_plainLibrary;
const SupportLibraryInfo* g_libraries[2];
std::vector<uint8_t> g_formData;
ProgramImageHeader g_image{};

void BuildImage() {
  g_plainLibrary = PlainLibrary();
  g_libraries[0] = &CoreLibrary();
  g_libraries[1] = &g_plainLibrary;
  g_formData = FormData();
  if (g_mode == "bad-data") g_formData.resize(g_formData.size() - 3);
  AddressRange pool = ReadOnlyDataOf(GetModuleHandleA(nullptr));
  g_image.runMode = 3;
  g_image.lastId = 0x100;
  g_image.startRoutine = AppStart;
  g_image.constantPool = pool.start;
  g_image.constantPoolSize = pool.size;
  g_image.formData = g_formData.data();
  g_image.formDataSize = uint32_t(g_formData.size());
  g_image.libraryCount = 2;
  g_image.libraries = g_libraries;
}

int CompiledStart() {
  const RuntimeEntryTable& rt = Entries();
  rt.AuxHelp(kAuxInitializeProgram, reinterpret_cast<intptr_t>(&g_image), 0);
  rt.AuxHelp(kAuxRegisterExitRoutine, reinterpret_cast<intptr_t>(&ExitRoutine), 0);
  AppStart();
  rt.LoadStartWindow(g_mode == "missing-start" ? 0x52000077 : kFirstWindow);
  rt.RunMessageLoop();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc > 1) g_marker = __argv[1];
  if (__argc > 2) g_mode = __argv[2];
  BuildImage();
  return RunProgram(instance, CompiledStart);
}
