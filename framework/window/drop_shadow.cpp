#include "framework/window/drop_shadow.h"

#include "framework/dll.h"

namespace framework {

// The shadow window draws nothing of its own yet; the system handles every message.
LRESULT CALLBACK ShadowWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return dll::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace framework
