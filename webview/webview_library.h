// The web view support library: the HtmlViewer component.
#pragma once

#include <windows.h>

#include "runtime/program_image.h"
#include "runtime/typed_value.h"

namespace webview {

const runtime::SupportLibraryInfo& WebViewLibrary();

inline constexpr uint32_t kHtmlViewerDataType = 0x00020001;

// Interface kinds the HtmlViewer type answers.
enum InterfaceKind : int {
  kInterfaceCreate = 1,
  kInterfaceSetProperty = 4,
  kInterfaceSerialize = 5,
  kInterfaceGetProperty = 6,
};

// Kind 1 is a runtime::ComponentCreateFn. Kind 4 returns 0; kind 6 returns 1 when it filled
// the value (texts are new runtime heap blocks the caller owns). Kind 5 returns a movable
// global memory block the caller frees, or null.
using SetOwnPropertyFn = int (*)(HWND component, int index, const runtime::TypedValue* value);
using SerializeAllFn = HGLOBAL (*)(HWND component);
using GetOwnPropertyFn = int (*)(HWND component, int index, runtime::TypedValue* value);

void* HtmlViewerInterface(int kind);

// Calls the runtime's service entry handed over at start-up; 0 when none was handed over.
intptr_t CallRuntime(int code, intptr_t param1 = 0, intptr_t param2 = 0);

}  // namespace webview
