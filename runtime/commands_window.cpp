// Core commands on windows: handles, loading, moving, and snapshots.
#include "runtime/commands.h"
#include "runtime/form_engine.h"

namespace runtime::commands {

namespace {

constexpr char kNoInstance[] = "指定窗口或窗口组件不存在或尚未载入";

struct ComponentRef {
  uint32_t windowId;
  uint32_t unitId;
};

ComponentRef ComponentOf(const TypedValue& v) { return {v.low, v.high}; }

HWND RequireInstance(const TypedValue& component) {
  ComponentRef ref = ComponentOf(component);
  HWND instance = FindInstance(ref.windowId, ref.unitId);
  if (!instance) CommandFatal(kNoInstance);
  return instance;
}

class ScreenDc {
 public:
  ScreenDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) {
      if (old_) SelectObject(dc_, old_);
      DeleteDC(dc_);
    }
  }
  HDC get() const { return dc_; }
  void select(HGDIOBJ object) {
    HGDIOBJ previous = SelectObject(dc_, object);
    if (!old_) old_ = previous;
  }
  void restore() {
    if (old_) SelectObject(dc_, old_);
    old_ = nullptr;
  }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

class Bitmap {
 public:
  explicit Bitmap(HBITMAP b) : b_(b) {}
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  ~Bitmap() {
    if (b_) DeleteObject(b_);
  }
  HBITMAP get() const { return b_; }

 private:
  HBITMAP b_;
};

// A 24-bit BMP file image of a bitmap (not selected into a DC), as a new byte array; null
// on failure, including a picture too large for memory.
ByteArray* EncodeBmp(HDC dc, HBITMAP bitmap, int width, int height) {
  size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
  size_t pixels = stride * size_t(height);
  size_t headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  if (pixels > 0x7FFFFFF0 - headers - sizeof(ByteArray)) return nullptr;
  BytesPtr bytes(reinterpret_cast<ByteArray*>(
      CoreService(kServiceAllocate, intptr_t(sizeof(ByteArray) + headers + pixels), 1)));
  if (!bytes) return nullptr;
  bytes->marker = 1;
  bytes->length = int32_t(headers + pixels);
  uint8_t* file = bytes->data();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = DWORD(pixels);
  if (GetDIBits(dc, bitmap, 0, UINT(height), file + headers, &info, DIB_RGB_COLORS) != height)
    return nullptr;
  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfSize = DWORD(headers + pixels);
  fileHeader.bfOffBits = DWORD(headers);
  std::memcpy(file, &fileHeader, sizeof fileHeader);
  std::memcpy(file + sizeof fileHeader, &info.bmiHeader, sizeof(BITMAPINFOHEADER));
  return bytes.release();
}

}  // namespace

void MoveInstance(HWND window, std::optional<int> left, std::optional<int> top,
                  std::optional<int> width, std::optional<int> height) {
  RECT r;
  if (!GetWindowRect(window, &r)) return;
  HWND parent = GetAncestor(window, GA_PARENT);
  bool child = parent && parent != GetDesktopWindow() &&
               !(GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP);
  if (child) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  RECT target = r;
  if (left) OffsetRect(&target, *left - target.left, 0);
  if (top) OffsetRect(&target, 0, *top - target.top);
  if (width && *width != -1) target.right = target.left + *width;
  if (height && *height != -1) target.bottom = target.top + *height;
  if (EqualRect(&target, &r)) return;
  MoveWindow(window, target.left, target.top, target.right - target.left,
             target.bottom - target.top, TRUE);
}

int ScaledSize(int captured, int requested) {
  if (requested == 0) return captured;
  if (requested > 0) return requested > 0x7FFF ? 0x7FFF : requested;
  int64_t percent = -int64_t(requested);
  if (percent < 10) percent = 10;
  int64_t size = int64_t(captured) * percent / 100;
  if (size < 1) size = 1;
  return size > 0x7FFF ? 0x7FFF : int(size);
}

void WindowHandleOf(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  if (!a.given(0)) CommandFatal(kNoInstance);
  SetInt(result, int32_t(reinterpret_cast<intptr_t>(RequireInstance(a[0]))));
}

void LoadWindow(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  SetBool(result, false);
  if (!a.given(0)) return;
  HWND parent = nullptr;
  if (a.given(1)) {
    ComponentRef ref = ComponentOf(a[1]);
    parent = FindInstance(ref.windowId, ref.unitId);
    if (!parent) return;
  }
  SetBool(result, runtime::LoadWindow(ComponentOf(a[0]).windowId, parent, a.integer(2) != 0));
}

void MoveUnit(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  if (!a.given(0)) CommandFatal(kNoInstance);
  HWND window = RequireInstance(a[0]);
  auto part = [&](int i) { return a.given(i) ? std::optional<int>(a.integer(i)) : std::nullopt; };
  MoveInstance(window, part(1), part(2), part(3), part(4));
}

void Snapshot(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  SetBytes(result, {});
  auto window = static_cast<HWND>(a.address(0));
  int width, height;
  if (window) {
    RECT r;
    if (!IsWindow(window) || !GetWindowRect(window, &r)) return;
    width = r.right - r.left;
    height = r.bottom - r.top;
  } else {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
  }
  if (width <= 0 || height <= 0) return;
  ScreenDc source(window, window ? GetWindowDC(window) : GetDC(nullptr));
  if (!source.get()) return;
  int outWidth = ScaledSize(width, a.integer(1));
  int outHeight = ScaledSize(height, a.integer(2));
  Bitmap bitmap(CreateCompatibleBitmap(source.get(), outWidth, outHeight));
  MemoryDc memory(source.get());
  if (!bitmap.get() || !memory.get()) return;
  memory.select(bitmap.get());
  bool copied;
  if (outWidth == width && outHeight == height) {
    copied = BitBlt(memory.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(memory.get(), HALFTONE);
    SetBrushOrgEx(memory.get(), 0, 0, nullptr);
    copied = StretchBlt(memory.get(), 0, 0, outWidth, outHeight, source.get(), 0, 0, width,
                        height, SRCCOPY);
  }
  if (!copied) return;
  memory.restore();
  SetBytesBlock(result, EncodeBmp(memory.get(), bitmap.get(), outWidth, outHeight));
}

}  // namespace runtime::commands
