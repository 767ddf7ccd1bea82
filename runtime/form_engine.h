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
TemplateMapPtr ReadFormData(const uint8_t* data, uint32_t size,
                                                intptr_t handlerBase);
void FreeWindowTemplates(TemplateMapPtr& map);

bool LoadWindow(uint32_t windowId, HWND parentInstance, bool modal);
bool AnyWindowLoaded();
HWND FindInstance(uint32_t windowId, uint32_t unitId);
void InstanceDestroyed(uint32_t windowId, uint32_t unitId);
void CallEvent(EventCallRecord& record);
bool TranslateWindowAccelerator(MSG& msg);

}  // namespace runtime
