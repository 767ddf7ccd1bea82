// The core library's window component (data type 0x00010001): the system window of a stored
// window, made from its property block.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "form_data.h"
#include "program_image.h"

namespace runtime {

inline constexpr char kDefaultWindowClass[] = "ZXWindow";

// Creation style and extended style of a window from its properties.
struct WindowStyles {
  DWORD style = 0;
  DWORD exStyle = 0;
};
WindowStyles WindowStylesOf(const WindowProperties& p, DWORD creationStyle, bool hasParent,
                            bool childOfUnit);

HWND CreateWindowComponent(const ComponentCreateParams& params);

// The window gets modal: the windows it disabled are enabled again when it is destroyed.
void MarkWindowModal(HWND window, std::vector<HWND> disabled);
bool IsWindowComponent(HWND window);

}  // namespace runtime
