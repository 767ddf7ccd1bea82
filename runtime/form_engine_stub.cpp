// Placeholder form engine: no templates, no windows.
#include "core_library.h"
#include "form_engine.h"

namespace runtime {

class WindowTemplateMap {};

void WindowTemplateMapDeleter::operator()(WindowTemplateMap* map) const { delete map; }
TemplateMapPtr ReadFormData(const uint8_t*, uint32_t, intptr_t) {
  return TemplateMapPtr(new WindowTemplateMap);
}
void FreeWindowTemplates(TemplateMapPtr& map) { map.reset(); }
bool LoadWindow(uint32_t, HWND, bool) { return false; }
bool AnyWindowLoaded() { return false; }
HWND FindInstance(uint32_t, uint32_t) { return nullptr; }
void InstanceDestroyed(uint32_t, uint32_t) {}
void CallEvent(EventCallRecord&) {}
bool TranslateWindowAccelerator(MSG&) { return false; }
void* WindowComponentInterface(int) { return nullptr; }

}  // namespace runtime
