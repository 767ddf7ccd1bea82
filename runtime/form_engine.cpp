// Loading windows from their templates, their live units, and the dispatch of events to the
// application's handlers.
#include "form_engine.h"

#include <map>
#include <optional>

#include "form_data.h"
#include "window_component.h"

namespace runtime {

namespace {

// Completion notices the components handle themselves.
constexpr UINT kUnitsCreatedNotice = 0x806F;   // to every component
constexpr UINT kWindowCreatedNotice = 0x8004;  // to the window
constexpr UINT kInitialFocusNotice = 0x8076;   // to every component

constexpr UINT kFirstChildId = 100;
constexpr UINT kChildIdStep = 10;

// Type flags: the component raises events; it has no window of its own.
constexpr uint32_t kTypeHasEvents = 0x40 | 0x04;
constexpr uint32_t kTypeWindowless = 0x8000;

// The live side of one loaded window: an instance per unit, in the template's unit order.
struct LoadedWindow {
  WindowTemplate* form = nullptr;
  std::vector<HWND> instances;
  std::vector<bool> visible;
  HWND parent = nullptr;
  bool loaded = false;
};

std::map<uint32_t, LoadedWindow>& Loaded() {
  static std::map<uint32_t, LoadedWindow> loaded;
  return loaded;
}

LoadedWindow* LiveWindow(uint32_t windowId) {
  auto it = Loaded().find(windowId);
  return it == Loaded().end() ? nullptr : &it->second;
}

HWND WindowOf(uint32_t windowId) {
  LoadedWindow* live = LiveWindow(windowId);
  return live ? live->instances[0] : nullptr;
}

EventSource g_eventSource;

void FireWindowEvent(uint32_t windowId, int32_t eventNumber) {
  EventCallRecord record{};
  record.windowId = windowId;
  record.eventNumber = eventNumber;
  CallEvent(record);
}

bool IsContainerOfWindow(const WindowTemplate& form, uint32_t containerId) {
  return containerId == 0 || containerId == form.unitIds[0];
}

// The container of a unit, 0 for the window whichever way it is named.
uint32_t ContainerOf(const WindowTemplate& form, size_t index) {
  uint32_t id = form.units[index].containerId;
  return IsContainerOfWindow(form, id) ? 0 : id;
}

// Units 0, then U-1 down to 1; menu items have no window.
std::vector<size_t> CreationOrder(const WindowTemplate& form) {
  std::vector<size_t> order = {0};
  for (size_t i = form.unitCount(); i-- > 1;)
    if (!form.units[i].menuItem) order.push_back(i);
  return order;
}

ComponentCreateFn CreateFunctionOf(const DataTypeInfo* type) {
  if (!type || !type->interfaceFunction) return nullptr;
  return reinterpret_cast<ComponentCreateFn>(type->interfaceFunction(kInterfaceCreate));
}

bool CreateUnits(LoadedWindow& live, uint32_t windowId, HWND parent) {
  const WindowTemplate& form = *live.form;
  UINT childId = kFirstChildId;
  for (size_t index : CreationOrder(form)) {
    const UnitRecord& unit = form.units[index];
    const DataTypeInfo* type = FindDataType(unit.dataType);
    ComponentCreateFn create = CreateFunctionOf(type);
    if (!create) return false;
    DWORD style = 0;
    if (unit.styleFlags & kUnitDisabled) style |= WS_DISABLED;
    if (unit.styleFlags & kUnitTabStop) style |= WS_TABSTOP;
    bool visible = index == 0 || (unit.styleFlags & kUnitVisible);
    if (type->stateFlags & kTypeWindowless) {
      style = 0;
      visible = false;
    }
    ComponentCreateParams params{};
    params.data = unit.properties.data();
    params.dataSize = uint32_t(unit.properties.size());
    params.style = style;
    params.x = unit.left;
    params.y = unit.top;
    params.width = unit.width;
    params.height = unit.height;
    params.windowId = windowId;
    params.unitId = unit.id;
    if (index == 0) {
      params.parent = parent;
    } else {
      params.parent = live.instances[0];
      params.childId = childId;
      childId += kChildIdStep;
      params.childOfUnit = !IsContainerOfWindow(form, unit.containerId);
    }
    HWND instance = create(params);
    if (!instance) return false;
    live.instances[index] = instance;
    live.visible[index] = visible;
  }
  return true;
}

void ArrangeUnits(LoadedWindow& live) {
  const WindowTemplate& form = *live.form;
  HWND window = live.instances[0];
  // Parents first: each component goes into its container's window.
  for (size_t i = 1; i < form.unitCount(); ++i) {
    HWND instance = live.instances[i];
    if (!instance) continue;
    HWND parent = window;
    const uint32_t container = form.units[i].containerId;
    if (!IsContainerOfWindow(form, container)) {
      int c = form.indexOf(container);
      if (c > 0 && live.instances[size_t(c)]) parent = live.instances[size_t(c)];
    }
    if (GetParent(instance) != parent) SetParent(instance, parent);
  }
  // Units on later pages of a container start hidden.
  for (size_t i = 0; i < form.unitCount(); ++i) {
    bool laterPage = false;
    for (uint32_t id : form.units[i].contained) {
      if (id == 0) {
        laterPage = true;
        continue;
      }
      int held = form.indexOf(id);
      if (laterPage && held > 0) live.visible[size_t(held)] = false;
    }
  }
  // Each component right after the nearest earlier one of the same container.
  for (size_t i = 1; i < form.unitCount(); ++i) {
    if (!live.instances[i]) continue;
    HWND after = HWND_TOP;
    for (size_t j = i - 1; j >= 1; --j) {
      if (live.instances[j] && ContainerOf(form, j) == ContainerOf(form, i)) {
        after = live.instances[j];
        break;
      }
    }
    SetWindowPos(live.instances[i], after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void ShowUnits(LoadedWindow& live) {
  for (size_t i = 1; i < live.instances.size(); ++i)
    if (live.instances[i]) SendMessageA(live.instances[i], kUnitsCreatedNotice, 0, 0);
  SendMessageA(live.instances[0], kWindowCreatedNotice, 0, 0);
  for (size_t i = 1; i < live.instances.size(); ++i)
    if (live.instances[i]) ShowWindow(live.instances[i], live.visible[i] ? SW_SHOWNA : SW_HIDE);
}

// Every other loaded window without a parent that is enabled now.
std::vector<HWND> DisableOtherTopLevelWindows(uint32_t windowId) {
  std::vector<HWND> disabled;
  for (auto& [id, live] : Loaded()) {
    HWND other = live.instances[0];
    if (id == windowId || live.parent || !other || !IsWindowEnabled(other)) continue;
    EnableWindow(other, FALSE);
    disabled.push_back(other);
  }
  return disabled;
}

void FinishShowing(uint32_t windowId, bool modal) {
  LoadedWindow* live = LiveWindow(windowId);
  if (!live) return;
  HWND window = live->instances[0];
  if (live->visible[0]) ShowWindow(window, SW_SHOW);
  if (modal) MarkWindowModal(window, DisableOtherTopLevelWindows(windowId));
  HWND focus = GetFocus();
  for (size_t i = 1; i < live->instances.size(); ++i)
    if (live->instances[i]) SendMessageA(live->instances[i], kInitialFocusNotice, 0, 0);
  if (focus && !GetFocus() && IsWindow(focus)) SetFocus(focus);
  if ((live = LiveWindow(windowId))) live->loaded = true;
}

void BringToFront(HWND window) {
  if (IsIconic(window))
    ShowWindow(window, SW_RESTORE);
  else
    SetActiveWindow(window);
}

}  // namespace

bool LoadWindow(uint32_t windowId, HWND parent, bool modal) {
  RuntimeApp& app = App();
  WindowTemplate* form = app.templates ? app.templates->find(windowId) : nullptr;
  if (!form) return false;
  if (HWND existing = WindowOf(windowId); existing && IsWindow(existing)) {
    BringToFront(existing);
    return true;
  }
  if (modal)
    parent = nullptr;
  else if (parent && !IsWindow(parent))
    return false;

  RuntimeService(kServiceEnterNested, 0, 0);
  LoadedWindow& live = Loaded()[windowId];
  live = LoadedWindow{};
  live.form = form;
  live.parent = parent;
  live.instances.assign(form->unitCount(), nullptr);
  live.visible.assign(form->unitCount(), false);
  if (!CreateUnits(live, windowId, parent)) {
    // Nothing of a failed load stays behind: its window goes and takes its units along.
    HWND window = live.instances[0];
    Loaded().erase(windowId);
    if (window) DestroyWindow(window);
    RuntimeService(kServiceLeaveNested, 0, 0);
    return false;
  }
  ArrangeUnits(live);
  ShowUnits(live);
  RuntimeService(kServiceLeaveNested, 0, 0);

  // A handler may destroy the window; the later events then have nobody to go to.
  for (int32_t event : {0, 3, 4}) {
    HWND window = WindowOf(windowId);
    if (!window || !IsWindow(window)) return true;
    FireWindowEvent(windowId, event);
  }
  FinishShowing(windowId, modal);
  return true;
}

bool AnyWindowLoaded() {
  for (auto& [id, live] : Loaded())
    if (live.instances[0]) return true;
  return false;
}

HWND FindInstance(uint32_t windowId, uint32_t unitId) {
  LoadedWindow* live = LiveWindow(windowId);
  if (!live) return nullptr;
  if (unitId == 0) return live->instances[0];
  int index = live->form->indexOf(unitId);
  return index < 0 ? nullptr : live->instances[size_t(index)];
}

void InstanceDestroyed(uint32_t windowId, uint32_t unitId) {
  LoadedWindow* live = LiveWindow(windowId);
  if (!live) return;
  int index = unitId == 0 ? 0 : live->form->indexOf(unitId);
  if (index < 0) return;
  if (index > 0) {
    live->instances[size_t(index)] = nullptr;
    return;
  }
  Loaded().erase(windowId);
  if (App().loopEntered && !AnyWindowLoaded()) PostQuitMessage(0);
}

bool IsWindowLoaded(uint32_t windowId) {
  LoadedWindow* live = LiveWindow(windowId);
  return live && live->loaded;
}

void CallEvent(EventCallRecord& record) {
  RuntimeApp& app = App();
  if (app.nesting > 0) return;
  const WindowTemplate* form = app.templates ? app.templates->find(record.windowId) : nullptr;
  if (!form) FatalError("未找到引发事件的窗口");
  const UnitRecord* unit = record.unitId == 0 ? &form->units[0] : form->unit(record.unitId);
  if (!unit) FatalError("未找到引发事件的窗口组件");
  // Shared events: follow the chain, at most once round the window's units.
  for (size_t steps = 0; unit->sharedEventsUnit != 0 && steps < form->unitCount(); ++steps) {
    const UnitRecord* shared = form->unit(unit->sharedEventsUnit);
    if (!shared || shared == unit || shared->dataType != unit->dataType) break;
    unit = shared;
  }
  const DataTypeInfo* type = FindDataType(unit->dataType);
  if (!type || !(type->stateFlags & kTypeHasEvents)) FatalError("引发事件的窗口组件无效");
  if (unit->menuItem) return;
  EventHandler handler = nullptr;
  for (const HandlerEntry& entry : unit->handlers)
    if (entry.eventNumber == record.eventNumber) {
      handler = entry.handler;
      break;
    }
  if (!handler) return;

  int count = record.argumentCount < 0 ? 0 : record.argumentCount > 5 ? 5 : record.argumentCount;
  const EventSource outer = g_eventSource;
  g_eventSource = {record.windowId, record.unitId};
  HandlerResult result = handler(std::span<const int32_t>(record.arguments, size_t(count)));
  g_eventSource = outer;
  if (result.present) {
    record.resultPresent = 1;
    record.result = result.value;
  }
}

EventSource CurrentEventSource() { return g_eventSource; }

bool TranslateWindowAccelerator(MSG&) { return false; }

void FreeWindowTemplates(TemplateMapPtr& map) {
  Loaded().clear();
  map.reset();
}

}  // namespace runtime
