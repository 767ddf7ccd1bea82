// The HtmlViewer component: a child window hosting the system web-browser control, its
// stored properties and its events.
#pragma once

#include <exdisp.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/program_image.h"
#include "runtime/typed_value.h"
#include "webview/com.h"
#include "webview/control_host.h"

namespace webview {

inline constexpr UINT kBrowserControlId = 0xE900;
inline constexpr char kHtmlViewerClass[] = "TarvoHtmlViewer";

// The component's own properties.
enum OwnProperty : int {
  kPropZoom = 0,
  kPropOffline = 1,
  kPropSilent = 2,
  kPropAddress = 3,
  kPropStatusText = 4,
  kPropTitle = 5,
  kPropBrowseInDesign = 6,
};

// The component's events, in the order the runtime numbers them.
enum ViewerEvent : int {
  kEventBeforeNavigate = 0,
  kEventNavigateComplete = 1,
  kEventDownloadBegin = 2,
  kEventProgress = 3,
  kEventDownloadComplete = 4,
  kEventDocumentComplete = 5,
  kEventStatusText = 6,
  kEventTitle = 7,
  kEventCommandState = 8,
  kEventNewWindow = 9,
};

struct StoredProperties {
  int32_t zoom = 2;
  bool offline = false;
  bool silent = false;
  std::string address;
};

inline constexpr int32_t kStoredVersion = 1;
int32_t ClampZoom(int32_t zoom);
// Reads the stored format; false for a truncated block, a bad length or an unknown version.
bool ReadStoredProperties(const uint8_t* data, size_t size, StoredProperties& out);
std::vector<uint8_t> WriteStoredProperties(const StoredProperties& properties);
// The design-mode placeholder: "网页地址：" and the address with its markup characters escaped.
std::string PlaceholderText(std::string_view address);

class HtmlViewer final : public EventReceiver {
 public:
  // The component window, or null.
  static HWND Create(const runtime::ComponentCreateParams& params);
  // The component of a window of ours, or null for any other window.
  static HtmlViewer* FromWindow(HWND window);

  int setProperty(int index, const runtime::TypedValue* value);
  int getProperty(int index, runtime::TypedValue* value);
  HGLOBAL serialize() const;

  // Post data of length 0 means its text length; null post data sends none.
  void navigate(std::string_view address, LONG flags = 0, std::string_view targetFrame = {},
                std::string_view headers = {}, const char* postData = nullptr,
                size_t postLength = 0);

  HWND window() const { return window_; }
  HWND browserWindow() const { return host_ ? host_->window() : nullptr; }
  IWebBrowser2* browser() const { return browser_.get(); }
  ComPtr<IDispatch> eventSink() const { return host_ ? host_->eventSink() : nullptr; }
  const std::string& placeholderFile() const { return placeholderFile_; }
  const StoredProperties& stored() const { return stored_; }

  void onControlEvent(DISPID id, DISPPARAMS& params) override;

  // The window deletes its component; only a failed creation deletes it directly.
  ~HtmlViewer();

 private:
  HtmlViewer() = default;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool createWindow(const runtime::ComponentCreateParams& params);
  void applyZoom();
  void applyOffline();
  void applySilent();
  void showAddress();
  std::string makePlaceholder();
  void deletePlaceholder();
  void releaseBrowser();
  void onDestroyed();
  runtime::HandlerResult raise(int event, std::initializer_list<int32_t> arguments = {});

  HWND window_ = nullptr;
  std::unique_ptr<ControlHost> host_;
  ComPtr<IWebBrowser2> browser_;
  StoredProperties stored_;
  uint32_t windowId_ = 0;
  uint32_t unitId_ = 0;
  bool designMode_ = false;
  bool browseInDesign_ = false;
  bool inNavigationEvent_ = false;
  bool inTitleEvent_ = false;
  std::string eventAddress_;
  std::string title_;
  std::string statusText_;
  std::string placeholderFile_;
  bool live_ = false;       // created and known to the runtime
  int busy_ = 0;            // events being raised
  bool destroyed_ = false;  // the window is gone; delete once no event is under way
  friend struct EventScope;
};

}  // namespace webview
