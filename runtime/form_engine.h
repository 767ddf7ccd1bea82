// The form engine as the rest of the runtime sees it: window templates read from the form
// data, loading windows from them, live instances and event dispatch.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "program_image.h"
#include "runtime_app.h"

namespace runtime {

// Reads the form data into templates; handler offsets are resolved against handlerBase.
// Returns null when the data cannot be read.
TemplateMapPtr ReadFormData(const uint8_t* data, uint32_t size, intptr_t handlerBase);
// Frees the templates and forgets the windows loaded from them.
void FreeWindowTemplates(TemplateMapPtr& map);

// Loads a window of the template map, owned by parentInstance (or none); with modal set the
// window has no owner and disables the other top-level windows while it lives.
bool LoadWindow(uint32_t windowId, HWND parentInstance, bool modal);
// Whether any window still has its system window (loaded, or being loaded).
bool AnyWindowLoaded();
// Loaded completely: its load has run to the end.
bool IsWindowLoaded(uint32_t windowId);
// unitId 0: the window itself.
HWND FindInstance(uint32_t windowId, uint32_t unitId);
void InstanceDestroyed(uint32_t windowId, uint32_t unitId);
void CallEvent(EventCallRecord& record);
bool TranslateWindowAccelerator(MSG& msg);

// The window and unit whose event handler is running; zeros outside handlers.
struct EventSource {
  uint32_t windowId = 0;
  uint32_t unitId = 0;
};
EventSource CurrentEventSource();

}  // namespace runtime
