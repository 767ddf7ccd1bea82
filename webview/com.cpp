#include "webview/com.h"

#include <climits>
#include <cstring>

namespace webview {

std::wstring WideFromAnsi(std::string_view text) {
  if (text.empty() || text.size() > size_t(INT_MAX)) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

std::string AnsiFromWide(const wchar_t* text, int length) {
  if (!text || length == 0) return {};
  if (length < 0) length = int(wcslen(text));
  if (length == 0) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string ansi(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), n, nullptr, nullptr);
  return ansi;
}

Bstr::Bstr(std::string_view ansi) {
  std::wstring wide = WideFromAnsi(ansi);
  s_ = SysAllocStringLen(wide.data(), UINT(wide.size()));
}

Variant ByteArrayVariant(const void* bytes, size_t length) {
  Variant v;
  if (length > ULONG_MAX) return v;
  SafeArray array(SafeArrayCreateVector(VT_UI1, 0, ULONG(length)));
  if (!array.get()) return v;
  if (length) {
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array.get(), &data))) return v;
    std::memcpy(data, bytes, length);
    SafeArrayUnaccessData(array.get());
  }
  v.get()->vt = VT_ARRAY | VT_UI1;
  v.get()->parray = array.release();
  return v;
}

const VARIANT* Dereferenced(const VARIANT* v) {
  // A by-reference variant may point at another; a short chain is all a browser builds.
  for (int depth = 0; v && depth < 4 && v->vt == (VT_BYREF | VT_VARIANT); ++depth)
    v = v->pvarVal;
  return v;
}

}  // namespace webview
