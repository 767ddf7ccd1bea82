// The web view support library: the HtmlViewer component.
#pragma once

#include "runtime/program_image.h"

namespace webview {

const runtime::SupportLibraryInfo& WebViewLibrary();

inline constexpr uint32_t kHtmlViewerDataType = 0x00020001;

}  // namespace webview
