// Process-wide resources every skinned window needs, prepared once by the framework's
// initialisation routine before the start window loads. Never released: they live as long
// as the process.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/controls/picture_strip.h"

namespace framework {

struct FrameworkGlobals {
  ULONG_PTR gdiplusToken = 0;
  HMODULE module = nullptr;
  HICON applicationIcon = nullptr;  // null when the exe has neither icon resource
  int noTrimOnDeactivate = 0;
  HCURSOR handCursor = nullptr;
  HCURSOR ibeamCursor = nullptr;
  HCURSOR sizeAllCursor = nullptr;
  PictureStrip checkBoxStrip;
  PictureStrip radioStrip;
};

FrameworkGlobals& Globals();

// Starts GDI+ with the given version (1 when none is given) and keeps its token.
ULONG_PTR StartGdiplus(uint32_t version, bool versionGiven);

// Window objects start GDI+ on construction when nothing has started it yet.
void EnsureGdiplus();

// Registers a class with the framework's style, the application icon and the arrow
// cursor; true when the system gave an atom.
bool RegisterWindowClass(const char* className, WNDPROC windowProcedure);

// Runs between the application's start routine and the loading of the start window.
int InitializeFramework();

inline constexpr char kShadowWindowClass[] = "FCckyy";

}  // namespace framework
