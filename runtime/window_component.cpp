#include "window_component.h"

#include <map>
#include <memory>

#include "core_library.h"
#include "runtime_app.h"

namespace runtime {

namespace {

struct OwnedIcon {
  HICON handle = nullptr;
  OwnedIcon() = default;
  explicit OwnedIcon(HICON h) : handle(h) {}
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  ~OwnedIcon() {
    if (handle) DestroyIcon(handle);
  }
};

struct OwnedBrush {
  HBRUSH handle = nullptr;
  bool owned = false;
  OwnedBrush(const OwnedBrush&) = delete;
  OwnedBrush& operator=(const OwnedBrush&) = delete;
  OwnedBrush() = default;
  ~OwnedBrush() {
    if (owned && handle) DeleteObject(handle);
  }
};

// One per live window; freed when its window is finally destroyed.
struct WindowComponent {
  uint32_t windowId = 0;
  uint32_t unitId = 0;
  WindowProperties properties;
  WNDPROC previous = nullptr;
  OwnedIcon bigIcon, smallIcon;  // made from the stored icon; the default icons are the runtime's
  OwnedBrush background;
  bool modal = false;
  std::vector<HWND> disabled;
};

std::map<HWND, std::unique_ptr<WindowComponent>>& Components() {
  static std::map<HWND, std::unique_ptr<WindowComponent>> components;
  return components;
}

WindowComponent* ComponentOf(HWND hwnd) {
  auto it = Components().find(hwnd);
  return it == Components().end() ? nullptr : it->second.get();
}

// An icon file image: a directory of 16-byte entries, each naming its image's size and
// offset. The entry whose width is closest to the wanted size is taken.
HICON IconFromFileImage(const std::vector<uint8_t>& file, int size) {
  FormReader in(file.data(), file.size());
  std::span<const uint8_t> header;
  if (!in.bytes(6, header) || (header[0] | header[1]) != 0 || header[2] != 1 || header[3] != 0)
    return nullptr;
  int count = header[4] | header[5] << 8;
  std::span<const uint8_t> best;
  int bestDistance = 1 << 30;
  for (int i = 0; i < count; ++i) {
    std::span<const uint8_t> entry;
    if (!in.bytes(8, entry)) return nullptr;
    uint32_t length, offset;
    if (!in.word(length) || !in.word(offset)) return nullptr;
    if (offset > file.size() || length > file.size() - offset || length == 0) continue;
    int width = entry[0] ? entry[0] : 256;
    int distance = width > size ? width - size : size - width;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = {file.data() + offset, length};
    }
  }
  if (best.empty()) return nullptr;
  return CreateIconFromResourceEx(const_cast<PBYTE>(best.data()), DWORD(best.size()), TRUE,
                                  0x00030000, size, size, LR_DEFAULTCOLOR);
}

void SetIcons(HWND hwnd, WindowComponent& c) {
  HICON big = nullptr, small = nullptr;
  if (!c.properties.icon.empty()) {
    c.bigIcon.handle = IconFromFileImage(c.properties.icon, GetSystemMetrics(SM_CXICON));
    c.smallIcon.handle = IconFromFileImage(c.properties.icon, GetSystemMetrics(SM_CXSMICON));
    big = c.bigIcon.handle;
    small = c.smallIcon.handle;
  }
  if (!big || !small) {
    HICON defaults[2] = {};
    RuntimeService(kServiceDefaultIcons, reinterpret_cast<intptr_t>(defaults), 0);
    if (!big) big = defaults[0];
    if (!small) small = defaults[1];
  }
  if (big) SendMessageA(hwnd, WM_SETICON, ICON_BIG, LPARAM(big));
  if (small) SendMessageA(hwnd, WM_SETICON, ICON_SMALL, LPARAM(small));
}

LRESULT CALLBACK WindowComponentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WindowComponent* c = ComponentOf(hwnd);
  if (!c) return DefWindowProcA(hwnd, msg, wp, lp);
  WNDPROC previous = c->previous;
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(hwnd, &rect);
      FillRect(reinterpret_cast<HDC>(wp), &rect, c->background.handle);
      return 1;
    }
    case WM_DESTROY:
      // Give back what a modal window took before another window gets activated.
      for (HWND other : c->disabled)
        if (IsWindow(other)) EnableWindow(other, TRUE);
      c->disabled.clear();
      break;
    case WM_NCDESTROY: {
      LRESULT result = CallWindowProcA(previous, hwnd, msg, wp, lp);
      uint32_t windowId = c->windowId, unitId = c->unitId;
      Components().erase(hwnd);
      RuntimeService(kServiceInstanceDestroyed, intptr_t(windowId), intptr_t(unitId));
      return result;
    }
    default:
      break;
  }
  return CallWindowProcA(previous, hwnd, msg, wp, lp);
}

bool EnsureClass(const char* name) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, name, &existing)) return true;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = name;
  return RegisterClassA(&wc) != 0;
}

void* WindowInterface(int code) {
  return code == kInterfaceCreate ? reinterpret_cast<void*>(&CreateWindowComponent) : nullptr;
}

}  // namespace

WindowStyles WindowStylesOf(const WindowProperties& p, DWORD creationStyle, bool hasParent,
                            bool childOfUnit) {
  WindowStyles s;
  s.style = creationStyle | WS_CLIPCHILDREN;
  bool sizing = false;
  if (p.borderStyle != 0) {
    if (!p.title.empty() || p.controlBox) s.style |= WS_CAPTION;
    if (p.controlBox) s.style |= WS_SYSMENU;
    sizing = p.borderStyle == 1 || p.borderStyle == 3 || p.borderStyle == 5;
    if (p.borderStyle == 3 || p.borderStyle == 4) s.exStyle |= WS_EX_TOOLWINDOW;
    if (p.borderStyle == 5 || p.borderStyle == 6) s.exStyle |= WS_EX_CLIENTEDGE;
  }
  if (p.maximizeBox) s.style |= WS_MAXIMIZEBOX;
  if (p.minimizeBox) s.style |= WS_MINIMIZEBOX;
  if (p.startPosition == 2) s.style |= WS_MINIMIZE;
  if (p.startPosition == 3 && sizing) s.style |= WS_MAXIMIZE;
  if (childOfUnit)
    s.style |= WS_CHILD;
  else if (sizing)
    s.style |= WS_THICKFRAME;
  if (hasParent && !childOfUnit) s.style |= WS_POPUP;
  return s;
}

HWND CreateWindowComponent(const ComponentCreateParams& params) {
  std::optional<WindowProperties> properties = ReadWindowProperties({params.data, params.dataSize});
  if (!properties) return nullptr;
  auto component = std::make_unique<WindowComponent>();
  component->windowId = params.windowId;
  component->unitId = params.unitId;
  component->properties = std::move(*properties);
  const WindowProperties& p = component->properties;

  WindowStyles styles = WindowStylesOf(p, params.style, params.parent != nullptr, params.childOfUnit);
  int x = params.x, y = params.y;
  if (p.startPosition == 1) {
    x = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
  }
  HWND owner = params.parent;
  if (!owner && !p.showInTaskbar) owner = App().ownerWindow;

  const char* className = p.className.empty() ? kDefaultWindowClass : p.className.c_str();
  if (!EnsureClass(className)) return nullptr;
  HWND hwnd = CreateWindowExA(styles.exStyle, className, p.title.c_str(), styles.style, x, y,
                              params.width, params.height, owner,
                              params.childOfUnit ? nullptr : params.menu,
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return nullptr;

  if (p.backgroundColor == kButtonFaceColor) {
    component->background.handle = GetSysColorBrush(COLOR_BTNFACE);
  } else {
    component->background.handle = CreateSolidBrush(p.backgroundColor & 0xFFFFFF);
    component->background.owned = true;
  }
  SetIcons(hwnd, *component);
  component->previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  const bool topmost = p.alwaysOnTop == 1;
  const bool closeEnabled = p.closeEnabled != 0;
  Components()[hwnd] = std::move(component);
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowComponentProc));

  // The system gives every overlapped window a caption; a window stored without one
  // (border style none) must not have it.
  LONG_PTR actual = GetWindowLongPtrA(hwnd, GWL_STYLE);
  if (!(styles.style & WS_CAPTION) && (actual & WS_CAPTION) && !(actual & (WS_CHILD | WS_POPUP))) {
    SetWindowLongPtrA(hwnd, GWL_STYLE, actual & ~LONG_PTR(WS_CAPTION));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT rect;
  GetWindowRect(hwnd, &rect);
  if (rect.right - rect.left != params.width || rect.bottom - rect.top != params.height)
    SetWindowPos(hwnd, nullptr, 0, 0, params.width, params.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(hwnd, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
  if (topmost)
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!closeEnabled) DeleteMenu(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND);
  return hwnd;
}

void MarkWindowModal(HWND window, std::vector<HWND> disabled) {
  if (WindowComponent* c = ComponentOf(window)) {
    c->modal = true;
    c->disabled = std::move(disabled);
  }
}

bool IsWindowComponent(HWND window) { return ComponentOf(window) != nullptr; }

void* WindowComponentInterface(int code) { return WindowInterface(code); }

}  // namespace runtime
