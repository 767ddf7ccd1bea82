#include "framework/window/startup.h"

#include <string>

#include "framework/dll.h"
#include "framework/window/drop_shadow.h"
#include "runtime/embed.h"

TARVO_EMBED_BYTES(kCheckBoxStrip, "check_box_strip.png");
TARVO_EMBED_BYTES(kRadioStrip, "radio_strip.png");

namespace framework {

namespace {

constexpr UINT kClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
constexpr int kApplicationIconId = 129;
constexpr int kAppIconSize = 16;
constexpr uint32_t kRadioStripKey = 0x7F007F;

HICON LoadApplicationIcon(HMODULE module) {
  auto icon = static_cast<HICON>(dll::LoadImageA(module, MAKEINTRESOURCEA(kApplicationIconId),
                                                 IMAGE_ICON, kAppIconSize, kAppIconSize, 0));
  if (icon) return icon;
  return static_cast<HICON>(
      dll::LoadImageA(module, "DEFAULT_ICON", IMAGE_ICON, kAppIconSize, kAppIconSize, 0));
}

HCURSOR SystemCursor(const char* id) { return dll::LoadCursorA(nullptr, id); }

}  // namespace

#if !defined(_WIN64)
static_assert(sizeof(Gdiplus::GdiplusStartupInput) == 16);
static_assert(sizeof(WNDCLASSEXA) == 48);
#endif

FrameworkGlobals& Globals() {
  static FrameworkGlobals globals;
  return globals;
}

ULONG_PTR StartGdiplus(uint32_t version, bool versionGiven) {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = versionGiven ? version : 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  ULONG_PTR token = 0;
  // Its status is not examined: a GDI+ that does not start shows as failing draws later.
  graphics::dll::GdiplusStartup(&token, &input, nullptr);
  Globals().gdiplusToken = token;
  return token;
}

void EnsureGdiplus() {
  if (Globals().gdiplusToken == 0) StartGdiplus(0, false);
}

bool RegisterWindowClass(const char* className, WNDPROC windowProcedure) {
  std::string name = className ? className : "";
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = kClassStyle;
  wc.lpfnWndProc = windowProcedure;
  wc.hInstance = dll::GetModuleHandleA(nullptr);
  wc.hIcon = Globals().applicationIcon;
  wc.hCursor = SystemCursor(IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszMenuName = "";
  wc.lpszClassName = name.c_str();
  return dll::RegisterClassExA(&wc) != 0;
}

int InitializeFramework() {
  FrameworkGlobals& g = Globals();
  EnsureGdiplus();
  g.module = dll::GetModuleHandleA(nullptr);
  g.applicationIcon = LoadApplicationIcon(g.module);
  g.noTrimOnDeactivate = 1;
  g.handCursor = SystemCursor(IDC_HAND);
  g.ibeamCursor = SystemCursor(IDC_IBEAM);
  g.sizeAllCursor = SystemCursor(IDC_SIZEALL);
  g.checkBoxStrip.load(kCheckBoxStrip.view());
  g.radioStrip.load(kRadioStrip.view(), kRadioStripKey);
  // A failed registration only means no drop shadow can be created later.
  RegisterWindowClass(kShadowWindowClass, ShadowWindowProcedure);
  return 0;
}

}  // namespace framework
