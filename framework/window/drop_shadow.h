// The drop-shadow window that follows a skinned window.
#pragma once

#include <windows.h>

namespace framework {

LRESULT CALLBACK ShadowWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace framework
